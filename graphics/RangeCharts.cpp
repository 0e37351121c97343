#include "Charts.h"

#include "ChartDrawing.h"

#include "Answer.h"
#include "Case.h"
#include "Catalogue.h"
#include "NumberText.h"
#include "ReportText.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace vyra::gfx {

namespace {

using chart::WriteAt;
using chart::WriteCentredAt;
using chart::WriteEndingAt;

constexpr double kRowHeight = 210;
constexpr double kHeadingGap = 300;
constexpr Rgb kLowFill{170, 170, 170};
constexpr Rgb kHighFill{90, 90, 90};

std::string_view FieldName(int item) { return kFieldNames[static_cast<std::size_t>(item)]; }

// Three significant figures: the checks' figures run from a ratio of 0.5 to
// a gain of 80 and the stoppers' fractions of a millimetre.
std::string FigureText(double value)
{
    if (!std::isfinite(value) || value == 0) {
        return ShortestText(value);
    }
    const int decimals = std::clamp(2 - static_cast<int>(std::floor(std::log10(std::fabs(value)))), 0, 4);
    return FixedText(value, decimals);
}

std::string RangeText(const InputRange& range)
{
    return std::string(FieldName(range.item)) + " " + ShortestText(range.low) + ":" + ShortestText(range.high);
}

std::string_view VerdictText(const ChartContent& content, int model)
{
    if ((*content.rangeVerdicts)[static_cast<std::size_t>(model)].passesBoth) {
        return "passes over the range";
    }
    const RunState& state = content.selection;
    const bool nominal = AssessResults1(state, model).withinTolerance && AssessResults2(state, model).withinTolerance;
    return nominal ? "nominal only" : "no";
}

// The angle checks refuse a point without a margin.
std::string WorstMarginText(const RangeWorst& worst)
{
    for (int check = 0; check < kMarginCount; ++check) {
        if (CheckKey(*kChecks[static_cast<std::size_t>(check)]) == worst.check) {
            return MarginText({worst.margin, true, worst.margin >= 100}, static_cast<MarginCheck>(check));
        }
    }
    return "refused";
}

// A sentence broken between words so that no line is wider than width.
std::vector<std::string> WrappedLines(const Canvas& canvas, const std::string& text, double width)
{
    std::vector<std::string> lines{""};
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        const std::string longer = lines.back().empty() ? word : lines.back() + " " + word;
        if (!lines.back().empty() && canvas.TextWidth(longer) > width) {
            lines.push_back(word);
        } else {
            lines.back() = longer;
        }
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> RemedyLines(Canvas& canvas, const ChartContent& content, double width)
{
    std::vector<std::string> lines;
    for (const int model : RemedyOrder(content.selection)) {
        // Remedies not sought say nothing, unlike a model no input helps.
        const std::vector<Remedy>& remedies = content.remedies[static_cast<std::size_t>(model)];
        if (remedies.empty()) {
            continue;
        }
        const std::string sentence = RemedySentence(content.selection, model, remedies);
        for (std::string& line : WrappedLines(canvas, sentence, width)) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

// The tornado's scale: the figures at both ends, the nominal and the limit,
// with a little room either side.
struct TornadoScale {
    double left;
    double right;
    double lowest;
    double highest;

    double X(double figure) const { return left + (figure - lowest) / (highest - lowest) * (right - left); }
};

TornadoScale ScaleOf(const Sensitivity& sensitivity, double left, double right)
{
    double lowest = std::min(sensitivity.nominal.figure, sensitivity.limit);
    double highest = std::max(sensitivity.nominal.figure, sensitivity.limit);
    for (const SensitivityBar& bar : sensitivity.bars) {
        for (const auto& end : {bar.low, bar.high}) {
            if (end && std::isfinite(end->figure)) {
                lowest = std::min(lowest, end->figure);
                highest = std::max(highest, end->figure);
            }
        }
    }
    const double room = highest > lowest ? (highest - lowest) * 0.05 : std::max(std::fabs(highest) * 0.05, 1e-3);
    return {left, right, lowest - room, highest + room};
}

std::string EndText(const std::optional<SensitivityEnd>& end)
{
    return end ? FigureText(end->figure) : std::string("refused");
}

void DrawTornadoBar(Canvas& canvas, const TornadoScale& scale, const SensitivityBar& bar, double nominal, double top,
                    double bottom)
{
    const double middle = scale.X(nominal);
    if (bar.low) {
        canvas.FilledBox(std::min(middle, scale.X(bar.low->figure)), top, std::max(middle, scale.X(bar.low->figure)),
                         (top + bottom) / 2, kLowFill);
    }
    if (bar.high) {
        canvas.FilledBox(std::min(middle, scale.X(bar.high->figure)), (top + bottom) / 2,
                         std::max(middle, scale.X(bar.high->figure)), bottom, kHighFill);
    }
}

double RemediesHeight(Canvas& canvas, const ChartContent& content, double width)
{
    chart::SetUp(canvas);
    const std::size_t lines = RemedyLines(canvas, content, width).size();
    return lines == 0 ? 0 : kHeadingGap + kRowHeight * static_cast<double>(lines);
}

void DrawRemedies(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    WriteAt(canvas, area.left, area.top, "What would make each failing model pass, one input changed");
    const std::vector<std::string> lines = RemedyLines(canvas, content, area.right - area.left);
    for (std::size_t line = 0; line < lines.size(); ++line) {
        WriteAt(canvas, area.left, area.top + kHeadingGap + kRowHeight * static_cast<double>(line), lines[line]);
    }
}

// The report pages' margin, and the room the footer keeps at the bottom.
constexpr double kPageMargin = 1200;
constexpr double kFooterRoom = 900;
// Below the margin table, or the calibration table when there is one.
constexpr double kFirstTop = 11700;
constexpr double kFirstTopWithCalibration = 14300;
// Below the continued page's title.
constexpr double kContinuedTop = 800;
constexpr double kPartGap = 200;

enum class Part { RangeTable, Tornado, Remedies };

struct PlacedPart {
    Part part;
    int page;  // 0 the charts page, 1 the page after it
    TwipRect area;
};

// Each part on the charts page while it fits above the footer; from the
// first that does not, all on a page of their own, in the same order.
std::vector<PlacedPart> PlanParts(Canvas& page, const ChartContent& content)
{
    chart::SetUp(page);
    const double right = page.ScaleWidth() - kPageMargin;
    const double bottom = page.ScaleHeight() - kFooterRoom;
    std::vector<std::pair<Part, double>> heights;
    if (content.rangeVerdicts) {
        heights.emplace_back(Part::RangeTable, RangeTableHeight());
    }
    if (content.sensitivity) {
        heights.emplace_back(Part::Tornado, TornadoHeight(*content.sensitivity));
    }
    if (const double height = RemediesHeight(page, content, right - kPageMargin); height > 0) {
        heights.emplace_back(Part::Remedies, height);
    }
    std::vector<PlacedPart> placed;
    int onPage = 0;
    double top = content.calibration ? kFirstTopWithCalibration : kFirstTop;
    for (const auto& [part, height] : heights) {
        if (onPage == 0 && top + height > bottom) {
            onPage = 1;
            top = kContinuedTop;
        }
        placed.push_back({part, onPage, {kPageMargin, top, right, top + height}});
        top += height + kPartGap;
    }
    return placed;
}

}  // namespace

double RangeTableHeight() { return kHeadingGap + kRowHeight * (kModelCount + 1) + 60; }

void DrawRangeTable(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    const RunState& state = content.selection;
    const RangeVerdicts& verdicts = *content.rangeVerdicts;
    WriteAt(canvas, area.left, area.top,
            "Over the ranges: " + ShortestText(verdicts.front().points) + " points, each through both result sets");
    const double headingY = area.top + kHeadingGap;
    const double verdictLeft = area.left + 1100;
    const double pointsRight = area.left + 4600;
    const double checkLeft = area.left + 4900;
    const double marginRight = area.left + 7600;
    WriteAt(canvas, verdictLeft, headingY, "passes");
    WriteEndingAt(canvas, pointsRight, headingY, "points");
    WriteAt(canvas, checkLeft, headingY, "worst check");
    WriteEndingAt(canvas, marginRight, headingY, "margin");
    canvas.Line(area.left, headingY + kRowHeight, marginRight, headingY + kRowHeight, PaletteColor(chart::kBlack));
    for (int model = 0; model < kModelCount; ++model) {
        const RangeVerdict& verdict = verdicts[static_cast<std::size_t>(model)];
        const double y = headingY + kRowHeight * (model + 1) + 30;
        WriteAt(canvas, area.left, y, ModelLabel(state, model));
        WriteAt(canvas, verdictLeft, y, VerdictText(content, model));
        WriteEndingAt(canvas, pointsRight, y, ShortestText(verdict.points));
        WriteAt(canvas, checkLeft, y, verdict.worst.check);
        WriteEndingAt(canvas, marginRight, y, WorstMarginText(verdict.worst));
    }
}

double TornadoHeight(const Sensitivity& sensitivity)
{
    return kHeadingGap * 2 + kRowHeight * 2.5 * static_cast<double>(sensitivity.bars.size()) + kRowHeight * 2;
}

void DrawTornado(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    const Sensitivity& sensitivity = *content.sensitivity;
    const Check& check = *kChecks[static_cast<std::size_t>(sensitivity.check)];
    report::WriteWithin(canvas, area.left, area.top,
                        "Sensitivity: " + ModelLabel(content.selection, sensitivity.model) + " "
                            + std::string(check.symbol) + " at the low (light) and high (dark) end of each range",
                        area.right, LineEnd::Keep);
    const double textHeight = canvas.TextHeight("0");
    const double plotTop = area.top + kHeadingGap * 2;
    const double rowHeight = kRowHeight * 2.5;
    const double plotBottom = plotTop + rowHeight * static_cast<double>(sensitivity.bars.size());
    const TornadoScale scale = ScaleOf(sensitivity, area.left + 2600, area.right - 200);
    const double gap = canvas.TextWidth(" ");
    for (std::size_t b = 0; b < sensitivity.bars.size(); ++b) {
        const SensitivityBar& bar = sensitivity.bars[b];
        const double rowTop = plotTop + rowHeight * static_cast<double>(b);
        report::WriteWithin(canvas, area.left, rowTop + 40, RangeText(bar.range), scale.left - gap, LineEnd::Keep);
        report::WriteWithin(canvas, area.left, rowTop + 40 + textHeight, EndText(bar.low) + " to " + EndText(bar.high),
                            scale.left - gap, LineEnd::Keep);
        DrawTornadoBar(canvas, scale, bar, sensitivity.nominal.figure, rowTop + 60, rowTop + rowHeight - 60);
    }
    canvas.Box(scale.left, plotTop, scale.right, plotBottom, PaletteColor(chart::kBlack));
    canvas.SetDrawWidth(2);
    canvas.Line(scale.X(sensitivity.limit), plotTop - 60, scale.X(sensitivity.limit), plotBottom,
                PaletteColor(chart::kLightRed));
    canvas.SetDrawWidth(1);
    canvas.Line(scale.X(sensitivity.nominal.figure), plotTop, scale.X(sensitivity.nominal.figure), plotBottom + 60,
                PaletteColor(chart::kBlack));
    WriteCentredAt(canvas, scale.X(sensitivity.limit), plotTop - 60 - textHeight,
                   "limit " + FigureText(sensitivity.limit));
    WriteCentredAt(canvas, scale.X(sensitivity.nominal.figure), plotBottom + 80,
                   "nominal " + FigureText(sensitivity.nominal.figure));
}

int ChartsPageCount(Canvas& page, const ChartContent& content)
{
    const std::vector<PlacedPart> parts = PlanParts(page, content);
    return std::any_of(parts.begin(), parts.end(), [](const PlacedPart& placed) { return placed.page == 1; }) ? 2 : 1;
}

void DrawChartsParts(Canvas& page, const ChartContent& content, int pageOfCharts)
{
    for (const PlacedPart& placed : PlanParts(page, content)) {
        if (placed.page != pageOfCharts) {
            continue;
        }
        switch (placed.part) {
        case Part::RangeTable:
            DrawRangeTable(page, content, placed.area);
            break;
        case Part::Tornado:
            DrawTornado(page, content, placed.area);
            break;
        case Part::Remedies:
            DrawRemedies(page, content, placed.area);
            break;
        }
    }
}

}  // namespace vyra::gfx
