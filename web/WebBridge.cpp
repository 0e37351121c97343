// What the page asks of the engine, as JSON texts in and out, so that the
// page holds no figure, check or rule of its own. The page's entries are a
// JSON object named as a case file's entries; every answer is a JSON object.
#include "Answer.h"
#include "CalculationId.h"
#include "Captions.h"
#include "Case.h"
#include "CaseFile.h"
#include "Commands.h"
#include "Headroom.h"
#include "HelperTexts.h"
#include "NumberText.h"
#include "PageDrawings.h"
#include "RangeWords.h"
#include "Ranges.h"
#include "Remedies.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "ResultNotes.h"
#include "RunState.h"
#include "ShippedMaterials.h"
#include "Units.h"

#include <emscripten/emscripten.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace vyra::web {

namespace {

using Json = nlohmann::ordered_json;

// The entries of a case, named as its file names them: the choices' words
// and the texts as typed (the helpers' records too, when a file held them).
Json EntriesOf(const Case& c)
{
    Json entries = Json::parse(CaseFileText(c));
    entries.erase("format");
    entries.erase("version");
    return entries;
}

// The page's entries over an empty case, read as a case file is read, so
// that a word the file format refuses is refused here with the same reason.
Expected<Case> CaseOf(const char* entries)
{
    const Json given = Json::parse(entries, nullptr, false);
    if (!given.is_object()) {
        return Failed("the entries are not a JSON object");
    }
    Json document = Json::parse(CaseFileText(Case{}));
    for (const auto& [name, value] : given.items()) {
        if (name != "format" && name != "version") {
            document[name] = value;
        }
    }
    // A text the page could not hold as UTF-8 is refused as a case file's.
    return ParseCaseFile(document.dump(-1, ' ', false, Json::error_handler_t::replace));
}

Json RefusalOf(const CheckFailure& failure)
{
    Json marked = Json::array();
    for (const int item : failure.markedItems) {
        marked.push_back(kFieldNames[item]);
    }
    return {{"status", "rejected"},
            {"title", failure.title},
            {"message", failure.message},
            {"marked", marked},
            {"fulcrumMarked", failure.fulcrumMarked}};
}

Json ProblemOf(const std::string& reason) { return {{"status", "broken"}, {"reason", reason}}; }

// "F1/F2" is "F1F2" in an attribute and a JSON key.
std::string KeyOf(std::string_view symbol)
{
    std::string key(symbol);
    std::erase(key, '/');
    return key;
}

Json SetOf(const RunState& state, const ResultSet& set, int setNumber)
{
    Json columns = Json::array();
    for (const ResultColumn& column : set.columns) {
        columns.push_back(
            {{"key", KeyOf(column.symbol)}, {"symbol", column.symbol}, {"unit", UnitHeading(column, state.forceUnit)}});
    }
    Json rows = Json::array();
    for (int i = 0; i < kModelCount; ++i) {
        Json cells = Json::array();
        for (const ResultColumn& column : set.columns) {
            cells.push_back({{"key", KeyOf(column.symbol)},
                             {"text", ShownText(column, state, i)},
                             {"fail", Failed(column, state, i)}});
        }
        rows.push_back({{"model", state.model(i).name},
                        {"label", ModelLabel(state, i)},
                        {"pass", set.withinTolerance(state, i)},
                        {"cells", cells}});
    }
    return {{"heading", ResultSetHeading(state, setNumber)},
            {"columns", columns},
            {"rows", rows},
            {"tolerance", ToleranceSentence(setNumber, state.forceUnit)}};
}

Json SelectionOf(const Case& c)
{
    RunState state;
    state.forceUnit = c.forceUnit;
    if (const CheckResult failure = SelectCommand(state, c.form)) {
        return RefusalOf(*failure);
    }
    // A computed case's texts are numbers, so it always has its ID.
    const std::string id = CalculationId(c).value_or("");
    Json speeds = Json::array();
    for (int i = 0; i < kModelCount; ++i) {
        speeds.push_back({{"model", state.model(i).name}, {"text", MaxSpeedText(state, i)}});
    }
    return {{"status", "ok"},
            {"result1", SetOf(state, ResultSet1(), 1)},
            {"result2", SetOf(state, ResultSet2(), 2)},
            {"maxSpeedUnit", UnitCaption(Quantity::Speed, c.forceUnit)},
            {"maxSpeed", speeds},
            {"passingBoth", AnswerSentence(state)},
            {"notes", ResultNotes(state)},
            {"calculationId", id}};
}

// What the input screen shows for the case's options: the captions and unit
// labels of the ten fields in its unit, and whether the one-sensor options
// are enabled.
Json FormOf(const Case& c)
{
    Json fields = Json::array();
    const auto captions = FieldCaptions();
    const auto units = UnitLabels(c.forceUnit);
    for (int i = 0; i < kFieldCount; ++i) {
        fields.push_back(
            {{"name", kFieldNames[i]}, {"caption", captions[i]}, {"unit", units[i]}, {"range", MayCarryRange(i)}});
    }
    return {{"status", "ok"}, {"fields", fields}, {"oneSensorOptions", c.form.opMethod1 == 1}};
}

// The fulcrum option clicked: the wrap angles change places and the
// mounting angle its sign when the side changes, as on the input screen.
Json FulcrumChanged(Case c, const char* word)
{
    const std::optional<int> fulcrum = ChoiceCodeOf(kChoices[kFulcrumChoice], word);
    if (!fulcrum) {
        return ProblemOf("no fulcrum side " + std::string(word));
    }
    ChangeFulcrum(c.form, static_cast<std::int16_t>(*fulcrum));
    return {{"status", "ok"}, {"entries", EntriesOf(c)}};
}

// "FS" of "Tension           FS".
std::string_view FieldSymbol(int item)
{
    const std::string_view caption = FieldCaptions()[item];
    return caption.substr(caption.rfind(' ') + 1);
}

std::string Listed(const std::vector<std::string>& items)
{
    std::string list;
    for (const std::string& item : items) {
        list += (list.empty() ? "" : ", ") + item;
    }
    return list;
}

// What a change of unit did, as the line under the form says it.
std::string ConversionSentence(const std::vector<std::string>& converted, const std::vector<std::string>& untouched)
{
    std::string sentence = converted.empty() ? "" : "Converted with the exact factors: " + Listed(converted) + ".";
    if (!untouched.empty()) {
        sentence +=
            (sentence.empty() ? "" : " ") + std::string("Not one number, so left as typed: ") + Listed(untouched) + ".";
    }
    return sentence;
}

// The unit option clicked: a field text that is one number becomes the same
// measure in the new unit, converted with the exact factors and written in
// the round-trip form, so that the case computes as the one typed; any
// other text stays as typed. Both are said: a field is never re-read in
// another unit silently. A measure the new unit cannot hold refuses the
// change.
Json UnitChanged(Case c, const char* word)
{
    const std::optional<ForceUnit> unit = ForceUnitNamed(word);
    if (!unit) {
        return ProblemOf("no unit " + std::string(word));
    }
    std::vector<std::string> converted;
    std::vector<std::string> untouched;
    for (int i = 0; i < kFieldCount; ++i) {
        const Quantity quantity = FieldQuantity(i);
        const std::string_view from = UnitSymbol(quantity, c.forceUnit);
        const std::string_view to = UnitSymbol(quantity, *unit);
        std::string& text = c.form.txtInput[i];
        if (text.empty() || from == to) {
            continue;
        }
        const std::optional<double> typed = ParseWholeNumber(text);
        const std::string named = std::string(FieldSymbol(i)) + " ";
        if (!typed) {
            untouched.push_back(named + "\"" + text + "\"");
            continue;
        }
        const double value = InRunUnits(quantity, InProgramUnits(quantity, *typed, c.forceUnit), *unit);
        if (!std::isfinite(value)) {
            return ProblemOf(named + text + " " + std::string(from) + " is too large for " + std::string(to) + ".");
        }
        converted.push_back(named + text + " " + std::string(from) + " = " + RoundTripText(value) + " "
                            + std::string(to));
        text = RoundTripText(value);
    }
    SetChoiceCode(c, kUnitChoice, *unit);
    return {{"status", "ok"}, {"entries", EntriesOf(c)}, {"sentence", ConversionSentence(converted, untouched)}};
}

// The answer lives until the next call, which is all the page needs.
const char* Answer(const Json& answer)
{
    static std::string text;
    text = answer.dump(-1, ' ', false, Json::error_handler_t::replace);
    return text.c_str();
}

// A helper's request's texts, named as the case file names its record.
template <typename Texts, std::size_t N>
Texts TextsFrom(const Json& request, const std::array<TextName<Texts>, N>& names)
{
    Texts texts;
    for (const auto& [name, member] : names) {
        const auto found = request.find(std::string(name));
        texts.*member = found != request.end() && found->is_string() ? found->template get<std::string>() : "";
    }
    return texts;
}

template <typename Texts, std::size_t N>
Json JsonFrom(const Texts& texts, const std::array<TextName<Texts>, N>& names)
{
    Json fields = Json::object();
    for (const auto& [name, member] : names) {
        fields[std::string(name)] = texts.*member;
    }
    return fields;
}

std::string RequestText(const Json& request, const char* name)
{
    const auto found = request.find(name);
    return found != request.end() && found->is_string() ? found->get<std::string>() : "";
}

// The entered value of a field as the helpers take it, in the run's unit.
std::optional<double> Entered(const Case& c, int item, const char* name)
{
    const Expected<double> read = ReadMeasure(name, c.form.txtInput[static_cast<std::size_t>(item)], "");
    return read ? std::optional(*read) : std::nullopt;
}

// The helpers' captions name the run's units of length and weight.
Json UnitsOf(ForceUnit unit)
{
    return {{"length", UnitCaption(Quantity::Length, unit)}, {"mass", UnitCaption(Quantity::Mass, unit)}};
}

// "Tension from material" as it opens: the shipped materials, the picks and
// the case's record, if it has one, in its texts.
Json TensionFormOf(const Case& c)
{
    Json fields = JsonFrom(c.tensionFrom ? TextsOf(c.tensionFrom->web, c.forceUnit) : WebTexts{}, kWebTextNames);
    fields[std::string(kPickName)] = PickWord(c.tensionFrom ? c.tensionFrom->pick : TensionPick::Typical);
    return {{"status", "ok"},
            {"materials", MaterialChoices(ShippedMaterialTable())},
            {"fields", fields},
            {"units", UnitsOf(c.forceUnit)}};
}

// The advice's text, and the entries with its pick as the tension and the
// helper's record, as "Use" leaves them.
Json TensionHelperOf(const Case& c, const Json& request)
{
    const Expected<WebDescription> web = ReadWebDescription(TextsFrom(request, kWebTextNames), c.forceUnit);
    const Expected<TensionAdvice> advice =
        web ? AdviseTension(ShippedMaterialTable(), *web, Entered(c, kItemFS, "tension"), c.forceUnit)
            : Expected<TensionAdvice>(web.Error());
    const std::optional<TensionPick> pick = PickNamed(RequestText(request, kPickName.data()));
    if (!advice || !pick) {
        return {{"status", "refused"}, {"reason", advice ? "pick is low, typical or high" : advice.Error().reason}};
    }
    Case used = c;
    used.form.txtInput[kItemFS] = TensionFieldText(*advice, *pick);
    used.tensionFrom = TensionOrigin{advice->web, *pick};
    return {{"status", "ok"}, {"text", TensionAdviceText(*advice, c.forceUnit)}, {"entries", EntriesOf(used)}};
}

Json RollerFormOf(const Case& c)
{
    return {{"status", "ok"},
            {"materials", {"steel", "aluminium", "carbon", "other"}},
            {"fields", JsonFrom(c.rollerFrom ? TextsOf(*c.rollerFrom, c.forceUnit) : RollerTexts{}, kRollerTextNames)},
            {"units", UnitsOf(c.forceUnit)}};
}

// The limits' text, with the load typed and the line speed entered, and
// the entries with the drawing's diameter and weight and its record.
Json RollerHelperOf(const Case& c, const Json& request)
{
    const Expected<RollerDrawing> drawing = ReadRollerDrawing(TextsFrom(request, kRollerTextNames), c.forceUnit);
    std::optional<double> load;
    if (const std::string typed = RequestText(request, "load"); drawing && !typed.empty()) {
        const Expected<double> read = ReadMeasureIn("load", typed, Quantity::Mass, c.forceUnit, true);
        if (!read) {
            return {{"status", "refused"}, {"reason", read.Error().reason}};
        }
        load = *read;
    }
    const std::optional<double> speed = Entered(c, kItemV, "speed");
    const Expected<RollerLimits> limits =
        drawing ? ComputeRollerLimits(
            *drawing, load, speed ? std::optional(InProgramUnits(Quantity::Speed, *speed, c.forceUnit)) : std::nullopt)
                : Expected<RollerLimits>(drawing.Error());
    if (!limits) {
        return {{"status", "refused"}, {"reason", limits.Error().reason}};
    }
    Case used = c;
    const RollerFieldTexts fields = RollerFields(*drawing, c.forceUnit);
    used.form.txtInput[kItemD] = fields.diameter;
    used.form.txtInput[kItemWr] = fields.rollerWeight;
    used.rollerFrom = *drawing;
    return {{"status", "ok"}, {"text", RollerLimitsText(*limits, c.forceUnit)}, {"entries", EntriesOf(used)}};
}

// The sketch area as "Image chgange" leaves it, or its refusal.
Json SketchOf(const Case& c)
{
    const gfx::SketchDrawing drawn = gfx::SketchSvg(c);
    return drawn.refusal ? RefusalOf(*drawn.refusal) : Json{{"status", "ok"}, {"svg", drawn.svg}};
}

// The report's pages as vyra-select --report draws them, or the refusal of
// "Select".
Json ReportOf(const Case& c, const Json& request)
{
    RunState selection;
    selection.forceUnit = c.forceUnit;
    if (const CheckResult refusal = SelectCommand(selection, c.form)) {
        return RefusalOf(*refusal);
    }
    const auto asked = [&request](const char* name) { return request.value(name, false); };
    gfx::ReportRecord record =
        gfx::RecordOfCase(c, selection, request.value("caseFile", ""), asked("charts"), asked("calculation"));
    Json answer{{"status", "ok"}};
    if (record.charts) {
        if (const Expected<void> ranged = gfx::AddCaseRanges(*record.charts, c, gfx::kMostPagePoints); !ranged) {
            answer["rangesRefusal"] = ranged.Error().reason;
        }
    }
    const gfx::Paper paper = request.value("paper", "A4") == "Letter" ? gfx::Paper::Letter : gfx::Paper::A4;
    answer["pages"] = gfx::ReportSvgPages(record, paper);
    return answer;
}

// The charts page of the case with its ranges and the test weight's
// readings, the remedies' sentences and the lines over the ranges.
Json ChartsOf(const Case& c, const Json& request)
{
    RunState selection;
    selection.forceUnit = c.forceUnit;
    if (const CheckResult refusal = SelectCommand(selection, c.form)) {
        return RefusalOf(*refusal);
    }
    gfx::ChartContent content = gfx::ChartContentOf(selection, c.form, {gfx::CustomerOf(c), ""});
    Json answer{{"status", "ok"}, {"rangeLines", Json::array()}};
    if (const Expected<void> ranged = gfx::AddCaseRanges(content, c, gfx::kMostPagePoints); !ranged) {
        answer["rangesRefusal"] = ranged.Error().reason;
    } else if (content.rangeVerdicts) {
        answer["rangeLines"] = RangeLines(c, *RangesOf(c), *content.rangeVerdicts);
    }
    if (const std::string weight = RequestText(request, "calibrationWeight"); !weight.empty()) {
        const Expected<double> read = ReadTestWeight(weight, UnitSymbol(Quantity::Mass, c.forceUnit));
        if (read) {
            content.calibration = CalibrationFor(c.form, c.forceUnit, *read);
        } else {
            answer["calibrationRefusal"] = read.Error().reason;
        }
    }
    Json remedies = Json::array();
    for (const int model : RemedyOrder(selection)) {
        remedies.push_back(RemedySentence(selection, model, content.remedies[model]));
    }
    answer["remedies"] = remedies;
    answer["units"] = UnitsOf(c.forceUnit);
    answer["pages"] = gfx::ChartsSvgPages(content);
    return answer;
}

// The line naming the ranges, or why the entries refuse them.
Json RangesOfCase(const Case& c)
{
    if (const Expected<std::vector<InputRange>> ranges = CheckedRangesOf(c); !ranges) {
        return {{"status", "refused"}, {"reason", ranges.Error().reason}};
    }
    return {{"status", "ok"}, {"line", RangesLine(c.ranges, c.forceUnit)}};
}

// The request of a helper: a JSON object of its fields' texts.
Json RequestOf(const char* request)
{
    Json read = Json::parse(request, nullptr, false);
    return read.is_object() ? read : Json::object();
}

template <typename Then>
const char* WithCase(const char* entries, Then then)
{
    const Expected<Case> c = CaseOf(entries);
    return Answer(c ? then(*c) : ProblemOf(c.Error().reason));
}

}  // namespace

}  // namespace vyra::web

