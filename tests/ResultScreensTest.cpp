#include "Commands.h"
#include "FrmResult1.h"
#include "FrmResult2.h"
#include "Report.h"
#include "ResultFormat.h"
#include "ResultScreens.h"
#include "Results1.h"
#include "Results2.h"
#include "ScriptedToolkit.h"
#include "TestCases.h"
#include "Twips.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QFontMetrics>
#include <QLabel>
#include <QPdfWriter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace vyra::ui {
namespace {

using Rows = std::array<bool, kModelCount>;
// Of the worked example only the stiffer models 2 and 4 keep their stopper
// and gain in range; every model keeps its ratios low.
constexpr Rows kWorkedFramed1{false, true, false, true, false, false, false, false, false};
constexpr Rows kAllRows{true, true, true, true, true, true, true, true, true};

// Intrinsically safe series, one sensor read independently on one channel,
// web pulling the roller off its stopper: loads in N, negative P1 on the
// large models, and a line fast enough that most ratios fail.
EntryForm HarshForm()
{
    EntryForm form;
    form.txtInput = {"300", "60", "40", "170", "170", "0", "50", "200", "5", "360"};
    form.opType = 1;
    form.opMethod1 = 1;
    form.opMethod2 = 1;
    form.opMethod3 = 1;
    return form;
}

gfx::ReportRecord Selected(const EntryForm& form, std::int16_t forceUnit)
{
    gfx::ReportRecord record;
    record.selection.forceUnit = forceUnit;
    EXPECT_FALSE(SelectCommand(record.selection, form).has_value());
    record.specifications = gfx::SpecificationsOf(form, record.selection.inputs.fulcrumIndex, forceUnit);
    return record;
}

gfx::ReportRecord WorkedExample(std::int16_t forceUnit = kKgf)
{
    EntryForm form = test::WorkedExampleForm();
    if (forceUnit == kNewton) {
        form.txtInput[kItemFS] = "98";
    }
    return Selected(form, forceUnit);
}

const QLabel* FindLabel(const QWidget& screen, const char* name, int item)
{
    const QString objectName = item < 0 ? QString::fromLatin1(name) : ItemName(name, item);
    const auto* label = screen.findChild<const QLabel*>(objectName);
    if (label == nullptr) {
        ADD_FAILURE() << "no label " << objectName.toStdString();
    }
    return label;
}

std::string Text(const QWidget& screen, const char* name, int item = -1)
{
    const QLabel* label = FindLabel(screen, name, item);
    return label != nullptr ? label->text().toStdString() : std::string();
}

bool Struck(const QWidget& screen, const char* name, int item)
{
    const QLabel* label = FindLabel(screen, name, item);
    return label != nullptr && label->font().strikeOut();
}

class ResultScreensTest : public ::testing::Test {
protected:
    FrmResult1& First() const { return *m_screens.First(); }
    FrmResult2& Second() const { return *m_screens.Second(); }

