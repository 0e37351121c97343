#pragma once

#include "Charts.h"
#include "Toolkit.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vyra::ui {

// A white area that draws on the canvas whatever it is given, again on
// every repaint.
class CanvasArea : public QWidget {
public:
    explicit CanvasArea(QWidget* parent);
    void SetDrawing(std::function<void(gfx::Canvas&)> draw);

private:
    void paintEvent(QPaintEvent* event) override;

    std::function<void(gfx::Canvas&)> m_draw;
};

// "Selection charts": the speed chart, the mounting-angle chart, the margin
// table, the models passing both sets, the calibration helper and the
// remedies of the models that fail, of the last "Select", refilled with each one; modeless and resizable, with its own
// Print (default printer), Export as PDF… and Close (or Escape). A
// selection with ranges adds their verdicts and tornado below all that.
class FrmCharts : public QWidget {
public:
    explicit FrmCharts(Toolkit& toolkit);

    void Fill(const gfx::ChartContent& content);
    // The test weight whose readings the window shows (kg, lb in an lbf
    // run), or nothing.
    std::optional<double> TestWeight() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildCalibrationHelper();
    void cmdCalculate_Click();
    void cmdPrint_Click();
    void cmdExport_Click();
    void ShowCalibration(const Calibration& calibration);
    void ClearCalibration(const QString& note);
    // The strip of the ranges under the rest, shown only for ranges.
    void ShowRanges(const gfx::ChartContent& shown);

    Toolkit& m_toolkit;
    std::optional<gfx::ChartContent> m_content;
    // Everything the window shows, at its own size inside a scroll area.
    QWidget* m_page = nullptr;
    CanvasArea* m_charts = nullptr;
    QLabel* m_lblPassing = nullptr;
    CanvasArea* m_margins = nullptr;
    QLineEdit* m_txtWeight = nullptr;
    QLabel* m_lblNote = nullptr;
    QLabel* m_lblWeight = nullptr;
    // What would make each model that fails as entered pass.
    QPlainTextEdit* m_txtRemedies = nullptr;
    CanvasArea* m_ranges = nullptr;
    // Per model: name, Vt in mV, Vt in V, S.
    std::array<std::array<QLabel*, 4>, kModelCount> m_calibration{};
};

}  // namespace vyra::ui
