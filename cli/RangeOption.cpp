#include "RangeOption.h"

#include "NumberText.h"
#include "RangeWords.h"

#include <algorithm>
#include <cmath>

namespace vyra::cli {

namespace {

int FieldNamed(std::string_view name)
{
    const auto found = std::find(kFieldNames.begin(), kFieldNames.end(), name);
    return found == kFieldNames.end() ? -1 : static_cast<int>(found - kFieldNames.begin());
}

Expected<InputRange> ParseRangeWord(const std::string& word)
{
    const std::size_t equals = word.find('=');
    const std::size_t colon = word.find(':', equals == std::string::npos ? 0 : equals);
    const std::string wanted = "--range takes NAME=LOW:HIGH, not \"" + word + "\"";
    if (equals == std::string::npos || colon == std::string::npos) {
        return Failed(wanted);
    }
    const int item = FieldNamed(std::string_view(word).substr(0, equals));
    if (!MayCarryRange(item)) {
        return Failed("--range: \"" + word.substr(0, equals) + "\" is none of " + std::string(kRangeInputNames));
    }
    const std::optional<double> low = ParseWholeNumber(std::string_view(word).substr(equals + 1, colon - equals - 1));
    const std::optional<double> high = ParseWholeNumber(std::string_view(word).substr(colon + 1));
    if (!low || !high || !std::isfinite(*low) || !std::isfinite(*high)) {
        return Failed(wanted);
    }
    return InputRange{item, *low, *high};
}

}  // namespace

Expected<std::vector<InputRange>> ParseRangeWords(const std::vector<std::string>& words)
{
    std::vector<InputRange> ranges;
    for (const std::string& word : words) {
        const Expected<InputRange> range = ParseRangeWord(word);
        if (!range) {
            return range.Error();
        }
        const auto same =
            std::find_if(ranges.begin(), ranges.end(), [&](const InputRange& r) { return r.item == range->item; });
        if (same == ranges.end()) {
            ranges.push_back(*range);
        } else {
            *same = *range;
        }
    }
    return ranges;
}

void WriteRangeLines(const Case& input, const std::vector<InputRange>& ranges, const RangeVerdicts& verdicts,
                     std::ostream& out)
{
    const std::vector<std::string> lines = RangeLines(input, ranges, verdicts);
    out << lines.front() << '\n';
    for (std::size_t line = 1; line < lines.size(); ++line) {
        out << "  " << lines[line] << '\n';
    }
}

}  // namespace vyra::cli
