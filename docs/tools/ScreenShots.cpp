// screenshots FOLDER [kgf|N] [FIELD=TEXT ...] [range:FIELD=LOW:HIGH ...] [safe] [compare:FILE ...]:
// starts the input screen offscreen, answers the unit screen, types the
// fields (items 0 to 9 by their vyra-select names) and the ranges (saving
// frmRanges.png), presses "Select" and saves input.png,
// result-1.png and result-2.png in FOLDER, then charts.png, the two helpers
// (frmTension.png, frmRoller.png) and viewer.png (the fifth explanation
// document, read from the working directory), and with case files to
// compare, frmCompare.png and frmCompare-differences.png, for
// looking at the screens and for the README's pictures.
#include "Case.h"
#include "FrmInput.h"
#include "PainterCanvas.h"
#include "Toolkit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <iostream>
#include <memory>

namespace {

// Answers the unit screen with the chosen button and prints any message.
class ShotToolkit : public vyra::ui::CancellingToolkit {
public:
    QString unitButton = QStringLiteral("cmdSel1");
    QString folder;
    int modalScreens = 0;
    // "FIELD=LOW:HIGH" for the ranges dialog.
    QStringList ranges;
    // The case files File > Compare… adds to the case on screen.
    QStringList compared;
    int addedToCompare = 0;

    QString ChooseFileToOpen(QWidget*, const vyra::ui::FileQuestion&) override
    {
        return addedToCompare < compared.size() ? compared[addedToCompare++] : QString();
    }

