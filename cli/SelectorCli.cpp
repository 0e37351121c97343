#include "SelectorCli.h"

#include "BatchRun.h"
#include "CaseAndBatchFiles.h"
#include "CheckFailure.h"
#include "Commands.h"
#include "JsonOutput.h"
#include "SelectorOptions.h"
#include "TextTables.h"

#include <optional>

namespace vyra::cli {

namespace {

int Evaluate(const SelectorOptions& options, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics)
{
    // The case is kept as given, whatever the checks will say of it.
    if (!options.saveCasePath.empty()) {
        if (const auto failure = WriteCaseFile(options.saveCasePath, options.input)) {
            err << "vyra-select: cannot write " << *failure << '\n';
            return kOutputFailed;
        }
    }
    RunState state;
    state.forceUnit = options.input.forceUnit;
    if (const CheckResult failure = SelectCommand(state, options.input.form)) {
        if (options.json) {
            std::string document;
            AppendJsonRefusal(*failure, document);
            out << document;
        } else {
            err << failure->title << ": " << AsTerminalText(failure->message) << '\n';
        }
        return kRefused;
    }
    std::optional<Calibration> calibration;
    if (options.calibrationWeight) {
        calibration = CalibrationFor(options.input.form, options.input.forceUnit, *options.calibrationWeight);
    }
    if (options.json) {
        const PassingGamma passing = PassingGammas(options.input.form, options.input.forceUnit);
        std::string document;
        AppendJsonResult(state, document, {}, {&passing, calibration ? &*calibration : nullptr});
        out << document;
    } else {
        WriteTextTables(state, out);
        if (options.headroom) {
            WriteHeadroomTable(state, PassingGammas(options.input.form, options.input.forceUnit), out);
        }
        if (calibration) {
            WriteCalibrationTable(state, *calibration, out);
        }
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
    return graphics->Produce(options, state, err);
}

}  // namespace

int RunSelector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics)
{
    const ParsedCommandLine parsed = ParseSelectorOptions(args);
    if (const auto* text = std::get_if<TextRequested>(&parsed)) {
        out << text->text;
        return kComputed;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "vyra-select: " << usage->message << '\n';
        if (!usage->caseFile) {
            err << "Run vyra-select --help\n";
        }
        return kUsageError;
    }
    const auto& options = std::get<SelectorOptions>(parsed);
    if (options.batch) {
        return RunBatch(options, out, err, graphics);
    }
    return Evaluate(options, out, err, graphics);
}

bool RequestsGraphics(const std::vector<std::string>& args)
{
    const ParsedCommandLine parsed = ParseSelectorOptions(args, CaseFileReading::Skip);
    const auto* options = std::get_if<SelectorOptions>(&parsed);
    return options != nullptr && options->NeedsGraphics();
}

}  // namespace vyra::cli
