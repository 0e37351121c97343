// The input screen and the unit screen it opens, driven as a user does:
// clicks, typed keys, message boxes answered by the scripted toolkit. Their
// layout is in the golden files.
#include "FrmInput.h"
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

#include <array>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace vyra::ui {
namespace {

using test::Child;
using test::Click;
using test::Item;
using test::TypeKey;

using Texts = std::array<QString, 10>;
const Texts kValid{"100", "100", "10", "20", "80", "20", "20", "100", "5", "100"};
const QColor kLightRed(255, 0, 0);

// Runs a hook when a message box comes, while it is up.
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

// The input screen opened as the program opens it, its unit screen answered.
class FrmInputTest : public ::testing::Test {
protected:
    void Open(std::function<void(QDialog&)> unitAnswer = [](QDialog& s) { Click(Child(s, "cmdSel1")); })
    {
        toolkit.AnswerNextModal(std::move(unitAnswer));
        screen = std::make_unique<FrmInput>(toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return toolkit.ModalScreensShown() == 1; }));
        QApplication::processEvents();
    }
    void SetUp() override { Open(); }

    QLineEdit& Field(int item) { return Child<QLineEdit>(*screen, Item("txtInput", item)); }
    QRadioButton& Option(const char* group, int item) { return Child<QRadioButton>(*screen, Item(group, item)); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(*screen, name); }
    QString TensionUnit() { return Child<QLabel>(*screen, "lblTani(0)").text(); }
    QImage Sketch() { return Child(*screen, "Picture1").grab().toImage(); }

    void Enter(const Texts& texts)
    {
        for (int item = 0; item < 10; ++item) {
            Field(item).setText(texts[item]);
        }
    }

    std::set<int> MarkedFields()
    {
        std::set<int> marked;
        for (int item = 0; item < 10; ++item) {
            if (Field(item).palette().color(QPalette::Text) == kLightRed) {
                marked.insert(item);
            }
        }
        if (Option("OpFulcrum", 0).palette().color(QPalette::WindowText) == kLightRed) {
            marked.insert(-1);  // the chosen fulcrum side's caption
        }
        return marked;
    }

    // A resultant-angle failure marks both wrap angles, the mounting angle
    // and the chosen fulcrum side.
    void MarkEverything()
    {
        Enter(kValid);
        Enter({"100", "100", "10", "10", "0", "0", "20", "100", "5", "100"});
        Click(Button("cmdResult"));
        ASSERT_EQ(MarkedFields(), (std::set<int>{-1, 3, 4, 5}));
    }

    WatchingToolkit toolkit;
    std::unique_ptr<FrmInput> screen;
};

// The unit chosen once sets the tension's unit label on every activation;
// closing the unit screen keeps kgf; "Exit" ends the program.
TEST(UnitScreen, ChoosesTheUnitOnceForTheRun)
{
    const std::vector<std::tuple<const char*, std::function<void(QDialog&)>, QString, int>> cases{
        {"[Kgf]", [](QDialog& s) { Click(Child(s, "cmdSel1")); }, "[kgf]", 0},
        {"[N]", [](QDialog& s) { Click(Child(s, "cmdSel2")); }, "[N]", 0},
        {"window close", [](QDialog& s) { s.close(); }, "[kgf]", 0},
        {"Exit",
         [](QDialog& s) {
             Click(Child(s, "cmdExit"));
             s.reject();
         },
         "[kgf]", 1},
    };
    for (const auto& [how, answer, label, ends] : cases) {
        test::ScriptedToolkit toolkit;
        toolkit.AnswerNextModal(answer);
        FrmInput screen(toolkit);
        auto& unit = Child<QLabel>(screen, "lblTani(0)");
        EXPECT_EQ(unit.text(), "") << "before the first activation";
        screen.show();
        ASSERT_TRUE(QTest::qWaitFor([&unit] { return !unit.text().isEmpty(); })) << how;
        EXPECT_EQ(unit.text(), label) << how;
        EXPECT_EQ(toolkit.EndProgramCalls(), ends) << how;
        EXPECT_EQ(Child<QLabel>(screen, "lblTani(2)").text(), "[kg]") << how;
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&other] { return other.isActiveWindow(); }));
        unit.setText("?");
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return unit.text() == label; })) << how;
        EXPECT_EQ(toolkit.ModalScreensShown(), 1) << how;
    }
}

