#include "Report.h"
#include "Answer.h"
#include "Charts.h"
#include "Commands.h"
#include "ComparisonPages.h"
#include "Golden.h"
#include "Headroom.h"
#include "LineReport.h"
#include "NumberText.h"
#include "PrintedSketch.h"
#include "RecordingCanvas.h"
#include "Records.h"
#include "ResultColumns.h"
#include "Sketch.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

// Twips: letter and A4 less a quarter inch each side (96 and 93.2 cells), the height.
constexpr double kLetter = 11520;
constexpr double kA4 = 11185;
constexpr double kPageHeight = 15120;

const EntryForm kWide{{"200000", "100", "0.05", "0", "0", "0", "0", "0", "1", "10.50"}};

ReportRecord Worked() { return test::SelectedRecord(test::WorkedExampleForm()); }

// Both pages: the worked example, the harsh case in newtons, and figures
// and customer texts as wide as they come, in newtons on A4.
TEST(ReportGolden, PagesAsRecorded)
{
    ReportRecord wide = test::SelectedRecord(kWide, kNewton);
    const std::string longText(90, 'W');
    wide.customer = {longText, longText, longText, "Dec 06,2026", longText};
    const std::tuple<const char*, double, ReportRecord> cases[] = {
        {"worked_example", kLetter, Worked()},
        {"harsh", kLetter, test::SelectedRecord(test::HarshForm(), kNewton)},
        {"wide_figures_a4", kA4, wide}};
    for (const auto& [name, width, record] : cases) {
        RecordingCanvas page(width, kPageHeight);
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
        {"start", test::SketchInputs(20, 80, 20, 20, 0)},
        {"level", test::SketchInputs(0, 0, 0, 0, 0)},
        {"web_under_roller", test::SketchInputs(100, 80, 0, 30, 0)},
        {"left_negative_gamma", test::SketchInputs(20, 80, -30, -50, 1)},
        {"far_and_turned", test::SketchInputs(-60, 30, 200, 1000, 0)}};
    const auto screen = [](const SelectionInputs& inputs, bool annotated) {
        RecordingCanvas area(kSketchAreaTwips, kSketchAreaTwips);
        SketchElements elements;
        DrawSketch(area, elements, ReadSketchCentre(elements), inputs, annotated);
        return area.Recording();
    };
    for (const auto& [name, inputs] : cases) {
        test::ExpectGolden(std::string("sketch_") + name, screen(inputs, false));
        RecordingCanvas page(kLetter, kPageHeight);
        page.SetScaleMode(ScaleMode::Characters);
        PrintSketch(page, inputs, {});
        test::ExpectGolden(std::string("printed_sketch_") + name, page.Recording());
    }
    test::ExpectGolden("sketch_annotated_start", screen(cases[0].second, true));
}

// The charts page, its calibration table for 5 kg: an angled case whose bands, markers and labels
// all show, the harsh case in newtons, and in lbf a line fast enough to crowd the speed axis. No
// label comes within 90 twips (most of a blank) of another beside it.
TEST(ChartsGolden, ChartsPageAsRecorded)
{
    const EntryForm angled{{"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"}};
    const EntryForm fast{{"22", "4", "22", "20", "80", "20", "1", "0", "2", "50000"}};
    const std::tuple<const char*, EntryForm, ForceUnit> cases[] = {{"charts_page_angled", angled, kKgf},
                                                                   {"charts_page_harsh", test::HarshForm(), kNewton},
                                                                   {"charts_page_fast_lbf", fast, kLbf}};
    for (const auto& [name, form, unit] : cases) {
        RecordingCanvas page(kA4, kPageHeight);
        const ReportRecord record = test::SelectedRecord(form, unit);
        ChartContent content = ChartContentOf(record.selection, form, {record.customer, "line3.vyracase"});
        content.calibration = CalibrationFor(form, unit, 5);
        content.remedies = {};
        PrintCharts(page, content, {});
        test::ExpectGolden(name, page.Recording());
        EXPECT_EQ(test::TextCollisions(page, 0, false, 90), std::vector<std::string>{}) << name;
    }
}

