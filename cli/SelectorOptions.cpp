#include "SelectorOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace vyra::cli {

namespace {

struct TextOption {
    const char* name;
    const char* help;
};

constexpr std::array<TextOption, kFieldCount> kFieldOptions{{
    {"--tension", "Tension FS, in the unit of --unit"},
    {"--diameter", "Roller diameter d [mm]"},
    {"--roller-weight", "Roller weight Wr [kg]"},
    {"--alpha", "Wrap angle alpha [degree]"},
    {"--beta", "Wrap angle beta [degree]"},
    {"--gamma", "Mounting angle gamma [degree]"},
    {"--position", "Roller position l [mm]"},
    {"--height", "Bearing height h [mm]"},
    {"--bearing-weight", "Bearing weight Wp [kg]"},
    {"--speed", "Line speed (max) V [m/min]"},
}};

// A value beginning with "-" is still a value when it reads as a number
// (-180, -.5) or is the lone "-".
bool LooksLikeOption(const std::string& word)
{
    if (word.size() < 2 || word[0] != '-') {
        return false;
    }
    const char next = word[1];
    return !((next >= '0' && next <= '9') || next == '.');
}

// Text options take any text, empty included, so they accept zero or one
// value; a bare option with nothing usable after it is caught here.
std::optional<std::string> FindMissingValue(const std::vector<std::string>& args,
                                            const std::vector<std::string>& textOptions)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isTextOption = std::find(textOptions.begin(), textOptions.end(), args[i]) != textOptions.end();
        if (!isTextOption) {
            continue;
        }
        if (i + 1 == args.size() || LooksLikeOption(args[i + 1])) {
            return args[i] + " needs a value (write " + args[i] + "= for an empty field)";
        }
        ++i;
    }
    return std::nullopt;
}

void AddTextOption(CLI::App& app, std::vector<std::string>& names, const char* name, std::string& target,
                   const char* help)
{
    app.add_option(name, target, help)->expected(0, 1)->type_name("TEXT");
    names.emplace_back(name);
}

template <typename T>
void AddChoice(CLI::App& app, const char* name, T& target, const std::map<std::string, T>& words, const char* help)
{
    app.add_option(name, target, help)->transform(CLI::CheckedTransformer(words));
}

struct Parser {
    CLI::App app{"Evaluates one roller case for all nine sensor models of a series, as \"Select\" does.",
                 "vyra-select"};
    std::vector<std::string> textOptions;
    SelectorOptions options;
    int opType = 0;
    int opMethod1 = 0;
    int opMethod2 = 0;
    int opMethod3 = 0;
    std::int16_t forceUnit = 0;
    std::int16_t fulcrumIndex = 0;

    Parser()
    {
        for (int item = 0; item < kFieldCount; ++item) {
            AddTextOption(app, textOptions, kFieldOptions[item].name, options.form.txtInput[item],
                          kFieldOptions[item].help);
        }
        AddChoice<std::int16_t>(app, "--unit", forceUnit, {{"kgf", 0}, {"N", 1}}, "Unit of force (default kgf)");
        AddChoice<int>(app, "--type", opType, {{"standard", 0}, {"safe", 1}}, "Series (default standard)");
        AddChoice<std::int16_t>(app, "--fulcrum", fulcrumIndex, {{"right", 0}, {"left", 1}},
                                "Fulcrum side (default right)");
        AddChoice<int>(app, "--sensors", opMethod1, {{"two", 0}, {"one", 1}}, "Number of sensors (default two)");
        AddChoice<int>(app, "--side", opMethod2, {{"one-side", 0}, {"independent", 1}},
                       "One sensor: one side or independent (default one-side)");
        AddChoice<int>(app, "--channel", opMethod3, {{"both", 0}, {"one", 1}},
                       "One sensor: both channels or one (default both)");
        ReportFields& r = options.report;
        AddTextOption(app, textOptions, "--customer", r.customer, "Customer, for the report");
        AddTextOption(app, textOptions, "--order", r.order, "Order number, for the report");
        AddTextOption(app, textOptions, "--machine", r.machine, "Machine, for the report");
        AddTextOption(app, textOptions, "--date", r.date, "Date, for the report");
        AddTextOption(app, textOptions, "--name", r.name, "Name, for the report");
        app.add_flag("--json", options.json, "Write one JSON document instead of the text tables");
    }

    SelectorOptions Finish()
    {
        options.form.opType = opType;
        options.form.opMethod1 = opMethod1;
        options.form.opMethod2 = opMethod2;
        options.form.opMethod3 = opMethod3;
        options.forceUnit = forceUnit;
        options.fulcrumIndex = fulcrumIndex;
        return options;
    }
};

}  // namespace

ParsedCommandLine ParseSelectorOptions(const std::vector<std::string>& args)
{
    Parser parser;
    if (std::find(args.begin(), args.end(), "--help") != args.end()
        || std::find(args.begin(), args.end(), "-h") != args.end()) {
        return HelpRequested{parser.app.help()};
    }
    if (std::optional<std::string> missing = FindMissingValue(args, parser.textOptions)) {
        return UsageError{*missing, parser.app.help()};
    }
    // CLI11 takes the words last first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        parser.app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        return UsageError{error.what(), parser.app.help()};
    }
    return parser.Finish();
}

}  // namespace vyra::cli
