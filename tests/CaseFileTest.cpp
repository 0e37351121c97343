// Case files: what is missing or unknown, what is not a case file of this
// version, and the file names in the messages. Round trips of whole cases
// are in the case file scenario of the input screen.
#include "CaseAndBatchFiles.h"

#include "EngineCases.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// The messages name the file; a write that fails leaves the old case whole.
TEST(CaseFile, FilesNameThePathInTheirMessages)
{
    const std::string folder = ::testing::TempDir() + "case-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    const std::string path = folder + "/a.vyracase";
    Case harsh;
    harsh.form = test::HarshForm();
    EXPECT_TRUE(WriteCaseFile(path, harsh));
    EXPECT_EQ(*ReadCaseFile(path), harsh);
    EXPECT_EQ(test::ReasonOf(ReadCaseFile(folder)), folder + ": it is not a regular file");
    EXPECT_EQ(test::ReasonOf(WriteCaseFile(folder, Case{})), folder + ": it is a folder");
    EXPECT_EQ(*ReadCaseFile(path), harsh);
}

}  // namespace
}  // namespace vyra
