#pragma once

#include "Report.h"

class QPagedPaintDevice;

namespace vyra::gfx {

// Runs PrintReport on a printer or PDF writer. With no device, or one that
// will not start, every part of the job meets a failed canvas and reports
// its trouble through the sink, as with a printer that broke down.
void PrintReportOn(QPagedPaintDevice* device, const ReportRecord& record, const MessageSink& sink);

}  // namespace vyra::gfx
