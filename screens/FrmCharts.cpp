#include "FrmCharts.h"

#include "Answer.h"
#include "CalculationId.h"
#include "InputControls.h"

#include "PainterCanvas.h"
#include "Placement.h"
#include "PrinterJob.h"
#include "ProgramSettings.h"
#include "ReportPdf.h"
#include "ResultColumns.h"
#include "ResultFormat.h"
#include "Units.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <string>

namespace vyra::ui {

namespace {

// Client area and its parts, twips: the charts on the left, the margin
// table, the calibration helper and the buttons on the right.
constexpr double kClientWidth = 16800;
constexpr double kClientHeight = 9600;
constexpr TwipBox kChartsBox{120, 120, 9000, 9360};
constexpr gfx::TwipRect kSpeedChart{120, 120, 8880, 4600};
constexpr gfx::TwipRect kGammaChart{120, 4800, 8880, 9240};
constexpr TwipBox kMarginsBox{9240, 120, 7440, 2880};
constexpr double kHelperLeft = 9360;
// Under the answer's two lines.
constexpr double kHelperTop = 3480;
constexpr double kRowHeight = 270;
constexpr std::array<double, 4> kColumnLefts{kHelperLeft, kHelperLeft + 1500, kHelperLeft + 2700, kHelperLeft + 3900};
constexpr double kColumnWidth = 1100;
constexpr double kPoints = 9;
// Between the calibration's note and the buttons; it scrolls when the
// sentences are more than its lines.
constexpr TwipBox kRemediesBox{kHelperLeft, 7700, 7300, 1200};
// Right of the tornado, for its limit's label when the limit is at the
// scale's right end.
constexpr double kTornadoRoom = 600;
constexpr const char* kTitle = "Selection charts";

// The test weight's pull as the run's tension: a kg pulls a kgf, which a
// newton run counts too; a lb pulls a lbf.
QString CalibrationTension(const Calibration& calibration, ForceUnit unit)
{
    switch (unit) {
    case kKgf:
    case kNewton:
        return QLocale::c().toString(calibration.weightKg, 'g', 6) + QStringLiteral(" kgf");
    case kLbf:
        return QLocale::c().toString(calibration.weight, 'g', 6) + QStringLiteral(" lbf");
    }
    return {};
}

QLabel* AddLabel(QWidget& parent, const QString& text, const TwipBox& box, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(text, &parent);
    label->setAlignment(alignment | Qt::AlignVCenter);
    Place(*label, box);
    return label;
}

QPushButton* AddButton(QWidget& parent, const char* name, const QString& caption, const TwipBox& box)
{
    auto* button = new QPushButton(caption, &parent);
    button->setObjectName(QString::fromLatin1(name));
    Place(*button, box);
    return button;
}

}  // namespace

CanvasArea::CanvasArea(QWidget* parent) : QWidget(parent)
{
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

void CanvasArea::SetDrawing(std::function<void(gfx::Canvas&)> draw)
{
    m_draw = std::move(draw);
    update();
}

void CanvasArea::paintEvent(QPaintEvent*)
{
    if (!m_draw) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    gfx::PainterCanvas canvas(painter);
    m_draw(canvas);
}

FrmCharts::FrmCharts(Toolkit& toolkit) : m_toolkit(toolkit)
{
    setObjectName(QStringLiteral("frmCharts"));
    setWindowTitle(QString::fromUtf8(kTitle));
    setFont(CourierNew(kPoints));
    // The charts keep their size; a window smaller than them scrolls.
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("chartsPage"));
    m_page->setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight, *this));
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    m_charts = new CanvasArea(m_page);
    m_charts->setObjectName(QStringLiteral("picCharts"));
    Place(*m_charts, kChartsBox);
    m_margins = new CanvasArea(m_page);
    m_margins->setObjectName(QStringLiteral("picMargins"));
    Place(*m_margins, kMarginsBox);
    m_lblPassing = AddLabel(*m_page, QString(), {kHelperLeft, kMarginsBox.top + kMarginsBox.height, 7300, 480});
    m_lblPassing->setObjectName(QStringLiteral("lblPassing"));
    m_lblPassing->setWordWrap(true);
    BuildCalibrationHelper();
    m_txtRemedies = new QPlainTextEdit(m_page);
    m_txtRemedies->setObjectName(QStringLiteral("txtRemedies"));
    m_txtRemedies->setReadOnly(true);
    Place(*m_txtRemedies, kRemediesBox);
    m_ranges = new CanvasArea(m_page);
    m_ranges->setObjectName(QStringLiteral("picRanges"));
    m_ranges->hide();
    connect(AddButton(*m_page, "cmdPrint", QStringLiteral("Print"), {11400, 9000, 1455, 375}), &QPushButton::clicked,
            this, &FrmCharts::cmdPrint_Click);
    connect(AddButton(*m_page, "cmdExport", QStringLiteral("Export as PDF…"), {13020, 9000, 1980, 375}),
            &QPushButton::clicked, this, &FrmCharts::cmdExport_Click);
    QPushButton* cmdClose = AddButton(*m_page, "cmdClose", QStringLiteral("Close"), {15180, 9000, 1455, 375});
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    AddKey(*this, QKeySequence(Qt::Key_Escape), [cmdClose] { cmdClose->click(); });
    PressButtonsOnReturn(*this);
    setMinimumSize(TwipsToPixels(kClientWidth / 4, *this), TwipsToPixels(kClientHeight / 4, *this));
    OpenFitting(*this, m_page->size());
}

