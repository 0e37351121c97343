#include "Remedies.h"

#include "Answer.h"
#include "Commands.h"
#include "NumberText.h"
#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"
#include "RunState.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vyra {

namespace {

// Steps of the scan between the domain's ends; each pass/fail change found
// is then bisected, so the steps only bound how narrow a run may be missed.
constexpr int kScanSteps = 400;

using Verdicts = std::array<bool, kModelCount>;

// One input typed at value after value, every other entry as the form has it.
class Sweep {
public:
    Sweep(const EntryForm& form, ForceUnit unit, int item) : form_(form), unit_(unit), item_(item)
    {
        state_.forceUnit = unit;
    }

    Verdicts PassesAt(double value)
    {
        form_.txtInput[item_] = item_ == kItemGamma ? std::to_string(std::lround(value))
                                                    : RoundTripText(InRunUnits(FieldQuantity(item_), value, unit_));
        Verdicts verdicts{};
        if (SelectCommand(state_, form_)) {
            return verdicts;
        }
        for (int model = 0; model < kModelCount; ++model) {
            verdicts[model] =
                AssessResults1(state_, model).withinTolerance && AssessResults2(state_, model).withinTolerance;
        }
        return verdicts;
    }

private:
    EntryForm form_;
    ForceUnit unit_;
    int item_;
    RunState state_;
};

double EntryOf(const SelectionInputs& inputs, int item)
{
    switch (item) {
    case kItemGamma:
        return inputs.gamma;
    case kItemL:
        return inputs.l;
    case kItemH:
        return inputs.h;
    case kItemV:
        return inputs.V;
    case kItemWr:
        return inputs.Wr;
    case kItemWp:
        return inputs.Wp;
    default:
        return inputs.d;
    }
}

std::vector<double> ScanPoints(int item, const RemedyInterval& domain)
{
    const int steps = item == kItemGamma         ? static_cast<int>(domain.high - domain.low)
                      : domain.high > domain.low ? kScanSteps
                                                 : 0;
    std::vector<double> points;
    for (int k = 0; k <= steps; ++k) {
        points.push_back(k == steps ? domain.high : domain.low + k * (domain.high - domain.low) / steps);
    }
    return points;
}

// Narrows a pass/fail change to 0.1 % of the value (0.01 near zero) and
// returns its passing end; whole degrees are already exact.
double Boundary(Sweep& sweep, int item, int model, double passing, double failing)
{
    if (item == kItemGamma) {
        return passing;
    }
    while (std::fabs(passing - failing) > std::max(0.001 * std::fabs(passing), 0.01)) {
        const double middle = (passing + failing) / 2;
        (sweep.PassesAt(middle)[model] ? passing : failing) = middle;
    }
    return passing;
}

std::vector<RemedyInterval> PassingRuns(Sweep& sweep, int item, int model, const std::vector<double>& points,
                                        const std::vector<Verdicts>& verdicts)
{
    std::vector<RemedyInterval> runs;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const bool passes = verdicts[k][model];
        const bool before = k > 0 && verdicts[k - 1][model];
        if (passes && !before) {
            const double low = k == 0 ? points[k] : Boundary(sweep, item, model, points[k], points[k - 1]);
            runs.push_back({low, points[k]});
        }
        if (passes && (k + 1 == points.size() || !verdicts[k + 1][model])) {
            runs.back().high =
                k + 1 == points.size() ? points[k] : Boundary(sweep, item, model, points[k], points[k + 1]);
        }
    }
    return runs;
}

std::optional<double> NearestIn(const std::vector<RemedyInterval>& runs, double entry)
{
    std::optional<double> nearest;
    for (const RemedyInterval& run : runs) {
        const double value = std::clamp(entry, run.low, run.high);
        if (!nearest || std::fabs(value - entry) < std::fabs(*nearest - entry)) {
            nearest = value;
        }
    }
    return nearest;
}

bool PassesBoth(const RunState& state, int model)
{
    return AssessResults1(state, model).withinTolerance && AssessResults2(state, model).withinTolerance;
}

}  // namespace

