#pragma once

#include "ReportTableDrawing.h"

namespace vyra::gfx::report {

// "<Selection results 1>" on page 1, below the specifications.
extern const ResultTable kResultTable1;

// "<Selection results 2>" at the top of page 2.
extern const ResultTable kResultTable2;

}  // namespace vyra::gfx::report
