// vyra-select through RunSelector, as its main calls it: the runs of
// tests/cases/cli_runs.txt recorded per group, each JSON document parsed
// and checked against the run.
#include "SelectorCli.h"
#include "CalculationId.h"
#include "CaseAndBatchFiles.h"
#include "Commands.h"
#include "FileAccess.h"
#include "Headroom.h"
#include "JsonOutput.h"
#include "Ranges.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Results1.h"
#include "Results2.h"
#include "StandardOutput.h"
#include "TestCases.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vyra::cli {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// A run as recorded, a JSON document's models a line each.
std::string Recorded(const std::string& name, const std::vector<std::string>& args, const std::string& folder,
                     std::string& out)
{
    std::ostringstream outStream, err;
    const ParsedCommandLine parsed = ParseSelectorOptions(args);
    const int status = RunSelector(parsed, outStream, err, {"Dec 07,2026"});
    out = outStream.str();
    std::string text = out + (err.str().empty() ? "" : "-- stderr\n" + err.str());
    ReplaceAll(text, ",{\"index\":", ",\n{\"index\":");
    ReplaceAll(text, folder, "{dir}");
    ReplaceAll(text, VYRA_CASES_DIR, "{cases}");
    ReplaceAll(text, VYRA_VERSION, "{version}");
    return "# " + name + "\nstatus " + std::to_string(status) + (RequestsGraphics(parsed) ? ", needs graphics\n" : "\n")
           + text + "\n";
}

// The model rows of the text tables, split into words: both result sets,
// the headroom table, the calibration table.
std::vector<std::vector<std::string>> ModelRows(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > 2 && std::isdigit(static_cast<unsigned char>(line[0])) && line[1] == ' ') {
            std::istringstream words(line);
            rows.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
        }
    }
    return rows;
}

// The sentence under the text tables names exactly the models whose rows
// say "yes" in both; no figure runs into its neighbour, however wide.
// The headings that follow the run's unit, in each unit's tables.
const std::map<ForceUnit, std::vector<std::string>> kUnitHeadings{{kKgf, {"P1[kgf]", "Zt[mm]", "E[um]", "PB[kgf]"}},
                                                                  {kNewton, {"P1[N]", "Zt[mm]", "E[um]", "PB[N]"}},
                                                                  {kLbf, {"P1[lbf]", "Zt[mil]", "E[mil]", "PB[lbf]"}}};

void ExpectPassingBothAgreesWithTables(const std::string& out, const std::string& name, ForceUnit unit)
{
    const std::size_t at = out.find("Passing both result sets: ");
    const auto rows = ModelRows(out);
    if (at == std::string::npos) {
        return;
    }
    ASSERT_GE(rows.size(), 2 * kModelCount) << name << ": the tables are missing";
    for (const auto& [other, headings] : kUnitHeadings) {
        for (const std::string& heading : headings) {
            const auto& own = kUnitHeadings.at(unit);
            EXPECT_EQ(out.find(" " + heading) != std::string::npos, std::ranges::count(own, heading) > 0)
                << name << ": " << heading;
        }
    }
    for (std::size_t i = 0; i < 2 * kModelCount; ++i) {
        EXPECT_EQ(rows[i].size(), (i < kModelCount ? ResultSet1Columns() : ResultSet2Columns()).size() + 3) << name;
    }
    std::string names;
    for (std::size_t i = 0; i < kModelCount; ++i) {
        const bool both = rows[i].back() == "yes" && rows[i + kModelCount].back() == "yes";
        names += both ? (names.empty() ? "" : ", ") + rows[i][1] : "";
    }
    EXPECT_EQ(out.substr(at + 26, out.find('\n', at) - at - 26), names.empty() ? "none" : names) << name;
}

// A batch's CSV: every row has its header's fields, a refused one too; a
// quoted field may hold commas and line breaks.
void ExpectCsvRowsAsWideAsTheirHeader(const std::string& out, const std::string& name)
{
    std::vector<int> commas{0};  // of each row, up to the first without any
    bool quoted = false;
    for (const char c : out.substr(std::min(out.find("line,id,status,"), out.size()))) {
        quoted = quoted != (c == '"');
        commas.back() += !quoted && c == ',' ? 1 : 0;
        if (!quoted && c == '\n' && commas.back() > 0) {
            commas.push_back(0);
        }
    }
    for (std::size_t row = 1; row + 1 < commas.size(); ++row) {
        EXPECT_EQ(commas[row], commas[0]) << name << ": row " << row;
    }
}

