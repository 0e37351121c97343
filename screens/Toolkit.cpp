#include "Toolkit.h"

#include "Captions.h"
#include "PrinterJob.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPrinter>

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

QDate QtToolkit::Today() const { return QDate::currentDate(); }

std::unique_ptr<QPagedPaintDevice> QtToolkit::DefaultPrinter() { return gfx::OpenDefaultPrinter(); }

void QtToolkit::EndProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

}  // namespace vyra::ui
