#pragma once

#include "ForceUnit.h"
#include "ResultTables.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vyra {

struct RunState;

// The side of its limits on which a figure passes its check.
enum class PassingSide {
    NotNegative,  // P1 >= 0
    AbsoluteBelow,  // |Zr| < limit
    AbsoluteBetween,  // lower < |S| < upper
    Below,  // F1/F2 < limit, signed
};

// How a table words a tolerance: the result screens, the report, the text tables.
enum class Wording { Screen, Report, Text };

// One tolerance check of the result sets, the only place its limits are
// written. Limits are in the figure's held units (mV, not the V shown); a
// stopper check reads each model's own limit (stopperTolerance) instead.
struct Check {
    std::string_view symbol{};  // the figure's column: "Vr", "F1/F2"
    std::string_view quantity{};  // what the figure is, in words: "output"
    int resultSet = 1;
    PassingSide side = PassingSide::AbsoluteBelow;
    double (*figure)(const ResultTables& tables, int model) = nullptr;
    double lower = 0;
    double upper = 0;
    bool modelsOwnLimit = false;
    int firstModel = 0;  // the check exists from this modelIndex on
    double heldPerShown = 1;  // mV per V
    // The tolerance in each Wording: {symbol} the figure's, {lower} and
    // {upper} the limits as shown, {first} and {last} the models it applies
    // to as the tables number them. Empty where a table words it otherwise.
    std::array<std::string_view, 3> wordings{};
};

// F1 / F2 or F1 / F3. A standing line (F1 = 0) excites nothing, so its ratio
// is 0 whatever the resonance, even one that overflowed to 0.
constexpr double FrequencyRatio(double excitation, double resonance)
{
    return excitation == 0 ? 0.0 : excitation / resonance;
}

inline constexpr Check kP1Check{.symbol = "P1",
                                .quantity = "load",
                                .side = PassingSide::NotNegative,
                                .figure = [](const ResultTables& t, int i) { return t.P1[i]; },
                                .firstModel = 6,
                                .wordings = {"", "", "{symbol} not negative for models {first} to {last}"}};
inline constexpr Check kZrCheck{.symbol = "Zr",
                                .quantity = "stopper",
                                .figure = [](const ResultTables& t, int i) { return t.Zr[i]; },
                                .modelsOwnLimit = true};
inline constexpr Check kZsCheck{.symbol = "Zs",
                                .quantity = "stopper",
                                .figure = [](const ResultTables& t, int i) { return t.Zs[i]; },
                                .modelsOwnLimit = true};
inline constexpr Check kVrCheck{.symbol = "Vr",
                                .quantity = "output",
                                .figure = [](const ResultTables& t, int i) { return t.Vr[i]; },
                                .upper = 260,
                                .heldPerShown = 1000,
                                .wordings = {"{symbol}< {upper:.3f}", "{symbol}< {upper}", "{symbol} < {upper:.3f} V"}};
inline constexpr Check kSCheck{
    .symbol = "S",
    .quantity = "gain",
    .side = PassingSide::AbsoluteBetween,
    .figure = [](const ResultTables& t, int i) { return t.S[i]; },
    .lower = 12,
    .upper = 80,
    .wordings = {"{lower}<{symbol}<{upper}", "{lower} <{symbol}< {upper}", "{lower} < {symbol} < {upper}"}};
inline constexpr Check kF1F2Check{
    .symbol = "F1/F2",
    .quantity = "ratio",
    .resultSet = 2,
    .side = PassingSide::Below,
    .figure = [](const ResultTables& t, int i) { return FrequencyRatio(t.F1[i], t.F2[i]); },
    .upper = 0.7,
    .wordings = {"{symbol}<{upper}", "{symbol}<{upper}", "{symbol} < {upper}"}};
inline constexpr Check kF1F3Check{
    .symbol = "F1/F3",
    .quantity = "ratio",
    .resultSet = 2,
    .side = PassingSide::Below,
    .figure = [](const ResultTables& t, int i) { return FrequencyRatio(t.F1[i], t.F3[i]); },
    .upper = kF1F2Check.upper,  // one limit for both ratios
    .wordings = kF1F2Check.wordings};

// Every check, in the order the tables show their figures.
inline constexpr std::array<const Check*, 7> kChecks{&kP1Check, &kZrCheck,   &kZsCheck,  &kVrCheck,
                                                     &kSCheck,  &kF1F2Check, &kF1F3Check};

// Whether the check exists for the model: P1's only for the three large ones.
bool Applies(const Check& check, int model);
// The check's upper limit for the model: a stopper's is the model's own.
double UpperLimit(const Check& check, const RunState& state, int model);
// Whether the model's figure fails: a figure that is not a finite number
// fails, but for P1 only NaN does, whose check asks for a sign.
bool Fails(const Check& check, const RunState& state, int model);

// The limits a figure's shown text must tell it from, in held units,
// smallest first: both signs of an absolute limit.
struct CheckLimits {
    std::array<double, 4> values{};
    std::size_t count = 0;
};
CheckLimits LimitsOf(const Check& check, const RunState& state, int model);

// The tolerance as the table words it: "Vr< 0.260", "12 <S< 80",
// "F1/F2 < 0.7".
std::string ToleranceText(const Check& check, Wording wording);
// The figure's key in the JSON documents: its symbol, a ratio's without its
// '/' ("F1F2").
std::string CheckKey(const Check& check);
// The upper limit as shown: "0.7".
std::string LimitText(const Check& check);

}  // namespace vyra