// In ft/min each maxSpeed marker sits on its model's curve where the curve
// reaches the limit: curves and markers speak the same unit.
TEST(ChartsGolden, SpeedChartInFeetPerMinuteKeepsMarkersOnTheirCurves)
{
    const ReportRecord record = test::SelectedRecord(test::LbfForm(), kLbf);
    RecordingCanvas canvas(kA4, kPageHeight);
    DrawSpeedChart(canvas, ChartContentOf(record.selection, test::LbfForm(), {}), {1200, 800, 10000, 5300});
    const std::vector<CanvasCall> markers = canvas.CallsOf(CanvasCall::Kind::Arc);
    ASSERT_EQ(markers.size(), 9U);
    const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
    for (const CanvasCall& marker : markers) {
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&marker](const CanvasCall& l) {
            const double x = l.x1 + (marker.y1 - l.y1) / (l.y2 - l.y1) * (l.x2 - l.x1);
            return (l.y1 - marker.y1) * (l.y2 - marker.y1) <= 0 && l.y1 != l.y2 && std::fabs(x - marker.x1) < 3;
        })) << marker.x1;
    }
    EXPECT_TRUE(canvas.Recording().find("\"V 500 ft/min\"") != std::string::npos);
}

// A device that fails at the point named (see drawing_printer_troubles).
struct ScriptedCanvas : RecordingCanvas {
    explicit ScriptedCanvas(std::string failAt) : RecordingCanvas(kLetter, kPageHeight), at(std::move(failAt)) { }
    bool Failed() const override { return failed; }
    bool NewPage() override
    {
        failed = failed || at == "break page";
        return RecordingCanvas::NewPage() && !failed && at != "refuse page";
    }
    bool EndDocument() override { return RecordingCanvas::EndDocument() && !failed && at != "refuse end"; }
    void PaintText(double x, double y, std::string_view text) override
    {
        RecordingCanvas::PaintText(x, y, text);
        failed = failed || text == at;
    }
    std::string at;
    bool failed = at == "start";
};

// Each page's first row, the left border of each column, then the table's right border.
struct Page {
    void (*draw)(Canvas&, const ReportRecord&, const MessageSink&);
    double firstRow;
    std::vector<double> cells;
    std::span<const ResultColumn> (*columns)();
};

// A figure is on the page whole, or in an exponent form true to its last digit.
bool Shows(const std::multiset<std::string>& texts, const std::string& whole, double value)
{
    return texts.contains(whole) || std::any_of(texts.begin(), texts.end(), [value](const std::string& text) {
               char* end = nullptr;
               const double read = std::strtod(text.c_str(), &end);
               const std::size_t e = text.find('e');
               const std::size_t point = std::min(text.find('.'), e);
               if (e == std::string::npos || *end != '\0' || !std::isfinite(value)) {
                   return false;
               }
               const double last = std::pow(10.0, std::stoi(text.substr(e + 1)) - double(e - std::min(point + 1, e)));
               return std::fabs(read - value) <= last / 2 * (1 + 1e-9);
           });
}

const Page kPages[] = {{PrintReportPage1, 41.5, {20, 28, 36, 44, 51, 58, 65, 73, 81, 90}, ResultSet1Columns},
                       {PrintReportPage2, 10.5, {20, 32, 42, 52, 59, 66, 78, 87}, ResultSet2Columns}};

// A figure of a model set to a value, model -1 every model's, in the worked example or the record given.
struct Change {
    ResultTable ResultTables::*table;
    int model;
    double value;
};

ReportRecord Changed(std::initializer_list<Change> changes, ReportRecord record = Worked())
{
    for (const Change& c : changes) {
        ResultTable& table = record.selection.tables.*c.table;
        for (int i = 0; i < kModelCount; ++i) {
            table[i] = c.model < 0 || c.model == i ? c.value : table[i];
        }
    }
    return record;
}

