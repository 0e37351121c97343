#include "PageDrawings.h"

#include "Charts.h"
#include "Commands.h"
#include "NumberText.h"
#include "Ranges.h"
#include "Report.h"
#include "Sketch.h"
#include "SvgCanvas.h"

#include <utility>

namespace vyra::gfx {

namespace {

// The PDF's resolution, which text is measured at, and a screen's.
constexpr double kPaperDpi = 600;
constexpr double kScreenDpi = 96;
constexpr double kTwipsPerPoint = 20;
// 6.35 mm, the margin the report leaves on every side.
constexpr double kMarginPoints = 18;

}  // namespace

// The paper sizes in whole points, as the PDF writer takes them.
PaperArea ReportArea(Paper paper)
{
    const auto [width, height] = paper == Paper::A4 ? std::pair{595.0, 842.0} : std::pair{612.0, 792.0};
    return {(width - 2 * kMarginPoints) * kTwipsPerPoint, (height - 2 * kMarginPoints) * kTwipsPerPoint};
}

ReportRecord RecordOfCase(const Case& input, const RunState& selection, std::string caseFile, bool charts,
                          bool calculation)
{
    ReportRecord record;
    record.customer = CustomerOf(input);
    record.caseFile = std::move(caseFile);
    record.specifications = SpecificationsOf(input);
    record.selection = selection;
    record.calculationRecord = calculation;
    if (charts) {
        record.charts = ChartContentOf(selection, input.form, {record.customer, record.caseFile});
    }
    return record;
}

std::vector<std::string> ReportSvgPages(const ReportRecord& record, Paper paper)
{
    const PaperArea area = ReportArea(paper);
    SvgCanvas canvas(area.widthTwips, area.heightTwips, kPaperDpi, "page");
    PrintReport(canvas, record, {});
    canvas.EndDocument();
    return canvas.Pages();
}

std::vector<std::string> ChartsSvgPages(const ChartContent& content)
{
    const PaperArea area = ReportArea(Paper::A4);
    SvgCanvas canvas(area.widthTwips, area.heightTwips, kPaperDpi, "charts");
    PrintCharts(canvas, content, {});
    canvas.EndDocument();
    return canvas.Pages();
}

Expected<void> AddCaseRanges(ChartContent& content, const Case& input, double mostPoints)
{
    const Expected<std::vector<InputRange>> ranges = CheckedRangesOf(input);
    if (!ranges) {
        return ranges.Error();
    }
    if (ranges->empty()) {
        return {};
    }
    if (const double points = RangePointCount(input.form, *ranges); points > mostPoints) {
        return Failure{"the ranges make " + ShortestText(points) + " points, more than the " + ShortestText(mostPoints)
                       + " this page evaluates: give narrower ranges"};
    }
    AddRanges(content, *ranges, EvaluateRanges(input.form, input.forceUnit, *ranges));
    return {};
}

SketchDrawing SketchSvg(const Case& input)
{
    SvgCanvas canvas(kSketchAreaTwips, kSketchAreaTwips, kScreenDpi, "sketch");
    SketchElements elements;
    const SketchCentre centre = ReadSketchCentre(elements);
    RunState state;
    state.forceUnit = input.forceUnit;
    if (const CheckResult refusal =
            ImageChangeCommand(state, input.form, [&] { DrawSketch(canvas, elements, centre, state.inputs, false); })) {
        return {{}, *refusal};
    }
    canvas.EndDocument();
    return {canvas.Pages().front(), std::nullopt};
}

std::string StartingSketchSvg()
{
    SvgCanvas canvas(kSketchAreaTwips, kSketchAreaTwips, kScreenDpi, "sketch");
    SketchElements elements;
    const SketchCentre centre = ReadSketchCentre(elements);
    SelectionInputs typical;
    typical.alpha = 20;
    typical.beta = 80;
    typical.gamma = 20;
    typical.l = 20;
    DrawSketch(canvas, elements, centre, typical, true);
    canvas.EndDocument();
    return canvas.Pages().front();
}

}  // namespace vyra::gfx
