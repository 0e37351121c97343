#include "PrinterJob.h"

#include "PainterCanvas.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace vyra::gfx {

void PrintReportOn(QPagedPaintDevice* device, const ReportRecord& record, const MessageSink& sink)
{
    QPainter painter;
    if (device != nullptr) {
        painter.begin(device);
    }
    PainterCanvas canvas(painter);
    PrintReport(canvas, record, sink);
    if (painter.isActive()) {
        painter.end();
    }
}

}  // namespace vyra::gfx