// Each opening starts at the test weight, the one entry of the window;
// coming back from the taskbar leaves the focus where it was.
void FrmCharts::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_txtWeight->setFocus();
    }
    QWidget::showEvent(event);
}

void FrmCharts::hideEvent(QHideEvent* event)
{
    ProgramSettings().KeepWindowSize(objectName(), size());
    QWidget::hideEvent(event);
}

void FrmCharts::BuildCalibrationHelper()
{
    AddLabel(*m_page, QStringLiteral("Calibration: a test weight hung on a rope along the web path"),
             {kHelperLeft, kHelperTop, 7300, kRowHeight});
    m_lblWeight = AddLabel(*m_page, QString(), {kHelperLeft, kHelperTop + 360, 1800, kRowHeight});
    m_lblWeight->setObjectName(QStringLiteral("lblWeight"));
    m_txtWeight = new QLineEdit(m_page);
    m_txtWeight->setObjectName(QStringLiteral("txtWeight"));
    Place(*m_txtWeight, {kHelperLeft + 1900, kHelperTop + 345, 900, 300});
    auto* calculate = AddButton(*m_page, "cmdCalculate", QStringLiteral("Calculate"),
                                {kHelperLeft + 2940, kHelperTop + 330, 1455, 330});
    connect(calculate, &QPushButton::clicked, this, &FrmCharts::cmdCalculate_Click);
    connect(m_txtWeight, &QLineEdit::returnPressed, this, &FrmCharts::cmdCalculate_Click);
    const std::array<QString, 4> headings{QStringLiteral("Model"), QStringLiteral("Vt[mV]"), QStringLiteral("Vt[V]"),
                                          QStringLiteral("S[times]")};
    const double headingTop = kHelperTop + 780;
    for (std::size_t column = 0; column < headings.size(); ++column) {
        AddLabel(*m_page, headings[column], {kColumnLefts[column], headingTop, kColumnWidth, kRowHeight},
                 column == 0 ? Qt::AlignLeft : Qt::AlignRight);
    }
    for (int model = 0; model < kModelCount; ++model) {
        for (std::size_t column = 0; column < headings.size(); ++column) {
            QLabel* cell = AddLabel(*m_page, QString(),
                                    {kColumnLefts[column], headingTop + kRowHeight * (model + 1),
                                     kColumnWidth + (column == 0 ? 300 : 0), kRowHeight},
                                    column == 0 ? Qt::AlignLeft : Qt::AlignRight);
            cell->setObjectName(QStringLiteral("lblCalibration%1(%2)").arg(column).arg(model));
            m_calibration[model][column] = cell;
        }
    }
    m_lblNote = AddLabel(*m_page, QString(), {kHelperLeft, headingTop + kRowHeight * 10.5, 7300, kRowHeight * 2});
    m_lblNote->setObjectName(QStringLiteral("lblNote"));
    m_lblNote->setWordWrap(true);
}

