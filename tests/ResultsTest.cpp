// The figures of both result sets against figures worked out independently
// from the rating formulas, the angle checks, and the tolerance limits.
#include "Commands.h"
#include "LoadResolution.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace vyra {
namespace {

using test::WorkedExampleState;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Near(double expected) { return 1e-9 * std::fabs(expected); }

TEST(Catalogue, PiIsFourTimesArctangentOfOne) { EXPECT_EQ(Pi, 4 * std::atan(1.0)); }

// The worked example for every model of both series, which reads every
// rated constant: Zs the stopper factor and spring constant, S the output
// factor, output spring constant and coefficient, F2 the lever, height
// offset and spring constant.
TEST(RunSelection, WorkedExampleForEveryModelOfBothSeries)
{
    const struct {
        double Zs, S, F2;
    } standard[] = {{0.9349168646, 16.11026924, 38.80246428},  {0.4674584323, 32.22053849, 54.87497124},
                    {0.8458333333, 16.19925078, 39.05339311},  {0.4229166667, 32.39850157, 55.22983819},
                    {0.1720888889, 82.06407563, 81.31996585},  {0.08604444444, 164.1281513, 115.0037986},
                    {0.03308474576, 475.9185227, 189.0023686}, {0.0211027027, 747.8719643, 236.6530508},
                    {0.01039816934, 1163.583304, 404.666577}},
      safe[] = {{0.9349168646, 19.36486909, 38.80246428},  {0.4674584323, 38.72973818, 54.87497124},
                {0.8666666667, 19.4718267, 39.05339311},   {0.4333333333, 38.9436534, 55.22983819},
                {0.1720888889, 98.64267677, 81.31996585},  {0.08604444444, 197.2853535, 115.0037986},
                {0.03308474576, 572.0636789, 189.0023686}, {0.0211027027, 898.9572096, 236.6530508},
                {0.01039816934, 1398.650638, 404.666577}};
    for (const std::int16_t series : {kStandardSeries, kIntrinsicallySafeSeries}) {
        RunState state = WorkedExampleState();
        state.seriesIndex = series;
        RunSelection(state);
        for (int i = 0; i < kModelCount; ++i) {
            const auto& expected = series == kStandardSeries ? standard[i] : safe[i];
            EXPECT_NEAR(state.tables.Zs[i], expected.Zs, 1e-9) << series << ' ' << i;
            EXPECT_NEAR(state.tables.S[i], expected.S, 1e-7 * expected.S) << series << ' ' << i;
            EXPECT_NEAR(state.tables.F2[i], expected.F2, 1e-8 * expected.F2) << series << ' ' << i;
        }
    }
}

// The detection method sets the weight, the multiplier and the channels; a
// tension in N is divided by 9.8; the angles give the transfer factors.
TEST(RunSelection, MethodUnitAndAnglesEnterTheLoad)
{
    const struct {
        const char* name;
        std::int16_t method;
        std::int16_t unit;
        double FS;
        std::int16_t alpha, beta, gamma;
        double P1, We, S;
    } cases[] = {{"two sensors", kTwoSensors, kKgf, 10, 0, 0, 0, 10, 6, 16.1103},
                 {"one side, both channels", kOneSideBoth, kKgf, 10, 0, 0, 0, 10, 5.5, 16.1103},
                 {"one side, one channel", kOneSideOne, kKgf, 10, 0, 0, 0, 10, 5.5, 32.2205},
                 {"independent, both channels", kIndependentBoth, kKgf, 10, 0, 0, 0, 20, 11, 8.05513},
                 {"independent, one channel", kIndependentOne, kKgf, 10, 0, 0, 0, 20, 11, 16.1103},
                 {"98 N are 10 kgf", kTwoSensors, kNewton, 98, 0, 0, 0, 10, 6, 16.1103},
                 {"wrap angles 30 and 60", kTwoSensors, kKgf, 10, 30, 60, 0, 7.97044, 6, 20.2125},
                 {"mounting angle 10", kTwoSensors, kKgf, 10, 0, 0, 10, 10.93, 6.55802, 14.7394}};
    for (const auto& c : cases) {
        RunState state = WorkedExampleState(c.method);
        state.forceUnit = c.unit;
        state.inputs.FS = c.FS;
        state.inputs.alpha = c.alpha;
        state.inputs.beta = c.beta;
        state.inputs.gamma = c.gamma;
        RunSelection(state);
        EXPECT_NEAR(state.tables.P1[0], c.P1, 1e-5 * c.P1) << c.name;
        EXPECT_NEAR(state.tables.We[0], c.We, 1e-5 * c.We) << c.name;
        EXPECT_NEAR(state.tables.S[0], c.S, 1e-5 * c.S) << c.name;
        EXPECT_EQ(state.inputs.FS, c.FS) << "the entered tension stays as it was";
    }
}

// Figures worked out for an offset roller (l 15, h 7), where the two spring
// constants of the 33 models differ.
TEST(RunSelection, LargeModelsOfBothSeriesWithOffsetRoller)
{
    const struct {
        std::int16_t series;
        int model;
        double P1, We, Zt, Zr, Vt, Vr, S, F2, PB;
    } cases[] = {{0, 6, 25.6558528891, 30.4421551808, 0.0530510856351, 0.0629481852891, 26.9540390453, 31.9825282329,
                  185.500955593, 81.6326426222, 0.176017298987},
                 {0, 7, 25.6558528891, 30.4421551808, 0.0338379897564, 0.0401507344006, 17.1525703016, 20.3525179664,
                  291.501501647, 102.213607471, 0.176017298987},
                 {0, 8, 23.2060008038, 28.6042662424, 0.0150812453736, 0.0185895002582, 9.97178316461, 12.2914561179,
                  501.414833983, 176.958899712, 0.156259529998},
                 {1, 7, 25.6558528891, 30.4421551808, 0.0338379897564, 0.0401507344006, 14.2697853769, 16.9319267115,
                  350.390693898, 102.213607471, 0.176017298987}};
    for (const auto& c : cases) {
        RunState state;
        state.seriesIndex = c.series;
        state.inputs = {25, 150, 40, 15, 7, 3, 250, 30, 60, 10, 0, kTwoSensors};
        RunSelection(state);
        const ResultTables& t = state.tables;
        const int i = c.model;
        for (const auto& [value, expected] : {std::pair{t.P1[i], c.P1},
                                              {t.We[i], c.We},
                                              {t.Zt[i], c.Zt},
                                              {t.Zr[i], c.Zr},
                                              {t.Vt[i], c.Vt},
                                              {t.Vr[i], c.Vr},
                                              {t.S[i], c.S},
                                              {t.F2[i], c.F2},
                                              {t.PB[i], c.PB}}) {
            EXPECT_NEAR(value, expected, Near(expected)) << c.series << ' ' << i;
        }
    }
}

// Speed and roller weight scale set 2; the tension, angles, unit and method
// change nothing of it; a standing line excites nothing.
TEST(RunSelection, SecondSetFollowsSpeedAndRollerWeightOnly)
{
    RunState base = WorkedExampleState();
    RunState faster = base;
    faster.inputs.V = 200;
    RunState heavier = base;
    heavier.inputs.Wr = 20;
    RunState other = WorkedExampleState(kIndependentOne);
    other.inputs.FS = 55;
    other.inputs.alpha = 45;
    other.inputs.gamma = 12;
    other.forceUnit = kNewton;
    RunState standing = base;
    standing.inputs.V = 0;
    for (RunState* s : {&base, &faster, &heavier, &other, &standing}) {
        RunSelection(*s);
    }
    const ResultTables& b = base.tables;
    EXPECT_NEAR(faster.tables.F1[4], 2 * b.F1[4], 1e-12);
    EXPECT_NEAR(faster.tables.E[4], b.E[4] / 2, 1e-12);
    EXPECT_NEAR(faster.tables.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(heavier.tables.F3[4], b.F3[4] / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(heavier.tables.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(b.F3[4] / b.F2[4], std::sqrt(1.5), 1e-12);
    EXPECT_EQ(other.tables.F2, b.F2);
    EXPECT_EQ(other.tables.PB, b.PB);
    EXPECT_EQ(standing.tables.F1[8], 0);
    EXPECT_EQ(standing.tables.E[8], 0);
    EXPECT_EQ(standing.tables.PB[8], 0);
}

// Differences and sums beyond 16 bits are formed wide: gamma 32767 acts as
// its reduced angle 7.
TEST(RunSelection, AnglesBeyondSixteenBitsAreFormedWide)
{
    for (const std::int16_t wrap : {-180, 180}) {
        RunState wide = WorkedExampleState();
        wide.inputs.alpha = wrap;
        wide.inputs.beta = wrap;
        wide.inputs.gamma = 32767;
        RunState reduced = wide;
        reduced.inputs.gamma = 7;
        RunSelection(wide);
        RunSelection(reduced);
        for (int i = 0; i < kModelCount; ++i) {
            EXPECT_NEAR(wide.tables.P1[i], reduced.tables.P1[i], 1e-9) << wrap << ' ' << i;
            EXPECT_NEAR(wide.tables.We[i], reduced.tables.We[i], 1e-9) << wrap << ' ' << i;
        }
    }
}

// Degenerate figures stay per model: no output leaves an infinite, failing
// gain; a huge tension overflows; a cancelled transfer gives a zero load.
TEST(RunSelection, DegenerateFiguresStayWithTheirModel)
{
    RunState cancelled = WorkedExampleState();
    cancelled.inputs.l = -32.5;
    RunSelection(cancelled);
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(cancelled.tables.Vt[i] == 0, i < 2) << i;
        EXPECT_EQ(std::isfinite(cancelled.tables.S[i]), i >= 2) << i;
    }
    EXPECT_TRUE(AssessResults1(cancelled, 1).failS);
    RunState huge = WorkedExampleState(kIndependentBoth);
    huge.inputs.FS = 1e308;
    RunSelection(huge);
    EXPECT_EQ(huge.tables.P1[3], kInf);
    EXPECT_TRUE(AssessResults1(huge, 3).failZs && AssessResults1(huge, 3).failS);
    EXPECT_TRUE(std::isfinite(huge.tables.We[3]) && std::isfinite(huge.tables.F2[3]));
    huge.inputs.l = -80;
    RunSelection(huge);
    EXPECT_EQ(huge.tables.P1[6], 0);
    EXPECT_FALSE(AssessResults1(huge, 6).failP1);
}

RunState WithSet1(int i, double P1, double Zr, double Zs, double Vr, double S)
{
    RunState state;
    state.tables.P1[i] = P1;
    state.tables.Zr[i] = Zr;
    state.tables.Zs[i] = Zs;
    state.tables.Vr[i] = Vr;
    state.tables.S[i] = S;
    return state;
}

// Every limit belongs to the failing side; stopper limits are the model's
// own; the P1 check is signed and only for models 6 to 8.
TEST(AssessResults1, LimitsBelongToTheFailingSide)
{
    const struct {
        const char* name;
        int model;
        double P1, Zr, Zs, Vr, S;
        std::array<bool, 5> fails;  // P1, Zr, Zs, Vr, S
    } cases[] = {{"all inside", 0, 1, 0.1, 0.2, 100, 20, {}},
                 {"S exactly 12", 0, 1, 0.1, 0.2, 100, 12, {false, false, false, false, true}},
                 {"S exactly 80", 0, 1, 0.1, 0.2, 100, 80, {false, false, false, false, true}},
                 {"S 12.01 and -50", 0, 1, 0.1, 0.2, 100, 12.01, {}},
                 {"S 79.99", 0, 1, 0.1, 0.2, 100, 79.99, {}},
                 {"S negative inside", 0, 1, 0.1, 0.2, 100, -50, {}},
                 {"S infinite", 0, 1, 0.1, 0.2, 100, kInf, {false, false, false, false, true}},
                 {"S not a number", 0, 1, 0.1, 0.2, 100, kNaN, {false, false, false, false, true}},
                 {"Zs at 0.7", 0, 1, 0.1, 0.7, 100, 20, {false, false, true, false, false}},
                 {"Zs at 0.65 on model 8", 8, 1, 0.1, 0.65, 100, 20, {false, false, true, false, false}},
                 {"Zs 0.79 inside 0.8", 4, 1, 0.1, 0.79, 100, 20, {}},
                 {"Zr at the limit", 0, 1, 0.7, 0.2, 100, 20, {false, true, false, false, false}},
                 {"Zr negative beyond", 0, 1, -0.75, 0.2, 100, 20, {false, true, false, false, false}},
                 {"Zs not a number", 0, 1, 0.1, kNaN, 100, 20, {false, false, true, false, false}},
                 {"Vr 259.99 mV", 0, 1, 0.1, 0.2, 259.99, 20, {}},
                 {"Vr -260 mV", 0, 1, 0.1, 0.2, -260, 20, {false, false, false, true, false}},
                 {"negative P1 on model 5", 5, -1, 0.1, 0.2, 100, 20, {}},
                 {"negative P1 on model 6", 6, -1, 0.1, 0.2, 100, 20, {true, false, false, false, false}},
                 {"P1 -0.001 on model 8", 8, -0.001, 0.1, 0.2, 100, 20, {true, false, false, false, false}},
                 {"P1 not a number on model 7", 7, kNaN, 0.1, 0.2, 100, 20, {true, false, false, false, false}},
                 {"zero P1 on model 7", 7, 0, 0.1, 0.2, 100, 20, {}}};
    for (const auto& c : cases) {
        const Assessment1 a = AssessResults1(WithSet1(c.model, c.P1, c.Zr, c.Zs, c.Vr, c.S), c.model);
        EXPECT_EQ((std::array<bool, 5>{a.failP1, a.failZr, a.failZs, a.failVr, a.failS}), c.fails) << c.name;
        EXPECT_EQ(a.withinTolerance, (c.fails == std::array<bool, 5>{})) << c.name;
    }
}

// A ratio of exactly 0.7 fails; a standing line passes whatever the
// resonance; a running one over a zero resonance fails.
TEST(AssessResults2, RatioOfExactlyPointSevenFails)
{
    const struct {
        double F1, F2, F3;
        bool failF1F2, failF1F3;
    } cases[] = {{0.7, 1, 2, true, false},      {0.69999, 1, 1, false, false}, {7, 10, 10, true, true},
                 {0.7, 2, 1, false, true},      {-5, 1, 1, false, false},      {kInf, kInf, kInf, true, true},
                 {0, kInf, kInf, false, false}, {0, 0, 0, false, false},       {1, 0, 0, true, true}};
    for (const auto& c : cases) {
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

TEST(NormaliseAngle, ReducesIntoOneTurn)
{
    const std::pair<double, double> cases[] = {{0, 0},        {359.5, 359.5}, {360, 0},  {725, 5},
                                               {-0.5, 359.5}, {-180, 180},    {-360, 0}, {-32947, 173}};
    for (const auto& [degrees, expected] : cases) {
        EXPECT_EQ(NormaliseAngle(degrees), expected) << degrees;
    }
    EXPECT_LT(NormaliseAngle(-1e-20), 360.0);
    EXPECT_TRUE(std::isnan(NormaliseAngle(kInf)));
}

SelectionInputs Angles(std::int16_t alpha, std::int16_t beta, std::int16_t gamma)
{
    SelectionInputs in;
    in.alpha = alpha;
    in.beta = beta;
    in.gamma = gamma;
    return in;
}

// The accepted sectors include their bounds; the mirrored arrangement of a
// failure (the other fulcrum side) passes.
TEST(AngleChecks, AcceptedSectorsIncludeTheirBounds)
{
    const struct {
        std::int16_t alpha, beta, gamma;
        bool resultantPasses, wrapPasses;
    } cases[] = {{20, 80, 20, true, true},   {0, 0, 0, true, true},      {10, 0, 0, false, true},
                 {0, 10, 0, true, true},     {1, 0, -45, false, true},   {179, -180, 90, false, true},
                 {0, 0, 90, true, true},     {0, 0, -90, true, true},    {-180, 180, 0, true, true},
                 {0, 0, -181, false, true},  {0, 0, 91, false, true},    {90, 90, 0, true, false},
                 {-90, -90, 0, true, false}, {180, -180, 0, true, true}, {100, 80, 0, false, false}};
    for (const auto& c : cases) {
        const SelectionInputs in = Angles(c.alpha, c.beta, c.gamma);
        EXPECT_EQ(!CheckResultantAngle(in), c.resultantPasses) << c.alpha << ' ' << c.beta << ' ' << c.gamma;
        EXPECT_EQ(!CheckWrapAngle(in), c.wrapPasses) << c.alpha << ' ' << c.beta << ' ' << c.gamma;
    }
    for (std::int16_t alpha = -180; alpha <= 180; alpha += 15) {
        for (std::int16_t gamma = -180; gamma <= 180; gamma += 15) {
            if (CheckResultantAngle(Angles(alpha, 35, gamma))) {
                EXPECT_FALSE(CheckResultantAngle(Angles(35, alpha, static_cast<std::int16_t>(-gamma))));
            }
        }
    }
}

}  // namespace
}  // namespace vyra
