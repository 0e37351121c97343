#include "ResultFormat.h"
#include "RunState.h"

#include <gtest/gtest.h>

#include <limits>

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
    const PatternCase cases[] = {
        {10, 1, "10.0"},          {0.58432, 2, "0.58"},     {0.31036, 3, "0.310"},  {0.25999, 3, "0.260"},
        {16.11, 1, "16.1"},       {-2.346, 2, "-2.35"},     {0.05, 0, "0"},         {97.6, 0, "98"},
        {-0.001, 2, "0.00"},      {-0.0, 1, "0.0"},         {-0.4, 0, "0"},         {12345.6, 1, "12345.6"},
        {kInf, 1, "---"},         {-kInf, 0, "---"},        {std::numeric_limits<double>::quiet_NaN(), 2, "---"},
        {1e20, 1, "100000000000000000000.0"},
    };
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

TEST(ForceDisplay, NewtonsAreKgfTimesNinePointEight)
{
    EXPECT_EQ(FormatLoad(10, kKgf), "10.0");
    EXPECT_EQ(FormatLoad(10, kNewton), "98");
    EXPECT_EQ(FormatEccentricForce(0.02098, kKgf), "0.02");
    EXPECT_EQ(FormatEccentricForce(0.02098, kNewton), "0.2");
    EXPECT_EQ(ForceUnitLabel(kKgf), "[kgf]");
    EXPECT_EQ(ForceUnitLabel(kNewton), "[N]");
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
