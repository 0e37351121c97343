#pragma once

#include "FileAccess.h"
#include "LineReport.h"
#include "ReportRecord.h"

#include <QByteArray>
#include <QPageSize>

#include <optional>
#include <string>
#include <variant>

namespace vyra::gfx {

// The two report pages as a PDF document in portrait on the paper, the same from the
// screens and from vyra-select: the bytes, or the reason they could not be
// drawn. Nothing is written anywhere; the caller writes the bytes whole.
std::variant<QByteArray, std::string> DrawReportPdf(const ReportRecord& record, QPageSize::PageSizeId paper);

// The charts page alone, likewise.
std::variant<QByteArray, std::string> DrawChartsPdf(const ChartContent& content, QPageSize::PageSizeId paper);

// Writes what a drawing made, the bytes or the reason it failed, to path
// whole or not at all; the reason of a failure, without the path, or nothing.
std::optional<std::string> WriteDrawnFile(const std::string& path, const std::variant<QByteArray, std::string>& drawn);

// The line report of a batch as a PDF document written into file as it is
// drawn, never held whole: the reason it could not be drawn or written, or
// nothing. Committing the file is the caller's.
std::optional<std::string> DrawLineReportPdf(const LineReportContent& content, QPageSize::PageSizeId paper,
                                             WholeFileWriter& file);

}  // namespace vyra::gfx
