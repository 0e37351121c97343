#include "ReportResultTable.h"

#include "ReportPage.h"
#include "ReportText.h"

#include <algorithm>
#include <string>

namespace vyra::gfx::report {

namespace {

// The model's label stands between the table's left border and its first rule.
constexpr double kLabelX = 11;
constexpr double kLabelCellRight = 20;
constexpr double kLeftBorder = 10;

}  // namespace

void WriteHeading(Canvas& page, const PlacedText& t)
{
    const double x = std::max(t.x, t.cellLeft + kRuleClearance);
    WriteWithin(page, x, t.y, t.text, t.cellRight - kRuleClearance, t.end);
}

void DrawResultGrid(Canvas& page, const ResultTable& table)
{
    const Rgb black = PaletteColor(0);
    page.SetDrawWidth(4);
    page.Box(kLeftBorder, table.top, table.right, table.bottom, black);
    page.SetDrawWidth(2);
    for (const double x : table.groupRules) {
        page.Line(x, table.top, x, table.bottom, black);
    }
    page.SetDrawWidth(1);
    for (const double x : table.columnRules) {
        page.Line(x, table.groupBottom, x, table.bottom, black);
    }
    page.SetDrawWidth(table.groupLinePen);
    page.Line(table.groupLineLeft, table.groupBottom, table.groupLineRight, table.groupBottom, black);
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = table.firstRow + 2 * i;
        page.Line(kLeftBorder, y, table.right, y, black);
    }
}

// All symbol headings first, then the unit headings on the row below.
void WriteResultHeadings(Canvas& page, const ResultTable& table, std::int16_t forceUnit)
{
    page.SetFontSize(table.headingPoints);
    page.SetFontBold(false);
    for (const PlacedText& t : table.groupHeadings) {
        WriteHeading(page, t);
    }
    const std::span<const ResultColumn> columns = table.set().columns;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnPlace& at = table.places[c];
        std::string symbol(columns[c].symbol);
        if (at.heading == ColumnHeading::SymbolWithUnit) {
            symbol += UnitHeading(columns[c], forceUnit);
        }
        if (at.heading != ColumnHeading::OfItsOwn) {
            WriteHeading(page, {at.symbolX, table.symbolY, symbol, at.cellLeft, at.cellRight});
        }
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const ColumnPlace& at = table.places[c];
        if (at.heading == ColumnHeading::SymbolOverUnit) {
            const std::string_view unit = UnitHeading(columns[c], forceUnit);
            WriteHeading(page, {at.unitX, table.unitY, unit, at.cellLeft, at.cellRight});
        }
    }
}

void WriteResultRows(Canvas& page, const ResultTable& table, const RunState& selection)
{
    const bool newton = selection.forceUnit == kNewton;
    const std::span<const ResultColumn> columns = table.set().columns;
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = table.firstRow + 0.5 + 2 * i;
        WriteWithin(page, kLabelX, y, ModelLabel(selection, i), kLabelCellRight - kRuleClearance, LineEnd::Keep);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const ColumnPlace& at = table.places[c];
            const bool force = columns[c].unit == kForceUnit && newton;
            const int width = force ? at.newtonWidth : at.width;
            const std::string figure = ShownText(columns[c], selection, i);
            const std::string field = NumberField(figure, force ? at.newtonBlanks : at.blanks, width);
            WriteFigure(page, at.figureX, y, field, width, at.cellLeft);
        }
    }
}

void MarkResultTolerances(Canvas& page, const ResultTable& table, const RunState& selection)
{
    const ResultSet set = table.set();
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = table.firstRow + 2 * i;
        for (std::size_t c = 0; c < set.columns.size(); ++c) {
            if (Failed(set.columns[c], selection, i)) {
                CrossOut(page, table.places[c].cellLeft, table.places[c].cellRight, y);
            }
        }
        if (set.withinTolerance(selection, i)) {
            FrameRow(page, table.right, y);
        }
    }
}

void WriteToleranceNotes(Canvas& page, const ResultTable& table)
{
    page.SetFontBold(false);
    page.SetFontSize(9);
    for (const NoteText& note : table.notes) {
        WriteAt(page, note.x, table.noteY, note.text, LineEnd::End);
    }
}

}  // namespace vyra::gfx::report
