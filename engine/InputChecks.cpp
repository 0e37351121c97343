#include "InputChecks.h"

#include <array>
#include <initializer_list>

namespace vyra {

namespace {

constexpr const char* kInapplicable = "Inapplicable values";

constexpr std::array<const char*, kFieldCount> kSymbols{"FS", "d", "Wr", "alpha", "beta", "gamma", "l", "h", "Wp", "V"};

CheckFailure Inapplicable(std::string message, std::vector<int> marked)
{
    return {kInapplicable, std::move(message), MessageIcon::Information, std::move(marked), false};
}

CheckResult CheckTooLarge(const EntryReading& reading, std::initializer_list<int> items)
{
    for (const int item : items) {
        if (reading.tooLarge[item]) {
            return Inapplicable(std::string("The value of ") + kSymbols[item] + " is too large.", {item});
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

CheckResult CheckSelectionInputs(const SelectionInputs& in, const EntryReading& reading)
{
    if (CheckResult tooLarge = CheckTooLarge(reading, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) {
        return tooLarge;
    }
    if (in.FS == 0 || in.d == 0 || in.Wr == 0) {
        return Inapplicable("Input values with half-size characters.", {});
    }
    if (in.FS < 0 || in.d < 0 || in.Wr < 0 || in.V < 0) {
        return CheckFailure{"Input error",
                            "Input positive numbers of Tension and\rRoller diameter,Roller weight and Line speed.",
                            MessageIcon::Information,
                            {},
                            false};
    }
    if (CheckResult range = CheckAngleRanges(in, reading, "values")) {
        return range;
    }
    return CheckGammaFits(reading);
}

CheckResult CheckSketchInputs(const SelectionInputs& in, const EntryReading& reading)
{
    if (CheckResult tooLarge = CheckTooLarge(reading, {kItemAlpha, kItemBeta, kItemGamma, kItemL, kItemH})) {
        return tooLarge;
    }
    if (CheckResult range = CheckAngleRanges(in, reading, "value")) {
        return range;
    }
    return CheckGammaFits(reading);
}

}  // namespace vyra
