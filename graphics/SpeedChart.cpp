#include "Charts.h"

#include "ChartDrawing.h"
#include "NumberText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results2.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

namespace {

using chart::WriteAt;
using chart::WriteCentredAt;
using chart::WriteEndingAt;

constexpr double kMarkerRadius = 45;
constexpr int kLightBlue = 9;
constexpr double kRatioTop = 2 * kF1F2Check.upper;
constexpr double kRatioStep = 0.2;
// Segments of each model's curve, which bends on the logarithmic axis.
constexpr int kCurveSteps = 96;

// Each model's line in a pen of its own, told apart in colour and in
// black-and-white print alike.
struct LinePen {
    Rgb colour;
    DrawStyle style;
};
constexpr std::array<LinePen, kModelCount> kModelPens{{
    {{0, 0, 0}, DrawStyle::Solid},
    {{0, 70, 200}, DrawStyle::Dash},
    {{0, 130, 0}, DrawStyle::DashDot},
    {{170, 0, 0}, DrawStyle::Solid},
    {{120, 0, 150}, DrawStyle::Dash},
    {{0, 120, 130}, DrawStyle::DashDot},
    {{130, 100, 0}, DrawStyle::Solid},
    {{90, 90, 90}, DrawStyle::Dash},
    {{210, 80, 0}, DrawStyle::DashDot},
}};

// The plotting rectangle: speed on a logarithmic axis over whole decades,
// the ratio F1/F2 from 0 upward.
struct SpeedPlot {
    double left;
    double top;
    double right;
    double bottom;
    double fromDecade;
    double toDecade;

