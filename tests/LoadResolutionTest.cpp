#include "Commands.h"
#include "LoadResolution.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vyra {
namespace {

TEST(NormaliseAngle, ReducesIntoOneTurn)
{
    const std::pair<double, double> cases[] = {
        {0, 0}, {359.5, 359.5}, {360, 0}, {725, 5}, {-0.5, 359.5}, {-180, 180}, {-360, 0}, {-32947, 173},
    };
    for (const auto& [degrees, expected] : cases) {
        EXPECT_EQ(NormaliseAngle(degrees), expected) << degrees;
    }
}

TEST(NormaliseAngle, StaysBelowFullTurnForTinyNegatives)
{
    EXPECT_LT(NormaliseAngle(-1e-20), 360.0);
}

TEST(NormaliseAngle, NonFiniteStaysOutsideEverySector)
{
    EXPECT_TRUE(std::isnan(NormaliseAngle(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(NormaliseAngle(std::numeric_limits<double>::quiet_NaN())));
}

struct AngleCase {
    std::int16_t alpha, beta, gamma;
    bool resultantPasses;
    bool wrapPasses;
};

SelectionInputs Angles(std::int16_t alpha, std::int16_t beta, std::int16_t gamma)
{
    SelectionInputs in;
    in.alpha = alpha;
    in.beta = beta;
    in.gamma = gamma;
    return in;
}

TEST(AngleChecks, AcceptedSectorsIncludeTheirBounds)
{
    const AngleCase cases[] = {
        {20, 80, 20, true, true},      // 310, the starting arrangement
        {0, 0, 0, true, true},         // exactly 0
        {10, 0, 0, false, true},       // 5
        {0, 10, 0, true, true},        // 355
        {1, 0, -45, false, true},      // 45.5
        {179, -180, 90, false, true},  // 89.5
        {0, 0, 90, true, true},        // 270
        {0, 0, -90, true, true},       // 90
        {-180, 180, 0, true, true},    // -180 reduces to 180
        {0, 0, -181, false, true},     // 181
        {0, 0, 91, false, true},       // 269
        {90, 90, 0, true, false},      // wrap sum 180
        {-90, -90, 0, true, false},    // wrap sum -180 reduces to 180
        {180, -180, 0, true, true},    // wrap sum 0
        {100, 80, 0, false, false},    // both fail; the resultant is told first
    };
    for (const AngleCase& c : cases) {
        const SelectionInputs in = Angles(c.alpha, c.beta, c.gamma);
        EXPECT_EQ(!CheckResultantAngle(in).has_value(), c.resultantPasses) << c.alpha << ' ' << c.beta << ' ' << c.gamma;
        EXPECT_EQ(!CheckWrapAngle(in).has_value(), c.wrapPasses) << c.alpha << ' ' << c.beta << ' ' << c.gamma;
    }
}

// Changing the fulcrum side swaps the wrap angles and negates gamma, which
// mirrors the resultant angle: a failing arrangement passes on the other side.
TEST(AngleChecks, MirroredArrangementOfAFailurePasses)
{
    for (std::int16_t alpha = -180; alpha <= 180; alpha += 15) {
        for (std::int16_t gamma = -180; gamma <= 180; gamma += 15) {
            const std::int16_t beta = 35;
            if (CheckResultantAngle(Angles(alpha, beta, gamma))) {
                EXPECT_FALSE(CheckResultantAngle(Angles(beta, alpha, static_cast<std::int16_t>(-gamma))))
                    << alpha << ' ' << gamma;
            }
        }
    }
}

TEST(RunSelection, GammaAtSixteenBitLimitEqualsItsReducedAngle)
{
    // theta1 = alpha - gamma = -32947 does not fit 16 bits; it must be formed
    // wide, where it is 173 degrees modulo a turn, as with gamma 7.
    RunState wide = test::WorkedExampleState();
    wide.inputs.alpha = -180;
    wide.inputs.beta = -180;
    wide.inputs.gamma = 32767;
    RunState reduced = wide;
    reduced.inputs.gamma = 7;
    RunSelection(wide);
    RunSelection(reduced);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_NEAR(wide.tables.P1[i], reduced.tables.P1[i], 1e-9) << i;
        EXPECT_NEAR(wide.tables.We[i], reduced.tables.We[i], 1e-9) << i;
    }
}

TEST(RunSelection, BetaPlusGammaBeyondSixteenBitsIsFormedWide)
{
    RunState wide = test::WorkedExampleState();
    wide.inputs.alpha = 180;
    wide.inputs.beta = 180;
    wide.inputs.gamma = 32767;
    RunState reduced = wide;
    reduced.inputs.gamma = 7;
    RunSelection(wide);
    RunSelection(reduced);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_NEAR(wide.tables.P1[i], reduced.tables.P1[i], 1e-9) << i;
    }
}

TEST(RunSelection, FillsAllNineModelsOfTheChosenSeries)
{
    RunState state;
    EntryForm form = test::WorkedExampleForm();
    form.opType = 1;
    ASSERT_FALSE(SelectCommand(state, form));
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_NEAR(state.tables.P1[i], 10.0, 1e-12) << i;
        EXPECT_GT(state.tables.F2[i], 0) << i;
    }
    // Vyra11BS: stopper factor 2.08, output coefficient 594.
    EXPECT_NEAR(state.tables.Zt[2], 2.08 / 38.4 * 10, 1e-12);
    EXPECT_NEAR(state.tables.Vt[2], 594 * 1.66 * 10 / 38.4, 1e-9);
}

}  // namespace
}  // namespace vyra
