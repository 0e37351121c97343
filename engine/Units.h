#pragma once

#include "ForceUnit.h"

#include <array>
#include <optional>
#include <string_view>

namespace vyra {

// What an entry or a figure measures, as far as the unit of a run decides
// how it is typed and shown. The program's own unit first, then the lbf
// run's; a newton run differs from a kgf run in forces only.
enum class Quantity {
    Fixed,  // the same in every run: degrees, volts, hertz, times, ratios
    Force,  // kgf; N (x 9.8) or lbf
    Length,  // mm; in
    Mass,  // kg; lb
    Speed,  // m/min; ft/min
    Displacement,  // mm at the stopper; mil
    Eccentricity,  // um; mil
};

// The exact factors of the US customary units. The pound-force is defined
// through the kgf, so the program's own rule of 9.8 N to the kgf stays as
// it is and an lbf run needs no newton at all.
inline constexpr double kKgfPerLbf = 0.45359237;
inline constexpr double kKgPerLb = 0.45359237;
inline constexpr double kMmPerInch = 25.4;
inline constexpr double kMetresPerFoot = 0.3048;
inline constexpr double kMmPerMil = 0.0254;
inline constexpr double kMicrometresPerMil = 25.4;

// An entry typed in the run's unit, in the program's: an lbf run's tension
// x 0.45359237, its diameter x 25.4 ...; a tension in N / 9.8.
double InProgramUnits(Quantity quantity, double typed, ForceUnit unit);

// A figure held in the program's units as the run shows it: in lbf the
// held kgf / 0.45359237, in mil the held mm / 0.0254 ...; a force in N x 9.8.
// Division by the exact factor, so that converting back loses no more than
// the last bit.
double InRunUnits(Quantity quantity, double held, ForceUnit unit);

// The bracketed unit of a caption or heading: "[kgf]", "[N]", "[lbf]",
// "[mm]", "[in]", "[mil]" ...; empty for Fixed, whose columns name their own.
std::string_view UnitCaption(Quantity quantity, ForceUnit unit);
// The unit as a sentence writes it: "mm", "ft/min", "lb" of its caption.
std::string_view UnitSymbol(Quantity quantity, ForceUnit unit);

// The unit's word in case files, batch rows, JSON and on the command line,
// in the order of the codes.
inline constexpr std::array<std::string_view, kForceUnitCount> kUnitWords{"kgf", "N", "lbf"};
std::string_view UnitWord(ForceUnit unit);

// The unit a word or a code names, or nothing when it names none: a file
// or a fuzzer may hand in anything.
std::optional<ForceUnit> ForceUnitNamed(std::string_view word);
std::optional<ForceUnit> ForceUnitOf(int code);

}  // namespace vyra
