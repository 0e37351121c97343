#include "Charts.h"

#include "ChartDrawing.h"

#include "Answer.h"
#include "Catalogue.h"
#include "NumberText.h"
#include "ReportText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

namespace {

using chart::WriteAt;
using chart::WriteCentredAt;
using chart::WriteEndingAt;

constexpr Rgb kPassingFill{120, 120, 120};
// The report pages' margin, 10 cells of 120 twips.
constexpr double kPageMargin = 1200;

// Where a label stands, so that the case's gamma line can pass behind it.
struct LabelBox {
    double left;
    double right;
    double top;
};

// The mounting angle's scale over the plotting rectangle.
struct GammaPlot {
    double left;
    double top;
    double right;
    double bottom;

    double X(double gamma) const
    {
        return left + (gamma - (kGammaLowest - 0.5)) / (kGammaHighest - kGammaLowest + 1) * (right - left);
    }
};

// The degrees at the ends of each passing interval, over its bar: the
// first at its left end, the last at its right; one text "a..b" on a bar
// too short for two, moved right past the text before it. Labels keep a
// blank apart, or they read as one number ("150180").
void LabelIntervals(Canvas& canvas, const GammaPlot& plot, const std::vector<GammaInterval>& intervals, double y,
                    std::vector<LabelBox>& boxes)
{
    const double gap = canvas.TextWidth(" ");
    double nextX = plot.left;
    const auto write = [&](double x, const std::string& text) {
        const double at = std::min(std::max(x, nextX), plot.right - canvas.TextWidth(text));
        WriteAt(canvas, at, y, text);
        nextX = at + canvas.TextWidth(text) + gap;
        boxes.push_back({at, nextX - gap, y});
    };
    for (const GammaInterval& passing : intervals) {
        const std::string from = std::to_string(passing.from);
        const std::string to = std::to_string(passing.to);
        const double left = std::max(plot.X(passing.from - 0.5), nextX);
        const double right = plot.X(passing.to + 0.5);
        if (passing.from == passing.to) {
            write(left, from);
        } else if (left + canvas.TextWidth(from) + gap + canvas.TextWidth(to) <= right) {
            write(left, from);
            write(right - canvas.TextWidth(to), to);
        } else {
            write(left, from + ".." + to);
        }
    }
}

// The case's gamma from above the plot to its bottom, broken where a label
// stands across it, so that every label stays readable.
void DrawGammaLine(Canvas& canvas, const GammaPlot& plot, double gamma, const std::vector<LabelBox>& labels)
{
    const double x = plot.X(gamma);
    const double textHeight = canvas.TextHeight("0");
    std::vector<LabelBox> crossed;
    std::copy_if(labels.begin(), labels.end(), std::back_inserter(crossed),
                 [x](const LabelBox& box) { return box.left <= x && x <= box.right; });
    std::sort(crossed.begin(), crossed.end(), [](const LabelBox& a, const LabelBox& b) { return a.top < b.top; });
    canvas.SetDrawWidth(2);
    double from = plot.top - 60;
    for (const LabelBox& box : crossed) {
        canvas.Line(x, from, x, box.top, PaletteColor(chart::kLightRed));
        from = box.top + textHeight;
    }
    canvas.Line(x, from, x, plot.bottom, PaletteColor(chart::kLightRed));
    canvas.SetDrawWidth(1);
}

}  // namespace

ChartContent ChartContentOf(const RunState& selection, const EntryForm& form, const PageTrace& trace)
{
    ChartContent content{
        selection, form, PassingGammas(form, selection.forceUnit), trace, std::nullopt, std::nullopt, std::nullopt, {}};
    content.remedies = RemediesOf(form, selection.forceUnit);
    return content;
}

void AddRanges(ChartContent& content, const std::vector<InputRange>& ranges, const RangeVerdicts& verdicts)
{
    content.rangeVerdicts = verdicts;
    content.sensitivity = SensitivityOf(content.form, content.selection.forceUnit, ranges);
}