// Whatever the figures and texts, on letter or A4: every failing figure is
// crossed over its own cell and nothing else, a row is framed and filled
// exactly when none of its figures on the page fails, every figure stands
// whole and no text runs over a rule or into another text.
TEST(ReportMarks, CrossesFramesAndTextsFollowTheFigures)
{
    using T = ResultTables;
    const std::string longText(120, 'W');
    ReportRecord fields = Worked(), customer = Worked(), someCustomer = Worked(), standing = Worked();
    fields.specifications.fieldTexts = {"99999", "", "10.50", "20.5", "", "", "", "", "", std::string(40, '9')};
    fields.specifications.origins = {"Tension from: PET 12 µm, 48 in, typical", "Roller: steel shaft 2 × 40 in, 36 lb"};
    customer.customer = {longText, longText, longText, longText, longText};
    someCustomer.customer = {"A", longText, "M", "D", longText};
    ReportRecord figures = Changed({{&T::P1, 0, 12345.6}, {&T::P1, 1, -8660.3}, {&T::P1, 2, -8660.3e6}});
    figures = Changed({{&T::S, -1, 1498.5e3}, {&T::Vr, -1, -1e9}, {&T::F2, -1, 1118.5}}, figures);
    figures = Changed({{&T::F3, -1, -1e12}, {&T::E, -1, 123456.78}, {&T::PB, -1, -98765.4}}, figures);
    figures.selection.seriesIndex = kIntrinsicallySafeSeries;
    standing.selection.inputs.V = 0;
    const std::tuple<ForceUnit, double, ReportRecord> cases[] = {
        {kKgf, kLetter, Worked()},
        {kKgf, kA4, Changed({{&T::Zr, 0, 0.7}, {&T::Zs, 2, 0.7}, {&T::Zs, 4, -0.8}, {&T::Vr, 3, 260}, {&T::S, 1, 12}})},
        {kKgf, kLetter, Changed({{&T::S, 7, 80}, {&T::S, 8, NAN}, {&T::P1, 5, -1}, {&T::P1, 8, -0.5}})},
        {kNewton, kLetter, Changed({{&T::F1, 2, 27.2}, {&T::F2, 2, 27.2 / 0.7}, {&T::F1, 3, 10}, {&T::F2, 3, 0}})},
        {kKgf, kLetter, Changed({{&T::P1, 6, -1}, {&T::Zs, -1, 0.1}, {&T::S, -1, 40}})},
        {kNewton, kA4, fields},
        {kKgf, kA4, customer},
        {kKgf, kLetter, someCustomer},
        {kNewton, kA4, figures},
        {kNewton, kLetter, test::SelectedRecord(test::HarshForm(), kNewton)},
        {kNewton, kA4, test::SelectedRecord(kWide, kNewton)},
        {kKgf, kLetter, standing}};
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        ReportRecord record = std::get<2>(cases[n]);
        record.selection.forceUnit = std::get<0>(cases[n]);
        const RunState& s = record.selection;
        for (const Page& page : kPages) {
            RecordingCanvas canvas(std::get<1>(cases[n]), kPageHeight);
            page.draw(canvas, record, {});
            EXPECT_EQ(test::TextCollisions(canvas, 0.2), std::vector<std::string>{}) << "case " << n;
            // Nothing under 7 point, and one size for the figures of a column.
            std::multiset<std::string> texts;
            std::map<std::pair<int, long>, std::multiset<std::string>> cellTexts;  // by row and column
            std::map<double, std::set<double>> columnSizes;
            for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
                const std::string text = call.text.substr(std::min(call.text.find_first_not_of(' '), call.text.size()));
                texts.insert(text);
                EXPECT_GE(call.font.size, 7) << "case " << n << ": " << call.text;
                const auto cell = std::upper_bound(page.cells.begin(), page.cells.end(), call.x1);
                cellTexts[{static_cast<int>(std::floor((call.y1 - page.firstRow) / 2)), cell - page.cells.begin() - 1}]
                    .insert(text);
                if (call.y1 > page.firstRow && call.y1 < page.firstRow + 18 && cell != page.cells.end()) {
                    columnSizes[cell == page.cells.begin() ? 0 : *(cell - 1)].insert(call.font.size);
                }
            }
            for (const auto& [left, sizes] : columnSizes) {
                EXPECT_EQ(sizes.size(), 1U) << "case " << n << ": column at " << left;
            }
            EXPECT_EQ(texts.contains("Line speed V is 0: result set 2 is that of a standing line."),
                      page.draw == PrintReportPage2 && s.inputs.V == 0)
                << "case " << n;
            // Page 1 says which models no mark strikes in either set, right above the results.
            std::string both;
            for (int i = 0; i < kModelCount; ++i) {
                const auto fails = [&](const ResultColumn& c) { return Failed(c, s, i); };
                const bool passes = std::ranges::none_of(ResultSet1Columns(), fails)
                                    && std::ranges::none_of(ResultSet2Columns(), fails);
                both += passes ? (both.empty() ? "" : ", ") + std::string(s.model(i).name) : "";
            }
            const std::vector<CanvasCall> calls = canvas.CallsOf(CanvasCall::Kind::Text);
            const auto answer = std::ranges::find_if(calls, [](const CanvasCall& c) { return c.y1 > 32 && c.y1 < 34; });
            if (page.draw == PrintReportPage1) {
                ASSERT_NE(answer, calls.end()) << "case " << n;
                EXPECT_EQ(answer->text.substr(0, both.empty() ? 43 : std::string::npos),
                          both.empty() ? "No model passes both result sets. Nearest: "
                                       : "Passing both result sets: " + both)
                    << "case " << n;
            }
            for (int i = 0; i < kModelCount; ++i) {
                const double top = page.firstRow + 2 * i;
                std::set<std::pair<double, double>> crossed, expected;
                bool framed = false;
                for (const CanvasCall& l : canvas.CallsOf(CanvasCall::Kind::Line)) {
                    if (l.drawWidth == 2 && l.y1 == top && l.y2 == top + 2) {
                        crossed.insert({l.x1, l.x2});
                    }
                    framed = framed || (l.y1 == top + 0.5 && l.x2 == page.cells.back() - 0.5);
                }
                for (std::size_t c = 0; c < page.columns().size(); ++c) {
                    // In its own cell, in the exponent form only when too long for any field.
                    const std::string shown = ShownText(page.columns()[c], s, i);
                    EXPECT_TRUE(Shows(cellTexts[{i, static_cast<long>(c)}], shown,
                                      shown.size() > 8 ? ShownValue(page.columns()[c], s, i) : NAN))
                        << "case " << n << ": " << shown << " not in its cell";
                    if (Failed(page.columns()[c], s, i)) {
                        expected.insert({page.cells[c], page.cells[c + 1]});
                    }
                }
                const std::vector<CanvasCall> fills = canvas.CallsOf(CanvasCall::Kind::Fill);
                const bool filled = std::any_of(fills.begin(), fills.end(), [top](auto& f) { return f.y1 == top; });
                EXPECT_EQ(crossed, expected) << "case " << n << " model " << i;
                EXPECT_EQ(std::pair(framed, filled), std::pair(expected.empty(), expected.empty())) << n << ' ' << i;
            }
        }
    }
}

