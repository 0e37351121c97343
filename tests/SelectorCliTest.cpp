// vyra-select through RunSelector, as its main calls it: the runs of
// tests/cases/cli_runs.txt recorded per group, each JSON document parsed
// and checked against the run.
#include "SelectorCli.h"
#include "CaseAndBatchFiles.h"
#include "Commands.h"
#include "Results1.h"
#include "Results2.h"
#include "StandardOutput.h"
#include "TestCases.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <map>
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

// A run as recorded, a JSON document's models a line each.
std::string Recorded(const std::string& name, const std::vector<std::string>& args, const std::string& folder,
                     std::string& out)
{
    std::ostringstream outStream;
    std::ostringstream err;
    const ParsedCommandLine parsed = ParseSelectorOptions(args);
    const int status = RunSelector(parsed, outStream, err, {"Dec 07,2026"});
    out = outStream.str();
    std::string text = out + (err.str().empty() ? "" : "-- stderr\n" + err.str());
    ReplaceAll(text, ",{\"index\":", ",\n{\"index\":");
    ReplaceAll(text, folder, "{dir}");
    ReplaceAll(text, VYRA_CASES_DIR, "{cases}");
    ReplaceAll(text, VYRA_VERSION, "{version}");
    return "# " + name + "\nstatus " + std::to_string(status) + (RequestsGraphics(parsed) ? ", needs graphics\n" : "\n")
           + text + "\n";
}

// The sentence under the text tables names exactly the models whose rows
// say "yes" in both.
void ExpectPassingBothAgreesWithTables(const std::string& out, const std::string& name)
{
    std::istringstream lines(out);
    std::vector<std::string> rows;  // the model rows of both tables, set 1's first
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("Selection result 1")) {
            rows.clear();
        } else if (line.size() > 2 && std::isdigit(static_cast<unsigned char>(line[0])) && line[1] == ' ') {
            rows.push_back(line);
        } else if (line.starts_with("Passing both result sets: ") && rows.size() == 2 * kModelCount) {
            std::string names;
            for (std::size_t i = 0; i < kModelCount; ++i) {
                const bool both = rows[i].ends_with(" yes") && rows[i + kModelCount].ends_with(" yes");
                names += both ? (names.empty() ? "" : ", ") + rows[i].substr(2, rows[i].find(' ', 2) - 2) : "";
            }
            EXPECT_EQ(line.substr(26), names.empty() ? "none" : names) << name;
        }
    }
}

// A JSON document carries the run "Select" makes of its case whole: every
// figure the same double (null where not finite), every verdict the
// assessments', a refusal the check's; no case (a batch row refused) must
// have been refused.
void ExpectDocumentOfRun(const nlohmann::json& doc, const Case* input, const std::string& name)
{
    RunState state;
    CheckResult failure;
    if (input != nullptr) {
        state.forceUnit = input->forceUnit;
        failure = SelectCommand(state, input->form);
    }
    nlohmann::json expected = doc;
    if (failure) {
        expected.update({{"status", "rejected"},
                         {"title", failure->title},
                         {"message", failure->message},
                         {"marked", failure->markedItems},
                         {"fulcrumMarked", failure->fulcrumMarked}});
    } else if (input == nullptr) {
        expected["status"] = "rejected";
    } else {
        expected.update({{"status", "ok"},
                         {"unit", state.forceUnit == kNewton ? "N" : "kgf"},
                         {"type", state.seriesIndex == kIntrinsicallySafeSeries ? "safe" : "standard"},
                         {"methodCode", state.inputs.methodCode}});
        for (int i = 0; i < kModelCount; ++i) {
            nlohmann::json& model = expected["models"][i];
            model["name"] = state.model(i).name;
            for (const auto& [symbol, table] : test::kTables) {
                const double value = (state.tables.*table)[i];
                model[symbol] = std::isfinite(value) ? nlohmann::json(value) : nlohmann::json();
            }
            const Assessment1 a = AssessResults1(state, i);
            const Assessment2 b = AssessResults2(state, i);
            model.update(
                {{"fail1", {{"P1", a.failP1}, {"Zr", a.failZr}, {"Zs", a.failZs}, {"Vr", a.failVr}, {"S", a.failS}}},
                 {"fail2", {{"F1F2", b.failF1F2}, {"F1F3", b.failF1F3}}},
                 {"withinTolerance1", a.withinTolerance},
                 {"withinTolerance2", b.withinTolerance}});
        }
    }
    EXPECT_EQ(doc, expected) << name;
}

// The cases of a batch file's rows as its reader gives them, none for a refused one.
std::vector<std::optional<Case>> BatchCases(const std::string& path, const Case& base)
{
    const std::string text = test::FileText(path);
    TextSource source(text);
    BatchReader reader(source, base);
    std::vector<std::optional<Case>> cases;
    for (auto next = reader.Next(); const auto* row = std::get_if<BatchRow>(&next); next = reader.Next()) {
        cases.push_back(row->problem ? std::nullopt : std::optional(row->input));
    }
    return cases;
}

TEST(Selector, RunsAsRecorded)
{
    const std::string folder = ::testing::TempDir() + "cli-runs-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    ::mkdir((folder + "/dir").c_str(), 0700);
    const std::vector<std::string> worked{"--tension=10",       "--diameter=100", "--roller-weight=10", "--alpha=0",
                                          "--beta=0",           "--gamma=0",      "--position=0",       "--height=0",
                                          "--bearing-weight=1", "--speed=100"};
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
            args.push_back(test::Unescape(word));
        }
        std::string out;
        groups[row[1]] += Recorded(row[0], args, folder, out);
        ExpectPassingBothAgreesWithTables(out, row[0]);
        // Each JSON document against the run of its case, a batch row's as read.
        const ParsedCommandLine parsed = ParseSelectorOptions(args);
        const auto* options = std::get_if<SelectorOptions>(&parsed);
        std::istringstream lines(out);
        for (std::string line; options && std::getline(lines, line) && line.starts_with('{');) {
            const nlohmann::json doc = nlohmann::json::parse(line);
            const Case input = *CaseOf(*options, "Dec 07,2026");
            const std::optional<Case> run =
                doc.contains("line") ? BatchCases(options->batch->path, input).at(doc["line"].get<int>() - 1) : input;
            ExpectDocumentOfRun(doc, run ? &*run : nullptr, row[0] + " " + doc.value("line", nlohmann::json()).dump());
        }
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
