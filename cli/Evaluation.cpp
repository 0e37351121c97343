#include "Evaluation.h"

#include "CalculationId.h"
#include "Commands.h"

#include <algorithm>

namespace vyra::cli {

Evaluation Evaluate(const Case& input, const EvaluationRequest& request)
{
    Evaluation evaluation;
    evaluation.selection.forceUnit = input.forceUnit;
    evaluation.calculationId = CalculationId(input);
    evaluation.inputs = InputsAsRead(input.form);
    evaluation.refusal = SelectCommand(evaluation.selection, input.form);
    if (evaluation.refusal) {
        return evaluation;
    }
    if (request.passingGamma) {
        evaluation.passingGamma = PassingGammas(input.form, input.forceUnit);
    }
    if (request.calibrationWeight) {
        evaluation.calibration = CalibrationFor(input.form, input.forceUnit, *request.calibrationWeight);
    }
    if (!request.ranges.empty()) {
        evaluation.ranges = request.ranges;
        evaluation.rangeVerdicts = EvaluateRanges(input.form, input.forceUnit, request.ranges);
    }
    if (request.remedies) {
        evaluation.remedies = RemediesOf(input.form, input.forceUnit);
    }
    return evaluation;
}

Evaluation RefusedRow(const std::string& problem)
{
    Evaluation evaluation;
    evaluation.refusal = CheckFailure{"Invalid row", problem, MessageIcon::Exclamation, {}, false};
    return evaluation;
}

// A message box breaks its line at a carriage return; a terminal would
// write the second line over the first.
std::string TerminalText(const CheckFailure& failure)
{
    std::string text = failure.title + ": " + failure.message;
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

}  // namespace vyra::cli
