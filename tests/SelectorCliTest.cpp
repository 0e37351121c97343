// vyra-select through RunSelector, as its main calls it: words in, what it
// wrote and its exit status out.
#include "SelectorCli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

Outcome Select(std::vector<std::string> args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunSelector(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> Worked(std::vector<std::string> extra = {})
{
    std::vector<std::string> args{"--tension=10",       "--diameter=100", "--roller-weight=10", "--alpha=0",
                                  "--beta=0",           "--gamma=0",      "--position=0",       "--height=0",
                                  "--bearing-weight=1", "--speed=100"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

// The JSON document holds the tables in the engine's units as exact
// doubles, the verdicts, the choices as the engine took them, and null for
// a value that is not finite.
TEST(SelectorJson, CarriesTablesVerdictsAndChoices)
{
    const Json worked = Json::parse(Select(Worked({"--json"})).out);
    EXPECT_EQ(worked["status"], "ok");
    const Json& first = worked["models"][0];
    EXPECT_EQ(first["name"], "Vyra05B");
    EXPECT_EQ(first["F1"].get<double>(), 100 / (60 * 3.141592653589793 * 100 * 0.001));
    EXPECT_NEAR(first["Zs"].get<double>(), 0.9349, 5e-5);
    EXPECT_EQ(first["fail1"], Json({{"P1", false}, {"Zr", false}, {"Zs", true}, {"Vr", false}, {"S", false}}));
    EXPECT_EQ(first["withinTolerance1"], false);
    EXPECT_EQ(first["withinTolerance2"], true);
    const Json safe =
        Json::parse(Select(Worked({"--json", "--unit", "N", "--tension", "98", "--type", "safe", "--sensors", "one",
                                   "--side", "independent", "--channel", "one", "--fulcrum", "left"}))
                        .out);
    EXPECT_EQ(safe["unit"], "N");
    EXPECT_EQ(safe["type"], "safe");
    EXPECT_EQ(safe["methodCode"], 4);
    EXPECT_EQ(safe["models"][8]["name"], "Vyra41S");
    EXPECT_NEAR(safe["models"][0]["P1"].get<double>(), 20, 1e-12);
    EXPECT_EQ(Json::parse(Select(Worked({"--json", "--side=independent", "--channel=one"})).out)["methodCode"], 0);
    EXPECT_NEAR(first["maxSpeed"].get<double>(), 0.7 * first["F2"].get<double>() * 60 * 3.141592653589793 * 0.1, 1e-9);
    EXPECT_EQ(first["passingGamma"], Json::parse("[[-97,-90],[83,90]]"));
    const Json calibrated = Json::parse(Select(Worked({"--json", "--calibration-weight=5"})).out);
    EXPECT_EQ(calibrated["calibration"]["weight"], 5.0);
    EXPECT_NEAR(calibrated["calibration"]["models"][0]["Vt"].get<double>(), first["Vt"].get<double>() / 2, 1e-9);
    const Json cancelled = Json::parse(Select(Worked({"--json", "--position=-32.5"})).out);
    EXPECT_TRUE(cancelled["models"][0]["S"].is_null());
    EXPECT_EQ(cancelled["models"][0]["fail1"]["S"], true);
}

// A refused case: status 1, the message box's title and message on standard
// error (a carriage return as a line break) or as JSON with its marks.
TEST(SelectorFields, TakeAnyTextAsTypedIntoTheField)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--alpha=-180", "--beta=180"}, ""},
        {{"--alpha", "-180", "--beta", "180"}, ""},
        {{"--gamma", "-.5e2"}, "The resultant force angle's error: "},
        {{"--tension=-"}, "Inapplicable values: Input values with half-size characters.\n"},
        {{"--gamma=-x"}, ""},
        {{"--speed="}, ""},
        {{"--diameter=12abc"}, ""},
        {{"--tension=1e999"}, "Inapplicable values: The value of FS is too large.\n"},
        {{"--speed=-2"}, "Input error: Input positive numbers of Tension and\nRoller diameter"}};
    for (const auto& [extra, refusal] : cases) {
        const Outcome run = Select(Worked(extra));
        EXPECT_EQ(run.status, refusal.empty() ? 0 : 1) << extra[0];
        EXPECT_EQ(run.err.substr(0, refusal.size()), refusal) << extra[0];
    }
    EXPECT_EQ(Select({"--diameter=100", "--roller-weight=10"}).err,
              "Inapplicable values: Input values with half-size characters.\n");
    const Outcome json = Select(Worked({"--json", "--alpha=10"}));
    const Json refused = Json::parse(json.out);
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(refused["status"], "rejected");
    EXPECT_EQ(refused["marked"], Json({3, 4, 5}));
    EXPECT_EQ(refused["fulcrumMarked"], true);
    EXPECT_NE(Select(Worked({"--json", "--speed=-1"})).out.find(R"(Tension and\rRoller)"), std::string::npos);
}

// A mistake in the words: status 2, one line saying what, and where help is.
TEST(SelectorUsage, MistakesHelpAndVersion)
{
    const std::vector<std::vector<std::string>> mistakes = {
        {"--colour=red"},      {"--unit", "lbf"},         {"--type=Standard"}, {"--alpha"},
        {"--alpha", "--json"}, {"--alpha", "-x"},         {"stray"},           {"--customer", "-h"},
        {"--report="},         {"--sketch", ""},          {"--charts"},        {"--chart", "pie", "c.png"},
        {"--gamma-scan"},      {"--calibration-weight=0"}};
    for (const std::vector<std::string>& extra : mistakes) {
        const Outcome run = Select(Worked(extra));
        EXPECT_EQ(run.status, 2) << extra[0];
        EXPECT_TRUE(run.err.starts_with("vyra-select: ") && run.err.ends_with("\nRun vyra-select --help\n")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    const Outcome help = Select({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--tension", "--speed", "--unit", "--channel", "--customer", "--json", "--version"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(Select(Worked({"--version"})).out, "vyra-select " VYRA_VERSION "\n");
    EXPECT_TRUE(RequestsGraphics(Worked({"--print=yes"})));
    EXPECT_FALSE(RequestsGraphics(Worked({"--print=no"})));
    EXPECT_TRUE(RequestsGraphics(Worked({"--report", "a.pdf", "--report", "b.pdf"})));
    EXPECT_FALSE(RequestsGraphics(Worked({"--customer=--report"})));
}

// --save-case keeps the case as given, checks or not; --case reads it back
// with the options beside it in place of its entries; a broken case file
// ends with status 2 and the file's problem.
TEST(SelectorCase, SavesReadsAndOverridesCaseFiles)
{
    const std::string folder = ::testing::TempDir() + "cli-case-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    const std::string path = folder + "/c.vyracase";
    const std::vector<std::string> harsh{"--unit=N",
                                         "--type=safe",
                                         "--fulcrum=left",
                                         "--sensors=one",
                                         "--side=independent",
                                         "--channel=one",
                                         "--customer=Ünicode",
                                         "--date=",
                                         "--machine=" + std::string(10000, 'm')};
    const Outcome direct = Select(Worked(harsh));
    std::vector<std::string> saving = Worked(harsh);
    saving.push_back("--save-case=" + path);
    EXPECT_EQ(Select(saving).out, direct.out);
    EXPECT_EQ(Select({"--case", path}).out, direct.out);
    const Case saved = std::get<Case>(ReadCaseFile(path));
    EXPECT_EQ(saved.report,
              (std::array<std::string, kReportItemCount>{"Ünicode", "", std::string(10000, 'm'), "", ""}));
    EXPECT_EQ(saved.forceUnit, kNewton);
    EXPECT_EQ(Select({"--alpha=5", "--save-case", path}).status, 1);
    const Json reread = Json::parse(Select({"--case=" + path, "--json", "--alpha=0", "--tension=10", "--diameter=100",
                                            "--roller-weight=10", "--speed=7", "--unit=kgf"})
                                        .out);
    EXPECT_EQ(reread["unit"], "kgf");
    EXPECT_EQ(reread["type"], "standard");
    EXPECT_EQ(reread["models"][0]["name"], "Vyra05B");

    ::mkdir((folder + "/dir").c_str(), 0700);
    const Outcome broken = Select({"--case", folder + "/dir", "--json"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.err, "vyra-select: " + folder + "/dir: it is not a regular file\n");
    EXPECT_TRUE(broken.out.empty());
    EXPECT_EQ(Select(Worked({"--save-case", folder + "/dir"})).status, 3);
}

// The text tables: the screens' patterns, a "*" after a failing value, the
// verdict per model, loads and eccentric force in the run's unit.
TEST(SelectorText, TablesMarkFailuresAndVerdicts)
{
    const Outcome run = Select(Worked());
    EXPECT_NE(run.out.find("Selection result 1 (Standard series, Two sensors)"), std::string::npos);
    EXPECT_NE(run.out.find("1 Vyra05B      10.0       6.0      16.0      0.58      0.35      0.93*    0.310"
                           "     0.186      16.1  no"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("1 Vyra05B       5.3      38.8      47.5      0.14      0.11     31.42      0.02  yes"),
              std::string::npos);
    const Outcome newton = Select(Worked({"--unit=N", "--tension=98", "--position=-32.5"}));
    EXPECT_NE(newton.out.find("P1[N]"), std::string::npos);
    EXPECT_NE(newton.out.find("PB[N]"), std::string::npos);
    EXPECT_NE(newton.out.find("      ---*"), std::string::npos);
}

}  // namespace
}  // namespace vyra::cli
