#pragma once

#include "Canvas.h"
#include "Headroom.h"
#include "InputReading.h"
#include "PageTrace.h"
#include "PrintTrouble.h"
#include "Ranges.h"
#include "Remedies.h"
#include "RunState.h"
#include "Sensitivity.h"

#include <optional>

namespace vyra::gfx {

// What the charts show of a selection: its tables, the form "Select" read
// (for the calibration helper) and, for the mounting-angle chart, the
// angles at which each model passes.
struct ChartContent {
    RunState selection;
    EntryForm form;
    PassingGamma passingGamma;
    // The footer of the charts page printed alone.
    PageTrace trace;
    // What a test weight should read, when one was given.
    std::optional<Calibration> calibration;
    // Of a run with ranges: each model over them, and what each of them
    // does alone to the model nearest to passing.
    std::optional<RangeVerdicts> rangeVerdicts;
    std::optional<Sensitivity> sensitivity;
    // What would make each model that fails as entered pass.
    Remedies remedies;
};

// The content of the case "Select" accepted into selection, from the form
// it read.
ChartContent ChartContentOf(const RunState& selection, const EntryForm& form, const PageTrace& trace);
// The verdicts of the form's ranges, evaluated once by the caller, and the
// sensitivity to each range.
void AddRanges(ChartContent& content, const std::vector<InputRange>& ranges, const RangeVerdicts& verdicts);

// Each drawing fills its area, given in twips from the canvas's top-left,
// and leaves the canvas in twips with its origin at 0.
//
// F1/F2 of the nine models against the line speed, from 0 to twice the
// larger of V and the highest finite maxSpeed: one line per model with its
// number at the end, the ratio check's limit, the case's V, and each maxSpeed marked
// on the limit line.
void DrawSpeedChart(Canvas& canvas, const ChartContent& content, const TwipRect& area);
// A band per model of the selected series over gamma -180 to 180 where it
// passes result set 1, with the case's gamma marked.
void DrawGammaChart(Canvas& canvas, const ChartContent& content, const TwipRect& area);
// Each check of both result sets as a percentage of its limit, the nearest
// to failing in bold, and each model's maxSpeed.
void DrawMarginTable(Canvas& canvas, const ChartContent& content, const TwipRect& area);

// What each model should show with the test weight, as the charts window
// shows it, or why the case with that weight was refused.
void DrawCalibrationTable(Canvas& canvas, const Calibration& calibration, const RunState& state, const TwipRect& area);

// The verdicts of each model over the ranges, one row each, and the height
// they take.
void DrawRangeTable(Canvas& canvas, const ChartContent& content, const TwipRect& area);
double RangeTableHeight();
// The sensitivity's tornado: one bar per range, the largest at the top, and
// the height it takes.
void DrawTornado(Canvas& canvas, const ChartContent& content, const TwipRect& area);
double TornadoHeight(const Sensitivity& sensitivity);

// The charts page: the title, both charts, the margin table and the
// calibration table when there is one, within the report pages' margins;
// then the verdicts over the ranges, the sensitivity's tornado and the
// remedies' sentences, while each fits above the footer.
void PrintChartsPage(Canvas& page, const ChartContent& content, const MessageSink& sink);
// 2 when a part does not fit on the charts page and continues on a page of
// its own, else 1.
int ChartsPageCount(Canvas& page, const ChartContent& content);
// The parts that go on the charts page (0) or the page after it (1).
void DrawChartsParts(Canvas& page, const ChartContent& content, int pageOfCharts);
// The charts page and its continuation when there is one, each with its
// footer: number first of count.
void PrintChartsPages(Canvas& page, const ChartContent& content, const PageTrace& trace, int first, int count,
                      const MessageSink& sink);
// The charts page alone as a document.
void PrintCharts(Canvas& page, const ChartContent& content, const MessageSink& sink);

}  // namespace vyra::gfx
