// What would make a failing model pass, against a dense scan of "Select".
#include "Remedies.h"
#include "Commands.h"
#include "Headroom.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vyra {
namespace {

struct Verdict {
    bool one = false;
    bool two = false;
};

std::array<Verdict, kModelCount> VerdictsWith(EntryForm form, ForceUnit unit, int item, double value)
{
    form.txtInput[item] = item == kItemGamma ? std::to_string(std::lround(value))
                                             : RoundTripText(InRunUnits(FieldQuantity(item), value, unit));
    RunState state;
    state.forceUnit = unit;
    std::array<Verdict, kModelCount> verdicts{};
    if (!SelectCommand(state, form)) {
        for (int model = 0; model < kModelCount; ++model) {
            verdicts[model] = {AssessResults1(state, model).withinTolerance,
                               AssessResults2(state, model).withinTolerance};
        }
    }
    return verdicts;
}

// Every whole degree and 2,000 points of each other domain: a value passes
// exactly inside a reported run (to the boundary tolerance), the runs' ends
// and the nearest value pass, and no passing value lies nearer the entry.
// Where set 1 passes as entered, the speed runs end at the safe speed; where
// set 2 does, the angles are the passing gammas; elsewhere those are empty.
TEST(Remedies, AgreeWithADenseScanOfSelect)
{
    const std::array<std::string, kFieldCount> fast{"10", "100", "10", "0", "0", "0", "0", "0", "1", "800"};
    int nothingHelps = 0;
    for (const auto& [form, unit] : {std::pair{test::WorkedExampleForm(), kKgf}, std::pair{EntryForm{fast}, kKgf},
                                     std::pair{test::LbfForm(), kLbf}}) {
        RunState nominal;
        nominal.forceUnit = unit;
        ASSERT_FALSE(SelectCommand(nominal, form));
        const Remedies remedies = RemediesOf(form, unit);
        const PassingGamma gammas = PassingGammas(form, unit);
        std::string sentences;
        for (const int model : RemedyOrder(nominal)) {
            sentences += RemedySentence(nominal, model, remedies[model]) + '\n';
        }
        for (int model = 0; model < kModelCount; ++model) {
            const bool one = AssessResults1(nominal, model).withinTolerance;
            const bool two = AssessResults2(nominal, model).withinTolerance;
            ASSERT_EQ(remedies[model].size(), one && two ? 0U : kRemedyItems.size());
            nothingHelps += !remedies[model].empty()
                            && std::ranges::all_of(remedies[model], [](const Remedy& r) { return r.passes.empty(); });
        }
        for (std::size_t r = 0; r < kRemedyItems.size(); ++r) {
            const int item = kRemedyItems[r];
            const double entry = InProgramUnits(FieldQuantity(item), std::stod(form.txtInput[item]), unit);
            const RemedyInterval domain = RemedyDomain(item, entry);
            const int steps = item == kItemGamma ? 360 : 2000;
            std::vector<std::array<Verdict, kModelCount>> scan;
            for (int k = 0; k <= steps; ++k) {
                scan.push_back(VerdictsWith(form, unit, item, domain.low + k * (domain.high - domain.low) / steps));
            }
            for (int model = 0; model < kModelCount; ++model) {
                if (remedies[model].empty()) {
                    continue;
                }
                const Remedy& remedy = remedies[model][r];
                const auto near = [&](double x, double b) {
                    return item != kItemGamma && std::fabs(x - b) <= 1.01 * std::max(0.001 * std::fabs(b), 0.01);
                };
                const bool one = AssessResults1(nominal, model).withinTolerance;
                EXPECT_EQ(remedy.domain, domain);
                ASSERT_EQ(remedy.nearest.has_value(), !remedy.passes.empty());
                const double nearest = remedy.nearest.value_or(domain.high - domain.low + std::fabs(entry));
                for (int k = 0; k <= steps; ++k) {
                    const double x = domain.low + k * (domain.high - domain.low) / steps;
                    bool inside = false, edge = false;
                    for (const RemedyInterval& run : remedy.passes) {
                        inside |= x >= run.low && x <= run.high;
                        edge |= near(x, run.low) || near(x, run.high);
                    }
                    const bool passes = scan[k][model].one && scan[k][model].two;
                    EXPECT_TRUE(edge || passes == inside) << model << ' ' << item << ' ' << x;
                    EXPECT_FALSE(passes && !edge && std::fabs(x - entry) < std::fabs(nearest - entry)) << x;
                }
                for (const RemedyInterval& run : remedy.passes) {
                    for (const double end : {run.low, run.high, nearest}) {
                        const Verdict v = VerdictsWith(form, unit, item, end)[model];
                        EXPECT_TRUE(v.one && v.two) << model << ' ' << item << ' ' << end;
                    }
                }
                if (item == kItemV) {
                    const double safe = MaxSpeed(nominal, model);
                    ASSERT_EQ(remedy.passes.size(), one ? 1U : 0U) << model;
                    EXPECT_TRUE(!one || std::fabs(remedy.passes[0].high - safe) <= 0.001 * safe) << model;
                }
                if (item == kItemGamma) {
                    std::vector<RemedyInterval> expected;
                    for (const GammaInterval& g : AssessResults2(nominal, model).withinTolerance
                                                      ? gammas[model]
                                                      : std::vector<GammaInterval>{}) {
                        expected.push_back({double(g.from), double(g.to)});
                    }
                    EXPECT_EQ(remedy.passes, expected) << model;
                }
            }
        }
        // At 800 m/min: the runs the scan confirms, the safe speed 728.7 rounded down, nearest first.
        EXPECT_TRUE(form.txtInput[kItemV] != "800"
                    || sentences.starts_with("Vyra25B passes both sets with 2 ≤ gamma ≤ 77°, or 1.38 ≤ l ≤ 28.2 mm\n"
                                             "Vyra11A passes both sets with -28.2 ≤ l ≤ -5.37 mm, or -32.9 ≤ h ≤ "
                                             "-14.6 mm, or V ≤ 728 m/min"))
            << sentences;
    }
    EXPECT_GT(nothingHelps, 0);
}

}  // namespace
}  // namespace vyra
