// The explanation documents stay readable by the program's own reader, and
// every figure they quote stays what the program computes.
#include "Catalogue.h"
#include "Commands.h"
#include "Golden.h"
#include "MaterialFile.h"
#include "NumberText.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "RtfReader.h"
#include "SelectorCli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <numeric>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace vyra {
namespace {

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream stream(text);
    return {std::istream_iterator<std::string>(stream), {}};
}

std::string Normalised(const std::string& text)
{
    static const std::regex blanks("\\s+"), ends("^ | $");
    return std::regex_replace(std::regex_replace(text, blanks, " "), ends, "");
}

// One paragraph's normalised text, and its cells' when it is a table row.
struct Block {
    std::string text;
    std::vector<std::string> cells;
    double heading = 0;  // the size of a heading, 0 for other text
    bool printed = false;  // set wholly in the font of commands: a line quoted as printed
};

// The document read by the program's reader, as blocks and as plain text.
std::pair<std::vector<Block>, std::string> Load(int number)
{
    const auto read = rtf::ReadRtf(test::FileText(VYRA_DOCS_DIR "/Explanation" + std::to_string(number) + ".rtf"));
    EXPECT_TRUE(read) << "Explanation" << number << ".rtf cannot be read";
    const auto text = [](const std::vector<rtf::Run>& runs) {
        return Normalised(std::accumulate(runs.begin(), runs.end(), std::string(),
                                          [](const std::string& a, const rtf::Run& run) { return a + run.text; }));
    };
    std::vector<Block> blocks;
    for (const rtf::Paragraph& paragraph : read->paragraphs) {
        Block& block = blocks.emplace_back(Block{text(paragraph.runs), {}, 0, true});
        for (const auto& cell : paragraph.cells) {
            block.cells.push_back(text(cell));
            block.text = Normalised(block.text + " " + block.cells.back());
        }
        for (const rtf::Run& run : paragraph.runs) {
            block.printed = block.printed && (run.format.fontName == "Courier New" || Normalised(run.text).empty());
            const bool big = run.format.bold && run.format.pointSize >= 13 && block.heading >= 0;
            block.heading = Normalised(run.text).empty() ? block.heading
                            : big                        ? std::max(block.heading, run.format.pointSize)
                                                         : -1;
        }
        block.heading = block.cells.empty() ? std::max(block.heading, 0.0) : 0;
        block.printed = block.printed && block.cells.empty() && !block.text.empty();
    }
    return {blocks, rtf::PlainText(*read)};
}

// A figure row of a table, or a line quoted as vyra-select prints it.
bool IsPrintedLine(const Block& block)
{
    static const std::regex label("[1-9] Vyra[0-9A-Z]+");
    return block.printed || (block.cells.size() >= 2 && std::regex_match(block.cells[0], label));
}

// Every decimal in the text, without its sign or the marks around it.
std::set<std::string> Decimals(const std::string& text)
{
    static const std::regex decimal("[0-9]+\\.[0-9]+");
    std::set<std::string> decimals;
    for (auto m = std::sregex_iterator(text.begin(), text.end(), decimal); m != std::sregex_iterator(); ++m) {
        decimals.insert(m->str());
    }
    return decimals;
}

struct Example {
    std::string title;
    std::vector<std::string> args;  // the words after "vyra-select"
    int commands = 0;
    std::vector<Block> blocks;
};

std::vector<Example> Examples(const std::vector<Block>& blocks)
{
    std::vector<Example> examples;
    double level = 0;  // the size of the heading of the example being read
    for (const Block& block : blocks) {
        level = block.heading >= level ? 0 : level;
        if (block.heading > 0 && block.text.starts_with("Example ")) {
            examples.emplace_back().title = block.text;
            level = block.heading;
        } else if (level > 0) {
            examples.back().blocks.push_back(block);
            if (block.cells.empty() && (block.text + " ").starts_with("Command: vyra-select ")) {
                const std::vector<std::string> words = Words(block.text);
                examples.back().args.assign(words.begin() + 2, words.end());
                ++examples.back().commands;
            }
        }
    }
    return examples;
}

