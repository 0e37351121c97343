#pragma once

#include <cstdint>

namespace vyra {

// Everything the user enters or chooses, as the engine reads it.
// Lengths mm, masses kg, speed m/min, angles whole degrees, FS kgf: a newton
// or an lbf run's entries are converted when they are read.
struct SelectionInputs {
    double FS = 0;
    double d = 0;
    double Wr = 0;
    double l = 0;
    double h = 0;
    double Wp = 0;
    double V = 0;
    std::int16_t alpha = 0;
    std::int16_t beta = 0;
    std::int16_t gamma = 0;
    std::int16_t fulcrumIndex = 0;  // 0 Right(R), 1 Left(L)
    std::int16_t methodCode = 0;  // 0..4, see MethodCode
};

// Detection methods: two sensors, or one sensor read on one side or
// independently, on both channels or one.
enum MethodCode : std::int16_t {
    kTwoSensors = 0,
    kOneSideBoth = 1,
    kOneSideOne = 2,
    kIndependentBoth = 3,
    kIndependentOne = 4,
};

}  // namespace vyra
