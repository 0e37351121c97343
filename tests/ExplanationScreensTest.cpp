#include "ExplanationFiles.h"
#include "FrmExSub.h"
#include "FrmExplanation.h"
#include "FrmInput.h"
#include "ScriptedToolkit.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace vyra::ui {
namespace {

const std::array<QString, FrmExplanation::kDocumentCount> kNames{
    "Explanation1.rtf", "Explanation2.rtf", "Explanation3.rtf", "Explanation4.rtf", "Explanation5.rtf"};

std::string SmallDocument(const std::string& text)
{
    return R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0\fs20 {\b )" + text + R"(}\par})";
}

QString TextOf(int item) { return QStringLiteral("Document %1").arg(item + 1); }

// Documents by name; every read is recorded, a name it does not hold is not
// found.
class FakeFiles : public ExplanationFiles {
public:
    std::map<QString, DocumentBytes> documents;
    mutable std::vector<QString> reads;

    DocumentBytes ReadDocument(const QString& name) const override
    {
        reads.push_back(name);
        const auto found = documents.find(name);
        return found != documents.end() ? found->second : DocumentBytes{FileError{kFileNotFound}};
    }
};

// The process works in a fresh folder for the life of this.
class WorkingFolder {
public:
    WorkingFolder() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_folder.path()); }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    void Write(const QString& name, const std::string& bytes) const
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

void PressKey(QWidget& control, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&control, &press);
    QApplication::sendEvent(&control, &release);
}

// Left (display width - width) / 2, top (display height - height) / 2, to
// the nearest pixel either way.
void ExpectCentredOnDisplay(const QWidget& screen)
{
    const QRect display = screen.screen()->geometry();
    const QRect client = screen.geometry();
    const std::string caption = screen.windowTitle().toStdString();
    EXPECT_NEAR(client.x() - display.x(), (display.width() - client.width()) / 2.0, 0.5) << caption;
    EXPECT_NEAR(client.y() - display.y(), (display.height() - client.height()) / 2.0, 0.5) << caption;
}

// What the viewer showed while it was open.
struct Viewed {
    QString text;
    bool readOnly = false;
    bool visible = false;
    std::vector<test::ShownMessage> messages;
    int scrolledTo = 0;
    int scrollRange = 0;
};

// Presses the document button and closes the viewer with its "Return".
Viewed OpenDocument(test::ScriptedToolkit& toolkit, FrmExplanation& menu, int item)
{
    Viewed viewed;
    toolkit.AnswerNextModal([&toolkit, &viewed](QDialog& screen) {
        auto& viewer = dynamic_cast<FrmExSub&>(screen);
        QApplication::processEvents();
        const QScrollBar& scrollBar = *viewer.RichTextBox1().verticalScrollBar();
        viewed = {viewer.RichTextBox1().toPlainText(), viewer.RichTextBox1().isReadOnly(), viewer.isVisible(),
                  toolkit.Messages(), scrollBar.value(), scrollBar.maximum()};
        viewer.CmdReturn().click();
        EXPECT_FALSE(viewer.isVisible());
    });
    toolkit.ClearMessages();
    menu.CmdExplain(item).click();
    return viewed;
}

class ExplanationScreensTest : public ::testing::Test {
protected:
    Viewed Open(FrmExplanation& menu, int item) { return OpenDocument(m_toolkit, menu, item); }

    FrmExplanation& Menu()
    {
        m_screens.Show();
        return *m_screens.Menu();
    }

    test::ScriptedToolkit m_toolkit;
    FakeFiles m_files;
    ExplanationScreens m_screens{m_toolkit, m_files};
};

