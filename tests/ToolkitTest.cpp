// The program's own toolkit, answered as a user would: a timer armed before
// the modal loop starts finds the box or screen and closes it.
#include "Toolkit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace vyra::ui {
namespace {

// Runs once the modal loop is up: what the active modal widget is, then
// closes it.
template <class Widget>
void AnswerWhenShown(const std::function<void(Widget&)>& answer)
{
    QTimer::singleShot(0, [answer] {
        auto* shown = qobject_cast<Widget*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        answer(*shown);
    });
}

TEST(QtToolkit, MessageBoxesAndModalScreensWaitForTheirAnswer)
{
    QtToolkit toolkit;
    QWidget owner;
    bool seen = false;
    AnswerWhenShown<QMessageBox>([&seen](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "VyraSensorSelector") << "a box given no title bears the program's";
        EXPECT_EQ(box.text(), "Input positive numbers of Tension and\nRoller diameter");
        EXPECT_EQ(box.icon(), QMessageBox::Warning);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        seen = true;
        box.button(QMessageBox::Ok)->click();
    });
    toolkit.ShowMessage(&owner, QString(), "Input positive numbers of Tension and\rRoller diameter",
                        BoxIcon::Exclamation);
    EXPECT_TRUE(seen);

    QDialog screen;
    AnswerWhenShown<QDialog>([](QDialog& shown) { shown.done(7); });
    toolkit.ShowModal(screen);
    EXPECT_EQ(screen.result(), 7);
    EXPECT_EQ(toolkit.Today(), QDate::currentDate());
}

}  // namespace
}  // namespace vyra::ui