RemedyInterval RemedyDomain(int item, double entry)
{
    switch (item) {
    case kItemGamma:
        return {-180, 180};
    case kItemL:
    case kItemH:
        return {-500, 500};
    case kItemV:
        return {0, std::max(10 * entry, 1000.0)};
    case kItemD:
        return {entry / 2, entry * 2};
    default:
        return {0, 10 * entry};
    }
}

Remedies RemediesOf(const EntryForm& form, ForceUnit forceUnit)
{
    Remedies remedies;
    RunState nominal;
    nominal.forceUnit = forceUnit;
    if (SelectCommand(nominal, form)) {
        return remedies;
    }
    for (const int item : kRemedyItems) {
        const double entry = EntryOf(nominal.inputs, item);
        const RemedyInterval domain = RemedyDomain(item, entry);
        const std::vector<double> points = ScanPoints(item, domain);
        Sweep sweep(form, forceUnit, item);
        std::vector<Verdicts> verdicts;
        for (const double point : points) {
            verdicts.push_back(sweep.PassesAt(point));
        }
        for (int model = 0; model < kModelCount; ++model) {
            if (!PassesBoth(nominal, model)) {
                Remedy remedy{item, domain, PassingRuns(sweep, item, model, points, verdicts), std::nullopt};
                remedy.nearest = NearestIn(remedy.passes, entry);
                remedies[model].push_back(std::move(remedy));
            }
        }
    }
    return remedies;
}

std::vector<int> RemedyOrder(const RunState& state)
{
    const auto farness = [&state](int model) {
        const double percent = NearestCheckOf(state, model).margin.percent;
        return std::isfinite(percent) ? percent : std::numeric_limits<double>::infinity();
    };
    std::vector<int> order;
    for (int model = 0; model < kModelCount; ++model) {
        if (!PassesBoth(state, model)) {
            order.push_back(model);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return farness(a) < farness(b); });
    return order;
}

namespace {

// Three significant digits, rounded into the run so that the text still passes.
std::string InwardText(double value, bool upper)
{
    const int decimals =
        value == 0 ? 0 : std::clamp(2 - static_cast<int>(std::floor(std::log10(std::fabs(value)))), 0, 3);
    const double scale = std::pow(10.0, decimals);
    const double rounded = (upper ? std::floor(value * scale) : std::ceil(value * scale)) / scale;
    return FormatPattern(rounded, decimals);
}

std::string RunText(const RunState& state, const Remedy& remedy, const RemedyInterval& run)
{
    const bool angle = remedy.item == kItemGamma;
    const Quantity quantity = FieldQuantity(remedy.item);
    const std::string symbol(FieldSymbol(remedy.item));
    const std::string unit = angle ? "°" : " " + std::string(UnitSymbol(quantity, state.forceUnit));
    const auto shown = [&](double value, bool upper) {
        return angle ? FormatPattern(value, 0) : InwardText(InRunUnits(quantity, value, state.forceUnit), upper);
    };
    if (run.low <= remedy.domain.low && run.high < remedy.domain.high) {
        return symbol + " ≤ " + shown(run.high, true) + unit;
    }
    if (run.high >= remedy.domain.high && run.low > remedy.domain.low) {
        return symbol + " ≥ " + shown(run.low, false) + unit;
    }
    return shown(run.low, false) + " ≤ " + symbol + " ≤ " + shown(run.high, true) + unit;
}

}  // namespace

std::string RemedySentence(const RunState& state, int model, const std::vector<Remedy>& remedies)
{
    std::string ways;
    for (const Remedy& remedy : remedies) {
        for (const RemedyInterval& run : remedy.passes) {
            if (remedy.nearest && *remedy.nearest >= run.low && *remedy.nearest <= run.high) {
                ways += (ways.empty() ? "" : ", or ") + RunText(state, remedy, run);
                break;
            }
        }
    }
    const std::string name(state.model(model).name);
    return ways.empty() ? name + ": no one input changed makes it pass both sets"
                        : name + " passes both sets with " + ways;
}

}  // namespace vyra