void DrawGammaChart(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top,
            "Mounting-angle chart: gamma [degree] at which each model passes result set 1");
    const GammaPlot plot{area.left + 1300, area.top + 500, area.right - 200, area.bottom - 400};
    const double rowHeight = (plot.bottom - plot.top) / kModelCount;
    const double textHeight = canvas.TextHeight("0");
    std::vector<LabelBox> labels;
    for (int model = 0; model < kModelCount; ++model) {
        const double rowTop = plot.top + rowHeight * model;
        const double barTop = rowTop + std::max(rowHeight * 0.5, textHeight);
        WriteAt(canvas, area.left, rowTop + rowHeight / 2 - textHeight / 2, ModelLabel(state, model));
        const std::vector<GammaInterval>& intervals = content.passingGamma[model];
        if (intervals.empty()) {
            WriteAt(canvas, plot.left + canvas.TextWidth(" ") / 2, rowTop + rowHeight / 2 - textHeight / 2, "none");
        }
        for (const GammaInterval& passing : intervals) {
            canvas.FilledBox(plot.X(passing.from - 0.5), barTop, plot.X(passing.to + 0.5), rowTop + rowHeight * 0.9,
                             kPassingFill);
        }
        LabelIntervals(canvas, plot, intervals, barTop - textHeight, labels);
        if (model > 0) {
            canvas.Line(plot.left, rowTop, plot.right, rowTop, chart::kGridGrey);
        }
    }
    canvas.Box(plot.left, plot.top, plot.right, plot.bottom, PaletteColor(chart::kBlack));
    for (int gamma = kGammaLowest; gamma <= kGammaHighest; gamma += 90) {
        const double x = plot.X(gamma);
        canvas.Line(x, plot.bottom, x, plot.bottom + chart::kTickLength, PaletteColor(chart::kBlack));
        WriteCentredAt(canvas, x, plot.bottom + chart::kTickLength + 20, std::to_string(gamma));
    }
    const double gamma = state.inputs.gamma;
    DrawGammaLine(canvas, plot, gamma, labels);
    WriteCentredAt(canvas, plot.X(gamma), plot.top - 240, "gamma " + std::to_string(state.inputs.gamma));
}

// The columns of the margin table, in twips from the left of its area: the
// model, the seven checks, the result sets passed and maxSpeed. Each ends
// where its figures end.
constexpr double kMarginNameWidth = 1000;
constexpr double kMarginP1Width = 450;
constexpr double kMarginPercentWidth = 680;
constexpr double kMarginPassesWidth = 700;
constexpr double kMarginSpeedWidth = 900;

double CheckRight(int check) { return kMarginNameWidth + kMarginP1Width + kMarginPercentWidth * check; }

double PassesRight() { return CheckRight(kMarginCount - 1) + kMarginPassesWidth; }

std::string_view PassesText(const RunState& state, int model)
{
    const std::string_view passed = PassedSets(state, model);
    return passed == "1" ? "set 1" : passed == "2" ? "set 2" : passed;
}

void DrawMarginTable(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top,
            "Margins: % of each limit (100% fails), nearest bold, speeds "
                + std::string(UnitSymbol(Quantity::Speed, state.forceUnit)));
    const double rowHeight = 210;
    const double headingY = area.top + 300;
    for (int check = 0; check < kMarginCount; ++check) {
        WriteEndingAt(canvas, area.left + CheckRight(check), headingY,
                      kChecks[static_cast<std::size_t>(check)]->symbol);
    }
    WriteEndingAt(canvas, area.left + PassesRight(), headingY, "passes");
    const double speedRight = area.left + PassesRight() + kMarginSpeedWidth;
    WriteEndingAt(canvas, speedRight, headingY, "maxSpeed");
    canvas.Line(area.left, headingY + rowHeight, speedRight, headingY + rowHeight, PaletteColor(chart::kBlack));
    for (int model = 0; model < kModelCount; ++model) {
        const double y = headingY + rowHeight * (model + 1) + 30;
        WriteAt(canvas, area.left, y, ModelLabel(state, model));
        const CheckMargins margins = MarginsOf(state, model);
        const int nearest = NearestToFailing(margins);
        for (int check = 0; check < kMarginCount; ++check) {
            canvas.SetFontBold(check == nearest);
            WriteEndingAt(canvas, area.left + CheckRight(check), y,
                          MarginText(margins[check], static_cast<MarginCheck>(check)));
        }
        canvas.SetFontBold(false);
        WriteEndingAt(canvas, area.left + PassesRight(), y, PassesText(state, model));
        WriteEndingAt(canvas, speedRight, y,
                      FormatPattern(InRunUnits(Quantity::Speed, MaxSpeed(state, model), state.forceUnit), 0));
    }
}

