#pragma once

#include "CheckFailure.h"
#include "Headroom.h"
#include "RunState.h"

#include <string>
#include <string_view>

namespace vyra::cli {

// The JSON documents of vyra-select, one line each. A batch puts its own
// members ("line", "id") first: leading holds them, each followed by a comma.
//
// What a computed case's document may carry beside its tables.
struct JsonExtras {
    const PassingGamma* passingGamma = nullptr;
    const Calibration* calibration = nullptr;
};

// A computed case: the tables in the engine's units (kgf, mm, mV, Hz, um)
// and each model's maxSpeed, numbers that read back to the same double,
// null for a non-finite value.
void AppendJsonResult(const RunState& state, std::string& out, std::string_view leading = {},
                      const JsonExtras& extras = {});
// A case refused by a check: its message and the marks the screen would set.
void AppendJsonRefusal(const CheckFailure& failure, std::string& out, std::string_view leading = {});

// A JSON string of UTF-8 text, quoted and escaped.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace vyra::cli