TEST_F(ExplanationScreensTest, MenuControlsStandAtTheirTwipBoxesWithTheirCaptions)
{
    const FrmExplanation& menu = Menu();
    struct Control {
        const char* name;
        const char* caption;
        QRect box;
    };
    const std::vector<Control> controls{
        {"cmdClose", "close", TwipsRect(5880, 6240, 3735, 495, menu)},
        {"cmdExplain(0)", "1.Outline                         ", TwipsRect(840, 1080, 3735, 495, menu)},
        {"cmdExplain(1)", "2.How to Use This Program            ", TwipsRect(840, 1680, 3735, 495, menu)},
        {"cmdExplain(2)", "3.Detailed Explanations of Each Screen", TwipsRect(840, 2280, 3735, 495, menu)},
        {"cmdExplain(3)", "4.Examples of Models                   ", TwipsRect(840, 2880, 3735, 495, menu)},
        {"cmdExplain(4)", "5.Detailed Tables of The  Tension Sensor       ", TwipsRect(840, 3480, 3735, 495, menu)},
        {"cmdReturn", "Return", TwipsRect(840, 4320, 3735, 495, menu)},
    };
    for (const Control& control : controls) {
        const auto* button = menu.findChild<QPushButton*>(QString::fromLatin1(control.name));
        ASSERT_NE(button, nullptr) << control.name;
        EXPECT_EQ(button->text(), QString::fromLatin1(control.caption)) << control.name;
        EXPECT_EQ(button->geometry(), control.box) << control.name;
        EXPECT_EQ(button->font().family(), "Courier New") << control.name;
        EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 11.25) << control.name;
    }
    const auto* label1 = menu.findChild<QLabel*>("Label1");
    ASSERT_NE(label1, nullptr);
    EXPECT_EQ(label1->text(), "      Select the buttons.");
    EXPECT_EQ(label1->geometry(), TwipsRect(480, 480, 3735, 255, menu));
    EXPECT_EQ(menu.windowTitle(), "Selecting explanations");
    EXPECT_EQ(menu.size(), TwipsRect(0, 0, 5355, 5280, menu).size());
    ExpectCentredOnDisplay(menu);
    EXPECT_FALSE(menu.rect().intersects(menu.findChild<QPushButton*>("cmdClose")->geometry()));
}

TEST_F(ExplanationScreensTest, HiddenCloseButtonHoldsTheFocusSoEnterPressesNothing)
{
    FrmExplanation& menu = Menu();
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return QApplication::activeWindow() == &menu; }));
    for (const auto& [key, text] : {std::pair{Qt::Key_Return, "\r"}, {Qt::Key_Enter, "\r"}, {Qt::Key_Space, " "}}) {
        PressKey(*QApplication::focusWidget(), key, text);
    }
    EXPECT_EQ(m_toolkit.ModalScreensShown(), 0);
    EXPECT_TRUE(m_files.reads.empty());
    EXPECT_EQ(m_screens.Menu(), &menu);
    EXPECT_TRUE(menu.isVisible());

    std::vector<QString> order{QApplication::focusWidget()->objectName()};
    for (int press = 0; press < 7; ++press) {
        PressKey(*QApplication::focusWidget(), Qt::Key_Tab, "\t");
        order.push_back(QApplication::focusWidget()->objectName());
    }
    const std::vector<QString> expected{"cmdClose",      "cmdExplain(0)", "cmdExplain(1)", "cmdExplain(2)",
                                        "cmdExplain(3)", "cmdExplain(4)", "cmdReturn",     "cmdClose"};
    EXPECT_EQ(order, expected);
}

// Each opening reads the document again: nothing is kept between openings.
TEST_F(ExplanationScreensTest, EachButtonOpensItsOwnDocumentReadOnlyAndReadsItAgain)
{
    for (int item = 0; item < FrmExplanation::kDocumentCount; ++item) {
        m_files.documents[kNames[item]] = SmallDocument(TextOf(item).toStdString());
    }
    FrmExplanation& menu = Menu();
    EXPECT_TRUE(m_screens.DocumentName().isEmpty());
    for (int item = 0; item < FrmExplanation::kDocumentCount; ++item) {
        const Viewed viewed = Open(menu, item);
        EXPECT_EQ(viewed.text.trimmed(), TextOf(item)) << item;
        EXPECT_TRUE(viewed.readOnly) << item;
        EXPECT_TRUE(viewed.messages.empty()) << item;
        EXPECT_EQ(m_screens.DocumentName(), kNames[item]);
    }
    EXPECT_EQ(m_files.reads, std::vector<QString>(kNames.begin(), kNames.end()));
    EXPECT_TRUE(menu.isVisible());
    m_files.documents[kNames[0]] = SmallDocument("Second edition");
    EXPECT_EQ(Open(menu, 0).text.trimmed(), "Second edition");
    EXPECT_EQ(m_files.reads.size(), kNames.size() + 1);
}

