#pragma once

#include "Checks.h"
#include "ForceUnit.h"
#include "ResultTables.h"
#include "Units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

struct RunState;

// How many decimals a figure's pattern shows in each unit of a run: a force
// x 9.8 in N needs a decimal less; lbf goes with in, mil and fpm.
struct Decimals {
    int kgf = 0;
    int newton = 0;
    int lbf = 0;
};

template <ResultTable ResultTables::*table>
constexpr double Held(const ResultTables& tables, int model)
{
    return (tables.*table)[model];
}

// One column of a result table, as the result screens, the report, the web
// page, vyra-select's text tables and its JSON documents all show it: what it
// is called, which figure it holds in which unit, how the held value becomes
// the shown one and which check marks it.
struct ResultColumn {
    std::string_view symbol{};  // "P1", "F1/F2"; a held figure's JSON key
    Quantity quantity = Quantity::Fixed;  // how the figure follows the run's unit
    std::string_view fixedUnit{};  // a Fixed column's heading in every run: "[V]"; empty for a ratio
    // The figure's unit in the engine and the JSON documents; empty for a
    // ratio, which they do not hold.
    std::string_view heldUnit{};
    double (*value)(const ResultTables& tables, int model) = nullptr;
    double divisor = 1;  // a Fixed column's shown = value / divisor (mV shown in V)
    Decimals decimals{};
    const Check* check = nullptr;  // the check that marks the figure, if any
};

inline constexpr std::array<ResultColumn, 9> kResultSet1Columns{{
    {.symbol = "P1",
     .quantity = Quantity::Force,
     .heldUnit = "kgf",
     .value = Held<&ResultTables::P1>,
     .decimals = {1, 0, 1},
     .check = &kP1Check},
    {.symbol = "We",
     .quantity = Quantity::Force,
     .heldUnit = "kgf",
     .value = Held<&ResultTables::We>,
     .decimals = {1, 0, 1}},
    {.symbol = "P",
     .quantity = Quantity::Force,
     .heldUnit = "kgf",
     .value = Held<&ResultTables::P>,
     .decimals = {1, 0, 1}},
    {.symbol = "Zt",
     .quantity = Quantity::Displacement,
     .heldUnit = "mm",
     .value = Held<&ResultTables::Zt>,
     .decimals = {2, 2, 1}},
    {.symbol = "Zr",
     .quantity = Quantity::Displacement,
     .heldUnit = "mm",
     .value = Held<&ResultTables::Zr>,
     .decimals = {2, 2, 1},
     .check = &kZrCheck},
    {.symbol = "Zs",
     .quantity = Quantity::Displacement,
     .heldUnit = "mm",
     .value = Held<&ResultTables::Zs>,
     .decimals = {2, 2, 1},
     .check = &kZsCheck},
    {.symbol = "Vt",
     .fixedUnit = "[V]",
     .heldUnit = "mV",
     .value = Held<&ResultTables::Vt>,
     .divisor = kVrCheck.heldPerShown,
     .decimals = {3, 3, 3}},
    {.symbol = "Vr",
     .fixedUnit = "[V]",
     .heldUnit = "mV",
     .value = Held<&ResultTables::Vr>,
     .divisor = kVrCheck.heldPerShown,
     .decimals = {3, 3, 3},
     .check = &kVrCheck},
    {.symbol = "S",
     .fixedUnit = "[times]",
     .heldUnit = "times",
     .value = Held<&ResultTables::S>,
     .decimals = {1, 1, 1},
     .check = &kSCheck},
}};

// The eccentric force is small: two decimals in kgf and lbf, one in N. The
// eccentricity in mil needs a third decimal for the um it is held in.
inline constexpr std::array<ResultColumn, 7> kResultSet2Columns{{
    {.symbol = "F1", .fixedUnit = "[Hz]", .heldUnit = "Hz", .value = Held<&ResultTables::F1>, .decimals = {1, 1, 1}},
    {.symbol = "F2", .fixedUnit = "[Hz]", .heldUnit = "Hz", .value = Held<&ResultTables::F2>, .decimals = {1, 1, 1}},
    {.symbol = "F3", .fixedUnit = "[Hz]", .heldUnit = "Hz", .value = Held<&ResultTables::F3>, .decimals = {1, 1, 1}},
    {.symbol = "F1/F2", .value = kF1F2Check.figure, .decimals = {2, 2, 2}, .check = &kF1F2Check},
    {.symbol = "F1/F3", .value = kF1F3Check.figure, .decimals = {2, 2, 2}, .check = &kF1F3Check},
    {.symbol = "E",
     .quantity = Quantity::Eccentricity,
     .heldUnit = "um",
     .value = Held<&ResultTables::E>,
     .decimals = {2, 2, 3}},
    {.symbol = "PB",
     .quantity = Quantity::Force,
     .heldUnit = "kgf",
     .value = Held<&ResultTables::PB>,
     .decimals = {2, 1, 2}},
}};

