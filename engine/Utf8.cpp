#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace vyra {

namespace {

// The code point of the well-formed sequence at text[i] and its length in
// bytes, or none: no stray continuation bytes, no overlong forms, no
// surrogates, nothing past U+10FFFF.
std::optional<std::pair<char32_t, std::size_t>> DecodeAt(std::string_view text, std::size_t i)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || i + length > text.size()) {
        return std::nullopt;
    }
    std::uint32_t value = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        value = value << 6 | (next & 0x3Fu);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return std::nullopt;
    }
    return std::pair{static_cast<char32_t>(value), length};
}

}  // namespace

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto decoded = DecodeAt(text, i);
        if (!decoded) {
            return false;
        }
        i += decoded->second;
    }
    return true;
}

std::u32string CodePoints(std::string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto decoded = DecodeAt(text, i);
        points += decoded ? decoded->first : kReplacementCharacter;
        i += decoded ? decoded->second : 1;
    }
    return points;
}

void AppendUtf8(std::string& text, char32_t point)
{
    const auto byte = [&text](std::uint32_t value) { text += static_cast<char>(value); };
    const auto value = static_cast<std::uint32_t>(point);
    if (value < 0x80) {
        byte(value);
    } else if (value < 0x800) {
        byte(0xC0 | value >> 6);
        byte(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        byte(0xE0 | value >> 12);
        byte(0x80 | (value >> 6 & 0x3F));
        byte(0x80 | (value & 0x3F));
    } else {
        byte(0xF0 | value >> 18);
        byte(0x80 | (value >> 12 & 0x3F));
        byte(0x80 | (value >> 6 & 0x3F));
        byte(0x80 | (value & 0x3F));
    }
}

std::string EscapedText(std::string_view text, LineBreaks lineBreaks)
{
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    const bool utf8 = IsUtf8(text);
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool kept = lineBreaks == LineBreaks::Keep && (c == '\t' || c == '\r' || c == '\n');
        if ((byte < 0x20 && !kept) || byte == 0x7F || (byte >= 0x80 && !utf8)) {
            shown += "\\x";
            shown += kDigits[byte >> 4];
            shown += kDigits[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string Joined(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (const std::string_view part : parts) {
        joined.append(part);
    }
    return joined;
}

}  // namespace vyra
