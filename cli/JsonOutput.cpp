#include "JsonOutput.h"

#include "NumberText.h"
#include "ResultNotes.h"
#include "Results1.h"
#include "Results2.h"
#include "Units.h"

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

// The unit of every figure key, the same in every run: the figures are held
// in the program's own units, and "unit" names only the run's.
constexpr std::string_view kFigureUnits =
    R"({"P1":"kgf","We":"kgf","P":"kgf","Zt":"mm","Zr":"mm","Zs":"mm","Vt":"mV","Vr":"mV","S":"times",)"
    R"("F1":"Hz","F2":"Hz","F3":"Hz","E":"um","PB":"kgf","maxSpeed":"m/min","passingGamma":"degree",)"
    R"("weight":"kg"})";

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

void AppendModel(std::string& out, const Evaluation& evaluation, int i)
{
    const RunState& state = evaluation.selection;
    const ResultTables& t = state.tables;
    const Assessment1 a1 = AssessResults1(state, i);
    const Assessment2 a2 = AssessResults2(state, i);
    out += "{\"index\":";
    out += std::to_string(i);
    out += ",\"name\":";
    AppendJsonString(out, state.model(i).name);
    const std::pair<const char*, const ResultTable*> tables[] = {
        {"P1", &t.P1}, {"We", &t.We}, {"P", &t.P},   {"Zt", &t.Zt}, {"Zr", &t.Zr}, {"Zs", &t.Zs}, {"Vt", &t.Vt},
        {"Vr", &t.Vr}, {"S", &t.S},   {"F1", &t.F1}, {"F2", &t.F2}, {"F3", &t.F3}, {"E", &t.E},   {"PB", &t.PB},
    };
    for (const auto& [key, table] : tables) {
        out += ',';
        AppendKey(out, key);
        AppendNumber(out, (*table)[i]);
    }
    const std::pair<const char*, bool> fail1[] = {{"P1", a1.failP1},
                                                  {"Zr", a1.failZr},
                                                  {"Zs", a1.failZs},
                                                  {"Vr", a1.failVr},
                                                  {"S", a1.failS}};
    out += ",\"fail1\":{";
    for (const auto& [key, failed] : fail1) {
        AppendKey(out, key);
        AppendBool(out, failed);
        out += key == fail1[4].first ? "}" : ",";
    }
    out += ",\"withinTolerance1\":";
    AppendBool(out, a1.withinTolerance);
    out += ",\"fail2\":{\"F1F2\":";
    AppendBool(out, a2.failF1F2);
    out += ",\"F1F3\":";
    AppendBool(out, a2.failF1F3);
    out += "},\"withinTolerance2\":";
    AppendBool(out, a2.withinTolerance);
    out += ",\"maxSpeed\":";
    AppendNumber(out, MaxSpeed(state, i));
    if (evaluation.passingGamma) {
        out += ",\"passingGamma\":";
        AppendIntervals(out, (*evaluation.passingGamma)[i]);
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
    out += kFigureUnits;
    out += ",\"type\":";
    out += state.seriesIndex == kStandardSeries ? "\"standard\"" : "\"safe\"";
    out += ",\"methodCode\":";
    out += std::to_string(state.inputs.methodCode);
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
