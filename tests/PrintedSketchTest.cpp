#include "PrintedSketch.h"
#include "RecordingCanvas.h"
#include "SketchInputs.h"
#include "Sketch.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr double kTwipsPerMm = 1440.0 / 25.4;
constexpr double kTol = 1e-9;        // millimetres
constexpr double kTwipsTol = 1e-6;   // twips, after unit conversions
constexpr double kPageWidth = 11000;  // printable area, twips
constexpr double kFrameLeft = kPageWidth / 2;
constexpr double kFrameTop = 12 * 240;
constexpr double kFrameCentreX = kFrameLeft + 40 * kTwipsPerMm;
constexpr double kFrameCentreY = kFrameTop + 40 * kTwipsPerMm;

// Also records where the first point of each painted call lands on the
// printable area, in twips from its top-left corner whatever the origin; and
// fails the device once a number of calls have been painted.
class PlacingCanvas : public RecordingCanvas {
public:
    explicit PlacingCanvas(int failAfter) : RecordingCanvas(kPageWidth, 16000), m_failAfter(failAfter)
    {
        SetScaleMode(ScaleMode::Characters);  // as page 1 leaves it
        if (failAfter == 0) {
            FailFromNow();
        }
    }

    std::vector<SketchPoint> placed;

protected:
    void PaintLine(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        Place(x1, y1);
        RecordingCanvas::PaintLine(x1, y1, x2, y2, colour);
    }
    void PaintBox(double x1, double y1, double x2, double y2, Rgb colour) override
    {
        Place(x1, y1);
        RecordingCanvas::PaintBox(x1, y1, x2, y2, colour);
    }
    void PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep) override
    {
        Place(x, y);
        RecordingCanvas::PaintArc(x, y, radius, colour, start, sweep);
    }

private:
    void Place(double x, double y)
    {
        placed.push_back({ToTwipsX(x), ToTwipsY(y)});
        if (m_failAfter > 0 && static_cast<int>(placed.size()) >= m_failAfter) {
            FailFromNow();
        }
    }

    int m_failAfter;
};

struct Printout {
    PlacingCanvas page;
    std::vector<std::pair<std::string, std::string>> messages;

    explicit Printout(const SelectionInputs& in, int failAfter = -1) : page(failAfter)
    {
        PrintSketch(page, in, [this](const std::string& title, const std::string& text) {
            messages.emplace_back(title, text);
        });
    }

    std::vector<CanvasCall> Lines(int width) const
    {
        std::vector<CanvasCall> found;
        for (const CanvasCall& call : page.CallsOf(CanvasCall::Kind::Line)) {
            if (call.drawWidth == width) {
                found.push_back(call);
            }
        }
        return found;
    }
};

constexpr auto With = test::SketchInputs;
using test::StartingInputs;

TEST(PrintedSketch, FrameAtMiddleOfPageWidthFromRow12InMillimetres)
{
    const Printout printout(StartingInputs());
    const std::vector<CanvasCall> boxes = printout.page.CallsOf(CanvasCall::Kind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].mode, ScaleMode::Millimetres);
    EXPECT_EQ(boxes[0].drawWidth, 8);
    EXPECT_NEAR(boxes[0].x1, 0, kTol);
    EXPECT_NEAR(boxes[0].y1, 0, kTol);
    EXPECT_NEAR(boxes[0].x2, 80, kTol);
    EXPECT_NEAR(boxes[0].y2, 80, kTol);
    EXPECT_NEAR(printout.page.placed.front().x, kFrameLeft, kTwipsTol);
    EXPECT_NEAR(printout.page.placed.front().y, kFrameTop, kTwipsTol);
}

struct RollerCase {
    SelectionInputs in;
    double x, y;  // mm from the frame's centre
};

