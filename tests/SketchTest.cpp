#include "RecordingCanvas.h"
#include "SketchInputs.h"
#include "Sketch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr double kTol = 1e-9;        // twips: every position is a sum of a few products
constexpr double kAngleTol = 1e-12;  // radians
constexpr double kDegree = std::numbers::pi / 180;

constexpr auto With = test::SketchInputs;
using test::StartingInputs;

std::string Describe(const SelectionInputs& in)
{
    return "alpha " + std::to_string(in.alpha) + " beta " + std::to_string(in.beta) + " gamma " +
           std::to_string(in.gamma) + " l " + std::to_string(in.l) + " fulcrum " + std::to_string(in.fulcrumIndex);
}

// One drawing on a fresh sketch area, centred as designed.
struct Drawing {
    RecordingCanvas area{kSketchAreaTwips, kSketchAreaTwips};
    SketchElements elements;

    Drawing(const SelectionInputs& in, bool annotate)
    {
        DrawSketch(area, elements, ReadSketchCentre(elements), in, annotate);
    }

    SketchPoint Roller() const
    {
        return {elements.Roll.left + elements.Roll.width / 2, elements.Roll.top + elements.Roll.height / 2};
    }

    std::vector<CanvasCall> ArcsIn(int paletteIndex) const
    {
        std::vector<CanvasCall> arcs;
        for (const CanvasCall& call : area.CallsOf(CanvasCall::Kind::Arc)) {
            if (call.colour == PaletteColor(paletteIndex) && call.sweep < 2 * std::numbers::pi) {
                arcs.push_back(call);
            }
        }
        return arcs;
    }

    // The painted lines with exactly the element's endpoints.
    std::vector<CanvasCall> LinesAlong(const SketchLine& line) const
    {
        std::vector<CanvasCall> found;
        for (const CanvasCall& call : area.CallsOf(CanvasCall::Kind::Line)) {
            if (call.x1 == line.X1 && call.y1 == line.Y1 && call.x2 == line.X2 && call.y2 == line.Y2) {
                found.push_back(call);
            }
        }
        return found;
    }
};

bool Near(SketchPoint a, SketchPoint b) { return std::abs(a.x - b.x) < kTol && std::abs(a.y - b.y) < kTol; }

