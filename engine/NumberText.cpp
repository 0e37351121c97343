// {fmt} header-only, here rather than in the build, so that every target
// built from this source (the fuzzers' instrumented copies too) links alone.
#define FMT_HEADER_ONLY

#include "NumberText.h"

#include "Angles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>
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
    // The span is digits, point and exponent only, which the parser reads
    // the same way in every build. It gives infinity or zero beyond the
    // range of a double, or says so as the standard's parser does.
    const fast_float::from_chars_result result = fast_float::from_chars(first, last, magnitude);
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
    std::string text = fmt::format("{:.15g}", value);
    const std::size_t e = text.find('e');
    if (e == std::string::npos) {
        return text;
    }
    const bool negative = text[e + 1] == '-';
    const std::size_t digits = text.find_first_not_of("+-0", e + 1);
    return text.substr(0, e + 1) + (negative ? "-" : "") + text.substr(digits);
}

namespace {

// The shortest significant digits of a finite, non-negative value and the
// place of the point: value = 0.digits x 10^before.
struct ShortestDigits {
    std::array<char, 24> digits{};
    int count = 0;
    int before = 0;
};

ShortestDigits DigitsOf(double value)
{
    // The formatter's plain form has the shortest digits that read back, in
    // a notation of its own choosing, which is taken apart here.
    std::array<char, 32> plain{};
    const char* const end = fmt::format_to(plain.data(), FMT_COMPILE("{}"), value);
    ShortestDigits shortest;
    bool fraction = false;
    const char* p = plain.data();
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            fraction = true;
        } else if (shortest.count > 0 || *p != '0') {
            shortest.digits[shortest.count++] = *p;
            shortest.before += fraction ? 0 : 1;
        } else {
            shortest.before -= fraction ? 1 : 0;
        }
    }
    if (p != end) {
        shortest.before += std::atoi(p + 1);
    }
    while (shortest.count > 0 && shortest.digits[shortest.count - 1] == '0') {
        --shortest.count;
    }
    return shortest;
}

char* WriteFixed(char* out, const ShortestDigits& s)
{
    if (s.before <= 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -s.before, '0');
        return std::copy_n(s.digits.data(), s.count, out);
    }
    out = std::copy_n(s.digits.data(), s.count < s.before ? s.count : s.before, out);
    if (s.count > s.before) {
        *out++ = '.';
        out = std::copy_n(s.digits.data() + s.before, s.count - s.before, out);
    }
    return out;
}

}  // namespace

char* WriteRoundTripText(char* first, double value)
{
    if (!std::isfinite(value)) {
        return fmt::format_to(first, "{}", value);
    }
    if (std::signbit(value)) {
        *first++ = '-';
    }
    const double magnitude = std::fabs(value);
    const ShortestDigits s = DigitsOf(magnitude);
    if (s.count == 0) {
        *first++ = '0';
        return first;
    }
    const int exponent = s.before - 1;
    const int fixedLength = s.before <= 0 ? 2 - s.before + s.count : s.count > s.before ? s.count + 1 : s.before;
    const int exponentLength = s.count + (s.count > 1 ? 1 : 0) + 2 + (std::abs(exponent) >= 100 ? 3 : 2);
    if (fixedLength <= exponentLength) {
        // A whole number longer than its shortest digits is written exactly
        // ("123456789012345683968"), as the JSON documents always wrote it,
        // not padded with zeros.
        return s.before > s.count ? fmt::format_to(first, "{:.0f}", magnitude) : WriteFixed(first, s);
    }
    *first++ = s.digits[0];
    if (s.count > 1) {
        *first++ = '.';
        first = std::copy_n(s.digits.data() + 1, s.count - 1, first);
    }
    // At least two exponent digits, "e+05", at most three.
    const int magnitudeOfExponent = std::abs(exponent);
    *first++ = 'e';
    *first++ = exponent < 0 ? '-' : '+';
    if (magnitudeOfExponent >= 100) {
        *first++ = static_cast<char>('0' + magnitudeOfExponent / 100);
    }
    *first++ = static_cast<char>('0' + magnitudeOfExponent / 10 % 10);
    *first++ = static_cast<char>('0' + magnitudeOfExponent % 10);
    return first;
}

std::string RoundTripText(double value)
{
    std::array<char, kRoundTripTextMax> text{};
    return std::string(text.data(), WriteRoundTripText(text.data(), value));
}

std::string FixedText(double value, int decimals) { return fmt::format("{:.{}f}", value, decimals); }

std::string ExponentText(double value, int decimals) { return fmt::format("{:.{}e}", value, decimals); }

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
    // Appended rather than joined with "+": GCC 12 takes the insertion at the
    // front for an overlapping copy (-Wrestrict) in an optimised build.
    std::string negated(negative ? "" : "-");
    negated.append(text.substr(span->begin, span->end - span->begin));
    return negated;
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