// Whatever the run's unit, the figures are held in the program's own.
const nlohmann::json kFigureUnits = nlohmann::json::parse(
    R"({"P1":"kgf","We":"kgf","P":"kgf","Zt":"mm","Zr":"mm","Zs":"mm","Vt":"mV","Vr":"mV","S":"times","F1":"Hz",
        "F2":"Hz","F3":"Hz","E":"um","PB":"kgf","maxSpeed":"m/min","passingGamma":"degree","weight":"kg"})");

// The inputs' units, as typed in each run's unit, in the case file's order.
const std::map<ForceUnit, std::vector<std::string>> kInputUnits{
    {kKgf, {"kgf", "mm", "kg", "degree", "degree", "degree", "mm", "mm", "kg", "m/min"}},
    {kNewton, {"N", "mm", "kg", "degree", "degree", "degree", "mm", "mm", "kg", "m/min"}},
    {kLbf, {"lbf", "in", "lb", "degree", "degree", "degree", "in", "in", "lb", "ft/min"}}};

// A model's nearest check is one it fails when it fails any, at 100% or
// more (none for a sign), and below 100% when it passes; its figure is the
// model's own under that key, a ratio's from its frequencies.
void ExpectNearestOfItsVerdicts(const nlohmann::json& model, const std::string& name)
{
    const nlohmann::json& nearest = model.at("nearest");
    const std::string key = nearest.at("check");
    nlohmann::json verdicts = model.at("fail1");
    verdicts.update(model.at("fail2"));
    const bool fails = !model.at("withinTolerance1").get<bool>() || !model.at("withinTolerance2").get<bool>();
    EXPECT_EQ(verdicts.at(key).get<bool>(), fails) << name << " " << key;
    if (!nearest.at("margin").is_null()) {
        EXPECT_EQ(nearest.at("margin").get<double>() >= 100, fails) << name << " " << key;
    }
    const std::string den = key == "F1F2" ? "F2" : "F3";
    const nlohmann::json figure = key.starts_with("F1F")
                                      ? nlohmann::json(model.at("F1").get<double>() / model.at(den).get<double>())
                                      : model.at(key);
    EXPECT_EQ(nearest.at("figure"), figure) << name << " " << key;
}

