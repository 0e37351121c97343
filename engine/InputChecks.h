#pragma once

#include "CheckFailure.h"
#include "ForceUnit.h"
#include "InputReading.h"
#include "SelectionInputs.h"

namespace vyra {

struct RunState;

// The checks of "Select" in their order, after ReadSelectionInputs: a
// field whose text is not a number (fields in item order), a field too large for a double (fields in item order), the
// zero fields, the negative fields, the alpha and beta ranges, then a gamma that does not fit 16 bits. The first
// failure wins.
CheckResult CheckSelectionInputs(const SelectionInputs& inputs, const EntryForm& form, const EntryReading& reading);

// The checks of "Image chgange" after ReadSketchInputs: its five fields not
// a number, then too large, the alpha and beta ranges, a gamma beyond 16 bits.
CheckResult CheckSketchInputs(const SelectionInputs& inputs, const EntryForm& form, const EntryReading& reading);

}  // namespace vyra
