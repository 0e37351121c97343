#include "ResultFormat.h"
#include "LoadResolution.h"
#include "ResultColumns.h"
#include "RunState.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vyra {
namespace {

struct PatternCase {
    double value;
    int decimals;
    const char* text;
};

TEST(FormatPattern, FixedDecimalsWithALeadingDigit)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const PatternCase cases[] = {{10, 1, "10.0"},
                                 {0.58432, 2, "0.58"},
                                 {0.31036, 3, "0.310"},
                                 {0.25999, 3, "0.260"},
                                 {16.11, 1, "16.1"},
                                 {-2.346, 2, "-2.35"},
                                 {0.05, 0, "0"},
                                 {97.6, 0, "98"},
                                 {-0.001, 2, "0.00"},
                                 {-0.0, 1, "0.0"},
                                 {-0.4, 0, "0"},
                                 {12345.6, 1, "12345.6"},
                                 {kInf, 1, "---"},
                                 {-kInf, 0, "---"},
                                 {std::numeric_limits<double>::quiet_NaN(), 2, "---"},
                                 {1e20, 1, "100000000000000000000.0"}};
    for (const PatternCase& c : cases) {
        EXPECT_EQ(FormatPattern(c.value, c.decimals), c.text) << c.value;
    }
}

TEST(FormatPattern, LargestDoubleFitsInWhole)
{
    const std::string text = FormatPattern(std::numeric_limits<double>::max(), 3);
    EXPECT_EQ(text.size(), 309u + 4u);
    EXPECT_EQ(text.substr(0, 5), "17976");
}

// Every column shows its figure in the run's unit through its pattern: loads
// to 0.1 kgf or whole newtons, outputs held in mV shown in V, the eccentric
// force to 0.01 kgf or 0.1 N; the checks mark exactly their own columns.
TEST(ResultColumns, ShowFiguresInTheRunsUnitAndMarkTheirChecks)
{
    RunState state = test::WorkedExampleState();
    RunSelection(state);
    state.tables.Vr[0] = 260;
    const std::vector<std::string> kgf1{"10.0", "6.0", "16.0", "0.58", "0.35", "0.93", "0.310", "0.260", "16.1"};
    const std::vector<bool> fails1{false, false, false, false, false, true, false, true, false};
    const std::vector<std::string> kgf2{"5.3", "38.8", "47.5", "0.14", "0.11", "31.42", "0.02"};
    for (std::size_t c = 0; c < kgf1.size(); ++c) {
        EXPECT_EQ(ShownText(ResultSet1Columns()[c], state, 0), kgf1[c]) << c;
        EXPECT_EQ(Failed(ResultSet1Columns()[c], state, 0), fails1[c]) << c;
    }
    for (std::size_t c = 0; c < kgf2.size(); ++c) {
        EXPECT_EQ(ShownText(ResultSet2Columns()[c], state, 0), kgf2[c]) << c;
    }
    state.tables.F1[1] = 0.7 * state.tables.F2[1];
    EXPECT_TRUE(Failed(ResultSet2Columns()[3], state, 1));
    EXPECT_FALSE(Failed(ResultSet2Columns()[4], state, 1));
    state.forceUnit = kNewton;
    EXPECT_EQ(ShownText(ResultSet1Columns()[0], state, 0), "98");
    EXPECT_EQ(ShownText(ResultSet2Columns()[6], state, 0), "0.2");
    EXPECT_EQ(UnitHeading(ResultSet1Columns()[1], kNewton), "[N]");
    EXPECT_EQ(UnitHeading(ResultSet2Columns()[6], kKgf), "[kgf]");
    EXPECT_EQ(UnitHeading(ResultSet1Columns()[8], kKgf), "[times]");
    EXPECT_EQ(ModelLabel(state, 0), "1 Vyra05B");
    state.seriesIndex = kIntrinsicallySafeSeries;
    EXPECT_EQ(ModelLabel(state, 8), "9 Vyra41S");
}

TEST(FormatDate, EnglishMonthTwoDigitDayNoBlankAfterComma)
{
    EXPECT_EQ(FormatDate(2026, 12, 5), "Dec 05,2026");
    EXPECT_EQ(FormatDate(2027, 1, 31), "Jan 31,2027");
    EXPECT_EQ(FormatDate(999, 7, 4), "Jul 04,0999");
}

TEST(MethodWording, AsTheReportWordsIt)
{
    EXPECT_EQ(MethodWording(0), "Two sensors");
    EXPECT_EQ(MethodWording(1), "One sensor,One side,Both ch.");
    EXPECT_EQ(MethodWording(2), "One sensor,One side,One ch.");
    EXPECT_EQ(MethodWording(3), "One sensor,Independent,Both ch.");
    EXPECT_EQ(MethodWording(4), "One sensor,Independent,One ch.");
}

}  // namespace
}  // namespace vyra
