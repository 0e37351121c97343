#include "Comparison.h"

#include "Answer.h"
#include "CalculationId.h"
#include "Commands.h"
#include "Headroom.h"
#include "NumberText.h"
#include "Results1.h"
#include "Results2.h"
#include "Units.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>

namespace vyra {

namespace {

constexpr double kSameWithin = 1e-9;

// Equal within kSameWithin of the larger size; two infinities of one sign,
// or two values that are not numbers, are the same too.
bool Same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    if (a == b) {
        return true;
    }
    return std::fabs(a - b) <= kSameWithin * std::max(std::fabs(a), std::fabs(b));
}

std::string_view UnitOfField(int item, ForceUnit unit)
{
    const Quantity quantity = FieldQuantity(item);
    return quantity == Quantity::Fixed ? "degree" : UnitSymbol(quantity, unit);
}

bool FieldDiffers(int item, const Case& first, const Case& other)
{
    const std::string& typedFirst = first.form.txtInput[static_cast<std::size_t>(item)];
    const std::string& typedOther = other.form.txtInput[static_cast<std::size_t>(item)];
    const std::optional<double> a = FieldAsRead(item, typedFirst);
    const std::optional<double> b = FieldAsRead(item, typedOther);
    if (!a || !b) {
        return typedFirst != typedOther;
    }
    const Quantity quantity = FieldQuantity(item);
    return !Same(InProgramUnits(quantity, *a, first.forceUnit), InProgramUnits(quantity, *b, other.forceUnit));
}

// A row whose cells are compared by what differs says of two cases.
using Differ = std::function<bool(const ComparedCase& first, const ComparedCase& other)>;
using CellText = std::function<std::string(const ComparedCase&)>;

ComparisonRow RowOf(RowKind kind, std::string label, std::span<const ComparedCase> cases, const CellText& text,
                    const Differ& differs)
{
    ComparisonRow row{kind, std::move(label), {}, {}, std::vector<bool>(cases.size(), false)};
    for (const ComparedCase& compared : cases) {
        row.cells.push_back(text(compared));
        row.differs.push_back(differs(cases.front(), compared));
    }
    return row;
}

void AddChoiceRows(std::vector<ComparisonRow>& rows, std::span<const ComparedCase> cases)
{
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        const Choice& named = kChoices[choice];
        rows.push_back(RowOf(
            RowKind::Choice, std::string(named.name), cases,
            [&](const ComparedCase& c) {
                return std::string(named.words[static_cast<std::size_t>(ChoiceCode(c.input, choice))]);
            },
            [&](const ComparedCase& a, const ComparedCase& b) {
                return ChoiceCode(a.input, choice) != ChoiceCode(b.input, choice);
            }));
    }
}

// As read, in the case's unit and to the last digit that tells it apart:
// "10 kgf", "20 degree" for "20.5"; a text that is not a number as typed,
// in quotes.
std::string FieldCell(int item, const Case& c)
{
    const std::string& typed = c.form.txtInput[static_cast<std::size_t>(item)];
    const std::optional<double> value = FieldAsRead(item, typed);
    if (!value) {
        return "\"" + typed + "\"";
    }
    return RoundTripText(*value) + " " + std::string(UnitOfField(item, c.forceUnit));
}

void AddInputRows(std::vector<ComparisonRow>& rows, std::span<const ComparedCase> cases)
{
    for (int item = 0; item < kFieldCount; ++item) {
        const std::string_view name = kFieldNames[static_cast<std::size_t>(item)];
        const std::string label =
            name == FieldSymbol(item) ? std::string(name) : Joined({name, " ", FieldSymbol(item)});
        rows.push_back(RowOf(
            RowKind::Input, label, cases, [&](const ComparedCase& c) { return FieldCell(item, c.input); },
            [&](const ComparedCase& a, const ComparedCase& b) { return FieldDiffers(item, a.input, b.input); }));
    }
}

