// What the report pages decide beside their layout (the golden files):
// crosses and frames from the assessments, every figure whole, no text over
// a rule or another text, printer trouble told once per part.
#include "Report.h"
#include "RecordingCanvas.h"
#include "Records.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr double kWidthTwips = 11520;
constexpr double kHeightTwips = 15120;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

ReportRecord Worked() { return test::SelectedRecord(test::WorkedExampleForm()); }

// How a device fails: from the start, once a text is written, on the new
// page (refusing it and staying usable, or breaking), or at the end.
struct Script {
    bool failedFromStart = false;
    std::string failOnText{};
    bool newPageRefused = false;
    bool newPageBreaks = false;
    bool endDocumentRefused = false;
};

class ScriptedCanvas : public RecordingCanvas {
public:
    explicit ScriptedCanvas(Script script) : RecordingCanvas(kWidthTwips, kHeightTwips), m_script(script)
    {
        if (m_script.failedFromStart) {
            FailFromNow();
        }
    }
    bool NewPage() override
    {
        const bool taken = RecordingCanvas::NewPage();
        if (m_script.newPageBreaks) {
            FailFromNow();
        }
        return taken && !m_script.newPageRefused && !m_script.newPageBreaks;
    }
    bool EndDocument() override { return RecordingCanvas::EndDocument() && !m_script.endDocumentRefused; }

protected:
    void PaintText(double x, double y, std::string_view text) override
    {
        RecordingCanvas::PaintText(x, y, text);
        if (!m_script.failOnText.empty() && text == m_script.failOnText) {
            FailFromNow();
        }
    }

private:
    Script m_script;
};

// Each page's rows and the left borders of its columns' cells.
struct Page {
    void (*draw)(Canvas&, const ReportRecord&, const MessageSink&);
    double firstRow;
    std::vector<double> cells;  // left border of each column, then the table's right border
    std::span<const ResultColumn> (*columns)();
    bool (*within)(const RunState&, int);
};

const Page kPages[] = {
    {PrintReportPage1,
     41.5,
     {20, 28, 36, 44, 51, 58, 65, 73, 81, 90},
     ResultSet1Columns,
     [](const RunState& s, int i) { return AssessResults1(s, i).withinTolerance; }},
    {PrintReportPage2, 10.5, {20, 32, 42, 52, 59, 66, 78, 87}, ResultSet2Columns, [](const RunState& s, int i) {
         return AssessResults2(s, i).withinTolerance;
     }}};

// A figure of a model set to a value; model -1 sets every model's.
struct Change {
    ResultTable ResultTables::*table;
    int model;
    double value;
};

ReportRecord Changed(std::initializer_list<Change> changes)
{
    ReportRecord record = Worked();
    for (const Change& c : changes) {
        ResultTable& table = record.selection.tables.*c.table;
        for (int i = 0; i < kModelCount; ++i) {
            table[i] = c.model < 0 || c.model == i ? c.value : table[i];
        }
    }
    return record;
}

// Every failing figure is crossed over its own cell and nothing else; a row
// is framed exactly when its model passes every check of the page.
TEST(ReportMarks, CrossesAndFramesAreTheAssessments)
{
    using T = ResultTables;
    const ReportRecord cases[] = {
        Worked(), Changed({{&T::Zr, 0, 0.7}, {&T::Zs, 2, 0.7}, {&T::Zs, 4, -0.8}, {&T::Vr, 3, 260}, {&T::S, 1, 12}}),
        Changed({{&T::S, 7, 80}, {&T::S, 8, nan}, {&T::P1, 5, -1}, {&T::P1, 6, -1}, {&T::P1, 8, -0.5}}),
        Changed({{&T::F1, 2, 27.2},
                 {&T::F2, 2, 27.2 / 0.7},
                 {&T::F1, 3, 10},
                 {&T::F2, 3, 0},
                 {&T::Zs, -1, 0.1},
                 {&T::S, -1, 40}})};
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const RunState& s = cases[n].selection;
        for (const Page& page : kPages) {
            RecordingCanvas canvas(kWidthTwips, kHeightTwips);
            page.draw(canvas, cases[n], {});
            for (int i = 0; i < kModelCount; ++i) {
                const double top = page.firstRow + 2 * i;
                std::set<std::pair<double, double>> crossed;
                std::set<std::pair<double, double>> expected;
                bool framed = false;
                for (const CanvasCall& l : canvas.CallsOf(CanvasCall::Kind::Line)) {
                    if (l.drawWidth == 2 && l.y1 == top && l.y2 == top + 2) {
                        crossed.insert({l.x1, l.x2});
                    }
                    framed = framed || (l.y1 == top + 0.5 && l.x2 == page.cells.back() - 0.5);
                }
                for (std::size_t c = 0; c < page.columns().size(); ++c) {
                    if (Failed(page.columns()[c], s, i)) {
                        expected.insert({page.cells[c], page.cells[c + 1]});
                    }
                }
                EXPECT_EQ(crossed, expected) << "case " << n << " model " << i;
                EXPECT_EQ(framed, page.within(s, i)) << "case " << n << " model " << i;
            }
        }
    }
}

