#include "Toolkit.h"

#include "Report.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>

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
    QMessageBox box(BoxIconOf(icon), title.isEmpty() ? QString::fromUtf8(gfx::kProgramTitle) : title, shown,
                    QMessageBox::Ok, owner);
    box.exec();
}

void QtToolkit::ShowModal(QDialog& screen) { screen.exec(); }

QDate QtToolkit::Today() const { return QDate::currentDate(); }

std::unique_ptr<QPagedPaintDevice> QtToolkit::DefaultPrinter()
{
    // With printers present but none chosen as default, QPrinter would pick
    // one by itself; the report goes only to the one the user chose.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QString::fromUtf8(gfx::kProgramTitle));
    return printer;
}

void QtToolkit::EndProgram()
{
    QApplication::closeAllWindows();
    QApplication::exit(0);
}

}  // namespace vyra::ui
