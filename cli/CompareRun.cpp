#include "CompareRun.h"

#include "CaseAndBatchFiles.h"
#include "ComparisonOutput.h"
#include "ComparisonPages.h"
#include "Evaluation.h"
#include "Utf8.h"

#include <algorithm>
#include <filesystem>

namespace vyra::cli {

namespace {

// The case file names head the columns; where two files of different
// folders share a name, the paths as given do. A control byte, or a name
// that is not UTF-8, is shown escaped, as the JSON document must hold it.
std::vector<std::string> Headings(const std::vector<std::string>& paths)
{
    std::vector<std::string> names;
    for (const std::string& path : paths) {
        names.push_back(std::filesystem::path(path).filename().string());
    }
    std::vector<std::string> headings = names;
    for (std::size_t a = 0; a < paths.size(); ++a) {
        for (std::size_t b = a + 1; b < paths.size(); ++b) {
            if (names[a] == names[b] && paths[a] != paths[b]) {
                headings = paths;
            }
        }
    }
    for (std::string& heading : headings) {
        heading = EscapedText(heading, LineBreaks::Escape);
    }
    return headings;
}

std::string Written(const CompareRequest& request, const Comparison& comparison,
                    std::span<const Evaluation> evaluations)
{
    switch (request.format) {
    case CompareFormat::Csv:
        return ComparisonCsv(comparison);
    case CompareFormat::Json:
        return ComparisonJson(comparison, evaluations);
    case CompareFormat::Text:
        break;
    }
    return ComparisonText(comparison);
}

}  // namespace

int RunCompare(const CompareRequest& request, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics)
{
    const std::vector<std::string> headings = Headings(request.paths);
    std::vector<Evaluation> evaluations;
    std::vector<ComparedCase> cases;
    for (std::size_t k = 0; k < request.paths.size(); ++k) {
        const Expected<Case> input = ReadCaseFile(request.paths[k]);
        if (!input) {
            err << "vyra-select: " << input.Error().reason << '\n';
            return kUsageError;
        }
        const Expected<std::vector<InputRange>> ranges = CheckedRangesOf(*input);
        if (!ranges) {
            err << "vyra-select: " << request.paths[k] << ": " << ranges.Error().reason << '\n';
            return kUsageError;
        }
        // A JSON column is the document a single run of the case writes.
        const bool json = request.format == CompareFormat::Json;
        evaluations.push_back(
            Evaluate(*input, {json, std::nullopt, json ? *ranges : std::vector<InputRange>{}, false}));
        const Evaluation& evaluation = evaluations.back();
        cases.push_back({headings[k], *input, evaluation.selection, evaluation.refusal, evaluation.calculationId});
    }
    const Comparison comparison = CompareCases(cases);
    out << Written(request, comparison, evaluations);
    out.flush();
    const bool refused = std::any_of(cases.begin(), cases.end(), [](const ComparedCase& c) { return c.refusal; });
    const int computed = refused ? kRefused : kComputed;
    if (request.reportPath.empty()) {
        return computed;
    }
    if (graphics == nullptr) {
        err << "vyra-select: this build cannot draw the comparison\n";
        return kOutputFailed;
    }
    const Expected<void> drawn =
        graphics->DrawComparison(gfx::ComparisonContentOf(cases), request.paper, request.reportPath);
    if (!drawn) {
        err << "vyra-select: cannot write " << request.reportPath << ": " << drawn.Error().reason << '\n';
        return kOutputFailed;
    }
    return computed;
}

}  // namespace vyra::cli
