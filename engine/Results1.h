#pragma once

#include "Checks.h"
#include "ForceUnit.h"
#include "ResultTables.h"

#include <cstdint>

namespace vyra {

struct RunState;

// What P1 and We are made of for one model: the wrap angles to the
// sensor's axis (degrees), the weight on the roller W (kg), the lever arms
// Lx and Ly (mm), the load factors A and B, and m, 2 where one sensor
// independently carries what two would share.
struct LoadTerms {
    double T = 0;
    std::int32_t theta1 = 0;
    std::int32_t theta2 = 0;
    double W = 0;
    double Lx = 0;
    double Ly = 0;
    double A = 0;
    double B = 0;
    double m = 1;
};
LoadTerms LoadTermsOf(const RunState& state, int modelIndex);

// The stopper's displacement per kgf, ks / K (mm/kgf).
double StopperCompliance(const RunState& state, int modelIndex);
// 1 when one channel is read, else 2: the gain divides by it.
double ChannelCount(const RunState& state);

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
