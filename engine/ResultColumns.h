#pragma once

#include "RunState.h"
#include "Units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vyra {

// The limits of one check in the figure's held units, smallest first: a
// shown figure must tell on which side of each it lies.
struct CheckLimits {
    std::array<double, 4> values{};
    std::size_t count = 0;
};

// One column of a result table, as the result screens, the report and
// vyra-select's text tables all show it: what it is called, which figure it
// holds, how the held value becomes the shown one and which check marks it.
struct ResultColumn {
    std::string_view symbol;  // "P1", "F1/F2"
    // The heading in a kgf run: "[mm]"; empty for a ratio; kForceUnit for a force.
    std::string_view unit;
    Quantity quantity;  // how the figure follows the run's unit; Fixed for none
    // The figure of a model in the engine's units (kgf, mm, mV, Hz, um).
    double (*value)(const ResultTables& tables, int model);
    double divisor;  // a Fixed column's shown = value / divisor (mV shown in V)
    // The pattern in each unit of a run: "0" is 0, "0.0" is 1 ...
    int decimals;  // kgf
    int newtonDecimals;  // N: a force x 9.8 needs a decimal less
    int lbfDecimals;  // lbf, in, mil
    // Whether the model's figure fails its check; null for a column no check marks.
    bool (*failed)(const RunState& state, int model);
    // The limits the check compares the held figure with, for the model;
    // null for a column no check marks.
    CheckLimits (*limits)(const RunState& state, int model) = nullptr;
};

// The unit of a force column, which follows the run's unit of force.
inline constexpr std::string_view kForceUnit = "[force]";

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
// The tolerance line of Zr and Zs: "Zs< 0.65 or 0.7 or 0.8".
std::string StopperToleranceLine(ForceUnit forceUnit);
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