// A JSON document carries the run "Select" makes of its case whole: every
// figure the same double (null where not finite), every verdict the assessments',
// the verdicts over the case's ranges, a refusal the check's; no case (a
// batch row refused) must have been refused.
void ExpectDocumentOfRun(const nlohmann::json& doc, const Case* input, const std::string& name)
{
    RunState state;
    CheckResult failure;
    if (input != nullptr) {
        state.forceUnit = input->forceUnit;
        failure = SelectCommand(state, input->form);
    }
    nlohmann::json expected = doc;
    if (const std::optional<std::string> id = input ? CalculationId(*input) : std::nullopt) {
        expected["calculationId"] = *id;
    }
    if (failure) {
        expected.update({{"status", "rejected"},
                         {"notes", nlohmann::json::array()},
                         {"title", failure->title},
                         {"message", failure->message},
                         {"marked", failure->markedItems},
                         {"fulcrumMarked", failure->fulcrumMarked}});
    } else if (input == nullptr) {
        expected.update({{"status", "rejected"}, {"notes", nlohmann::json::array()}});
    } else {
        EXPECT_EQ(doc.at("notes").size(), state.inputs.V == 0 ? 1U : 0U) << name << ": a standing line is said";
        static const std::map<ForceUnit, std::string> kWords{{kKgf, "kgf"}, {kNewton, "N"}, {kLbf, "lbf"}};
        nlohmann::json units = kFigureUnits;
        for (std::size_t item = 0; item < kFieldCount; ++item) {
            const std::string& typed = input->form.txtInput[item];
            const double number = typed.empty() ? 0 : std::strtod(typed.c_str(), nullptr);
            expected["inputs"][std::string(kFieldNames[item])] =
                item >= 3 && item <= 5 ? std::nearbyint(number) : number;
            units[std::string(kFieldNames[item])] = kInputUnits.at(state.forceUnit)[item];
        }
        expected.update({{"status", "ok"},
                         {"unit", kWords.at(state.forceUnit)},
                         {"units", units},
                         {"type", state.seriesIndex == kIntrinsicallySafeSeries ? "safe" : "standard"},
                         {"methodCode", state.inputs.methodCode}});
        for (int i = 0; i < kModelCount; ++i) {
            nlohmann::json& model = expected["models"][i];
            model["name"] = state.model(i).name;
            for (const auto& [symbol, table] : test::kTables) {
                const double value = (state.tables.*table)[i];
                model[symbol] = std::isfinite(value) ? nlohmann::json(value) : nlohmann::json();
            }
            const Assessment1 a = AssessResults1(state, i);
            const Assessment2 b = AssessResults2(state, i);
            model.update(
                {{"fail1", {{"P1", a.failP1}, {"Zr", a.failZr}, {"Zs", a.failZs}, {"Vr", a.failVr}, {"S", a.failS}}},
                 {"fail2", {{"F1F2", b.failF1F2}, {"F1F3", b.failF1F3}}},
                 {"withinTolerance1", a.withinTolerance},
                 {"withinTolerance2", b.withinTolerance}});
            ExpectNearestOfItsVerdicts(doc.at("models")[i], name);
        }
        const std::vector<InputRange> ranges = *RangesOf(*input);
        const RangeVerdicts verdicts = EvaluateRanges(input->form, input->forceUnit, ranges);
        for (std::size_t i = 0; i < kModelCount && !ranges.empty(); ++i) {
            const RangeWorst& w = verdicts[i].worst;
            nlohmann::json at, margin = std::isfinite(w.margin) ? nlohmann::json(w.margin) : nlohmann::json();
            for (std::size_t r = 0; r < ranges.size(); ++r) {
                at[std::string(kFieldNames[ranges[r].item])] = w.at[r];
            }
            nlohmann::json& range = expected["models"][i]["range"];
            range = {{"passesBoth", verdicts[i].passesBoth}, {"points", verdicts[i].points}};
            range["worst"] = {{"check", w.check}, {"figure", w.figure}, {"margin", margin}, {"at", at}};
        }
    }
    EXPECT_EQ(doc, expected) << name;
}

// The cases of a batch file's rows as its reader gives them, none for a
// refused one, its ranges' refusal included.
std::vector<std::optional<Case>> BatchCases(const std::string& path, const Case& base, const CaseEntries& given)
{
    const std::string text = test::FileText(path);
    TextSource source(text);
    BatchReader reader(source, base, BuiltInMaterialSource(),
                       {given.fields[kItemFS].has_value(), given.fields[kItemWr].has_value()});
    std::vector<std::optional<Case>> cases;
    for (auto next = reader.Next(); const auto* row = std::get_if<BatchRow>(&next); next = reader.Next()) {
        const Expected<std::vector<InputRange>> ranges = RangesOf(row->input);
        const bool refused = row->problem || !ranges || !CheckRanges(row->input.form, row->input.forceUnit, *ranges);
        cases.push_back(refused ? std::nullopt : std::optional(row->input));
    }
    return cases;
}

// A batch's robust columns say of each row what vyra-select --range says of
// its case (its choices the defaults): yes over the ranges, nominal at the
// nominal point only, no, or nothing for a row refused.
void ExpectRobustCellsOfRangeRuns(const std::string& out, const std::vector<std::optional<Case>>& cases,
                                  const std::string& name)
{
    std::istringstream lines(out);
    std::string line;
    for (std::getline(lines, line); std::getline(lines, line) && line.size() > 1;) {
        const std::optional<Case>& input = cases.at(std::stoul(line) - 1);
        std::vector<std::string> args{"--json"};
        for (std::size_t item = 0; input && item < kFieldCount; ++item) {
            const std::string field(kFieldNames[item]);
            args.push_back("--" + field + "=" + input->form.txtInput[item]);
            if (const std::optional<RangeTexts>& range = input->ranges[item]) {
                args.push_back("--range=" + field + "=" + range->low + ":" + range->high);
            }
        }
        std::ostringstream json, err;
        std::string expected;
        if (input && RunSelector(ParseSelectorOptions(args), json, err, {""}) == kComputed) {
            const nlohmann::json doc = nlohmann::json::parse(json.str());
            for (const nlohmann::json& model : doc.at("models")) {
                const bool nominal = model.at("withinTolerance1") == true && model.at("withinTolerance2") == true;
                const bool over = !model.contains("range") || model.at("range").at("passesBoth").get<bool>();
                expected += nominal ? (over ? ",yes" : ",nominal") : ",no";
            }
        }
        expected = expected.empty() ? std::string(kModelCount, ',') : expected;
        EXPECT_TRUE(line.ends_with(expected + "\r")) << name << ": " << line << " against " << expected;
    }
}

