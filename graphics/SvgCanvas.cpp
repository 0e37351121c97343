#include "SvgCanvas.h"

#include "FontMetrics.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <span>
#include <utility>

namespace vyra::gfx {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr double kTwipsPerPoint = 20;

// Two decimals at most, with a point whatever the locale: whole hundredths
// written as integers.
std::string Number(double value)
{
    const long long hundredths = std::llround(value * 100);
    const long long size = std::llabs(hundredths);
    std::string text = (hundredths < 0 ? "-" : "") + std::to_string(size / 100);
    if (size % 100 != 0) {
        text += "." + std::to_string(size % 100 / 10) + (size % 10 != 0 ? std::to_string(size % 10) : "");
    }
    return text;
}

std::string Attribute(std::string_view name, double value)
{
    return " " + std::string(name) + "=\"" + Number(value) + "\"";
}

std::string Hex(Rgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

// Character data or an attribute value: the markup characters as entities,
// and whatever XML may not hold (control characters, bytes that are not
// UTF-8) as U+FFFD, so that the document stays well-formed whatever was typed.
std::string XmlText(std::string_view text)
{
    std::string escaped;
    for (const char32_t c : CodePoints(text)) {
        switch (c) {
        case U'&':
            escaped += "&amp;";
            break;
        case U'<':
            escaped += "&lt;";
            break;
        case U'>':
            escaped += "&gt;";
            break;
        case U'"':
            escaped += "&quot;";
            break;
        case U'\'':
            escaped += "&apos;";
            break;
        default:
            AppendUtf8(escaped, c < 0x20 || c == 0xFFFE || c == 0xFFFF ? kReplacementCharacter : c);
        }
    }
    return escaped;
}

// A twips rectangle from two corners in any order.
std::string RectAttributes(double x1, double y1, double x2, double y2)
{
    return Attribute("x", std::min(x1, x2)) + Attribute("y", std::min(y1, y2)) + Attribute("width", std::fabs(x2 - x1))
           + Attribute("height", std::fabs(y2 - y1));
}

}  // namespace

SvgCanvas::SvgCanvas(double widthTwips, double heightTwips, double dotsPerInch, std::string idPrefix)
    : Canvas(widthTwips, heightTwips),
      m_widthTwips(widthTwips),
      m_heightTwips(heightTwips),
      m_twipsPerDot(kTwipsPerInch / dotsPerInch),
      m_idPrefix(std::move(idPrefix))
{
}

void SvgCanvas::Clear()
{
    m_body.clear();
    m_clipOpen = false;
    OpenClip();
}

// The clip stays on the device from one page to the next, as on a printer.
bool SvgCanvas::NewPage()
{
    if (m_ended) {
        return false;
    }
    FinishPage();
    OpenClip();
    return true;
}

bool SvgCanvas::EndDocument()
{
    if (m_ended) {
        return false;
    }
    FinishPage();
    m_ended = true;
    return true;
}

void SvgCanvas::FinishPage()
{
    CloseClip();
    m_pages.push_back("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(m_widthTwips / kTwipsPerPoint)
                      + "pt\" height=\"" + Number(m_heightTwips / kTwipsPerPoint) + "pt\" viewBox=\"0 0 "
                      + Number(m_widthTwips) + " " + Number(m_heightTwips)
                      + "\" xml:space=\"preserve\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n" + m_body
                      + "</svg>\n");
    m_body.clear();
}

void SvgCanvas::Add(const std::string& element)
{
    if (!m_ended) {
        m_body += element + "\n";
    }
}

void SvgCanvas::OpenClip()
{
    if (!m_clip || m_ended) {
        return;
    }
    const std::string id = m_idPrefix + "-" + std::to_string(++m_clipPaths);
    Add("<clipPath id=\"" + XmlText(id) + "\"><rect"
        + RectAttributes(m_clip->left, m_clip->top, m_clip->right, m_clip->bottom) + "/></clipPath>");
    Add("<g clip-path=\"url(#" + XmlText(id) + ")\">");
    m_clipOpen = true;
}

void SvgCanvas::CloseClip()
{
    if (m_clipOpen) {
        Add("</g>");
        m_clipOpen = false;
    }
}

void SvgCanvas::ApplyClip(const std::optional<TwipRect>& clip)
{
    CloseClip();
    m_clip = clip;
    OpenClip();
}

// DrawWidth counts device dots; a pattern shows only on the thinnest pen, and
// its dashes end square, as on the desktop.
std::string SvgCanvas::Stroke(Rgb colour) const
{
    const int dots = std::max(1, DrawWidth());
    std::string stroke =
        " fill=\"none\" stroke=\"" + Hex(colour) + "\"" + Attribute("stroke-width", dots * m_twipsPerDot);
    const std::span<const double> pattern = DashPatternTwips(GetDrawStyle());
    if (dots == 1 && !pattern.empty()) {
        std::string lengths;
        for (const double length : pattern) {
            lengths += (lengths.empty() ? "" : " ") + Number(length);
        }
        stroke += " stroke-dasharray=\"" + lengths + "\" stroke-linecap=\"butt\"";
    }
    return stroke;
}

void SvgCanvas::PaintLine(double x1, double y1, double x2, double y2, Rgb colour)
{
    Add("<line" + Attribute("x1", ToTwipsX(x1)) + Attribute("y1", ToTwipsY(y1)) + Attribute("x2", ToTwipsX(x2))
        + Attribute("y2", ToTwipsY(y2)) + Stroke(colour) + "/>");
}

void SvgCanvas::PaintBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Add("<rect" + RectAttributes(ToTwipsX(x1), ToTwipsY(y1), ToTwipsX(x2), ToTwipsY(y2)) + Stroke(colour) + "/>");
}

