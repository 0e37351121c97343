// vyra-select through RunSelector, as its main calls it: the runs of
// tests/cases/cli_runs.txt, each one's words in, its exit status, whether it
// needs the drawing toolkit and what it wrote recorded per group.
#include "SelectorCli.h"
#include "CaseAndBatchFiles.h"
#include "EngineCases.h"
#include "Golden.h"
#include "StandardOutput.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vyra::cli {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// A JSON document is one line; a line per model keeps the recording readable.
std::string Recorded(const std::string& name, const std::vector<std::string>& args, const std::string& folder)
{
    std::ostringstream out;
    std::ostringstream err;
    const ParsedCommandLine parsed = ParseSelectorOptions(args);
    const int status = RunSelector(parsed, out, err, {"Dec 07,2026"});
    std::string text = "# " + name + "\nstatus " + std::to_string(status)
                       + (RequestsGraphics(parsed) ? ", needs graphics\n" : "\n") + out.str()
                       + (err.str().empty() ? "" : "-- stderr\n" + err.str());
    ReplaceAll(text, ",{\"index\":", ",\n{\"index\":");
    ReplaceAll(text, folder, "{dir}");
    ReplaceAll(text, VYRA_CASES_DIR, "{cases}");
    ReplaceAll(text, VYRA_VERSION, "{version}");
    return text + "\n";
}

TEST(Selector, RunsAsRecorded)
{
    const std::string folder = ::testing::TempDir() + "cli-runs-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    ::mkdir((folder + "/dir").c_str(), 0700);
    const std::vector<std::string> worked{"--tension=10",       "--diameter=100", "--roller-weight=10", "--alpha=0",
                                          "--beta=0",           "--gamma=0",      "--position=0",       "--height=0",
                                          "--bearing-weight=1", "--speed=100"};
    const std::regex repeated(R"(\{(.)\*(\d+)\})");
    std::map<std::string, std::string> groups;
    for (const test::CaseRow& row : test::ReadCaseTable("cli_runs")) {
        std::vector<std::string> args;
        for (std::size_t i = 2; i < row.size(); ++i) {
            if (row[i] == "W") {
                args.insert(args.end(), worked.begin(), worked.end());
                continue;
            }
            std::string word = row[i] == "\"\"" ? "" : row[i];
            ReplaceAll(word, "{dir}", folder);
            ReplaceAll(word, "{cases}", VYRA_CASES_DIR);
            if (std::smatch match; std::regex_search(word, match, repeated)) {
                word = match.prefix().str() + std::string(std::stoul(match[2]), match[1].str()[0]);
            }
            args.push_back(test::Unescape(word));
        }
        groups[row[1]] += Recorded(row[0], args, folder);
    }
    for (const auto& [group, recording] : groups) {
        test::ExpectGolden("cli_" + group, recording);
    }
    // The report entries never reach the tables, only the case file.
    const auto saved = ReadCaseFile(folder + "/c.vyracase");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->report,
              (std::array<std::string, kReportItemCount>{"Ünicode", "", std::string(10000, 'm'), "", ""}));
    EXPECT_NE(::access((folder + "/not-utf8.vyracase").c_str(), F_OK), 0) << "a refused text was saved";
}

// An exception that would abort the program becomes a message and status 4.
TEST(Selector, ALastGuardTurnsAnExceptionIntoAStatus)
{
    std::ostringstream err;
    EXPECT_EQ(Guarded("vyra-select", err, [] { return kRefused; }), kRefused);
    EXPECT_EQ(Guarded("vyra-select", err, []() -> int { throw std::length_error("basic_string::append"); }),
              kInternalFailure);
    EXPECT_EQ(err.str(), "vyra-select: unexpected failure: basic_string::append\n");
}

}  // namespace
}  // namespace vyra::cli
