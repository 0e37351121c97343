#pragma once

#include "Expected.h"
#include "RtfDocument.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vyra::rtf {

// Limits that keep reading bounded for any input, hostile ones included.
// Memory stays within a small multiple of maxTextBytes plus maxParts times
// the size of a run, and time is linear in the input.
struct ReadLimits {
    std::size_t maxInputBytes = 64u * 1024u * 1024u;
    // Word processors nest a few dozen groups; generated documents nest
    // deeper, so the bound lies far above any real document.
    int maxGroupDepth = 10000;
    std::size_t maxTextBytes = 64u * 1024u * 1024u;  // UTF-8 bytes of all runs together
    std::size_t maxParts = 1u << 18;  // paragraphs, table cells and runs together
    std::size_t maxCellsPerRow = 64;  // further cells join the last one, after a tab
    std::size_t maxTableRows = 1u << 18;  // table rows of the whole document
};

// Reads an RTF document. Input that does not start with "{\rtf", is larger
// than maxInputBytes, nests groups deeper than maxGroupDepth or builds more
// text, parts or table rows than allowed is a clean failure, never a crash or a hang.
// A document cut short (braces still open at the end, an escape or \bin
// data broken off) is not a failure: it gives what was read up to the cut.
// Anything after the brace that closes the document is ignored. A
// failure's reason is one line, for the developer program and the logs.
Expected<Document> ReadRtf(std::string_view bytes, const ReadLimits& limits = {});

// The plain text of a document: one line per paragraph, a line break inside
// a paragraph starting a new line, table cells separated by a tab, each table
// row on its own line; UTF-8. Inside a cell, line breaks and tabs become
// spaces so that a row stays one line of tab-separated cells.
std::string PlainText(const Document& document);

}  // namespace vyra::rtf
