#include "ReportTableDrawing.h"

#include "ReportPage.h"
#include "ReportText.h"
#include "ResultFormat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

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

void ShadePassingRows(Canvas& page, const ResultTable& table, const RunState& selection)
{
    constexpr Rgb kShade{232, 232, 232};
    for (int i = 0; i < kModelCount; ++i) {
        if (table.set().withinTolerance(selection, i)) {
            const double y = table.firstRow + 2 * i;
            page.FilledBox(kLeftBorder, y, table.right, y + 2, kShade);
        }
    }
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
void WriteResultHeadings(Canvas& page, const ResultTable& table, ForceUnit forceUnit)
{
    page.SetFontSize(table.headingPoints);
    page.SetFontBold(false);
    for (const PlacedText& t : table.groupHeadings) {
        WriteHeading(page, t);
    }
    for (const ColumnPlace& at : table.places) {
        std::string symbol(at.column->symbol);
        if (at.heading == ColumnHeading::SymbolWithUnit) {
            symbol += UnitHeading(*at.column, forceUnit);
        }
        if (at.heading != ColumnHeading::OfItsOwn) {
            WriteHeading(page, {at.symbolX, table.symbolY, symbol, at.cellLeft, at.cellRight});
        }
    }
    for (const ColumnPlace& at : table.places) {
        if (at.heading == ColumnHeading::SymbolOverUnit) {
            const std::string_view unit = UnitHeading(*at.column, forceUnit);
            WriteHeading(page, {at.unitX, table.unitY, unit, at.cellLeft, at.cellRight});
        }
    }
}

namespace {

// A column's texts and the one size they are written in, so that no figure
// or model reads as set apart from its column.
struct SizedColumn {
    std::array<std::string, kModelCount> texts;
    double points;
};

SizedColumn ModelLabels(Canvas& page, const RunState& selection)
{
    SizedColumn labels{};
    for (int i = 0; i < kModelCount; ++i) {
        labels.texts[static_cast<std::size_t>(i)] = ModelLabel(selection, i);
    }
    labels.points = SizeToFitAll(page, labels.texts, kLabelCellRight - kRuleClearance - kLabelX);
    return labels;
}

struct FigureField {
    int blanks;
    int width;
};

FigureField FieldOf(const ResultColumn& column, const ColumnPlace& at, const RunState& selection)
{
    switch (selection.forceUnit) {
    case kNewton:
        if (column.quantity == Quantity::Force) {
            return {at.newtonBlanks, at.newtonWidth};
        }
        break;
    case kKgf:
    case kLbf:
        break;
    }
    return {at.blanks, at.width};
}

double FieldEnd(Canvas& page, const ColumnPlace& at, const FigureField& field)
{
    return at.figureX + page.TextWidth(std::string(static_cast<std::size_t>(field.width), ' '));
}

// A figure wider than its field ends where the field ends and may reach left
// to the cell's border; when one does not fit even so, the whole column
// takes the size at which its widest figure fits. A figure is never cut (it
// would read as another number): one that does not fit at the smallest size
// is written in the exponent form that does.
SizedColumn Figures(Canvas& page, const ResultColumn& column, const ColumnPlace& at, const RunState& selection)
{
    const FigureField field = FieldOf(column, at, selection);
    const double room = FieldEnd(page, at, field) - (at.cellLeft + kRuleClearance);
    SizedColumn figures{};
    for (int i = 0; i < kModelCount; ++i) {
        figures.texts[static_cast<std::size_t>(i)] =
            NumberField(ShownText(column, selection, i), field.blanks, field.width);
    }
    figures.points = SizeToFitAll(page, figures.texts, room);
    const double digitWidth = TextWidthAt(page, "0", figures.points);
    const auto digits = static_cast<std::size_t>(std::max(1.0, std::floor(room / digitWidth)));
    for (int i = 0; i < kModelCount; ++i) {
        std::string& text = figures.texts[static_cast<std::size_t>(i)];
        if (TextWidthAt(page, text, figures.points) > room) {
            text = FormatPatternWithin(ShownValue(column, selection, i), ShownDecimals(column, selection.forceUnit),
                                       digits);
        }
    }
    return figures;
}

}  // namespace

void WriteResultRows(Canvas& page, const ResultTable& table, const RunState& selection)
{
    page.SetFontSize(10);
    const SizedColumn labels = ModelLabels(page, selection);
    std::vector<SizedColumn> figures;
    for (const ColumnPlace& at : table.places) {
        figures.push_back(Figures(page, *at.column, at, selection));
    }
    for (int i = 0; i < kModelCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        const double y = table.firstRow + 0.5 + 2 * i;
        WriteSizedWithin(page, kLabelX, y, labels.texts[row], labels.points, kLabelCellRight - kRuleClearance,
                         LineEnd::Keep);
        for (std::size_t c = 0; c < table.places.size(); ++c) {
            const ColumnPlace& at = table.places[c];
            const double fieldEnd = FieldEnd(page, at, FieldOf(*at.column, at, selection));
            const std::string& text = figures[c].texts[row];
            if (figures[c].points == page.Font().size && page.TextWidth(text) <= fieldEnd - at.figureX) {
                WriteAt(page, at.figureX, y, text, LineEnd::Keep);
            } else {
                WriteSizedEndingAt(page, fieldEnd, y, text, figures[c].points);
            }
        }
    }
}

void MarkResultTolerances(Canvas& page, const ResultTable& table, const RunState& selection)
{
    const ResultSet set = table.set();
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = table.firstRow + 2 * i;
        for (const ColumnPlace& at : table.places) {
            if (Failed(*at.column, selection, i)) {
                CrossOut(page, at.cellLeft, at.cellRight, y);
            }
        }
        if (set.withinTolerance(selection, i)) {
            FrameRow(page, table.right, y);
        }
    }
}

void WriteToleranceNotes(Canvas& page, const ResultTable& table, ForceUnit forceUnit)
{
    page.SetFontBold(false);
    page.SetFontSize(9);
    for (const NoteText& note : table.notes) {
        WriteAt(page, note.x, table.noteY, note.inRunUnit != nullptr ? note.inRunUnit(forceUnit) : note.text,
                LineEnd::End);
    }
}

}  // namespace vyra::gfx::report
