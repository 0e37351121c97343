#include "FrmInput.h"
#include "PainterCanvas.h"
#include "Toolkit.h"
#include "Version.h"

#include <QApplication>

#include <csignal>
#include <cstring>
#include <iostream>

int main(int argc, char** argv)
{
    // Answered before the toolkit starts, so that it needs no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "VyraSensorSelector " << vyra::kVersion << '\n';
        return 0;
    }
    // A file-size limit then fails a write with a message instead of ending
    // the program halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    vyra::gfx::SubstituteCourierNew();
    vyra::ui::QtToolkit toolkit;
    vyra::ui::FrmInput input(toolkit);
    // A case file named at start, as a file manager names it.
    if (const QStringList words = QApplication::arguments(); words.size() == 2) {
        input.OpenAtStart(words[1]);
    }
    input.show();
    return QApplication::exec();
}
