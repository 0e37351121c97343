#pragma once

#include "Canvas.h"

#include <string_view>

// What the charts, their page and the margin table draw with: twips, the
// charts' 8-point Courier New, pen 1, solid.
namespace vyra::gfx::chart {

inline constexpr double kTextPoints = 8;
inline constexpr double kTickLength = 60;
inline constexpr int kBlack = 0;
inline constexpr int kLightRed = 12;
inline constexpr Rgb kGridGrey{215, 215, 215};

void SetUp(Canvas& canvas);

// Texts with their top-left corner, their middle or their end at x.
void WriteAt(Canvas& canvas, double x, double y, std::string_view text);
void WriteCentredAt(Canvas& canvas, double x, double y, std::string_view text);
void WriteEndingAt(Canvas& canvas, double x, double y, std::string_view text);

}  // namespace vyra::gfx::chart
