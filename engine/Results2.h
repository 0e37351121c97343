#pragma once

#include "Checks.h"
#include "ForceUnit.h"
#include "ResultTables.h"

namespace vyra {

struct RunState;

// What the resonance of one model is made of: the lever arm a and the
// height b (mm), the stiffness K, L2 = (l + a)^2 + b^2 and its root L (mm),
// and F0, the resonance of the bare spring (Hz).
struct FrequencyTerms {
    double a = 0;
    double b = 0;
    double K = 0;
    double L2 = 0;
    double L = 0;
    double F0 = 0;
};
FrequencyTerms FrequencyTermsOf(const RunState& state, int modelIndex);

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
