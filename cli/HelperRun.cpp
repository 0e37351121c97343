#include "HelperRun.h"

#include "MaterialTableFile.h"
#include "NumberText.h"
#include "ResultFormat.h"
#include "RunState.h"
#include "SelectorCli.h"
#include "Units.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <iomanip>
#include <optional>

namespace vyra::cli {

namespace {

using Json = nlohmann::ordered_json;

int Refuse(std::ostream& err, const std::string& reason)
{
    err << "vyra-select: " << EscapedText(reason, LineBreaks::Escape) << "\nRun vyra-select --help\n";
    return kUsageError;
}

// A reason from the engine names the field as the option does, without "--".
int RefuseField(std::ostream& err, const std::string& reason) { return Refuse(err, "--" + reason); }

void WriteJson(std::ostream& out, const Json& document)
{
    out << document.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n';
}

Json RangeJson(const TensionRange& range)
{
    return {{"low", range.low}, {"typical", range.typical}, {"high", range.high}};
}

std::string Unit(ForceUnit forceUnit) { return std::string(UnitWord(forceUnit)); }

// The helpers' JSON stays metric: an lbf run's advice is written in kgf.
ForceUnit JsonUnit(ForceUnit forceUnit)
{
    switch (forceUnit) {
    case kKgf:
    case kNewton:
        return forceUnit;
    case kLbf:
        return kKgf;
    }
    return forceUnit;
}

void WriteAdviceText(const WebDescription& web, const TensionAdvice& advice, std::optional<double> tension,
                     ForceUnit unit, std::ostream& out)
{
    // Names from the user's table may hold control bytes.
    out << EscapedText(WebWording(web), LineBreaks::Escape) << ", " << ShortestText(web.width) << " mm\n";
    const auto row = [&out](const std::string& label, const TensionRange& r, int decimals) {
        out << std::left << std::setw(10) << label << std::right << std::setw(10) << FormatPattern(r.low, decimals)
            << std::setw(10) << FormatPattern(r.typical, decimals) << std::setw(10) << FormatPattern(r.high, decimals)
            << '\n';
    };
    out << std::left << std::setw(10) << "" << std::right << std::setw(10) << "low" << std::setw(10) << "typical"
        << std::setw(10) << "high" << '\n';
    row("[N/m]", advice.perWidth, 1);
    row(Joined({"[", Unit(unit), "]"}), advice.tension, 2);
    if (advice.breakLoad) {
        out << "Break load: " << FormatPattern(*advice.breakLoad, 1) << ' ' << Unit(unit) << '\n';
    }
    if (advice.shareOfBreak) {
        out << "Tension " << FormatPattern(*tension, 2) << ' ' << Unit(unit) << ": "
            << FormatPattern(*advice.shareOfBreak, 1) << "% of the break load\n";
    }
    if (advice.pastBreakShare) {
        out << "Warning: the tension is past 25% of the break load; the web may creep or tear\n";
    }
}

int AdviseTensionRun(const HelperRequest& request, const MaterialTable& table, std::ostream& out, std::ostream& err)
{
    const Expected<WebDescription> web = ReadWebDescription(request.web);
    if (!web) {
        return RefuseField(err, web.Error().reason);
    }
    // --tension is typed in the run's unit; the JSON's figures may be in another.
    const ForceUnit unit = request.json ? JsonUnit(request.forceUnit) : request.forceUnit;
    std::optional<double> tension;
    if (!request.tension.empty()) {
        const Expected<double> read = ReadMeasure("tension", request.tension, Unit(request.forceUnit));
        if (!read) {
            return RefuseField(err, read.Error().reason);
        }
        tension = unit == request.forceUnit
                      ? *read
                      : InRunUnits(Quantity::Force, InProgramUnits(Quantity::Force, *read, request.forceUnit), unit);
    }
    const Expected<TensionAdvice> advice = AdviseTension(table, *web, tension, unit);
    if (!advice) {
        return RefuseField(err, advice.Error().reason);
    }
    if (!request.json) {
        WriteAdviceText(advice->web, *advice, tension, unit, out);
        return kComputed;
    }
    Json document{{"material", advice->material},
                  {"unit", Unit(unit)},
                  {"tensionPerWidth", RangeJson(advice->perWidth)},
                  {"tension", RangeJson(advice->tension)}};
    if (advice->breakLoad) {
        document["breakLoad"] = *advice->breakLoad;
    }
    if (advice->shareOfBreak) {
        document["shareOfBreak"] = *advice->shareOfBreak;
        document["pastBreakShare"] = advice->pastBreakShare;
    }
    WriteJson(out, document);
    return kComputed;
}

int MaterialsRun(const HelperRequest& request, const MaterialTable& table, std::ostream& out)
{
    if (request.json) {
        Json document = Json::array();
        for (const WebMaterial& m : table.Rows()) {
            Json row{{"name", m.name},
                     {"basis", BasisWord(m.basis)},
                     {"low", m.low},
                     {"typical", m.typical},
                     {"high", m.high}};
            if (m.breakStrength) {
                row["break"] = *m.breakStrength;
            }
            if (m.yieldStrength) {
                row["yield"] = *m.yieldStrength;
            }
            row["source"] = m.source;
            document.push_back(row);
        }
        WriteJson(out, document);
        return kComputed;
    }
    out << "thickness: N/m per um (MPa); grammage: N/m per g/m2; yield: % of the yield strength [MPa];\n"
           "layers: N/m added to a laminate's layers. break: MPa, for grammage the tensile index [N m/g]\n";
    out << std::left << std::setw(16) << "name" << std::setw(10) << "basis" << std::right << std::setw(8) << "low"
        << std::setw(8) << "typical" << std::setw(8) << "high" << std::setw(8) << "break" << std::setw(8) << "yield"
        << '\n';
    const auto figure = [](const std::optional<double>& value) { return value ? FormatPattern(*value, 0) : "-"; };
    for (const WebMaterial& m : table.Rows()) {
        out << std::left << std::setw(16) << EscapedText(m.name, LineBreaks::Escape) << std::setw(10)
            << BasisWord(m.basis) << std::right << std::setw(8) << FormatPattern(m.low, 3) << std::setw(8)
            << FormatPattern(m.typical, 3) << std::setw(8) << FormatPattern(m.high, 3) << std::setw(8)
            << figure(m.breakStrength) << std::setw(8) << figure(m.yieldStrength) << '\n';
    }
    return kComputed;
}

void WriteRollerText(const RollerDrawing& drawing, const RollerLimits& limits, std::optional<double> load,
                     std::optional<double> speed, std::ostream& out)
{
    out << RollerOriginLine(drawing) << '\n';
    out << "Weight: " << FormatPattern(limits.weight, 2) << " kg\n";
    out << "Deflection, own weight: " << FormatPattern(limits.deflection, 3) << " mm (guide "
        << FormatPattern(limits.deflectionGuide, 3) << " mm)\n";
    if (limits.loadedDeflection) {
        out << "Deflection with " << FormatPattern(*load, 1)
            << " kg load: " << FormatPattern(*limits.loadedDeflection, 3) << " mm\n";
    }
    out << "First critical speed: " << FormatPattern(limits.criticalHz, 1) << " Hz, "
        << FormatPattern(limits.criticalRpm, 0) << " rpm, " << FormatPattern(limits.criticalSurface, 0)
        << " m/min at the surface\n";
    if (limits.speedShare) {
        out << "Line speed " << FormatPattern(*speed, 0) << " m/min: " << FormatPattern(*limits.speedShare, 1)
            << "% of it\n";
    }
    if (limits.pastGuide) {
        out << "Warning: the roller sags past 0.17 mm per metre of face\n";
    }
    if (limits.pastSpeedShare) {
        out << "Warning: the line runs past 70% of the roller's first critical speed\n";
    }
}

int RollerCalcRun(const HelperRequest& request, std::ostream& out, std::ostream& err)
{
    const Expected<RollerDrawing> drawing = ReadRollerDrawing(request.roller);
    if (!drawing) {
        return RefuseField(err, drawing.Error().reason);
    }
    std::optional<double> load;
    std::optional<double> speed;
    for (auto [text, target, name, unit] :
         {std::tuple(&request.load, &load, "load", "kg"), std::tuple(&request.speed, &speed, "speed", "m/min")}) {
        if (!text->empty()) {
            const Expected<double> read = ReadMeasure(name, *text, unit, true);
            if (!read) {
                return RefuseField(err, read.Error().reason);
            }
            *target = *read;
        }
    }
    const Expected<RollerLimits> computed = ComputeRollerLimits(*drawing, load, speed);
    if (!computed) {
        return RefuseField(err, computed.Error().reason);
    }
    const RollerLimits& limits = *computed;
    if (!request.json) {
        WriteRollerText(*drawing, limits, load, speed, out);
        return kComputed;
    }
    Json document{{"weight", limits.weight}, {"deflection", limits.deflection}};
    if (limits.loadedDeflection) {
        document["loadedDeflection"] = *limits.loadedDeflection;
    }
    document["deflectionGuide"] = limits.deflectionGuide;
    document["pastGuide"] = limits.pastGuide;
    document["criticalSpeed"] = {{"hz", limits.criticalHz},
                                 {"rpm", limits.criticalRpm},
                                 {"surface", limits.criticalSurface}};
    if (limits.speedShare) {
        document["speedShare"] = *limits.speedShare;
        document["pastSpeedShare"] = limits.pastSpeedShare;
    }
    WriteJson(out, document);
    return kComputed;
}

}  // namespace

int RunHelper(const HelperRequest& request, const UserMaterialFile& materialsFile, std::ostream& out, std::ostream& err)
{
    if (request.kind == HelperKind::RollerCalc) {
        return RollerCalcRun(request, out, err);
    }
    const Expected<MaterialTable> table = LoadMaterialTable(materialsFile);
    if (!table) {
        err << "vyra-select: " << EscapedText(table.Error().reason, LineBreaks::Escape) << '\n';
        return kUsageError;
    }
    return request.kind == HelperKind::Materials ? MaterialsRun(request, *table, out)
                                                 : AdviseTensionRun(request, *table, out, err);
}

}  // namespace vyra::cli
