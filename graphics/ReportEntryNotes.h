#pragma once

#include "Canvas.h"
#include "ReportRecord.h"

#include <string>
#include <vector>

namespace vyra::gfx::report {

// What the specifications block cannot show as it stands: a "Read as: "
// line for the entries read otherwise than shown or cut short there, and
// where the tension or the roller weight came from, one line each.
struct EntryNotes {
    std::string readAs;
    std::vector<std::string> origins;
};
EntryNotes EntryNotesOf(Canvas& page, const ReportRecord& record);

// Page 1 keeps one 9-point row between the block and the answer above the
// results: the notes stay there when they fill that one row whole at 7
// point or more; otherwise that row points to page 2, which gives them.
bool EntryNotesFitPage1(Canvas& page, const EntryNotes& notes);

// Writes the notes on page 1's row at y: themselves, or where they are.
void WriteEntryNotesOnPage1(Canvas& page, double y, const EntryNotes& notes);

// Writes the notes whole from row y of page 2 in lines that fit its width,
// broken after a comma; gives the row after the last.
double WriteEntryNotesOnPage2(Canvas& page, double y, const EntryNotes& notes);

}  // namespace vyra::gfx::report
