#include "FrmInit.h"

#include "Placement.h"
#include "RunState.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace vyra::ui {

namespace {

// Client area of the unit screen, twips: one button wider than the two-unit
// screen was, so that "[lbf]" sits beside "[N]" and "Exit" keeps the right end.
constexpr double kClientWidth = 6000;
constexpr double kClientHeight = 1770;
constexpr double kCaptionPoints = 11.25;

QPushButton* AddButton(QWidget& screen, const char* name, const char* caption, double left)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), &screen);
    button->setObjectName(QString::fromUtf8(name));
    button->setFont(CourierNew(kCaptionPoints));
    Place(*button, {left, 960, 1095, 495});
    return button;
}

}  // namespace

FrmInit::FrmInit(Toolkit& toolkit, QWidget* parent) : QDialog(parent), m_toolkit(toolkit)
{
    setObjectName(QStringLiteral("frmInit"));
    setWindowTitle(QStringLiteral("Settting units"));
    setFont(CourierNew(9));
    setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));

    // Created in tab order: the buttons take the focus in this order.
    QPushButton* cmdSel1 = AddButton(*this, "cmdSel1", "[Kgf]", 480);
    QPushButton* cmdSel2 = AddButton(*this, "cmdSel2", "[N]", 1800);
    auto* label1 = new QLabel(QStringLiteral(" Select the units."), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(CourierNew(kCaptionPoints));
    Place(*label1, {360, 360, 3975, 255});
    QPushButton* cmdSel3 = AddButton(*this, "cmdSel3", "[lbf]", 3120);
    QPushButton* cmdExit = AddButton(*this, "cmdExit", "Exit", 4440);
    setTabOrder(cmdSel1, cmdSel2);
    setTabOrder(cmdSel2, cmdSel3);
    setTabOrder(cmdSel3, cmdExit);

    connect(cmdSel1, &QPushButton::clicked, this, [this] { Choose(kKgf); });
    connect(cmdSel2, &QPushButton::clicked, this, [this] { Choose(kNewton); });
    connect(cmdSel3, &QPushButton::clicked, this, [this] { Choose(kLbf); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { m_toolkit.EndProgram(); });

    CentreOnDisplay(*this);
}

void FrmInit::Choose(vyra::ForceUnit forceUnit)
{
    m_forceUnit = forceUnit;
    accept();
}

}  // namespace vyra::ui
