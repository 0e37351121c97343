#include "SelectorOptions.h"

#include "CaseAndBatchFiles.h"
#include "Comparison.h"
#include "Headroom.h"
#include "NumberText.h"
#include "RangeOption.h"
#include "Utf8.h"
#include "Version.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>

namespace vyra::cli {

namespace {

constexpr std::array<const char*, kFieldCount> kFieldHelp{
    "Tension FS, in the unit of --unit",
    "Roller diameter d [mm], with --unit lbf [in]",
    "Roller weight Wr [kg], with --unit lbf [lb]",
    "Wrap angle alpha [degree]",
    "Wrap angle beta [degree]",
    "Mounting angle gamma [degree]",
    "Roller position l [mm], with --unit lbf [in]",
    "Bearing height h [mm], with --unit lbf [in]",
    "Bearing weight Wp [kg], with --unit lbf [lb]",
    "Line speed (max) V [m/min], with --unit lbf [ft/min]",
};

constexpr std::array<const char*, kReportItemCount> kReportHelp{
    "Customer, for the report", "Order number, for the report",
    "Machine, for the report",  "Date, for the report (default today, as \"Dec 05,2026\")",
    "Name, for the report",
};

constexpr std::array<const char*, kChoiceCount> kChoiceHelp{
    "Unit of the run (default kgf); lbf also takes and shows lengths in in, weights in lb, speeds in "
    "ft/min and displacements in mil",
    "Series: standard or intrinsically safe (default standard)",
    "Fulcrum side (default right)",
    "Number of sensors (default two)",
    "With one sensor: one side or independent (default one-side)",
    "With one sensor: both channels or one (default both)",
};

std::string OptionName(std::string_view name) { return "--" + std::string(name); }

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
Expected<std::vector<std::string>> JoinTextOptions(const std::vector<std::string>& args,
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
            return Failed(args[i] + " needs a value (write " + args[i] + "= for an empty field)");
        }
        joined.push_back(args[i] + "=" + args[i + 1]);
        ++i;
    }
    return joined;
}

CLI::Option* AddTextOption(CLI::App& app, std::vector<std::string>& names, std::string_view name, std::string& target,
                           const char* help)
{
    names.push_back(OptionName(name));
    return app.add_option(names.back(), target, help)->expected(0, 1)->take_last()->type_name("TEXT");
}

std::vector<std::string> Words(std::span<const std::string_view> words) { return {words.begin(), words.end()}; }

// Every entry of the case is an option; an option that was given takes the
// place of the case file's entry, or of the default without a case file.
struct Parser {
    CLI::App app{"Evaluates one roller case for all nine sensor models of a series, as \"Select\" does.",
                 "vyra-select"};
    std::vector<std::string> textOptions;
    SelectorOptions options;
    Case given;
    std::array<CLI::Option*, kFieldCount> fieldOptions{};
    std::array<CLI::Option*, kReportItemCount> reportOptions{};
    std::array<CLI::Option*, kChoiceCount> choiceOptions{};
    std::array<std::string, kChoiceCount> choiceWords;
    std::string paper = "a4";
    BatchRequest batch;
    std::string format = "csv";
    std::string calibrationWeight;
    std::vector<std::string> chart;
    std::vector<std::string> rangeWords;
    std::vector<std::string> compareFiles;
    HelperWords helperWords;

