// The two result screens: their layout in golden files, marks and frames
// from the assessments, figures whole inside their columns, the pair's
// closing, refilling and printing, and the charts window.
#include "ResultScreens.h"
#include "FrmCharts.h"
#include "FrmResult.h"
#include "Records.h"
#include "ResultColumns.h"
#include "Results1.h"
#include "Results2.h"
#include "ScreenDriver.h"
#include "TestCases.h"

#include <QPlainTextEdit>

#include <functional>
#include <map>
#include <tuple>

namespace vyra::ui {
namespace {

using test::Child;

void Press(const QWidget& screen, const char* button) { Child<QPushButton>(screen, button).click(); }

// The charts window as the golden files hold it: caption and size, then
// what it shows at its own size.
std::string ChartsTree(const FrmCharts& charts)
{
    return QStringLiteral("%1 %2x%3\n").arg(charts.windowTitle()).arg(charts.width()).arg(charts.height()).toStdString()
           + test::WidgetTree(Child(charts, "chartsPage"));
}

class ResultScreensTest : public ::testing::Test {
protected:
    FrmResult& First() const { return *m_screens.First(); }
    FrmResult& Second() const { return *m_screens.Second(); }
    void Show(const EntryForm& form, ForceUnit unit = kKgf)
    {
        m_screens.Show(test::SelectedRecord(form, unit), form, {});
    }

