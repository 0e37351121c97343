#include "Charts.h"

#include "Catalogue.h"
#include "ReportText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

namespace {

constexpr double kTextPoints = 8;
constexpr double kTickLength = 60;
constexpr double kMarkerRadius = 45;
// Bands are filled with lines this far apart, which fill them on a screen
// and on paper alike.
constexpr double kFillPitch = 12;
constexpr int kBlack = 0;
constexpr int kLightBlue = 9;
constexpr int kLightRed = 12;
constexpr int kGrey = 8;

void SetUp(Canvas& canvas)
{
    canvas.SetScaleMode(ScaleMode::Twips);
    canvas.SetFontName("Courier New");
    canvas.SetFontSize(kTextPoints);
    canvas.SetFontBold(false);
    canvas.SetDrawWidth(1);
    canvas.SetDrawStyle(DrawStyle::Solid);
}

void WriteAt(Canvas& canvas, double x, double y, std::string_view text)
{
    canvas.SetCurrentX(x);
    canvas.SetCurrentY(y);
    canvas.WriteText(text, LineEnd::Keep);
}

void WriteCentredAt(Canvas& canvas, double x, double y, std::string_view text)
{
    WriteAt(canvas, x - canvas.TextWidth(text) / 2, y, text);
}

void WriteEndingAt(Canvas& canvas, double x, double y, std::string_view text)
{
    WriteAt(canvas, x - canvas.TextWidth(text), y, text);
}

// A rectangle filled with horizontal lines.
void FillBox(Canvas& canvas, double x1, double y1, double x2, double y2, Rgb colour)
{
    for (double y = y1; y <= y2; y += kFillPitch) {
        canvas.Line(x1, y, x2, y, colour);
    }
    canvas.Box(x1, y1, x2, y2, colour);
}

// The plotting rectangle of a chart and its scales.
struct Plot {
    double left;
    double top;
    double right;
    double bottom;
    double xFrom;
    double xTo;
    double yTo;

    double X(double value) const { return left + (value - xFrom) / (xTo - xFrom) * (right - left); }
    double Y(double value) const { return bottom - value / yTo * (bottom - top); }
};

void DrawXTicks(Canvas& canvas, const Plot& plot, double from, double to, int divisions)
{
    for (int k = 0; k <= divisions; ++k) {
        const double value = from + (to - from) * k / divisions;
        const double x = plot.X(value);
        canvas.Line(x, plot.bottom, x, plot.bottom + kTickLength, PaletteColor(kBlack));
        WriteCentredAt(canvas, x, plot.bottom + kTickLength + 20, FormatPattern(value, 0));
    }
}

// The highest speed the chart must reach: twice the larger of V and the
// highest finite maxSpeed, or 100 m/min when both are 0.
double SpeedRange(const RunState& state)
{
    double highest = std::isfinite(state.inputs.V) ? std::fabs(state.inputs.V) : 0;
    for (int model = 0; model < kModelCount; ++model) {
        const double speed = MaxSpeed(state, model);
        if (std::isfinite(speed)) {
            highest = std::max(highest, speed);
        }
    }
    return highest > 0 ? 2 * highest : 100;
}

// Where a model's line ends: at the right edge, or where it leaves the top.
struct LineEndPoint {
    int model;
    double x;
    double y;
};

std::optional<LineEndPoint> DrawModelLine(Canvas& canvas, const Plot& plot, const RunState& state, int model)
{
    // F1 / F2 grows in proportion to the speed: F1 = V / (60 Pi d 10^-3).
    const double slope = 1 / (60 * Pi * state.inputs.d * std::pow(10.0, -3.0)) / state.tables.F2[model];
    if (!std::isfinite(slope) || slope <= 0) {
        return std::nullopt;
    }
    const double end = std::min(plot.xTo, plot.yTo / slope);
    canvas.Line(plot.X(0), plot.Y(0), plot.X(end), plot.Y(slope * end), PaletteColor(kBlack));
    const double maxSpeed = MaxSpeed(state, model);
    if (std::isfinite(maxSpeed) && maxSpeed <= plot.xTo) {
        canvas.Circle(plot.X(maxSpeed), plot.Y(kFrequencyRatioLimit), kMarkerRadius, PaletteColor(kLightRed));
    }
    return LineEndPoint{model, plot.X(end), plot.Y(slope * end)};
}

// Each line's number beside its end; numbers that would overlap along the
// top edge move right, those along the right edge move down.
void LabelLineEnds(Canvas& canvas, std::vector<LineEndPoint> ends, const Plot& plot)
{
    std::sort(ends.begin(), ends.end(), [](const LineEndPoint& a, const LineEndPoint& b) { return a.x < b.x; });
    double nextTopX = plot.left;
    double nextRightY = plot.top;
    for (const LineEndPoint& end : ends) {
        const std::string number = std::to_string(end.model + 1);
        if (end.x < plot.right - 1) {
            const double x = std::max(end.x, nextTopX);
            WriteCentredAt(canvas, x, plot.top - 200, number);
            nextTopX = x + canvas.TextWidth(number) + 60;
        } else {
            const double y = std::max(end.y - 90, nextRightY);
            WriteAt(canvas, plot.right + 40, y, number);
            nextRightY = y + canvas.TextHeight(number);
        }
    }
}

}  // namespace

