#include "Commands.h"
#include "RecordingCanvas.h"
#include "Report.h"
#include "TestCases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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
// The recorder's metrics in cells: 0.6 em per character over 120 twips,
// 1.1328 em per line over 240 twips.
constexpr double CharWidth(double points) { return points * 20 * 0.6 / 120; }
constexpr double LineHeight(double points) { return points * 20 * 1.1328 / 240; }

ReportRecord WorkedExampleRecord()
{
    ReportRecord record;
    const EntryForm form = test::WorkedExampleForm();
    EXPECT_FALSE(SelectCommand(record.selection, form).has_value());
    record.specifications = SpecificationsOf(form, 0, kKgf);
    record.customer = {"Northmill Paper", "A-1", "Coater 2", "2026/12/06", "J. Doe"};
    return record;
}

// Every model inside every tolerance, so that a test can break one value.
ReportRecord PassingRecord()
{
    ReportRecord record = WorkedExampleRecord();
    record.selection.tables.Zs.fill(0.1);
    record.selection.tables.S.fill(40);
    return record;
}

// Counts the printer-trouble messages shown.
MessageSink CountingTrouble(int& count)
{
    return [&count](const std::string& title, const std::string& message) {
        EXPECT_EQ(title, kProgramTitle);
        EXPECT_EQ(message, kPrinterTrouble);
        ++count;
    };
}

// A canvas whose device fails once the given text has been written.
class FailingOnText : public RecordingCanvas {
public:
    explicit FailingOnText(std::string text) : RecordingCanvas(kPageWidthTwips, kPageHeightTwips), m_text(text) {}

protected:
    void PaintText(double x, double y, std::string_view text) override
    {
        RecordingCanvas::PaintText(x, y, text);
        if (text == m_text) {
            FailFromNow();
        }
    }

private:
    std::string m_text;
};

// The page drawn for the record, with no printer trouble.
class DrawnPage1 : public RecordingCanvas {
public:
    explicit DrawnPage1(const ReportRecord& record, double widthTwips = kPageWidthTwips)
        : RecordingCanvas(widthTwips, kPageHeightTwips)
    {
        int messages = 0;
        PrintReportPage1(*this, record, CountingTrouble(messages));
        EXPECT_EQ(messages, 0);
    }
};

CanvasCall OnlyText(const RecordingCanvas& canvas, const std::string& text)
{
    const std::vector<CanvasCall> found = canvas.TextCalls(text);
    EXPECT_EQ(found.size(), 1U) << text;
    return found.empty() ? CanvasCall{} : found.front();
}

void ExpectTextAt(const RecordingCanvas& canvas, const std::string& text, double x, double y)
{
    const CanvasCall call = OnlyText(canvas, text);
    EXPECT_NEAR(call.x1, x, kTol) << text;
    EXPECT_NEAR(call.y1, y, kTol) << text;
}

CanvasCall CallAt(const RecordingCanvas& canvas, double x, double y)
{
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        if (std::fabs(call.x1 - x) < kTol && std::fabs(call.y1 - y) < kTol) {
            return call;
        }
    }
    ADD_FAILURE() << "no text at " << x << ", " << y;
    return {};
}

// The text of a table cell from x1 to x2 in the row written at y, wherever
// in the cell it was placed.
CanvasCall CallInCell(const RecordingCanvas& canvas, double x1, double x2, double y)
{
    for (const CanvasCall& call : canvas.CallsOf(CanvasCall::Kind::Text)) {
        if (call.x1 >= x1 && call.x1 < x2 && std::fabs(call.y1 - y) < 0.5) {
            return call;
        }
    }
    return CanvasCall{.text = "<none>"};
}

std::string TextInCell(const RecordingCanvas& canvas, double x1, double x2, double y)
{
    return CallInCell(canvas, x1, x2, y).text;
}