    test::ScriptedToolkit m_toolkit;
    gfx::ReportCustomer m_customer{"Northern Paper", "A-17", "PM3", "Dec 06,2026", "Ito"};
    ResultScreens m_screens{m_toolkit, [this] { return m_customer; }};
};

TEST_F(ResultScreensTest, WorkedExampleShowsItsFiguresOnBothScreens)
{
    m_screens.Show(WorkedExample());
    struct Shown {
        const QWidget& screen;
        const char* name;
        std::string text;
        bool struck;
    };
    const std::vector<Shown> row0{
        {First(), "lblName", "1 Vyra05B", false}, {First(), "lblP1", "10.0", false},
        {First(), "lblWe", "6.0", false},         {First(), "lblP", "16.0", false},
        {First(), "lblZt", "0.58", false},        {First(), "lblZr", "0.35", false},
        {First(), "lblZs", "0.93", true},         {First(), "lblVt", "0.310", false},
        {First(), "lblVr", "0.186", false},       {First(), "lblS", "16.1", false},
        {Second(), "lblName", "1 Vyra05B", false}, {Second(), "lblF1", "5.3", false},
        {Second(), "lblF2", "38.8", false},       {Second(), "lblF3", "47.5", false},
        {Second(), "lblF1F2", "0.14", false},     {Second(), "lblF1F3", "0.11", false},
        {Second(), "lblE", "31.42", false},       {Second(), "lblPB", "0.02", false},
    };
    for (const Shown& s : row0) {
        EXPECT_EQ(Text(s.screen, s.name, 0), s.text) << s.name;
        EXPECT_EQ(Struck(s.screen, s.name, 0), s.struck) << s.name;
    }
    EXPECT_EQ(Text(First(), "lblName", 8), "9 Vyra41");
    EXPECT_EQ(First().Picture1().FramedRows(), kWorkedFramed1);
    EXPECT_EQ(Second().Picture1().FramedRows(), kAllRows);
}

TEST_F(ResultScreensTest, HarshCaseStrikesTheLargeModelsLoadsAndOneRatioAlone)
{
    m_screens.Show(Selected(HarshForm(), kNewton));
    EXPECT_EQ(Text(First(), "lblName", 8), "9 Vyra41S");
    EXPECT_EQ(Text(First(), "lblP1", 6), "-960");
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_EQ(Struck(First(), "lblP1", i), i >= 6) << i;
    }
    EXPECT_TRUE(Struck(Second(), "lblF1F2", 7));
    EXPECT_FALSE(Struck(Second(), "lblF1F3", 7));
    EXPECT_EQ(First().Picture1().FramedRows(), (Rows{false, false, false, false, false, true, false, false, false}));
    EXPECT_EQ(Second().Picture1().FramedRows(), (Rows{false, false, false, false, false, false, false, false, true}));
}

struct SelectionCase {
    const char* name;
    std::function<gfx::ReportRecord()> record;
};

void PrintTo(const SelectionCase& selectionCase, std::ostream* out) { *out << selectionCase.name; }

class EveryFigure : public ResultScreensTest, public ::testing::WithParamInterface<SelectionCase> {};

// Every label of both screens against the engine's figures and verdicts.
TEST_P(EveryFigure, MarksAndFramesAreTheAssessmentsOfEachModel)
{
    const gfx::ReportRecord record = GetParam().record();
    m_screens.Show(record);
    const RunState& s = record.selection;
    const ResultTables& t = s.tables;
    const std::int16_t unit = s.forceUnit;
    for (int i = 0; i < kModelCount; ++i) {
        const Assessment1 a1 = AssessResults1(s, i);
        const Assessment2 a2 = AssessResults2(s, i);
        const std::vector<std::tuple<const QWidget&, const char*, std::string, bool>> cells{
            {First(), "lblP1", FormatLoad(t.P1[i], unit), a1.failP1},
            {First(), "lblWe", FormatLoad(t.We[i], unit), false},
            {First(), "lblP", FormatLoad(t.P[i], unit), false},
            {First(), "lblZt", FormatPattern(t.Zt[i], 2), false},
            {First(), "lblZr", FormatPattern(t.Zr[i], 2), a1.failZr},
            {First(), "lblZs", FormatPattern(t.Zs[i], 2), a1.failZs},
            {First(), "lblVt", FormatPattern(t.Vt[i] / 1000, 3), false},
            {First(), "lblVr", FormatPattern(t.Vr[i] / 1000, 3), a1.failVr},
            {First(), "lblS", FormatPattern(t.S[i], 1), a1.failS},
            {Second(), "lblF1", FormatPattern(t.F1[i], 1), false},
            {Second(), "lblF2", FormatPattern(t.F2[i], 1), false},
            {Second(), "lblF3", FormatPattern(t.F3[i], 1), false},
            {Second(), "lblF1F2", FormatPattern(FrequencyRatio(t.F1[i], t.F2[i]), 2), a2.failF1F2},
            {Second(), "lblF1F3", FormatPattern(FrequencyRatio(t.F1[i], t.F3[i]), 2), a2.failF1F3},
            {Second(), "lblE", FormatPattern(t.E[i], 2), false},
            {Second(), "lblPB", FormatEccentricForce(t.PB[i], unit), false},
        };
        for (const auto& [screen, name, text, struck] : cells) {
            EXPECT_EQ(Text(screen, name, i), text) << name << '(' << i << ')';
            EXPECT_EQ(Struck(screen, name, i), struck) << name << '(' << i << ')';
        }
        EXPECT_EQ(Text(Second(), "lblName", i), gfx::report::ModelLabel(s, i));
        EXPECT_EQ(First().Picture1().FramedRows()[static_cast<std::size_t>(i)], a1.withinTolerance) << i;
        EXPECT_EQ(Second().Picture1().FramedRows()[static_cast<std::size_t>(i)], a2.withinTolerance) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ResultScreens, EveryFigure,
    ::testing::Values(SelectionCase{"WorkedExampleKgf", [] { return WorkedExample(kKgf); }},
                      SelectionCase{"WorkedExampleN", [] { return WorkedExample(kNewton); }},
                      SelectionCase{"HarshSafeN", [] { return Selected(HarshForm(), kNewton); }},
                      SelectionCase{"HarshSafeKgf", [] { return Selected(HarshForm(), kKgf); }}),
    [](const ::testing::TestParamInfo<SelectionCase>& param) { return std::string(param.param.name); });

TEST_F(ResultScreensTest, LoadsAndEccentricForceFollowTheUnitOfForce)
{
    struct UnitCase {
        std::int16_t unit;
        std::string p1;
        std::string pb;
        std::string tani;
    };
    for (const UnitCase& c : {UnitCase{kKgf, "10.0", "0.02", "[kgf]"}, UnitCase{kNewton, "98", "0.2", "[N]"}}) {
        m_screens.Show(WorkedExample(c.unit));
        EXPECT_EQ(Text(First(), "lblP1", 0), c.p1);
        EXPECT_EQ(Text(Second(), "lblPB", 0), c.pb);
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(Text(First(), "lblTani", k), c.tani);
        }
        EXPECT_EQ(Text(Second(), "lblTani"), c.tani);
    }
}

