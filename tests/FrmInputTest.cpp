// The input screen, its unit screen, case files and explanation menu, driven
// by the steps of case tables; after each row its state is recorded.
#include "FrmInput.h"
#include "CaseAndBatchFiles.h"
#include "Commands.h"
#include "FrmReport.h"
#include "ReportPdf.h"
#include "ScreenDriver.h"
#include "TestCases.h"
#include "Version.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace vyra::ui {
namespace {

using test::Child;

// A left click as a user makes it, near the left end of the control, where
// an option has its indicator.
void Click(QWidget& control)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(control.height() / 2, control.height() / 2));
}

// A control's text, "!" when it is marked in light red.
QString Marked(const QWidget& control, const QString& text, QPalette::ColorRole role)
{
    return text + (control.palette().color(role) == QColor(255, 0, 0) ? "!" : "");
}

// Runs the steps of the case table NAME against the golden file NAME. The
// files the steps name are in a fresh folder, which the recording calls DIR.
class Scenario {
public:
    explicit Scenario(const std::string& name)
    {
        for (const test::CaseRow& row : test::ReadCaseTable(name)) {
            for (std::size_t step = 1; step < row.size(); ++step) {
                Do(row[step]);
            }
            Record(row[0]);
        }
        test::ExpectGolden(name, m_recording);
    }

private:
    // A new run; its unit screen, unless a case opened at start gives the
    // unit, is compared with GOLDEN if named and closed with BUTTON.
    void Start(const std::string& button, const std::string& golden, const QString& startCase = {})
    {
        m_screen.reset();
        m_toolkit = std::make_unique<test::ScriptedToolkit>();
        m_toolkit->modalAnswers.push_back([button, golden](QDialog& unitScreen) {
            if (!golden.empty()) {
                test::ExpectGolden(golden, test::WidgetTree(unitScreen));
            }
            button == "close" ? static_cast<void>(unitScreen.close())
                              : Click(Child(unitScreen, QString::fromStdString(button)));
            if (button == "cmdExit") {
                unitScreen.reject();
            }
        });
        m_toolkit->onMessage = [this] { m_atMessage = State() + (Sketch() != m_drawn ? " sketch redrawn" : ""); };
        m_screen = std::make_unique<FrmInput>(*m_toolkit);
        if (!startCase.isEmpty()) {
            m_screen->OpenAtStart(startCase);
        }
        m_screen->show();
        // The unit screen comes, or not, once the activation is delivered.
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_screen.get()));
        QApplication::processEvents();
        EXPECT_TRUE(!startCase.isEmpty() || QTest::qWaitFor([this] { return m_toolkit->modalScreens == 1; }));
        m_drawn = Sketch();
    }
    QLineEdit& Field(int item) { return Child<QLineEdit>(*m_screen, QStringLiteral("txtInput(%1)").arg(item)); }
    QString Unit() { return Child<QLabel>(*m_screen, "lblTani(0)").text(); }
    QImage Sketch() { return Child(*m_screen, "Picture1").grab().toImage(); }
    std::string State()
    {
        QString state = Unit() + " fields";
        for (int item = 0; item < kFieldCount; ++item) {
            state += " [" + Marked(Field(item), Field(item).text(), QPalette::Text) + "]";
        }
        for (const char* group : {"OpFulcrum", "OpMethod1", "OpMethod2", "OpMethod3"}) {
            state += QStringLiteral(" %1").arg(group);
            for (int item = 0; item < 2; ++item) {
                const auto& option = Child<QRadioButton>(*m_screen, QStringLiteral("%1(%2)").arg(group).arg(item));
                state += (option.isChecked() ? " *" : " ") + Marked(option, option.text(), QPalette::WindowText)
                         + (option.isEnabled() ? "" : "(off)");
            }
        }
        return state.toStdString();
    }
    QString Path(const std::string& name) const { return m_folder.filePath(QString::fromStdString(name)); }
    // A text as the recording shows it: on one line, the same in every run.
    std::string Shown(QString text) const
    {
        text.replace(m_folder.path(), "DIR").replace(QDir::homePath(), "HOME");
        text.replace(QString::fromUtf8(kVersion.data(), kVersion.size()), "VERSION").replace(qVersion(), "QT");
        return text.replace("\r", "\\r").replace("\n", "\\n").toStdString();
    }

    // The steps are listed at the head of tests/cases/screens_input_scenario.txt.
    void Do(const std::string& step)
    {
        std::istringstream words(step);
        std::string verb, name, text;
        words >> verb >> name;
        std::getline(words >> std::ws, text);
        const QString qName = QString::fromStdString(name);
        if (verb == "start" || verb == "start-with") {
            verb == "start" ? Start(name, text) : Start("cmdSel1", {}, Path(name));
        } else if (verb == "write") {
            QFile file(Path(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.ends_with(".vyracase")
                           ? QByteArray::fromStdString(test::FileText(VYRA_CASES_DIR "/" + text))
                       : text == "huge" ? QByteArray(kMaxCaseFileBytes + 1, ' ')
                                        : QByteArray::fromStdString(text));
        } else if (verb == "compare") {
            const auto a = ReadCaseFile(Path(name).toStdString());
            const auto b = ReadCaseFile(Path(text).toStdString());
            m_notes +=
                "  " + name
                + (test::FileText(Path(name).toStdString()) == test::FileText(Path(text).toStdString()) ? " same as "
                   : a && b && *a == *b ? " same case as "
                                        : " differs from ")
                + text + "\n";
        } else if (verb == "pdf") {
            const QString pages = test::PdfText(Path(name));
            const bool customer = pages.contains(Child<QLineEdit>(*m_screen, "txtFNmame").text());
            m_notes += "  " + name + ": " + std::to_string(pages.count(QChar('\f'))) + " pages"
                       + (customer && pages.contains("1 Vyra05B") ? ", customer and rows\n" : "\n");
            for (const QString& line : pages.split('\n')) {
                const bool kept = line.contains(QRegularExpression("^(Tension from:|Roller:)|Zs<"));
                m_notes += kept ? "    " + Shown(line) + "\n" : "";
            }
        } else if (verb == "file") {
            m_toolkit->files.push_back(name.empty() ? QString() : Path(name));
        } else if (verb == "answer") {
            m_toolkit->saveAnswers.push_back(SaveAnswer(QStringList{"Save", "Discard", "Cancel"}.indexOf(qName)));
        } else if (verb == "report") {
            m_toolkit->modalAnswers.push_back(
                [clicks = QString::fromStdString(step).split(' ').mid(1)](QDialog& dialog) {
                    std::ranges::for_each(clicks,
                                          [&dialog](const QString& c) { Child<QAbstractButton>(dialog, c).click(); });
                });
        } else if (verb == "printer") {
            m_toolkit->printer = [path = Path(name)] { return std::make_unique<QPdfWriter>(path); };
        } else if (verb == "click") {
            Click(Child(*m_screen, qName));
        } else if (verb == "enter") {
            std::istringstream fields(name + " " + text);
            for (int item = 0; item < kFieldCount && fields >> text; ++item) {
                Field(item).setText(text == "_" ? QString() : QString::fromStdString(text));
            }
        } else if (verb == "set") {
            Child<QLineEdit>(*m_screen, qName).setText(QString::fromStdString(text));
        } else if (verb == "key") {
            QTest::keyClick(&Field(std::stoi(name)), text == "Backspace" ? Qt::Key_Backspace : Qt::Key(text[0]));
        } else if (verb == "keys") {
            test::PressKeys(*m_screen, QKeySequence(qName));
        } else if (verb == "helper") {
            m_toolkit->modalAnswers.push_back([this, entries = text](QDialog& dialog) {
                std::istringstream given(entries);
                for (std::string entry; given >> entry;) {
                    const QString control = QString::fromStdString(entry.substr(0, entry.find('=')));
                    const QString value = QString::fromStdString(entry.substr(entry.find('=') + 1));
                    auto* choice = dialog.findChild<QComboBox*>(control);
                    control == "keys"   ? test::PressKeys(dialog, QKeySequence(value))
                    : choice != nullptr ? choice->setCurrentText(value)
                                        : Child<QLineEdit>(dialog, control).setText(value);
                }
                // A mnemonic presses its button as a click, which lands a moment later.
                if (entries.find("keys=") != std::string::npos
                    && QTest::qWaitFor([&dialog] { return dialog.isHidden(); }, 300)) {
                    return;
                }
                Child<QPushButton>(dialog, "cmdShow").click();
                m_notes += "  " + Shown(dialog.findChildren<QLabel*>(QRegularExpression("^lbl")).at(0)->text()) + "\n";
                Child<QPushButton>(dialog, "cmdUse").click();
                dialog.reject();  // a refused "Use" leaves the helper open
            });
            if (text.ends_with("keys=F1")) {
                m_toolkit->modalAnswers.push_back([this](QDialog& viewer) {
                    const QTextCursor at = dynamic_cast<FrmExSub&>(viewer).RichTextBox1().textCursor();
                    m_notes += "  viewer at " + at.selectedText().toStdString() + "\n";
                    viewer.reject();
                });
            }
            const test::WorkingFolder documents(VYRA_DOCS_DIR);
            Child<QAction>(*m_screen, qName).trigger();
        } else if (verb == "remove") {
            EXPECT_TRUE(QFile::remove(Path(name)));
        } else if (verb == "menu") {
            Child<QAction>(*m_screen, qName).trigger();
        } else if (verb == "recent") {
            emit Child<QMenu>(*m_screen, "mnuRecent").aboutToShow();
            Child<QMenu>(*m_screen, "mnuRecent").actions().at(std::stoi(name))->trigger();
        } else if (verb == "close") {
            m_screen->close();
        } else if (verb == "reactivate") {
            QWidget other;
            other.show();
            other.activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([&other] { return other.isActiveWindow(); }));
            Child<QLabel>(*m_screen, "lblTani(0)").setText("?");
            m_screen->activateWindow();
            EXPECT_TRUE(QTest::qWaitFor([this] { return Unit() != "?"; }));
        } else if (verb == "explain") {
            const test::WorkingFolder working(m_folder.path());
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* menu = qobject_cast<FrmExplanation*>(widget); menu != nullptr && menu->isVisible()) {
                    m_notes += "  " + test::OpenDocument(*m_toolkit, *menu, std::stoi(name));
                }
            }
        } else if (verb == "focus") {
            m_notes += "  focus on " + m_screen->focusWidget()->objectName().toStdString() + "\n";
        } else if (verb == "layout") {
            test::ExpectGolden(name, test::WidgetTree(*m_screen));
        } else {
            ADD_FAILURE() << "unknown step " << step;
        }
    }

    // The questions asked, then each message box with the marks there were
    // while it was up; the title, counts and recent files when they changed.
    void Record(const std::string& name)
    {
        m_recording += "# " + name + "\n" + m_notes;
        m_notes.clear();
        for (const QString& question : std::exchange(m_toolkit->asked, {})) {
            m_recording += "  asked: " + Shown(question) + "\n";
        }
        for (const QString& message : std::exchange(m_toolkit->messages, {})) {
            m_recording += Shown(message) + "\n  while up: " + m_atMessage + "\n";
        }
        const QImage sketch = Sketch();
        m_recording += State() + (sketch != m_drawn ? " sketch redrawn" : "");
        m_drawn = sketch;
        QStringList others;
        for (const QWidget* widget : QApplication::topLevelWidgets()) {
            others << (widget->isVisible() && widget != m_screen.get() ? " + " + widget->windowTitle() : QString());
        }
        others.sort();
        m_recording += others.join("").toStdString();
        QMenu& recent = Child<QMenu>(*m_screen, "mnuRecent");
        emit recent.aboutToShow();
        QString recentFiles = recent.isEnabled() ? "" : " off";
        for (const QAction* file : recent.actions()) {
            recentFiles += " " + file->text();
        }
        const bool exports = Child<QAction>(*m_screen, "mnuExportPdf").isEnabled();
        const std::string extras =
            Shown(m_screen->windowTitle()) + (m_screen->isWindowModified() ? " modified" : "")
            + (m_screen->isVisible() ? "" : " hidden") + ", date "
            + Shown(Child<QLineEdit>(*m_screen, "txtDate").text()) + ", unit screens "
            + std::to_string(m_toolkit->modalScreens) + ", program ended " + std::to_string(m_toolkit->endProgramCalls)
            + (exports == Child<QAction>(*m_screen, "mnuPrint").isEnabled() ? "" : ", export and print differ")
            + (exports ? ", report on" : "") + ", recent" + Shown(recentFiles);
        m_recording += "\n" + (extras != m_extras ? "  title " + extras + "\n" : "");
        m_extras = extras;
    }

    QTemporaryDir m_folder;
    std::unique_ptr<test::ScriptedToolkit> m_toolkit;
    std::unique_ptr<FrmInput> m_screen;
    std::string m_atMessage;
    QImage m_drawn;
    std::string m_recording;
    std::string m_notes;
    std::string m_extras;
};

