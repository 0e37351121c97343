// The reader's documents as the viewer's QTextDocument: blocks with their
// formats, fragments with their character formats, and tables, recorded.
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

#include <memory>
#include <variant>

namespace vyra::rtf {
namespace {

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

QString Describe(const QTextBlock& block)
{
    const QTextBlockFormat f = block.blockFormat();
    QString out = QStringLiteral("  block align %1 margins %2 %3 indent %4 spacing %5 %6 tabs")
                      .arg(static_cast<int>(f.alignment() & Qt::AlignHorizontal_Mask))
                      .arg(f.leftMargin())
                      .arg(f.rightMargin())
                      .arg(f.textIndent())
                      .arg(f.topMargin())
                      .arg(f.bottomMargin());
    for (const QTextOption::Tab& tab : f.tabPositions()) {
        out += QStringLiteral(" %1").arg(tab.position);
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat c = it.fragment().charFormat();
        out += QStringLiteral("\n    \"%1\" %2pt weight %3%4%5%6 %7 %8")
                   .arg(it.fragment().text().replace(QChar::LineSeparator, "|").replace(QChar(0x200B), "^"))
                   .arg(c.fontPointSize())
                   .arg(c.fontWeight())
                   .arg(c.fontItalic() ? " italic" : "", c.fontUnderline() ? " underline" : "",
                        c.fontStrikeOut() ? " struck" : "")
                   .arg(c.fontFamilies().toStringList().join(','),
                        c.hasProperty(QTextFormat::ForegroundBrush) ? c.foreground().color().name() : "");
    }
    return out + "\n";
}

TEST(TextDocument, DocumentsAsRecorded)
{
    const char* const inputs[] = {
        R"({\rtf1\pard\qc\li720\ri360\fi-180\sb120\sa240 Title\par\pard\qj Body\par\pard\qr End\par})",
        R"({\rtf1{\fonttbl{\f0 Liberation Serif;}{\f1 Liberation Mono;}}{\colortbl;\red200\green10\blue20;})"
        R"(\f0\fs24 plain {\b bold}{\i italic}{\ul under}{\f1\fs36\cf1 mono}{\strike gone}\par})",
        R"({\rtf1 first\line second\tab third\par})",
        R"({\rtf1 short words xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx)"
        R"(xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx \u55357?\u56832?})",
        R"({\rtf1{\colortbl;\red221\green228\blue238;}Before\par\trowd\clcbpat1\cellx1440\cellx4320\intbl\qc A)"
        R"(\cell\pard\intbl B\cell\row\trowd\cellx1440\cellx4320\intbl C\cell D\cell\row\pard After\par})",
        R"({\rtf1\intbl a\cell b\cell\row\intbl c\cell d\cell e\cell\row})",
    };
    QString recording;
    QTextDocument document;
    document.setPlainText("old text, replaced by each filling");
    for (const char* rtf : inputs) {
        FillTextDocument(std::get<Document>(ReadRtf(rtf)), document);
        recording += QStringLiteral("# %1\n").arg(QString::fromUtf8(rtf).left(60));
        for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
            if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
                recording += QStringLiteral("  table %1 x %2 widths").arg(table->rows()).arg(table->columns());
                for (const QTextLength& width : table->format().columnWidthConstraints()) {
                    recording += QStringLiteral(" %1").arg(width.rawValue());
                }
                recording += "\n";
                for (int row = 0; row < table->rows(); ++row) {
                    for (int column = 0; column < table->columns(); ++column) {
                        const QTextTableCell cell = table->cellAt(row, column);
                        recording += QStringLiteral("  cell background %1\n")
                                         .arg(cell.format().background().style() == Qt::NoBrush
                                                  ? QStringLiteral("none")
                                                  : cell.format().background().color().name())
                                     + Describe(cell.firstCursorPosition().block());
                    }
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
