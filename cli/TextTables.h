#pragma once

#include "RunState.h"

#include <ostream>

namespace vyra::cli {

// Both result sets as plain-text tables, in the patterns and units of the
// result screens; a value out of tolerance is followed by "*".
void WriteTextTables(const RunState& state, std::ostream& out);

}  // namespace vyra::cli
