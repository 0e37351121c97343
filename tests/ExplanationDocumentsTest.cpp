// The explanation documents must stay readable by the program's own RTF
// reader, and every figure they quote must stay what the program computes:
// a change that moves a figure fails here until the documents follow it.
//
// Conventions the documents follow, which these tests rely on:
// - A heading is a paragraph set in bold at 13 points or more.
// - A worked case in document 4 is a section under a heading "Example ...",
//   ending at the next heading of the same size or larger. It holds one
//   paragraph "Command: vyra-select WORDS", an entry table whose cells run in
//   triples (caption, value, unit) with the input screen's captions, and
//   figure tables whose rows start with a model label such as "1 Vyra05B"
//   and give the row as vyra-select prints it, one value per cell.
// - Document 5 gives the catalogue as rows of eight cells: the model name
//   and its seven rated constants in catalogue order.

#include "Catalogue.h"
#include "RtfReader.h"
#include "SelectorCli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vyra {
namespace {

constexpr double kHeadingPoints = 13;

// One paragraph of a document: its text, or its cells when it is a table row.
struct Block {
    std::string text;
    std::vector<std::string> cells;
    bool heading = false;
    double points = 0;
};

std::vector<std::string> Words(std::string_view text)
{
    std::istringstream stream{std::string(text)};
    return {std::istream_iterator<std::string>(stream), std::istream_iterator<std::string>()};
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string out;
    for (const std::string& part : parts) {
        out += (out.empty() ? "" : std::string(separator)) + part;
    }
    return out;
}

// The text with every run of blanks, tabs and breaks made one blank.
std::string Normalised(std::string_view text)
{
    return Joined(Words(text), " ");
}

std::string JoinRuns(const std::vector<rtf::Run>& runs)
{
    std::string text;
    for (const rtf::Run& run : runs) {
        text += run.text;
    }
    return text;
}

// A heading: every run that shows something is bold and large.
bool IsHeading(const rtf::Paragraph& paragraph, double& points)
{
    bool any = false;
    points = 0;
    for (const rtf::Run& run : paragraph.runs) {
        if (Normalised(run.text).empty()) {
            continue;
        }
        if (!run.format.bold || run.format.pointSize < kHeadingPoints) {
            return false;
        }
        points = std::max(points, run.format.pointSize);
        any = true;
    }
    return any && paragraph.cells.empty();
}

std::vector<Block> Blocks(const rtf::Document& document)
{
    std::vector<Block> blocks;
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        Block block;
        for (const auto& cell : paragraph.cells) {
            block.cells.push_back(JoinRuns(cell));
        }
        block.text = JoinRuns(paragraph.runs);
        block.heading = IsHeading(paragraph, block.points);
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// The document as the viewer reads it; a failure is reported and gives nothing.
std::optional<rtf::Document> Load(int number)
{
    std::ifstream file(std::string(VYRA_DOCS_DIR) + "/Explanation" + std::to_string(number) + ".rtf", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    auto read = rtf::ReadRtf(bytes);
    if (const auto* failure = std::get_if<rtf::ReadFailure>(&read)) {
        ADD_FAILURE() << "Explanation" << number << ".rtf: " << failure->reason;
        return std::nullopt;
    }
    return std::get<rtf::Document>(std::move(read));
}

bool IsFigureRow(const Block& block)
{
    static const std::regex label("[1-9] Vyra[0-9A-Z]+");
    return block.cells.size() >= 2 && std::regex_match(Normalised(block.cells[0]), label);
}

std::string RowText(const std::vector<std::string>& cells)
{
    return Normalised(Joined(cells, " "));
}

struct Selection {
    int status = -1;
    std::set<std::string> rows;     // every output line, whitespace normalised
    std::set<std::string> figures;  // every word of the output, marks removed
};

Selection Select(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    Selection run;
    run.status = cli::RunSelector(args, out, err);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        run.rows.insert(Normalised(line));
        for (std::string word : Words(line)) {
            if (word.ends_with('*')) {
                word.pop_back();
            }
            run.figures.insert(word);
        }
    }
    return run;
}

struct Example {
    std::string title;
    std::vector<std::string> args;  // the words after "vyra-select"
    int commands = 0;
    std::vector<Block> blocks;      // everything under the heading
    Selection run;                  // what vyra-select printed for args
};

std::vector<Example> Examples(const std::vector<Block>& blocks)
{
    std::vector<Example> examples;
    double sectionPoints = 0;
    bool inside = false;
    for (const Block& block : blocks) {
        if (block.heading && inside && block.points >= sectionPoints) {
            inside = false;
        }
        if (block.heading && Normalised(block.text).starts_with("Example ")) {
            examples.push_back({Normalised(block.text), {}, 0, {}, {}});
            sectionPoints = block.points;
            inside = true;
            continue;
        }
        if (!inside) {
            continue;
        }
        examples.back().blocks.push_back(block);
        const std::vector<std::string> words = Words(block.text);
        if (block.cells.empty() && words.size() >= 2 && words[0] == "Command:" && words[1] == "vyra-select") {
            examples.back().args.assign(words.begin() + 2, words.end());
            ++examples.back().commands;
        }
    }
    return examples;
}

// The value an option has in the command: "--name value" or "--name=value",
// the last one counting, as vyra-select reads them.
std::string OptionValue(const std::vector<std::string>& args, std::string_view name, std::string_view fallback)
{
    std::string value(fallback);
    const std::string prefix = std::string(name) + "=";
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].starts_with(prefix)) {
            value = args[i].substr(prefix.size());
        }
    }
    return value;
}

class ExampleDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto document = Load(4);
        ASSERT_TRUE(document.has_value());
        m_document = *document;
        m_blocks = Blocks(m_document);
        m_examples = Examples(m_blocks);
        ASSERT_GE(m_examples.size(), 3u);
        for (Example& example : m_examples) {
            example.run = Select(example.args);
        }
    }

    rtf::Document m_document;
    std::vector<Block> m_blocks;
    std::vector<Example> m_examples;
};

TEST_F(ExampleDocument, EachExampleStatesOneComputedCommand)
{
    bool newtons = false;
    bool oneSensor = false;
    for (const Example& example : m_examples) {
        SCOPED_TRACE(example.title);
        EXPECT_EQ(example.commands, 1);
        EXPECT_EQ(example.run.status, cli::kComputed);
        newtons = newtons || OptionValue(example.args, "--unit", "kgf") == "N";
        oneSensor = oneSensor || OptionValue(example.args, "--sensors", "two") == "one";
    }
    EXPECT_TRUE(newtons) << "no example in N";
    EXPECT_TRUE(oneSensor) << "no example with one sensor";
}

TEST_F(ExampleDocument, EveryFigureRowIsARowVyraSelectPrints)
{
    std::ptrdiff_t inExamples = 0;
    for (const Example& example : m_examples) {
        SCOPED_TRACE(example.title);
        const auto quoted = std::count_if(example.blocks.begin(), example.blocks.end(), IsFigureRow);
        EXPECT_GE(quoted, 3) << "too few figure rows";
        inExamples += quoted;
        for (const Block& block : example.blocks) {
            EXPECT_TRUE(!IsFigureRow(block) || example.run.rows.contains(RowText(block.cells)))
                << "not printed: " << RowText(block.cells);
        }
    }
    // A figure row outside the examples would have no command to check it by.
    EXPECT_EQ(std::count_if(m_blocks.begin(), m_blocks.end(), IsFigureRow), inExamples);
}

TEST_F(ExampleDocument, PlainTextShowsFigureRowsAsTabSeparatedLines)
{
    std::set<std::string> lines;
    std::istringstream text(rtf::PlainText(m_document));
    for (std::string line; std::getline(text, line);) {
        lines.insert(line);
    }
    for (const Block& block : m_blocks) {
        EXPECT_TRUE(!IsFigureRow(block) || lines.contains(Joined(block.cells, "\t"))) << RowText(block.cells);
    }
}

