#include "RtfReader.h"
#include "Golden.h"

#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <variant>

namespace vyra::rtf {
namespace {

// The plain text of the read, or "FAILS" with a one-line reason.
std::string Outcome(const std::string& rtf, const ReadLimits& limits = {})
{
    const Expected<Document> result = ReadRtf(rtf, limits);
    if (!result) {
        EXPECT_FALSE(result.Error().reason.empty());
        EXPECT_EQ(result.Error().reason.find('\n'), std::string::npos) << result.Error().reason;
        return "FAILS";
    }
    return PlainText(*result);
}

// The case table's escapes: <xx> bytes in the RTF, \n \t \\ \uXXXX
// \UXXXXXXXX in the text.
std::string Unescape(const std::string& field, bool rtf)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char next = i + 1 < field.size() ? field[i + 1] : '\0';
        if (rtf && field[i] == '<' && field.find('>', i) == i + 3) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 3;
        } else if (!rtf && field[i] == '\\' && (next == 'u' || next == 'U')) {
            const std::size_t digits = next == 'u' ? 4 : 8;
            const auto point = static_cast<char32_t>(std::stoul(field.substr(i + 2, digits), nullptr, 16));
            out += QString::fromUcs4(&point, 1).toStdString();
            i += digits + 1;
        } else if (!rtf && field[i] == '\\') {
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
            ++i;
        } else {
            out += field[i];
        }
    }
    return out;
}

// NAME=VALUE words over the default limits.
ReadLimits LimitsOf(const std::string& words)
{
    ReadLimits l;
    const std::map<std::string, std::function<void(std::size_t)>> set{
        {"maxInputBytes", [&l](std::size_t v) { l.maxInputBytes = v; }},
        {"maxTextBytes", [&l](std::size_t v) { l.maxTextBytes = v; }},
        {"maxParts", [&l](std::size_t v) { l.maxParts = v; }},
        {"maxCellsPerRow", [&l](std::size_t v) { l.maxCellsPerRow = v; }},
        {"maxTableRows", [&l](std::size_t v) { l.maxTableRows = v; }},
        {"maxGroupDepth", [&l](std::size_t v) { l.maxGroupDepth = static_cast<int>(v); }}};
    std::istringstream stream(words);
    for (std::string word; stream >> word;) {
        set.at(word.substr(0, word.find('=')))(std::stoul(word.substr(word.find('=') + 1)));
    }
    return l;
}

TEST(ReaderText, CasesGiveTheirPlainText)
{
    for (const test::CaseRow& row : test::ReadCaseTable("rtf_texts")) {
        ASSERT_GE(row.size(), 3U) << row[0];
        const std::string expected = row[2] == "(none)" ? "" : Unescape(row[2], false);
        EXPECT_EQ(Outcome(Unescape(row[1], true), LimitsOf(row.size() > 3 ? row[3] : "")), expected) << row[0];
    }
}

std::string Describe(const ParagraphFormat& f)
{
    static const char* const kAlignments[] = {"left", "centre", "right", "justified"};
    return std::string(kAlignments[static_cast<int>(f.alignment)]) + " li " + std::to_string(f.leftIndent) + " ri "
           + std::to_string(f.rightIndent) + " fi " + std::to_string(f.firstLineIndent) + " sb "
           + std::to_string(f.spaceBefore) + " sa " + std::to_string(f.spaceAfter);
}

std::string Describe(const std::vector<Run>& runs)
{
    std::string out;
    for (const Run& r : runs) {
        const CharFormat& f = r.format;
        const QString colour = "#" + QString::number(f.colour, 16).rightJustified(6, u'0');
        out += "\n    \"" + r.text + "\" " + QString::number(f.pointSize).toStdString() + "pt" + (f.bold ? " bold" : "")
               + (f.italic ? " italic" : "") + (f.underline ? " underline" : "") + (f.strikeOut ? " struck" : "")
               + (f.fontName.empty() ? "" : " font " + f.fontName) + (f.hasColour ? " " + colour.toStdString() : "");
    }
    return out;
}

// The reader's document for each input, paragraph by paragraph: formats,
// runs with their character formats, and rows with their cells, edges and
// backgrounds; the recording is the expected reading.
TEST(ReaderFormat, DocumentsAsRecorded)
{
    std::string recording;
    for (const test::CaseRow& row : test::ReadCaseTable("rtf_formats")) {
        recording += "# " + row[0] + "\n";
        const auto read = ReadRtf(row.at(1));
        ASSERT_TRUE(read) << row[0];
        for (const Paragraph& p : read->paragraphs) {
            recording += "  " + Describe(p.format) + Describe(p.runs) + "\n";
            for (std::size_t c = 0; c < p.cells.size(); ++c) {
                const std::string background = c < p.cellBackgrounds.size() && p.cellBackgrounds[c].has_value()
                                                   ? std::to_string(p.cellBackgrounds[c].value())
                                                   : "-";
                recording += "  cell " + Describe(p.cellFormats[c]) + " edge "
                             + (c < p.cellEdges.size() ? std::to_string(p.cellEdges[c]) : "-") + " background "
                             + background + Describe(p.cells[c]) + "\n";
            }
        }
    }
    test::ExpectGolden("rtf_reader_formats", recording);
}

// The case table's PIECE*TIMES words, joined.
std::string Generated(const std::string& words)
{
    std::istringstream stream(words);
    std::string out;
    for (std::string word; stream >> word;) {
        const std::size_t star = word.rfind('*');
        const std::string piece = Unescape(word.substr(0, star), true);
        for (std::size_t i = star == std::string::npos ? 1 : std::stoul(word.substr(star + 1)); i > 0; --i) {
            out += piece;
        }
    }
    return out;
}

std::string RandomAfterHeader(bool withBraces)
{
    std::mt19937 generator(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out = R"({\rtf1)";
    while (out.size() < (20u << 20)) {
        const char c = static_cast<char>(byte(generator));
        if (withBraces || (c != '{' && c != '}')) {
            out += c;
        }
    }
    return out;
}

// Huge generated inputs end cleanly and soon, reading or failing as noted:
// the time ceiling only catches hangs, it is no speed target.
TEST(ReaderHostile, GeneratedInputsEndCleanlyWithoutHanging)
{
    for (const test::CaseRow& row : test::ReadCaseTable("rtf_hostile")) {
        const std::string input =
            row.at(1).starts_with("(random") ? RandomAfterHeader(row[1] == "(random)") : Generated(row[1]);
        const auto start = std::chrono::steady_clock::now();
        const std::string text = Outcome(input);
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0) << row[0];
        // Qt replaces every invalid sequence, so only valid UTF-8 comes back unchanged.
        EXPECT_EQ(QString::fromStdString(text).toStdString(), text) << row[0];
        if (row.at(2) != "(either)") {
            EXPECT_EQ(text, Unescape(row[2], false)) << row[0];
        }
    }
}

}  // namespace
}  // namespace vyra::rtf
