#include "NumberText.h"

#include "Angles.h"

#include <algorithm>
#include <cmath>
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

// The fixed form of the significant digits with the point after `before` of
// them: ("25", 0) gives "0.25", ("25", 4) gives "2500".
std::string FixedForm(const std::string& digits, long before)
{
    const auto count = static_cast<long>(digits.size());
    if (before <= 0) {
        return "0." + std::string(static_cast<std::size_t>(-before), '0') + digits;
    }
    if (before >= count) {
        return digits + std::string(static_cast<std::size_t>(before - count), '0');
    }
    return digits.substr(0, static_cast<std::size_t>(before)) + "." + digits.substr(static_cast<std::size_t>(before));
}

// The exponent form with at least two exponent digits: "2.5e-07".
std::string ExponentForm(const std::string& digits, long before)
{
    const long exponent = before - 1;
    std::string text = digits.substr(0, 1);
    if (digits.size() > 1) {
        text += "." + digits.substr(1);
    }
    return text + fmt::format("e{}{:02}", exponent < 0 ? '-' : '+', std::labs(exponent));
}

}  // namespace

std::string RoundTripText(double value)
{
    if (!std::isfinite(value)) {
        return fmt::format("{}", value);
    }
    // The formatter's plain form has the shortest digits that read back,
    // in a notation of its own choosing, which is taken apart here.
    const std::string shortest = fmt::format("{}", std::fabs(value));
    const std::size_t e = shortest.find('e');
    const std::string mantissa = shortest.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::string digits = mantissa.substr(0, point) + (point < mantissa.size() ? mantissa.substr(point + 1) : "");
    long before = static_cast<long>(point) + (e == std::string::npos ? 0 : std::atol(shortest.c_str() + e + 1));
    const std::size_t first = digits.find_first_not_of('0');
    const std::string sign = std::signbit(value) ? "-" : "";
    if (first == std::string::npos) {
        return sign + "0";
    }
    before -= static_cast<long>(first);
    digits = digits.substr(first, digits.find_last_not_of('0') + 1 - first);
    // A whole number longer than its shortest digits is written exactly
    // ("123456789012345683968"), as the JSON documents always wrote it, not
    // padded with zeros.
    std::string fixed =
        before > static_cast<long>(digits.size()) ? fmt::format("{:.0f}", std::fabs(value)) : FixedForm(digits, before);
    std::string exponent = ExponentForm(digits, before);
    return sign + (fixed.size() <= exponent.size() ? fixed : exponent);
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