// An entry of the examples' tables: its caption (blanks normalised), the
// vyra-select option it becomes with the option's default, and for a choice
// the screen's texts with the option's words.
struct EntryOption {
    std::string_view caption;
    std::string_view option;
    std::string_view fallback = "";
    std::map<std::string, std::string> words = {};
    bool oneSensorOnly = false;
};

const std::vector<EntryOption>& EntryOptions()
{
    static const std::vector<EntryOption> options{
        {"Tension FS", "--tension"}, {"Roller diameter d", "--diameter"}, {"Roller weight Wr", "--roller-weight"},
        {"Wrap angle alpha", "--alpha"}, {"Wrap angle beta", "--beta"}, {"Mounting angle gamma", "--gamma"},
        {"Roller position l", "--position"}, {"Bearing hight h", "--height"},
        {"Bearing weight Wp", "--bearing-weight"}, {"Line speed(Max) V", "--speed"},
        {"Unit of force", "--unit", "kgf", {{"[Kgf]", "kgf"}, {"[N]", "N"}}},
        {"Type", "--type", "standard", {{"Standard", "standard"}, {"Intrinsically safe", "safe"}}},
        {"Fulcrum", "--fulcrum", "right", {{"Right(R)", "right"}, {"Left(L)", "left"}}},
        {"Detection method", "--sensors", "two", {{"Two sensors", "two"}, {"One sensor", "one"}}},
        {"One sensor", "--side", "one-side", {{"One side", "one-side"}, {"Independent", "independent"}}, true},
        {"Channel", "--channel", "both", {{"Both", "both"}, {"One", "one"}}, true},
    };
    return options;
}

// The entry table of an example: caption to value, from cells in triples.
std::map<std::string, std::string> Entries(const Example& example)
{
    std::map<std::string, std::string> entries;
    for (const Block& block : example.blocks) {
        if (IsFigureRow(block)) {
            continue;
        }
        for (std::size_t i = 0; i + 1 < block.cells.size(); i += 3) {
            entries[Normalised(block.cells[i])] = Normalised(block.cells[i + 1]);
        }
    }
    return entries;
}

TEST_F(ExampleDocument, EntryTablesMatchTheirCommand)
{
    for (const Example& example : m_examples) {
        SCOPED_TRACE(example.title);
        const auto entries = Entries(example);
        const bool oneSensor = OptionValue(example.args, "--sensors", "two") == "one";
        for (const EntryOption& option : EntryOptions()) {
            if (option.oneSensorOnly && !oneSensor) {
                continue;
            }
            const auto entry = entries.find(std::string(option.caption));
            ASSERT_NE(entry, entries.end()) << "no entry " << option.caption;
            std::string typed = entry->second;
            if (!option.words.empty()) {
                const auto word = option.words.find(typed);
                ASSERT_NE(word, option.words.end()) << option.caption << ": " << typed;
                typed = word->second;
            }
            EXPECT_EQ(typed, OptionValue(example.args, option.option, option.fallback)) << option.caption;
        }
    }
}

// Numbers with a decimal point, such as 0.59 or 1498.5, in a text.
std::vector<std::string> DecimalFigures(const std::string& text)
{
    static const std::regex figure("[0-9]+\\.[0-9]+");
    std::vector<std::string> figures;
    for (auto match = std::sregex_iterator(text.begin(), text.end(), figure); match != std::sregex_iterator(); ++match) {
        figures.push_back(match->str());
    }
    return figures;
}

TEST_F(ExampleDocument, ProseQuotesOnlyFiguresOfItsExample)
{
    // The tolerance limits the verdicts name.
    const std::set<std::string> limits{"0.65", "0.7", "0.8", "0.260", "9.8"};
    for (const Example& example : m_examples) {
        SCOPED_TRACE(example.title);
        for (const Block& block : example.blocks) {
            if (IsFigureRow(block)) {
                continue;
            }
            for (const std::string& figure : DecimalFigures(block.text + " " + RowText(block.cells))) {
                const bool known = example.run.figures.contains(figure) || limits.contains(figure) ||
                                   std::find(example.args.begin(), example.args.end(), figure) != example.args.end();
                EXPECT_TRUE(known) << figure << " in: " << block.text << RowText(block.cells);
            }
        }
    }
}

