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
// their unit labels (lblTani) for the given unit of force: only the
// tension's follows it, the weights stay in kg.
std::array<std::string_view, kFieldCount> FieldCaptions();
std::array<std::string_view, kFieldCount> UnitLabels(std::int16_t forceUnit);

}  // namespace vyra
