#pragma once

#include "Canvas.h"
#include "ReportPage.h"
#include "ReportRecord.h"
#include "ResultColumns.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <string_view>

namespace vyra::gfx::report {

// A text of a result table and the cell it keeps within, clear of the rules
// on both sides.
struct PlacedText {
    double x;
    double y;
    std::string_view text;
    double cellLeft;
    double cellRight;
    LineEnd end = LineEnd::Keep;
};

void WriteHeading(Canvas& page, const PlacedText& t);

// How a column is headed in the table's heading rows.
enum class ColumnHeading {
    SymbolOverUnit,  // the symbol on the symbol row, the unit heading on the row below
    SymbolWithUnit,  // "F1[Hz]" on the symbol row
    OfItsOwn,  // written by the page with its notes
};

// Where a column of a result set stands: its headings, its figure, the cell
// between its rules and the figure's fixed field (blanks, width), for a
// force shown in N the N field.
struct ColumnPlace {
    const ResultColumn* column;  // ColumnNamed("P1"): a place says what it shows
    ColumnHeading heading;
    double symbolX;
    double unitX;
    double figureX;
    double cellLeft;
    double cellRight;
    int blanks;
    int width;
    int newtonBlanks;
    int newtonWidth;
};

// A tolerance note under the table, in its row; one that names a unit is
// written in the run's.
struct NoteText {
    double x;
    std::string_view text;
    std::string (*inRunUnit)(ForceUnit forceUnit) = nullptr;
};

// One result set's table on its page, in character cells. Rows are 2 cells
// apart from firstRow, the rule above model 0.
struct ResultTable {
    ResultSet (*set)();
    std::span<const ColumnPlace> places;
    double top;
    double groupBottom;
    double bottom;
    double right;
    double firstRow;
    std::span<const double> groupRules;  // pen 2, the table's whole height
    std::span<const double> columnRules;  // pen 1, below the group headings
    // The rule under the group headings.
    double groupLineLeft;
    double groupLineRight;
    int groupLinePen;
    std::span<const PlacedText> groupHeadings;
    double headingPoints;
    double symbolY;
    double unitY;
    double noteY;
    std::span<const NoteText> notes;
};

// A light shade behind the row of every model that passes every check of
// the set, so that its frame cannot be taken for a rule of the grid; drawn
// first, under the grid and the figures.
void ShadePassingRows(Canvas& page, const ResultTable& table, const RunState& selection);
void DrawResultGrid(Canvas& page, const ResultTable& table);
void WriteResultHeadings(Canvas& page, const ResultTable& table, ForceUnit forceUnit);
// The model's label and every figure of each row, in 10 point.
void WriteResultRows(Canvas& page, const ResultTable& table, const RunState& selection);
// A failed figure is crossed out over its cell; a model that passes every
// check of the set is framed.
void MarkResultTolerances(Canvas& page, const ResultTable& table, const RunState& selection);
// The notes in 9 point, not bold.
void WriteToleranceNotes(Canvas& page, const ResultTable& table, ForceUnit forceUnit);

// The table's drawing as steps of its page, so that a device that fails
// between two of them is found as on every other step.
template <const ResultTable& table>
void DrawResultGridStep(Canvas& page, const ReportRecord& record)
{
    ShadePassingRows(page, table, record.selection);
    DrawResultGrid(page, table);
}

template <const ResultTable& table>
void WriteResultHeadingsStep(Canvas& page, const ReportRecord& record)
{
    WriteResultHeadings(page, table, record.selection.forceUnit);
}

template <const ResultTable& table>
void WriteResultRowsStep(Canvas& page, const ReportRecord& record)
{
    WriteResultRows(page, table, record.selection);
}

template <const ResultTable& table>
void MarkResultTolerancesStep(Canvas& page, const ReportRecord& record)
{
    MarkResultTolerances(page, table, record.selection);
}

// A page's steps: its own before the table, the table's grid, headings, rows
// and marks, then its own after the table.
template <const ResultTable& table, std::size_t before, std::size_t after>
constexpr std::array<PageStep, before + 4 + after> StepsAroundTable(const PageStep (&first)[before],
                                                                    const PageStep (&last)[after])
{
    const std::array<PageStep, 4> drawn{DrawResultGridStep<table>, WriteResultHeadingsStep<table>,
                                        WriteResultRowsStep<table>, MarkResultTolerancesStep<table>};
    std::array<PageStep, before + 4 + after> steps{};
    const auto next = std::copy(std::begin(first), std::end(first), steps.begin());
    std::copy(std::begin(last), std::end(last), std::copy(drawn.begin(), drawn.end(), next));
    return steps;
}

}  // namespace vyra::gfx::report
