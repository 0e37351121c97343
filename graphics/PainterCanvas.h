#pragma once

#include "Canvas.h"

class QFont;
class QPaintDevice;
class QPainter;
class QPen;
class QPointF;
class QPrinter;

namespace vyra::gfx {

// Courier New, Courier New CE and Symbol are shown in Liberation Mono, which
// has Courier New's metrics, for every font of the process: the program,
// its twin and the screen tests call this once, before any screen is built.
void SubstituteCourierNew();

// The canvas on an active QPainter, whatever its device: a screen widget,
// an image, the system printer or a PDF file. The drawable area is the whole
// device (a printer's or PDF writer's printable area); twips become device
// pixels through the device's logical resolution.
class PainterCanvas : public Canvas {
public:
    explicit PainterCanvas(QPainter& painter);

    // Fills the area with white.
    void Clear() override;
    // For paged devices (printer, PDF writer): the next page; false when the
    // device refuses it.
    bool NewPage() override;
    // Ends the painting, which sends a printer's job or writes a PDF file.
    bool EndDocument() override;
    bool Failed() const override;

protected:
    void PaintLine(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintFilledBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void PaintArc(double x, double y, double radius, Rgb colour, double start, double sweep) override;
    void PaintText(double x, double y, std::string_view text) override;
    double MeasureTextWidthTwips(std::string_view text) const override;
    double MeasureTextHeightTwips(std::string_view text) const override;
    void ApplyClip(const std::optional<TwipRect>& clip) override;

private:
    // Device pixels of a point in the current unit.
    QPointF ToDevice(double x, double y) const;
    QPen PenFor(Rgb colour) const;
    QFont DeviceFont() const;
    bool PrinterInError() const;

    QPainter& m_painter;
    QPaintDevice* m_device;  // null when the painter never became active
    QPrinter* m_printer;  // the device, when it is a printer
    double m_dpiX;  // device pixels per inch
    double m_dpiY;
    bool m_ended = false;
    bool m_failed = false;
};

}  // namespace vyra::gfx
