#pragma once

#include "ExplanationFiles.h"
#include "Toolkit.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCloseEvent;
class QPushButton;

namespace vyra::ui {

// The explanation menu, "Selecting explanations": one button per document
// and "Return" (or Escape). Modeless: the other screens stay usable beside
// it.
class FrmExplanation : public QWidget {
    Q_OBJECT

public:
    static constexpr int kDocumentCount = 5;

    // documentName is the run's document name, written here and read by the
    // viewer; it, toolkit and files outlive the menu. unload is asked of the
    // owner on "Return" and on the window's close command.
    FrmExplanation(Toolkit& toolkit, const ExplanationFiles& files, QString& documentName,
                   std::function<void()> unload);

    // cmdExplain item 0 to 4: names the item's document, then shows the
    // viewer modally; returns once the viewer is closed.
    void ShowExplanation(int item);

    QPushButton& CmdExplain(int item) const { return *m_cmdExplain.at(static_cast<std::size_t>(item)); }
    QPushButton& CmdReturn() const { return *m_cmdReturn; }

    // Cuts the menu off its owner before it goes, so that closing it after
    // that asks nothing of an owner that may be gone.
    void Detach() { m_unload = {}; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Toolkit& m_toolkit;
    const ExplanationFiles& m_files;
    QString& m_documentName;
    std::function<void()> m_unload;
    std::array<QPushButton*, kDocumentCount> m_cmdExplain{};
    QPushButton* m_cmdReturn = nullptr;
};

// The explanation menu of the input screen and the run's document name: the
// menu is created when first shown and destroyed when unloaded, or with
// this at the latest.
class ExplanationScreens {
public:
    ExplanationScreens(Toolkit& toolkit, const ExplanationFiles& files);
    ~ExplanationScreens();
    ExplanationScreens(const ExplanationScreens&) = delete;
    ExplanationScreens& operator=(const ExplanationScreens&) = delete;

    // "Explanation": shows the menu, or brings it to the front when it is
    // already open.
    void Show();
    // The menu's "Return" or its window's close command.
    void Unload();
    // The viewer over owner, opened at heading of the document name: help
    // asked for in a modal screen, behind which the menu could not be used.
    void ShowDocument(const QString& name, const QString& heading, QWidget& owner);

    // The open menu, or null.
    FrmExplanation* Menu() const { return m_menu.get(); }
    // Empty until a document button has been pressed; then the last
    // document named.
    const QString& DocumentName() const { return m_documentName; }

private:
    Toolkit& m_toolkit;
    const ExplanationFiles& m_files;
    QString m_documentName;
    std::unique_ptr<FrmExplanation> m_menu;
};

}  // namespace vyra::ui
