// Case files on the input screen, driven through its menu as a user does;
// file dialogs and questions are answered through the scripted toolkit.
#include "CaseFile.h"
#include "FrmInput.h"
#include "ScreenDriver.h"
#include "ScriptedToolkit.h"
#include "TestCases.h"
#include "Version.h"
#include "WidgetTree.h"

#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtCore/qtestsupport_core.h>
#include <QtWidgets/qtestsupport_widgets.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vyra::ui {
namespace {

using test::Child;
using test::Item;

// Every choice on its second word, in newtons; texts empty, unicode and long.
Case UnusualCase()
{
    Case c;
    c.form = test::HarshForm();
    c.forceUnit = kNewton;
    c.form.txtInput[kItemFS] = "";
    c.form.txtInput[kItemGamma] = " -.5e2x";
    c.report = {"Müller & Söhne \"Papier\"", std::string(10000, 'x'), "Linie 3 Ü\\", "", "名前 é\U0001F600"};
    return c;
}

Case WorkedCase()
{
    Case c;
    c.form = test::WorkedExampleForm();
    c.report[kDate] = "Dec 05,2026";
    return c;
}

std::string FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

// The input screen of one run; kgf chosen on the unit screen unless a case
// file was opened at start.
class InputRun {
public:
    explicit InputRun(const QString& startCase = {})
    {
        toolkit.AnswerNextModal([](QDialog& unitScreen) { test::Click(Child(unitScreen, "cmdSel1")); });
        if (!startCase.isEmpty()) {
            screen.OpenAtStart(startCase);
        }
        screen.show();
        // The unit screen comes, or not, once the activation is delivered.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&screen));
        QApplication::processEvents();
        if (startCase.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([this] { return toolkit.ModalScreensShown() == 1; }));
        }
    }
    ~InputRun() { screen.hide(); }

    void Menu(const char* name) { Child<QAction>(screen, QString::fromLatin1(name)).trigger(); }
    void Open(const QString& path)
    {
        toolkit.AnswerNextFile(path);
        Menu("mnuOpen");
    }
    void SaveAs(const QString& path)
    {
        toolkit.AnswerNextFile(path);
        Menu("mnuSaveAs");
    }
    QLineEdit& Field(int item) { return Child<QLineEdit>(screen, Item("txtInput", item)); }
    bool Enabled(const char* name) { return Child<QAction>(screen, QString::fromLatin1(name)).isEnabled(); }
    QString LastMessage() const { return toolkit.Messages().empty() ? QString() : toolkit.Messages().back().text; }

    test::ScriptedToolkit toolkit;
    FrmInput screen{toolkit};
};