double Number(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    EXPECT_TRUE(!text.empty() && *end == '\0') << "not a number: " << text;
    return value;
}

class CatalogueDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto document = Load(5);
        ASSERT_TRUE(document.has_value());
        m_blocks = Blocks(*document);
    }

    std::vector<Block> m_blocks;
    const SensorCatalogue m_catalogue = InitCatalogue();
};

TEST_F(CatalogueDocument, ConstantTablesMatchTheEngine)
{
    std::map<std::string, std::vector<std::string>> rows;
    for (const Block& block : m_blocks) {
        if (block.cells.size() == 8 && Normalised(block.cells[0]).starts_with("Vyra")) {
            EXPECT_TRUE(rows.emplace(Normalised(block.cells[0]), block.cells).second) << block.cells[0];
        }
    }
    for (const SensorSeries& series : m_catalogue) {
        for (const SensorModel& model : series.models) {
            SCOPED_TRACE(model.name);
            const auto row = rows.find(std::string(model.name));
            ASSERT_NE(row, rows.end());
            const std::array<double, 7> expected{model.outputSpringConstant, model.springConstant, model.leverLength,
                                                 model.heightOffset, model.outputFactor, model.stopperFactor,
                                                 model.stopperTolerance};
            for (std::size_t i = 0; i < expected.size(); ++i) {
                EXPECT_NEAR(Number(Normalised(row->second[i + 1])), expected[i], 1e-9) << "column " << i + 1;
            }
        }
    }
    EXPECT_EQ(rows.size(), 2u * kModelCount);
}

TEST_F(CatalogueDocument, SeriesTableGivesTheOutputCoefficients)
{
    std::map<std::string, std::string> coefficients;
    for (const Block& block : m_blocks) {
        if (block.cells.size() == 3) {
            coefficients[Normalised(block.cells[0])] = Normalised(block.cells[2]);
        }
    }
    EXPECT_NEAR(Number(coefficients["Standard"]), m_catalogue[0].outputCoefficient, 1e-9);
    EXPECT_NEAR(Number(coefficients["Intrinsically safe"]), m_catalogue[1].outputCoefficient, 1e-9);
}

struct DocumentCase {
    int number;
    std::string_view title;  // the menu button's words
};

void PrintTo(const DocumentCase& tested, std::ostream* out)
{
    *out << "Explanation" << tested.number << ".rtf";
}

class EveryDocument : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(EveryDocument, ReadsCleanlyWithTitleHeadingsAndTables)
{
    const auto document = Load(GetParam().number);
    ASSERT_TRUE(document.has_value());
    const std::string text = rtf::PlainText(*document);
    EXPECT_GT(text.size(), 4000u);
    // Control words or groups leaking into the text mean broken markup.
    EXPECT_EQ(text.find_first_of("\\{}"), std::string::npos);
    const std::vector<Block> blocks = Blocks(*document);
    const auto title = std::find_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.heading; });
    ASSERT_NE(title, blocks.end());
    EXPECT_EQ(Normalised(title->text), GetParam().title);
    EXPECT_GE(std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.heading; }), 4);
    EXPECT_GE(std::count_if(blocks.begin(), blocks.end(), [](const Block& b) { return !b.cells.empty(); }), 5);
}

INSTANTIATE_TEST_SUITE_P(Explanations, EveryDocument,
                         ::testing::Values(DocumentCase{1, "Outline"}, DocumentCase{2, "How to Use This Program"},
                                           DocumentCase{3, "Detailed Explanations of Each Screen"},
                                           DocumentCase{4, "Examples of Models"},
                                           DocumentCase{5, "Detailed Tables of The Tension Sensor"}),
                         [](const auto& tested) { return "Explanation" + std::to_string(tested.param.number); });

}  // namespace
}  // namespace vyra