    double X(double speed) const
    {
        return left + (std::log10(speed) - fromDecade) / (toDecade - fromDecade) * (right - left);
    }
    double Y(double ratio) const { return bottom - ratio / kRatioTop * (bottom - top); }
};

// The chart reads speeds in the run's unit: m/min, ft/min in an lbf run.
double ShownSpeed(const RunState& state, double speed) { return InRunUnits(Quantity::Speed, speed, state.forceUnit); }

std::string SpeedCaption(const RunState& state) { return std::string(UnitCaption(Quantity::Speed, state.forceUnit)); }

// Whole decades that hold the line speed and every finite maxSpeed with
// room on both sides, so that each of them can be read however far apart
// they lie; 10 to 1000 m/min when there is none.
std::pair<double, double> SpeedDecades(const RunState& state)
{
    double low = std::numeric_limits<double>::infinity();
    double high = 0;
    const auto take = [&](double speed) {
        if (std::isfinite(speed) && speed > 0) {
            low = std::min(low, speed);
            high = std::max(high, speed);
        }
    };
    take(ShownSpeed(state, state.inputs.V));
    for (int model = 0; model < kModelCount; ++model) {
        take(ShownSpeed(state, MaxSpeed(state, model)));
    }
    if (high == 0) {
        return {1, 3};
    }
    const double from = std::floor(std::log10(low / 2));
    return {from, std::max(std::ceil(std::log10(high * 2)), from + 1)};
}

// F1 / F2 grows in proportion to the speed: F1 = V / (60 Pi d 10^-3), V in
// m/min, so per shown unit of speed by as many m/min as it is.
double RatioPerSpeed(const RunState& state, int model)
{
    const double perMetrePerMinute = 1 / (60 * Pi * state.inputs.d * std::pow(10.0, -3.0)) / state.tables.F2[model];
    return perMetrePerMinute * InProgramUnits(Quantity::Speed, 1, state.forceUnit);
}

struct SpeedTick {
    double speed;
    bool decade;
};

std::vector<SpeedTick> SpeedTicks(const SpeedPlot& plot)
{
    std::vector<SpeedTick> ticks;
    for (double decade = plot.fromDecade; decade <= plot.toDecade; ++decade) {
        for (const double step : {1.0, 2.0, 5.0}) {
            if (decade < plot.toDecade || step == 1) {
                ticks.push_back({step * std::pow(10.0, decade), step == 1});
            }
        }
    }
    return ticks;
}

// Every decade is labelled first, then a 2 or a 5 where its label keeps
// a blank clear of those already there, so that no two read as one.
void LabelSpeedTicks(Canvas& canvas, const SpeedPlot& plot, const std::vector<SpeedTick>& ticks, double y)
{
    std::vector<std::pair<double, double>> taken;
    for (const bool decades : {true, false}) {
        for (const SpeedTick& tick : ticks) {
            const std::string text = ShortestText(tick.speed);
            const double half = canvas.TextWidth(text) / 2 + canvas.TextWidth(" ") / 2;
            const double x = plot.X(tick.speed);
            const bool clear = std::none_of(taken.begin(), taken.end(), [&](const auto& span) {
                return x + half > span.first && x - half < span.second;
            });
            if (tick.decade == decades && clear) {
                WriteCentredAt(canvas, x, y, text);
                taken.emplace_back(x - half, x + half);
            }
        }
    }
}

// Ticks at 1, 2 and 5 of every decade with a light grid line.
void DrawSpeedAxis(Canvas& canvas, const SpeedPlot& plot, const std::string& caption)
{
    const std::vector<SpeedTick> ticks = SpeedTicks(plot);
    for (const SpeedTick& tick : ticks) {
        const double x = plot.X(tick.speed);
        canvas.Line(x, plot.top, x, plot.bottom, chart::kGridGrey);
        canvas.Line(x, plot.bottom, x, plot.bottom + chart::kTickLength, PaletteColor(chart::kBlack));
    }
    // Below the lowest ratio's label at the axes' corner.
    const double labelY = plot.bottom + chart::kTickLength + 90;
    LabelSpeedTicks(canvas, plot, ticks, labelY);
    WriteEndingAt(canvas, plot.right, labelY + 190, "V " + caption);
}

void DrawRatioAxis(Canvas& canvas, const SpeedPlot& plot)
{
    for (int k = 0; k * kRatioStep <= kRatioTop + 1e-9; ++k) {
        const double ratio = k * kRatioStep;
        const double y = plot.Y(ratio);
        canvas.Line(plot.left, y, plot.right, y, chart::kGridGrey);
        canvas.Line(plot.left - chart::kTickLength, y, plot.left, y, PaletteColor(chart::kBlack));
        WriteEndingAt(canvas, plot.left - chart::kTickLength - 20, y - 90, FormatPattern(ratio, 1));
    }
    WriteEndingAt(canvas, plot.left - chart::kTickLength - 20, plot.top - 300, "F1/F2");
}

// Where a model's curve leaves the plot: across the top or at the right.
struct CurveEnd {
    int model;
    double x;
    double y;
    bool atTop;
};

std::optional<CurveEnd> DrawModelCurve(Canvas& canvas, const SpeedPlot& plot, const RunState& state, int model)
{
    const double slope = RatioPerSpeed(state, model);
    if (!std::isfinite(slope) || slope <= 0) {
        return std::nullopt;
    }
    const double from = std::pow(10.0, plot.fromDecade);
    const double end = std::min(std::pow(10.0, plot.toDecade), kRatioTop / slope);
    if (end <= from) {
        return std::nullopt;
    }
    const LinePen& pen = kModelPens[static_cast<std::size_t>(model)];
    canvas.SetDrawStyle(pen.style);
    double x = plot.X(from);
    double y = plot.Y(slope * from);
    for (int step = 1; step <= kCurveSteps; ++step) {
        const double speed = from * std::pow(end / from, static_cast<double>(step) / kCurveSteps);
        const double nextX = plot.X(speed);
        const double nextY = plot.Y(slope * speed);
        canvas.Line(x, y, nextX, nextY, pen.colour);
        x = nextX;
        y = nextY;
    }
    canvas.SetDrawStyle(DrawStyle::Solid);
    const double maxSpeed = ShownSpeed(state, MaxSpeed(state, model));
    if (std::isfinite(maxSpeed) && maxSpeed >= from && maxSpeed <= end) {
        canvas.Circle(plot.X(maxSpeed), plot.Y(kF1F2Check.upper), kMarkerRadius, PaletteColor(chart::kLightRed));
    }
    return CurveEnd{model, x, y, end < std::pow(10.0, plot.toDecade)};
}

// Each curve's number where it leaves the plot: along the top edge, moved
// right past the number before it, or beside the right edge, moved down.
void LabelCurveEnds(Canvas& canvas, std::vector<CurveEnd> ends, const SpeedPlot& plot)
{
    std::sort(ends.begin(), ends.end(), [](const CurveEnd& a, const CurveEnd& b) { return a.x < b.x; });
    double nextTopX = plot.left;
    double nextRightY = plot.top;
    for (const CurveEnd& end : ends) {
        const std::string number = std::to_string(end.model + 1);
        const double width = canvas.TextWidth(number);
        const double x = std::max(end.x - width / 2, nextTopX);
        if (end.atTop && x + width <= plot.right) {
            WriteAt(canvas, x, plot.top - 200, number);
            nextTopX = x + width + canvas.TextWidth(" ");
        } else {
            const double y = std::max(end.y - 90, nextRightY);
            WriteAt(canvas, plot.right + 40, y, number);
            nextRightY = y + canvas.TextHeight(number);
        }
    }
}

// The legend: each model's pen, label and the speed it may run at.
void DrawLegend(Canvas& canvas, const RunState& state, double left, double right, double top)
{
    WriteAt(canvas, left, top, "model");
    WriteEndingAt(canvas, right, top - 200, "maxSpeed");
    WriteEndingAt(canvas, right, top, SpeedCaption(state));
    for (int model = 0; model < kModelCount; ++model) {
        const double y = top + 200 * (model + 1);
        const LinePen& pen = kModelPens[static_cast<std::size_t>(model)];
        canvas.SetDrawStyle(pen.style);
        canvas.Line(left, y + 100, left + 240, y + 100, pen.colour);
        canvas.SetDrawStyle(DrawStyle::Solid);
        WriteAt(canvas, left + 300, y, ModelLabel(state, model));
        WriteEndingAt(canvas, right, y, FormatPattern(ShownSpeed(state, MaxSpeed(state, model)), 0));
    }
}

}  // namespace

