#pragma once

#include "Canvas.h"

#include <string>
#include <string_view>

namespace vyra::gfx::report {

// How far a fitted text keeps clear of a rule, in cells (0.5 mm).
inline constexpr double kRuleClearance = 0.25;

// The largest font size, not above the current one, at which the text is no
// wider than width. The canvas keeps its font.
double SizeToFit(Canvas& page, std::string_view text, double width);

// Writes the text with its top-left corner at (x, y), made smaller for this
// text alone when it would reach past limit; a smaller text keeps the middle
// of the line. The current position then follows the text as WriteText
// leaves it, and the font is the one before.
void WriteWithin(Canvas& page, double x, double y, std::string_view text, double limit, LineEnd end);

// Writes the text so that it ends at x, made smaller for this text alone
// when it would start before limit.
void WriteEndingWithin(Canvas& page, double x, double y, std::string_view text, double limit);

// A table figure as its fixed field places it: a text no wider than the
// field of width characters at x prints there unchanged; a wider one ends
// where the field ends and is made smaller, for this cell alone, so that it
// starts clear of the cell's left border. Never cut: a figure is whole or
// it would read as another number.
void WriteFigure(Canvas& page, double x, double y, std::string_view text, int width, double cellLeft);

// The text cut at a character boundary and ended with an ellipsis so that it
// is no wider than width in the current font; the whole text when it fits.
std::string ClippedToWidth(const Canvas& page, std::string_view text, double width);

}  // namespace vyra::gfx::report
