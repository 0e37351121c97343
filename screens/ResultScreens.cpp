#include "ResultScreens.h"

#include "Placement.h"

#include "FrmCharts.h"
#include "FrmResult.h"
#include "PrinterJob.h"
#include "ResultScreenTables.h"

#include <QPagedPaintDevice>

#include <utility>

namespace vyra::ui {

struct ResultScreens::Screens {
    std::unique_ptr<FrmResult> second;
    std::unique_ptr<FrmResult> first;
};

ResultScreens::ResultScreens(Toolkit& toolkit, std::function<gfx::ReportCustomer()> readCustomer,
                             std::function<void()> exportReport)
    : m_toolkit(toolkit), m_readCustomer(std::move(readCustomer)), m_exportReport(std::move(exportReport))
{
}

ResultScreens::~ResultScreens() = default;

void ResultScreens::Show(const gfx::ReportRecord& record, const EntryForm& form, std::optional<EvaluatedRanges> ranges)
{
    m_record = record;
    m_form = form;
    m_ranges = std::move(ranges);
    if (m_charts && m_charts->isVisible()) {
        m_charts->Fill(ChartsOf({m_record.customer, m_record.caseFile}));
    }
    if (!m_screens) {
        const ResultCommands commands{[this](QWidget& owner) { Print(owner); }, [this] { CloseBoth(); },
                                      [this] { ShowCharts(); }, m_exportReport};
        m_screens = std::make_unique<Screens>();
        m_screens->second = std::make_unique<FrmResult>(kFrmResult2, commands);
        m_screens->first = std::make_unique<FrmResult>(kFrmResult1, commands);
    }
    // An open pair shows the new selection too: every label, mark and frame
    // is written again.
    m_screens->second->Fill(m_record.selection);
    m_screens->first->Fill(m_record.selection, m_record.specifications.calculationId);
    BringToFront(*m_screens->second);
    BringToFront(*m_screens->first);
}

// The command may come from a button of one of the screens, which must not
// be destroyed under its own click: the screens go at once from view and
// from the pair, and are destroyed once the event loop is back.
void ResultScreens::CloseBoth()
{
    if (m_charts) {
        m_charts->hide();
    }
    if (!m_screens) {
        return;
    }
    const std::unique_ptr<Screens> closing = std::move(m_screens);
    for (FrmResult* screen : {closing->first.release(), closing->second.release()}) {
        screen->Detach();
        screen->hide();
        screen->deleteLater();
    }
}

// New and Open come from the input screen's menu, never from the charts
// window, which may therefore go at once.
void ResultScreens::ForgetCase()
{
    CloseBoth();
    m_charts.reset();
}

void ResultScreens::ShowCharts()
{
    if (!m_charts) {
        m_charts = std::make_unique<FrmCharts>(m_toolkit);
    }
    m_charts->Fill(ChartsOf({m_record.customer, m_record.caseFile}));
    BringToFront(*m_charts);
}

// A hidden charts window keeps the test weight of the case, but not its
// readings for a later selection, which are worked out again.
gfx::ChartContent ResultScreens::ChartsToReport(const gfx::PageTrace& trace) const
{
    gfx::ChartContent content = ChartsOf(trace);
    if (const std::optional<double> weight = m_charts ? m_charts->TestWeight() : std::nullopt) {
        content.calibration = CalibrationFor(m_form, m_record.selection.forceUnit, *weight);
    }
    return content;
}

gfx::ChartContent ResultScreens::ChartsOf(const gfx::PageTrace& trace) const
{
    gfx::ChartContent content = gfx::ChartContentOf(m_record.selection, m_form, trace);
    if (m_ranges) {
        gfx::AddRanges(content, m_ranges->ranges, m_ranges->verdicts);
    }
    return content;
}

FrmResult* ResultScreens::First() const { return m_screens ? m_screens->first.get() : nullptr; }

FrmResult* ResultScreens::Second() const { return m_screens ? m_screens->second.get() : nullptr; }

// The customer block is read as it stands now; everything else is the
// selection the screens show. Each part of the job that meets printer
// trouble reports it in a box of its own.
void ResultScreens::Print(QWidget& owner)
{
    gfx::ReportRecord record = m_record;
    record.customer = m_readCustomer();
    const std::unique_ptr<QPagedPaintDevice> printer = m_toolkit.DefaultPrinter();
    gfx::PrintReportOn(printer.get(), record, [this, &owner](const std::string& title, const std::string& message) {
        m_toolkit.ShowMessage(&owner, QString::fromStdString(title), QString::fromStdString(message), BoxIcon::None);
    });
}

}  // namespace vyra::ui