// Each case of a JSON comparison is the document of its own run, figure
// for figure, with its file first.
void ExpectColumnsOfTheirSingleRuns(const std::string& out, const std::vector<std::string>& paths,
                                    const std::string& name)
{
    if (!out.starts_with("{\"cases\":")) {
        return;
    }
    const nlohmann::json cases = nlohmann::json::parse(out).at("cases");
    ASSERT_EQ(cases.size(), paths.size()) << name;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        std::ostringstream single, err;
        RunSelector(ParseSelectorOptions({"--case", paths[k], "--json"}), single, err, {"Dec 07,2026"});
        nlohmann::json column = cases[k];
        EXPECT_TRUE(paths[k].ends_with(column.at("file").get<std::string>())) << name;
        column.erase("file");
        EXPECT_EQ(column, nlohmann::json::parse(single.str())) << name << " " << paths[k];
    }
}

TEST(Selector, RunsAsRecorded)
{
    const std::string folder = ::testing::TempDir() + "cli-runs-" + std::to_string(::getpid());
    ::mkdir(folder.c_str(), 0700);
    ::mkdir((folder + "/dir").c_str(), 0700);
    const std::vector<std::string> worked{"--tension=10",       "--diameter=100", "--roller-weight=10", "--alpha=0",
                                          "--beta=0",           "--gamma=0",      "--position=0",       "--height=0",
                                          "--bearing-weight=1", "--speed=100"};
    std::map<std::string, std::string> groups;
    for (const test::CaseRow& row : test::ReadCaseTable("cli_runs")) {
        std::vector<std::string> args;
        for (std::size_t i = 2; i < row.size(); ++i) {
            if (row[i] == "W") {
                args.insert(args.end(), worked.begin(), worked.end());
                continue;
            }
            std::string word = row[i] == "\"\"" ? "" : row[i];
            ReplaceAll(word, "{dir}", folder);
            ReplaceAll(word, "{cases}", VYRA_CASES_DIR);
            args.push_back(test::Unescape(word));
        }
        std::string out;
        groups[row[1]] += Recorded(row[0], args, folder, out);
        // Each JSON document against the run of its case, a batch row's as read.
        const ParsedCommandLine parsed = ParseSelectorOptions(args);
        const auto* options = std::get_if<SelectorOptions>(&parsed);
        const auto given = options != nullptr ? std::optional(CaseOf(*options, "Dec 07,2026")) : std::nullopt;
        ExpectPassingBothAgreesWithTables(out, row[0], given && *given ? (*given)->forceUnit : kKgf);
        ExpectCsvRowsAsWideAsTheirHeader(out, row[0]);
        if (out.find(",robust1,") != std::string::npos) {
            ExpectRobustCellsOfRangeRuns(out, BatchCases(options->batch->path, **given, options->entries), row[0]);
        }
        if (options != nullptr && options->compare) {
            ExpectColumnsOfTheirSingleRuns(out, options->compare->paths, row[0]);
            continue;
        }
        std::istringstream lines(out);
        for (std::string line; options && std::getline(lines, line) && line.starts_with('{');) {
            const nlohmann::json doc = nlohmann::json::parse(line);
            const Case input = *CaseOf(*options, "Dec 07,2026");
            const std::optional<Case> run =
                doc.contains("line")
                    ? BatchCases(options->batch->path, input, options->entries).at(doc["line"].get<int>() - 1)
                    : input;
            ExpectDocumentOfRun(doc, run ? &*run : nullptr, row[0] + " " + doc.value("line", nlohmann::json()).dump());
        }
    }
    for (const auto& [group, recording] : groups) {
        test::ExpectGolden("cli_" + group, recording);
    }
    // The report entries never reach the tables, only the case file.
    const auto saved = ReadCaseFile(folder + "/c.vyracase");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->report,
              (std::array<std::string, kReportItemCount>{"Ünicode", "", std::string(10000, 'm'), "", ""}));
    EXPECT_NE(::access((folder + "/not-utf8.vyracase").c_str(), F_OK), 0) << "a refused text was saved";
    // A field given anew drops the record of the helper that filled it, and only that.
    const auto tensionAnew = ReadCaseFile(folder + "/tension-anew.vyracase");
    const auto weightAnew = ReadCaseFile(folder + "/weight-anew.vyracase");
    ASSERT_TRUE(tensionAnew && weightAnew);
    EXPECT_TRUE(!tensionAnew->tensionFrom && tensionAnew->rollerFrom);
    EXPECT_TRUE(weightAnew->tensionFrom && !weightAnew->rollerFrom);
    EXPECT_EQ(ReadCaseFile(folder + "/ranged.vyracase")->ranges[kItemGamma], (RangeTexts{"-2", "3"}));
}

