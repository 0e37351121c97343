#include "Commands.h"
#include "LoadResolution.h"
#include "Results1.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vyra {
namespace {

using test::WorkedExampleState;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void ComputeSet1(RunState& state, int i)
{
    ComputeTransmittedLoad(state, i);
    ComputeStopperDisplacement(state, i);
    ComputeSensorOutput(state, i);
    ComputeGain(state, i);
}

TEST(Results1, WorkedExampleWithTwoSensors)
{
    RunState state = WorkedExampleState();
    ComputeSet1(state, 0);
    const ResultTables& t = state.tables;
    EXPECT_NEAR(t.P1[0], 10, 1e-12);
    EXPECT_NEAR(t.We[0], 6, 1e-12);
    EXPECT_NEAR(t.P[0], 16, 1e-12);
    EXPECT_NEAR(t.Zt[0], 0.5843, 5e-5);
    EXPECT_NEAR(t.Zr[0], 0.3506, 5e-5);
    EXPECT_NEAR(t.Zs[0], 0.9349, 5e-5);
    EXPECT_NEAR(t.Vt[0], 310.36, 5e-3);
    EXPECT_NEAR(t.Vr[0], 186.22, 5e-3);
    EXPECT_NEAR(t.S[0], 16.11, 5e-3);

    const Assessment1 a = AssessResults1(state, 0);
    EXPECT_TRUE(a.failZs);
    EXPECT_FALSE(a.failP1 || a.failZr || a.failVr || a.failS);
    EXPECT_FALSE(a.withinTolerance);
}

struct MethodCase {
    std::int16_t methodCode;
    double P1, We, S;
};

TEST(Results1, DetectionMethodSetsWeightMultiplierAndChannels)
{
    const MethodCase cases[] = {
        {kTwoSensors, 10, 6, 16.11},      {kOneSideBoth, 10, 5.5, 16.11},     {kOneSideOne, 10, 5.5, 32.22},
        {kIndependentBoth, 20, 11, 8.055}, {kIndependentOne, 20, 11, 16.11},
    };
    for (const MethodCase& c : cases) {
        RunState state = WorkedExampleState(c.methodCode);
        ComputeSet1(state, 0);
        EXPECT_NEAR(state.tables.P1[0], c.P1, 1e-12) << c.methodCode;
        EXPECT_NEAR(state.tables.We[0], c.We, 1e-12) << c.methodCode;
        EXPECT_NEAR(state.tables.S[0], c.S, 5e-3) << c.methodCode;
    }
}

TEST(Results1, TensionInNewtonsIsDividedByNinePointEight)
{
    RunState kgf = WorkedExampleState();
    RunState newton = WorkedExampleState();
    newton.forceUnit = kNewton;
    newton.inputs.FS = 98;
    ComputeSet1(kgf, 0);
    ComputeSet1(newton, 0);
    EXPECT_NEAR(newton.tables.P1[0], kgf.tables.P1[0], 1e-12);
    EXPECT_EQ(newton.tables.We[0], kgf.tables.We[0]);
    EXPECT_EQ(newton.inputs.FS, 98);
}

TEST(Results1, TransferFactorsFollowTheAngles)
{
    RunState wrapped = WorkedExampleState();
    wrapped.inputs.alpha = 30;
    wrapped.inputs.beta = 60;
    ComputeSet1(wrapped, 0);
    EXPECT_NEAR(wrapped.tables.P1[0] / 10, 0.79704, 5e-6);
    EXPECT_NEAR(wrapped.tables.We[0] / 12, 0.5, 1e-12);

    RunState mounted = WorkedExampleState();
    mounted.inputs.gamma = 10;
    ComputeSet1(mounted, 0);
    EXPECT_NEAR(mounted.tables.We[0] / 12, 0.54650, 5e-6);
}

struct ModelFigures {
    std::int16_t series;
    int model;
    double P1, We, Zt, Zr, Vt, Vr, S, F2, PB;
};

// Figures worked out independently from the rating formulas for an offset
// roller (l 15, h 7), where the two spring constants of the 33 models differ.
TEST(RunSelection, LargeModelsOfBothSeriesWithOffsetRoller)
{
    const ModelFigures cases[] = {
        {0, 6, 25.6558528891, 30.4421551808, 0.0530510856351, 0.0629481852891, 26.9540390453, 31.9825282329,
         185.500955593, 81.6326426222, 0.176017298987},
        {0, 7, 25.6558528891, 30.4421551808, 0.0338379897564, 0.0401507344006, 17.1525703016, 20.3525179664,
         291.501501647, 102.213607471, 0.176017298987},
        {0, 8, 23.2060008038, 28.6042662424, 0.0150812453736, 0.0185895002582, 9.97178316461, 12.2914561179,
         501.414833983, 176.958899712, 0.156259529998},
        {1, 6, 25.6558528891, 30.4421551808, 0.0530510856351, 0.0629481852891, 22.4239484494, 26.6073134039,
         222.975896117, 81.6326426222, 0.176017298987},
        {1, 7, 25.6558528891, 30.4421551808, 0.0338379897564, 0.0401507344006, 14.2697853769, 16.9319267115,
         350.390693898, 102.213607471, 0.176017298987},
        {1, 8, 23.2060008038, 28.6042662424, 0.0150812453736, 0.0185895002582, 8.29585322098, 10.2256651737,
         602.71076004, 176.958899712, 0.156259529998},
    };
    for (const ModelFigures& c : cases) {
        RunState state;
        state.seriesIndex = c.series;
        state.inputs = {25, 150, 40, 15, 7, 3, 250, 30, 60, 10, 0, kTwoSensors};
        RunSelection(state);
        const ResultTables& t = state.tables;
        const int i = c.model;
        const auto near = [](double expected) { return 1e-9 * std::fabs(expected); };
        EXPECT_NEAR(t.P1[i], c.P1, near(c.P1)) << c.series << ' ' << i;
        EXPECT_NEAR(t.We[i], c.We, near(c.We)) << c.series << ' ' << i;
        EXPECT_NEAR(t.Zt[i], c.Zt, near(c.Zt)) << c.series << ' ' << i;
        EXPECT_NEAR(t.Zr[i], c.Zr, near(c.Zr)) << c.series << ' ' << i;
        EXPECT_NEAR(t.Vt[i], c.Vt, near(c.Vt)) << c.series << ' ' << i;
        EXPECT_NEAR(t.Vr[i], c.Vr, near(c.Vr)) << c.series << ' ' << i;
        EXPECT_NEAR(t.S[i], c.S, near(c.S)) << c.series << ' ' << i;
        EXPECT_NEAR(t.F2[i], c.F2, near(c.F2)) << c.series << ' ' << i;
        EXPECT_NEAR(t.PB[i], c.PB, near(c.PB)) << c.series << ' ' << i;
    }
}

RunState WithTables(int i, double P1, double Zr, double Zs, double Vr, double S)
{
    RunState state;
    state.tables.P1[i] = P1;
    state.tables.Zr[i] = Zr;
    state.tables.Zs[i] = Zs;
    state.tables.Vr[i] = Vr;
    state.tables.S[i] = S;
    return state;
}

struct AssessCase {
    const char* what;
    int model;
    double P1, Zr, Zs, Vr, S;
    Assessment1 expected;
};

TEST(AssessResults1, LimitsBelongToTheFailingSide)
{
    const Assessment1 pass{};
    const auto fails = [](bool p1, bool zr, bool zs, bool vr, bool s) {
        return Assessment1{p1, zr, zs, vr, s, false};
    };
    const AssessCase cases[] = {
        {"all inside", 0, 1, 0.1, 0.2, 100, 20, pass},
        {"S exactly 12", 0, 1, 0.1, 0.2, 100, 12, fails(false, false, false, false, true)},
        {"S exactly 80", 0, 1, 0.1, 0.2, 100, 80, fails(false, false, false, false, true)},
        {"S 12.01", 0, 1, 0.1, 0.2, 100, 12.01, pass},
        {"S 79.99", 0, 1, 0.1, 0.2, 100, 79.99, pass},
        {"S negative inside by absolute value", 0, 1, 0.1, 0.2, 100, -50, pass},
        {"S infinite", 0, 1, 0.1, 0.2, 100, kInf, fails(false, false, false, false, true)},
        {"S not a number", 0, 1, 0.1, 0.2, 100, kNaN, fails(false, false, false, false, true)},
        {"Zs equal to the 0.7 limit", 0, 1, 0.1, 0.7, 100, 20, fails(false, false, true, false, false)},
        {"Zs equal to the 0.65 limit", 8, 1, 0.1, 0.65, 100, 20, fails(false, false, true, false, false)},
        {"Zs 0.79 inside the 0.8 limit", 4, 1, 0.1, 0.79, 100, 20, pass},
        {"Zr equal to the limit", 0, 1, 0.7, 0.2, 100, 20, fails(false, true, false, false, false)},
        {"Zr negative beyond by absolute value", 0, 1, -0.75, 0.2, 100, 20, fails(false, true, false, false, false)},
        {"Zs not a number", 0, 1, 0.1, kNaN, 100, 20, fails(false, false, true, false, false)},
        {"Vr 259.99 mV", 0, 1, 0.1, 0.2, 259.99, 20, pass},
        {"Vr 260 mV", 0, 1, 0.1, 0.2, 260, 20, fails(false, false, false, true, false)},
        {"Vr -260 mV", 0, 1, 0.1, 0.2, -260, 20, fails(false, false, false, true, false)},
        {"negative P1 on model 5 has no check", 5, -1, 0.1, 0.2, 100, 20, pass},
        {"negative P1 on model 6", 6, -1, 0.1, 0.2, 100, 20, fails(true, false, false, false, false)},
        {"negative P1 on model 8", 8, -0.001, 0.1, 0.2, 100, 20, fails(true, false, false, false, false)},
        {"zero P1 on model 7", 7, 0, 0.1, 0.2, 100, 20, pass},
    };
    for (const AssessCase& c : cases) {
        const Assessment1 a = AssessResults1(WithTables(c.model, c.P1, c.Zr, c.Zs, c.Vr, c.S), c.model);
        EXPECT_EQ(a.failP1, c.expected.failP1) << c.what;
        EXPECT_EQ(a.failZr, c.expected.failZr) << c.what;
        EXPECT_EQ(a.failZs, c.expected.failZs) << c.what;
        EXPECT_EQ(a.failVr, c.expected.failVr) << c.what;
        EXPECT_EQ(a.failS, c.expected.failS) << c.what;
        EXPECT_EQ(a.withinTolerance, c.expected.withinTolerance) << c.what;
    }
}

// With Lx = 0 and equal run angles the tension terms cancel exactly: models
// 0 and 1 (lever 32.5) get no output and no defined gain; the others compute.
TEST(Results1, ZeroOutputLeavesAnInfiniteFailingGainForThatModelOnly)
{
    RunState state = WorkedExampleState();
    state.inputs.l = -32.5;
    RunSelection(state);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(state.tables.Vt[i], 0) << i;
        EXPECT_FALSE(std::isfinite(state.tables.S[i])) << i;
        EXPECT_TRUE(AssessResults1(state, i).failS) << i;
    }
    for (int i = 2; i < kModelCount; ++i) {
        EXPECT_TRUE(std::isfinite(state.tables.S[i])) << i;
        EXPECT_NE(state.tables.Vt[i], 0) << i;
    }
}

// A huge tension on an exactly cancelled transfer factor is a zero load, not
// an undefined one that would strike through P1 of the large models.
TEST(Results1, HugeTensionOnCancelledTransferGivesZeroLoad)
{
    RunState state = WorkedExampleState(kIndependentBoth);
    state.inputs.FS = 1e308;
    state.inputs.l = -80;
    ComputeSet1(state, 6);
    EXPECT_EQ(state.tables.P1[6], 0);
    EXPECT_FALSE(AssessResults1(state, 6).failP1);
}

TEST(Results1, HugeTensionOverflowsWithoutStoppingTheSelection)
{
    RunState state = WorkedExampleState(kIndependentBoth);
    state.inputs.FS = 1e308;
    RunSelection(state);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(state.tables.P1[i], kInf) << i;
        EXPECT_TRUE(AssessResults1(state, i).failZs) << i;
        EXPECT_TRUE(AssessResults1(state, i).failS) << i;
        EXPECT_TRUE(std::isfinite(state.tables.We[i])) << i;
        EXPECT_TRUE(std::isfinite(state.tables.F2[i])) << i;
    }
}

}  // namespace
}  // namespace vyra
