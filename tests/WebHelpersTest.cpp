// The tension advisor against the shipped table and the roller formulas,
// each against figures worked out from the published figures and the
// textbook formulas (tests/cases/engine_web_tension.txt, engine_roller.txt).
#include "BatchFile.h"
#include "CaseFile.h"
#include "HelperTexts.h"
#include "MaterialFile.h"
#include "MaterialTableFile.h"
#include "ResultFormat.h"
#include "RollerDrawing.h"
#include "ShippedMaterials.h"
#include "TestCases.h"
#include "WebTension.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace vyra {
namespace {

std::optional<double> Optional(const std::string& field)
{
    return field.empty() || field == "-" ? std::nullopt : std::optional(test::Number(field));
}

void ExpectNear(std::optional<double> found, const std::string& expected, double relative, const std::string& what)
{
    ASSERT_EQ(found.has_value(), Optional(expected).has_value()) << what;
    if (found) {
        EXPECT_NEAR(*found, test::Number(expected), std::abs(test::Number(expected)) * relative) << what;
    }
}

TEST(WebTension, ShippedTableMeetsThePublishedFigures)
{
    for (const auto& row : test::ReadCaseTable("engine_web_tension", 15)) {
        const Expected<WebDescription> web = ReadWebDescription({row[1], row[2], row[3], row[4], row[5]});
        ASSERT_TRUE(web) << row[0] << ": " << test::ReasonOf(web);
        const ForceUnit unit = row[6] == "N" ? kNewton : kKgf;
        const Expected<TensionAdvice> advice = AdviseTension(BuiltInMaterials(), *web, Optional(row[7]), unit);
        ASSERT_TRUE(advice) << row[0] << ": " << test::ReasonOf(advice);
        // The shipped table has each family, with its source.
        EXPECT_FALSE(BuiltInMaterials().Find(row[1])->source.empty()) << row[0];
        // The table keeps four figures of each converted tension; the case
        // table six of every figure.
        const std::optional<double> found[] = {advice->perWidth.low,    advice->perWidth.typical, advice->perWidth.high,
                                               advice->tension.typical, advice->breakLoad,        advice->shareOfBreak};
        const double tolerance[] = {5e-4, 5e-4, 5e-4, 5e-4, 1e-5, 1e-4};
        for (std::size_t i = 0; i < std::size(found); ++i) {
            ExpectNear(found[i], row[8 + i], tolerance[i], row[0] + " column " + std::to_string(8 + i));
        }
        EXPECT_EQ(advice->pastBreakShare, row[14] == "yes") << row[0];
    }
}

// The table the page compiles in as data is the shipped text, row by row.
TEST(WebTension, ShippedTableAsDataIsTheShippedText)
{
    EXPECT_EQ(ShippedMaterialTable().Rows(), BuiltInMaterials().Rows());
    // The helpers offer "laminate" once: the table's row, or after the rows.
    const std::vector<std::string> offered = MaterialChoices(ShippedMaterialTable());
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "laminate"), 1);
    MaterialTable films;
    films.Put({"PET", TensionBasis::Thickness, 1, 2, 3, {}, {}, ""});
    EXPECT_EQ(MaterialChoices(films), (std::vector<std::string>{"PET", "laminate"}));
}

TEST(WebTension, RefusalsNameTheField)
{
    for (const auto& row : test::ReadCaseTable("engine_web_refusals", 7)) {
        const Expected<WebDescription> web = ReadWebDescription({row[1], row[2], row[3], row[4], row[5]});
        const std::string reason =
            web ? test::ReasonOf(AdviseTension(BuiltInMaterials(), *web, std::nullopt, kKgf)) : web.Error().reason;
        EXPECT_EQ(reason, row[6]) << row[0];
    }
}

TEST(RollerDrawing, MeetsTheTextbookFormulas)
{
    for (const auto& row : test::ReadCaseTable("engine_roller", 19)) {
        const Expected<RollerDrawing> drawing =
            ReadRollerDrawing({row[1], row[2], row[3], row[4], row[5], row[6], row[7]});
        ASSERT_TRUE(drawing) << row[0] << ": " << test::ReasonOf(drawing);
        const RollerLimits limits = *ComputeRollerLimits(*drawing, Optional(row[8]), Optional(row[9]));
        const std::optional<double> found[] = {limits.weight,     limits.deflection,  limits.loadedDeflection,
                                               limits.criticalHz, limits.criticalRpm, limits.criticalSurface,
                                               limits.speedShare};
        for (std::size_t i = 0; i < std::size(found); ++i) {
            ExpectNear(found[i], row[10 + i], 1e-5, row[0] + " column " + std::to_string(10 + i));
        }
        EXPECT_EQ(limits.pastGuide, row[17] == "yes") << row[0];
        EXPECT_EQ(limits.pastSpeedShare, row[18] == "yes") << row[0];
    }
}