ChartContent ChartContentOf(const RunState& selection, const EntryForm& form, const PageTrace& trace)
{
    return {selection, form, PassingGammas(form, selection.forceUnit), trace};
}

void DrawSpeedChart(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top, "Speed chart: F1/F2 against the line speed V [m/min]");
    const Plot plot{area.left + 600,   area.top + 500,          area.right - 2300, area.bottom - 400, 0,
                    SpeedRange(state), 2 * kFrequencyRatioLimit};
    canvas.Box(plot.left, plot.top, plot.right, plot.bottom, PaletteColor(kBlack));
    DrawXTicks(canvas, plot, plot.xFrom, plot.xTo, 4);
    for (int k = 0; k <= 4; ++k) {
        const double value = plot.yTo * k / 4;
        canvas.Line(plot.left - kTickLength, plot.Y(value), plot.left, plot.Y(value), PaletteColor(kBlack));
        WriteEndingAt(canvas, plot.left - kTickLength - 20, plot.Y(value) - 90, FormatPattern(value, 2));
    }
    const double limitY = plot.Y(kFrequencyRatioLimit);
    canvas.Line(plot.left, limitY, plot.right, limitY, PaletteColor(kLightRed));
    WriteAt(canvas, plot.left + 40, limitY - 200, "limit 0.7");
    const double speed = state.inputs.V;
    if (std::isfinite(speed) && speed >= 0 && speed <= plot.xTo) {
        canvas.Line(plot.X(speed), plot.top, plot.X(speed), plot.bottom, PaletteColor(kLightBlue));
        WriteAt(canvas, plot.X(speed) + 40, plot.bottom - 400, "V " + FormatPattern(speed, 0));
    }
    std::vector<LineEndPoint> ends;
    for (int model = 0; model < kModelCount; ++model) {
        if (const auto end = DrawModelLine(canvas, plot, state, model)) {
            ends.push_back(*end);
        }
    }
    LabelLineEnds(canvas, ends, plot);
    // The legend: each line's model and the speed it may run at.
    const double legendLeft = plot.right + 250;
    WriteAt(canvas, legendLeft, plot.top, "  model");
    WriteEndingAt(canvas, area.right, plot.top, "maxSpeed");
    for (int model = 0; model < kModelCount; ++model) {
        const double y = plot.top + 200 * (model + 1);
        WriteAt(canvas, legendLeft, y, ModelLabel(state, model));
        WriteEndingAt(canvas, area.right, y, FormatPattern(MaxSpeed(state, model), 0));
    }
}

