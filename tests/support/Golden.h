#pragma once

#include <string>

namespace vyra::test {

// Compares a recording with the golden file tests/golden/NAME.txt and fails
// with the first line that differs. With VYRA_UPDATE_GOLDEN=1 in the
// environment it writes the file instead, for a change to the layout that
// is meant; the diff of the golden files is then the change to review.
void ExpectGolden(const std::string& name, const std::string& recording);

}  // namespace vyra::test
