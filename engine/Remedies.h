#pragma once

#include "Catalogue.h"
#include "ForceUnit.h"
#include "InputReading.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vyra {

struct RunState;

// What would make a failing model pass both result sets: one input changed
// over its whole domain, every other entry as typed.

// The inputs a remedy changes, in the order the sentences and the JSON name them.
inline constexpr std::array<int, 7> kRemedyItems{kItemGamma, kItemL, kItemH, kItemV, kItemWr, kItemWp, kItemD};

// A closed run of values, in the program's units (whole degrees, mm, m/min, kg).
struct RemedyInterval {
    double low = 0;
    double high = 0;

    bool operator==(const RemedyInterval&) const = default;
};

// Where an input is swept: gamma -180 to 180, l and h -500 to 500 mm, V 0 to
// ten times the entry (at least 1,000 m/min), the weights 0 to ten times the
// entry, d half to twice the entry. The same in every run, so that a remedy
// does not change with the unit it is shown in.
RemedyInterval RemedyDomain(int item, double entry);

struct Remedy {
    int item = kItemGamma;
    RemedyInterval domain;
    // Where the model passes both sets; each boundary to 0.1 % of its value
    // (at least 0.01), on its passing side.
    std::vector<RemedyInterval> passes;
    std::optional<double> nearest;  // the passing value nearest the entry
};

// Per model, one Remedy per kRemedyItems; none for a model that passes both
// sets as entered, and none at all when the case as entered is refused.
// Every value is typed into its field in the case's unit and evaluated by
// "Select", never a formula that could drift from the checks.
using Remedies = std::array<std::vector<Remedy>, kModelCount>;
Remedies RemediesOf(const EntryForm& form, ForceUnit forceUnit);

// The models that do not pass both sets in the selection, nearest to passing
// first (their nearest check's margin; of equals the first in the table).
std::vector<int> RemedyOrder(const RunState& state);

// "Vyra05A passes both sets with h ≤ 21.3 mm, or V ≤ 394 m/min": per input,
// the run of values holding the nearest, in the run's units, rounded inwards.
std::string RemedySentence(const RunState& state, int model, const std::vector<Remedy>& remedies);

}  // namespace vyra
