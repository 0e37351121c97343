#include "Checks.h"

#include "NumberText.h"
#include "RunState.h"

#include <fmt/format.h>

#include <cmath>

namespace vyra {

bool Applies(const Check& check, int model) { return model >= check.firstModel; }

double UpperLimit(const Check& check, const RunState& state, int model)
{
    return check.modelsOwnLimit ? state.model(model).stopperTolerance : check.upper;
}

bool Fails(const Check& check, const RunState& state, int model)
{
    if (!Applies(check, model)) {
        return false;
    }
    const double figure = check.figure(state.tables, model);
    const double upper = UpperLimit(check, state, model);
    switch (check.side) {
    case PassingSide::NotNegative:
        return figure < 0 || std::isnan(figure);
    case PassingSide::AbsoluteBelow:
        return !std::isfinite(figure) || std::fabs(figure) >= upper;
    case PassingSide::AbsoluteBetween:
        return !std::isfinite(figure) || std::fabs(figure) >= upper || std::fabs(figure) <= check.lower;
    case PassingSide::Below:
        return !std::isfinite(figure) || figure >= upper;
    }
    return true;
}

CheckLimits LimitsOf(const Check& check, const RunState& state, int model)
{
    if (!Applies(check, model)) {
        return {};
    }
    const double upper = UpperLimit(check, state, model);
    switch (check.side) {
    case PassingSide::NotNegative:
        return {{0}, 1};
    case PassingSide::AbsoluteBelow:
        return {{-upper, upper}, 2};
    case PassingSide::AbsoluteBetween:
        return {{-upper, -check.lower, check.lower, upper}, 4};
    case PassingSide::Below:
        return {{upper}, 1};
    }
    return {};
}

std::string ToleranceText(const Check& check, Wording wording)
{
    const int first = check.firstModel + 1;
    return fmt::format(fmt::runtime(check.wordings[static_cast<std::size_t>(wording)]),
                       fmt::arg("symbol", check.symbol), fmt::arg("lower", check.lower / check.heldPerShown),
                       fmt::arg("upper", check.upper / check.heldPerShown), fmt::arg("first", first),
                       fmt::arg("last", kModelCount));
}

std::string CheckKey(const Check& check)
{
    std::string key(check.symbol);
    std::erase(key, '/');
    return key;
}

std::string LimitText(const Check& check) { return ShortestText(check.upper / check.heldPerShown); }

}  // namespace vyra