TEST_F(ExplanationScreensTest, LongDocumentOpensAtItsBeginning)
{
    std::string paragraphs;
    for (int paragraph = 1; paragraph <= 200; ++paragraph) {
        paragraphs += "Paragraph " + std::to_string(paragraph) + "\\par ";
    }
    m_files.documents[kNames[2]] = R"({\rtf1\ansi )" + paragraphs + "}";
    const Viewed viewed = Open(Menu(), 2);
    EXPECT_TRUE(viewed.text.startsWith("Paragraph 1\n"));
    EXPECT_GT(viewed.scrollRange, 0);
    EXPECT_EQ(viewed.scrolledTo, 0);
}

TEST_F(ExplanationScreensTest, LoadFailuresShowTheirMessageOverAnEmptyViewer)
{
    struct Case {
        DocumentBytes bytes;
        const char* text;
        const char* title;
    };
    const std::vector<Case> cases{
        {FileError{53}, "The file is not found.", "File Error"},
        {FileError{57}, "Device I/O Error", "File error"},
        {FileError{58}, "This file already exist.", "File Error"},
        {FileError{61}, "The disk in the destination is fill.", "File Error"},
        {FileError{67}, "There are too much files.", "File Error"},
        {FileError{68}, "The device is not ready.", "File Error"},
        {FileError{70}, "The disk is not written.", "File Error"},
        {FileError{71}, "Insert a disk.", "File Error"},
        {FileError{75}, "The file cannot be accessed.", "File Error"},
        {FileError{76}, "The pass is not found.", "File Error"},
        {FileError{7}, "Apply to the administrator.(Error No.7)", "File Error"},
        {std::string("This is plain text, not a rich-text document."), "Apply to the administrator.(Error No.321)",
         "File Error"},
        // Beyond what the viewer lays out in a moment: refused, not frozen on.
        {"{\\rtf1 " + std::string(2u << 20, 'x') + "}", "Apply to the administrator.(Error No.321)", "File Error"},
        {"{\\rtf1 " + [] {
             std::string rows;
             for (int i = 0; i < 2001; ++i) {
                 rows += "\\trowd\\cellx2000\\intbl a\\cell\\row ";
             }
             return rows;
         }() + "}",
         "Apply to the administrator.(Error No.321)", "File Error"},
    };
    FrmExplanation& menu = Menu();
    for (const Case& failure : cases) {
        m_files.documents[kNames[1]] = failure.bytes;
        const Viewed viewed = Open(menu, 1);
        ASSERT_EQ(viewed.messages.size(), 1u) << failure.text;
        EXPECT_EQ(viewed.messages[0].text, failure.text);
        EXPECT_EQ(viewed.messages[0].title, failure.title) << failure.text;
        EXPECT_EQ(viewed.messages[0].icon, BoxIcon::Exclamation) << failure.text;
        EXPECT_TRUE(viewed.visible) << failure.text;
        EXPECT_TRUE(viewed.text.isEmpty()) << failure.text;
    }
    EXPECT_EQ(m_toolkit.Messages().size(), 1u);
}

