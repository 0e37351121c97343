#pragma once

#include "Canvas.h"
#include "PrintTrouble.h"

#include <string>
#include <string_view>

namespace vyra::gfx {

// The customer block of the report, read when printing.
struct ReportCustomer {
    std::string customer;  // txtFNmame
    std::string orderNo;  // txtOrderNo
    std::string machine;  // txtMName
    std::string date;  // txtDate
    std::string name;  // txtName
};

// What ties a loose page to its case: the customer block and the name of
// the case file the case came from or went to (empty when none).
struct PageTrace {
    ReportCustomer customer;
    std::string caseFile;
    // The calculation's ID, so that a page found alone names what it shows.
    std::string calculationId = {};
};

// The footer every printed page carries below its drawing: customer, order
// number, date and case file (those given), and "page n of N" at the right
// after the calculation ID ("ID a33582d03191", when there is one),
// in 8 point on one line in the page's own margins (10 cells from each
// edge). The canvas's scale and font are changed. A device that failed
// before is left alone (its trouble was told); one that fails now is told.
void WritePageFooter(Canvas& page, const PageTrace& trace, int number, int count, const MessageSink& sink);

// The title of a saved document, so that a file found alone names its case:
// "VyraSensorSelector report: Northern Paper, Order No. A-17" for the
// document "report", the customer and the order number when given.
std::string DocumentTitle(std::string_view document, const ReportCustomer& customer);

// What a window or a proposed file name calls the case: the case file's
// name without its suffix, else the customer and the order number (those
// given), else nothing.
std::string CaseName(const PageTrace& trace);

}  // namespace vyra::gfx
