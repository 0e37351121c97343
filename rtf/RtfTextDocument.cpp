#include "RtfTextDocument.h"

#include <QColor>
#include <QFont>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLength>
#include <QTextTable>
#include <QTextTableCell>
#include <QTextTableFormat>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace vyra::rtf {
namespace {

// Lengths in a QTextDocument are pixels at 96 dots per inch, scaled to the
// device it is drawn on, while font sizes in points follow the device: a
// twip (1/1440 inch) is therefore 1/15 of a unit. Taking points instead
// (twips / 20) would draw indents and columns a quarter too small beside
// the text.
constexpr double kTwipsPerUnit = 15.0;

QColor ColourOf(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QTextCharFormat CharFormatOf(const CharFormat& format)
{
    QTextCharFormat result;
    result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.italic);
    result.setFontUnderline(format.underline);
    result.setFontStrikeOut(format.strikeOut);
    result.setFontPointSize(format.pointSize);
    if (!format.fontName.empty()) {
        result.setFontFamilies(QStringList{QString::fromStdString(format.fontName)});
    }
    if (format.hasColour) {
        result.setForeground(ColourOf(format.colour));
    }
    return result;
}

Qt::Alignment AlignmentOf(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Justified:
        return Qt::AlignJustify;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat BlockFormatOf(const ParagraphFormat& format)
{
    QTextBlockFormat result;
    result.setAlignment(AlignmentOf(format.alignment));
    result.setLeftMargin(format.leftIndent / kTwipsPerUnit);
    result.setRightMargin(format.rightIndent / kTwipsPerUnit);
    result.setTextIndent(format.firstLineIndent / kTwipsPerUnit);
    result.setTopMargin(format.spaceBefore / kTwipsPerUnit);
    result.setBottomMargin(format.spaceAfter / kTwipsPerUnit);
    // With a hanging indent the first tab reaches the indent, which is how a
    // list item's label is set off from its text.
    if (format.firstLineIndent < 0) {
        result.setTabPositions({QTextOption::Tab(-format.firstLineIndent / kTwipsPerUnit, QTextOption::LeftTab)});
    }
    return result;
}

// Documents use a handful of character formats over and over; converting
// each once saves building and comparing a QTextCharFormat per run.
class CharFormatCache {
public:
    const QTextCharFormat& operator()(const CharFormat& format)
    {
        for (const auto& [known, converted] : m_entries) {
            if (known == format) {
                return converted;
            }
        }
        if (m_entries.size() == kCapacity) {
            m_entries.erase(m_entries.begin());
        }
        m_entries.emplace_back(format, CharFormatOf(format));
        return m_entries.back().second;
    }

private:
    static constexpr std::size_t kCapacity = 16;
    std::vector<std::pair<CharFormat, QTextCharFormat>> m_entries;
};

// Laying out a word that is longer than a line takes time that grows with
// the square of its length (a word of a megabyte holds the screen for a
// minute), so a longer stretch without a break gets an invisible break
// opportunity every so many characters. No word of a real document is this
// long.
constexpr int kLongestUnbrokenStretch = 64;

bool BreaksLine(QChar c) { return c.isSpace() || c == QChar(0x200B) || c == QLatin1Char('-'); }

// A line break inside a paragraph is the line separator, which the layout
// breaks at without starting a new block.
void InsertRuns(QTextCursor& cursor, const std::vector<Run>& runs, CharFormatCache& formats)
{
    int unbroken = 0;
    for (const Run& run : runs) {
        const QString source = QString::fromUtf8(run.text.data(), static_cast<qsizetype>(run.text.size()));
        QString text;
        text.reserve(source.size());
        for (const QChar c : source) {
            text.append(c == QLatin1Char('\n') ? QChar(QChar::LineSeparator) : c);
            unbroken = BreaksLine(c) ? 0 : unbroken + 1;
            // Never between the two halves of a character beyond 16 bits.
            if (unbroken >= kLongestUnbrokenStretch && !c.isHighSurrogate()) {
                text.append(QChar(0x200B));
                unbroken = 0;
            }
        }
        cursor.insertText(text, formats(run.format));
    }
}

// Consecutive rows with the same number of cells make one table.
std::size_t TableEnd(const std::vector<Paragraph>& paragraphs, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < paragraphs.size() && paragraphs[end].cells.size() == paragraphs[begin].cells.size()) {
        ++end;
    }
    return end;
}

// Column widths from the first row's cell edges when they rise steadily;
// otherwise the layout shares the width out.
QTextTableFormat TableFormatOf(const Paragraph& firstRow)
{
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(3);
    if (firstRow.cellEdges.size() != firstRow.cells.size()) {
        return format;
    }
    QList<QTextLength> widths;
    int left = 0;
    for (const int edge : firstRow.cellEdges) {
        if (edge <= left) {
            return format;
        }
        widths.append(QTextLength(QTextLength::FixedLength, (edge - left) / kTwipsPerUnit));
        left = edge;
    }
    format.setColumnWidthConstraints(widths);
    return format;
}

void InsertTable(QTextCursor& cursor, const std::vector<Paragraph>& paragraphs, std::size_t begin, std::size_t end,
                 CharFormatCache& formats)
{
    const Paragraph& first = paragraphs[begin];
    const int columns = static_cast<int>(first.cells.size());
    QTextTable* table = cursor.insertTable(static_cast<int>(end - begin), columns, TableFormatOf(first));
    for (std::size_t row = begin; row < end; ++row) {
        const Paragraph& paragraph = paragraphs[row];
        for (int column = 0; column < columns; ++column) {
            const auto cell = static_cast<std::size_t>(column);
            QTextTableCell tableCell = table->cellAt(static_cast<int>(row - begin), column);
            if (cell < paragraph.cellBackgrounds.size() && paragraph.cellBackgrounds[cell]) {
                QTextTableCellFormat cellFormat;
                cellFormat.setBackground(ColourOf(*paragraph.cellBackgrounds[cell]));
                tableCell.setFormat(cellFormat);
            }
            QTextCursor cellCursor = tableCell.firstCursorPosition();
            if (cell < paragraph.cellFormats.size()) {
                cellCursor.setBlockFormat(BlockFormatOf(paragraph.cellFormats[cell]));
            }
            InsertRuns(cellCursor, paragraph.cells[cell], formats);
        }
    }
}

}  // namespace

// Tables take the place of an empty block and leave an empty block after
// them, which the next paragraph fills.
void FillTextDocument(const Document& document, QTextDocument& target)
{
    target.clear();
    const bool undoWasEnabled = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool blockEmpty = true;
    CharFormatCache formats;
    const std::vector<Paragraph>& paragraphs = document.paragraphs;
    for (std::size_t index = 0; index < paragraphs.size();) {
        const Paragraph& paragraph = paragraphs[index];
        if (paragraph.cells.empty()) {
            if (blockEmpty) {
                cursor.setBlockFormat(BlockFormatOf(paragraph.format));
            } else {
                cursor.insertBlock(BlockFormatOf(paragraph.format), QTextCharFormat());
            }
            InsertRuns(cursor, paragraph.runs, formats);
            blockEmpty = false;
            ++index;
            continue;
        }
        if (!blockEmpty) {
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        }
        const std::size_t end = TableEnd(paragraphs, index);
        InsertTable(cursor, paragraphs, index, end, formats);
        cursor.movePosition(QTextCursor::End);
        blockEmpty = true;
        index = end;
    }
    cursor.endEditBlock();
    target.setUndoRedoEnabled(undoWasEnabled);
}

}  // namespace vyra::rtf