// A typed text reads through the options and through a batch row as the
// input screen's "Select" reads it: the same figures or the same refusal.
TEST(Selector, ReadsEveryTypedTextAsTheEngineDoes)
{
    const std::string csv = ::testing::TempDir() + "typed-" + std::to_string(::getpid()) + ".csv";
    std::string rows = "id";
    for (const std::string_view name : kFieldNames) {
        rows.append(",").append(name);
    }
    const auto output = [](const std::vector<std::string>& args) {
        std::ostringstream out, err;
        RunSelector(ParseSelectorOptions(args), out, err, {"Dec 07,2026"});
        return out.str();
    };
    Case input;
    for (const auto& row : test::ReadCaseTable("typed_texts", 4)) {
        std::vector<std::string> args{"--json"};
        rows += "\n" + row[0];
        input.form = test::TypedForm(row);
        for (int k = 0; k < kFieldCount; ++k) {
            const std::string& text = input.form.txtInput[static_cast<std::size_t>(k)];
            args.push_back("--" + std::string(kFieldNames[static_cast<std::size_t>(k)]) + "=" + text);
            rows += ",\"" + text + "\"";
        }
        ExpectDocumentOfRun(nlohmann::json::parse(output(args)), &input, row[0]);
    }
    ASSERT_TRUE(WriteFileWhole(csv, rows + "\n"));
    std::istringstream lines(output({"--batch", csv, "--format", "json"}));
    for (const auto& row : test::ReadCaseTable("typed_texts", 4)) {
        std::string line;
        ASSERT_TRUE(std::getline(lines, line)) << row[0];
        input.form = test::TypedForm(row);
        ExpectDocumentOfRun(nlohmann::json::parse(line), &input, row[0] + " in a batch");
    }
}

