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

#include <functional>
#include <string>

namespace vyra::gfx {
namespace {

// Letter less a quarter inch each side, and A4 likewise: W = 96 and 93.2 cells.
constexpr double kLetterWidthTwips = 11520;
constexpr double kA4WidthTwips = 11185;
constexpr double kPageHeightTwips = 15120;

struct ReportCase {
    const char* name;
    double widthTwips;
    std::function<ReportRecord()> record;
};

ReportRecord Wide()
{
    EntryForm form = test::WorkedExampleForm();
    form.txtInput[kItemFS] = "200000";
    form.txtInput[kItemWr] = "0.05";
    form.txtInput[kItemV] = "10.50";
    ReportRecord record = test::SelectedRecord(form, kNewton);
    const std::string longText(90, 'W');
    record.customer = {longText, longText, longText, "Dec 06,2026", longText};
    return record;
}

const ReportCase kReports[] = {
    {"worked_example", kLetterWidthTwips, [] { return test::SelectedRecord(test::WorkedExampleForm()); }},
    {"newton_a4", kA4WidthTwips,
     [] {
         EntryForm form = test::WorkedExampleForm();
         form.txtInput[kItemFS] = "98";
         return test::SelectedRecord(form, kNewton);
     }},
    {"harsh", kLetterWidthTwips, [] { return test::SelectedRecord(test::HarshForm(), kNewton); }},
    {"wide_figures_a4", kA4WidthTwips, Wide}};

class ReportGolden : public ::testing::TestWithParam<ReportCase> { };

// Page 1 with the printed sketch, and page 2.
TEST_P(ReportGolden, PagesAsRecorded)
{
    test::RecordingCanvas page(GetParam().widthTwips, kPageHeightTwips);
    PrintReport(page, GetParam().record(), {});
    const std::string recording = page.Recording();
    const std::size_t split = recording.find("newpage\n");
    ASSERT_NE(split, std::string::npos);
    test::ExpectGolden(std::string("report_page1_") + GetParam().name, recording.substr(0, split));
    test::ExpectGolden(std::string("report_page2_") + GetParam().name, recording.substr(split));
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportGolden, ::testing::ValuesIn(kReports),
                         [](const auto& test) { return std::string(test.param.name); });

struct SketchCase {
    const char* name;
    SelectionInputs inputs;
};

const SketchCase kSketches[] = {{"start", test::StartingInputs()},
                                {"level", test::SketchInputs(0, 0, 0, 0, 0)},
                                {"web_under_roller", test::SketchInputs(100, 80, 0, 30, 0)},
                                {"left_negative_gamma", test::SketchInputs(20, 80, -30, -50, 1)},
                                {"far_and_turned", test::SketchInputs(-60, 30, 200, 1000, 0)}};

class SketchGolden : public ::testing::TestWithParam<SketchCase> { };

// The sketch area after "Image chgange", and the same case on paper.
TEST_P(SketchGolden, ScreenAndPaper)
{
    test::RecordingCanvas area(kSketchAreaTwips, kSketchAreaTwips);
    SketchElements elements;
    DrawSketch(area, elements, ReadSketchCentre(elements), GetParam().inputs, false);
    test::ExpectGolden(std::string("sketch_") + GetParam().name, area.Recording());

    test::RecordingCanvas page(kLetterWidthTwips, kPageHeightTwips);
    page.SetScaleMode(ScaleMode::Characters);
    PrintSketch(page, GetParam().inputs, {});
    test::ExpectGolden(std::string("printed_sketch_") + GetParam().name, page.Recording());
}

INSTANTIATE_TEST_SUITE_P(Cases, SketchGolden, ::testing::ValuesIn(kSketches),
                         [](const auto& test) { return std::string(test.param.name); });

// The charts page of the report (both charts and the margin table) for an
// angled case whose bands, markers and labels all show, and for the harsh
// case in newtons, where most figures fail.
TEST(ChartsGolden, ChartsPageAsRecorded)
{
    EntryForm angled = test::WorkedExampleForm();
    angled.txtInput = {"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    const std::pair<const char*, ReportRecord> cases[] = {
        {"charts_page_angled", test::SelectedRecord(angled)},
        {"charts_page_harsh", test::SelectedRecord(test::HarshForm(), kNewton)},
    };
    for (const auto& [name, record] : cases) {
        test::RecordingCanvas page(kA4WidthTwips, kPageHeightTwips);
        const EntryForm form = std::string(name) == "charts_page_angled" ? angled : test::HarshForm();
        PrintCharts(page, ChartContentOf(record.selection, form), {});
        test::ExpectGolden(name, page.Recording());
    }
}

// The first drawing, with the sign-convention marks and labels.
TEST(SketchGolden, AnnotatedAtLoad)
{
    test::RecordingCanvas area(kSketchAreaTwips, kSketchAreaTwips);
    SketchElements elements;
    DrawSketch(area, elements, ReadSketchCentre(elements), test::StartingInputs(), true);
    test::ExpectGolden("sketch_annotated_start", area.Recording());
}

}  // namespace
}  // namespace vyra::gfx
