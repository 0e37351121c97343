#include "ComparisonPages.h"

#include "RecordPages.h"
#include "ReportPage.h"
#include "ReportRecord.h"
#include "ReportText.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

namespace vyra::gfx {

namespace {

constexpr double kMargin = 10;
constexpr double kTitleRow = 2;
constexpr double kFirstRow = 4.5;
constexpr double kBottomRows = 3;
constexpr double kPoints = 8;
constexpr double kRowStep = 0.9;
// Between the groups of rows: the choices, the inputs, the outcome, the models.
constexpr double kGroupGap = 0.5;
constexpr double kCellGap = 1;

// What stands on a line of a page: a table row, the case files over the
// columns, or a line of the notes under the table.
struct PageLine {
    double row = 0;
    const ComparisonRow* tableRow = nullptr;
    bool heading = false;
    std::string note;
};
using ComparisonPage = std::vector<PageLine>;

struct Columns {
    double label = kMargin;
    std::vector<double> starts;
    double width = 0;
};

bool StartsGroup(const Comparison& comparison, std::size_t k)
{
    if (k == 0) {
        return false;
    }
    const RowKind kind = comparison.rows[k].kind;
    const RowKind before = comparison.rows[k - 1].kind;
    return kind == RowKind::Verdict || (kind != before && kind != RowKind::Nearest && kind != RowKind::SafeSpeed);
}

Columns ColumnsOf(Canvas& page, const Comparison& comparison)
{
    Columns columns;
    double labelWidth = 0;
    for (const ComparisonRow& row : comparison.rows) {
        labelWidth = std::max(labelWidth, page.TextWidth(row.label + "  "));
    }
    const double right = page.ScaleWidth() - kMargin;
    const double first = kMargin + labelWidth + kCellGap;
    const auto count = static_cast<double>(std::max<std::size_t>(comparison.files.size(), 1));
    columns.width = (right - first) / count;
    for (std::size_t k = 0; k < comparison.files.size(); ++k) {
        columns.starts.push_back(first + columns.width * static_cast<double>(k));
    }
    return columns;
}

// On paper the best verdict is framed rather than bracketed.
std::string StarredCell(const ComparisonRow& row, std::size_t k)
{
    return row.differs[k] ? row.cells[k] + " *" : row.cells[k];
}

// A cell too wide for its column even in the smallest print is cut on the
// table and stands whole under it.
std::vector<std::string> WholeCells(Canvas& page, const Comparison& comparison, const Columns& columns)
{
    std::vector<std::string> notes;
    for (const ComparisonRow& row : comparison.rows) {
        for (std::size_t k = 0; k < row.cells.size(); ++k) {
            if (report::TextWidthAt(page, StarredCell(row, k), report::kSmallestPoints) > columns.width - kCellGap) {
                notes.push_back(Joined({"Case ", std::to_string(k + 1), ", ", row.label, ": ", row.cells[k]}));
            }
        }
    }
    return notes;
}

std::vector<std::string> Notes(Canvas& page, const Comparison& comparison, const Columns& columns)
{
    std::vector<std::string> notes{"* differs from the first case. A framed verdict is the best of its model's row."};
    const std::vector<std::string> whole = WholeCells(page, comparison, columns);
    notes.insert(notes.end(), whole.begin(), whole.end());
    const std::vector<std::string> under = ComparisonNotes(comparison);
    notes.insert(notes.end(), under.begin(), under.end());
    return notes;
}

// The rows set out on the canvas's paper, the case files heading the
// columns again on every page.
std::vector<ComparisonPage> LayOut(Canvas& page, const Comparison& comparison)
{
    report::SetUpText(page, kPoints, false);
    const double bottom = page.ScaleHeight() - kBottomRows;
    const std::size_t width =
        static_cast<std::size_t>(std::max(20.0, std::floor((page.ScaleWidth() - 2 * kMargin) / page.TextWidth("M"))));
    std::vector<ComparisonPage> pages(1);
    double row = kFirstRow;
    const auto place = [&](PageLine line, double height) {
        if (row + height > bottom) {
            pages.emplace_back();
            row = kFirstRow;
            if (line.tableRow != nullptr) {
                pages.back().push_back({row, nullptr, true, {}});
                row += kRowStep + kGroupGap;
            }
        }
        line.row = row;
        pages.back().push_back(std::move(line));
        row += height;
    };
    place({0, nullptr, true, {}}, kRowStep + kGroupGap);
    for (std::size_t k = 0; k < comparison.rows.size(); ++k) {
        if (StartsGroup(comparison, k)) {
            row += kGroupGap;
        }
        place({0, &comparison.rows[k], false, {}}, kRowStep);
    }
    row += kRowStep;
    for (const std::string& note : Notes(page, comparison, ColumnsOf(page, comparison))) {
        for (const std::string& piece : BrokenLines(note, width)) {
            place({0, nullptr, false, piece}, kRowStep);
        }
    }
    return pages;
}

void DrawTableRow(Canvas& page, const Columns& columns, const ComparisonRow& row, double y)
{
    page.SetFontBold(row.kind == RowKind::Verdict);
    report::WriteAt(page, columns.label + (UnderModel(row) ? 1 : 0), y, row.label, LineEnd::Keep);
    for (std::size_t k = 0; k < row.cells.size(); ++k) {
        page.SetFontBold(row.differs[k]);
        const std::string cell = StarredCell(row, k);
        report::WriteWithin(page, columns.starts[k], y, cell, columns.starts[k] + columns.width - kCellGap,
                            LineEnd::Keep);
        if (row.best[k]) {
            const double height = page.TextHeight("M");
            page.SetDrawWidth(1);
            page.Box(columns.starts[k] - 0.4, y - 0.1, columns.starts[k] + page.TextWidth(cell) + 0.4, y + height + 0.1,
                     PaletteColor(0));
        }
    }
    page.SetFontBold(false);
}

void DrawHeading(Canvas& page, const Columns& columns, const Comparison& comparison, double y)
{
    page.SetFontBold(true);
    for (std::size_t k = 0; k < comparison.files.size(); ++k) {
        report::WriteWithin(page, columns.starts[k], y, comparison.files[k],
                            columns.starts[k] + columns.width - kCellGap, LineEnd::Keep);
    }
    page.SetFontBold(false);
    const double ruleY = y + kRowStep + kGroupGap / 2 - 0.25;
    page.SetDrawWidth(1);
    page.Line(kMargin, ruleY, page.ScaleWidth() - kMargin, ruleY, PaletteColor(0));
}

void DrawPage(Canvas& page, const Comparison& comparison, const ComparisonPage& lines)
{
    report::SetUpText(page, 14, true);
    report::WriteTitleBetweenRules(page, kTitleRow, "<Comparison of cases>");
    report::SetUpText(page, kPoints, false);
    const Columns columns = ColumnsOf(page, comparison);
    for (const PageLine& line : lines) {
        if (line.heading) {
            DrawHeading(page, columns, comparison, line.row);
        } else if (line.tableRow != nullptr) {
            DrawTableRow(page, columns, *line.tableRow, line.row);
        } else {
            report::WriteAt(page, kMargin, line.row, line.note, LineEnd::Keep);
        }
    }
}

}  // namespace

ComparisonContent ComparisonContentOf(std::span<const ComparedCase> cases)
{
    ComparisonContent content{CompareCases(cases), {}};
    if (cases.empty()) {
        return content;
    }
    content.trace.customer = CustomerOf(cases.front().input);
    for (const ComparedCase& c : cases) {
        content.trace.caseFile += (content.trace.caseFile.empty() ? "" : ", ") + c.file;
        if (c.calculationId) {
            content.trace.calculationId += (content.trace.calculationId.empty() ? "" : " ") + *c.calculationId;
        }
    }
    return content;
}

void PrintComparison(Canvas& page, const ComparisonContent& content, const MessageSink& sink)
{
    const std::vector<ComparisonPage> pages = LayOut(page, content.comparison);
    bool troubled = false;
    const MessageSink once = [&](const std::string& title, const std::string& message) {
        if (!troubled) {
            sink(title, message);
        }
        troubled = true;
    };
    const int count = static_cast<int>(pages.size());
    for (int k = 0; k < count && !troubled; ++k) {
        if (page.Failed() || (k > 0 && !page.NewPage()) || page.Failed()) {
            ReportTrouble(once);
            break;
        }
        DrawPage(page, content.comparison, pages[static_cast<std::size_t>(k)]);
        WritePageFooter(page, content.trace, k + 1, count, once);
    }
    const bool failedBefore = page.Failed() || troubled;
    if (!page.EndDocument() && !failedBefore) {
        ReportTrouble(once);
    }
}

}  // namespace vyra::gfx
