// {fmt} header-only, here rather than in the build, so that every target
// built from this source (the fuzzers' instrumented copies too) links alone.
#define FMT_HEADER_ONLY

#include "NumberText.h"

#include "Angles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fast_float/fast_float.h>
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

// The shortest significant digits of a finite, positive value and the
// place of the point: value = 0.digits x 10^before.
struct ShortestDigits {
    std::array<char, 24> digits{};
    int count = 0;
    int before = 0;
};

ShortestDigits DigitsOf(double value)
{
    // The search behind the formatter's own shortest form, which gives the
    // digits as a whole number and its power of ten: nothing to read back
    // out of a text. The standard's to_chars would do, but the WebAssembly
    // build's C++ library has none for floating point.
    fmt::detail::dragonbox::decimal_fp<double> decimal = fmt::detail::dragonbox::to_decimal(value);
    while (decimal.significand % 10 == 0) {
        decimal.significand /= 10;
        ++decimal.exponent;
    }
    ShortestDigits shortest;
    char* const end =
        std::to_chars(shortest.digits.data(), shortest.digits.data() + shortest.digits.size(), decimal.significand).ptr;
    shortest.count = static_cast<int>(end - shortest.digits.data());
    shortest.before = shortest.count + decimal.exponent;
    return shortest;
}

// Below 2^53 a whole number's shortest digits padded with zeros are its
// exact value; beyond, the padding would differ from it
// ("123456789012345683968", not "123456789012345680000"), as the JSON
// documents always wrote it.
constexpr double kExactlyPadded = 9007199254740992.0;

char* WriteFixed(char* out, const ShortestDigits& s, double value)
{
    if (s.before <= 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -s.before, '0');
        return std::copy_n(s.digits.data(), s.count, out);
    }
    if (s.count >= s.before) {
        out = std::copy_n(s.digits.data(), s.before, out);
        if (s.count > s.before) {
            *out++ = '.';
            out = std::copy_n(s.digits.data() + s.before, s.count - s.before, out);
        }
        return out;
    }
    if (value >= kExactlyPadded) {
        return fmt::format_to(out, "{:.0f}", value);
    }
    out = std::copy_n(s.digits.data(), s.count, out);
    return std::fill_n(out, s.before - s.count, '0');
}

char* WriteExponent(char* out, const ShortestDigits& s)
{
    *out++ = s.digits[0];
    if (s.count > 1) {
        *out++ = '.';
        out = std::copy_n(s.digits.data() + 1, s.count - 1, out);
    }
    // At least two exponent digits, "e+05", at most three.
    const int exponent = s.before - 1;
    const int magnitude = std::abs(exponent);
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    if (magnitude >= 100) {
        *out++ = static_cast<char>('0' + magnitude / 100);
    }
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

}  // namespace

WrittenNumber WriteRoundTripText(char* first, double value)
{
    if (!std::isfinite(value)) {
        return {fmt::format_to(first, "{}", value), false};
    }
    if (std::signbit(value)) {
        *first++ = '-';
    }
    const double magnitude = std::fabs(value);
    if (magnitude == 0) {
        *first++ = '0';
        return {first, true};
    }
    const ShortestDigits s = DigitsOf(magnitude);
    const int fixedLength = s.before <= 0 ? 2 - s.before + s.count : s.count > s.before ? s.count + 1 : s.before;
    const int exponentLength = s.count + (s.count > 1 ? 1 : 0) + 2 + (std::abs(s.before - 1) >= 100 ? 3 : 2);
    if (fixedLength <= exponentLength) {
        return {WriteFixed(first, s, magnitude), s.count <= s.before};
    }
    return {WriteExponent(first, s), false};
}

std::string RoundTripText(double value)
{
    std::array<char, kRoundTripTextMax> text{};
    return std::string(text.data(), WriteRoundTripText(text.data(), value).end);
}

char* WriteExactText(char* first, double value)
{
    // Most fields hold whole numbers, whose "%.17g" is their digits alone,
    // which the integer writer gives in a few nanoseconds: the formatter's
    // "{:.17g}" took a microsecond or more for a number, the standard's
    // to_chars some 75 ns.
    if (std::fabs(value) < 1e17 && value == std::trunc(value) && !std::signbit(value)) {
        return std::to_chars(first, first + kRoundTripTextMax, static_cast<std::int64_t>(value)).ptr;
    }
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, first + kRoundTripTextMax, value, std::chars_format::general, 17).ptr;
#else
    // The WebAssembly build's C++ library writes no floating point.
    return fmt::format_to(first, "{:.17g}", value);
#endif
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
