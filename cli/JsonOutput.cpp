#include "JsonOutput.h"

#include "Answer.h"
#include "NumberText.h"
#include "ResultColumns.h"
#include "ResultNotes.h"
#include "Results1.h"
#include "Results2.h"
#include "Units.h"
#include "Utf8.h"

#include <array>
#include <cmath>
#include <utility>

namespace vyra::cli {

namespace {

// A batch writes tens of thousands of these documents a second, so they
// are written directly rather than built as objects first. Numbers are the
// shortest text that reads back to the same double, with ".0" on a whole
// number so that it still reads as a real number.
void AppendNumber(std::string& out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    std::array<char, kRoundTripTextMax> text;
    const WrittenNumber written = WriteRoundTripText(text.data(), value);
    out.append(text.data(), written.end);
    if (written.digitsOnly) {
        out += ".0";
    }
}

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

// "key": — keys are the program's own words, never escaped.
void AppendKey(std::string& out, std::string_view key)
{
    out += '"';
    out += key;
    out += "\":";
}

void AppendIntervals(std::string& out, const std::vector<GammaInterval>& intervals)
{
    out += '[';
    for (std::size_t k = 0; k < intervals.size(); ++k) {
        out += k > 0 ? ",[" : "[";
        out += std::to_string(intervals[k].from);
        out += ',';
        out += std::to_string(intervals[k].to);
        out += ']';
    }
    out += ']';
}

// Each input's passing runs and its nearest passing value in the case's
// unit, like "inputs", under the case file's names.
void AppendRemedies(std::string& out, const std::vector<Remedy>& remedies, ForceUnit unit)
{
    out += ",\"remedies\":[";
    for (std::size_t r = 0; r < remedies.size(); ++r) {
        const Remedy& remedy = remedies[r];
        const auto inCase = [&](double value) { return InRunUnits(FieldQuantity(remedy.item), value, unit); };
        out += r > 0 ? ",{\"input\":\"" : "{\"input\":\"";
        out += kFieldNames[static_cast<std::size_t>(remedy.item)];
        out += "\",\"nearest\":";
        if (remedy.nearest) {
            AppendNumber(out, inCase(*remedy.nearest));
        } else {
            out += "null";
        }
        out += ",\"passes\":[";
        for (std::size_t k = 0; k < remedy.passes.size(); ++k) {
            out += k > 0 ? ",[" : "[";
            AppendNumber(out, inCase(remedy.passes[k].low));
            out += ',';
            AppendNumber(out, inCase(remedy.passes[k].high));
            out += ']';
        }
        out += "]}";
    }
    out += ']';
}

void AppendCalibration(std::string& out, const Calibration& calibration)
{
    out += ",\"calibration\":{\"weight\":";
    AppendNumber(out, calibration.weightKg);
    if (calibration.refusal) {
        out += ",\"refused\":{\"title\":";
        AppendJsonString(out, calibration.refusal->title);
        out += ",\"message\":";
        AppendJsonString(out, calibration.refusal->message);
        out += "}}";
        return;
    }
    out += ",\"models\":[";
    for (int i = 0; i < kModelCount; ++i) {
        out += i > 0 ? ",{\"Vt\":" : "{\"Vt\":";
        AppendNumber(out, calibration.Vt[i]);
        out += ",\"S\":";
        AppendNumber(out, calibration.S[i]);
        out += '}';
    }
    out += "]}";
}

void AppendNotes(std::string& out, const std::vector<std::string>& notes)
{
    out += ",\"notes\":[";
    for (std::size_t k = 0; k < notes.size(); ++k) {
        out += k > 0 ? "," : "";
        AppendJsonString(out, notes[k]);
    }
    out += ']';
}

constexpr std::array<std::span<const ResultColumn>, 2> kColumnSets{kResultSet1Columns, kResultSet2Columns};

// The unit of every figure key, the same in every run: the figures are held
// in the program's own units, and "unit" names only the run's.
std::string FigureUnits()
{
    std::string units = "{";
    for (const std::span<const ResultColumn> columns : kColumnSets) {
        for (const ResultColumn& column : columns) {
            if (!column.heldUnit.empty()) {
                units += Joined({"\"", column.symbol, "\":\"", column.heldUnit, "\","});
            }
        }
    }
    return units + R"("maxSpeed":"m/min","passingGamma":"degree","weight":"kg"})";
}

// A figure unit per key, the inputs' in the case's own unit under the case
// file's names, so that the inputs read back as they were typed.
std::string UnitsOfRun(ForceUnit unit)
{
    std::string units = FigureUnits();
    units.pop_back();
    for (int item = 0; item < kFieldCount; ++item) {
        const Quantity quantity = FieldQuantity(item);
        units += Joined({",\"", kFieldNames[static_cast<std::size_t>(item)], "\":\"",
                         quantity == Quantity::Fixed ? "degree" : UnitSymbol(quantity, unit), "\""});
    }
    return units + "}";
}

void AppendInputs(std::string& out, const std::array<double, kFieldCount>& inputs)
{
    out += ",\"inputs\":{";
    for (std::size_t item = 0; item < kFieldCount; ++item) {
        out += item > 0 ? "," : "";
        AppendKey(out, kFieldNames[item]);
        AppendNumber(out, inputs[item]);
    }
    out += '}';
}

// Each check's verdict under its figure's key.
void AppendVerdicts(std::string& out, const RunState& state, int i, int setNumber)
{
    out += setNumber == 1 ? ",\"fail1\":{" : ",\"fail2\":{";
    std::string_view separator;
    for (const Check* check : kChecks) {
        if (check->resultSet == setNumber) {
            out += separator;
            AppendKey(out, CheckKey(*check));
            AppendBool(out, Fails(*check, state, i));
            separator = ",";
        }
    }
    out += '}';
}

// The check nearest to its limit: its key, its figure as held and its
// margin in percent of the limit.
void AppendNearest(std::string& out, const RunState& state, int i)
{
    const NearestCheck nearest = NearestCheckOf(state, i);
    out += ",\"nearest\":";
    if (nearest.check == kMarginCount) {
        out += "null";
        return;
    }
    const Check& check = *kChecks[static_cast<std::size_t>(nearest.check)];
    out += "{\"check\":\"";
    out += CheckKey(check);
    out += "\",\"figure\":";
    AppendNumber(out, check.figure(state.tables, i));
    out += ",\"margin\":";
    AppendNumber(out, nearest.margin.percent);
    out += '}';
}

// The verdict over the ranges; the inputs of the worst point under the case
// file's names.
void AppendRange(std::string& out, const Evaluation& evaluation, int i)
{
    const RangeVerdict& verdict = (*evaluation.rangeVerdicts)[static_cast<std::size_t>(i)];
    out += ",\"range\":{\"passesBoth\":";
    AppendBool(out, verdict.passesBoth);
    out += ",\"points\":";
    out += std::to_string(static_cast<long long>(verdict.points));
    out += ",\"worst\":{\"check\":";
    AppendJsonString(out, verdict.worst.check);
    out += ",\"figure\":";
    AppendNumber(out, verdict.worst.figure);
    out += ",\"margin\":";
    AppendNumber(out, verdict.worst.margin);
    out += ",\"at\":{";
    for (std::size_t r = 0; r < evaluation.ranges.size(); ++r) {
        out += r > 0 ? "," : "";
        AppendKey(out, kFieldNames[static_cast<std::size_t>(evaluation.ranges[r].item)]);
        AppendNumber(out, verdict.worst.at[r]);
    }
    out += "}}}";
}

void AppendModel(std::string& out, const Evaluation& evaluation, int i)
{
    const RunState& state = evaluation.selection;
    out += "{\"index\":";
    out += std::to_string(i);
    out += ",\"name\":";
    AppendJsonString(out, state.model(i).name);
    for (const std::span<const ResultColumn> columns : kColumnSets) {
        for (const ResultColumn& column : columns) {
            if (!column.heldUnit.empty()) {
                out += ',';
                AppendKey(out, column.symbol);
                AppendNumber(out, column.value(state.tables, i));
            }
        }
    }
    AppendVerdicts(out, state, i, 1);
    out += ",\"withinTolerance1\":";
    AppendBool(out, AssessResults1(state, i).withinTolerance);
    AppendVerdicts(out, state, i, 2);
    out += ",\"withinTolerance2\":";
    AppendBool(out, AssessResults2(state, i).withinTolerance);
    AppendNearest(out, state, i);
    out += ",\"maxSpeed\":";
    AppendNumber(out, MaxSpeed(state, i));
    if (evaluation.passingGamma) {
        out += ",\"passingGamma\":";
        AppendIntervals(out, (*evaluation.passingGamma)[i]);
    }
    if (evaluation.rangeVerdicts) {
        AppendRange(out, evaluation, i);
    }
    if (evaluation.remedies) {
        AppendRemedies(out, (*evaluation.remedies)[i], state.forceUnit);
    }
    out += '}';
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00";
                out += kHex[byte >> 4];
                out += kHex[byte & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

namespace {

void AppendCalculationId(std::string& out, const std::optional<std::string>& id)
{
    if (id) {
        out += "\"calculationId\":\"";
        out += *id;
        out += "\",";
    }
}

}  // namespace

void AppendJsonResult(const Evaluation& evaluation, std::string& out, std::string_view leading)
{
    const RunState& state = evaluation.selection;
    out += '{';
    out += leading;
    AppendCalculationId(out, evaluation.calculationId);
    out += "\"status\":\"ok\",\"unit\":\"";
    out += UnitWord(state.forceUnit);
    out += "\",\"units\":";
    static const std::array<std::string, kForceUnitCount> units{UnitsOfRun(kKgf), UnitsOfRun(kNewton),
                                                                UnitsOfRun(kLbf)};
    out += units[static_cast<std::size_t>(state.forceUnit)];
    out += ",\"type\":";
    out += state.seriesIndex == kStandardSeries ? "\"standard\"" : "\"safe\"";
    out += ",\"methodCode\":";
    out += std::to_string(state.inputs.methodCode);
    if (evaluation.inputs) {
        AppendInputs(out, *evaluation.inputs);
    }
    AppendNotes(out, ResultNotes(state));
    out += ",\"models\":[";
    for (int i = 0; i < kModelCount; ++i) {
        if (i > 0) {
            out += ',';
        }
        AppendModel(out, evaluation, i);
    }
    out += ']';
    if (evaluation.calibration) {
        AppendCalibration(out, *evaluation.calibration);
    }
    out += "}\n";
}

void AppendJsonRefusal(const CheckFailure& failure, std::string& out, std::string_view leading,
                       const std::optional<std::string>& calculationId)
{
    out += '{';
    out += leading;
    AppendCalculationId(out, calculationId);
    out += "\"status\":\"rejected\",\"title\":";
    AppendJsonString(out, failure.title);
    out += ",\"message\":";
    AppendJsonString(out, failure.message);
    out += ",\"marked\":[";
    for (std::size_t i = 0; i < failure.markedItems.size(); ++i) {
        out += i > 0 ? "," : "";
        out += std::to_string(failure.markedItems[i]);
    }
    out += "],\"fulcrumMarked\":";
    AppendBool(out, failure.fulcrumMarked);
    AppendNotes(out, {});
    out += "}\n";
}

}  // namespace vyra::cli
