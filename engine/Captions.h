#pragma once

#include "InputReading.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vyra {

// The program's title: the input screen's caption, the report's heading and
// the title of a message box given none.
inline constexpr std::string_view kProgramTitle = "VyraSensorSelector";

// The captions of the ten entry fields (lblTitle), each 20 characters, and
// their unit labels (lblTani) for the run's unit: in kgf and N runs only
// the tension's follows it and the weights stay in kg; an lbf run types
// every length, weight and speed in its own units too.
std::array<std::string_view, kFieldCount> FieldCaptions();
std::array<std::string_view, kFieldCount> UnitLabels(ForceUnit forceUnit);

}  // namespace vyra
