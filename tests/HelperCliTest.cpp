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
#include <iterator>
#include <sstream>

#include <unistd.h>

namespace vyra::cli {
namespace {

struct HelperRun {
    int status = 0;
    std::string out;
    std::string err;
};

// A run of the words of a line split at spaces, as a shell splits them.
HelperRun Select(const std::string& words, const std::string& materialsFile = {})
{
    std::istringstream in(words);
    std::ostringstream out, err;
    const int status = RunSelector(ParseSelectorOptions({std::istream_iterator<std::string>(in), {}}), out, err,
                                   {"Dec 07,2026", false, {materialsFile}});
    return {status, out.str(), err.str()};
}

// Each figure a JSON document holds at these pointers is the engine's own double.
void ExpectFigures(const std::string& words, const std::vector<std::string>& pointers,
                   const std::vector<double>& figures)
{
    const HelperRun run = Select(words + " --json");
    ASSERT_EQ(run.status, kComputed) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    for (std::size_t i = 0; i < pointers.size(); ++i) {
        EXPECT_EQ(doc.at(nlohmann::json::json_pointer(pointers[i])).get<double>(), figures.at(i)) << pointers[i];
    }
}

TEST(HelperCli, DocumentsCarryTheEnginesFigures)
{
    const TensionAdvice advice =
        *AdviseTension(BuiltInMaterials(), *ReadWebDescription({"PET", "1000", "12"}), 10.0, kKgf);
    ExpectFigures(
        "--advise-tension --material PET --width 1000 --thickness 12 --tension 10",
        {"/tensionPerWidth/typical", "/tension/high", "/breakLoad", "/shareOfBreak"},
        {advice.perWidth.typical, advice.tension.high, advice.breakLoad.value(), advice.shareOfBreak.value()});
    const RollerLimits limits = *ComputeRollerLimits(*ReadRollerDrawing({"100", "90", "1000"}), 20.0, 100.0);
    ExpectFigures("--roller-calc --tube-od=100 --tube-id=90 --face=1000 --roller-material=Steel --load=20 --speed=100",
                  {"/weight", "/deflection", "/loadedDeflection", "/criticalSpeed/hz", "/criticalSpeed/rpm",
                   "/criticalSpeed/surface", "/speedShare"},
                  {limits.weight, limits.deflection, limits.loadedDeflection.value(), limits.criticalHz,
                   limits.criticalRpm, limits.criticalSurface, limits.speedShare.value()});
    // The material's own name whatever its case; kgf is N / 9.8 in every run.
    const auto newtons = nlohmann::json::parse(
        Select("--advise-tension --material pet --width=1000 --thickness=12 --unit=N --json").out);
    EXPECT_EQ(newtons["material"], "PET");
    EXPECT_DOUBLE_EQ(newtons["tension"]["typical"].get<double>() / 9.8, advice.tension.typical);
    EXPECT_FALSE(newtons.contains("shareOfBreak"));
}

TEST(HelperCli, MaterialsListTheUsersFileToo)
{
    const std::string path = ::testing::TempDir() + "helper-materials-" + std::to_string(::getpid()) + ".csv";
    std::ofstream(path)
        << "name,basis,low,typical,high,break\nPT\x1b[2JFE,thickness,1,2,3,\nHuge,thickness,1,2,3,1e308\n";
    const HelperRun run = Select("--materials --json", path);
    const HelperRun text = Select("--materials", path);
    EXPECT_NE(text.out.find("PT\\x1B[2JFE"), std::string::npos);
    const HelperRun huge = Select("--advise-tension --material=huge --width=1000 --thickness=12", path);
    std::filesystem::remove(path);
    EXPECT_TRUE(huge.status == kUsageError
                && huge.err.starts_with("vyra-select: --material: the material table's row Huge"));
    ASSERT_EQ(run.status, kComputed) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    ASSERT_EQ(doc.size(), BuiltInMaterials().Rows().size() + 2);
    for (const auto& row : doc) {
        EXPECT_TRUE(row.contains("name") && row.contains("basis") && row.contains("source")) << row;
    }
    EXPECT_EQ(doc.back()["name"], "Huge");
}

// A broken table stops only the rows that need a material; a row's material
// reaches the message column escaped; a web past computing names its input.
TEST(HelperCli, BatchReadsTheTableForTheRowsThatNeedIt)
{
    const std::string path = ::testing::TempDir() + "helper-batch-" + std::to_string(::getpid()) + ".csv";
    const std::string row = "\n100,10,1,100,";
    std::ofstream(path) << "diameter,roller-weight,bearing-weight,speed,material,width,thickness,tension" << row
                        << ",,,10" << row << "PET,1000,12," << row << "P\x1b,1000,12," << row << "PET,1000,1e308,\n";
    std::ofstream(path + ".m") << "name\n";
    const HelperRun broken = Select("--batch " + path, path + ".m");
    const HelperRun unknown = Select("--batch " + path);
    std::filesystem::remove(path);
    std::filesystem::remove(path + ".m");
    EXPECT_NE(broken.out.find("\r\n1,,ok,"), std::string::npos) << broken.out;
    EXPECT_NE(broken.out.find("\r\n2,,refused,\"Invalid row: " + path + ".m: line 1: no column"), std::string::npos);
    EXPECT_NE(unknown.out.find("\r\n3,,refused,\"Invalid row: material: \"\"P\\x1B\"\" is not in"), std::string::npos);
    EXPECT_NE(unknown.out.find("\r\n4,,refused,Invalid row: thickness: the value is too far out of range"),
              std::string::npos);
}

TEST(HelperCli, WrongWordsAreUsageErrorsNamingTheField)
{
    const std::vector<std::pair<std::string, std::string>> refused{
        {"--advise-tension --material=PET --width=-5 --thickness=12", "--width: a number of mm above 0, not \"-5\""},
        {"--advise-tension --material=PET --width=5 --thickness=12 --tension=x",
         "--tension: a number of kgf above 0, not \"x\""},
        {"--advise-tension --material=PTFE --width=5 --thickness=12",
         "--material: \"PTFE\" is not in the material table"},
        {"--roller-calc --tube-od=100 --tube-id=90 --face=1000 --speed=fast",
         "--speed: a number of m/min, 0 or above, not \"fast\""},
        {"--roller-calc --tube-od=100 --face=1000 --load=-1", "--load: a number of kg, 0 or above, not \"-1\""},
        {"--thickness=12", "--thickness needs --advise-tension"},
        {"--face=12", "--face needs --roller-calc"},
        {"--materials --roller-calc", "--advise-tension, --materials and --roller-calc go one at a time"},
        {"--roller-calc --tube-od=100 --face=1000 --diameter=100", "--diameter cannot go with --roller-calc"},
        {"--materials --batch=x.csv", "--batch cannot go with --materials"},
        {"--advise-tension --material=PET --width=1000 --thickness=1e308",
         "--thickness: the value is too far out of range for the figures to be computed"},
        {"--roller-calc --tube-od=100 --face=1000 --load=1e308",
         "--load: the value is too far out of range for the figures to be computed"},
    };
    for (const auto& [args, message] : refused) {
        const HelperRun run = Select(args);
        EXPECT_EQ(run.status, kUsageError) << message;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n')), "vyra-select: " + message);
    }
}

}  // namespace
}  // namespace vyra::cli
