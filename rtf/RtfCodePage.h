#pragma once

#include <iconv.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vyra::rtf::detail {

inline constexpr int kWesternCodePage = 1252;

// The Windows code page of a font's \fcharset, or 0 when the charset means
// "the document's own" or is one this reader does not decode.
int CodePageOfCharset(int charset);

// True for the code pages the decoder knows, the ones \ansicpg and \cpg may
// select; anything else keeps the previous choice.
bool IsKnownCodePage(int codePage);

// Appends the UTF-8 of a Unicode scalar value; surrogates and values past
// U+10FFFF become U+FFFD, so the output is always valid UTF-8.
void AppendUtf8(std::uint32_t codePoint, std::string& out);

// Decodes bytes of Windows code pages with the C library's iconv. One
// instance belongs to one reading; descriptors are opened once per code page
// and closed with the instance.
class CodePageDecoder {
public:
    CodePageDecoder() = default;
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;
    ~CodePageDecoder();

    // Appends the UTF-8 of bytes in codePage. A byte the code page does not
    // map, an incomplete two-byte character at the end, or a code page the
    // C library lacks gives U+FFFD per undecodable byte.
    void Decode(std::string_view bytes, int codePage, std::string& out);

private:
    iconv_t Descriptor(int codePage);

    std::vector<std::pair<int, iconv_t>> m_open;
};

}  // namespace vyra::rtf::detail
