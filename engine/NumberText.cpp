#include "NumberText.h"

#include "Angles.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vyra {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr long long kExponentCap = 1'000'000'000'000'000LL;

// The extent of one number in the text, without its sign.
struct NumberSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    // Decimal order of magnitude of the leading significant digit, used to
    // tell overflow from underflow when the value is out of range.
    long long order = 0;
};

std::size_t SkipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return pos;
}

// Reads [e|E][sign]digits at pos; returns pos unchanged when no digit follows.
std::size_t ScanExponent(std::string_view text, std::size_t pos, long long& exponent)
{
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
        return pos;
    }
    std::size_t p = pos + 1;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || !IsDigit(text[p])) {
        return pos;
    }
    long long value = 0;
    for (; p < text.size() && IsDigit(text[p]); ++p) {
        // Saturates far beyond the digit count of any text, so the order of
        // magnitude below keeps its sign.
        if (value < kExponentCap) {
            value = value * 10 + (text[p] - '0');
        }
    }
    exponent = negative ? -value : value;
    return p;
}

std::optional<NumberSpan> ScanNumber(std::string_view text, std::size_t pos)
{
    NumberSpan span;
    span.begin = pos;
    const std::size_t intEnd = SkipDigits(text, pos);
    std::size_t fracBegin = intEnd;
    std::size_t fracEnd = intEnd;
    if (intEnd < text.size() && text[intEnd] == '.') {
        fracBegin = intEnd + 1;
        fracEnd = SkipDigits(text, fracBegin);
    }
    if (intEnd == pos && fracEnd == fracBegin) {
        return std::nullopt;
    }
    long long exponent = 0;
    span.end = ScanExponent(text, fracEnd, exponent);

    std::size_t firstSignificant = pos;
    while (firstSignificant < intEnd && text[firstSignificant] == '0') {
        ++firstSignificant;
    }
    if (firstSignificant < intEnd) {
        span.order = static_cast<long long>(intEnd - firstSignificant) + exponent;
    } else {
        std::size_t p = fracBegin;
        while (p < fracEnd && text[p] == '0') {
            ++p;
        }
        span.order = -static_cast<long long>(p - fracBegin) + exponent;
    }
    return span;
}

}  // namespace

double ParseLeadingNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::optional<NumberSpan> span = ScanNumber(text, pos);
    if (!span) {
        return 0.0;
    }
    double magnitude = 0.0;
    const char* first = text.data() + span->begin;
    const char* last = text.data() + span->end;
    const std::from_chars_result result = std::from_chars(first, last, magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = span->order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::optional<double> ParseWholeNumber(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view number = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    const std::size_t digits = number.front() == '+' || number.front() == '-' ? 1 : 0;
    const std::optional<NumberSpan> span = ScanNumber(number, digits);
    if (!span || span->end != number.size()) {
        return std::nullopt;
    }
    return ParseLeadingNumber(number);
}

std::string ShortestText(double value)
{
    std::array<char, 32> buffer{};
    const auto written =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    std::string text(buffer.data(), written.ptr);
    const std::size_t e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    const bool negative = text[e + 1] == '-';
    const std::size_t digits = text.find_first_not_of("+-0", e + 1);
    return text.substr(0, e + 1) + (negative ? "-" : "") + text.substr(digits);
}

namespace {

// No shorter text reads back as a number beyond the range of a double than
// its own digits.
std::string NegatedDigits(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(" \t");
    const bool negative = text[pos] == '-';
    if (text[pos] == '-' || text[pos] == '+') {
        ++pos;
    }
    const std::optional<NumberSpan> span = ScanNumber(text, pos);
    return (negative ? "" : "-") + std::string(text.substr(span->begin, span->end - span->begin));
}

}  // namespace

std::string NegatedNumberText(std::string_view text)
{
    const double value = ParseLeadingNumber(text);
    if (std::isinf(value)) {
        return NegatedDigits(text);
    }
    return ShortestText(value == 0 ? 0.0 : -value);
}

// nearbyint rounds in the current mode, which the program leaves at the
// default: to nearest with ties to even.
double RoundHalfEven(double value) { return std::nearbyint(value); }

std::optional<std::int16_t> RoundToInt16(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

}  // namespace vyra
