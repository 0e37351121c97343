#include "Canvas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace vyra::gfx {

namespace {

constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;
constexpr double kTwipsPerCharacterX = 120;
constexpr double kTwipsPerCharacterY = 240;

}  // namespace

std::span<const double> DashPatternTwips(DrawStyle style)
{
    static constexpr std::array<double, 2> kDash{120, 60};
    static constexpr std::array<double, 2> kDot{30, 45};
    static constexpr std::array<double, 4> kDashDot{120, 45, 30, 45};
    switch (style) {
    case DrawStyle::Dash:
        return kDash;
    case DrawStyle::Dot:
        return kDot;
    case DrawStyle::DashDot:
        return kDashDot;
    case DrawStyle::Solid:
        break;
    }
    return {};
}

Rgb PaletteColor(int index)
{
    static constexpr std::array<Rgb, 16> kPalette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    return index >= 0 && index < 16 ? kPalette[static_cast<std::size_t>(index)] : kPalette[0];
}

Canvas::Canvas(double widthTwips, double heightTwips) : m_widthTwips(widthTwips), m_heightTwips(heightTwips) { }

void Canvas::SetScaleMode(ScaleMode mode)
{
    m_scaleMode = mode;
    m_scaleLeft = 0;
    m_scaleTop = 0;
}

double Canvas::UnitWidthTwips() const
{
    switch (m_scaleMode) {
    case ScaleMode::Characters:
        return kTwipsPerCharacterX;
    case ScaleMode::Millimetres:
        return kTwipsPerMillimetre;
    case ScaleMode::Twips:
        break;
    }
    return 1;
}

double Canvas::UnitHeightTwips() const
{
    switch (m_scaleMode) {
    case ScaleMode::Characters:
        return kTwipsPerCharacterY;
    case ScaleMode::Millimetres:
        return kTwipsPerMillimetre;
    case ScaleMode::Twips:
        break;
    }
    return 1;
}

double Canvas::ScaleWidth() const { return m_widthTwips / UnitWidthTwips(); }
double Canvas::ScaleHeight() const { return m_heightTwips / UnitHeightTwips(); }

double Canvas::ToTwipsX(double x) const { return (x - m_scaleLeft) * UnitWidthTwips(); }
double Canvas::ToTwipsY(double y) const { return (y - m_scaleTop) * UnitHeightTwips(); }

double Canvas::CurrentX() const { return m_currentXTwips / UnitWidthTwips() + m_scaleLeft; }
double Canvas::CurrentY() const { return m_currentYTwips / UnitHeightTwips() + m_scaleTop; }
void Canvas::SetCurrentX(double x) { m_currentXTwips = ToTwipsX(x); }
void Canvas::SetCurrentY(double y) { m_currentYTwips = ToTwipsY(y); }

void Canvas::Line(double x1, double y1, double x2, double y2, Rgb colour)
{
    PaintLine(x1, y1, x2, y2, colour);
    SetCurrentX(x2);
    SetCurrentY(y2);
}

void Canvas::Box(double x1, double y1, double x2, double y2, Rgb colour)
{
    PaintBox(x1, y1, x2, y2, colour);
    SetCurrentX(x2);
    SetCurrentY(y2);
}

void Canvas::FilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    PaintFilledBox(x1, y1, x2, y2, colour);
    SetCurrentX(x2);
    SetCurrentY(y2);
}

void Canvas::Circle(double x, double y, double radius, Rgb colour)
{
    PaintArc(x, y, radius, colour, 0, 2 * std::numbers::pi);
    SetCurrentX(x);
    SetCurrentY(y);
}

void Canvas::Arc(double x, double y, double radius, Rgb colour, double start, double end)
{
    constexpr double kTurn = 2 * std::numbers::pi;
    double sweep = std::fmod(end - start, kTurn);
    if (sweep < 0) {
        sweep += kTurn;
    }
    // From 0 to 2 pi is the whole circle, not an empty arc.
    if (sweep == 0 && end != start) {
        sweep = kTurn;
    }
    PaintArc(x, y, radius, colour, start, sweep);
    SetCurrentX(x);
    SetCurrentY(y);
}

void Canvas::WriteText(std::string_view text, LineEnd end)
{
    PaintText(CurrentX(), CurrentY(), text);
    if (end == LineEnd::Keep) {
        m_currentXTwips += MeasureTextWidthTwips(text);
    } else {
        m_currentXTwips = 0;  // the left edge, where x is ScaleLeft
        m_currentYTwips += MeasureTextHeightTwips(text);
    }
}

void Canvas::ClipTo(double x1, double y1, double x2, double y2)
{
    ApplyClip(TwipRect{std::min(ToTwipsX(x1), ToTwipsX(x2)), std::min(ToTwipsY(y1), ToTwipsY(y2)),
                       std::max(ToTwipsX(x1), ToTwipsX(x2)), std::max(ToTwipsY(y1), ToTwipsY(y2))});
}

void Canvas::ResetClip() { ApplyClip(std::nullopt); }

double Canvas::TextWidth(std::string_view text) const { return MeasureTextWidthTwips(text) / UnitWidthTwips(); }
double Canvas::TextHeight(std::string_view text) const { return MeasureTextHeightTwips(text) / UnitHeightTwips(); }

}  // namespace vyra::gfx