void AddOutcomeRows(std::vector<ComparisonRow>& rows, std::span<const ComparedCase> cases)
{
    const CellText id = [](const ComparedCase& c) { return c.calculationId.value_or("none"); };
    rows.push_back(RowOf(RowKind::Outcome, "calculation ID", cases, id,
                         [&](const ComparedCase& a, const ComparedCase& b) { return id(a) != id(b); }));
    const CellText outcome = [](const ComparedCase& c) { return std::string(c.refusal ? "refused" : "computed"); };
    rows.push_back(RowOf(RowKind::Outcome, "result", cases, outcome,
                         [&](const ComparedCase& a, const ComparedCase& b) { return outcome(a) != outcome(b); }));
}

// How many result sets the model passes in a computed case.
int SetsPassed(const ComparedCase& c, int model)
{
    return static_cast<int>(AssessResults1(c.selection, model).withinTolerance)
           + static_cast<int>(AssessResults2(c.selection, model).withinTolerance);
}

std::string VerdictWords(const ComparedCase& c, int model)
{
    if (c.refusal) {
        return "";
    }
    const bool one = AssessResults1(c.selection, model).withinTolerance;
    const bool two = AssessResults2(c.selection, model).withinTolerance;
    if (one && two) {
        return "passes both";
    }
    if (one || two) {
        return one ? "passes 1 only" : "passes 2 only";
    }
    return "fails both";
}

// The model's name in each series compared: "Vyra05B" or "Vyra05B/Vyra05BS".
std::string ModelLabel(std::span<const ComparedCase> cases, int model)
{
    std::vector<std::string_view> names;
    for (const ComparedCase& c : cases) {
        const std::string_view name = c.selection.model(model).name;
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    std::string label;
    for (const std::string_view name : names) {
        label += (label.empty() ? "" : "/") + std::string(name);
    }
    return label;
}

// Only the computed cases are weighed: a refused one has no verdict.
void MarkBest(ComparisonRow& row, std::span<const ComparedCase> cases, int model)
{
    int fewest = 2;
    int most = 0;
    for (const ComparedCase& c : cases) {
        if (!c.refusal) {
            fewest = std::min(fewest, SetsPassed(c, model));
            most = std::max(most, SetsPassed(c, model));
        }
    }
    for (std::size_t k = 0; k < cases.size() && fewest < most; ++k) {
        row.best[k] = !cases[k].refusal && SetsPassed(cases[k], model) == most;
    }
}

std::string NearestCell(const ComparedCase& c, int model)
{
    const NearestCheck nearest = NearestCheckOf(c.selection, model);
    if (c.refusal || nearest.check == kMarginCount) {
        return "";
    }
    std::string margin = MarginText(nearest.margin, static_cast<MarginCheck>(nearest.check));
    if (margin.ends_with('%')) {
        margin.insert(margin.size() - 1, " ");
    }
    return Joined({kChecks[static_cast<std::size_t>(nearest.check)]->symbol, " ", margin});
}

bool NearestDiffers(const ComparedCase& a, const ComparedCase& b, int model)
{
    if (a.refusal || b.refusal) {
        return false;
    }
    const NearestCheck x = NearestCheckOf(a.selection, model);
    const NearestCheck y = NearestCheckOf(b.selection, model);
    return x.check != y.check || !Same(x.margin.percent, y.margin.percent);
}

std::string SafeSpeedCell(const ComparedCase& c, int model)
{
    if (c.refusal) {
        return "";
    }
    return MaxSpeedText(c.selection, model) + " " + std::string(UnitSymbol(Quantity::Speed, c.selection.forceUnit));
}

bool SafeSpeedDiffers(const ComparedCase& a, const ComparedCase& b, int model)
{
    if (a.refusal || b.refusal) {
        return false;
    }
    return !Same(MaxSpeed(a.selection, model), MaxSpeed(b.selection, model));
}

void AddModelRows(std::vector<ComparisonRow>& rows, std::span<const ComparedCase> cases, int model)
{
    ComparisonRow verdict = RowOf(
        RowKind::Verdict, ModelLabel(cases, model), cases,
        [&](const ComparedCase& c) { return VerdictWords(c, model); },
        [&](const ComparedCase& a, const ComparedCase& b) {
            return !a.refusal && !b.refusal && SetsPassed(a, model) != SetsPassed(b, model);
        });
    MarkBest(verdict, cases, model);
    rows.push_back(std::move(verdict));
    rows.push_back(RowOf(
        RowKind::Nearest, "nearest", cases, [&](const ComparedCase& c) { return NearestCell(c, model); },
        [&](const ComparedCase& a, const ComparedCase& b) { return NearestDiffers(a, b, model); }));
    rows.push_back(RowOf(
        RowKind::SafeSpeed, "safe speed", cases, [&](const ComparedCase& c) { return SafeSpeedCell(c, model); },
        [&](const ComparedCase& a, const ComparedCase& b) { return SafeSpeedDiffers(a, b, model); }));
}

std::string RefusalText(const ComparedCase& c)
{
    if (!c.refusal) {
        return "";
    }
    std::string text = c.refusal->title + ": " + c.refusal->message;
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

}  // namespace

ComparedCase SelectCompared(std::string file, const Case& input)
{
    ComparedCase compared{std::move(file), input, {}, {}, CalculationId(input)};
    compared.selection.forceUnit = input.forceUnit;
    compared.refusal = SelectCommand(compared.selection, input.form);
    return compared;
}

std::vector<std::string_view> Differences(const Case& first, const Case& other)
{
    std::vector<std::string_view> names;
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        if (ChoiceCode(first, choice) != ChoiceCode(other, choice)) {
            names.push_back(kChoices[choice].name);
        }
    }
    for (int item = 0; item < kFieldCount; ++item) {
        if (FieldDiffers(item, first, other)) {
            names.push_back(kFieldNames[static_cast<std::size_t>(item)]);
        }
    }
    return names;
}

