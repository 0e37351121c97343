#include "Commands.h"
#include "RecordingCanvas.h"
#include "Report.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace vyra::gfx {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

// A printable area 8 inches wide: W = 96 cells, the middle at 48.
constexpr double kPageWidthTwips = 11520;
constexpr double kPageHeightTwips = 15120;
constexpr double kTol = 1e-9;
constexpr double kCharWidth16 = 16 * 20 * 0.6 / 120;
constexpr double kLineHeight16 = 16 * 20 * 1.1328 / 240;

ReportRecord WorkedExampleRecord()
{
    ReportRecord record;
    const EntryForm form = test::WorkedExampleForm();
    EXPECT_FALSE(SelectCommand(record.selection, form).has_value());
    record.specifications = SpecificationsOf(form, 0, kKgf);
    record.customer = {"Northmill Paper", "A-1", "Coater 2", "2026/12/06", "J. Doe"};
    return record;
}

// A recording canvas whose device fails as scripted.
class ScriptedCanvas : public RecordingCanvas {
public:
    struct Script {
        bool failedFromStart = false;
        std::string failOnText{};  // the device fails once this text is written
        bool newPageRefused = false;  // refuses the page, stays usable
        bool newPageBreaks = false;  // the device fails on the new page
        bool endDocumentRefused = false;
    };

