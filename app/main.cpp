#include "FrmInput.h"
#include "PainterCanvas.h"
#include "Toolkit.h"
#include "Version.h"

#include <QApplication>

#include <csignal>
#include <cstring>
#include <exception>
#include <iostream>

namespace {

int RunProgram(int argc, char** argv)
{
    // Answered before the toolkit starts, so that they need no display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "VyraSensorSelector " << vyra::kVersion << '\n';
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << "Usage: VyraSensorSelector [FILE.vyracase]\n"
                     "Selects the web-tension sensor for one roller: enter the case, press \"Select\".\n"
                     "FILE.vyracase opens that case at start, in the unit of force it was saved in.\n"
                     "  --help     Print this help and exit\n"
                     "  --version  Print the version and exit\n";
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

}  // namespace

int main(int argc, char** argv)
{
    // The last guard: an exception ends the program with a message instead
    // of an abort.
    try {
        const int status = RunProgram(argc, argv);
        std::cout.flush();
        if (!std::cout) {
            std::cerr << "VyraSensorSelector: cannot write standard output\n";
            return 3;
        }
        return status;
    } catch (const std::exception& failure) {
        std::cerr << "VyraSensorSelector: unexpected failure: " << failure.what() << '\n';
    } catch (...) {
        std::cerr << "VyraSensorSelector: unexpected failure\n";
    }
    return 4;
}
