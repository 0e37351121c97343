#include "RtfReader.h"
#include "CaseText.h"
#include "Golden.h"
#include "RtfTextDocument.h"

#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <iconv.h>

#include <cerrno>
#include <map>
#include <random>
#include <sstream>
#include <string>

// The code page a row's C library lacks, as small C libraries may.
static std::string lackingCodePage;

// The reader's calls reach this before the C library's own.
extern "C" iconv_t iconv_open(const char* to, const char* from)
{
    if (lackingCodePage == from) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);
    }
    static const auto real = reinterpret_cast<iconv_t (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "iconv_open"));
    return real(to, from);
}

namespace vyra::rtf {
namespace {

// A case row's RTF: <xx> a byte.
std::string RtfOf(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const bool byte = field[i] == '<' && field.find('>', i) == i + 3;
        out += byte ? static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16)) : field[i];
        i += byte ? 3 : 0;
    }
    return out;
}

// A NAME=VALUE word over the default limits; any other word keeps them.
ReadLimits LimitsOf(const std::string& word)
{
    static const std::map<std::string, std::size_t ReadLimits::*> sizes{{"maxInputBytes", &ReadLimits::maxInputBytes},
                                                                        {"maxTextBytes", &ReadLimits::maxTextBytes},
                                                                        {"maxParts", &ReadLimits::maxParts},
                                                                        {"maxCellsPerRow", &ReadLimits::maxCellsPerRow},
                                                                        {"maxTableRows", &ReadLimits::maxTableRows}};
    ReadLimits limits;
    const std::string name = word.substr(0, word.find('='));
    if (name == "maxGroupDepth") {
        limits.maxGroupDepth = std::stoi(word.substr(name.size() + 1));
    } else if (name != word) {
        limits.*sizes.at(name) = std::stoul(word.substr(name.size() + 1));
    }
    return limits;
}

// The case table's PIECE*TIMES words, joined.
std::string Generated(const std::string& words)
{
    std::istringstream stream(words);
    std::string out;
    for (std::string word; stream >> word;) {
        const std::size_t star = word.rfind('*');
        const std::string piece = RtfOf(word.substr(0, star));
        for (std::size_t i = star == std::string::npos ? 1 : std::stoul(word.substr(star + 1)); i > 0; --i) {
            out += piece;
        }
    }
    return out;
}

// Seeded random bytes after the header, braces made blanks so all are read.
std::string RandomAfterHeader()
{
    std::mt19937 generator(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out = R"({\rtf1)";
    while (out.size() < (20u << 20)) {
        const char c = static_cast<char>(byte(generator));
        out += c == '{' || c == '}' ? ' ' : c;
    }
    return out;
}

// Every input gives its text, always valid UTF-8, or fails with a one-line
// reason; a hang is caught by the suite's time limit, and the speed is the
// benchmark's to measure.
TEST(ReaderText, CasesGiveTheirPlainText)
{
    for (const test::CaseRow& row : test::ReadCaseTable("rtf_texts")) {
        ASSERT_GE(row.size(), 3U) << row[0];
        const std::string setting = row.size() > 3 ? row[3] : "";
        lackingCodePage = setting.starts_with("lacking ") ? setting.substr(8) : "";
        const std::string input = setting != "generated" ? RtfOf(row[1])
                                  : row[1] == "(random)" ? RandomAfterHeader()
                                                         : Generated(row[1]);
        const Expected<Document> read = ReadRtf(input, LimitsOf(setting));
        const std::string text = read ? PlainText(*read) : "FAILS";
        EXPECT_TRUE(read || (!read.Error().reason.empty() && read.Error().reason.find('\n') == std::string::npos))
            << row[0];
        // Qt replaces every invalid sequence, so only valid UTF-8 comes back unchanged.
        EXPECT_EQ(QString::fromStdString(text).toStdString(), text) << row[0];
        if (row[2] != "(either)") {
            EXPECT_EQ(text, row[2] == "(none)" ? "" : test::Unescape(row[2])) << row[0];
        }
    }
    lackingCodePage.clear();
}

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

// Each document filled in turn into the same QTextDocument, as the viewer does.
TEST(TextDocument, DocumentsAsRecorded)
{
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
