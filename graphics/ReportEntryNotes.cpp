#include "ReportEntryNotes.h"

#include "InputReading.h"
#include "ReportPage.h"
#include "ReportText.h"

namespace vyra::gfx::report {

namespace {

constexpr double kLeftMargin = 10;
constexpr double kNotePoints = 9;

// The one row of page 1: the note, the origins side by side.
std::string Page1Line(const EntryNotes& notes)
{
    std::string line = notes.readAs + notes.asTyped;
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

double FieldWidthAt(Canvas& page, const std::string& text, double points)
{
    return TextWidthAt(page, text, points) + TextWidthAt(page, " ", points) / 2;
}

bool FitsFieldAt(Canvas& page, const std::string& text, double room, double points)
{
    return FieldWidthAt(page, text, points) <= room;
}

// The block's own test: a text that does not fit its cell even in the
// smallest size is cut there, and said whole here.
EntryNotes EntryNotesOf(Canvas& page, const ReportRecord& record)
{
    const ReportSpecifications& shown = record.specifications;
    page.SetFontSize(10);
    const double textEnd = page.ScaleWidth() / 2 - 12;
    EntryNotes notes{"", "", shown.origins};
    for (int k = 0; k < kFieldCount; ++k) {
        const std::string& text = shown.fieldTexts[k];
        const std::string symbol(FieldSymbol(k));
        const double room = textEnd - kLeftMargin - page.TextWidth(shown.fieldCaptions[k]);
        if (!FitsFieldAt(page, text, room, kSmallestPoints)) {
            notes.asTyped += (notes.asTyped.empty() ? "As typed: " : ", ") + symbol + " " + text;
        }
        if (!ReadsAsTyped(k, text)) {
            notes.readAs += (notes.readAs.empty() ? "Read as: " : ", ") + symbol + " " + ValueReadText(k, text);
        }
    }
    page.SetFontSize(kNotePoints);
    return notes;
}

bool EntryNotesFitPage1(Canvas& page, const EntryNotes& notes)
{
    const int kinds =
        (notes.readAs.empty() ? 0 : 1) + (notes.asTyped.empty() ? 0 : 1) + (notes.origins.empty() ? 0 : 1);
    return kinds <= 1 && TextWidthAt(page, Page1Line(notes), kSmallestPoints) <= NotesEnd(page) - kLeftMargin;
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
    std::vector<std::string> texts{notes.readAs, notes.asTyped};
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
