#include "Report.h"

#include "ReportPage.h"
#include "ReportText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results1.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>

namespace vyra::gfx {

namespace {

using report::WholeCells;
using report::WriteAt;
using report::WriteEndingAt;

constexpr double kLeftMargin = 10;
constexpr double kTableRight = 90;

// Writes a label and its value so that together they end at x, the value
// cut short when the pair would start before limit.
double WriteLabelledValueEndingAt(Canvas& page, double x, double limit, std::string_view label, std::string_view value)
{
    const double labelWidth = page.TextWidth(label);
    const std::string shown = report::ClippedToWidth(page, value, x - limit - labelWidth);
    const double start = x - labelWidth - page.TextWidth(shown);
    page.SetCurrentX(start);
    page.WriteText(label, LineEnd::Keep);
    page.WriteText(shown, LineEnd::End);
    return start;
}

// Writes free text at the current position, cut short one blank before the
// next caption.
void WriteFreeTextBefore(Canvas& page, std::string_view text, double nextCaption)
{
    const double room = nextCaption - page.TextWidth(" ") - page.CurrentX();
    page.WriteText(report::ClippedToWidth(page, text, room), LineEnd::Keep);
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

void WriteCustomerBlock(Canvas& page, const ReportRecord& record) { report::WriteCustomerBlock(page, record.customer); }

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
    // A typed text stands whole, as typed, between its caption and its unit.
    for (int k = 0; k < kFieldCount; ++k) {
        WriteAt(page, kLeftMargin, y, shown.fieldCaptions[k], LineEnd::Keep);
        const double captionEnd = page.CurrentX() + page.TextWidth(" ") / 2;
        report::WriteEndingWithin(page, textEnd, y, shown.fieldTexts[k], captionEnd);
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

// A heading and the border its cell ends at.
struct PlacedText {
    double x;
    double y;
    std::string_view text;
    double cellRight;
};

// Each heading keeps clear of the rule that ends its cell.
void WriteHeading(Canvas& page, const PlacedText& t)
{
    report::WriteWithin(page, t.x, t.y, t.text, t.cellRight - report::kRuleClearance, LineEnd::Keep);
}

// Where each column of result set 1 stands: its symbol and unit headings,
// its figure, the cell it has, and the figure's fixed field (blanks, width)
// in kgf and, for a force, in N.
struct ColumnPlace {
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

constexpr std::array<ColumnPlace, 9> kColumnPlaces{{
    {23, 22, 21, 20, 28, 3, 6, 4, 5},
    {31, 30, 29, 28, 36, 3, 6, 4, 5},
    {39, 38, 37, 36, 44, 3, 6, 4, 5},
    {46, 45, 45, 44, 51, 1, 5, 1, 5},
    {53, 52, 52, 51, 58, 1, 5, 1, 5},
    {60, 59, 59, 58, 65, 1, 5, 1, 5},
    {68, 67, 66, 65, 73, 1, 6, 1, 6},
    {76, 75, 74, 73, 81, 1, 6, 1, 6},
    {85, 82, 83, 81, kTableRight, 2, 5, 2, 5},
}};

void WriteTableHeadings(Canvas& page, const ReportRecord& record)
{
    static constexpr std::array<PlacedText, 4> kGroups{{
        {24, 37, "Transmitted load", 44},
        {45, 37, "Stopper displacement", 65},
        {67, 37, "Sensor output", 81},
        {83, 37, "Gain", 90},
    }};
    page.SetFontSize(10);
    page.SetFontBold(false);
    for (const PlacedText& t : kGroups) {
        WriteHeading(page, t);
    }
    const std::span<const ResultColumn> columns = ResultSet1Columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        WriteHeading(page, {kColumnPlaces[c].symbolX, 39, columns[c].symbol, kColumnPlaces[c].cellRight});
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const std::string_view unit = UnitHeading(columns[c], record.selection.forceUnit);
        WriteHeading(page, {kColumnPlaces[c].unitX, 40, unit, kColumnPlaces[c].cellRight});
    }
}

void WriteTableRows(Canvas& page, const ReportRecord& record)
{
    const RunState& selection = record.selection;
    const bool newton = selection.forceUnit == kNewton;
    const std::span<const ResultColumn> columns = ResultSet1Columns();
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 42 + 2 * i;
        report::WriteWithin(page, 11, y, ModelLabel(selection, i), 20 - report::kRuleClearance, LineEnd::Keep);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const ColumnPlace& at = kColumnPlaces[c];
            const bool force = columns[c].unit == kForceUnit && newton;
            const int width = force ? at.newtonWidth : at.width;
            const std::string field =
                report::NumberField(ShownText(columns[c], selection, i), force ? at.newtonBlanks : at.blanks, width);
            report::WriteFigure(page, at.figureX, y, field, width, at.cellLeft);
        }
    }
}

// A failed figure is crossed out over its cell; a model that passes every
// check is framed.
void MarkTolerances(Canvas& page, const ReportRecord& record)
{
    const std::span<const ResultColumn> columns = ResultSet1Columns();
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 41.5 + 2 * i;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (Failed(columns[c], record.selection, i)) {
                report::CrossOut(page, kColumnPlaces[c].cellLeft, kColumnPlaces[c].cellRight, y);
            }
        }
        if (AssessResults1(record.selection, i).withinTolerance) {
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
    SetUpPage,           WriteHeader,         WriteCustomerBlock, WriteSectionHeadings,
    WriteSpecifications, WriteResultsHeading, DrawTableGrid,      WriteTableHeadings,
    WriteTableRows,      MarkTolerances,      WriteToleranceNote,
};

}  // namespace

// The label and value pairs at the right end at W - 8; the rules under the
// two lines run to W - 7. Free texts never run into the next caption: the
// order number keeps to the right half of the page, the name to its last
// quarter unless the date leaves it more, and the other texts are cut short
// before the caption that follows them.
void report::WriteCustomerBlock(Canvas& page, const ReportCustomer& customer)
{
    const double w = page.ScaleWidth();
    const double ruleEnd = WholeCells(w - 7);
    const double rightHalf = w - 8 - w / 2;
    page.SetFontSize(11);

    WriteAt(page, kLeftMargin, 5, "Customer:", LineEnd::Keep);
    const double customerStart = page.CurrentX();
    page.SetCurrentX(w);  // the order pair is placed first, the customer before it
    const double orderStart = WriteLabelledValueEndingAt(page, w - 8, w / 2, "Order No.", customer.orderNo);
    const double orderRuleY = page.CurrentY();
    page.SetCurrentX(customerStart);
    page.SetCurrentY(5);
    page.SetFontBold(true);
    WriteFreeTextBefore(page, customer.customer, orderStart);
    page.SetFontBold(false);
    page.Line(kLeftMargin, orderRuleY, ruleEnd, orderRuleY, PaletteColor(0));

    WriteAt(page, kLeftMargin, 8, "Machine:", LineEnd::Keep);
    const double dateCaption = w / 2 - page.TextWidth("Date:");
    WriteFreeTextBefore(page, customer.machine, dateCaption);
    WriteEndingAt(page, w / 2, "Date:", LineEnd::Keep);
    const double dateWidth = page.TextWidth(customer.date) + page.TextWidth(" ");
    const double nameLimit = w / 2 + std::min(dateWidth, rightHalf / 2);
    page.SetCurrentX(w);
    const double nameStart = WriteLabelledValueEndingAt(page, w - 8, nameLimit, "Name:", customer.name);
    const double nameRuleY = page.CurrentY();
    page.SetCurrentX(w / 2);
    page.SetCurrentY(8);
    WriteFreeTextBefore(page, customer.date, nameStart);
    page.Line(kLeftMargin, nameRuleY, ruleEnd, nameRuleY, PaletteColor(0));
}

// Leaves the canvas in character cells, "Courier New" 9 point, not bold,
// pen 2: the printed sketch goes on from there.
void PrintReportPage1(Canvas& page, const ReportRecord& record, const MessageSink& sink)
{
    report::DrawPageSteps(page, record, kPage1Steps, sink);
}

}  // namespace vyra::gfx
