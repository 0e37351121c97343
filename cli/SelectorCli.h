#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vyra::cli {

enum ExitStatus : int { kComputed = 0, kRefused = 1, kUsageError = 2 };

// The whole of vyra-select: args without the program name; the results go
// to out, refusals and usage errors to err (JSON refusals to out).
int RunSelector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vyra::cli
