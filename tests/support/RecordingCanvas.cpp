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

// Three decimals, never "-0.000".
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", std::fabs(value) < 5e-4 ? 0.0 : value);
    return text;
}

std::string Describe(const CanvasCall& c)
{
    static const char* const kStyles[] = {"solid", "dash", "dot", "dashdot"};
    char pen[48];
    std::snprintf(pen, sizeof pen, " pen %d %s #%02x%02x%02x", c.drawWidth, kStyles[static_cast<int>(c.style)],
                  c.colour.red, c.colour.green, c.colour.blue);
    const std::string at = Number(c.x1) + " " + Number(c.y1);
    const std::string corners = at + " " + Number(c.x2) + " " + Number(c.y2);
    static const char* const kNames[] = {"line ",   "box ",        "arc ",        "text ", "clear",
                                         "newpage", "enddocument", "clip twips ", "fill "};
    const std::string name = kNames[static_cast<int>(c.kind)];
    if (c.kind == CanvasCall::Kind::Arc) {
        return name + at + " r " + Number(c.radius) + " from " + Number(c.start * 180 / std::numbers::pi) + " sweep "
               + Number(c.sweep * 180 / std::numbers::pi) + pen;
    }
    if (c.kind == CanvasCall::Kind::Text) {
        return name + at + " \"" + c.text + "\" " + c.font.name + " " + Number(c.font.size)
               + (c.font.bold ? " bold" : "");
    }
    if (c.kind == CanvasCall::Kind::Fill) {
        return name + corners + std::string(pen).substr(std::string(pen).find('#') - 1);
    }
    const bool drawn = c.kind == CanvasCall::Kind::Line || c.kind == CanvasCall::Kind::Box;
    return c.kind == CanvasCall::Kind::Clip ? name + corners : drawn ? name + corners + pen : name;
}

struct TextBox {
    std::string text;
    double left, top, right, bottom;  // twips
    int page;
    gfx::ScaleMode mode;
};

// Glyphs stand inside their box, so touching edges do not collide.
bool Overlap(double a1, double a2, double b1, double b2) { return a1 < b2 - 1e-6 && b1 < a2 - 1e-6; }

}  // namespace

bool RecordingCanvas::Record(CanvasCall::Kind kind, double x1, double y1, double x2, double y2, gfx::Rgb colour,
                             double radius, double start, double sweep, std::string text)
{
    m_calls.push_back({kind, x1, y1, x2, y2, radius, start, sweep, std::move(text), colour, DrawWidth(), GetDrawStyle(),
                       Font(), GetScaleMode(), m_page});
    return true;
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
    Record(CanvasCall::Kind::Clip, r.left, r.top, r.right, r.bottom);
}

std::vector<std::string> TextCollisions(const RecordingCanvas& canvas, double clearance, bool rules, double gap)
{
    std::vector<TextBox> boxes;
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        // A cell is 120 twips wide and 240 high; the other units hold no texts
        // that share a page's lines.
        const bool cells = call.mode == gfx::ScaleMode::Characters;
        const double em = call.font.size * kTwipsPerPoint;
        if (call.text.find_first_not_of(' ') != std::string::npos && (cells || call.mode == gfx::ScaleMode::Twips)) {
            const double x = call.x1 * (cells ? 120 : 1);
            const double y = call.y1 * (cells ? 240 : 1);
            boxes.push_back({call.text, x, y, x + CharacterCount(call.text) * em * kAdvancePerEm,
                             y + em * kLineHeightPerEm, call.page, call.mode});
        }
    }
    std::vector<std::string> found;
    for (const CanvasCall& line : canvas.CallsOf(CanvasCall::Kind::Line)) {
        const double scale = line.mode == gfx::ScaleMode::Characters ? 120 : 1;
        for (const TextBox& box : boxes) {
            const double inked = (box.bottom - box.top) / 4;  // the blank above and below the glyphs
            const double y1 = std::min(line.y1, line.y2) * scale * 2, y2 = std::max(line.y1, line.y2) * scale * 2;
            if (rules && line.x1 == line.x2 && line.page == box.page && line.mode == box.mode
                && Overlap(box.top + inked, box.bottom - inked, scale == 1 ? y1 / 2 : y1, scale == 1 ? y2 / 2 : y2)
                && Overlap(box.left - clearance * scale, box.right + clearance * scale, line.x1 * scale,
                           line.x1 * scale)) {
                found.push_back("\"" + box.text + "\" over the rule at x " + std::to_string(line.x1));
            }
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const TextBox& a = boxes[i];
            const TextBox& b = boxes[j];
            if (a.page == b.page && Overlap(a.left - gap, a.right + gap, b.left, b.right)
                && Overlap(a.top, a.bottom, b.top, b.bottom)) {
                found.push_back("\"" + a.text + "\" over \"" + b.text + "\" on page " + std::to_string(a.page + 1));
            }
        }
    }
    return found;
}

}  // namespace vyra::test