    explicit ScriptedCanvas(Script script)
        : RecordingCanvas(kPageWidthTwips, kPageHeightTwips), m_script(std::move(script))
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

// Counts the printer-trouble messages shown.
MessageSink CountingTrouble(int& count)
{
    return [&count](const std::string& title, const std::string& message) {
        EXPECT_EQ(title, kProgramTitle);
        EXPECT_EQ(message, kPrinterTrouble);
        ++count;
    };
}

// The page drawn for the record, with no printer trouble.
class DrawnPage2 : public RecordingCanvas {
public:
    explicit DrawnPage2(const ReportRecord& record) : RecordingCanvas(kPageWidthTwips, kPageHeightTwips)
    {
        int messages = 0;
        PrintReportPage2(*this, record, CountingTrouble(messages));
        EXPECT_EQ(messages, 0);
    }
};

void ExpectSameCalls(const RecordingCanvas& a, const RecordingCanvas& b)
{
    ASSERT_EQ(a.Calls().size(), b.Calls().size());
    for (std::size_t i = 0; i < a.Calls().size(); ++i) {
        const CanvasCall& p = a.Calls()[i];
        const CanvasCall& q = b.Calls()[i];
        EXPECT_EQ(p.kind, q.kind) << i;
        EXPECT_EQ(p.text, q.text) << i;
        EXPECT_EQ(p.font, q.font) << i;
        EXPECT_EQ(p.drawWidth, q.drawWidth) << i;
        EXPECT_EQ(p.style, q.style) << i;
        EXPECT_EQ(p.mode, q.mode) << i;
        for (const auto& [u, v] : {std::pair{p.x1, q.x1}, {p.y1, q.y1}, {p.x2, q.x2}, {p.y2, q.y2}}) {
            EXPECT_NEAR(u, v, kTol) << i;
        }
    }
}

TEST(FixedField, RightJustifiesAndNeverCuts)
{
    const struct {
        std::string text;
        int blanks;
        int width;
        std::string expected;
    } cases[] = {
        {"12345.6", 3, 6, "12345.6"}, {"10.0", 3, 6, "  10.0"}, {"98", 4, 5, "   98"},
        {"0.310", 1, 6, " 0.310"},   {"-1.5", 2, 5, " -1.5"},   {"", 2, 5, "  "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FixedField(c.text, c.blanks, c.width), c.expected) << c.text;
    }
}

TEST(ReportPage2, HeadingSitsBetweenRulesAtHalfItsHeight)
{
    const DrawnPage2 canvas(WorkedExampleRecord());
    const double half = 21 * kCharWidth16 / 2;
    EXPECT_EQ(TextAt(canvas, 48 - half, 3), "<Selection results 2>");
    const double y = 3 + kLineHeight16 / 2;
    const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
    EXPECT_TRUE(HasLine(lines, 10, y, 48 - half - 2, y, 6));
    EXPECT_TRUE(HasLine(lines, 48 + half + 2, y, 86, y, 6));
    EXPECT_EQ(TextAt(canvas, 76, 1), "KALDER CORPORATION");
    EXPECT_EQ(TextAt(canvas, 76, 2), "TQ-2208.V-001");
}

TEST(ReportPage2, RowShowsTheModelAndItsFigures)
{
    const DrawnPage2 canvas(WorkedExampleRecord());
    const std::pair<double, std::string> row0[] = {
        {23, "  5.3"}, {34, " 38.8"}, {44, " 47.5"}, {53, " 0.14"}, {60, " 0.11"}, {70, " 31.42"},
    };
    for (const auto& [x, text] : row0) {
        EXPECT_EQ(TextAt(canvas, x, 11), text) << "x " << x;
    }
    EXPECT_EQ(canvas.TextCalls("1 Vyra05B").front().x1, 11);
    EXPECT_EQ(canvas.TextCalls("9 Vyra41").front().x1, 11);
    EXPECT_EQ(TextAt(canvas, 34, 27), "404.7");
}

TEST(ReportPage2, EccentricForceFollowsTheUnit)
{
    const struct {
        std::int16_t unit;
        std::string heading;
        std::string force;  // 0.0210 kgf
    } cases[] = {{kKgf, "\u0394F[kgf]", " 0.02"}, {kNewton, "\u0394F[N]", "  0.2"}};
    for (const auto& c : cases) {
        ReportRecord record = WorkedExampleRecord();
        record.selection.forceUnit = c.unit;
        const DrawnPage2 canvas(record);
        EXPECT_EQ(TextAt(canvas, 80, 9.2), c.heading);
        EXPECT_EQ(TextAt(canvas, 79, 11), c.force) << c.heading;
        EXPECT_EQ(TextAt(canvas, 53, 11), " 0.14") << c.heading;
    }
}

TEST(ReportPage2, GreekHeadingsInThePageFontFromTheirFirstLetter)
{
    const DrawnPage2 canvas(WorkedExampleRecord());
    EXPECT_EQ(TextAt(canvas, 71, 9.2), "\u03B5[\u03BCm]");
    EXPECT_EQ(canvas.TextCalls("\u03B5[\u03BCm]").front().font, (CanvasFont{"Courier New", 9, false, 0}));
    EXPECT_EQ(canvas.Font().name, "Courier New");
}

TEST(ReportPage2, TextsStayClearOfRulesAndOfEachOther)
{
    for (const std::int16_t unit : {kKgf, kNewton}) {
        ReportRecord record = WorkedExampleRecord();
        record.selection.forceUnit = unit;
        record.selection.seriesIndex = kIntrinsicallySafeSeries;
        ResultTables& t = record.selection.tables;
        t.F2.fill(1118.5);
        t.F3.fill(-1e12);
        t.E.fill(123456.78);
        t.PB.fill(-98765.4);
        const DrawnPage2 canvas(record);
        EXPECT_EQ(test::TextCollisions(canvas, 0.2), std::vector<std::string>{}) << unit;
        EXPECT_EQ(canvas.TextCalls("1118.5").size(), 9U);
    }
}

// The row band of model i runs from 10.5 + 2i to 12.5 + 2i.
TEST(ReportPage2, RatiosPrintedAndCrossedByTheVerdict)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double f1, f2, f3;
        std::string r12, r13;
        bool cross12, cross13;
    } cases[] = {
        {"below the limit", 6.9, 10, 100, " 0.69", " 0.07", false, false},
        {"exactly 0.7", 7, 10, 20, " 0.70", " 0.35", true, false},
        {"both fail", 9, 10, 12, " 0.90", " 0.75", true, true},
        {"standing line over zero resonances", 0, 0, 0, " 0.00", " 0.00", false, false},
        // No finite ratio: printed as such and crossed, never a passing zero.
        {"running line over a zero resonance", 5, 0, 100, "  ---", " 0.05", true, false},
        {"excitation not finite", nan, 10, 20, "  ---", "  ---", true, true},
        {"resonances overflowed", 5, inf, inf, " 0.00", " 0.00", false, false},
    };
    const int model = 4;
    const double y = 10.5 + 2 * model;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRecord record = WorkedExampleRecord();
        ResultTables& t = record.selection.tables;
        t.F1[model] = c.f1;
        t.F2[model] = c.f2;
        t.F3[model] = c.f3;
        const DrawnPage2 canvas(record);
        EXPECT_EQ(TextAt(canvas, 53, y + 0.5), c.r12);
        EXPECT_EQ(TextAt(canvas, 60, y + 0.5), c.r13);
        const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
        EXPECT_EQ(HasLine(lines, 52, y, 59, y + 2, 2) && HasLine(lines, 52, y + 2, 59, y, 2), c.cross12);
        EXPECT_EQ(HasLine(lines, 59, y, 66, y + 2, 2) && HasLine(lines, 59, y + 2, 66, y, 2), c.cross13);
        const bool framed = HasLine(lines, 10.5, y + 0.5, 86.5, y + 0.5, 2)
                            && HasLine(lines, 10.5, y + 1.5, 86.5, y + 1.5, 2)
                            && HasLine(lines, 10.5, y + 0.5, 10.5, y + 1.5, 2)
                            && HasLine(lines, 86.5, y + 0.5, 86.5, y + 1.5, 2);
        EXPECT_EQ(framed, !c.cross12 && !c.cross13);
        EXPECT_TRUE(HasLine(lines, 10.5, y - 1.5, 86.5, y - 1.5, 2)) << "the row above stays framed";
    }
}

