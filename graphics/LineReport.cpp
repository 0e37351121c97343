#include "LineReport.h"

#include "PrintedSketch.h"
#include "RecordPages.h"
#include "Report.h"
#include "ReportPage.h"
#include "ReportText.h"

#include <algorithm>
#include <string_view>

namespace vyra::gfx {

namespace {

using report::WriteAt;

constexpr double kLeft = 10;
constexpr double kRowColumn = kLeft;
constexpr double kIdColumn = kLeft + 4;
constexpr double kSeriesColumn = kLeft + 15;
constexpr double kFirstModelColumn = kLeft + 21.5;
constexpr double kModelColumnWidth = 5;
constexpr double kKeyTop = 4.3;
constexpr double kKeyPitch = 0.75;
constexpr int kModelsPerKeyLine = 5;
constexpr double kHeadingRow = 8;
constexpr double kFirstRow = 10;
constexpr double kRowPoints = 9;
constexpr double kKeyPoints = 7;
// The matrix keeps clear of the footer's rows.
constexpr double kBottomRows = 3;
constexpr Rgb kRowRule{190, 190, 190};

double ModelColumn(int model) { return kFirstModelColumn + model * kModelColumnWidth; }

double PagesColumn() { return ModelColumn(kModelCount) + 1; }

double RightEdge(const Canvas& page) { return page.ScaleWidth() - kLeft; }

// Room for an id in its column, a blank short of the series.
double IdWidth() { return kSeriesColumn - kIdColumn - 1; }

bool IsStandard(const LineRoller& roller) { return roller.input.form.opType == 0; }

// Where each part of the document falls: the matrix lines of every roller
// (a refusal wraps over several), the matrix pages, and the first of each
// computed roller's report pages and the last of its pages.
struct PagePlan {
    std::vector<std::vector<std::string>> refusalLines;  // per roller
    std::vector<bool> idLine;  // per roller: its id is too long for its column and takes a line above the row
    std::vector<int> matrixPageOf;  // per roller
    std::vector<int> reportPageOf;  // per roller; 0 for a refused one
    std::vector<int> lastPageOf;  // per roller; 0 for a refused one
    int pageCount = 0;
};

// The words of the text on lines no wider than width; a word wider than a
// line is cut where it must be.
std::vector<std::string> Wrapped(const Canvas& page, const std::string& text, double width)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string word = text.substr(start, end - start);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (line.empty() || page.TextWidth(longer) <= width) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
        while (page.TextWidth(line) > width && line.size() > 1) {
            std::size_t cut = line.size() - 1;
            while (cut > 1 && page.TextWidth(line.substr(0, cut)) > width) {
                --cut;
            }
            lines.push_back(line.substr(0, cut));
            line = line.substr(cut);
        }
        start = end + 1;
    }
    if (!line.empty() || lines.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// The pages of a roller's calculation record, computed again to be counted.
int RecordPageCount(Canvas& page, const LineReportContent& content, const LineRoller& roller)
{
    if (!content.calculationRecord) {
        return 0;
    }
    return static_cast<int>(LayOutRecord(page, CalculationRecordOf(content.recordOf(roller))).size());
}

PagePlan PlanPages(Canvas& page, const LineReportContent& content)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetFontSize(kRowPoints);
    page.SetFontBold(false);
    PagePlan plan;
    const double bottom = page.ScaleHeight() - kBottomRows;
    int matrixPage = 1;
    double y = bottom;
    for (const LineRoller& roller : content.rollers) {
        std::vector<std::string> lines;
        if (!roller.refusal.empty()) {
            lines = Wrapped(page, roller.refusal, RightEdge(page) - kFirstModelColumn);
        }
        const bool idLine = page.TextWidth(roller.id) > IdWidth();
        const double height = static_cast<double>(std::max<std::size_t>(lines.size(), 1) + (idLine ? 1 : 0));
        if (y + height > bottom) {
            ++matrixPage;
            y = kFirstRow;
        }
        plan.idLine.push_back(idLine);
        plan.matrixPageOf.push_back(matrixPage);
        plan.refusalLines.push_back(std::move(lines));
        y += height;
    }
    int next = matrixPage + 1;
    for (const LineRoller& roller : content.rollers) {
        plan.reportPageOf.push_back(roller.refusal.empty() ? next : 0);
        if (roller.refusal.empty()) {
            next += 2 + RecordPageCount(page, content, roller);
        }
        plan.lastPageOf.push_back(roller.refusal.empty() ? next - 1 : 0);
    }
    plan.pageCount = next - 1;
    return plan;
}

// The heading of report page 1 with the page's own title.
void StartPage(Canvas& page, std::string_view title)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetDrawStyle(DrawStyle::Solid);
    page.SetFontSize(16);
    page.SetFontBold(true);
    const double w = page.ScaleWidth();
    WriteAt(page, w / 2 - page.TextWidth(title) / 2, 2, title, LineEnd::End);
    page.SetFontBold(false);
    page.SetDrawWidth(4);
    page.Line(kLeft, page.CurrentY(), report::WholeCells(w - 7), page.CurrentY(), PaletteColor(0));
    report::WriteCompanyLines(page);
}