// The lines drawn between the last table value and the tolerance note.
std::vector<CanvasCall> MarkLines(const RecordingCanvas& canvas)
{
    std::vector<CanvasCall> marks;
    bool beforeNote = false;
    const std::vector<CanvasCall>& calls = canvas.Calls();
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->kind == CanvasCall::Kind::Text) {
            if (beforeNote) {
                break;
            }
            beforeNote = it->text == "Tolerance(Absolute value)";
        } else if (beforeNote && it->kind == CanvasCall::Kind::Line) {
            marks.insert(marks.begin(), *it);
        }
    }
    return marks;
}

// The cells crossed out in row i, as (x1, x2).
std::vector<std::pair<double, double>> CrossedCells(const std::vector<CanvasCall>& marks, int i)
{
    const double y = 41.5 + 2 * i;
    std::vector<std::pair<double, double>> cells;
    for (const CanvasCall& l : marks) {
        if (std::fabs(l.y1 - y) < kTol && std::fabs(l.y2 - (y + 2)) < kTol) {
            EXPECT_TRUE(HasLine(marks, l.x1, y + 2, l.x2, y, 2)) << "half a cross in row " << i;
            cells.emplace_back(l.x1, l.x2);
        }
    }
    return cells;
}

bool RowFramed(const std::vector<CanvasCall>& marks, int i)
{
    const double y = 41.5 + 2 * i;
    const int sides = HasLine(marks, 10.5, y + 0.5, 89.5, y + 0.5, 2) + HasLine(marks, 10.5, y + 1.5, 89.5, y + 1.5, 2)
                      + HasLine(marks, 10.5, y + 0.5, 10.5, y + 1.5, 2)
                      + HasLine(marks, 89.5, y + 0.5, 89.5, y + 1.5, 2);
    EXPECT_TRUE(sides == 0 || sides == 4) << "partial frame in row " << i;
    return sides == 4;
}

TEST(ReportSpecifications, TakenFromTheFormAndOptions)
{
    EntryForm form = test::WorkedExampleForm();
    form.txtInput[0] = "10abc";
    form.opType = 1;
    const ReportSpecifications shown = SpecificationsOf(form, 1, kNewton);
    EXPECT_EQ(shown.typeCaption, "Type");
    EXPECT_EQ(shown.fulcrumCaption, "Fulcrum");
    EXPECT_EQ(shown.methodCaption, "Detection method");
    EXPECT_FALSE(shown.standardSelected);
    EXPECT_FALSE(shown.rightSelected);
    EXPECT_EQ(shown.fieldTexts, form.txtInput);
    EXPECT_EQ(shown.fieldCaptions, FieldCaptions());
    EXPECT_EQ(shown.fieldCaptions[5], "Mounting angle gamma");
    for (const std::string& caption : shown.fieldCaptions) {
        EXPECT_EQ(caption.size(), 20U) << caption;
    }
    EXPECT_EQ(shown.unitLabels, (std::array<std::string, kFieldCount>{"[N]", "[mm]", "[kg]", "[degree]", "[degree]",
                                                                       "[degree]", "[mm]", "[mm]", "[kg]", "[m/min]"}));
    EXPECT_EQ(UnitLabels(kKgf)[0], "[kgf]");
    EXPECT_TRUE(SpecificationsOf(form, 0, kKgf).rightSelected);
}

TEST(ReportPage1, HeaderCentredWithItsRuleAndCompanyLines)
{
    const DrawnPage1 canvas(WorkedExampleRecord());
    const CanvasCall title = OnlyText(canvas, "<VyraSensorSelector>");
    EXPECT_NEAR(title.x1, 48 - 20 * CharWidth(16) / 2, kTol);
    EXPECT_NEAR(title.y1, 2, kTol);
    EXPECT_TRUE(title.font.bold);
    EXPECT_TRUE(HasLine(canvas.CallsOf(CanvasCall::Kind::Line), 10, 2 + LineHeight(16), 89, 2 + LineHeight(16), 4));
    ExpectTextAt(canvas, "KALDER CORPORATION", 76, 1);
    ExpectTextAt(canvas, "TQ-2208.V-001", 76, 2);
    EXPECT_EQ(OnlyText(canvas, "TQ-2208.V-001").font.size, 9);
}