TEST(RollerDrawing, RefusalsNameTheField)
{
    const std::vector<std::pair<RollerTexts, std::string>> refused{
        {{"", "90", "1000"}, "tube-od: a number of mm above 0, not \"\""},
        {{"100", "100", "1000"}, "tube-id: 100 mm is not less than tube-od 100 mm"},
        {{"100", "-1", "1000"}, "tube-id: a number of mm, 0 or above, not \"-1\""},
        {{"100", "90", "0"}, "face: a number of mm above 0, not \"0\""},
        {{"100", "90", "1000", "brass"}, "roller-material: steel, aluminium or carbon, not \"brass\""},
        {{"100", "90", "1000", "steel", "7000"}, "density: give roller-material or density and modulus, not both"},
        {{"100", "90", "1000", "", "7000"}, "modulus: a number of GPa above 0, not \"\""},
        {{"100", "90", "1000", "", "", "", "-2"}, "journals: a number of kg, 0 or above, not \"-2\""},
        {{"1e308", "", "1000"}, "tube-od: the value is too far out of range for the figures to be computed"},
        {{"100", "", "1e-300"}, "face: the value is too far out of range for the figures to be computed"},
    };
    for (const auto& [texts, reason] : refused) {
        EXPECT_EQ(test::ReasonOf(ReadRollerDrawing(texts)), reason);
    }
}

// In an lbf run the helpers take inches and pounds, held in mm and kg and
// read back as typed; pli times the width in inches is the tension in lbf.
TEST(RollerDrawing, TakesInchesAndPoundsInAnLbfRun)
{
    const Expected<RollerDrawing> typed = ReadRollerDrawing({"4", "3.5", "40", "", "", "", "2"}, kLbf);
    ASSERT_TRUE(typed);
    for (const auto& [unit, texts] : {std::pair{kKgf, std::array{"101.6", "88.89999999999999", "1016", "0.90718474"}},
                                      {kLbf, std::array{"4", "3.5", "40", "2"}}}) {
        const RollerTexts back = TextsOf(*typed, unit);
        EXPECT_EQ(std::tie(back.tubeOd, back.tubeId, back.face, back.journals),
                  std::tie(texts[0], texts[1], texts[2], texts[3]));
    }
    EXPECT_EQ(test::ReasonOf(ReadRollerDrawing({"4", "4", "40"}, kLbf)), "tube-id: 4 in is not less than tube-od 4 in");
    EXPECT_EQ(test::ReasonOf(ReadRollerDrawing({"1e307", "", "40"}, kLbf)),
              "tube-od: 1e307 in is too large to compute with");
    EXPECT_EQ(test::ReasonOf(ReadRollerDrawing({"4", "", "40", "", "", "", "x"}, kLbf)),
              "journals: a number of lb, 0 or above, not \"x\"");
    const Expected<WebDescription> web = ReadWebDescription({"PET", "40", "12"}, kLbf);
    ASSERT_TRUE(web);
    EXPECT_NEAR(web->width, 1016, 1e-9);
    const TensionAdvice advice = *AdviseTension(BuiltInMaterials(), *web, std::nullopt, kLbf);
    EXPECT_EQ(TensionPerWidthLine(advice.perWidth, kLbf), "Tension per width [pli]: low "
                                                              + FormatPattern(advice.tension.low / 40, 2) + ", typical "
                                                              + FormatPattern(advice.tension.typical / 40, 2)
                                                              + ", high " + FormatPattern(advice.tension.high / 40, 2));
}

