#include "Units.h"

#include <array>

namespace vyra {

namespace {

// Program units per unit of an lbf run.
double LbfFactor(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Fixed:
        return 1;
    case Quantity::Force:
        return kKgfPerLbf;
    case Quantity::Length:
        return kMmPerInch;
    case Quantity::Mass:
        return kKgPerLb;
    case Quantity::Speed:
        return kMetresPerFoot;
    case Quantity::Displacement:
        return kMmPerMil;
    case Quantity::Eccentricity:
        return kMicrometresPerMil;
    }
    return 1;
}

struct Captions {
    std::string_view program;  // kgf runs, and newton runs but for forces
    std::string_view lbf;
};

Captions CaptionsOf(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Fixed:
        return {"", ""};
    case Quantity::Force:
        return {"[kgf]", "[lbf]"};
    case Quantity::Length:
        return {"[mm]", "[in]"};
    case Quantity::Mass:
        return {"[kg]", "[lb]"};
    case Quantity::Speed:
        return {"[m/min]", "[ft/min]"};
    case Quantity::Displacement:
        return {"[mm]", "[mil]"};
    case Quantity::Eccentricity:
        return {"[um]", "[mil]"};
    }
    return {"", ""};
}

constexpr std::array<ForceUnit, kForceUnitCount> kUnits{kKgf, kNewton, kLbf};

}  // namespace

double InProgramUnits(Quantity quantity, double typed, ForceUnit unit)
{
    switch (unit) {
    case kKgf:
        return typed;
    case kNewton:
        return quantity == Quantity::Force ? typed / kNewtonsPerKgf : typed;
    case kLbf:
        return typed * LbfFactor(quantity);
    }
    return typed;
}

double InRunUnits(Quantity quantity, double held, ForceUnit unit)
{
    switch (unit) {
    case kKgf:
        return held;
    case kNewton:
        return quantity == Quantity::Force ? held * kNewtonsPerKgf : held;
    case kLbf:
        return held / LbfFactor(quantity);
    }
    return held;
}

std::string_view UnitCaption(Quantity quantity, ForceUnit unit)
{
    switch (unit) {
    case kKgf:
        return CaptionsOf(quantity).program;
    case kNewton:
        return quantity == Quantity::Force ? "[N]" : CaptionsOf(quantity).program;
    case kLbf:
        return CaptionsOf(quantity).lbf;
    }
    return "";
}

std::string_view UnitSymbol(Quantity quantity, ForceUnit unit)
{
    const std::string_view caption = UnitCaption(quantity, unit);
    return caption.size() > 2 ? caption.substr(1, caption.size() - 2) : caption;
}

std::string_view UnitWord(ForceUnit unit)
{
    switch (unit) {
    case kKgf:
    case kNewton:
    case kLbf:
        return kUnitWords[static_cast<std::size_t>(unit)];
    }
    return "";
}

std::optional<ForceUnit> ForceUnitNamed(std::string_view word)
{
    for (const ForceUnit unit : kUnits) {
        if (UnitWord(unit) == word) {
            return unit;
        }
    }
    return std::nullopt;
}

std::optional<ForceUnit> ForceUnitOf(int code)
{
    for (const ForceUnit unit : kUnits) {
        if (unit == code) {
            return unit;
        }
    }
    return std::nullopt;
}

}  // namespace vyra
