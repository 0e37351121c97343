#include "Report.h"

#include "ReportText.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <algorithm>
#include <array>
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

// The unit headings of the last two columns come with the tolerance note.
void WriteTableHeadings(Canvas& page, const ReportRecord&)
{
    static constexpr std::array<PlacedText, 16> kHeadings{{
        {21, 6, "Excitation", 20, 32}, {37, 6, "Resonant", 32, 52}, {55, 6, "Frequency", 52, 66},
        {67, 6, "Eccentricity", 66, 78}, {79, 6, "Eccentric", 78, kTableRight, LineEnd::End},
        {21, 7, "frequency", 20, 32}, {37, 7, "frequency", 32, 52}, {55, 7, "ratios", 52, 66},
        {79, 7, "force", 78, kTableRight, LineEnd::End}, {32, 8.2, "Two sensors", 32, 42},
        {43, 8.2, "One sensor", 42, 52}, {34, 9.2, "F2[Hz]", 32, 42}, {44, 9.2, "F3[Hz]", 42, 52},
        {23, 9.2, "F1[Hz]", 20, 32}, {53, 9.2, "F1/F2", 52, 59}, {60, 9.2, "F1/F3", 59, 66},
    }};
    page.SetFontSize(9);
    page.SetFontBold(false);
    for (const PlacedText& t : kHeadings) {
        WriteHeading(page, t);
    }
}

// A running line over a resonance of 0 Hz has no finite ratio: it prints
// "---" and is crossed out, never shown as a passing 0.00. A standing line
// prints 0.00 whatever the resonance.
std::string RatioField(double excitation, double resonance)
{
    return report::NumberField(FrequencyRatio(excitation, resonance), 2, 1, 5);
}

// A figure of a row: where its field starts, its cell's left border, the
// field's text and its width in characters.
struct FigureCell {
    double x;
    double cellLeft;
    std::string text;
    int width;
};

void WriteTableRows(Canvas& page, const ReportRecord& record)
{
    const RunState& selection = record.selection;
    const ResultTables& t = selection.tables;
    // Eccentric force to 0.01 kgf, or to 0.1 N.
    const bool newton = selection.forceUnit == kNewton;
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 11 + 2 * i;
        report::WriteWithin(page, 11, y, report::ModelLabel(selection, i), 20 - report::kRuleClearance,
                            LineEnd::Keep);
        const std::array<FigureCell, 7> cells{{
            {23, 20, report::NumberField(t.F1[i], 1, 2, 5), 5},
            {34, 32, report::NumberField(t.F2[i], 1, 2, 5), 5},
            {44, 42, report::NumberField(t.F3[i], 1, 2, 5), 5},
            {53, 52, RatioField(t.F1[i], t.F2[i]), 5},
            {60, 59, RatioField(t.F1[i], t.F3[i]), 5},
            {70, 66, report::NumberField(t.E[i], 2, 2, 6), 6},
            {79, 78, report::NumberField(ShownForce(t.PB[i], selection.forceUnit), newton ? 1 : 2, 2, 5), 5},
        }};
        for (const FigureCell& cell : cells) {
            report::WriteFigure(page, cell.x, y, cell.text, cell.width, cell.cellLeft);
        }
    }
}

void MarkTolerances(Canvas& page, const ReportRecord& record)
{
    page.SetDrawWidth(2);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 10.5 + 2 * i;
        const Assessment2 verdict = AssessResults2(record.selection, i);
        if (verdict.failF1F2) {
            report::CrossOut(page, 52, 59, y);
        }
        if (verdict.failF1F3) {
            report::CrossOut(page, 59, 66, y);
        }
        if (verdict.withinTolerance) {
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
    WriteHeading(page, {71, 9.2, "\u03B5[\u03BCm]", 66, 78});
    WriteHeading(page, {80, 9.2, record.selection.forceUnit == kNewton ? "\u0394F[N]" : "\u0394F[kgf]", 78, kTableRight});
}

constexpr std::array<report::PageStep, 8> kPage2Steps{
    SetUpPage,     WriteHeading,       WriteCompanyLines, DrawTableGrid,
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
