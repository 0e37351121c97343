// screenshots FOLDER [kgf|N] [FIELD=TEXT ...] [safe]: starts the input screen
// offscreen, answers the unit screen, types the fields (items 0 to 9 by
// their vyra-select names), presses "Select" and saves input.png,
// result-1.png and result-2.png in FOLDER, for looking at the screens and
// for the README's pictures.
#include "FrmInput.h"
#include "ScriptedToolkit.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <iostream>

namespace {

constexpr std::array<const char*, 10> kFields{"tension", "diameter", "roller-weight", "alpha", "beta",
                                              "gamma", "position", "height", "bearing-weight", "speed"};

template <class Control = QWidget>
Control* Find(const QString& name)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* control = window->findChild<Control*>(name)) {
            return control;
        }
    }
    return nullptr;
}

bool Save(const QString& windowTitle, const QString& path)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == windowTitle) {
            return window->grab().save(path);
        }
    }
    std::cerr << "screenshots: no window " << windowTitle.toStdString() << '\n';
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    if (argc < 2) {
        std::cerr << "usage: screenshots FOLDER [kgf|N] [FIELD=TEXT ...] [safe]\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QString unitButton = QStringLiteral("cmdSel1");
    vyra::test::ScriptedToolkit toolkit;
    vyra::ui::FrmInput input(toolkit);
    for (int i = 2; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("N")) {
            unitButton = QStringLiteral("cmdSel2");
        }
    }
    toolkit.AnswerNextModal([unitButton](QDialog& unitScreen) {
        unitScreen.findChild<QPushButton*>(unitButton)->click();
    });
    input.show();
    for (int round = 0; round < 100 && toolkit.ModalScreensShown() == 0; ++round) {
        QApplication::processEvents();
    }
    for (int i = 2; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("safe")) {
            Find<QRadioButton>(QStringLiteral("OpType(1)"))->click();
        }
        for (std::size_t item = 0; item < kFields.size(); ++item) {
            const QString prefix = QString::fromLatin1(kFields[item]) + '=';
            if (word.startsWith(prefix)) {
                Find<QLineEdit>(QStringLiteral("txtInput(%1)").arg(item))->setText(word.mid(prefix.size()));
            }
        }
    }
    Save(QStringLiteral("VyraSensorSelector"), folder + QStringLiteral("/input.png"));
    Find<QPushButton>(QStringLiteral("cmdResult"))->click();
    QApplication::processEvents();
    for (const vyra::test::ShownMessage& message : toolkit.Messages()) {
        std::cerr << "screenshots: " << message.title.toStdString() << ": " << message.text.toStdString() << '\n';
    }
    const bool saved = Save(QStringLiteral("Selection result 1"), folder + QStringLiteral("/result-1.png"))
                       && Save(QStringLiteral("Selection result 2"), folder + QStringLiteral("/result-2.png"));
    return saved ? 0 : 1;
}
