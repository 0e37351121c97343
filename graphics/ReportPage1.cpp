#include "Report.h"

#include "Answer.h"
#include "ReportEntryNotes.h"
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
constexpr double kAnswerRow = 33;
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
// caption, which ends at captionEnd; cut only when it does not fit even so.
void WriteFieldText(Canvas& page, const std::string& text, double captionEnd, double textEnd, double y)
{
    const double room = textEnd - captionEnd;
    double points = page.Font().size;
    if (!report::FitsFieldAt(page, text, room, points)) {
        // Widths grow nearly in proportion to the size; hinting may round
        // them up a little, so the first guess is checked and stepped down.
        points = std::max(report::kSmallestPoints, points * room / report::FieldWidthAt(page, text, points));
        while (points > report::kSmallestPoints && !report::FitsFieldAt(page, text, room, points)) {
            points = std::max(report::kSmallestPoints, points * 0.98);
        }
    }
    const bool whole = report::FitsFieldAt(page, text, room, points);
    const double size = page.Font().size;
    page.SetFontSize(points);
    const std::string shown = whole ? text : report::ClippedToWidth(page, text, room - page.TextWidth(" ") / 2);
    page.SetFontSize(size);
    report::WriteSizedEndingAt(page, textEnd, y, shown, points);
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
        WriteFieldText(page, shown.fieldTexts[k], page.CurrentX(), textEnd, y);
        WriteEndingAt(page, valueEnd, shown.unitLabels[k], LineEnd::End);
        y = CloseItem(page, ruleEnd);
    }
    WriteAt(page, kLeftMargin, y, shown.methodCaption, LineEnd::End);
    WriteEndingAt(page, valueEnd, MethodWording(record.selection.inputs.methodCode), LineEnd::End);
    y = CloseItem(page, ruleEnd);
    // Where the page does not show what was computed from (more after the
    // number, an angle's fraction, a text cut short) or where a tension or
    // roller weight came from, the row below says it.
    report::WriteEntryNotesOnPage1(page, y, report::EntryNotesOf(page, record));
}

// What the tables below come to, in one line between the sketch's box and
// the heading: there is room there on every paper.
void WriteAnswer(Canvas& page, const ReportRecord& record)
{
    page.SetFontSize(10);
    page.SetFontBold(true);
    report::WriteWithin(page, kLeftMargin, kAnswerRow, AnswerSentence(record.selection),
                        WholeCells(page.ScaleWidth() - 7), LineEnd::Keep);
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

constexpr auto kPage1Steps =
    report::StepsAroundTable<report::kResultTable1>({SetUpPage, WriteHeader, WriteCustomerBlock, WriteSectionHeadings,
                                                     WriteSpecifications, WriteAnswer, WriteResultsHeading},
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
