// Test main of the screen suites: one application for all tests, the
// report's fonts as the program sets them, and a check after every test
// that no modal screen was left open.
#include <QApplication>
#include <QFont>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoStrayScreens : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a modal screen was left open: " << modal->windowTitle().toStdString();
            modal->close();
        }
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
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new NoStrayScreens);
    return RUN_ALL_TESTS();
}
