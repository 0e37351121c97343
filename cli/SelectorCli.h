#pragma once

#include "FileAccess.h"
#include "LineReport.h"
#include "RunState.h"
#include "SelectorOptions.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vyra::cli {

enum ExitStatus : int { kComputed = 0, kRefused = 1, kUsageError = 2, kOutputFailed = 3, kInternalFailure = 4 };

// The report, print and sketch outputs, which need the drawing toolkit.
class GraphicsOutputs {
public:
    virtual ~GraphicsOutputs() = default;
    // Runs after a computed case; returns an ExitStatus.
    virtual int Produce(const SelectorOptions& options, const RunState& selection, std::ostream& err) = 0;
    // The line report of a batch as PDF into file, which the caller opened
    // before reading the rows and commits; the reason it could not be drawn
    // or written, or nothing.
    virtual Expected<void> DrawLineReport(const gfx::LineReportContent& content, WholeFileWriter& file) = 0;
};

// The whole of vyra-select: args without the program name; the results go
// to out, refusals and usage errors to err (JSON refusals to out). Without
// graphics, a request for the report, print or sketch fails with status 3.
int RunSelector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                GraphicsOutputs* graphics = nullptr);

// Whether the words ask for an output that needs GraphicsOutputs, from the
// words alone: a case file they name is not read.
bool RequestsGraphics(const std::vector<std::string>& args);

}  // namespace vyra::cli