void FrmCharts::Fill(const gfx::ChartContent& content)
{
    m_content = content;
    const gfx::ChartContent& shown = *m_content;
    m_charts->SetDrawing([&shown](gfx::Canvas& canvas) {
        gfx::DrawSpeedChart(canvas, shown, kSpeedChart);
        gfx::DrawGammaChart(canvas, shown, kGammaChart);
    });
    m_margins->SetDrawing([&shown](gfx::Canvas& canvas) {
        gfx::DrawMarginTable(canvas, shown, {120, 120, kMarginsBox.width - 120, kMarginsBox.height - 120});
    });
    for (int model = 0; model < kModelCount; ++model) {
        m_calibration[model][0]->setText(QString::fromStdString(ModelLabel(shown.selection, model)));
    }
    // The sentence names the calculation, as the report's footers do.
    Case calculated;
    calculated.form = shown.form;
    calculated.forceUnit = shown.selection.forceUnit;
    const std::optional<std::string> id = CalculationId(calculated);
    m_lblPassing->setText(QString::fromStdString(AnswerSentence(shown.selection) + (id ? "   (ID " + *id + ")" : "")));
    QStringList remedies;
    for (const int model : RemedyOrder(shown.selection)) {
        if (shown.remedies[model].empty()) {
            continue;
        }
        remedies.append(QString::fromStdString(RemedySentence(shown.selection, model, shown.remedies[model])));
    }
    m_txtRemedies->setPlainText(remedies.join(QLatin1Char('\n')));
    m_txtRemedies->setVisible(!remedies.isEmpty());
    ShowRanges(shown);
    m_lblWeight->setText(
        QStringLiteral("Test weight %1").arg(ToQString(UnitCaption(Quantity::Mass, shown.selection.forceUnit))));
    const std::string named = gfx::CaseName(shown.trace);
    setWindowTitle(named.empty()
                       ? QString::fromUtf8(kTitle)
                       : QStringLiteral("%1 – %2").arg(QString::fromUtf8(kTitle), QString::fromStdString(named)));
    if (m_txtWeight->text().trimmed().isEmpty()) {
        ClearCalibration(QStringLiteral("Enter the test weight to see what each model should show."));
    } else {
        cmdCalculate_Click();
    }
}

// The verdicts on the left under the charts, the tornado on the right under
// the calibration; the page grows to hold them and scrolls.
void FrmCharts::ShowRanges(const gfx::ChartContent& shown)
{
    double height = 0;
    if (shown.rangeVerdicts) {
        height = gfx::RangeTableHeight();
        if (shown.sensitivity) {
            height = std::max(height, gfx::TornadoHeight(*shown.sensitivity));
        }
        height += 240;
        Place(*m_ranges, {kChartsBox.left, kClientHeight, kClientWidth - 2 * kChartsBox.left, height});
        m_ranges->SetDrawing([&shown](gfx::Canvas& canvas) {
            gfx::DrawRangeTable(canvas, shown, {120, 120, kChartsBox.width, gfx::RangeTableHeight() + 120});
            if (shown.sensitivity) {
                gfx::DrawTornado(canvas, shown,
                                 {kHelperLeft - kChartsBox.left, 120, kClientWidth - 2 * kChartsBox.left - kTornadoRoom,
                                  gfx::TornadoHeight(*shown.sensitivity) + 120});
            }
        });
    }
    m_ranges->setVisible(shown.rangeVerdicts.has_value());
    m_page->setFixedSize(TwipsToPixels(kClientWidth, *this), TwipsToPixels(kClientHeight + height, *this));
}

