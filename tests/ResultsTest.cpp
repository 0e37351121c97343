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
#include <iterator>
#include <sstream>

namespace vyra {
namespace {

std::int16_t Int16(const std::string& field) { return static_cast<std::int16_t>(std::stoi(field)); }

// A result table by its figure's symbol.
ResultTable& Table(ResultTables& tables, const std::string& symbol)
{
    return tables.*std::ranges::find(test::kTables, symbol, &decltype(test::kTables)::value_type::first)->second;
}

// The worked example for every model, the loads of every method, an offset
// roller, degenerate figures: each figure of each model within its tolerance
// of the one worked out by hand (an infinite one exactly).
TEST(RunSelection, FiguresWorkedOutByHand)
{
    for (const auto& row : test::Rows("engine_figures", 6)) {
        RunState state;
        state.seriesIndex = Int16(row[1]);
        state.forceUnit = row[2] == "N" ? kNewton : kKgf;
        SelectionInputs& in = state.inputs;
        std::istringstream inputs(row[3]);
        ASSERT_TRUE(inputs >> in.FS >> in.d >> in.Wr >> in.l >> in.h >> in.Wp >> in.V >> in.alpha >> in.beta >> in.gamma
                    >> in.methodCode)
            << row[0];
        RunSelection(state);
        EXPECT_EQ(in.FS, test::Number(row[3])) << row[0] << ": the entered tension stays as it was";
        std::istringstream indices(row[4]);
        const std::vector<int> models{std::istream_iterator<int>(indices), {}};
        std::istringstream figures(row[5]);
        for (std::string figure; figures >> figure;) {
            std::vector<std::string> values(models.size() + 1);
            for (std::string& value : values) {
                figures >> value;
            }
            const std::string& tolerance = values.back();
            ASSERT_TRUE(tolerance.starts_with("rel:") || tolerance.starts_with("abs:")) << row[0] << ' ' << figure;
            for (std::size_t k = 0; k < models.size(); ++k) {
                const double expected = test::Number(values[k]);
                const double actual = Table(state.tables, figure)[models[k]];
                const double limit =
                    test::Number(tolerance.substr(4)) * (tolerance.starts_with("rel:") ? std::fabs(expected) : 1);
                EXPECT_TRUE(actual == expected || std::fabs(actual - expected) <= limit)
                    << row[0] << ' ' << figure << " of model index " << models[k] << ": " << actual;
            }
        }
    }
}

TEST(Assessments, LimitsBelongToTheFailingSide)
{
    for (const auto& row : test::Rows("engine_assessments", 4)) {
        std::istringstream models(row[1]);
        for (int i; models >> i;) {
            RunState state;
            std::istringstream figures(row[2]);
            for (std::string figure, value; figures >> figure >> value;) {
                Table(state.tables, figure)[i] = test::Number(value);
            }
            const Assessment1 a = AssessResults1(state, i);
            const Assessment2 b = AssessResults2(state, i);
            EXPECT_EQ(std::string({"-x"[a.failP1], "-x"[a.failZr], "-x"[a.failZs], "-x"[a.failVr], "-x"[a.failS],
                                   "-x"[b.failF1F2], "-x"[b.failF1F3]}),
                      row[3])
                << row[0] << ", model index " << i;
            EXPECT_EQ(a.withinTolerance, row[3].starts_with("-----")) << row[0];
            EXPECT_EQ(b.withinTolerance, row[3].ends_with("--")) << row[0];
        }
    }
}

TEST(NormaliseAngle, ReducesIntoOneTurn)
{
    // A tiny negative angle rounds up to 360 itself, which is 0.
    const std::pair<double, double> cases[] = {{0, 0},      {0.5, 0.5},    {359.5, 359.5}, {360, 0},  {725, 5},
                                               {-1e-20, 0}, {-0.5, 359.5}, {-180, 180},    {-360, 0}, {-32947, 173}};
    for (const auto& [degrees, expected] : cases) {
        EXPECT_EQ(NormaliseAngle(degrees), expected) << degrees;
    }
    EXPECT_TRUE(std::isnan(NormaliseAngle(INFINITY)));
}

TEST(AngleChecks, AcceptedSectorsIncludeTheirBounds)
{
    for (const auto& row : test::Rows("engine_angle_checks", 6)) {
        const SelectionInputs in = test::SketchInputs(Int16(row[1]), Int16(row[2]), Int16(row[3]), 0, 0);
        EXPECT_EQ(CheckResultantAngle(in) ? "fails" : "passes", row[4]) << row[0];
        EXPECT_EQ(CheckWrapAngle(in) ? "fails" : "passes", row[5]) << row[0];
    }
}

}  // namespace
}  // namespace vyra
