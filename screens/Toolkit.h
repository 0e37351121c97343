#pragma once

#include <QDate>
#include <QString>

#include <memory>

class QDialog;
class QPagedPaintDevice;
class QWidget;

namespace vyra::ui {

enum class BoxIcon { None, Information, Exclamation };

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
    virtual QDate Today() const = 0;
    // The system's default printer opened for a job, or nothing when there
    // is none.
    virtual std::unique_ptr<QPagedPaintDevice> DefaultPrinter() = 0;
    // Ends the program at once: every screen goes.
    virtual void EndProgram() = 0;
};

// The toolkit of the running program, on Qt's own boxes and dialogs.
class QtToolkit : public Toolkit {
public:
    void ShowMessage(QWidget* owner, const QString& title, const QString& text, BoxIcon icon) override;
    void ShowModal(QDialog& screen) override;
    QDate Today() const override;
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override;
    void EndProgram() override;
};

}  // namespace vyra::ui
