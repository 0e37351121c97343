#include "Sensitivity.h"

#include "Answer.h"
#include "Checks.h"
#include "Commands.h"
#include "NumberText.h"
#include "RunState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vyra {

namespace {

bool OnSize(const Check& check)
{
    return check.side == PassingSide::AbsoluteBelow || check.side == PassingSide::AbsoluteBetween;
}

SensitivityEnd EndOf(const RunState& state, int model, int check)
{
    const Check& measured = *kChecks[static_cast<std::size_t>(check)];
    const double figure = measured.figure(state.tables, model);
    return {OnSize(measured) ? std::fabs(figure) : figure,
            MarginsOf(state, model)[static_cast<std::size_t>(check)].percent};
}

// The gain passes between two limits; the one its figure is nearer in
// proportion is the one it may cross.
double LimitOf(const RunState& state, int model, int check, double figure)
{
    const Check& measured = *kChecks[static_cast<std::size_t>(check)];
    switch (measured.side) {
    case PassingSide::NotNegative:
        return 0;
    case PassingSide::AbsoluteBetween:
        return figure / measured.upper >= measured.lower / figure ? measured.upper : measured.lower;
    case PassingSide::AbsoluteBelow:
    case PassingSide::Below:
        break;
    }
    return UpperLimit(measured, state, model);
}

std::optional<SensitivityEnd> EndAt(const EntryForm& form, ForceUnit forceUnit, int item, double value, int model,
                                    int check)
{
    EntryForm trial = form;
    trial.txtInput[static_cast<std::size_t>(item)] = RoundTripText(value);
    RunState state;
    state.forceUnit = forceUnit;
    if (SelectCommand(state, trial)) {
        return std::nullopt;
    }
    return EndOf(state, model, check);
}

double EffectOf(const SensitivityBar& bar, double nominal)
{
    if (!bar.low || !bar.high) {
        return std::numeric_limits<double>::infinity();
    }
    const double top = std::max({bar.low->figure, bar.high->figure, nominal});
    const double bottom = std::min({bar.low->figure, bar.high->figure, nominal});
    return top - bottom;
}

}  // namespace

std::optional<Sensitivity> SensitivityOf(const EntryForm& form, ForceUnit forceUnit,
                                         const std::vector<InputRange>& ranges)
{
    RunState state;
    state.forceUnit = forceUnit;
    if (SelectCommand(state, form)) {
        return std::nullopt;
    }
    // The smallest farness of all models is a passing model's whenever one
    // passes, so the nearest model is also the best passing one.
    Sensitivity sensitivity;
    sensitivity.model = NearestModel(state);
    sensitivity.check = NearestCheckOf(state, sensitivity.model).check;
    if (sensitivity.check == kMarginCount) {
        return std::nullopt;
    }
    sensitivity.nominal = EndOf(state, sensitivity.model, sensitivity.check);
    sensitivity.limit = LimitOf(state, sensitivity.model, sensitivity.check, sensitivity.nominal.figure);
    for (const InputRange& range : ranges) {
        sensitivity.bars.push_back(
            {range, EndAt(form, forceUnit, range.item, range.low, sensitivity.model, sensitivity.check),
             EndAt(form, forceUnit, range.item, range.high, sensitivity.model, sensitivity.check)});
    }
    const double nominal = sensitivity.nominal.figure;
    std::stable_sort(sensitivity.bars.begin(), sensitivity.bars.end(),
                     [nominal](const SensitivityBar& a, const SensitivityBar& b) {
                         return EffectOf(a, nominal) > EffectOf(b, nominal);
                     });
    return sensitivity;
}

}  // namespace vyra
