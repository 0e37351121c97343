// The figures beyond pass and fail, each against "Select" itself.
#include "Headroom.h"
#include "Commands.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vyra {
namespace {

// The state "Select" leaves with one entry changed, nothing if it refuses.
std::optional<RunState> SelectWith(EntryForm form, int item, const std::string& text, ForceUnit unit = kKgf)
{
    RunState state;
    state.forceUnit = unit;
    form.txtInput[item] = text;
    return SelectCommand(state, form) ? std::nullopt : std::optional(state);
}

// The ratio checks start to fail at the safe speed, and the sets passed
// say so; a check fails exactly when its margin reaches 100 %, and the
// nearest is the largest; set 1 passes at each gamma of a passing interval,
// every 7th inside and its ends, and not just beyond them.
TEST(Headroom, EdgesAreWhereSelectChangesItsMind)
{
    // The worked example, an angled case on two sensors and on one (left), the harsh case.
    const std::array<std::string, kFieldCount> angled{"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    for (const EntryForm& form :
         {test::WorkedExampleForm(), EntryForm{angled}, EntryForm{angled, 0, 1, 1}, test::HarshForm()}) {
        const RunState base = SelectWith(form, kItemV, form.txtInput[kItemV]).value();
        const PassingGamma passing = PassingGammas(form, kKgf);
        const auto passesAt = [&form](int gamma, int model) {
            const std::optional<RunState> run = SelectWith(form, kItemGamma, std::to_string(gamma));
            return run && AssessResults1(*run, model).withinTolerance;
        };
        for (int model = 0; model < kModelCount; ++model) {
            const double limit = MaxSpeed(base, model);
            ASSERT_TRUE(std::isfinite(limit));
            for (const auto& [factor, passes] : {std::pair{1 - 1e-9, true}, std::pair{1 + 1e-9, false}}) {
                std::array<char, 32> text{};
                const std::optional<RunState> run = SelectWith(
                    form, kItemV, {text.data(), std::to_chars(text.begin(), text.end(), limit * factor).ptr});
                ASSERT_TRUE(run);
                EXPECT_EQ(AssessResults2(*run, model).withinTolerance, passes) << model << " at " << factor;
                const bool one = AssessResults1(*run, model).withinTolerance;
                EXPECT_EQ(PassedSets(*run, model), one && passes ? "both" : one ? "1" : passes ? "2" : "none") << model;
            }
            const CheckMargins margins = MarginsOf(base, model);
            const Assessment1 a1 = AssessResults1(base, model);
            const Assessment2 a2 = AssessResults2(base, model);
            const bool fails[] = {a1.failP1, a1.failZr, a1.failZs, a1.failVr, a1.failS, a2.failF1F2, a2.failF1F3};
            double highest = 0;
            for (int check = 0; check < kMarginCount; ++check) {
                EXPECT_EQ(margins[check].fails, fails[check]) << model << ' ' << kChecks[check]->symbol;
                if (check != kMarginP1) {
                    EXPECT_EQ(margins[check].percent >= 100, fails[check]) << model << ' ' << kChecks[check]->symbol;
                    highest = std::max(highest, margins[check].percent);
                }
            }
            const int nearest = NearestToFailing(margins);
            EXPECT_TRUE(a1.failP1 ? nearest == kMarginP1 : margins[nearest].percent == highest) << model;
            for (const GammaInterval& interval : passing[model]) {
                EXPECT_TRUE(interval.from == kGammaLowest || !passesAt(interval.from - 1, model));
                EXPECT_TRUE(interval.to == kGammaHighest || !passesAt(interval.to + 1, model));
                for (int gamma = interval.from; gamma < interval.to + 7; gamma += 7) {
                    EXPECT_TRUE(passesAt(std::min(gamma, interval.to), model)) << gamma;
                }
            }
        }
    }
    // No gamma passes where "Select" refuses the case, as the harsh case's
    // wrap angles do for every gamma the resultant check lets through.
    EXPECT_EQ(PassingGammas(test::HarshForm(), kKgf)[0], (std::vector<GammaInterval>{}));
}

TEST(Headroom, CalibrationIsTheCaseWithTheWeightAsTension)
{
    for (const auto& [unit, tension] : {std::pair{kKgf, "5"}, std::pair{kNewton, "49"}}) {
        const std::optional<RunState> run = SelectWith(test::WorkedExampleForm(), kItemFS, tension, unit);
        const Calibration calibration = CalibrationFor(test::WorkedExampleForm(), unit, 5);
        ASSERT_TRUE(run && !calibration.refusal);
        EXPECT_EQ(std::pair(calibration.Vt, calibration.S), std::pair(run->tables.Vt, run->tables.S)) << tension;
    }
    const EntryForm refused{{"10", "-1", "10", "0", "0", "0", "0", "0", "1", "100"}};
    EXPECT_EQ(CalibrationFor(refused, kKgf, 5).refusal->title, "Input error");
}

// A test weight is one finite number above 0, nothing after it (0: refused).
TEST(Headroom, TestWeightIsOnePositiveNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"5", 5},   {" 2.5\t", 2.5}, {"+3", 3},    {"1e-300", 1e-300}, {"0", 0}, {"-1", 0},  {"0.0", 0},
        {"nan", 0}, {"inf", 0},      {"1e999", 0}, {"5kg", 0},         {"", 0},  {"5 5", 0}, {".", 0}};
    for (const auto& [text, weight] : cases) {
        const Expected<double> read = ReadTestWeight(text, "lb");
        EXPECT_EQ(read ? *read : 0, weight) << text;
    }
}

// A margin as the tables print it, beside its check's verdict.
TEST(Headroom, MarginTextsNeverReadOnTheWrongSideOf100)
{
    for (const auto& row : test::ReadCaseTable("engine_margins", 5)) {
        const auto check = static_cast<MarginCheck>(
            std::ranges::find(kChecks, row[1], [](const Check* c) { return c->symbol; }) - kChecks.begin());
        const CheckMargin margin{test::Number(row[2]), row[3] != "not checked", row[3] == "fails"};
        EXPECT_EQ(MarginText(margin, check), row[4] == "nothing" ? "" : row[4]) << row[0];
    }
}

}  // namespace
}  // namespace vyra
