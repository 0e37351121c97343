#include "RangeOption.h"

#include "Answer.h"
#include "Commands.h"
#include "NumberText.h"
#include "RunState.h"
#include "Utf8.h"

#include <algorithm>
#include <cmath>

namespace vyra::cli {

namespace {

int FieldNamed(std::string_view name)
{
    const auto found = std::find(kFieldNames.begin(), kFieldNames.end(), name);
    return found == kFieldNames.end() ? -1 : static_cast<int>(found - kFieldNames.begin());
}

std::string PointWords(const std::vector<InputRange>& ranges, const std::vector<double>& at)
{
    std::string words;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        words += Joined(
            {r > 0 ? ", " : "", kFieldNames[static_cast<std::size_t>(ranges[r].item)], " ", ShortestText(at[r])});
    }
    return words;
}

// What stops the model at its worst point, in the words of the answer
// sentence, or the refusal of the angle checks there.
std::string WorstWords(const Case& input, const std::vector<InputRange>& ranges, const RangeWorst& worst, int model)
{
    EntryForm form = input.form;
    for (std::size_t r = 0; r < ranges.size(); ++r) {
        form.txtInput[static_cast<std::size_t>(ranges[r].item)] = RoundTripText(worst.at[r]);
    }
    RunState state;
    state.forceUnit = input.forceUnit;
    if (const CheckResult refusal = SelectCommand(state, form)) {
        std::string message = refusal->message;
        std::replace(message.begin(), message.end(), '\r', ' ');
        return message;
    }
    const std::string nearest = NearestText(state, model);
    const std::size_t comma = nearest.find(", ");
    return comma == std::string::npos ? nearest : nearest.substr(comma + 2);
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
    RunState names;
    names.seriesIndex = static_cast<std::int16_t>(input.form.opType);
    out << "Over the ranges (" << ShortestText(verdicts[0].points) << " points):\n";
    for (int model = 0; model < kModelCount; ++model) {
        const RangeVerdict& verdict = verdicts[static_cast<std::size_t>(model)];
        out << "  " << names.model(model).name;
        if (verdict.passesBoth) {
            out << " passes both result sets\n";
            continue;
        }
        out << " fails at " << PointWords(ranges, verdict.worst.at) << ": "
            << WorstWords(input, ranges, verdict.worst, model) << '\n';
    }
}

}  // namespace vyra::cli