class CaseScreen : public ::testing::Test {
protected:
    QString Path(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }
    QString Write(const char* name, const Case& c) const
    {
        EXPECT_FALSE(WriteCaseFile(Path(name).toStdString(), c));
        return Path(name);
    }
    QString WriteText(const char* name, const std::string& text) const
    {
        QFile file(Path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        return Path(name);
    }

    QTemporaryDir m_folder;
};

// Opened and saved again, a case comes back byte for byte; a case in the
// other unit switches the run's unit and says so.
TEST_F(CaseScreen, RoundTripsEveryTextAndOption)
{
    InputRun run;
    Case leftFulcrum = WorkedCase();
    leftFulcrum.form.fulcrumIndex = 1;
    for (const Case& c : {UnusualCase(), leftFulcrum}) {
        const QString path = Write("in.vyracase", c);
        run.Open(path);
        run.SaveAs(Path("out"));
        EXPECT_EQ(FileText(Path("out.vyracase")), CaseFileText(c));
    }
    ASSERT_EQ(run.toolkit.Messages().size(), 2u);
    EXPECT_EQ(run.toolkit.Messages()[0].text, "This case gives its forces in N: the unit of force is now N.");
    EXPECT_EQ(run.toolkit.Messages()[1].text, "This case gives its forces in kgf: the unit of force is now kgf.");
    EXPECT_EQ(Child<QLabel>(run.screen, Item("lblTani", 0)).text(), "[kgf]");
    EXPECT_EQ(run.screen.windowTitle(), "out.vyracase[*] – VyraSensorSelector");
    EXPECT_EQ(run.toolkit.ModalScreensShown(), 1);
}

// A refused file changes nothing on the screen, not even an edit that was
// not saved; the message names the file and the problem.
TEST_F(CaseScreen, RefusesBrokenFilesLeavingTheScreenAsItWas)
{
    InputRun run;
    run.Open(Write("good.vyracase", UnusualCase()));
    run.Field(kItemV).setText("77");
    const std::string before = test::WidgetTree(run.screen);
    const std::vector<std::pair<QString, QString>> broken{
        {WriteText("a", "{\"format\":\"vyra-case\",\"version\":2}"), "newer version"},
        {WriteText("b", "{\"format\":\"vyra-case\",\"version\":1,\"type\":\"other\"}"), "\"type\" must be"},
        {WriteText("c", "not json"), "it is not a case file"},
        {WriteText("d", std::string(kMaxCaseFileBytes + 1, ' ')), "larger than 1 MiB"},
        {m_folder.path(), "not a regular file"}};
    for (const auto& [path, problem] : broken) {
        run.toolkit.AnswerNextSave(SaveAnswer::Discard);
        run.Open(path);
        EXPECT_TRUE(run.LastMessage().startsWith("The case could not be opened.\n" + path + ": "));
        EXPECT_TRUE(run.LastMessage().contains(problem)) << run.LastMessage().toStdString();
        EXPECT_EQ(test::WidgetTree(run.screen), before);
    }
}

// The title follows the case and its edits; New, Open and closing ask
// about unsaved changes only in a run that has used case files.
TEST_F(CaseScreen, AsksBeforeLeavingAChangedCase)
{
    {
        InputRun plain;
        plain.Field(kItemV).setText("77");
        plain.screen.close();
        EXPECT_EQ(plain.toolkit.SaveQuestions(), 0);
        EXPECT_EQ(plain.toolkit.EndProgramCalls(), 1);
        EXPECT_EQ(plain.screen.windowTitle(), "VyraSensorSelector");
    }
    InputRun run;
    run.Open(Write("c.vyracase", WorkedCase()));
    EXPECT_FALSE(run.screen.isWindowModified());
    run.Field(kItemV).setText("77");
    EXPECT_TRUE(run.screen.isWindowModified());
    run.Field(kItemV).setText("100");
    EXPECT_FALSE(run.screen.isWindowModified());
    test::Click(Child(run.screen, "OpFulcrum(1)"));
    EXPECT_TRUE(run.screen.isWindowModified());

    run.toolkit.AnswerNextSave(SaveAnswer::Cancel);
    run.Menu("mnuNew");
    EXPECT_EQ(run.Field(kItemV).text(), "100");
    run.toolkit.AnswerNextSave(SaveAnswer::Discard);
    run.Menu("mnuNew");
    EXPECT_EQ(run.Field(kItemV).text(), "");
    EXPECT_EQ(Child<QLineEdit>(run.screen, "txtDate").text(), "Dec 05,2026");
    EXPECT_EQ(run.screen.windowTitle(), "VyraSensorSelector");
    EXPECT_EQ(FileText(Path("c.vyracase")), CaseFileText(WorkedCase()));

    run.Field(kItemFS).setText("5");
    run.toolkit.AnswerNextSave(SaveAnswer::Cancel);
    run.screen.close();
    EXPECT_TRUE(run.screen.isVisible());
    run.toolkit.AnswerNextSave(SaveAnswer::Save);
    run.toolkit.AnswerNextFile(Path("new"));
    run.screen.close();
    EXPECT_EQ(run.toolkit.EndProgramCalls(), 1);
    EXPECT_TRUE(FileText(Path("new.vyracase")).find("\"tension\": \"5\"") != std::string::npos);
    EXPECT_EQ(run.toolkit.SaveQuestions(), 4);
}

// Export and Print report the last "Select" with the customer block as it
// stands; opening a case closes its results and takes them back.
TEST_F(CaseScreen, ExportsAndPrintsTheLastSelection)
{
    InputRun run;
    EXPECT_FALSE(run.Enabled("mnuExportPdf") || run.Enabled("mnuPrint"));
    const Case worked = WorkedCase();
    for (int item = 0; item < kFieldCount; ++item) {
        run.Field(item).setText(QString::fromStdString(worked.form.txtInput[item]));
    }
    Child<QPushButton>(run.screen, "cmdResult").click();
    Child<QLineEdit>(run.screen, "txtFNmame").setText("Southern Board");
    run.toolkit.AnswerNextFile(Path("report"));
    run.Menu("mnuExportPdf");
    run.toolkit.SetPrinter([this] { return std::make_unique<QPdfWriter>(Path("printed.pdf")); });
    run.Menu("mnuPrint");
    for (const char* pdf : {"report.pdf", "printed.pdf"}) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Path(pdf), QStringLiteral("-")});
        ASSERT_TRUE(text.waitForFinished());
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(pages.contains("Southern Board") && pages.contains("1 Vyra05B")) << pdf;
        EXPECT_EQ(pages.count(QChar('\f')), 2) << pdf;
    }
    run.Open(Write("c.vyracase", UnusualCase()));
    EXPECT_FALSE(run.Enabled("mnuExportPdf") || run.Enabled("mnuPrint"));
    QTest::qWait(20);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->isVisible() && window != &run.screen) << window->windowTitle().toStdString();
    }
    run.Menu("mnuAbout");
    EXPECT_TRUE(run.LastMessage().contains(QString::fromUtf8(kVersion.data(), kVersion.size()))
                && run.LastMessage().contains("MIT") && run.LastMessage().contains(qVersion()));
}

// A case named at start gives the unit, so the unit screen is not shown; a
// broken one says why and the run starts as usual.
TEST_F(CaseScreen, OpensTheCaseNamedAtStart)
{
    {
        InputRun run(Write("n.vyracase", UnusualCase()));
        EXPECT_EQ(run.toolkit.ModalScreensShown(), 0);
        EXPECT_TRUE(run.toolkit.Messages().empty());
        EXPECT_EQ(Child<QLabel>(run.screen, Item("lblTani", 0)).text(), "[N]");
        EXPECT_EQ(run.screen.windowTitle(), "n.vyracase[*] – VyraSensorSelector");
    }
    InputRun broken(WriteText("broken.vyracase", "{}"));
    EXPECT_EQ(broken.toolkit.ModalScreensShown(), 1);
    EXPECT_TRUE(broken.LastMessage().endsWith("broken.vyracase: it is not a case file"));
}

}  // namespace
}  // namespace vyra::ui
