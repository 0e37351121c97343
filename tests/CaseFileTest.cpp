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
        const auto back = ParseCaseFile(CaseFileText(c));
        ASSERT_TRUE(std::holds_alternative<Case>(back)) << std::get<std::string>(back);
        EXPECT_EQ(std::get<Case>(back), c);
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
    ASSERT_TRUE(std::holds_alternative<Case>(read));
    Case expected;
    expected.form.fulcrumIndex = 1;
    expected.form.txtInput[kItemV] = "100";
    EXPECT_EQ(std::get<Case>(read), expected);
}

TEST(CaseFile, RefusesWhatIsNotACaseOfThisVersion)
{
    for (const auto& row : test::Rows("engine_case_refusals", 3)) {
        const auto read = ParseCaseFile(test::Unescape(row[1]));
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << row[0];
        EXPECT_EQ(std::get<std::string>(read), row[2]) << row[0];
    }
}

// The messages name the file; a write that fails leaves the old case whole.
TEST(CaseFile, FilesNameThePathInTheirMessages)
{
    const std::string folder = ::testing::TempDir() + "case-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    const std::string path = folder + "/a.vyracase";
    EXPECT_FALSE(WriteCaseFile(path, UnusualCase()));
    EXPECT_EQ(std::get<Case>(ReadCaseFile(path)), UnusualCase());
    EXPECT_EQ(std::get<std::string>(ReadCaseFile(folder)), folder + ": it is not a regular file");
    EXPECT_EQ(std::get<std::string>(ReadCaseFile(folder + "/none")).substr(0, folder.size() + 7), folder + "/none: ");
    ::mkfifo((folder + "/fifo").c_str(), 0600);
    EXPECT_EQ(std::get<std::string>(ReadCaseFile(folder + "/fifo")), folder + "/fifo: it is not a regular file");
    const auto failed = WriteCaseFile(folder, Case{});
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->starts_with(folder + ": ")) << *failed;
    EXPECT_EQ(std::get<Case>(ReadCaseFile(path)), UnusualCase());
}

}  // namespace
}  // namespace vyra
