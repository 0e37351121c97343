// Test main of the screen suites: one application in German (the program
// speaks English whatever the system's language), the program's fonts and
// two guards. A modal widget left up for seconds (it would block the run) is
// closed and fails the test; so does a window a test left open.
#include "PainterCanvas.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

void CloseStrayModal()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "a modal screen was left open: " << modal->windowTitle().toStdString();
        modal->close();
    }
}

struct NoStrayScreens : ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible()) {
                ADD_FAILURE() << "the window \"" << widget->windowTitle().toStdString() << "\" was left open";
                widget->close();
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's settings (recent files, last folder) go to a folder of
    // this run, never the user's.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    vyra::gfx::SubstituteCourierNew();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &CloseStrayModal);
    watchdog.start(5000);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoStrayScreens);
    return RUN_ALL_TESTS();
}