TEST(InputScreen, BehavesAsRecorded) { Scenario("screens_input_scenario"); }

// Each typed text gives on the input screen the engine's answer: the same
// message box and the same fields marked, or no box at all.
TEST(InputScreen, ReadsEveryTypedTextAsTheEngineDoes)
{
    test::ScriptedToolkit toolkit;
    toolkit.modalAnswers.push_back([](QDialog& unitScreen) { Click(Child(unitScreen, "cmdSel1")); });
    FrmInput screen(toolkit);
    screen.show();
    ASSERT_TRUE(QTest::qWaitFor([&toolkit] { return toolkit.modalScreens == 1; }));
    for (const auto& row : test::ReadCaseTable("typed_texts", 4)) {
        const EntryForm form = test::TypedForm(row);
        for (int item = 0; item < kFieldCount; ++item) {
            Child<QLineEdit>(screen, QStringLiteral("txtInput(%1)").arg(item))
                .setText(QString::fromStdString(form.txtInput[static_cast<std::size_t>(item)]));
        }
        Click(Child(screen, "cmdResult"));
        RunState state;
        const CheckResult failure = SelectCommand(state, form);
        std::vector<int> marked;
        for (int item = 0; item < kFieldCount; ++item) {
            const auto& field = Child<QLineEdit>(screen, QStringLiteral("txtInput(%1)").arg(item));
            if (Marked(field, "", QPalette::Text) == "!") {
                marked.push_back(item);
            }
        }
        const QString box =
            failure ? QStringLiteral("message %1: %2 icon 1")
                          .arg(QString::fromStdString(failure->title), QString::fromStdString(failure->message))
                    : QString();
        EXPECT_EQ(std::exchange(toolkit.messages, {}).join(""), box) << row[0];
        EXPECT_EQ(marked, failure ? failure->markedItems : std::vector<int>{}) << row[0];
    }
}

