#pragma once

#include "Case.h"
#include "CheckFailure.h"
#include "RunState.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

// Two to four cases side by side: the variants of one roller an engineer
// weighs (a lighter roller, a lower bearing, the other series), each in its
// own unit, with what differs from the first case marked.
inline constexpr std::size_t kFewestCompared = 2;
inline constexpr std::size_t kMostCompared = 4;

// A case of a comparison as "Select" left it.
struct ComparedCase {
    // The name that heads its column: its case file's, without the folder.
    std::string file;
    Case input;
    RunState selection;
    CheckResult refusal;
    std::optional<std::string> calculationId;
};

// The case selected as the input screen's "Select" does.
ComparedCase SelectCompared(std::string file, const Case& input);

enum class RowKind {
    Choice,  // a choice of the input screen, in the case file's words
    Input,  // a field as read, in its case's unit
    Outcome,  // computed or refused, and the calculation ID
    Verdict,  // which result sets a model passes
    Nearest,  // a model's check nearest its limit and its margin
    SafeSpeed,  // the highest line speed at which a model still passes
};

struct ComparisonRow {
    RowKind kind = RowKind::Input;
    std::string label;
    // One per case; empty where a refused case has no figure.
    std::vector<std::string> cells;
    // Whether each cell says something other than the first case's; the
    // first case's never does, nor the empty cells of a refused case.
    std::vector<bool> differs;
    // On a verdict row, the cells that pass more result sets than another
    // case of the row does; none when every case's verdict is the same.
    std::vector<bool> best;
};

struct Comparison {
    std::vector<std::string> files;
    // "title: message" of a refused case, empty for a computed one.
    std::vector<std::string> refusals;
    std::vector<ComparisonRow> rows;
    // The case file names of the choices and inputs in which any case
    // differs from the first.
    std::vector<std::string_view> differences;
};

Comparison CompareCases(std::span<const ComparedCase> cases);

// The nearest check and the safe speed stand under their model's verdict.
bool UnderModel(const ComparisonRow& row);

// A cell as a table of text shows it: the best verdict in brackets, " *"
// after a cell that differs.
std::string MarkedCell(const ComparisonRow& row, std::size_t k);

// What stands under the table: "Differences: unit, gamma" (or "none"),
// then "Case 2 (B.vyracase) refused: " and its message, per refused case.
std::vector<std::string> ComparisonNotes(const Comparison& comparison);

// The case file names of the choices and inputs in which other differs
// from first: choices by their code, inputs as read in the program's units
// within 1e-9 of their size, and a text that is not a number as typed.
std::vector<std::string_view> Differences(const Case& first, const Case& other);

}  // namespace vyra
