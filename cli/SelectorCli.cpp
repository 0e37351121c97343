#include "SelectorCli.h"

#include "BatchRun.h"
#include "CaseAndBatchFiles.h"
#include "CompareRun.h"
#include "Evaluation.h"
#include "HelperRun.h"
#include "JsonOutput.h"
#include "RangeOption.h"
#include "SelectorOptions.h"
#include "TextTables.h"

#include <algorithm>
#include <iterator>

namespace vyra::cli {

namespace {

// The figures of a computed case, or its refusal, as text or JSON.
int WriteResults(const SelectorOptions& options, const Case& input, const Evaluation& evaluation, std::ostream& out,
                 std::ostream& err)
{
    if (options.json) {
        std::string document;
        if (evaluation.refusal) {
            AppendJsonRefusal(*evaluation.refusal, document, {}, evaluation.calculationId);
        } else {
            AppendJsonResult(evaluation, document);
        }
        out << document;
    } else if (evaluation.refusal) {
        err << TerminalText(*evaluation.refusal) << '\n';
        // A refused case is a calculation too, which a colleague may be asked to check.
        if (evaluation.calculationId) {
            err << "Calculation ID: " << *evaluation.calculationId << '\n';
        }
    } else {
        WriteTextTables(evaluation.selection, out);
        out << "Calculation ID: " << evaluation.calculationId.value_or("none") << '\n';
        if (evaluation.passingGamma) {
            WriteHeadroomTable(evaluation.selection, *evaluation.passingGamma, out);
        }
        if (evaluation.calibration) {
            WriteCalibrationTable(evaluation.selection, *evaluation.calibration, out);
        }
        if (evaluation.rangeVerdicts) {
            WriteRangeLines(input, evaluation.ranges, *evaluation.rangeVerdicts, out);
        }
        if (evaluation.remedies) {
            WriteRemedies(evaluation.selection, *evaluation.remedies, out);
        }
    }
    return evaluation.refusal ? kRefused : kComputed;
}

// The ranges of the case, or the refusal of one, blamed on the case file
// when --range did not give it.
Expected<std::vector<InputRange>> CheckedRanges(const SelectorOptions& options, const Case& input)
{
    Expected<std::vector<InputRange>> ranges = RangesOf(input);
    if (!ranges) {
        return Failed(options.casePath + ": " + ranges.Error().reason);
    }
    std::vector<InputRange> fromFile;
    std::copy_if(ranges->begin(), ranges->end(), std::back_inserter(fromFile), [&](const InputRange& range) {
        return std::none_of(options.ranges.begin(), options.ranges.end(),
                            [&](const InputRange& given) { return given.item == range.item; });
    });
    if (const Expected<void> checked = CheckRanges(input.form, input.forceUnit, fromFile); !checked) {
        return Failed(options.casePath + ": " + checked.Error().reason);
    }
    if (const Expected<void> checked = CheckRanges(input.form, input.forceUnit, *ranges); !checked) {
        return Failed("--range: " + checked.Error().reason);
    }
    return ranges;
}

int RunOneCase(const SelectorOptions& options, const Case& input, std::ostream& out, std::ostream& err,
               GraphicsOutputs* graphics)
{
    // The case is kept as given, whatever the checks will say of it.
    if (!options.saveCasePath.empty()) {
        if (auto written = WriteCaseFile(options.saveCasePath, input); !written) {
            err << "vyra-select: cannot write " << written.Error().reason << '\n';
            return kOutputFailed;
        }
    }
    const Expected<std::vector<InputRange>> ranges = CheckedRanges(options, input);
    if (!ranges) {
        err << "vyra-select: " << ranges.Error().reason << '\n';
        return kUsageError;
    }
    // The JSON document always carries the passing mounting angles.
    const Evaluation evaluation =
        Evaluate(input, {options.json || options.headroom, options.calibrationWeight, *ranges, options.remedies});
    if (const int status = WriteResults(options, input, evaluation, out, err); status != kComputed) {
        return status;
    }
    // The figures are out before a slow printer or a large report is waited on.
    out.flush();
    if (!options.graphics.Any()) {
        return kComputed;
    }
    if (graphics == nullptr) {
        err << "vyra-select: this build cannot draw the report or the sketch\n";
        return kOutputFailed;
    }
    return graphics->Produce(options.graphics, input, evaluation, err);
}

}  // namespace

int RunSelector(const ParsedCommandLine& parsed, std::ostream& out, std::ostream& err, const Surroundings& surroundings,
                GraphicsOutputs* graphics)
{
    if (const auto* text = std::get_if<TextRequested>(&parsed)) {
        out << text->text;
        return kComputed;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "vyra-select: " << usage->message << "\nRun vyra-select --help\n";
        return kUsageError;
    }
    const auto& options = std::get<SelectorOptions>(parsed);
    if (options.helper) {
        return RunHelper(*options.helper, surroundings.materialsFile, out, err);
    }
    if (options.compare) {
        return RunCompare(*options.compare, out, err, graphics);
    }
    const Expected<Case> input = CaseOf(options, surroundings.today);
    if (!input) {
        err << "vyra-select: " << input.Error().reason << '\n';
        return kUsageError;
    }
    if (options.batch) {
        return RunBatch(options, *input, out, err, surroundings, graphics);
    }
    return RunOneCase(options, *input, out, err, graphics);
}

bool RequestsGraphics(const ParsedCommandLine& parsed)
{
    const auto* options = std::get_if<SelectorOptions>(&parsed);
    return options != nullptr && options->NeedsGraphics();
}

}  // namespace vyra::cli
