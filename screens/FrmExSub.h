#pragma once

#include "ExplanationFiles.h"
#include "Toolkit.h"

#include <QDialog>
#include <QString>

class QPushButton;
class QTextEdit;

namespace vyra::ui {

// The document viewer, "Explanations": one explanation document in a
// read-only rich-text view, and "Return" (or Escape). Shown modally over the
// whole program; each opening builds it afresh and reads the document
// again. It opens at the size it had when last closed and may be resized.
class FrmExSub : public QDialog {
    Q_OBJECT

public:
    // Loads the document called documentName through files while it is
    // built, before it is shown; an empty name loads nothing. A failure is
    // told in a message box through toolkit and leaves the view empty.
    FrmExSub(Toolkit& toolkit, const ExplanationFiles& files, const QString& documentName, QWidget* parent = nullptr);

    QTextEdit& RichTextBox1() const { return *m_richTextBox1; }
    QPushButton& CmdReturn() const { return *m_cmdReturn; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void PlaceContent(QSize size);
    void LoadExplanation(const ExplanationFiles& files, const QString& documentName);
    void ShowFileError(int code);

    Toolkit& m_toolkit;
    QTextEdit* m_richTextBox1;
    QPushButton* m_cmdReturn;
};

}  // namespace vyra::ui