Comparison CompareCases(std::span<const ComparedCase> cases)
{
    Comparison comparison;
    if (cases.empty()) {
        return comparison;
    }
    std::vector<std::string_view> differing;
    for (const ComparedCase& c : cases) {
        comparison.files.push_back(c.file);
        comparison.refusals.push_back(RefusalText(c));
        const std::vector<std::string_view> names = Differences(cases.front().input, c.input);
        differing.insert(differing.end(), names.begin(), names.end());
    }
    // In the case file's order, whichever case differed first.
    std::vector<std::string_view> names;
    for (const Choice& choice : kChoices) {
        names.push_back(choice.name);
    }
    names.insert(names.end(), kFieldNames.begin(), kFieldNames.end());
    std::copy_if(names.begin(), names.end(), std::back_inserter(comparison.differences), [&](std::string_view name) {
        return std::find(differing.begin(), differing.end(), name) != differing.end();
    });
    AddChoiceRows(comparison.rows, cases);
    AddInputRows(comparison.rows, cases);
    AddOutcomeRows(comparison.rows, cases);
    for (int model = 0; model < kModelCount; ++model) {
        AddModelRows(comparison.rows, cases, model);
    }
    return comparison;
}

bool UnderModel(const ComparisonRow& row) { return row.kind == RowKind::Nearest || row.kind == RowKind::SafeSpeed; }

std::string MarkedCell(const ComparisonRow& row, std::size_t k)
{
    const std::string cell = row.best[k] ? "[" + row.cells[k] + "]" : row.cells[k];
    return row.differs[k] ? cell + " *" : cell;
}

std::vector<std::string> ComparisonNotes(const Comparison& comparison)
{
    std::string differences;
    for (const std::string_view name : comparison.differences) {
        differences += (differences.empty() ? "" : ", ") + std::string(name);
    }
    std::vector<std::string> notes{"Differences: " + (differences.empty() ? std::string("none") : differences)};
    for (std::size_t k = 0; k < comparison.files.size(); ++k) {
        if (!comparison.refusals[k].empty()) {
            notes.push_back(Joined(
                {"Case ", std::to_string(k + 1), " (", comparison.files[k], ") refused: ", comparison.refusals[k]}));
        }
    }
    return notes;
}

}  // namespace vyra
