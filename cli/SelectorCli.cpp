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

int Evaluate(const SelectorOptions& options, std::ostream& out, std::ostream& err)
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
    return kComputed;
}

}  // namespace

int RunSelector(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
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
    return Evaluate(std::get<SelectorOptions>(parsed), out, err);
}

}  // namespace vyra::cli
