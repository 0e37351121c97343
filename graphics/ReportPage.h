#pragma once

#include "Canvas.h"
#include "PrintTrouble.h"
#include "ReportRecord.h"

#include <span>
#include <string>
#include <string_view>

namespace vyra::gfx {

// The text right-justified in a field of width characters: the last width
// characters of the blanks followed by the text. A text longer than the
// field comes back whole; the page makes it fit its cell.
std::string FixedField(const std::string& text, int blanks, int width);

// What both report pages draw with. Positions are in character cells
// (scale mode 4): x in cells of 1/12 inch, y in rows of 1/6 inch.
namespace report {

// One numbered step of a page.
using PageStep = void (*)(Canvas& page, const ReportRecord& record);

// Draws the steps in order, looking at the device before the first step and
// after each one: a failed device ends the page, what was drawn stays, and
// the trouble is reported once.
void DrawPageSteps(Canvas& page, const ReportRecord& record, std::span<const PageStep> steps, const MessageSink& sink);

// A table value in its fixed field: the text of the figure through
// FixedField. A value that is not a finite number prints as "---",
// right-justified in the same width.
std::string NumberField(const std::string& figure, int blanks, int width);

// A position taken to the nearest whole cell, ties to even.
double WholeCells(double position);

// Writes the text with its top-left corner at (x, y).
void WriteAt(Canvas& page, double x, double y, std::string_view text, LineEnd end);
// Writes the text on the current line so that it ends at x.
void WriteEndingAt(Canvas& page, double x, std::string_view text, LineEnd end);

// Character cells, Courier New in the size, solid lines: what the pages
// of lines (the calculation record, the comparison) are set in.
void SetUpText(Canvas& page, double points, bool bold);

// The title centred on the page at row y, in the current font, between two
// rules of pen 6 at half its height that run out to the margins at 10 and
// W - 10.
void WriteTitleBetweenRules(Canvas& page, double y, std::string_view title);

// The customer block of page 1, rows 5 to 8, 11 point, with its rules.
void WriteCustomerBlock(Canvas& page, const ReportCustomer& customer);

// The company line and the document code at the top right, 9 point, from
// this column on rows 1 and 2.
inline constexpr double kCompanyColumn = 76;
void WriteCompanyLines(Canvas& page);

// Crosses out the cell from x1 to x2 of the row band from y to y + 2.
void CrossOut(Canvas& page, double x1, double x2, double y);
// Frames the row band from y to y + 2 half a cell inside the table's left
// border (10) and its right border.
void FrameRow(Canvas& page, double rightBorder, double y);

}  // namespace report

}  // namespace vyra::gfx