void SvgCanvas::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    Add("<rect" + RectAttributes(ToTwipsX(x1), ToTwipsY(y1), ToTwipsX(x2), ToTwipsY(y2)) + " fill=\"" + Hex(colour)
        + "\"/>");
}

// The radius is a length along x, the same physical length upward. The
// canvas turns counter-clockwise as seen, which in SVG's downward y is the
// negative sweep direction.
void SvgCanvas::PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep)
{
    if (sweep <= 0) {
        return;
    }
    const double r = radius * UnitWidthTwips();
    const double cx = ToTwipsX(x);
    const double cy = ToTwipsY(y);
    if (sweep >= 2 * std::numbers::pi) {
        Add("<circle" + Attribute("cx", cx) + Attribute("cy", cy) + Attribute("r", r) + Stroke(colour) + "/>");
        return;
    }
    const double end = start + sweep;
    Add("<path d=\"M " + Number(cx + r * std::cos(start)) + " " + Number(cy - r * std::sin(start)) + " A " + Number(r)
        + " " + Number(r) + " 0 " + (sweep > std::numbers::pi ? "1" : "0") + " 0 " + Number(cx + r * std::cos(end))
        + " " + Number(cy - r * std::sin(end)) + "\"" + Stroke(colour) + "/>");
}

// The desktop sets a font on a device in a whole number of pixels to the
// em, and measures and places text at that size; the twips of one em there.
double SvgCanvas::DeviceEmTwips() const
{
    return std::round(Font().size * kTwipsPerPoint / m_twipsPerDot) * m_twipsPerDot;
}

// Black, as on the desktop, with the top of the line box at (x, y): the
// baseline lies one ascent below.
void SvgCanvas::PaintText(double x, double y, std::string_view text)
{
    const FaceMetrics& metrics = MetricsOf(Font());
    const double baseline = ToTwipsY(y) + DeviceEmTwips() * metrics.ascent / metrics.unitsPerEm;
    Add("<text" + Attribute("x", ToTwipsX(x)) + Attribute("y", baseline) + " font-family=\""
        + std::string(FontFamilies(metrics.face)) + "\"" + Attribute("font-size", Font().size * kTwipsPerPoint)
        + (Font().bold ? " font-weight=\"bold\"" : "") + ">" + XmlText(text) + "</text>");
}

// So that a text is as wide and a line as high as in the PDF that the same
// drawing makes at 600 dpi.
double SvgCanvas::MeasureTextWidthTwips(std::string_view text) const
{
    const double em = DeviceEmTwips();
    return TextWidthEm(MetricsOf(Font()), text, em / m_twipsPerDot) * em;
}

double SvgCanvas::MeasureTextHeightTwips(std::string_view) const
{
    const FaceMetrics& metrics = MetricsOf(Font());
    return static_cast<double>(metrics.ascent + metrics.descent) / metrics.unitsPerEm * DeviceEmTwips();
}

}  // namespace vyra::gfx