void DrawCalibrationTable(Canvas& canvas, const Calibration& calibration, const RunState& state, const TwipRect& area)
{
    chart::SetUp(canvas);
    WriteAt(canvas, area.left, area.top,
            "Calibration: a test weight of " + ShortestText(calibration.weight) + " "
                + std::string(UnitSymbol(Quantity::Mass, state.forceUnit)) + " hung on a rope along the web path");
    const double rowHeight = 210;
    const double headingY = area.top + 300;
    if (calibration.refusal) {
        WriteAt(canvas, area.left, headingY, calibration.refusal->title + ": " + calibration.refusal->message);
        return;
    }
    constexpr std::array<std::string_view, 3> kHeadings{"Vt[mV]", "Vt[V]", "S[times]"};
    constexpr double kNameWidth = 1000;
    constexpr double kColumnWidth = 1000;
    for (std::size_t column = 0; column < kHeadings.size(); ++column) {
        WriteEndingAt(canvas, area.left + kNameWidth + kColumnWidth * static_cast<double>(column + 1), headingY,
                      kHeadings[column]);
    }
    const double right = area.left + kNameWidth + kColumnWidth * kHeadings.size();
    canvas.Line(area.left, headingY + rowHeight, right, headingY + rowHeight, PaletteColor(chart::kBlack));
    for (int model = 0; model < kModelCount; ++model) {
        const double y = headingY + rowHeight * (model + 1) + 30;
        const std::array<std::string, 3> figures = CalibrationFigures(calibration, model);
        WriteAt(canvas, area.left, y, ModelLabel(state, model));
        for (std::size_t column = 0; column < figures.size(); ++column) {
            WriteEndingAt(canvas, area.left + kNameWidth + kColumnWidth * static_cast<double>(column + 1), y,
                          figures[column]);
        }
    }
}

// In twips, from the top of the printable area; the footer keeps the last
// rows free.
void PrintChartsPage(Canvas& page, const ChartContent& content, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    chart::SetUp(page);
    const double width = page.ScaleWidth();
    const double left = kPageMargin;
    const double right = width - kPageMargin;
    page.SetFontSize(14);
    page.SetFontBold(true);
    WriteCentredAt(page, width / 2, 240, "<Selection charts>");
    page.SetFontSize(9);
    report::WriteWithin(page, left, 560, AnswerSentence(content.selection), right, LineEnd::Keep);
    page.SetFontBold(false);
    DrawSpeedChart(page, content, {left, 800, right, 5300});
    DrawGammaChart(page, content, {left, 5500, right, 8900});
    DrawMarginTable(page, content, {left, 9100, right, 11500});
    if (content.calibration) {
        DrawCalibrationTable(page, *content.calibration, content.selection, {left, 11700, right, 14100});
    }
    DrawChartsParts(page, content, 0);
    if (page.Failed()) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx

namespace vyra::gfx {

void PrintChartsPages(Canvas& page, const ChartContent& content, const PageTrace& trace, int first, int count,
                      const MessageSink& sink)
{
    const bool continued = ChartsPageCount(page, content) > 1;
    PrintChartsPage(page, content, sink);
    WritePageFooter(page, trace, first, count, sink);
    if (!continued) {
        return;
    }
    if (!page.NewPage() && !page.Failed()) {
        ReportTrouble(sink);
    }
    if (page.Failed()) {
        return;
    }
    chart::SetUp(page);
    page.SetFontSize(14);
    page.SetFontBold(true);
    WriteCentredAt(page, page.ScaleWidth() / 2, 240, "<Selection charts, continued>");
    page.SetFontBold(false);
    DrawChartsParts(page, content, 1);
    if (page.Failed()) {
        ReportTrouble(sink);
    }
    WritePageFooter(page, trace, first + 1, count, sink);
}

void PrintCharts(Canvas& page, const ChartContent& content, const MessageSink& sink)
{
    PrintChartsPages(page, content, content.trace, 1, ChartsPageCount(page, content), sink);
    const bool failedBefore = page.Failed();
    if (!page.EndDocument() && !failedBefore) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
