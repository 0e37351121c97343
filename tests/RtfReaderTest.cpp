#include "RtfReader.h"
#include "Golden.h"

#include <QString>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <variant>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vyra::rtf {
namespace {

// A generous ceiling that only catches hangs; it is no speed target.
constexpr double kHangSeconds = 5.0;

Document ReadOrFail(const std::string& rtf, const ReadLimits& limits = {})
{
    auto result = ReadRtf(rtf, limits);
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        ADD_FAILURE() << "read failed: " << failure->reason;
        return {};
    }
    return std::get<Document>(std::move(result));
}

// Qt replaces every invalid sequence, surrogates and overlong forms
// included, so only valid UTF-8 comes back unchanged.
bool IsValidUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8().toStdString() == text;
}

template <typename Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& param)
{
    return param.param.name;
}

struct TextCase {
    const char* name;
    std::string rtf;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }

class ReaderText : public ::testing::TestWithParam<TextCase> { };

TEST_P(ReaderText, GivesExpectedPlainText)
{
    const Document document = ReadOrFail(GetParam().rtf);
    EXPECT_EQ(PlainText(document), GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Structure, ReaderText, ::testing::Values(
    TextCase{"ParagraphsEachOnALine", R"({\rtf1 One\par Two\par})", "One\nTwo\n"},
    TextCase{"LastParagraphWithoutParKept", R"({\rtf1 One\par Two})", "One\nTwo\n"},
    TextCase{"EmptyParagraphsKept", R"({\rtf1 a\par\par b\par})", "a\n\nb\n"},
    TextCase{"LineBreakStartsNewLine", R"({\rtf1 a\line b\tab c\par})", "a\nb\tc\n"},
    TextCase{"LineEndsInSourceIgnored", "{\\rtf1 a\r\nb\\par}", "ab\n"},
    TextCase{"BackslashNewlineIsParagraph", "{\\rtf1 a\\\nb}", "a\nb\n"},
    TextCase{"PageAfterParMakesNoEmptyLine", R"({\rtf1 a\par\page b\par\sect})", "a\nb\n"},
    TextCase{"UnknownWordsIgnored", R"({\rtf1\foo\bar12\zz-3 Text\par})", "Text\n"},
    TextCase{"BytesAfterLastBraceIgnored", R"({\rtf1 a}junk{\b x})", "a\n"},
    TextCase{"EscapedCharacters", R"({\rtf1 \\\{\}\~\-\_x\par})", "\\{}\u00A0\u2011x\n"},
    TextCase{"SymbolWords", R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
             "\u2014\u2013\u2022\u2018\u2019\u201C\u201D\n"},
    TextCase{"ListLabelShown", R"({\rtf1{\listtext\pard\plain \u8226\'95\tab}Item\par})", "\u2022\tItem\n"},
    TextCase{"BlankListLabelDropped", R"({\rtf1{\listtext\pard\plain \tab}Heading\par})", "Heading\n"}),
    CaseName<TextCase>);

INSTANTIATE_TEST_SUITE_P(Encodings, ReaderText, ::testing::Values(
    TextCase{"Cp1252Escapes", R"({\rtf1\ansi\ansicpg1252 caf\'e9 \'80 \'93q\'94\par})", "café € “q”\n"},
    TextCase{"Cp1252IsTheDefault", R"({\rtf1 \'e9\par})", "é\n"},
    TextCase{"Cp1252UnmappedByteReplaced", R"({\rtf1 a\'81b\par})", "a\uFFFDb\n"},
    TextCase{"Cp932DocumentPair", R"({\rtf1\ansi\ansicpg932 \'82\'a0\'82\'a2\par})", "あい\n"},
    TextCase{"Cp932FontPair", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1\fcharset128 Gothic;}}{\f1 \'82\'a0}\f0 \'e9\par})",
             "あé\n"},
    TextCase{"Cp932TrailByteAsText", R"({\rtf1\ansicpg932 \'83e\par})", "テ\n"},
    TextCase{"Cp932LoneLeadByteReplaced", R"({\rtf1\ansicpg932 \'82\par})", "\uFFFD\n"},
    TextCase{"UnicodeWithOneFallback", R"({\rtf1 \u8364?x\par})", "€x\n"},
    TextCase{"UnicodeWithTwoFallbacks", R"({\rtf1\uc2\u12354\'82\'a0x\par})", "あx\n"},
    TextCase{"UnicodeWithoutFallback", R"({\rtf1\uc0\u8364 x\par})", "€x\n"},
    TextCase{"UnicodeNegativeAbove32767", R"({\rtf1 \u-223?\par})", "Ａ\n"},
    TextCase{"UnicodeSurrogatePair", R"({\rtf1 \u-10179?\u-8704?\par})", "\U0001F600\n"},
    TextCase{"UnicodeLoneSurrogateReplaced", R"({\rtf1 \u-10179?x\par})", "\uFFFDx\n"},
    TextCase{"UnicodeOutOfRangeReplaced", R"({\rtf1 \u-70000?\u70000?\par})", "\uFFFD\uFFFD\n"},
    TextCase{"FallbackEndsAtGroupEnd", R"({\rtf1\uc3{\u8364?}abc\par})", "€abc\n"},
    TextCase{"FallbackSkipsBinaryData", R"({\rtf1\uc1\u8364\bin2 ab c\par})", "€ c\n"}),
    CaseName<TextCase>);

