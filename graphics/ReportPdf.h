#pragma once

#include "LineReport.h"
#include "ReportRecord.h"

#include <QByteArray>
#include <QPageSize>

#include <string>
#include <variant>

namespace vyra::gfx {

// The two report pages as a PDF document in portrait on the paper, the same from the
// screens and from vyra-select: the bytes, or the reason they could not be
// drawn. Nothing is written anywhere; the caller writes the bytes whole.
std::variant<QByteArray, std::string> DrawReportPdf(const ReportRecord& record, QPageSize::PageSizeId paper);

// The charts page alone, likewise.
std::variant<QByteArray, std::string> DrawChartsPdf(const ChartContent& content, QPageSize::PageSizeId paper);

// The line report of a batch, likewise.
std::variant<QByteArray, std::string> DrawLineReportPdf(const LineReportContent& content, QPageSize::PageSizeId paper);

}  // namespace vyra::gfx
