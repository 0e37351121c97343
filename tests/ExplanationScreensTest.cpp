// The explanation menu and the document viewer driven step by step, each
// step's outcome in a golden recording; and the file layer's error table.
#include "ExplanationFiles.h"
#include "FrmExSub.h"
#include "FrmExplanation.h"
#include "FrmInput.h"
#include "Golden.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtCore/qtestsupport_core.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace vyra::ui {
namespace {

// Documents by name, a name it does not hold not found; reads are counted.
class FakeFiles : public ExplanationFiles {
public:
    std::map<QString, DocumentBytes> documents;
    mutable int reads = 0;
    DocumentBytes ReadDocument(const QString& name) const override
    {
        ++reads;
        const auto found = documents.find(name);
        return found != documents.end() ? found->second : DocumentBytes{FileError{kFileNotFound}};
    }
};

// Presses a document button; what the viewer showed, then "Return".
std::string Open(test::ScriptedToolkit& toolkit, FrmExplanation& menu, int item)
{
    std::string seen;
    toolkit.AnswerNextModal([&](QDialog& screen) {
        auto& viewer = dynamic_cast<FrmExSub&>(screen);
        QApplication::processEvents();
        const QScrollBar& bar = *viewer.RichTextBox1().verticalScrollBar();
        seen = "viewer" + std::string(viewer.RichTextBox1().isReadOnly() ? " read-only" : "")
               + (bar.maximum() > 0 ? " scrolled to " + std::to_string(bar.value()) : "") + ": \""
               + viewer.RichTextBox1().toPlainText().left(40).replace('\n', '|').toStdString() + "\"";
        for (const test::ShownMessage& m : toolkit.Messages()) {
            seen += "\n  message " + m.title.toStdString() + ": " + m.text.toStdString() + " icon "
                    + std::to_string(static_cast<int>(m.icon));
        }
        viewer.CmdReturn().click();
    });
    toolkit.ClearMessages();
    menu.CmdExplain(item).click();
    return seen + "\n";
}

TEST(ExplanationScreens, BehaveAsRecorded)
{
    test::ScriptedToolkit toolkit;
    FakeFiles files;
    std::string recording;
    std::string paragraphs;
    for (int paragraph = 1; paragraph <= 200; ++paragraph) {
        paragraphs += "Paragraph " + std::to_string(paragraph) + "\\par ";
    }
    files.documents = {{"Explanation1.rtf", std::string("{\\rtf1 {\\b Outline} of the program}")},
                       {"Explanation3.rtf", "{\\rtf1 " + paragraphs + "}"}};
    ExplanationScreens screens(toolkit, files);
    screens.Show();
    FrmExplanation& menu = *screens.Menu();
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return QApplication::activeWindow() == &menu; }));
    recording += "# Return, Space, then Tab seven times on opening:";
    test::TypeKey(*QApplication::focusWidget(), Qt::Key_Return, "\r");
    test::TypeKey(*QApplication::focusWidget(), Qt::Key_Space, " ");
    for (int press = 0; press < 7; ++press) {
        recording += " " + QApplication::focusWidget()->objectName().toStdString();
        test::TypeKey(*QApplication::focusWidget(), Qt::Key_Tab, "\t");
    }
    recording += "\n  screens opened: " + std::to_string(toolkit.ModalScreensShown()) + "\n";
    for (int item = 0; item < 5; ++item) {
        recording += "# button " + std::to_string(item) + "\n" + Open(toolkit, menu, item);
        recording += "  document name " + screens.DocumentName().toStdString() + "\n";
    }
    std::string rows;
    for (int i = 0; i < 2001; ++i) {
        rows += "\\trowd\\cellx2000\\intbl a\\cell\\row ";
    }
    const std::vector<std::pair<std::string, DocumentBytes>> failures{
        {"57", FileError{57}},
        {"58", FileError{58}},
        {"61", FileError{61}},
        {"67", FileError{67}},
        {"68", FileError{68}},
        {"70", FileError{70}},
        {"71", FileError{71}},
        {"75", FileError{75}},
        {"76", FileError{76}},
        {"7", FileError{7}},
        {"plain text", std::string("not a rich-text document")},
        {"a 2 MB word", "{\\rtf1 " + std::string(2u << 20, 'x') + "}"},
        {"2001 table rows", "{\\rtf1 " + rows + "}"},
        {"a second edition", std::string("{\\rtf1 Second edition}")}};
    for (const auto& [what, bytes] : failures) {
        files.documents["Explanation1.rtf"] = bytes;
        recording += "# document 1 is " + what + "\n" + Open(toolkit, menu, 0);
    }
    recording += "reads: " + std::to_string(files.reads) + "\n";
    const QPointer<FrmExplanation> shown = &menu;
    menu.CmdReturn().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    recording += "# Return: menu " + std::string(shown.isNull() && !screens.Menu() ? "unloaded" : "still there") + "\n";
    test::ExpectGolden("scenario_explanation_screens", recording);
}

