#pragma once

#include "CheckFailure.h"
#include "Expected.h"
#include "InputReading.h"
#include "RunState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vyra {

// How much room a case leaves each model: the line speed it may run at, the
// mounting angles that pass, how near each check is to its limit, and what
// a test weight should read at commissioning.

// The line speed (m/min) at which the binding frequency ratio, F1 / F2,
// reaches kFrequencyRatioLimit; slower passes both ratio checks. Not a
// finite number when the resonance is not.
double MaxSpeed(const RunState& state, int model);

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
PassingGamma PassingGammas(const EntryForm& form, std::int16_t forceUnit);

// The checks with a limit, in the order of the result sets; P1's check has
// none (it only asks for a sign) and is left out.
enum MarginCheck : int { kMarginZr, kMarginZs, kMarginVr, kMarginS, kMarginF1F2, kMarginF1F3, kMarginCount };
inline constexpr std::array<std::string_view, kMarginCount> kMarginNames{"Zr", "Zs", "Vr", "S", "F1/F2", "F1/F3"};

// Each check as a percentage of its limit: 100 or more fails it. The gain
// has two limits; its margin is the nearer one (S / 80, or 12 / S). Not a
// finite number where the figure is not.
using CheckMargins = std::array<double, kMarginCount>;
CheckMargins MarginsOf(const RunState& state, int model);
// The check nearest to failing, the largest percentage; kMarginCount when
// none is finite.
int NearestToFailing(const CheckMargins& margins);

// What each model should show with a test weight hung on a rope along the
// web path: the case evaluated with a tension of weightKg kgf (weightKg x
// 9.8 N in a newton run). Vt in mV, as the tables hold it.
struct Calibration {
    double weightKg = 0;
    std::optional<CheckFailure> refusal;
    std::array<double, kModelCount> Vt{};
    std::array<double, kModelCount> S{};
};
Calibration CalibrationFor(const EntryForm& form, std::int16_t forceUnit, double weightKg);

// A test weight as typed, in kg: one number above 0 and finite, blanks
// around it allowed; the charts window and vyra-select read it alike.
Expected<double> ReadTestWeight(std::string_view text);

}  // namespace vyra
