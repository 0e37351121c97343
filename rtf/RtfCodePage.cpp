#include "RtfCodePage.h"

#include <algorithm>
#include <cerrno>
#include <string>

namespace vyra::rtf::detail {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

struct CharsetCodePage {
    int charset;
    int codePage;
};

// 0 (ANSI) and 1 (default) are left to the document: writers of documents
// in Japanese, say, mark their Latin fonts ANSI yet write the text in the
// document's code page.
constexpr CharsetCodePage kCharsets[] = {
    {77, 10000}, {128, 932},  {134, 936},  {129, 949},  {136, 950}, {161, 1253}, {162, 1254}, {163, 1258},
    {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874}, {238, 1250}, {254, 437},  {255, 850},
};

constexpr int kKnownCodePages[] = {437,  850,  852,  866,  874,  932,  936,  949,  950,  1250,
                                   1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 10000};

std::string IconvName(int codePage)
{
    return codePage == 10000 ? std::string("MACINTOSH") : "CP" + std::to_string(codePage);
}

}  // namespace

int CodePageOfCharset(int charset)
{
    for (const CharsetCodePage& entry : kCharsets) {
        if (entry.charset == charset) {
            return entry.codePage;
        }
    }
    return 0;
}

bool IsKnownCodePage(int codePage)
{
    return std::find(std::begin(kKnownCodePages), std::end(kKnownCodePages), codePage) != std::end(kKnownCodePages);
}

void AppendUtf8(std::uint32_t codePoint, std::string& out)
{
    if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
        out += kReplacement;
    } else if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

CodePageDecoder::~CodePageDecoder()
{
    for (const auto& [codePage, descriptor] : m_open) {
        if (descriptor != kNoDescriptor) {
            iconv_close(descriptor);
        }
    }
}

iconv_t CodePageDecoder::Descriptor(int codePage)
{
    for (const auto& [openCodePage, descriptor] : m_open) {
        if (openCodePage == codePage) {
            return descriptor;
        }
    }
    const iconv_t descriptor = iconv_open("UTF-8", IconvName(codePage).c_str());
    m_open.emplace_back(codePage, descriptor);
    return descriptor;
}

void CodePageDecoder::Decode(std::string_view bytes, int codePage, std::string& out)
{
    const iconv_t descriptor = Descriptor(codePage);
    if (descriptor == kNoDescriptor) {
        for (const char byte : bytes) {
            if (static_cast<unsigned char>(byte) < 0x80) {
                out += byte;
            } else {
                out += kReplacement;
            }
        }
        return;
    }
    iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
    // iconv's interface takes non-const input although it never writes it.
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    while (inLeft > 0) {
        const std::size_t start = out.size();
        // Four bytes of UTF-8 per input byte are enough for every code page here.
        out.resize(start + 4 * inLeft + 4);
        char* outPtr = out.data() + start;
        std::size_t outLeft = out.size() - start;
        const std::size_t result = iconv(descriptor, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.resize(static_cast<std::size_t>(outPtr - out.data()));
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (error == EINVAL) {
            out += kReplacement;
            break;
        }
        if (error != E2BIG) {
            out += kReplacement;
            ++in;
            --inLeft;
            iconv(descriptor, nullptr, nullptr, nullptr, nullptr);
        }
    }
}

}  // namespace vyra::rtf::detail
