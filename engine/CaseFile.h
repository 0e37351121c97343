#pragma once

#include "InputReading.h"
#include "RunState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace vyra {

// The names a case's entries go by, the same in case files, as
// vyra-select's options (with "--") and as the columns of a batch file.
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames{
    "tension", "diameter", "roller-weight", "alpha", "beta", "gamma", "position", "height", "bearing-weight", "speed"};

enum ReportItem : int { kCustomer, kOrder, kMachine, kDate, kName, kReportItemCount };
inline constexpr std::array<std::string_view, kReportItemCount> kReportNames{"customer", "order", "machine", "date",
                                                                             "name"};

// A choice of the input screen: its name and its two words, the first the
// default; a word's position is the choice's code.
struct Choice {
    std::string_view name;
    std::array<std::string_view, 2> words;
};

enum ChoiceItem : int {
    kUnitChoice,
    kTypeChoice,
    kFulcrumChoice,
    kSensorsChoice,
    kSideChoice,
    kChannelChoice,
    kChoiceCount
};
inline constexpr std::array<Choice, kChoiceCount> kChoices{{
    {"unit", {"kgf", "N"}},
    {"type", {"standard", "safe"}},
    {"fulcrum", {"right", "left"}},
    {"sensors", {"two", "one"}},
    {"side", {"one-side", "independent"}},
    {"channel", {"both", "one"}},
}};

// Everything the input screen holds: the customer block, the options, the
// unit of force and the ten field texts exactly as typed, so that a case
// read back passes the same checks with the same messages.
struct Case {
    EntryForm form;
    std::int16_t forceUnit = kKgf;
    std::array<std::string, kReportItemCount> report;

    bool operator==(const Case&) const = default;
};

// The code of a choice of the case (0 or 1 for the case's own choices) and
// setting it.
int ChoiceCode(const Case& c, int choice);
void SetChoiceCode(Case& c, int choice, int code);

// A case file is at most this large.
inline constexpr std::size_t kMaxCaseFileBytes = 1024 * 1024;

// The case as a case file: JSON in UTF-8, {"format": "vyra-case",
// "version": 1, then every entry by its name}.
std::string CaseFileText(const Case& c);

// Reads a case file's text. Refused, with the problem in a few words: more
// than kMaxCaseFileBytes, bytes that are not UTF-8, anything but a JSON
// object of format "vyra-case", a newer version, an entry of the wrong
// type or a choice word that is not one of its two. Unknown names are
// ignored; a missing entry is an empty field or the choice's default.
std::variant<Case, std::string> ParseCaseFile(std::string_view text);

// The case in the file at path, or the message naming the file and the problem.
std::variant<Case, std::string> ReadCaseFile(const std::string& path);

// Writes the case file whole or not at all; the message naming the file and
// the cause, or nothing.
std::optional<std::string> WriteCaseFile(const std::string& path, const Case& c);

}  // namespace vyra
