#include "ReportPage.h"

#include "Angles.h"
#include "Captions.h"

#include <algorithm>
#include <string>

namespace vyra::gfx {

void ReportTrouble(const MessageSink& sink)
{
    if (sink) {
        sink(std::string(kProgramTitle), kPrinterTrouble);
    }
}

// Counts bytes: the report's numbers are ASCII.
std::string FixedField(const std::string& text, int blanks, int width)
{
    const std::string padded = std::string(static_cast<std::size_t>(std::max(blanks, 0)), ' ') + text;
    const std::size_t keep =
        std::min(padded.size(), std::max(text.size(), static_cast<std::size_t>(std::max(width, 0))));
    return padded.substr(padded.size() - keep);
}

namespace report {

void DrawPageSteps(Canvas& page, const ReportRecord& record, std::span<const PageStep> steps, const MessageSink& sink)
{
    if (page.Failed()) {
        ReportTrouble(sink);
        return;
    }
    for (const PageStep step : steps) {
        step(page, record);
        if (page.Failed()) {
            ReportTrouble(sink);
            return;
        }
    }
}

// For finite values the pattern's shortest text and the column's blanks
// always fill the width; only "---" can fall short of it.
std::string NumberField(const std::string& figure, int blanks, int width)
{
    return FixedField(figure, std::max(blanks, width - static_cast<int>(figure.size())), width);
}

double WholeCells(double position) { return RoundHalfEven(position); }

void WriteAt(Canvas& page, double x, double y, std::string_view text, LineEnd end)
{
    page.SetCurrentX(x);
    page.SetCurrentY(y);
    page.WriteText(text, end);
}

void WriteEndingAt(Canvas& page, double x, std::string_view text, LineEnd end)
{
    page.SetCurrentX(x - page.TextWidth(text));
    page.WriteText(text, end);
}

void SetUpText(Canvas& page, double points, bool bold)
{
    page.SetScaleMode(ScaleMode::Characters);
    page.SetFontName("Courier New");
    page.SetDrawStyle(DrawStyle::Solid);
    page.SetFontSize(points);
    page.SetFontBold(bold);
}

void WriteTitleBetweenRules(Canvas& page, double y, std::string_view title)
{
    const double middle = page.ScaleWidth() / 2;
    const double halfWidth = page.TextWidth(title) / 2;
    WriteAt(page, middle - halfWidth, y, title, LineEnd::Keep);
    const double ruleY = y + page.TextHeight(title) / 2;
    page.SetDrawWidth(6);
    page.Line(10, ruleY, middle - halfWidth - 2, ruleY, PaletteColor(0));
    page.Line(middle + halfWidth + 2, ruleY, page.ScaleWidth() - 10, ruleY, PaletteColor(0));
}

void WriteCompanyLines(Canvas& page)
{
    page.SetFontSize(9);
    WriteAt(page, kCompanyColumn, 1, "KALDER CORPORATION", LineEnd::End);
    WriteAt(page, kCompanyColumn, 2, "TQ-2208.V-001", LineEnd::End);
}

void CrossOut(Canvas& page, double x1, double x2, double y)
{
    page.Line(x1, y, x2, y + 2, PaletteColor(0));
    page.Line(x1, y + 2, x2, y, PaletteColor(0));
}

void FrameRow(Canvas& page, double rightBorder, double y)
{
    const double left = 10.5;
    const double right = rightBorder - 0.5;
    page.Line(left, y + 0.5, right, y + 0.5, PaletteColor(0));
    page.Line(left, y + 1.5, right, y + 1.5, PaletteColor(0));
    page.Line(left, y + 0.5, left, y + 1.5, PaletteColor(0));
    page.Line(right, y + 0.5, right, y + 1.5, PaletteColor(0));
}

}  // namespace report

}  // namespace vyra::gfx