TEST(ReportPage1, CustomerBlockEndsAtTheRightMarginEvenWhenEmpty)
{
    for (const bool empty : {false, true}) {
        SCOPED_TRACE(empty ? "empty fields" : "filled fields");
        ReportRecord record = WorkedExampleRecord();
        if (empty) {
            record.customer = {};
        }
        const ReportCustomer& c = record.customer;
        const DrawnPage1 canvas(record);
        const double cell = CharWidth(11);
        const double orderWidth = (9 + c.orderNo.size()) * cell;
        const double nameWidth = (5 + c.name.size()) * cell;
        EXPECT_EQ(TextAt(canvas, 10 + 9 * cell, 5), c.customer);
        EXPECT_TRUE(CallAt(canvas, 10 + 9 * cell, 5).font.bold);
        ExpectTextAt(canvas, "Order No.", 88 - orderWidth, 5);
        ExpectTextAt(canvas, "Machine:", 10, 8);
        ExpectTextAt(canvas, "Date:", 48 - 5 * cell, 8);
        EXPECT_EQ(TextAt(canvas, 48, 8), c.date);
        ExpectTextAt(canvas, "Name:", 88 - nameWidth, 8);
        EXPECT_EQ(TextAt(canvas, 88 - nameWidth + 5 * cell, 8), c.name);
        const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
        EXPECT_TRUE(HasLine(lines, 10, 5 + LineHeight(11), 89, 5 + LineHeight(11), 4));
        EXPECT_TRUE(HasLine(lines, 10, 8 + LineHeight(11), 89, 8 + LineHeight(11), 4));
    }
}

// 13 items, each closed by a rule half a row above the next item.
TEST(ReportPage1, SpecificationsBlockAlignsValuesAndUnits)
{
    ReportRecord record = WorkedExampleRecord();
    record.specifications.fieldTexts[2] = "10abc";  // as typed, not as read
    record.specifications.fieldTexts[9] = "1e2";
    const DrawnPage1 canvas(record);
    const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
    const ReportSpecifications& shown = record.specifications;
    const double cell = CharWidth(10);
    const double row = LineHeight(10);
    auto endsAt = [&](const std::string& text, double x, double y) {
        EXPECT_EQ(TextAt(canvas, x - text.size() * cell, y), text) << "at y " << y;
    };
    double y = 12;
    EXPECT_EQ(TextAt(canvas, 10, y), "Type");
    endsAt("Standard", 45, y);
    EXPECT_TRUE(HasLine(lines, 10, y + row, 45, y + row, 1));
    y += row + 0.5;
    EXPECT_EQ(TextAt(canvas, 10, y), "Fulcrum");
    endsAt("Right(R)", 45, y);
    EXPECT_TRUE(HasLine(lines, 10, y + row, 45, y + row, 1));
    for (int k = 0; k < kFieldCount; ++k) {
        y += row + 0.5;
        EXPECT_EQ(TextAt(canvas, 10, y), shown.fieldCaptions[k]);
        endsAt(shown.fieldTexts[k], 36, y);
        endsAt(shown.unitLabels[k], 45, y);
        EXPECT_TRUE(HasLine(lines, 10, y + row, 45, y + row, 1)) << k;
    }
    y += row + 0.5;
    EXPECT_EQ(TextAt(canvas, 10, y), "Detection method");
    endsAt("Two sensors", 45, y + row);
    EXPECT_TRUE(HasLine(lines, 10, y + 2 * row, 45, y + 2 * row, 1));
}

