#include "Report.h"

#include "ReportPage.h"
#include "ReportText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>

namespace vyra::gfx {

namespace {

using report::WriteAt;

constexpr double kLeftMargin = 10;
constexpr double kTableRight = 87;

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

void DrawTableGrid(Canvas& page, const ReportRecord&)
{
    constexpr double top = 5.5;
    constexpr double groupBottom = 8;
    constexpr double bottom = 28.5;
    const Rgb black = PaletteColor(0);
    page.SetDrawWidth(4);
    page.Box(kLeftMargin, top, kTableRight, bottom, black);
    page.SetDrawWidth(2);
    for (const double x : {20.0, 32.0, 52.0, 66.0, 78.0}) {
        page.Line(x, top, x, bottom, black);
    }
    page.SetDrawWidth(1);
    for (const double x : {42.0, 59.0}) {
        page.Line(x, groupBottom, x, bottom, black);
    }
    page.Line(32, groupBottom, 66, groupBottom, black);
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        page.Line(kLeftMargin, 10.5 + 2 * i, kTableRight, 10.5 + 2 * i, black);
    }
}

// A heading, where its line ends, and the borders of the room it has.
struct PlacedText {
    double x;
    double y;
    std::string_view text;
    double cellLeft;
    double cellRight;
    LineEnd end = LineEnd::Keep;
};

// Each heading keeps clear of the rules on both sides of its cell.
void WriteHeading(Canvas& page, const PlacedText& t)
{
    const double x = std::max(t.x, t.cellLeft + report::kRuleClearance);
    report::WriteWithin(page, x, t.y, t.text, t.cellRight - report::kRuleClearance, t.end);
}

// Where each column of result set 2 stands: its heading, its figure, the
// cell it has and the figure's fixed field (blanks, width).
struct ColumnPlace {
    double headingX;
    double figureX;
    double cellLeft;
    double cellRight;
    int blanks;
    int width;
};

constexpr std::array<ColumnPlace, 7> kColumnPlaces{{
    {23, 23, 20, 32, 2, 5},
    {34, 34, 32, 42, 2, 5},
    {44, 44, 42, 52, 2, 5},
    {53, 53, 52, 59, 1, 5},
    {60, 60, 59, 66, 1, 5},
    {71, 70, 66, 78, 2, 6},
    {80, 79, 78, kTableRight, 2, 5},
}};

// The column headings of the frequencies and ratios are their symbol and
// unit; those of the last two columns come with the tolerance note.
void WriteTableHeadings(Canvas& page, const ReportRecord&)
{
    static constexpr std::array<PlacedText, 11> kGroups{{
        {21, 6, "Excitation", 20, 32},
        {37, 6, "Resonant", 32, 52},
        {55, 6, "Frequency", 52, 66},
        {67, 6, "Eccentricity", 66, 78},
        {79, 6, "Eccentric", 78, kTableRight, LineEnd::End},
        {21, 7, "frequency", 20, 32},
        {37, 7, "frequency", 32, 52},
        {55, 7, "ratios", 52, 66},
        {79, 7, "force", 78, kTableRight, LineEnd::End},
        {32, 8.2, "Two sensors", 32, 42},
        {43, 8.2, "One sensor", 42, 52},
    }};
    page.SetFontSize(9);
    page.SetFontBold(false);
    for (const PlacedText& t : kGroups) {
        WriteHeading(page, t);
    }
    const std::span<const ResultColumn> columns = ResultSet2Columns();
    for (std::size_t c = 0; c < 5; ++c) {
        const std::string heading = std::string(columns[c].symbol) + std::string(columns[c].unit);
        const ColumnPlace& at = kColumnPlaces[c];
        WriteHeading(page, {at.headingX, 9.2, heading, at.cellLeft, at.cellRight});
    }
}

// A running line over a resonance of 0 Hz has no finite ratio: it prints
// "---" and is crossed out, never shown as a passing 0.00. A standing line
// prints 0.00 whatever the resonance.
void WriteTableRows(Canvas& page, const ReportRecord& record)
{
    const RunState& selection = record.selection;
    const std::span<const ResultColumn> columns = ResultSet2Columns();
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 11 + 2 * i;
        report::WriteWithin(page, 11, y, ModelLabel(selection, i), 20 - report::kRuleClearance, LineEnd::Keep);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const ColumnPlace& at = kColumnPlaces[c];
            const std::string field = report::NumberField(ShownText(columns[c], selection, i), at.blanks, at.width);
            report::WriteFigure(page, at.figureX, y, field, at.width, at.cellLeft);
        }
    }
}

void MarkTolerances(Canvas& page, const ReportRecord& record)
{
    const std::span<const ResultColumn> columns = ResultSet2Columns();
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 10.5 + 2 * i;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (Failed(columns[c], record.selection, i)) {
                report::CrossOut(page, kColumnPlaces[c].cellLeft, kColumnPlaces[c].cellRight, y);
            }
        }
        if (AssessResults2(record.selection, i).withinTolerance) {
            report::FrameRow(page, kTableRight, y);
        }
    }
}

// The Greek letters are written in the page font itself, each heading as
// one text from where its first letter stands, so that letters and brackets
// keep the font's own spacing.
void WriteNoteAndUnitHeadings(Canvas& page, const ReportRecord& record)
{
    page.SetFontBold(false);
    page.SetFontSize(9);
    WriteAt(page, 12, 29, "Tolerance", LineEnd::End);
    WriteAt(page, 51, 29, "F1/F2<0.7 F1/F3<0.7", LineEnd::End);
    // epsilon [mu m]: the eccentricity in micrometres; Delta F: the eccentric force.
    const ColumnPlace& e = kColumnPlaces[5];
    const ColumnPlace& pb = kColumnPlaces[6];
    WriteHeading(page, {e.headingX, 9.2, "\u03B5[\u03BCm]", e.cellLeft, e.cellRight});
    const std::string force = "\u0394F" + std::string(ForceUnitLabel(record.selection.forceUnit));
    WriteHeading(page, {pb.headingX, 9.2, force, pb.cellLeft, pb.cellRight});
}

constexpr std::array<report::PageStep, 8> kPage2Steps{
    SetUpPage,          WriteHeading,   WriteCompanyLines, DrawTableGrid,
    WriteTableHeadings, WriteTableRows, MarkTolerances,    WriteNoteAndUnitHeadings,
};

}  // namespace

// Sets its own scale, origin and font first: it does not depend on what page 1
// or the printed sketch left behind.
void PrintReportPage2(Canvas& page, const ReportRecord& record, const MessageSink& sink)
{
    report::DrawPageSteps(page, record, kPage2Steps, sink);
}

}  // namespace vyra::gfx
