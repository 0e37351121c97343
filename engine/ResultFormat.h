#pragma once

#include "ForceUnit.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vyra {

struct RunState;

// The fixed decimal patterns of the result screens and the report:
// decimals 0 for "0", 1 for "0.0", 2 for "0.00", 3 for "0.000". Always "."
// as decimal point; at least one digit before it; a value that rounds to
// zero shows without a minus sign; a value that is not finite shows "---".
std::string FormatPattern(double value, int decimals);

// FormatPattern's text when it has at most width characters, else the
// exponent form with as many digits as fit ("1.2e+300"), never narrower
// than one digit.
std::string FormatPatternWithin(double value, int decimals, std::size_t width);

// Forces are held in kgf and shown in the run's unit (x 9.8 for N).
double ShownForce(double kgf, ForceUnit forceUnit);
std::string_view ForceUnitLabel(ForceUnit forceUnit);  // "[kgf]", "[N]" or "[lbf]"

// A date as the input screen's date field shows it, "mmm dd,yyyy" with the
// English month abbreviation whatever the locale: "Dec 05,2026".
std::string FormatDate(int year, unsigned month, unsigned day);

// The detection method as the report words it ("One sensor,One side,Both ch.").
std::string_view MethodWording(std::int16_t methodCode);

}  // namespace vyra