TEST(PrintedSketch, RollerCentreInWholeMillimetresFromFrameCentre)
{
    const RollerCase cases[] = {
        {StartingInputs(), -9, 3},  // e = 10: -10 cos 20 = -9.40, 10 sin 20 = 3.42
        {With(20, 80, 0, 30, 0), -10, 0},  {With(20, 80, 0, 500, 0), -10, 0}, {With(20, 80, 20, 0, 0), 0, 0},
        {With(20, 80, 0, -40, 0), 10, 0},  {With(20, 80, 0, 15, 0), -8, 0},  // -7.5 to the even -8
        {With(20, 80, 0, 13, 0), -6, 0},   // -6.5 to the even -6
        {With(20, 80, 20, 20, 1), 9, 3},   // mirrored
    };
    for (const RollerCase& c : cases) {
        const Printout printout(c.in);
        const std::string what = "l " + std::to_string(c.in.l) + " gamma " + std::to_string(c.in.gamma);
        const std::vector<CanvasCall> arcs = printout.page.CallsOf(CanvasCall::Kind::Arc);
        ASSERT_EQ(arcs.size(), 5u) << what;
        EXPECT_NEAR(arcs[0].x1, c.x, kTol) << what;
        EXPECT_NEAR(arcs[0].y1, c.y, kTol) << what;
        EXPECT_NEAR(arcs[0].radius, 10, kTol) << what;
        EXPECT_NEAR(arcs[0].sweep, 2 * std::numbers::pi, kTol) << what;
        // The origin moved onto the roller before the quarter arcs.
        const SketchPoint quarterCentre = printout.page.placed.back();
        EXPECT_NEAR(quarterCentre.x, kFrameCentreX + c.x * kTwipsPerMm, kTwipsTol) << what;
        EXPECT_NEAR(quarterCentre.y, kFrameCentreY + c.y * kTwipsPerMm, kTwipsTol) << what;
    }
}

TEST(PrintedSketch, SensorBodyAndPlusMarkLevelAtZeroGamma)
{
    for (const std::int16_t fulcrum : {0, 1}) {
        const Printout printout(With(20, 80, 0, 20, fulcrum));
        const double s = fulcrum == 0 ? 1 : -1;
        const std::vector<CanvasCall> mark = printout.Lines(2);
        const std::vector<CanvasCall> thick = printout.Lines(4);
        ASSERT_EQ(mark.size(), 2u);
        ASSERT_GE(thick.size(), 5u);
        const std::vector<std::pair<CanvasCall, std::array<double, 4>>> expected{
            {mark[0], {7 * s, 24, 11 * s, 24}}, {mark[1], {9 * s, 22, 9 * s, 26}},
            {thick[0], {-12, 20, 12, 20}},      {thick[1], {-12, 30, 12, 30}},
            {thick[2], {-12, 20, -12, 30}},     {thick[3], {12, 20, 12, 30}},
            {thick[4], {-18, 30, 18, 30}},  // base line
        };
        for (const auto& [line, ends] : expected) {
            EXPECT_NEAR(line.x1, ends[0], kTol) << "fulcrum " << fulcrum;
            EXPECT_NEAR(line.y1, ends[1], kTol) << "fulcrum " << fulcrum;
            EXPECT_NEAR(line.x2, ends[2], kTol) << "fulcrum " << fulcrum;
            EXPECT_NEAR(line.y2, ends[3], kTol) << "fulcrum " << fulcrum;
        }
    }
}

TEST(PrintedSketch, ForceArrowPointsUpFromAngleSum180)
{
    const struct {
        std::int16_t alpha, beta;
        bool up;
    } cases[] = {{20, 80, false}, {90, 89, false}, {90, 90, true}, {100, 80, true}};
    for (const auto& c : cases) {
        const Printout printout(With(c.alpha, c.beta, 20, 20, 0));
        const std::vector<CanvasCall> thick = printout.Lines(4);
        ASSERT_EQ(thick.size(), 10u);
        const CanvasCall& shaft = thick[7];  // after the body, base line and both runs
        EXPECT_NEAR(shaft.x1, 0, kTol);
        EXPECT_NEAR(shaft.y1, 0, kTol);
        EXPECT_EQ(shaft.y2 < 0, c.up) << c.alpha << "+" << c.beta;
        EXPECT_NEAR(std::hypot(shaft.x2, shaft.y2), 18, kTol) << c.alpha << "+" << c.beta;
    }
}

