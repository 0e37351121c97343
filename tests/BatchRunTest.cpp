// vyra-select --batch: each row evaluated as the single run with the same
// options, the outputs and the exit statuses.
#include "SelectorCli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vyra::cli {
namespace {

using Json = nlohmann::json;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Select(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunSelector(args, out, err);
    return {status, out.str(), err.str()};
}

class Batch : public ::testing::Test {
protected:
    Batch() { ::mkdir(m_folder.c_str(), 0700); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_folder + "/" + name, std::ios::binary) << text;
        return m_folder + "/" + name;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream file(m_folder + "/" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    const std::string m_folder = ::testing::TempDir() + "batch-" + std::to_string(::getpid());
};

const std::vector<std::string> kColumns{"id",    "tension",  "diameter", "roller-weight",  "alpha",  "beta",
                                        "gamma", "position", "height",   "bearing-weight", "speed",  "unit",
                                        "type",  "fulcrum",  "sensors",  "side",           "channel"};

// Rows across both units, both series, every detection method, both
// fulcrums, refused by checks and by a wrong word, quoted texts.
const std::vector<std::vector<std::string>> kRows{
    {"R1 unwind", "10", "100", "10", "20", "80", "20", "20", "0", "1", "100", "", "", "", "", "", ""},
    {"\"R2, \"\"dancer\"\"\"", "98", "100", "10", "20", "80", "20", "20", "0", "1", "100", "N", "safe", "left", "", "",
     ""},
    {"R3", "300", "60", "40", "170", "170", "0", "50", "200", "5", "360", "", "safe", "left", "one", "independent",
     "one"},
    {"R4", "10", "100", "10", "0", "0", "0", "0", "0", "1", "100", "N", "", "", "one", "one-side", "both"},
    {"R5", "10", "100", "10", "10", "", "", "", "", "", "", "", "", "", "", "", ""},
    {"R6", "-5", "100", "10", "0", "0", "0", "0", "0", "1", "100", "", "", "", "", "", ""},
    {"R7", "10", "100", "10", "0", "0", "0", "0", "0", "1", "100", "kgf", "Safe", "", "", "", ""},
};

std::string Csv(const std::vector<std::vector<std::string>>& rows, const char* newline = "\n")
{
    std::string text;
    for (const std::vector<std::string>& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            text += (i > 0 ? "," : "") + row[i];
        }
        text += newline;
    }
    return text;
}

// The single run's words for a row: each non-empty cell as its option.
std::vector<std::string> SingleRun(const std::vector<std::string>& row)
{
    std::vector<std::string> args{"--json"};
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (!row[i].empty() || i <= 10) {
            args.push_back("--" + kColumns[i] + "=" + row[i]);
        }
    }
    return args;
}

TEST_F(Batch, RowsAreTheSingleRunsOfTheirOptions)
{
    std::vector<std::vector<std::string>> file{kColumns};
    file.insert(file.end(), kRows.begin(), kRows.end());
    const std::string path = Write("rows.csv", "\xEF\xBB\xBF" + Csv(file, "\r\n"));
    const Outcome json = Select({"--batch", path, "--format", "json", "--gamma-scan"});
    EXPECT_EQ(json.status, 1);
    // Without the scan a line is the same document less passingGamma.
    const Outcome quick = Select({"--batch", path, "--format", "json"});
    EXPECT_EQ(quick.out.find("passingGamma"), std::string::npos);
    EXPECT_NE(quick.out.find("\"maxSpeed\":"), std::string::npos);
    std::istringstream lines(json.out);
    std::string line;
    for (std::size_t row = 0; row < kRows.size(); ++row) {
        ASSERT_TRUE(std::getline(lines, line));
        const Json document = Json::parse(line);
        EXPECT_EQ(document["line"], row + 1);
        const std::string prefix = "{\"line\":" + std::to_string(row + 1) + ",\"id\":" + document["id"].dump() + ",";
        ASSERT_TRUE(line.starts_with(prefix)) << line;
        if (row == 6) {
            EXPECT_EQ(document["message"], "\"type\" must be standard or safe, not \"Safe\"");
            continue;
        }
        const Outcome single = Select(SingleRun(kRows[row]));
        EXPECT_EQ("{" + line.substr(prefix.size()) + "\n", single.out) << "row " << row + 1;
    }
    EXPECT_EQ(Json::parse(json.out.substr(0, json.out.find('\n')))["id"], "R1 unwind");

    // The CSV rows say what the JSON documents say.
    const Outcome csv = Select({"--batch", path});
    std::istringstream csvLines(csv.out);
    std::getline(csvLines, line);
    EXPECT_EQ(line, "line,id,status,message,fits,model1,model2,model3,model4,model5,model6,model7,model8,model9\r");
    std::istringstream jsonLines(json.out);
    for (std::string document; std::getline(jsonLines, document);) {
        const Json row = Json::parse(document);
        std::string expected = std::to_string(row["line"].get<int>()) + ",";
        expected += row["line"] == 2 ? "\"R2, \"\"dancer\"\"\"" : row["id"].get<std::string>();
        if (row["status"] == "rejected") {
            std::string message = row["title"].get<std::string>() + ": " + row["message"].get<std::string>();
            std::replace(message.begin(), message.end(), '\r', '\n');
            const bool quoted = message.find_first_of("\n\",") != std::string::npos;
            std::string cell;
            for (const char c : message) {
                cell += c == '"' ? std::string("\"\"") : std::string(1, c);
            }
            expected += ",refused," + (quoted ? "\"" + cell + "\"" : cell) + ",,,,,,,,,,";
        } else {
            std::string fits;
            std::string verdicts;
            for (const Json& model : row["models"]) {
                const bool first = model["withinTolerance1"];
                const bool second = model["withinTolerance2"];
                if (first && second) {
                    fits += (fits.empty() ? "" : " ") + model["name"].get<std::string>();
                }
                verdicts += first && second ? ",both" : first ? ",1" : second ? ",2" : ",none";
            }
            expected += ",ok,," + fits + verdicts;
        }
        std::string got;
        while (got.empty() || (std::count(got.begin(), got.end(), '"') % 2 == 1)) {
            std::string part;
            ASSERT_TRUE(std::getline(csvLines, part));
            got += (got.empty() ? "" : "\n") + part;
        }
        EXPECT_EQ(got, expected + "\r");
    }
}

