// Ranges on the desktop: set in Tools > Ranges…, named under the entries,
// evaluated by "Select" (with progress and Cancel when long) and carried
// to the charts window and the exported report.
#include "CaseAndBatchFiles.h"
#include "Charts.h"
#include "Commands.h"
#include "FrmCharts.h"
#include "FrmInput.h"
#include "ReportPdf.h"
#include "ScreenDriver.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vyra::ui {
namespace {

using test::Child;

// A film line's roller in kgf, with the ranges as the case file's member.
std::string CaseText(const std::string& ranges)
{
    return R"({"format":"vyra-case","version":1,"unit":"kgf","tension":"10","diameter":"100","roller-weight":"10",)"
           R"("alpha":"20","beta":"80","gamma":"20","position":"20","height":"40","bearing-weight":"2","speed":"300",)"
           R"("ranges":{)"
           + ranges + "}}";
}

class RangesScreenTest : public ::testing::Test {
protected:
    // The screen with the case opened at start, as its file gives it.
    void Open(const std::string& text)
    {
        QFile file(m_path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text.c_str()) > 0);
        file.close();
        m_screen = std::make_unique<FrmInput>(m_toolkit);
        m_screen->OpenAtStart(m_path);
        m_screen->show();
    }
    QString Line() const
    {
        const auto& label = Child<QLabel>(*m_screen, "lblRanges");
        return label.isVisibleTo(m_screen.get()) ? label.text() : QStringLiteral("(none)");
    }
    // Tools > Ranges… with "control=text" typed and OK pressed, then
    // Cancel if the dialog stayed open: the focus it was left with.
    QString SetRanges(const QStringList& typed)
    {
        QString focus;
        m_toolkit.modalAnswers.push_back([&](QDialog& dialog) {
            for (const QString& entry : typed) {
                entry == "clear" ? Child<QPushButton>(dialog, "cmdClear").click()
                                 : Child<QLineEdit>(dialog, entry.section('=', 0, 0)).setText(entry.section('=', 1));
            }
            Child<QPushButton>(dialog, "cmdOK").click();
            if (dialog.isVisible()) {
                focus = dialog.focusWidget()->objectName();
                dialog.reject();
            }
        });
        Child<QAction>(*m_screen, "mnuRanges").trigger();
        return focus;
    }
    void Select() { Child<QPushButton>(*m_screen, "cmdResult").click(); }
    // "Charts" on the result screens: whether the ranges show under them.
    bool ChartsShowRanges()
    {
        std::ranges::for_each(QApplication::topLevelWidgets(), [](QWidget* w) {
            if (auto* charts = w->findChild<QPushButton*>("cmdCharts"); charts && w->isVisible()) {
                charts->click();
            }
        });
        return std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* w) {
            auto* ranges = w->findChild<CanvasArea*>("picRanges");
            return w->isVisible() && ranges && ranges->isVisibleTo(w);
        });
    }

    QTemporaryDir m_folder;
    QString m_path = m_folder.filePath("c.vyracase");
    test::ScriptedToolkit m_toolkit;
    std::unique_ptr<FrmInput> m_screen;
};

// OK keeps what the entries accept and says so under them; a refusal names
// its range, keeps the dialog open at it and changes nothing. F1 explains.
TEST_F(RangesScreenTest, TheDialogKeepsOnlyRangesTheEntriesAccept)
{
    Open(CaseText(""));
    EXPECT_EQ(Line(), "(none)");
    const std::vector<std::pair<QStringList, QString>> refused{
        {{"txtLow5=25", "txtHigh5=30"}, "the gamma range 25:30 does not hold the nominal 20."},
        {{"txtLow5=30", "txtHigh5=10"}, "the gamma range 30:10 has its low end above its high end"},
        {{"txtLow9=100"}, "the speed range needs both its low and its high end"},
        {{"txtLow5=10", "txtHigh5=30", "txtLow2=0", "txtHigh2=20"},
         "the roller-weight range 0:20 reaches 0, which \"Select\" refuses"},
        {{"txtLow3=1x", "txtHigh3=30"}, "the alpha range's ends \"1x\" and \"30\" are not both numbers"},
    };
    for (const auto& [typed, message] : refused) {
        SCOPED_TRACE(message.toStdString());
        // The focus goes to the low end of the range named.
        EXPECT_EQ(SetRanges(typed), typed.back().section('=', 0, 0).replace("High", "Low"));
        ASSERT_EQ(m_toolkit.messages.size(), 1);
        EXPECT_TRUE(m_toolkit.messages.takeFirst().contains("The ranges were not kept: " + message));
        EXPECT_EQ(Line(), "(none)");
        EXPECT_FALSE(m_screen->isWindowModified());
    }
    SetRanges({"txtLow5=10", "txtHigh5=30", "txtLow7=20", "txtHigh7=60"});
    EXPECT_EQ(Line(), "Ranges: gamma 10 to 30 [degree], height 20 to 60 [mm]");
    EXPECT_TRUE(m_toolkit.messages.isEmpty() && m_screen->isWindowModified());
    SetRanges({"clear"});
    EXPECT_EQ(Line(), "(none)");

    QString shown;
    m_toolkit.modalAnswers.push_back([](QDialog& dialog) {
        test::PressKeys(dialog, QKeySequence(Qt::Key_F1));
        dialog.reject();
    });
    m_toolkit.modalAnswers.push_back([&shown](QDialog& viewer) {
        shown = dynamic_cast<FrmExSub&>(viewer).RichTextBox1().textCursor().selectedText();
        viewer.reject();
    });
    const test::WorkingFolder documents(VYRA_DOCS_DIR);
    Child<QAction>(*m_screen, "mnuRanges").trigger();
    EXPECT_EQ(shown, "How the ranges are evaluated");
}

