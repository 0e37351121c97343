#include "InputChecks.h"

#include "Utf8.h"

#include <algorithm>
#include <initializer_list>

namespace vyra {

namespace {

constexpr const char* kInapplicable = "Inapplicable values";

// What a message quotes of a typed text: its first characters, cut on a
// character's boundary, with control bytes shown as \xHH.
constexpr std::size_t kQuotedBytes = 40;

CheckFailure Inapplicable(std::string message, std::vector<int> marked)
{
    return {kInapplicable, std::move(message), MessageIcon::Information, std::move(marked), false};
}

std::string Quoted(std::string_view text)
{
    std::size_t cut = std::min(text.size(), kQuotedBytes);
    while (cut < text.size() && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return Joined({"\"", EscapedText(text.substr(0, cut), LineBreaks::Escape), cut < text.size() ? "...\"" : "\""});
}

// A comma, a unit or a word in a field would otherwise be read as the number
// before it, or as 0, and change the verdict without a word.
CheckResult CheckNumbers(const EntryForm& form, const EntryReading& reading, std::initializer_list<int> items)
{
    for (const int item : items) {
        if (reading.notANumber[item]) {
            return Inapplicable(Joined({"The value of ", FieldSymbol(item), ", ", Quoted(form.txtInput[item]),
                                        ", is not a number.\rType a plain number, with \".\" for decimals and no "
                                        "unit or thousands separator."}),
                                {item});
        }
    }
    return std::nullopt;
}

struct FieldValue {
    int item;
    double value;
};

// The fields that fail the test, in item order, for marking.
std::vector<int> Failing(std::initializer_list<FieldValue> fields, bool (*fails)(double))
{
    std::vector<int> failing;
    for (const FieldValue& field : fields) {
        if (fails(field.value)) {
            failing.push_back(field.item);
        }
    }
    return failing;
}

CheckResult CheckTooLarge(const EntryReading& reading, std::initializer_list<int> items)
{
    for (const int item : items) {
        if (reading.tooLarge[item]) {
            return Inapplicable(Joined({"The value of ", FieldSymbol(item), " is too large."}), {item});
        }
    }
    return std::nullopt;
}

bool OutOfHalfCircle(std::int16_t angle, bool beyond16) { return beyond16 || angle > 180 || angle < -180; }

// "Select" words the beta message with "values", "Image chgange" with
// "value"; both wordings are what users have always seen.
CheckResult CheckAngleRanges(const SelectionInputs& in, const EntryReading& reading, const char* betaWording)
{
    if (OutOfHalfCircle(in.alpha, reading.alphaBeyond16)) {
        return Inapplicable("Input the value of alpha from -180 to 180.", {kItemAlpha});
    }
    if (OutOfHalfCircle(in.beta, reading.betaBeyond16)) {
        return Inapplicable(std::string("Input the ") + betaWording + " of beta from -180 to 180.", {kItemBeta});
    }
    return std::nullopt;
}

CheckResult CheckGammaFits(const EntryReading& reading)
{
    if (reading.gammaBeyond16) {
        return Inapplicable("Input the value of gamma from -32768 to 32767.", {kItemGamma});
    }
    return std::nullopt;
}

}  // namespace

CheckResult CheckSelectionInputs(const SelectionInputs& in, const EntryForm& form, const EntryReading& reading)
{
    if (CheckResult typed = CheckNumbers(form, reading, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) {
        return typed;
    }
    if (CheckResult tooLarge = CheckTooLarge(reading, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) {
        return tooLarge;
    }
    if (std::vector<int> zero =
            Failing({{kItemFS, in.FS}, {kItemD, in.d}, {kItemWr, in.Wr}}, [](double v) { return v == 0; });
        !zero.empty()) {
        return Inapplicable("Input values with half-size characters.", std::move(zero));
    }
    if (std::vector<int> negative = Failing({{kItemFS, in.FS}, {kItemD, in.d}, {kItemWr, in.Wr}, {kItemV, in.V}},
                                            [](double v) { return v < 0; });
        !negative.empty()) {
        return CheckFailure{"Input error",
                            "Input positive numbers of Tension and\rRoller diameter,Roller weight and Line speed.",
                            MessageIcon::Information, std::move(negative), false};
    }
    if (CheckResult range = CheckAngleRanges(in, reading, "values")) {
        return range;
    }
    return CheckGammaFits(reading);
}

CheckResult CheckSketchInputs(const SelectionInputs& in, const EntryForm& form, const EntryReading& reading)
{
    if (CheckResult typed = CheckNumbers(form, reading, {kItemAlpha, kItemBeta, kItemGamma, kItemL, kItemH})) {
        return typed;
    }
    if (CheckResult tooLarge = CheckTooLarge(reading, {kItemAlpha, kItemBeta, kItemGamma, kItemL, kItemH})) {
        return tooLarge;
    }
    if (CheckResult range = CheckAngleRanges(in, reading, "value")) {
        return range;
    }
    return CheckGammaFits(reading);
}

}  // namespace vyra
