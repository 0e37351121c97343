#include "ResultColumns.h"

#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"

#include "NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vyra {

namespace {

template <ResultTable ResultTables::*table>
double Held(const ResultTables& tables, int model)
{
    return (tables.*table)[model];
}

double RatioF1F2(const ResultTables& t, int i) { return FrequencyRatio(t.F1[i], t.F2[i]); }
double RatioF1F3(const ResultTables& t, int i) { return FrequencyRatio(t.F1[i], t.F3[i]); }

template <bool Assessment1::*mark>
bool Failed1(const RunState& state, int model)
{
    return AssessResults1(state, model).*mark;
}

template <bool Assessment2::*mark>
bool Failed2(const RunState& state, int model)
{
    return AssessResults2(state, model).*mark;
}

template <auto assess>
bool WithinTolerance(const RunState& state, int model)
{
    return assess(state, model).withinTolerance;
}

CheckLimits P1Limits(const RunState&, int model)
{
    return model >= kFirstModelWithP1Check ? CheckLimits{{0}, 1} : CheckLimits{};
}

// The stopper, output and gain checks compare absolute values.
CheckLimits StopperLimits(const RunState& state, int model)
{
    const double limit = state.model(model).stopperTolerance;
    return {{-limit, limit}, 2};
}

CheckLimits OutputLimits(const RunState&, int) { return {{-kOutputLimitMillivolts, kOutputLimitMillivolts}, 2}; }

CheckLimits GainLimits(const RunState&, int)
{
    return {{-kGainUpperLimit, -kGainLowerLimit, kGainLowerLimit, kGainUpperLimit}, 4};
}

CheckLimits RatioLimits(const RunState&, int) { return {{kFrequencyRatioLimit}, 1}; }

constexpr double kMillivoltsPerVolt = 1000;

using enum Quantity;

constexpr std::array<ResultColumn, 9> kSet1{{
    {"P1", kForceUnit, Force, Held<&ResultTables::P1>, 1, 1, 0, 1, Failed1<&Assessment1::failP1>, P1Limits},
    {"We", kForceUnit, Force, Held<&ResultTables::We>, 1, 1, 0, 1, nullptr},
    {"P", kForceUnit, Force, Held<&ResultTables::P>, 1, 1, 0, 1, nullptr},
    {"Zt", "[mm]", Displacement, Held<&ResultTables::Zt>, 1, 2, 2, 1, nullptr},
    {"Zr", "[mm]", Displacement, Held<&ResultTables::Zr>, 1, 2, 2, 1, Failed1<&Assessment1::failZr>, StopperLimits},
    {"Zs", "[mm]", Displacement, Held<&ResultTables::Zs>, 1, 2, 2, 1, Failed1<&Assessment1::failZs>, StopperLimits},
    {"Vt", "[V]", Fixed, Held<&ResultTables::Vt>, kMillivoltsPerVolt, 3, 3, 3, nullptr},
    {"Vr", "[V]", Fixed, Held<&ResultTables::Vr>, kMillivoltsPerVolt, 3, 3, 3, Failed1<&Assessment1::failVr>,
     OutputLimits},
    {"S", "[times]", Fixed, Held<&ResultTables::S>, 1, 1, 1, 1, Failed1<&Assessment1::failS>, GainLimits},
}};

// The eccentric force is small: two decimals in kgf and lbf, one in N. The
// eccentricity in mil needs a third decimal for the um it is held in.
constexpr std::array<ResultColumn, 7> kSet2{{
    {"F1", "[Hz]", Fixed, Held<&ResultTables::F1>, 1, 1, 1, 1, nullptr},
    {"F2", "[Hz]", Fixed, Held<&ResultTables::F2>, 1, 1, 1, 1, nullptr},
    {"F3", "[Hz]", Fixed, Held<&ResultTables::F3>, 1, 1, 1, 1, nullptr},
    {"F1/F2", "", Fixed, RatioF1F2, 1, 2, 2, 2, Failed2<&Assessment2::failF1F2>, RatioLimits},
    {"F1/F3", "", Fixed, RatioF1F3, 1, 2, 2, 2, Failed2<&Assessment2::failF1F3>, RatioLimits},
    {"E", "[um]", Eccentricity, Held<&ResultTables::E>, 1, 2, 2, 3, nullptr},
    {"PB", kForceUnit, Force, Held<&ResultTables::PB>, 1, 2, 1, 2, nullptr},
}};

}  // namespace

std::span<const ResultColumn> ResultSet1Columns() { return kSet1; }
std::span<const ResultColumn> ResultSet2Columns() { return kSet2; }

ResultSet ResultSet1() { return {kSet1, WithinTolerance<AssessResults1>}; }
ResultSet ResultSet2() { return {kSet2, WithinTolerance<AssessResults2>}; }

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
        return column.decimals;
    case kNewton:
        return column.newtonDecimals;
    case kLbf:
        return column.lbfDecimals;
    }
    return column.decimals;
}

// The side is the held figure's, as the check saw it, and the shown text's
// against the limit converted as the figure is.
std::string ShownText(const ResultColumn& column, const RunState& state, int model)
{
    const double held = column.value(state.tables, model);
    const double shown = Shown(column, held, state.forceUnit);
    int decimals = ShownDecimals(column, state.forceUnit);
    std::string text = FormatPattern(shown, decimals);
    const CheckLimits limits = column.limits != nullptr ? column.limits(state, model) : CheckLimits{};
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
    return column.quantity == Quantity::Fixed ? column.unit : UnitCaption(column.quantity, forceUnit);
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
        switch (forceUnit) {
        case kKgf:
        case kNewton:
            texts.push_back(ShortestText(limit));
            break;
        case kLbf:
            texts.push_back(FormatPattern(InRunUnits(Quantity::Displacement, limit, forceUnit), 2));
            break;
        }
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

bool Failed(const ResultColumn& column, const RunState& state, int model)
{
    return column.failed != nullptr && column.failed(state, model);
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
