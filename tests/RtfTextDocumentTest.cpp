// The reader's documents as the viewer's QTextDocument: blocks with their
// formats, fragments with their character formats, and tables, recorded;
// what the reader makes of each format shows there as the viewer shows it.
#include "RtfTextDocument.h"
#include "Golden.h"
#include "RtfReader.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace vyra::rtf {
namespace {

QString Describe(const QTextBlock& block)
{
    const QTextBlockFormat f = block.blockFormat();
    QString out = QString::asprintf("  block align %d margins %g %g indent %g spacing %g %g tabs",
                                    static_cast<int>(f.alignment() & Qt::AlignHorizontal_Mask), f.leftMargin(),
                                    f.rightMargin(), f.textIndent(), f.topMargin(), f.bottomMargin());
    for (const QTextOption::Tab& tab : f.tabPositions()) {
        out += QStringLiteral(" %1").arg(tab.position);
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat c = it.fragment().charFormat();
        const QString text = it.fragment().text().replace(QChar::LineSeparator, "|").replace(QChar(0x200B), "^");
        const QString colour = c.hasProperty(QTextFormat::ForegroundBrush) ? c.foreground().color().name() : "";
        out += QString::asprintf("\n    \"%s\" %gpt weight %d%s%s%s %s %s", qUtf8Printable(text), c.fontPointSize(),
                                 c.fontWeight(), c.fontItalic() ? " italic" : "", c.fontUnderline() ? " underline" : "",
                                 c.fontStrikeOut() ? " struck" : "",
                                 qUtf8Printable(c.fontFamilies().toStringList().join(',')), qUtf8Printable(colour));
    }
    return out + "\n";
}

TEST(TextDocument, DocumentsAsRecorded)
{
    // QTextDocument lays text out with fonts, which need the application.
    int argc = 1;
    char* argv[] = {const_cast<char*>("rtf_tests"), nullptr};
    const QGuiApplication application(argc, argv);
    QString recording;
    QTextDocument document;
    document.setPlainText("old text, replaced by each filling");
    for (const test::CaseRow& input : test::ReadCaseTable("rtf_documents")) {
        FillTextDocument(*ReadRtf(input.at(1)), document);
        recording += QString::fromStdString("# " + input[0] + "\n");
        for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
                recording += QStringLiteral("  table %1 x %2 widths").arg(table->rows()).arg(table->columns());
                for (const QTextLength& width : table->format().columnWidthConstraints()) {
                    recording += QStringLiteral(" %1").arg(width.rawValue());
                }
                recording += "\n";
                for (int i = 0; i < table->rows() * table->columns(); ++i) {
                    const QTextTableCell cell = table->cellAt(i / table->columns(), i % table->columns());
                    const QBrush background = cell.format().background();
                    recording += QStringLiteral("  cell background %1\n")
                                     .arg(background.style() == Qt::NoBrush ? "none" : background.color().name())
                                 + Describe(cell.firstCursorPosition().block());
                }
            } else {
                recording += Describe(it.currentBlock());
            }
        }
    }
    test::ExpectGolden("rtf_text_document", recording.toStdString());
}

}  // namespace
}  // namespace vyra::rtf
