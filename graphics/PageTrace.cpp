#include "PageTrace.h"

#include "Captions.h"
#include "ReportText.h"
#include "Utf8.h"
#include "Version.h"

#include <string_view>

namespace vyra::gfx {

namespace {

constexpr double kMargin = 10;
constexpr double kFooterPoints = 8;
constexpr double kProgramLineRows = 0.8;

void Append(std::string& line, std::string_view label, std::string_view value, std::string_view separator = "   ")
{
    if (!value.empty()) {
        line += (line.empty() ? std::string_view() : separator);
        line += std::string(label) + std::string(value);
    }
}

}  // namespace

// One row above the printable area's bottom edge, and the program with its
// version and the calculation ID right-aligned in the row above it, so that
// a page alone says what computed it: the tables end higher on every paper.
void WritePageFooter(Canvas& page, const PageTrace& trace, int number, int count, const MessageSink& sink)
{
    if (page.Failed()) {
        return;
    }
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetFontBold(false);
    page.SetFontSize(kFooterPoints);
    const double right = page.ScaleWidth() - kMargin;
    const double y = page.ScaleHeight() - 1;
    const std::string program =
        Joined({kProgramTitle, " ", kVersion, trace.calculationId.empty() ? "" : "   ID ", trace.calculationId});
    page.SetCurrentX(right - page.TextWidth(program));
    page.SetCurrentY(y - kProgramLineRows);
    page.WriteText(program, LineEnd::Keep);
    const std::string pages = "page " + std::to_string(number) + " of " + std::to_string(count);
    const double pagesX = right - page.TextWidth(pages);
    std::string line;
    Append(line, "", trace.customer.customer);
    Append(line, "Order No. ", trace.customer.orderNo);
    Append(line, "", trace.customer.date);
    Append(line, "", trace.caseFile);
    const double limit = pagesX - page.TextWidth("  ");
    page.SetCurrentX(kMargin);
    page.SetCurrentY(y);
    page.WriteText(report::ClippedToWidth(page, line, limit - kMargin), LineEnd::Keep);
    page.SetCurrentX(pagesX);
    page.WriteText(pages, LineEnd::Keep);
    if (page.Failed()) {
        ReportTrouble(sink);
    }
}

std::string DocumentTitle(std::string_view document, const ReportCustomer& customer)
{
    std::string named;
    Append(named, "", customer.customer, ", ");
    Append(named, "Order No. ", customer.orderNo, ", ");
    return std::string(kProgramTitle) + " " + std::string(document) + (named.empty() ? "" : ": " + named);
}

std::string CaseName(const PageTrace& trace)
{
    if (!trace.caseFile.empty()) {
        const std::size_t dot = trace.caseFile.rfind('.');
        return trace.caseFile.substr(0, dot == 0 ? std::string::npos : dot);
    }
    std::string named;
    Append(named, "", trace.customer.customer, " ");
    Append(named, "", trace.customer.orderNo, " ");
    return named;
}

}  // namespace vyra::gfx
