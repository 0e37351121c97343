#pragma once

#include "Case.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vyra {

// One field as a calculation reads it (see InputsAsRead); empty when its
// text is not a number.
std::optional<double> FieldAsRead(int item, std::string_view typed);

// The ten fields as a calculation reads them, in the case's own unit before
// any conversion: each text's number, an angle rounded to whole degrees
// (halves to even), an empty field 0, a negative zero 0. Empty when a text
// is not a number.
std::optional<std::array<double, kFieldCount>> InputsAsRead(const EntryForm& form);

// The text a calculation ID is the digest of: "vyra-inputs 1", the six
// choices in the case file's words, then the ten fields, each the number
// read from its text before any unit conversion (an angle rounded to whole
// degrees, an empty field 0, a negative zero 0) as printf's "%.17g" writes
// it; every line ends in "\n". Empty when a field's text is not a number.
std::optional<std::string> CalculationText(const Case& c);

// The first 12 lower-case hexadecimal digits of the SHA-256 of that text:
// one ID for one calculation, the same for every front end and every run.
std::optional<std::string> CalculationId(const Case& c);

}  // namespace vyra
