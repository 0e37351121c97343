#pragma once

#include "RunState.h"

namespace vyra {

// A frequency ratio at or above this risks resonance.
inline constexpr double kFrequencyRatioLimit = 0.7;

// F1, F2, F3, E and PB of one model, the fifth step of each model.
void ComputeFrequencies(RunState& state, int modelIndex);

// F1 / F2 or F1 / F3. A standing line (F1 = 0) excites nothing, so its ratio
// is 0 whatever the resonance, even one that overflowed to 0.
double FrequencyRatio(double excitation, double resonance);

struct Assessment2 {
    bool failF1F2 = false;
    bool failF1F3 = false;
    bool withinTolerance = true;
};

// Ratio verdicts of result set 2 for one model, compared as signed values;
// a ratio that is not a finite number fails.
Assessment2 AssessResults2(const RunState& state, int modelIndex);

}  // namespace vyra
