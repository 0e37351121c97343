#include "RecordingCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

namespace vyra::test {

namespace {

constexpr double kTwipsPerPoint = 20;
constexpr double kAdvancePerEm = 0.6;
constexpr double kLineHeightPerEm = 1.1328;

// Counts characters, not bytes, so that Greek letters written in UTF-8
// measure one cell each.
double CharacterCount(std::string_view text)
{
    double count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace

CanvasCall RecordingCanvas::Call(CanvasCall::Kind kind) const
{
    CanvasCall call;
    call.kind = kind;
    call.drawWidth = DrawWidth();
    call.style = GetDrawStyle();
    call.font = Font();
    call.mode = GetScaleMode();
    return call;
}

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasCall::Kind kind) const
{
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : m_calls) {
        if (call.kind == kind) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<CanvasCall> RecordingCanvas::TextCalls(const std::string& text) const
{
    std::vector<CanvasCall> found;
    for (const CanvasCall& call : m_calls) {
        if (call.kind == CanvasCall::Kind::Text && call.text == text) {
            found.push_back(call);
        }
    }
    return found;
}

void RecordingCanvas::Clear() { m_calls.push_back(Call(CanvasCall::Kind::Clear)); }

bool RecordingCanvas::NewPage()
{
    m_calls.push_back(Call(CanvasCall::Kind::NewPage));
    return !m_failed;
}

bool RecordingCanvas::EndDocument()
{
    m_calls.push_back(Call(CanvasCall::Kind::EndDocument));
    return !m_failed;
}

void RecordingCanvas::RecordCorners(CanvasCall::Kind kind, double x1, double y1, double x2, double y2,
                                    gfx::Rgb colour)
{
    CanvasCall call = Call(kind);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    m_calls.push_back(call);
}

void RecordingCanvas::PaintLine(double x1, double y1, double x2, double y2, gfx::Rgb colour)
{
    RecordCorners(CanvasCall::Kind::Line, x1, y1, x2, y2, colour);
}

void RecordingCanvas::PaintBox(double x1, double y1, double x2, double y2, gfx::Rgb colour)
{
    RecordCorners(CanvasCall::Kind::Box, x1, y1, x2, y2, colour);
}

void RecordingCanvas::PaintArc(double x, double y, double radius, gfx::Rgb colour, double start, double sweep)
{
    CanvasCall call = Call(CanvasCall::Kind::Arc);
    call.x1 = x;
    call.y1 = y;
    call.radius = radius;
    call.start = start;
    call.sweep = sweep;
    call.colour = colour;
    m_calls.push_back(call);
}

void RecordingCanvas::PaintText(double x, double y, std::string_view text)
{
    CanvasCall call = Call(CanvasCall::Kind::Text);
    call.x1 = x;
    call.y1 = y;
    call.text = std::string(text);
    m_calls.push_back(call);
}

void RecordingCanvas::ApplyClip(const std::optional<gfx::TwipRect>& clip)
{
    const gfx::TwipRect rect = clip.value_or(gfx::TwipRect{});
    RecordCorners(CanvasCall::Kind::Clip, rect.left, rect.top, rect.right, rect.bottom, {});
}

double RecordingCanvas::MeasureTextWidthTwips(std::string_view text) const
{
    return CharacterCount(text) * Font().size * kTwipsPerPoint * kAdvancePerEm;
}

double RecordingCanvas::MeasureTextHeightTwips(std::string_view) const
{
    return Font().size * kTwipsPerPoint * kLineHeightPerEm;
}

namespace {

const char* UnitName(gfx::ScaleMode mode)
{
    switch (mode) {
    case gfx::ScaleMode::Characters:
        return "cells";
    case gfx::ScaleMode::Millimetres:
        return "mm";
    case gfx::ScaleMode::Twips:
        break;
    }
    return "twips";
}

const char* StyleName(gfx::DrawStyle style)
{
    switch (style) {
    case gfx::DrawStyle::Dash:
        return "dash";
    case gfx::DrawStyle::Dot:
        return "dot";
    case gfx::DrawStyle::DashDot:
        return "dashdot";
    case gfx::DrawStyle::Solid:
        break;
    }
    return "solid";
}

// Three decimals, and never "-0.000".
std::string Number(double value)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.3f", std::fabs(value) < 5e-4 ? 0.0 : value);
    return text.data();
}

std::string Pen(const CanvasCall& call)
{
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), " pen %d %s #%02x%02x%02x", call.drawWidth, StyleName(call.style),
                  call.colour.red, call.colour.green, call.colour.blue);
    return text.data();
}

std::string Degrees(double radians) { return Number(radians * 180 / 3.14159265358979323846); }

std::string Describe(const CanvasCall& call)
{
    using Kind = CanvasCall::Kind;
    const std::string corners
        = Number(call.x1) + " " + Number(call.y1) + " " + Number(call.x2) + " " + Number(call.y2);
    switch (call.kind) {
    case Kind::Line:
        return "line " + corners + Pen(call);
    case Kind::Box:
        return "box " + corners + Pen(call);
    case Kind::Arc:
        return "arc " + Number(call.x1) + " " + Number(call.y1) + " r " + Number(call.radius) + " from "
               + Degrees(call.start) + " sweep " + Degrees(call.sweep) + Pen(call);
    case Kind::Text:
        return "text " + Number(call.x1) + " " + Number(call.y1) + " \"" + call.text + "\" " + call.font.name + " "
               + Number(call.font.size) + (call.font.bold ? " bold" : "");
    case Kind::Clip:
        return "clip twips " + corners;
    case Kind::Clear:
        return "clear";
    case Kind::NewPage:
        return "newpage";
    case Kind::EndDocument:
        return "enddocument";
    }
    return "?";
}

}  // namespace

