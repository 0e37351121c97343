#include "CaptionFrame.h"

#include <QFontMetrics>
#include <QPainter>

namespace vyra::ui {

namespace {

// Pixels between the frame's left edge and the caption, and round the caption.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

}  // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) { }

void CaptionFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int border = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, border, -1, -1));
    const QRect caption(kCaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding, metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace vyra::ui
