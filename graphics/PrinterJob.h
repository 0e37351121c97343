#pragma once

#include "ComparisonPages.h"
#include "Report.h"

#include <memory>

class QPagedPaintDevice;
class QPrinter;

namespace vyra::gfx {

// Runs PrintReport on a printer or PDF writer. With no device, or one that
// will not start, every part of the job meets a failed canvas and reports
// its trouble through the sink, as with a printer that broke down.
void PrintReportOn(QPagedPaintDevice* device, const ReportRecord& record, const MessageSink& sink);
// The charts page alone, likewise.
void PrintChartsOn(QPagedPaintDevice* device, const ChartContent& content, const MessageSink& sink);
// The comparison of cases, likewise.
void PrintComparisonOn(QPagedPaintDevice* device, const ComparisonContent& content, const MessageSink& sink);

// The system's default printer opened for a job named after the program, or
// nothing when no printer is chosen as default (Qt would otherwise pick one
// by itself; the report goes only to the one the user chose).
std::unique_ptr<QPrinter> OpenDefaultPrinter();

}  // namespace vyra::gfx
