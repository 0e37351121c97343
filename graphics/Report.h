#pragma once

#include "Canvas.h"
#include "PrintTrouble.h"
#include "ReportRecord.h"

namespace vyra::gfx {

// The print job: page 1, the printed sketch onto it, a new page, page 2,
// the charts page when the record has charts, the calculation record's
// pages when it asks for them, and the end of the document. Each part
// reports its own printer trouble through the sink and the job goes on.
void PrintReport(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage1(Canvas& page, const ReportRecord& record, const MessageSink& sink);
void PrintReportPage2(Canvas& page, const ReportRecord& record, const MessageSink& sink);

}  // namespace vyra::gfx
