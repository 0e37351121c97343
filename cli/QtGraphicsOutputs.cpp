#include "QtGraphicsOutputs.h"

#include "Commands.h"
#include "PainterCanvas.h"
#include "PrinterJob.h"
#include "Report.h"
#include "Sketch.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cerrno>
#include <cmath>
#include <functional>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>

namespace vyra::cli {

namespace {

namespace fs = std::filesystem;

// The report PDF keeps the border a typical office laser printer cannot
// print on (1/4 inch), so that it looks as the same report does on paper.
constexpr double kHardwareMarginMillimetres = 6.35;
constexpr int kPdfResolutionDpi = 600;

// The toolkit's notes about its environment (no runtime folder, no
// display) are no concern of a user who asked for a file; errors still show.
void ToolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "vyra-select: %s\n", message.toLocal8Bit().constData());
    }
}

void EnsureApplication(std::unique_ptr<QGuiApplication>& application)
{
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    qInstallMessageHandler(ToolkitMessage);
    // Nothing is shown: no display is needed, whatever the environment has.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "vyra-select";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
}

gfx::ReportRecord RecordOf(const SelectorOptions& options, const RunState& selection)
{
    gfx::ReportRecord record;
    const ReportFields& r = options.report;
    record.customer = {r.customer, r.order, r.machine, r.date, r.name};
    record.specifications = gfx::SpecificationsOf(options.form, options.fulcrumIndex, options.forceUnit);
    record.selection = selection;
    return record;
}

QPageLayout ReportLayout(Paper paper)
{
    const QPageSize size(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
    const double m = kHardwareMarginMillimetres;
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

// A file created next to the target, so that a rename puts it in place whole.
struct TemporaryFile {
    std::string path;
    int error = 0;
};

TemporaryFile CreateBeside(const fs::path& target)
{
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return {{}, errno};
    }
    close(fd);
    const mode_t mask = umask(0);
    umask(mask);
    chmod(pattern.c_str(), 0666 & ~mask);
    return {pattern, 0};
}

// Draws the report into the PDF file at path; the reason of a failure, or empty.
std::string DrawReportPdf(const gfx::ReportRecord& record, const std::string& path, Paper paper)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setResolution(kPdfResolutionDpi);
    writer.setPageLayout(ReportLayout(paper));
    writer.setCreator(QString::fromUtf8(gfx::kProgramTitle));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return "the PDF writer could not start";
    }
    std::string trouble;
    gfx::PainterCanvas canvas(painter);
    gfx::PrintReport(canvas, record, [&trouble](const std::string&, const std::string& message) {
        trouble = message;
    });
    if (painter.isActive()) {
        painter.end();
    }
    return trouble;
}

// Writes the file through draw(temporaryPath), which returns the reason of
// a failure or nothing; the target appears whole or not at all.
int WriteWhole(const std::string& target, const std::function<std::string(const std::string&)>& draw,
               std::ostream& err)
{
    std::error_code error;
    if (fs::is_directory(target, error)) {
        err << "vyra-select: cannot write " << target << ": it is a folder\n";
        return kOutputFailed;
    }
    const TemporaryFile file = CreateBeside(target);
    std::string reason = file.error != 0 ? std::strerror(file.error) : draw(file.path);
    if (reason.empty() && fs::file_size(file.path, error) == 0) {
        reason = error ? error.message() : "nothing was written";
    }
    if (reason.empty()) {
        fs::rename(file.path, target, error);
        if (error) {
            reason = error.message();
        }
    }
    if (reason.empty()) {
        return kComputed;
    }
    if (!file.path.empty()) {
        fs::remove(file.path, error);
    }
    err << "vyra-select: cannot write " << target << ": " << reason << '\n';
    return kOutputFailed;
}

// The sketch area of the input screen after "Image chgange": 4185 twips
// square at a common screen's 96 dpi.
int WriteSketchPng(const SelectorOptions& options, const std::string& target, std::ostream& err)
{
    constexpr int kScreenDpi = 96;
    constexpr double kMetresPerInch = 0.0254;
    const int side = static_cast<int>(std::lround(gfx::kSketchAreaTwips * kScreenDpi / 1440.0));
    QImage image(side, side, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(kScreenDpi / kMetresPerInch)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);

    RunState state;
    state.inputs.fulcrumIndex = options.fulcrumIndex;
    gfx::SketchElements elements;
    const gfx::SketchCentre centre = gfx::ReadSketchCentre(elements);
    const CheckResult failure = ImageChangeCommand(state, options.form, [&] {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        gfx::PainterCanvas canvas(painter);
        gfx::DrawSketch(canvas, elements, centre, state.inputs, false);
    });
    if (failure) {
        err << failure->title << ": " << failure->message << '\n';
        return kRefused;
    }
    return WriteWhole(target, [&image](const std::string& path) -> std::string {
        return image.save(QString::fromStdString(path), "PNG") ? "" : "the image could not be saved";
    }, err);
}

int PrintOnDefaultPrinter(const gfx::ReportRecord& record, std::ostream& err)
{
    // With printers present but none chosen as default, QPrinter would pick
    // one by itself; the report goes only to the one the user chose.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        err << gfx::kPrinterTrouble << '\n';
        return kOutputFailed;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(gfx::kProgramTitle));
    bool troubled = false;
    gfx::PrintReportOn(&printer, record, [&](const std::string&, const std::string& message) {
        if (!troubled) {
            err << message << '\n';
        }
        troubled = true;
    });
    return troubled ? kOutputFailed : kComputed;
}

}  // namespace

QtGraphicsOutputs::QtGraphicsOutputs() = default;
QtGraphicsOutputs::~QtGraphicsOutputs() = default;

int QtGraphicsOutputs::Produce(const SelectorOptions& options, const RunState& selection, std::ostream& err)
{
    EnsureApplication(m_application);
    const gfx::ReportRecord record = RecordOf(options, selection);
    const GraphicsRequest& request = options.graphics;
    int status = kComputed;
    if (!request.reportPath.empty()) {
        status = std::max(status, WriteWhole(request.reportPath, [&](const std::string& path) {
            return DrawReportPdf(record, path, request.paper);
        }, err));
    }
    if (request.print) {
        status = std::max(status, PrintOnDefaultPrinter(record, err));
    }
    if (!request.sketchPath.empty()) {
        status = std::max(status, WriteSketchPng(options, request.sketchPath, err));
    }
    return status;
}

}  // namespace vyra::cli
