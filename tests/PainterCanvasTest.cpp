#include "PainterCanvas.h"
#include "FontMetrics.h"
#include "Golden.h"
#include "PageDrawings.h"
#include "Records.h"
#include "ReportPdf.h"
#include "ScreenDriver.h"
#include "SvgCanvas.h"
#include "TestCases.h"
#include "Utf8.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <tuple>
#include <vector>

namespace vyra::gfx {
namespace {

constexpr double kPi = std::numbers::pi;

// At 144 dpi one device pixel is exactly 10 twips.
QImage WhiteImage(int width, int height, int dpi = 144)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(image.dotsPerMeterX());
    image.fill(Qt::white);
    return image;
}

// A 200 by 200 pixel image (2000 twips square) after the drawing.
QImage Render(const std::function<void(Canvas&)>& draw)
{
    QImage image = WhiteImage(200, 200);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    draw(canvas);
    painter.end();
    return image;
}

int Inked(const QImage& image, const QRect& region)
{
    int count = 0;
    for (int i = 0; i < region.width() * region.height(); ++i) {
        const QPoint at(region.left() + i % region.width(), region.top() + i / region.width());
        count += image.pixel(at) != qRgb(255, 255, 255) ? 1 : 0;
    }
    return count;
}

// Each drawing as a 40 by 40 picture ("#": a 5 by 5 block with ink): lines
// on their rows, a box's outline, arcs counter-clockwise, none without a
// sweep, a radius in units of x, text below and right of its position, a
// clip that cuts off until it is reset.
TEST(PainterCanvas, DrawingsAsRecorded)
{
    const std::pair<const char*, std::function<void(Canvas&)>> drawings[] = {
        {"line and box",
         [](Canvas& c) {
             c.Line(200, 500, 1800, 500, PaletteColor(12));
             c.Box(1500, 1200, 500, 500, PaletteColor(10));
         }},
        {"first quarter", [](Canvas& c) { c.Arc(1000, 1000, 600, PaletteColor(11), 0, kPi / 2); }},
        {"three quarters through 0", [](Canvas& c) { c.Arc(1000, 1000, 600, PaletteColor(11), kPi, kPi / 2); }},
        {"no sweep", [](Canvas& c) { c.Arc(1000, 1000, 600, PaletteColor(11), 1, 1); }},
        {"circle in cells",
         [](Canvas& c) {
             c.SetScaleMode(ScaleMode::Characters);
             c.Circle(1000.0 / 120, 1000.0 / 240, 600.0 / 120, PaletteColor(0));
         }},
        {"text at the middle",
         [](Canvas& c) {
             c.SetFontSize(12);
             c.SetCurrentX(1000);
             c.SetCurrentY(1000);
             c.WriteText("MgM", LineEnd::Keep);
         }},
        {"clipped, then not",
         [](Canvas& c) {
             c.ClipTo(500, 200, 1000, 2000);
             c.Line(200, 500, 1800, 500, PaletteColor(0));
             c.ResetClip();
             c.Line(200, 1500, 1800, 1500, PaletteColor(0));
         }},
    };
    std::string recording;
    for (const auto& [name, draw] : drawings) {
        const QImage image = Render(draw);
        recording += std::string("# ") + name + "\n";
        for (int row = 0; row < 40; ++row) {
            for (int column = 0; column < 40; ++column) {
                recording += Inked(image, QRect(column * 5, row * 5, 5, 5)) > 0 ? '#' : '.';
            }
            recording += "\n";
        }
    }
    // A pen counts device pixels; a pattern shows only on the thinnest pen:
    // the pixels along the middle of each line, then how many it covers across.
    const std::tuple<const char*, DrawStyle, int> pens[] = {
        {"solid 1", DrawStyle::Solid, 1},     {"dash 1", DrawStyle::Dash, 1}, {"dot 1", DrawStyle::Dot, 1},
        {"dashdot 1", DrawStyle::DashDot, 1}, {"dash 2", DrawStyle::Dash, 2}, {"dot 4", DrawStyle::Dot, 4}};
    for (const auto& [name, style, width] : pens) {
        const QImage image = Render([&](Canvas& canvas) {
            canvas.SetDrawWidth(width);
            canvas.SetDrawStyle(style);
            canvas.Line(200, 1000, 1800, 1000, PaletteColor(0));
        });
        recording += std::string("# pen ") + name + "\n";
        for (int x = 30; x < 170; ++x) {
            recording += image.pixel(x, 100) != qRgb(255, 255, 255) ? '#' : '.';
        }
        recording += " across " + std::to_string(Inked(image, QRect(100, 0, 1, 200))) + "\n";
    }
    test::ExpectGolden("painter_canvas", recording);
    EXPECT_EQ(Render([](Canvas& c) { c.Line(200, 500, 1800, 500, PaletteColor(12)); }).pixel(100, 50), qRgb(255, 0, 0));
}

// Courier New, its Central European name and Symbol all stand for Liberation
// Mono, which writes the Greek letters and measures as Courier New: 0.6 em a
// character and a line of about 1.13 em, at any resolution.
TEST(PainterCanvas, CourierNewFacesAndMetrics)
{
    SubstituteCourierNew();
    for (const char* name : {"Courier New", "Courier New CE", "Symbol"}) {
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(name))).family(), QStringLiteral("Liberation Mono")) << name;
        const QImage image = Render([name](Canvas& c) {
            c.SetFontName(name);
            c.SetFontSize(16);
            c.WriteText("\u0394\u03B5\u03BC", LineEnd::Keep);
        });
        EXPECT_GT(Inked(image, QRect(0, 0, 200, 100)), 40) << name;
    }
    for (const auto& [dpi, points] : {std::pair{96, 10.0}, {600, 10.0}, {1200, 16.0}, {600, 9.0}}) {
        QImage image = WhiteImage(10, 10, dpi);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.SetScaleMode(ScaleMode::Millimetres);
        canvas.SetFontSize(points);
        canvas.SetFontBold(dpi == 1200);
        const double em = points * 25.4 / 72;
        EXPECT_NEAR(canvas.TextWidth("0123456789"), 6 * em, 0.12 * em) << dpi << " dpi";
        EXPECT_NEAR(canvas.TextHeight("0"), 1.1328 * em, 0.04 * em) << dpi << " dpi";
    }
}

