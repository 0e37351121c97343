#include "Report.h"

#include "ResultFormat.h"
#include "Results2.h"

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

struct PlacedText {
    double x;
    double y;
    std::string_view text;
    LineEnd end = LineEnd::Keep;
};

// The unit headings of the last two columns come with the tolerance note.
void WriteTableHeadings(Canvas& page, const ReportRecord&)
{
    static constexpr std::array<PlacedText, 16> kHeadings{{
        {21, 6, "Excitation"}, {37, 6, "Resonant"}, {55, 6, "Frequency"}, {67, 6, "Eccentricity"},
        {79, 6, "Eccentric", LineEnd::End}, {21, 7, "frequency"}, {37, 7, "frequency"}, {55, 7, "ratios"},
        {79, 7, "force", LineEnd::End}, {32, 8.2, "Two sensors"}, {43, 8.2, "One sensor"},
        {34, 9.2, "F2[Hz]"}, {44, 9.2, "F3[Hz]"}, {23, 9.2, "F1[Hz]"}, {53, 9.2, "F1/F2"}, {60, 9.2, "F1/F3"},
    }};
    page.SetFontSize(9);
    page.SetFontBold(false);
    for (const PlacedText& t : kHeadings) {
        WriteAt(page, t.x, t.y, t.text, t.end);
    }
}

// A running line over a resonance of 0 Hz has no finite ratio: it prints
// "---" and is crossed out, never shown as a passing 0.00. A standing line
// prints 0.00 whatever the resonance.
std::string RatioField(double excitation, double resonance)
{
    return report::NumberField(FrequencyRatio(excitation, resonance), 2, 1, 5);
}

void WriteTableRows(Canvas& page, const ReportRecord& record)
{
    const RunState& selection = record.selection;
    const ResultTables& t = selection.tables;
    // Eccentric force to 0.01 kgf, or to 0.1 N.
    const bool newton = selection.forceUnit == kNewton;
    page.SetFontSize(10);
    for (int i = 0; i < kModelCount; ++i) {
        const double y = 11 + 2 * i;
        const std::array<std::pair<double, std::string>, 8> cells{{
            {11, report::ModelLabel(selection, i)},
            {23, report::NumberField(t.F1[i], 1, 2, 5)},
            {34, report::NumberField(t.F2[i], 1, 2, 5)},
            {44, report::NumberField(t.F3[i], 1, 2, 5)},
            {53, RatioField(t.F1[i], t.F2[i])},
            {60, RatioField(t.F1[i], t.F3[i])},
            {70, report::NumberField(t.E[i], 2, 2, 6)},
            {79, report::NumberField(ShownForce(t.PB[i], selection.forceUnit), newton ? 1 : 2, 2, 5)},
        }};
        for (const auto& [x, text] : cells) {
            WriteAt(page, x, y, text, LineEnd::Keep);
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

// The Greek letters are written in the page font itself, so the face never
// changes and there is nothing to put back afterwards.
void WriteNoteAndUnitHeadings(Canvas& page, const ReportRecord& record)
{
    page.SetFontBold(false);
    page.SetFontSize(9);
    WriteAt(page, 12, 29, "Tolerance", LineEnd::End);
    WriteAt(page, 51, 29, "F1/F2<0.7 F1/F3<0.7", LineEnd::End);
    WriteAt(page, 71.5, 9.2, "[", LineEnd::Keep);
    WriteAt(page, 73.5, 9.2, "m]", LineEnd::Keep);
    WriteAt(page, 81.2, 9.2, record.selection.forceUnit == kNewton ? "F[N]" : "F[kgf]", LineEnd::Keep);
    WriteAt(page, 71, 9.1, "\u03B5", LineEnd::Keep);  // epsilon: eccentricity
    WriteAt(page, 72.4, 9.1, "\u03BC", LineEnd::Keep);  // mu: micrometres
    WriteAt(page, 80, 9.1, "\u0394", LineEnd::Keep);  // Delta: eccentric force
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
