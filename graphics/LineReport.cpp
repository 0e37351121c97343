#include "LineReport.h"

#include "PrintedSketch.h"
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
constexpr double kIdColumn = kLeft + 5;
constexpr double kFirstModelColumn = kLeft + 20;
constexpr double kModelColumnWidth = 6.5;
constexpr double kMatrixTop = 6;
constexpr double kRowPoints = 9;
constexpr double kHeadingPoints = 7;

double ModelColumn(int model) { return kFirstModelColumn + model * kModelColumnWidth; }

double MatrixRight() { return ModelColumn(kModelCount); }

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
    WriteAt(page, kLeft, 19, "The report pages of every computed roller follow the matrix, in row order.",
            LineEnd::End);
}

// Model names of both series over their columns; the roller's type says
// which series its row is.
void WriteMatrixHeading(Canvas& page)
{
    page.SetFontSize(kRowPoints);
    WriteAt(page, kRowColumn, kMatrixTop, "Row", LineEnd::Keep);
    WriteAt(page, kIdColumn, kMatrixTop, "Roller", LineEnd::Keep);
    page.SetFontSize(kHeadingPoints);
    const RunState standard;
    for (int model = 0; model < kModelCount; ++model) {
        for (std::int16_t series : {kStandardSeries, kIntrinsicallySafeSeries}) {
            const std::string_view name = standard.catalogue[series].models[model].name;
            report::WriteWithin(page, ModelColumn(model), kMatrixTop + (series == kIntrinsicallySafeSeries ? 1 : 0),
                                name, ModelColumn(model + 1) - report::kRuleClearance, LineEnd::Keep);
        }
    }
    const double rule = kMatrixTop + 2.25;
    page.SetDrawWidth(2);
    page.Line(kLeft, rule, MatrixRight(), rule, PaletteColor(0));
}

void WriteMatrixRow(Canvas& page, const LineRoller& roller, double y)
{
    page.SetFontSize(kRowPoints);
    WriteAt(page, kRowColumn, y, std::to_string(roller.line), LineEnd::Keep);
    page.SetCurrentX(kIdColumn);
    page.SetCurrentY(y);
    page.WriteText(report::ClippedToWidth(page, roller.id, kFirstModelColumn - kIdColumn - 1), LineEnd::Keep);
    if (!roller.refusal.empty()) {
        page.SetCurrentX(kFirstModelColumn);
        page.WriteText(report::ClippedToWidth(page, roller.refusal, MatrixRight() - kFirstModelColumn), LineEnd::Keep);
        return;
    }
    for (int model = 0; model < kModelCount; ++model) {
        const std::string& passed = roller.passed[model];
        page.SetFontBold(passed == "both");
        WriteAt(page, ModelColumn(model), y, passed == "none" ? "-" : passed, LineEnd::Keep);
        page.SetFontBold(false);
    }
}

// The matrix pages; false when the device failed.
bool WriteMatrix(Canvas& page, const LineReportContent& content, const MessageSink& sink)
{
    const double bottom = page.ScaleHeight() - 2;
    double y = bottom;
    for (const LineRoller& roller : content.rollers) {
        if (y + 1 > bottom) {
            if (!page.NewPage() || page.Failed()) {
                ReportTrouble(sink);
                return false;
            }
            StartPage(page, "<Line matrix>");
            WriteMatrixHeading(page);
            y = kMatrixTop + 3;
        }
        WriteMatrixRow(page, roller, y);
        y += 1;
    }
    return true;
}

void LabelPage(Canvas& page, const LineRoller& roller, std::size_t count)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetFontSize(kRowPoints);
    page.SetFontBold(false);
    const std::string label = "Line report, row " + std::to_string(roller.line) + " of " + std::to_string(count)
                              + (roller.id.empty() ? std::string() : ": " + roller.id);
    page.SetCurrentX(kLeft);
    page.SetCurrentY(page.ScaleHeight() - 1.5);
    page.WriteText(report::ClippedToWidth(page, label, page.ScaleWidth() - 2 * kLeft), LineEnd::Keep);
}

// A roller's two pages, as the report of one case draws them.
bool WriteRollerPages(Canvas& page, const LineRoller& roller, const ReportRecord& record, std::size_t count,
                      const MessageSink& sink)
{
    bool troubled = false;
    const MessageSink once = [&](const std::string& title, const std::string& message) {
        if (!troubled) {
            sink(title, message);
        }
        troubled = true;
    };
    if (!page.NewPage() || page.Failed()) {
        ReportTrouble(sink);
        return false;
    }
    PrintReportPage1(page, record, once);
    PrintSketch(page, record.selection.inputs, once);
    LabelPage(page, roller, count);
    if (!troubled && (!page.NewPage() || page.Failed())) {
        ReportTrouble(once);
    }
    PrintReportPage2(page, record, once);
    LabelPage(page, roller, count);
    return !troubled;
}

}  // namespace

void PrintLineReport(Canvas& page, const LineReportContent& content, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    WriteCover(page, content);
    if (!WriteMatrix(page, content, sink)) {
        return;
    }
    for (const LineRoller& roller : content.rollers) {
        if (roller.refusal.empty()
            && !WriteRollerPages(page, roller, content.recordOf(roller), content.rollers.size(), sink)) {
            return;
        }
    }
    if (!page.EndDocument()) {
        ReportTrouble(sink);
    }
}

}  // namespace vyra::gfx
