#pragma once

#include "ForceUnit.h"
#include "MaterialTableFile.h"
#include "Toolkit.h"

#include <QWidget>

#include <cstdint>
#include <memory>

namespace vyra {
struct Case;
struct CheckFailure;
struct EntryForm;
}  // namespace vyra

namespace vyra::gfx {
struct ReportCustomer;
}  // namespace vyra::gfx

namespace vyra::ui {

// The main input screen, "VyraSensorSelector": customer block, options,
// the ten entry fields, the sketch area and the commands "Select",
// "Image chgange" and "Explanation", in a client area below the menu bar
// of case files. Closing it ends the program.
class FrmInput : public QWidget {
    Q_OBJECT

public:
    explicit FrmInput(Toolkit& toolkit, QWidget* parent = nullptr);
    ~FrmInput() override;

    // Opens the case file named at start, before the screen is shown; the
    // case then gives the unit of force and the unit screen is not shown.
    void OpenAtStart(const QString& path);

private:
    struct Controls;

    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    void SetTabOrder();
    void ConnectHandlers();

    void Form_Load();
    void Form_Activate();
    void cmdResult_Click();
    void cmdImage_Click();
    void OpFulcrum_Click(int item);
    void OpMethod1_Click(int item);
    void txtInput_Change(int item);
    void TensionTool();
    void RollerTool();
    void RangesTool();
    void CompareTool();
    void ShowRangesLine();
    void ExplainOnF1(QDialog& helper, const char* heading);

    void ShowCase(const Case& shown);
    void ShowUnit(ForceUnit forceUnit);
    void DrawOpenedSketch(const EntryForm& form);
    void DrawStartingSketch();
    Case ReadCase() const;
    EntryForm ReadForm() const;
    gfx::ReportCustomer ReadCustomer() const;
    void ShowFailure(const CheckFailure& failure);
    void TakeBackMarks();
    void EnableOneSensorOptions(bool enabled);

    Toolkit& m_toolkit;
    std::unique_ptr<Controls> m_controls;
    // Read at the first opening of the tension helper, not at each.
    RunMaterialTable m_materials{FindUserMaterialFile()};
};

}  // namespace vyra::ui
