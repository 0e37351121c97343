#pragma once

#include "Canvas.h"
#include "ReportRecord.h"

#include <string>
#include <vector>

namespace vyra::gfx::report {

// A typed text's width in the block at a size, with the half blank that
// keeps it clear of its caption; whether it fits the room so.
double FieldWidthAt(Canvas& page, const std::string& text, double points);
bool FitsFieldAt(Canvas& page, const std::string& text, double room, double points);

// What the specifications block cannot show as it stands: a "Read as: "
// line for the entries read otherwise than typed, an "As typed: " line for
// those cut short even at the smallest size, and where the tension or the
// roller weight came from.
struct EntryNotes {
    std::string readAs;
    std::string asTyped;
    std::vector<std::string> origins;
};
EntryNotes EntryNotesOf(Canvas& page, const ReportRecord& record);

// Page 1 keeps one 9-point row between the block and the answer above the
// results: the notes stay there when they are of one kind (the origins go
// side by side) and fill that row whole at 7 point or more; otherwise that
// row points to page 2, which gives each on lines of its own.
bool EntryNotesFitPage1(Canvas& page, const EntryNotes& notes);

// Writes the notes on page 1's row at y: themselves, or where they are.
void WriteEntryNotesOnPage1(Canvas& page, double y, const EntryNotes& notes);

// Writes the notes whole from row y of page 2 in lines that fit its width,
// broken after a comma; gives the row after the last.
double WriteEntryNotesOnPage2(Canvas& page, double y, const EntryNotes& notes);

}  // namespace vyra::gfx::report
