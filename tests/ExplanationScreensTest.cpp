#include "ExplanationFiles.h"
#include "FrmExSub.h"
#include "FrmExplanation.h"
#include "FrmInput.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace vyra::ui {
namespace {

const std::array<QString, 5> kNames{"Explanation1.rtf", "Explanation2.rtf", "Explanation3.rtf", "Explanation4.rtf",
                                    "Explanation5.rtf"};

std::string Document(const std::string& text) { return R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 {\b )" + text + "}}"; }

// Documents by name; every read is recorded, a name it does not hold is not found.
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

    static void Write(const QString& name, const std::string& bytes)
    {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

private:
    QTemporaryDir m_folder;
    QString m_previous;
};

// What the viewer showed while it was open.
struct Viewed {
    QString text;
    bool readOnly = false;
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
        const QScrollBar& bar = *viewer.RichTextBox1().verticalScrollBar();
        viewed = {viewer.RichTextBox1().toPlainText().trimmed(), viewer.RichTextBox1().isReadOnly(), toolkit.Messages(),
                  bar.value(), bar.maximum()};
        EXPECT_TRUE(viewer.isVisible());
        viewer.CmdReturn().click();
    });
    toolkit.ClearMessages();
    menu.CmdExplain(item).click();
    return viewed;
}

class ExplanationScreensTest : public ::testing::Test {
protected:
    FrmExplanation& Menu()
    {
        m_screens.Show();
        return *m_screens.Menu();
    }

    test::ScriptedToolkit m_toolkit;
    FakeFiles m_files;
    ExplanationScreens m_screens{m_toolkit, m_files};
};

// The hidden close button holds the focus, so Enter or Space on opening
// presses nothing; Tab runs through the documents and "Return".
TEST_F(ExplanationScreensTest, FocusRestsOnTheHiddenButton)
{
    FrmExplanation& menu = Menu();
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return QApplication::activeWindow() == &menu; }));
    for (const auto& [key, text] : {std::pair{Qt::Key_Return, "\r"}, {Qt::Key_Space, " "}}) {
        test::TypeKey(*QApplication::focusWidget(), key, text);
    }
    EXPECT_EQ(m_toolkit.ModalScreensShown(), 0);
    std::vector<QString> order{QApplication::focusWidget()->objectName()};
    for (int press = 0; press < 7; ++press) {
        test::TypeKey(*QApplication::focusWidget(), Qt::Key_Tab, "\t");
        order.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(order, (std::vector<QString>{"cmdClose", "cmdExplain(0)", "cmdExplain(1)", "cmdExplain(2)",
                                           "cmdExplain(3)", "cmdExplain(4)", "cmdReturn", "cmdClose"}));
}

// Each button opens its own document, read-only, at its beginning, and reads
// it again each time: nothing is kept between openings.
TEST_F(ExplanationScreensTest, EachButtonReadsItsOwnDocumentAgain)
{
    for (int item = 0; item < 5; ++item) {
        m_files.documents[kNames[item]] = Document("Document " + std::to_string(item + 1));
    }
    std::string paragraphs;
    for (int paragraph = 1; paragraph <= 200; ++paragraph) {
        paragraphs += "Paragraph " + std::to_string(paragraph) + "\\par ";
    }
    m_files.documents[kNames[2]] = R"({\rtf1\ansi )" + paragraphs + "}";
    FrmExplanation& menu = Menu();
    for (int item = 0; item < 5; ++item) {
        const Viewed viewed = OpenDocument(m_toolkit, menu, item);
        EXPECT_TRUE(viewed.readOnly);
        EXPECT_TRUE(viewed.messages.empty());
        EXPECT_EQ(m_screens.DocumentName(), kNames[item]);
        if (item == 2) {
            EXPECT_TRUE(viewed.text.startsWith("Paragraph 1\n"));
            EXPECT_GT(viewed.scrollRange, 0);
            EXPECT_EQ(viewed.scrolledTo, 0);
        } else {
            EXPECT_EQ(viewed.text, QStringLiteral("Document %1").arg(item + 1));
        }
    }
    m_files.documents[kNames[0]] = Document("Second edition");
    EXPECT_EQ(OpenDocument(m_toolkit, menu, 0).text, "Second edition");
    EXPECT_EQ(m_files.reads, (std::vector<QString>{kNames[0], kNames[1], kNames[2], kNames[3], kNames[4], kNames[0]}));
}

// Every failure shows its message, exclamation, over an empty viewer.
TEST_F(ExplanationScreensTest, LoadFailuresShowTheirMessageOverAnEmptyViewer)
{
    std::string rows;
    for (int i = 0; i < 2001; ++i) {
        rows += "\\trowd\\cellx2000\\intbl a\\cell\\row ";
    }
    const std::string other = "Apply to the administrator.(Error No.321)";
    const std::vector<std::tuple<DocumentBytes, std::string, std::string>> cases{
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
        {std::string("This is plain text, not a rich-text document."), other, "File Error"},
        // Beyond what the viewer lays out in a moment: refused, not frozen on.
        {"{\\rtf1 " + std::string(2u << 20, 'x') + "}", other, "File Error"},
        {"{\\rtf1 " + rows + "}", other, "File Error"},
    };
    FrmExplanation& menu = Menu();
    for (const auto& [bytes, text, title] : cases) {
        m_files.documents[kNames[1]] = bytes;
        const Viewed viewed = OpenDocument(m_toolkit, menu, 1);
        ASSERT_EQ(viewed.messages.size(), 1U) << text;
        EXPECT_EQ(viewed.messages[0].text.toStdString(), text);
        EXPECT_EQ(viewed.messages[0].title.toStdString(), title) << text;
        EXPECT_EQ(viewed.messages[0].icon, BoxIcon::Exclamation) << text;
        EXPECT_TRUE(viewed.text.isEmpty()) << text;
    }
}

