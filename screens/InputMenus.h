#pragma once

#include "Case.h"
#include "ReportRecord.h"
#include "Toolkit.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace vyra::ui {

// What the menu commands need of the input screen.
struct CaseScreen {
    QWidget* window = nullptr;
    // The case as the screen holds it now.
    std::function<Case()> read;
    // Fills every field and option as if typed.
    std::function<void(const Case&)> show;
    // The report of the last successful "Select" with the customer block as
    // it stands now and the charts page, or nothing.
    std::function<std::optional<gfx::ReportRecord>()> lastSelection;
    std::function<void()> explanations;
    // The helpers of the Tools menu.
    std::function<void()> tensionTool;
    std::function<void()> rollerTool;
    std::function<void()> rangesTool;
    // File > Compare…
    std::function<void()> compareTool;
};

// The input screen's menu bar and the case file the screen works on: the
// window title, the question about unsaved changes, the recent files and
// the last folder, kept between runs.
class InputMenus : public QObject {
public:
    InputMenus(Toolkit& toolkit, CaseScreen screen);

    // Owned by the screen's window.
    QMenuBar* MenuBar() const { return m_menuBar; }
    // After every edit of the screen: the title's "*" follows.
    void CaseEdited();
    // Export and Print follow whether a selection is there to report.
    void SelectionAvailable(bool available);
    // Asks about unsaved changes once case files are in use; false: stay.
    bool MayClose();
    // Opens the case named when the program was started; a broken file
    // shows its message. True when the case was opened.
    bool OpenAtStart(const QString& path);
    // The screen's starting entries are the case a run begins with: leaving
    // them once they are changed asks first.
    void CaseBegun();
    // The unit chosen at start belongs to the starting case.
    void UnitChosen(ForceUnit forceUnit);
    // Export Report as PDF… and Print… of the menu, which the result
    // screens' keys run too: the whole report, on the paper and with or
    // without the calculation record as asked first.
    void ExportReport();
    void PrintReport();
    // The name of the screen's case file without its folder; empty while
    // there is none. Printed pages name it.
    std::string CaseFileName() const;

private:
    void BuildFileMenu();
    void BuildToolsMenu();
    void BuildHelpMenu();

    void New_Click();
    void Open_Click();
    void OpenRecent_Show();
    bool Save_Click();
    bool SaveAs_Click();
    void About_Click();

    bool OpenFile(const QString& path);
    bool SaveTo(const QString& path);
    // Keeps what the screen now holds as the case of path.
    void Keep(const QString& path);
    bool Changed() const;
    // Save, Discard or Cancel when the case has changed; false: cancelled.
    bool MayLeaveCase();
    // The last selection as the report prints it now.
    std::optional<gfx::ReportRecord> RecordToReport() const;
    QString FileName(const QString& caption, const QString& proposed, const QString& filter, bool save);
    void ShowTitle();
    void Complain(const QString& text, const std::string& cause);

    Toolkit& m_toolkit;
    CaseScreen m_screen;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_recent = nullptr;
    QAction* m_export = nullptr;
    QAction* m_print = nullptr;
    // The case file of the screen; empty while there is none.
    QString m_path;
    // The case as the run began it, or as last opened, saved or begun with
    // New.
    std::optional<Case> m_kept;
};

}  // namespace vyra::ui
