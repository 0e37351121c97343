// The figures of both result sets against figures worked out independently
// from the rating formulas, the angle checks, and the tolerance limits.
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

// A result table by its figure's symbol.
ResultTable& Table(ResultTables& tables, const std::string& symbol)
{
    return tables.*std::ranges::find(test::kTables, symbol, &decltype(test::kTables)::value_type::first)->second;
}

// Each figure of each model of the hand-worked table's cases within its
// tolerance of the hand-worked one (an infinite one exactly).
TEST(RunSelection, FiguresWorkedOutByHand)
{
    for (const auto& row : test::ReadCaseTable("engine_figures", 6)) {
        RunState state;
        ASSERT_TRUE(test::ReadFiguresRow(row, state)) << row[0];
        const double FS = state.inputs.FS;
        RunSelection(state);
        EXPECT_EQ(state.inputs.FS, FS) << row[0] << ": the entered tension stays as it was";
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
    for (const auto& row : test::ReadCaseTable("engine_assessments", 4)) {
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

// The accepted sectors of the resultant angle (alpha - beta) / 2 - gamma,
// at 0, in 90..180 or in 270..360, include their bounds: the resultant
// angles 310, 0, 5, 355, 45.5, 89.5, 270, 90, 180, 181 and 269; a wrap angle
// alpha + beta of 180 is refused: 180, -180, 0 after reduction, both failing.
TEST(AngleChecks, AcceptedSectorsIncludeTheirBounds)
{
    const std::tuple<std::int16_t, std::int16_t, std::int16_t, bool, bool> cases[] = {
        {20, 80, 20, false, false},   {0, 0, 0, false, false},      {10, 0, 0, true, false},  {0, 10, 0, false, false},
        {1, 0, -45, true, false},     {179, -180, 90, true, false}, {0, 0, 90, false, false}, {0, 0, -90, false, false},
        {-180, 180, 0, false, false}, {0, 0, -181, true, false},    {0, 0, 91, true, false},  {90, 90, 0, false, true},
        {-90, -90, 0, false, true},   {180, -180, 0, false, false}, {100, 80, 0, true, true}};
    for (const auto& [alpha, beta, gamma, resultantFails, wrapFails] : cases) {
        const SelectionInputs in = test::SketchInputs(alpha, beta, gamma, 0, 0);
        EXPECT_EQ(CheckResultantAngle(in).has_value(), resultantFails) << alpha << ' ' << beta << ' ' << gamma;
        EXPECT_EQ(CheckWrapAngle(in).has_value(), wrapFails) << alpha << ' ' << beta << ' ' << gamma;
    }
}

}  // namespace
}  // namespace vyra
