#pragma once

#include "InputReading.h"
#include "RunState.h"
#include "Units.h"

#include <sstream>
#include <string>
#include <vector>

namespace vyra::test {

// A case table's text unescaped: \s a blank, \t, \n, \r, \xHH a byte, \(N)C N copies of C.
inline std::string Unescape(const std::string& field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char code = field[i] == '\\' && i + 1 < field.size() ? field[++i] : '\0';
        if (code == 'x') {
            text += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (code == '(') {
            const std::size_t close = field.find(')', i);
            text.append(std::stoul(field.substr(i + 1, close - i - 1)), field[close + 1]);
            i = close + 1;
        } else {
            text += code == 's' ? ' ' : code == 't' ? '\t' : code == 'n' ? '\n' : code == 'r' ? '\r' : field[i];
        }
    }
    return text;
}

// The rows of a case table's text, blank and "#" lines left out; a row's
// fields are separated by " | " and trimmed.
inline std::vector<std::vector<std::string>> CaseRows(std::istream& lines)
{
    const auto trimmed = [](const std::string& text) {
        const auto first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string()
                                          : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    };
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(lines, line);) {
        if (trimmed(line).empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string>& row = rows.emplace_back();
        std::size_t start = 0;
        for (std::size_t bar = 0; (bar = line.find(" | ", start)) != std::string::npos; start = bar + 3) {
            row.push_back(trimmed(line.substr(start, bar - start)));
        }
        row.push_back(trimmed(line.substr(start)));
    }
    return rows;
}

// The worked example of the first standard model: FS 10 kgf, d 100 mm,
// Wr 10 kg, all angles 0, l = h = 0, Wp 1 kg, V 100 m/min.
inline EntryForm WorkedExampleForm() { return {{"10", "100", "10", "0", "0", "0", "0", "0", "1", "100"}}; }

// The worked example with "item=text" edits separated by blanks (engine_commands).
inline EntryForm EditedWorkedExample(const std::string& edits)
{
    EntryForm form = WorkedExampleForm();
    std::istringstream words(edits);
    for (std::string edit; words >> edit;) {
        form.txtInput[std::stoi(edit)] = Unescape(edit.substr(edit.find('=') + 1));
    }
    return form;
}

// A form from "series methodCode" and the ten texts separated by blanks (engine_lbf_proof).
inline EntryForm FormOf(const std::string& choices, const std::string& texts)
{
    EntryForm form;
    std::istringstream words(texts), codes(choices);
    for (std::string& text : form.txtInput) {
        words >> text;
    }
    int method = 0;
    codes >> form.opType >> method;
    form.opMethod1 = method == kTwoSensors ? 0 : 1;
    form.opMethod2 = method >= kIndependentBoth ? 1 : 0;
    form.opMethod3 = method == kOneSideOne || method == kIndependentOne ? 1 : 0;
    return form;
}

// The record of an engine_figures row: series, unit, then FS d Wr l h Wp V
// alpha beta gamma method; false when the inputs do not read.
inline bool ReadFiguresRow(const std::vector<std::string>& row, RunState& state)
{
    state.seriesIndex = static_cast<std::int16_t>(std::stoi(row[1]));
    state.forceUnit = row[2] == "N" ? kNewton : kKgf;
    SelectionInputs& in = state.inputs;
    const bool read = static_cast<bool>(std::istringstream(row[3]) >> in.FS >> in.d >> in.Wr >> in.l >> in.h >> in.Wp
                                        >> in.V >> in.alpha >> in.beta >> in.gamma >> in.methodCode);
    // The record holds kgf; the row types the tension in its own unit.
    in.FS = InProgramUnits(Quantity::Force, in.FS, state.forceUnit);
    return read;
}
}  // namespace vyra::test
