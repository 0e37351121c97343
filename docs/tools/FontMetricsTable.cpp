// font-metrics-table: prints graphics/FontMetricsTable.cpp, the advance
// widths and line metrics of the Liberation faces the desktop draws in, as
// Qt reads them through fontconfig. Run from the source root after a build,
// with the test suites' font set:
//
//   export QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE=$PWD/tests/fonts/fonts.conf
//   build/docs/tools/font-metrics-table | clang-format --assume-filename=graphics/FontMetricsTable.cpp
//       > graphics/FontMetricsTable.cpp
//
// The table holds only characters that all six faces have, so that no entry
// is a fallback face's width; it stops with a message when a face is missing.
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QRawFont>
#include <QTextStream>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

struct Face {
    const char* family;
    const char* name;  // in the table
    bool bold;
};

constexpr std::array<Face, 6> kFaces{{{"Liberation Mono", "MonoRegular", false},
                                      {"Liberation Mono", "MonoBold", true},
                                      {"Liberation Sans", "SansRegular", false},
                                      {"Liberation Sans", "SansBold", true},
                                      {"Liberation Serif", "SerifRegular", false},
                                      {"Liberation Serif", "SerifBold", true}}};

// What the program and typical entries print: ASCII, Latin-1 and Latin
// Extended-A (names in Western and Central European languages), Greek (the
// report's symbols), and the punctuation, signs and arrows of texts and units.
constexpr std::array<std::pair<char32_t, char32_t>, 11> kCandidates{{{0x20, 0x7E},
                                                                     {0xA0, 0x17F},
                                                                     {0x391, 0x3C9},
                                                                     {0x2010, 0x2026},
                                                                     {0x2030, 0x203A},
                                                                     {0x20AC, 0x20AC},
                                                                     {0x2116, 0x2122},
                                                                     {0x2190, 0x2195},
                                                                     {0x2202, 0x221E},
                                                                     {0x2248, 0x2265},
                                                                     {0x25A0, 0x25CF}}};

QRawFont Load(const Face& face)
{
    QFont font(QString::fromLatin1(face.family));
    font.setBold(face.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(font);
    // At a pixel size of one em, advances and line metrics read in font units.
    raw.setPixelSize(raw.unitsPerEm());
    if (!raw.isValid() || raw.familyName() != font.family()) {
        std::fprintf(stderr, "font-metrics-table: %s%s is not installed\n", face.family, face.bold ? " Bold" : "");
        std::exit(1);
    }
    return raw;
}

// The candidates every face has, in ranges of consecutive code points.
std::vector<std::pair<char32_t, char32_t>> CoveredRanges(const std::vector<QRawFont>& fonts)
{
    std::vector<std::pair<char32_t, char32_t>> ranges;
    for (const auto& [first, last] : kCandidates) {
        for (char32_t c = first; c <= last; ++c) {
            bool everywhere = true;
            for (const QRawFont& font : fonts) {
                everywhere = everywhere && font.supportsCharacter(static_cast<uint>(c));
            }
            if (!everywhere) {
                continue;
            }
            if (!ranges.empty() && ranges.back().second + 1 == c) {
                ranges.back().second = c;
            } else {
                ranges.emplace_back(c, c);
            }
        }
    }
    return ranges;
}

// As Qt lays the character out, so that one it shows as nothing (the soft
// hyphen) advances nothing.
int Advance(const QRawFont& font, char32_t c)
{
    QFont laidOut(font.familyName());
    laidOut.setStyleName(font.styleName());
    laidOut.setPixelSize(qRound(font.pixelSize()));
    laidOut.setHintingPreference(QFont::PreferNoHinting);
    const char32_t text[] = {c};
    return qRound(QFontMetricsF(laidOut).horizontalAdvance(QString::fromUcs4(text, 1)));
}

void PrintAdvances(QTextStream& out, const Face& face, const QRawFont& font,
                   const std::vector<std::pair<char32_t, char32_t>>& ranges)
{
    out << "constexpr std::uint16_t k" << face.name << "[] = {\n";
    for (const auto& [first, last] : ranges) {
        for (char32_t c = first; c <= last; ++c) {
            out << Advance(font, c) << ", ";
        }
        out << "\n";
    }
    out << "};\n\n";
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    std::vector<QRawFont> fonts;
    for (const Face& face : kFaces) {
        fonts.push_back(Load(face));
    }
    const auto ranges = CoveredRanges(fonts);
    QTextStream out(stdout);
    out << "// The advance widths (font units) of the characters the program prints, and\n"
           "// the line metrics, of the Liberation faces the desktop draws in.\n"
           "// Written by docs/tools/FontMetricsTable.cpp from the installed fonts; run\n"
           "// it as its head says instead of editing this file.\n"
           "#include \"FontMetrics.h\"\n\nnamespace vyra::gfx {\n\nnamespace {\n\n"
           "constexpr CharacterRange kRanges[] = {\n";
    out << Qt::hex << Qt::showbase;
    for (const auto& [first, last] : ranges) {
        out << "{" << static_cast<uint>(first) << ", " << static_cast<uint>(last) << "},\n";
    }
    out << Qt::dec << Qt::noshowbase << "};\n\n";
    for (std::size_t i = 0; i < kFaces.size(); ++i) {
        PrintAdvances(out, kFaces[i], fonts[i], ranges);
    }
    out << "constexpr FaceMetrics kFaces[] = {\n";
    for (std::size_t i = 0; i < kFaces.size(); ++i) {
        const char* face = kFaces[i].family + sizeof "Liberation";
        out << "{FontFace::" << face << ", " << (kFaces[i].bold ? "true" : "false") << ", " << fonts[i].unitsPerEm()
            << ", " << qRound(fonts[i].ascent()) << ", " << qRound(fonts[i].descent()) << ", "
            << qRound(fonts[i].advancesForGlyphIndexes(QList<quint32>{0}).value(0).x()) << ", k" << kFaces[i].name
            << "},\n";
    }
    out << "};\n\n}  // namespace\n\n"
           "std::span<const CharacterRange> CoveredCharacters() { return kRanges; }\n"
           "std::span<const FaceMetrics> FaceMetricsTable() { return kFaces; }\n\n"
           "}  // namespace vyra::gfx\n";
    return 0;
}
