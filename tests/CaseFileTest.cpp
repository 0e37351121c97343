// Case files as text: what is missing or unknown, what is not a case file
// of this version; round trips and file names are vyra-select's runs'.
#include "CaseAndBatchFiles.h"

#include "TestCases.h"

#include <gtest/gtest.h>

namespace vyra {
namespace {

// Missing entries are empty fields and default choices; unknown names of
// the same version are ignored.
TEST(CaseFile, ReadsMissingAndUnknownEntries)
{
    const auto read = ParseCaseFile(
        R"({"format":"vyra-case","version":1,"fulcrum":"left","speed":"100","colour":"red","extra":{"a":[1]}})");
    ASSERT_TRUE(read);
    Case expected;
    expected.form.fulcrumIndex = 1;
    expected.form.txtInput[kItemV] = "100";
    EXPECT_EQ(*read, expected);
}

TEST(CaseFile, RefusesWhatIsNotACaseOfThisVersion)
{
    for (const auto& row : test::Rows("engine_case_refusals", 3)) {
        EXPECT_EQ(test::ReasonOf(ParseCaseFile(test::Unescape(row[1]))), row[2]) << row[0];
    }
}

// An lbf case comes back as written; its texts stay as typed.
TEST(CaseFile, KeepsAnLbfCase)
{
    Case c;
    c.forceUnit = kLbf;
    c.form.txtInput = {"50", "4", "30", "20", "80", "20", "1", "0.5", "2", "500"};
    const std::string text = CaseFileText(c);
    EXPECT_NE(text.find(R"("unit": "lbf")"), std::string::npos) << text;
    const auto read = ParseCaseFile(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, c);
}

}  // namespace
}  // namespace vyra
