#include "QtGraphicsOutputs.h"

#include "Charts.h"
#include "ChildRun.h"
#include "Commands.h"
#include "Evaluation.h"
#include "PageDrawings.h"
#include "PainterCanvas.h"
#include "PrinterJob.h"
#include "Report.h"
#include "ReportPdf.h"
#include "Sketch.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <variant>

namespace vyra::cli {

namespace {

// The toolkit's notes about its environment (no runtime folder, no
// display) are no concern of a user who asked for a file; errors still show.
// A fatal one would abort: it ends the program as any unexpected failure.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "vyra-select: %s\n", message.toLocal8Bit().constData());
    }
    if (type == QtFatalMsg) {
        std::_Exit(kInternalFailure);
    }
}

void EnsureApplication(std::unique_ptr<QGuiApplication>& application)
{
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    qInstallMessageHandler(ToolkitMessage);
    // Nothing is shown, so no display is needed: a platform the environment
    // names for other programs (xcb without a DISPLAY) would only fail.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vyra-select";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
}

gfx::ReportRecord RecordOf(const GraphicsRequest& request, const Case& input, const Evaluation& evaluation)
{
    gfx::ReportRecord record =
        gfx::RecordOfCase(input, evaluation.selection, request.caseFile, request.charts, request.calculation);
    if (request.charts) {
        // The verdicts the tables were written from: millions of points are
        // not evaluated twice.
        if (evaluation.rangeVerdicts) {
            gfx::AddRanges(*record.charts, evaluation.ranges, *evaluation.rangeVerdicts);
        }
        if (request.calibrationWeight) {
            record.charts->calibration = CalibrationFor(input.form, input.forceUnit, *request.calibrationWeight);
        }
    }
    return record;
}

// Writes what draw made (bytes, or the reason it failed) to the target,
// whole or not at all.
int WriteWhole(const std::string& target, const Expected<QByteArray>& drawn, std::ostream& err)
{
    if (auto written = gfx::WriteDrawnFile(target, drawn); !written) {
        err << "vyra-select: cannot write " << target << ": " << written.Error().reason << '\n';
        return kOutputFailed;
    }
    return kComputed;
}

// The sketch area of the input screen after "Image chgange": 4185 twips
// square at a common screen's 96 dpi.
int WriteSketchPng(const Case& input, const std::string& target, std::ostream& err)
{
    constexpr int kScreenDpi = 96;
    constexpr double kMetresPerInch = 0.0254;
    const int side = static_cast<int>(std::lround(gfx::kSketchAreaTwips * kScreenDpi / 1440.0));
    QImage image(side, side, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kScreenDpi / kMetresPerInch)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);

    RunState state;
    gfx::SketchElements elements;
    const gfx::SketchCentre centre = gfx::ReadSketchCentre(elements);
    const CheckResult failure = ImageChangeCommand(state, input.form, [&] {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        gfx::PainterCanvas canvas(painter);
        gfx::DrawSketch(canvas, elements, centre, state.inputs, false);
    });
    if (failure) {
        err << TerminalText(*failure) << '\n';
        return kRefused;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return WriteWhole(target, Failed("the image could not be encoded"), err);
    }
    return WriteWhole(target, buffer.data(), err);
}

// One chart as an image at 144 dpi, 9000 x 5400 twips as on the charts page.
int WriteChartPng(const GraphicsRequest& request, const Case& input, const RunState& selection, std::ostream& err)
{
    constexpr int kChartDpi = 144;
    constexpr double kMetresPerInch = 0.0254;
    constexpr double kWidthTwips = 9000;
    constexpr double kHeightTwips = 5400;
    QImage image(static_cast<int>(kWidthTwips * kChartDpi / 1440), static_cast<int>(kHeightTwips * kChartDpi / 1440),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kChartDpi / kMetresPerInch)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    const gfx::ChartContent content =
        gfx::ChartContentOf(selection, input.form, {gfx::CustomerOf(input), request.caseFile});
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        gfx::PainterCanvas canvas(painter);
        const gfx::TwipRect area{120, 120, kWidthTwips - 120, kHeightTwips - 120};
        if (request.chartKind == "speed") {
            gfx::DrawSpeedChart(canvas, content, area);
        } else {
            gfx::DrawGammaChart(canvas, content, area);
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return WriteWhole(request.chartPath, Failed("the image could not be encoded"), err);
    }
    return WriteWhole(request.chartPath, buffer.data(), err);
}

int PrintOnDefaultPrinter(const gfx::ReportRecord& record, std::ostream& err)
{
    const std::unique_ptr<QPrinter> printer = gfx::OpenDefaultPrinter();
    if (!printer) {
        err << gfx::kPrinterTrouble << '\n';
        return kOutputFailed;
    }
    bool troubled = false;
    gfx::PrintReportOn(printer.get(), record, [&](const std::string&, const std::string& message) {
        if (!troubled) {
            err << message << '\n';
        }
        troubled = true;
    });
    return troubled ? kOutputFailed : kComputed;
}

// A print server that takes the connection and never answers holds the
// printing library for minutes; the print job therefore runs in a child
// process of its own, which is given up after this long.
constexpr std::chrono::seconds kPrintTimeLimit{12};
constexpr const char* kPrintChildMarker = "VYRA_SELECT_PRINT_CHILD";

int PrintWithinTimeLimit(const std::vector<std::string>& argv, std::ostream& err)
{
    const std::optional<int> status = RunSelfWithin(argv, kPrintChildMarker, kPrintTimeLimit);
    if (!status) {
        err << gfx::kPrinterTrouble << '\n';
        return kOutputFailed;
    }
    return *status == kComputed ? kComputed : kOutputFailed;
}

}  // namespace

QtGraphicsOutputs::QtGraphicsOutputs(std::vector<std::string> argv) : m_argv(std::move(argv)) { }
QtGraphicsOutputs::~QtGraphicsOutputs() = default;

int QtGraphicsOutputs::Produce(const GraphicsRequest& request, const Case& input, const Evaluation& evaluation,
                               std::ostream& err)
{
    EnsureApplication(m_application);
    const gfx::ReportRecord record = RecordOf(request, input, evaluation);
    if (IsChildRun(kPrintChildMarker)) {
        return PrintOnDefaultPrinter(record, err);
    }
    int status = kComputed;
    if (!request.reportPath.empty()) {
        status = std::max(status, WriteWhole(request.reportPath,
                                             gfx::DrawReportPdf(record, request.paper == Paper::A4 ? QPageSize::A4
                                                                                                   : QPageSize::Letter),
                                             err));
    }
    if (request.print) {
        status = std::max(status, PrintWithinTimeLimit(m_argv, err));
    }
    if (!request.sketchPath.empty()) {
        status = std::max(status, WriteSketchPng(input, request.sketchPath, err));
    }
    if (!request.chartPath.empty()) {
        status = std::max(status, WriteChartPng(request, input, evaluation.selection, err));
    }
    return status;
}

Expected<void> QtGraphicsOutputs::DrawLineReport(const gfx::LineReportContent& content, Paper paper,
                                                 WholeFileWriter& file)
{
    EnsureApplication(m_application);
    return gfx::DrawLineReportPdf(content, paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4, file);
}

Expected<void> QtGraphicsOutputs::DrawComparison(const gfx::ComparisonContent& content, Paper paper,
                                                 const std::string& path)
{
    EnsureApplication(m_application);
    return gfx::WriteDrawnFile(
        path, gfx::DrawComparisonPdf(content, paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4));
}

}  // namespace vyra::cli
