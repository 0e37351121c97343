#pragma once

#include "Case.h"
#include "CheckFailure.h"
#include "Headroom.h"
#include "Ranges.h"
#include "Remedies.h"
#include "RunState.h"

#include <array>
#include <optional>

namespace vyra::cli {

// What is asked of a case beside "Select".
struct EvaluationRequest {
    // The whole degrees of gamma at which each model passes: 361 evaluations.
    bool passingGamma = false;
    // In the run's unit of weight: kg, lb in an lbf run.
    std::optional<double> calibrationWeight;
    // Each point of the ranges is selected as the case is; CheckRanges has
    // passed them.
    std::vector<InputRange> ranges;
    // What one input changed would make each failing model pass: some 3,000 evaluations.
    bool remedies = false;
};

// One case evaluated once, as the input screen's "Select" does, with what
// was asked beside it; the text tables, the JSON documents, the report and
// the batch rows are all written from it.
struct Evaluation {
    // The selection; its tables hold figures only when there is no refusal.
    RunState selection;
    std::optional<CheckFailure> refusal;
    // Of every case whose texts are numbers, refused by a check or not.
    std::optional<std::string> calculationId;
    // The ten fields as read, in the case's own unit, under the same condition.
    std::optional<std::array<double, kFieldCount>> inputs;
    std::optional<PassingGamma> passingGamma;
    std::optional<Calibration> calibration;
    std::vector<InputRange> ranges;
    std::optional<RangeVerdicts> rangeVerdicts;
    std::optional<Remedies> remedies;
};

Evaluation Evaluate(const Case& input, const EvaluationRequest& request);

// A case refused before it was evaluated (a batch row's choice word that is
// not one of its two), as a usage error would refuse it.
Evaluation RefusedRow(const std::string& problem);

// A check's refusal as a terminal shows it: "title: message", the message
// box's carriage returns as line feeds.
std::string TerminalText(const CheckFailure& failure);

}  // namespace vyra::cli
