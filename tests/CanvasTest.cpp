#include "Canvas.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr double kTolerance = 1e-9;
constexpr double kPi = std::numbers::pi;
constexpr double kTwipsPerMillimetre = 1440 / 25.4;

// An area of 10 by 20 inches.
constexpr double kWidthTwips = 14400;
constexpr double kHeightTwips = 28800;

// Exposes the physical position of a point, which is what the painting
// realisations place their marks by.
class ProbeCanvas : public RecordingCanvas {
public:
    ProbeCanvas() : RecordingCanvas(kWidthTwips, kHeightTwips) {}
    using Canvas::ToTwipsX;
    using Canvas::ToTwipsY;
};

struct ScaleCase {
    ScaleMode mode;
    double width;
    double height;
};

TEST(Canvas, ScaleWidthAndHeightInEachUnit)
{
    const std::vector<ScaleCase> cases{
        {ScaleMode::Twips, 14400, 28800},
        {ScaleMode::Characters, 120, 120},
        {ScaleMode::Millimetres, 254, 508},
    };
    ProbeCanvas canvas;
    for (const ScaleCase& c : cases) {
        canvas.SetScaleMode(c.mode);
        EXPECT_NEAR(canvas.ScaleWidth(), c.width, kTolerance) << static_cast<int>(c.mode);
        EXPECT_NEAR(canvas.ScaleHeight(), c.height, kTolerance) << static_cast<int>(c.mode);
    }
}

TEST(Canvas, UnitsMapToTwipsPhysically)
{
    ProbeCanvas canvas;
    canvas.SetScaleMode(ScaleMode::Characters);
    EXPECT_NEAR(canvas.ToTwipsX(3), 360, kTolerance);
    EXPECT_NEAR(canvas.ToTwipsY(3), 720, kTolerance);
    canvas.SetScaleMode(ScaleMode::Millimetres);
    EXPECT_NEAR(canvas.ToTwipsX(25.4), 1440, kTolerance);
    EXPECT_NEAR(canvas.ToTwipsY(12.7), 720, kTolerance);
}

TEST(Canvas, ScaleModeResetsOriginAndKeepsPhysicalPosition)
{
    ProbeCanvas canvas;
    canvas.SetScaleMode(ScaleMode::Characters);
    canvas.SetScaleLeft(3);
    canvas.SetScaleTop(-2);
    canvas.SetCurrentX(13);  // 10 cells from the left edge
    canvas.SetCurrentY(3);   // 5 cells from the top edge

    canvas.SetScaleMode(ScaleMode::Twips);
    EXPECT_EQ(canvas.ScaleLeft(), 0);
    EXPECT_EQ(canvas.ScaleTop(), 0);
    EXPECT_NEAR(canvas.CurrentX(), 1200, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 1200, kTolerance);

    canvas.SetScaleMode(ScaleMode::Millimetres);
    EXPECT_NEAR(canvas.CurrentX(), 1200 / kTwipsPerMillimetre, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 1200 / kTwipsPerMillimetre, kTolerance);
}

TEST(Canvas, ScaleLeftAndTopMoveOriginButNotCurrentPoint)
{
    ProbeCanvas canvas;
    canvas.SetScaleMode(ScaleMode::Characters);
    canvas.SetCurrentX(canvas.ScaleWidth() / 2);
    canvas.SetCurrentY(12);
    canvas.SetScaleMode(ScaleMode::Millimetres);
    canvas.SetScaleLeft(-canvas.CurrentX());
    canvas.SetScaleTop(-canvas.CurrentY());

    EXPECT_NEAR(canvas.CurrentX(), 0, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 0, kTolerance);
    EXPECT_NEAR(canvas.ScaleLeft(), -127, kTolerance);
    EXPECT_NEAR(canvas.ScaleTop(), -12 * 240 / kTwipsPerMillimetre, kTolerance);
    EXPECT_NEAR(canvas.ToTwipsX(0), 7200, kTolerance);
    EXPECT_NEAR(canvas.ToTwipsY(0), 2880, kTolerance);
    EXPECT_NEAR(canvas.ToTwipsX(-9), 7200 - 9 * kTwipsPerMillimetre, kTolerance);

    canvas.SetScaleMode(ScaleMode::Characters);
    EXPECT_NEAR(canvas.CurrentX(), 60, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 12, kTolerance);
}

struct DrawCase {
    std::string name;
    std::function<void(Canvas&)> draw;
    double x;
    double y;
};

