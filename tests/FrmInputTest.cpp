#include "FrmInput.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace vyra::ui {
namespace {

const QColor kLightRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

template <class Control = QWidget>
Control& Child(const QWidget& parent, const QString& name)
{
    if (auto* control = parent.findChild<Control*>(name)) {
        return *control;
    }
    throw std::runtime_error("no control " + name.toStdString());
}

QString Item(const char* name, int item) { return QStringLiteral("%1(%2)").arg(QString::fromUtf8(name)).arg(item); }

// A left click as a user makes it, near the left end of the control, where
// an option has its indicator.
void Click(QWidget& control)
{
    const QPointF local(control.height() / 2.0, control.height() / 2.0);
    const QPointF global = control.mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

void TypeKey(QWidget& control, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

int Pixels(double twips, const QWidget& widget) { return static_cast<int>(std::lround(twips * widget.logicalDpiX() / 1440)); }

QRect PixelBox(double left, double top, double width, double height, const QWidget& widget)
{
    return {Pixels(left, widget), Pixels(top, widget), Pixels(width, widget), Pixels(height, widget)};
}

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

using Texts = std::array<const char*, 10>;
// FS, d, Wr, alpha, beta, gamma, l, h, Wp, V: a case every check passes.
constexpr Texts kValid{"100", "100", "10", "20", "80", "20", "20", "100", "5", "100"};

class FrmInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        toolkit.AnswerNextModal([](QDialog& unitScreen) { Click(Child(unitScreen, "cmdSel1")); });
        screen = std::make_unique<FrmInput>(toolkit);
        screen->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Child<QLabel>(*screen, "lblTani(0)").text().isEmpty(); }));
    }

    QLineEdit& Field(int item) { return Child<QLineEdit>(*screen, Item("txtInput", item)); }
    QRadioButton& Option(const char* group, int item) { return Child<QRadioButton>(*screen, Item(group, item)); }
    QPushButton& Button(const char* name) { return Child<QPushButton>(*screen, name); }
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
        return marked;
    }

    std::set<int> MarkedFulcrumCaptions()
    {
        std::set<int> marked;
        for (int item = 0; item < 2; ++item) {
            if (Option("OpFulcrum", item).palette().color(QPalette::WindowText) == kLightRed) {
                marked.insert(item);
            }
        }
        return marked;
    }

    // A resultant-angle failure marks both wrap angles, the mounting angle
    // and the chosen fulcrum side.
    void MarkEverything()
    {
        Enter(kValid);
        Field(3).setText("10");
        Field(4).setText("0");
        Field(5).setText("0");
        Click(Button("cmdResult"));
        ASSERT_EQ(MarkedFields(), (std::set<int>{3, 4, 5}));
        ASSERT_EQ(MarkedFulcrumCaptions(), (std::set<int>{0}));
    }

    WatchingToolkit toolkit;
    std::unique_ptr<FrmInput> screen;
};

