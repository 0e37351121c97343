#pragma once

#include "Comparison.h"
#include "Evaluation.h"

#include <span>
#include <string>

namespace vyra::cli {

// The comparison as a text table: a column per case headed by its file,
// "*" after a cell that differs from the first case's, a verdict that is
// the best of its model's row in brackets; then the differences and each
// refused case's message.
std::string ComparisonText(const Comparison& comparison);

// The same table as CSV: "item", a column per case, then "differs" and
// "best", each the numbers of the cases (1 for the first) so marked.
std::string ComparisonCsv(const Comparison& comparison);

// One JSON document: "cases", each the document a single run of it writes
// with its "file" first, and "differences", the case file names of the
// choices and inputs in which a case differs from the first.
std::string ComparisonJson(const Comparison& comparison, std::span<const Evaluation> evaluations);

}  // namespace vyra::cli
