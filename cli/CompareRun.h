#pragma once

#include "SelectorCli.h"

#include <ostream>

namespace vyra::cli {

// --compare: each case file read and evaluated as a single run of it is,
// then the comparison as text, CSV or JSON, and as PDF when asked. Returns
// the ExitStatus: refused when a case was refused (its column stays, with
// its message), usage error for a case file that cannot be read, output
// failed when an output was not written.
int RunCompare(const CompareRequest& request, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics);

}  // namespace vyra::cli