TEST(ReportPage2, ReadsNothingFromTheSpecificationOrCustomer)
{
    ReportRecord edited = WorkedExampleRecord();
    edited.specifications.fieldTexts.fill("99");
    edited.specifications.standardSelected = false;
    edited.specifications.typeCaption = "Kind";
    edited.customer = {};
    ExpectSameCalls(DrawnPage2(WorkedExampleRecord()), DrawnPage2(edited));
}

TEST(ReportPage2, SetsItsOwnScaleAndFont)
{
    RecordingCanvas used(kPageWidthTwips, kPageHeightTwips);
    used.SetScaleMode(ScaleMode::Millimetres);
    used.SetScaleLeft(-40);
    used.SetScaleTop(-12);
    used.SetDrawStyle(DrawStyle::DashDot);
    used.SetFontName("Symbol");
    used.SetFontCharset(2);
    int messages = 0;
    PrintReportPage2(used, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_EQ(messages, 0);
    EXPECT_EQ(used.Font().charset, 2) << "the character set is left as it was found";
    const DrawnPage2 fresh(WorkedExampleRecord());
    ASSERT_EQ(used.Calls().size(), fresh.Calls().size());
    for (std::size_t i = 0; i < used.Calls().size(); ++i) {
        EXPECT_EQ(used.Calls()[i].text, fresh.Calls()[i].text);
        EXPECT_NEAR(used.Calls()[i].x1, fresh.Calls()[i].x1, kTol);
        EXPECT_NEAR(used.Calls()[i].y1, fresh.Calls()[i].y1, kTol);
        EXPECT_EQ(used.Calls()[i].style, DrawStyle::Solid);
        EXPECT_EQ(used.Calls()[i].font.name, "Courier New");
    }
}

TEST(ReportPage2, PrinterTroubleStopsThePageAfterItsStep)
{
    ScriptedCanvas failed({.failedFromStart = true});
    int messages = 0;
    PrintReportPage2(failed, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_TRUE(failed.Calls().empty());
    EXPECT_EQ(messages, 1);

    ScriptedCanvas failing({.failOnText = "<Selection results 2>"});
    messages = 0;
    PrintReportPage2(failing, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_EQ(failing.CallsOf(CanvasCall::Kind::Line).size(), 2U);  // the heading's rules
    EXPECT_TRUE(failing.TextCalls("KALDER CORPORATION").empty());
    EXPECT_EQ(messages, 1);
}

TEST(PrintReport, DrawsPage1TheSketchAndPage2InOrder)
{
    RecordingCanvas canvas(kPageWidthTwips, kPageHeightTwips);
    int messages = 0;
    PrintReport(canvas, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_EQ(messages, 0);
    const std::vector<CanvasCall>& calls = canvas.Calls();
    auto indexOf = [&](auto matches) {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (matches(calls[i])) {
                return i;
            }
        }
        return calls.size();
    };
    const std::size_t note = indexOf([](const CanvasCall& c) { return c.text == "Vr< 0.26 12 <S< 80"; });
    const std::size_t sketch = indexOf([](const CanvasCall& c) { return c.mode == ScaleMode::Millimetres; });
    const std::size_t newPage = indexOf([](const CanvasCall& c) { return c.kind == CanvasCall::Kind::NewPage; });
    const std::size_t page2 = indexOf([](const CanvasCall& c) { return c.text == "<Selection results 2>"; });
    EXPECT_LT(note, sketch);
    EXPECT_LT(sketch, newPage);
    EXPECT_LT(newPage, page2);
    EXPECT_LT(page2, calls.size());
    EXPECT_EQ(canvas.CallsOf(CanvasCall::Kind::NewPage).size(), 1U);
    ASSERT_EQ(canvas.CallsOf(CanvasCall::Kind::EndDocument).size(), 1U);
    EXPECT_EQ(calls.back().kind, CanvasCall::Kind::EndDocument);
}

// Each failure is told once: by the part that meets a failed device, or by
// the job when the device refuses a page or the document and stays usable.
TEST(PrintReport, ReportsEachPrinterTroubleOnce)
{
    const struct {
        const char* name;
        ScriptedCanvas::Script script;
        int messages;
        bool page2Drawn;
    } cases[] = {
        {"no printer at all", {.failedFromStart = true}, 3, false},
        {"fails on page 1", {.failOnText = "Customer:"}, 3, false},
        {"new page refused", {.newPageRefused = true}, 1, true},
        {"device fails on the new page", {.newPageBreaks = true}, 1, false},
        {"end of document refused", {.endDocumentRefused = true}, 1, true},
        {"fails on page 2", {.failOnText = "<Selection results 2>"}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedCanvas canvas(c.script);
        int messages = 0;
        PrintReport(canvas, WorkedExampleRecord(), CountingTrouble(messages));
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(canvas.TextCalls("<Selection results 2>").size(), c.page2Drawn ? 1U : 0U);
        EXPECT_EQ(canvas.CallsOf(CanvasCall::Kind::EndDocument).size(), 1U);
    }
}

}  // namespace
}  // namespace vyra::gfx
