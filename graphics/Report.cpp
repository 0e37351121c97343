#include "Report.h"

#include "Charts.h"
#include "PrintedSketch.h"
#include "RecordPages.h"

namespace vyra::gfx {

void PrintReport(Canvas& page, const ReportRecord& record, const MessageSink& sink)
{
    const PageTrace trace{record.customer, record.caseFile, record.specifications.calculationId};
    const std::vector<RecordPage> recordPages =
        record.calculationRecord ? LayOutRecord(page, CalculationRecordOf(record)) : std::vector<RecordPage>{};
    const int reportPages = 2 + (record.charts ? ChartsPageCount(page, *record.charts) : 0);
    const int pages = reportPages + static_cast<int>(recordPages.size());
    PrintReportPage1(page, record, sink);
    PrintSketch(page, record.selection.inputs, sink);
    WritePageFooter(page, trace, 1, pages, sink);
    // A device that failed on the new page is reported by page 2, which finds
    // it failed before it draws; only a refusal that leaves the device usable
    // is left for the job to report.
    if (!page.NewPage() && !page.Failed()) {
        ReportTrouble(sink);
    }
    PrintReportPage2(page, record, sink);
    WritePageFooter(page, trace, 2, pages, sink);
    if (record.charts) {
        if (!page.NewPage() && !page.Failed()) {
            ReportTrouble(sink);
        }
        PrintChartsPages(page, *record.charts, trace, 3, pages, sink);
    }
    DrawRecordPages(page, recordPages, trace, reportPages + 1, pages, sink);
    // A device that had failed before the end of the document was reported
    // by the part that met the failure.
    const bool failedBefore = page.Failed();
    if (!page.EndDocument() && !failedBefore) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
