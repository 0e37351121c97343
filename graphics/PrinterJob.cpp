#include "PrinterJob.h"

#include "PainterCanvas.h"

#include "Captions.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

std::unique_ptr<QPrinter> OpenDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QString::fromUtf8(kProgramTitle));
    return printer;
}

}  // namespace vyra::gfx
