#pragma once

#include "Checks.h"
#include "ForceUnit.h"
#include "ResultTables.h"

namespace vyra {

struct RunState;

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

// Tolerance verdicts of result set 1 for one model, by its checks.
Assessment1 AssessResults1(const RunState& state, int modelIndex);

}  // namespace vyra
