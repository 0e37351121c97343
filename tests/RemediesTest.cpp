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

#include <cmath>

namespace vyra {
namespace {

// Which models pass both sets with one entry typed as value, in the program's units.
std::array<bool, kModelCount> PassingWith(EntryForm form, ForceUnit unit, int item, double value)
{
    form.txtInput[item] = item == kItemGamma ? std::to_string(std::lround(value))
                                             : RoundTripText(InRunUnits(FieldQuantity(item), value, unit));
    RunState state;
    state.forceUnit = unit;
    std::array<bool, kModelCount> passing{};
    const bool refused = static_cast<bool>(SelectCommand(state, form));
    for (int model = 0; !refused && model < kModelCount; ++model) {
        passing[model] = AssessResults1(state, model).withinTolerance && AssessResults2(state, model).withinTolerance;
    }
    return passing;
}

// Every whole degree and 2,000 points of each other domain: a value passes exactly inside a run
// (to the boundary tolerance), the runs' ends and the nearest value pass, no passing value lies
// nearer the entry. Where set 1 passes as entered, the speed runs end at the safe speed; where set
// 2 does, the angles are the passing gammas; elsewhere those are empty. Nothing helps Vyra33B.
TEST(Remedies, AgreeWithADenseScanOfSelect)
{
    const std::array<std::string, kFieldCount> fast{"10", "100", "10", "0", "0", "0", "0", "0", "1", "800"};
    for (const auto& [form, unit] : {std::pair{test::WorkedExampleForm(), kKgf}, std::pair{EntryForm{fast}, kKgf},
                                     std::pair{test::LbfForm(), kLbf}}) {
        RunState nominal;
        nominal.forceUnit = unit;
        ASSERT_FALSE(SelectCommand(nominal, form));
        const Remedies remedies = RemediesOf(form, unit);
        const PassingGamma gammas = PassingGammas(form, unit);
        for (std::size_t r = 0; r < kRemedyItems.size(); ++r) {
            const int item = kRemedyItems[r];
            const double entry = InProgramUnits(FieldQuantity(item), std::stod(form.txtInput[item]), unit);
            const RemedyInterval domain = RemedyDomain(item, entry);
            const int steps = item == kItemGamma ? 360 : 2000;
            const auto at = [&](int k) { return domain.low + k * (domain.high - domain.low) / steps; };
            std::vector<std::array<bool, kModelCount>> scan;
            for (int k = 0; k <= steps; ++k) {
                scan.push_back(PassingWith(form, unit, item, at(k)));
            }
            for (int model = 0; model < kModelCount; ++model) {
                const bool one = AssessResults1(nominal, model).withinTolerance;
                const bool two = AssessResults2(nominal, model).withinTolerance;
                ASSERT_EQ(remedies[model].size(), one && two ? 0U : kRemedyItems.size());
                if (one && two) {
                    continue;
                }
                const Remedy& remedy = remedies[model][r];
                ASSERT_EQ(remedy.nearest.has_value(), !remedy.passes.empty());
                const double nearest = remedy.nearest.value_or(domain.high - domain.low + std::fabs(entry));
                for (int k = 0; k <= steps; ++k) {
                    bool inside = false, near = false, listed = false;
                    for (const RemedyInterval& run : remedy.passes) {
                        inside |= at(k) >= run.low && at(k) <= run.high;
                        for (const double b : {run.low, run.high}) {
                            near |= item != kItemGamma
                                    && std::fabs(at(k) - b) <= 1.01 * std::max(0.001 * std::fabs(b), 0.01);
                        }
                    }
                    for (const GammaInterval& g : gammas[model]) {
                        listed |= two && at(k) >= g.from && at(k) <= g.to;
                    }
                    EXPECT_TRUE(near || scan[k][model] == inside) << model << ' ' << item << ' ' << at(k);
                    EXPECT_TRUE(item != kItemGamma || inside == listed) << model << ' ' << at(k);
                    EXPECT_FALSE(scan[k][model] && !near && std::fabs(at(k) - entry) < std::fabs(nearest - entry));
                }
                for (const RemedyInterval& run : remedy.passes) {
                    for (const double end : {run.low, run.high, nearest}) {
                        EXPECT_TRUE(PassingWith(form, unit, item, end)[model]) << model << ' ' << item << ' ' << end;
                    }
                }
                const double safe = MaxSpeed(nominal, model);
                EXPECT_TRUE(item != kItemV
                            || (one ? remedy.passes.size() == 1 && remedy.passes[0].high <= safe
                                          && remedy.passes[0].high >= 0.999 * safe
                                    : remedy.passes.empty()))
                    << model;
            }
        }
    }
}

}  // namespace
}  // namespace vyra