TEST(ReportPage1, SpecificationsFollowTheOptionsAndMethodCode)
{
    const char* wordings[] = {"Two sensors", "One sensor,One side,Both ch.", "One sensor,One side,One ch.",
                              "One sensor,Independent,Both ch.", "One sensor,Independent,One ch."};
    for (std::int16_t method = 0; method < 5; ++method) {
        ReportRecord record = WorkedExampleRecord();
        record.selection.inputs.methodCode = method;
        record.specifications.standardSelected = false;
        record.specifications.rightSelected = false;
        const DrawnPage1 canvas(record);
        const std::string wording = wordings[method];
        EXPECT_NEAR(OnlyText(canvas, wording).x1, 45 - wording.size() * CharWidth(10), kTol) << wording;
        EXPECT_NEAR(OnlyText(canvas, "Intrinsically safe").x1, 45 - 18 * CharWidth(10), kTol);
        EXPECT_NEAR(OnlyText(canvas, "Left(L)").x1, 45 - 7 * CharWidth(10), kTol);
    }
}

// W = 95: W / 2 - 3 = 44.5 goes to 44 and W - 7 = 88 stays.
TEST(ReportPage1, RuleEndsRoundHalvesToEven)
{
    const DrawnPage1 canvas(WorkedExampleRecord(), 95 * 120);
    const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
    EXPECT_TRUE(HasLine(lines, 10, 12 + LineHeight(10), 44, 12 + LineHeight(10), 1));
    EXPECT_TRUE(HasLine(lines, 10, 5 + LineHeight(11), 88, 5 + LineHeight(11), 4));
}

TEST(ReportPage1, ResultsHeadingSitsBetweenRulesAtHalfItsHeight)
{
    const DrawnPage1 canvas(WorkedExampleRecord());
    const double half = 21 * CharWidth(16) / 2;
    ExpectTextAt(canvas, "<Selection results 1>", 48 - half, 34);
    const double y = 34 + LineHeight(16) / 2;
    const std::vector<CanvasCall> lines = canvas.CallsOf(CanvasCall::Kind::Line);
    EXPECT_TRUE(HasLine(lines, 10, y, 48 - half - 2, y, 6));
    EXPECT_TRUE(HasLine(lines, 48 + half + 2, y, 86, y, 6));
}

TEST(ReportPage1, LoadColumnsAndHeadingsFollowTheUnit)
{
    const struct {
        std::int16_t unit;
        std::string label;
        std::string p1, we, p;  // 10, 6 and 16 kgf
    } cases[] = {
        {kKgf, "[kgf]", "  10.0", "   6.0", "  16.0"},
        {kNewton, "[N]", "   98", "   59", "  157"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ReportRecord record = WorkedExampleRecord();
        record.selection.forceUnit = c.unit;
        const DrawnPage1 canvas(record);
        for (const double x : {22.0, 30.0, 38.0}) {
            EXPECT_EQ(TextAt(canvas, x, 40), c.label);
        }
        EXPECT_EQ(TextAt(canvas, 21, 42), c.p1);
        EXPECT_EQ(TextAt(canvas, 29, 44), c.we);
        EXPECT_EQ(TextAt(canvas, 37, 58), c.p);
    }
}

TEST(ReportPage1, RowShowsTheModelAndItsFigures)
{
    const DrawnPage1 canvas(WorkedExampleRecord());
    const std::pair<double, std::string> row0[] = {
        {45, " 0.58"}, {52, " 0.35"}, {59, " 0.93"}, {66, " 0.310"}, {74, " 0.186"}, {83, " 16.1"},
    };
    for (const auto& [x, text] : row0) {
        EXPECT_EQ(TextAt(canvas, x, 42), text) << "x " << x;
    }
    EXPECT_EQ(OnlyText(canvas, "1 Vyra05B").x1, 11);
    EXPECT_EQ(OnlyText(canvas, "9 Vyra41").x1, 11);
    EXPECT_EQ(TextInCell(canvas, 81, 90, 58), "1163.6");
}

// A figure wider than its field stands whole in its cell, made smaller only
// when the cell has no room for it.
TEST(ReportPage1, WideFiguresStandWholeAndNonFiniteKeepTheFieldWidth)
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct {
        ResultTable ResultTables::*table;
        std::int16_t unit;
        double value;
        double x;
        std::string expected;
        bool smaller;
    } cases[] = {
        {&ResultTables::P1, kKgf, 12345.6, 21, "12345.6", true}, {&ResultTables::P1, kNewton, 12345.6, 21, "120987", true},
        {&ResultTables::P1, kKgf, -8660.3, 21, "-8660.3", true}, {&ResultTables::S, kKgf, 1498.5, 83, "1498.5", false},
        {&ResultTables::P1, kKgf, nan, 21, "   ---", false},     {&ResultTables::We, kNewton, -inf, 29, "  ---", false},
        {&ResultTables::Zt, kKgf, inf, 45, "  ---", false},      {&ResultTables::Vt, kKgf, nan, 66, "   ---", false},
        {&ResultTables::Vt, kKgf, 310.36, 66, " 0.310", false},  {&ResultTables::S, kKgf, nan, 83, "  ---", false},
        {&ResultTables::We, kNewton, 0.04, 29, "    0", false},
    };
    for (const auto& c : cases) {
        ReportRecord record = WorkedExampleRecord();
        record.selection.forceUnit = c.unit;
        (record.selection.tables.*c.table)[3] = c.value;
        const CanvasCall cell = CallInCell(DrawnPage1(record), c.x - 1, c.x + 7, 48);
        EXPECT_EQ(cell.text, c.expected) << "x " << c.x << " value " << c.value;
        EXPECT_EQ(cell.font.size < 10, c.smaller) << cell.text;
    }
}

