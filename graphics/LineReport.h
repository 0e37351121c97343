#pragma once

#include "Canvas.h"
#include "Case.h"
#include "PrintTrouble.h"
#include "ReportRecord.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vyra::gfx {

// One roller of a line: its row of the batch file, its verdicts and the
// case its two report pages are computed from again when they are drawn,
// so that a line of any length holds no roller's tables for long.
struct LineRoller {
    long line = 0;  // the data row, 1-based
    std::string id;
    // "title: message" of a refused row; empty when computed.
    std::string refusal;
    // Per model, which result sets it passes: "both", "1", "2" or "none".
    std::array<std::string, kModelCount> passed;
    Case input;
};

// The record a computed roller's pages are drawn from.
using RollerRecord = std::function<ReportRecord(const LineRoller&)>;

struct LineReportContent {
    // The customer block of the first row.
    ReportCustomer customer;
    // The batch file's name, which every page's footer gives.
    std::string batchFile;
    std::vector<LineRoller> rollers;
    RollerRecord recordOf;
    // Each computed roller's pages are followed by its calculation record.
    bool calculationRecord = false;
};

// The line report as one document: a cover page with the customer block
// and the counts, the matrix of rollers against the nine models on as many
// pages as it takes (each row with its series and its report pages, a
// refusal's message whole), then both report pages of every computed
// roller, each followed by its calculation record when the content asks
// for it. Every page's footer names the batch file, and the roller's row on
// its pages, with "page n of N". A failed device ends the document and its
// trouble is reported once.
void PrintLineReport(Canvas& page, const LineReportContent& content, const MessageSink& sink);

}  // namespace vyra::gfx
