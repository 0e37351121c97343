#pragma once

#include "Canvas.h"

#include <span>
#include <string>
#include <string_view>

namespace vyra::gfx::report {

// How far a fitted text keeps clear of a rule, in cells (0.5 mm).
inline constexpr double kRuleClearance = 0.25;

// Nothing on paper is printed smaller than this: below it a figure turns
// into a smudge. A text that does not fit at this size is shortened instead.
inline constexpr double kSmallestPoints = 7;

// The largest font size, not above the current one and not below
// kSmallestPoints, at which the text is no wider than width (when there is
// one). The canvas keeps its font.
double SizeToFit(Canvas& page, std::string_view text, double width);

// The smallest SizeToFit of the texts: the one size of a table column.
double SizeToFitAll(Canvas& page, std::span<const std::string> texts, double width);

double TextWidthAt(Canvas& page, std::string_view text, double points);

// Writes the text in the given size so that it ends at x; a smaller text
// keeps the middle of the line of the current size.
void WriteSizedEndingAt(Canvas& page, double x, double y, std::string_view text, double points);

// Writes the text with its top-left corner at (x, y), made smaller for this
// text alone when it would reach past limit and cut with an ellipsis when it
// would even at kSmallestPoints; a smaller text keeps the middle of the
// line. The current position then follows the text as WriteText leaves it,
// and the font is the one before.
void WriteWithin(Canvas& page, double x, double y, std::string_view text, double limit, LineEnd end);

// The same in a size chosen by the caller (a column's one size).
void WriteSizedWithin(Canvas& page, double x, double y, std::string_view text, double points, double limit,
                      LineEnd end);

// The text cut at a character boundary and ended with an ellipsis so that it
// is no wider than width in the current font; the whole text when it fits.
std::string ClippedToWidth(const Canvas& page, std::string_view text, double width);

}  // namespace vyra::gfx::report
