#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vyra::cli {

// Runs this program again as a child process with the same words (argv,
// program name first) and the variable marker set in its environment, its
// standard output discarded and its standard error shared. Waits at most
// limit: the exit status of the child, or nothing when it took longer and
// was stopped (or could not be started).
std::optional<int> RunSelfWithin(const std::vector<std::string>& argv, const char* marker,
                                 std::chrono::milliseconds limit);

// Whether this process is such a child.
bool IsChildRun(const char* marker);

}  // namespace vyra::cli
