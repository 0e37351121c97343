#include "Toolkit.h"

#include "Captions.h"
#include "PrinterJob.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>

#include <algorithm>

namespace vyra::ui {

namespace {

QMessageBox::Icon BoxIconOf(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Information:
        return QMessageBox::Information;
    case BoxIcon::Exclamation:
        return QMessageBox::Warning;
    case BoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Steps of the bar: a task's total may pass what an int holds.
constexpr int kProgressSteps = 1000;

class QtProgressBox : public ProgressBox {
public:
    QtProgressBox(QWidget* owner, const QString& text, double total)
        : m_dialog(text, QStringLiteral("Cancel"), 0, kProgressSteps, owner), m_total(total)
    {
        m_dialog.setWindowTitle(QString::fromUtf8(kProgramTitle));
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setValue(0);
    }
    // A modal progress dialog lets events through as it moves, Cancel
    // among them.
    bool Advance(double done) override
    {
        m_dialog.setValue(static_cast<int>(kProgressSteps * std::min(done / m_total, 1.0)));
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    double m_total;
};

class RunningBox : public ProgressBox {
public:
    bool Advance(double) override { return true; }
};

}  // namespace

void QtToolkit::ShowMessage(QWidget* owner, const QString& title, const QString& text, BoxIcon icon)
{
    // A carriage return breaks the line, as it always did in these messages.
    QString shown = text;
    shown.replace(QChar('\r'), QChar('\n'));
    QMessageBox box(BoxIconOf(icon), title.isEmpty() ? QString::fromUtf8(kProgramTitle) : title, shown, QMessageBox::Ok,
                    owner);
    box.exec();
}

void QtToolkit::ShowModal(QDialog& screen) { screen.exec(); }

SaveAnswer QtToolkit::AskSave(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kProgramTitle), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    // Alt+S, Alt+D and Escape answer it from the keyboard.
    box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

QString QtToolkit::ChooseFileToOpen(QWidget* owner, const FileQuestion& question)
{
    return QFileDialog::getOpenFileName(owner, question.caption, question.start, question.filter);
}

QString QtToolkit::ChooseFileToSave(QWidget* owner, const FileQuestion& question)
{
    return QFileDialog::getSaveFileName(owner, question.caption, question.start, question.filter);
}

QDate QtToolkit::Today() const { return QDate::currentDate(); }

std::unique_ptr<ProgressBox> QtToolkit::ShowProgress(QWidget* owner, const QString& text, double total)
{
    return std::make_unique<QtProgressBox>(owner, text, total);
}

std::unique_ptr<ProgressBox> CancellingToolkit::ShowProgress(QWidget*, const QString&, double)
{
    return std::make_unique<RunningBox>();
}

std::unique_ptr<QPagedPaintDevice> QtToolkit::DefaultPrinter() { return gfx::OpenDefaultPrinter(); }

std::unique_ptr<QPagedPaintDevice> CancellingToolkit::ChoosePrinter(QWidget*, QPageSize::PageSizeId) { return nullptr; }

std::unique_ptr<QPagedPaintDevice> QtToolkit::ChoosePrinter(QWidget* owner, QPageSize::PageSizeId paper)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(QString::fromUtf8(kProgramTitle));
    printer->setPageSize(QPageSize(paper));
    QPrintDialog dialog(printer.get(), owner);
    // The report is always printed whole.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    return printer;
}

void QtToolkit::EndProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

}  // namespace vyra::ui