void WriteCover(Canvas& page, const LineReportContent& content)
{
    StartPage(page, "<Line report>");
    report::WriteCustomerBlock(page, content.customer);
    const auto computed = std::count_if(content.rollers.begin(), content.rollers.end(),
                                        [](const LineRoller& roller) { return roller.refusal.empty(); });
    page.SetFontSize(11);
    WriteAt(page, kLeft, 11,
            "Rollers: " + std::to_string(content.rollers.size()) + "   computed: " + std::to_string(computed)
                + "   refused: " + std::to_string(content.rollers.size() - static_cast<std::size_t>(computed)),
            LineEnd::End);
    page.SetFontSize(kRowPoints);
    WriteAt(page, kLeft, 13, "The matrix marks the result sets each model passes for each roller:", LineEnd::End);
    WriteAt(page, kLeft + 2, 14, "both  every check of both result sets, the models that fit", LineEnd::End);
    WriteAt(page, kLeft + 2, 15, "1, 2  only result set 1 (loads, displacement, output, gain),", LineEnd::End);
    WriteAt(page, kLeft + 8, 16, "or only result set 2 (frequency ratios)", LineEnd::End);
    WriteAt(page, kLeft + 2, 17, "-     neither", LineEnd::End);
    WriteAt(page, kLeft, 19, "Series says which sensor series a roller is sized from; the models of each",
            LineEnd::End);
    WriteAt(page, kLeft, 20, "series stand above the matrix. Pages gives a computed roller's report pages,",
            LineEnd::End);
    WriteAt(page, kLeft, 21, "which follow the matrix in row order.", LineEnd::End);
}

// Which model each column holds, in each series, then the column headings.
void WriteMatrixHeading(Canvas& page)
{
    const RunState standard;
    page.SetFontSize(kKeyPoints);
    double y = kKeyTop;
    for (std::int16_t series : {kStandardSeries, kIntrinsicallySafeSeries}) {
        for (int first = 0; first < kModelCount; first += kModelsPerKeyLine) {
            std::string key = first > 0 ? "          " : series == kStandardSeries ? "Standard: " : "Safe:     ";
            for (int model = first; model < std::min(first + kModelsPerKeyLine, kModelCount); ++model) {
                const std::string name(standard.catalogue[series].models[model].name);
                key += std::to_string(model + 1) + " " + name
                       + std::string(10 - std::min<std::size_t>(name.size(), 9), ' ');
            }
            WriteAt(page, kLeft, y, key, LineEnd::Keep);
            y += kKeyPitch;
        }
        y += kKeyPitch / 3;
    }
    page.SetFontSize(kRowPoints);
    WriteAt(page, kRowColumn, kHeadingRow, "Row", LineEnd::Keep);
    WriteAt(page, kIdColumn, kHeadingRow, "Roller", LineEnd::Keep);
    WriteAt(page, kSeriesColumn, kHeadingRow, "Series", LineEnd::Keep);
    for (int model = 0; model < kModelCount; ++model) {
        WriteAt(page, ModelColumn(model), kHeadingRow, std::to_string(model + 1), LineEnd::Keep);
    }
    WriteAt(page, PagesColumn(), kHeadingRow, "Pages", LineEnd::Keep);
    const double rule = kHeadingRow + 1.25;
    page.SetDrawWidth(2);
    page.Line(kLeft, rule, RightEdge(page), rule, PaletteColor(0));
}

// A roller's row and a light rule under it; a refusal's message whole,
// over as many lines as it takes. An id too long for its column stands
// whole on a line of its own above the row, so that ids alike at the start
// ("R03 coater unwind", "R04 coater rewind") are told apart; only one wider
// than the matrix is cut.
void WriteMatrixRow(Canvas& page, const LineRoller& roller, const std::vector<std::string>& refusal, bool idLine,
                    std::pair<int, int> pages, double y)
{
    page.SetFontSize(kRowPoints);
    WriteAt(page, kRowColumn, y, std::to_string(roller.line), LineEnd::Keep);
    page.SetCurrentX(kIdColumn);
    page.WriteText(report::ClippedToWidth(page, roller.id, idLine ? RightEdge(page) - kIdColumn : IdWidth()),
                   LineEnd::Keep);
    y += idLine ? 1 : 0;
    WriteAt(page, kSeriesColumn, y, IsStandard(roller) ? "Std" : "Safe", LineEnd::Keep);
    for (std::size_t line = 0; line < refusal.size(); ++line) {
        WriteAt(page, kFirstModelColumn, y + static_cast<double>(line), refusal[line], LineEnd::Keep);
    }
    if (refusal.empty()) {
        for (int model = 0; model < kModelCount; ++model) {
            const std::string& passed = roller.passed[model];
            page.SetFontBold(passed == "both");
            WriteAt(page, ModelColumn(model), y, passed == "none" ? "-" : passed, LineEnd::Keep);
            page.SetFontBold(false);
        }
        WriteAt(page, PagesColumn(), y, std::to_string(pages.first) + "-" + std::to_string(pages.second),
                LineEnd::Keep);
    }
    const double ruleY = y + static_cast<double>(std::max<std::size_t>(refusal.size(), 1));
    page.SetDrawWidth(1);
    page.Line(kLeft, ruleY - 0.1, RightEdge(page), ruleY - 0.1, kRowRule);
}