// Every example states one command that computes, every figure row and
// every line set in the font of commands is a line it prints (and none
// stands outside the examples), every decimal in the prose is one of its
// figures, and the entry table is its command.
TEST(ExampleDocument, EveryQuotedFigureIsWhatVyraSelectPrints)
{
    const std::vector<Block> blocks = Load(4).first;
    const std::vector<Example> examples = Examples(blocks);
    ASSERT_GE(examples.size(), 3U);
    const std::vector<test::CaseRow> entries = test::ReadCaseTable("rtf_example_entries");
    std::size_t printedLines = 0;
    for (const Example& example : examples) {
        SCOPED_TRACE(example.title);
        EXPECT_EQ(example.commands, 1);
        std::ostringstream out, err;
        EXPECT_EQ(cli::RunSelector(cli::ParseSelectorOptions(example.args), out, err, {}), cli::kComputed);
        std::set<std::string> rows;  // every line vyra-select printed, normalised
        // every decimal it printed, those of the command and the limits
        std::set<std::string> figures = Decimals(out.str() + " 0.65 0.7 0.8 0.260 9.8");
        for (const std::string& arg : example.args) {
            figures.merge(Decimals(arg));
        }
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            rows.insert(Normalised(line));
        }
        std::map<std::string, std::string> table;
        for (const Block& block : example.blocks) {
            if (IsPrintedLine(block)) {
                ++printedLines;
                EXPECT_TRUE(rows.contains(block.text)) << "not printed: " << block.text;
                continue;
            }
            for (std::size_t i = 0; i + 1 < block.cells.size(); i += 3) {
                table[block.cells[i]] = block.cells[i + 1];
            }
            for (const std::string& decimal : Decimals(block.text)) {
                EXPECT_TRUE(figures.contains(decimal)) << decimal << " in: " << block.text;
            }
        }
        for (const test::CaseRow& entry : entries) {
            // The option's last value in the command, or the first choice's.
            std::string given = entry.size() > 2 ? entry[2].substr(0, entry[2].find('=')) : "";
            for (std::size_t i = 0; i + 1 < example.args.size(); ++i) {
                given = example.args[i] == entry.at(1) ? example.args[i + 1] : given;
            }
            std::string shown = entry.size() > 2 ? "?" : given;
            for (std::size_t i = 2; i < entry.size(); ++i) {
                shown = entry[i].starts_with(given + "=") ? entry[i].substr(given.size() + 1) : shown;
            }
            EXPECT_EQ(table[entry[0]], shown) << entry[0];
        }
    }
    EXPECT_EQ(printedLines, static_cast<std::size_t>(std::count_if(blocks.begin(), blocks.end(), IsPrintedLine)));
}

// The table of document 2's comparison section is, row by row, what
// vyra-select --compare prints for the case files its command names, with
// every marked choice, entry, outcome and verdict row; its lines set as
// printed are printed too, and its prose quotes only figures printed.
TEST(UsageDocument, ComparisonTableIsWhatVyraSelectPrints)
{
    const std::vector<Block> blocks = Load(2).first;
    const auto heading = std::find_if(blocks.begin(), blocks.end(), [](const Block& b) {
        return b.heading > 0 && b.text == "Comparing cases side by side";
    });
    ASSERT_NE(heading, blocks.end());
    const std::vector<Block> section(heading + 1, std::find_if(heading + 1, blocks.end(), [&](const Block& b) {
                                         return b.heading >= heading->heading;
                                     }));
    const auto command = std::find_if(section.begin(), section.end(), [](const Block& b) {
        return b.printed && b.text.starts_with("vyra-select --compare ");
    });
    ASSERT_NE(command, section.end());
    std::vector<std::string> args = Words(command->text), files(args.begin() + 2, args.end());
    args.erase(args.begin());
    std::transform(files.begin(), files.end(), args.begin() + 1,
                   [](const std::string& f) { return VYRA_CASES_DIR "/rtf_compare/" + f; });
    std::ostringstream out, err;
    ASSERT_EQ(cli::RunSelector(cli::ParseSelectorOptions(args), out, err, {}), cli::kComputed) << err.str();
    std::string line, top, model;
    // The printed table cut at the columns its file names head; a row under
    // a model is known by the model's name and its own.
    const auto key = [&model](const std::string& label) {
        const bool under = label == "nearest" || label == "safe speed";
        model = label.starts_with("Vyra") ? label : model;
        return under ? model + ": " + label : label;
    };
    std::istringstream lines(out.str());
    std::getline(lines, line);
    std::getline(lines, top);
    std::vector<std::size_t> starts{0};
    for (const std::string& file : files) {
        starts.push_back(top.find(file, starts.back()));
    }
    std::map<std::string, std::vector<std::string>> printed;
    for (line = top; lines && !line.starts_with("* "); std::getline(lines, line)) {
        std::vector<std::string> cells;
        for (std::size_t k = 0; k < starts.size(); ++k) {
            const std::size_t end = k + 1 < starts.size() ? starts[k + 1] : std::string::npos;
            cells.push_back(Normalised(line.size() > starts[k] ? line.substr(starts[k], end - starts[k]) : ""));
        }
        printed[key(cells[0])] = cells;
    }
    static const std::regex figure("[0-9]+\\.[0-9]+|[0-9]+ (%|kgf|lbf|kg|lb|mm|in|m/min|ft/min)\\b");
    const auto figures = [](const std::string& text) {
        return std::set<std::string>(std::sregex_token_iterator(text.begin(), text.end(), figure), {});
    };
    const std::set<std::string> printedFigures = figures(out.str());
    for (const Block& block : section) {
        if (!block.cells.empty()) {
            const auto row = printed.find(key(block.cells[0]));
            ASSERT_NE(row, printed.end()) << block.text;
            EXPECT_EQ(block.cells, row->second) << block.text;
            printed.erase(row);
        } else if (block.printed && &block != &*command) {
            EXPECT_NE(("\n" + out.str()).find("\n" + block.text + "\n"), std::string::npos) << block.text;
        }
        for (const std::string& shown : figures(block.text)) {
            EXPECT_TRUE(block.printed || printedFigures.contains(shown)) << shown << " in: " << block.text;
        }
    }
    for (const auto& [label, cells] : printed) {
        const bool marked =
            std::any_of(cells.begin(), cells.end(), [](const std::string& c) { return c.ends_with(" *"); });
        EXPECT_FALSE(marked && label.find(": ") == std::string::npos) << label << " differs but is not shown";
    }
}

