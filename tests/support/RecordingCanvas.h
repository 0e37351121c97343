#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

namespace vyra::test {

// One call on the canvas, with its coordinates in the unit that was current.
struct CanvasCall {
    enum class Kind { Line, Box, Arc, Text, Clear, NewPage, EndDocument, Clip, Fill };
    Kind kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line, Box, Fill: corners; Arc, Text: x1, y1; Clip: twips, 0 for none
    double radius = 0, start = 0, sweep = 0;  // Arc; a full circle sweeps 2 pi
    std::string text;
    gfx::Rgb colour;
    int drawWidth = 1;
    gfx::DrawStyle style = gfx::DrawStyle::Solid;
    gfx::CanvasFont font;
    gfx::ScaleMode mode = gfx::ScaleMode::Twips;
    int page = 0;  // the NewPage calls before it
};

// A canvas that draws nothing, never fails and logs every call. Text
// measures as Liberation Mono, Courier New's stand-in: 0.6 em a character,
// 1.1328 em high.
class RecordingCanvas : public gfx::Canvas {
public:
    using Canvas::Canvas;

    std::vector<CanvasCall> CallsOf(CanvasCall::Kind kind) const;
    // Every call as a line of text, for the golden files: the kind, its
    // coordinates to three decimals (angles in degrees), then the pen or the
    // font; a line "unit ..." before the first call in a new scale unit.
    std::string Recording() const;

    void Clear() override { Record(CanvasCall::Kind::Clear); }
    bool NewPage() override
    {
        Record(CanvasCall::Kind::NewPage);
        return ++m_page > 0;
    }
    bool EndDocument() override { return Record(CanvasCall::Kind::EndDocument); }

protected:
    void PaintLine(double x1, double y1, double x2, double y2, gfx::Rgb colour) override
    {
        Record(CanvasCall::Kind::Line, x1, y1, x2, y2, colour);
    }
    void PaintBox(double x1, double y1, double x2, double y2, gfx::Rgb colour) override
    {
        Record(CanvasCall::Kind::Box, x1, y1, x2, y2, colour);
    }
    void PaintFilledBox(double x1, double y1, double x2, double y2, gfx::Rgb colour) override
    {
        Record(CanvasCall::Kind::Fill, x1, y1, x2, y2, colour);
    }
    void PaintArc(double x, double y, double radius, gfx::Rgb colour, double start, double sweep) override
    {
        Record(CanvasCall::Kind::Arc, x, y, 0, 0, colour, radius, start, sweep);
    }
    void PaintText(double x, double y, std::string_view text) override
    {
        Record(CanvasCall::Kind::Text, x, y, 0, 0, {}, 0, 0, 0, std::string(text));
    }
    double MeasureTextWidthTwips(std::string_view text) const override;
    double MeasureTextHeightTwips(std::string_view text) const override;
    void ApplyClip(const std::optional<gfx::TwipRect>& clip) override;

private:
    // Logs the call with the pen, font and unit now current; the device
    // takes every page.
    bool Record(CanvasCall::Kind kind, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0, gfx::Rgb colour = {},
                double radius = 0, double start = 0, double sweep = 0, std::string text = {});

    std::vector<CanvasCall> m_calls;
    int m_page = 0;
};

// One description per collision on a page: a text whose box, widened by
// clearance, reaches over a vertical rule of its unit (unless rules is
// false: charts' grid lines cross their labels), or two texts that overlap or
// come closer side by side than gap twips.
std::vector<std::string> TextCollisions(const RecordingCanvas& canvas, double clearance, bool rules = true,
                                        double gap = 0);

}  // namespace vyra::test
