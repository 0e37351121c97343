#pragma once

#include "ForceUnit.h"
#include "RollerDrawing.h"
#include "WebTension.h"

#include <string>
#include <vector>

namespace vyra {

// What the two helpers show and put into the entry fields, the same on the
// desktop and on the page.

// The materials a helper offers: the table's, then "laminate" unless the
// table names it already.
std::vector<std::string> MaterialChoices(const MaterialTable& table);

// "Tension per width […]", the tension range in the run's unit, the break
// load and the share of it the entered tension is, and the warning past
// a quarter of it, one per line.
std::string TensionAdviceText(const TensionAdvice& advice, ForceUnit forceUnit);
// The tension field's text for the pick: two decimals in the run's unit.
std::string TensionFieldText(const TensionAdvice& advice, TensionPick pick);

// The roller's weight, its sag against the guide and its first critical
// speed, with the line speed's share of it and the warning near resonance,
// in the run's units.
std::string RollerLimitsText(const RollerLimits& limits, ForceUnit unit);
// The diameter and roller weight fields' texts for the drawing, in the
// run's units.
struct RollerFieldTexts {
    std::string diameter;
    std::string rollerWeight;
};
RollerFieldTexts RollerFields(const RollerDrawing& drawing, ForceUnit unit);

}  // namespace vyra
