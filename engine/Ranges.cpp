#include "Ranges.h"

#include "Answer.h"
#include "Case.h"
#include "Checks.h"
#include "Commands.h"
#include "InputChecks.h"
#include "LoadResolution.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vyra {

namespace {

bool IsAngle(int item) { return item == kItemAlpha || item == kItemBeta || item == kItemGamma; }

// The entry as "Select" reads it: a blank field is 0.
double NominalOf(const EntryForm& form, int item)
{
    return ParseLeadingNumber(form.txtInput[static_cast<std::size_t>(item)]);
}

std::string RangeName(const InputRange& range)
{
    return "the " + std::string(kFieldNames[static_cast<std::size_t>(range.item)]) + " range " + ShortestText(range.low)
           + ":" + ShortestText(range.high);
}

// The refusal of the input checks with the one entry set to the value,
// when it is that entry they refuse: a case refused for another entry is
// refused by "Select" itself.
CheckResult RefusalAt(const EntryForm& form, ForceUnit forceUnit, int item, double value)
{
    EntryForm trial = form;
    trial.txtInput[static_cast<std::size_t>(item)] = RoundTripText(value);
    RunState state;
    state.forceUnit = forceUnit;
    const EntryReading reading = ReadSelectionInputs(state, trial);
    CheckResult refusal = CheckSelectionInputs(state.inputs, trial, reading);
    const bool marksItem =
        refusal
        && std::find(refusal->markedItems.begin(), refusal->markedItems.end(), item) != refusal->markedItems.end();
    return marksItem ? refusal : std::nullopt;
}

std::optional<std::string> RefusalOf(const EntryForm& form, ForceUnit forceUnit, const InputRange& range)
{
    if (!MayCarryRange(range.item)) {
        return "the " + std::string(kFieldNames[static_cast<std::size_t>(range.item)]) + " cannot carry a range";
    }
    if (!(range.low <= range.high)) {
        return RangeName(range) + " has its low end above its high end";
    }
    const double nominal = NominalOf(form, range.item);
    if (nominal < range.low || nominal > range.high) {
        return RangeName(range) + " does not hold the nominal " + ShortestText(nominal);
    }
    for (const double end : {range.low, range.high}) {
        if (const CheckResult refusal = RefusalAt(form, forceUnit, range.item, end)) {
            std::string message = refusal->message;
            std::replace(message.begin(), message.end(), '\r', ' ');
            return RangeName(range) + " reaches " + ShortestText(end) + ", which \"Select\" refuses: " + message;
        }
    }
    return std::nullopt;
}

// How far a model is from passing at a point: the nearest check's margin,
// infinite for a failure without one, and below everything for a model
// with no check to measure.
double FarnessOf(const RangeWorst& worst)
{
    if (worst.check.empty()) {
        return -std::numeric_limits<double>::infinity();
    }
    return std::isfinite(worst.margin) ? worst.margin : std::numeric_limits<double>::infinity();
}

RangeWorst NearestAt(const RunState& state, int model)
{
    const NearestCheck nearest = NearestCheckOf(state, model);
    if (nearest.check == kMarginCount) {
        return {};
    }
    const Check& check = *kChecks[static_cast<std::size_t>(nearest.check)];
    return {CheckKey(check), check.figure(state.tables, model), nearest.margin.percent, {}};
}

// A point the angle checks refuse fails every model there.
RangeWorst AngleRefusalAt(const SelectionInputs& inputs)
{
    const double nan = std::nan("");
    if (CheckResultantAngle(inputs)) {
        return {"resultantAngle", ResultantAngle(inputs), nan, {}};
    }
    return {"wrapAngle", NormaliseAngle(inputs.alpha + inputs.beta), nan, {}};
}

void Consider(RangeVerdict& verdict, RangeWorst worst, bool passes, const std::vector<double>& at)
{
    verdict.passesBoth = verdict.passesBoth && passes;
    if (verdict.points == 0 || FarnessOf(worst) > FarnessOf(verdict.worst)) {
        worst.at = at;
        verdict.worst = std::move(worst);
    }
    ++verdict.points;
}

}  // namespace

