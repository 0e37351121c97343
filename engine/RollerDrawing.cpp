#include "RollerDrawing.h"

#include "NumberText.h"
#include "ResultFormat.h"
#include "Units.h"
#include "WebTension.h"

#include <array>
#include <cmath>
#include <numbers>

namespace vyra {

namespace {

constexpr double kStandardGravity = 9.80665;

struct RollerMaterial {
    std::string_view name;
    double density;  // kg/m³
    double modulus;  // GPa
};
constexpr std::array<RollerMaterial, 3> kRollerMaterials{{
    {"steel", 7850, 200},
    {"aluminium", 2700, 69},
    {"carbon", 1600, 120},
}};

const RollerMaterial* RollerMaterialNamed(std::string_view name)
{
    for (const RollerMaterial& m : kRollerMaterials) {
        if (SameName(m.name, name)) {
            return &m;
        }
    }
    return nullptr;
}

Expected<void> ReadMaterial(const RollerTexts& texts, RollerDrawing& drawing)
{
    const bool custom = !texts.density.empty() || !texts.modulus.empty();
    if (custom && !texts.material.empty()) {
        return Failed(std::string(texts.density.empty() ? "modulus" : "density")
                      + ": give roller-material or density and modulus, not both");
    }
    if (!custom) {
        const std::string name = texts.material.empty() ? "steel" : texts.material;
        const RollerMaterial* m = RollerMaterialNamed(name);
        if (m == nullptr) {
            return Failed("roller-material: steel, aluminium or carbon, not \"" + name + "\"");
        }
        drawing.material = m->name;
        drawing.density = m->density;
        drawing.modulus = m->modulus;
        return {};
    }
    const Expected<double> density = ReadMeasure("density", texts.density, "kg/m³");
    if (!density) {
        return density.Error();
    }
    const Expected<double> modulus = ReadMeasure("modulus", texts.modulus, "GPa");
    if (!modulus) {
        return modulus.Error();
    }
    drawing.density = *density;
    drawing.modulus = *modulus;
    return {};
}

// A held length or weight as the run gives it: "100 mm", "3.9 in".
std::string InRun(Quantity quantity, double held, ForceUnit unit)
{
    return ShortestText(InRunUnits(quantity, held, unit));
}

RollerLimits Limits(const RollerDrawing& drawing, std::optional<double> loadKg, std::optional<double> speed)
{
    using std::numbers::pi;
    const double od = drawing.tubeOd / 1000;
    const double id = drawing.tubeId / 1000;
    const double length = drawing.face / 1000;
    const double modulus = drawing.modulus * 1e9;
    const double tubeMass = drawing.density * pi / 4 * (od * od - id * id) * length;
    const double perMetre = tubeMass / length;
    const double inertia = pi / 64 * (std::pow(od, 4) - std::pow(id, 4));
    // Mid-span deflection of a uniformly loaded, simply supported beam, in mm.
    const auto sag = [&](double kgPerMetre) {
        return 5 * kgPerMetre * kStandardGravity * std::pow(length, 4) / (384 * modulus * inertia) * 1000;
    };
    RollerLimits limits;
    limits.weight = tubeMass + drawing.journals;
    limits.deflection = sag(perMetre);
    if (loadKg) {
        limits.loadedDeflection = sag(perMetre + *loadKg / length);
    }
    limits.deflectionGuide = kDeflectionGuide * length;
    limits.pastGuide = limits.loadedDeflection.value_or(limits.deflection) > limits.deflectionGuide;
    limits.criticalHz = pi / (2 * length * length) * std::sqrt(modulus * inertia / perMetre);
    limits.criticalRpm = limits.criticalHz * 60;
    limits.criticalSurface = pi * od * 60 * limits.criticalHz;
    if (speed) {
        limits.speedShare = *speed / limits.criticalSurface * 100;
        limits.pastSpeedShare = *limits.speedShare > kCriticalSpeedShareLimit;
    }
    return limits;
}

bool OwnFiguresComputable(const RollerLimits& l)
{
    return Computable({l.weight, l.deflection, l.deflectionGuide, l.criticalHz, l.criticalRpm, l.criticalSurface});
}

// The drawing's inputs as PastComputing weighs them, lengths in metres.
std::vector<InputSize> DrawingInputs(const RollerDrawing& d)
{
    return {{"tube-od", d.tubeOd / 1000}, {"tube-id", d.tubeId / 1000}, {"face", d.face / 1000},
            {"density", d.density},       {"modulus", d.modulus},       {"journals", d.journals}};
}

}  // namespace

RollerTexts TextsOf(const RollerDrawing& drawing, ForceUnit shownIn)
{
    const bool custom = drawing.material.empty();
    const auto text = [shownIn](Quantity quantity, double held) {
        return RoundTripText(InRunUnits(quantity, held, shownIn));
    };
    using enum Quantity;
    return {text(Length, drawing.tubeOd),
            text(Length, drawing.tubeId),
            text(Length, drawing.face),
            drawing.material,
            custom ? RoundTripText(drawing.density) : std::string(),
            custom ? RoundTripText(drawing.modulus) : std::string(),
            text(Mass, drawing.journals)};
}

Expected<RollerDrawing> ReadRollerDrawing(const RollerTexts& texts, ForceUnit typedIn)
{
    using enum Quantity;
    RollerDrawing drawing;
    const Expected<double> od = ReadMeasureIn("tube-od", texts.tubeOd, Length, typedIn);
    if (!od) {
        return od.Error();
    }
    const Expected<double> id =
        ReadMeasureIn("tube-id", texts.tubeId.empty() ? "0" : texts.tubeId, Length, typedIn, true);
    if (!id) {
        return id.Error();
    }
    if (*id >= *od) {
        const std::string unit(UnitSymbol(Length, typedIn));
        return Failed("tube-id: " + InRun(Length, *id, typedIn) + " " + unit + " is not less than tube-od "
                      + InRun(Length, *od, typedIn) + " " + unit);
    }
    const Expected<double> face = ReadMeasureIn("face", texts.face, Length, typedIn);
    if (!face) {
        return face.Error();
    }
    const Expected<double> journals =
        ReadMeasureIn("journals", texts.journals.empty() ? "0" : texts.journals, Mass, typedIn, true);
    if (!journals) {
        return journals.Error();
    }
    drawing.tubeOd = *od;
    drawing.tubeId = *id;
    drawing.face = *face;
    drawing.journals = *journals;
    if (auto material = ReadMaterial(texts, drawing); !material) {
        return material.Error();
    }
    if (!OwnFiguresComputable(Limits(drawing, std::nullopt, std::nullopt))) {
        return PastComputing(DrawingInputs(drawing));
    }
    return drawing;
}

Expected<RollerLimits> ComputeRollerLimits(const RollerDrawing& drawing, std::optional<double> loadKg,
                                           std::optional<double> speed)
{
    const RollerLimits limits = Limits(drawing, loadKg, speed);
    if (!OwnFiguresComputable(limits)) {
        return PastComputing(DrawingInputs(drawing));
    }
    if (!Computable({limits.loadedDeflection.value_or(0)})) {
        return PastComputing({{"load", *loadKg}});
    }
    if (!Computable({limits.speedShare.value_or(0)})) {
        return PastComputing({{"speed", *speed}});
    }
    return limits;
}

std::string RollerOriginLine(const RollerDrawing& drawing, ForceUnit shownIn)
{
    using enum Quantity;
    const auto length = [shownIn](double mm) { return InRun(Length, mm, shownIn); };
    const std::string mass = " " + std::string(UnitSymbol(Mass, shownIn));
    std::string line = "Roller: " + (drawing.material.empty() ? std::string() : drawing.material + " ");
    line += drawing.tubeId > 0 ? "tube " + length(drawing.tubeOd) + "/" + length(drawing.tubeId)
                               : "shaft " + length(drawing.tubeOd);
    line += " × " + length(drawing.face) + " " + std::string(UnitSymbol(Length, shownIn));
    if (drawing.material.empty()) {
        line += " of " + ShortestText(drawing.density) + " kg/m³, " + ShortestText(drawing.modulus) + " GPa";
    }
    if (drawing.journals > 0) {
        line += " + journals " + InRun(Mass, drawing.journals, shownIn) + mass;
    }
    const double weight = Limits(drawing, std::nullopt, std::nullopt).weight;
    return line + ", " + FormatPattern(InRunUnits(Mass, weight, shownIn), 1) + mass;
}

}  // namespace vyra
