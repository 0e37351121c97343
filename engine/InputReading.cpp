#include "InputReading.h"

#include "RunState.h"

#include "NumberText.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace vyra {

namespace {

// The record holds the program's units, so a newton or an lbf run's entries
// are converted here, once, and every step after reads them as a kgf run's.
// A number that overflows only when converted is as much too large as one
// typed past the range.
double ReadNumber(const EntryForm& form, int item, ForceUnit unit, EntryReading& reading)
{
    const std::string& text = form.txtInput[item];
    reading.notANumber[item] = text.find_first_not_of(" \t") != std::string::npos && !ParseWholeNumber(text);
    const double value = InProgramUnits(FieldQuantity(item), ParseLeadingNumber(text), unit);
    reading.tooLarge[item] = std::isinf(value);
    return value;
}

bool IsAngle(int item) { return item == kItemAlpha || item == kItemBeta || item == kItemGamma; }

// What ReadSelectionInputs keeps of the field: an angle rounded into 16 bits.
double ValueRead(int item, std::string_view text)
{
    const double value = ParseLeadingNumber(text);
    if (!IsAngle(item)) {
        return value;
    }
    const std::optional<std::int16_t> angle = RoundToInt16(value);
    if (angle) {
        return *angle;
    }
    return value < 0 ? std::numeric_limits<std::int16_t>::min() : std::numeric_limits<std::int16_t>::max();
}

std::int16_t ReadAngle(const EntryForm& form, int item, EntryReading& reading, bool& beyond16)
{
    // Degrees in every run: no unit converts an angle.
    beyond16 = !RoundToInt16(ReadNumber(form, item, kKgf, reading)).has_value();
    return static_cast<std::int16_t>(ValueRead(item, form.txtInput[item]));
}

std::int16_t MethodCodeOf(const EntryForm& form)
{
    if (form.opMethod1 == 0) {
        return kTwoSensors;
    }
    const auto sideBase = static_cast<std::int16_t>(form.opMethod2 == 0 ? kOneSideBoth : kIndependentBoth);
    return static_cast<std::int16_t>(sideBase + (form.opMethod3 == 1 ? 1 : 0));
}

// The fulcrum comes with the angles: the sketch and the load read both.
void ReadAngleAndLengths(SelectionInputs& in, const EntryForm& form, ForceUnit unit, EntryReading& reading)
{
    in.fulcrumIndex = form.fulcrumIndex;
    in.alpha = ReadAngle(form, kItemAlpha, reading, reading.alphaBeyond16);
    in.beta = ReadAngle(form, kItemBeta, reading, reading.betaBeyond16);
    in.gamma = ReadAngle(form, kItemGamma, reading, reading.gammaBeyond16);
    in.l = ReadNumber(form, kItemL, unit, reading);
    in.h = ReadNumber(form, kItemH, unit, reading);
}

}  // namespace

Quantity FieldQuantity(int item)
{
    switch (item) {
    case kItemFS:
        return Quantity::Force;
    case kItemD:
    case kItemL:
    case kItemH:
        return Quantity::Length;
    case kItemWr:
    case kItemWp:
        return Quantity::Mass;
    case kItemV:
        return Quantity::Speed;
    default:
        return Quantity::Fixed;
    }
}

std::string_view FieldSymbol(int item)
{
    static constexpr std::array<std::string_view, kFieldCount> kSymbols{"FS",    "d", "Wr", "alpha", "beta",
                                                                        "gamma", "l", "h",  "Wp",    "V"};
    return item >= 0 && item < kFieldCount ? kSymbols[static_cast<std::size_t>(item)] : "";
}

void ChangeFulcrum(EntryForm& form, std::int16_t fulcrumIndex)
{
    if (fulcrumIndex != form.fulcrumIndex) {
        auto& texts = form.txtInput;
        std::swap(texts[kItemAlpha], texts[kItemBeta]);
        if (!texts[kItemGamma].empty()) {
            texts[kItemGamma] = NegatedNumberText(texts[kItemGamma]);
        }
    }
    form.fulcrumIndex = fulcrumIndex;
}

std::string ValueReadText(int item, std::string_view text) { return ShortestText(ValueRead(item, text)); }

bool ReadsAsTyped(int item, std::string_view text)
{
    const std::optional<double> typed = ParseWholeNumber(text);
    return typed && *typed == ValueRead(item, text);
}

EntryReading ReadSelectionInputs(RunState& state, const EntryForm& form)
{
    EntryReading reading;
    SelectionInputs& in = state.inputs;
    state.seriesIndex = form.opType == 0 ? kStandardSeries : kIntrinsicallySafeSeries;
    in.methodCode = MethodCodeOf(form);
    const ForceUnit unit = state.forceUnit;
    in.FS = ReadNumber(form, kItemFS, unit, reading);
    in.d = ReadNumber(form, kItemD, unit, reading);
    in.Wr = ReadNumber(form, kItemWr, unit, reading);
    ReadAngleAndLengths(in, form, unit, reading);
    in.Wp = ReadNumber(form, kItemWp, unit, reading);
    in.V = ReadNumber(form, kItemV, unit, reading);
    return reading;
}

EntryReading ReadSketchInputs(RunState& state, const EntryForm& form)
{
    EntryReading reading;
    ReadAngleAndLengths(state.inputs, form, state.forceUnit, reading);
    return reading;
}

}  // namespace vyra
