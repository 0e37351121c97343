#pragma once

#include "ForceUnit.h"
#include "Toolkit.h"

#include <QDialog>

#include <cstdint>

namespace vyra::ui {

// The unit screen, "Settting units": the unit of force, chosen once per run.
// "[Kgf]", "[N]" and "[lbf]" choose and close, closing the window keeps kgf, "Exit"
// ends the program.
class FrmInit : public QDialog {
    Q_OBJECT

public:
    explicit FrmInit(Toolkit& toolkit, QWidget* parent = nullptr);

    vyra::ForceUnit ForceUnit() const { return m_forceUnit; }

private:
    void Choose(vyra::ForceUnit forceUnit);

    Toolkit& m_toolkit;
    vyra::ForceUnit m_forceUnit = kKgf;
};

}  // namespace vyra::ui