// The column of a symbol, for the layouts that place the columns: a symbol
// no column has does not compile.
consteval const ResultColumn* ColumnNamed(std::string_view symbol)
{
    for (const ResultColumn& column : kResultSet1Columns) {
        if (column.symbol == symbol) {
            return &column;
        }
    }
    for (const ResultColumn& column : kResultSet2Columns) {
        if (column.symbol == symbol) {
            return &column;
        }
    }
    throw "no result column has this symbol";
}

// Whether a layout places every column of a set once, each place naming
// its column: checked where the layout is written, so that no column is
// left out or shown twice.
template <typename Places, typename Columns>
consteval bool PlacesEveryColumnOnce(const Places& places, const Columns& columns)
{
    for (const ResultColumn& column : columns) {
        int times = 0;
        for (const auto& place : places) {
            times += place.column == &column ? 1 : 0;
        }
        if (times != 1) {
            return false;
        }
    }
    return std::size(places) == std::size(columns);
}

// Result set 1 (P1, We, P, Zt, Zr, Zs, Vt, Vr, S) and result set 2 (F1, F2,
// F3, F1/F2, F1/F3, E, PB), in the order every table shows them.
std::span<const ResultColumn> ResultSet1Columns();
std::span<const ResultColumn> ResultSet2Columns();

// A result set as the screens and the report show it: its columns and
// whether a model passes every check of the set, which frames its row.
struct ResultSet {
    std::span<const ResultColumn> columns;
    bool (*withinTolerance)(const RunState& state, int model);
};

ResultSet ResultSet1();
ResultSet ResultSet2();

// The figure as shown in the run's unit: a force x 9.8 in N or in lbf, a
// stopper displacement or the eccentricity in mil in an lbf run, an output
// in V.
double ShownValue(const ResultColumn& column, const RunState& state, int model);
// The decimals of the column's pattern in the run's unit.
int ShownDecimals(const ResultColumn& column, ForceUnit forceUnit);
// The shown figure through the column's pattern ("---" when not finite),
// with as many more decimals as it takes to tell on which side of each of
// its check's limits it lies, where the pattern's text would equal a limit
// or lie on its other side ("0.697" for 0.6966 under "< 0.7").
std::string ShownText(const ResultColumn& column, const RunState& state, int model);
// The unit heading in the run's unit: "[kgf]", "[N]" or "[lbf]" for a
// force, "[mm]" or "[mil]" for a stopper displacement ...
std::string_view UnitHeading(const ResultColumn& column, ForceUnit forceUnit);

// The eccentricity's heading on the screens and the report, in its own
// script: "ε[μm]", in an lbf run "ε[mil]".
std::string_view EccentricityHeading(ForceUnit forceUnit);

// The models' stopper limits as the tolerance lines give them, smallest
// first: "0.65", "0.7", "0.8" (mm), in an lbf run "25.59", "27.56", "31.50"
// (mil). Only words: the checks compare the held mm with the model's own
// limit whatever the run's unit.
std::vector<std::string> StopperLimitTexts(ForceUnit forceUnit);
// One stopper limit so: "0.65" (mm), in an lbf run "25.59" (mil).
std::string StopperLimitText(double millimetres, ForceUnit forceUnit);
// The tolerance line of Zr and Zs: "Zs< 0.65 or 0.7 or 0.8".
std::string StopperToleranceLine(ForceUnit forceUnit);
// The tolerances of a result set as the text tables and the page word them:
// "Tolerance: F1/F2 < 0.7, F1/F3 < 0.7"; set 1's in two lines.
std::string ToleranceSentence(int setNumber, ForceUnit forceUnit);
// Whether the figure is struck through or crossed out.
bool Failed(const ResultColumn& column, const RunState& state, int model);

// The first cell of a row: the last digit of modelIndex + 1, a blank and
// the model's name in the selected series ("1 Vyra05B").
std::string ModelLabel(const RunState& state, int modelIndex);

// Which result sets a model passes: "both", "1", "2" or "none".
std::string_view PassedSets(const RunState& state, int modelIndex);

// A result table's heading, naming the series and the detection method:
// "Selection result 1 (Standard series, Two sensors)".
std::string ResultSetHeading(const RunState& state, int setNumber);

// The names of the models that pass both result sets, in the table's order.
std::vector<std::string_view> ModelsPassingBoth(const RunState& state);

// "Passing both result sets: " and the names of the models that pass both,
// in the table's order, or "none".
std::string PassingBothSentence(const RunState& state);

}  // namespace vyra
