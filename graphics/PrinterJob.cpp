#include "PrinterJob.h"

#include "PainterCanvas.h"

#include "Captions.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <functional>

namespace vyra::gfx {

namespace {

void PrintJobOn(QPagedPaintDevice* device, const std::function<void(Canvas&)>& job)
{
    QPainter painter;
    if (device != nullptr) {
        painter.begin(device);
    }
    PainterCanvas canvas(painter);
    job(canvas);
    if (painter.isActive()) {
        painter.end();
    }
}

}  // namespace

void PrintReportOn(QPagedPaintDevice* device, const ReportRecord& record, const MessageSink& sink)
{
    PrintJobOn(device, [&](Canvas& canvas) { PrintReport(canvas, record, sink); });
}

void PrintChartsOn(QPagedPaintDevice* device, const ChartContent& content, const MessageSink& sink)
{
    PrintJobOn(device, [&](Canvas& canvas) { PrintCharts(canvas, content, sink); });
}

void PrintComparisonOn(QPagedPaintDevice* device, const ComparisonContent& content, const MessageSink& sink)
{
    PrintJobOn(device, [&](Canvas& canvas) { PrintComparison(canvas, content, sink); });
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
