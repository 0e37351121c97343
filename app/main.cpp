#include "FrmInput.h"
#include "Toolkit.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The screens are laid out in Courier New; Liberation Mono has its metrics.
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    QFont::insertSubstitution("Courier New CE", "Liberation Mono");
    vyra::ui::QtToolkit toolkit;
    vyra::ui::FrmInput input(toolkit);
    input.show();
    return QApplication::exec();
}
