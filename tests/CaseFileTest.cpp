// Case files as text: what is missing or unknown, what is not a case file
// of this version; round trips and file names are vyra-select's runs'.
#include "CaseAndBatchFiles.h"

#include "TestCases.h"

#include <gtest/gtest.h>

namespace vyra {
namespace {

// Missing entries are empty fields and default choices; unknown names of
// the same version are ignored; ranges keep their texts and are written back.
TEST(CaseFile, ReadsMissingUnknownAndRangedEntries)
{
    const auto read = ParseCaseFile(R"({"format":"vyra-case","version":1,"fulcrum":"left","speed":"100",
        "colour":"red","extra":{"a":[1]},"ranges":{"speed":{"high":"1e3","low":" 50","mid":1}}})");
    ASSERT_TRUE(read);
    Case expected;
    expected.form.fulcrumIndex = 1;
    expected.form.txtInput[kItemV] = "100";
    expected.ranges[kItemV] = RangeTexts{" 50", "1e3"};
    EXPECT_EQ(*read, expected);
    EXPECT_EQ(*ParseCaseFile(CaseFileText(expected)), expected);
}

TEST(CaseFile, RefusesWhatIsNotACaseOfThisVersion)
{
    for (const auto& row : test::ReadCaseTable("engine_case_refusals", 3)) {
        EXPECT_EQ(test::ReasonOf(ParseCaseFile(test::Unescape(row[1]))), row[2]) << row[0];
    }
}

}  // namespace
}  // namespace vyra
