#include "WebTension.h"

#include "NumberText.h"
#include "ResultFormat.h"
#include "RunState.h"
#include "Units.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vyra {

namespace {

constexpr std::array<std::string_view, 4> kBasisWords{"thickness", "grammage", "yield", "layers"};
constexpr std::array<std::string_view, 3> kPickWords{"low", "typical", "high"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "PET:12,PE:50": a material and its thickness in µm per layer.
Expected<std::vector<WebLayer>> ReadLayers(std::string_view text)
{
    std::vector<WebLayer> layers;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const std::size_t colon = part.find(':');
        const std::string_view name = Trimmed(part.substr(0, colon));
        if (colon == std::string_view::npos || name.empty()) {
            return Failed("layers: each layer is MATERIAL:µm, as PET:12,PE:50, not \"" + std::string(part) + "\"");
        }
        const Expected<double> thickness = ReadMeasure("layers: " + std::string(name), part.substr(colon + 1), "µm");
        if (!thickness) {
            return thickness.Error();
        }
        layers.push_back({std::string(name), *thickness});
    }
    if (layers.size() < 2) {
        return Failed("layers: a laminate has two layers or more, as PET:12,PE:50");
    }
    return layers;
}

// The measure the material is rated by, or why it cannot be used.
Expected<double> RatedMeasure(const WebMaterial& material, const WebDescription& web)
{
    const bool byGrammage = material.basis == TensionBasis::Grammage;
    const std::optional<double>& measure = byGrammage ? web.grammage : web.thickness;
    if (!measure) {
        return Failed(std::string(byGrammage ? "grammage: " : "thickness: ") + material.name + " is rated by "
                      + (byGrammage ? "grammage; give it in g/m²" : "thickness; give it in µm"));
    }
    return *measure;
}

// One material's tension per width (N/m) and break load per width (N/m).
struct PerWidth {
    TensionRange range;
    std::optional<double> breakLoad;
};

PerWidth PerWidthOf(const WebMaterial& m, double measure)
{
    if (m.basis == TensionBasis::Yield) {
        const double stress = m.yieldStrength.value_or(0) / 100;
        return {{m.low * stress * measure, m.typical * stress * measure, m.high * stress * measure},
                m.breakStrength ? std::optional(*m.breakStrength * measure) : std::nullopt};
    }
    return {{m.low * measure, m.typical * measure, m.high * measure},
            m.breakStrength ? std::optional(*m.breakStrength * measure) : std::nullopt};
}

// A material a web or layer can be made of: the laminate row is not one.
const WebMaterial* Lookup(const MaterialTable& table, std::string_view name)
{
    const WebMaterial* found = table.Find(name);
    return found != nullptr && found->basis != TensionBasis::Layers ? found : nullptr;
}

Failure NotInTable(std::string_view field, std::string_view name)
{
    return Failed(std::string(field) + ": \"" + std::string(name) + "\" is not in the material table");
}

// A laminate: the sum of its layers plus the table's allowance for the bond.
Expected<PerWidth> LaminatePerWidth(const MaterialTable& table, WebDescription& web)
{
    const WebMaterial* bond = table.Find(kLaminate);
    if (bond == nullptr || bond->basis != TensionBasis::Layers) {
        return Failed("layers: the material table has no laminate row");
    }
    PerWidth sum{{bond->low, bond->typical, bond->high}, 0.0};
    for (WebLayer& layer : web.layers) {
        const WebMaterial* m = Lookup(table, layer.material);
        if (m == nullptr) {
            return NotInTable("layers", layer.material);
        }
        if (m->basis == TensionBasis::Grammage) {
            return Failed("layers: " + m->name + " is rated by grammage, a layer by its thickness");
        }
        layer.material = m->name;
        const PerWidth part = PerWidthOf(*m, layer.thickness);
        sum.range = {sum.range.low + part.range.low, sum.range.typical + part.range.typical,
                     sum.range.high + part.range.high};
        sum.breakLoad =
            sum.breakLoad && part.breakLoad ? std::optional(*sum.breakLoad + *part.breakLoad) : std::nullopt;
    }
    return sum;
}

// kgf counted as N / 9.8, the program's own rule, and lbf through the kgf.
double InRunUnit(double newtons, ForceUnit forceUnit)
{
    switch (forceUnit) {
    case kNewton:
        return newtons;
    case kKgf:
    case kLbf:
        return InRunUnits(Quantity::Force, newtons / kNewtonsPerKgf, forceUnit);
    }
    return newtons;
}

double Distance(double size) { return size == 0 || !std::isfinite(size) ? 0.0 : std::abs(std::log10(std::abs(size))); }

// The figure of a row furthest in size from 1.
double FurthestFigure(const WebMaterial& m)
{
    double furthest = m.low;
    for (const double figure : {m.typical, m.high, m.breakStrength.value_or(0), m.yieldStrength.value_or(0)}) {
        furthest = Distance(figure) > Distance(furthest) ? figure : furthest;
    }
    return furthest;
}

// The web's inputs as PastComputing weighs them: the width in metres, the
// measures in the table's µm and g/m², the row's own figures.
std::vector<InputSize> WebInputs(const WebDescription& web, const WebMaterial* row, std::optional<double> tension)
{
    std::vector<InputSize> inputs{{"width", web.width / 1000}};
    if (row != nullptr) {
        inputs.push_back({"material", FurthestFigure(*row), "the material table's row " + row->name});
        inputs.push_back({web.thickness ? "thickness" : "grammage", web.thickness.value_or(web.grammage.value_or(0))});
    }
    for (const WebLayer& layer : web.layers) {
        inputs.push_back({"layers", layer.thickness, layer.material + ":" + ShortestText(layer.thickness)});
    }
    if (tension) {
        inputs.push_back({"tension", *tension});
    }
    return inputs;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
           && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view BasisWord(TensionBasis basis) { return kBasisWords[static_cast<std::size_t>(basis)]; }

std::optional<TensionBasis> BasisNamed(std::string_view word)
{
    const auto at = std::find(kBasisWords.begin(), kBasisWords.end(), word);
    return at == kBasisWords.end() ? std::nullopt : std::optional(static_cast<TensionBasis>(at - kBasisWords.begin()));
}

std::string_view PickWord(TensionPick pick) { return kPickWords[static_cast<std::size_t>(pick)]; }

std::optional<TensionPick> PickNamed(std::string_view word)
{
    const auto at = std::find(kPickWords.begin(), kPickWords.end(), word);
    return at == kPickWords.end() ? std::nullopt : std::optional(static_cast<TensionPick>(at - kPickWords.begin()));
}

double TensionRange::At(TensionPick pick) const
{
    return pick == TensionPick::Low ? low : pick == TensionPick::High ? high : typical;
}

void MaterialTable::Put(WebMaterial material)
{
    const auto [place, added] = m_places.try_emplace(LowerCase(material.name), m_rows.size());
    if (added) {
        m_rows.push_back(std::move(material));
    } else {
        m_rows[place->second] = std::move(material);
    }
}

const WebMaterial* MaterialTable::Find(std::string_view name) const
{
    const auto place = m_places.find(LowerCase(name));
    return place == m_places.end() ? nullptr : &m_rows[place->second];
}

Expected<double> ReadMeasure(std::string_view field, std::string_view text, std::string_view unit, bool zeroAllowed)
{
    const std::optional<double> value = ParseWholeNumber(text);
    if (!value || !std::isfinite(*value) || *value < 0 || (*value == 0 && !zeroAllowed)) {
        return Failed(std::string(field) + ": a number of " + std::string(unit)
                      + (zeroAllowed ? ", 0 or above" : " above 0") + ", not \"" + std::string(text) + "\"");
    }
    return *value;
}

Expected<double> ReadMeasureIn(std::string_view field, std::string_view text, Quantity quantity, ForceUnit typedIn,
                               bool zeroAllowed)
{
    const std::string_view unit = UnitSymbol(quantity, typedIn);
    const Expected<double> typed = ReadMeasure(field, text, unit, zeroAllowed);
    if (!typed) {
        return typed.Error();
    }
    const double held = InProgramUnits(quantity, *typed, typedIn);
    if (!std::isfinite(held)) {
        return Failed(std::string(field) + ": " + std::string(Trimmed(text)) + " " + std::string(unit)
                      + " is too large to compute with");
    }
    return held;
}

Failure PastComputing(const std::vector<InputSize>& inputs)
{
    const auto furthest = std::max_element(inputs.begin(), inputs.end(), [](const InputSize& a, const InputSize& b) {
        return Distance(a.size) < Distance(b.size);
    });
    return Failed(furthest->field + ": " + furthest->wording
                  + " is too far out of range for the figures to be computed");
}

bool Computable(std::initializer_list<double> figures)
{
    constexpr double kLargestUnitFactor = 1 / (kMmPerInch / 1000);
    return std::all_of(figures.begin(), figures.end(),
                       [](double figure) { return std::isfinite(figure * kLargestUnitFactor); });
}

std::string TensionPerWidthLine(const TensionRange& perWidth, ForceUnit forceUnit)
{
    // N/m as kgf/m, then lbf/m, then lbf per inch.
    constexpr double kPliPerNewtonPerMetre = 1 / kNewtonsPerKgf / kKgfPerLbf * (kMmPerInch / 1000);
    const auto line = [&perWidth](std::string_view caption, double factor, int decimals) {
        return "Tension per width " + std::string(caption) + ": low " + FormatPattern(perWidth.low * factor, decimals)
               + ", typical " + FormatPattern(perWidth.typical * factor, decimals) + ", high "
               + FormatPattern(perWidth.high * factor, decimals);
    };
    switch (forceUnit) {
    case kKgf:
    case kNewton:
        return line("[N/m]", 1, 1);
    case kLbf:
        return line("[pli]", kPliPerNewtonPerMetre, 2);
    }
    return line("[N/m]", 1, 1);
}

WebTexts TextsOf(const WebDescription& web, ForceUnit shownIn)
{
    const auto text = [](const std::optional<double>& value) { return value ? RoundTripText(*value) : std::string(); };
    WebTexts texts{web.layers.empty() ? web.material : std::string(),
                   RoundTripText(InRunUnits(Quantity::Length, web.width, shownIn)), text(web.thickness),
                   text(web.grammage)};
    for (std::size_t i = 0; i < web.layers.size(); ++i) {
        texts.layers += (i > 0 ? "," : "") + web.layers[i].material + ":" + RoundTripText(web.layers[i].thickness);
    }
    return texts;
}

Expected<WebDescription> ReadWebDescription(const WebTexts& texts, ForceUnit typedIn)
{
    WebDescription web;
    const Expected<double> width = ReadMeasureIn("width", texts.width, Quantity::Length, typedIn);
    if (!width) {
        return width.Error();
    }
    web.width = *width;
    const bool laminate = !texts.layers.empty();
    if (laminate && !texts.material.empty() && !SameName(texts.material, kLaminate)) {
        return Failed("material: a web with layers is a laminate, not \"" + texts.material + "\"");
    }
    if (laminate && (!texts.thickness.empty() || !texts.grammage.empty())) {
        return Failed(std::string(texts.thickness.empty() ? "grammage" : "thickness")
                      + ": a laminate is measured by its layers");
    }
    if (laminate) {
        Expected<std::vector<WebLayer>> layers = ReadLayers(texts.layers);
        if (!layers) {
            return layers.Error();
        }
        web.material = kLaminate;
        web.layers = *std::move(layers);
        return web;
    }
    if (texts.material.empty()) {
        return Failed("material: no material named");
    }
    if (SameName(texts.material, kLaminate)) {
        return Failed("layers: a laminate is given by its layers, as PET:12,PE:50");
    }
    web.material = texts.material;
    if (texts.thickness.empty() == texts.grammage.empty()) {
        return Failed("thickness: give the thickness in µm or the grammage in g/m², one of them");
    }
    const bool byThickness = !texts.thickness.empty();
    const Expected<double> measure =
        byThickness ? ReadMeasure("thickness", texts.thickness, "µm") : ReadMeasure("grammage", texts.grammage, "g/m²");
    if (!measure) {
        return measure.Error();
    }
    (byThickness ? web.thickness : web.grammage) = *measure;
    return web;
}

Expected<TensionAdvice> AdviseTension(const MaterialTable& table, const WebDescription& web,
                                      std::optional<double> tension, ForceUnit forceUnit)
{
    TensionAdvice advice;
    advice.web = web;
    PerWidth perWidth;
    if (!web.layers.empty()) {
        Expected<PerWidth> sum = LaminatePerWidth(table, advice.web);
        if (!sum) {
            return sum.Error();
        }
        perWidth = *sum;
        advice.material = table.Find(kLaminate)->name;
        advice.web.material = advice.material;
    } else {
        const WebMaterial* m = Lookup(table, web.material);
        if (m == nullptr) {
            return NotInTable("material", web.material);
        }
        const Expected<double> measure = RatedMeasure(*m, web);
        if (!measure) {
            return measure.Error();
        }
        perWidth = PerWidthOf(*m, *measure);
        advice.material = m->name;
        advice.web.material = m->name;
    }
    const double metres = web.width / 1000;
    advice.perWidth = perWidth.range;
    advice.tension = {InRunUnit(perWidth.range.low * metres, forceUnit),
                      InRunUnit(perWidth.range.typical * metres, forceUnit),
                      InRunUnit(perWidth.range.high * metres, forceUnit)};
    if (perWidth.breakLoad) {
        advice.breakLoad = InRunUnit(*perWidth.breakLoad * metres, forceUnit);
    }
    if (tension && advice.breakLoad && *advice.breakLoad > 0) {
        advice.shareOfBreak = *tension / *advice.breakLoad * 100;
        advice.pastBreakShare = *advice.shareOfBreak > kBreakShareLimit;
    }
    const TensionRange& r = advice.perWidth;
    if (!Computable({r.low, r.typical, r.high, advice.tension.low, advice.tension.typical, advice.tension.high,
                     advice.breakLoad.value_or(0), advice.shareOfBreak.value_or(0)})) {
        return PastComputing(WebInputs(web, web.layers.empty() ? Lookup(table, web.material) : nullptr, tension));
    }
    return advice;
}

std::string WebWording(const WebDescription& web)
{
    if (web.layers.empty()) {
        return web.material + " "
               + (web.thickness ? ShortestText(*web.thickness) + " µm"
                                : ShortestText(web.grammage.value_or(0)) + " g/m²");
    }
    std::string text = web.material + " ";
    for (std::size_t i = 0; i < web.layers.size(); ++i) {
        text += (i > 0 ? " + " : "") + web.layers[i].material + " " + ShortestText(web.layers[i].thickness) + " µm";
    }
    return text;
}

std::string TensionOriginLine(const TensionOrigin& origin, ForceUnit shownIn)
{
    return "Tension from: " + WebWording(origin.web) + ", "
           + ShortestText(InRunUnits(Quantity::Length, origin.web.width, shownIn)) + " "
           + std::string(UnitSymbol(Quantity::Length, shownIn)) + ", " + std::string(PickWord(origin.pick));
}

}  // namespace vyra
