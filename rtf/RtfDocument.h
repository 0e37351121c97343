#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyra::rtf {

enum class Alignment { Left, Centre, Right, Justified };

// Character formatting of a run of text.
struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double pointSize = 12;
    std::string fontName;  // from the font table; empty when unknown
    std::uint32_t colour = 0x000000;  // 0xRRGGBB, meaningful only with hasColour
    bool hasColour = false;  // false: the viewer's default text colour
    bool strikeOut = false;

    bool operator==(const CharFormat&) const = default;
};

// Text in UTF-8: "\t" is a tab, "\n" a line break inside the paragraph
// (the viewer's line separator); a run is never empty.
struct Run {
    std::string text;
    CharFormat format;
};

// Paragraph formatting; indents and spacing in twips.
struct ParagraphFormat {
    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const ParagraphFormat&) const = default;
};

// One paragraph, or one table row when cells is not empty.
struct Paragraph {
    ParagraphFormat format;
    std::vector<Run> runs;
    // A table row: each cell's runs; the row's own runs stay empty, and its
    // format is that of the first cell.
    std::vector<std::vector<Run>> cells;
    // For a table row: the format of each cell's last paragraph; and as the
    // row definition gives them (empty when the row defines none), each
    // cell's right edge in twips from the left margin (\cellx) and its
    // background colour, 0xRRGGBB (\clcbpat).
    std::vector<ParagraphFormat> cellFormats;
    std::vector<int> cellEdges;
    std::vector<std::optional<std::uint32_t>> cellBackgrounds;
};

struct Document {
    std::vector<Paragraph> paragraphs;
};

}  // namespace vyra::rtf
