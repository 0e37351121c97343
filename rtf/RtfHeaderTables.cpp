#include "RtfHeaderTables.h"

namespace vyra::rtf::detail {
namespace {

// Caps on the header's tables; real documents stay far below them, and
// runs copy font names, so long names would multiply.
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColours = 4096;
constexpr std::size_t kMaxFontNameBytes = 64;

bool IsNameByte(char byte) { return static_cast<unsigned char>(byte) >= 0x20 && byte != 0x7F; }

std::string_view Trimmed(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

}  // namespace

void HeaderTableReader::StartFontTable()
{
    m_fontIndex = -1;
    m_fontNameBytes.clear();
}

void HeaderTableReader::OnFontWord(Word word, const Token& token)
{
    if (word == Word::Font) {
        if (m_fontIndex >= 0) {
            CommitFont();
        }
        m_fontIndex = ClampedParameter(token, 0, 0, kParameterBound);
    } else if (word == Word::FontCharset) {
        m_fontCharsetCodePage = CodePageOfCharset(ClampedParameter(token, 0, 0, 255));
    } else if (word == Word::FontCodePage && token.hasParameter && IsKnownCodePage(token.parameter)) {
        m_fontCodePage = token.parameter;
    }
}

void HeaderTableReader::OnFontBytes(std::string_view bytes)
{
    for (const char byte : bytes) {
        if (byte == ';') {
            CommitFont();
        } else if (m_fontIndex >= 0 && m_fontNameBytes.size() < kMaxFontNameBytes && IsNameByte(byte)) {
            m_fontNameBytes += byte;
        }
    }
}

void HeaderTableReader::EndFontGroup()
{
    if (m_fontIndex >= 0) {
        CommitFont();
    }
}

// A name in hex escapes decodes in its own font's code page.
void HeaderTableReader::CommitFont()
{
    if (m_fontIndex >= 0 && (m_tables.fonts.size() < kMaxFonts || m_tables.fonts.contains(m_fontIndex))) {
        FontEntry entry;
        entry.codePage = m_fontCodePage != 0 ? m_fontCodePage : m_fontCharsetCodePage;
        m_decoder.Decode(Trimmed(m_fontNameBytes), entry.codePage != 0 ? entry.codePage : m_documentCodePage,
                         entry.name);
        m_tables.fonts[m_fontIndex] = std::move(entry);
    }
    m_fontIndex = -1;
    m_fontCharsetCodePage = 0;
    m_fontCodePage = 0;
    m_fontNameBytes.clear();
}

void HeaderTableReader::StartColourTable()
{
    m_tables.colours.clear();
    m_colour = ColourEntry{};
}

void HeaderTableReader::OnColourWord(Word word, const Token& token)
{
    const auto component = static_cast<std::uint32_t>(ClampedParameter(token, 0, 0, 255));
    if (word == Word::Red) {
        m_colour.rgb = (m_colour.rgb & 0x00FFFFu) | component << 16;
    } else if (word == Word::Green) {
        m_colour.rgb = (m_colour.rgb & 0xFF00FFu) | component << 8;
    } else if (word == Word::Blue) {
        m_colour.rgb = (m_colour.rgb & 0xFFFF00u) | component;
    } else {
        return;
    }
    m_colour.automatic = false;
}

void HeaderTableReader::OnColourBytes(std::string_view bytes)
{
    for (const char byte : bytes) {
        if (byte != ';') {
            continue;
        }
        if (m_tables.colours.size() < kMaxColours) {
            m_tables.colours.push_back(m_colour);
        }
        m_colour = ColourEntry{};
    }
}

}  // namespace vyra::rtf::detail
