// Test main of the screen suites: one application for all tests, the
// report's fonts as the program sets them, and a watchdog: a modal screen or
// box that a test left to a real event loop would block the run, so any
// modal widget still up after a few seconds is closed and fails the test.
#include <QApplication>
#include <QFont>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr int kWatchdogMilliseconds = 5000;

void CloseStrayModal()
{
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "a modal screen was left open: " << modal->windowTitle().toStdString();
        modal->close();
    }
}

class NoStrayScreens : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        CloseStrayModal();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            widget->close();
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    QFont::insertSubstitution("Courier New CE", "Liberation Mono");
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &CloseStrayModal);
    watchdog.start(kWatchdogMilliseconds);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoStrayScreens);
    return RUN_ALL_TESTS();
}