// Without a document name the viewer reads nothing and shows nothing.
TEST_F(ExplanationScreensTest, ViewerStandsCentredAndModalOverTheProgram)
{
    const FrmExSub viewer(m_toolkit, m_files, QString());
    EXPECT_EQ(viewer.windowTitle(), "Explanations");
    EXPECT_EQ(viewer.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(viewer.size(), TwipsRect(0, 0, 9135, 6915, viewer).size());
    ExpectCentredOnDisplay(viewer);
    EXPECT_EQ(viewer.RichTextBox1().geometry(), TwipsRect(0, 120, 9135, 6255, viewer));
    EXPECT_EQ(viewer.CmdReturn().geometry(), TwipsRect(7320, 6480, 1455, 375, viewer));
    EXPECT_EQ(viewer.CmdReturn().text(), "Return");
    EXPECT_EQ(viewer.CmdReturn().font().family(), "Courier New");
    EXPECT_DOUBLE_EQ(viewer.CmdReturn().font().pointSizeF(), 11.25);
    EXPECT_TRUE(m_files.reads.empty());
    EXPECT_TRUE(m_toolkit.Messages().empty());
    EXPECT_TRUE(viewer.RichTextBox1().toPlainText().isEmpty());
}

TEST_F(ExplanationScreensTest, ReturnOrWindowCloseUnloadsTheMenu)
{
    const std::vector<std::pair<const char*, std::function<void(FrmExplanation&)>>> closings{
        {"Return", [](FrmExplanation& menu) { menu.CmdReturn().click(); }},
        {"window close", [](FrmExplanation& menu) { menu.close(); }},
    };
    for (const auto& [how, close] : closings) {
        const QPointer<FrmExplanation> menu = &Menu();
        close(*menu);
        EXPECT_EQ(m_screens.Menu(), nullptr) << how;
        EXPECT_FALSE(menu && menu->isVisible()) << how;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu.isNull()) << how;
    }
    m_files.documents[kNames[0]] = SmallDocument("Outline");
    EXPECT_EQ(Open(Menu(), 0).text.trimmed(), "Outline");
}

// The program as started: the input screen, its "Explanation" button and the
// documents in the working directory.
class ExplanationFromInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_toolkit.AnswerNextModal([](QDialog& unitScreen) { unitScreen.accept(); });
        m_input = std::make_unique<FrmInput>(m_toolkit);
        m_input->show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_toolkit.ModalScreensShown() == 1; }));
    }

    FrmExplanation* PressExplanation()
    {
        m_input->findChild<QPushButton*>("cmdExplanation")->click();
        FrmExplanation* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<FrmExplanation*>(widget); menu != nullptr && menu->isVisible()) {
                EXPECT_EQ(shown, nullptr) << "two menus open";
                shown = menu;
            }
        }
        return shown;
    }

    std::vector<Viewed> OpenEach(FrmExplanation& menu)
    {
        std::vector<Viewed> seen;
        for (int item = 0; item < FrmExplanation::kDocumentCount; ++item) {
            seen.push_back(OpenDocument(m_toolkit, menu, item));
        }
        return seen;
    }

    test::ScriptedToolkit m_toolkit;
    std::unique_ptr<FrmInput> m_input;
};

TEST_F(ExplanationFromInputTest, DocumentsComeFromTheWorkingDirectory)
{
    const WorkingFolder folder;
    for (int item = 0; item < FrmExplanation::kDocumentCount; ++item) {
        folder.Write(kNames[item], SmallDocument(TextOf(item).toStdString()));
    }
    FrmExplanation* menu = PressExplanation();
    ASSERT_NE(menu, nullptr);
    const std::vector<Viewed> seen = OpenEach(*menu);
    for (int item = 0; item < FrmExplanation::kDocumentCount; ++item) {
        EXPECT_EQ(seen[item].text.trimmed(), TextOf(item));
        EXPECT_TRUE(seen[item].messages.empty()) << item;
    }
}

