// vyra-select's helpers through RunSelector: each JSON document parsed and
// held against the engine's own figures, which WebHelpersTest holds against
// the hand-worked ones; wrong words refused as usage errors naming the field.
#include "MaterialFile.h"
#include "RollerDrawing.h"
#include "SelectorCli.h"
#include "WebTension.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace vyra::cli {
namespace {

struct HelperRun {
    int status = 0;
    std::string out;
    std::string err;
};

HelperRun Select(const std::vector<std::string>& args, const std::string& materialsFile = {})
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunSelector(ParseSelectorOptions(args), out, err, {"Dec 07,2026", false, materialsFile});
    return {status, out.str(), err.str()};
}

TEST(HelperCli, AdviceCarriesTheEnginesFigures)
{
    const HelperRun run = Select(
        {"--advise-tension", "--material", "pet", "--width", "1000", "--thickness", "12", "--tension", "10", "--json"});
    ASSERT_EQ(run.status, kComputed) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    const TensionAdvice advice =
        *AdviseTension(BuiltInMaterials(), *ReadWebDescription({"PET", "1000", "12"}), 10.0, kKgf);
    EXPECT_EQ(doc["material"], "PET");
    EXPECT_EQ(doc["tensionPerWidth"]["typical"].get<double>(), advice.perWidth.typical);
    EXPECT_EQ(doc["tension"]["high"].get<double>(), advice.tension.high);
    EXPECT_EQ(doc["breakLoad"].get<double>(), advice.breakLoad.value());
    EXPECT_EQ(doc["shareOfBreak"].get<double>(), advice.shareOfBreak.value());
    // kgf is N / 9.8 in every run.
    const auto newtons = nlohmann::json::parse(
        Select({"--advise-tension", "--material", "PET", "--width=1000", "--thickness=12", "--unit=N", "--json"}).out);
    EXPECT_DOUBLE_EQ(newtons["tension"]["typical"].get<double>() / 9.8, advice.tension.typical);
    EXPECT_FALSE(newtons.contains("shareOfBreak"));
}

TEST(HelperCli, MaterialsListTheUsersFileToo)
{
    const std::string path = ::testing::TempDir() + "helper-materials-" + std::to_string(::getpid()) + ".csv";
    std::ofstream(path) << "name,basis,low,typical,high\nPTFE,thickness,1,2,3\n";
    const HelperRun run = Select({"--materials", "--json"}, path);
    std::filesystem::remove(path);
    ASSERT_EQ(run.status, kComputed) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc.size(), BuiltInMaterials().Rows().size() + 1);
    for (const auto& row : doc) {
        EXPECT_TRUE(row.contains("name") && row.contains("basis") && row.contains("source")) << row;
    }
    EXPECT_EQ(doc.back()["name"], "PTFE");
}

TEST(HelperCli, RollerCarriesTheEnginesFigures)
{
    const HelperRun run = Select({"--roller-calc", "--tube-od=100", "--tube-id=90", "--face=1000",
                                  "--roller-material=Steel", "--load=20", "--speed=100", "--json"});
    ASSERT_EQ(run.status, kComputed) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    const RollerLimits limits = ComputeRollerLimits(*ReadRollerDrawing({"100", "90", "1000"}), 20.0, 100.0);
    EXPECT_EQ(doc["weight"].get<double>(), limits.weight);
    EXPECT_EQ(doc["deflection"].get<double>(), limits.deflection);
    EXPECT_EQ(doc["loadedDeflection"].get<double>(), limits.loadedDeflection.value());
    EXPECT_EQ(doc["criticalSpeed"]["hz"].get<double>(), limits.criticalHz);
    EXPECT_EQ(doc["criticalSpeed"]["rpm"].get<double>(), limits.criticalRpm);
    EXPECT_EQ(doc["criticalSpeed"]["surface"].get<double>(), limits.criticalSurface);
    EXPECT_EQ(doc["speedShare"].get<double>(), limits.speedShare.value());
}

TEST(HelperCli, WrongWordsAreUsageErrorsNamingTheField)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused{
        {{"--advise-tension", "--material=PET", "--width=-5", "--thickness=12"},
         "--width: a number of mm above 0, not \"-5\""},
        {{"--advise-tension", "--material=PET", "--width=5", "--thickness=12", "--tension=x"},
         "--tension: a number of kgf above 0, not \"x\""},
        {{"--advise-tension", "--material=PTFE", "--width=5", "--thickness=12"},
         "--material: \"PTFE\" is not in the material table"},
        {{"--roller-calc", "--tube-od=100", "--tube-id=90", "--face=1000", "--speed=fast"},
         "--speed: a number of m/min, 0 or above, not \"fast\""},
        {{"--roller-calc", "--tube-od=100", "--face=1000", "--load=-1"},
         "--load: a number of kg, 0 or above, not \"-1\""},
        {{"--thickness=12"}, "--thickness needs --advise-tension"},
        {{"--face=12"}, "--face needs --roller-calc"},
        {{"--materials", "--roller-calc"}, "--advise-tension, --materials and --roller-calc go one at a time"},
        {{"--roller-calc", "--tube-od=100", "--face=1000", "--diameter=100"},
         "--diameter cannot go with --roller-calc"},
        {{"--materials", "--batch=x.csv"}, "--batch cannot go with --materials"},
    };
    for (const auto& [args, message] : refused) {
        const HelperRun run = Select(args);
        EXPECT_EQ(run.status, kUsageError) << message;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "vyra-select: " + message);
    }
}

}  // namespace
}  // namespace vyra::cli
