#include "SelectorOptions.h"

#include "ResultFormat.h"
#include "Version.h"

#include <CLI/CLI.hpp>

#include <ctime>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

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

// Text options take any text, empty or beginning with "-", so a bare
// option and its value are joined into "--option=value" before CLI11 sees
// them; a bare option with nothing usable after it is a usage error.
std::variant<std::vector<std::string>, std::string> JoinTextOptions(const std::vector<std::string>& args,
                                                                    const std::vector<std::string>& textOptions)
{
    std::vector<std::string> joined;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool isTextOption = std::find(textOptions.begin(), textOptions.end(), args[i]) != textOptions.end();
        if (!isTextOption) {
            joined.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size() || LooksLikeOption(args[i + 1])) {
            return args[i] + " needs a value (write " + args[i] + "= for an empty field)";
        }
        joined.push_back(args[i] + "=" + args[i + 1]);
        ++i;
    }
    return joined;
}

void AddTextOption(CLI::App& app, std::vector<std::string>& names, const char* name, std::string& target,
                   const char* help)
{
    app.add_option(name, target, help)->expected(0, 1)->take_last()->type_name("TEXT");
    names.emplace_back(name);
}

// A choice word and the words it may be; its code is the word's position.
struct Choice {
    std::vector<std::string> words;
    std::string chosen;

    int Code() const { return static_cast<int>(std::find(words.begin(), words.end(), chosen) - words.begin()); }
};

void AddChoice(CLI::App& app, const char* name, Choice& choice, const char* help)
{
    choice.chosen = choice.words.front();
    app.add_option(name, choice.chosen, help)->take_last()->check(CLI::IsMember(choice.words));
}

// The date field of the input screen starts with the day of the run.
std::string TodaysDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday));
}

struct Parser {
    CLI::App app{"Evaluates one roller case for all nine sensor models of a series, as \"Select\" does.",
                 "vyra-select"};
    std::vector<std::string> textOptions;
    SelectorOptions options;
    Choice unit{{"kgf", "N"}, {}};
    Choice type{{"standard", "safe"}, {}};
    Choice fulcrum{{"right", "left"}, {}};
    Choice sensors{{"two", "one"}, {}};
    Choice side{{"one-side", "independent"}, {}};
    Choice channel{{"both", "one"}, {}};
    Choice paper{{"a4", "letter"}, {}};

    Parser()
    {
        for (int item = 0; item < kFieldCount; ++item) {
            AddTextOption(app, textOptions, kFieldOptions[item].name, options.form.txtInput[item],
                          kFieldOptions[item].help);
        }
        AddChoice(app, "--unit", unit, "Unit of force (default kgf)");
        AddChoice(app, "--type", type, "Series: standard or intrinsically safe (default standard)");
        AddChoice(app, "--fulcrum", fulcrum, "Fulcrum side (default right)");
        AddChoice(app, "--sensors", sensors, "Number of sensors (default two)");
        AddChoice(app, "--side", side, "With one sensor: one side or independent (default one-side)");
        AddChoice(app, "--channel", channel, "With one sensor: both channels or one (default both)");
        ReportFields& r = options.report;
        r.date = TodaysDate();
        AddTextOption(app, textOptions, "--customer", r.customer, "Customer, for the report");
        AddTextOption(app, textOptions, "--order", r.order, "Order number, for the report");
        AddTextOption(app, textOptions, "--machine", r.machine, "Machine, for the report");
        AddTextOption(app, textOptions, "--date", r.date, "Date, for the report (default today, as \"Dec 05,2026\")");
        AddTextOption(app, textOptions, "--name", r.name, "Name, for the report");
        app.add_flag("--json", options.json, "Write one JSON document instead of the text tables");
        GraphicsRequest& g = options.graphics;
        app.add_option("--report", g.reportPath, "Write the two report pages to this PDF file")
            ->type_name("FILE")
            ->take_last();
        AddChoice(app, "--paper", paper, "Paper of the PDF report, portrait (default a4)");
        app.add_flag("--print", g.print, "Print the report on the system's default printer");
        app.add_option("--sketch", g.sketchPath, "Draw the arrangement sketch into this PNG file")
            ->type_name("FILE")
            ->take_last();
        app.add_flag("--version")->description("Print the version and exit");
        app.footer(
            "Field options take the text as typed into the entry field (--alpha=-180, --speed= for an\n"
            "empty field); a missing field option is an empty field; the last of a repeated option counts.\n"
            "Exit status: 0 computed, 1 refused by a check, 2 usage error, 3 the report, print or sketch failed.");
    }

    // A file option given with an empty name would write nowhere.
    std::optional<std::string> EmptyFileName() const
    {
        for (const char* name : {"--report", "--sketch"}) {
            const CLI::Option* option = app.get_option(name);
            if (option->count() > 0 && option->as<std::string>().empty()) {
                return std::string(name) + " needs a file name";
            }
        }
        return std::nullopt;
    }

    SelectorOptions Finish()
    {
        options.form.opType = type.Code();
        options.form.opMethod1 = sensors.Code();
        options.form.opMethod2 = side.Code();
        options.form.opMethod3 = channel.Code();
        options.forceUnit = static_cast<std::int16_t>(unit.Code());
        options.form.fulcrumIndex = static_cast<std::int16_t>(fulcrum.Code());
        options.graphics.paper = paper.Code() == 0 ? Paper::A4 : Paper::Letter;
        return options;
    }
};

bool Contains(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// CLI11 words some errors over several lines; the first says what is wrong.
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

ParsedCommandLine ParseSelectorOptions(const std::vector<std::string>& args)
{
    Parser parser;
    auto joined = JoinTextOptions(args, parser.textOptions);
    if (const auto* missing = std::get_if<std::string>(&joined)) {
        return UsageError{*missing};
    }
    const auto& words = std::get<std::vector<std::string>>(joined);
    if (Contains(words, "--help") || Contains(words, "-h")) {
        return TextRequested{parser.app.help()};
    }
    if (Contains(words, "--version")) {
        return TextRequested{"vyra-select " + std::string(kVersion) + "\n"};
    }
    std::vector<const char*> argv{"vyra-select"};
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    try {
        parser.app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return UsageError{FirstLine(error.what())};
    }
    if (const std::optional<std::string> empty = parser.EmptyFileName()) {
        return UsageError{*empty};
    }
    return parser.Finish();
}

}  // namespace vyra::cli
