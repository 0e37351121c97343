#pragma once

#include "CheckFailure.h"
#include "ForceUnit.h"
#include "SelectionInputs.h"

namespace vyra {

struct RunState;

// Reduces an angle in degrees into 0 <= x < 360; a value already in range
// comes back unchanged.
double NormaliseAngle(double degrees);

// The direction of the resultant web force relative to the sensor in
// degrees, (alpha - beta) / 2 - gamma reduced into 0 <= x < 360.
double ResultantAngle(const SelectionInputs& inputs);
// Whether a resultant angle lies at 0, in 90..180 or in 270..360.
bool InAcceptedSector(double resultantAngle);

// The direction of the resultant web force relative to the sensor,
// (alpha - beta) / 2 - gamma, must lie at 0, in 90..180 or in 270..360.
CheckResult CheckResultantAngle(const SelectionInputs& inputs);

// alpha + beta of exactly 180 (after reduction) leaves the roller unloaded
// by the web's direction: refused.
CheckResult CheckWrapAngle(const SelectionInputs& inputs);

// Both result sets for models 0 to 8 of the chosen series, all five steps
// of a model before the next one.
void RunSelection(RunState& state);

}  // namespace vyra
