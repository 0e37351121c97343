// An lbf run against the kgf run of the converted case; its limits and captions.
#include "Captions.h"
#include "Commands.h"
#include "Headroom.h"
#include "ResultColumns.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace vyra {
namespace {

bool Near(double a, double b) { return a == b || std::fabs(a - b) <= 1e-12 * std::fabs(b); }

// Every figure of every model the same (relative 1e-12), held and, through
// the exact factors written here, shown; every verdict and refusal the
// same; at the limits the sets the row asks for.
TEST(LbfRun, ComputesAndJudgesAsTheKgfCaseOfTheConvertedEntries)
{
    const std::map<std::string_view, double> factors{{"P1", 0.45359237}, {"We", 0.45359237}, {"P", 0.45359237},
                                                     {"PB", 0.45359237}, {"Zt", 0.0254},     {"Zr", 0.0254},
                                                     {"Zs", 0.0254},     {"E", 25.4}};
    for (const auto& row : test::ReadCaseTable("engine_lbf_proof", 5)) {
        RunState lbf, kgf;
        lbf.forceUnit = kLbf;
        const CheckResult lbfRefusal = SelectCommand(lbf, test::FormOf(row[1], row[2]));
        const CheckResult kgfRefusal = SelectCommand(kgf, test::FormOf(row[1], row[3]));
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
                    const double factor = factors.contains(column.symbol) ? factors.at(column.symbol) : 1;
                    EXPECT_TRUE(Near(ShownValue(column, lbf, i) * factor, ShownValue(column, kgf, i)))
                        << row[0] << ' ' << column.symbol << i;
                    EXPECT_EQ(Failed(column, lbf, i), Failed(column, kgf, i)) << row[0] << ' ' << column.symbol << i;
                }
            }
            EXPECT_TRUE(Near(MaxSpeed(lbf, i), MaxSpeed(kgf, i))) << row[0] << ' ' << i;
        }
        EXPECT_EQ(PassedSets(lbf, 0), row[4] == "-" ? PassedSets(kgf, 0) : row[4]) << row[0];
    }
}

// The catalogue's stopper limits in mil; every entry's caption.
TEST(LbfRun, ConvertsTheLimitsAndCaptionsEveryEntry)
{
    EXPECT_EQ(StopperToleranceLine(kLbf), "Zs< 25.59 or 27.56 or 31.50");
    EXPECT_EQ(UnitLabels(kLbf),
              (std::array<std::string_view, kFieldCount>{"[lbf]", "[in]", "[lb]", "[degree]", "[degree]", "[degree]",
                                                         "[in]", "[in]", "[lb]", "[ft/min]"}));
}

}  // namespace
}  // namespace vyra
