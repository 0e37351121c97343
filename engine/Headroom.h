#pragma once

#include "Catalogue.h"
#include "CheckFailure.h"
#include "Checks.h"
#include "Expected.h"
#include "ForceUnit.h"
#include "InputReading.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

struct RunState;

// How much room a case leaves each model: the line speed it may run at, the
// mounting angles that pass, how near each check is to its limit, and what
// a test weight should read at commissioning.

// The line speed (m/min) at which the binding frequency ratio, F1 / F2,
// reaches kFrequencyRatioLimit; slower passes both ratio checks. Not a
// finite number when the resonance is not.
double MaxSpeed(const RunState& state, int model);
// maxSpeed as the tables show it in the run's unit: m/min to "0.0", in an
// lbf run ft/min to "0"; "---" where it is not finite.
std::string MaxSpeedText(const RunState& state, int model);

// A closed run of whole-degree mounting angles.
struct GammaInterval {
    int from = 0;
    int to = 0;

    bool operator==(const GammaInterval&) const = default;
};

using PassingGamma = std::array<std::vector<GammaInterval>, kModelCount>;

inline constexpr int kGammaLowest = -180;
inline constexpr int kGammaHighest = 180;

// For each model, the mounting angles from -180 to 180 at which "Select",
// with every other entry as typed, accepts the case and the model passes
// every check of result set 1: each angle typed into the gamma field and
// evaluated, never a formula that could drift from the checks.
PassingGamma PassingGammas(const EntryForm& form, ForceUnit forceUnit);

// The checks of both result sets in the order of kChecks: P1's for models 7
// to 9, then those with a limit.
enum MarginCheck : int { kMarginP1, kMarginZr, kMarginZs, kMarginVr, kMarginS, kMarginF1F2, kMarginF1F3, kMarginCount };
static_assert(kChecks.size() == kMarginCount);

// A model's standing against one check.
struct CheckMargin {
    // The figure as a percentage of its limit: 100 or more fails. The gain
    // has two limits and takes the nearer (S / 80, or 12 / S). Not a finite
    // number where the figure is not, nor for P1, whose check asks only for
    // a sign.
    double percent = 0;
    bool applies = true;  // P1 is checked for models 7 to 9 only
    bool fails = false;  // the verdict of the result sets themselves
};
using CheckMargins = std::array<CheckMargin, kMarginCount>;
CheckMargins MarginsOf(const RunState& state, int model);

// The check nearest to failing: a failing check without a finite
// percentage (P1, or a figure that is not finite) first, then the largest
// percentage; kMarginCount when no check has either.
int NearestToFailing(const CheckMargins& margins);

// A margin as the tables print it: whole percents ("87%"), one decimal
// from 95% to 105% rounded away from 100 so that a passing margin never
// reads 100% or more and a failing one never less ("99.9%", "100.1%"),
// ">9999%" past that; "---" where the figure is not finite; for P1 "ok" or
// "< 0", and nothing where the check does not apply.
std::string MarginText(const CheckMargin& margin, MarginCheck check);

// What each model should show with a test weight hung on a rope along the
// web path: the case evaluated with the weight's pull as its tension (x 9.8
// N in a newton run). The weight is typed in the run's unit of weight, kg,
// or lb in an lbf run. Vt in mV, as the tables hold it.
struct Calibration {
    double weight = 0;  // as typed, in the run's unit of weight
    double weightKg = 0;
    std::optional<CheckFailure> refusal;
    std::array<double, kModelCount> Vt{};
    std::array<double, kModelCount> S{};
};
Calibration CalibrationFor(const EntryForm& form, ForceUnit forceUnit, double weight);

// A model's row of a calibration as the charts window and the charts page
// show it: Vt in mV ("0.0") and in V ("0.000") and S ("0.0"), each in
// exponent form past 9 characters.
std::array<std::string, 3> CalibrationFigures(const Calibration& calibration, int model);

// A test weight as typed: one number above 0 and finite, blanks around it
// allowed; the charts window and vyra-select read it alike. The refusal
// names the unit it was asked in: "kg", "lb".
Expected<double> ReadTestWeight(std::string_view text, std::string_view unit);

}  // namespace vyra