TEST_F(FrmInputTest, ControlsStandAtTheirTwipBoxes)
{
    EXPECT_EQ(screen->size(), PixelBox(0, 0, 9360, 6795, *screen).size());
    struct Case {
        QString name;
        std::array<double, 4> box;
    };
    const std::vector<Case> cases{
        {"txtFNmame", {1440, 120, 3495, 270}},  {"txtDate", {4560, 585, 1335, 270}},
        {"txtName", {6600, 600, 2535, 270}},    {"frFurclum", {2880, 1080, 1935, 975}},
        {"Frame2", {4560, 5760, 1335, 975}},    {"Picture1", {4920, 1440, 4185, 4185}},
        {"cmdImage", {6120, 5880, 1695, 375}},  {"cmdResult", {7920, 5880, 1215, 855}},
        {"cmdExplanation", {6120, 6360, 1695, 375}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(Child(*screen, c.name).geometry(), PixelBox(c.box[0], c.box[1], c.box[2], c.box[3], *screen));
    }
    for (int item = 0; item < 10; ++item) {
        SCOPED_TRACE(item);
        const double top = 2160 + 360 * item;
        const double height = item < 2 ? 330 : 345;
        EXPECT_EQ(Field(item).geometry(), PixelBox(3000, top, 855, height, *screen));
        EXPECT_EQ(Child(*screen, Item("lblTitle", item)).geometry().topLeft(), PixelBox(240, top, 0, 0, *screen).topLeft());
    }
    const std::array<double, 10> unitLefts{4200, 4320, 4320, 3960, 3960, 3960, 4320, 4320, 4320, 3960};
    for (int item = 0; item < 10; ++item) {
        EXPECT_EQ(Child(*screen, Item("lblTani", item)).x(), Pixels(unitLefts[item], *screen)) << item;
    }
}

TEST_F(FrmInputTest, CaptionsAndFontsAsTheScreenShowsThem)
{
    EXPECT_EQ(screen->windowTitle(), "VyraSensorSelector");
    struct Case {
        QString name;
        QString caption;
        double points;
        bool bold;
    };
    const std::vector<Case> cases{
        {"lblTitle(0)", "Tension           FS", 11.25, false}, {"lblTitle(7)", "Bearing hight      h", 11.25, false},
        {"lblTitle(9)", "Line speed(Max)    V", 11.25, false}, {"lblTani(3)", "[degree]", 9, false},
        {"lblTani(9)", "[m/min]", 9, false},                   {"Label8", "<Image>", 11.25, true},
        {"cmdImage", "Image chgange", 9, false},               {"cmdResult", "Select", 9, false},
        {"OpType(1)", "Intrinsically safe", 9, false},         {"OpFulcrum(1)", "Left(L)", 9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QWidget& control = Child(*screen, c.name);
        EXPECT_EQ(control.property("text").toString(), c.caption);
        EXPECT_NEAR(control.font().pointSizeF(), c.points, 1e-9);
        EXPECT_EQ(control.font().bold(), c.bold);
        EXPECT_EQ(control.font().family(), "Courier New");
    }
    const auto& frame = Child<QGroupBox>(*screen, "frMethod");
    EXPECT_EQ(frame.title(), "Detection method");
    EXPECT_NEAR(frame.font().pointSizeF(), 11.25, 1e-9);
}

TEST_F(FrmInputTest, TabOrderFollowsTheTable)
{
    std::vector<QString> expected{"txtFNmame", "txtOrderNo", "txtMName", "txtDate", "txtName", "OpType(0)",
                                  "OpType(1)", "OpFulcrum(0)", "OpFulcrum(1)"};
    for (int item = 0; item < 10; ++item) {
        expected.push_back(Item("txtInput", item));
    }
    expected.insert(expected.end(), {"OpMethod1(0)", "OpMethod1(1)", "cmdImage", "cmdResult", "cmdExplanation",
                                     "OpMethod2(0)", "OpMethod2(1)", "OpMethod3(0)", "OpMethod3(1)"});
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QWidget* next = Child(*screen, expected[i - 1]).nextInFocusChain();
        while ((next->focusPolicy() & Qt::TabFocus) == 0) {
            next = next->nextInFocusChain();
        }
        EXPECT_EQ(next->objectName(), expected[i]) << "after " << expected[i - 1].toStdString();
    }
}

TEST_F(FrmInputTest, LoadSelectsFirstOptionsAndDisablesOneSensorOptions)
{
    for (const char* group : {"OpType", "OpFulcrum", "OpMethod1", "OpMethod2", "OpMethod3"}) {
        EXPECT_TRUE(Option(group, 0).isChecked()) << group;
        EXPECT_FALSE(Option(group, 1).isChecked()) << group;
    }
    for (const char* group : {"OpMethod2", "OpMethod3"}) {
        EXPECT_FALSE(Option(group, 0).isEnabled()) << group;
        EXPECT_FALSE(Option(group, 1).isEnabled()) << group;
    }
    for (int item = 0; item < 10; ++item) {
        EXPECT_EQ(Field(item).text(), "") << item;
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

TEST_F(FrmInputTest, FirstSketchSurvivesRepaints)
{
    const QImage first = Sketch();
    EXPECT_EQ(first.size(), PixelBox(0, 0, 4185, 4185, *screen).size());
    int dark = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            dark += qGray(first.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 500);
    screen->repaint();
    EXPECT_EQ(Sketch(), first);
}

struct MessageCase {
    const char* name;
    Texts texts;
    QString title;
    QString message;
    BoxIcon icon;
    std::set<int> marked;
    bool fulcrumMarked;
};

const QString kInapplicable = "Inapplicable values";

TEST_F(FrmInputTest, SelectShowsEachCheckMessageThenMarks)
{
    const std::vector<MessageCase> cases{
        {"tension empty", {"", "100", "10", "20", "80", "20", "20", "100", "5", "100"}, kInapplicable,
         "Input values with half-size characters.", BoxIcon::Information, {}, false},
        {"speed negative", {"100", "100", "10", "20", "80", "20", "20", "100", "5", "-1"}, "Input error",
         "Input positive numbers of Tension and\rRoller diameter,Roller weight and Line speed.", BoxIcon::Information,
         {}, false},
        {"alpha 181", {"100", "100", "10", "181", "80", "20", "20", "100", "5", "100"}, kInapplicable,
         "Input the value of alpha from -180 to 180.", BoxIcon::Information, {3}, false},
        {"beta 181", {"100", "100", "10", "20", "181", "20", "20", "100", "5", "100"}, kInapplicable,
         "Input the values of beta from -180 to 180.", BoxIcon::Information, {4}, false},
        {"resultant 5", {"100", "100", "10", "10", "0", "0", "20", "100", "5", "100"},
         "The resultant force angle's error", "The angle of the resultant force is not within the tolerance.",
         BoxIcon::Exclamation, {3, 4, 5}, true},
        {"wrap 180", {"100", "100", "10", "90", "90", "0", "20", "100", "5", "100"}, "Wrap angle's error",
         "The wrap angle is inapplicable.", BoxIcon::Exclamation, {3, 4}, false},
    };
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.name);
        Click(Option("OpFulcrum", 0));
        toolkit.ClearMessages();
        std::set<int> markedWhileShown{-1};
        toolkit.onMessage = [&] { markedWhileShown = MarkedFields(); };
        Enter(c.texts);
        Click(Button("cmdResult"));
        ASSERT_EQ(toolkit.Messages().size(), 1u);
        EXPECT_EQ(toolkit.Messages()[0].title, c.title);
        EXPECT_EQ(toolkit.Messages()[0].text, c.message);
        EXPECT_EQ(toolkit.Messages()[0].icon, c.icon);
        EXPECT_EQ(markedWhileShown, std::set<int>{}) << "marks come after the box";
        EXPECT_EQ(MarkedFields(), c.marked);
        EXPECT_EQ(MarkedFulcrumCaptions(), c.fulcrumMarked ? std::set<int>{0} : std::set<int>{});
    }
}

TEST_F(FrmInputTest, ImageChangeRedrawsBeforeTheAngleChecksOnly)
{
    const QImage loaded = Sketch();
    struct Case {
        MessageCase message;
        bool redrawn;
    };
    const std::vector<Case> cases{
        {{"alpha 200", {"", "", "", "200", "80", "20", "20", "", "", ""}, kInapplicable,
          "Input the value of alpha from -180 to 180.", BoxIcon::Information, {3}, false}, false},
        {{"beta 200", {"", "", "", "20", "200", "20", "20", "", "", ""}, kInapplicable,
          "Input the value of beta from -180 to 180.", BoxIcon::Information, {4}, false}, false},
        {{"resultant 5", {"", "", "", "10", "0", "0", "20", "", "", ""}, "The resultant force angle's error",
          "The angle of the resultant force is not within the tolerance.", BoxIcon::Exclamation, {3, 4, 5}, true},
         true},
        {{"wrap 180", {"", "", "", "90", "90", "0", "20", "", "", ""}, "Wrap angle's error",
          "The wrap angle is inapplicable.", BoxIcon::Exclamation, {3, 4}, false}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.name);
        Click(Option("OpFulcrum", 0));
        toolkit.ClearMessages();
        QImage atMessage;
        toolkit.onMessage = [&] { atMessage = Sketch(); };
        Enter(c.message.texts);
        Click(Button("cmdImage"));
        ASSERT_EQ(toolkit.Messages().size(), 1u);
        EXPECT_EQ(toolkit.Messages()[0].title, c.message.title);
        EXPECT_EQ(toolkit.Messages()[0].text, c.message.message);
        EXPECT_EQ(toolkit.Messages()[0].icon, c.message.icon);
        EXPECT_EQ(atMessage != loaded, c.redrawn);
        EXPECT_EQ(MarkedFields(), c.message.marked);
        EXPECT_EQ(MarkedFulcrumCaptions(), c.message.fulcrumMarked ? std::set<int>{0} : std::set<int>{});
    }
}

TEST_F(FrmInputTest, ImageChangeWithinRangesRedrawsWithoutMessage)
{
    const QImage loaded = Sketch();
    Enter({"", "", "", "20", "80", "20", "20", "", "", ""});
    Click(Button("cmdImage"));
    EXPECT_TRUE(toolkit.Messages().empty());
    const QImage redrawn = Sketch();
    EXPECT_NE(redrawn, loaded) << "the marks of the first drawing give way to the force arrow";
    screen->repaint();
    EXPECT_EQ(Sketch(), redrawn);
}

TEST_F(FrmInputTest, AngleEditsTakeBackEveryMark)
{
    for (const int item : {3, 4, 5}) {
        SCOPED_TRACE(item);
        MarkEverything();
        TypeKey(Field(item), Qt::Key_1, "1");
        EXPECT_EQ(MarkedFields(), std::set<int>{});
        EXPECT_EQ(MarkedFulcrumCaptions(), std::set<int>{});
        EXPECT_EQ(Field(3).palette().color(QPalette::Text), kBlack);
        EXPECT_EQ(Option("OpFulcrum", 0).palette().color(QPalette::WindowText), kBlack);
    }
}

TEST_F(FrmInputTest, OtherEditsKeepTheMarks)
{
    MarkEverything();
    for (const int item : {0, 1, 2, 6, 7, 8, 9}) {
        TypeKey(Field(item), Qt::Key_7, "7");
        TypeKey(Field(item), Qt::Key_Backspace, "");
    }
    TypeKey(Child(*screen, "txtFNmame"), Qt::Key_A, "a");
    EXPECT_EQ(MarkedFields(), (std::set<int>{3, 4, 5}));
    EXPECT_EQ(MarkedFulcrumCaptions(), std::set<int>{0});
}

// A field marked because its value is too large for a number loses its mark
// when it is edited, and only then; a good "Select" leaves no mark behind.
TEST_F(FrmInputTest, EditingAFieldMarkedTooLargeTakesBackItsOwnMark)
{
    for (const int item : {0, 1, 2, 6, 7, 8, 9}) {
        SCOPED_TRACE(item);
        Enter(kValid);
        Field(item).setText("1e999");
        Click(Button("cmdResult"));
        ASSERT_EQ(MarkedFields(), std::set<int>{item});
        TypeKey(Field(item == 0 ? 1 : 0), Qt::Key_7, "7");
        EXPECT_EQ(MarkedFields(), std::set<int>{item});
        TypeKey(Field(item), Qt::Key_Backspace, "");
        EXPECT_EQ(MarkedFields(), std::set<int>{});
        toolkit.ClearMessages();
    }
}

// The top border of each option frame runs above its first option, which
// stands at its row inside the frame.
TEST_F(FrmInputTest, FirstOptionOfEachGroupStandsInsideItsFrame)
{
    for (const char* group : {"OpType", "OpFulcrum", "OpMethod1", "OpMethod2", "OpMethod3"}) {
        QRadioButton& first = Option(group, 0);
        QWidget& frame = *first.parentWidget();
        const QImage image = frame.grab().toImage();
        const QColor background = frame.palette().color(QPalette::Window);
        // The right border starts where the top border meets it.
        int border = -1;
        for (int y = 0; y < image.height() && border < 0; ++y) {
            if (QColor(image.pixel(image.width() - 1, y)) != background) {
                border = y;
            }
        }
        EXPECT_GE(border, 0) << group;
        EXPECT_LT(border, first.geometry().top()) << group;
    }
}

TEST_F(FrmInputTest, FulcrumClickOnTheChosenSideTakesBackMarksAndKeepsTexts)
{
    MarkEverything();
    Click(Option("OpFulcrum", 0));
    EXPECT_EQ(MarkedFields(), std::set<int>{});
    EXPECT_EQ(MarkedFulcrumCaptions(), std::set<int>{});
    EXPECT_EQ(Field(3).text(), "10");
    EXPECT_EQ(Field(4).text(), "0");
    EXPECT_EQ(Field(5).text(), "0");
}

TEST_F(FrmInputTest, FulcrumChangeSwapsWrapAnglesAndNegatesMountingAngle)
{
    struct Case {
        const char* gamma;
        const char* negated;
    };
    // A number beyond a double keeps its digits and changes sign; nothing
    // shorter reads back as the same value.
    const std::vector<Case> cases{
        {"", ""},           {"20", "-20"},        {"-7.5", "7.5"},
        {"12abc", "-12"},   {"0", "0"},           {"abc", "0"},
        {" +0.1", "-0.1"},  {"1e20", "-1e20"},    {"0.00001", "-1e-5"},
        {"1e999", "-1e999"}, {"-2.5E400x", "2.5E400"}, {"123456789012345678", "-1.23456789012346e17"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gamma);
        Click(Option("OpFulcrum", 0));
        Field(3).setText("30");
        Field(4).setText("-60");
        Field(5).setText(c.gamma);
        Click(Option("OpFulcrum", 1));
        EXPECT_TRUE(Option("OpFulcrum", 1).isChecked());
        EXPECT_EQ(Field(3).text(), "-60");
        EXPECT_EQ(Field(4).text(), "30");
        EXPECT_EQ(Field(5).text(), c.negated);
    }
}

TEST_F(FrmInputTest, FulcrumChangeTakesBackTheMarks)
{
    MarkEverything();
    Click(Option("OpFulcrum", 1));
    EXPECT_EQ(Field(3).text(), "0");
    EXPECT_EQ(Field(4).text(), "10");
    EXPECT_EQ(MarkedFields(), std::set<int>{});
    EXPECT_EQ(MarkedFulcrumCaptions(), std::set<int>{});
}

TEST_F(FrmInputTest, LeftThenRightRestoresTexts)
{
    for (const char* gamma : {"15", "-7.5", "0.1", "", "1e999"}) {
        SCOPED_TRACE(gamma);
        Field(3).setText("30");
        Field(4).setText("60");
        Field(5).setText(gamma);
        Click(Option("OpFulcrum", 1));
        Click(Option("OpFulcrum", 0));
        EXPECT_EQ(Field(3).text(), "30");
        EXPECT_EQ(Field(4).text(), "60");
        EXPECT_EQ(Field(5).text(), gamma);
    }
}

TEST_F(FrmInputTest, OneSensorEnablesSideAndChannelOptions)
{
    const std::array<QRadioButton*, 4> dependent{&Option("OpMethod2", 0), &Option("OpMethod2", 1),
                                                 &Option("OpMethod3", 0), &Option("OpMethod3", 1)};
    Click(*dependent[1]);
    EXPECT_FALSE(dependent[1]->isChecked()) << "a disabled option takes no click";
    Click(Option("OpMethod1", 1));
    for (QRadioButton* option : dependent) {
        EXPECT_TRUE(option->isEnabled());
    }
    Click(*dependent[1]);
    Click(*dependent[3]);
    Click(Option("OpMethod1", 0));
    for (QRadioButton* option : dependent) {
        EXPECT_FALSE(option->isEnabled());
    }
    EXPECT_TRUE(dependent[1]->isChecked()) << "disabling keeps the selection";
    EXPECT_TRUE(dependent[3]->isChecked());
}

QWidget* VisibleScreen(const QString& caption)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == caption) {
            return widget;
        }
    }
    return nullptr;
}

TEST_F(FrmInputTest, SelectWithValidInputsOpensBothResultScreens)
{
    Enter(kValid);
    Click(Button("cmdResult"));
    EXPECT_TRUE(toolkit.Messages().empty());
    EXPECT_NE(VisibleScreen("Selection result 1"), nullptr);
    EXPECT_NE(VisibleScreen("Selection result 2"), nullptr);
    // Selecting again with the other side, on a case that passes on both.
    Click(Option("OpFulcrum", 1));
    Enter({"100", "100", "10", "20", "20", "0", "20", "100", "5", "100"});
    Click(Button("cmdResult"));
    EXPECT_TRUE(toolkit.Messages().empty());
    EXPECT_NE(VisibleScreen("Selection result 1"), nullptr);
    EXPECT_NE(VisibleScreen("Selection result 2"), nullptr);
}

TEST_F(FrmInputTest, ClosingTheScreenEndsTheProgram)
{
    screen->close();
    EXPECT_EQ(toolkit.EndProgramCalls(), 1);
}

}  // namespace
}  // namespace vyra::ui
