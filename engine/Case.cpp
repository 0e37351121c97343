#include "Case.h"

#include <algorithm>

namespace vyra {

std::optional<int> ChoiceCodeOf(const Choice& choice, std::string_view word)
{
    const auto at = std::find(choice.words.begin(), choice.words.end(), word);
    if (at == choice.words.end()) {
        return std::nullopt;
    }
    return static_cast<int>(at - choice.words.begin());
}

std::string ChoiceWording(const Choice& choice)
{
    std::string wording;
    for (std::size_t k = 0; k < choice.words.size(); ++k) {
        wording += k == 0 ? "" : k + 1 == choice.words.size() ? " or " : ", ";
        wording += choice.words[k];
    }
    return wording;
}

int ChoiceCode(const Case& c, int choice)
{
    switch (choice) {
    case kUnitChoice:
        return c.forceUnit;
    case kTypeChoice:
        return c.form.opType;
    case kFulcrumChoice:
        return c.form.fulcrumIndex;
    case kSensorsChoice:
        return c.form.opMethod1;
    case kSideChoice:
        return c.form.opMethod2;
    default:
        return c.form.opMethod3;
    }
}

void SetChoiceCode(Case& c, int choice, int code)
{
    switch (choice) {
    case kUnitChoice:
        c.forceUnit = ForceUnitOf(code).value_or(c.forceUnit);
        return;
    case kTypeChoice:
        c.form.opType = code;
        return;
    case kFulcrumChoice:
        c.form.fulcrumIndex = static_cast<std::int16_t>(code);
        return;
    case kSensorsChoice:
        c.form.opMethod1 = code;
        return;
    case kSideChoice:
        c.form.opMethod2 = code;
        return;
    default:
        c.form.opMethod3 = code;
    }
}

}  // namespace vyra