// Whatever the figures and texts, every text keeps to its own room: none
// runs over a rule of the table or into another text.
TEST(ReportPage1, TextsStayClearOfRulesAndOfEachOther)
{
    const std::string longText(120, 'W');
    const struct {
        const char* name;
        std::int16_t unit;
        double width;  // of the printable area, twips: letter, or A4 less its margins
        std::function<void(ReportRecord&)> change;
    } cases[] = {
        {"worked example", kKgf, kPageWidthTwips, [](ReportRecord&) {}},
        {"A4 with wide typed values", kNewton, 11185,
         [](ReportRecord& r) {
             r.specifications.fieldTexts[0] = "99999";
             r.specifications.fieldTexts[2] = "10.50";
             r.specifications.fieldTexts[9] = std::string(40, '9');
         }},
        {"long customer texts", kKgf, 11185,
         [&](ReportRecord& r) { r.customer = {longText, longText, longText, longText, longText}; }},
        {"long order and name, short rest", kKgf, kPageWidthTwips,
         [&](ReportRecord& r) { r.customer = {"A", longText, "M", "D", longText}; }},
        {"huge and negative figures", kNewton, 11185,
         [](ReportRecord& r) {
             r.selection.tables.P1.fill(-8660.3e6);
             r.selection.tables.S.fill(1498.5e3);
             r.selection.tables.Vr.fill(-1e9);
             r.selection.seriesIndex = kIntrinsicallySafeSeries;
         }},
    };
    for (const auto& c : cases) {
        ReportRecord record = WorkedExampleRecord();
        record.selection.forceUnit = c.unit;
        c.change(record);
        const DrawnPage1 canvas(record, c.width);
        EXPECT_EQ(test::TextCollisions(canvas, 0.2), std::vector<std::string>{}) << c.name;
    }
}

TEST(ReportPage1, WorkedExampleFramesTheTwoPassingModels)
{
    const std::vector<CanvasCall> marks = MarkLines(DrawnPage1(WorkedExampleRecord()));
    const std::vector<std::pair<double, double>> zs{{58, 65}};
    const std::vector<std::pair<double, double>> s{{81, 90}};
    const std::vector<std::vector<std::pair<double, double>>> crossed{zs, {}, zs, {}, s, s, s, s, s};
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(CrossedCells(marks, i), crossed[i]) << "model " << i;
        EXPECT_EQ(RowFramed(marks, i), crossed[i].empty()) << "model " << i;
    }
}

