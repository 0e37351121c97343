#pragma once

#include "ForceUnit.h"
#include "Headroom.h"
#include "Remedies.h"

#include <ostream>

namespace vyra {
struct RunState;
}

namespace vyra::cli {

// Both result sets as plain-text tables, in the patterns and units of the
// result screens; a value out of tolerance is followed by "*".
void WriteTextTables(const RunState& state, std::ostream& out);

// Each model's maxSpeed and the runs of gamma at which it passes result set 1.
// Under a heading, a sentence per model failing both sets, nearest to passing first.
void WriteRemedies(const RunState& state, const Remedies& remedies, std::ostream& out);
void WriteHeadroomTable(const RunState& state, const PassingGamma& passing, std::ostream& out);

// The output and gain each model should show with the test weight.
void WriteCalibrationTable(const RunState& state, const Calibration& calibration, std::ostream& out);

}  // namespace vyra::cli
