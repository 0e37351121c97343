#include "RtfTextDocument.h"
#include "RtfReader.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#include <memory>
#include <variant>
#include <vector>

namespace vyra::rtf {
namespace {

// Fonts and text layout need the application object; QT_QPA_PLATFORM is
// "offscreen" under CTest.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "rtf_tests";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_application;
};

const auto* const kGuiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

void Fill(const char* rtf, QTextDocument& target)
{
    const auto result = ReadRtf(rtf);
    ASSERT_TRUE(std::holds_alternative<Document>(result)) << std::get<ReadFailure>(result).reason;
    FillTextDocument(std::get<Document>(result), target);
}

std::vector<QTextTable*> TablesOf(const QTextDocument& document)
{
    std::vector<QTextTable*> tables;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            tables.push_back(table);
        }
    }
    return tables;
}

QString CellText(QTextTable* table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

TEST(TextDocument, ParagraphsBecomeBlocksWithTheirFormats)
{
    QTextDocument document;
    Fill(R"({\rtf1\pard\qc\li720\ri360\fi-180\sb120\sa240 Title\par\pard\qj Body\par\pard\qr End\par})", document);
    ASSERT_EQ(document.blockCount(), 3);
    const QTextBlock first = document.begin();
    EXPECT_EQ(first.text(), "Title");
    const QTextBlockFormat format = first.blockFormat();
    EXPECT_EQ(format.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    // Twips / 15: pixels at 96 dots per inch.
    EXPECT_NEAR(format.leftMargin(), 48.0, 1e-9);
    EXPECT_NEAR(format.rightMargin(), 24.0, 1e-9);
    EXPECT_NEAR(format.textIndent(), -12.0, 1e-9);
    EXPECT_NEAR(format.topMargin(), 8.0, 1e-9);
    EXPECT_NEAR(format.bottomMargin(), 16.0, 1e-9);
    // A hanging indent puts the first tab stop where the text continues.
    ASSERT_EQ(format.tabPositions().size(), 1);
    EXPECT_NEAR(format.tabPositions()[0].position, 12.0, 1e-9);
    EXPECT_EQ(first.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
    EXPECT_EQ(first.next().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST(TextDocument, RunsCarryCharacterFormats)
{
    QTextDocument document;
    Fill(R"({\rtf1{\fonttbl{\f0 Liberation Serif;}{\f1 Liberation Mono;}}{\colortbl;\red200\green10\blue20;})"
         R"(\f0\fs24 plain {\b bold}{\i italic}{\ul under}{\f1\fs36\cf1 mono}{\strike gone}\par})",
         document);
    std::vector<QTextFragment> fragments;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it) {
        fragments.push_back(it.fragment());
    }
    ASSERT_EQ(fragments.size(), 6u);
    EXPECT_EQ(fragments[0].text(), "plain ");
    EXPECT_EQ(fragments[0].charFormat().fontWeight(), QFont::Normal);
    EXPECT_NEAR(fragments[0].charFormat().fontPointSize(), 12.0, 1e-9);
    EXPECT_EQ(fragments[0].charFormat().fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    EXPECT_EQ(fragments[1].charFormat().fontWeight(), QFont::Bold);
    EXPECT_TRUE(fragments[2].charFormat().fontItalic());
    EXPECT_TRUE(fragments[3].charFormat().fontUnderline());
    const QTextCharFormat mono = fragments[4].charFormat();
    EXPECT_EQ(mono.fontFamilies().toStringList(), QStringList{"Liberation Mono"});
    EXPECT_NEAR(mono.fontPointSize(), 18.0, 1e-9);
    EXPECT_EQ(mono.foreground().color(), QColor(200, 10, 20));
    EXPECT_FALSE(fragments[0].charFormat().hasProperty(QTextFormat::ForegroundBrush));
    EXPECT_TRUE(fragments[5].charFormat().fontStrikeOut());
    EXPECT_FALSE(fragments[0].charFormat().fontStrikeOut());
}

TEST(TextDocument, LineBreakIsLineSeparatorInOneBlock)
{
    QTextDocument document;
    Fill(R"({\rtf1 first\line second\tab third\par})", document);
    ASSERT_EQ(document.blockCount(), 1);
    EXPECT_EQ(document.begin().text(), QString("first") + QChar::LineSeparator + "second\tthird");
}

// A stretch without a break longer than any real word gets an invisible
// break opportunity every 64 characters, so that laying it out stays quick;
// ordinary words and characters beyond 16 bits stay as they are.
TEST(TextDocument, OverlongWordsGetInvisibleBreakOpportunities)
{
    QTextDocument document;
    const std::string word(130, 'x');
    Fill(("{\\rtf1 short words " + word + " \\u55357?\\u56832?}").c_str(), document);
    const QString expected = "short words " + QString(64, 'x') + QChar(0x200B) + QString(64, 'x') + QChar(0x200B)
                             + "xx " + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(document.begin().text(), expected);
}

TEST(TextDocument, RowsOfEqualWidthMakeOneTableBetweenParagraphs)
{
    QTextDocument document;
    Fill(R"({\rtf1{\colortbl;\red221\green228\blue238;})"
         R"(Before\par\trowd\clcbpat1\cellx1440\cellx4320\intbl\qc A\cell\pard\intbl B\cell\row)"
         R"(\trowd\cellx1440\cellx4320\intbl C\cell D\cell\row\pard After\par})",
         document);
    const std::vector<QTextTable*> tables = TablesOf(document);
    ASSERT_EQ(tables.size(), 1u);
    QTextTable* table = tables[0];
    ASSERT_EQ(table->rows(), 2);
    ASSERT_EQ(table->columns(), 2);
    EXPECT_EQ(CellText(table, 0, 0), "A");
    EXPECT_EQ(CellText(table, 0, 1), "B");
    EXPECT_EQ(CellText(table, 1, 0), "C");
    EXPECT_EQ(CellText(table, 1, 1), "D");
    EXPECT_EQ(table->cellAt(0, 0).firstCursorPosition().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(table->cellAt(0, 0).format().background().color(), QColor(221, 228, 238));
    EXPECT_EQ(table->cellAt(0, 1).format().background().style(), Qt::NoBrush);
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_NEAR(widths[0].rawValue(), 96.0, 1e-9);
    EXPECT_NEAR(widths[1].rawValue(), 192.0, 1e-9);
    EXPECT_EQ(document.begin().text(), "Before");
    EXPECT_EQ(document.lastBlock().text(), "After");
    EXPECT_LT(document.begin().position(), table->firstPosition());
    EXPECT_GT(document.lastBlock().position(), table->lastPosition());
}

TEST(TextDocument, RowsOfDifferentCellCountsMakeSeparateTables)
{
    QTextDocument document;
    Fill(R"({\rtf1\intbl a\cell b\cell\row\intbl c\cell d\cell e\cell\row})", document);
    const std::vector<QTextTable*> tables = TablesOf(document);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0]->columns(), 2);
    EXPECT_EQ(tables[1]->columns(), 3);
    EXPECT_EQ(CellText(tables[1], 0, 2), "e");
}

TEST(TextDocument, FillingReplacesEarlierContent)
{
    QTextDocument document;
    document.setPlainText("old text");
    Fill(R"({\rtf1 new\par})", document);
    EXPECT_EQ(document.toPlainText(), "new");
}

}  // namespace
}  // namespace vyra::rtf
