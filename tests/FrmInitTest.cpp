#include "FrmInit.h"
#include "FrmInput.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vyra::ui {
namespace {

template <class Control = QWidget>
Control& Child(const QWidget& parent, const QString& name)
{
    if (auto* control = parent.findChild<Control*>(name)) {
        return *control;
    }
    throw std::runtime_error("no control " + name.toStdString());
}

// A left click as a user makes it, near the left end of the control.
void Click(QWidget& control)
{
    const QPointF local(control.height() / 2.0, control.height() / 2.0);
    const QPointF global = control.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

int Pixels(double twips, const QWidget& widget) { return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440)); }

QRect PixelBox(double left, double top, double width, double height, const QWidget& widget)
{
    return {Pixels(left, widget), Pixels(top, widget), Pixels(width, widget), Pixels(height, widget)};
}

std::vector<std::string> TabChain(QWidget& first, int count)
{
    std::vector<std::string> names{first.objectName().toStdString()};
    for (QWidget* next = first.nextInFocusChain(); static_cast<int>(names.size()) < count && next != &first;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0) {
            names.push_back(next->objectName().toStdString());
        }
    }
    return names;
}

struct ShownInput {
    std::unique_ptr<FrmInput> screen;
    QLabel* tensionUnit = nullptr;
};

// Opens the input screen as the program does and waits until its first
// activation has run.
ShownInput OpenInput(test::ScriptedToolkit& toolkit)
{
    ShownInput shown{std::make_unique<FrmInput>(toolkit)};
    shown.tensionUnit = &Child<QLabel>(*shown.screen, "lblTani(0)");
    shown.screen->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.tensionUnit->text().isEmpty(); }));
    return shown;
}

TEST(FrmInitTest, ControlsStandAtTheirTwipBoxesInCaptionFont)
{
    test::ScriptedToolkit toolkit;
    FrmInit frmInit(toolkit);
    EXPECT_EQ(frmInit.windowTitle(), "Settting units");
    EXPECT_EQ(frmInit.size(), PixelBox(0, 0, 4680, 1770, frmInit).size());
    struct Case {
        const char* name;
        const char* caption;
        QRect box;
    };
    const std::vector<Case> cases{
        {"Label1", " Select the units.", PixelBox(360, 360, 3975, 255, frmInit)},
        {"cmdSel1", "[Kgf]", PixelBox(480, 960, 1095, 495, frmInit)},
        {"cmdSel2", "[N]", PixelBox(1800, 960, 1095, 495, frmInit)},
        {"cmdExit", "Exit", PixelBox(3120, 960, 1095, 495, frmInit)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QWidget& control = Child(frmInit, c.name);
        EXPECT_EQ(control.geometry(), c.box);
        EXPECT_EQ(control.property("text").toString(), c.caption);
        EXPECT_NEAR(control.font().pointSizeF(), 11.25, 1e-9);
        EXPECT_EQ(control.font().family(), "Courier New");
    }
    EXPECT_NEAR(frmInit.font().pointSizeF(), 9, 1e-9);
}

TEST(FrmInitTest, ButtonsTakeTheFocusInTabOrder)
{
    test::ScriptedToolkit toolkit;
    FrmInit frmInit(toolkit);
    EXPECT_EQ(TabChain(Child(frmInit, "cmdSel1"), 3), (std::vector<std::string>{"cmdSel1", "cmdSel2", "cmdExit"}));
}

TEST(FrmInitTest, UnitScreenStandsInTheMiddleOfTheDisplay)
{
    test::ScriptedToolkit toolkit;
    FrmInit frmInit(toolkit);
    const QPoint offset = frmInit.geometry().center() - frmInit.screen()->geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
}

TEST(FrmInitTest, TensionUnitLabelFollowsTheChoice)
{
    struct Case {
        const char* way;
        std::function<void(QDialog&)> answer;
        const char* label;
    };
    const std::vector<Case> cases{
        {"[Kgf]", [](QDialog& screen) { Click(Child(screen, "cmdSel1")); }, "[kgf]"},
        {"[N]", [](QDialog& screen) { Click(Child(screen, "cmdSel2")); }, "[N]"},
        {"window close", [](QDialog& screen) { screen.close(); }, "[kgf]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.way);
        test::ScriptedToolkit toolkit;
        toolkit.AnswerNextModal(c.answer);
        const ShownInput shown = OpenInput(toolkit);
        EXPECT_EQ(shown.tensionUnit->text(), c.label);
        EXPECT_EQ(toolkit.ModalScreensShown(), 1);
        EXPECT_EQ(toolkit.EndProgramCalls(), 0);
        // The weights stay in kg whatever the unit of force.
        EXPECT_EQ(Child<QLabel>(*shown.screen, "lblTani(2)").text(), "[kg]");
        EXPECT_EQ(Child<QLabel>(*shown.screen, "lblTani(8)").text(), "[kg]");
    }
}

TEST(FrmInitTest, TensionUnitLabelIsEmptyBeforeTheFirstActivation)
{
    test::ScriptedToolkit toolkit;
    const FrmInput frmInput(toolkit);
    EXPECT_EQ(Child<QLabel>(frmInput, "lblTani(0)").text(), "");
    EXPECT_EQ(toolkit.ModalScreensShown(), 0);
}

TEST(FrmInitTest, ExitEndsTheProgram)
{
    test::ScriptedToolkit toolkit;
    int endsWhileShown = -1;
    toolkit.AnswerNextModal([&](QDialog& screen) {
        Click(Child(screen, "cmdExit"));
        endsWhileShown = toolkit.EndProgramCalls();
        // The scripted toolkit ends nothing; a real end takes every screen.
        screen.reject();
    });
    const ShownInput shown = OpenInput(toolkit);
    EXPECT_EQ(endsWhileShown, 1);
}

TEST(FrmInitTest, UnitScreenShownOnlyOnceAndLabelSetOnEveryActivation)
{
    test::ScriptedToolkit toolkit;
    toolkit.AnswerNextModal([](QDialog& screen) { Click(Child(screen, "cmdSel2")); });
    const ShownInput shown = OpenInput(toolkit);
    QWidget other;
    other.show();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return other.isActiveWindow(); }));
        shown.tensionUnit->setText("?");
        shown.screen->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown.tensionUnit->text() == "[N]"; }));
    }
    EXPECT_EQ(toolkit.ModalScreensShown(), 1);
}

}  // namespace
}  // namespace vyra::ui