INSTANTIATE_TEST_SUITE_P(Destinations, ReaderText, ::testing::Values(
    TextCase{"GeneratorSkipped", R"({\rtf1{\*\generator Writer 1.0;}Body\par})", "Body\n"},
    TextCase{"InfoSkipped", R"({\rtf1{\info{\title T}{\author A}}Body\par})", "Body\n"},
    TextCase{"StylesheetSkipped", R"({\rtf1{\stylesheet{\s0 Normal;}{\s1\b Heading;}}Body\par})", "Body\n"},
    TextCase{"PictureSkipped", R"({\rtf1 Body{\pict\pngblip\picw10 89504e470d0a}\par})", "Body\n"},
    TextCase{"HeaderFooterSkipped", R"({\rtf1{\header H\par}{\footer F\par}Body\par})", "Body\n"},
    TextCase{"FontAndColourTablesNotText", R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}B\par})",
             "B\n"},
    TextCase{"FieldResultShown", R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt Link}}\par})", "Link\n"},
    TextCase{"StarredFieldResultShown", R"({\rtf1 see {\field{\*\fldinst HYPERLINK "x"}{\*\fldrslt the site}} now})",
             "see the site now\n"},
    TextCase{"BinaryDataSkipped", R"({\rtf1 a\bin3 {}}b\par})", "ab\n"},
    TextCase{"BinaryWithLyingLengthEndsDocument", R"({\rtf1 a\bin2147483647 b\par})", "a\n"}),
    CaseName<TextCase>);

INSTANTIATE_TEST_SUITE_P(Tables, ReaderText, ::testing::Values(
    TextCase{"CellsTabSeparatedRowsOnLines",
             R"({\rtf1\trowd\cellx1000\cellx2000\intbl A\cell B\cell\row\intbl C\cell D\cell\row\pard After\par})",
             "A\tB\nC\tD\nAfter\n"},
    TextCase{"CellParagraphsJoinedBySpace", R"({\rtf1\intbl A\par B\cell C\line D\cell\row})", "A B\tC D\n"},
    TextCase{"RowDefinitionInGroup",
             R"({\rtf1{\trowd\cellx4320\cellx8640\intbl{{\pard\intbl A\par}\cell}{{\pard\intbl B\par}\cell}}\intbl\row})",
             "A\tB\n"},
    TextCase{"EmptyCellsKept", R"({\rtf1\intbl\cell x\cell\cell\row})", "\tx\t\n"},
    TextCase{"RowWithoutRowEndStillShown", R"({\rtf1\intbl A\cell B\cell\pard After\par})", "A\tB\nAfter\n"},
    TextCase{"NestedCellsFlattened", R"({\rtf1\intbl a\nestcell b\nestrow\cell\row})", "a b \n"}),
    CaseName<TextCase>);
