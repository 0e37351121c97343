#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vyra::gfx {

// Units of the canvas scale; the values are the scale mode numbers.
enum class ScaleMode : int {
    Twips = 1,  // 1/1440 inch
    Characters = 4,  // cells of 120 twips wide by 240 twips high
    Millimetres = 6,
};

// Pen styles; anything but Solid shows only at a pen width of 1.
enum class DrawStyle : int { Solid = 0, Dash = 1, Dot = 2, DashDot = 3 };

// The style's on/off lengths in twips, so that a pattern looks the same on a
// screen and on a fine printer: 6 pt dashes, 1.5 pt dots, gaps of 2 to 3 pt.
// None for Solid.
std::span<const double> DashPatternTwips(DrawStyle style);

// How WriteText leaves the current position: Keep moves it past the text on
// the same line, End returns to the left edge of the next line.
enum class LineEnd { Keep, End };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

// The 16-colour palette: 0 black, 9 light blue, 10 light green, 11 light
// cyan, 12 light red, and the other classic entries. Indices outside 0..15
// give black.
Rgb PaletteColor(int index);

// A rectangle on the device, in twips from the top-left of the drawable area.
struct TwipRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool operator==(const TwipRect&) const = default;
};

struct CanvasFont {
    std::string name = "Courier New";
    double size = 9;  // points
    bool bold = false;

    bool operator==(const CanvasFont&) const = default;
};

// The drawing surface shared by the sketch area, the printer page, images
// and PDF files. Coordinates are in the current scale unit with x to the
// right and y downward, relative to ScaleLeft/ScaleTop; the canvas keeps the
// physical current position when the unit or the origin changes.
//
// The scale, the current position and the pen and font members live here;
// a realisation only paints and measures, in the current unit, converting
// through ToTwipsX/ToTwipsY where it needs physical positions.
class Canvas {
public:
    // The drawable area in twips: the sketch area, or the printable area of a page.
    Canvas(double widthTwips, double heightTwips);
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    ScaleMode GetScaleMode() const { return m_scaleMode; }
    // Puts ScaleLeft and ScaleTop back to 0.
    void SetScaleMode(ScaleMode mode);
    double ScaleLeft() const { return m_scaleLeft; }
    double ScaleTop() const { return m_scaleTop; }
    void SetScaleLeft(double left) { m_scaleLeft = left; }
    void SetScaleTop(double top) { m_scaleTop = top; }
    double ScaleWidth() const;
    double ScaleHeight() const;

    double CurrentX() const;
    double CurrentY() const;
    void SetCurrentX(double x);
    void SetCurrentY(double y);

    int DrawWidth() const { return m_drawWidth; }  // device dots
    void SetDrawWidth(int dots) { m_drawWidth = dots; }
    DrawStyle GetDrawStyle() const { return m_drawStyle; }
    void SetDrawStyle(DrawStyle style) { m_drawStyle = style; }

    const CanvasFont& Font() const { return m_font; }
    void SetFontName(std::string_view name) { m_font.name = name; }
    void SetFontSize(double points) { m_font.size = points; }
    void SetFontBold(bool bold) { m_font.bold = bold; }

    // A segment; the current position ends at (x2, y2).
    void Line(double x1, double y1, double x2, double y2, Rgb colour);
    // The outline of the rectangle with corners (x1, y1) and (x2, y2).
    void Box(double x1, double y1, double x2, double y2, Rgb colour);
    // The rectangle filled with the colour, without an outline.
    void FilledBox(double x1, double y1, double x2, double y2, Rgb colour);
    // A full circle; the radius is in units of x. The current position ends
    // at the centre.
    void Circle(double x, double y, double radius, Rgb colour);
    // The arc drawn counter-clockwise as seen from start to end (radians,
    // 0 along +x); an end below the start passes through 0.
    void Arc(double x, double y, double radius, Rgb colour, double start, double end);
    // The text with its top-left corner at the current position.
    void WriteText(std::string_view text, LineEnd end);
    double TextWidth(std::string_view text) const;
    double TextHeight(std::string_view text) const;

    // Cuts off whatever is drawn outside the rectangle with corners (x1, y1)
    // and (x2, y2) until ResetClip. The rectangle stays where it is on the
    // device when the unit or the origin changes.
    void ClipTo(double x1, double y1, double x2, double y2);
    void ResetClip();

    // Sketch area: erases everything drawn to the background.
    virtual void Clear() { }
    // Page realisations: end the page and start the next; finish the
    // document. Both report success.
    virtual bool NewPage() { return true; }
    virtual bool EndDocument() { return true; }
    // Whether the device has failed since it was opened (a printer that
    // could not be opened or stopped taking pages).
    virtual bool Failed() const { return false; }

protected:
    double ToTwipsX(double x) const;
    double ToTwipsY(double y) const;
    double UnitWidthTwips() const;
    double UnitHeightTwips() const;

    // What a realisation paints and measures, in the current unit.
    virtual void PaintLine(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void PaintBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // sweep: radians counter-clockwise from start, 2 pi for a full circle.
    virtual void PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep) = 0;
    virtual void PaintText(double x, double y, std::string_view text) = 0;
    virtual double MeasureTextWidthTwips(std::string_view text) const = 0;
    virtual double MeasureTextHeightTwips(std::string_view text) const = 0;
    // The clip rectangle in twips from the top-left of the area, or none.
    virtual void ApplyClip(const std::optional<TwipRect>& clip) = 0;

private:
    double m_widthTwips;
    double m_heightTwips;
    ScaleMode m_scaleMode = ScaleMode::Twips;
    double m_scaleLeft = 0;
    double m_scaleTop = 0;
    double m_currentXTwips = 0;  // physical, from the top-left of the area
    double m_currentYTwips = 0;
    int m_drawWidth = 1;
    DrawStyle m_drawStyle = DrawStyle::Solid;
    CanvasFont m_font;
};

}  // namespace vyra::gfx
