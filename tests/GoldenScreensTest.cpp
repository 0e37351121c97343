// The layout of every screen as a golden recording: each control with its
// box, text, font and state, in tests/golden/.
#include "ExplanationFiles.h"
#include "FrmExSub.h"
#include "FrmExplanation.h"
#include "FrmInit.h"
#include "FrmInput.h"
#include "FrmResult1.h"
#include "FrmResult2.h"
#include "Golden.h"
#include "Records.h"
#include "ResultScreens.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"
#include "TestCases.h"
#include "WidgetTree.h"

#include <QDialog>
#include <QPushButton>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

namespace vyra::ui {
namespace {

// One small document whatever the name.
class OneDocument : public ExplanationFiles {
public:
    DocumentBytes ReadDocument(const QString&) const override
    {
        return std::string("{\\rtf1 {\\b Outline}\\par Text}");
    }
};

TEST(ScreenGolden, UnitScreen)
{
    test::ScriptedToolkit toolkit;
    const FrmInit frmInit(toolkit);
    test::ExpectGolden("screen_unit", test::WidgetTree(frmInit));
}

TEST(ScreenGolden, InputScreenAfterTheUnitScreen)
{
    test::ScriptedToolkit toolkit;
    toolkit.AnswerNextModal([](QDialog& unitScreen) { test::Child<QPushButton>(unitScreen, "cmdSel2").click(); });
    FrmInput input(toolkit);
    input.show();
    ASSERT_TRUE(QTest::qWaitFor([&toolkit] { return toolkit.ModalScreensShown() == 1; }));
    QApplication::processEvents();
    test::ExpectGolden("screen_input", test::WidgetTree(input));
}

TEST(ScreenGolden, ResultScreens)
{
    test::ScriptedToolkit toolkit;
    ResultScreens screens(toolkit, [] { return gfx::ReportCustomer{}; });
    screens.Show(test::SelectedRecord(test::WorkedExampleForm()), test::WorkedExampleForm());
    test::ExpectGolden("screen_result1_worked_example", test::WidgetTree(*screens.First()));
    test::ExpectGolden("screen_result2_worked_example", test::WidgetTree(*screens.Second()));
    screens.Show(test::SelectedRecord(test::HarshForm(), kNewton), test::HarshForm());
    test::ExpectGolden("screen_result1_harsh", test::WidgetTree(*screens.First()));
    test::ExpectGolden("screen_result2_harsh", test::WidgetTree(*screens.Second()));
}

TEST(ScreenGolden, ExplanationMenuAndViewer)
{
    test::ScriptedToolkit toolkit;
    const OneDocument files;
    ExplanationScreens screens(toolkit, files);
    screens.Show();
    test::ExpectGolden("screen_explanation_menu", test::WidgetTree(*screens.Menu()));
    const FrmExSub viewer(toolkit, files, QStringLiteral("Explanation1.rtf"));
    test::ExpectGolden("screen_explanation_viewer", test::WidgetTree(viewer));
}

}  // namespace
}  // namespace vyra::ui
