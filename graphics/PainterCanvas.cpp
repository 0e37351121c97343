#include "PainterCanvas.h"

#include "Angles.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPrinter>
#include <QString>

#include <algorithm>
#include <array>
#include <numbers>
#include <span>

namespace vyra::gfx {

namespace {

constexpr double kTwipsPerInch = 1440;
// Only used when the painter never became active: every drawing call is then
// dropped and the canvas reports the failure, but text must still measure.
constexpr double kFallbackDpi = 96;

double LogicalDpiX(const QPaintDevice* device) { return device != nullptr ? device->logicalDpiX() : kFallbackDpi; }

double LogicalDpiY(const QPaintDevice* device) { return device != nullptr ? device->logicalDpiY() : kFallbackDpi; }

double AreaWidthTwips(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->width() * kTwipsPerInch / LogicalDpiX(device) : 0;
}

double AreaHeightTwips(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    return device != nullptr ? device->height() * kTwipsPerInch / LogicalDpiY(device) : 0;
}

QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

// The drawings and screens ask for Courier New (and its Central European
// variant) and for Symbol; Liberation Mono has Courier New's metrics, and the
// Greek letters are written as Unicode, which a symbol-encoded face would
// show blank, so Symbol goes to the same face.
constexpr std::array<const char*, 3> kCourierNames{"Courier New", "Courier New CE", "Symbol"};
constexpr const char* kCourierStandIn = "Liberation Mono";

QString FaceFor(const std::string& name)
{
    for (const char* courier : kCourierNames) {
        if (name == courier) {
            return QString::fromLatin1(kCourierStandIn);
        }
    }
    return QString::fromStdString(name);
}

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void SubstituteCourierNew()
{
    for (const char* courier : kCourierNames) {
        QFont::insertSubstitution(QString::fromLatin1(courier), QString::fromLatin1(kCourierStandIn));
    }
}

PainterCanvas::PainterCanvas(QPainter& painter)
    : Canvas(AreaWidthTwips(painter), AreaHeightTwips(painter)),
      m_painter(painter),
      m_device(painter.device()),
      m_printer(dynamic_cast<QPrinter*>(m_device)),
      m_dpiX(LogicalDpiX(m_device)),
      m_dpiY(LogicalDpiY(m_device))
{
}

QPointF PainterCanvas::ToDevice(double x, double y) const
{
    return {ToTwipsX(x) * m_dpiX / kTwipsPerInch, ToTwipsY(y) * m_dpiY / kTwipsPerInch};
}

// DrawWidth counts device dots. A pattern shows only on the thinnest pen;
// QPen takes its dash lengths in pen widths, which at width 1 are pixels.
QPen PainterCanvas::PenFor(Rgb colour) const
{
    QPen pen(ToQColor(colour));
    const int width = std::max(1, DrawWidth());
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    const std::span<const double> twips = DashPatternTwips(GetDrawStyle());
    if (width == 1 && !twips.empty()) {
        QList<qreal> pattern;
        for (const double length : twips) {
            pattern.append(std::max(1.0, length * m_dpiX / kTwipsPerInch));
        }
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(pattern);
    }
    return pen;
}

// The point size holds on every device: Qt scales it by the device's own
// logical resolution. The character set needs no mapping, the text is Unicode.
QFont PainterCanvas::DeviceFont() const
{
    QFont font(FaceFor(Font().name));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(Font().size);
    font.setBold(Font().bold);
    return font;
}

bool PainterCanvas::PrinterInError() const
{
    return m_printer != nullptr && m_printer->printerState() == QPrinter::Error;
}

void PainterCanvas::Clear()
{
    if (m_painter.isActive()) {
        const QPaintDevice* device = m_painter.device();
        m_painter.fillRect(QRectF(0, 0, device->width(), device->height()), Qt::white);
    }
}

bool PainterCanvas::NewPage()
{
    if (!m_painter.isActive()) {
        return false;
    }
    auto* paged = dynamic_cast<QPagedPaintDevice*>(m_device);
    if (paged == nullptr) {
        return true;
    }
    const bool started = paged->newPage();
    m_failed = m_failed || !started;
    return started;
}

bool PainterCanvas::EndDocument()
{
    if (!m_painter.isActive()) {
        return false;
    }
    const bool ended = m_painter.end() && !PrinterInError();
    m_ended = true;
    m_failed = m_failed || !ended;
    return ended;
}

// After a clean EndDocument the painter is inactive by design, not failed.
bool PainterCanvas::Failed() const { return m_failed || PrinterInError() || (!m_ended && !m_painter.isActive()); }

void PainterCanvas::PaintLine(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!m_painter.isActive()) {
        return;
    }
    m_painter.setPen(PenFor(colour));
    m_painter.drawLine(QLineF(ToDevice(x1, y1), ToDevice(x2, y2)));
}

void PainterCanvas::PaintBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!m_painter.isActive()) {
        return;
    }
    m_painter.setPen(PenFor(colour));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized());
}

void PainterCanvas::PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour)
{
    if (!m_painter.isActive()) {
        return;
    }
    m_painter.fillRect(QRectF(ToDevice(x1, y1), ToDevice(x2, y2)).normalized(), ToQColor(colour));
}

// The radius is a length along x; it stays the same physical length upward,
// so the circle is round on devices with unequal resolutions too. Qt counts
// positive angles counter-clockwise as seen, like the canvas.
void PainterCanvas::PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep)
{
    if (!m_painter.isActive() || sweep <= 0) {
        return;
    }
    const double radiusTwips = radius * UnitWidthTwips();
    const QPointF centre = ToDevice(x, y);
    const double rx = radiusTwips * m_dpiX / kTwipsPerInch;
    const double ry = radiusTwips * m_dpiY / kTwipsPerInch;
    m_painter.setPen(PenFor(colour));
    m_painter.setBrush(Qt::NoBrush);
    if (sweep >= 2 * std::numbers::pi) {
        m_painter.drawEllipse(centre, rx, ry);
        return;
    }
    const QRectF bounds(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    QPainterPath path;
    path.arcMoveTo(bounds, Degrees(start));
    path.arcTo(bounds, Degrees(start), Degrees(sweep));
    m_painter.drawPath(path);
}

// Black, with the top of the line box (not the baseline) at (x, y).
void PainterCanvas::PaintText(double x, double y, std::string_view text)
{
    if (!m_painter.isActive()) {
        return;
    }
    const QFont font = DeviceFont();
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QPointF topLeft = ToDevice(x, y);
    const QFontMetricsF metrics(font, m_device);
    m_painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), FromUtf8(text));
}

void PainterCanvas::ApplyClip(const std::optional<TwipRect>& clip)
{
    if (!m_painter.isActive()) {
        return;
    }
    if (!clip) {
        m_painter.setClipping(false);
        return;
    }
    const double x = m_dpiX / kTwipsPerInch;
    const double y = m_dpiY / kTwipsPerInch;
    m_painter.setClipRect(QRectF(QPointF(clip->left * x, clip->top * y), QPointF(clip->right * x, clip->bottom * y)));
}

double PainterCanvas::MeasureTextWidthTwips(std::string_view text) const
{
    const QFontMetricsF metrics(DeviceFont(), m_device);
    return metrics.horizontalAdvance(FromUtf8(text)) * kTwipsPerInch / m_dpiX;
}

double PainterCanvas::MeasureTextHeightTwips(std::string_view) const
{
    const QFontMetricsF metrics(DeviceFont(), m_device);
    return metrics.height() * kTwipsPerInch / m_dpiY;
}

}  // namespace vyra::gfx
