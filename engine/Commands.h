#pragma once

#include "CheckFailure.h"
#include "ForceUnit.h"
#include "InputReading.h"

#include <functional>

namespace vyra {

struct RunState;

// "Select": read the form into the record, run the checks in order and, when
// they all pass, fill the result tables. The first failing check ends the
// command and leaves the tables of the previous selection untouched.
CheckResult SelectCommand(RunState& state, const EntryForm& form);

// "Image chgange": read the sketch fields, check their ranges, let the caller
// redraw the sketch, then run the two angle checks. A range failure returns
// before the redraw.
CheckResult ImageChangeCommand(RunState& state, const EntryForm& form, const std::function<void()>& redraw);

}  // namespace vyra