    Parser()
    {
        app.add_option("--case", options.casePath,
                       "Read the case from this case file (.vyracase); options given beside it "
                       "take the place of its entries")
            ->type_name("FILE")
            ->take_last();
        app.add_option("--save-case", options.saveCasePath,
                       "Write the case as given to this case file, then evaluate it")
            ->type_name("FILE")
            ->take_last();
        for (int item = 0; item < kFieldCount; ++item) {
            fieldOptions[item] =
                AddTextOption(app, textOptions, kFieldNames[item], given.form.txtInput[item], kFieldHelp[item]);
        }
        for (int choice = 0; choice < kChoiceCount; ++choice) {
            const Choice& words = kChoices[choice];
            choiceOptions[choice] = app.add_option(OptionName(words.name), choiceWords[choice], kChoiceHelp[choice])
                                        ->take_last()
                                        ->check(CLI::IsMember(Words(words.words)));
        }
        for (int item = 0; item < kReportItemCount; ++item) {
            reportOptions[item] =
                AddTextOption(app, textOptions, kReportNames[item], given.report[item], kReportHelp[item]);
        }
        app.add_flag("--json", options.json, "Write one JSON document instead of the text tables");
        GraphicsRequest& g = options.graphics;
        app.add_option("--report", g.reportPath, "Write the two report pages to this PDF file")
            ->type_name("FILE")
            ->take_last();
        app.add_option("--paper", paper, "Paper of the PDF report and the line report, portrait (default a4)")
            ->take_last()
            ->check(CLI::IsMember({"a4", "letter"}));
        app.add_flag("--print", g.print, "Print the report on the system's default printer");
        app.add_option("--sketch", g.sketchPath, "Draw the arrangement sketch into this PNG file")
            ->type_name("FILE")
            ->take_last();
        app.add_option("--batch", batch.path,
                       "Evaluate every row of this CSV file (- for standard input) as one case; the columns are "
                       "named like the options, plus id, and NAME-low and NAME-high for a range")
            ->type_name("FILE")
            ->take_last();
        app.add_option("--format", format,
                       "With --batch: one CSV row or one JSON line per roller (default csv); with --compare: text "
                       "(the default), csv or json")
            ->take_last()
            ->check(CLI::IsMember({"text", "csv", "json"}));
        app.add_option("--output", batch.outputPath, "With --batch: write the rows to this file, whole or not at all")
            ->type_name("FILE")
            ->take_last();
        app.add_option("--line-report", batch.lineReportPath,
                       "With --batch: write the line report (cover, matrix, the report of every roller) to this PDF")
            ->type_name("FILE")
            ->take_last();
        app.add_flag("--headroom", options.headroom,
                     "Also print each model's maxSpeed and the mounting angles at which it passes result set 1");
        app.add_flag("--gamma-scan", batch.gammaScan,
                     "With --batch --format json: each line gains passingGamma (361 evaluations a row)");
        app.add_flag("--remedies", options.remedies,
                     "Also say, model by model, which one input changed (gamma, position, height, speed, "
                     "the weights, diameter) would make a failing model pass both result sets");
        app.add_option("--calibration-weight", calibrationWeight,
                       "Also evaluate a test weight of this many kg (lb with --unit lbf) hung along the web path: "
                       "the output and gain each model should show")
            ->type_name("MASS")
            ->take_last();
        app.add_option("--range", rangeWords,
                       "Also evaluate every model over this range of an input (alpha, beta, gamma, position, "
                       "height, roller-weight, bearing-weight or speed), in the case's unit; repeatable")
            ->type_name("NAME=LOW:HIGH")
            ->allow_extra_args(false);
        app.add_flag("--charts", g.charts,
                     "With --report or --print: a third page with both charts, the margins, the remedies and, with "
                     "--range, the verdicts and the tornado, continued on a fourth where they do not fit");
        app.add_flag("--calculation", g.calculation,
                     "With --report, --print or --line-report: the calculation record after the report's pages "
                     "(each roller's): inputs, data, formulas with their values, assumptions and sign-off");
        app.add_option("--chart", chart, "Draw the speed or the mounting-angle chart into this PNG file")
            ->type_name("speed|gamma FILE")
            ->expected(2)
            ->take_last();
        app.add_option("--compare", compareFiles,
                       "Compare two to four case files side by side: their choices and inputs, each in its own "
                       "unit, then each model's verdict, nearest check and safe speed, marking what differs from "
                       "the first; with --format, --json, --report and --paper only")
            ->type_name("FILE FILE [FILE FILE]")
            ->expected(1, static_cast<int>(kMostCompared));
        AddHelperOptions(app, textOptions, helperWords);
        app.add_flag("--version")->description("Print the version and exit");
        app.footer("Field options take the text as typed into the entry field (--alpha=-180, --speed= for an\n"
                   "empty field); a missing field option is an empty field, or the case file's entry with --case;\n"
                   "the last of a repeated option counts.\n"
                   "Exit status: 0 computed, 1 refused by a check, 2 usage error or broken case file, 3 the case,\n"
                   "report, print, sketch, chart or standard output could not be written. With --batch: 0 every\n"
                   "row computed, 1 a row refused, 2 usage error or unreadable CSV, 3 an output could not be\n"
                   "written. With --compare: 0 every case computed, 1 a case refused, 2 usage error or an\n"
                   "unreadable case file, 3 an output could not be written. 4 an unexpected failure inside the\n"
                   "program, with a message.");
    }

