#include "ReportEntryNotes.h"

#include "InputReading.h"
#include "ReportPage.h"
#include "ReportText.h"

namespace vyra::gfx::report {

namespace {

constexpr double kLeftMargin = 10;
constexpr double kNotePoints = 9;

// The one row of page 1: the entries' notes side by side.
std::string Page1Line(const EntryNotes& notes)
{
    std::string line = notes.readAs;
    for (const std::string& origin : notes.origins) {
        line += (line.empty() ? "" : "   ") + origin;
    }
    return line;
}

// Where the notes may run: under the sketch's box to the page's rule.
double NotesEnd(const Canvas& page) { return WholeCells(page.ScaleWidth() - 7); }

// The text in lines no wider than width, each broken after a ", ".
std::vector<std::string> Wrapped(const Canvas& page, const std::string& text, double width)
{
    std::vector<std::string> lines{""};
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t comma = text.find(", ", from);
        const std::size_t end = comma == std::string::npos ? text.size() : comma + 2;
        const std::string piece = text.substr(from, end - from);
        if (!lines.back().empty() && page.TextWidth(lines.back() + piece) > width) {
            lines.emplace_back();
        }
        lines.back() += piece;
        from = end;
    }
    return lines;
}

}  // namespace

// The same test as the block's own: a text that would not fit its cell even
// in the smallest size is cut there, and said whole here.
EntryNotes EntryNotesOf(Canvas& page, const ReportRecord& record)
{
    const ReportSpecifications& shown = record.specifications;
    page.SetFontSize(10);
    const double textEnd = page.ScaleWidth() / 2 - 12;
    EntryNotes notes{"", shown.origins};
    for (int k = 0; k < kFieldCount; ++k) {
        const std::string& text = shown.fieldTexts[k];
        const double captionEnd = kLeftMargin + page.TextWidth(shown.fieldCaptions[k]) + page.TextWidth(" ") / 2;
        const bool cut = TextWidthAt(page, text, kSmallestPoints) > textEnd - captionEnd;
        if (cut || !ReadsAsTyped(k, text)) {
            notes.readAs += (notes.readAs.empty() ? "Read as: " : ", ") + std::string(FieldSymbol(k)) + " "
                            + ValueReadText(k, text);
        }
    }
    page.SetFontSize(kNotePoints);
    return notes;
}

bool EntryNotesFitPage1(Canvas& page, const EntryNotes& notes)
{
    return TextWidthAt(page, Page1Line(notes), kSmallestPoints) <= NotesEnd(page) - kLeftMargin;
}

void WriteEntryNotesOnPage1(Canvas& page, double y, const EntryNotes& notes)
{
    page.SetFontSize(kNotePoints);
    const std::string line = EntryNotesFitPage1(page, notes) ? Page1Line(notes) : "Notes on the entries: page 2";
    if (!line.empty()) {
        WriteWithin(page, kLeftMargin, y, line, NotesEnd(page), LineEnd::Keep);
    }
}

double WriteEntryNotesOnPage2(Canvas& page, double y, const EntryNotes& notes)
{
    page.SetFontSize(kNotePoints);
    page.SetFontBold(false);
    const double left = 12;
    const double width = page.ScaleWidth() - 10 - left;
    WriteAt(page, left, y, "Notes on the entries of page 1:", LineEnd::Keep);
    std::vector<std::string> texts{notes.readAs};
    texts.insert(texts.end(), notes.origins.begin(), notes.origins.end());
    for (const std::string& text : texts) {
        for (const std::string& line : text.empty() ? std::vector<std::string>{} : Wrapped(page, text, width)) {
            y += 1;
            WriteWithin(page, left, y, line, left + width, LineEnd::Keep);
        }
    }
    return y + 1;
}

}  // namespace vyra::gfx::report
