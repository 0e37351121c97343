#include "Headroom.h"

#include "Catalogue.h"
#include "Commands.h"
#include "NumberText.h"
#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace vyra {

namespace {

void AddPassingAngle(std::vector<GammaInterval>& intervals, int gamma)
{
    if (!intervals.empty() && intervals.back().to == gamma - 1) {
        intervals.back().to = gamma;
    } else {
        intervals.push_back({gamma, gamma});
    }
}

}  // namespace

// F1 = V / (60 Pi d 10^-3), so the ratio reaches the limit where
// V = limit x F2 x 60 Pi d 10^-3, with the factors as F1 takes them.
double MaxSpeed(const RunState& state, int model)
{
    const ResultTables& t = state.tables;
    const double resonance = std::min(t.F2[model], t.F3[model]);
    const double speed = kF1F2Check.upper * resonance * (60 * Pi * state.inputs.d * std::pow(10.0, -3.0));
    return std::isfinite(speed) ? speed : std::nan("");
}

std::string MaxSpeedText(const RunState& state, int model)
{
    const double shown = InRunUnits(Quantity::Speed, MaxSpeed(state, model), state.forceUnit);
    switch (state.forceUnit) {
    case kKgf:
    case kNewton:
        return FormatPattern(shown, 1);
    case kLbf:
        return FormatPattern(shown, 0);
    }
    return FormatPattern(shown, 1);
}

PassingGamma PassingGammas(const EntryForm& form, ForceUnit forceUnit)
{
    PassingGamma passing;
    EntryForm trial = form;
    RunState state;
    state.forceUnit = forceUnit;
    for (int gamma = kGammaLowest; gamma <= kGammaHighest; ++gamma) {
        trial.txtInput[kItemGamma] = std::to_string(gamma);
        if (SelectCommand(state, trial)) {
            continue;
        }
        for (int model = 0; model < kModelCount; ++model) {
            if (AssessResults1(state, model).withinTolerance) {
                AddPassingAngle(passing[model], gamma);
            }
        }
    }
    return passing;
}

CheckMargins MarginsOf(const RunState& state, int model)
{
    CheckMargins margins;
    for (std::size_t k = 0; k < kChecks.size(); ++k) {
        const Check& check = *kChecks[k];
        const double figure = std::fabs(check.figure(state.tables, model));
        const double upper = UpperLimit(check, state, model);
        const double percent = check.side == PassingSide::NotNegative ? std::nan("")
                               : check.side == PassingSide::AbsoluteBetween
                                   ? std::max(figure / upper, check.lower / figure) * 100
                                   : figure / upper * 100;
        margins[k] = {percent, Applies(check, model), Fails(check, state, model)};
    }
    return margins;
}

int NearestToFailing(const CheckMargins& margins)
{
    const auto rank = [](const CheckMargin& margin) {
        if (margin.fails && !std::isfinite(margin.percent)) {
            return std::numeric_limits<double>::infinity();
        }
        return margin.applies && std::isfinite(margin.percent) ? margin.percent : std::nan("");
    };
    int nearest = kMarginCount;
    for (int check = 0; check < kMarginCount; ++check) {
        const double r = rank(margins[check]);
        if (!std::isnan(r) && (nearest == kMarginCount || r > rank(margins[nearest]))) {
            nearest = check;
        }
    }
    return nearest;
}

std::string MarginText(const CheckMargin& margin, MarginCheck check)
{
    if (!margin.applies) {
        return "";
    }
    if (check == kMarginP1) {
        return margin.fails ? "< 0" : "ok";
    }
    const double percent = margin.percent;
    if (!std::isfinite(percent)) {
        return "---";
    }
    if (percent > 9999) {
        return ">9999%";
    }
    if (percent < 95 || percent >= 105) {
        return FormatPattern(percent, 0) + "%";
    }
    // Tenths, rounded away from 100 and kept on the side of the verdict.
    const double tenths =
        margin.fails ? std::max(std::ceil(percent * 10), 1000.0) : std::min(std::floor(percent * 10), 999.0);
    return FormatPattern(tenths / 10, 1) + "%";
}

std::array<std::string, 3> CalibrationFigures(const Calibration& calibration, int model)
{
    constexpr std::size_t kWidth = 9;
    const double millivolts = calibration.Vt[static_cast<std::size_t>(model)];
    return {FormatPatternWithin(millivolts, 1, kWidth), FormatPatternWithin(millivolts / 1000, 3, kWidth),
            FormatPatternWithin(calibration.S[static_cast<std::size_t>(model)], 1, kWidth)};
}

namespace {

// A weight pulls with its own figure in kgf or lbf, in N as a kgf does.
double PullOf(double weight, ForceUnit forceUnit)
{
    return forceUnit == kLbf ? weight : InRunUnits(Quantity::Force, weight, forceUnit);
}

}  // namespace

Calibration CalibrationFor(const EntryForm& form, ForceUnit forceUnit, double weight)
{
    Calibration calibration;
    calibration.weight = weight;
    calibration.weightKg = InProgramUnits(Quantity::Mass, weight, forceUnit);
    EntryForm loaded = form;
    loaded.txtInput[kItemFS] = RoundTripText(PullOf(weight, forceUnit));
    RunState state;
    state.forceUnit = forceUnit;
    calibration.refusal = SelectCommand(state, loaded);
    if (!calibration.refusal) {
        calibration.Vt = state.tables.Vt;
        calibration.S = state.tables.S;
    }
    return calibration;
}

Expected<double> ReadTestWeight(std::string_view text, std::string_view unit)
{
    const std::optional<double> weight = ParseWholeNumber(text);
    if (!weight || !std::isfinite(*weight) || *weight <= 0) {
        return Failed("the test weight is a number of " + std::string(unit) + " above 0");
    }
    return *weight;
}

}  // namespace vyra