// Model 2 of the worked example passes everything on both screens; one of
// its figures is replaced at a time.
TEST_F(ResultScreensTest, ValuesAtTheLimitsAndNonFiniteValuesAreMarkedAsAssessed)
{
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct LimitCase {
        ResultTable ResultTables::*table;
        double value;
        bool onFirst;
        const char* label;
        std::string text;
        bool struck;
    };
    const std::vector<LimitCase> cases{
        {&ResultTables::Vr, 259.99, true, "lblVr", "0.260", false},
        {&ResultTables::Vr, 260.0, true, "lblVr", "0.260", true},
        {&ResultTables::S, 80.0, true, "lblS", "80.0", true},
        {&ResultTables::S, 79.99, true, "lblS", "80.0", false},
        {&ResultTables::S, kInf, true, "lblS", "---", true},
        {&ResultTables::S, kNaN, true, "lblS", "---", true},
        {&ResultTables::F1, kNaN, false, "lblF1F2", "---", true},
        {&ResultTables::F1, kNaN, false, "lblF1F3", "---", true},
        {&ResultTables::F2, kInf, false, "lblF1F2", "0.00", false},
    };
    constexpr int row = 1;
    for (const LimitCase& c : cases) {
        gfx::ReportRecord record = WorkedExample();
        (record.selection.tables.*c.table)[row] = c.value;
        m_screens.Show(record);
        const ResultScreen& screen = c.onFirst ? static_cast<ResultScreen&>(First()) : Second();
        EXPECT_EQ(Text(screen, c.label, row), c.text) << c.label << " " << c.value;
        EXPECT_EQ(Struck(screen, c.label, row), c.struck) << c.label << " " << c.value;
        EXPECT_EQ(screen.Picture1().FramedRows()[row], !c.struck) << c.label << " " << c.value;
    }
}