// An image takes pages and ends cleanly; a PDF's area is its printable area;
// a printer that never started, or a painter with no device, has failed.
TEST(PainterCanvas, DevicesAndTheirFailures)
{
    QImage image = WhiteImage(200, 100);
    image.fill(Qt::red);
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        EXPECT_EQ(std::pair(canvas.ScaleWidth(), canvas.ScaleHeight()), std::pair(2000.0, 1000.0));
        canvas.Clear();
        EXPECT_TRUE(canvas.NewPage() && canvas.EndDocument() && !canvas.Failed());
    }
    EXPECT_EQ(Inked(image, image.rect()), 0);

    QTemporaryDir folder;
    QPdfWriter writer(folder.filePath(QStringLiteral("area.pdf")));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 15, 10, 15),
                                     QPageLayout::Millimeter));
    QPainter pdfPainter(&writer);
    PainterCanvas pdf(pdfPainter);
    pdf.SetScaleMode(ScaleMode::Millimetres);
    EXPECT_NEAR(pdf.ScaleWidth(), 190, 0.71);  // Qt keeps the page in whole points
    EXPECT_NEAR(pdf.ScaleHeight(), 267, 0.71);
    EXPECT_TRUE(pdf.NewPage() && pdf.EndDocument());

    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("missing/folder/report.pdf")));
    QPainter notStarted;
    ASSERT_FALSE(notStarted.begin(&printer));
    PainterCanvas canvas(notStarted);
    EXPECT_TRUE(canvas.Failed());
    canvas.Line(0, 0, 100, 100, PaletteColor(0));
    EXPECT_FALSE(canvas.NewPage() || canvas.EndDocument());
    QPainter idle;
    EXPECT_TRUE(PainterCanvas(idle).Failed());
}

