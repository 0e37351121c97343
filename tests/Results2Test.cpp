#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vyra {
namespace {

using test::WorkedExampleState;

TEST(Results2, WorkedExampleOfTheFirstModel)
{
    RunState state = WorkedExampleState();
    ComputeFrequencies(state, 0);
    const ResultTables& t = state.tables;
    EXPECT_NEAR(t.F1[0], 5.3052, 5e-5);
    EXPECT_NEAR(t.F2[0], 38.8025, 5e-5);
    EXPECT_NEAR(t.F3[0], 47.5231, 5e-5);
    EXPECT_NEAR(t.F2[0] / std::sqrt(2.0), 27.4375, 5e-5);
    EXPECT_NEAR(t.F1[0] / t.F2[0], 0.1367, 5e-5);
    EXPECT_NEAR(t.F1[0] / t.F3[0], 0.1116, 5e-5);
    EXPECT_NEAR(t.E[0], 31.4159, 5e-5);
    EXPECT_NEAR(t.PB[0], 0.02098, 5e-6);
    EXPECT_TRUE(AssessResults2(state, 0).withinTolerance);
}

TEST(Results2, SpeedAndRollerWeightScaleTheFigures)
{
    RunState base = WorkedExampleState();
    RunState faster = WorkedExampleState();
    faster.inputs.V = 200;
    RunState heavier = WorkedExampleState();
    heavier.inputs.Wr = 20;
    for (RunState* s : {&base, &faster, &heavier}) {
        ComputeFrequencies(*s, 4);
    }
    const ResultTables& b = base.tables;
    EXPECT_NEAR(faster.tables.F1[4], 2 * b.F1[4], 1e-12);
    EXPECT_NEAR(faster.tables.E[4], b.E[4] / 2, 1e-12);
    EXPECT_NEAR(faster.tables.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(heavier.tables.F2[4], b.F2[4] / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(heavier.tables.F3[4], b.F3[4] / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(heavier.tables.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(b.F3[4] / b.F2[4], std::sqrt(1.5), 1e-12);
}

TEST(Results2, StandingLineGivesZeroExcitationAndEccentricity)
{
    RunState state = WorkedExampleState();
    state.inputs.V = 0;
    ComputeFrequencies(state, 8);
    EXPECT_EQ(state.tables.F1[8], 0);
    EXPECT_EQ(state.tables.E[8], 0);
    EXPECT_EQ(state.tables.PB[8], 0);
    EXPECT_TRUE(AssessResults2(state, 8).withinTolerance);
}

TEST(Results2, TensionAnglesUnitAndMethodChangeNothing)
{
    RunState base = WorkedExampleState();
    RunState other = WorkedExampleState(kIndependentOne);
    other.inputs.FS = 55;
    other.inputs.alpha = 45;
    other.inputs.beta = -30;
    other.inputs.gamma = 12;
    other.inputs.Wp = 7;
    other.forceUnit = kNewton;
    for (int i = 0; i < kModelCount; ++i) {
        ComputeFrequencies(base, i);
        ComputeFrequencies(other, i);
    }
    EXPECT_EQ(base.tables.F1, other.tables.F1);
    EXPECT_EQ(base.tables.F2, other.tables.F2);
    EXPECT_EQ(base.tables.E, other.tables.E);
    EXPECT_EQ(base.tables.PB, other.tables.PB);
}

struct RatioCase {
    double F1, F2, F3;
    bool failF1F2, failF1F3;
};

TEST(AssessResults2, RatioOfExactlyPointSevenFails)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const RatioCase cases[] = {
        {0.7, 1.0, 2.0, true, false},     {0.69999, 1.0, 1.0, false, false}, {7, 10, 10, true, true},
        {0.7, 2.0, 1.0, false, true},     {-5, 1, 1, false, false},          {kInf, kInf, kInf, true, true},
        {0, kInf, kInf, false, false},    {0, 0, 0, false, false},           {1, 0, 0, true, true},
    };
    for (const RatioCase& c : cases) {
        RunState state;
        state.tables.F1[3] = c.F1;
        state.tables.F2[3] = c.F2;
        state.tables.F3[3] = c.F3;
        const Assessment2 a = AssessResults2(state, 3);
        EXPECT_EQ(a.failF1F2, c.failF1F2) << c.F1 << '/' << c.F2;
        EXPECT_EQ(a.failF1F3, c.failF1F3) << c.F1 << '/' << c.F3;
        EXPECT_EQ(a.withinTolerance, !(c.failF1F2 || c.failF1F3));
    }
}

}  // namespace
}  // namespace vyra
