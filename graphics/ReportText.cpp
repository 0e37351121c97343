#include "ReportText.h"

#include <algorithm>
#include <vector>

namespace vyra::gfx::report {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// What measure gives at the size points, the page's own size kept.
template <class Measure>
double MeasuredAt(Canvas& page, double points, Measure measure)
{
    const double before = page.Font().size;
    page.SetFontSize(points);
    const double measured = measure();
    page.SetFontSize(before);
    return measured;
}

double TextHeightAt(Canvas& page, std::string_view text, double points)
{
    return MeasuredAt(page, points, [&] { return page.TextHeight(text); });
}

// Writes at the given size, keeping the middle of the line at the current
// size, and puts the size back.
void WriteSized(Canvas& page, double x, double y, std::string_view text, double points, LineEnd end)
{
    const double size = page.Font().size;
    const double lift = (page.TextHeight(text) - TextHeightAt(page, text, points)) / 2;
    page.SetCurrentX(x);
    page.SetCurrentY(y + lift);
    page.SetFontSize(points);
    page.WriteText(text, end);
    page.SetFontSize(size);
    if (end == LineEnd::Keep) {
        page.SetCurrentY(y);
    }
}

// Offsets of the UTF-8 character boundaries inside the text.
std::vector<std::size_t> CharacterEnds(std::string_view text)
{
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ends.push_back(i);
        }
    }
    return ends;
}

// The text as it fits width in the given size: whole, or cut with an
// ellipsis.
std::string ClippedAt(Canvas& page, std::string_view text, double points, double width)
{
    const double before = page.Font().size;
    page.SetFontSize(points);
    std::string clipped = ClippedToWidth(page, text, width);
    page.SetFontSize(before);
    return clipped;
}

}  // namespace

double TextWidthAt(Canvas& page, std::string_view text, double points)
{
    return MeasuredAt(page, points, [&] { return page.TextWidth(text); });
}

double SizeToFit(Canvas& page, std::string_view text, double width)
{
    const double size = page.Font().size;
    const double natural = page.TextWidth(text);
    if (natural <= width) {
        return size;
    }
    // Widths grow nearly in proportion to the size; hinting may round them
    // up a little, so the first guess is checked and stepped down.
    double fitted = std::min(size, size * std::max(width, 0.0) / natural);
    while (fitted > kSmallestPoints && TextWidthAt(page, text, fitted) > width) {
        fitted *= 0.98;
    }
    return std::max(fitted, std::min(size, kSmallestPoints));
}

double SizeToFitAll(Canvas& page, std::span<const std::string> texts, double width)
{
    double points = page.Font().size;
    for (const std::string& text : texts) {
        points = std::min(points, SizeToFit(page, text, width));
    }
    return points;
}

void WriteSizedEndingAt(Canvas& page, double x, double y, std::string_view text, double points)
{
    WriteSized(page, x - TextWidthAt(page, text, points), y, text, points, LineEnd::Keep);
}

void WriteWithin(Canvas& page, double x, double y, std::string_view text, double limit, LineEnd end)
{
    WriteSizedWithin(page, x, y, text, SizeToFit(page, text, limit - x), limit, end);
}

void WriteSizedWithin(Canvas& page, double x, double y, std::string_view text, double points, double limit, LineEnd end)
{
    WriteSized(page, x, y, ClippedAt(page, text, points, limit - x), points, end);
}

std::string ClippedToWidth(const Canvas& page, std::string_view text, double width)
{
    if (page.TextWidth(text) <= width) {
        return std::string(text);
    }
    const std::vector<std::size_t> ends = CharacterEnds(text);
    // The longest prefix that still fits with the ellipsis: widths grow with
    // the prefix, so a binary search finds it.
    std::size_t low = 0;
    std::size_t high = ends.size();
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        const std::string candidate = std::string(text.substr(0, ends[middle - 1])) + std::string(kEllipsis);
        if (page.TextWidth(candidate) <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    const std::size_t kept = low == 0 ? 0 : ends[low - 1];
    return std::string(text.substr(0, kept)) + std::string(kEllipsis);
}

}  // namespace vyra::gfx::report