TEST_F(ExplanationFromInputTest, StartedElsewhereEveryButtonShowsNotFoundOverAnEmptyViewer)
{
    const WorkingFolder emptyFolder;
    FrmExplanation* menu = PressExplanation();
    ASSERT_NE(menu, nullptr);
    for (const Viewed& viewed : OpenEach(*menu)) {
        EXPECT_TRUE(viewed.visible && viewed.text.isEmpty());
        ASSERT_EQ(viewed.messages.size(), 1u);
        EXPECT_EQ(viewed.messages[0].text, "The file is not found.");
        EXPECT_EQ(viewed.messages[0].title, "File Error");
    }
}

TEST_F(ExplanationFromInputTest, ExplanationAgainBringsTheOpenMenuToTheFront)
{
    const QPointer<FrmExplanation> menu = PressExplanation();
    ASSERT_FALSE(menu.isNull());
    menu->showMinimized();
    m_input->activateWindow();
    EXPECT_EQ(PressExplanation(), menu.data());
    EXPECT_FALSE(menu->isMinimized());
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), menu.data());
    EXPECT_TRUE(m_input->isVisible());
}

TEST_F(ExplanationFromInputTest, MenuGoesWithTheInputScreen)
{
    const QPointer<FrmExplanation> menu = PressExplanation();
    ASSERT_FALSE(menu.isNull());
    m_input.reset();
    EXPECT_TRUE(menu.isNull());
}

// The file layer of the program, on real files in a fresh working folder.
TEST(WorkingDirectoryFilesTest, FailuresMapToTheirErrorNumbers)
{
    const WorkingFolder folder;
    folder.Write("Explanation1.rtf", "{\\rtf1 x}");
    ASSERT_TRUE(QDir().mkdir("Explanation2.rtf"));
    ASSERT_EQ(::mkfifo("Explanation3.rtf", 0600), 0);
    const std::vector<std::pair<QString, int>> cases{
        {"Explanation4.rtf", kFileNotFound},
        {"Explanation2.rtf", kPathFileAccessError},
        {"Explanation3.rtf", kPathFileAccessError},
        {"Missing/Explanation1.rtf", kPathNotFound},
        {"Explanation1.rtf/Explanation1.rtf", kPathNotFound},
        {QString(300, 'x'), kPathFileAccessError},
    };
    const WorkingDirectoryFiles files;
    for (const auto& [name, code] : cases) {
        const DocumentBytes read = files.ReadDocument(name);
        ASSERT_TRUE(std::holds_alternative<FileError>(read)) << name.left(40).toStdString();
        EXPECT_EQ(std::get<FileError>(read).code, code) << name.left(40).toStdString();
    }
    EXPECT_EQ(files.ReadDocument("Explanation1.rtf"), DocumentBytes("{\\rtf1 x}"));
}

TEST(WorkingDirectoryFilesTest, DocumentOverTheLimitIsTooLarge)
{
    const WorkingFolder folder;
    folder.Write("Explanation1.rtf", std::string(16, 'a'));
    folder.Write("Explanation2.rtf", std::string(17, 'a'));
    const WorkingDirectoryFiles files(16);
    EXPECT_EQ(files.ReadDocument("Explanation1.rtf"), DocumentBytes(std::string(16, 'a')));
    const DocumentBytes tooLarge = files.ReadDocument("Explanation2.rtf");
    ASSERT_TRUE(std::holds_alternative<FileError>(tooLarge));
    EXPECT_EQ(std::get<FileError>(tooLarge).code, kDocumentTooLarge);
}

TEST(WorkingDirectoryFilesTest, UnreadableFileIsPermissionDenied)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission checks do not apply to root";
    }
    const WorkingFolder folder;
    folder.Write("Explanation1.rtf", "{\\rtf1 x}");
    ASSERT_EQ(::chmod("Explanation1.rtf", 0), 0);
    const DocumentBytes read = WorkingDirectoryFiles().ReadDocument("Explanation1.rtf");
    ASSERT_TRUE(std::holds_alternative<FileError>(read));
    EXPECT_EQ(std::get<FileError>(read).code, kPermissionDenied);
}

}  // namespace
}  // namespace vyra::ui
