#pragma once

#include "SelectorCli.h"

#include <ostream>

namespace vyra::cli {

// --batch: every row of the CSV file evaluated as vyra-select evaluates one
// case, the rows streamed to the output one at a time. Returns the
// ExitStatus: refused when a row was refused, usage error for a file that
// cannot be read as a batch, output failed when an output was not written.
int RunBatch(const SelectorOptions& options, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics);

}  // namespace vyra::cli
