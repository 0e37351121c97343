// Test main of the screen suites: one application for all tests, the fonts
// as the program sets them, and two guards. A modal screen or box that a
// test left to a real event loop would block the run, so any modal widget
// still up after a few seconds is closed and fails the test. A window still
// open when a test has ended fails the run: each test closes what it opens.
#include "PainterCanvas.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr int kWatchdogMilliseconds = 5000;

void CloseStrayModal()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "a modal screen was left open: " << modal->windowTitle().toStdString();
        modal->close();
    }
}

bool windowLeftOpen = false;

class NoStrayScreens : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo& test) override
    {
        CloseStrayModal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible()) {
                std::fprintf(stderr, "%s left the window \"%s\" open\n", test.name(),
                             qPrintable(widget->windowTitle()));
                windowLeftOpen = true;
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
    vyra::gfx::SubstituteCourierNew();
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &CloseStrayModal);
    watchdog.start(kWatchdogMilliseconds);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoStrayScreens);
    const int failed = RUN_ALL_TESTS();
    return windowLeftOpen ? 1 : failed;
}
