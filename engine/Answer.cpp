#include "Answer.h"

#include "NumberText.h"
#include "ResultColumns.h"
#include "RunState.h"
#include "Utf8.h"

#include <cmath>
#include <limits>

namespace vyra {

namespace {

const ResultColumn& ColumnOf(const Check& check)
{
    for (const std::span<const ResultColumn> columns : {ResultSet1Columns(), ResultSet2Columns()}) {
        for (const ResultColumn& column : columns) {
            if (column.check == &check) {
                return column;
            }
        }
    }
    return ResultSet1Columns().front();
}

double FarnessOf(const NearestCheck& nearest)
{
    return std::isfinite(nearest.margin.percent) ? nearest.margin.percent : std::numeric_limits<double>::infinity();
}

// The column's unit without its brackets, and none for a count or a ratio.
std::string UnitAfter(const ResultColumn& column, ForceUnit unit)
{
    const std::string_view heading = UnitHeading(column, unit);
    if (heading.size() < 2 || heading == "[times]") {
        return "";
    }
    return " " + std::string(heading.substr(1, heading.size() - 2));
}

// The limit the figure is nearest, as the tolerance lines give it.
std::string LimitWords(const Check& check, const RunState& state, int model)
{
    switch (check.side) {
    case PassingSide::NotNegative:
        return ">= 0";
    case PassingSide::AbsoluteBetween: {
        const double figure = std::fabs(check.figure(state.tables, model));
        return figure / check.upper >= check.lower / figure ? "< " + LimitText(check)
                                                            : "> " + ShortestText(check.lower);
    }
    case PassingSide::AbsoluteBelow:
    case PassingSide::Below:
        break;
    }
    return "< "
           + (check.modelsOwnLimit ? StopperLimitText(UpperLimit(check, state, model), state.forceUnit)
                                   : LimitText(check));
}

}  // namespace

NearestCheck NearestCheckOf(const RunState& state, int model)
{
    const CheckMargins margins = MarginsOf(state, model);
    const int check = NearestToFailing(margins);
    return check == kMarginCount ? NearestCheck{} : NearestCheck{check, margins[static_cast<std::size_t>(check)]};
}

int NearestModel(const RunState& state)
{
    int nearest = 0;
    double farness = FarnessOf(NearestCheckOf(state, 0));
    for (int model = 1; model < kModelCount; ++model) {
        const double f = FarnessOf(NearestCheckOf(state, model));
        if (f < farness) {
            nearest = model;
            farness = f;
        }
    }
    return nearest;
}

std::string NearestText(const RunState& state, int model)
{
    const NearestCheck nearest = NearestCheckOf(state, model);
    std::string text(state.model(model).name);
    if (nearest.check == kMarginCount) {
        return text;
    }
    const Check& check = *kChecks[static_cast<std::size_t>(nearest.check)];
    const ResultColumn& column = ColumnOf(check);
    const std::string unit = UnitAfter(column, state.forceUnit);
    text += Joined({", ", check.quantity, " ", check.symbol, " ", ShownText(column, state, model), unit, " against ",
                    LimitWords(check, state, model), unit});
    std::string margin = MarginText(nearest.margin, static_cast<MarginCheck>(nearest.check));
    if (margin.ends_with('%')) {
        margin.insert(margin.size() - 1, " ");
        text += " (" + margin + ")";
    }
    return text;
}

std::string AnswerSentence(const RunState& state)
{
    if (!ModelsPassingBoth(state).empty()) {
        return PassingBothSentence(state);
    }
    return "No model passes both result sets. Nearest: " + NearestText(state, NearestModel(state));
}

}  // namespace vyra