// From the input screen: documents come from the working directory;
// "Explanation" again brings the open menu back; it goes with the screen.
TEST(ExplanationScreens, OpenFromTheInputScreenInTheWorkingDirectory)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QFile file("Explanation2.rtf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\\rtf1 How to use}");
    file.close();
    test::ScriptedToolkit toolkit;
    toolkit.AnswerNextModal([](QDialog& unitScreen) { unitScreen.accept(); });
    auto input = std::make_unique<FrmInput>(toolkit);
    input->show();
    ASSERT_TRUE(QTest::qWaitFor([&toolkit] { return toolkit.ModalScreensShown() == 1; }));
    const auto press = [&input] {
        input->findChild<QPushButton*>("cmdExplanation")->click();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* menu = qobject_cast<FrmExplanation*>(widget); menu != nullptr && menu->isVisible()) {
                return menu;
            }
        }
        return static_cast<FrmExplanation*>(nullptr);
    };
    const QPointer<FrmExplanation> menu = press();
    ASSERT_FALSE(menu.isNull());
    EXPECT_EQ(Open(toolkit, *menu, 1), "viewer read-only: \"How to use\"\n");
    EXPECT_EQ(Open(toolkit, *menu, 0), "viewer read-only: \"\"\n  message File Error: The file is not found. icon 2\n");
    menu->showMinimized();
    EXPECT_EQ(press(), menu.data());
    EXPECT_FALSE(menu->isMinimized());
    input.reset();
    EXPECT_TRUE(menu.isNull());
    QDir::setCurrent(previous);
}

// The file layer on real files in a fresh folder, and every system error it
// can meet, injected.
TEST(WorkingDirectoryFiles, FailuresMapToTheirErrorNumbers)
{
    QTemporaryDir folder;
    const QString at = folder.path() + "/";
    QFile big(at + "Big.rtf");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(std::string(17, 'a').c_str());
    big.close();
    ASSERT_TRUE(QDir().mkdir(at + "Folder.rtf"));
    ASSERT_EQ(::mkfifo((at + "Fifo.rtf").toLocal8Bit().constData(), 0600), 0);
    const std::vector<std::pair<QString, int>> files{
        {"None.rtf", kFileNotFound},        {"Folder.rtf", kPathFileAccessError},
        {"Fifo.rtf", kPathFileAccessError}, {"Missing/None.rtf", kPathNotFound},
        {"Big.rtf/x.rtf", kPathNotFound},   {QString(300, 'x'), kPathFileAccessError},
        {"Big.rtf", kDocumentTooLarge}};
    const WorkingDirectoryFiles layer(16);
    for (const auto& [name, code] : files) {
        EXPECT_EQ(layer.ReadDocument(at + name), DocumentBytes(FileError{code})) << name.left(30).toStdString();
    }
    const std::vector<std::pair<int, int>> errors{
        {EACCES, kPermissionDenied},    {EPERM, kPermissionDenied},    {EIO, kDeviceIoError},
        {EMFILE, kTooManyFiles},        {ENFILE, kTooManyFiles},       {ENXIO, kDeviceUnavailable},
        {ENODEV, kDeviceUnavailable},   {ENOMEDIUM, kDiskNotReady},    {ENOSPC, kDiskFull},
        {EEXIST, kFileAlreadyExists},   {ENOMEM, kDocumentTooLarge},   {EFBIG, kDocumentTooLarge},
        {EOVERFLOW, kDocumentTooLarge}, {ELOOP, kPathFileAccessError}, {ENOTDIR, kPathNotFound}};
    for (const auto& [error, code] : errors) {
        EXPECT_EQ(FileErrorCode({ReadError::Kind::System, error}, at + "Big.rtf"), code) << error;
    }
}

// A bare name missing from the working directory comes from the installed
// folder; one that is there but unreadable, or a path, never does.
TEST(WorkingDirectoryFiles, InstalledFolderStandsInForAMissingDocument)
{
    QTemporaryDir installed;
    QTemporaryDir working;
    for (const char* name : {"Doc.rtf", "Folder.rtf", "Only.rtf"}) {
        QFile file(installed.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("installed");
    }
    ASSERT_TRUE(QDir().mkdir(working.filePath("Folder.rtf")));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(working.path());
    const WorkingDirectoryFiles layer(1024, installed.path());
    EXPECT_EQ(layer.ReadDocument("Only.rtf"), DocumentBytes(std::string("installed")));
    EXPECT_EQ(layer.ReadDocument("Folder.rtf"), DocumentBytes(FileError{kPathFileAccessError}));
    EXPECT_EQ(layer.ReadDocument("None.rtf"), DocumentBytes(FileError{kFileNotFound}));
    EXPECT_EQ(layer.ReadDocument("./Only.rtf"), DocumentBytes(FileError{kFileNotFound}));
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace vyra::ui
