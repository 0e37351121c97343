// What the report pages decide, apart from their layout (the golden files):
// crosses and frames from the assessments, figures whole in their cells, no
// text over a rule or another text, and printer trouble told once per part.
#include "Report.h"
#include "RecordingCanvas.h"
#include "Records.h"
#include "ReportPage.h"
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

// How a device fails.
struct Script {
    bool failedFromStart = false;
    std::string failOnText{};  // the device fails once this text is written
    bool newPageRefused = false;  // refuses the page, stays usable
    bool newPageBreaks = false;  // the device fails on the new page
    bool endDocumentRefused = false;
};

// A canvas whose device fails as scripted.
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

// Where the rows and the crossed cells of each page lie.
struct PageShape {
    std::function<void(Canvas&, const ReportRecord&, const MessageSink&)> draw;
    double firstRowTop;
    double tableRight;
};

const PageShape kPage1{PrintReportPage1, 41.5, 90};
const PageShape kPage2{PrintReportPage2, 10.5, 87};

// The crossed cells (x1, x2) of each row and whether each row is framed.
struct Marks {
    std::vector<std::set<std::pair<double, double>>> crossed = std::vector<std::set<std::pair<double, double>>>(9);
    std::vector<bool> framed = std::vector<bool>(9);
};

Marks MarksOf(const RecordingCanvas& page, const PageShape& shape)
{
    Marks marks;
    for (const CanvasCall& l : page.CallsOf(CanvasCall::Kind::Line)) {
        const double row = (l.y1 - shape.firstRowTop) / 2;
        const int i = static_cast<int>(std::floor(row));
        if (i < 0 || i > 8 || l.drawWidth != 2) {
            continue;
        }
        const double top = shape.firstRowTop + 2 * i;
        if (std::fabs(l.y1 - top) < 1e-9 && std::fabs(l.y2 - (top + 2)) < 1e-9) {
            marks.crossed[i].insert({l.x1, l.x2});
        }
        if (std::fabs(l.y1 - (top + 0.5)) < 1e-9 && std::fabs(l.x2 - (shape.tableRight - 0.5)) < 1e-9) {
            marks.framed[i] = true;
        }
    }
    return marks;
}

// The crosses a row must get: each failing cell of the page's columns.
std::set<std::pair<double, double>> ExpectedCrosses(const RunState& s, int i, bool page1)
{
    std::set<std::pair<double, double>> cells;
    if (page1) {
        const Assessment1 a = AssessResults1(s, i);
        const std::pair<bool, std::pair<double, double>> all[] = {{a.failP1, {20, 28}},
                                                                  {a.failZr, {51, 58}},
                                                                  {a.failZs, {58, 65}},
                                                                  {a.failVr, {73, 81}},
                                                                  {a.failS, {81, 90}}};
        for (const auto& [failed, cell] : all) {
            if (failed) {
                cells.insert(cell);
            }
        }
    } else {
        const Assessment2 a = AssessResults2(s, i);
        if (a.failF1F2) {
            cells.insert({52, 59});
        }
        if (a.failF1F3) {
            cells.insert({59, 66});
        }
    }
    return cells;
}

