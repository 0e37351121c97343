// The input screen and its unit screen driven as a user does, step by step:
// after each step the screen's state (fields, marks, options, messages, the
// sketch and the result windows) goes into a golden recording, which a
// reviewer reads as the screen's behaviour.
#include "FrmInput.h"
#include "Golden.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"

#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace vyra::ui {
namespace {

using test::Child;
using test::Item;

// Runs a hook while a message box is up.
class WatchingToolkit : public test::ScriptedToolkit {
public:
    std::function<void()> onMessage;
    void ShowMessage(QWidget* owner, const QString& title, const QString& text, BoxIcon icon) override
    {
        if (onMessage) {
            onMessage();
        }
        ScriptedToolkit::ShowMessage(owner, title, text, icon);
    }
};

// A field's text, "!" when it is marked in light red.
QString Shown(const QWidget& control, const QString& text, QPalette::ColorRole role)
{
    return text + (control.palette().color(role) == QColor(255, 0, 0) ? "!" : "");
}

class InputScenario {
public:
    InputScenario()
    {
        m_toolkit.AnswerNextModal([](QDialog& unitScreen) { test::Click(Child(unitScreen, "cmdSel2")); });
        m_screen.show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return m_toolkit.ModalScreensShown() == 1; }));
        QApplication::processEvents();
        m_toolkit.onMessage = [this] { m_atMessage = State() + (Sketch() != m_sketch ? " sketch redrawn" : ""); };
        m_sketch = Sketch();
    }

    void Type(int item, const QString& text) { Child<QLineEdit>(m_screen, Item("txtInput", item)).setText(text); }
    void Key(int item, Qt::Key key, const QString& text)
    {
        test::TypeKey(Child<QLineEdit>(m_screen, Item("txtInput", item)), key, text);
    }
    void Click(const QString& name) { test::Click(Child(m_screen, name)); }
    void Enter(const std::vector<QString>& texts)
    {
        for (int item = 0; item < 10; ++item) {
            Type(item, texts[item]);
        }
    }

    // The step and the state it left; a message box shows with the marks
    // there were while it was up.
    void Record(const std::string& step)
    {
        m_recording += "# " + step + "\n";
        for (const test::ShownMessage& m : m_toolkit.Messages()) {
            const std::string text = QString(m.text).replace("\r", "\\r").toStdString();
            m_recording += "message " + m.title.toStdString() + ": " + text + " icon "
                           + std::to_string(static_cast<int>(m.icon)) + "\n  while up: " + m_atMessage + "\n";
        }
        m_toolkit.ClearMessages();
        const QImage sketch = Sketch();
        m_recording += State() + (sketch != m_sketch ? " sketch redrawn" : "") + Windows() + "\n";
        m_sketch = sketch;
    }

    std::string State() const
    {
        QString state = Child<QLabel>(m_screen, "lblTani(0)").text() + " fields";
        for (int item = 0; item < 10; ++item) {
            const auto& field = Child<QLineEdit>(m_screen, Item("txtInput", item));
            state += " [" + Shown(field, field.text(), QPalette::Text) + "]";
        }
        for (const char* group : {"OpFulcrum", "OpMethod1", "OpMethod2", "OpMethod3"}) {
            state += QStringLiteral(" %1").arg(group);
            for (int item = 0; item < 2; ++item) {
                const auto& option = Child<QRadioButton>(m_screen, Item(group, item));
                state += (option.isChecked() ? " *" : " ") + Shown(option, option.text(), QPalette::WindowText)
                         + (option.isEnabled() ? "" : "(off)");
            }
        }
        return state.toStdString();
    }

    std::string Windows() const
    {
        std::set<std::string> titles;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget != &m_screen) {
                titles.insert(widget->windowTitle().toStdString());
            }
        }
        std::string windows;
        for (const std::string& title : titles) {
            windows += " + " + title;
        }
        return windows;
    }

    QImage Sketch() const { return Child(m_screen, "Picture1").grab().toImage(); }

    WatchingToolkit m_toolkit;
    FrmInput m_screen{m_toolkit};
    std::string m_recording;
    std::string m_atMessage;
    QImage m_sketch;
};

