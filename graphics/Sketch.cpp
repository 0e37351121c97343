#include "Sketch.h"

#include "Angles.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace vyra::gfx {

namespace {

// Twips of roller offset per mm of roller position, and the offset limit:
// the picture is schematic, so large positions all show at the limit.
constexpr double kOffsetPerMillimetre = 20;
constexpr double kOffsetLimit = 400;
constexpr double kAxisHalfLength = 3000;

constexpr WebDimensions kScreenWeb{.rollerRadius = 600, .runLength = 1600, .arrowLength = 960, .barbLength = 120};
constexpr double kBarb = 120;

constexpr int kBlack = 0;
constexpr int kAlphaColour = 9;
constexpr int kBetaColour = 10;
constexpr int kQuarterColour = 11;
constexpr int kGammaColour = 12;

SketchPoint Rounded(SketchPoint p) { return {RoundHalfEven(p.x), RoundHalfEven(p.y)}; }

void DrawSegment(Canvas& area, SketchPoint from, SketchPoint to, int colour)
{
    area.Line(from.x, from.y, to.x, to.y, PaletteColor(colour));
}

void WriteAt(Canvas& area, SketchPoint at, std::string_view text)
{
    area.SetCurrentX(at.x);
    area.SetCurrentY(at.y);
    area.WriteText(text, LineEnd::End);
}

void ClearArea(Canvas& area, const SketchCentre& centre)
{
    area.Clear();
    area.SetCurrentX(centre.X0);
    area.SetCurrentY(centre.Y0);
    area.SetDrawWidth(1);
    area.SetDrawStyle(DrawStyle::Solid);
}

void PlacePlusMark(SketchElements& e, const SketchFrame& f)
{
    e.lnX1.Place({f.At(f.FulcrumSide(300), 1300), f.At(f.FulcrumSide(500), 1300)});
    e.lnX2.Place({f.At(f.FulcrumSide(400), 1200), f.At(f.FulcrumSide(400), 1400)});
}

void PlaceSensorBody(SketchElements& e, const SketchFrame& f)
{
    e.SensorHigh.Place({f.At(-700, 1100), f.At(700, 1100)});
    e.SensorLow.Place({f.At(-700, 1600), f.At(700, 1600)});
    e.SensorRight.Place({e.SensorHigh.Second(), e.SensorLow.Second()});
    e.SensorLeft.Place({e.SensorHigh.First(), e.SensorLow.First()});
}

SketchPoint RollerCentre(const SketchFrame& f)
{
    const double d = std::clamp(kOffsetPerMillimetre * f.lPrime, -kOffsetLimit, kOffsetLimit);
    return Rounded(f.At(-d, 0));
}

void PlaceAxesAndRoller(SketchElements& e, const SketchFrame& f, SketchPoint c)
{
    const double a = kAxisHalfLength;
    e.Lx.Place({f.At(-a, 0), f.At(a, 0)});
    e.Ly.Place({f.At(0, -a), f.At(0, a)});
    e.Ly1.Place({Plus(c, -a * SinDeg(f.g), -a * CosDeg(f.g)), Plus(c, a * SinDeg(f.g), a * CosDeg(f.g))});
    const double r = kScreenWeb.rollerRadius;
    e.Roll.left = c.x - r;
    e.Roll.top = c.y - r;
    e.Roll.width = 2 * r;
    e.Roll.height = 2 * r;
    e.lnCenter.Place({{c.x, c.y - a}, {c.x, c.y + a}});
}

void PlaceWebAndForce(SketchElements& e, const SketchFrame& f, SketchPoint c)
{
    const WebAndForce web = WebAndForceOf(f, c, kScreenWeb);
    e.WebRight.Place(web.webRight);
    e.WebLeft.Place(web.webLeft);
    e.Lt.Place(web.shaft);
    e.Lar.Place(web.rightBarb);
    e.Lal.Place(web.leftBarb);
}

void DrawBaseLine(Canvas& area, const SketchElements& e, const SketchFrame& f)
{
    const double y = e.SensorLow.Y1;
    DrawSegment(area, {f.origin.x - kAxisHalfLength, y}, {f.origin.x + kAxisHalfLength, y}, kBlack);
}

void DrawRollerPosition(Canvas& area, const SketchFrame& f, SketchPoint c)
{
    const double g = f.g;
    const double a = RoundHalfEven(1000 * SinDeg(g));
    const double b = RoundHalfEven(1000 * CosDeg(g));
    const SketchPoint end{c.x - a, c.y - b};
    DrawSegment(area, {f.origin.x - a, f.origin.y - b}, end, kBlack);
    DrawSegment(area, end, Plus(end, kBarb * CosDeg(g + 45), -kBarb * SinDeg(g + 45)), kBlack);
    DrawSegment(area, end, Plus(end, kBarb * CosDeg(45 - g), kBarb * SinDeg(45 - g)), kBlack);
    WriteAt(area, {c.x - 1200 * SinDeg(g) + 100, c.y - 1000 * CosDeg(g) - 400}, "+l");
}

void DrawBearingHeight(Canvas& area, const SketchElements& e, const SketchFrame& f)
{
    const double g = f.g;
    const SketchPoint m = e.SensorHigh.Second();
    DrawSegment(area, m, Plus(m, 800 * CosDeg(g), -800 * SinDeg(g)), kBlack);
    const SketchPoint h = Rounded({f.origin.x + 800 * CosDeg(g), f.origin.y - 800 * SinDeg(g)});
    DrawSegment(area, h, Plus(h, 1100 * SinDeg(g), 1100 * CosDeg(g)), kBlack);
    DrawSegment(area, h, Plus(h, kBarb * SinDeg(g + 45), kBarb * CosDeg(g + 45)), kBlack);
    DrawSegment(area, h, Plus(h, -kBarb * SinDeg(45 - g), kBarb * CosDeg(45 - g)), kBlack);
    WriteAt(area, {f.origin.x + 900 * CosDeg(g) + 550 * SinDeg(g), f.origin.y - 900 * SinDeg(g) + 550 * CosDeg(g)},
            "+h");
}

// The alpha and beta marks sit where they suit the angles the screen opens with.
void DrawAlphaMark(Canvas& area, SketchPoint c)
{
    area.Arc(c.x, c.y, 800, PaletteColor(kAlphaColour), ArcAngle(270), ArcAngle(340));
    const SketchPoint tip{2390, 2490};
    DrawSegment(area, tip, Plus(tip, kBarb * SinDeg(-5), kBarb * CosDeg(-5)), kAlphaColour);
    DrawSegment(area, tip, Plus(tip, -kBarb * SinDeg(75), kBarb * CosDeg(75)), kAlphaColour);
    WriteAt(area, {2000, 2840}, "+alpha");
}

void DrawBetaMark(Canvas& area, SketchPoint c)
{
    area.Arc(c.x, c.y, 800, PaletteColor(kBetaColour), ArcAngle(140), ArcAngle(270));
    const SketchPoint tip{1000, 1700};
    DrawSegment(area, tip, Plus(tip, kBarb * SinDeg(45), kBarb * CosDeg(45)), kBetaColour);
    DrawSegment(area, tip, Plus(tip, -kBarb * SinDeg(45), kBarb * CosDeg(45)), kBetaColour);
    WriteAt(area, {700, 2800}, "+beta");
}

void DrawGammaMark(Canvas& area, const SketchElements& e, const SketchFrame& f)
{
    const double g = f.g;
    const SketchPoint k = e.SensorLow.First();
    // The arc spans the angle between the base and the mounting axis, on
    // whichever side of the base that axis lies.
    const double from = g < 0 ? ArcAngle(g) : ArcAngle(0);
    const double to = g < 0 ? ArcAngle(0) : ArcAngle(g);
    area.Arc(k.x, k.y, 1000, PaletteColor(kGammaColour), from, to);
    const SketchPoint tip = Rounded({k.x + 1000 * CosDeg(g), k.y - 940 * SinDeg(g)});
    DrawSegment(area, tip, Plus(tip, kBarb * SinDeg(g + 45), kBarb * CosDeg(g + 45)), kGammaColour);
    DrawSegment(area, tip, Plus(tip, -kBarb * SinDeg(45 - g), kBarb * CosDeg(45 - g)), kGammaColour);
    WriteAt(area, {k.x + 1100, k.y - 300}, "+gamma");
}

// The travel arrow follows the true alpha whatever the fulcrum: it belongs
// to the marks that suit the opening angles only.
void DrawWebTravel(Canvas& area, const SketchElements& e, double alpha)
{
    const SketchPoint w = e.WebRight.Second();
    const SketchPoint v = Rounded({w.x + 500 * SinDeg(alpha), w.y + 500 * CosDeg(alpha)});
    DrawSegment(area, w, v, kBlack);
    DrawSegment(area, v, Plus(v, -kBarb * SinDeg(55), -kBarb * CosDeg(55)), kBlack);
    DrawSegment(area, v, Plus(v, kBarb * SinDeg(35), -kBarb * CosDeg(35)), kBlack);
    area.WriteText("V", LineEnd::End);
}

void DrawAnnotations(Canvas& area, SketchElements& e, const SketchFrame& f, SketchPoint c, double alpha)
{
    e.Lt.visible = false;
    e.Lar.visible = false;
    e.Lal.visible = false;
    area.SetFontName("Courier New");
    area.SetFontSize(12);
    area.SetFontBold(false);
    DrawBaseLine(area, e, f);
    DrawRollerPosition(area, f, c);
    DrawBearingHeight(area, e, f);
    DrawAlphaMark(area, c);
    DrawBetaMark(area, c);
    DrawGammaMark(area, e, f);
    DrawWebTravel(area, e, alpha);
}

// Each quarter is drawn twice over at both radii, which darkens the thin
// cyan on screen.
void DrawQuarterArcs(Canvas& area, SketchElements& e, const SketchFrame& f, SketchPoint c)
{
    e.Lt.visible = true;
    e.Lar.visible = true;
    e.Lal.visible = true;
    const Rgb cyan = PaletteColor(kQuarterColour);
    for (int pass = 0; pass < 2; ++pass) {
        for (const ArcSpan& span : QuarterArcs(f)) {
            area.Arc(c.x, c.y, 800, cyan, span.start, span.end);
            area.Arc(c.x, c.y, 740, cyan, span.start, span.end);
        }
    }
}

void PaintLine(Canvas& area, const SketchLine& line)
{
    if (!line.visible) {
        return;
    }
    area.SetDrawWidth(line.drawWidth);
    area.SetDrawStyle(line.style);
    area.Line(line.X1, line.Y1, line.X2, line.Y2, PaletteColor(kBlack));
}

// The elements lie above whatever was drawn on the area itself.
void PaintElements(Canvas& area, const SketchElements& e)
{
    for (const SketchLine* line : {&e.Lx, &e.Ly, &e.Ly1, &e.lnCenter}) {
        PaintLine(area, *line);
    }
    area.SetDrawWidth(e.Roll.drawWidth);
    area.SetDrawStyle(DrawStyle::Solid);
    area.Circle(e.Roll.left + e.Roll.width / 2, e.Roll.top + e.Roll.height / 2, e.Roll.width / 2, PaletteColor(kBlack));
    for (const SketchLine* line : {&e.SensorHigh, &e.SensorLow, &e.SensorLeft, &e.SensorRight, &e.lnX1, &e.lnX2,
                                   &e.WebRight, &e.WebLeft, &e.Lt, &e.Lar, &e.Lal}) {
        PaintLine(area, *line);
    }
}

}  // namespace

void SketchLine::Place(SketchSegment segment)
{
    X1 = segment.first.x;
    Y1 = segment.first.y;
    X2 = segment.second.x;
    Y2 = segment.second.y;
}

SketchCentre ReadSketchCentre(const SketchElements& elements)
{
    return {RoundHalfEven(elements.Ly.X1), RoundHalfEven(elements.Lx.Y1)};
}

void DrawSketch(Canvas& area, SketchElements& elements, const SketchCentre& centre, const SelectionInputs& inputs,
                bool annotate)
{
    const SketchFrame frame = SketchFrameOf(inputs, {centre.X0, centre.Y0});
    ClearArea(area, centre);
    PlacePlusMark(elements, frame);
    PlaceSensorBody(elements, frame);
    const SketchPoint c = RollerCentre(frame);
    PlaceAxesAndRoller(elements, frame, c);
    PlaceWebAndForce(elements, frame, c);
    if (annotate) {
        DrawAnnotations(area, elements, frame, c, inputs.alpha);
    } else {
        DrawQuarterArcs(area, elements, frame, c);
    }
    PaintElements(area, elements);
}

}  // namespace vyra::gfx
