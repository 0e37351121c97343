#pragma once

#include "FrmRanges.h"
#include "Report.h"
#include "Toolkit.h"

#include <functional>
#include <memory>
#include <optional>

namespace vyra::ui {

class FrmCharts;
class FrmResult;

// The two result screens of a selection, opened and closed together.
class ResultScreens {
public:
    // readCustomer gives the customer block as the input screen holds it
    // when "Print" is pressed; exportReport exports the report as the input
    // screen's menu does.
    ResultScreens(Toolkit& toolkit, std::function<gfx::ReportCustomer()> readCustomer,
                  std::function<void()> exportReport);
    ~ResultScreens();
    ResultScreens(const ResultScreens&) = delete;
    ResultScreens& operator=(const ResultScreens&) = delete;

    // After a computed "Select": shows frmResult2, then frmResult1 on top of
    // it, both filled from the record. Screens already open are filled again
    // from scratch and brought to the front; an open charts window is
    // refilled with the charts of the selection, which form held, with its
    // ranges when they were evaluated.
    void Show(const gfx::ReportRecord& record, const EntryForm& form, std::optional<EvaluatedRanges> ranges);
    // "Return" on either screen: both go, and the charts window with them.
    void CloseBoth();
    // A new or opened case: the screens go, and so does the charts window
    // with its test weight.
    void ForgetCase();
    // "Charts" on either screen: the charts window of the selection.
    void ShowCharts();
    // The charts page of the selection last shown, with what each model
    // should read with the charts window's test weight when it shows them.
    gfx::ChartContent ChartsToReport(const gfx::PageTrace& trace) const;

    // The open screens, or null.
    FrmResult* First() const;
    FrmResult* Second() const;
    FrmCharts* Charts() const { return m_charts.get(); }

private:
    struct Screens;

    // "Print" on either screen, with the screen as owner of the messages.
    void Print(QWidget& owner);
    // The charts of the selection and of its ranges.
    gfx::ChartContent ChartsOf(const gfx::PageTrace& trace) const;

    Toolkit& m_toolkit;
    std::function<gfx::ReportCustomer()> m_readCustomer;
    std::function<void()> m_exportReport;
    // The last shown selection, which "Print" reports.
    gfx::ReportRecord m_record;
    // Null while the screens are closed.
    std::unique_ptr<Screens> m_screens;
    // The form of the selection; its charts are drawn only when asked for.
    EntryForm m_form;
    std::optional<EvaluatedRanges> m_ranges;
    // Made on the first "Charts", then shown and hidden.
    std::unique_ptr<FrmCharts> m_charts;
};

}  // namespace vyra::ui
