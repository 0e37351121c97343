#include "InputMenus.h"

#include "Captions.h"
#include "CaseAndBatchFiles.h"
#include "FrmReport.h"
#include "InputControls.h"
#include "PrinterJob.h"
#include "ProgramSettings.h"
#include "ReportPdf.h"
#include "ResultFormat.h"
#include "Version.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPagedPaintDevice>
#include <QWidget>

#include <tuple>
#include <utility>

namespace vyra::ui {

namespace {

const QString kCaseFilter = QStringLiteral("Case files (*.vyracase)");
const QString kCaseSuffix = QStringLiteral(".vyracase");
const QString kPdfSuffix = QStringLiteral(".pdf");

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A name typed without the expected suffix gets it.
QString WithSuffix(const QString& path, const QString& suffix)
{
    return path.endsWith(suffix, Qt::CaseInsensitive) ? path : path + suffix;
}

QString DisplayedName(const QString& path) { return QFileInfo(path).fileName(); }

}  // namespace

InputMenus::InputMenus(Toolkit& toolkit, CaseScreen screen)
    : QObject(screen.window), m_toolkit(toolkit), m_screen(std::move(screen))
{
    m_menuBar = new QMenuBar(m_screen.window);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    // The menus speak in the desktop's font, not the screen's.
    m_menuBar->setFont(QApplication::font(m_menuBar));
    BuildFileMenu();
    BuildToolsMenu();
    BuildHelpMenu();
    SelectionAvailable(false);
}

void InputMenus::BuildFileMenu()
{
    QMenu* file = m_menuBar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto add = [this, file](const QString& text, const char* name, QKeySequence keys, auto handler) {
        QAction* action = file->addAction(text);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    add(QStringLiteral("&New"), "mnuNew", QKeySequence::New, &InputMenus::New_Click);
    add(QStringLiteral("&Open…"), "mnuOpen", QKeySequence::Open, &InputMenus::Open_Click);
    m_recent = file->addMenu(QStringLiteral("Open &Recent"));
    m_recent->setObjectName(QStringLiteral("mnuRecent"));
    connect(m_recent, &QMenu::aboutToShow, this, &InputMenus::OpenRecent_Show);
    add(QStringLiteral("&Save"), "mnuSave", QKeySequence::Save, &InputMenus::Save_Click);
    add(QStringLiteral("Save &As…"), "mnuSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        &InputMenus::SaveAs_Click);
    file->addSeparator();
    m_export = add(QStringLiteral("&Export Report as PDF…"), "mnuExportPdf", QKeySequence(Qt::CTRL | Qt::Key_E),
                   &InputMenus::ExportReport);
    m_print = add(QStringLiteral("&Print…"), "mnuPrint", QKeySequence::Print, &InputMenus::PrintReport);
    file->addSeparator();
    add(QStringLiteral("&Compare…"), "mnuCompare", QKeySequence(), [this] { m_screen.compareTool(); });
    file->addSeparator();
    add(QStringLiteral("E&xit"), "mnuExit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { m_screen.window->close(); });
}

void InputMenus::BuildToolsMenu()
{
    QMenu* tools = m_menuBar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    for (const auto& [text, name, tool] :
         {std::tuple{QStringLiteral("&Tension from material…"), "mnuTension", &CaseScreen::tensionTool},
          {QStringLiteral("&Roller from drawing…"), "mnuRoller", &CaseScreen::rollerTool},
          {QStringLiteral("R&anges…"), "mnuRanges", &CaseScreen::rangesTool}}) {
        QAction* action = tools->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, tool] { (m_screen.*tool)(); });
    }
}

void InputMenus::BuildHelpMenu()
{
    QMenu* help = m_menuBar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* explanations = help->addAction(QStringLiteral("&Explanations"));
    explanations->setObjectName(QStringLiteral("mnuExplanations"));
    // F1 asks for help in whichever of the program's windows it is pressed.
    explanations->setShortcut(QKeySequence::HelpContents);
    explanations->setShortcutContext(Qt::ApplicationShortcut);
    connect(explanations, &QAction::triggered, this, [this] { m_screen.explanations(); });
    QAction* about = help->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("mnuAbout"));
    connect(about, &QAction::triggered, this, &InputMenus::About_Click);
}

void InputMenus::CaseEdited() { ShowTitle(); }

void InputMenus::SelectionAvailable(bool available)
{
    m_export->setEnabled(available);
    m_print->setEnabled(available);
}

bool InputMenus::MayClose() { return MayLeaveCase(); }

bool InputMenus::OpenAtStart(const QString& path) { return OpenFile(path); }

void InputMenus::CaseBegun() { Keep(QString()); }

void InputMenus::UnitChosen(ForceUnit forceUnit)
{
    if (m_kept && m_path.isEmpty()) {
        m_kept->forceUnit = forceUnit;
    }
}

// A new case keeps the run's unit and starts dated today, as the screen
// does at start.
void InputMenus::New_Click()
{
    if (!MayLeaveCase()) {
        return;
    }
    Case fresh;
    fresh.forceUnit = m_screen.read().forceUnit;
    const QDate today = m_toolkit.Today();
    fresh.report[kDate] =
        FormatDate(today.year(), static_cast<unsigned>(today.month()), static_cast<unsigned>(today.day()));
    m_screen.show(fresh);
    Keep(QString());
}

void InputMenus::Open_Click()
{
    if (!MayLeaveCase()) {
        return;
    }
    const QString path = FileName(QStringLiteral("Open Case"), ProgramSettings().LastFolder(), kCaseFilter, false);
    if (!path.isEmpty()) {
        OpenFile(path);
    }
}

void InputMenus::OpenRecent_Show()
{
    m_recent->clear();
    for (const QString& path : ProgramSettings().RecentFiles()) {
        QAction* action = m_recent->addAction(path);
        connect(action, &QAction::triggered, this, [this, path] {
            if (MayLeaveCase() && !OpenFile(path) && !QFileInfo::exists(path)) {
                ProgramSettings().Forget(path);
            }
        });
    }
    m_recent->setEnabled(!m_recent->isEmpty());
}

bool InputMenus::Save_Click() { return m_path.isEmpty() ? SaveAs_Click() : SaveTo(m_path); }

bool InputMenus::SaveAs_Click()
{
    const QString start =
        m_path.isEmpty() ? ProgramSettings().LastFolder() + QStringLiteral("/untitled.vyracase") : m_path;
    const QString path = FileName(QStringLiteral("Save Case As"), start, kCaseFilter, true);
    return !path.isEmpty() && SaveTo(WithSuffix(path, kCaseSuffix));
}

std::string InputMenus::CaseFileName() const
{
    return m_path.isEmpty() ? std::string() : QFileInfo(m_path).fileName().toStdString();
}

std::optional<gfx::ReportRecord> InputMenus::RecordToReport() const
{
    std::optional<gfx::ReportRecord> record = m_screen.lastSelection();
    if (record) {
        record->caseFile = CaseFileName();
    }
    return record;
}

void InputMenus::ExportReport()
{
    std::optional<gfx::ReportRecord> record = RecordToReport();
    if (!record) {
        return;
    }
    const std::optional<ReportChoice> choice =
        AskReportChoice(m_toolkit, m_screen.window, QStringLiteral("Export Report"));
    if (!choice) {
        return;
    }
    record->calculationRecord = choice->calculationRecord;
    const QString start =
        SuggestedPath(gfx::CaseName({record->customer, record->caseFile}), QStringLiteral("report"), kPdfSuffix);
    QString path =
        FileName(QStringLiteral("Export Report as PDF"), start, QStringLiteral("PDF documents (*.pdf)"), true);
    if (path.isEmpty()) {
        return;
    }
    path = WithSuffix(path, kPdfSuffix);
    if (auto written = gfx::WriteDrawnFile(ToPath(path), gfx::DrawReportPdf(*record, choice->paper)); !written) {
        Complain(QStringLiteral("The report could not be exported."), ToPath(path) + ": " + written.Error().reason);
        return;
    }
    ProgramSettings().Remember(path, false);
}

// Each part of the job that meets printer trouble reports it in a box of
// its own, as "Print" on the result screens does.
void InputMenus::PrintReport()
{
    std::optional<gfx::ReportRecord> record = RecordToReport();
    if (!record) {
        return;
    }
    const std::optional<ReportChoice> choice =
        AskReportChoice(m_toolkit, m_screen.window, QStringLiteral("Print Report"));
    if (!choice) {
        return;
    }
    record->calculationRecord = choice->calculationRecord;
    const std::unique_ptr<QPagedPaintDevice> printer = m_toolkit.ChoosePrinter(m_screen.window, choice->paper);
    if (!printer) {
        return;
    }
    gfx::PrintReportOn(printer.get(), *record, [this](const std::string& title, const std::string& message) {
        m_toolkit.ShowMessage(m_screen.window, QString::fromStdString(title), QString::fromStdString(message),
                              BoxIcon::None);
    });
}

void InputMenus::About_Click()
{
    const QString text =
        QStringLiteral("%1 %2\n\nSelects the web-tension sensor for a roller of a paper, film, foil or strip line.\n\n"
                       "Licence: MIT (see the file LICENSE that comes with the program).\n"
                       "Qt %3 (built with %4).")
            .arg(ToQString(kProgramTitle), ToQString(kVersion), QString::fromUtf8(qVersion()),
                 QStringLiteral(QT_VERSION_STR));
    m_toolkit.ShowMessage(m_screen.window, QStringLiteral("About %1").arg(ToQString(kProgramTitle)), text,
                          BoxIcon::Information);
}

// A broken file leaves the screen's case exactly as it was.
bool InputMenus::OpenFile(const QString& path)
{
    const Expected<Case> read = ReadCaseFile(ToPath(path));
    if (!read) {
        Complain(QStringLiteral("The case could not be opened."), read.Error().reason);
        return false;
    }
    m_screen.show(*read);
    Keep(path);
    ProgramSettings().Remember(path, true);
    return true;
}

bool InputMenus::SaveTo(const QString& path)
{
    if (auto written = WriteCaseFile(ToPath(path), m_screen.read()); !written) {
        Complain(QStringLiteral("The case could not be saved."), written.Error().reason);
        return false;
    }
    Keep(path);
    ProgramSettings().Remember(path, true);
    return true;
}

void InputMenus::Keep(const QString& path)
{
    m_path = path;
    m_kept = m_screen.read();
    ShowTitle();
}

bool InputMenus::Changed() const { return m_kept && *m_kept != m_screen.read(); }

bool InputMenus::MayLeaveCase()
{
    if (!Changed()) {
        return true;
    }
    const QString name = m_path.isEmpty() ? QStringLiteral("the new case") : DisplayedName(m_path);
    switch (m_toolkit.AskSave(m_screen.window, QStringLiteral("Save the changes to %1?").arg(name))) {
    case SaveAnswer::Save:
        return Save_Click();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

QString InputMenus::FileName(const QString& caption, const QString& proposed, const QString& filter, bool save)
{
    const FileQuestion question{caption, proposed, filter};
    return save ? m_toolkit.ChooseFileToSave(m_screen.window, question)
                : m_toolkit.ChooseFileToOpen(m_screen.window, question);
}

void InputMenus::ShowTitle()
{
    QWidget& window = *m_screen.window;
    if (m_path.isEmpty()) {
        window.setWindowTitle(ToQString(kProgramTitle));
        window.setWindowModified(false);
        return;
    }
    window.setWindowTitle(QStringLiteral("%1[*] – %2").arg(DisplayedName(m_path), ToQString(kProgramTitle)));
    window.setWindowModified(Changed());
}

void InputMenus::Complain(const QString& text, const std::string& cause)
{
    m_toolkit.ShowMessage(m_screen.window, QString(), text + QLatin1Char('\n') + QString::fromStdString(cause),
                          BoxIcon::Exclamation);
}

}  // namespace vyra::ui
