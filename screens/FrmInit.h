#pragma once

#include "Toolkit.h"

#include <QDialog>

#include <cstdint>

namespace vyra::ui {

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
