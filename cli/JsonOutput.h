#pragma once

#include "CheckFailure.h"
#include "RunState.h"

#include <ostream>

namespace vyra::cli {

// A computed case: the tables in the engine's units (kgf, mm, mV, Hz, um),
// numbers that read back to the same double, null for a non-finite value.
void WriteJsonResult(const RunState& state, std::ostream& out);

// A case refused by a check: its message and the marks the screen would set.
void WriteJsonRefusal(const CheckFailure& failure, std::ostream& out);

}  // namespace vyra::cli
