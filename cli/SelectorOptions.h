#pragma once

#include "Case.h"
#include "Expected.h"
#include "HelperOptions.h"
#include "Ranges.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace vyra::cli {

enum class Paper { A4, Letter };

// What is drawn beside the tables: the report as PDF or on the default
// printer, and the sketch as an image.
struct GraphicsRequest {
    std::string reportPath;
    Paper paper = Paper::A4;
    bool print = false;
    // The report gains a third page: both charts and the margin table.
    bool charts = false;
    // The calculation record follows the report's pages, or each roller's
    // of a line report.
    bool calculation = false;
    std::string sketchPath;
    // --chart speed|gamma FILE.png
    std::string chartKind;
    std::string chartPath;
    // The name of the case file the case came from or is saved to, which
    // every printed page names.
    std::string caseFile;
    // The charts page gains the calibration table of this test weight (kg,
    // lb in an lbf run).
    std::optional<double> calibrationWeight;

    bool Any() const { return !reportPath.empty() || print || !sketchPath.empty() || !chartPath.empty(); }
};

enum class BatchFormat { Csv, Json };

// --batch: every row of a CSV file evaluated as one case.
struct BatchRequest {
    std::string path;  // "-" for standard input
    BatchFormat format = BatchFormat::Csv;
    std::string outputPath;  // empty for standard output
    std::string lineReportPath;  // empty for none
    // Each JSON line gains passingGamma, at 361 evaluations a row.
    bool gammaScan = false;
};

enum class CompareFormat { Text, Csv, Json };

// --compare: two to four case files side by side.
struct CompareRequest {
    std::vector<std::string> paths;
    CompareFormat format = CompareFormat::Text;
    // The comparison as PDF, or empty for none.
    std::string reportPath;
    Paper paper = Paper::A4;
};

// The entries of the case that options gave; each takes the place of the
// case file's entry, or of the default without a case file.
struct CaseEntries {
    std::array<std::optional<std::string>, kFieldCount> fields;
    std::array<std::optional<std::string>, kReportItemCount> report;
    std::array<std::optional<int>, kChoiceCount> choices;
};

// What the words ask for. The case itself is built when the run starts
// (CaseOf), so that reading the words never touches a file.
struct SelectorOptions {
    // --case, or empty.
    std::string casePath;
    CaseEntries entries;
    // Where --save-case writes the case, or empty.
    std::string saveCasePath;
    bool json = false;
    // --headroom: the safe speed and mounting-angle table under the text tables.
    bool headroom = false;
    // --calibration-weight: the test weight in kg, lb in an lbf run.
    std::optional<double> calibrationWeight;
    // --range, one input each; each takes the place of the case file's
    // range of its input.
    std::vector<InputRange> ranges;
    // --remedies: per failing model, the one input changed that makes it pass both sets.
    bool remedies = false;
    GraphicsRequest graphics;
    // With --batch the case is the base of every row: a column the file
    // lacks keeps its entry.
    std::optional<BatchRequest> batch;
    // --advise-tension, --materials or --roller-calc: nothing else is done.
    std::optional<HelperRequest> helper;
    // --compare: nothing else is done.
    std::optional<CompareRequest> compare;

    bool NeedsGraphics() const
    {
        return graphics.Any() || (batch && !batch->lineReportPath.empty()) || (compare && !compare->reportPath.empty());
    }
};

// --help or --version: the text to print, and nothing else is done.
struct TextRequested {
    std::string text;
};

// One line saying what is wrong with the words.
struct UsageError {
    std::string message;
};

using ParsedCommandLine = std::variant<SelectorOptions, TextRequested, UsageError>;

// args excludes the program name. No file is read.
ParsedCommandLine ParseSelectorOptions(const std::vector<std::string>& args);

// The case the options describe: the case file's, or an empty one dated
// today, with the entries the options gave in place of its own; or the
// failure naming the case file and its problem.
Expected<Case> CaseOf(const SelectorOptions& options, const std::string& today);

}  // namespace vyra::cli