    // A file option given with an empty name would write nowhere.
    Expected<void> EmptyFileName() const
    {
        for (const char* name :
             {"--case", "--save-case", "--report", "--sketch", "--batch", "--output", "--line-report"}) {
            const CLI::Option* option = app.get_option(name);
            if (option->count() > 0 && option->as<std::string>().empty()) {
                return Failed(std::string(name) + " needs a file name");
            }
        }
        return {};
    }

    bool Given(const char* name) const { return app.get_option(name)->count() > 0; }

    // A comparison reads its cases from their files and writes only its own outputs.
    Expected<void> CompareConflict() const
    {
        if (!Given("--compare")) {
            return format == "text" ? Failed("--format text needs --compare") : Expected<void>{};
        }
        for (const CLI::Option* option : app.get_options()) {
            const std::string name = option->get_name();
            const bool own = name == "--compare" || name == "--format" || name == "--json" || name == "--report"
                             || name == "--paper";
            if (!own && option->count() > 0) {
                return Failed(name + " cannot go with --compare (it has --format, --report and --paper)");
            }
        }
        if (Given("--json") && Given("--format") && format != "json") {
            return Failed("--json cannot go with --format " + format);
        }
        if (compareFiles.size() < kFewestCompared || compareFiles.size() > kMostCompared) {
            return Failed("--compare needs two to four case files, not " + std::to_string(compareFiles.size()));
        }
        if (std::any_of(compareFiles.begin(), compareFiles.end(), [](const std::string& f) { return f.empty(); })) {
            return Failed("--compare needs file names");
        }
        return {};
    }

    // A batch writes only its own outputs; its options mean nothing alone.
    Expected<void> BatchConflict() const
    {
        if (!Given("--batch")) {
            for (const char* name : {"--format", "--output", "--line-report", "--gamma-scan"}) {
                if (Given(name) && !Given("--compare")) {
                    return Failed(std::string(name) + " needs --batch");
                }
            }
            return {};
        }
        for (const char* name :
             {"--json", "--report", "--print", "--sketch", "--save-case", "--charts", "--chart", "--range"}) {
            if (Given(name)) {
                return Failed(std::string(name)
                              + " cannot go with --batch (it has --format, --output and --line-report)");
            }
        }
        return {};
    }

    Expected<void> ChartProblem() const
    {
        if (Given("--charts") && !Given("--report") && !Given("--print")) {
            return Failed("--charts needs --report or --print");
        }
        if (Given("--calculation") && !Given("--report") && !Given("--print") && !Given("--line-report")) {
            return Failed("--calculation needs --report, --print or --line-report");
        }
        if (Given("--chart") && chart.front() != "speed" && chart.front() != "gamma") {
            return Failed("--chart draws speed or gamma, not \"" + chart.front() + "\"");
        }
        if (Given("--chart") && chart.back().empty()) {
            return Failed("--chart needs a file name");
        }
        return {};
    }

    // Texts go into case files and JSON, which hold UTF-8 only.
    Expected<void> TextNotUtf8() const
    {
        for (int item = 0; item < kFieldCount; ++item) {
            if (!IsUtf8(given.form.txtInput[item])) {
                return Failed(OptionName(kFieldNames[item]) + " is not UTF-8 text");
            }
        }
        for (int item = 0; item < kReportItemCount; ++item) {
            if (!IsUtf8(given.report[item])) {
                return Failed(OptionName(kReportNames[item]) + " is not UTF-8 text");
            }
        }
        return {};
    }

    // A helper's request, or empty when no helper is asked for.
    Expected<std::optional<HelperRequest>> Helper() const
    {
        const auto text = [this](int item) {
            return fieldOptions[item]->count() > 0 ? given.form.txtInput[item] : std::string();
        };
        const ForceUnit unit = ForceUnitNamed(choiceWords[kUnitChoice]).value_or(kKgf);
        return FinishHelper(app, helperWords, {text(kItemFS), text(kItemV), unit, options.json});
    }

