#include "CalculationId.h"

#include "NumberText.h"
#include "Sha256.h"

#include <array>
#include <cmath>

namespace vyra {

namespace {

constexpr std::string_view kVersionLine = "vyra-inputs 1\n";
constexpr std::size_t kIdDigits = 12;

void AppendLine(std::string& text, std::string_view name, std::string_view value)
{
    text += name;
    text += '=';
    text += value;
    text += '\n';
}

}  // namespace

std::optional<double> FieldAsRead(int item, std::string_view typed)
{
    const std::optional<double> value =
        typed.find_first_not_of(" \t") == std::string_view::npos ? 0.0 : ParseWholeNumber(typed);
    if (!value) {
        return std::nullopt;
    }
    // The angles are the fields no unit converts.
    const double number = FieldQuantity(item) == Quantity::Fixed ? std::nearbyint(*value) : *value;
    return number == 0 ? 0.0 : number;
}

std::optional<std::array<double, kFieldCount>> InputsAsRead(const EntryForm& form)
{
    std::array<double, kFieldCount> inputs{};
    for (int item = 0; item < kFieldCount; ++item) {
        const std::optional<double> value = FieldAsRead(item, form.txtInput[static_cast<std::size_t>(item)]);
        if (!value) {
            return std::nullopt;
        }
        inputs[static_cast<std::size_t>(item)] = *value;
    }
    return inputs;
}

std::optional<std::string> CalculationText(const Case& c)
{
    const std::optional<std::array<double, kFieldCount>> inputs = InputsAsRead(c.form);
    if (!inputs) {
        return std::nullopt;
    }
    std::string text(kVersionLine);
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        const Choice& named = kChoices[choice];
        AppendLine(text, named.name, named.words[static_cast<std::size_t>(ChoiceCode(c, choice))]);
    }
    for (std::size_t item = 0; item < kFieldCount; ++item) {
        std::array<char, kRoundTripTextMax> number{};
        const char* const end = WriteExactText(number.data(), (*inputs)[item]);
        AppendLine(text, kFieldNames[item],
                   std::string_view(number.data(), static_cast<std::size_t>(end - number.data())));
    }
    return text;
}

std::optional<std::string> CalculationId(const Case& c)
{
    const std::optional<std::string> text = CalculationText(c);
    return text ? std::optional(Sha256Hex(*text).substr(0, kIdDigits)) : std::nullopt;
}

}  // namespace vyra
