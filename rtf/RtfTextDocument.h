#pragma once

#include "RtfDocument.h"

class QTextDocument;

namespace vyra::rtf {

// Builds the viewer's document, replacing what it held: paragraphs with
// their alignment, indents and spacing, runs with their character formats,
// line breaks as U+2028, and consecutive table rows with the same number of
// cells as one table, with the column widths and cell backgrounds of its
// first row. Lengths become the document's units, pixels at 96 dots per inch
// (twips / 15), so that they keep their size next to the text.
void FillTextDocument(const Document& document, QTextDocument& target);

}  // namespace vyra::rtf
