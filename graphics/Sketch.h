#pragma once

#include "Canvas.h"
#include "RunState.h"

#include <array>

namespace vyra::gfx {

// The sketch area of the input screen is a white square of this side, in twips.
inline constexpr double kSketchAreaTwips = 4185;

// A point in the current unit of a canvas, y downward.
struct SketchPoint {
    double x = 0;
    double y = 0;
};

struct SketchSegment {
    SketchPoint first;
    SketchPoint second;
};

// A named line element of the sketch area: endpoints in twips, whether it
// shows, and the pen it is shown with. Named lines are black.
struct SketchLine {
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
    bool visible = true;
    int drawWidth = 1;
    DrawStyle style = DrawStyle::Solid;

    SketchPoint First() const { return {X1, Y1}; }
    SketchPoint Second() const { return {X2, Y2}; }
    void Place(SketchSegment segment);
};

// The roller element: its bounding square in twips.
struct SketchCircle {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    int drawWidth = 2;
};

// The elements the sketch area keeps between drawings. Only the axes have
// a meaningful design position, because the centre of the sketch is read
// from them; every drawing places all the others before they are shown.
struct SketchElements {
    SketchLine Lx{.X1 = 0, .Y1 = 2040, .X2 = 4080, .Y2 = 2040, .style = DrawStyle::Dot};
    SketchLine Ly{.X1 = 2040, .Y1 = 0, .X2 = 2040, .Y2 = 4080, .style = DrawStyle::DashDot};
    SketchLine Ly1{.style = DrawStyle::Dot};
    SketchLine lnCenter{.style = DrawStyle::Dot};
    SketchCircle Roll;
    SketchLine SensorHigh{.drawWidth = 2};
    SketchLine SensorLow{.drawWidth = 2};
    SketchLine SensorLeft{.drawWidth = 2};
    SketchLine SensorRight{.drawWidth = 2};
    SketchLine lnX1;
    SketchLine lnX2;
    SketchLine WebRight{.drawWidth = 2};
    SketchLine WebLeft{.drawWidth = 2};
    SketchLine Lt{.drawWidth = 2};
    SketchLine Lar{.drawWidth = 2};
    SketchLine Lal{.drawWidth = 2};
};

// The centre of the sketch in whole twips.
struct SketchCentre {
    double X0 = 0;
    double Y0 = 0;
};

// The x of the first end of Ly and the y of the first end of Lx, rounded to
// whole twips with halves to even. Read once, before the first drawing:
// drawing moves both axes.
SketchCentre ReadSketchCentre(const SketchElements& elements);

// The arrangement as both sketches picture it. For fulcrum Left the frame
// angle and the roller position change sign and the wrap angles swap sides,
// which mirrors the picture about the vertical through the origin.
struct SketchFrame {
    SketchPoint origin;
    bool fulcrumLeft = false;
    double g = 0;       // frame angle, degrees, counter-clockwise as seen
    double lPrime = 0;  // roller position along the local u axis, mm
    double P = 0;       // wrap angle on the right of the roller, degrees
    double Q = 0;       // wrap angle on the left, degrees
    double D = 0;       // (P - Q) / 2, degrees, not truncated
    int S = 0;          // alpha + beta, degrees

    // The local point (u, v): u along the mounting axis, v across it,
    // downward when g is 0.
    SketchPoint At(double u, double v) const;
    // A u measured from the centre towards the fulcrum side.
    double FulcrumSide(double u) const { return fulcrumLeft ? -u : u; }
};

SketchFrame SketchFrameOf(const SelectionInputs& inputs, SketchPoint origin);

// Nearest whole number, halves to even.
double RoundHalfEven(double value);

// Degrees taken modulo 360 into 0..360, as radians for Canvas::Arc.
double ArcAngle(double degrees);

// The sizes of the roller, the web runs and the force arrow, in the unit of
// the canvas they are drawn on.
struct WebDimensions {
    double rollerRadius = 0;
    double runLength = 0;
    double arrowLength = 0;
    double barbLength = 0;
};

// The two web runs leaving the roller tangentially and the resultant-force
// arrow from the roller centre with its barbs. While alpha + beta stays
// below 180 degrees the web lies over the roller and the force points down
// from it; from 180 on the web lies under the roller and the force points up.
struct WebAndForce {
    SketchSegment webRight;
    SketchSegment webLeft;
    SketchSegment shaft;
    SketchSegment rightBarb;
    SketchSegment leftBarb;
};

WebAndForce WebAndForceOf(const SketchFrame& frame, SketchPoint rollerCentre, const WebDimensions& size);

// The two opposite quarters about the roller that both sketches mark with
// arcs, in radians for Canvas::Arc (start, end), each angle in 0..2 pi.
struct ArcSpan {
    double start = 0;
    double end = 0;
};

std::array<ArcSpan, 2> QuarterArcs(const SketchFrame& frame);

// Draws the arrangement on the sketch area, which is in twips with its
// origin at the top-left corner, erasing what was drawn before, and moves
// the named elements. With annotate (the drawing when the input screen
// opens) it adds the sign-convention marks and labels and hides the force
// arrow; without, it shows the arrow and marks the quarters about the roller.
void DrawSketch(Canvas& area, SketchElements& elements, const SketchCentre& centre,
                const SelectionInputs& inputs, bool annotate);

}  // namespace vyra::gfx
