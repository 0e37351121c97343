#include "LoadResolution.h"

#include "Results1.h"
#include "Results2.h"

#include <cmath>
#include <cstdint>

namespace vyra {

double NormaliseAngle(double degrees)
{
    // fmod is exact, so this equals repeated subtraction of 360 and takes
    // constant time for any argument.
    double x = std::fmod(degrees, 360.0);
    if (x < 0) {
        x += 360.0;
    }
    // A tiny negative remainder can round up to 360 itself. A non-finite
    // argument stays not-a-number, which no accepted sector contains.
    return x >= 360.0 ? 0.0 : x;
}

double ResultantAngle(const SelectionInputs& in)
{
    const std::int32_t difference = std::int32_t{in.alpha} - in.beta;
    return NormaliseAngle(difference / 2.0 - in.gamma);
}

bool InAcceptedSector(double resultantAngle)
{
    return resultantAngle == 0 || (resultantAngle >= 90 && resultantAngle <= 180) || resultantAngle >= 270;
}

CheckResult CheckResultantAngle(const SelectionInputs& in)
{
    if (InAcceptedSector(ResultantAngle(in))) {
        return std::nullopt;
    }
    return CheckFailure{"The resultant force angle's error",
                        "The angle of the resultant force is not within the tolerance.",
                        MessageIcon::Exclamation,
                        {3, 4, 5},
                        true};
}

CheckResult CheckWrapAngle(const SelectionInputs& in)
{
    const std::int32_t sum = std::int32_t{in.alpha} + in.beta;
    if (NormaliseAngle(sum) != 180) {
        return std::nullopt;
    }
    return CheckFailure{"Wrap angle's error",
                        "The wrap angle is inapplicable.",
                        MessageIcon::Exclamation,
                        {3, 4},
                        false};
}

void RunSelection(RunState& state)
{
    for (int i = 0; i < kModelCount; ++i) {
        ComputeTransmittedLoad(state, i);
        ComputeStopperDisplacement(state, i);
        ComputeSensorOutput(state, i);
        ComputeGain(state, i);
        ComputeFrequencies(state, i);
    }
}

}  // namespace vyra
