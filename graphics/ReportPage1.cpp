#include "Report.h"

#include "ResultFormat.h"
#include "Results1.h"

#include <array>

namespace vyra::gfx {

namespace {

using report::WholeCells;
using report::WriteAt;
using report::WriteEndingAt;

constexpr double kLeftMargin = 10;
constexpr double kTableRight = 90;

// Ends the line that is being written so that its label and value together
// end at x.
void WriteLabelledValueEndingAt(Canvas& page, double x, std::string_view label, std::string_view value)
{
    page.SetCurrentX(x - page.TextWidth(label) - page.TextWidth(value));
    page.WriteText(label, LineEnd::Keep);
    page.WriteText(value, LineEnd::End);
}

void SetUpPage(Canvas& page, const ReportRecord&)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetFontSize(16);
    page.SetDrawStyle(DrawStyle::Solid);
    page.SetFontBold(true);
}

void WriteHeader(Canvas& page, const ReportRecord&)
{
    const std::string_view title = "<VyraSensorSelector>";
    const double w = page.ScaleWidth();
    WriteAt(page, w / 2 - page.TextWidth(title) / 2, 2, title, LineEnd::End);
    page.SetFontBold(false);
    page.SetDrawWidth(4);
    page.Line(kLeftMargin, page.CurrentY(), WholeCells(w - 10 + 3), page.CurrentY(), PaletteColor(0));
    report::WriteCompanyLines(page);
}

// The label and value pairs at the right end at W - 8; the rules under the
// two lines run to W - 7.
void WriteCustomerBlock(Canvas& page, const ReportRecord& record)
{
    const ReportCustomer& customer = record.customer;
    const double w = page.ScaleWidth();
    const double ruleEnd = WholeCells(w - 7);
    page.SetFontSize(11);

    WriteAt(page, kLeftMargin, 5, "Customer:", LineEnd::Keep);
    page.SetFontBold(true);
    page.WriteText(customer.customer, LineEnd::Keep);
    page.SetFontBold(false);
    WriteLabelledValueEndingAt(page, w - 8, "Order No.", customer.orderNo);
    page.Line(kLeftMargin, page.CurrentY(), ruleEnd, page.CurrentY(), PaletteColor(0));

    WriteAt(page, kLeftMargin, 8, "Machine:", LineEnd::Keep);
    page.WriteText(customer.machine, LineEnd::Keep);
    WriteEndingAt(page, w / 2, "Date:", LineEnd::Keep);
    page.WriteText(customer.date, LineEnd::Keep);
    WriteLabelledValueEndingAt(page, w - 8, "Name:", customer.name);
    page.Line(kLeftMargin, page.CurrentY(), ruleEnd, page.CurrentY(), PaletteColor(0));
}

void WriteSectionHeadings(Canvas& page, const ReportRecord&)
{
    page.SetFontSize(11);
    page.SetFontBold(false);
    WriteAt(page, kLeftMargin, 10, "<Specifications>", LineEnd::Keep);
    WriteAt(page, page.ScaleWidth() / 2, 10, "<Image>", LineEnd::Keep);
}

// Closes an item of the specifications block with its rule at the current
// y and gives the row where the next item starts, half a row lower.
double CloseItem(Canvas& page, double ruleEnd)
{
    const double y = page.CurrentY();
    page.Line(kLeftMargin, y, ruleEnd, y, PaletteColor(0));
    return y + 0.5;
}

// The block has no bottom limit: its length follows the 10-point line height.
void WriteSpecifications(Canvas& page, const ReportRecord& record)
{
    const ReportSpecifications& shown = record.specifications;
    const double valueEnd = page.ScaleWidth() / 2 - 3;
    const double textEnd = page.ScaleWidth() / 2 - 12;
    const double ruleEnd = WholeCells(valueEnd);
    page.SetFontSize(10);
    page.SetDrawWidth(1);

    double y = 12;
    WriteAt(page, kLeftMargin, y, shown.typeCaption, LineEnd::Keep);
    WriteEndingAt(page, valueEnd, shown.standardSelected ? "Standard" : "Intrinsically safe", LineEnd::End);
    y = CloseItem(page, ruleEnd);
    WriteAt(page, kLeftMargin, y, shown.fulcrumCaption, LineEnd::Keep);
    WriteEndingAt(page, valueEnd, shown.rightSelected ? "Right(R)" : "Left(L)", LineEnd::End);
    y = CloseItem(page, ruleEnd);
    for (int k = 0; k < kFieldCount; ++k) {
        WriteAt(page, kLeftMargin, y, shown.fieldCaptions[k], LineEnd::Keep);
        WriteEndingAt(page, textEnd, shown.fieldTexts[k], LineEnd::Keep);
        WriteEndingAt(page, valueEnd, shown.unitLabels[k], LineEnd::End);
        y = CloseItem(page, ruleEnd);
    }
    WriteAt(page, kLeftMargin, y, shown.methodCaption, LineEnd::End);
    WriteEndingAt(page, valueEnd, MethodWording(record.selection.inputs.methodCode), LineEnd::End);
    CloseItem(page, ruleEnd);
}

void WriteResultsHeading(Canvas& page, const ReportRecord&)
{
    page.SetFontSize(16);
    page.SetFontBold(true);
    report::WriteTitleBetweenRules(page, 34, "<Selection results 1>");
}

void DrawTableGrid(Canvas& page, const ReportRecord&)
{
    constexpr double top = 36.5;
    constexpr double groupBottom = 38.5;
    constexpr double bottom = 59.5;
    const Rgb black = PaletteColor(0);
    page.SetDrawWidth(4);
    page.Box(kLeftMargin, top, kTableRight, bottom, black);
    page.SetDrawWidth(2);
    for (const double x : {20.0, 44.0, 65.0, 81.0}) {
        page.Line(x, top, x, bottom, black);
    }
    page.SetDrawWidth(1);
    for (const double x : {28.0, 36.0, 51.0, 58.0, 73.0}) {
        page.Line(x, groupBottom, x, bottom, black);
    }
    page.SetDrawWidth(2);
    page.Line(20, groupBottom, kTableRight, groupBottom, black);
    for (int i = 0; i < kModelCount; ++i) {
        page.Line(kLeftMargin, 41.5 + 2 * i, kTableRight, 41.5 + 2 * i, black);
    }
}

struct PlacedText {
    double x;
    double y;
    std::string_view text;
};

void WriteTableHeadings(Canvas& page, const ReportRecord& record)
{
    static constexpr std::array<PlacedText, 13> kGroupAndSymbols{{
        {24, 37, "Transmitted load"}, {45, 37, "Stopper displacement"}, {67, 37, "Sensor output"},
        {83, 37, "Gain"}, {23, 39, "P1"}, {31, 39, "We"}, {39, 39, "P"}, {46, 39, "Zt"}, {53, 39, "Zr"},
        {60, 39, "Zs"}, {68, 39, "Vt"}, {76, 39, "Vr"}, {85, 39, "S"},
    }};
    static constexpr std::array<PlacedText, 6> kFixedUnits{{
        {45, 40, "[mm]"}, {52, 40, "[mm]"}, {59, 40, "[mm]"}, {67, 40, "[V]"}, {75, 40, "[V]"}, {82, 40, "[times]"},
    }};
    page.SetFontSize(10);
    page.SetFontBold(false);
    for (const PlacedText& t : kGroupAndSymbols) {
        WriteAt(page, t.x, t.y, t.text, LineEnd::Keep);
    }
    for (const double x : {22.0, 30.0, 38.0}) {
        WriteAt(page, x, 40, ForceUnitLabel(record.selection.forceUnit), LineEnd::Keep);
    }
    for (const PlacedText& t : kFixedUnits) {
        WriteAt(page, t.x, t.y, t.text, LineEnd::Keep);
    }
}

// A number column of the table: where it is written, which table it shows,
// how the held value becomes the shown one (times factor, over divisor),
// and its pattern and field.
struct NumberColumn {
    double x;
    ResultTable ResultTables::*table;
    double factor;
    double divisor;
    int decimals;
    int blanks;
    int width;
};

// Loads are held in kgf and shown in the run's unit, whole newtons or kgf
// to 0.1; Zt, Zr, Zs in mm; Vt, Vr held in mV and shown in V; S.
std::array<NumberColumn, 9> TableColumns(std::int16_t forceUnit)
{
    const bool newton = forceUnit == kNewton;
    const double load = newton ? kNewtonsPerKgf : 1;
    const int loadDecimals = newton ? 0 : 1;
    const int loadBlanks = newton ? 4 : 3;
    const int loadWidth = newton ? 5 : 6;
    return {{
        {21, &ResultTables::P1, load, 1, loadDecimals, loadBlanks, loadWidth},
        {29, &ResultTables::We, load, 1, loadDecimals, loadBlanks, loadWidth},
        {37, &ResultTables::P, load, 1, loadDecimals, loadBlanks, loadWidth},
        {45, &ResultTables::Zt, 1, 1, 2, 1, 5},
        {52, &ResultTables::Zr, 1, 1, 2, 1, 5},
        {59, &ResultTables::Zs, 1, 1, 2, 1, 5},
        {66, &ResultTables::Vt, 1, 1000, 3, 1, 6},
        {74, &ResultTables::Vr, 1, 1000, 3, 1, 6},
        {83, &ResultTables::S, 1, 1, 1, 2, 5},
    }};
}

void WriteTableRows(Canvas& page, const ReportRecord& record)
{
    const RunState& selection = record.selection;
    const std::array<NumberColumn, 9> columns = TableColumns(selection.forceUnit);
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 42 + 2 * i;
        WriteAt(page, 11, y, report::ModelLabel(selection, i), LineEnd::Keep);
        for (const NumberColumn& c : columns) {
            const double shown = (selection.tables.*c.table)[i] * c.factor / c.divisor;
            WriteAt(page, c.x, y, report::NumberField(shown, c.decimals, c.blanks, c.width), LineEnd::Keep);
        }
    }
}