TEST_F(FrmInputTest, DateFieldHoldsTheStartDateInEnglish)
{
    EXPECT_EQ(Child<QLineEdit>(*screen, "txtDate").text(), "Dec 05,2026");
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    test::ScriptedToolkit other;
    other.SetToday(QDate(2027, 3, 9));
    const FrmInput later(other);
    QLocale::setDefault(previous);
    EXPECT_EQ(Child<QLineEdit>(later, "txtDate").text(), "Mar 09,2027");
}

// Each check tells its message, then marks: the fields and fulcrum caption
// are red only once the box is closed. "Image chgange" redraws the sketch
// before its angle checks, never before its range checks.
TEST_F(FrmInputTest, ChecksShowTheirMessageThenMark)
{
    const struct {
        const char* button;
        Texts texts;
        QString title;
        BoxIcon icon;
        std::set<int> marked;  // fields, and -1 for the fulcrum caption
        bool redrawn;
    } cases[] = {
        {"cmdResult",
         {"", "100", "10", "20", "80", "20", "20", "100", "5", "100"},
         "Inapplicable values",
         BoxIcon::Information,
         {},
         false},
        {"cmdResult",
         {"100", "100", "10", "20", "80", "20", "20", "100", "5", "-1"},
         "Input error",
         BoxIcon::Information,
         {},
         false},
        {"cmdResult",
         {"100", "100", "10", "20", "181", "20", "20", "100", "5", "100"},
         "Inapplicable values",
         BoxIcon::Information,
         {4},
         false},
        {"cmdResult",
         {"100", "100", "10", "10", "0", "0", "20", "100", "5", "100"},
         "The resultant force angle's error",
         BoxIcon::Exclamation,
         {-1, 3, 4, 5},
         false},
        {"cmdImage",
         {"", "", "", "200", "80", "20", "20", "", "", ""},
         "Inapplicable values",
         BoxIcon::Information,
         {3},
         false},
        {"cmdImage",
         {"", "", "", "90", "90", "0", "20", "", "", ""},
         "Wrap angle's error",
         BoxIcon::Exclamation,
         {3, 4},
         true},
    };
    const QImage loaded = Sketch();
    for (const auto& c : cases) {
        Enter(c.texts);
        toolkit.ClearMessages();
        std::set<int> markedWhileShown{-2};
        QImage atMessage;
        toolkit.onMessage = [&] {
            markedWhileShown = MarkedFields();
            atMessage = Sketch();
        };
        Click(Button(c.button));
        ASSERT_EQ(toolkit.Messages().size(), 1U) << c.title.toStdString();
        EXPECT_EQ(toolkit.Messages()[0].title, c.title);
        EXPECT_EQ(toolkit.Messages()[0].icon, c.icon);
        EXPECT_EQ(markedWhileShown, std::set<int>{});
        EXPECT_EQ(MarkedFields(), c.marked) << c.title.toStdString();
        EXPECT_EQ(atMessage != loaded, c.redrawn) << c.title.toStdString();
        Click(Option("OpFulcrum", 0));
    }
}

// An angle edit or a fulcrum click takes back every angle mark and the
// fulcrum's; editing another field takes back only its own mark.
TEST_F(FrmInputTest, EditsTakeBackTheirMarks)
{
    const std::vector<std::pair<const char*, std::function<void()>>> takers{
        {"alpha edited", [this] { TypeKey(Field(3), Qt::Key_1, "1"); }},
        {"gamma edited", [this] { TypeKey(Field(5), Qt::Key_1, "1"); }},
        {"the chosen fulcrum clicked", [this] { Click(Option("OpFulcrum", 0)); }},
        {"the other fulcrum clicked", [this] { Click(Option("OpFulcrum", 1)); }},
    };
    for (const auto& [how, take] : takers) {
        Click(Option("OpFulcrum", 0));
        MarkEverything();
        for (const int other : {0, 2, 6, 9}) {
            TypeKey(Field(other), Qt::Key_7, "7");
        }
        EXPECT_EQ(MarkedFields(), (std::set<int>{-1, 3, 4, 5})) << how;
        take();
        EXPECT_EQ(MarkedFields(), std::set<int>{}) << how;
    }
    for (const int item : {0, 1, 2, 6, 7, 8, 9}) {
        Enter(kValid);
        Field(item).setText("1e999");
        Click(Button("cmdResult"));
        ASSERT_EQ(MarkedFields(), std::set<int>{item});
        TypeKey(Field(item == 0 ? 1 : 0), Qt::Key_7, "7");
        EXPECT_EQ(MarkedFields(), std::set<int>{item});
        TypeKey(Field(item), Qt::Key_Backspace, "");
        EXPECT_EQ(MarkedFields(), std::set<int>{}) << item;
    }
}

