#include "RtfTextSink.h"

#include <algorithm>

namespace vyra::rtf::detail {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Control characters show nothing, apart from the tab.
bool IsShown(std::uint32_t character) { return (character >= 0x20 && character != 0x7F) || character == '\t'; }

}  // namespace

void TextSink::PushBytes(std::string_view bytes, int codePage, const CharState& chars, bool inTable)
{
    if (m_highSurrogate != 0) {
        Settle(chars, inTable);
    }
    if (!m_pendingBytes.empty()
        && (codePage != m_pendingCodePage || chars != m_pendingChars || inTable != m_pendingInTable)) {
        FlushBytes();
    }
    if (m_pendingBytes.empty()) {
        m_pendingCodePage = codePage;
        m_pendingChars = chars;
        m_pendingInTable = inTable;
    }
    for (const char byte : bytes) {
        if (IsShown(static_cast<unsigned char>(byte))) {
            m_pendingBytes += byte;
        }
    }
}

void TextSink::PushText(std::string_view utf8, const CharState& chars, bool inTable)
{
    Settle(chars, inTable);
    m_builder.AppendText(utf8, chars, inTable);
}

void TextSink::PushCodePoint(std::uint32_t codePoint, const CharState& chars, bool inTable)
{
    FlushBytes();
    if (m_highSurrogate != 0) {
        const std::uint32_t high = m_highSurrogate;
        m_highSurrogate = 0;
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
            std::string utf8;
            AppendUtf8(0x10000 + ((high - 0xD800) << 10) + (codePoint - 0xDC00), utf8);
            m_builder.AppendText(utf8, chars, inTable);
            return;
        }
        m_builder.AppendText(kReplacement, chars, inTable);
    }
    if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
        m_highSurrogate = codePoint;
        return;
    }
    if (IsShown(codePoint)) {
        std::string utf8;
        AppendUtf8(codePoint, utf8);
        m_builder.AppendText(utf8, chars, inTable);
    }
}

void TextSink::Settle(const CharState& chars, bool inTable)
{
    FlushBytes();
    if (m_highSurrogate != 0) {
        m_highSurrogate = 0;
        m_builder.AppendText(kReplacement, chars, inTable);
    }
}

void TextSink::FlushBytes()
{
    if (m_pendingBytes.empty()) {
        return;
    }
    const bool ascii = std::all_of(m_pendingBytes.begin(), m_pendingBytes.end(),
                                   [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    if (ascii) {
        m_builder.AppendText(m_pendingBytes, m_pendingChars, m_pendingInTable);
    } else {
        std::string utf8;
        m_decoder.Decode(m_pendingBytes, m_pendingCodePage, utf8);
        m_builder.AppendText(utf8, m_pendingChars, m_pendingInTable);
    }
    m_pendingBytes.clear();
}

}  // namespace vyra::rtf::detail
