// Arbitrary bytes through the RTF reader with small limits, so that every
// limit is within reach of short inputs, then through the plain text. Input
// that does not start like RTF is also read with the header put in front,
// so that mutations do not spend their time on the first five bytes.

#include "Require.h"
#include "RtfReader.h"
#include "Utf8.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace vyra::rtf {
namespace {

constexpr ReadLimits kLimits{.maxInputBytes = 1u << 16,
                             .maxGroupDepth = 16,
                             .maxTextBytes = 4096,
                             .maxParts = 256,
                             .maxCellsPerRow = 8,
                             .maxTableRows = 32};

// Returns the UTF-8 bytes of the runs; counts line breaks into breaks.
std::size_t CheckRuns(const std::vector<Run>& runs, std::size_t& breaks)
{
    std::size_t bytes = 0;
    for (const Run& run : runs) {
        REQUIRE(!run.text.empty());
        REQUIRE(IsUtf8(run.text));
        REQUIRE(IsUtf8(run.format.fontName));
        REQUIRE(run.format.pointSize >= 1 && run.format.pointSize <= 1638);
        REQUIRE(run.format.colour <= 0xFFFFFF);
        REQUIRE(std::all_of(run.text.begin(), run.text.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n'; }));
        breaks += std::count(run.text.begin(), run.text.end(), '\n');
        bytes += run.text.size();
    }
    return bytes;
}

void CheckDocument(const Document& document)
{
    std::size_t textBytes = 0;
    std::size_t parts = document.paragraphs.size();
    std::size_t bodyBreaks = 0;
    for (const Paragraph& paragraph : document.paragraphs) {
        REQUIRE(paragraph.cells.empty() || paragraph.runs.empty());
        textBytes += CheckRuns(paragraph.runs, bodyBreaks);
        parts += paragraph.runs.size() + paragraph.cells.size();
        REQUIRE(paragraph.cells.size() <= kLimits.maxCellsPerRow);
        REQUIRE(paragraph.cellFormats.size() == paragraph.cells.size());
        REQUIRE(paragraph.cellEdges.size() <= kLimits.maxCellsPerRow);
        for (const std::vector<Run>& cell : paragraph.cells) {
            std::size_t cellBreaks = 0;
            textBytes += CheckRuns(cell, cellBreaks);
            parts += cell.size();
        }
    }
    REQUIRE(textBytes <= kLimits.maxTextBytes);
    REQUIRE(parts <= kLimits.maxParts);

    // One line per paragraph and per line break outside tables.
    const std::string text = PlainText(document);
    REQUIRE(IsUtf8(text));
    REQUIRE(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'))
            == document.paragraphs.size() + bodyBreaks);
}

void CheckRead(std::string_view bytes)
{
    const Expected<Document> result = ReadRtf(bytes, kLimits);
    if (!result) {
        REQUIRE(!result.Error().reason.empty());
        REQUIRE(result.Error().reason.find('\n') == std::string::npos);
        return;
    }
    REQUIRE(bytes.starts_with("{\\rtf"));
    CheckDocument(*result);
}

}  // namespace
}  // namespace vyra::rtf

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vyra::rtf::CheckRead(bytes);
    if (!bytes.starts_with("{\\rtf")) {
        vyra::rtf::CheckRead("{\\rtf1 " + std::string(bytes));
    }
    return 0;
}
