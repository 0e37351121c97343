#include "CalculationRecord.h"

#include "Answer.h"
#include "Captions.h"
#include "Case.h"
#include "Headroom.h"
#include "LoadResolution.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vyra {

namespace {

// A table row: each cell in its column, a negative width left-aligned, so
// that the row reads as a table in a fixed-pitch font too. A cell as wide as
// its column or wider keeps a blank before it.
RecordLine Row(std::vector<std::string> cells, const std::vector<int>& widths)
{
    std::string text;
    for (std::size_t c = 0; c < cells.size() && c < widths.size(); ++c) {
        const int w = widths[c];
        text += c > 0 && cells[c].size() >= static_cast<std::size_t>(std::abs(w)) ? " " : "";
        text += w < 0 ? fmt::format("{:<{}}", cells[c], -w) : fmt::format("{:>{}}", cells[c], w);
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return {RecordLineKind::Row, std::move(text), std::move(cells)};
}

RecordLine Text(std::string text) { return {RecordLineKind::Text, std::move(text), {}}; }

// The caption without the symbol it ends in, which the row gives apart.
std::string CaptionWithoutSymbol(std::string_view caption, std::string_view symbol)
{
    std::string_view text = caption.substr(0, caption.find_last_not_of(' ') + 1);
    if (text.ends_with(symbol)) {
        text.remove_suffix(symbol.size());
    }
    return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

double HeldValue(const SelectionInputs& in, int item)
{
    switch (item) {
    case kItemFS:
        return in.FS;
    case kItemD:
        return in.d;
    case kItemWr:
        return in.Wr;
    case kItemAlpha:
        return in.alpha;
    case kItemBeta:
        return in.beta;
    case kItemGamma:
        return in.gamma;
    case kItemL:
        return in.l;
    case kItemH:
        return in.h;
    case kItemWp:
        return in.Wp;
    default:
        return in.V;
    }
}

std::string_view FieldUnit(int item, ForceUnit unit)
{
    const Quantity q = FieldQuantity(item);
    return q == Quantity::Fixed ? "deg" : UnitSymbol(q, unit);
}

std::string_view MethodWording(std::int16_t methodCode)
{
    switch (methodCode) {
    case kTwoSensors:
        return "two sensors";
    case kOneSideBoth:
        return "one sensor, one side, both channels";
    case kOneSideOne:
        return "one sensor, one side, one channel";
    case kIndependentBoth:
        return "one sensor, independent, both channels";
    default:
        return "one sensor, independent, one channel";
    }
}

RecordSection Heading(const RunState& s, const RecordSource& source)
{
    return {"Program and calculation",
            {Text(std::string(kProgramTitle) + " " + source.version + ", source revision "
                  + (source.sourceRevision.empty() ? "unknown" : source.sourceRevision)),
             Text("Date: " + source.date), Text("Calculation ID: " + source.calculationId),
             Text("Catalogue revision: " + std::string(kCatalogueRevision)),
             Text("Unit of the run: " + std::string(UnitWord(s.forceUnit)))}};
}

RecordSection Inputs(const RunState& s, const RecordSource& source)
{
    const std::vector<int> widths{-7, -22, 16, 16, 8};
    RecordSection section{"Inputs as read", {Row({"Symbol", "Entry", "Typed", "Read", "Unit"}, widths)}};
    const auto captions = FieldCaptions();
    for (int item = 0; item < kFieldCount; ++item) {
        const std::string& typed = source.typed[static_cast<std::size_t>(item)];
        const std::string_view symbol = FieldSymbol(item);
        section.lines.push_back(Row({std::string(symbol), CaptionWithoutSymbol(captions[item], symbol), typed,
                                     ValueReadText(item, typed), std::string(FieldUnit(item, s.forceUnit))},
                                    widths));
    }
    section.lines.push_back(
        Text(std::string("Series: ") + (s.seriesIndex == kStandardSeries ? "standard" : "intrinsically safe")));
    section.lines.push_back(Text(std::string("Fulcrum: ") + (s.inputs.fulcrumIndex == 0 ? "right" : "left")));
    section.lines.push_back(Text("Detection method: " + std::string(MethodWording(s.inputs.methodCode))));
    return section;
}

RecordSection Conversions(const RunState& s, const RecordSource& source)
{
    RecordSection section{"Unit conversions",
                          {Text("1 kgf = " + ShortestText(kNewtonsPerKgf)
                                + " N, as the program computes; 1 lbf = " + ShortestText(kKgfPerLbf) + " kgf")}};
    if (s.forceUnit == kKgf) {
        section.lines.push_back(Text("The run is in kgf: every entry is taken as typed."));
        return section;
    }
    for (int item = 0; item < kFieldCount; ++item) {
        const Quantity q = FieldQuantity(item);
        const double factor = InProgramUnits(q, 1, s.forceUnit);
        if (factor == 1) {
            continue;
        }
        const double held = HeldValue(s.inputs, item);
        const double typed = ParseLeadingNumber(source.typed[static_cast<std::size_t>(item)]);
        const bool divides = s.forceUnit == kNewton;
        section.lines.push_back(Text(std::string(FieldSymbol(item)) + ": " + RecordNumber(typed) + " "
                                     + std::string(UnitSymbol(q, s.forceUnit)) + " = " + RecordNumber(typed)
                                     + (divides ? " / " + ShortestText(kNewtonsPerKgf) : " x " + ShortestText(factor))
                                     + " = " + RecordNumber(held) + " " + std::string(UnitSymbol(q, kKgf))));
    }
    return section;
}

RecordSection CatalogueData(const RunState& s)
{
    const std::vector<int> widths{-10, 9, 9, 9, 9, 9, 9, 9};
    RecordSection section{
        "Catalogue data, revision " + std::string(kCatalogueRevision),
        {Text(std::string("Series ") + (s.seriesIndex == kStandardSeries ? "standard" : "intrinsically safe")
              + ": output coefficient C = " + RecordNumber(s.series().outputCoefficient)),
         Text("Ko output spring constant, Ks spring constant (kgf/mm); a lever length, h0 height offset,"),
         Text("Zlim stopper limit (mm); fo output factor, fs stopper factor"),
         Row({"Model", "Ko", "Ks", "a", "h0", "fo", "fs", "Zlim"}, widths)}};
    for (const SensorModel& m : s.series().models) {
        section.lines.push_back(
            Row({std::string(m.name), RecordNumber(m.outputSpringConstant), RecordNumber(m.springConstant),
                 RecordNumber(m.leverLength), RecordNumber(m.heightOffset), RecordNumber(m.outputFactor),
                 RecordNumber(m.stopperFactor), RecordNumber(m.stopperTolerance)},
                widths));
    }
    return section;
}

RecordSection Resolution(const RunState& s)
{
    const SelectionInputs& in = s.inputs;
    const double angle = ResultantAngle(in);
    const double alpha = in.alpha;
    const double beta = in.beta;
    return {"Load resolution",
            {Text("wrap = alpha + beta"),
             Text("    = " + RecordNumber(alpha) + " + " + RecordNumber(beta) + " = " + RecordNumber(alpha + beta)
                  + " deg, not 180 after reduction: the web loads the roller"),
             Text("theta = (alpha - beta) / 2 - gamma"),
             Text("    = (" + RecordNumber(alpha) + " - " + RecordNumber(beta) + ") / 2 - " + RecordNumber(in.gamma)
                  + " = " + RecordNumber((alpha - beta) / 2 - in.gamma) + " deg"),
             Text("Reduced into 0 <= theta < 360: " + RecordNumber(angle) + " deg"),
             Text("Accepted sectors: 0, 90 to 180 and 270 to 360 deg: "
                  + std::string(InAcceptedSector(angle) ? "accepted" : "refused"))}};
}

std::string Figure(double value) { return fmt::format("{:.4g}", value); }

RecordSection OtherModels(const RunState& s, const std::vector<int>& shown)
{
    std::vector<int> others;
    for (int i = 0; i < kModelCount; ++i) {
        if (std::find(shown.begin(), shown.end(), i) == shown.end()) {
            others.push_back(i);
        }
    }
    // The column names and their units head the table; a model's figures
    // and its margins are one row.
    return {"The other models: figures and margins", ModelTable(s, others), 2, 2};
}

RecordSection Assumptions()
{
    return {"Assumptions and what is not checked",
            {Text("Loads are static: the tension and the weights are taken as steady."),
             Text("Angles are whole degrees: a typed fraction is rounded, halves to even."),
             Text("No factor for transient overload (splices, web breaks, starts and stops) is applied."),
             Text("No temperature effects on the sensor, its output or the roller are considered."),
             Text("The catalogue's constants are taken as rated; their tolerances are not applied.")}};
}

RecordSection SignOff()
{
    const std::vector<int> widths{-10, -28, -18, -24};
    RecordSection section{"Sign-off", {Row({"", "Name", "Date", "Signature"}, widths)}};
    for (const char* role : {"Prepared", "Checked", "Approved"}) {
        section.lines.push_back(Text(""));
        section.lines.push_back(
            Row({role, "_________________________", "_______________", "_____________________"}, widths));
    }
    return section;
}

}  // namespace

std::vector<int> RecordedModels(const RunState& s)
{
    std::vector<int> passing;
    for (int i = 0; i < kModelCount; ++i) {
        if (AssessResults1(s, i).withinTolerance && AssessResults2(s, i).withinTolerance) {
            passing.push_back(i);
        }
    }
    return passing.empty() ? std::vector<int>{NearestModel(s)} : passing;
}

std::vector<RecordLine> ModelTable(const RunState& s, const std::vector<int>& models)
{
    const ForceUnit u = s.forceUnit;
    const std::vector<int> widths{-10, 11, 11, 11, 11, 11, 11, 11};
    std::vector<RecordLine> lines{
        Row({"Model", "P1", "Zr", "Zs", "Vr", "S", "F1/F2", "F1/F3"}, widths),
        Row({"", std::string(UnitCaption(Quantity::Force, u)), std::string(UnitCaption(Quantity::Displacement, u)),
             std::string(UnitCaption(Quantity::Displacement, u)), "[mV]"},
            widths)};
    for (const int i : models) {
        const ResultTables& t = s.tables;
        const auto shown = [u](Quantity q, double held) { return Figure(InRunUnits(q, held, u)); };
        lines.push_back(
            Row({std::string(s.model(i).name), shown(Quantity::Force, t.P1[i]), shown(Quantity::Displacement, t.Zr[i]),
                 shown(Quantity::Displacement, t.Zs[i]), Figure(t.Vr[i]), Figure(t.S[i]),
                 Figure(FrequencyRatio(t.F1[i], t.F2[i])), Figure(FrequencyRatio(t.F1[i], t.F3[i]))},
                widths));
        const CheckMargins margins = MarginsOf(s, i);
        std::vector<std::string> cells{"  margin"};
        for (int k = 0; k < kMarginCount; ++k) {
            cells.push_back(MarginText(margins[static_cast<std::size_t>(k)], static_cast<MarginCheck>(k)));
        }
        lines.push_back(Row(std::move(cells), widths));
    }
    return lines;
}

std::vector<RecordSection> CalculationRecord(const RunState& s, const RecordSource& source)
{
    std::vector<RecordSection> sections{Heading(s, source), Inputs(s, source)};
    if (!source.origins.empty()) {
        RecordSection ranges{"Origins and ranges", {}};
        for (const std::string& origin : source.origins) {
            ranges.lines.push_back(Text(origin));
        }
        sections.push_back(std::move(ranges));
    }
    sections.push_back(Conversions(s, source));
    sections.push_back(CatalogueData(s));
    sections.push_back(Resolution(s));
    const std::vector<int> models = RecordedModels(s);
    const bool passing =
        AssessResults1(s, models.front()).withinTolerance && AssessResults2(s, models.front()).withinTolerance;
    for (const int i : models) {
        sections.push_back({"Model " + std::string(s.model(i).name) + " (" + std::to_string(i + 1) + "), "
                                + (passing ? "passes both result sets" : "nearest to passing: no model passes both"),
                            ModelFormulas(s, i)});
    }
    if (models.size() < kModelCount) {
        sections.push_back(OtherModels(s, models));
    }
    sections.push_back(Assumptions());
    sections.push_back(SignOff());
    return sections;
}

}  // namespace vyra
