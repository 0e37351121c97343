#include "SelectorCli.h"

#include "Commands.h"
#include "JsonOutput.h"
#include "SelectorOptions.h"
#include "TextTables.h"

#include <algorithm>

namespace vyra::cli {

namespace {

// A message box breaks its line at a carriage return; a terminal would
// write the second line over the first.
std::string AsTerminalText(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

int Evaluate(const SelectorOptions& options, std::ostream& out, std::ostream& err, GraphicsOutputs* graphics)
{
    RunState state;
    state.forceUnit = options.forceUnit;
    state.inputs.fulcrumIndex = options.fulcrumIndex;
    if (const CheckResult failure = SelectCommand(state, options.form)) {
        if (options.json) {
            WriteJsonRefusal(*failure, out);
        } else {
            err << failure->title << ": " << AsTerminalText(failure->message) << '\n';
        }
        return kRefused;
    }
    if (options.json) {
        WriteJsonResult(state, out);
    } else {
        WriteTextTables(state, out);
    }
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
    if (const auto* help = std::get_if<HelpRequested>(&parsed)) {
        out << help->text;
        return kComputed;
    }
    if (const auto* usage = std::get_if<UsageError>(&parsed)) {
        err << "vyra-select: " << usage->message << "\n\n" << usage->usage;
        return kUsageError;
    }
    return Evaluate(std::get<SelectorOptions>(parsed), out, err, graphics);
}

bool RequestsGraphics(const std::vector<std::string>& args)
{
    return std::any_of(args.begin(), args.end(), [](const std::string& word) {
        return word == "--print" || word.starts_with("--report") || word.starts_with("--sketch");
    });
}

}  // namespace vyra::cli