// Changing the fulcrum side swaps the wrap angles and negates the mounting
// angle's text; changing back restores both texts.
TEST_F(FrmInputTest, FulcrumChangeSwapsWrapAnglesAndNegatesMountingAngle)
{
    const std::vector<std::tuple<QString, QString, bool>> cases{
        {"", "", true},
        {"20", "-20", true},
        {"-7.5", "7.5", true},
        {"12abc", "-12", false},
        {"abc", "0", false},
        {" +0.1", "-0.1", false},
        {"0.00001", "-1e-5", false},
        {"1e999", "-1e999", true},
        {"-2.5E400x", "2.5E400", false},
        {"123456789012345678", "-1.23456789012346e17", false},
    };
    for (const auto& [gamma, negated, restored] : cases) {
        Click(Option("OpFulcrum", 0));
        Field(3).setText("30");
        Field(4).setText("-60");
        Field(5).setText(gamma);
        Click(Option("OpFulcrum", 1));
        EXPECT_EQ(Field(3).text(), "-60");
        EXPECT_EQ(Field(4).text(), "30");
        EXPECT_EQ(Field(5).text(), negated) << gamma.toStdString();
        Click(Option("OpFulcrum", 1));
        EXPECT_EQ(Field(3).text(), "-60") << "the chosen side again changes nothing";
        Click(Option("OpFulcrum", 0));
        EXPECT_EQ(Field(4).text(), "-60");
        EXPECT_EQ(Field(5).text() == gamma, restored) << gamma.toStdString();
    }
}

// "One sensor" enables the side and channel options, "Two sensors" disables
// them again, keeping their choice.
TEST_F(FrmInputTest, OneSensorEnablesSideAndChannelOptions)
{
    QRadioButton& independent = Option("OpMethod2", 1);
    Click(independent);
    EXPECT_FALSE(independent.isChecked()) << "a disabled option takes no click";
    Click(Option("OpMethod1", 1));
    EXPECT_TRUE(independent.isEnabled() && Option("OpMethod3", 1).isEnabled());
    Click(independent);
    Click(Option("OpMethod1", 0));
    EXPECT_FALSE(independent.isEnabled() || Option("OpMethod3", 0).isEnabled());
    EXPECT_TRUE(independent.isChecked());
}

// A valid "Select" opens both result screens, on either fulcrum side;
// "Image chgange" redraws the sketch, which survives repaints; closing the
// screen ends the program.
TEST_F(FrmInputTest, SelectOpensTheResultsAndCloseEndsTheProgram)
{
    const QImage loaded = Sketch();
    for (const int side : {0, 1}) {
        Click(Option("OpFulcrum", side));
        Enter(side == 0 ? kValid : Texts{"100", "100", "10", "20", "20", "0", "20", "100", "5", "100"});
        Click(Button("cmdResult"));
        EXPECT_TRUE(toolkit.Messages().empty());
        int shown = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            shown += widget->isVisible() && widget->windowTitle().startsWith("Selection result ") ? 1 : 0;
        }
        EXPECT_EQ(shown, 2);
    }
    Click(Button("cmdImage"));
    const QImage redrawn = Sketch();
    EXPECT_NE(redrawn, loaded) << "the marks of the first drawing give way to the force arrow";
    screen->repaint();
    EXPECT_EQ(Sketch(), redrawn);
    screen->close();
    EXPECT_EQ(toolkit.EndProgramCalls(), 1);
}

}  // namespace
}  // namespace vyra::ui