TEST(PrintedSketch, PensPerPartAllBlackWithoutText)
{
    const Printout printout(StartingInputs());
    std::map<std::pair<int, DrawStyle>, int> lines;
    std::map<std::pair<int, DrawStyle>, int> arcs;
    std::vector<CanvasCall> clips;
    for (const CanvasCall& call : printout.page.Calls()) {
        EXPECT_EQ(call.colour, PaletteColor(0));
        if (call.kind == CanvasCall::Kind::Clip) {
            clips.push_back(call);
            continue;
        }
        ++(call.kind == CanvasCall::Kind::Arc ? arcs : lines)[{call.drawWidth, call.style}];
    }
    const std::map<std::pair<int, DrawStyle>, int> expectedLines{
        {{8, DrawStyle::Solid}, 1},    // frame
        {{2, DrawStyle::Solid}, 2},    // plus mark
        {{4, DrawStyle::Solid}, 10},   // body, base line, runs, arrow
        {{1, DrawStyle::Dash}, 3},     // vertical through the roller, u axis, v axis through the roller
        {{1, DrawStyle::DashDot}, 1},  // v axis
    };
    const std::map<std::pair<int, DrawStyle>, int> expectedArcs{{{4, DrawStyle::Solid}, 1}, {{1, DrawStyle::Dot}, 4}};
    EXPECT_EQ(lines, expectedLines);
    EXPECT_EQ(arcs, expectedArcs);
    // Everything after the frame is clipped to it, and the clip is gone for page 2.
    ASSERT_EQ(clips.size(), 2U);
    EXPECT_NEAR(clips[0].x2 - clips[0].x1, 80 * 1440 / 25.4, 1e-6);
    EXPECT_NEAR(clips[0].y2 - clips[0].y1, 80 * 1440 / 25.4, 1e-6);
    EXPECT_EQ(clips[1].x1 + clips[1].y1 + clips[1].x2 + clips[1].y2, 0);
    EXPECT_EQ(printout.page.Calls().back().kind, CanvasCall::Kind::Clip);
}

TEST(PrintedSketch, QuarterArcsNormaliseNegativeGamma)
{
    const Printout printout(With(20, 80, -30, 20, 0));
    std::vector<std::pair<double, double>> arcs;  // start in whole degrees, radius in mm
    for (const CanvasCall& arc : printout.page.CallsOf(CanvasCall::Kind::Arc)) {
        if (arc.style == DrawStyle::Dot) {
            EXPECT_NEAR(arc.sweep, std::numbers::pi / 2, 1e-12);
            arcs.emplace_back(std::round(arc.start * 180 / std::numbers::pi), arc.radius);
        }
    }
    const std::vector<std::pair<double, double>> expected{{150, 26}, {150, 24}, {330, 26}, {330, 24}};
    EXPECT_EQ(arcs, expected);
}

TEST(PrintedSketch, PrinterTroubleReportedOnce)
{
    const struct {
        const char* name;
        int failAfter;  // painted calls before the device fails; 0 before any, -1 never
        std::size_t messages;
    } cases[] = {{"failed before", 0, 1}, {"fails at the frame", 1, 1}, {"fails mid-picture", 8, 1}, {"healthy", -1, 0}};
    for (const auto& c : cases) {
        const Printout printout(StartingInputs(), c.failAfter);
        ASSERT_EQ(printout.messages.size(), c.messages) << c.name;
        if (c.messages > 0) {
            EXPECT_EQ(printout.messages[0].first, kProgramTitle) << c.name;
            EXPECT_EQ(printout.messages[0].second, kPrinterTrouble) << c.name;
        }
        if (c.failAfter == 0) {
            EXPECT_TRUE(printout.page.Calls().empty()) << c.name;
        }
    }
}

}  // namespace
}  // namespace vyra::gfx
