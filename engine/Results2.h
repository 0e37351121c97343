#pragma once

#include "Checks.h"
#include "ForceUnit.h"
#include "ResultTables.h"

namespace vyra {

struct RunState;

// F1, F2, F3, E and PB of one model, the fifth step of each model.
void ComputeFrequencies(RunState& state, int modelIndex);

struct Assessment2 {
    bool failF1F2 = false;
    bool failF1F3 = false;
    bool withinTolerance = true;
};

// Ratio verdicts of result set 2 for one model, by its checks.
Assessment2 AssessResults2(const RunState& state, int modelIndex);

}  // namespace vyra
