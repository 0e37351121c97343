#pragma once

#include "ComparisonPages.h"
#include "FileAccess.h"
#include "ForceUnit.h"
#include "LineReport.h"
#include "MaterialTableFile.h"
#include "SelectorOptions.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace vyra {
struct RunState;
}

namespace vyra::cli {

struct Evaluation;

enum ExitStatus : int { kComputed = 0, kRefused = 1, kUsageError = 2, kOutputFailed = 3, kInternalFailure = 4 };

// The report, print and sketch outputs, which need the drawing toolkit.
class GraphicsOutputs {
public:
    virtual ~GraphicsOutputs() = default;
    // Runs after a computed case, from what was evaluated of it; returns an
    // ExitStatus.
    virtual int Produce(const GraphicsRequest& request, const Case& input, const Evaluation& evaluation,
                        std::ostream& err) = 0;
    // The line report of a batch as PDF into file, which the caller opened
    // before reading the rows and commits; or why it could not be drawn or
    // written.
    virtual Expected<void> DrawLineReport(const gfx::LineReportContent& content, Paper paper,
                                          WholeFileWriter& file) = 0;
    // The comparison of cases as PDF, written whole to path; or why it was not.
    virtual Expected<void> DrawComparison(const gfx::ComparisonContent& content, Paper paper,
                                          const std::string& path) = 0;
};

// What vyra-select reads of its surroundings: main hands in the real ones,
// tests their own.
struct Surroundings {
    // The day of the run as the date field shows it ("Dec 07,2026"): the
    // date of a case that has none from a case file or --date.
    std::string today;
    // A long batch shows its progress on a terminal's standard error.
    bool errorIsTerminal = false;
    // The user's material file, read over the shipped table when a row or
    // option first needs a material; no path for none.
    UserMaterialFile materialsFile{};
};

// The whole of vyra-select once its words are parsed: the results go to
// out, refusals and usage errors to err (JSON refusals to out). Without
// graphics, a request for the report, print or sketch fails with status 3.
int RunSelector(const ParsedCommandLine& parsed, std::ostream& out, std::ostream& err, const Surroundings& surroundings,
                GraphicsOutputs* graphics = nullptr);

// Whether the parsed words ask for an output that needs GraphicsOutputs.
bool RequestsGraphics(const ParsedCommandLine& parsed);

}  // namespace vyra::cli