// Document 5's tables give the engine's constants and coefficients, the
// shipped material table, and every figure (rounded as written, and no other)
// that vyra-select --json gives for the two helpers' worked examples.
TEST(CatalogueDocument, TablesGiveWhatTheProgramUses)
{
    const std::vector<Block> blocks = Load(5).first;
    std::map<std::string, std::vector<std::string>> rows;
    std::set<std::vector<std::string>> tableRows;
    for (const Block& block : blocks) {
        if (!block.cells.empty()) {
            rows[block.cells[0]] = block.cells;
            tableRows.insert(block.cells);
        }
    }
    for (const SensorSeries& series : InitCatalogue()) {
        for (const SensorModel& m : series.models) {
            const std::vector<std::string>& row = rows[std::string(m.name)];
            ASSERT_EQ(row.size(), 8U) << m.name;
            const double expected[] = {m.outputSpringConstant, m.springConstant, m.leverLength,     m.heightOffset,
                                       m.outputFactor,         m.stopperFactor,  m.stopperTolerance};
            for (std::size_t i = 0; i < 7; ++i) {
                EXPECT_EQ(std::stod(row[i + 1]), expected[i]) << m.name << " column " << i + 1;
            }
        }
    }
    EXPECT_EQ(std::stod(rows["Standard"].at(2)), InitCatalogue()[0].outputCoefficient);
    EXPECT_EQ(std::stod(rows["Intrinsically safe"].at(2)), InitCatalogue()[1].outputCoefficient);
    for (const WebMaterial& m : BuiltInMaterials().Rows()) {
        std::vector<std::string> row{m.name, std::string(BasisWord(m.basis))};
        for (const auto& figure : {std::optional(m.low), std::optional(m.typical), std::optional(m.high),
                                   m.breakStrength, m.yieldStrength}) {
            row.push_back(figure ? ShortestText(*figure) : "–");
        }
        EXPECT_TRUE(tableRows.contains(row) && tableRows.contains({m.name, m.source})) << m.name;
    }
    std::vector<Example> examples = Examples(blocks);
    ASSERT_EQ(examples.size(), 2U);
    for (Example& example : examples) {
        example.args.emplace_back("--json");
        std::ostringstream out, err;
        ASSERT_EQ(cli::RunSelector(cli::ParseSelectorOptions(example.args), out, err, {}), cli::kComputed)
            << example.title;
        std::vector<double> given;  // its figures, each struck off when a cell shows it
        for (const auto& value : nlohmann::json::parse(out.str()).flatten()) {
            if (value.is_number()) {
                given.push_back(value.get<double>());
            }
        }
        static const std::regex figure("[0-9]+(\\.([0-9]+))?");
        std::smatch match;
        for (const Block& block : example.blocks) {
            for (const std::string& cell : block.cells) {
                if (std::regex_match(cell, match, figure)) {
                    const auto at = std::find_if(given.begin(), given.end(), [&](double g) {
                        return FormatPattern(g, static_cast<int>(match[2].length())) == cell;
                    });
                    ASSERT_NE(at, given.end()) << example.title << ": " << cell << " is no figure vyra-select gives";
                    given.erase(at);
                }
            }
        }
        EXPECT_TRUE(given.empty()) << example.title << ": a figure vyra-select gives is not shown";
    }
}

