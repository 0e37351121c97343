#include "HelperTexts.h"

#include "NumberText.h"
#include "ResultFormat.h"
#include "Units.h"

namespace vyra {

std::vector<std::string> MaterialChoices(const MaterialTable& table)
{
    std::vector<std::string> names;
    for (const WebMaterial& material : table.Rows()) {
        names.push_back(material.name);
    }
    if (table.Find(kLaminate) == nullptr) {
        names.emplace_back(kLaminate);
    }
    return names;
}

std::string TensionAdviceText(const TensionAdvice& advice, ForceUnit forceUnit)
{
    const std::string unit(UnitWord(forceUnit));
    std::string text = TensionPerWidthLine(advice.perWidth, forceUnit) + "\nTension [" + unit + "]: low "
                       + FormatPattern(advice.tension.low, 2) + ", typical " + FormatPattern(advice.tension.typical, 2)
                       + ", high " + FormatPattern(advice.tension.high, 2);
    if (advice.breakLoad) {
        text += "\nBreak load: " + FormatPattern(*advice.breakLoad, 1) + " " + unit;
    }
    if (advice.shareOfBreak) {
        text += "; the entered tension is " + FormatPattern(*advice.shareOfBreak, 1) + " % of it";
    }
    if (advice.pastBreakShare) {
        text += "\nWarning: more than 25 % of the break load: the web may creep or tear.";
    }
    return text;
}

std::string TensionFieldText(const TensionAdvice& advice, TensionPick pick)
{
    return FormatPattern(advice.tension.At(pick), 2);
}

// The sag in the run's unit of small displacements: mm, or mil.
std::string RollerLimitsText(const RollerLimits& limits, ForceUnit unit)
{
    using enum Quantity;
    const auto shown = [unit](Quantity quantity, double held, int decimals) {
        return FormatPattern(InRunUnits(quantity, held, unit), decimals) + " "
               + std::string(UnitSymbol(quantity, unit));
    };
    std::string text = "Roller weight Wr: " + shown(Mass, limits.weight, 2)
                       + "\nSag at mid-face: " + shown(Displacement, limits.deflection, 3) + " under its own weight";
    if (limits.loadedDeflection) {
        text += ", " + shown(Displacement, *limits.loadedDeflection, 3) + " with the load";
    }
    text += "; guide " + shown(Displacement, limits.deflectionGuide, 3) + (limits.pastGuide ? " (past it)" : "");
    text += "\nFirst critical speed: " + FormatPattern(limits.criticalHz, 1) + " Hz, "
            + FormatPattern(limits.criticalRpm, 0) + " rpm, " + shown(Speed, limits.criticalSurface, 0)
            + " at the surface";
    if (limits.speedShare) {
        text += "; the line speed is " + FormatPattern(*limits.speedShare, 1) + " % of it";
    }
    if (limits.pastSpeedShare) {
        text += "\nWarning: more than 70 % of the critical speed: the roller runs near resonance.";
    }
    return text;
}

// The weight alone: neither a load nor a speed changes it.
RollerFieldTexts RollerFields(const RollerDrawing& drawing, ForceUnit unit)
{
    const double weight = ComputeRollerLimits(drawing, std::nullopt, std::nullopt)->weight;
    return {ShortestText(InRunUnits(Quantity::Length, drawing.tubeOd, unit)),
            FormatPattern(InRunUnits(Quantity::Mass, weight, unit), 2)};
}

}  // namespace vyra
