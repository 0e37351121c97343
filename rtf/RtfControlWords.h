#pragma once

#include <cstdint>
#include <string_view>

namespace vyra::rtf::detail {

// The control words the reader acts on; every other word is ignored.
enum class Word : std::uint8_t {
    Unknown,
    // Text and structure
    Paragraph,
    Line,
    Tab,
    Page,
    Section,
    Cell,
    Row,
    NestedCell,
    NestedRow,
    RowDefaults,
    CellEdge,
    CellBackground,
    InTable,
    FixedText,  // a word that stands for a character, such as \emdash
    ListLabel,  // the number or bullet of a list item, as its writer laid it out
    // Character formatting
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    StrikeOut,
    FontSize,
    Font,
    Colour,
    Plain,
    // Paragraph formatting
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    LeftIndent,
    RightIndent,
    FirstLineIndent,
    SpaceBefore,
    SpaceAfter,
    ParagraphDefaults,
    // Encoding
    UnicodeSkip,
    Unicode,
    Binary,
    AnsiCodePage,
    Ansi,
    Mac,
    Pc,
    Pca,
    DefaultFont,
    // Tables of the header
    FontTable,
    ColourTable,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    SkippedDestination,  // a destination whose content is not document text
};

struct WordInfo {
    Word word = Word::Unknown;
    std::string_view text;  // UTF-8, for FixedText
};

WordInfo LookUpWord(std::string_view name);

}  // namespace vyra::rtf::detail