using namespace vyra;
using namespace vyra::web;

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* vyra_form(const char* entries) { return WithCase(entries, FormOf); }

EMSCRIPTEN_KEEPALIVE const char* vyra_select(const char* entries) { return WithCase(entries, SelectionOf); }

// The entries as they read once the fulcrum option `word` is clicked.
EMSCRIPTEN_KEEPALIVE const char* vyra_fulcrum(const char* entries, const char* word)
{
    return WithCase(entries, [word](const Case& c) { return FulcrumChanged(c, word); });
}

// The entries as they read once the unit option `word` is clicked, and the
// sentence that says what changed.
EMSCRIPTEN_KEEPALIVE const char* vyra_unit(const char* entries, const char* word)
{
    return WithCase(entries, [word](const Case& c) { return UnitChanged(c, word); });
}

// The .vyracase text of the entries, as the desktop saves it.
EMSCRIPTEN_KEEPALIVE const char* vyra_case_text(const char* entries)
{
    return WithCase(entries, [](const Case& c) { return Json{{"status", "ok"}, {"text", CaseFileText(c)}}; });
}

// A .vyracase file's entries, or why it is not one: its bytes as they are,
// so that it is refused or read as the desktop refuses or reads it.
EMSCRIPTEN_KEEPALIVE const char* vyra_read_case(const char* bytes, int size)
{
    const Expected<Case> c = ParseCaseFile(std::string_view(bytes, static_cast<std::size_t>(size)));
    return Answer(c ? Json{{"status", "ok"}, {"entries", EntriesOf(*c)}} : ProblemOf(c.Error().reason));
}