// "Return" or the window's close unloads the menu; "Explanation" opens it again.
TEST_F(ExplanationScreensTest, ReturnOrWindowCloseUnloadsTheMenu)
{
    for (const bool byReturn : {true, false}) {
        const QPointer<FrmExplanation> menu = &Menu();
        byReturn ? menu->CmdReturn().click() : static_cast<void>(menu->close());
        EXPECT_EQ(m_screens.Menu(), nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(menu.isNull());
    }
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
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<FrmExplanation*>(widget); menu != nullptr && menu->isVisible()) {
                return menu;
            }
        }
        return nullptr;
    }

    test::ScriptedToolkit m_toolkit;
    std::unique_ptr<FrmInput> m_input;
};

// Each button reads its document from the working directory; started
// elsewhere, each shows "not found" over an empty viewer.
TEST_F(ExplanationFromInputTest, DocumentsComeFromTheWorkingDirectory)
{
    for (const bool present : {true, false}) {
        const WorkingFolder folder;
        for (int item = 0; item < 5 && present; ++item) {
            WorkingFolder::Write(kNames[item], Document("Document " + std::to_string(item + 1)));
        }
        FrmExplanation* menu = PressExplanation();
        ASSERT_NE(menu, nullptr);
        for (int item = 0; item < 5; ++item) {
            const Viewed viewed = OpenDocument(m_toolkit, *menu, item);
            EXPECT_EQ(viewed.text, present ? QStringLiteral("Document %1").arg(item + 1) : QString());
            EXPECT_EQ(viewed.messages.size(), present ? 0U : 1U);
            if (!present) {
                EXPECT_EQ(viewed.messages[0].text, "The file is not found.");
            }
        }
    }
}

// "Explanation" again brings the open menu to the front; the menu goes with
// the input screen.
TEST_F(ExplanationFromInputTest, OneMenuThatGoesWithTheInputScreen)
{
    const QPointer<FrmExplanation> menu = PressExplanation();
    ASSERT_FALSE(menu.isNull());
    menu->showMinimized();
    m_input->activateWindow();
    EXPECT_EQ(PressExplanation(), menu.data());
    EXPECT_FALSE(menu->isMinimized());
    m_input.reset();
    EXPECT_TRUE(menu.isNull());
}

// The file layer on real files in a fresh folder, and every system error it
// can meet, injected.
TEST(WorkingDirectoryFilesTest, FailuresMapToTheirErrorNumbers)
{
    const WorkingFolder folder;
    WorkingFolder::Write("Explanation1.rtf", "{\\rtf1 x}");
    WorkingFolder::Write("Big.rtf", std::string(17, 'a'));
    ASSERT_TRUE(QDir().mkdir("Explanation2.rtf"));
    ASSERT_EQ(::mkfifo("Explanation3.rtf", 0600), 0);
    const std::vector<std::pair<QString, int>> files{
        {"Explanation4.rtf", kFileNotFound},
        {"Explanation2.rtf", kPathFileAccessError},
        {"Explanation3.rtf", kPathFileAccessError},
        {"Missing/Explanation1.rtf", kPathNotFound},
        {"Explanation1.rtf/x.rtf", kPathNotFound},
        {QString(300, 'x'), kPathFileAccessError},
        {"Big.rtf", kDocumentTooLarge},
    };
    const WorkingDirectoryFiles layer(16);
    for (const auto& [name, code] : files) {
        EXPECT_EQ(layer.ReadDocument(name), DocumentBytes(FileError{code})) << name.left(30).toStdString();
    }
    EXPECT_EQ(layer.ReadDocument("Explanation1.rtf"), DocumentBytes("{\\rtf1 x}"));
    const std::vector<std::pair<int, int>> errors{
        {EACCES, kPermissionDenied},    {EPERM, kPermissionDenied},    {EIO, kDeviceIoError},
        {EMFILE, kTooManyFiles},        {ENFILE, kTooManyFiles},       {ENXIO, kDeviceUnavailable},
        {ENODEV, kDeviceUnavailable},   {ENOMEDIUM, kDiskNotReady},    {ENOSPC, kDiskFull},
        {EEXIST, kFileAlreadyExists},   {ENOMEM, kDocumentTooLarge},   {EFBIG, kDocumentTooLarge},
        {EOVERFLOW, kDocumentTooLarge}, {ELOOP, kPathFileAccessError}, {ENOTDIR, kPathNotFound},
    };
    for (const auto& [error, code] : errors) {
        EXPECT_EQ(FileErrorCode({ReadError::Kind::System, error}, "Explanation1.rtf"), code) << error;
    }
}

}  // namespace
}  // namespace vyra::ui