TEST(Canvas, DrawingLeavesCurrentPointAtEndOrCentre)
{
    const Rgb red = PaletteColor(12);
    const std::vector<DrawCase> cases{
        {"Line", [&](Canvas& c) { c.Line(1, 2, 30, 40, red); }, 30, 40},
        {"Box", [&](Canvas& c) { c.Box(5, 6, 3, 4, red); }, 3, 4},
        {"Circle", [&](Canvas& c) { c.Circle(7, 8, 2, red); }, 7, 8},
        {"Arc", [&](Canvas& c) { c.Arc(9, 10, 2, red, 0, kPi); }, 9, 10},
    };
    for (const DrawCase& c : cases) {
        RecordingCanvas canvas(kWidthTwips, kHeightTwips);
        canvas.SetScaleMode(ScaleMode::Millimetres);
        canvas.SetScaleLeft(-50);
        c.draw(canvas);
        EXPECT_NEAR(canvas.CurrentX(), c.x, kTolerance) << c.name;
        EXPECT_NEAR(canvas.CurrentY(), c.y, kTolerance) << c.name;
        ASSERT_EQ(canvas.Calls().size(), 1U) << c.name;
        EXPECT_EQ(canvas.Calls()[0].colour, red) << c.name;
    }
}

struct ArcCase {
    double startDegrees;
    double endDegrees;
    double sweepDegrees;
};

TEST(Canvas, ArcSweepsCounterClockwiseFromStartToEnd)
{
    const std::vector<ArcCase> cases{
        {0, 90, 90},
        {340, 20, 40},
        {20, 340, 320},
        {270, 0, 90},
        {180, 90, 270},
        {0, 360, 360},
    };
    for (const ArcCase& c : cases) {
        RecordingCanvas canvas(kWidthTwips, kHeightTwips);
        canvas.Arc(100, 200, 50, PaletteColor(0), c.startDegrees * kPi / 180, c.endDegrees * kPi / 180);
        const CanvasCall& arc = canvas.Calls().at(0);
        EXPECT_NEAR(arc.start, c.startDegrees * kPi / 180, kTolerance) << c.startDegrees << " to " << c.endDegrees;
        EXPECT_NEAR(arc.sweep, c.sweepDegrees * kPi / 180, kTolerance) << c.startDegrees << " to " << c.endDegrees;
    }
}

TEST(Canvas, CircleIsAFullTurnFromZero)
{
    RecordingCanvas canvas(kWidthTwips, kHeightTwips);
    canvas.Circle(100, 200, 50, PaletteColor(0));
    const CanvasCall& circle = canvas.Calls().at(0);
    EXPECT_EQ(circle.kind, CanvasCall::Kind::Arc);
    EXPECT_NEAR(circle.start, 0, kTolerance);
    EXPECT_NEAR(circle.sweep, 2 * kPi, kTolerance);
    EXPECT_NEAR(circle.radius, 50, kTolerance);
}

TEST(Canvas, WriteTextKeepAdvancesAlongTheLine)
{
    RecordingCanvas canvas(kWidthTwips, kHeightTwips);
    canvas.SetScaleMode(ScaleMode::Characters);
    canvas.SetFontSize(10);
    canvas.SetCurrentX(4);
    canvas.SetCurrentY(7);
    const double width = canvas.TextWidth("Speed");
    EXPECT_NEAR(width, 5, kTolerance);  // 0.6 em of 10 pt is one 120-twip cell

    canvas.WriteText("Speed", LineEnd::Keep);
    EXPECT_NEAR(canvas.CurrentX(), 4 + width, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 7, kTolerance);
    const CanvasCall& text = canvas.Calls().at(0);
    EXPECT_EQ(text.text, "Speed");
    EXPECT_NEAR(text.x1, 4, kTolerance);
    EXPECT_NEAR(text.y1, 7, kTolerance);
}

TEST(Canvas, WriteTextEndReturnsToLeftEdgeOfNextLine)
{
    RecordingCanvas canvas(kWidthTwips, kHeightTwips);
    canvas.SetScaleMode(ScaleMode::Millimetres);
    canvas.SetScaleLeft(-20);
    canvas.SetScaleTop(-5);
    canvas.SetFontSize(12);
    canvas.SetCurrentX(30);
    canvas.SetCurrentY(40);
    const double height = canvas.TextHeight("μ");
    EXPECT_NEAR(height, 12 * 20 * 1.1328 / kTwipsPerMillimetre, kTolerance);

    canvas.WriteText("μ", LineEnd::End);
    EXPECT_NEAR(canvas.CurrentX(), -20, kTolerance);
    EXPECT_NEAR(canvas.CurrentY(), 40 + height, kTolerance);
}

struct PaletteCase {
    int index;
    Rgb colour;
};

TEST(Canvas, PaletteGivesTheClassicColours)
{
    const std::vector<PaletteCase> cases{
        {0, {0, 0, 0}},
        {9, {0, 0, 255}},
        {10, {0, 255, 0}},
        {11, {0, 255, 255}},
        {12, {255, 0, 0}},
        {15, {255, 255, 255}},
        {-1, {0, 0, 0}},
        {16, {0, 0, 0}},
    };
    for (const PaletteCase& c : cases) {
        EXPECT_EQ(PaletteColor(c.index), c.colour) << c.index;
    }
}

}  // namespace
}  // namespace vyra::gfx