    ParsedCommandLine Finish()
    {
        if (const Expected<std::optional<HelperRequest>> helper = Helper(); !helper) {
            return UsageError{helper.Error().reason};
        } else if (*helper) {
            options.helper = **helper;
            return options;
        }
        for (const Expected<void>& check : {TextNotUtf8(), CompareConflict(), BatchConflict(), ChartProblem()}) {
            if (!check) {
                return UsageError{check.Error().reason};
            }
        }
        CaseEntries& entries = options.entries;
        for (int item = 0; item < kFieldCount; ++item) {
            if (fieldOptions[item]->count() > 0) {
                entries.fields[item] = given.form.txtInput[item];
            }
        }
        for (int item = 0; item < kReportItemCount; ++item) {
            if (reportOptions[item]->count() > 0) {
                entries.report[item] = given.report[item];
            }
        }
        for (int choice = 0; choice < kChoiceCount; ++choice) {
            if (choiceOptions[choice]->count() > 0) {
                entries.choices[choice] = ChoiceCodeOf(kChoices[choice], choiceWords[choice]).value_or(0);
            }
        }
        options.graphics.paper = paper == "a4" ? Paper::A4 : Paper::Letter;
        if (Given("--compare")) {
            const bool csv = Given("--format") && format == "csv";
            const CompareFormat compareFormat = options.json || format == "json" ? CompareFormat::Json
                                                : csv                            ? CompareFormat::Csv
                                                                                 : CompareFormat::Text;
            options.compare =
                CompareRequest{compareFiles, compareFormat, options.graphics.reportPath, options.graphics.paper};
            options.graphics = {};
            return options;
        }
        if (Given("--chart")) {
            options.graphics.chartKind = chart.front();
            options.graphics.chartPath = chart.back();
        }
        if (Given("--calibration-weight")) {
            const Expected<double> weight = ReadTestWeight(calibrationWeight, "kg, or lb in an lbf run,");
            if (!weight) {
                return UsageError{"--calibration-weight: " + weight.Error().reason + ", not \"" + calibrationWeight
                                  + "\""};
            }
            options.calibrationWeight = *weight;
        }
        Expected<std::vector<InputRange>> ranges = ParseRangeWords(rangeWords);
        if (!ranges) {
            return UsageError{ranges.Error().reason};
        }
        options.ranges = *std::move(ranges);
        if (Given("--batch")) {
            batch.format = format == "json" ? BatchFormat::Json : BatchFormat::Csv;
            options.batch = batch;
        }
        const std::string& caseFile = options.saveCasePath.empty() ? options.casePath : options.saveCasePath;
        options.graphics.caseFile = std::filesystem::path(caseFile).filename().string();
        options.graphics.calibrationWeight = options.calibrationWeight;
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
    const Expected<std::vector<std::string>> joined = JoinTextOptions(args, parser.textOptions);
    if (!joined) {
        return UsageError{joined.Error().reason};
    }
    const std::vector<std::string>& words = *joined;
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
    if (auto named = parser.EmptyFileName(); !named) {
        return UsageError{named.Error().reason};
    }
    return parser.Finish();
}

Expected<Case> CaseOf(const SelectorOptions& options, const std::string& today)
{
    Case c;
    if (options.casePath.empty()) {
        c.report[kDate] = today;
    } else {
        Expected<Case> read = ReadCaseFile(options.casePath);
        if (!read) {
            return read;
        }
        c = *std::move(read);
    }
    const CaseEntries& entries = options.entries;
    // A case file's texts are typed in its own unit; another would read its
    // inches as millimetres or its newtons as kilograms-force.
    const std::optional<int> unit = entries.choices[kUnitChoice];
    if (!options.casePath.empty() && unit && *unit != ChoiceCode(c, kUnitChoice)) {
        const auto word = [](int code) { return std::string(kChoices[kUnitChoice].words[code]); };
        return Failed("--unit " + word(*unit) + " differs from the unit of " + options.casePath + ", "
                      + word(ChoiceCode(c, kUnitChoice)) + ", in which its entries are typed");
    }
    for (int item = 0; item < kFieldCount; ++item) {
        c.form.txtInput[item] = entries.fields[item].value_or(c.form.txtInput[item]);
    }
    // A field given anew is typed over, as on the input screen: the record
    // of the helper that filled it no longer tells where it came from.
    if (entries.fields[kItemFS]) {
        c.tensionFrom.reset();
    }
    if (entries.fields[kItemWr]) {
        c.rollerFrom.reset();
    }
    for (int item = 0; item < kReportItemCount; ++item) {
        c.report[item] = entries.report[item].value_or(c.report[item]);
    }
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        SetChoiceCode(c, choice, entries.choices[choice].value_or(ChoiceCode(c, choice)));
    }
    for (const InputRange& range : options.ranges) {
        c.ranges[static_cast<std::size_t>(range.item)] =
            RangeTexts{RoundTripText(range.low), RoundTripText(range.high)};
    }
    return c;
}

}  // namespace vyra::cli
