// The figures beyond pass and fail, each against "Select" itself: the safe
// speed just below and above, every edge of the passing mounting angles,
// the calibration against a run with the test weight as tension, and the
// margins against the verdicts.
#include "Headroom.h"
#include "Commands.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace vyra {
namespace {

std::string Text(double value)
{
    std::array<char, 32> text{};
    return std::string(text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr);
}

struct Selected {
    RunState state;
    bool accepted = false;
};

Selected Select(const EntryForm& form, std::int16_t unit = kKgf)
{
    Selected selected;
    selected.state.forceUnit = unit;
    selected.accepted = !SelectCommand(selected.state, form).has_value();
    return selected;
}

std::vector<EntryForm> Cases()
{
    EntryForm angled = test::WorkedExampleForm();
    angled.txtInput = {"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    EntryForm oneSensor = angled;
    oneSensor.opMethod1 = 1;
    oneSensor.fulcrumIndex = 1;
    return {test::WorkedExampleForm(), angled, oneSensor, test::HarshForm()};
}

TEST(Headroom, MaxSpeedIsWhereTheRatioChecksStartToFail)
{
    for (const EntryForm& form : Cases()) {
        const Selected base = Select(form);
        ASSERT_TRUE(base.accepted);
        for (int model = 0; model < kModelCount; ++model) {
            const double limit = MaxSpeed(base.state, model);
            ASSERT_TRUE(std::isfinite(limit));
            for (const auto& [factor, passes] : {std::pair{1 - 1e-9, true}, std::pair{1 + 1e-9, false}}) {
                EntryForm trial = form;
                trial.txtInput[kItemV] = Text(limit * factor);
                const Selected run = Select(trial);
                ASSERT_TRUE(run.accepted);
                EXPECT_EQ(AssessResults2(run.state, model).withinTolerance, passes) << model << " at " << factor;
            }
        }
    }
}

TEST(Headroom, PassingGammaEdgesAreWhereSelectChangesItsMind)
{
    for (const EntryForm& form : Cases()) {
        const PassingGamma passing = PassingGammas(form, kKgf);
        const auto passesAt = [&form](int gamma, int model) {
            EntryForm trial = form;
            trial.txtInput[kItemGamma] = std::to_string(gamma);
            const Selected run = Select(trial);
            return run.accepted && AssessResults1(run.state, model).withinTolerance;
        };
        for (int model = 0; model < kModelCount; ++model) {
            for (const GammaInterval& interval : passing[model]) {
                EXPECT_TRUE(passesAt(interval.from, model) && passesAt(interval.to, model));
                EXPECT_TRUE(interval.from == kGammaLowest || !passesAt(interval.from - 1, model));
                EXPECT_TRUE(interval.to == kGammaHighest || !passesAt(interval.to + 1, model));
                // Inside, every angle passes: the interval is one run.
                for (int gamma = interval.from; gamma <= interval.to; gamma += 7) {
                    EXPECT_TRUE(passesAt(gamma, model)) << gamma;
                }
            }
        }
    }
    // An angle that would pass the checks of set 1 is no use when "Select"
    // refuses the case: the wrap angles of the harsh case fail every gamma
    // but the ones the resultant check lets through.
    EXPECT_EQ(PassingGammas(test::HarshForm(), kKgf)[0], (std::vector<GammaInterval>{}));
}

TEST(Headroom, CalibrationIsTheCaseWithTheWeightAsTension)
{
    for (const auto& [unit, tension] : {std::pair{kKgf, "5"}, std::pair{kNewton, "49"}}) {
        EntryForm loaded = test::WorkedExampleForm();
        loaded.txtInput[kItemFS] = tension;
        const Selected run = Select(loaded, unit);
        const Calibration calibration = CalibrationFor(test::WorkedExampleForm(), unit, 5);
        ASSERT_FALSE(calibration.refusal);
        for (int model = 0; model < kModelCount; ++model) {
            EXPECT_DOUBLE_EQ(calibration.Vt[model], run.state.tables.Vt[model]);
            EXPECT_DOUBLE_EQ(calibration.S[model], run.state.tables.S[model]);
        }
    }
    EntryForm refused = test::WorkedExampleForm();
    refused.txtInput[kItemD] = "-1";
    EXPECT_EQ(CalibrationFor(refused, kKgf, 5).refusal->title, "Input error");
}

// A check fails exactly when its margin reaches 100 %, and the nearest is
// the largest.
TEST(Headroom, MarginsReachAHundredWhereChecksFail)
{
    for (const EntryForm& form : Cases()) {
        const Selected base = Select(form);
        for (int model = 0; model < kModelCount; ++model) {
            const CheckMargins margins = MarginsOf(base.state, model);
            const Assessment1 a1 = AssessResults1(base.state, model);
            const Assessment2 a2 = AssessResults2(base.state, model);
            const bool fails[] = {a1.failZr, a1.failZs, a1.failVr, a1.failS, a2.failF1F2, a2.failF1F3};
            for (int check = 0; check < kMarginCount; ++check) {
                EXPECT_EQ(margins[check] >= 100, fails[check]) << model << ' ' << kMarginNames[check];
            }
            const int nearest = NearestToFailing(margins);
            EXPECT_EQ(margins[nearest], *std::max_element(margins.begin(), margins.end()));
        }
    }
}

}  // namespace
}  // namespace vyra
