#pragma once

#include "Case.h"
#include "Charts.h"
#include "CheckFailure.h"
#include "Expected.h"
#include "ReportRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace vyra::gfx {

// What a browser shows of the drawings, as SVG documents drawn by the same
// code as the desktop's screens and paper.

enum class Paper { A4, Letter };

// The report's drawable area on the paper: the paper less the margin every
// printer keeps, as the PDF has it.
struct PaperArea {
    double widthTwips = 0;
    double heightTwips = 0;
};
PaperArea ReportArea(Paper paper);

// The report of a case "Select" accepted into selection, as vyra-select
// --report gives it: with the charts page and the calculation record when
// asked for.
ReportRecord RecordOfCase(const Case& input, const RunState& selection, std::string caseFile, bool charts,
                          bool calculation);

// The report's pages, one SVG document each, at the PDF's resolution.
std::vector<std::string> ReportSvgPages(const ReportRecord& record, Paper paper);

// The charts page alone, and its continuation when there is one, on A4.
std::vector<std::string> ChartsSvgPages(const ChartContent& content);

// The most points of ranges a browser evaluates: it has no progress box
// and stands still while it computes.
inline constexpr double kMostPagePoints = 1e6;
// The case's ranges checked and evaluated into the charts, or why not:
// nothing to add when the case has none.
Expected<void> AddCaseRanges(ChartContent& content, const Case& input, double mostPoints);

// The sketch area after "Image chgange", or the refusal "Image chgange"
// shows and no drawing.
struct SketchDrawing {
    std::string svg;
    std::optional<CheckFailure> refusal;
};
SketchDrawing SketchSvg(const Case& input);
// The typical arrangement with the marks of the sign conventions, as the
// input screen starts with.
std::string StartingSketchSvg();

}  // namespace vyra::gfx
