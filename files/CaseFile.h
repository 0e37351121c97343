#pragma once

#include "Case.h"
#include "Expected.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vyra {

// A case file is at most this large.
inline constexpr std::size_t kMaxCaseFileBytes = 1024 * 1024;

// The case as a case file: JSON in UTF-8, {"format": "vyra-case",
// "version": 1, then every entry by its name}, and the ranges, when there
// are any, as "ranges": {"gamma": {"low": "10", "high": "30"}, ...}.
std::string CaseFileText(const Case& c);

// Reads a case file's text. Refused, with the problem in a few words: more
// than kMaxCaseFileBytes, bytes that are not UTF-8, anything but a JSON
// object of format "vyra-case", a newer version, an entry of the wrong
// type, a choice word that is not one of its two, a range of an input that
// cannot carry one or whose ends are not two texts of numbers. Unknown names are
// ignored; a missing entry is an empty field or the choice's default.
Expected<Case> ParseCaseFile(std::string_view text);

}  // namespace vyra
