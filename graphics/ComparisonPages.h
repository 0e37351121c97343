#pragma once

#include "Canvas.h"
#include "Comparison.h"
#include "PageTrace.h"
#include "PrintTrouble.h"

#include <span>

namespace vyra::gfx {

struct ComparisonContent {
    Comparison comparison;
    // The first case's customer block, the case files and their IDs.
    PageTrace trace;
};

ComparisonContent ComparisonContentOf(std::span<const ComparedCase> cases);

// The comparison on as many pages as it takes, each titled "<Comparison of
// cases>" over the case files heading its columns and with the footer of
// the other printed pages: a cell that differs from the first case's in
// bold with "*", the best verdict of a model's row framed, then the
// differences and each refused case's message whole. A failed device ends
// the document and its trouble is told once.
void PrintComparison(Canvas& page, const ComparisonContent& content, const MessageSink& sink);

}  // namespace vyra::gfx
