#pragma once

#include "CalculationRecord.h"
#include "Canvas.h"
#include "PageTrace.h"
#include "PrintTrouble.h"
#include "ReportRecord.h"

#include <string>
#include <vector>

namespace vyra::gfx {

// The calculation record of the report's selection, with its inputs as the
// report's specifications show them and this build's version.
std::vector<RecordSection> CalculationRecordOf(const ReportRecord& record);

// The text in pieces of at most width characters, each after the first
// indented, broken at the last blank that fits or, with none, at the width.
std::vector<std::string> BrokenLines(const std::string& text, std::size_t width);

// A line of the record where it stands on its page, in rows of 1/6 inch.
struct PlacedRecordLine {
    double row = 0;
    std::string text;
    bool bold = false;
};
using RecordPage = std::vector<PlacedRecordLine>;

// The record set out on the canvas's paper: a line too long for the page
// broken at a blank onto indented lines, a section's title kept with the
// two lines after it and a section of up to 10 lines kept whole. The canvas's scale and font are changed.
std::vector<RecordPage> LayOutRecord(Canvas& page, const std::vector<RecordSection>& sections);

// Draws the pages, each after a new page and with its footer, numbered on
// from first of count; false when the device failed, whose trouble is told
// once.
bool DrawRecordPages(Canvas& page, const std::vector<RecordPage>& pages, const PageTrace& trace, int first, int count,
                     const MessageSink& sink);

}  // namespace vyra::gfx
