// The explanation menu and the document viewer driven step by step, each
// step's outcome and both layouts in golden recordings; the file layer and
// its error numbers; and the program's own toolkit, answered as a user would.
#include "ExplanationFiles.h"
#include "ScreenDriver.h"

#include <map>

namespace vyra::ui {
namespace {

// Documents by name, a name it does not hold not found; reads are counted.
struct FakeFiles : ExplanationFiles {
    std::map<QString, DocumentBytes> documents;
    mutable int reads = 0;
    DocumentBytes ReadDocument(const QString& name) const override
    {
        ++reads;
        return documents.contains(name) ? documents.at(name) : DocumentBytes{FileError{kFileNotFound}};
    }
};

TEST(ExplanationScreens, BehaveAsRecorded)
{
    test::ScriptedToolkit toolkit;
    FakeFiles files;
    files.documents = {
        {"Explanation1.rtf", std::string("{\\rtf1 {\\b Outline}\\par Text}")},
        {"Explanation3.rtf", "{\\rtf1 " + QStringLiteral("Paragraph\\par ").repeated(200).toStdString() + "}"}};
    ExplanationScreens screens(toolkit, files);
    screens.Show();
    FrmExplanation& menu = *screens.Menu();
    ASSERT_TRUE(QTest::qWaitFor([&menu] { return QApplication::activeWindow() == &menu; }));
    test::ExpectGolden("screen_explanation_menu", test::WidgetTree(menu));
    test::ExpectGolden("screen_explanation_viewer", test::WidgetTree(FrmExSub(toolkit, files, "Explanation1.rtf")));
    std::string recording = "# Return, Space, then Tab eight times on opening and Return:";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (int press = 0; press < 8; ++press) {
        recording.append(" ").append(QApplication::focusWidget()->objectName().toStdString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    toolkit.modalAnswers.push_back([](QDialog& viewer) { viewer.reject(); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    recording += "\n  screens opened: " + std::to_string(toolkit.modalScreens) + "\n";
    for (int item = 0; item < 5; ++item) {
        recording += "# button " + std::to_string(item) + "\n" + test::OpenDocument(toolkit, menu, item);
        recording += "  document name " + screens.DocumentName().toStdString() + "\n";
    }
    // Each error number the file layer reports, then bytes it cannot show.
    for (const test::CaseRow& row : test::ReadCaseTable("screens_errors")) {
        EXPECT_EQ(FileErrorCode({"", Failure::Kind::System, std::stoi(row[1])}, "x.rtf"), std::stoi(row[2])) << row[0];
        files.documents["Explanation1.rtf"] = FileError{std::stoi(row[2])};
        recording += "# document 1 fails with " + row[0] + "\n" + test::OpenDocument(toolkit, menu, 0);
    }
    const std::string cells = QStringLiteral("\\trowd\\cellx2000\\intbl a\\cell\\row").repeated(2001).toStdString();
    for (const auto& [name, text] : std::initializer_list<std::pair<const char*, std::string>>{
             {"plain text", "not a rich-text document"},
             {"a 2 MB word", "{\\rtf1 " + std::string(2097152, 'x') + "}"},
             {"2001 table rows", "{\\rtf1 " + cells + "}"},
             {"a second edition", "{\\rtf1 Second edition}"}}) {
        files.documents["Explanation1.rtf"] = text;
        recording += "# document 1 is " + std::string(name) + "\n" + test::OpenDocument(toolkit, menu, 0);
    }
    recording += "reads: " + std::to_string(files.reads) + "\n";
    menu.showMinimized();
    screens.Show();
    recording += "# minimized, then shown: " + std::string(menu.isMinimized() ? "minimized" : "back") + "\n";
    const QPointer<FrmExplanation> shown = &menu;
    menu.CmdReturn().click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    recording += "# Return: menu " + std::string(shown.isNull() && !screens.Menu() ? "unloaded" : "still there") + "\n";
    screens.Show();
    test::PressKeys(*screens.Menu(), QKeySequence(Qt::Key_Escape));
    recording += "# Escape: menu " + std::string(screens.Menu() ? "still there" : "unloaded") + "\n";
    test::ExpectGolden("scenario_explanation_screens", recording);
}

// The viewer opens at its tabled size (9135 x 6915 twips), then at the size
// it was left at; Escape closes it.
TEST(ExplanationScreens, TheViewerKeepsTheSizeItWasGiven)
{
    test::ScriptedToolkit toolkit;
    FakeFiles files;
    FrmExSub first(toolkit, files, "");
    EXPECT_EQ(first.size(), QSize(609, 461));
    first.show();
    first.resize(700, 500);
    test::PressKeys(first, QKeySequence(Qt::Key_Escape));
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(FrmExSub(toolkit, files, "").size(), QSize(700, 500));
}

// On real files an installed folder stands in for a bare name missing from
// the working directory, never for one there but unreadable or a path.
TEST(WorkingDirectoryFiles, ReadOrMapFailuresToTheirErrorNumbers)
{
    QTemporaryDir installed, working;
    const test::WorkingFolder folder(working.path());
    for (const QString& path : {installed.filePath("Folder.rtf"), installed.filePath("Only.rtf"), QString("Big.rtf")}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(path == "Big.rtf" ? std::string(17, 'a').c_str() : "installed");
    }
    ASSERT_TRUE(QDir().mkdir("Folder.rtf"));
    const WorkingDirectoryFiles layer(16, installed.path());
    for (const test::CaseRow& row : test::ReadCaseTable("screens_documents")) {
        const bool text = row[2].find_first_not_of("0123456789") != std::string::npos;
        EXPECT_EQ(layer.ReadDocument(QString::fromStdString(row[1])),
                  text ? DocumentBytes(row[2]) : DocumentBytes(FileError{std::stoi(row[2])}))
            << row[0];
    }
}

// A timer armed before the modal loop finds the box or screen and closes it.
TEST(QtToolkit, MessageBoxesAndModalScreensWaitForTheirAnswer)
{
    QtToolkit toolkit;
    QWidget owner;
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "VyraSensorSelector") << "a box given no title bears the program's";
        EXPECT_EQ(box->text(), "Input positive numbers of Tension and\nRoller diameter");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        seen = true;
        box->button(QMessageBox::Ok)->click();
    });
    toolkit.ShowMessage(&owner, QString(), "Input positive numbers of Tension and\rRoller diameter",
                        BoxIcon::Exclamation);
    EXPECT_TRUE(seen);

    QDialog screen;
    QTimer::singleShot(0, [&screen] {
        ASSERT_EQ(QApplication::activeModalWidget(), &screen);
        screen.done(7);
    });
    toolkit.ShowModal(screen);
    EXPECT_EQ(screen.result(), 7);
}

}  // namespace
}  // namespace vyra::ui
