#pragma once

#include "Headroom.h"

#include <string>

namespace vyra {

struct RunState;

// What a case comes to: the models that fit, or the one that comes nearest
// and the check that stops it, as the report, the charts, the text tables
// and the JSON documents all state it.

// A model's check nearest to its limit in the case as selected.
struct NearestCheck {
    int check = kMarginCount;  // a MarginCheck; kMarginCount when no check has a figure
    CheckMargin margin;
};
NearestCheck NearestCheckOf(const RunState& state, int model);

// The model whose nearest check is least far past its limit; a failure
// without a percentage (P1's sign, a figure that is not finite) counts as
// the farthest, and of equals the first in the table wins.
int NearestModel(const RunState& state);

// The model and its nearest check in words, with the figure and the limit as
// the tables show them: "Vyra25B, gain S 83.5 against < 80 (104.5 %)".
std::string NearestText(const RunState& state, int model);

// "Passing both result sets: " and the models, or "No model passes both
// result sets. Nearest: " and the NearestText of the NearestModel.
std::string AnswerSentence(const RunState& state);

}  // namespace vyra
