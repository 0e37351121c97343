#pragma once

#include "RtfDocument.h"
#include "RtfReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vyra::rtf::detail {

struct FontEntry {
    std::string name;  // UTF-8
    int codePage = 0;  // 0: the document's
};

struct ColourEntry {
    std::uint32_t rgb = 0;
    bool automatic = true;
};

// What the reader's tables say; filled while reading, consulted when a run
// starts.
struct StyleTables {
    std::unordered_map<int, FontEntry> fonts;
    std::vector<ColourEntry> colours;
};

// A table row's definition (\trowd ... \cellx), which stays in force for
// later rows until the next \trowd.
struct RowDefinition {
    std::vector<int> cellEdges;  // twips from the left margin
    std::vector<std::optional<std::uint32_t>> cellBackgrounds;  // 0xRRGGBB
};

// The character state of a group, kept as indices so that comparing two
// states is cheap; names and colours are looked up when a run starts.
struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int halfPoints = 24;
    int font = -1;  // -1: none chosen
    int colour = -1;  // -1: none chosen

    bool operator==(const CharState&) const = default;
};

// Assembles paragraphs, runs and table rows, and enforces the size limits.
// Text arrives as valid UTF-8; "\n" in it is a line break inside the
// paragraph (or cell).
class DocumentBuilder {
public:
    DocumentBuilder(const ReadLimits& limits, const StyleTables& tables);

    void AppendText(std::string_view utf8, const CharState& chars, bool inTable);
    void EndParagraph(const ParagraphFormat& format, bool inTable);
    // A \page or \sect: ends the paragraph only when it has text, so that the
    // usual "\par\page" makes no empty line.
    void BreakIfOpen(const ParagraphFormat& format, bool inTable);
    void EndCell(const ParagraphFormat& format);
    void EndRow(const RowDefinition& definition);
    void Finish(const ParagraphFormat& format);
    // A list label made only of blanks and tabs is taken back at its end:
    // writers emit one for headings that are numbered without a number.
    void BeginLabel(bool inTable);
    void EndLabel();

    const std::optional<std::string>& Failure() const { return m_failure; }
    Document TakeDocument() { return std::move(m_document); }

private:
    std::vector<Run>& Target(bool inTable);
    CharFormat Resolve(const CharState& chars) const;
    void CloseOpenRow();
    void CloseBodyParagraph(const ParagraphFormat& format);
    bool CountText(std::size_t bytes);
    bool CountPart();

    const ReadLimits& m_limits;
    const StyleTables& m_tables;
    Document m_document;
    std::optional<std::string> m_failure;
    std::size_t m_textBytes = 0;
    std::size_t m_parts = 0;
    std::size_t m_tableRows = 0;

    std::vector<Run> m_paragraphRuns;
    Paragraph m_row;
    std::vector<Run> m_cellRuns;
    bool m_cellBreakPending = false;  // a paragraph mark ended the cell's text so far
    ParagraphFormat m_cellParagraphFormat;  // the format at that mark
    // The state of the run last appended to, so that equal formats extend it.
    std::optional<CharState> m_runState;

    struct LabelMark {
        const std::vector<Run>* target;
        std::size_t runs;
        std::size_t lastRunBytes;
    };
    std::optional<LabelMark> m_label;
};

}  // namespace vyra::rtf::detail