std::optional<double> FrmCharts::TestWeight() const
{
    if (!m_content || !m_content->calibration) {
        return std::nullopt;
    }
    return m_content->calibration->weight;
}

void FrmCharts::cmdCalculate_Click()
{
    if (!m_content) {
        return;
    }
    const ForceUnit unit = m_content->selection.forceUnit;
    const Expected<double> weight = ReadTestWeight(m_txtWeight->text().toStdString(), UnitSymbol(Quantity::Mass, unit));
    if (!weight) {
        std::string reason = weight.Error().reason;
        reason.front() = 'T';
        ClearCalibration(ToQString(reason + "."));
        return;
    }
    ShowCalibration(CalibrationFor(m_content->form, m_content->selection.forceUnit, *weight));
}

void FrmCharts::ShowCalibration(const Calibration& calibration)
{
    if (calibration.refusal) {
        ClearCalibration(QString::fromStdString(calibration.refusal->title + ": " + calibration.refusal->message));
        m_content->calibration = calibration;
        return;
    }
    m_content->calibration = calibration;
    for (int model = 0; model < kModelCount; ++model) {
        const std::array<std::string, 3> figures = CalibrationFigures(calibration, model);
        for (std::size_t column = 0; column < figures.size(); ++column) {
            m_calibration[model][column + 1]->setText(QString::fromStdString(figures[column]));
        }
    }
    m_lblNote->setText(QStringLiteral("The selection's case with a tension of %1, the test weight.")
                           .arg(CalibrationTension(calibration, m_content->selection.forceUnit)));
}

// The charts page prints the calibration as the window shows it.
void FrmCharts::ClearCalibration(const QString& note)
{
    if (m_content) {
        m_content->calibration.reset();
    }
    for (auto& row : m_calibration) {
        for (std::size_t column = 1; column < row.size(); ++column) {
            row[column]->clear();
        }
    }
    m_lblNote->setText(note);
}

// Printer trouble reports itself in a box of its own, as "Print" on the
// result screens does.
void FrmCharts::cmdPrint_Click()
{
    if (!m_content) {
        return;
    }
    const std::unique_ptr<QPagedPaintDevice> printer = m_toolkit.DefaultPrinter();
    gfx::PrintChartsOn(printer.get(), *m_content, [this](const std::string& title, const std::string& message) {
        m_toolkit.ShowMessage(this, QString::fromStdString(title), QString::fromStdString(message), BoxIcon::None);
    });
}

void FrmCharts::cmdExport_Click()
{
    if (!m_content) {
        return;
    }
    const std::string named = gfx::CaseName(m_content->trace);
    QString path = m_toolkit.ChooseFileToSave(this, {QStringLiteral("Export Charts as PDF"),
                                                     SuggestedPath(named.empty() ? named : named + " charts",
                                                                   QStringLiteral("charts"), QStringLiteral(".pdf")),
                                                     QStringLiteral("PDF documents (*.pdf)")});
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".pdf");
    }
    const Expected<void> written =
        gfx::WriteDrawnFile(QFile::encodeName(path).toStdString(), gfx::DrawChartsPdf(*m_content, QPageSize::A4));
    if (!written) {
        m_toolkit.ShowMessage(this, QString(),
                              QStringLiteral("The charts could not be exported.\n%1: %2")
                                  .arg(path, QString::fromStdString(written.Error().reason)),
                              BoxIcon::Exclamation);
        return;
    }
    ProgramSettings().Remember(path, false);
}

}  // namespace vyra::ui