TEST(ReportLines, SayWhereTheValueCameFrom)
{
    const auto roller = [](const RollerTexts& texts) { return RollerOriginLine(*ReadRollerDrawing(texts)); };
    EXPECT_EQ(roller({"100", "90", "1000", "steel"}), "Roller: steel tube 100/90 × 1000 mm, 11.7 kg");
    EXPECT_EQ(roller({"60", "", "1500"}), "Roller: steel shaft 60 × 1500 mm, 33.3 kg");
    EXPECT_EQ(roller({"80", "70", "1200", "", "2000", "100", "3"}),
              "Roller: tube 80/70 × 1200 mm of 2000 kg/m³, 100 GPa + journals 3 kg, 5.8 kg");
    const auto tension = [](const WebTexts& texts, TensionPick pick) {
        return TensionOriginLine({*ReadWebDescription(texts), pick});
    };
    EXPECT_EQ(tension({"PET", "1000", "12"}, TensionPick::Typical), "Tension from: PET 12 µm, 1000 mm, typical");
    EXPECT_EQ(tension({"paper", "500", "", "80"}, TensionPick::High), "Tension from: paper 80 g/m², 500 mm, high");
    EXPECT_EQ(tension({"", "1000", "", "", "PET:12, PE:50"}, TensionPick::Low),
              "Tension from: laminate PET 12 µm + PE 50 µm, 1000 mm, low");
    EXPECT_EQ(TensionOriginLine({*ReadWebDescription({"PET", "48", "12"}, kLbf)}, kLbf),
              "Tension from: PET 12 µm, 48 in, typical");
    EXPECT_EQ(RollerOriginLine(*ReadRollerDrawing({"4", "3.5", "52", "", "", "", "2"}, kLbf), kLbf),
              "Roller: steel tube 4/3.5 × 52 in + journals 2 lb, 45.4 lb");
}

TEST(MaterialFile, RefusesWithLineAndColumn)
{
    const std::string header = "name,basis,low,typical,high\n";
    const std::vector<std::pair<std::string, std::string>> refused{
        {"", "it has no header row"},
        {"name,basis,low,typical\n", "line 1: no column \"high\""},
        {"name,basis,low,typical,high,colour\n", "line 1: unknown column \"colour\""},
        {"name,name,basis,low,typical,high\n", "line 1: the column \"name\" is named twice"},
        {header + "PET,thickness,1,2,3\n\nPE,area,1,2,3\n",
         "line 4: basis is thickness, grammage, yield or layers, not \"area\""},
        {header + "PET,thickness,1,x,3\n", "line 2: typical is a number, 0 or above, not \"x\""},
        {header + "PET,thickness,1,4,3\n", "line 2: typical lies between low and high"},
        {header + ",thickness,1,2,3\n", "line 2: name is empty"},
        {header + "PET,thickness,1,2\n", "line 2: the row has 4 fields, the header 5"},
        {header + "steel,yield,1,2,3\n", "line 2: yield is needed for a yield basis"},
        {header + "\"PET,thickness,1,2,3\n", "line 2: a quote out of place"},
    };
    for (const auto& [text, reason] : refused) {
        EXPECT_EQ(test::ReasonOf(ParseMaterialFile(text)), reason) << text;
    }
}

TEST(MaterialFile, UsersFileAddsAndOverridesAndOnlyTheUnnamedMayBeMissing)
{
    const std::string folder = ::testing::TempDir() + "materials-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/materials.csv";
    std::ofstream(path) << " typical , name , low , high , source,basis\n"
                           "2,pet,1,3,our own,thickness\n"
                           "1,PTFE,1,1,\"ours, measured\",thickness\n";
    const Expected<MaterialTable> table = LoadMaterialTable({path});
    ASSERT_TRUE(table) << test::ReasonOf(table);
    EXPECT_EQ(table->Rows().size(), BuiltInMaterials().Rows().size() + 1);
    EXPECT_EQ(table->Find("PET")->typical, 2);
    EXPECT_FALSE(table->Find("PET")->breakStrength);
    EXPECT_EQ(table->Find("ptfe")->source, "ours, measured");
    EXPECT_TRUE(LoadMaterialTable({folder + "/none.csv", false}));
    EXPECT_EQ(test::ReasonOf(LoadMaterialTable({folder + "/none.csv"})),
              folder + "/none.csv: No such file or directory");
    std::filesystem::create_symlink(folder + "/none.csv", folder + "/link.csv");
    EXPECT_EQ(test::ReasonOf(LoadMaterialTable({folder + "/link.csv", false})),
              folder + "/link.csv: it is a link to a file that is not there");
    std::ofstream(path) << "name\n";
    EXPECT_EQ(test::ReasonOf(LoadMaterialTable({path})), path + ": line 1: no column \"basis\"");
    EXPECT_EQ(test::ReasonOf(LoadMaterialTable({folder})).rfind(folder + ": ", 0), 0u);
    std::filesystem::remove_all(folder);
}

