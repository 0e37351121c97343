#include "RecordPages.h"

#include "ReportPage.h"
#include "Version.h"

#include <algorithm>
#include <cmath>

namespace vyra::gfx {

namespace {

constexpr double kMargin = 10;
constexpr double kTitleRow = 2;
constexpr double kFirstRow = 5;
// The footer's row and one clear above it.
constexpr double kBottomRows = 3;
constexpr double kPoints = 8;
// 8 point lines 0.8 rows apart: a little more than the font's own height.
constexpr double kLineStep = 0.8;
constexpr std::string_view kContinuation = "      ";
constexpr std::size_t kKeptWhole = 10;

}  // namespace

std::vector<std::string> BrokenLines(const std::string& text, std::size_t width)
{
    std::vector<std::string> pieces;
    std::string rest = text;
    while (rest.size() > width) {
        std::size_t cut = rest.rfind(' ', width);
        if (cut == std::string::npos || cut <= kContinuation.size()) {
            cut = width;
        }
        pieces.push_back(rest.substr(0, cut));
        const std::size_t next = rest.find_first_not_of(' ', cut);
        rest = std::string(kContinuation) + (next == std::string::npos ? "" : rest.substr(next));
    }
    pieces.push_back(rest);
    return pieces;
}

namespace {

class Layout {
public:
    explicit Layout(Canvas& page)
    {
        report::SetUpText(page, kPoints, false);
        const double usable = page.ScaleWidth() - 2 * kMargin;
        m_width = static_cast<std::size_t>(std::max(20.0, std::floor(usable / page.TextWidth("M"))));
        m_bottom = page.ScaleHeight() - kBottomRows;
        m_pages.emplace_back();
    }

    void Section(const RecordSection& section)
    {
        if (m_row > kFirstRow) {
            m_row += kLineStep;
        }
        // A short section stays whole, a long one keeps its title with two lines.
        const std::size_t lines = section.lines.size();
        const std::size_t kept = lines <= kKeptWhole ? lines : 2;
        if (m_row + kLineStep * static_cast<double>(kept + 1) > m_bottom) {
            NextPage();
        }
        Place(section.title, true);
        for (std::size_t k = 0; k < lines; ++k) {
            const RecordLine& line = section.lines[k];
            const std::vector<std::string> pieces = BrokenLines(line.text, m_width);
            // A table's row stays whole and, going on over a page break, the
            // table is headed again there.
            const std::size_t row = std::max<std::size_t>(section.rowLines, 1);
            const bool rowStarts = k >= section.headerLines && (k - section.headerLines) % row == 0;
            if (section.headerLines > 0 && rowStarts
                && m_row + kLineStep * static_cast<double>(std::max(row, pieces.size())) > m_bottom) {
                NextPage();
                for (std::size_t h = 0; h < section.headerLines; ++h) {
                    Place(section.lines[h].text, false);
                }
            }
            for (const std::string& piece : pieces) {
                Place(piece, line.kind == RecordLineKind::Heading);
            }
        }
    }

    std::vector<RecordPage> Pages() && { return std::move(m_pages); }

private:
    void NextPage()
    {
        m_pages.emplace_back();
        m_row = kFirstRow;
    }

    void Place(const std::string& text, bool bold)
    {
        if (m_row + kLineStep > m_bottom) {
            NextPage();
        }
        m_pages.back().push_back({m_row, text, bold});
        m_row += kLineStep;
    }

    std::size_t m_width = 0;
    double m_bottom = 0;
    double m_row = kFirstRow;
    std::vector<RecordPage> m_pages;
};

void DrawPage(Canvas& page, const RecordPage& lines)
{
    report::SetUpText(page, 14, true);
    report::WriteTitleBetweenRules(page, kTitleRow, "<Calculation record>");
    report::SetUpText(page, kPoints, false);
    for (const PlacedRecordLine& line : lines) {
        page.SetFontBold(line.bold);
        report::WriteAt(page, kMargin, line.row, line.text, LineEnd::Keep);
    }
}

}  // namespace

std::vector<RecordSection> CalculationRecordOf(const ReportRecord& record)
{
    const ReportSpecifications& shown = record.specifications;
    RecordSource source{shown.fieldTexts,    shown.origins,         record.customer.date,
                        shown.calculationId, std::string(kVersion), std::string(kSourceRevision)};
    return CalculationRecord(record.selection, source);
}

std::vector<RecordPage> LayOutRecord(Canvas& page, const std::vector<RecordSection>& sections)
{
    Layout layout(page);
    for (const RecordSection& section : sections) {
        layout.Section(section);
    }
    return std::move(layout).Pages();
}

bool DrawRecordPages(Canvas& page, const std::vector<RecordPage>& pages, const PageTrace& trace, int first, int count,
                     const MessageSink& sink)
{
    bool troubled = false;
    const MessageSink once = [&](const std::string& title, const std::string& message) {
        if (!troubled) {
            sink(title, message);
        }
        troubled = true;
    };
    for (std::size_t k = 0; k < pages.size() && !troubled; ++k) {
        if (page.Failed() || !page.NewPage() || page.Failed()) {
            ReportTrouble(once);
            break;
        }
        DrawPage(page, pages[k]);
        WritePageFooter(page, trace, first + static_cast<int>(k), count, once);
    }
    return !troubled;
}

}  // namespace vyra::gfx
