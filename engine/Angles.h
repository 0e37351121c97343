#pragma once

#include "Catalogue.h"

namespace vyra {

// Degrees to radians and back with the shared Pi, the one conversion every
// figure and drawing takes: degrees x (Pi / 180), the factor formed first.
inline double Radians(double degrees) { return degrees * (Pi / 180); }
inline double Degrees(double radians) { return radians * (180 / Pi); }

// Nearest whole number, halves to the even neighbour (20.5 gives 20, 21.5
// gives 22), for any finite value.
double RoundHalfEven(double value);

}  // namespace vyra