// At the sizes of the pages and at 100 pt, each character (of the table,
// and two that no face has) as wide on the SVG canvas as in the PDF, which
// rounds every advance to whole pixels: to a hundredth of a twip in the mono
// faces, to a pixel (2.4 twips) in the others, whose hinting moves a few
// glyphs. Texts likewise in the mono faces, within 1% in the others, where
// Qt kerns pairs that the table leaves apart. A line is as high, to Qt's
// 1/64 pixel.
TEST(PainterCanvas, MeasuresAsTheSvgCanvasInThePdf)
{
    SubstituteCourierNew();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(600);  // as the report's PDF is made
    QPainter painter(&writer);
    PainterCanvas pdf(painter);
    SvgCanvas svg(10000, 10000, 600);
    std::vector<std::string> texts{"Tension from: PET 12 \u00B5m, 1000 mm, typical", "\u0394F[kgf] \u2264 21.3",
                                   "M\u00FCller & S\u00F6hne \u2013 Wei\u00DFenburg", "\uFFFD", "\U0001F600"};
    for (const CharacterRange& range : CoveredCharacters()) {
        for (char32_t c = range.first; c <= range.last; ++c) {
            AppendUtf8(texts.emplace_back(), c);
        }
    }
    for (const char* name : {"Courier New", "Liberation Mono", "Liberation Sans", "Liberation Serif"}) {
        for (const double size : {7.0, 8.0, 9.0, 12.5, 16.0, 100.0}) {
            for (const bool bold : {false, true}) {
                for (Canvas* canvas : {static_cast<Canvas*>(&pdf), static_cast<Canvas*>(&svg)}) {
                    canvas->SetFontName(name);
                    canvas->SetFontSize(size);
                    canvas->SetFontBold(bold);
                }
                const std::string at = std::string(name) + " " + std::to_string(size) + (bold ? " bold " : " ");
                for (const std::string& text : texts) {
                    const double expected = pdf.TextWidth(text);
                    const double tolerance =
                        FontFaceOf(name) == FontFace::Mono ? 0.01 : std::max(2.41, 0.01 * expected);
                    EXPECT_NEAR(svg.TextWidth(text), expected, tolerance) << at << text;
                }
                EXPECT_NEAR(svg.TextHeight("0"), pdf.TextHeight("0"), 0.05) << at;
            }
        }
    }
}

// The page's report has the words of the PDF's, page by page, on both
// papers, with the charts page and the record: the same drawing, measured
// the same way.
TEST(PageDrawings, ReportPagesHoldThePdfsWords)
{
    const auto words = [](const QString& text) {
        QStringList found = text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        found.sort();
        return found;
    };
    const Case harsh{test::HarshForm(), kNewton, {}};
    ReportRecord record = RecordOfCase(harsh, test::SelectedRecord(harsh.form, kNewton).selection, "", true, true);
    QTemporaryDir folder;
    for (const auto& [paper, size] : {std::pair{Paper::A4, QPageSize::A4}, {Paper::Letter, QPageSize::Letter}}) {
        const std::vector<std::string> pages = ReportSvgPages(record, paper);
        const QString pdf = folder.filePath("r.pdf");
        ASSERT_TRUE(WriteDrawnFile(pdf.toStdString(), DrawReportPdf(record, size)));
        const QStringList printed = test::PdfText(pdf).split('\f', Qt::SkipEmptyParts);
        ASSERT_EQ(pages.size(), static_cast<std::size_t>(printed.size()));
        static const QRegularExpression text("<text[^>]*>([^<]*)</text>");
        for (std::size_t page = 0; page < pages.size(); ++page) {
            QString drawn;
            for (const auto& match : text.globalMatch(QString::fromStdString(pages[page]))) {
                drawn += match.captured(1)
                             .replace("&lt;", "<")
                             .replace("&gt;", ">")
                             .replace("&quot;", "\"")
                             .replace("&apos;", "'")
                             .replace("&amp;", "&")
                         + " ";
            }
            EXPECT_EQ(words(drawn), words(printed[static_cast<qsizetype>(page)])) << "page " << page + 1;
        }
    }
}

}  // namespace
}  // namespace vyra::gfx
