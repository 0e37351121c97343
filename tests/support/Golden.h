#pragma once

#include <string>
#include <vector>

namespace vyra::test {

// Compares a recording with the golden file tests/golden/NAME.txt and fails
// with the first line that differs. With its name in VYRA_UPDATE_GOLDEN
// (names separated by commas) it writes the file instead, for a change
// that is meant; the diff of that file is then the change to review.
void ExpectGolden(const std::string& name, const std::string& recording);

// The rows of the case table tests/cases/NAME.txt: one row a line, its
// fields separated by " | " (an empty field is "|  |") and trimmed; blank
// lines and lines starting with "#" are left out. The first field names the
// row, so that a failure says which. Fields are taken as they stand.
using CaseRow = std::vector<std::string>;
std::vector<CaseRow> ReadCaseTable(const std::string& name);

}  // namespace vyra::test
