#pragma once

#include "CheckFailure.h"
#include "Evaluation.h"

#include <string>
#include <string_view>

namespace vyra::cli {

// The JSON documents of vyra-select, one line each. A batch puts its own
// members ("line", "id") first: leading holds them, each followed by a comma.
//
// A computed case: the tables in the engine's units (kgf, mm, mV, Hz, um)
// whatever the run's unit, "units" naming the unit of every figure key,
// and each model's maxSpeed (m/min), numbers that read back to the same double,
// null for a non-finite value; the passing mounting angles and the
// calibration when they were evaluated.
void AppendJsonResult(const Evaluation& evaluation, std::string& out, std::string_view leading = {});
// A case refused by a check: its message and the marks the screen would set.
void AppendJsonRefusal(const CheckFailure& failure, std::string& out, std::string_view leading = {},
                       const std::optional<std::string>& calculationId = std::nullopt);

// A JSON string of UTF-8 text, quoted and escaped.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace vyra::cli