// A figure wider than its column must show all its digits, never a
// shorter and plausible number such as 163.6 for 1163.6, and must stay in
// its own column: every label keeps its box and its text fits inside it.
TEST_F(ResultScreensTest, WideFiguresShowEveryDigitInsideTheirColumn)
{
    EntryForm huge = test::WorkedExampleForm();
    huge.txtInput[kItemFS] = "200000";
    huge.txtInput[kItemWr] = "0.05";
    huge.opType = 1;
    m_screens.Show(Selected(huge, kNewton));
    for (const ResultScreen* screen : {static_cast<const ResultScreen*>(&First()), static_cast<const ResultScreen*>(&Second())}) {
        const QList<QLabel*> labels = screen->Picture1().findChildren<QLabel*>(QRegularExpression("^lbl.+\\(\\d\\)$"));
        ASSERT_EQ(labels.size(), screen == &First() ? 93 : 72);
        for (const QLabel* label : labels) {
            const std::string name = label->objectName().toStdString();
            EXPECT_GE(label->contentsRect().width(), QFontMetrics(label->font()).horizontalAdvance(label->text()))
                << name << ' ' << label->text().toStdString();
            const QRect box = label->geometry();
            for (const QLabel* other : labels) {
                EXPECT_TRUE(other == label || !box.intersects(other->geometry())) << name;
            }
        }
    }
    EXPECT_EQ(Text(First(), "lblP1", 0), "200000");
    EXPECT_EQ(Text(First(), "lblName", 0), "1 Vyra05BS");
    EXPECT_LT(FindLabel(First(), "lblZs", 0)->font().pointSizeF(), 9.75);
}

TEST_F(ResultScreensTest, FrmResult1LiesCentred205TwipsBelowFrmResult2)
{
    m_screens.Show(WorkedExample());
    const QRect display = Second().screen()->geometry();
    EXPECT_NEAR(Second().x() - display.x(), (display.width() - Second().width()) / 2, 1);
    EXPECT_NEAR(Second().y() - display.y(), (display.height() - Second().height()) / 2, 1);
    EXPECT_EQ(First().pos() - Second().pos(), QPoint(0, TwipsToPixels(205, First())));
    EXPECT_EQ(First().size(), QSize(TwipsToPixels(9360, First()), TwipsToPixels(6390, First())));
}

// The frames are painted with the picture, so every rendering shows them.
TEST_F(ResultScreensTest, FramesArePaintedInLightRedOnEveryRepaint)
{
    m_screens.Show(WorkedExample());
    ResultPicture& picture = First().Picture1();
    const int x = TwipsToPixels(4000, picture);
    for (int repaint = 0; repaint < 2; ++repaint) {
        const QImage image = picture.grab().toImage();
        for (int i = 0; i < kModelCount; ++i) {
            const int y = TwipsToPixels(1100 + 480 * i, picture);
            bool red = false;
            for (int dy = -1; dy <= 1; ++dy) {
                red = red || image.pixelColor(x, y + dy) == QColor(255, 0, 0);
            }
            EXPECT_EQ(red, picture.FramedRows()[static_cast<std::size_t>(i)]) << "row " << i;
        }
    }
}

using ScreenOf = std::function<QWidget&(const ResultScreens&)>;
const std::vector<std::pair<const char*, ScreenOf>> kEitherScreen{
    {"frmResult1", [](const ResultScreens& s) -> QWidget& { return *s.First(); }},
    {"frmResult2", [](const ResultScreens& s) -> QWidget& { return *s.Second(); }},
};

QPushButton& Button(QWidget& screen, const char* name)
{
    auto* button = screen.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(button, nullptr) << name;
    return *button;
}

TEST_F(ResultScreensTest, ReturnOrWindowCloseOnEitherScreenClosesBoth)
{
    const std::vector<std::pair<const char*, std::function<void(QWidget&)>>> closings{
        {"Return", [](QWidget& screen) { Button(screen, "cmdReturn").click(); }},
        {"window close", [](QWidget& screen) { screen.close(); }},
    };
    for (const auto& [how, close] : closings) {
        for (const auto& [which, screenOf] : kEitherScreen) {
            m_screens.Show(WorkedExample());
            const QPointer<QWidget> first = m_screens.First();
            const QPointer<QWidget> second = m_screens.Second();
            close(screenOf(m_screens));
            EXPECT_EQ(m_screens.First(), nullptr) << how << " on " << which;
            EXPECT_EQ(m_screens.Second(), nullptr) << how << " on " << which;
            EXPECT_FALSE(first && first->isVisible()) << how << " on " << which;
            EXPECT_FALSE(second && second->isVisible()) << how << " on " << which;
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(first.isNull() && second.isNull()) << how << " on " << which;
        }
    }
    EXPECT_TRUE(m_toolkit.Messages().empty());
}

