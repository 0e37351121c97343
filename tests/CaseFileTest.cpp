// Case files: what is written reads back the same, and what is not a case
// file of this version is refused with a reason.
#include "CaseAndBatchFiles.h"

#include "EngineCases.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vyra {
namespace {

// Every choice on its second word, texts that are empty, unicode or long.
Case UnusualCase()
{
    Case c;
    c.form = test::HarshForm();
    c.forceUnit = kNewton;
    c.form.txtInput[kItemFS] = "";
    c.form.txtInput[kItemGamma] = " -.5e2x";
    c.report = {"Müller & Söhne \"Papier\"", std::string(10000, 'x'), "Linie 3\tÜ\\", "", "名前 \u00e9\U0001F600"};
    return c;
}

TEST(CaseFile, RoundTripsEveryEntry)
{
    for (const Case& c : {Case{}, UnusualCase()}) {
        const Expected<Case> back = ParseCaseFile(CaseFileText(c));
        ASSERT_TRUE(back) << back.Error().reason;
        EXPECT_EQ(*back, c);
    }
    const std::string text = CaseFileText(UnusualCase());
    EXPECT_TRUE(text.starts_with("{\n  \"format\": \"vyra-case\",\n  \"version\": 1,\n  \"unit\": \"N\",")) << text;
    EXPECT_NE(text.find("\"roller-weight\": \"40\""), std::string::npos);
    EXPECT_NE(text.find("\"channel\": \"one\""), std::string::npos);
}

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
    EXPECT_TRUE(WriteCaseFile(path, UnusualCase()));
    EXPECT_EQ(*ReadCaseFile(path), UnusualCase());
    EXPECT_EQ(test::ReasonOf(ReadCaseFile(folder)), folder + ": it is not a regular file");
    EXPECT_EQ(test::ReasonOf(ReadCaseFile(folder + "/none")), folder + "/none: No such file or directory");
    ::mkfifo((folder + "/fifo").c_str(), 0600);
    EXPECT_EQ(test::ReasonOf(ReadCaseFile(folder + "/fifo")), folder + "/fifo: it is not a regular file");
    EXPECT_EQ(test::ReasonOf(WriteCaseFile(folder, Case{})), folder + ": it is a folder");
    EXPECT_EQ(*ReadCaseFile(path), UnusualCase());
}

}  // namespace
}  // namespace vyra