TEST(ReportMarks, CrossesAndFramesAreTheAssessments)
{
    const struct {
        const char* name;
        std::function<void(ResultTables&)> change;
    } cases[] = {
        {"worked example", [](ResultTables&) {}},
        {"Zr and Zs at their limits",
         [](ResultTables& t) {
             t.Zr[0] = 0.7;
             t.Zs[2] = 0.7;
             t.Zs[4] = -0.8;
         }},
        {"Vr and S at their limits",
         [](ResultTables& t) {
             t.Vr[3] = 260;
             t.S[1] = 12;
             t.S[7] = 80;
             t.S[8] = nan;
         }},
        {"negative P1 on models 5, 6 and 8",
         [](ResultTables& t) {
             t.P1[5] = -1;
             t.P1[6] = -1;
             t.P1[8] = -0.5;
         }},
        {"ratios at and over the limit",
         [](ResultTables& t) {
             t.F1[2] = 0.7 * t.F2[2];
             t.F1[3] = 10;
             t.F2[3] = 0;
         }},
        {"every value passes",
         [](ResultTables& t) {
             t.Zs.fill(0.1);
             t.S.fill(40);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRecord record = Worked();
        c.change(record.selection.tables);
        for (const bool page1 : {true, false}) {
            RecordingCanvas page(kWidthTwips, kHeightTwips);
            (page1 ? kPage1 : kPage2).draw(page, record, {});
            const Marks marks = MarksOf(page, page1 ? kPage1 : kPage2);
            for (int i = 0; i < kModelCount; ++i) {
                const auto expected = ExpectedCrosses(record.selection, i, page1);
                EXPECT_EQ(marks.crossed[i], expected) << (page1 ? "page 1" : "page 2") << " model " << i;
                const bool within = page1 ? AssessResults1(record.selection, i).withinTolerance
                                          : AssessResults2(record.selection, i).withinTolerance;
                EXPECT_EQ(marks.framed[i], within) << (page1 ? "page 1" : "page 2") << " model " << i;
            }
        }
    }
}

// The figure of a cell, wherever in the cell it stands.
CanvasCall FigureIn(const RecordingCanvas& page, double x1, double x2, double y)
{
    for (const CanvasCall& call : page.CallsOf(CanvasCall::Kind::Text)) {
        if (call.x1 >= x1 && call.x1 < x2 && std::fabs(call.y1 - y) < 0.5) {
            return call;
        }
    }
    return CanvasCall{.text = "<none>"};
}

// A figure stands whole in its cell, made smaller only when the cell has no
// room for it; one that is no number keeps the field's width.
TEST(ReportFigures, StandWholeInTheirCells)
{
    const struct {
        ResultTable ResultTables::*table;
        std::int16_t unit;
        double value;
        double cellLeft, cellRight;
        std::string shown;
        bool smaller;
    } cases[] = {
        {&ResultTables::P1, kKgf, 12345.6, 20, 28, "12345.6", true},
        {&ResultTables::P1, kNewton, 12345.6, 20, 28, "120987", true},
        {&ResultTables::P1, kKgf, -8660.3, 20, 28, "-8660.3", true},
        {&ResultTables::S, kKgf, 1498.5, 81, 90, "1498.5", false},
        {&ResultTables::P1, kKgf, nan, 20, 28, "   ---", false},
        {&ResultTables::Vt, kKgf, 310.36, 65, 73, " 0.310", false},
        {&ResultTables::We, kNewton, 0.04, 28, 36, "    0", false},
    };
    for (const auto& c : cases) {
        ReportRecord record = Worked();
        record.selection.forceUnit = c.unit;
        (record.selection.tables.*c.table)[3] = c.value;
        RecordingCanvas page(kWidthTwips, kHeightTwips);
        PrintReportPage1(page, record, {});
        const CanvasCall cell = FigureIn(page, c.cellLeft, c.cellRight, 48);
        EXPECT_EQ(cell.text, c.shown) << c.value;
        EXPECT_EQ(cell.font.size < 10, c.smaller) << c.shown;
    }
    EXPECT_EQ(FixedField("12345.6", 3, 6), "12345.6");
    EXPECT_EQ(FixedField("10.0", 3, 6), "  10.0");
    EXPECT_EQ(FixedField("", 2, 5), "  ");
}

// Whatever the figures and texts, every text keeps to its own room: none
// runs over a rule of a table or into another text.
TEST(ReportTexts, StayClearOfRulesAndOfEachOther)
{
    const std::string longText(120, 'W');
    const struct {
        const char* name;
        std::int16_t unit;
        double width;  // letter, or A4 less its margins
        std::function<void(ReportRecord&)> change;
    } cases[] = {
        {"worked example", kKgf, kWidthTwips, [](ReportRecord&) {}},
        {"A4 with wide typed values", kNewton, 11185,
         [](ReportRecord& r) {
             r.specifications.fieldTexts[0] = "99999";
             r.specifications.fieldTexts[2] = "10.50";
             r.specifications.fieldTexts[9] = std::string(40, '9');
         }},
        {"long customer texts", kKgf, 11185,
         [&](ReportRecord& r) {
             r.customer = {longText, longText, longText, longText, longText};
         }},
        {"long order and name, short rest", kKgf, kWidthTwips,
         [&](ReportRecord& r) {
             r.customer = {"A", longText, "M", "D", longText};
         }},
        {"huge figures, safe series", kNewton, 11185,
         [](ReportRecord& r) {
             ResultTables& t = r.selection.tables;
             t.P1.fill(-8660.3e6);
             t.S.fill(1498.5e3);
             t.Vr.fill(-1e9);
             t.F2.fill(1118.5);
             t.F3.fill(-1e12);
             t.E.fill(123456.78);
             t.PB.fill(-98765.4);
             r.selection.seriesIndex = kIntrinsicallySafeSeries;
         }},
    };
    for (const auto& c : cases) {
        ReportRecord record = Worked();
        record.selection.forceUnit = c.unit;
        c.change(record);
        for (const auto draw : {PrintReportPage1, PrintReportPage2}) {
            RecordingCanvas page(c.width, kHeightTwips);
            draw(page, record, {});
            EXPECT_EQ(test::TextCollisions(page, 0.2), std::vector<std::string>{}) << c.name;
        }
    }
}

// Each failure is told once: by the part that meets a failed device, or by
// the job when the device refuses a page or the document and stays usable.
// A failing step ends its page; what it drew stays.
TEST(PrintReport, TellsEachPrinterTroubleOnce)
{
    const struct {
        const char* name;
        Script script;
        int messages;
        bool page2Drawn;
        const char* lastText;  // the last text drawn
    } cases[] = {
        {"healthy", {}, 0, true, "\u0394F[kgf]"},
        {"no printer at all", {.failedFromStart = true}, 3, false, ""},
        {"fails on page 1", {.failOnText = "Customer:"}, 3, false, "Dec 06,2026"},
        {"new page refused", {.newPageRefused = true}, 1, true, "\u0394F[kgf]"},
        {"device fails on the new page", {.newPageBreaks = true}, 1, false, "Vr< 0.26 12 <S< 80"},
        {"end of document refused", {.endDocumentRefused = true}, 1, true, "\u0394F[kgf]"},
        {"fails on page 2", {.failOnText = "<Selection results 2>"}, 1, true, "<Selection results 2>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedCanvas canvas(c.script);
        int messages = 0;
        PrintReport(canvas, Worked(), [&messages](const std::string& title, const std::string& message) {
            EXPECT_EQ(title, "VyraSensorSelector");
            EXPECT_EQ(message, kPrinterTrouble);
            ++messages;
        });
        EXPECT_EQ(messages, c.messages);
        const std::vector<CanvasCall> texts = canvas.CallsOf(CanvasCall::Kind::Text);
        const bool page2 = std::any_of(texts.begin(), texts.end(),
                                       [](const CanvasCall& t) { return t.text == "<Selection results 2>"; });
        EXPECT_EQ(page2, c.page2Drawn);
        EXPECT_EQ(texts.empty() ? "" : texts.back().text, c.lastText);
    }
}

// The pages set their own scale, origin and font, whatever the sketch or a
// page before left behind; page 2 reads nothing of the specifications.
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
    EXPECT_EQ(page1.Font(), (CanvasFont{"Courier New", 9, false, 0})) << "the printed sketch goes on from here";
    EXPECT_EQ(page1.DrawWidth(), 2);
}

}  // namespace
}  // namespace vyra::gfx
