#pragma once

#include "Catalogue.h"
#include "Expected.h"
#include "ForceUnit.h"
#include "InputReading.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

struct Case;

// An input known only between two values, in the case's own unit like the
// typed entries; item is the field it belongs to.
struct InputRange {
    int item = 0;
    double low = 0;
    double high = 0;
};

// Whether the field may carry a range: the angles, the geometry, the
// weights and the speed.
constexpr bool MayCarryRange(int item) { return item != kItemFS && item != kItemD && item >= 0 && item < kFieldCount; }
// Their names, as a refusal lists them.
inline constexpr std::string_view kRangeInputNames =
    "alpha, beta, gamma, position, height, roller-weight, bearing-weight, speed";

// The ranges the case carries, in the order of its fields, or the refusal
// of the first whose ends are not both numbers, naming its input.
Expected<std::vector<InputRange>> RangesOf(const Case& c);

inline constexpr double kMostRangePoints = 1e7;

// The values a range is evaluated at, smallest first: every whole degree of
// an angle, eleven even steps of anything else, and the nominal value when
// it is not among them.
std::vector<double> RangeValues(const InputRange& range, double nominal);

// The number of points of the ranges together: every combination of their
// values.
double RangePointCount(const EntryForm& form, const std::vector<InputRange>& ranges);

// Nothing when the ranges can be evaluated, or the first refusal, naming its input: a range
// that does not hold its nominal entry, is upside down, reaches a value the
// input checks of "Select" refuse, or makes too many points together.
Expected<void> CheckRanges(const EntryForm& form, ForceUnit forceUnit, const std::vector<InputRange>& ranges);
// The case's ranges once CheckRanges accepts them for its entries, or the
// first refusal; none when the case has none.
Expected<std::vector<InputRange>> CheckedRangesOf(const Case& c);

// The worst point of a model over the ranges: the key of its nearest check
// ("Zs", or "resultantAngle" / "wrapAngle" where the angle checks refuse the
// point), the figure as held, its margin in percent (not finite where the
// check has none) and the ranged inputs there, in the order of the ranges.
struct RangeWorst {
    std::string check;
    double figure = 0;
    double margin = 0;
    std::vector<double> at;
};

struct RangeVerdict {
    bool passesBoth = true;
    double points = 0;
    RangeWorst worst;
};
using RangeVerdicts = std::array<RangeVerdict, kModelCount>;

// Every point typed into the fields and selected as "Select" does; the
// ranges must have passed CheckRanges.
RangeVerdicts EvaluateRanges(const EntryForm& form, ForceUnit forceUnit, const std::vector<InputRange>& ranges);

// Told how many points are done every kRangeProgressStep points, so that a
// long evaluation can show it; false stops the evaluation.
using RangeProgress = std::function<bool(double done)>;
inline constexpr std::size_t kRangeProgressStep = 4096;
// As above, or nothing once progress asked to stop.
std::optional<RangeVerdicts> EvaluateRanges(const EntryForm& form, ForceUnit forceUnit,
                                            const std::vector<InputRange>& ranges, const RangeProgress& progress);

}  // namespace vyra
