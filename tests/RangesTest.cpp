// Ranges against every point of their grid selected one by one.
#include "Ranges.h"
#include "Answer.h"
#include "Commands.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "Sensitivity.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace vyra {
namespace {

struct Standing {
    bool passes = false;
    double farness = 0;
};

// A model at one point, judged as the tables judge it: a refused point
// fails every model, infinitely far.
Standing StandingAt(const EntryForm& form, int model)
{
    constexpr double kInfinite = std::numeric_limits<double>::infinity();
    RunState state;
    if (SelectCommand(state, form)) {
        return {false, kInfinite};
    }
    const NearestCheck nearest = NearestCheckOf(state, model);
    const bool passes = AssessResults1(state, model).withinTolerance && AssessResults2(state, model).withinTolerance;
    return {passes, std::isfinite(nearest.margin.percent) ? nearest.margin.percent : kInfinite};
}

// The worked example with gamma and speed ranged (gamma -2 and -1 point the
// resultant out of its sectors), and an angled case with three inputs.
TEST(Ranges, VerdictsAgreeWithEveryGridPoint)
{
    const std::array<std::string, kFieldCount> angled{"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    const std::vector<std::pair<EntryForm, std::vector<InputRange>>> cases{
        {test::WorkedExampleForm(), {{kItemGamma, -2, 3}, {kItemV, 50, 150}}},
        {test::WorkedExampleForm(), {{kItemGamma, 0, 4}, {kItemH, -20, 30}}},
        {EntryForm{angled}, {{kItemAlpha, 18.5, 22}, {kItemL, 0, 40}, {kItemWr, 8, 13}}},
    };
    for (const auto& [form, ranges] : cases) {
        ASSERT_TRUE(CheckRanges(form, kKgf, ranges));
        const RangeVerdicts verdicts = EvaluateRanges(form, kKgf, ranges);
        std::vector<std::vector<double>> grid;
        for (const InputRange& r : ranges) {
            std::vector<double>& values = grid.emplace_back();
            const bool angle = r.item >= kItemAlpha && r.item <= kItemGamma;
            for (int k = 0; k <= (angle ? int(r.high) - int(std::ceil(r.low)) : 10); ++k) {
                values.push_back(angle ? std::ceil(r.low) + k : r.low + k * (r.high - r.low) / 10);
            }
        }
        for (int model = 0; model < kModelCount; ++model) {
            bool passes = true;
            Standing worst{true, -1};
            std::vector<double> worstAt;
            double points = 0;
            for (double a : grid[0]) {
                for (double b : grid[1]) {
                    for (double c : grid.size() > 2 ? grid[2] : std::vector<double>{0}) {
                        EntryForm point = form;
                        point.txtInput[ranges[0].item] = RoundTripText(a);
                        point.txtInput[ranges[1].item] = RoundTripText(b);
                        if (grid.size() > 2) {
                            point.txtInput[ranges[2].item] = RoundTripText(c);
                        }
                        const Standing s = StandingAt(point, model);
                        passes = passes && s.passes;
                        if (s.farness > worst.farness) {
                            worst = s;
                            worstAt = std::vector<double>{a, b, c};
                            worstAt.resize(ranges.size());
                        }
                        ++points;
                    }
                }
            }
            const RangeVerdict& verdict = verdicts[model];
            EXPECT_EQ(verdict.passesBoth, passes) << model;
            EXPECT_EQ(verdict.points, points) << model;
            // The first point of the largest margin, failing where any point fails.
            EXPECT_EQ(verdict.worst.at, worstAt) << model;
            EXPECT_EQ(std::isfinite(verdict.worst.margin) ? verdict.worst.margin : INFINITY, worst.farness) << model;
            EXPECT_TRUE(passes || !worst.passes) << model;
        }
    }
}

// {item, low, high, nominal, points}
TEST(Ranges, PointCounts)
{
    const struct {
        int item;
        double low, high;
        const char* nominal;
        std::size_t points;
    } rows[] = {
        {kItemGamma, 10, 30, "20", 21}, {kItemGamma, 10.5, 12.5, "11", 2}, {kItemAlpha, -0.5, 0.5, "0", 1},
        {kItemBeta, 0.2, 2, "0.2", 3},  {kItemH, 0, 10, "5", 11},          {kItemH, 0, 10, "3.5", 12},
        {kItemV, 100, 100, "100", 1},   {kItemWp, 1, 2, "", 12},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(RangeValues({row.item, row.low, row.high}, ParseLeadingNumber(row.nominal)).size(), row.points)
            << row.item << " " << row.low;
    }
    EntryForm form = test::EditedWorkedExample("5=20 7=3.5");
    EXPECT_EQ(RangePointCount(form, {{kItemGamma, 10, 30}, {kItemH, 0, 10}}), 21 * 12);
}

// 41 x 11 x 21 = 9471 points: told at 4096 and 8192, the same verdicts
// as without being told; stopped at the first, nothing.
TEST(Ranges, ProgressIsToldAndMayStop)
{
    const EntryForm form = test::EditedWorkedExample("5=20 7=0");
    const std::vector<InputRange> ranges{{kItemGamma, 0, 40}, {kItemH, -50, 50}, {kItemAlpha, -10, 10}};
    ASSERT_EQ(RangePointCount(form, ranges), 41 * 11 * 21);
    std::vector<double> told;
    const auto verdicts = EvaluateRanges(form, kKgf, ranges, [&told](double done) {
        told.push_back(done);
        return true;
    });
    EXPECT_EQ(told, (std::vector<double>{4096, 8192}));
    ASSERT_TRUE(verdicts);
    const RangeVerdicts plain = EvaluateRanges(form, kKgf, ranges);
    for (int model = 0; model < kModelCount; ++model) {
        EXPECT_EQ((*verdicts)[model].passesBoth, plain[model].passesBoth);
        EXPECT_EQ((*verdicts)[model].points, 9471);
        EXPECT_EQ((*verdicts)[model].worst.at, plain[model].worst.at);
    }
    int calls = 0;
    EXPECT_FALSE(EvaluateRanges(form, kKgf, ranges, [&calls](double) { return ++calls > 1; }));
    EXPECT_EQ(calls, 1);
}

TEST(Ranges, RefusalsNameTheirInput)
{
    const EntryForm form = test::EditedWorkedExample("3=175");
    const struct {
        std::vector<InputRange> ranges;
        const char* words;
    } rows[] = {
        {{{kItemAlpha, 170, 190}}, "the alpha range 170:190 reaches 190"},
        {{{kItemWr, 0, 10}}, "the roller-weight range 0:10 reaches 0"},
        {{{kItemV, -1, 100}}, "the speed range -1:100 reaches -1"},
        {{{kItemGamma, 5, 10}}, "the gamma range 5:10 does not hold the nominal 0"},
        {{{kItemH, 10, -5}}, "the height range 10:-5 has its low end above its high end"},
        {{{kItemFS, 1, 20}}, "the tension cannot carry a range"},
        {{{kItemAlpha, 170, 180}, {kItemH, -9, 9}, {kItemBeta, -180, 180}, {kItemGamma, -180, 180}}, "narrower ranges"},
    };
    for (const auto& row : rows) {
        const Expected<void> checked = CheckRanges(form, kKgf, row.ranges);
        ASSERT_FALSE(checked) << row.words;
        EXPECT_NE(checked.Error().reason.find(row.words), std::string::npos) << checked.Error().reason;
    }
    EXPECT_TRUE(CheckRanges(form, kKgf, {{kItemAlpha, 170, 180}, {kItemBeta, -180, 180}, {kItemGamma, -10, 10}}));
}

// Each end typed in and selected here, the figure taken as its check
// measures it; gamma -1 is refused, which comes before any figure.
TEST(Ranges, SensitivityBarsAreTheEndsLargestFirst)
{
    const EntryForm form = test::WorkedExampleForm();
    const std::vector<InputRange> ranges{{kItemV, 50, 150}, {kItemGamma, -1, 3}, {kItemH, -20, 30}, {kItemL, 0, 40}};
    const std::optional<Sensitivity> sensitivity = SensitivityOf(form, kKgf, ranges);
    ASSERT_TRUE(sensitivity);
    RunState nominal;
    ASSERT_FALSE(SelectCommand(nominal, form));
    EXPECT_EQ(sensitivity->model, NearestModel(nominal));
    const Check& check = *kChecks[sensitivity->check];
    ASSERT_EQ(sensitivity->bars.size(), ranges.size());
    double previous = INFINITY;
    for (const SensitivityBar& bar : sensitivity->bars) {
        std::array<double, 2> figures{};
        for (int end = 0; end < 2; ++end) {
            EntryForm point = form;
            point.txtInput[bar.range.item] = RoundTripText(end == 0 ? bar.range.low : bar.range.high);
            RunState state;
            const std::optional<SensitivityEnd>& shown = end == 0 ? bar.low : bar.high;
            figures[end] =
                SelectCommand(state, point) ? INFINITY : std::fabs(check.figure(state.tables, sensitivity->model));
            ASSERT_EQ(shown.has_value(), std::isfinite(figures[end])) << bar.range.item;
            if (shown) {
                EXPECT_NEAR(shown->figure, figures[end], 1e-12 * std::fabs(figures[end])) << bar.range.item;
            }
        }
        const double effect = std::max({figures[0], figures[1], sensitivity->nominal.figure})
                              - std::min({figures[0], figures[1], sensitivity->nominal.figure});
        EXPECT_LE(effect, previous) << bar.range.item;
        previous = effect;
    }
}

}  // namespace
}  // namespace vyra
