#pragma once

#include <cstdint>

namespace vyra {

// The unit of a run, chosen once: kgf, N, or lbf with inches, pounds, feet
// per minute and mils beside it. Whatever the run's unit, the engine works
// in kgf, mm, kg and m/min; Units.h converts at the edges.
enum ForceUnit : std::int16_t { kKgf = 0, kNewton = 1, kLbf = 2 };
inline constexpr int kForceUnitCount = 3;

// Forces are entered and shown in N or kgf but the engine works in kgf, with
// the 9.8 the catalogue was rated with (not standard gravity).
inline constexpr double kNewtonsPerKgf = 9.8;

}  // namespace vyra
