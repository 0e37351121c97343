#pragma once

#include "SelectorCli.h"

#include <ostream>

namespace vyra::cli {

// --batch: every row of the CSV file evaluated as vyra-select evaluates one
// case, the rows streamed to the output one at a time. Returns the
// ExitStatus: refused when a row was refused, usage error for a file that
// cannot be read as a batch, output failed when an output was not written.
// base is the case the options describe: a column the file lacks keeps its
// entry.
int RunBatch(const SelectorOptions& options, const Case& base, std::ostream& out, std::ostream& err,
             const Surroundings& surroundings, GraphicsOutputs* graphics);

}  // namespace vyra::cli
