#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vyra {

// The value of the number at the start of an entry text, as a user typing
// into a field expects: leading blanks skipped, then an optional sign,
// digits with an optional "." and fraction, an optional exponent (e or E,
// optional sign, digits). Reading stops at the first character that cannot
// continue the number, so "12abc" gives 12 and "1e" gives 1. A text that
// does not begin with a number gives 0 ("", "abc", "inf", full-width digits;
// "0x10" gives 0). Never depends on the locale.
//
// A number beyond the range of a double gives +/-infinity, and nothing
// else does: callers treat an infinite result as "too large". A number too
// small to represent gives a zero of its sign.
double ParseLeadingNumber(std::string_view text);

// The value of a text that is one number and nothing else, blanks around it
// allowed, in ParseLeadingNumber's syntax; empty for any other text.
std::optional<double> ParseWholeNumber(std::string_view text);

// The shortest text of the value with at most 15 significant digits, "."
// as decimal point, the exponent without "+" or leading zeros: "12",
// "-7.5", "1e300".
std::string ShortestText(double value);

// The shortest text that reads back as the same double, in the form of
// printf's %f or %e, whichever is shorter (%f on a tie): "0.1", "1e+22",
// "-2.5e-07". Infinity and NaN give "inf" and "nan".
std::string RoundTripText(double value);
// The same text written from first, for a writer of many numbers; it is at
// most kRoundTripTextMax characters long.
inline constexpr std::size_t kRoundTripTextMax = 32;
struct WrittenNumber {
    char* end = nullptr;
    // Digits alone, a sign allowed ("12", "-0"; not "0.5", "1e+05", "inf"):
    // a whole number that a JSON reader would take for an integer.
    bool digitsOnly = false;
};
WrittenNumber WriteRoundTripText(char* first, double value);

// printf's "%.17g", enough digits for every double to read back the same:
// "20", "0.10000000000000001", "2.4999999999999999e-07". Written from
// first, at most kRoundTripTextMax characters; returns the end.
char* WriteExactText(char* first, double value);

// The value with that many decimals, as printf's "%.*f" writes it.
std::string FixedText(double value, int decimals);

// The value in exponent form with that many decimals, as printf's "%.*e"
// writes it: "1.2e+300".
std::string ExponentText(double value, int decimals);

// The text of an entry field's leading number with the other sign, as the
// mounting angle reads after the fulcrum changes side: the shortest form
// with at most 15 significant digits, "." as decimal point, the exponent
// without "+" or leading zeros ("20" gives "-20", "-7.5" gives "7.5",
// "12abc" gives "-12", "0" and "" give "0"). A number too large for a double
// keeps its own digits with the other sign ("1e999" gives "-1e999"), so that
// changing side twice gives the number back.
std::string NegatedNumberText(std::string_view text);

// Nearest whole number, halves to the even neighbour (20.5 gives 20, 21.5
// gives 22). Empty when the rounded value lies outside -32768..32767 or the
// argument is not finite.
std::optional<std::int16_t> RoundToInt16(double value);

}  // namespace vyra
