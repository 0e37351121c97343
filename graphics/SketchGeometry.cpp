#include "SketchGeometry.h"

#include "Angles.h"
#include "LoadResolution.h"

#include <cmath>

namespace vyra::gfx {

SketchPoint Plus(SketchPoint p, double dx, double dy) { return {p.x + dx, p.y + dy}; }

double SinDeg(double degrees) { return std::sin(Radians(degrees)); }
double CosDeg(double degrees) { return std::cos(Radians(degrees)); }

SketchPoint SketchFrame::At(double u, double v) const
{
    return {origin.x + u * CosDeg(g) + v * SinDeg(g), origin.y - u * SinDeg(g) + v * CosDeg(g)};
}

SketchFrame SketchFrameOf(const SelectionInputs& inputs, SketchPoint origin)
{
    SketchFrame f;
    f.origin = origin;
    f.fulcrumLeft = inputs.fulcrumIndex == 1;
    const double gamma = inputs.gamma;
    f.g = f.fulcrumLeft ? -gamma : gamma;
    f.lPrime = f.fulcrumLeft ? -inputs.l : inputs.l;
    f.P = f.fulcrumLeft ? inputs.beta : inputs.alpha;
    f.Q = f.fulcrumLeft ? inputs.alpha : inputs.beta;
    f.D = (f.P - f.Q) / 2;
    f.S = int{inputs.alpha} + int{inputs.beta};
    return f;
}

double ArcAngle(double degrees) { return Radians(NormaliseAngle(degrees)); }

WebAndForce WebAndForceOf(const SketchFrame& f, SketchPoint c, const WebDimensions& size)
{
    const double r = size.rollerRadius;
    const double run = size.runLength;
    const double arrow = size.arrowLength;
    const double barb = size.barbLength;
    // From 180 degrees on, the starts of the runs, the arrow and its barbs
    // are those of the web over the roller turned half a turn about the
    // roller centre (the barbs swap names), while the runs keep their
    // direction.
    const bool over = f.S < 180;
    const double side = over ? 1 : -1;
    const SketchPoint a = Plus(c, side * r * CosDeg(f.P), -side * r * SinDeg(f.P));
    const SketchPoint b = Plus(c, -side * r * CosDeg(f.Q), -side * r * SinDeg(f.Q));
    const SketchPoint t = Plus(c, side * arrow * SinDeg(f.D), side * arrow * CosDeg(f.D));
    WebAndForce web;
    web.webRight = {a, Plus(a, run * SinDeg(f.P), run * CosDeg(f.P))};
    web.webLeft = {b, Plus(b, -run * SinDeg(f.Q), run * CosDeg(f.Q))};
    web.shaft = {c, t};
    const SketchPoint outer = Plus(t, -side * barb * SinDeg(f.D + 45), -side * barb * CosDeg(f.D + 45));
    const SketchPoint inner = Plus(t, side * barb * SinDeg(45 - f.D), -side * barb * CosDeg(45 - f.D));
    web.rightBarb = {t, over ? outer : inner};
    web.leftBarb = {t, over ? inner : outer};
    return web;
}

// Each angle is taken modulo 360 on its own, so the frame angle needs no
// bringing into 0..359 first.
std::array<ArcSpan, 2> QuarterArcs(const SketchFrame& frame)
{
    const double g = frame.g;
    if (frame.fulcrumLeft) {
        return {{{ArcAngle(g + 270), ArcAngle(g + 360)}, {ArcAngle(g + 90), ArcAngle(g + 180)}}};
    }
    return {{{ArcAngle(g + 180), ArcAngle(g + 270)}, {ArcAngle(g), ArcAngle(g + 90)}}};
}

}  // namespace vyra::gfx
