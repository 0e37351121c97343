#include "RecordingCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>

namespace vyra::test {

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kAdvancePerEm = 0.6;
constexpr double kLineHeightPerEm = 1.1328;

// Counts characters, not bytes, so that Greek letters measure one cell each.
double CharacterCount(std::string_view text)
{
    return static_cast<double>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Format(const char* pattern, auto... values)
{
    char text[160];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// Three decimals, never "-0.000".
std::string Number(double value) { return Format("%.3f", std::fabs(value) < 5e-4 ? 0.0 : value); }

std::string Describe(const CanvasCall& c)
{
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot"};
    const std::string pen = Format(" pen %d %s #%02x%02x%02x", c.drawWidth, kStyles[static_cast<int>(c.style)],
                                   c.colour.red, c.colour.green, c.colour.blue);
    const std::string corners = Number(c.x1) + " " + Number(c.y1) + " " + Number(c.x2) + " " + Number(c.y2);
    switch (c.kind) {
    case CanvasCall::Kind::Line:
        return "line " + corners + pen;
    case CanvasCall::Kind::Box:
        return "box " + corners + pen;
    case CanvasCall::Kind::Arc:
        return "arc " + Number(c.x1) + " " + Number(c.y1) + " r " + Number(c.radius) + " from "
               + Number(c.start * 180 / std::numbers::pi) + " sweep " + Number(c.sweep * 180 / std::numbers::pi) + pen;
    case CanvasCall::Kind::Text:
        return "text " + Number(c.x1) + " " + Number(c.y1) + " \"" + c.text + "\" " + c.font.name + " "
               + Number(c.font.size) + (c.font.bold ? " bold" : "");
    case CanvasCall::Kind::Clip:
        return "clip twips " + corners;
    case CanvasCall::Kind::Clear:
        return "clear";
    case CanvasCall::Kind::NewPage:
        return "newpage";
    case CanvasCall::Kind::EndDocument:
        break;
    }
    return "enddocument";
}

struct TextBox {
    std::string text;
    double left, top, right, bottom;
};

TextBox BoxOf(const CanvasCall& call)
{
    const double cellX = call.mode == gfx::ScaleMode::Characters ? 120 : 1;
    const double cellY = call.mode == gfx::ScaleMode::Characters ? 240 : 1;
    const double em = call.font.size * kTwipsPerPoint;
    return {call.text, call.x1, call.y1, call.x1 + CharacterCount(call.text) * em * kAdvancePerEm / cellX,
            call.y1 + em * kLineHeightPerEm / cellY};
}

// Glyphs stand inside their box, so touching edges do not collide.
bool Overlap(double a1, double a2, double b1, double b2) { return a1 < b2 - 1e-6 && b1 < a2 - 1e-6; }

}  // namespace

CanvasCall RecordingCanvas::Call(CanvasCall::Kind kind, double x1, double y1, double x2, double y2,
                                 gfx::Rgb colour) const
{
    return {kind, x1, y1, x2, y2, 0, 0, 0, {}, colour, DrawWidth(), GetDrawStyle(), Font(), GetScaleMode()};
}

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasCall::Kind kind) const
{
    std::vector<CanvasCall> found;
    std::copy_if(m_calls.begin(), m_calls.end(), std::back_inserter(found),
                 [kind](const CanvasCall& c) { return c.kind == kind; });
    return found;
}

std::string RecordingCanvas::Recording() const
{
    std::string recording;
    std::optional<gfx::ScaleMode> unit;
    for (const CanvasCall& call : m_calls) {
        if (call.mode != unit) {
            unit = call.mode;
            static const char* const kUnits[] = {"", "twips", "", "", "cells", "", "mm"};
            recording += std::string("unit ") + kUnits[static_cast<int>(call.mode)] + "\n";
        }
        recording += Describe(call) + "\n";
    }
    return recording;
}

void RecordingCanvas::Clear() { Record(Call(CanvasCall::Kind::Clear)); }

bool RecordingCanvas::NewPage()
{
    Record(Call(CanvasCall::Kind::NewPage));
    return !m_failed;
}

bool RecordingCanvas::EndDocument()
{
    Record(Call(CanvasCall::Kind::EndDocument));
    return !m_failed;
}

void RecordingCanvas::PaintLine(double x1, double y1, double x2, double y2, gfx::Rgb colour)
{
    Record(Call(CanvasCall::Kind::Line, x1, y1, x2, y2, colour));
}

void RecordingCanvas::PaintBox(double x1, double y1, double x2, double y2, gfx::Rgb colour)
{
    Record(Call(CanvasCall::Kind::Box, x1, y1, x2, y2, colour));
}

void RecordingCanvas::PaintArc(double x, double y, double radius, gfx::Rgb colour, double start, double sweep)
{
    CanvasCall call = Call(CanvasCall::Kind::Arc, x, y, 0, 0, colour);
    call.radius = radius;
    call.start = start;
    call.sweep = sweep;
    Record(call);
}

void RecordingCanvas::PaintText(double x, double y, std::string_view text)
{
    CanvasCall call = Call(CanvasCall::Kind::Text, x, y);
    call.text = std::string(text);
    Record(call);
}

double RecordingCanvas::MeasureTextWidthTwips(std::string_view text) const
{
    return CharacterCount(text) * Font().size * kTwipsPerPoint * kAdvancePerEm;
}

double RecordingCanvas::MeasureTextHeightTwips(std::string_view) const
{
    return Font().size * kTwipsPerPoint * kLineHeightPerEm;
}

void RecordingCanvas::ApplyClip(const std::optional<gfx::TwipRect>& clip)
{
    const gfx::TwipRect r = clip.value_or(gfx::TwipRect{});
    Record(Call(CanvasCall::Kind::Clip, r.left, r.top, r.right, r.bottom));
}

std::vector<std::string> TextCollisions(const RecordingCanvas& canvas, double clearance)
{
    std::vector<TextBox> boxes;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        if (call.text.find_first_not_of(' ') != std::string::npos) {
            boxes.push_back(BoxOf(call));
        }
    }
    std::vector<std::string> found;
    for (const CanvasCall& line : canvas.CallsOf(CanvasCall::Kind::Line)) {
        for (const TextBox& box : boxes) {
            const double inked = (box.bottom - box.top) / 4;  // the blank above and below the glyphs
            if (line.x1 == line.x2
                && Overlap(box.top + inked, box.bottom - inked, std::min(line.y1, line.y2), std::max(line.y1, line.y2))
                && Overlap(box.left - clearance, box.right + clearance, line.x1, line.x1)) {
                found.push_back("\"" + box.text + "\" over the rule at x " + std::to_string(line.x1));
            }
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const TextBox& a = boxes[i];
            const TextBox& b = boxes[j];
            if (Overlap(a.left, a.right, b.left, b.right) && Overlap(a.top, a.bottom, b.top, b.bottom)) {
                found.push_back("\"" + a.text + "\" over \"" + b.text + "\"");
            }
        }
    }
    return found;
}

}  // namespace vyra::test
