#include "ResultColumns.h"

#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vyra {

namespace {

template <auto assess>
bool WithinTolerance(const RunState& state, int model)
{
    return assess(state, model).withinTolerance;
}

}  // namespace

std::span<const ResultColumn> ResultSet1Columns() { return kResultSet1Columns; }
std::span<const ResultColumn> ResultSet2Columns() { return kResultSet2Columns; }

ResultSet ResultSet1() { return {kResultSet1Columns, WithinTolerance<AssessResults1>}; }
ResultSet ResultSet2() { return {kResultSet2Columns, WithinTolerance<AssessResults2>}; }

namespace {

double Shown(const ResultColumn& column, double held, ForceUnit forceUnit)
{
    if (column.quantity == Quantity::Fixed) {
        return held / column.divisor;
    }
    return InRunUnits(column.quantity, held, forceUnit);
}

int SideOf(double value, double limit) { return value < limit ? -1 : value > limit ? 1 : 0; }

// Decimals past these tell nothing more of any double near a limit.
constexpr int kMostDecimals = 20;

}  // namespace

double ShownValue(const ResultColumn& column, const RunState& state, int model)
{
    return Shown(column, column.value(state.tables, model), state.forceUnit);
}

int ShownDecimals(const ResultColumn& column, ForceUnit forceUnit)
{
    switch (forceUnit) {
    case kKgf:
        return column.decimals.kgf;
    case kNewton:
        return column.decimals.newton;
    case kLbf:
        return column.decimals.lbf;
    }
    return column.decimals.kgf;
}

// The side is the held figure's, as the check saw it, and the shown text's
// against the limit converted as the figure is.
std::string ShownText(const ResultColumn& column, const RunState& state, int model)
{
    const double held = column.value(state.tables, model);
    const double shown = Shown(column, held, state.forceUnit);
    int decimals = ShownDecimals(column, state.forceUnit);
    std::string text = FormatPattern(shown, decimals);
    const CheckLimits limits = column.check != nullptr ? LimitsOf(*column.check, state, model) : CheckLimits{};
    for (std::size_t k = 0; k < limits.count && std::isfinite(shown); ++k) {
        const double limit = limits.values[k];
        const double shownLimit = Shown(column, limit, state.forceUnit);
        while (decimals < kMostDecimals && SideOf(*ParseWholeNumber(text), shownLimit) != SideOf(held, limit)) {
            text = FormatPattern(shown, ++decimals);
        }
    }
    return text;
}

std::string_view UnitHeading(const ResultColumn& column, ForceUnit forceUnit)
{
    return column.quantity == Quantity::Fixed ? column.fixedUnit : UnitCaption(column.quantity, forceUnit);
}

std::string_view EccentricityHeading(ForceUnit forceUnit)
{
    switch (forceUnit) {
    case kKgf:
    case kNewton:
        return "\u03B5[\u03BCm]";
    case kLbf:
        return "\u03B5[mil]";
    }
    return "\u03B5[\u03BCm]";
}

std::string StopperLimitText(double millimetres, ForceUnit forceUnit)
{
    return forceUnit == kLbf ? FormatPattern(InRunUnits(Quantity::Displacement, millimetres, forceUnit), 2)
                             : ShortestText(millimetres);
}

std::vector<std::string> StopperLimitTexts(ForceUnit forceUnit)
{
    std::vector<double> limits;
    for (const SensorSeries& series : InitCatalogue()) {
        for (const SensorModel& model : series.models) {
            limits.push_back(model.stopperTolerance);
        }
    }
    std::sort(limits.begin(), limits.end());
    limits.erase(std::unique(limits.begin(), limits.end()), limits.end());
    std::vector<std::string> texts;
    for (const double limit : limits) {
        texts.push_back(StopperLimitText(limit, forceUnit));
    }
    return texts;
}

std::string StopperToleranceLine(ForceUnit forceUnit)
{
    std::string line = "Zs<";
    for (const std::string& limit : StopperLimitTexts(forceUnit)) {
        line += (line.size() > 3 ? " or " : " ") + limit;
    }
    return line;
}

namespace {

// "0.65, 0.7 or 0.8 mm", in an lbf run "25.59, 27.56 or 31.50 mil".
std::string StopperLimitsWording(ForceUnit unit)
{
    const std::vector<std::string> limits = StopperLimitTexts(unit);
    std::string wording;
    for (std::size_t k = 0; k < limits.size(); ++k) {
        wording += (k == 0 ? "" : k + 1 == limits.size() ? " or " : ", ") + limits[k];
    }
    return wording + " " + std::string(UnitSymbol(Quantity::Displacement, unit));
}

}  // namespace

std::string ToleranceSentence(int setNumber, ForceUnit forceUnit)
{
    if (setNumber == 2) {
        return "Tolerance: " + ToleranceText(kF1F2Check, Wording::Text) + ", "
               + ToleranceText(kF1F3Check, Wording::Text);
    }
    return "Tolerance (absolute values): Zr and Zs below the model's limit (" + StopperLimitsWording(forceUnit) + "), "
           + ToleranceText(kVrCheck, Wording::Text) + ", " + ToleranceText(kSCheck, Wording::Text) + ";\n"
           + ToleranceText(kP1Check, Wording::Text);
}

bool Failed(const ResultColumn& column, const RunState& state, int model)
{
    return column.check != nullptr && Fails(*column.check, state, model);
}

std::string ModelLabel(const RunState& state, int modelIndex)
{
    return std::to_string((modelIndex + 1) % 10) + " " + std::string(state.model(modelIndex).name);
}

std::string_view PassedSets(const RunState& state, int modelIndex)
{
    const bool first = AssessResults1(state, modelIndex).withinTolerance;
    const bool second = AssessResults2(state, modelIndex).withinTolerance;
    return first && second ? "both" : first ? "1" : second ? "2" : "none";
}

std::string ResultSetHeading(const RunState& state, int setNumber)
{
    const std::string_view series = state.seriesIndex == kStandardSeries ? "Standard" : "Intrinsically safe";
    return "Selection result " + std::to_string(setNumber) + " (" + std::string(series) + " series, "
           + std::string(MethodWording(state.inputs.methodCode)) + ")";
}

std::vector<std::string_view> ModelsPassingBoth(const RunState& state)
{
    std::vector<std::string_view> names;
    for (int model = 0; model < kModelCount; ++model) {
        if (PassedSets(state, model) == "both") {
            names.push_back(state.model(model).name);
        }
    }
    return names;
}

std::string PassingBothSentence(const RunState& state)
{
    std::string sentence = "Passing both result sets: ";
    const std::vector<std::string_view> names = ModelsPassingBoth(state);
    for (std::size_t k = 0; k < names.size(); ++k) {
        sentence += k > 0 ? ", " : "";
        sentence += names[k];
    }
    return names.empty() ? sentence + "none" : sentence;
}

}  // namespace vyra
