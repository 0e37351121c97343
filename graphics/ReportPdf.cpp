#include "ReportPdf.h"

#include "Captions.h"
#include "FileAccess.h"
#include "PainterCanvas.h"
#include "Report.h"
#include "Version.h"

#include <QBuffer>
#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <functional>

namespace vyra::gfx {

namespace {

// The report PDF keeps the border a typical office laser printer cannot
// print on (1/4 inch), so that it looks as the same report does on paper.
constexpr double kHardwareMarginMillimetres = 6.35;
constexpr int kPdfResolutionDpi = 600;

QPageLayout ReportLayout(QPageSize::PageSizeId paper)
{
    const QPageSize size(paper);
    const double m = kHardwareMarginMillimetres;
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(m, m, m, m), QPageLayout::Millimeter);
}

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The PDF writer's bytes passed on to a whole-file writer in pieces of
// about this size, so that a document of any length is never held whole.
constexpr std::size_t kPieceBytes = 1024 * 1024;

class WholeFileDevice : public QIODevice {
public:
    explicit WholeFileDevice(WholeFileWriter& file) : m_file(file) { open(QIODevice::WriteOnly); }

    bool isSequential() const override { return true; }

    // Passes on what is left; the first failure to write, if any.
    Expected<void> Finish()
    {
        Pass();
        if (m_file.FirstFailure()) {
            return *m_file.FirstFailure();
        }
        return {};
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_file.FirstFailure()) {
            return -1;
        }
        m_piece.append(data, static_cast<std::size_t>(size));
        if (m_piece.size() >= kPieceBytes) {
            Pass();
        }
        return size;
    }

private:
    void Pass()
    {
        m_file.Write(m_piece);
        m_piece.clear();
    }

    WholeFileWriter& m_file;
    std::string m_piece;
};

// Draws into device, or says why the drawing failed.
Expected<void> DrawPdf(QIODevice& device, QPageSize::PageSizeId paper, const QString& title,
                       const std::function<void(Canvas&, const MessageSink&)>& draw)
{
    QPdfWriter writer(&device);
    writer.setResolution(kPdfResolutionDpi);
    writer.setPageLayout(ReportLayout(paper));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("%1 %2").arg(ToQString(kProgramTitle), ToQString(kVersion)));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return Failed("the PDF writer could not start");
    }
    std::string trouble;
    PainterCanvas canvas(painter);
    draw(canvas, [&trouble](const std::string&, const std::string& message) { trouble = message; });
    if (painter.isActive()) {
        painter.end();
    }
    if (!trouble.empty()) {
        return Failed(trouble);
    }
    return {};
}

Expected<QByteArray> DrawPdf(QPageSize::PageSizeId paper, const QString& title,
                             const std::function<void(Canvas&, const MessageSink&)>& draw)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (auto drawn = DrawPdf(buffer, paper, title, draw); !drawn) {
        return drawn.Error();
    }
    return buffer.data();
}

}  // namespace

Expected<void> WriteDrawnFile(const std::string& path, const Expected<QByteArray>& drawn)
{
    if (!drawn) {
        return drawn.Error();
    }
    const QByteArray& bytes = *drawn;
    return WriteFileWhole(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

Expected<QByteArray> DrawReportPdf(const ReportRecord& record, QPageSize::PageSizeId paper)
{
    return DrawPdf(paper, QString::fromStdString(DocumentTitle("report", record.customer)),
                   [&record](Canvas& page, const MessageSink& sink) { PrintReport(page, record, sink); });
}

Expected<QByteArray> DrawChartsPdf(const ChartContent& content, QPageSize::PageSizeId paper)
{
    return DrawPdf(paper, QString::fromStdString(DocumentTitle("charts", content.trace.customer)),
                   [&content](Canvas& page, const MessageSink& sink) { PrintCharts(page, content, sink); });
}

Expected<QByteArray> DrawComparisonPdf(const ComparisonContent& content, QPageSize::PageSizeId paper)
{
    return DrawPdf(paper, QString::fromStdString(DocumentTitle("comparison", content.trace.customer)),
                   [&content](Canvas& page, const MessageSink& sink) { PrintComparison(page, content, sink); });
}

Expected<void> DrawLineReportPdf(const LineReportContent& content, QPageSize::PageSizeId paper, WholeFileWriter& file)
{
    WholeFileDevice device(file);
    if (auto drawn =
            DrawPdf(device, paper, QString::fromStdString(DocumentTitle("line report", content.customer)),
                    [&content](Canvas& page, const MessageSink& sink) { PrintLineReport(page, content, sink); });
        !drawn) {
        return drawn;
    }
    return device.Finish();
}

}  // namespace vyra::gfx