TEST(InputScreen, BehavesAsRecorded)
{
    InputScenario s;
    s.Record("opened, [N] chosen on the unit screen");
    const std::vector<QString> valid{"100", "100", "10", "20", "80", "20", "20", "100", "5", "100"};
    const std::vector<std::pair<std::string, std::vector<QString>>> refusals{
        {"empty tension", {"", "100", "10", "20", "80", "20", "20", "100", "5", "100"}},
        {"negative speed", {"100", "100", "10", "20", "80", "20", "20", "100", "5", "-1"}},
        {"beta 181", {"100", "100", "10", "20", "181", "20", "20", "100", "5", "100"}},
        {"resultant 5", {"100", "100", "10", "10", "0", "0", "20", "100", "5", "100"}},
        {"wrap 180", {"100", "100", "10", "90", "90", "0", "20", "100", "5", "100"}},
        {"speed too large", {"100", "100", "10", "20", "80", "20", "20", "100", "5", "1e999"}}};
    for (const auto& [name, texts] : refusals) {
        s.Enter(texts);
        s.Click("cmdResult");
        s.Record("Select with " + name);
    }
    s.Key(8, Qt::Key_7, "7");
    s.Record("bearing weight edited: the speed's mark stays");
    s.Key(9, Qt::Key_Backspace, "");
    s.Record("speed edited: its own mark goes");
    s.Enter(refusals[3].second);
    s.Click("cmdResult");
    s.Key(2, Qt::Key_7, "7");
    s.Record("resultant refused again, roller weight edited: the angle marks stay");
    s.Key(5, Qt::Key_1, "1");
    s.Record("gamma edited: every angle mark and the fulcrum's go");
    for (const char* gamma : {"20", "-7.5", "12abc", "0.00001", "1e999", "", "abc"}) {
        s.Type(3, "30");
        s.Type(4, "-60");
        s.Type(5, gamma);
        s.Click("OpFulcrum(1)");
        s.Click("OpFulcrum(1)");
        s.Record(std::string("gamma ") + gamma + ", Left(L) twice: angles swapped, gamma negated once");
        s.Click("OpFulcrum(0)");
        s.Record("Right(R) again");
    }
    s.Click("OpMethod2(1)");
    s.Record("Independent clicked while disabled");
    s.Click("OpMethod1(1)");
    s.Click("OpMethod2(1)");
    s.Click("OpMethod3(1)");
    s.Record("One sensor, Independent, One");
    s.Click("OpMethod1(0)");
    s.Record("Two sensors again: side and channel off, their choice kept");
    s.Enter({"", "", "", "200", "80", "20", "20", "", "", ""});
    s.Click("cmdImage");
    s.Record("Image chgange with alpha 200: no redraw");
    s.Enter({"", "", "", "90", "90", "0", "20", "", "", ""});
    s.Click("cmdImage");
    s.Record("Image chgange with a wrap of 180: redrawn, then the message");
    s.Enter(valid);
    s.Click("cmdResult");
    s.Record("Select with a valid case");
    s.Click("OpFulcrum(1)");
    s.Enter({"100", "100", "10", "20", "20", "0", "20", "100", "5", "100"});
    s.Click("cmdResult");
    s.Record("Select again on the left side");
    s.m_screen.close();
    s.Record("closed: ends the program " + std::to_string(s.m_toolkit.EndProgramCalls()) + " time");
    test::ExpectGolden("scenario_input_screen", s.m_recording);
}

// The unit chosen once sets the tension's unit label on every activation;
// closing the unit screen keeps kgf; "Exit" ends the program.
TEST(UnitScreen, ChoosesTheUnitOnceForTheRun)
{
    const std::vector<std::tuple<std::function<void(QDialog&)>, QString, int>> cases{
        {[](QDialog& s) { test::Click(Child(s, "cmdSel1")); }, "[kgf]", 0},
        {[](QDialog& s) { s.close(); }, "[kgf]", 0},
        {[](QDialog& s) {
             test::Click(Child(s, "cmdExit"));
             s.reject();
         },
         "[kgf]", 1}};
    for (const auto& [answer, label, ends] : cases) {
        test::ScriptedToolkit toolkit;
        toolkit.AnswerNextModal(answer);
        FrmInput screen(toolkit);
        auto& unit = Child<QLabel>(screen, "lblTani(0)");
        screen.show();
        ASSERT_TRUE(QTest::qWaitFor([&unit] { return !unit.text().isEmpty(); }));
        EXPECT_EQ(unit.text(), label);
        EXPECT_EQ(toolkit.EndProgramCalls(), ends);
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&other] { return other.isActiveWindow(); }));
        unit.setText("?");
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return unit.text() == label; }));
        EXPECT_EQ(toolkit.ModalScreensShown(), 1);
    }
}

TEST(InputScreen, DateFieldHoldsTheStartDateInEnglish)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    test::ScriptedToolkit toolkit;
    toolkit.SetToday(QDate(2027, 3, 9));
    const FrmInput screen(toolkit);
    QLocale::setDefault(previous);
    EXPECT_EQ(Child<QLineEdit>(screen, "txtDate").text(), "Mar 09,2027");
}

}  // namespace
}  // namespace vyra::ui
