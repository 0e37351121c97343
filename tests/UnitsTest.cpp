// An lbf run against the kgf run of the converted case, and its figures,
// headings and limits as the tables show them.
#include "Units.h"
#include "Captions.h"
#include "Commands.h"
#include "Headroom.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace vyra {
namespace {

// Program units per shown unit of an lbf run, written here rather than
// taken from the program.
const std::map<std::string, double> kLbfFactors{{"P1", 0.45359237}, {"We", 0.45359237}, {"P", 0.45359237},
                                                {"PB", 0.45359237}, {"Zt", 0.0254},     {"Zr", 0.0254},
                                                {"Zs", 0.0254},     {"E", 25.4}};

EntryForm FormOf(const std::string& series, const std::string& method, const std::string& texts)
{
    EntryForm form;
    std::istringstream words(texts);
    for (std::string& text : form.txtInput) {
        words >> text;
    }
    form.opType = std::stoi(series);
    const int code = std::stoi(method);
    form.opMethod1 = code == kTwoSensors ? 0 : 1;
    form.opMethod2 = code >= kIndependentBoth ? 1 : 0;
    form.opMethod3 = code == kOneSideOne || code == kIndependentOne ? 1 : 0;
    return form;
}

bool Near(double a, double b) { return a == b || std::fabs(a - b) <= 1e-12 * std::fabs(b); }

// Every figure of every model the same (relative 1e-12) held and, through
// the exact factors, shown; every verdict and refusal the same; and at the
// limits the verdict the row asks for.
TEST(LbfRun, ComputesAndJudgesAsTheKgfCaseOfTheConvertedEntries)
{
    for (const auto& row : test::Rows("engine_lbf_proof", 5)) {
        std::istringstream choices(row[1]);
        std::string series, method;
        choices >> series >> method;
        RunState lbf, kgf;
        lbf.forceUnit = kLbf;
        const CheckResult lbfRefusal = SelectCommand(lbf, FormOf(series, method, row[2]));
        const CheckResult kgfRefusal = SelectCommand(kgf, FormOf(series, method, row[3]));
        ASSERT_EQ(lbfRefusal.has_value(), kgfRefusal.has_value()) << row[0];
        if (lbfRefusal) {
            EXPECT_EQ(lbfRefusal->message, kgfRefusal->message) << row[0];
            continue;
        }
        for (int i = 0; i < kModelCount; ++i) {
            for (const auto& [symbol, table] : test::kTables) {
                EXPECT_TRUE(Near((lbf.tables.*table)[i], (kgf.tables.*table)[i])) << row[0] << ' ' << symbol << i;
            }
            for (const auto columns : {ResultSet1Columns(), ResultSet2Columns()}) {
                for (const ResultColumn& column : columns) {
                    const auto factor = kLbfFactors.find(std::string(column.symbol));
                    const double back = ShownValue(column, lbf, i) * (factor == kLbfFactors.end() ? 1 : factor->second);
                    EXPECT_TRUE(Near(back, ShownValue(column, kgf, i))) << row[0] << ' ' << column.symbol << i;
                    EXPECT_EQ(Failed(column, lbf, i), Failed(column, kgf, i)) << row[0] << ' ' << column.symbol << i;
                }
            }
            EXPECT_EQ(PassedSets(lbf, i), PassedSets(kgf, i)) << row[0] << ' ' << i;
            EXPECT_TRUE(Near(MaxSpeed(lbf, i), MaxSpeed(kgf, i))) << row[0] << ' ' << i;
        }
        if (row[4] != "-") {
            std::istringstream hair(row[4]);
            std::string symbol, verdict;
            int model = 0;
            hair >> symbol >> model >> verdict;
            for (const auto columns : {ResultSet1Columns(), ResultSet2Columns()}) {
                for (const ResultColumn& column : columns) {
                    if (column.symbol == symbol) {
                        EXPECT_EQ(Failed(column, lbf, model), verdict == "x") << row[0];
                    }
                }
            }
        }
    }
}

// Figures worked out by hand; the tolerance lines' limits converted from
// the catalogue's mm; the entry captions of an lbf run and, unchanged, of
// a kgf run.
TEST(LbfRun, ShowsFiguresInPoundsForceAndMils)
{
    RunState state;
    state.forceUnit = kLbf;
    ASSERT_FALSE(SelectCommand(state, test::WorkedExampleForm()));
    std::map<std::string, std::pair<std::string, std::string>> expected;
    for (const auto& row : test::Rows("engine_lbf_columns", 3)) {
        expected[row[0]] = {row[1] == "-" ? "" : row[1], row[2]};
    }
    for (const auto columns : {ResultSet1Columns(), ResultSet2Columns()}) {
        for (const ResultColumn& column : columns) {
            const auto& [heading, shown] = expected.at(std::string(column.symbol));
            EXPECT_EQ(UnitHeading(column, kLbf), heading) << column.symbol;
            EXPECT_EQ(ShownText(column, state, 0), shown) << column.symbol;
        }
    }
    EXPECT_EQ(MaxSpeedText(state, 0), "63350");
    EXPECT_EQ(StopperToleranceLine(kLbf), "Zs< 25.59 or 27.56 or 31.50");
    EXPECT_EQ(StopperToleranceLine(kKgf), "Zs< 0.65 or 0.7 or 0.8");
    EXPECT_EQ(StopperToleranceLine(kNewton), "Zs< 0.65 or 0.7 or 0.8");
    using Labels = std::array<std::string_view, kFieldCount>;
    EXPECT_EQ(UnitLabels(kLbf), (Labels{"[lbf]", "[in]", "[lb]", "[degree]", "[degree]", "[degree]", "[in]", "[in]",
                                        "[lb]", "[ft/min]"}));
    EXPECT_EQ(UnitLabels(kNewton),
              (Labels{"[N]", "[mm]", "[kg]", "[degree]", "[degree]", "[degree]", "[mm]", "[mm]", "[kg]", "[m/min]"}));
}

// A test weight in lb pulls its own figure in lbf: 5 lb give what 5 x
// 0.45359237 kg give in a kgf run.
TEST(LbfRun, TestWeightIsTypedInPounds)
{
    const Calibration lbf = CalibrationFor(test::WorkedExampleForm(), kLbf, 5);
    EntryForm converted = test::WorkedExampleForm();
    converted.txtInput = {"4.5359237000000006",  "2540", "4.5359237000000006", "0", "0", "0", "0", "0",
                          "0.45359237000000002", "30.48"};
    const Calibration kgf = CalibrationFor(converted, kKgf, 2.2679618500000003);
    EXPECT_EQ(lbf.weight, 5);
    EXPECT_EQ(lbf.weightKg, 2.2679618500000003);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_TRUE(Near(lbf.Vt[i], kgf.Vt[i]) && Near(lbf.S[i], kgf.S[i])) << i;
    }
}

}  // namespace
}  // namespace vyra