// On A4 six characters stand whole, a longer entry in a line of its own; the note's limits apart.
TEST(ReportMarks, EntriesStandWholeAndLimitsApart)
{
    ReportRecord record = Worked();
    record.specifications.fieldTexts = {"1234.5", "150", "150.25", "20", "80", "20", "20", "0", "12.5", "1200.125"};
    RecordingCanvas page(kA4, kPageHeight);
    PrintReportPage1(page, record, {});
    const std::vector<CanvasCall> texts = page.CallsOf(CanvasCall::Kind::Text);
    for (const char* text : {"1234.5", "150.25", "As typed: V 1200.125"}) {
        EXPECT_EQ(std::ranges::count(texts, text, &CanvasCall::text), 1) << text;
    }
    const auto xOf = [&](std::string_view t) { return std::ranges::find(texts, t, &CanvasCall::text)->x1; };
    EXPECT_GE(xOf("12 <S< 80") - xOf("Vr< 0.26"), 10 * 0.9);  // 9-point characters, 0.9 cell
    // Two notes are more than page 1's one row: page 2 gives each whole.
    record.specifications.fieldTexts[3] = "20.5";
    RecordingCanvas both(kA4, kPageHeight);
    PrintReport(both, record, {});
    const std::vector<CanvasCall> all = both.CallsOf(CanvasCall::Kind::Text);
    for (const auto& [text, on] :
         {std::pair("Notes on the entries: page 2", 0), {"As typed: V 1200.125", 1}, {"Read as: alpha 20", 1}}) {
        EXPECT_EQ(std::ranges::find(all, text, &CanvasCall::text)->page, on) << text;
    }
}

