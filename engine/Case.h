#pragma once

#include "ForceUnit.h"
#include "InputReading.h"
#include "RollerDrawing.h"
#include "WebTension.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vyra {

// The names a case's entries go by, the same in case files, as
// vyra-select's options (with "--") and as the columns of a batch file.
inline constexpr std::array<std::string_view, kFieldCount> kFieldNames{
    "tension", "diameter", "roller-weight", "alpha", "beta", "gamma", "position", "height", "bearing-weight", "speed"};

enum ReportItem : int { kCustomer, kOrder, kMachine, kDate, kName, kReportItemCount };
inline constexpr std::array<std::string_view, kReportItemCount> kReportNames{"customer", "order", "machine", "date",
                                                                             "name"};

// The names the helpers' entries go by, the same as vyra-select's options,
// the batch columns and the members of a case file's records.
template <typename Texts>
struct TextName {
    std::string_view name;
    std::string Texts::*member;
};
inline constexpr std::array<TextName<WebTexts>, 5> kWebTextNames{{{"material", &WebTexts::material},
                                                                  {"width", &WebTexts::width},
                                                                  {"thickness", &WebTexts::thickness},
                                                                  {"grammage", &WebTexts::grammage},
                                                                  {"layers", &WebTexts::layers}}};
inline constexpr std::array<TextName<RollerTexts>, 7> kRollerTextNames{{{"tube-od", &RollerTexts::tubeOd},
                                                                        {"tube-id", &RollerTexts::tubeId},
                                                                        {"face", &RollerTexts::face},
                                                                        {"roller-material", &RollerTexts::material},
                                                                        {"density", &RollerTexts::density},
                                                                        {"modulus", &RollerTexts::modulus},
                                                                        {"journals", &RollerTexts::journals}}};
inline constexpr std::string_view kTensionFromName = "tension-from";
inline constexpr std::string_view kRollerFromName = "roller-from";
inline constexpr std::string_view kPickName = "pick";

// A choice of the input screen: its name and its words, the first the
// default; a word's position is the choice's code. The unit has three
// words, the unit screen's choice, the others two.
struct Choice {
    std::string_view name;
    std::span<const std::string_view> words;
};

inline constexpr std::array<std::string_view, 2> kTypeWords{"standard", "safe"};
inline constexpr std::array<std::string_view, 2> kFulcrumWords{"right", "left"};
inline constexpr std::array<std::string_view, 2> kSensorsWords{"two", "one"};
inline constexpr std::array<std::string_view, 2> kSideWords{"one-side", "independent"};
inline constexpr std::array<std::string_view, 2> kChannelWords{"both", "one"};

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
    {"unit", kUnitWords},
    {"type", kTypeWords},
    {"fulcrum", kFulcrumWords},
    {"sensors", kSensorsWords},
    {"side", kSideWords},
    {"channel", kChannelWords},
}};

// The code of a choice's word, or nothing for a word it does not have.
std::optional<int> ChoiceCodeOf(const Choice& choice, std::string_view word);
// How a refusal lists the words: "standard or safe", "kgf, N or lbf".
std::string ChoiceWording(const Choice& choice);

// A range an input carries, its ends as typed, in the case's unit.
struct RangeTexts {
    std::string low;
    std::string high;

    bool operator==(const RangeTexts&) const = default;
};
inline constexpr std::string_view kRangesName = "ranges";
// A case's ranges by field, none for a field without one.
using CaseRanges = std::array<std::optional<RangeTexts>, kFieldCount>;

// Everything the input screen holds: the customer block, the options, the
// unit of force and the ten field texts exactly as typed, so that a case
// read back passes the same checks with the same messages.
struct Case {
    EntryForm form;
    ForceUnit forceUnit = kKgf;
    std::array<std::string, kReportItemCount> report;
    // Where the tension and the roller weight came from, when a helper
    // filled them; editing the field by hand drops its record.
    std::optional<TensionOrigin> tensionFrom{};
    std::optional<RollerDrawing> rollerFrom{};
    // By field; only the inputs MayCarryRange allows have one.
    CaseRanges ranges{};

    bool operator==(const Case&) const = default;
};

// The code of a choice of the case (the position of its word) and setting
// it; a code the choice has no word for leaves the case as it was.
int ChoiceCode(const Case& c, int choice);
void SetChoiceCode(Case& c, int choice, int code);

}  // namespace vyra