TEST(CaseScreen, BehavesAsRecorded) { Scenario("screens_case_files"); }

// Export asks for paper and record (as last chosen) and writes the whole report.
TEST(CaseScreen, ExportsTheWholeReportAsAsked)
{
    QTemporaryDir dir;
    const QString casePath = dir.filePath("w.vyracase"), exported = dir.filePath("r.pdf");
    ASSERT_TRUE(QFile::copy(VYRA_CASES_DIR "/screens_worked.vyracase", casePath));
    test::ScriptedToolkit toolkit;
    FrmInput screen(toolkit);
    screen.OpenAtStart(casePath);
    Child<QPushButton>(screen, "cmdResult").click();
    for (const auto& [ticked, clicks] :
         {std::pair{false, QStringList{"optLetter", "chkRecord", "cmdOK"}}, {true, {"chkRecord", "cmdOK"}}}) {
        toolkit.modalAnswers.push_back([ticked, clicks](QDialog& dialog) {
            EXPECT_TRUE(Child<QRadioButton>(dialog, "optA4").isChecked());
            EXPECT_EQ(Child<QCheckBox>(dialog, "chkRecord").isChecked(), ticked);
            std::ranges::for_each(clicks, [&dialog](const QString& c) { Child<QAbstractButton>(dialog, c).click(); });
        });
        toolkit.files.push_back(ticked ? QString() : exported);
        Child<QAction>(screen, "mnuExportPdf").trigger();
    }
    const Case read = *ReadCaseFile(casePath.toStdString());
    gfx::ReportRecord drawn{gfx::CustomerOf(read), "w.vyracase", gfx::SpecificationsOf(read), {}, {}, true};
    ASSERT_FALSE(SelectCommand(drawn.selection, read.form));
    drawn.charts = gfx::ChartContentOf(drawn.selection, read.form, {});
    ASSERT_TRUE(gfx::WriteDrawnFile(dir.filePath("d.pdf").toStdString(), gfx::DrawReportPdf(drawn, QPageSize::Letter)));
    EXPECT_EQ(test::PdfText(exported).toStdString(), test::PdfText(dir.filePath("d.pdf")).toStdString());
    QProcess info;
    info.start("pdfinfo", {exported});
    EXPECT_TRUE(info.waitForFinished() && QString(info.readAllStandardOutput()).contains("612 x 792 pts"));
}

TEST(ReportDialog, OpensOnThePaperOfTheLocale)
{
    for (const QString row : {"en_US Letter", "en_CA Letter", "fr_CA Letter", "de_DE A4", "en_GB A4"}) {
        EXPECT_EQ(QPageSize(LocalPaper(QLocale(row.section(' ', 0, 0)))).key(), row.section(' ', 1))
            << row.toStdString();
    }
}

}  // namespace
}  // namespace vyra::ui
