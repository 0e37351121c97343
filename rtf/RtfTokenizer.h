#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vyra::rtf::detail {

// Numeric parameters beyond this magnitude are clamped to it, so that no
// digit string, however long, overflows; each control word narrows the
// value further to its own range.
inline constexpr std::int32_t kParameterBound = 1'000'000'000;

enum class TokenKind {
    End,
    GroupStart,
    GroupEnd,
    ControlWord,  // word, optional parameter
    ControlSymbol,  // symbol: a backslash and one non-letter
    HexByte,  // byte: from \'hh
    Text,  // text: bytes up to the next backslash, brace or line end
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view word;
    bool hasParameter = false;
    std::int32_t parameter = 0;
    char symbol = 0;
    unsigned char byte = 0;
    std::string_view text;
};

// The token's parameter within [low, high], or fallback when it has none.
inline int ClampedParameter(const Token& token, int fallback, int low, int high)
{
    if (!token.hasParameter) {
        return fallback;
    }
    return token.parameter < low ? low : token.parameter > high ? high : static_cast<int>(token.parameter);
}

// Splits RTF into tokens in one pass; every call consumes at least one byte
// until End, so reading is linear in the input. Carriage returns and line
// feeds between tokens carry no meaning and are dropped; a backslash
// followed by one of them is a paragraph mark, as writers of the format's
// earliest versions used it.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view bytes) : m_bytes(bytes) { }

    Token Next();

    // Skips the data of \binN; a count larger than what is left ends at the
    // end of the input, a negative one skips nothing.
    void SkipBinary(std::int64_t count);

private:
    Token ReadControl();
    void ReadParameter(Token& token);
    Token ReadHex();

    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

}  // namespace vyra::rtf::detail