// Each failure is told once: by the part that meets a failed device, or by
// the job when the device refuses a page or the document and stays usable.
TEST(PrintReport, TellsEachPrinterTroubleOnce)
{
    for (const test::CaseRow& row : test::ReadCaseTable("drawing_printer_troubles")) {
        ScriptedCanvas canvas(row.at(0));
        int messages = 0;
        PrintReport(canvas, Worked(), [&messages](const std::string& title, const std::string& message) {
            EXPECT_EQ(title + ": " + message, "VyraSensorSelector: " + std::string(kPrinterTrouble));
            ++messages;
        });
        EXPECT_EQ(messages, std::stoi(row.at(1))) << row[0];
        const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCall::Kind::Text);
        EXPECT_EQ(texts.empty() ? "(none)" : texts.back().text, row.at(2)) << row[0];
    }
}

// Whole documents on both papers, the report with its charts page and the
// line report: a footer on every page, nothing under 7 point, no text over
// another; a chart's grid lines are meant to cross its labels.
void ExpectReadableAndTraceable(const RecordingCanvas& canvas, int pages)
{
    std::map<int, std::string> footers;
    for (const CanvasCall& text : canvas.CallsOf(CanvasCall::Kind::Text)) {
        EXPECT_GE(text.font.size, 7) << text.text;
        footers[text.page] += text.text.starts_with("page ") ? text.text : "";
    }
    EXPECT_EQ(static_cast<int>(footers.size()), pages);
    for (const auto& [page, footer] : footers) {
        EXPECT_EQ(footer, "page " + std::to_string(page + 1) + " of " + std::to_string(pages));
    }
    EXPECT_EQ(test::TextCollisions(canvas, 0, false), std::vector<std::string>{});
}

// The pages a recording holds, for a document whose count the test does not know.
int PagesOf(const RecordingCanvas& canvas)
{
    return static_cast<int>(canvas.CallsOf(CanvasCall::Kind::NewPage).size()) + 1;
}

