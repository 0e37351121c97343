#pragma once

#include "Case.h"
#include "Ranges.h"

#include <string>
#include <vector>

namespace vyra {

// "Over the ranges (N points):", then one line for each model: whether it
// passes over the ranges and, where it does not, its worst point and what
// fails there, in the words of the answer sentence.
std::vector<std::string> RangeLines(const Case& input, const std::vector<InputRange>& ranges,
                                    const RangeVerdicts& verdicts);

// The line naming the ranges set ("Ranges: gamma 10 to 30 [degree], speed
// 300 to 500 [m/min]"), empty when there are none.
std::string RangesLine(const CaseRanges& ranges, ForceUnit forceUnit);

}  // namespace vyra
