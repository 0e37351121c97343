#pragma once

#include "RunState.h"

namespace vyra {

// Limits of result set 1 beside each model's own stopperTolerance.
inline constexpr double kOutputLimitMillivolts = 260.0;  // the 0.260 V shown
inline constexpr double kGainLowerLimit = 12.0;
inline constexpr double kGainUpperLimit = 80.0;

// The steps of result set 1 for one model; each reads what the steps
// before it wrote for the same model.
void ComputeTransmittedLoad(RunState& state, int modelIndex);  // P1, We, P
void ComputeStopperDisplacement(RunState& state, int modelIndex);  // Zt, Zr, Zs
void ComputeSensorOutput(RunState& state, int modelIndex);  // Vt, Vr
void ComputeGain(RunState& state, int modelIndex);  // S

struct Assessment1 {
    bool failP1 = false;
    bool failZr = false;
    bool failZs = false;
    bool failVr = false;
    bool failS = false;
    bool withinTolerance = true;
};

// The P1 check exists only from this modelIndex on: 6 to 8, the models the
// tables number 7 to 9.
inline constexpr int kFirstModelWithP1Check = 6;

// Tolerance verdicts of result set 1 for one model. A value that is not a
// finite number fails its check; a P1 check exists only for modelIndex 6 to 8.
Assessment1 AssessResults1(const RunState& state, int modelIndex);

}  // namespace vyra
