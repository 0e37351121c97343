// The figures of both result sets against figures worked out independently
// from the rating formulas, the angle checks, and the tolerance limits.
#include "EngineCases.h"
#include "LoadResolution.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

namespace vyra {
namespace {

using test::Number;
using test::Rows;
using test::WorkedExampleState;

std::int16_t Int16(const std::string& field) { return static_cast<std::int16_t>(std::stoi(field)); }

// A result table by its figure's symbol.
ResultTable& Table(ResultTables& tables, const std::string& symbol)
{
    return tables.*std::ranges::find(test::kTables, symbol, &decltype(test::kTables)::value_type::first)->second;
}

// The worked example for every model, the loads of every method, an offset
// roller: each figure within its tolerance of the one worked out by hand.
TEST(RunSelection, FiguresWorkedOutByHand)
{
    for (const auto& row : Rows("engine_figures", 6)) {
        RunState state;
        state.seriesIndex = Int16(row[1]);
        state.forceUnit = row[2] == "N" ? kNewton : kKgf;
        SelectionInputs& in = state.inputs;
        std::istringstream inputs(row[3]);
        ASSERT_TRUE(inputs >> in.FS >> in.d >> in.Wr >> in.l >> in.h >> in.Wp >> in.V >> in.alpha >> in.beta >> in.gamma
                    >> in.methodCode)
            << row[0];
        RunSelection(state);
        EXPECT_EQ(in.FS, Number(row[3])) << row[0] << ": the entered tension stays as it was";
        std::istringstream figures(row[5]);
        std::string figure, tolerance;
        for (double expected; figures >> figure >> expected >> tolerance;) {
            const double limit =
                Number(tolerance.substr(4)) * (tolerance.starts_with("rel:") ? std::fabs(expected) : 1);
            EXPECT_NEAR(Table(state.tables, figure)[std::stoi(row[4])], expected, limit) << row[0] << ' ' << figure;
        }
        EXPECT_TRUE(figures.eof()) << row[0] << ": a figure is not as figure, value and tolerance";
    }
}

ResultTables TablesOf(RunState state)
{
    RunSelection(state);
    return state.tables;
}

// Speed and roller weight scale set 2; the tension, angles, unit and method
// change nothing of it; a standing line excites nothing.
TEST(RunSelection, SecondSetFollowsSpeedAndRollerWeightOnly)
{
    RunState state = WorkedExampleState();
    const ResultTables b = TablesOf(state);
    state.inputs.V = 200;
    const ResultTables faster = TablesOf(state);
    state.inputs.V = 0;
    const ResultTables standing = TablesOf(state);
    state = WorkedExampleState();
    state.inputs.Wr = 20;
    const ResultTables heavier = TablesOf(state);
    state.inputs = {55, 100, 10, 0, 0, 1, 100, 45, 0, 12, 0, kIndependentOne};
    state.forceUnit = kNewton;
    const ResultTables other = TablesOf(state);
    EXPECT_NEAR(faster.F1[4], 2 * b.F1[4], 1e-12);
    EXPECT_NEAR(faster.E[4], b.E[4] / 2, 1e-12);
    EXPECT_NEAR(faster.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(heavier.F3[4], b.F3[4] / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(heavier.PB[4], 2 * b.PB[4], 1e-12);
    EXPECT_NEAR(b.F3[4] / b.F2[4], std::sqrt(1.5), 1e-12);
    EXPECT_TRUE(other.F2 == b.F2 && other.PB == b.PB);
    EXPECT_TRUE(standing.F1[8] == 0 && standing.E[8] == 0 && standing.PB[8] == 0);
}

// Differences and sums beyond 16 bits are formed wide: gamma 32767 acts as
// its reduced angle 7.
TEST(RunSelection, AnglesBeyondSixteenBitsAreFormedWide)
{
    for (const std::int16_t wrap : {-180, 180}) {
        RunState state = WorkedExampleState();
        state.inputs.alpha = state.inputs.beta = wrap;
        state.inputs.gamma = 32767;
        const ResultTables wide = TablesOf(state);
        state.inputs.gamma = 7;
        const ResultTables reduced = TablesOf(state);
        for (int i = 0; i < kModelCount; ++i) {
            EXPECT_NEAR(wide.P1[i], reduced.P1[i], 1e-9) << wrap << ' ' << i;
            EXPECT_NEAR(wide.We[i], reduced.We[i], 1e-9) << wrap << ' ' << i;
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
    EXPECT_TRUE(std::isinf(huge.tables.P1[3]) && huge.tables.P1[3] > 0);
    EXPECT_TRUE(AssessResults1(huge, 3).failZs && AssessResults1(huge, 3).failS);
    EXPECT_TRUE(std::isfinite(huge.tables.We[3]) && std::isfinite(huge.tables.F2[3]));
    huge.inputs.l = -80;
    RunSelection(huge);
    EXPECT_TRUE(huge.tables.P1[6] == 0 && !AssessResults1(huge, 6).failP1);
}

TEST(Assessments, LimitsBelongToTheFailingSide)
{
    for (const auto& row : Rows("engine_assessments", 4)) {
        const int i = std::stoi(row[1]);
        RunState state;
        std::istringstream figures(row[2]);
        for (std::string figure, value; figures >> figure >> value;) {
            Table(state.tables, figure)[i] = Number(value);
        }
        const Assessment1 a = AssessResults1(state, i);
        const Assessment2 b = AssessResults2(state, i);
        EXPECT_EQ(std::string({"-x"[a.failP1], "-x"[a.failZr], "-x"[a.failZs], "-x"[a.failVr], "-x"[a.failS],
                               "-x"[b.failF1F2], "-x"[b.failF1F3]}),
                  row[3])
            << row[0];
        EXPECT_EQ(a.withinTolerance, row[3].starts_with("-----")) << row[0];
        EXPECT_EQ(b.withinTolerance, row[3].ends_with("--")) << row[0];
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
    EXPECT_TRUE(std::isnan(NormaliseAngle(INFINITY)));
}

// The mirrored arrangement of a failure (the other fulcrum side) passes.
TEST(AngleChecks, AcceptedSectorsIncludeTheirBounds)
{
    for (const auto& row : Rows("engine_angle_checks", 6)) {
        const SelectionInputs in = test::SketchInputs(Int16(row[1]), Int16(row[2]), Int16(row[3]), 0, 0);
        EXPECT_EQ(CheckResultantAngle(in) ? "fails" : "passes", row[4]) << row[0];
        EXPECT_EQ(CheckWrapAngle(in) ? "fails" : "passes", row[5]) << row[0];
    }
    for (std::int16_t alpha = -180; alpha <= 180; alpha += 15) {
        for (std::int16_t gamma = -180; gamma <= 180; gamma += 15) {
            if (CheckResultantAngle(test::SketchInputs(alpha, 35, gamma, 0, 0))) {
                EXPECT_FALSE(
                    CheckResultantAngle(test::SketchInputs(35, alpha, static_cast<std::int16_t>(-gamma), 0, 0)));
            }
        }
    }
}

}  // namespace
}  // namespace vyra
