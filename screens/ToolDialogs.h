#pragma once

#include "ForceUnit.h"
#include "HelperTexts.h"
#include "RollerDrawing.h"
#include "Toolkit.h"
#include "WebTension.h"

#include <QDialog>

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vyra::ui {

// What a helper puts into the input screen: the field texts and the record
// of where they came from.
struct TensionChoice {
    std::string tension;  // in the run's unit
    TensionOrigin origin;
};

struct RollerChoice {
    RollerFieldTexts fields;  // in the run's units
    RollerDrawing drawing;
};

// "Tension from material": the running tension range of a web from its
// material, width and thickness or grammage (or a laminate's layers), in
// the run's unit and per width (N/m, pli in an lbf run), with the share of the break load the entered
// tension is. "Use" takes the chosen value of the range.
class FrmTension : public QDialog {
public:
    FrmTension(const MaterialTable& table, ForceUnit forceUnit, std::optional<double> entered,
               const std::optional<TensionOrigin>& start, QWidget* parent);

    const std::optional<TensionChoice>& Choice() const { return m_choice; }

private:
    Expected<TensionAdvice> Advise() const;
    void cmdShow_Click();
    void cmdUse_Click();

    const MaterialTable& m_table;
    ForceUnit m_forceUnit;
    std::optional<double> m_entered;
    QComboBox* m_cboMaterial = nullptr;
    QLineEdit* m_txtWidth = nullptr;
    QLineEdit* m_txtThickness = nullptr;
    QLineEdit* m_txtGrammage = nullptr;
    QLineEdit* m_txtLayers = nullptr;
    QComboBox* m_cboPick = nullptr;
    QLabel* m_lblAdvice = nullptr;
    std::optional<TensionChoice> m_choice;
};

// "Roller from drawing": a tube roller's weight, sag and first critical
// speed from its diameters, face length and material (mm and kg, in and lb
// in an lbf run), with the share of that speed the entered line speed
// (m/min) is. "Use" takes the weight and the outer diameter.
class FrmRoller : public QDialog {
public:
    FrmRoller(ForceUnit forceUnit, std::optional<double> lineSpeed, const std::optional<RollerDrawing>& start,
              QWidget* parent);

    const std::optional<RollerChoice>& Choice() const { return m_choice; }

private:
    Expected<RollerDrawing> Drawing() const;
    void cmdShow_Click();
    void cmdUse_Click();

    ForceUnit m_forceUnit;
    std::optional<double> m_lineSpeed;
    QLineEdit* m_txtOd = nullptr;
    QLineEdit* m_txtId = nullptr;
    QLineEdit* m_txtFace = nullptr;
    QComboBox* m_cboMaterial = nullptr;
    QLineEdit* m_txtDensity = nullptr;
    QLineEdit* m_txtModulus = nullptr;
    QLineEdit* m_txtJournals = nullptr;
    QLineEdit* m_txtLoad = nullptr;
    QLabel* m_lblLimits = nullptr;
    std::optional<RollerChoice> m_choice;
};

}  // namespace vyra::ui