    test::ScriptedToolkit m_toolkit;
    gfx::ReportCustomer m_customer{"Northern Paper", "A-17", "PM3", "Dec 06,2026", "Ito"};
    int m_exports = 0;
    ResultScreens m_screens{m_toolkit, [this] { return m_customer; }, [this] { ++m_exports; }};
};

// Every figure as its column gives it, all its digits inside its column;
// the frames of the passing rows in light red on every repaint, on the
// table's own white. "Select" again refills the open pair, frmResult1 on
// top and no longer minimized, laid out as a first pair.
TEST_F(ResultScreensTest, LayoutFiguresAndFramesOfAFirstAndARefilledPair)
{
    EntryForm wide = test::EditedWorkedExample("0=200000 2=0.05");
    wide.opType = 1;
    for (const auto& [name, form, unit] : {std::tuple{"harsh", test::HarshForm(), kNewton},
                                           {"worked_example", test::WorkedExampleForm(), kKgf},
                                           {"lbf", test::LbfForm(), kLbf},
                                           {"wide", wide, kNewton}}) {
        Show(form, unit);
        const RunState state = test::SelectedRecord(form, unit).selection;
        for (const auto& [screen, columns, golden] :
             {std::tuple<FrmResult*, std::span<const ResultColumn>, std::string>{&First(), ResultSet1Columns(),
                                                                                 "screen_result1_"},
              {&Second(), ResultSet2Columns(), "screen_result2_"}}) {
            test::ExpectGolden(golden + name, test::WidgetTree(*screen));
            for (int i = 0; i < kModelCount; ++i) {
                for (const ResultColumn& c : columns) {
                    const QString label =
                        QStringLiteral("lbl%1(%2)").arg(QString::fromUtf8(c.symbol).remove('/')).arg(i);
                    EXPECT_EQ(Child<QLabel>(*screen, label).text().toStdString(), ShownText(c, state, i)) << name;
                }
            }
            const auto labels = screen->Picture1().findChildren<QLabel*>(QRegularExpression("^lbl.+\\(\\d\\)$"));
            std::map<QString, QFontInfo> columnFonts;  // one size a column, the model names' too
            for (const QLabel* label : labels) {
                const QFontInfo font(label->font());
                const QFontInfo& first =
                    columnFonts.try_emplace(label->objectName().section('(', 0, 0), font).first->second;
                EXPECT_EQ(font.pixelSize(), first.pixelSize()) << name << " " << label->objectName().toStdString();
                EXPECT_GE(label->contentsRect().width(), QFontMetrics(label->font()).horizontalAdvance(label->text()))
                    << name << " " << label->objectName().toStdString();
                for (const QLabel* other : labels) {
                    EXPECT_TRUE(other == label || !label->geometry().intersects(other->geometry()));
                }
            }
        }
        // Each screen frames the models that pass its own set, as the engine assesses them.
        const auto passes1 = [&state](int i) { return AssessResults1(state, i).withinTolerance; };
        const auto passes2 = [&state](int i) { return AssessResults2(state, i).withinTolerance; };
        for (const auto& [screen, passes] :
             {std::pair<FrmResult*, std::function<bool(int)>>{&First(), passes1}, {&Second(), passes2}}) {
            ResultPicture& picture = screen->Picture1();
            for (int repaint = 0; repaint < 2; ++repaint) {
                const QImage image = screen->grab(picture.geometry()).toImage();
                for (int i = 0; i < kModelCount * 2; ++i) {  // the top and the bottom edge of each row
                    const QPoint at(TwipsToPixels(4000, picture),
                                    TwipsToPixels(1100 + 400 * (i % 2) + 480 * (i / 2), picture));
                    const QColor shown =
                        image.pixelColor(at) == Qt::red ? Qt::red : image.pixelColor(at + QPoint(0, 1));
                    EXPECT_EQ(shown, passes(i / 2) ? Qt::red : Qt::white) << name << " edge " << i;
                }
            }
        }
        const QString trees = QString::fromStdString(test::WidgetTree(First()) + test::WidgetTree(Second()));
        for (const auto& [text, count] : {std::pair{"[lbf]\"", 4}, {"\"[mil]\"", 3}, {"ε[mil]", 1}, {"31.50", 1}}) {
            EXPECT_EQ(trees.count(QString::fromUtf8(text)), unit == kLbf ? count : 0) << name << " " << text;
        }
        EXPECT_FALSE(Child<QLabel>(Second(), "lblNotes").isVisibleTo(&Second())) << name;
        First().showMinimized();
    }

    EXPECT_EQ(Child<QLabel>(First(), "lblName(0)").text(), "1 Vyra05BS");
    EXPECT_LT(Child<QLabel>(First(), "lblZs(0)").font().pointSizeF(), 9.75);
    const QPointer<FrmResult> first = m_screens.First();
    Show(test::WorkedExampleForm());
    EXPECT_EQ(m_screens.First(), first.data());
    EXPECT_FALSE(First().isMinimized());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &First());
    EXPECT_EQ(First().pos() - Second().pos(), QPoint(0, TwipsToPixels(205, First())));
    Show(test::EditedWorkedExample("9="));
    EXPECT_TRUE(Child<QLabel>(Second(), "lblNotes").isVisibleTo(&Second()));
    EXPECT_TRUE(Child<QLabel>(Second(), "lblNotes").text().startsWith("Line speed V is 0"));
}

// "Return" or the window's close on either screen closes both.
TEST_F(ResultScreensTest, ThePairClosesTogether)
{
    for (const auto& [byReturn, onFirst] : {std::pair{true, true}, {true, false}, {false, true}, {false, false}}) {
        Show(test::WorkedExampleForm());
        const QPointer<QWidget> first = &First();
        const QPointer<QWidget> second = &Second();
        FrmResult& screen = onFirst ? First() : Second();
        byReturn ? Press(screen, "cmdReturn") : static_cast<void>(screen.close());
        EXPECT_EQ(m_screens.First(), nullptr);
        EXPECT_FALSE(first && first->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(first.isNull() && second.isNull()) << byReturn << onFirst;
    }
}

// "Print" with no printer: page 1, the sketch and page 2 each tell the
// trouble; to a printer both pages, the customer block as it stands, the
// screens stay. "Charts" opens one window, refilled by "Select", closed by "Return".
TEST_F(ResultScreensTest, PrintingAndTheChartsWindow)
{
    Show(test::WorkedExampleForm());
    Press(First(), "cmdPrint");
    Press(Second(), "cmdPrint");
    EXPECT_EQ(m_toolkit.messages,
              QStringList(6, QStringLiteral("message VyraSensorSelector: %1 icon 0").arg(gfx::kPrinterTrouble)));
    QTemporaryDir folder;
    m_toolkit.printer = [&folder] { return std::make_unique<QPdfWriter>(folder.filePath("printed.pdf")); };
    m_toolkit.messages.clear();
    m_customer.customer = "Southern Board";
    Press(Second(), "cmdPrint");
    EXPECT_TRUE(First().isVisible() && Second().isVisible());
    const QString text = test::PdfText(folder.filePath("printed.pdf"));
    EXPECT_EQ(text.count(QChar('\f')), 2);
    EXPECT_TRUE(text.contains("Southern Board") && text.contains("1 Vyra05B")) << text.toStdString();

    Press(Second(), "cmdCharts");
    FrmCharts* charts = m_screens.Charts();
    ASSERT_TRUE(charts != nullptr && charts->isVisible());
    Child<QLineEdit>(*charts, "txtWeight").setText("5");
    Press(*charts, "cmdCalculate");
    // 5 kg gives half the 310.4 mV the worked example gives for 10 kgf.
    std::string recording = "# worked example, 5 kg\n" + ChartsTree(*charts);
    Show(test::HarshForm(), kNewton);
    recording += "# harsh example refilled\n" + ChartsTree(*charts);
    EXPECT_EQ(m_screens.ChartsToReport({}).calibration->Vt, CalibrationFor(test::HarshForm(), kNewton, 5).Vt);
    Child<QLineEdit>(*charts, "txtWeight").setText("-1");
    Press(*charts, "cmdCalculate");
    test::ExpectGolden("screens_charts", recording + "# then -1 kg\n" + ChartsTree(*charts));
    Show(test::LbfForm(), kLbf);  // the weight in lb pulls as many lbf
    EXPECT_EQ(Child<QLabel>(*charts, "lblWeight").text(), "Test weight [lb]");
    EXPECT_EQ(Child<QLabel>(*charts, "lblNote").text(), "The test weight is a number of lb above 0.");
    Child<QLineEdit>(*charts, "txtWeight").setText("5");
    Press(*charts, "cmdCalculate");
    EXPECT_EQ(Child<QLabel>(*charts, "lblNote").text(),
              "The selection's case with a tension of 5 lbf, the test weight.");
    const RunState lbf = m_screens.ChartsToReport({}).selection;
    EXPECT_EQ(Child<QPlainTextEdit>(*charts, "txtRemedies").toPlainText().split('\n').size(),
              kModelCount - static_cast<int>(ModelsPassingBoth(lbf).size()));
    Press(*charts, "cmdPrint");
    m_toolkit.files.push_back(folder.filePath("exported"));
    Press(*charts, "cmdExport");
    for (const char* pdf : {"printed.pdf", "exported.pdf"}) {
        const QString page = test::PdfText(folder.filePath(pdf));
        // The remedies of the models that fail do not fit under the calibration table.
        EXPECT_TRUE(page.count(QChar('\f')) == 2 && page.contains("Selection charts, continued")) << pdf;
    }
    EXPECT_TRUE(m_toolkit.messages.empty());
    EXPECT_TRUE(m_toolkit.asked.contains("save file: Export Charts as PDF at " + QDir::homePath()
                                         + "/Northmill Paper A-1 charts.pdf"))
        << m_toolkit.asked.join("\n").toStdString();
    Press(First(), "cmdReturn");
    EXPECT_FALSE(charts->isVisible());
}

// Escape is "Return" on a result screen and "Close" on the charts window,
// Ctrl+P is "Print", Ctrl+E exports the report and Return presses the
// focused button. The charts window keeps the size it was given; a new case
// takes away its test weight.
TEST_F(ResultScreensTest, KeysSizesAndANewCase)
{
    Show(test::WorkedExampleForm());
    test::PressKeys(First(), QKeySequence::Print);
    EXPECT_EQ(m_toolkit.messages.size(), 3);
    test::PressKeys(Second(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(m_exports, 1);
    Child<QPushButton>(First(), "cmdCharts").setFocus();
    test::PressKeys(First(), QKeySequence(Qt::Key_Return));
    FrmCharts* charts = m_screens.Charts();
    ASSERT_TRUE(charts != nullptr && charts->isVisible());
    EXPECT_EQ(charts->focusWidget(), &Child<QLineEdit>(*charts, "txtWeight"));
    Child<QLineEdit>(*charts, "txtWeight").setText("-5");
    charts->resize(500, 400);
    test::PressKeys(*charts, QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(charts->isVisible());

    m_screens.ForgetCase();
    EXPECT_EQ(m_screens.Charts(), nullptr);
    Show(test::WorkedExampleForm());
    Press(First(), "cmdCharts");
    EXPECT_EQ(m_screens.Charts()->size(), QSize(500, 400));
    EXPECT_EQ(Child<QLineEdit>(*m_screens.Charts(), "txtWeight").text(), "");
    test::PressKeys(Second(), QKeySequence(Qt::Key_Escape));
    EXPECT_TRUE(m_screens.First() == nullptr && !m_screens.Charts()->isVisible());
}

}  // namespace
}  // namespace vyra::ui