void DrawGammaChart(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top,
            "Mounting-angle chart: gamma [degree] at which each model passes result set 1");
    const double labelWidth = 1300;
    const Plot plot{area.left + labelWidth,
                    area.top + 500,
                    area.right - 200,
                    area.bottom - 400,
                    kGammaLowest - 0.5,
                    kGammaHighest + 0.5,
                    1};
    const double rowHeight = (plot.bottom - plot.top) / kModelCount;
    for (int model = 0; model < kModelCount; ++model) {
        const double rowTop = plot.top + rowHeight * model;
        WriteAt(canvas, area.left, rowTop + rowHeight / 2 - 90, ModelLabel(state, model));
        canvas.Line(plot.left, rowTop + rowHeight / 2, plot.right, rowTop + rowHeight / 2, PaletteColor(kGrey));
        for (const GammaInterval& passing : content.passingGamma[model]) {
            FillBox(canvas, plot.X(passing.from - 0.5), rowTop + rowHeight * 0.2, plot.X(passing.to + 0.5),
                    rowTop + rowHeight * 0.8, PaletteColor(kBlack));
        }
    }
    canvas.Box(plot.left, plot.top, plot.right, plot.bottom, PaletteColor(kBlack));
    DrawXTicks(canvas, plot, kGammaLowest, kGammaHighest, 4);
    const double gamma = state.inputs.gamma;
    canvas.Line(plot.X(gamma), plot.top - 60, plot.X(gamma), plot.bottom, PaletteColor(kLightRed));
    WriteCentredAt(canvas, plot.X(gamma), plot.top - 240, "gamma " + std::to_string(state.inputs.gamma));
}

void DrawMarginTable(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top, "Margins: % of each check's limit (100% fails), nearest in bold");
    const double nameWidth = 1300;
    const double columnWidth = 760;
    const double rowHeight = 210;
    const double headingY = area.top + 300;
    for (int check = 0; check < kMarginCount; ++check) {
        WriteEndingAt(canvas, area.left + nameWidth + columnWidth * (check + 1), headingY, kMarginNames[check]);
    }
    const double speedRight = area.left + nameWidth + columnWidth * int{kMarginCount} + 1200;
    WriteEndingAt(canvas, speedRight, headingY, "maxSpeed");
    canvas.Line(area.left, headingY + rowHeight, speedRight, headingY + rowHeight, PaletteColor(kBlack));
    for (int model = 0; model < kModelCount; ++model) {
        const double y = headingY + rowHeight * (model + 1) + 30;
        WriteAt(canvas, area.left, y, ModelLabel(state, model));
        const CheckMargins margins = MarginsOf(state, model);
        const int nearest = NearestToFailing(margins);
        for (int check = 0; check < kMarginCount; ++check) {
            const std::string shown = std::isfinite(margins[check]) ? FormatPattern(margins[check], 0) + "%" : "---";
            canvas.SetFontBold(check == nearest);
            WriteEndingAt(canvas, area.left + nameWidth + columnWidth * (check + 1), y, shown);
        }
        canvas.SetFontBold(false);
        WriteEndingAt(canvas, speedRight, y, FormatPattern(MaxSpeed(state, model), 0));
    }
}

void PrintChartsPage(Canvas& page, const ChartContent& content, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    SetUp(page);
    const double width = page.ScaleWidth();
    page.SetFontSize(14);
    page.SetFontBold(true);
    WriteCentredAt(page, width / 2, 240, "<Selection charts>");
    DrawSpeedChart(page, content, {600, 900, width - 600, 6300});
    DrawGammaChart(page, content, {600, 6700, width - 600, 10700});
    DrawMarginTable(page, content, {600, 11100, width - 600, 13800});
    if (page.Failed()) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx

namespace vyra::gfx {

void PrintCharts(Canvas& page, const ChartContent& content, const MessageSink& sink)
{
    PrintChartsPage(page, content, sink);
    WritePageFooter(page, content.trace, 1, 1, sink);
    const bool failedBefore = page.Failed();
    if (!page.EndDocument() && !failedBefore) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
