#pragma once

#include <QDate>
#include <QPageSize>
#include <QString>

#include <memory>

class QDialog;
class QPagedPaintDevice;
class QWidget;

namespace vyra::ui {

enum class BoxIcon { None, Information, Exclamation };

// A long task's progress in a box with a Cancel button, there until it is
// destroyed.
class ProgressBox {
public:
    virtual ~ProgressBox() = default;
    // How much of the total is done; false once Cancel was pressed.
    virtual bool Advance(double done) = 0;
};

// The answer to "save the changed case first?".
enum class SaveAnswer { Save, Discard, Cancel };

// A file dialog's request: its caption, the file or folder it starts at,
// and its filter ("Case files (*.vyracase)").
struct FileQuestion {
    QString caption;
    QString start;
    QString filter;
};

// What the screens need of the world outside them: message boxes, modal
// screens, the date, the printer and the end of the program. Every message
// box and modal screen goes through here, so that tests can answer them
// without a human and without blocking.
class Toolkit {
public:
    virtual ~Toolkit() = default;

    // A modal box with one OK button over owner; returns once it is
    // dismissed. An empty title bears the program's title.
    virtual void ShowMessage(QWidget* owner, const QString& title, const QString& text, BoxIcon icon) = 0;
    // Shows the screen modally; returns once it is closed.
    virtual void ShowModal(QDialog& screen) = 0;
    // Save, Discard or Cancel, asked over owner with the text.
    virtual SaveAnswer AskSave(QWidget* owner, const QString& text) = 0;
    // The file chosen to open, or to save to (an existing one confirmed
    // for replacing); empty when the dialog was cancelled.
    virtual QString ChooseFileToOpen(QWidget* owner, const FileQuestion& question) = 0;
    virtual QString ChooseFileToSave(QWidget* owner, const FileQuestion& question) = 0;
    virtual QDate Today() const = 0;
    // A progress box over owner saying text, for a task of total steps.
    virtual std::unique_ptr<ProgressBox> ShowProgress(QWidget* owner, const QString& text, double total) = 0;
    // The system's default printer opened for a job, or nothing when there
    // is none.
    virtual std::unique_ptr<QPagedPaintDevice> DefaultPrinter() = 0;
    // The printer, copies and paper chosen in the print dialog, which opens
    // on the paper given, or nothing when it was cancelled.
    virtual std::unique_ptr<QPagedPaintDevice> ChoosePrinter(QWidget* owner, QPageSize::PageSizeId paper) = 0;
    // Ends the program at once: every screen goes.
    virtual void EndProgram() = 0;
};

// For tools that drive the screens without a human: every question about
// unsaved changes, file dialog and print dialog is cancelled.
class CancellingToolkit : public Toolkit {
public:
    SaveAnswer AskSave(QWidget*, const QString&) override { return SaveAnswer::Cancel; }
    QString ChooseFileToOpen(QWidget*, const FileQuestion&) override { return {}; }
    QString ChooseFileToSave(QWidget*, const FileQuestion&) override { return {}; }
    std::unique_ptr<QPagedPaintDevice> ChoosePrinter(QWidget*, QPageSize::PageSizeId) override;
    // No one is there to cancel: the task runs to its end.
    std::unique_ptr<ProgressBox> ShowProgress(QWidget*, const QString&, double) override;
};

// The toolkit of the running program, on Qt's own boxes and dialogs.
class QtToolkit : public Toolkit {
public:
    void ShowMessage(QWidget* owner, const QString& title, const QString& text, BoxIcon icon) override;
    void ShowModal(QDialog& screen) override;
    SaveAnswer AskSave(QWidget* owner, const QString& text) override;
    QString ChooseFileToOpen(QWidget* owner, const FileQuestion& question) override;
    QString ChooseFileToSave(QWidget* owner, const FileQuestion& question) override;
    QDate Today() const override;
    std::unique_ptr<ProgressBox> ShowProgress(QWidget* owner, const QString& text, double total) override;
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override;
    std::unique_ptr<QPagedPaintDevice> ChoosePrinter(QWidget* owner, QPageSize::PageSizeId paper) override;
    void EndProgram() override;
};

}  // namespace vyra::ui
