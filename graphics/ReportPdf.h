#pragma once

#include "ComparisonPages.h"
#include "FileAccess.h"
#include "LineReport.h"
#include "ReportRecord.h"

#include <QByteArray>
#include <QPageSize>

#include <string>

namespace vyra::gfx {

// The two report pages as a PDF document in portrait on the paper, the same from the
// screens and from vyra-select: the bytes, or the reason they could not be
// drawn. Nothing is written anywhere; the caller writes the bytes whole.
Expected<QByteArray> DrawReportPdf(const ReportRecord& record, QPageSize::PageSizeId paper);

// The charts page alone, likewise.
Expected<QByteArray> DrawChartsPdf(const ChartContent& content, QPageSize::PageSizeId paper);

// The comparison of cases, likewise.
Expected<QByteArray> DrawComparisonPdf(const ComparisonContent& content, QPageSize::PageSizeId paper);

// Writes what a drawing made, the bytes or the reason it failed, to path
// whole or not at all; a failure's reason does not name the path.
Expected<void> WriteDrawnFile(const std::string& path, const Expected<QByteArray>& drawn);

// The line report of a batch as a PDF document written into file as it is
// drawn, never held whole, or why it could not be drawn or written.
// Committing the file is the caller's.
Expected<void> DrawLineReportPdf(const LineReportContent& content, QPageSize::PageSizeId paper, WholeFileWriter& file);

}  // namespace vyra::gfx