// The next page; false when the device failed.
bool BreakPage(Canvas& page, const MessageSink& sink)
{
    if (page.Failed()) {
        return false;
    }
    if (!page.NewPage() || page.Failed()) {
        ReportTrouble(sink);
        return false;
    }
    return true;
}

bool WriteMatrix(Canvas& page, const LineReportContent& content, const PagePlan& plan, const PageTrace& trace,
                 const MessageSink& sink)
{
    int number = 1;
    double y = kFirstRow;
    for (std::size_t r = 0; r < content.rollers.size(); ++r) {
        if (plan.matrixPageOf[r] != number) {
            if (!BreakPage(page, sink)) {
                return false;
            }
            number = plan.matrixPageOf[r];
            StartPage(page, "<Line matrix>");
            WriteMatrixHeading(page);
            WritePageFooter(page, trace, number, plan.pageCount, sink);
            y = kFirstRow;
        }
        WriteMatrixRow(page, content.rollers[r], plan.refusalLines[r], plan.idLine[r],
                       {plan.reportPageOf[r], plan.lastPageOf[r]}, y);
        y += static_cast<double>(std::max<std::size_t>(plan.refusalLines[r].size(), 1) + (plan.idLine[r] ? 1 : 0));
    }
    return !page.Failed();
}

// The roller at the top left of each of its pages, on the row above both
// pages' titles and left of the company lines.
void WriteRollerHeading(Canvas& page, const LineRoller& roller)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetFontBold(false);
    page.SetFontSize(kRowPoints);
    const std::string row = "row " + std::to_string(roller.line);
    const std::string text = "Roller: " + (roller.id.empty() ? row : roller.id + " (" + row + ")");
    report::WriteWithin(page, kLeft, 1, text, report::kCompanyColumn - 1, LineEnd::Keep);
}

// A roller's two pages, as the report of one case draws them, each headed
// with the roller and footed with its row.
bool WriteRollerPages(Canvas& page, const LineReportContent& content, const LineRoller& roller, int number, int count,
                      const MessageSink& sink)
{
    const ReportRecord record = content.recordOf(roller);
    const PageTrace trace{record.customer,
                          content.batchFile + " row " + std::to_string(roller.line)
                              + (roller.id.empty() ? std::string() : " (" + roller.id + ")"),
                          record.specifications.calculationId};
    bool troubled = false;
    const MessageSink once = [&](const std::string& title, const std::string& message) {
        if (!troubled) {
            sink(title, message);
        }
        troubled = true;
    };
    PrintReportPage1(page, record, once);
    PrintSketch(page, record.selection.inputs, once);
    WriteRollerHeading(page, roller);
    WritePageFooter(page, trace, number, count, once);
    if (troubled || !BreakPage(page, once)) {
        return false;
    }
    PrintReportPage2(page, record, once);
    WriteRollerHeading(page, roller);
    WritePageFooter(page, trace, number + 1, count, once);
    if (!troubled && content.calculationRecord) {
        DrawRecordPages(page, LayOutRecord(page, CalculationRecordOf(record)), trace, number + 2, count, once);
    }
    return !troubled;
}

}  // namespace

void PrintLineReport(Canvas& page, const LineReportContent& content, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    const PagePlan plan = PlanPages(page, content);
    const PageTrace trace{content.customer, content.batchFile};
    WriteCover(page, content);
    WritePageFooter(page, trace, 1, plan.pageCount, sink);
    if (!WriteMatrix(page, content, plan, trace, sink)) {
        return;
    }
    for (std::size_t r = 0; r < content.rollers.size(); ++r) {
        if (plan.reportPageOf[r] != 0
            && (!BreakPage(page, sink)
                || !WriteRollerPages(page, content, content.rollers[r], plan.reportPageOf[r], plan.pageCount, sink))) {
            return;
        }
    }
    if (!page.EndDocument()) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
