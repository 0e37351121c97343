#include "RtfTokenizer.h"

namespace vyra::rtf::detail {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool EndsText(char c) { return c == '\\' || c == '{' || c == '}' || IsLineEnd(c); }

int HexValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

Token Tokenizer::Next()
{
    while (m_pos < m_bytes.size() && IsLineEnd(m_bytes[m_pos])) {
        ++m_pos;
    }
    Token token;
    if (m_pos >= m_bytes.size()) {
        return token;
    }
    const char c = m_bytes[m_pos];
    if (c == '{' || c == '}') {
        ++m_pos;
        token.kind = c == '{' ? TokenKind::GroupStart : TokenKind::GroupEnd;
        return token;
    }
    if (c == '\\') {
        ++m_pos;
        return ReadControl();
    }
    const std::size_t begin = m_pos;
    while (m_pos < m_bytes.size() && !EndsText(m_bytes[m_pos])) {
        ++m_pos;
    }
    token.kind = TokenKind::Text;
    token.text = m_bytes.substr(begin, m_pos - begin);
    return token;
}

void Tokenizer::SkipBinary(std::int64_t count)
{
    if (count <= 0) {
        return;
    }
    const std::size_t left = m_bytes.size() - m_pos;
    m_pos += static_cast<std::uint64_t>(count) < left ? static_cast<std::size_t>(count) : left;
}

// Called after the backslash.
Token Tokenizer::ReadControl()
{
    Token token;
    if (m_pos >= m_bytes.size()) {
        return token;
    }
    const char c = m_bytes[m_pos];
    if (IsLetter(c)) {
        const std::size_t begin = m_pos;
        while (m_pos < m_bytes.size() && IsLetter(m_bytes[m_pos])) {
            ++m_pos;
        }
        token.kind = TokenKind::ControlWord;
        token.word = m_bytes.substr(begin, m_pos - begin);
        ReadParameter(token);
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == ' ') {
            ++m_pos;
        }
        return token;
    }
    ++m_pos;
    if (c == '\'') {
        return ReadHex();
    }
    if (IsLineEnd(c)) {
        token.kind = TokenKind::ControlWord;
        token.word = "par";
        return token;
    }
    token.kind = TokenKind::ControlSymbol;
    token.symbol = c;
    return token;
}

// A minus sign belongs to the parameter only when a digit follows it.
void Tokenizer::ReadParameter(Token& token)
{
    std::size_t at = m_pos;
    const bool negative = at < m_bytes.size() && m_bytes[at] == '-';
    if (negative) {
        ++at;
    }
    if (at >= m_bytes.size() || !IsDigit(m_bytes[at])) {
        return;
    }
    std::int32_t value = 0;
    while (at < m_bytes.size() && IsDigit(m_bytes[at])) {
        const int digit = m_bytes[at] - '0';
        value = value > (kParameterBound - digit) / 10 ? kParameterBound : value * 10 + digit;
        ++at;
    }
    m_pos = at;
    token.hasParameter = true;
    token.parameter = negative ? -value : value;
}

// \'hh with one or two hex digits; without any it stands for nothing.
Token Tokenizer::ReadHex()
{
    Token token;
    int value = 0;
    int digits = 0;
    while (digits < 2 && m_pos < m_bytes.size() && HexValue(m_bytes[m_pos]) >= 0) {
        value = value * 16 + HexValue(m_bytes[m_pos]);
        ++m_pos;
        ++digits;
    }
    if (digits == 0) {
        token.kind = TokenKind::ControlSymbol;
        token.symbol = 0;
        return token;
    }
    token.kind = TokenKind::HexByte;
    token.byte = static_cast<unsigned char>(value);
    return token;
}

}  // namespace vyra::rtf::detail
