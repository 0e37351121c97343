#pragma once

#include "Comparison.h"
#include "Toolkit.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vyra::ui {

// "Compare cases": two to four cases side by side, as vyra-select --compare
// sets them out. The case on screen, saved or not, is the first until it is
// removed; case files are added one at a time. A cell that differs from the
// first case's is bold with "*", the best verdict of a model's row shaded
// and in brackets. The comparison exports to PDF and prints on the paper
// chosen beside those buttons.
class FrmCompare : public QDialog {
public:
    // onScreen: the case on screen under the name of its column.
    FrmCompare(Toolkit& toolkit, const ComparedCase& onScreen, QWidget* parent);

private:
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdExport_Click();
    void cmdPrint_Click();
    void ShowCases();
    void ShowTable();
    void Complain(const QString& text, const std::string& cause);

    Toolkit& m_toolkit;
    std::vector<ComparedCase> m_cases;
    Comparison m_comparison;
    QListWidget* m_lstCases = nullptr;
    QTableWidget* m_grdCompare = nullptr;
    // The differences and each refused case's message.
    QLabel* m_lblNotes = nullptr;
    QCheckBox* m_chkDifferences = nullptr;
    QComboBox* m_cboPaper = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdRemove = nullptr;
    QPushButton* m_cmdExport = nullptr;
    QPushButton* m_cmdPrint = nullptr;
};

// The name of the case on screen's column: its case file's with "(on
// screen)", or "On screen" while it has none.
std::string OnScreenName(const std::string& caseFile);

}  // namespace vyra::ui