// The desktop's report of a case with ranges is the report drawn from the
// engine's own evaluation of them: 21 gamma degrees by 11 heights.
TEST_F(RangesScreenTest, SelectEvaluatesTheRangesForTheChartsAndTheReport)
{
    Open(CaseText(R"("gamma":{"low":"10","high":"30"},"height":{"low":"20","high":"60"})"));
    EXPECT_EQ(Line(), "Ranges: gamma 10 to 30 [degree], height 20 to 60 [mm]");
    Select();
    EXPECT_TRUE(m_toolkit.asked.isEmpty());
    EXPECT_TRUE(ChartsShowRanges());
    m_toolkit.modalAnswers.push_back([](QDialog& dialog) { Child<QPushButton>(dialog, "cmdOK").click(); });
    m_toolkit.files.push_back(m_folder.filePath("r.pdf"));
    Child<QAction>(*m_screen, "mnuExportPdf").trigger();
    const Case read = *ReadCaseFile(m_path.toStdString());
    gfx::ReportRecord drawn{gfx::CustomerOf(read), "c.vyracase", gfx::SpecificationsOf(read), {}, {}, false};
    drawn.selection.forceUnit = read.forceUnit;
    ASSERT_FALSE(SelectCommand(drawn.selection, read.form));
    drawn.charts = gfx::ChartContentOf(drawn.selection, read.form, {});
    const std::vector<InputRange> ranges = *RangesOf(read);
    gfx::AddRanges(*drawn.charts, ranges, EvaluateRanges(read.form, read.forceUnit, ranges));
    ASSERT_TRUE(
        gfx::WriteDrawnFile(m_folder.filePath("d.pdf").toStdString(), gfx::DrawReportPdf(drawn, QPageSize::A4)));
    const QString text = test::PdfText(m_folder.filePath("r.pdf"));
    EXPECT_EQ(text.toStdString(), test::PdfText(m_folder.filePath("d.pdf")).toStdString());
    EXPECT_TRUE(text.contains("Over the ranges: 231 points"));
}

// Past a million points "Select" shows its progress, and Cancel leaves the
// selection without its ranges; a range the entries no longer hold is said
// and left out, the results shown all the same.
TEST_F(RangesScreenTest, LongEvaluationsCanBeCancelledAndRefusalsAreSaid)
{
    Open(CaseText(R"("alpha":{"low":"0","high":"40"},"beta":{"low":"60","high":"100"},)"
                  R"("gamma":{"low":"0","high":"40"},"speed":{"low":"100","high":"500"},)"
                  R"("height":{"low":"0","high":"100"})"));
    m_toolkit.progressSteps = 1;
    Select();
    EXPECT_EQ(m_toolkit.asked, QStringList{"progress Evaluating the ranges over 8339441 points… of 8339441"});
    EXPECT_EQ(m_toolkit.progressAdvances, 2);
    EXPECT_FALSE(ChartsShowRanges());

    Child<QLineEdit>(*m_screen, "txtInput(5)").setText("45");
    Select();
    EXPECT_EQ(m_toolkit.messages.join("\n").toStdString(),
              "message Ranges: The results are for the entries alone; the ranges were not evaluated: the gamma "
              "range 0:40 does not hold the nominal 45. icon 2");
    EXPECT_TRUE(Child<QAction>(*m_screen, "mnuExportPdf").isEnabled());
}

// The desktop's own progress box moves with the task, and its Cancel stops it.
TEST(ProgressBox, MovesAndCancels)
{
    QtToolkit toolkit;
    QWidget owner;
    owner.show();
    const std::unique_ptr<ProgressBox> box = toolkit.ShowProgress(&owner, QStringLiteral("Working"), 400);
    EXPECT_TRUE(box->Advance(100));
    auto& dialog = *owner.findChild<QProgressDialog*>();
    EXPECT_EQ(dialog.value(), 250);
    dialog.findChild<QPushButton*>()->click();
    EXPECT_FALSE(box->Advance(200));
}

}  // namespace
}  // namespace vyra::ui