double Distance(SketchPoint a, SketchPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(Sketch, CentreReadFromAxesInWholeTwipsHalvesToEven)
{
    SketchElements elements;
    EXPECT_TRUE(Near({ReadSketchCentre(elements).X0, ReadSketchCentre(elements).Y0}, {2040, 2040}));
    elements.Ly.X1 = 2040.5;
    elements.Lx.Y1 = 2041.5;
    EXPECT_TRUE(Near({ReadSketchCentre(elements).X0, ReadSketchCentre(elements).Y0}, {2040, 2042}));
}

struct RollerCase {
    SelectionInputs in;
    SketchPoint roller;
};

TEST(Sketch, RollerCentreFollowsPositionUpToLimitOffset)
{
    const RollerCase cases[] = {
        {StartingInputs(), {1664, 2177}},  // 2040 - 400 cos 20 = 1664.12, 2040 + 400 sin 20 = 2176.81
        {With(20, 80, 0, 0, 0), {2040, 2040}},  {With(20, 80, 0, 10, 0), {1840, 2040}},
        {With(20, 80, 0, 25, 0), {1640, 2040}}, {With(20, 80, 0, 1000, 0), {1640, 2040}},
        {With(20, 80, 0, -30, 0), {2440, 2040}}, {With(20, 80, 0, 25, 1), {2440, 2040}},
        {With(20, 80, 0, -30, 1), {1640, 2040}}, {With(20, 80, 30, 0, 1), {2040, 2040}},
    };
    for (const RollerCase& c : cases) {
        const Drawing drawing(c.in, false);
        EXPECT_TRUE(Near(drawing.Roller(), c.roller)) << Describe(c.in);
        EXPECT_EQ(drawing.elements.Roll.width, 1200) << Describe(c.in);
        EXPECT_EQ(drawing.elements.lnCenter.X1, c.roller.x) << Describe(c.in);
        EXPECT_TRUE(Near(drawing.elements.Lt.First(), c.roller)) << Describe(c.in);
    }
}

TEST(Sketch, SensorBodyLevelAndCentredUnderCentreAtZeroGamma)
{
    const Drawing drawing(With(20, 80, 0, 20, 0), false);
    const SketchElements& e = drawing.elements;
    EXPECT_TRUE(Near(e.SensorHigh.First(), {1340, 3140}) && Near(e.SensorHigh.Second(), {2740, 3140}));
    EXPECT_TRUE(Near(e.SensorLow.First(), {1340, 3640}) && Near(e.SensorLow.Second(), {2740, 3640}));
    EXPECT_TRUE(Near(e.SensorLeft.First(), {1340, 3140}) && Near(e.SensorLeft.Second(), {1340, 3640}));
    EXPECT_TRUE(Near(e.SensorRight.First(), {2740, 3140}) && Near(e.SensorRight.Second(), {2740, 3640}));
    // The plus mark lies on the fulcrum side.
    EXPECT_TRUE(Near(e.lnX1.First(), {2340, 3340}) && Near(e.lnX1.Second(), {2540, 3340}));
    EXPECT_TRUE(Near(e.lnX2.First(), {2440, 3240}) && Near(e.lnX2.Second(), {2440, 3440}));
}

// A mirrored line may run from its other end.
bool IsMirror(const SketchLine& right, const SketchLine& left)
{
    const SketchPoint a{4080 - right.X1, right.Y1};
    const SketchPoint b{4080 - right.X2, right.Y2};
    return (Near(a, left.First()) && Near(b, left.Second())) || (Near(a, left.Second()) && Near(b, left.First()));
}

TEST(Sketch, FulcrumLeftMirrorsAboutVerticalThroughCentre)
{
    for (const std::int16_t gamma : {0, 20, -35}) {
        const Drawing right(With(20, 80, gamma, 20, 0), false);
        const Drawing left(With(20, 80, gamma, 20, 1), false);
        const SketchElements& r = right.elements;
        const SketchElements& l = left.elements;
        const struct {
            const SketchLine& right;
            const SketchLine& left;
        } pairs[] = {
            {r.Lx, l.Lx}, {r.Ly, l.Ly}, {r.Ly1, l.Ly1}, {r.lnCenter, l.lnCenter}, {r.SensorHigh, l.SensorHigh},
            {r.SensorLow, l.SensorLow}, {r.SensorLeft, l.SensorRight}, {r.SensorRight, l.SensorLeft},
            {r.lnX1, l.lnX1}, {r.lnX2, l.lnX2}, {r.WebRight, l.WebLeft}, {r.WebLeft, l.WebRight},
            {r.Lt, l.Lt}, {r.Lar, l.Lal}, {r.Lal, l.Lar},
        };
        for (const auto& pair : pairs) {
            EXPECT_TRUE(IsMirror(pair.right, pair.left)) << "gamma " << gamma << " at " << pair.left.X1;
        }
        // An arc from a to b mirrors to the arc from 180 - b to 180 - a.
        const std::vector<CanvasCall> rightArcs = right.ArcsIn(11);
        const std::vector<CanvasCall> leftArcs = left.ArcsIn(11);
        ASSERT_EQ(rightArcs.size(), leftArcs.size());
        for (std::size_t i = 0; i < rightArcs.size(); ++i) {
            const double mirroredStart = std::numbers::pi - rightArcs[i].start - rightArcs[i].sweep;
            const double offset = std::remainder(leftArcs[i].start - mirroredStart, 2 * std::numbers::pi);
            EXPECT_NEAR(offset, 0, kAngleTol) << "gamma " << gamma << " arc " << i;
        }
    }
}

struct WebCase {
    std::int16_t alpha;
    std::int16_t beta;
    bool forceUp;
};

TEST(Sketch, WebLiesUnderRollerAndForcePointsUpFromAngleSum180)
{
    const WebCase cases[] = {{20, 80, false}, {90, 89, false}, {0, 0, false},   {90, 90, true},
                             {100, 80, true}, {150, 120, true}, {180, 180, true}};
    for (const WebCase& c : cases) {
        for (const std::int16_t fulcrum : {0, 1}) {
            const SelectionInputs in = With(c.alpha, c.beta, 20, 20, fulcrum);
            const Drawing drawing(in, false);
            const SketchElements& e = drawing.elements;
            EXPECT_EQ(e.Lt.Y2 < e.Lt.Y1, c.forceUp) << Describe(in);
            EXPECT_NEAR(Distance(e.Lt.First(), e.Lt.Second()), 960, kTol) << Describe(in);
            // Each run leaves the rim at a tangent.
            for (const SketchLine* run : {&e.WebRight, &e.WebLeft}) {
                const SketchPoint rim = run->First();
                EXPECT_NEAR(Distance(drawing.Roller(), rim), 600, kTol) << Describe(in);
                EXPECT_NEAR(Distance(rim, run->Second()), 1600, kTol) << Describe(in);
                const double dot = (rim.x - drawing.Roller().x) * (run->X2 - run->X1) +
                                   (rim.y - drawing.Roller().y) * (run->Y2 - run->Y1);
                EXPECT_NEAR(dot, 0, 1e-6) << Describe(in);
            }
            // The barbs turn back from the tip by 45 degrees, one to each side.
            const double shaftX = (e.Lt.X2 - e.Lt.X1) / 960;
            const double shaftY = (e.Lt.Y2 - e.Lt.Y1) / 960;
            double sides = 1;
            for (const SketchLine* barb : {&e.Lar, &e.Lal}) {
                EXPECT_TRUE(Near(barb->First(), e.Lt.Second())) << Describe(in);
                const double bx = barb->X2 - barb->X1;
                const double by = barb->Y2 - barb->Y1;
                EXPECT_NEAR(-(bx * shaftX + by * shaftY), 120 * std::cos(45 * kDegree), kTol) << Describe(in);
                sides *= bx * shaftY - by * shaftX;
            }
            EXPECT_LT(sides, 0) << Describe(in);
        }
    }
}

struct QuarterCase {
    std::int16_t gamma;
    std::int16_t fulcrum;
    double firstStart;   // degrees
    double secondStart;  // degrees
};

TEST(Sketch, QuarterArcsNormaliseFrameAngle)
{
    const QuarterCase cases[] = {
        {20, 0, 200, 20},  {-30, 0, 150, 330}, {0, 0, 180, 0},  {-400, 0, 140, 320},
        {20, 1, 250, 70},  {-30, 1, 300, 120}, {0, 1, 270, 90}, {359, 1, 271, 91},
    };
    for (const QuarterCase& c : cases) {
        const SelectionInputs in = With(20, 80, c.gamma, 20, c.fulcrum);
        const Drawing drawing(in, false);
        const std::vector<CanvasCall> arcs = drawing.ArcsIn(11);
        ASSERT_EQ(arcs.size(), 8u) << Describe(in);
        int at800 = 0;
        for (const CanvasCall& arc : arcs) {
            EXPECT_TRUE(std::abs(arc.start - c.firstStart * kDegree) < kAngleTol ||
                        std::abs(arc.start - c.secondStart * kDegree) < kAngleTol)
                << Describe(in) << " start " << arc.start / kDegree;
            EXPECT_NEAR(arc.sweep, 90 * kDegree, kAngleTol) << Describe(in);
            EXPECT_TRUE(Near({arc.x1, arc.y1}, drawing.Roller())) << Describe(in);
            EXPECT_TRUE(arc.radius == 800 || arc.radius == 740) << Describe(in);
            at800 += arc.radius == 800 ? 1 : 0;
        }
        EXPECT_EQ(at800, 4) << Describe(in);
    }
}

TEST(Sketch, AnnotateHidesArrowAndWritesLabels)
{
    const Drawing drawing(StartingInputs(), true);
    const SketchElements& e = drawing.elements;
    EXPECT_FALSE(e.Lt.visible || e.Lar.visible || e.Lal.visible);
    EXPECT_TRUE(drawing.LinesAlong(e.Lt).empty());
    EXPECT_TRUE(drawing.ArcsIn(11).empty());
    for (const char* label : {"+l", "+h", "+alpha", "+beta", "+gamma", "V"}) {
        const std::vector<CanvasCall> texts = drawing.area.TextCalls(label);
        ASSERT_EQ(texts.size(), 1u) << label;
        EXPECT_EQ(texts[0].font.name, "Courier New") << label;
        EXPECT_EQ(texts[0].font.size, 12) << label;
    }
    EXPECT_EQ(drawing.area.CallsOf(CanvasCall::Kind::Text).size(), 6u);
    EXPECT_EQ(drawing.ArcsIn(9).size(), 1u);
    EXPECT_EQ(drawing.ArcsIn(10).size(), 1u);
    const std::vector<CanvasCall> gammaArcs = drawing.ArcsIn(12);
    ASSERT_EQ(gammaArcs.size(), 1u);
    EXPECT_TRUE(Near({gammaArcs[0].x1, gammaArcs[0].y1}, e.SensorLow.First()));
    EXPECT_NEAR(gammaArcs[0].sweep, 20 * kDegree, kAngleTol);
}

TEST(Sketch, RedrawWithoutAnnotateShowsArrowAndDropsLabels)
{
    Drawing drawing(StartingInputs(), true);
    drawing.area.Reset();
    DrawSketch(drawing.area, drawing.elements, {2040, 2040}, StartingInputs(), false);
    const SketchElements& e = drawing.elements;
    EXPECT_EQ(drawing.area.Calls().front().kind, CanvasCall::Kind::Clear);
    EXPECT_TRUE(e.Lt.visible && e.Lar.visible && e.Lal.visible);
    EXPECT_EQ(drawing.LinesAlong(e.Lt).size(), 1u);
    EXPECT_EQ(drawing.LinesAlong(e.Lal).size(), 1u);
    EXPECT_TRUE(drawing.area.CallsOf(CanvasCall::Kind::Text).empty());
    EXPECT_EQ(drawing.area.Calls().size(), 1u + 8u + 1u + 15u) << "clear, quarter arcs, roller, lines";
}

struct PenCase {
    SketchLine SketchElements::*line;
    int width;
    DrawStyle style;
};

TEST(Sketch, ElementsPaintedBlackWithTheirPens)
{
    const PenCase cases[] = {
        {&SketchElements::Lx, 1, DrawStyle::Dot},         {&SketchElements::Ly, 1, DrawStyle::DashDot},
        {&SketchElements::Ly1, 1, DrawStyle::Dot},        {&SketchElements::lnCenter, 1, DrawStyle::Dot},
        {&SketchElements::SensorLeft, 2, DrawStyle::Solid}, {&SketchElements::lnX2, 1, DrawStyle::Solid},
        {&SketchElements::WebLeft, 2, DrawStyle::Solid},  {&SketchElements::Lar, 2, DrawStyle::Solid},
    };
    const Drawing drawing(StartingInputs(), false);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const std::vector<CanvasCall> painted = drawing.LinesAlong(drawing.elements.*cases[i].line);
        ASSERT_EQ(painted.size(), 1u) << "case " << i;
        EXPECT_EQ(painted[0].drawWidth, cases[i].width) << "case " << i;
        EXPECT_EQ(painted[0].style, cases[i].style) << "case " << i;
        EXPECT_EQ(painted[0].colour, PaletteColor(0)) << "case " << i;
    }
}

}  // namespace
}  // namespace vyra::gfx

namespace vyra::gfx {
namespace {

// The gamma mark spans only the angle between the base and the mounting
// axis, on the side where the axis lies.
TEST(Sketch, GammaMarkSpansTheMountingAngleOnItsSide)
{
    const std::pair<std::int16_t, double> cases[] = {{20, 20}, {-30, 30}, {-20, 20}};
    for (const auto& [gamma, sweepDegrees] : cases) {
        const Drawing drawing(With(20, 80, gamma, 20, 0), true);
        const std::vector<CanvasCall> arcs = drawing.ArcsIn(12);
        ASSERT_EQ(arcs.size(), 1u) << gamma;
        EXPECT_NEAR(arcs[0].sweep, sweepDegrees * std::numbers::pi / 180, 1e-9) << gamma;
    }
}

}  // namespace
}  // namespace vyra::gfx
