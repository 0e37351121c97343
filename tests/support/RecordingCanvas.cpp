#include "RecordingCanvas.h"

#include <cmath>

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

double RecordingCanvas::MeasureTextWidthTwips(std::string_view text) const
{
    return CharacterCount(text) * Font().size * kTwipsPerPoint * kAdvancePerEm;
}

double RecordingCanvas::MeasureTextHeightTwips(std::string_view) const
{
    return Font().size * kTwipsPerPoint * kLineHeightPerEm;
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