    void ShowMessage(QWidget*, const QString& title, const QString& text, vyra::ui::BoxIcon) override
    {
        std::cerr << "screenshots: " << title.toStdString() << ": " << text.toStdString() << '\n';
    }
    void ShowModal(QDialog& screen) override
    {
        ++modalScreens;
        screen.show();
        if (screen.objectName() == QLatin1String("frmTension") || screen.objectName() == QLatin1String("frmRoller")) {
            // A PET film and a steel tube, as the README shows them; in
            // inches in an lbf run.
            const bool inches = unitButton == QLatin1String("cmdSel3");
            for (const auto& [name, text] : {std::pair{"txtWidth", inches ? "40" : "1000"},
                                             {"txtThickness", "12"},
                                             {"txtTubeOd", inches ? "4" : "100"},
                                             {"txtTubeId", inches ? "3.5" : "90"},
                                             {"txtFace", inches ? "40" : "1000"}}) {
                if (auto* field = screen.findChild<QLineEdit*>(QString::fromLatin1(name))) {
                    field->setText(QString::fromLatin1(text));
                }
            }
            if (auto* material = screen.findChild<QComboBox*>(QStringLiteral("cboMaterial"))) {
                material->setCurrentText(QStringLiteral("PET"));
            }
            screen.findChild<QPushButton*>(QStringLiteral("cmdShow"))->click();
            screen.adjustSize();
            QApplication::processEvents();
            screen.grab().save(folder + QLatin1Char('/') + screen.objectName() + QStringLiteral(".png"));
            screen.reject();
            return;
        }
        if (screen.objectName() == QLatin1String("frmRanges")) {
            FillRanges(screen);
            return;
        }
        if (screen.objectName() == QLatin1String("frmCompare")) {
            for (qsizetype k = 0; k < compared.size(); ++k) {
                screen.findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
            }
            QApplication::processEvents();
            screen.grab().save(folder + QStringLiteral("/frmCompare.png"));
            screen.findChild<QCheckBox*>(QStringLiteral("chkDifferences"))->setChecked(true);
            QApplication::processEvents();
            screen.grab().save(folder + QStringLiteral("/frmCompare-differences.png"));
            screen.reject();
            return;
        }
        if (screen.objectName() == QLatin1String("frmExSub")) {
            QApplication::processEvents();
            screen.grab().save(folder + QStringLiteral("/viewer.png"));
            screen.reject();
            return;
        }
        QApplication::processEvents();
        screen.grab().save(folder + QStringLiteral("/unit.png"));
        screen.findChild<QPushButton*>(unitButton)->click();
    }
    QDate Today() const override { return {2026, 12, 6}; }
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override { return nullptr; }
    void EndProgram() override { }

private:
    void FillRanges(QDialog& screen) const
    {
        for (const QString& range : ranges) {
            const QString name = range.section('=', 0, 0);
            const QStringList ends = range.section('=', 1).split(':');
            for (std::size_t item = 0; item < vyra::kFieldNames.size(); ++item) {
                if (name == QLatin1String(vyra::kFieldNames[item]) && ends.size() == 2) {
                    screen.findChild<QLineEdit*>(QStringLiteral("txtLow%1").arg(item))->setText(ends[0]);
                    screen.findChild<QLineEdit*>(QStringLiteral("txtHigh%1").arg(item))->setText(ends[1]);
                }
            }
        }
        QApplication::processEvents();
        screen.grab().save(folder + QStringLiteral("/frmRanges.png"));
        screen.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    }
};

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
        if (window->isVisible() && window->windowTitle().startsWith(windowTitle)) {
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
    vyra::gfx::SubstituteCourierNew();
    if (argc < 2) {
        std::cerr << "usage: screenshots FOLDER [kgf|N|lbf] [FIELD=TEXT ...] [safe]\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    ShotToolkit toolkit;
    toolkit.folder = folder;
    for (int i = 2; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("N")) {
            toolkit.unitButton = QStringLiteral("cmdSel2");
        } else if (word == QLatin1String("lbf")) {
            toolkit.unitButton = QStringLiteral("cmdSel3");
        }
    }
    vyra::ui::FrmInput input(toolkit);
    input.show();
    for (int round = 0; round < 100 && toolkit.modalScreens == 0; ++round) {
        QApplication::processEvents();
    }
    for (int i = 2; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("safe")) {
            Find<QRadioButton>(QStringLiteral("OpType(1)"))->click();
        }
        if (word.startsWith(QLatin1String("range:"))) {
            toolkit.ranges << word.mid(6);
            continue;
        }
        if (word.startsWith(QLatin1String("compare:"))) {
            toolkit.compared << word.mid(8);
            continue;
        }
        for (std::size_t item = 0; item < vyra::kFieldNames.size(); ++item) {
            const QString prefix = QString::fromLatin1(vyra::kFieldNames[item]) + '=';
            if (word.startsWith(prefix)) {
                Find<QLineEdit>(QStringLiteral("txtInput(%1)").arg(item))->setText(word.mid(prefix.size()));
            }
        }
    }
    if (!toolkit.ranges.isEmpty()) {
        Find<QAction>(QStringLiteral("mnuRanges"))->trigger();
    }
    Save(QStringLiteral("VyraSensorSelector"), folder + QStringLiteral("/input.png"));
    Find<QPushButton>(QStringLiteral("cmdResult"))->click();
    QApplication::processEvents();
    bool saved = Save(QStringLiteral("Selection result 1"), folder + QStringLiteral("/result-1.png"))
                 && Save(QStringLiteral("Selection result 2"), folder + QStringLiteral("/result-2.png"));
    // A refused case opens no result screens, so there is no Charts button.
    if (auto* charts = Find<QPushButton>(QStringLiteral("cmdCharts"))) {
        charts->click();
    }
    if (auto* weight = Find<QLineEdit>(QStringLiteral("txtWeight"))) {
        weight->setText(QStringLiteral("5"));
        Find<QPushButton>(QStringLiteral("cmdCalculate"))->click();
    }
    QApplication::processEvents();
    // The whole of the charts, whatever part of them the window shows on
    // this display.
    QWidget* chartsPage = Find(QStringLiteral("chartsPage"));
    saved = saved && chartsPage != nullptr && chartsPage->grab().save(folder + QStringLiteral("/charts.png"));
    if (!toolkit.compared.isEmpty()) {
        Find<QAction>(QStringLiteral("mnuCompare"))->trigger();
    }
    Find<QAction>(QStringLiteral("mnuTension"))->trigger();
    Find<QAction>(QStringLiteral("mnuRoller"))->trigger();
    Find<QPushButton>(QStringLiteral("cmdExplanation"))->click();
    Find<QPushButton>(QStringLiteral("cmdExplain(4)"))->click();
    return saved ? 0 : 1;
}
