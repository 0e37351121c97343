#pragma once

#include <string>
#include <string_view>

namespace vyra::cli {

// A cell in RFC 4180 quoting. userText: a text the user typed, which a
// spreadsheet must never take for a formula.
void AppendCsvCell(std::string& out, std::string_view text, bool userText = false);

}  // namespace vyra::cli
