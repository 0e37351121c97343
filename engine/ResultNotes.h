#pragma once

#include "ForceUnit.h"

#include <string>
#include <vector>

namespace vyra {

struct RunState;

// Sentences every output of a computed case carries beside its figures:
// what the figures assume that the tables alone do not show. Empty when
// there is nothing to say.
std::vector<std::string> ResultNotes(const RunState& state);

}  // namespace vyra