// F1/F2 of the nine models against the line speed on a logarithmic axis:
// the ratio check's limit, the case's V, each maxSpeed marked on the limit line.
void DrawSpeedChart(Canvas& canvas, const ChartContent& content, const TwipRect& area)
{
    chart::SetUp(canvas);
    const RunState& state = content.selection;
    WriteAt(canvas, area.left, area.top, "Speed chart: F1/F2 against the line speed V " + SpeedCaption(state));
    const auto [fromDecade, toDecade] = SpeedDecades(state);
    const double legendWidth = 2400;
    const SpeedPlot plot{area.left + 700,   area.top + 700, area.right - legendWidth,
                         area.bottom - 600, fromDecade,     toDecade};
    DrawRatioAxis(canvas, plot);
    DrawSpeedAxis(canvas, plot, SpeedCaption(state));
    const double limitY = plot.Y(kF1F2Check.upper);
    canvas.Line(plot.left, limitY, plot.right, limitY, PaletteColor(chart::kLightRed));
    WriteAt(canvas, plot.left + 40, limitY - 200, "limit " + LimitText(kF1F2Check));
    const double speed = ShownSpeed(state, state.inputs.V);
    if (std::isfinite(speed) && speed > 0) {
        const double x = plot.X(speed);
        canvas.Line(x, plot.top, x, plot.bottom, PaletteColor(kLightBlue));
        const std::string text =
            "V " + FormatPattern(speed, 0) + " " + std::string(UnitSymbol(Quantity::Speed, state.forceUnit));
        const double textX = x + 40 + canvas.TextWidth(text) <= plot.right ? x + 40 : x - 40 - canvas.TextWidth(text);
        WriteAt(canvas, textX, plot.bottom - 250, text);
    }
    std::vector<CurveEnd> ends;
    for (int model = 0; model < kModelCount; ++model) {
        if (const auto end = DrawModelCurve(canvas, plot, state, model)) {
            ends.push_back(*end);
        }
    }
    canvas.Box(plot.left, plot.top, plot.right, plot.bottom, PaletteColor(chart::kBlack));
    LabelCurveEnds(canvas, ends, plot);
    DrawLegend(canvas, state, plot.right + 300, area.right, plot.top);
}

}  // namespace vyra::gfx
