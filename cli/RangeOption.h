#pragma once

#include "Case.h"
#include "Expected.h"
#include "Ranges.h"

#include <ostream>
#include <string>
#include <vector>

namespace vyra::cli {

// The words of --range, each NAME=LOW:HIGH: NAME an option name of an
// input that may carry a range, LOW and HIGH numbers in the case's unit. An
// input given again takes the later range, in the place of the first.
Expected<std::vector<InputRange>> ParseRangeWords(const std::vector<std::string>& words);

// One line for each model under the text tables: whether it passes over
// the ranges and, where it does not, the worst point and what fails there.
void WriteRangeLines(const Case& input, const std::vector<InputRange>& ranges, const RangeVerdicts& verdicts,
                     std::ostream& out);

}  // namespace vyra::cli