void MarkTolerances(Canvas& page, const ReportRecord& record)
{
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 41.5 + 2 * i;
        const Assessment1 verdict = AssessResults1(record.selection, i);
        const struct {
            bool failed;
            double x1;
            double x2;
        } cells[] = {
            {verdict.failZr, 51, 58}, {verdict.failZs, 58, 65}, {verdict.failVr, 73, 81},
            {verdict.failS, 81, 90},  {verdict.failP1, 20, 28},
        };
        for (const auto& cell : cells) {
            if (cell.failed) {
                report::CrossOut(page, cell.x1, cell.x2, y);
            }
        }
        if (verdict.withinTolerance) {
            report::FrameRow(page, kTableRight, y);
        }
    }
}

void WriteToleranceNote(Canvas& page, const ReportRecord&)
{
    page.SetFontBold(false);
    page.SetFontSize(9);
    WriteAt(page, 12, 60, "Tolerance(Absolute value)", LineEnd::End);
    WriteAt(page, 45, 60, "Zs< 0.65 or 0.7 or 0.8", LineEnd::End);
    WriteAt(page, 73, 60, "Vr< 0.26 12 <S< 80", LineEnd::End);
}

constexpr std::array<report::PageStep, 11> kPage1Steps{
    SetUpPage,          WriteHeader,        WriteCustomerBlock, WriteSectionHeadings,
    WriteSpecifications, WriteResultsHeading, DrawTableGrid,     WriteTableHeadings,
    WriteTableRows,     MarkTolerances,     WriteToleranceNote,
};

}  // namespace

// Leaves the canvas in character cells, "Courier New" 9 point, not bold,
// pen 2: the printed sketch goes on from there.
void PrintReportPage1(Canvas& page, const ReportRecord& record, const MessageSink& sink)
{
    report::DrawPageSteps(page, record, kPage1Steps, sink);
}

}  // namespace vyra::gfx