// The program's own texts: every string literal of its sources, with "%1"
// read as the "N" the documents put for a number, and the texts it composes
// (model labels, column headings, the messages of a wrap angle out of range).
std::set<std::string> ProgramTexts()
{
    std::set<std::string> texts;
    static const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
    for (const char* folder : {"engine", "graphics", "screens", "cli", "app", "rtf"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(VYRA_SOURCE_DIR) + "/" + folder)) {
            const std::string source = test::FileText(entry.path());
            for (auto m = std::sregex_iterator(source.begin(), source.end(), literal); m != std::sregex_iterator();
                 ++m) {
                std::string text = std::regex_replace((*m)[1].str(), std::regex(R"(\\(["\\]))"), "$1");
                text = std::regex_replace(text, std::regex("%1"), "N");
                texts.insert(text);
                // A menu entry as shown, without its mnemonic mark.
                texts.insert(std::regex_replace(text, std::regex("&([A-Za-z])"), "$1"));
            }
        }
    }
    for (const SensorSeries& series : InitCatalogue()) {
        for (int i = 0; i < kModelCount; ++i) {
            texts.insert(std::to_string(i + 1) + " " + std::string(series.models[i].name));
        }
    }
    for (const ForceUnit unit : {kKgf, kNewton, kLbf}) {
        texts.insert(StopperToleranceLine(unit));
        for (const auto& columns : {ResultSet1Columns(), ResultSet2Columns()}) {
            for (const ResultColumn& column : columns) {
                texts.insert(std::string(column.symbol) + std::string(UnitHeading(column, unit)));
            }
        }
    }
    for (const Wording wording : {Wording::Screen, Wording::Report, Wording::Text}) {
        std::string line;  // the report joins its tolerances in one line
        for (const Check* check : kChecks) {
            line += ToleranceText(*check, wording) + " ";
        }
        texts.insert(line);
    }
    const EntryForm beta{{"1", "1", "1", "0", "200", "0", "0", "0", "0", "0"}};
    RunState state;
    texts.insert(SelectCommand(state, beta)->message);
    texts.insert(ImageChangeCommand(state, beta, [] {})->message);
    return texts;
}

// Every document reads cleanly, its title first, with headings and tables;
// every text it quotes is one the program shows, so it promises no other,
// and every choice's words it lists are those vyra-select takes.
TEST(EveryDocument, ReadsCleanlyAndQuotesOnlyTheProgramsOwnTexts)
{
    const char* const titles[] = {"Outline", "How to Use This Program", "Detailed Explanations of Each Screen",
                                  "Examples of Models", "Detailed Tables of The Tension Sensor"};
    const std::set<std::string> texts = ProgramTexts();
    static const std::regex quoted("\"([^\"\n]+)\"");
    for (int number = 1; number <= 5; ++number) {
        const auto [blocks, text] = Load(number);
        EXPECT_GT(text.size(), 4000U) << number;
        EXPECT_EQ(text.find_first_of("\\{}"), std::string::npos) << number << ": markup leaks into the text";
        const auto title = std::find_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.heading > 0; });
        ASSERT_NE(title, blocks.end());
        EXPECT_EQ(title->text, titles[number - 1]);
        EXPECT_GE(std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.heading > 0; }), 4);
        EXPECT_GE(std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return !b.cells.empty(); }), 5);
        for (auto m = std::sregex_iterator(text.begin(), text.end(), quoted); m != std::sregex_iterator(); ++m) {
            const std::string quote = (*m)[1].str();
            EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                    [&quote](const std::string& t) { return t.find(quote) != std::string::npos; }))
                << "Explanation" << number << " quotes \"" << quote << "\", which the program never shows";
        }
        for (const Choice& choice : kChoices) {
            const std::regex listed("--" + std::string(choice.name)
                                    + " ([a-zA-Z][\\w-]*(, [a-zA-Z][\\w-]*)* or [\\w-]+)");
            for (auto m = std::sregex_iterator(text.begin(), text.end(), listed); m != std::sregex_iterator(); ++m) {
                EXPECT_EQ((*m)[1].str(), ChoiceWording(choice)) << "Explanation" << number << " lists other words";
            }
        }
    }
}

}  // namespace
}  // namespace vyra
