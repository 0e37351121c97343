#include "RangeWords.h"

#include "Answer.h"
#include "Captions.h"
#include "Commands.h"
#include "NumberText.h"
#include "RunState.h"
#include "Utf8.h"

#include <algorithm>

namespace vyra {

namespace {

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

}  // namespace

std::vector<std::string> RangeLines(const Case& input, const std::vector<InputRange>& ranges,
                                    const RangeVerdicts& verdicts)
{
    RunState names;
    names.seriesIndex = static_cast<std::int16_t>(input.form.opType);
    std::vector<std::string> lines{"Over the ranges (" + ShortestText(verdicts[0].points) + " points):"};
    for (int model = 0; model < kModelCount; ++model) {
        const RangeVerdict& verdict = verdicts[static_cast<std::size_t>(model)];
        const std::string name(names.model(model).name);
        lines.push_back(verdict.passesBoth ? name + " passes both result sets"
                                           : name + " fails at " + PointWords(ranges, verdict.worst.at) + ": "
                                                 + WorstWords(input, ranges, verdict.worst, model));
    }
    return lines;
}

std::string RangesLine(const CaseRanges& ranges, ForceUnit forceUnit)
{
    const auto units = UnitLabels(forceUnit);
    std::string line;
    for (int item = 0; item < kFieldCount; ++item) {
        const auto index = static_cast<std::size_t>(item);
        if (const std::optional<RangeTexts>& texts = ranges[index]) {
            line += Joined({line.empty() ? "Ranges: " : ", ", kFieldNames[index], " ", texts->low, " to ", texts->high,
                            " ", units[index]});
        }
    }
    return line;
}

}  // namespace vyra
