#include "RtfBuilder.h"

#include <iterator>
#include <utility>

namespace vyra::rtf::detail {
namespace {

void MoveRuns(std::vector<Run>& from, std::vector<Run>& to)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    from.clear();
}

}  // namespace

DocumentBuilder::DocumentBuilder(const ReadLimits& limits, const StyleTables& tables)
    : m_limits(limits), m_tables(tables)
{
}

// A paragraph's place is decided by its properties at its end, so text read
// before \intbl took effect joins the cell it turned out to belong to.
std::vector<Run>& DocumentBuilder::Target(bool inTable)
{
    if (inTable) {
        if (!m_paragraphRuns.empty()) {
            MoveRuns(m_paragraphRuns, m_cellRuns);
        }
        return m_cellRuns;
    }
    if (!m_row.cells.empty() || !m_cellRuns.empty()) {
        CloseOpenRow();
    }
    return m_paragraphRuns;
}

void DocumentBuilder::AppendText(std::string_view utf8, const CharState& chars, bool inTable)
{
    if (m_failure || utf8.empty()) {
        return;
    }
    std::vector<Run>& target = Target(inTable);
    if (inTable && m_cellBreakPending) {
        m_cellBreakPending = false;
        AppendText("\n", chars, inTable);
    }
    if (!CountText(utf8.size())) {
        return;
    }
    if (!target.empty() && m_runState == chars) {
        target.back().text += utf8;
        return;
    }
    // Different states can still look the same, say two colours that both
    // turn out automatic.
    CharFormat format = Resolve(chars);
    m_runState = chars;
    if (!target.empty() && target.back().format == format) {
        target.back().text += utf8;
    } else if (CountPart()) {
        target.push_back(Run{std::string(utf8), std::move(format)});
    }
}

void DocumentBuilder::EndParagraph(const ParagraphFormat& format, bool inTable)
{
    if (inTable) {
        Target(true);
        m_cellBreakPending = true;
        m_cellParagraphFormat = format;
        return;
    }
    Target(false);
    CloseBodyParagraph(format);
}

void DocumentBuilder::BreakIfOpen(const ParagraphFormat& format, bool inTable)
{
    if (!inTable && !m_paragraphRuns.empty()) {
        CloseBodyParagraph(format);
    }
}

// A cell whose text ends with a paragraph mark takes that paragraph's format:
// writers often close the paragraph's group before \cell, which restores
// the format of the row around it.
void DocumentBuilder::EndCell(const ParagraphFormat& format)
{
    MoveRuns(m_paragraphRuns, m_cellRuns);
    const ParagraphFormat cellFormat = m_cellBreakPending ? m_cellParagraphFormat : format;
    m_cellBreakPending = false;
    m_runState.reset();
    if (m_row.cells.size() >= m_limits.maxCellsPerRow && !m_row.cells.empty()) {
        std::vector<Run>& last = m_row.cells.back();
        if (!m_cellRuns.empty() && CountText(1) && CountPart()) {
            last.push_back(Run{"\t", m_cellRuns.front().format});
            MoveRuns(m_cellRuns, last);
        }
        m_cellRuns.clear();
        return;
    }
    if (CountPart()) {
        m_row.cells.push_back(std::move(m_cellRuns));
        m_row.cellFormats.push_back(cellFormat);
    }
    m_cellRuns.clear();
}

void DocumentBuilder::EndRow(const RowDefinition& definition)
{
    if (!m_cellRuns.empty() || !m_paragraphRuns.empty()) {
        EndCell(m_row.cellFormats.empty() ? ParagraphFormat{} : m_row.cellFormats.back());
    }
    m_cellBreakPending = false;
    if (m_row.cells.empty() || !CountPart()) {
        return;
    }
    if (++m_tableRows > m_limits.maxTableRows) {
        m_failure = "the document has more than " + std::to_string(m_limits.maxTableRows) + " table rows";
        return;
    }
    m_row.format = m_row.cellFormats.front();
    m_row.cellEdges = definition.cellEdges;
    m_row.cellBackgrounds = definition.cellBackgrounds;
    m_document.paragraphs.push_back(std::move(m_row));
    m_row = Paragraph{};
}

void DocumentBuilder::Finish(const ParagraphFormat& format)
{
    if (!m_row.cells.empty() || !m_cellRuns.empty()) {
        CloseOpenRow();
    }
    if (!m_paragraphRuns.empty()) {
        CloseBodyParagraph(format);
    }
}

void DocumentBuilder::BeginLabel(bool inTable)
{
    const std::vector<Run>& target = Target(inTable);
    m_label = LabelMark{&target, target.size(), target.empty() ? 0 : target.back().text.size()};
}

// Only a label still at the end of the runs it started in is taken back.
void DocumentBuilder::EndLabel()
{
    if (!m_label) {
        return;
    }
    const LabelMark mark = *m_label;
    m_label.reset();
    std::vector<Run>* target = mark.target == &m_cellRuns ? &m_cellRuns : &m_paragraphRuns;
    if (target->size() < mark.runs || (mark.runs > 0 && (*target)[mark.runs - 1].text.size() < mark.lastRunBytes)) {
        return;
    }
    for (std::size_t index = mark.runs > 0 ? mark.runs - 1 : 0; index < target->size(); ++index) {
        const std::string& text = (*target)[index].text;
        const std::size_t from = index + 1 == mark.runs ? mark.lastRunBytes : 0;
        if (text.find_first_not_of(" \t", from) != std::string::npos) {
            return;
        }
    }
    target->resize(mark.runs);
    m_runState.reset();
    if (mark.runs > 0) {
        target->back().text.resize(mark.lastRunBytes);
    }
}

// A row that never met its \row still shows as a row.
void DocumentBuilder::CloseOpenRow() { EndRow({}); }

void DocumentBuilder::CloseBodyParagraph(const ParagraphFormat& format)
{
    m_runState.reset();
    if (!CountPart()) {
        return;
    }
    Paragraph paragraph;
    paragraph.format = format;
    paragraph.runs = std::move(m_paragraphRuns);
    m_paragraphRuns.clear();
    m_document.paragraphs.push_back(std::move(paragraph));
}

bool DocumentBuilder::CountText(std::size_t bytes)
{
    if (m_failure) {
        return false;
    }
    m_textBytes += bytes;
    if (m_textBytes > m_limits.maxTextBytes) {
        m_failure = "the text is longer than " + std::to_string(m_limits.maxTextBytes) + " bytes";
        return false;
    }
    return true;
}

bool DocumentBuilder::CountPart()
{
    if (m_failure) {
        return false;
    }
    if (++m_parts > m_limits.maxParts) {
        m_failure = "the document has more than " + std::to_string(m_limits.maxParts) + " paragraphs, cells and runs";
        return false;
    }
    return true;
}

CharFormat DocumentBuilder::Resolve(const CharState& chars) const
{
    CharFormat format;
    format.bold = chars.bold;
    format.italic = chars.italic;
    format.underline = chars.underline;
    format.strikeOut = chars.strikeOut;
    format.pointSize = chars.halfPoints / 2.0;
    if (const auto font = m_tables.fonts.find(chars.font); font != m_tables.fonts.end()) {
        format.fontName = font->second.name;
    }
    if (chars.colour >= 0 && static_cast<std::size_t>(chars.colour) < m_tables.colours.size()) {
        const ColourEntry& colour = m_tables.colours[static_cast<std::size_t>(chars.colour)];
        format.hasColour = !colour.automatic;
        format.colour = colour.rgb;
    }
    return format;
}

}  // namespace vyra::rtf::detail
