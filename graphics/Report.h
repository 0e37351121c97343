#pragma once

#include "Canvas.h"
#include "InputReading.h"
#include "RunState.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vyra::gfx {

// The customer block of the report, read when printing.
struct ReportCustomer {
    std::string customer;  // txtFNmame
    std::string orderNo;   // txtOrderNo
    std::string machine;   // txtMName
    std::string date;      // txtDate
    std::string name;      // txtName
};

// The specifications block as the input screen showed it at the last
// successful "Select", so that the report describes the case its results
// come from.
struct ReportSpecifications {
    std::string typeCaption = "Type";                // frType
    std::string fulcrumCaption = "Fulcrum";          // frFurclum
    std::string methodCaption = "Detection method";  // frMethod
    bool standardSelected = true;                    // OpType item 0
    bool rightSelected = true;                       // OpFulcrum item 0
    std::array<std::string, kFieldCount> fieldCaptions;  // lblTitle
    std::array<std::string, kFieldCount> fieldTexts;     // txtInput, as typed
    std::array<std::string, kFieldCount> unitLabels;     // lblTani
};

// Everything the two report pages and the printed sketch read.
struct ReportRecord {
    ReportCustomer customer;
    ReportSpecifications specifications;
    // The run state of the last successful "Select": its inputs (the sketch's
    // angles, position and fulcrum and methodCode), series, unit and tables.
    RunState selection;
};

// The captions and unit labels of the ten entry fields, as the input screen
// shows them for the given unit of force.
std::array<std::string, kFieldCount> FieldCaptions();
std::array<std::string, kFieldCount> UnitLabels(std::int16_t forceUnit);

// Fills the specifications block from the entry form, as the input screen holds it.
ReportSpecifications SpecificationsOf(const EntryForm& form, std::int16_t fulcrumIndex, std::int16_t forceUnit);

// Shows a message box with an OK button and no icon: (title, message).
using MessageSink = std::function<void(const std::string& title, const std::string& message)>;

inline constexpr const char* kPrinterTrouble = "The printer has any troubles.";
inline constexpr const char* kProgramTitle = "VyraSensorSelector";

// The text right-justified in a field of width characters: the last width
// characters of the blanks followed by the text. A text longer than the
// field comes back whole; the page makes it fit its cell.
std::string FixedField(const std::string& text, int blanks, int width);

// The print job: page 1, the printed sketch onto it, a new page, page 2 and
// the end of the document. Each of the three parts reports its own printer
// trouble through the sink and the job goes on.
void PrintReport(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage1(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage2(Canvas& page, const ReportRecord& record, const MessageSink& sink);

// What both report pages draw with. Positions are in character cells
// (scale mode 4): x in cells of 1/12 inch, y in rows of 1/6 inch.
namespace report {

// One numbered step of a page.
using PageStep = void (*)(Canvas& page, const ReportRecord& record);

// Tells the printer trouble through the sink, if there is one.
void ReportTrouble(const MessageSink& sink);

// Draws the steps in order, looking at the device before the first step and
// after each one: a failed device ends the page, what was drawn stays, and
// the trouble is reported once.
void DrawPageSteps(Canvas& page, const ReportRecord& record, std::span<const PageStep> steps,
                   const MessageSink& sink);

// A table value in its fixed field: the number in the pattern with the given
// decimals through FixedField. A value that is not a finite number prints as
// "---", right-justified in the same width.
std::string NumberField(double value, int decimals, int blanks, int width);

// The first cell of a table row: the last digit of modelIndex + 1, a blank
// and the model name of the selected series.
std::string ModelLabel(const RunState& selection, int modelIndex);

// A position taken to the nearest whole cell, ties to even.
double WholeCells(double position);

// Writes the text with its top-left corner at (x, y).
void WriteAt(Canvas& page, double x, double y, std::string_view text, LineEnd end);
// Writes the text on the current line so that it ends at x.
void WriteEndingAt(Canvas& page, double x, std::string_view text, LineEnd end);

// The title centred on the page at row y, in the current font, between two
// rules of pen 6 at half its height that run out to the margins at 10 and
// W - 10.
void WriteTitleBetweenRules(Canvas& page, double y, std::string_view title);

// The company line and the document code at the top right, 9 point.
void WriteCompanyLines(Canvas& page);

// Crosses out the cell from x1 to x2 of the row band from y to y + 2.
void CrossOut(Canvas& page, double x1, double x2, double y);
// Frames the row band from y to y + 2 half a cell inside the table's left
// border (10) and its right border.
void FrameRow(Canvas& page, double rightBorder, double y);

}  // namespace report

}  // namespace vyra::gfx