TEST_F(ResultScreensTest, SelectAgainRefillsTheOpenScreensAndPutsFrmResult1OnTop)
{
    m_screens.Show(Selected(HarshForm(), kNewton));
    const QPointer<FrmResult1> first = m_screens.First();
    const QPointer<FrmResult2> second = m_screens.Second();
    ASSERT_TRUE(Struck(First(), "lblS", 1));
    ASSERT_TRUE(Struck(Second(), "lblF1F2", 1));
    First().showMinimized();
    m_screens.Show(WorkedExample());
    ASSERT_EQ(m_screens.First(), first.data());
    ASSERT_EQ(m_screens.Second(), second.data());
    EXPECT_EQ(Text(First(), "lblName", 0), "1 Vyra05B");
    EXPECT_EQ(Text(First(), "lblTani", 0), "[kgf]");
    EXPECT_EQ(Text(First(), "lblS", 1), "32.2");
    EXPECT_FALSE(Struck(First(), "lblS", 1));
    EXPECT_FALSE(Struck(Second(), "lblF1F2", 1));
    EXPECT_FALSE(Struck(First(), "lblP1", 7));
    EXPECT_EQ(First().Picture1().FramedRows(), kWorkedFramed1);
    EXPECT_EQ(Second().Picture1().FramedRows(), kAllRows);
    EXPECT_FALSE(First().isMinimized());
    EXPECT_TRUE(First().isVisible() && Second().isVisible());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &First());
}

TEST_F(ResultScreensTest, PrintWithoutPrinterReportsTroubleAndLeavesTheScreens)
{
    for (const auto& [which, screenOf] : kEitherScreen) {
        m_toolkit.ClearMessages();
        m_screens.Show(WorkedExample());
        Button(screenOf(m_screens), "cmdPrint").click();
        // Page 1, the printed sketch and page 2 each meet the missing printer.
        ASSERT_EQ(m_toolkit.Messages().size(), 3u) << which;
        for (const test::ShownMessage& message : m_toolkit.Messages()) {
            EXPECT_EQ(message.text.toStdString(), gfx::kPrinterTrouble);
            EXPECT_TRUE(message.title.isEmpty() || message.title == QString::fromLatin1(gfx::kProgramTitle));
            EXPECT_EQ(message.icon, BoxIcon::None);
        }
        ASSERT_NE(m_screens.First(), nullptr);
        EXPECT_TRUE(First().isVisible() && Second().isVisible());
        EXPECT_EQ(Text(First(), "lblP1", 0), "10.0");
    }
}

QString RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(ResultScreensTest, PrintWritesBothPagesWithTheCustomerAsItStandsAtPrinting)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    m_toolkit.SetPrinter([path] { return std::make_unique<QPdfWriter>(path); });
    m_screens.Show(WorkedExample());
    m_customer.customer = "Southern Board";
    Button(Second(), "cmdPrint").click();
    EXPECT_TRUE(m_toolkit.Messages().empty());
    ASSERT_GT(QFileInfo(path).size(), 0);
    EXPECT_TRUE(First().isVisible() && Second().isVisible());

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdfinfo.isEmpty() || pdftotext.isEmpty()) {
        GTEST_SKIP() << "poppler-utils is not installed";
    }
    EXPECT_TRUE(RunTool(pdfinfo, {path}).contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b"))));
    const QString text = RunTool(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Southern Board"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Northern Paper")));
    EXPECT_TRUE(text.contains(QStringLiteral("1 Vyra05B")));
}

}  // namespace
}  // namespace vyra::ui