std::string RecordingCanvas::Recording() const
{
    std::string recording;
    std::optional<gfx::ScaleMode> unit;
    for (const CanvasCall& call : m_calls) {
        if (call.mode != unit) {
            unit = call.mode;
            recording += std::string("unit ") + UnitName(call.mode) + "\n";
        }
        recording += Describe(call) + "\n";
    }
    return recording;
}

namespace {

constexpr double kSamePosition = 1e-9;

bool Near(double a, double b) { return std::fabs(a - b) < kSamePosition; }

}  // namespace

std::string TextAt(const RecordingCanvas& canvas, double x, double y)
{
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        if (Near(call.x1, x) && Near(call.y1, y)) {
            return call.text;
        }
    }
    return "<none>";
}

namespace {

struct TextBox {
    std::string text;
    double left, top, right, bottom;
};

double UnitTwipsX(gfx::ScaleMode mode) { return mode == gfx::ScaleMode::Characters ? 120 : 1; }
double UnitTwipsY(gfx::ScaleMode mode) { return mode == gfx::ScaleMode::Characters ? 240 : 1; }

TextBox BoxOf(const CanvasCall& call)
{
    const double width = CharacterCount(call.text) * call.font.size * kTwipsPerPoint * kAdvancePerEm;
    const double height = call.font.size * kTwipsPerPoint * kLineHeightPerEm;
    return {call.text, call.x1, call.y1, call.x1 + width / UnitTwipsX(call.mode),
            call.y1 + height / UnitTwipsY(call.mode)};
}

// Glyphs stand inside the line box, not on its edges.
bool Overlap(double a1, double a2, double b1, double b2) { return a1 < b2 - 1e-6 && b1 < a2 - 1e-6; }

}  // namespace

std::vector<std::string> TextCollisions(const RecordingCanvas& canvas, double clearance)
{
    std::vector<TextBox> boxes;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        if (!call.text.empty() && call.text.find_first_not_of(' ') != std::string::npos) {
            boxes.push_back(BoxOf(call));
        }
    }
    std::vector<std::string> found;
    for (const CanvasCall& line : canvas.CallsOf(CanvasCall::Kind::Line)) {
        if (!Near(line.x1, line.x2)) {
            continue;
        }
        for (const TextBox& box : boxes) {
            const double inner = (box.bottom - box.top) / 4;  // the line box's blank above and below the ink
            if (Overlap(box.top + inner, box.bottom - inner, std::min(line.y1, line.y2), std::max(line.y1, line.y2))
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

bool HasLine(const std::vector<CanvasCall>& lines, double x1, double y1, double x2, double y2, int pen)
{
    for (const CanvasCall& l : lines) {
        if (Near(l.x1, x1) && Near(l.y1, y1) && Near(l.x2, x2) && Near(l.y2, y2) && l.drawWidth == pen) {
            return true;
        }
    }
    return false;
}

}  // namespace vyra::test