// clang-format on

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
        char colour[16];
        char size[16];
        std::snprintf(colour, sizeof colour, "#%06x", f.colour);
        std::snprintf(size, sizeof size, "%g", f.pointSize);
        out += "\n    \"" + r.text + "\" " + size + "pt" + (f.bold ? " bold" : "") + (f.italic ? " italic" : "")
               + (f.underline ? " underline" : "") + (f.strikeOut ? " struck" : "")
               + (f.fontName.empty() ? "" : " font " + f.fontName) + (f.hasColour ? std::string(" ") + colour : "");
    }
    return out;
}

// The reader's document for each input, paragraph by paragraph: formats,
// runs with their character formats, and rows with their cells, edges and
// backgrounds; the recording is the expected reading.
TEST(ReaderFormat, DocumentsAsRecorded)
{
    const std::pair<const char*, std::string> inputs[] = {
        {"switches", R"({\rtf1 a\b b\b0\i c\i0\ul d\ulnone e\uldb f\ul0 g\strike h\strike0\par})"},
        {"group end restores", R"({\rtf1 {\b\fs40 x}y\par})"},
        {"equal formats share a run", R"({\rtf1 a{\b0 b}\b0 c\par})"},
        {"sizes clamped", R"({\rtf1\fs36 a\fs21 b\fs99999999999999999999 c\fs1 d\fs0 e\fs-40 f})"},
        {"fonts", R"({\rtf1\ansi\deff0{\fonttbl{\f0\froman{\*\panose 0202}Times New Roman;}{\f1\fswiss Arial)"
                  R"({\*\falt Helvetica};}{\f2\fcharset128 \'82\'6c\'82\'72 \'83\'53\'83\'56\'83\'62\'83\'4e;}})"
                  R"(x\f1 y\f2 z\f7 u\plain v\par})"},
        {"font table without groups", R"({\rtf1{\fonttbl\f0\fswiss Helvetica;\f1\fmodern Courier;}\f1 x\par})"},
        {"colours", R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green128\blue255;}\cf1 r\cf2 b\cf0 a\cf9 n\par})"},
        {"plain resets", R"({\rtf1{\colortbl;\red255\green0\blue0;}\b\i\ul\fs40\cf1 x\plain y\par})"},
        {"paragraph formats", R"({\rtf1\qc a\par\qr b\par\qj c\par\qc\ql d\par\li720\ri360\fi-360\sb120\sa240 e\par)"
                              R"(\pard f\par{\qc\sa100 g\par}h\par\li99999999999\sa-5\sb99999 i\par})"},
        {"row", R"({\rtf1\trowd\cellx1500\cellx4000\pard\intbl\qc {\b A}\cell\pard\intbl\qr B\cell\row})"},
        {"cell takes the format closed before it",
         R"({\rtf1{\trowd\cellx2000\cellx4000\intbl{{\pard\intbl\qr 12.5\par}\cell}{{\pard\intbl\qc yes\par}\cell}}\row})"},
        {"backgrounds until the next definition",
         R"({\rtf1{\colortbl;\red221\green228\blue238;}\trowd\clcbpat1\cellx1000\cellx2000\intbl a\cell b\cell\row)"
         R"(\intbl c\cell d\cell\row\trowd\cellx1000\intbl e\cell\row})"},
    };
    std::string recording;
    for (const auto& [name, rtf] : inputs) {
        recording += std::string("# ") + name + "\n";
        for (const Paragraph& p : ReadOrFail(rtf).paragraphs) {
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
    ReadLimits limits;
    limits.maxCellsPerRow = 3;
    EXPECT_EQ(PlainText(ReadOrFail(R"({\rtf1\intbl c0\cell c1\cell c2\cell c3\cell c4\cell\row})", limits)),
              "c0\tc1\tc2 c3 c4\n");
}

std::string Repeat(std::string_view piece, std::size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

std::string RandomAfterHeader(std::size_t count, bool withBraces)
{
    std::mt19937 generator(20240607);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out = R"({\rtf1)";
    out.reserve(out.size() + count);
    while (out.size() < count) {
        const char c = static_cast<char>(byte(generator));
        if (withBraces || (c != '{' && c != '}')) {
            out += c;
        }
    }
    return out;
}

constexpr std::size_t kTwentyMegabytes = 20u * 1024u * 1024u;

enum class Outcome { Reads, Fails, Either };

struct HostileCase {
    const char* name;
    std::function<std::string()> make;
    Outcome outcome;
    const char* text = nullptr;  // the plain text when it reads; nullptr: any
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

class ReaderHostile : public ::testing::TestWithParam<HostileCase> { };

TEST_P(ReaderHostile, EndsCleanlyWithoutHanging)
{
    const HostileCase& c = GetParam();
    const std::string input = c.make();
    const auto start = std::chrono::steady_clock::now();
    const auto result = ReadRtf(input);
    const std::string text = std::holds_alternative<Document>(result) ? PlainText(std::get<Document>(result)) : "";
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed.count(), kHangSeconds);
    EXPECT_TRUE(IsValidUtf8(text));
    if (const auto* failure = std::get_if<ReadFailure>(&result)) {
        EXPECT_NE(c.outcome, Outcome::Reads) << failure->reason;
        EXPECT_FALSE(failure->reason.empty());
        EXPECT_EQ(failure->reason.find('\n'), std::string::npos);
        return;
    }
    EXPECT_NE(c.outcome, Outcome::Fails);
    if (c.text != nullptr) {
        EXPECT_EQ(text, c.text);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Inputs, ReaderHostile, ::testing::Values(
    HostileCase{"TenThousandNestedGroups",
                [] { return "{\\rtf1 " + Repeat("{", 10000) + "x" + Repeat("}", 10001); }, Outcome::Fails},
    HostileCase{"TwentyMegabytesOfOpenBraces", [] { return "{\\rtf1" + Repeat("{", kTwentyMegabytes); }, Outcome::Fails},
    HostileCase{"TwentyMegabytesOfRandomBytes", [] { return RandomAfterHeader(kTwentyMegabytes, true); },
                Outcome::Either},
    HostileCase{"TwentyMegabytesOfRandomBytesWithoutBraces",
                [] { return RandomAfterHeader(kTwentyMegabytes, false); }, Outcome::Either},
    HostileCase{"TwentyMegabytesOfParagraphMarks",
                [] { return "{\\rtf1 " + Repeat("\\par ", kTwentyMegabytes / 5); }, Outcome::Fails},
    HostileCase{"TwentyMegabytesOfFormatSwitches",
                [] { return "{\\rtf1 " + Repeat("\\b a\\b0 a", kTwentyMegabytes / 10); }, Outcome::Fails},
    HostileCase{"BinaryWithLyingLength", [] { return std::string(R"({\rtf1 a\bin99999999999999 b})"); },
                Outcome::Reads, "a\n"},
    HostileCase{"BinaryWithNegativeLength", [] { return std::string(R"({\rtf1 a\bin-5 b})"); }, Outcome::Reads,
                "ab\n"},
    HostileCase{"OverflowingFontSize", [] { return std::string(R"({\rtf1\fs99999999999999999999 x})"); },
                Outcome::Reads, "x\n"},
    HostileCase{"UnicodeBelowRange", [] { return std::string(R"({\rtf1\u-70000?})"); }, Outcome::Reads,
                "\uFFFD\n"},
    HostileCase{"MegabyteControlWord", [] { return "{\\rtf1\\" + Repeat("a", 1u << 20) + " x}"; }, Outcome::Reads,
                "x\n"},
    HostileCase{"MegabyteParameter", [] { return "{\\rtf1\\li-" + Repeat("9", 1u << 20) + " x}"; }, Outcome::Reads,
                "x\n"},
    HostileCase{"HundredThousandFonts",
                [] { return "{\\rtf1{\\fonttbl" + Repeat("{\\f1 Arial;}{\\f99999 Courier;}", 100000) + "}x}"; },
                Outcome::Reads, "x\n"},
    HostileCase{"TruncatedInGroup", [] { return std::string(R"({\rtf1 Hello {\b wor)"); }, Outcome::Reads,
                "Hello wor\n"},
    HostileCase{"TruncatedInFontTable", [] { return std::string(R"({\rtf1{\fonttbl{\f0 Ari)"); }, Outcome::Reads,
                ""},
    HostileCase{"TruncatedInHexEscape", [] { return std::string(R"({\rtf1 a\'e)"); }, Outcome::Reads, "a\n"},
    HostileCase{"TruncatedAfterBackslash", [] { return std::string("{\\rtf1 a\\"); }, Outcome::Reads, "a\n"},
    HostileCase{"TruncatedInCell", [] { return std::string(R"({\rtf1\intbl A\cell B)"); }, Outcome::Reads,
                "A\tB\n"},
    HostileCase{"PlainTextNotRtf", [] { return std::string("Hello"); }, Outcome::Fails},
    HostileCase{"EmptyNotRtf", [] { return std::string(); }, Outcome::Fails},
    HostileCase{"ByteOrderMarkNotRtf", [] { return std::string("\xEF\xBB\xBF{\\rtf1 x}"); }, Outcome::Fails},
    HostileCase{"CutHeaderNotRtf", [] { return std::string("{\\rt"); }, Outcome::Fails},
    HostileCase{"HtmlNotRtf", [] { return std::string("<html><body>x</body></html>"); }, Outcome::Fails}),
    CaseName<HostileCase>);
// clang-format on

TEST(ReaderLimits, GroupDepthAtLimitReadsAndPastItFails)
{
    ReadLimits limits;
    limits.maxGroupDepth = 8;
    const auto nested = [](int depth) { return "{\\rtf1" + Repeat("{", depth - 1) + "x" + Repeat("}", depth); };
    EXPECT_EQ(PlainText(ReadOrFail(nested(8), limits)), "x\n");
    EXPECT_TRUE(std::holds_alternative<ReadFailure>(ReadRtf(nested(9), limits)));
    EXPECT_EQ(PlainText(ReadOrFail(nested(1000))), "x\n");
    EXPECT_TRUE(std::holds_alternative<ReadFailure>(ReadRtf(nested(20000))));
}

TEST(ReaderLimits, EachSizeLimitGivesFailure)
{
    const std::string rtf = R"({\rtf1 one\par two\par three\par})";
    ReadLimits input;
    input.maxInputBytes = rtf.size() - 1;
    ReadLimits text;
    text.maxTextBytes = 10;
    ReadLimits parts;
    parts.maxParts = 5;
    for (const ReadLimits& limits : {input, text, parts}) {
        EXPECT_TRUE(std::holds_alternative<ReadFailure>(ReadRtf(rtf, limits)));
    }
    ReadLimits rows;
    rows.maxTableRows = 2;
    const std::string table = R"({\rtf1\trowd\cellx9\intbl a\cell\row\intbl b\cell\row)";
    EXPECT_EQ(PlainText(ReadOrFail(table + "}", rows)), "a\nb\n");
    EXPECT_TRUE(std::holds_alternative<ReadFailure>(ReadRtf(table + R"(\intbl c\cell\row})", rows)));
    ReadLimits justEnough;
    justEnough.maxInputBytes = rtf.size();
    justEnough.maxTextBytes = 11;
    justEnough.maxParts = 6;
    EXPECT_EQ(PlainText(ReadOrFail(rtf, justEnough)), "one\ntwo\nthree\n");
}

}  // namespace
}  // namespace vyra::rtf

// rtf-text never waits on a pipe with no writer or reads an endless device:
// both are refused at once (timeout's status 124 would mean it waited).
TEST(RtfTextProgram, RefusesPipesAndDevicesAtOnce)
{
    const std::string folder = ::testing::TempDir() + "rtf-text-" + std::to_string(::getpid());
    const std::string fifo = folder + "/fifo.rtf";
    const std::string zero = folder + "/zero.rtf";
    ASSERT_EQ(std::system(("mkdir -p " + folder + " && mkfifo " + fifo).c_str()), 0);
    const bool haveDevice = ::mknod(zero.c_str(), S_IFCHR | 0666, makedev(1, 5)) == 0;
    for (const std::string& path : {fifo, zero}) {
        if (path == zero && !haveDevice) {
            continue;  // creating device nodes needs privilege
        }
        const int status = std::system(("timeout 10 " RTF_TEXT_PATH " " + path + " >/dev/null 2>&1").c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << path;
    }
    std::system(("rm -rf " + folder).c_str());
}