// Whatever the figures and texts, every figure stands whole and every text
// keeps to its own room: none runs over a rule or into another text.
TEST(ReportTexts, FiguresWholeAndClearOfRulesAndEachOther)
{
    const std::string longText(120, 'W');
    const struct {
        std::int16_t unit;
        double width;  // letter, or A4 less its margins
        std::function<void(ReportRecord&)> change;
    } cases[] = {{kKgf, kWidthTwips, [](ReportRecord&) {}},
                 {kNewton, 11185,
                  [](ReportRecord& r) {
                      r.specifications.fieldTexts = {"99999", "", "10.50", "", "",
                                                     "",      "", "",      "", std::string(40, '9')};
                  }},
                 {kKgf, 11185,
                  [&](ReportRecord& r) {
                      r.customer = {longText, longText, longText, longText, longText};
                  }},
                 {kKgf, kWidthTwips,
                  [&](ReportRecord& r) {
                      r.customer = {"A", longText, "M", "D", longText};
                  }},
                 {kNewton, 11185, [](ReportRecord& r) {
                      ResultTables& t = r.selection.tables;
                      t.P1 = {12345.6, -8660.3, -8660.3e6, 1, 1, 1, 1, 1, 1};
                      t.S.fill(1498.5e3);
                      t.Vr.fill(-1e9);
                      t.F2.fill(1118.5);
                      t.F3.fill(-1e12);
                      t.E.fill(123456.78);
                      t.PB.fill(-98765.4);
                      r.selection.seriesIndex = kIntrinsicallySafeSeries;
                  }}};
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        ReportRecord record = Worked();
        record.selection.forceUnit = cases[n].unit;
        cases[n].change(record);
        for (const Page& page : kPages) {
            RecordingCanvas canvas(cases[n].width, kHeightTwips);
            page.draw(canvas, record, {});
            EXPECT_EQ(test::TextCollisions(canvas, 0.2), std::vector<std::string>{}) << "case " << n;
            std::multiset<std::string> texts;
            for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
                texts.insert(call.text.substr(std::min(call.text.find_first_not_of(' '), call.text.size())));
            }
            for (int i = 0; i < kModelCount; ++i) {
                for (const ResultColumn& column : page.columns()) {
                    EXPECT_TRUE(texts.contains(ShownText(column, record.selection, i)))
                        << "case " << n << ": " << ShownText(column, record.selection, i) << " not whole";
                }
            }
        }
    }
}

// Each failure is told once: by the part that meets a failed device, or by
// the job when the device refuses a page or the document and stays usable.
// A failing step ends its page; what it drew stays.
TEST(PrintReport, TellsEachPrinterTroubleOnce)
{
    const struct {
        Script script;
        int messages;
        const char* lastText;
    } cases[] = {{{}, 0, "\u0394F[kgf]"},
                 {{.failedFromStart = true}, 3, ""},
                 {{.failOnText = "Customer:"}, 3, "Dec 06,2026"},
                 {{.newPageRefused = true}, 1, "\u0394F[kgf]"},
                 {{.newPageBreaks = true}, 1, "Vr< 0.26 12 <S< 80"},
                 {{.endDocumentRefused = true}, 1, "\u0394F[kgf]"},
                 {{.failOnText = "<Selection results 2>"}, 1, "<Selection results 2>"}};
    for (const auto& c : cases) {
        ScriptedCanvas canvas(c.script);
        int messages = 0;
        PrintReport(canvas, Worked(), [&messages](const std::string& title, const std::string& message) {
            EXPECT_EQ(title + ": " + message, "VyraSensorSelector: " + std::string(kPrinterTrouble));
            ++messages;
        });
        EXPECT_EQ(messages, c.messages) << c.lastText;
        const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCall::Kind::Text);
        EXPECT_EQ(texts.empty() ? "" : texts.back().text, c.lastText);
    }
}

// Page 2 sets its own scale, origin and font and reads nothing of the
// specifications; page 1 leaves the state the printed sketch goes on from.
TEST(PrintReport, PagesSetUpTheirOwnState)
{
    RecordingCanvas fresh(kWidthTwips, kHeightTwips);
    PrintReportPage2(fresh, Worked(), {});
    RecordingCanvas used(kWidthTwips, kHeightTwips);
    used.SetScaleMode(ScaleMode::Millimetres);
    used.SetScaleLeft(-40);
    used.SetDrawStyle(DrawStyle::DashDot);
    used.SetFontName("Symbol");
    ReportRecord edited = Worked();
    edited.specifications.fieldTexts.fill("99");
    edited.customer = {};
    PrintReportPage2(used, edited, {});
    EXPECT_EQ(used.Recording(), fresh.Recording());
    RecordingCanvas page1(kWidthTwips, kHeightTwips);
    PrintReportPage1(page1, Worked(), {});
    EXPECT_EQ(page1.Font(), (CanvasFont{"Courier New", 9, false, 0}));
    EXPECT_EQ(page1.DrawWidth(), 2);
}

}  // namespace
}  // namespace vyra::gfx