TEST_F(Batch, ExitStatusesAndOutputs)
{
    const std::string good = Write("good.csv", "id,tension,diameter,roller-weight,bearing-weight,speed\n"
                                               "=1+1,10,100,10,1,100\n");
    const Outcome computed = Select({"--batch", good, "--output", m_folder + "/out.csv"});
    EXPECT_EQ(computed.status, 0);
    EXPECT_TRUE(computed.out.empty());
    EXPECT_NE(Read("out.csv").find("\r\n1,'=1+1,ok,"), std::string::npos) << Read("out.csv");

    const std::vector<std::pair<std::vector<std::string>, std::string>> failures{
        {{"--batch", Write("a.csv", "tension,colour\n")}, ": unknown column \"colour\"\nRun vyra-select --help\n"},
        {{"--batch", Write("b.csv", "tension,speed\n1,2\n3\n")}, "b.csv:3: the row has 1 fields, the header 2\n"},
        {{"--batch", Write("c.csv", "")}, "c.csv:1: the file is empty: it has no header row\n"},
        {{"--batch", m_folder}, ": it is not a regular file\n"},
        {{"--batch", good, "--json"},
         "--json cannot go with --batch (it has --format, --output and --line-report)\nRun vyra-select --help\n"},
        {{"--format", "json"}, "--format needs --batch\nRun vyra-select --help\n"},
    };
    for (const auto& [args, ending] : failures) {
        const Outcome run = Select(args);
        EXPECT_EQ(run.status, 2) << args[1];
        EXPECT_TRUE(run.err.ends_with(ending)) << run.err;
    }
    Write("kept.csv", "old");
    const Outcome broken = Select({"--batch", Write("d.csv", "tension\n1\n2,3\n"), "--output", m_folder + "/kept.csv"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(Read("kept.csv"), "old");
    const Outcome unwritable = Select({"--batch", good, "--output", m_folder});
    EXPECT_EQ(unwritable.status, 3);
    EXPECT_EQ(unwritable.err, "vyra-select: cannot write " + m_folder + ": it is a folder\n");
    EXPECT_EQ(Select({"--batch", good, "--line-report", m_folder + "/l.pdf"}).status, 3);
}

// The options beside --batch are the base of every row.
TEST_F(Batch, OptionsAreTheBaseOfEveryRow)
{
    const std::string rows = Write("base.csv", "id,speed\nslow,100\nfast,900\n");
    const Outcome run = Select({"--batch", rows, "--format=json", "--tension=10", "--diameter=100",
                                "--roller-weight=10", "--bearing-weight=1", "--unit=N"});
    EXPECT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(Json::parse(line)["unit"], "N");
    std::getline(lines, line);
    EXPECT_EQ(Json::parse(line)["models"][0]["withinTolerance2"], false);
}

}  // namespace
}  // namespace vyra::cli
