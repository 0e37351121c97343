#pragma once

#include "RtfBuilder.h"
#include "RtfCodePage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vyra::rtf::detail {

// Where the body's characters go on their way to the builder. Code-page
// bytes wait until something else arrives, so that the two bytes of a
// double-byte character, which come as two escapes, decode together; a high
// surrogate from \u waits for its low partner.
class TextSink {
public:
    explicit TextSink(DocumentBuilder& builder) : m_builder(builder) { }

    void PushBytes(std::string_view bytes, int codePage, const CharState& chars, bool inTable);
    void PushText(std::string_view utf8, const CharState& chars, bool inTable);
    void PushCodePoint(std::uint32_t codePoint, const CharState& chars, bool inTable);
    // Sends what waits: before a paragraph, cell or row ends, and at the end.
    void Settle(const CharState& chars, bool inTable);

    CodePageDecoder& Decoder() { return m_decoder; }

private:
    void FlushBytes();

    DocumentBuilder& m_builder;
    CodePageDecoder m_decoder;
    std::uint32_t m_highSurrogate = 0;
    std::string m_pendingBytes;
    int m_pendingCodePage = 0;
    CharState m_pendingChars;
    bool m_pendingInTable = false;
};

}  // namespace vyra::rtf::detail