TEST(ReportPage1, CrossesOverExactlyTheFailingCells)
{
    const struct {
        const char* name;
        int model;
        ResultTable ResultTables::*table;
        double value;
        std::vector<std::pair<double, double>> crossed;
    } cases[] = {
        {"Zr at tolerance", 0, &ResultTables::Zr, 0.7, {{51, 58}}},
        {"Zs at tolerance", 2, &ResultTables::Zs, 0.7, {{58, 65}}},
        {"negative Zs beyond", 4, &ResultTables::Zs, -0.8, {{58, 65}}},
        {"Vr at limit", 3, &ResultTables::Vr, 260, {{73, 81}}},
        {"S at lower limit", 1, &ResultTables::S, 12, {{81, 90}}},
        {"S at upper limit", 7, &ResultTables::S, 80, {{81, 90}}},
        {"S not finite", 8, &ResultTables::S, std::numeric_limits<double>::quiet_NaN(), {{81, 90}}},
        {"negative P1 on model 5", 5, &ResultTables::P1, -1, {}},
        {"negative P1 on model 6", 6, &ResultTables::P1, -1, {{20, 28}}},
        {"negative P1 on model 8", 8, &ResultTables::P1, -0.5, {{20, 28}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ReportRecord record = PassingRecord();
        (record.selection.tables.*c.table)[c.model] = c.value;
        const std::vector<CanvasCall> marks = MarkLines(DrawnPage1(record));
        for (int i = 0; i < kModelCount; ++i) {
            const auto expected = i == c.model ? c.crossed : std::vector<std::pair<double, double>>{};
            EXPECT_EQ(CrossedCells(marks, i), expected) << "model " << i;
            EXPECT_EQ(RowFramed(marks, i), expected.empty()) << "model " << i;
        }
        EXPECT_EQ(marks.size(), 2 * c.crossed.size() + 4 * (kModelCount - !c.crossed.empty()));
    }
}

TEST(ReportPage1, EverythingBlackSolidAndLeftForTheSketch)
{
    RecordingCanvas canvas(kPageWidthTwips, kPageHeightTwips);
    canvas.SetDrawStyle(DrawStyle::Dot);
    canvas.SetFontName("Symbol");
    PrintReportPage1(canvas, WorkedExampleRecord(), [](const std::string&, const std::string&) {});
    for (const CanvasCall& call : canvas.Calls()) {
        EXPECT_EQ(call.colour, PaletteColor(0));
        EXPECT_EQ(call.style, DrawStyle::Solid);
        EXPECT_EQ(call.mode, ScaleMode::Characters);
        EXPECT_EQ(call.font.name, "Courier New");
    }
    EXPECT_EQ(canvas.GetScaleMode(), ScaleMode::Characters);
    EXPECT_EQ(canvas.Font(), (CanvasFont{"Courier New", 9, false, 0}));
    EXPECT_EQ(canvas.DrawWidth(), 2);
}

TEST(ReportPage1, PrinterTroubleStopsThePageAfterItsStep)
{
    FailingOnText failed("");
    failed.FailFromNow();
    int messages = 0;
    PrintReportPage1(failed, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_TRUE(failed.Calls().empty());
    EXPECT_EQ(messages, 1);

    FailingOnText failing("Customer:");
    messages = 0;
    PrintReportPage1(failing, WorkedExampleRecord(), CountingTrouble(messages));
    EXPECT_EQ(failing.TextCalls("Name:").size(), 1U);  // the customer block is one step
    EXPECT_TRUE(failing.TextCalls("<Specifications>").empty());
    EXPECT_EQ(messages, 1);
}

}  // namespace
}  // namespace vyra::gfx
