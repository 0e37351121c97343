// Test main of the Qt suites: one application in German (the program speaks
// English whatever the system's language), the program's fonts and three
// guards. A window larger than the screen fails the test. A modal widget
// left up for seconds (it would block the run) is closed and fails the test;
// so does a window a test left open.
#include "PainterCanvas.h"

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

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

// The screens are driven on an offscreen display of 800 x 800 pixels, on
// which every screen must fit.
struct WindowsFitTheScreen : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && window != nullptr && window->isWindow()) {
            const QRect area = window->screen()->availableGeometry();
            if (window->width() > area.width() || window->height() > area.height()) {
                ADD_FAILURE() << "the window \"" << window->windowTitle().toStdString()
                              << "\" is larger than the screen";
            }
        }
        return false;
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
    WindowsFitTheScreen windowsFit;
    application.installEventFilter(&windowsFit);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a modal screen was left open: " << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    watchdog.start(5000);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoStrayScreens);
    return RUN_ALL_TESTS();
}
