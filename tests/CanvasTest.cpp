#include "Canvas.h"
#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <numbers>

namespace vyra::gfx {
namespace {

using test::RecordingCanvas;

constexpr double kTol = 1e-9;
constexpr double kPi = std::numbers::pi;
constexpr double kTwipsPerMillimetre = 1440 / 25.4;

// 10 by 20 inches.
RecordingCanvas Area() { return RecordingCanvas(14400, 28800); }

// The unit changes the numbers, never the physical position: a new unit puts
// the origin back to the corner, a moved origin keeps the current point.
TEST(Canvas, UnitsAndOriginsKeepThePhysicalPosition)
{
    RecordingCanvas canvas = Area();
    canvas.SetScaleMode(ScaleMode::Characters);
    EXPECT_EQ(std::pair(canvas.ScaleWidth(), canvas.ScaleHeight()), std::pair(120.0, 120.0));
    canvas.SetScaleLeft(3);
    canvas.SetScaleTop(-2);
    canvas.SetCurrentX(13);  // 10 cells from the left edge
    canvas.SetCurrentY(3);  // 5 rows from the top edge
    canvas.SetScaleMode(ScaleMode::Millimetres);
    EXPECT_EQ(canvas.ScaleLeft(), 0);
    EXPECT_NEAR(canvas.ScaleWidth(), 254, kTol);
    EXPECT_NEAR(canvas.CurrentX(), 1200 / kTwipsPerMillimetre, kTol);
    EXPECT_NEAR(canvas.CurrentY(), 1200 / kTwipsPerMillimetre, kTol);
    canvas.SetScaleLeft(-canvas.CurrentX());
    canvas.SetScaleTop(-canvas.CurrentY());
    EXPECT_NEAR(canvas.CurrentX(), 0, kTol);
    EXPECT_NEAR(canvas.CurrentY(), 0, kTol);
    canvas.Line(0, 0, 10, 0, PaletteColor(0));
    canvas.SetScaleMode(ScaleMode::Twips);
    EXPECT_NEAR(canvas.CurrentX(), 1200 + 10 * kTwipsPerMillimetre, kTol) << "a line ends at its second point";
    EXPECT_NEAR(canvas.CurrentY(), 1200, kTol);
}

// Arcs run counter-clockwise from start to end, through 0 if need be; the
// same start and end is no arc, 0 to 2 pi a circle.
TEST(Canvas, ArcSweepsCounterClockwiseFromStartToEnd)
{
    const struct {
        double start, end, sweep;  // degrees
    } cases[] = {{0, 90, 90}, {340, 20, 40}, {20, 340, 320}, {270, 0, 90}, {0, 360, 360}, {45, 45, 0}, {0, 0, 0}};
    RecordingCanvas canvas = Area();
    for (const auto& c : cases) {
        canvas.Arc(100, 200, 50, PaletteColor(0), c.start * kPi / 180, c.end * kPi / 180);
        EXPECT_NEAR(canvas.CallsOf(test::CanvasCall::Kind::Arc).back().sweep, c.sweep * kPi / 180, kTol)
            << c.start << " to " << c.end;
    }
    canvas.Circle(100, 200, 50, PaletteColor(0));
    EXPECT_NEAR(canvas.CallsOf(test::CanvasCall::Kind::Arc).back().sweep, 2 * kPi, kTol);
    // An index past the palette falls back to black.
    EXPECT_EQ(PaletteColor(16), (Rgb{0, 0, 0}));
    EXPECT_EQ(PaletteColor(-1), (Rgb{0, 0, 0}));
}

// Keep moves along by the text's width; End goes to ScaleLeft on the next line.
TEST(Canvas, WriteTextMovesAlongOrToTheNextLine)
{
    RecordingCanvas canvas = Area();
    canvas.SetScaleMode(ScaleMode::Characters);
    canvas.SetFontSize(10);
    canvas.SetCurrentX(4);
    canvas.SetCurrentY(7);
    EXPECT_NEAR(canvas.TextWidth("Speed"), 5, kTol);  // 0.6 em of 10 pt is one cell
    canvas.WriteText("Speed", LineEnd::Keep);
    EXPECT_NEAR(canvas.CurrentX(), 9, kTol);
    EXPECT_NEAR(canvas.CurrentY(), 7, kTol);
    canvas.SetScaleLeft(-2);
    canvas.WriteText("\u03BC", LineEnd::End);
    EXPECT_NEAR(canvas.CurrentX(), -2, kTol);
    EXPECT_NEAR(canvas.CurrentY(), 7 + 10 * 20 * 1.1328 / 240, kTol);
}

}  // namespace
}  // namespace vyra::gfx