// The worked example typed in lbf, in, lb and ft/min against the kgf run of
// its entries converted by hand: the JSON the same but for "unit"; every
// figure of the text tables the kgf run's held one divided by the exact
// factor, to 0.1 lbf (PB 0.01), 0.1 mil (E 0.001) and whole ft/min; the
// gamma runs, and the calibration of 5 lb, as the kgf run's.
TEST(Selector, AnLbfRunIsTheKgfRunOfItsConvertedCase)
{
    const std::vector<std::string> lbf{
        "--unit=lbf",         "--tension=10", "--diameter=100",        "--roller-weight=10",
        "--bearing-weight=1", "--speed=100",  "--calibration-weight=5"};
    const std::vector<std::string> kgf{
        "--tension=4.5359237000000006",         "--diameter=2540", "--roller-weight=4.5359237000000006",
        "--bearing-weight=0.45359237000000002", "--speed=30.48",   "--calibration-weight=2.2679618500000003"};
    const auto run = [](std::vector<std::string> args, const char* extra) {
        args.insert(args.end(), {extra, "--remedies"});
        std::ostringstream out, err;
        EXPECT_EQ(RunSelector(ParseSelectorOptions(args), out, err, {"Dec 07,2026"}), kComputed) << err.str();
        return out.str();
    };
    nlohmann::json lbfDoc = nlohmann::json::parse(run(lbf, "--json")),
                   kgfDoc = nlohmann::json::parse(run(kgf, "--json"));
    EXPECT_EQ(std::exchange(lbfDoc["unit"], "kgf"), "lbf");
    // The ID is of the inputs as typed, which differ.
    EXPECT_NE(std::exchange(lbfDoc["calculationId"], kgfDoc["calculationId"]), kgfDoc["calculationId"]);
    // The inputs as typed, each in the unit it was typed in.
    EXPECT_EQ(std::exchange(lbfDoc["inputs"], kgfDoc["inputs"])["diameter"], 100.0);
    EXPECT_EQ(std::exchange(lbfDoc["units"], kgfDoc["units"])["speed"], "ft/min");
    // The remedies in the case's unit, found at the same points as the kgf run's.
    for (auto [doc, lbfRun] : {std::pair{&lbfDoc, true}, std::pair{&kgfDoc, false}}) {
        for (nlohmann::json& model : (*doc)["models"]) {
            for (nlohmann::json& remedy : model["remedies"]) {
                const int item =
                    static_cast<int>(std::ranges::find(kFieldNames, remedy["input"]) - kFieldNames.begin());
                const double factor = InProgramUnits(FieldQuantity(item), 1, lbfRun ? kLbf : kKgf);
                nlohmann::json flat = remedy.flatten();
                for (auto& value : flat) {
                    value = value.is_number() ? nlohmann::json(std::round(value.get<double>() * factor * 1e6)) : value;
                }
                remedy = flat.unflatten();
            }
        }
    }
    EXPECT_EQ(lbfDoc, kgfDoc);
    const auto rows = ModelRows(run(lbf, "--headroom")), kgfRows = ModelRows(run(kgf, "--headroom"));
    ASSERT_EQ(rows.size(), 4U * kModelCount);
    ASSERT_EQ(kgfRows.size(), rows.size());
    const RunState held = Evaluate(*CaseOf(std::get<SelectorOptions>(ParseSelectorOptions(kgf)), ""), {}).selection;
    const ResultTables& t = held.tables;
    for (int i = 0; i < kModelCount; ++i) {
        constexpr double kLb = 0.45359237, kMil = 0.0254;
        const double figures[] = {
            t.P1[i] / kLb,     t.We[i] / kLb,     t.P[i] / kLb,  t.Zt[i] / kMil, t.Zr[i] / kMil, t.Zs[i] / kMil,
            t.Vt[i] / 1000,    t.Vr[i] / 1000,    t.S[i],        t.F1[i],        t.F2[i],        t.F3[i],
            t.F1[i] / t.F2[i], t.F1[i] / t.F3[i], t.E[i] / 25.4, t.PB[i] / kLb};
        constexpr int decimals[] = {1, 1, 1, 1, 1, 1, 3, 3, 1, 1, 1, 1, 2, 2, 3, 2};
        std::vector<std::string> expected, shown;
        for (std::size_t k = 0; k < std::size(figures); ++k) {
            expected.push_back(FormatPattern(figures[k], decimals[k]));
        }
        for (const auto& cells : {rows[i], rows[kModelCount + i]}) {
            for (std::size_t c = 2; c + 1 < cells.size(); ++c) {
                shown.push_back(cells[c].substr(0, cells[c].find('*')));
            }
        }
        EXPECT_EQ(shown, expected) << "model index " << i;
        std::vector<std::string> headroom = rows[2 * kModelCount + i];
        EXPECT_EQ(std::exchange(headroom[2], kgfRows[2 * kModelCount + i][2]),
                  FormatPattern(MaxSpeed(held, i) / 0.3048, 0));
        EXPECT_EQ(headroom, kgfRows[2 * kModelCount + i]);
        EXPECT_EQ(rows[3 * kModelCount + i], kgfRows[3 * kModelCount + i]);
    }
}

[[noreturn]] void ThrowOutOfMemory() { throw std::bad_alloc(); }

// An exception that would abort the program becomes a message and status 4.
TEST(Selector, ALastGuardTurnsAnExceptionIntoAStatus)
{
    std::ostringstream err;
    EXPECT_EQ(Guarded("vyra-select", err, []() -> int { throw std::length_error("basic_string::append"); }),
              kInternalFailure);
    EXPECT_EQ(err.str(), "vyra-select: unexpected failure: basic_string::append\n");
    // One that leaves a destructor, which may not throw, as the PDF engine's
    // out of memory does, past that guard.
    struct Unwinding {
        ~Unwinding() { ThrowOutOfMemory(); }
    };
    EXPECT_EXIT((GuardTermination("vyra-select"), Unwinding()), ::testing::ExitedWithCode(kInternalFailure),
                "^vyra-select: unexpected failure: std::bad_alloc\n$");
}

}  // namespace
}  // namespace vyra::cli
