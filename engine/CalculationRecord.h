#pragma once

#include "InputReading.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

struct RunState;

// One line of a calculation record. A formula line reads "Zr = c x We",
// and its next, indented, "= 0.0584323 x 12.5 = 0.730404 mm": the
// substituted numbers with 6 significant digits, then the result. A row's
// cells are the columns of a table, the first a name.
enum class RecordLineKind { Heading, Text, Row };

struct RecordLine {
    RecordLineKind kind = RecordLineKind::Text;
    std::string text;
    std::vector<std::string> cells;
};

struct RecordSection {
    std::string title;
    std::vector<RecordLine> lines;
    // The first lines head a table, to be repeated where a page breaks it,
    // and each of its rows takes rowLines lines.
    std::size_t headerLines = 0;
    std::size_t rowLines = 1;
};

// What the record tells besides the run itself.
struct RecordSource {
    std::array<std::string, kFieldCount> typed;  // txtInput, as typed
    // Where an entry came from and the range it was picked from, a line each.
    std::vector<std::string> origins;
    std::string date;
    std::string calculationId;
    std::string version;
    std::string sourceRevision;
};

// The record of a calculation "Select" accepted into selection: the inputs
// as read and their conversions, the catalogue data, the load resolution,
// every formula of both result sets for the models passing both (or the one
// nearest to passing) with its values substituted and its result, the other
// models' figures and margins, the assumptions and a sign-off block.
// Formulas run in the program's units, each result also given in the run's.
std::vector<RecordSection> CalculationRecord(const RunState& selection, const RecordSource& source);

// The models whose formulas the record writes out: those passing both
// result sets, else the one whose worst margin is smallest.
std::vector<int> RecordedModels(const RunState& selection);

// The figure as the record writes it: 6 significant digits, "inf", "nan".
std::string RecordNumber(double value);

// One model's formulas of both result sets with its limits and margins.
std::vector<RecordLine> ModelFormulas(const RunState& selection, int model);

// The figures and margins of the models, a row each.
std::vector<RecordLine> ModelTable(const RunState& selection, const std::vector<int>& models);

}  // namespace vyra
