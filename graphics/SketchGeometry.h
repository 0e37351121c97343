#pragma once

#include "ForceUnit.h"
#include "SelectionInputs.h"

#include <array>

namespace vyra {
struct RunState;
}

namespace vyra::gfx {

// The geometry the screen's sketch and the printed sketch share: the local
// frame of the arrangement, the web runs and the force arrow, and the
// quarters about the roller. Lengths are in the unit of the canvas drawn on.

// A point in the current unit of a canvas, y downward.
struct SketchPoint {
    double x = 0;
    double y = 0;
};

// The point moved by (dx, dy).
SketchPoint Plus(SketchPoint p, double dx, double dy);

struct SketchSegment {
    SketchPoint first;
    SketchPoint second;
};

// The arrangement as both sketches picture it. For fulcrum Left the frame
// angle and the roller position change sign and the wrap angles swap sides,
// which mirrors the picture about the vertical through the origin.
struct SketchFrame {
    SketchPoint origin;
    bool fulcrumLeft = false;
    double g = 0;  // frame angle, degrees, counter-clockwise as seen
    double lPrime = 0;  // roller position along the local u axis, mm
    double P = 0;  // wrap angle on the right of the roller, degrees
    double Q = 0;  // wrap angle on the left, degrees
    double D = 0;  // (P - Q) / 2, degrees, not truncated
    int S = 0;  // alpha + beta, degrees

    // The local point (u, v): u along the mounting axis, v across it,
    // downward when g is 0.
    SketchPoint At(double u, double v) const;
    // A u measured from the centre towards the fulcrum side.
    double FulcrumSide(double u) const { return fulcrumLeft ? -u : u; }
};

SketchFrame SketchFrameOf(const SelectionInputs& inputs, SketchPoint origin);

// sin and cos of an angle in degrees.
double SinDeg(double degrees);
double CosDeg(double degrees);

// An angle in degrees brought into 0..360, as radians for Canvas::Arc.
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

}  // namespace vyra::gfx