TEST(MaterialFile, UsersFileIsInTheSettingsFolderUnlessNamed)
{
    const auto with = [](const char* chosen, const char* config, const char* home) {
        for (auto [name, value] : {std::pair{"VYRA_MATERIALS_FILE", chosen}, std::pair{"XDG_CONFIG_HOME", config},
                                   std::pair{"HOME", home}}) {
            value ? ::setenv(name, value, 1) : ::unsetenv(name);
        }
        const UserMaterialFile file = FindUserMaterialFile();
        return file.path + (file.named ? " named" : "");
    };
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    EXPECT_EQ(with("/x/m.csv", "/c", "/h"), "/x/m.csv named");
    EXPECT_EQ(with(nullptr, "/c", "/h"), "/c/VyraSensorSelector/materials.csv");
    EXPECT_EQ(with("", nullptr, "/h"), "/h/.config/VyraSensorSelector/materials.csv");
    EXPECT_EQ(with(nullptr, nullptr, nullptr), "");
    with(nullptr, nullptr, home ? savedHome.c_str() : nullptr);
}

// The records go into a case file and come back whole, to the last digit
// (tube sizes 15 digits cannot tell apart); a case file without
// them reads as before (broken records: engine_case_refusals).
TEST(Origins, CaseFileKeepsThemAsOptionalRecords)
{
    Case c;
    c.form.txtInput[kItemFS] = "6.33";
    c.tensionFrom =
        TensionOrigin{*ReadWebDescription({"", "1000.0000000000001", "", "", "PET:12,PE:50"}), TensionPick::High};
    c.rollerFrom = *ReadRollerDrawing({"100.00000000000003", "100", "1200", "", "2000", "100", "3"});
    EXPECT_EQ(*ParseCaseFile(CaseFileText(c)), c);
    c.tensionFrom = TensionOrigin{*ReadWebDescription({"paper", "500", "", "80"}), TensionPick::Typical};
    c.rollerFrom = *ReadRollerDrawing({"60", "", "1500", "aluminium"});
    EXPECT_EQ(*ParseCaseFile(CaseFileText(c)), c);
    const std::string older = R"({"format": "vyra-case", "version": 1, "tension": "10"})";
    EXPECT_FALSE(ParseCaseFile(older)->tensionFrom);
}

// A batch row may describe its web and roller instead of giving the tension
// and the roller weight (figures as in the case tables): the field filled as
// the dialogs do, with two decimals in the row's unit (the drawing stays
// metric); a row's own field drops the base's record of it.
TEST(Origins, BatchRowsMayDescribeWebAndRoller)
{
    TextSource source("id,unit,tension,material,width,thickness,tube-od,tube-id,face,roller-weight\n"
                      "a,N,,PET,1000,12,100,90,1000,\n"
                      "b,kgf,5,PET,1000,12,,,,\n"
                      "c,kgf,,PET,1000,,,,,\n"
                      "d,kgf,,,,,100,90,1000,12\n"
                      "e,kgf,7,,,,,,,\n"
                      "f,lbf,,,,,100,90,1000,\n");
    Case base;
    base.tensionFrom = TensionOrigin{*ReadWebDescription({"paper", "500", "", "80"}), TensionPick::Typical};
    base.rollerFrom = *ReadRollerDrawing({"60", "", "1500", "aluminium"});
    BatchReader reader(source, base);
    const BatchRow a = std::get<BatchRow>(reader.Next());
    EXPECT_EQ(a.input.form.txtInput[kItemFS], "62.05");
    EXPECT_EQ(a.input.form.txtInput[kItemWr], "11.71");
    EXPECT_EQ(a.input.tensionFrom->web.material, "PET");
    EXPECT_EQ(a.input.rollerFrom->material, "steel");
    EXPECT_FALSE(a.problem);
    EXPECT_EQ(std::get<BatchRow>(reader.Next()).problem, "give tension or the web's material, not both");
    EXPECT_EQ(std::get<BatchRow>(reader.Next()).problem,
              "thickness: give the thickness in µm or the grammage in g/m², one of them");
    EXPECT_EQ(std::get<BatchRow>(reader.Next()).problem, "give roller-weight or the roller's drawing, not both");
    const BatchRow e = std::get<BatchRow>(reader.Next());
    EXPECT_TRUE(!e.problem && !e.input.tensionFrom && !e.input.rollerFrom);
    EXPECT_EQ(std::get<BatchRow>(reader.Next()).input.form.txtInput[kItemWr], "25.83");
}

}  // namespace
}  // namespace vyra
