#pragma once

#include "Toolkit.h"

#include <QDialog>

#include <cstdint>

class QFont;

namespace vyra::ui {

// The screens' face: Courier New at the given size in points.
QFont CourierNew(double points, bool bold = false);

// Stands a top-level screen in the middle of its display; screens do this
// when they load, before they are shown.
void CentreOnDisplay(QWidget& screen);

// The unit screen, "Settting units": the unit of force, chosen once per run.
// "[Kgf]" and "[N]" choose and close, closing the window keeps kgf, "Exit"
// ends the program.
class FrmInit : public QDialog {
    Q_OBJECT

public:
    explicit FrmInit(Toolkit& toolkit, QWidget* parent = nullptr);

    // 0 kgf, 1 N.
    std::int16_t ForceUnit() const { return m_forceUnit; }

private:
    void Choose(std::int16_t forceUnit);

    Toolkit& m_toolkit;
    std::int16_t m_forceUnit = 0;
};

}  // namespace vyra::ui
