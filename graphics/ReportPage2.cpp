#include "Report.h"

#include "ReportEntryNotes.h"
#include "ReportPage.h"
#include "ReportResultTables.h"
#include "ReportText.h"
#include "ResultFormat.h"
#include "ResultNotes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vyra::gfx {

namespace {

using report::WriteAt;

void SetUpPage(Canvas& page, const ReportRecord&)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetDrawStyle(DrawStyle::Solid);
    page.SetFontSize(16);
    page.SetFontBold(true);
}

void WriteHeading(Canvas& page, const ReportRecord&)
{
    report::WriteTitleBetweenRules(page, 3, "<Selection results 2>");
}

void WriteCompanyLines(Canvas& page, const ReportRecord&)
{
    page.SetFontBold(false);
    report::WriteCompanyLines(page);
}

// The Greek letters are written in the page font itself, each heading as
// one text from where its first letter stands, so that letters and brackets
// keep the font's own spacing.
void WriteNoteAndUnitHeadings(Canvas& page, const ReportRecord& record)
{
    const report::ResultTable& table = report::kResultTable2;
    report::WriteToleranceNotes(page, table, record.selection.forceUnit);
    // epsilon: the eccentricity; Delta F: the eccentric force.
    const report::ColumnPlace& e = table.places[5];
    const report::ColumnPlace& pb = table.places[6];
    report::WriteHeading(
        page, {e.symbolX, table.symbolY, EccentricityHeading(record.selection.forceUnit), e.cellLeft, e.cellRight});
    const std::string force = "\u0394F" + std::string(ForceUnitLabel(record.selection.forceUnit));
    report::WriteHeading(page, {pb.symbolX, table.symbolY, force, pb.cellLeft, pb.cellRight});
}

// What the marks of both pages mean, in the free rows under the table.
void WriteLegend(Canvas& page, const ReportRecord&)
{
    static constexpr std::array<std::string_view, 6> kLegend{
        "How to read the marks of both pages:",
        "- A crossed-out figure is out of tolerance: the model fails that result set.",
        "- A shaded, framed row: the model passes every check of that result set.",
        "- P1 (page 1) is checked for models 7 to 9 only: a negative P1 fails.",
        "- A figure exactly at its tolerance limit fails.",
        "- Extra decimals: the figure lies so near its limit that they show its side.",
    };
    page.SetFontSize(9);
    page.SetFontBold(false);
    for (std::size_t line = 0; line < kLegend.size(); ++line) {
        WriteAt(page, 12, 31 + static_cast<double>(line), kLegend[line], LineEnd::End);
    }
}

// What the figures assume that the table does not show, under the legend,
// and the notes on the entries that page 1 had no room for.
void WriteRunNotes(Canvas& page, const ReportRecord& record)
{
    page.SetFontBold(true);
    const std::vector<std::string> notes = ResultNotes(record.selection);
    for (std::size_t line = 0; line < notes.size(); ++line) {
        WriteAt(page, 12, 38 + static_cast<double>(line), notes[line], LineEnd::End);
    }
    page.SetFontBold(false);
    const report::EntryNotes entries = report::EntryNotesOf(page, record);
    if (!report::EntryNotesFitPage1(page, entries)) {
        report::WriteEntryNotesOnPage2(page, 39 + static_cast<double>(notes.size()), entries);
    }
}

constexpr auto kPage2Steps = report::StepsAroundTable<report::kResultTable2>(
    {SetUpPage, WriteHeading, WriteCompanyLines}, {WriteNoteAndUnitHeadings, WriteLegend, WriteRunNotes});

}  // namespace

// Sets its own scale, origin and font first: it does not depend on what page 1
// or the printed sketch left behind.
void PrintReportPage2(Canvas& page, const ReportRecord& record, const MessageSink& sink)
{
    report::DrawPageSteps(page, record, kPage2Steps, sink);
}

}  // namespace vyra::gfx
