#include "SelectorCli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace vyra::cli {
namespace {

using Json = nlohmann::json;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Select(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunSelector(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> WorkedExample(std::vector<std::string> extra = {})
{
    std::vector<std::string> args{"--tension=10",   "--diameter=100",     "--roller-weight=10", "--alpha=0",
                                  "--beta=0",       "--gamma=0",          "--position=0",       "--height=0",
                                  "--bearing-weight=1", "--speed=100"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(SelectorJson, ComputedCaseCarriesTablesAndVerdicts)
{
    const Outcome run = Select(WorkedExample({"--json"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["status"], "ok");
    EXPECT_EQ(doc["unit"], "kgf");
    EXPECT_EQ(doc["type"], "standard");
    EXPECT_EQ(doc["methodCode"], 0);
    ASSERT_EQ(doc["models"].size(), 9u);
    const Json& first = doc["models"][0];
    EXPECT_EQ(first["index"], 0);
    EXPECT_EQ(first["name"], "Vyra05B");
    EXPECT_NEAR(first["P1"].get<double>(), 10, 1e-12);
    EXPECT_NEAR(first["Zs"].get<double>(), 0.9349, 5e-5);
    EXPECT_NEAR(first["Vt"].get<double>(), 310.36, 5e-3);
    EXPECT_NEAR(first["PB"].get<double>(), 0.02098, 5e-6);
    EXPECT_EQ(first["fail1"], Json({{"P1", false}, {"Zr", false}, {"Zs", true}, {"Vr", false}, {"S", false}}));
    EXPECT_EQ(first["withinTolerance1"], false);
    EXPECT_EQ(first["fail2"], Json({{"F1F2", false}, {"F1F3", false}}));
    EXPECT_EQ(first["withinTolerance2"], true);
    const char* const names[] = {"Vyra05B", "Vyra05A", "Vyra11B", "Vyra11A", "Vyra25B",
                                 "Vyra25A", "Vyra33B", "Vyra33A", "Vyra41"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(doc["models"][i]["index"], i);
        EXPECT_EQ(doc["models"][i]["name"], names[i]);
        EXPECT_TRUE(doc["models"][i]["F3"].is_number()) << i;
    }
}

TEST(SelectorJson, NumbersReadBackToTheEngineDoubles)
{
    const Outcome run = Select(WorkedExample({"--json", "--alpha=30", "--beta=60", "--gamma=-120"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
    // F1 = V / (60 pi d 10^-3), formed as the engine forms it.
    const double F1 = 100 / (60 * 3.141592653589793 * 100 * 0.001);
    EXPECT_EQ(doc["models"][3]["F1"].get<double>(), F1);
}

TEST(SelectorJson, ChoicesReachTheEngine)
{
    const Outcome run = Select(WorkedExample(
        {"--json", "--unit", "N", "--tension", "98", "--type", "safe", "--sensors", "one", "--side", "independent",
         "--channel", "one", "--fulcrum", "left"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["unit"], "N");
    EXPECT_EQ(doc["type"], "safe");
    EXPECT_EQ(doc["methodCode"], 4);
    for (int i = 0; i < 9; ++i) {
        const std::string name = doc["models"][i]["name"];
        EXPECT_EQ(name.back(), 'S') << name;
    }
    EXPECT_EQ(doc["models"][8]["name"], "Vyra41S");
    EXPECT_NEAR(doc["models"][0]["P1"].get<double>(), 20, 1e-12);
}

TEST(SelectorJson, SideAndChannelAreIgnoredWithTwoSensors)
{
    const Outcome run = Select(WorkedExample({"--json", "--side", "independent", "--channel", "one"}));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(Json::parse(run.out)["methodCode"], 0);
}

TEST(SelectorJson, NonFiniteValuesAreNull)
{
    const Outcome run = Select(WorkedExample({"--json", "--position=-32.5"}));
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
    EXPECT_TRUE(doc["models"][0]["S"].is_null());
    EXPECT_EQ(doc["models"][0]["fail1"]["S"], true);
    EXPECT_TRUE(doc["models"][2]["S"].is_number());
}

TEST(SelectorJson, RefusedCaseNamesItsMarks)
{
    const Outcome run = Select(WorkedExample({"--json", "--alpha=10"}));
    EXPECT_EQ(run.status, 1);
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["status"], "rejected");
    EXPECT_EQ(doc["title"], "The resultant force angle's error");
    EXPECT_EQ(doc["message"], "The angle of the resultant force is not within the tolerance.");
    EXPECT_EQ(doc["marked"], Json({3, 4, 5}));
    EXPECT_EQ(doc["fulcrumMarked"], true);
}

TEST(SelectorJson, CarriageReturnOfTheNegativeValueMessageIsEscaped)
{
    const Outcome run = Select(WorkedExample({"--json", "--speed=-1"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(R"(Tension and\rRoller)"), std::string::npos) << run.out;
    EXPECT_EQ(Json::parse(run.out)["marked"], Json::array());
}

struct FieldFormCase {
    std::vector<std::string> args;
    int status;
    const char* refusal;  // what standard error starts with, or ""
};

TEST(SelectorFields, TakeAnyTextAsTypedIntoTheField)
{
    const FieldFormCase cases[] = {
        {{"--alpha=-180", "--beta=180"}, 0, ""},
        {{"--alpha", "-180", "--beta", "180"}, 0, ""},
        {{"--gamma", "-.5e2"}, 1, "The resultant force angle's error: "},
        {{"--tension=-"}, 1, "Inapplicable values: Input values with half-size characters."},
        {{"--gamma=-x"}, 0, ""},
        {{"--speed="}, 0, ""},
        {{"--speed", ""}, 0, ""},
        {{"--diameter=12abc"}, 0, ""},
        {{"--tension=1e999"}, 1, "Inapplicable values: The value of FS is too large."},
        {{"--gamma=40000"}, 1, "Inapplicable values: Input the value of gamma from -32768 to 32767."},
        {{"--speed=-2"}, 1, "Input error: Input positive numbers of Tension and\nRoller diameter"},
    };
    for (const FieldFormCase& c : cases) {
        const Outcome run = Select(WorkedExample(c.args));
        EXPECT_EQ(run.status, c.status) << c.args[0] << '\n' << run.err;
        EXPECT_EQ(run.err.rfind(c.refusal, 0), 0u) << c.args[0] << '\n' << run.err;
    }
}

TEST(SelectorFields, MissingFieldIsAnEmptyField)
{
    const Outcome run = Select({"--diameter=100", "--roller-weight=10"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Inapplicable values: Input values with half-size characters.\n");
    EXPECT_TRUE(run.out.empty());
}

TEST(SelectorUsage, MistakesExitWithTwoAndOneLine)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--colour=red"}, {"--unit", "lbf"}, {"--unit=1"}, {"--type=Standard"}, {"--sensors", "three"}, {"--alpha"},
        {"--alpha", "--json"}, {"--alpha", "-x"}, {"--unit"}, {"stray"}, {"--customer"}, {"--customer", "-h"},
        {"--report="}, {"--sketch", ""},
    };
    for (const std::vector<std::string>& extra : cases) {
        const Outcome run = Select(WorkedExample(extra));
        EXPECT_EQ(run.status, 2) << extra[0];
        EXPECT_EQ(run.err.rfind("vyra-select: ", 0), 0U) << run.err;
        EXPECT_TRUE(run.err.ends_with("\nRun vyra-select --help\n")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
        EXPECT_TRUE(run.out.empty()) << extra[0];
    }
}

TEST(SelectorUsage, HelpAndVersion)
{
    const Outcome help = Select({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--tension", "--speed", "--unit", "--channel", "--customer", "--json", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const Outcome version = Select(WorkedExample({"--version"}));
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vyra-select " VYRA_VERSION "\n");
}

// Whatever the form of the words, a request for the report, print or sketch
// goes to the twin that can draw; the last of a repeated file option counts.
TEST(SelectorUsage, GraphicsRequestsAreFoundByTheParser)
{
    EXPECT_TRUE(RequestsGraphics(WorkedExample({"--print=yes"})));
    EXPECT_FALSE(RequestsGraphics(WorkedExample({"--print=no"})));
    EXPECT_TRUE(RequestsGraphics(WorkedExample({"--report", "a.pdf", "--report", "b.pdf"})));
    EXPECT_FALSE(RequestsGraphics(WorkedExample({"--customer=--report"})));
    EXPECT_FALSE(RequestsGraphics(WorkedExample({"--report="})));
}

TEST(SelectorText, TablesMarkFailuresAndVerdicts)
{
    const Outcome run = Select(WorkedExample({"--customer", "ACME Paper", "--date=Dec 06,2026"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Selection result 1 (Standard series, Two sensors)"), std::string::npos);
    EXPECT_NE(run.out.find("1 Vyra05B      10.0       6.0      16.0      0.58      0.35      0.93*    0.310"
                           "     0.186      16.1  no"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("5 Vyra25B"), std::string::npos);
    EXPECT_NE(run.out.find("82.1* no"), std::string::npos);
    EXPECT_NE(run.out.find("1 Vyra05B       5.3      38.8      47.5      0.14      0.11     31.42      0.02  yes"),
              std::string::npos)
        << run.out;
}

TEST(SelectorText, NewtonsShowWholeLoadsAndNonFiniteAsDashes)
{
    const Outcome run = Select(WorkedExample({"--unit=N", "--tension=98", "--position=-32.5"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("P1[N]"), std::string::npos);
    EXPECT_NE(run.out.find("PB[N]"), std::string::npos);
    EXPECT_NE(run.out.find("      ---*"), std::string::npos) << run.out;
}

// The installed program itself: exit statuses through a real process.
TEST(SelectorProcess, ExitStatusesOfTheProgram)
{
    const std::string program = VYRA_SELECT_PATH;
    const std::pair<std::string, int> cases[] = {
        {" --tension=10 --diameter=100 --roller-weight=10 --json", 0},
        {" --tension=10 --diameter=100 --roller-weight=10 --alpha=10 --json", 1},
        {" --tension=10 --unit=lbf", 2},
        {" --help", 0},
    };
    for (const auto& [args, expected] : cases) {
        const int status = std::system((program + args + " >/dev/null 2>&1").c_str());
        ASSERT_TRUE(WIFEXITED(status)) << args;
        EXPECT_EQ(WEXITSTATUS(status), expected) << args;
    }
}

}  // namespace
}  // namespace vyra::cli
