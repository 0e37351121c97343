#include "CaseFile.h"

#include "Ranges.h"
#include "Utf8.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace vyra {

namespace {

// Written in the order of the input screen; read by name, in logarithmic
// time however many entries a file holds.
using Json = nlohmann::ordered_json;
using ReadJson = nlohmann::json;

constexpr std::string_view kFormat = "vyra-case";
constexpr int kVersion = 1;

// A text entry into target, or the problem with it.
Expected<void> ReadText(const ReadJson& document, std::string_view name, std::string& target)
{
    const auto found = document.find(name);
    if (found == document.end()) {
        return {};
    }
    if (!found->is_string()) {
        return Failed(Joined({"\"", name, "\" must be a text"}));
    }
    target = found->get<std::string>();
    return {};
}

// A word this version does not know is refused, never read as the default:
// the unit words of newer versions must not turn into kgf.
Expected<void> ReadChoice(const ReadJson& document, int choice, Case& c)
{
    const Choice& words = kChoices[choice];
    std::string word(words.words[0]);
    if (auto read = ReadText(document, words.name, word); !read) {
        return read;
    }
    const std::optional<int> code = ChoiceCodeOf(words, word);
    if (!code) {
        return Failed(Joined({"\"", words.name, "\" must be ", ChoiceWording(words), ", not \"", word, "\""}));
    }
    SetChoiceCode(c, choice, *code);
    return {};
}

std::string NewerVersion(const std::string& version)
{
    return "it was written by a newer version of the program (case file version " + version + ")";
}

bool IsCaseFile(const ReadJson& document)
{
    return document.is_object() && document.value("format", ReadJson()) == kFormat;
}

Expected<void> CheckVersion(const ReadJson& document)
{
    const ReadJson version = document.value("version", ReadJson());
    if (version.is_number_float()) {
        return Failed("its case file version is not an integer");
    }
    if (version.is_number_unsigned() && version.get<std::uint64_t>() > kVersion) {
        return Failed(NewerVersion(std::to_string(version.get<std::uint64_t>())));
    }
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1) {
        return Failed("it has no case file version");
    }
    return {};
}

// The names of the document's own entries as the parser meets them: a name
// given twice is remembered, and the value of a name this version does not
// know is dropped at once, so that it costs no memory.
class EntryNames {
public:
    bool Keep(int depth, ReadJson::parse_event_t event, const ReadJson& parsed)
    {
        if (depth != 1 || event != ReadJson::parse_event_t::key) {
            return true;
        }
        const auto& name = parsed.get_ref<const std::string&>();
        if (!m_seen.insert(name).second && !m_twice) {
            m_twice = name;
        }
        return IsKnown(name);
    }

    const std::optional<std::string>& GivenTwice() const { return m_twice; }

private:
    static bool IsKnown(std::string_view name)
    {
        const auto among = [name](const auto& names) {
            return std::find(names.begin(), names.end(), name) != names.end();
        };
        return name == "format" || name == "version" || name == kTensionFromName || name == kRollerFromName
               || name == kRangesName || among(kFieldNames) || among(kReportNames)
               || std::any_of(kChoices.begin(), kChoices.end(), [name](const Choice& c) { return c.name == name; });
    }

    std::unordered_set<std::string> m_seen;
    std::optional<std::string> m_twice;
};

// A record's texts as an object of the names that are given.
template <typename Texts, std::size_t N>
Json RecordJson(const Texts& texts, const std::array<TextName<Texts>, N>& names)
{
    Json record = Json::object();
    for (const TextName<Texts>& name : names) {
        if (!(texts.*name.member).empty()) {
            record[std::string(name.name)] = texts.*name.member;
        }
    }
    return record;
}

// A record's texts from its object, read as the helper reads them.
template <typename Texts, std::size_t N>
Expected<Texts> RecordTexts(const ReadJson& document, std::string_view record,
                            const std::array<TextName<Texts>, N>& names)
{
    const ReadJson& object = document.at(std::string(record));
    if (!object.is_object()) {
        return Failed(Joined({"\"", record, "\" must be an object"}));
    }
    Texts texts;
    for (const TextName<Texts>& name : names) {
        if (auto read = ReadText(object, name.name, texts.*name.member); !read) {
            return Failed(Joined({"\"", record, "\": ", read.Error().reason}));
        }
    }
    return texts;
}

// Where the tension and the roller weight came from; a case without a
// record keeps none.
Expected<void> ReadOrigins(const ReadJson& document, Case& c)
{
    const auto refused = [](std::string_view record, const Failure& failure) {
        return Failed(Joined({"\"", record, "\": ", failure.reason}));
    };
    if (document.contains(kTensionFromName)) {
        const Expected<WebTexts> texts = RecordTexts(document, kTensionFromName, kWebTextNames);
        if (!texts) {
            return texts.Error();
        }
        const Expected<WebDescription> web = ReadWebDescription(*texts);
        std::string pick(PickWord(TensionPick::Typical));
        if (auto read = ReadText(document.at(std::string(kTensionFromName)), kPickName, pick); !read || !web) {
            return refused(kTensionFromName, web ? read.Error() : web.Error());
        }
        if (!PickNamed(pick)) {
            return Failed("\"" + std::string(kTensionFromName) + "\": pick is low, typical or high, not \"" + pick
                          + "\"");
        }
        c.tensionFrom = TensionOrigin{*web, *PickNamed(pick)};
    }
    if (document.contains(kRollerFromName)) {
        const Expected<RollerTexts> texts = RecordTexts(document, kRollerFromName, kRollerTextNames);
        if (!texts) {
            return texts.Error();
        }
        Expected<RollerDrawing> drawing = ReadRollerDrawing(*texts);
        if (!drawing) {
            return refused(kRollerFromName, drawing.Error());
        }
        c.rollerFrom = *std::move(drawing);
    }
    return {};
}

