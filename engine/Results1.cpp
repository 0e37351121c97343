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

LoadTerms LoadTermsOf(const RunState& state, int i)
{
    const SelectionInputs& in = state.inputs;
    const SensorModel& model = state.model(i);
    const double a = model.leverLength;
    LoadTerms k;
    k.T = in.FS;
    // Widened: a mounting angle near the 16-bit limit must not overflow.
    k.theta1 = std::int32_t{in.alpha} - in.gamma;
    k.theta2 = std::int32_t{in.beta} + in.gamma;
    k.W = in.methodCode == kTwoSensors ? 2 * in.Wp + in.Wr : in.Wp + in.Wr;
    k.Lx = in.l + a;
    k.Ly = in.h + model.heightOffset;
    k.A = (k.Lx * std::cos(Radians(k.theta1)) - k.Ly * std::sin(Radians(k.theta1)) + k.Lx * std::cos(Radians(k.theta2))
           + k.Ly * std::sin(Radians(k.theta2)))
          * (1 / (2 * a));
    k.B = (k.Lx * std::cos(Radians(in.gamma)) + k.Ly * std::sin(Radians(in.gamma))) * (1 / (2 * a));
    k.m = UsesOneSensorIndependently(in.methodCode) ? 2 : 1;
    return k;
}

void ComputeTransmittedLoad(RunState& state, int i)
{
    const LoadTerms k = LoadTermsOf(state, i);
    ResultTables& t = state.tables;
    // m is 1 or 2, so applying it last changes no bit of a finite result but
    // keeps a huge tension from turning an exactly cancelled A into 0 x inf.
    t.P1[i] = k.m * (k.T * k.A);
    t.We[i] = k.m * (k.W * k.B);
    t.P[i] = t.P1[i] + t.We[i];
}

double StopperCompliance(const RunState& state, int i)
{
    const SensorModel& model = state.model(i);
    return model.stopperFactor / model.springConstant;
}

void ComputeStopperDisplacement(RunState& state, int i)
{
    const double c = StopperCompliance(state, i);
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

double ChannelCount(const RunState& state) { return ReadsOneChannel(state.inputs.methodCode) ? 1 : 2; }

void ComputeGain(RunState& state, int i)
{
    const double n = ChannelCount(state);
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