// Every text of the calculation record's pages inside the margins of 10
// cells, in characters of 0.6 em.
void ExpectWithinMargins(const RecordingCanvas& canvas, int firstPage, double width)
{
    for (const CanvasCall& text : canvas.CallsOf(CanvasCall::Kind::Text)) {
        const double characters = static_cast<double>(
            std::count_if(text.text.begin(), text.text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
        const double end = text.x1 + characters * 0.6 * text.font.size * 20 / 120;
        EXPECT_TRUE(text.page < firstPage || (text.x1 >= 10 && end <= width / 120 - 10 + 1e-9)) << text.text;
    }
}

TEST(ReportPages, EveryPageReadableAndTraceable)
{
    const EntryForm huge{{"1e300", "100", "10", "20", "80", "20", "20", "0", "1", "100"}, 1, 0, 1, 0, 1};
    const std::pair<EntryForm, ForceUnit> cases[] = {{test::HarshForm(), kNewton},
                                                     {huge, kKgf},
                                                     {test::LbfForm(), kLbf}};
    for (const double width : {kLetter, kA4}) {
        LineReportContent line{{std::string(99, 'W'), "A-1", "", "Dec 06,2026", ""}, "line3.csv", {}, {}};
        line.recordOf = [](const LineRoller& roller) { return test::SelectedRecord(roller.input.form); };
        for (const auto& [form, unit] : cases) {
            ReportRecord record = test::SelectedRecord(form, unit);
            record.customer.customer = std::string(99, 'W');
            record.specifications.origins = {"Tension from: laminate PET 12 µm + PE 50 µm, 1000 mm, typical",
                                             "Roller: steel tube 100/90 × 1000 mm, 11.7 kg"};
            record.charts = ChartContentOf(record.selection, form, {record.customer, "line3.vyracase"});
            record.charts->calibration = CalibrationFor(form, unit, 1e-300);
            for (const bool calculation : {false, true}) {
                record.calculationRecord = calculation;
                RecordingCanvas report(width, kPageHeight);
                const int reportPages = 2 + ChartsPageCount(report, *record.charts);
                PrintReport(report, record, {});
                ExpectReadableAndTraceable(report, calculation ? PagesOf(report) : reportPages);
                EXPECT_EQ(PagesOf(report) > reportPages, calculation);
                ExpectWithinMargins(report, reportPages, width);
            }
            line.rollers.push_back({1, "R1", "", {"both", "1", "2", "none", "", "", "", "", ""}, {form, unit, {}}});
            line.rollers.push_back({2, std::string(40, 'R'), std::string(300, 'x') + " refused", {}, {form, unit, {}}});
        }
        for (const bool calculation : {false, true}) {
            line.calculationRecord = calculation;
            RecordingCanvas lines(width, kPageHeight);
            PrintLineReport(lines, line, {});
            ExpectReadableAndTraceable(lines, calculation ? PagesOf(lines) : 8);
            EXPECT_EQ(PagesOf(lines) > 8, calculation);
            // The long ids whole in the matrix, both pages of the computed rollers headed with theirs.
            const std::vector<CanvasCall> texts = lines.CallsOf(CanvasCall::Kind::Text);
            EXPECT_EQ(std::ranges::count(texts, std::string(40, 'R'), &CanvasCall::text), 3);
            EXPECT_EQ(std::ranges::count(texts, "Roller: R1 (row 1)", &CanvasCall::text), 6);
        }
    }
}

// The worked example at 800 m/min over four ranges: the verdicts fit on the charts page, the tornado
// and the remedies continue on a fourth. Each bar's two halves, from the nominal line, are the
// nearest model's figure selected here at each end of its range, on one scale, largest effect on top.
TEST(ChartsGolden, TornadoBarsAreTheEndsSelectedLargestFirst)
{
    const EntryForm form = test::EditedWorkedExample("9=800");
    const std::vector<InputRange> ranges{{kItemGamma, 0, 20}, {kItemH, -20, 30}, {kItemV, 50, 900}, {kItemL, -10, 10}};
    ReportRecord record = test::SelectedRecord(form);
    record.charts = ChartContentOf(record.selection, form, {});
    AddRanges(*record.charts, ranges, EvaluateRanges(form, kKgf, ranges));
    RecordingCanvas report(kA4, kPageHeight);
    PrintReport(report, record, {});
    ExpectReadableAndTraceable(report, 4);
    const int model = NearestModel(record.selection);
    const Check& check = *kChecks[NearestCheckOf(record.selection, model).check];
    const auto figureAt = [&](int item, double value) {
        EntryForm point = form;
        point.txtInput[item] = RoundTripText(value);
        RunState state;
        EXPECT_FALSE(SelectCommand(state, point));
        return std::fabs(check.figure(state.tables, model));
    };
    const double nominal = std::fabs(check.figure(record.selection.tables, model));
    std::vector<std::array<double, 3>> expected;  // effect, low and high end from the nominal
    for (const InputRange& r : ranges) {
        const double low = figureAt(r.item, r.low) - nominal, high = figureAt(r.item, r.high) - nominal;
        expected.push_back({std::max({low, high, 0.0}) - std::min({low, high, 0.0}), std::fabs(low), std::fabs(high)});
    }
    std::ranges::sort(expected, std::greater{});
    std::vector<CanvasCall> halves;
    std::ranges::copy_if(report.CallsOf(CanvasCall::Kind::Fill), std::back_inserter(halves), [](const CanvasCall& c) {
        return c.page == 3 && (c.colour == Rgb{170, 170, 170} || c.colour == Rgb{90, 90, 90});
    });
    ASSERT_EQ(halves.size(), 2 * ranges.size());
    std::ranges::sort(halves, {}, &CanvasCall::y1);
    const double twipsPerUnit = (halves[0].x2 - halves[0].x1) / expected[0][1];
    for (std::size_t half = 0; half < halves.size(); ++half) {
        EXPECT_NEAR(halves[half].x2 - halves[half].x1, twipsPerUnit * expected[half / 2][1 + half % 2], 1) << half;
    }
}

// At 100 m/min two models pass as entered, Vyra11A up to 729 m/min and Vyra05A to 724: the tornado is of the passing
// one with the smaller nearest margin, and each row of the range table says what its verdict and the tables say.
TEST(ChartsGolden, RangeTableAndTornadoOfAPassingCase)
{
    const EntryForm form = test::WorkedExampleForm();
    const std::vector<InputRange> ranges{{kItemV, 50, 725}, {kItemGamma, 0, 1}};
    const RangeVerdicts verdicts = EvaluateRanges(form, kKgf, ranges);
    ReportRecord record = test::SelectedRecord(form);
    record.charts = ChartContentOf(record.selection, form, {});
    AddRanges(*record.charts, ranges, verdicts);
    RecordingCanvas page(kA4, kPageHeight);
    PrintCharts(page, *record.charts, {});
    const std::vector<CanvasCall> texts = page.CallsOf(CanvasCall::Kind::Text);
    std::set<std::string> words;
    double nearest = INFINITY;
    for (int model = 0; model < kModelCount; ++model) {
        const bool passes = std::ranges::count(ModelsPassingBoth(record.selection), record.selection.model(model).name);
        // The last of the label's rows is the range table's; its verdict is written next.
        const auto row = std::find_if(texts.rbegin(), texts.rend(), [&](const CanvasCall& text) {
            return text.text == ModelLabel(record.selection, model);
        });
        ASSERT_NE(row, texts.rend()) << model;
        words.insert(row.base()->text);
        EXPECT_EQ(row.base()->text, verdicts[model].passesBoth ? "passes over the range"
                                    : passes                   ? "nominal only"
                                                               : "no");
        nearest = passes ? std::min(nearest, NearestCheckOf(record.selection, model).margin.percent) : nearest;
    }
    EXPECT_EQ(words.size(), 3U);
    EXPECT_EQ(NearestCheckOf(record.selection, record.charts->sensitivity->model).margin.percent, nearest);
}

// The comparison of a roller, the same in lbf to the last digit (a figure
// too wide for its column, which stands whole under the table), a lighter
// one of the other series and a refused one: on a page and on pages so
// short that the table goes on with its headings. Every cell is drawn,
// bold where it differs and framed where it is its model's best.
TEST(ComparisonPages, EveryCellWithItsMarksOnEveryPaper)
{
    const EntryForm film{{"20", "100", "10", "20", "80", "20", "20", "40", "2", "300"}};
    EntryForm lbf = film;
    lbf.txtInput[kItemFS] = "44.09245243697551";
    EntryForm lighter = film;
    lighter.txtInput[kItemWr] = "4";
    lighter.opType = 1;
    EntryForm refused = film;
    refused.txtInput[kItemAlpha] = "200";
    const auto compared = [](const char* file, const EntryForm& form, ForceUnit unit) {
        Case c;
        c.form = form;
        c.forceUnit = unit;
        return SelectCompared(file, c);
    };
    const std::vector<ComparedCase> cases{compared("base.vyracase", film, kKgf), compared("lbf.vyracase", lbf, kLbf),
                                          compared("lighter.vyracase", lighter, kKgf),
                                          compared("refused.vyracase", refused, kKgf)};
    const ComparisonContent content = ComparisonContentOf(cases);
    EXPECT_EQ(content.trace.caseFile, "base.vyracase, lbf.vyracase, lighter.vyracase, refused.vyracase");
    for (const auto& [name, height] :
         {std::pair{"comparison_page_a4", kPageHeight}, {"comparison_pages_short", 6000.0}}) {
        RecordingCanvas page(kA4, height);
        PrintComparison(page, content, {});
        test::ExpectGolden(name, page.Recording());
        ExpectReadableAndTraceable(page, PagesOf(page));
        const std::vector<CanvasCall> texts = page.CallsOf(CanvasCall::Kind::Text);
        const std::vector<CanvasCall> boxes = page.CallsOf(CanvasCall::Kind::Box);
        std::size_t framed = 0;
        for (const ComparisonRow& row : content.comparison.rows) {
            for (std::size_t k = 0; k < row.cells.size(); ++k) {
                const std::string cell = row.differs[k] ? row.cells[k] + " *" : row.cells[k];
                const auto drawn = std::find_if(texts.begin(), texts.end(), [&](const CanvasCall& text) {
                    return text.text == cell && text.font.bold == row.differs[k];
                });
                const bool cut = cell.starts_with("44.09");
                EXPECT_TRUE(row.cells[k].empty() || cut || drawn != texts.end())
                    << name << " " << row.label << " " << k;
                framed += row.best[k];
            }
        }
        EXPECT_EQ(boxes.size(), framed) << name;
        const auto whole = std::count_if(texts.begin(), texts.end(), [](const CanvasCall& text) {
            return text.text == "Case 2, tension FS: 44.09245243697551 lbf";
        });
        EXPECT_EQ(whole, 1) << name;
    }
}

}  // namespace
}  // namespace vyra::gfx
