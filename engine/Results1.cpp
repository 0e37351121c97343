#include "Results1.h"

#include "Angles.h"
#include "RunState.h"

#include <cmath>
#include <cstdint>

namespace vyra {

namespace {

bool UsesOneSensorIndependently(std::int16_t methodCode)
{
    return methodCode == kIndependentBoth || methodCode == kIndependentOne;
}

bool ReadsOneChannel(std::int16_t methodCode) { return methodCode == kOneSideOne || methodCode == kIndependentOne; }

}  // namespace

void ComputeTransmittedLoad(RunState& state, int i)
{
    const SelectionInputs& in = state.inputs;
    const SensorModel& model = state.model(i);
    const double a = model.leverLength;
    const double T = in.FS;
    // Widened: a mounting angle near the 16-bit limit must not overflow.
    const std::int32_t theta1 = std::int32_t{in.alpha} - in.gamma;
    const std::int32_t theta2 = std::int32_t{in.beta} + in.gamma;
    const double W = in.methodCode == kTwoSensors ? 2 * in.Wp + in.Wr : in.Wp + in.Wr;
    const double Lx = in.l + a;
    const double Ly = in.h + model.heightOffset;
    const double A = (Lx * std::cos(Radians(theta1)) - Ly * std::sin(Radians(theta1)) + Lx * std::cos(Radians(theta2))
                      + Ly * std::sin(Radians(theta2)))
                     * (1 / (2 * a));
    const double B = (Lx * std::cos(Radians(in.gamma)) + Ly * std::sin(Radians(in.gamma))) * (1 / (2 * a));
    const double m = UsesOneSensorIndependently(in.methodCode) ? 2 : 1;
    ResultTables& t = state.tables;
    // m is 1 or 2, so applying it last changes no bit of a finite result but
    // keeps a huge tension from turning an exactly cancelled A into 0 x inf.
    t.P1[i] = m * (T * A);
    t.We[i] = m * (W * B);
    t.P[i] = t.P1[i] + t.We[i];
}

void ComputeStopperDisplacement(RunState& state, int i)
{
    const SensorModel& model = state.model(i);
    const double c = model.stopperFactor / model.springConstant;
    ResultTables& t = state.tables;
    t.Zt[i] = c * t.P1[i];
    t.Zr[i] = c * t.We[i];
    t.Zs[i] = t.Zr[i] + t.Zt[i];
}

void ComputeSensorOutput(RunState& state, int i)
{
    const SensorModel& model = state.model(i);
    const double C = state.series().outputCoefficient;
    ResultTables& t = state.tables;
    t.Vt[i] = C * model.outputFactor * t.P1[i] / model.outputSpringConstant;
    t.Vr[i] = C * model.outputFactor * t.We[i] / model.outputSpringConstant;
}

void ComputeGain(RunState& state, int i)
{
    const double n = ReadsOneChannel(state.inputs.methodCode) ? 1 : 2;
    ResultTables& t = state.tables;
    // A Vt of exactly 0 leaves an infinite gain in the table; it fails its check.
    t.S[i] = 10 / (std::pow(10.0, -3.0) * n * t.Vt[i]);
}

Assessment1 AssessResults1(const RunState& state, int i)
{
    Assessment1 r;
    r.failZr = Fails(kZrCheck, state, i);
    r.failZs = Fails(kZsCheck, state, i);
    r.failVr = Fails(kVrCheck, state, i);
    r.failS = Fails(kSCheck, state, i);
    // The three large models must not be pulled off their stopper side.
    r.failP1 = Fails(kP1Check, state, i);
    r.withinTolerance = !(r.failP1 || r.failZr || r.failZs || r.failVr || r.failS);
    return r;
}

}  // namespace vyra
