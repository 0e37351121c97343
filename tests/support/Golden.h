#pragma once

#include <string>
#include <vector>

namespace vyra::test {

// Compares a recording with the golden file tests/golden/NAME.txt and fails
// with the first line that differs. With its name in VYRA_UPDATE_GOLDEN
// (names separated by commas) it writes the file instead, for a change
// that is meant; the diff of that file is then the change to review.
void ExpectGolden(const std::string& name, const std::string& recording);

// The rows of tests/cases/NAME.txt, one a line, fields separated by " | "
// (an empty one "|  |") and trimmed, blank and "#" lines left out; the first
// field names the row. Given a number of fields, another row fails.
using CaseRow = std::vector<std::string>;
std::vector<CaseRow> ReadCaseTable(const std::string& name, std::size_t fields = 0);

// The whole content of a file, "" when it cannot be read.
std::string FileText(const std::string& path);

}  // namespace vyra::test