Expected<std::vector<InputRange>> RangesOf(const Case& c)
{
    std::vector<InputRange> ranges;
    for (int item = 0; item < kFieldCount; ++item) {
        const std::optional<RangeTexts>& texts = c.ranges[static_cast<std::size_t>(item)];
        if (!texts) {
            continue;
        }
        const std::optional<double> low = ParseWholeNumber(texts->low);
        const std::optional<double> high = ParseWholeNumber(texts->high);
        if (!low || !high || !std::isfinite(*low) || !std::isfinite(*high)) {
            return Failed(Joined({"the ", kFieldNames[static_cast<std::size_t>(item)], " range's ends \"", texts->low,
                                  "\" and \"", texts->high, "\" are not both numbers"}));
        }
        ranges.push_back({item, *low, *high});
    }
    return ranges;
}

std::vector<double> RangeValues(const InputRange& range, double nominal)
{
    std::vector<double> values;
    if (IsAngle(range.item)) {
        for (double degree = std::ceil(range.low); degree <= std::floor(range.high); ++degree) {
            values.push_back(degree);
        }
    } else {
        for (int k = 0; k <= 10; ++k) {
            values.push_back(range.low + k * (range.high - range.low) / 10);
        }
    }
    values.push_back(nominal);
    std::sort(values.begin(), values.end());
    // A range of one value is that value once, not eleven times.
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

double RangePointCount(const EntryForm& form, const std::vector<InputRange>& ranges)
{
    double count = 1;
    for (const InputRange& range : ranges) {
        count *= static_cast<double>(RangeValues(range, NominalOf(form, range.item)).size());
    }
    return count;
}

Expected<void> CheckRanges(const EntryForm& form, ForceUnit forceUnit, const std::vector<InputRange>& ranges)
{
    for (const InputRange& range : ranges) {
        if (const std::optional<std::string> refusal = RefusalOf(form, forceUnit, range)) {
            return Failure{*refusal};
        }
    }
    const double points = RangePointCount(form, ranges);
    if (points > kMostRangePoints) {
        return Failure{"the ranges make " + ShortestText(points) + " points, more than "
                       + ShortestText(kMostRangePoints) + ": give narrower ranges"};
    }
    return {};
}

Expected<std::vector<InputRange>> CheckedRangesOf(const Case& c)
{
    Expected<std::vector<InputRange>> ranges = RangesOf(c);
    if (!ranges) {
        return ranges;
    }
    if (const Expected<void> checked = CheckRanges(c.form, c.forceUnit, *ranges); !checked) {
        return checked.Error();
    }
    return ranges;
}

RangeVerdicts EvaluateRanges(const EntryForm& form, ForceUnit forceUnit, const std::vector<InputRange>& ranges)
{
    return *EvaluateRanges(form, forceUnit, ranges, [](double) { return true; });
}

std::optional<RangeVerdicts> EvaluateRanges(const EntryForm& form, ForceUnit forceUnit,
                                            const std::vector<InputRange>& ranges, const RangeProgress& progress)
{
    std::vector<std::vector<double>> values;
    for (const InputRange& range : ranges) {
        values.push_back(RangeValues(range, NominalOf(form, range.item)));
    }
    RangeVerdicts verdicts;
    RunState state;
    state.forceUnit = forceUnit;
    EntryForm trial = form;
    std::vector<std::size_t> step(ranges.size(), 0);
    std::vector<double> at(ranges.size());
    for (std::size_t done = 0;; ++done) {
        if (done > 0 && done % kRangeProgressStep == 0 && !progress(static_cast<double>(done))) {
            return std::nullopt;
        }
        for (std::size_t r = 0; r < ranges.size(); ++r) {
            at[r] = values[r][step[r]];
            trial.txtInput[static_cast<std::size_t>(ranges[r].item)] = RoundTripText(at[r]);
        }
        const CheckResult refusal = SelectCommand(state, trial);
        for (int model = 0; model < kModelCount; ++model) {
            if (refusal) {
                Consider(verdicts[model], AngleRefusalAt(state.inputs), false, at);
            } else {
                const bool passes =
                    AssessResults1(state, model).withinTolerance && AssessResults2(state, model).withinTolerance;
                Consider(verdicts[model], NearestAt(state, model), passes, at);
            }
        }
        std::size_t r = ranges.size();
        while (r > 0 && ++step[r - 1] == values[r - 1].size()) {
            step[--r] = 0;
        }
        if (r == 0) {
            return verdicts;
        }
    }
}

}  // namespace vyra
