#include "Report.h"

#include "ReportPage.h"
#include "ReportResultTables.h"
#include "ReportText.h"
#include "ResultFormat.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace vyra::gfx {

namespace {

using report::WholeCells;
using report::WriteAt;
using report::WriteEndingAt;

constexpr double kLeftMargin = 10;
constexpr double kResultsHeadingRow = 34;

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

// Writes a typed text so that it ends at textEnd, in the largest size down
// to the smallest at which it keeps half a blank of that size clear of its
// caption, which ends at captionEnd; says whether it was cut even so.
bool WriteFieldText(Canvas& page, const std::string& text, double captionEnd, double textEnd, double y)
{
    const double room = textEnd - captionEnd;
    const auto needed = [&](double points) {
        return report::TextWidthAt(page, text, points) + report::TextWidthAt(page, " ", points) / 2;
    };
    double points = page.Font().size;
    if (needed(points) > room) {
        // Widths grow nearly in proportion to the size; hinting may round
        // them up a little, so the first guess is checked and stepped down.
        points = std::max(report::kSmallestPoints, points * room / needed(points));
        while (points > report::kSmallestPoints && needed(points) > room) {
            points = std::max(report::kSmallestPoints, points * 0.98);
        }
    }
    const bool whole = needed(points) <= room;
    const double size = page.Font().size;
    page.SetFontSize(points);
    const std::string shown = whole ? text : report::ClippedToWidth(page, text, room - page.TextWidth(" ") / 2);
    page.SetFontSize(size);
    report::WriteSizedEndingAt(page, textEnd, y, shown, points);
    return !whole;
}

// Writes the lines that are not empty one under the other from row y, in 9
// point, or smaller down to the smallest size where all of them would
// otherwise run into the results' heading.
void WriteNotesBelow(Canvas& page, double y, std::initializer_list<std::string> lines)
{
    const auto count = std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
    page.SetFontSize(9);
    const double pitch = page.TextHeight("0");
    const double room = (kResultsHeadingRow - y) / static_cast<double>(std::max<std::ptrdiff_t>(count, 1));
    page.SetFontSize(std::max(report::kSmallestPoints, std::min(9.0, 9 * room / pitch)));
    for (const std::string& line : lines) {
        if (!line.empty()) {
            report::WriteWithin(page, kLeftMargin, y, line, WholeCells(page.ScaleWidth() - 7), LineEnd::Keep);
            y += page.TextHeight(line);
        }
    }
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
    std::string readAs;
    std::string asTyped;
    for (int k = 0; k < kFieldCount; ++k) {
        const std::string& text = shown.fieldTexts[k];
        const std::string symbol(FieldSymbol(k));
        WriteAt(page, kLeftMargin, y, shown.fieldCaptions[k], LineEnd::Keep);
        if (WriteFieldText(page, text, page.CurrentX(), textEnd, y)) {
            asTyped += (asTyped.empty() ? "As typed: " : ", ") + symbol + " " + text;
        }
        if (!ReadsAsTyped(k, text)) {
            readAs += (readAs.empty() ? "Read as: " : ", ") + symbol + " " + ValueReadText(k, text);
        }
        WriteEndingAt(page, valueEnd, shown.unitLabels[k], LineEnd::End);
        y = CloseItem(page, ruleEnd);
    }
    WriteAt(page, kLeftMargin, y, shown.methodCaption, LineEnd::End);
    WriteEndingAt(page, valueEnd, MethodWording(record.selection.inputs.methodCode), LineEnd::End);
    y = CloseItem(page, ruleEnd);
    // Below the block, which ends under the sketch's box, a line each may
    // run to the page's rule: what was read otherwise than typed (more
    // after the number, an angle's fraction), the entries cut short whole,
    // and where a tension or roller weight came from.
    std::string origins;
    for (const std::string& origin : shown.origins) {
        origins += (origins.empty() ? "" : "   ") + origin;
    }
    WriteNotesBelow(page, y, {readAs, asTyped, origins});
}

void WriteResultsHeading(Canvas& page, const ReportRecord&)
{
    page.SetFontSize(16);
    page.SetFontBold(true);
    report::WriteTitleBetweenRules(page, kResultsHeadingRow, "<Selection results 1>");
}

void WriteToleranceNote(Canvas& page, const ReportRecord& record)
{
    report::WriteToleranceNotes(page, report::kResultTable1, record.selection.forceUnit);
}

constexpr auto kPage1Steps = report::StepsAroundTable<report::kResultTable1>(
    {SetUpPage, WriteHeader, WriteCustomerBlock, WriteSectionHeadings, WriteSpecifications, WriteResultsHeading},
    {WriteToleranceNote});

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