// The helpers as they open, and what "Show" and "Use" give for the
// request's texts.
EMSCRIPTEN_KEEPALIVE const char* vyra_tension_form(const char* entries) { return WithCase(entries, TensionFormOf); }

EMSCRIPTEN_KEEPALIVE const char* vyra_tension(const char* entries, const char* request)
{
    return WithCase(entries, [request](const Case& c) { return TensionHelperOf(c, RequestOf(request)); });
}

EMSCRIPTEN_KEEPALIVE const char* vyra_roller_form(const char* entries) { return WithCase(entries, RollerFormOf); }

EMSCRIPTEN_KEEPALIVE const char* vyra_roller(const char* entries, const char* request)
{
    return WithCase(entries, [request](const Case& c) { return RollerHelperOf(c, RequestOf(request)); });
}

EMSCRIPTEN_KEEPALIVE const char* vyra_sketch(const char* entries) { return WithCase(entries, SketchOf); }

EMSCRIPTEN_KEEPALIVE const char* vyra_starting_sketch()
{
    return Answer({{"status", "ok"}, {"svg", gfx::StartingSketchSvg()}});
}

// request: {"paper": "A4" or "Letter", "charts": bool, "calculation": bool, "caseFile": name}.
EMSCRIPTEN_KEEPALIVE const char* vyra_report(const char* entries, const char* request)
{
    return WithCase(entries, [request](const Case& c) { return ReportOf(c, RequestOf(request)); });
}

// request: {"calibrationWeight": text}; the ranges are the entries' own.
EMSCRIPTEN_KEEPALIVE const char* vyra_charts(const char* entries, const char* request)
{
    return WithCase(entries, [request](const Case& c) { return ChartsOf(c, RequestOf(request)); });
}

EMSCRIPTEN_KEEPALIVE const char* vyra_ranges(const char* entries) { return WithCase(entries, RangesOfCase); }

// Today as the input screen's date field shows it.
EMSCRIPTEN_KEEPALIVE const char* vyra_date(int year, int month, int day)
{
    return Answer({{"status", "ok"}, {"text", FormatDate(year, month, day)}});
}
}
