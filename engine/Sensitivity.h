#pragma once

#include "ForceUnit.h"
#include "Headroom.h"
#include "InputReading.h"
#include "Ranges.h"

#include <optional>
#include <vector>

namespace vyra {

// How far each ranged input alone moves one model's nearest check: the
// model nearest to passing, or the best of those that pass.

// The check's figure and its margin at one end of a range; nothing where
// "Select" refuses the case with that end typed in.
struct SensitivityEnd {
    double figure = 0;
    double margin = 0;
};

// One ranged input at its low and high end, every other entry as typed. The
// figures are in held units, and for a check on a figure's size its size,
// so that they read on one scale with the limit.
struct SensitivityBar {
    InputRange range;
    std::optional<SensitivityEnd> low;
    std::optional<SensitivityEnd> high;
};

struct Sensitivity {
    int model = 0;
    int check = kMarginCount;  // a MarginCheck
    SensitivityEnd nominal;
    // The limit the nominal figure is nearest (the gain has two).
    double limit = 0;
    // Largest effect first: the widest span of figures, nominal included; an
    // end that is refused comes before any figure.
    std::vector<SensitivityBar> bars;
};

// Nothing when the case as typed is refused or its chosen model has no
// check with a figure. The ranges must have passed CheckRanges.
std::optional<Sensitivity> SensitivityOf(const EntryForm& form, ForceUnit forceUnit,
                                         const std::vector<InputRange>& ranges);

}  // namespace vyra
