#include "PrintedSketch.h"

#include "Angles.h"
#include "SketchGeometry.h"

#include <algorithm>

namespace vyra::gfx {

namespace {

// Millimetres: the screen's picture redrawn to fit an 80 mm frame.
constexpr double kFrameSide = 80;
constexpr double kHalfFrame = kFrameSide / 2;
constexpr double kFrameTopRow = 12;  // character rows: 2 inches down the printable area
constexpr double kOffsetPerMillimetre = 0.5;
constexpr double kOffsetLimit = 10;
constexpr double kRollerRadius = 10;
constexpr WebDimensions kPaperWeb{.rollerRadius = kRollerRadius, .runLength = 20, .arrowLength = 18, .barbLength = 3};

const Rgb kInk = PaletteColor(0);

void DrawSegment(Canvas& page, SketchPoint from, SketchPoint to) { page.Line(from.x, from.y, to.x, to.y, kInk); }

void DrawSegment(Canvas& page, const SketchSegment& segment) { DrawSegment(page, segment.first, segment.second); }

// The frame's top-left corner at the middle of the printable width, 12 rows
// down; afterwards millimetres with the origin at the frame's centre.
void PlaceFrame(Canvas& page)
{
    page.SetCurrentX(page.ScaleWidth() / 2);
    page.SetCurrentY(kFrameTopRow);
    page.SetScaleMode(ScaleMode::Millimetres);
    page.SetScaleLeft(-page.CurrentX());
    page.SetScaleTop(-page.CurrentY());
    page.SetDrawWidth(8);
    page.SetDrawStyle(DrawStyle::Solid);
    page.Box(0, 0, kFrameSide, kFrameSide, kInk);
    // The axes are longer than the frame is wide once the roller moves
    // off its centre: nothing may reach past the frame.
    page.ClipTo(0, 0, kFrameSide, kFrameSide);
    page.SetScaleLeft(page.ScaleLeft() - kHalfFrame);
    page.SetScaleTop(page.ScaleTop() - kHalfFrame);
}

void DrawPlusMark(Canvas& page, const SketchFrame& f)
{
    page.SetDrawWidth(2);
    DrawSegment(page, f.At(f.FulcrumSide(7), 24), f.At(f.FulcrumSide(11), 24));
    DrawSegment(page, f.At(f.FulcrumSide(9), 22), f.At(f.FulcrumSide(9), 26));
}

void DrawSensorBody(Canvas& page, const SketchFrame& f)
{
    page.SetDrawWidth(4);
    DrawSegment(page, f.At(-12, 20), f.At(12, 20));
    DrawSegment(page, f.At(-12, 30), f.At(12, 30));
    DrawSegment(page, f.At(-12, 20), f.At(-12, 30));
    DrawSegment(page, f.At(12, 20), f.At(12, 30));
    DrawSegment(page, f.At(-18, 30), f.At(18, 30));
}

// Whole millimetres from the frame's centre, at the pen of the sensor body.
SketchPoint DrawRoller(Canvas& page, const SketchFrame& f)
{
    const double e = std::clamp(kOffsetPerMillimetre * f.lPrime, -kOffsetLimit, kOffsetLimit);
    const SketchPoint local = f.At(-e, 0);
    const SketchPoint r{RoundHalfEven(local.x), RoundHalfEven(local.y)};
    page.Circle(r.x, r.y, kRollerRadius, kInk);
    return r;
}

// A style other than solid shows only at width 1, so the width comes first.
void DrawAxes(Canvas& page, const SketchFrame& f, SketchPoint r)
{
    page.SetDrawWidth(1);
    page.SetDrawStyle(DrawStyle::Dash);
    DrawSegment(page, {r.x, -kHalfFrame}, {r.x, kHalfFrame});
    DrawSegment(page, f.At(-kHalfFrame, 0), f.At(kHalfFrame, 0));
    page.SetDrawStyle(DrawStyle::DashDot);
    DrawSegment(page, f.At(0, -kHalfFrame), f.At(0, kHalfFrame));
}

void MoveOriginToRoller(Canvas& page, const SketchFrame& f, SketchPoint r)
{
    page.SetScaleLeft(page.ScaleLeft() - r.x);
    page.SetScaleTop(page.ScaleTop() - r.y);
    page.SetDrawStyle(DrawStyle::Dash);
    DrawSegment(page, f.At(0, -kHalfFrame), f.At(0, kHalfFrame));
}

void DrawWebAndForce(Canvas& page, const SketchFrame& f)
{
    page.SetDrawStyle(DrawStyle::Solid);
    page.SetDrawWidth(4);
    const WebAndForce web = WebAndForceOf(f, {0, 0}, kPaperWeb);
    for (const SketchSegment* segment : {&web.webRight, &web.webLeft, &web.shaft, &web.rightBarb, &web.leftBarb}) {
        DrawSegment(page, *segment);
    }
}

void DrawQuarterArcs(Canvas& page, const SketchFrame& f)
{
    page.SetDrawWidth(1);
    page.SetDrawStyle(DrawStyle::Dot);
    for (const ArcSpan& span : QuarterArcs(f)) {
        page.Arc(0, 0, 26, kInk, span.start, span.end);
        page.Arc(0, 0, 24, kInk, span.start, span.end);
    }
}

}  // namespace

// Leaves the page in millimetres with the origin on the roller centre;
// page 2 sets its own scale mode, which clears the origin.
void PrintSketch(Canvas& page, const SelectionInputs& inputs, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    PlaceFrame(page);
    const SketchFrame frame = SketchFrameOf(inputs, {0, 0});
    DrawPlusMark(page, frame);
    DrawSensorBody(page, frame);
    const SketchPoint r = DrawRoller(page, frame);
    DrawAxes(page, frame, r);
    MoveOriginToRoller(page, frame, r);
    DrawWebAndForce(page, frame);
    DrawQuarterArcs(page, frame);
    page.ResetClip();
    if (page.Failed()) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
