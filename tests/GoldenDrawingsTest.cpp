// The layout of the report pages and of both sketches, as golden recordings:
// every call of the drawing with its coordinates, in tests/golden/.
#include "Charts.h"
#include "Golden.h"
#include "PrintedSketch.h"
#include "RecordingCanvas.h"
#include "Records.h"
#include "Report.h"
#include "Sketch.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace vyra::gfx {
namespace {

// Letter less a quarter inch each side, and A4 likewise: W = 96 and 93.2 cells.
constexpr double kLetterWidthTwips = 11520;
constexpr double kA4WidthTwips = 11185;
constexpr double kPageHeightTwips = 15120;

// Page 1 with the printed sketch, and page 2: the worked example, the harsh
// case in newtons, and figures and customer texts as wide as they come, in
// newtons on A4.
TEST(ReportGolden, PagesAsRecorded)
{
    ReportRecord wide =
        test::SelectedRecord({{"200000", "100", "0.05", "0", "0", "0", "0", "0", "1", "10.50"}}, kNewton);
    const std::string longText(90, 'W');
    wide.customer = {longText, longText, longText, "Dec 06,2026", longText};
    const std::tuple<const char*, double, ReportRecord> cases[] = {
        {"worked_example", kLetterWidthTwips, test::SelectedRecord(test::WorkedExampleForm())},
        {"harsh", kLetterWidthTwips, test::SelectedRecord(test::HarshForm(), kNewton)},
        {"wide_figures_a4", kA4WidthTwips, wide}};
    for (const auto& [name, width, record] : cases) {
        test::RecordingCanvas page(width, kPageHeightTwips);
        PrintReport(page, record, {});
        const std::string recording = page.Recording();
        const std::size_t split = recording.find("newpage\n");
        ASSERT_NE(split, std::string::npos) << name;
        test::ExpectGolden(std::string("report_page1_") + name, recording.substr(0, split));
        test::ExpectGolden(std::string("report_page2_") + name, recording.substr(split));
    }
}

// The sketch area after "Image chgange", and the same case on paper; the
// first drawing at load also with the sign-convention marks and labels.
TEST(SketchGolden, ScreenAndPaper)
{
    const std::pair<const char*, SelectionInputs> cases[] = {
        {"start", test::StartingInputs()},
        {"level", test::SketchInputs(0, 0, 0, 0, 0)},
        {"web_under_roller", test::SketchInputs(100, 80, 0, 30, 0)},
        {"left_negative_gamma", test::SketchInputs(20, 80, -30, -50, 1)},
        {"far_and_turned", test::SketchInputs(-60, 30, 200, 1000, 0)}};
    const auto screen = [](const SelectionInputs& inputs, bool annotated) {
        test::RecordingCanvas area(kSketchAreaTwips, kSketchAreaTwips);
        SketchElements elements;
        DrawSketch(area, elements, ReadSketchCentre(elements), inputs, annotated);
        return area.Recording();
    };
    for (const auto& [name, inputs] : cases) {
        test::ExpectGolden(std::string("sketch_") + name, screen(inputs, false));
        test::RecordingCanvas page(kLetterWidthTwips, kPageHeightTwips);
        page.SetScaleMode(ScaleMode::Characters);
        PrintSketch(page, inputs, {});
        test::ExpectGolden(std::string("printed_sketch_") + name, page.Recording());
    }
    test::ExpectGolden("sketch_annotated_start", screen(test::StartingInputs(), true));
}

// The charts page of the report (both charts and the margin table) for an
// angled case whose bands, markers and labels all show, and for the harsh
// case in newtons, where most figures fail.
TEST(ChartsGolden, ChartsPageAsRecorded)
{
    EntryForm angled = test::WorkedExampleForm();
    angled.txtInput = {"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    const std::tuple<const char*, EntryForm, std::int16_t> cases[] = {
        {"charts_page_angled", angled, kKgf},
        {"charts_page_harsh", test::HarshForm(), kNewton}};
    for (const auto& [name, form, unit] : cases) {
        test::RecordingCanvas page(kA4WidthTwips, kPageHeightTwips);
        PrintCharts(page, ChartContentOf(test::SelectedRecord(form, unit).selection, form), {});
        test::ExpectGolden(name, page.Recording());
    }
}

}  // namespace
}  // namespace vyra::gfx