// Each range's ends as texts that are numbers, as a dialog would take them;
// whether they fit the case's entries is for the evaluation to say.
Expected<void> ReadRanges(const ReadJson& document, Case& c)
{
    const auto found = document.find(kRangesName);
    if (found == document.end()) {
        return {};
    }
    if (!found->is_object()) {
        return Failed(Joined({"\"", kRangesName, "\" must be an object"}));
    }
    const auto refused = [](std::string_view reason) { return Failed(Joined({"\"", kRangesName, "\": ", reason})); };
    for (const auto& [name, entry] : found->items()) {
        const auto item =
            static_cast<int>(std::find(kFieldNames.begin(), kFieldNames.end(), name) - kFieldNames.begin());
        if (!MayCarryRange(item)) {
            return refused(Joined({"\"", name, "\" is none of ", kRangeInputNames}));
        }
        RangeTexts texts;
        if (!entry.is_object() || !entry.contains("low") || !entry.contains("high")
            || !ReadText(entry, "low", texts.low) || !ReadText(entry, "high", texts.high)) {
            return refused(Joined({"\"", name, "\" must be an object of two texts, low and high"}));
        }
        c.ranges[static_cast<std::size_t>(item)] = std::move(texts);
    }
    if (const Expected<std::vector<InputRange>> ranges = RangesOf(c); !ranges) {
        return refused(ranges.Error().reason);
    }
    return {};
}

}  // namespace

std::string CaseFileText(const Case& c)
{
    Json document{{"format", kFormat}, {"version", kVersion}};
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        const Choice& words = kChoices[choice];
        const auto code = static_cast<std::size_t>(ChoiceCode(c, choice));
        document[std::string(words.name)] = words.words[code < words.words.size() ? code : 0];
    }
    for (int item = 0; item < kFieldCount; ++item) {
        document[std::string(kFieldNames[item])] = c.form.txtInput[item];
    }
    for (int item = 0; item < kReportItemCount; ++item) {
        document[std::string(kReportNames[item])] = c.report[item];
    }
    if (c.tensionFrom) {
        Json record = RecordJson(TextsOf(c.tensionFrom->web), kWebTextNames);
        record[std::string(kPickName)] = PickWord(c.tensionFrom->pick);
        document[std::string(kTensionFromName)] = record;
    }
    if (c.rollerFrom) {
        document[std::string(kRollerFromName)] = RecordJson(TextsOf(*c.rollerFrom), kRollerTextNames);
    }
    Json ranges = Json::object();
    for (int item = 0; item < kFieldCount; ++item) {
        if (const std::optional<RangeTexts>& range = c.ranges[static_cast<std::size_t>(item)]) {
            ranges[std::string(kFieldNames[item])] = Json{{"low", range->low}, {"high", range->high}};
        }
    }
    // An older case file has no ranges, and reads back the same.
    if (!ranges.empty()) {
        document[std::string(kRangesName)] = std::move(ranges);
    }
    // Texts are UTF-8 wherever they come from; should one slip through, the
    // file still gets written rather than the program ending.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Expected<Case> ParseCaseFile(std::string_view text)
{
    if (text.size() > kMaxCaseFileBytes) {
        return Failed("it is larger than 1 MiB");
    }
    if (!IsUtf8(text)) {
        return Failed("it is not valid UTF-8");
    }
    EntryNames names;
    const ReadJson document = ReadJson::parse(
        text,
        [&names](int depth, ReadJson::parse_event_t event, ReadJson& parsed) {
            return names.Keep(depth, event, parsed);
        },
        false);
    if (document.is_discarded()) {
        return Failed("it is not a case file (no JSON document)");
    }
    if (!IsCaseFile(document)) {
        return Failed("it is not a case file");
    }
    if (names.GivenTwice()) {
        return Failed("entry " + *names.GivenTwice() + " given twice");
    }
    if (auto version = CheckVersion(document); !version) {
        return version.Error();
    }
    // The reader takes a NUL byte for the end of the text.
    if (text.find('\0') != std::string_view::npos) {
        return Failed("there is text after the case");
    }
    Case c;
    for (int choice = 0; choice < kChoiceCount; ++choice) {
        if (auto read = ReadChoice(document, choice, c); !read) {
            return read.Error();
        }
    }
    for (int item = 0; item < kFieldCount; ++item) {
        if (auto read = ReadText(document, kFieldNames[item], c.form.txtInput[item]); !read) {
            return read.Error();
        }
    }
    for (int item = 0; item < kReportItemCount; ++item) {
        if (auto read = ReadText(document, kReportNames[item], c.report[item]); !read) {
            return read.Error();
        }
    }
    if (auto origins = ReadOrigins(document, c); !origins) {
        return origins.Error();
    }
    if (auto ranges = ReadRanges(document, c); !ranges) {
        return ranges.Error();
    }
    return c;
}

}  // namespace vyra
