// The two result screens: marks and frames from the assessments, figures
// whole inside their columns, the pair's closing, refilling and printing.
// Their layout is in the golden files.
#include "ResultScreens.h"
#include "FrmCharts.h"
#include "FrmResult1.h"
#include "FrmResult2.h"
#include "Records.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"
#include "TestCases.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vyra::ui {
namespace {

using test::Child;
using test::Item;
using test::SelectedRecord;

const QLabel& Label(const QWidget& screen, const char* name, int item)
{
    return Child<QLabel>(screen, Item(name, item));
}

class ResultScreensTest : public ::testing::Test {
protected:
    FrmResult1& First() const { return *m_screens.First(); }
    FrmResult2& Second() const { return *m_screens.Second(); }

    test::ScriptedToolkit m_toolkit;
    gfx::ReportCustomer m_customer{"Northern Paper", "A-17", "PM3", "Dec 06,2026", "Ito"};
    ResultScreens m_screens{m_toolkit, [this] { return m_customer; }};
};

// The frames of the rows that pass are painted in light red on every repaint.
TEST_F(ResultScreensTest, FramesArePaintedOnEveryRepaint)
{
    m_screens.Show(SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
    ResultPicture& picture = First().Picture1();
    for (int repaint = 0; repaint < 2; ++repaint) {
        const QImage image = picture.grab().toImage();
        for (int i = 0; i < kModelCount; ++i) {
            const int y = TwipsToPixels(1100 + 480 * i, picture);
            const QColor at = image.pixelColor(TwipsToPixels(4000, picture), y);
            const QColor below = image.pixelColor(TwipsToPixels(4000, picture), y + 1);
            EXPECT_EQ(at == Qt::red || below == Qt::red, picture.FramedRows()[i]) << "row " << i;
        }
    }
}

// A figure wider than its column shows all its digits, smaller, and stays in
// its own column: every label keeps its box and its text fits inside it.
TEST_F(ResultScreensTest, WideFiguresShowEveryDigitInsideTheirColumn)
{
    EntryForm huge = test::WorkedExampleForm();
    huge.txtInput[kItemFS] = "200000";
    huge.txtInput[kItemWr] = "0.05";
    huge.opType = 1;
    m_screens.Show(SelectedRecord(huge, kNewton), huge);
    for (const ResultScreen* screen : {static_cast<ResultScreen*>(&First()), static_cast<ResultScreen*>(&Second())}) {
        const QList<QLabel*> labels = screen->Picture1().findChildren<QLabel*>(QRegularExpression("^lbl.+\\(\\d\\)$"));
        for (const QLabel* label : labels) {
            EXPECT_GE(label->contentsRect().width(), QFontMetrics(label->font()).horizontalAdvance(label->text()))
                << label->objectName().toStdString();
            for (const QLabel* other : labels) {
                EXPECT_TRUE(other == label || !label->geometry().intersects(other->geometry()));
            }
        }
    }
    EXPECT_EQ(Label(First(), "lblName", 0).text(), "1 Vyra05BS");
    EXPECT_LT(Label(First(), "lblZs", 0).font().pointSizeF(), 9.75);
}

// "Return" or the window's close on either screen closes both; "Select"
// again refills the open pair and puts frmResult1 on top.
TEST_F(ResultScreensTest, ThePairClosesTogetherAndRefillsWhenOpen)
{
    for (const bool byReturn : {true, false}) {
        for (const bool onFirst : {true, false}) {
            m_screens.Show(SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
            const QPointer<QWidget> first = &First();
            const QPointer<QWidget> second = &Second();
            QWidget& screen = onFirst ? static_cast<QWidget&>(First()) : Second();
            byReturn ? Child<QPushButton>(screen, "cmdReturn").click() : static_cast<void>(screen.close());
            EXPECT_EQ(m_screens.First(), nullptr);
            EXPECT_FALSE(first && first->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_TRUE(first.isNull() && second.isNull());
        }
    }
    m_screens.Show(SelectedRecord(test::HarshForm(), kNewton), test::HarshForm());
    const QPointer<FrmResult1> first = m_screens.First();
    First().showMinimized();
    m_screens.Show(SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
    ASSERT_EQ(m_screens.First(), first.data());
    EXPECT_EQ(Label(First(), "lblName", 0).text(), "1 Vyra05B");
    EXPECT_EQ(Label(First(), "lblTani", 0).text(), "[kgf]");
    EXPECT_FALSE(Label(First(), "lblP1", 7).font().strikeOut());
    EXPECT_FALSE(First().isMinimized());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &First());
    EXPECT_EQ(First().pos() - Second().pos(), QPoint(0, TwipsToPixels(205, First())));
}

QString RunTool(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "Print" with no printer: page 1, the sketch and page 2 each tell the
// trouble; to a printer it writes both pages with the customer block as it
// stands at printing, and the screens stay.
TEST_F(ResultScreensTest, PrintTellsTroubleOrPrintsBothPages)
{
    for (const bool onFirst : {true, false}) {
        m_toolkit.ClearMessages();
        m_screens.Show(SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
        Child<QPushButton>(onFirst ? static_cast<QWidget&>(First()) : Second(), "cmdPrint").click();
        ASSERT_EQ(m_toolkit.Messages().size(), 3U);
        for (const test::ShownMessage& message : m_toolkit.Messages()) {
            EXPECT_EQ(message.text.toStdString(), gfx::kPrinterTrouble);
            EXPECT_EQ(message.title, "VyraSensorSelector");
            EXPECT_EQ(message.icon, BoxIcon::None);
        }
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    m_toolkit.SetPrinter([path] { return std::make_unique<QPdfWriter>(path); });
    m_toolkit.ClearMessages();
    m_customer.customer = "Southern Board";
    Child<QPushButton>(Second(), "cmdPrint").click();
    EXPECT_TRUE(m_toolkit.Messages().empty());
    EXPECT_TRUE(First().isVisible() && Second().isVisible());
    EXPECT_TRUE(RunTool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\b")));
    const QString text = RunTool("pdftotext", {"-layout", path, "-"});
    EXPECT_TRUE(text.contains("Southern Board") && text.contains("1 Vyra05B")) << text.toStdString();
}

// "Charts" on either screen opens one window of the selection, which a new
// "Select" refills and "Return" takes away; its calibration helper reads the
// weight, and Print and Export as PDF give the charts page.
TEST_F(ResultScreensTest, ChartsWindowFollowsTheSelection)
{
    m_screens.Show(SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
    Child<QPushButton>(Second(), "cmdCharts").click();
    FrmCharts* charts = m_screens.Charts();
    ASSERT_TRUE(charts != nullptr && charts->isVisible());
    Child<QLineEdit>(*charts, "txtWeight").setText("5");
    Child<QPushButton>(*charts, "cmdCalculate").click();
    const auto vt = [charts] { return Child<QLabel>(*charts, "lblCalibration1(0)").text(); };
    EXPECT_EQ(vt(), "155.2");  // half the 310.4 mV of the worked example's 10 kgf
    m_screens.Show(SelectedRecord(test::HarshForm(), kNewton), test::HarshForm());
    EXPECT_EQ(Child<QLabel>(*charts, "lblCalibration0(0)").text(), "1 Vyra05BS");
    EXPECT_NE(vt(), "155.2");
    Child<QLineEdit>(*charts, "txtWeight").setText("-1");
    Child<QPushButton>(*charts, "cmdCalculate").click();
    EXPECT_EQ(vt(), "");
    EXPECT_EQ(Child<QLabel>(*charts, "lblNote").text(), "The test weight is a number of kg above 0.");

    QTemporaryDir folder;
    m_toolkit.SetPrinter([&folder] { return std::make_unique<QPdfWriter>(folder.filePath("printed.pdf")); });
    Child<QPushButton>(*charts, "cmdPrint").click();
    m_toolkit.AnswerNextFile(folder.filePath("exported"));
    Child<QPushButton>(*charts, "cmdExport").click();
    for (const char* pdf : {"printed.pdf", "exported.pdf"}) {
        EXPECT_TRUE(RunTool("pdfinfo", {folder.filePath(pdf)}).contains(QRegularExpression("Pages:\\s+1\\b")));
        EXPECT_TRUE(RunTool("pdftotext", {folder.filePath(pdf), "-"}).contains("Selection charts")) << pdf;
    }
    EXPECT_TRUE(m_toolkit.Messages().empty());
    Child<QPushButton>(First(), "cmdReturn").click();
    EXPECT_FALSE(charts->isVisible());
}

}  // namespace
}  // namespace vyra::ui
