#include "PainterCanvas.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace vyra::gfx {
namespace {

constexpr double kPi = std::numbers::pi;

// Fonts and painting need an application object for the whole run.
class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QGuiApplication>(m_argc, m_argv.data()); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    std::string m_name = "qtcanvas_tests";
    std::array<char*, 2> m_argv{m_name.data(), nullptr};
    std::unique_ptr<QGuiApplication> m_application;
};

const ::testing::Environment* const kGuiApplication =
    ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

// At 144 dpi one device pixel is exactly 10 twips.
constexpr int kDpi = 144;
constexpr int kTwipsPerPixel = 10;

QImage WhiteImage(int width, int height, int dpi = kDpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    return image;
}

// Renders into a 200 by 200 pixel image, in twips.
QImage Render(const std::function<void(Canvas&)>& draw)
{
    QImage image = WhiteImage(200, 200);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    draw(canvas);
    painter.end();
    return image;
}

bool IsInked(const QImage& image, int x, int y) { return image.pixel(x, y) != qRgb(255, 255, 255); }

int InkedPixels(const QImage& image, const QRect& region)
{
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            count += IsInked(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(PainterCanvas, AreaIsTheImageInTwips)
{
    QImage image = WhiteImage(200, 100);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    EXPECT_NEAR(canvas.ScaleWidth(), 2000, 1e-9);
    EXPECT_NEAR(canvas.ScaleHeight(), 1000, 1e-9);
}

TEST(PainterCanvas, LineLandsOnItsPixelRowInItsColour)
{
    const QImage image = Render([](Canvas& c) { c.Line(200, 500, 1800, 500, PaletteColor(12)); });
    EXPECT_EQ(image.pixel(100, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(25, 50), qRgb(255, 0, 0));
    EXPECT_EQ(InkedPixels(image, QRect(0, 0, 200, 50)), 0);
    EXPECT_EQ(InkedPixels(image, QRect(0, 51, 200, 149)), 0);
    EXPECT_FALSE(IsInked(image, 10, 50));
    EXPECT_FALSE(IsInked(image, 190, 50));
}

TEST(PainterCanvas, DrawWidthCountsDevicePixels)
{
    for (const int width : {1, 2, 4, 8}) {
        const QImage image = Render([width](Canvas& c) {
            c.SetDrawWidth(width);
            c.Line(200, 1000, 1800, 1000, PaletteColor(9));
        });
        EXPECT_EQ(InkedPixels(image, QRect(100, 0, 1, 200)), width) << width;
        EXPECT_EQ(image.pixel(100, 100), qRgb(0, 0, 255)) << width;
    }
}

struct StyleCase {
    DrawStyle style;
    int width;
    bool gaps;
};

TEST(PainterCanvas, PatternsShowOnlyOnTheThinnestPen)
{
    const std::vector<StyleCase> cases{
        {DrawStyle::Solid, 1, false}, {DrawStyle::Dash, 1, true}, {DrawStyle::Dot, 1, true},
        {DrawStyle::DashDot, 1, true}, {DrawStyle::Dash, 2, false}, {DrawStyle::Dot, 4, false},
    };
    for (const StyleCase& c : cases) {
        const QImage image = Render([&c](Canvas& canvas) {
            canvas.SetDrawWidth(c.width);
            canvas.SetDrawStyle(c.style);
            canvas.Line(200, 1000, 1800, 1000, PaletteColor(0));
        });
        const int inked = InkedPixels(image, QRect(30, 100, 140, 1));
        EXPECT_EQ(inked < 140, c.gaps) << static_cast<int>(c.style) << " at width " << c.width;
        EXPECT_GT(inked, 140 / 4) << static_cast<int>(c.style) << " at width " << c.width;
    }
}

TEST(PainterCanvas, BoxDrawsOnlyTheOutline)
{
    const QImage image = Render([](Canvas& c) { c.Box(1500, 1200, 500, 500, PaletteColor(10)); });
    const QRgb green = qRgb(0, 255, 0);
    EXPECT_EQ(image.pixel(100, 50), green);
    EXPECT_EQ(image.pixel(100, 120), green);
    EXPECT_EQ(image.pixel(50, 85), green);
    EXPECT_EQ(image.pixel(150, 85), green);
    EXPECT_EQ(InkedPixels(image, QRect(52, 52, 96, 66)), 0);
    EXPECT_EQ(InkedPixels(image, QRect(0, 0, 200, 48)), 0);
    EXPECT_EQ(InkedPixels(image, QRect(0, 123, 200, 77)), 0);
}

struct QuadrantCase {
    std::string name;
    double start;  // radians
    double end;
    std::vector<bool> inked;  // upper right, upper left, lower left, lower right
};

// The four quadrants around (100, 100) pixels, clear of the axes.
std::vector<QRect> Quadrants()
{
    return {QRect(103, 0, 97, 97), QRect(0, 0, 97, 97), QRect(0, 103, 97, 97), QRect(103, 103, 97, 97)};
}

TEST(PainterCanvas, ArcsRunCounterClockwiseAsSeen)
{
    const std::vector<QuadrantCase> cases{
        {"first quarter", 0, kPi / 2, {true, false, false, false}},
        {"second quarter", kPi / 2, kPi, {false, true, false, false}},
        {"third quarter", kPi, 3 * kPi / 2, {false, false, true, false}},
        {"fourth quarter, ending at 0", 3 * kPi / 2, 0, {false, false, false, true}},
        {"three quarters through 0", kPi, kPi / 2, {true, false, true, true}},
    };
    for (const QuadrantCase& c : cases) {
        const QImage image = Render([&c](Canvas& canvas) {
            canvas.SetDrawWidth(2);
            canvas.Arc(1000, 1000, 600, PaletteColor(11), c.start, c.end);
        });
        for (std::size_t q = 0; q < 4; ++q) {
            EXPECT_EQ(InkedPixels(image, Quadrants()[q]) > 0, c.inked[q]) << c.name << ", quadrant " << q;
        }
    }
}

TEST(PainterCanvas, CircleRadiusIsInUnitsOfX)
{
    const QImage image = Render([](Canvas& c) {
        c.SetScaleMode(ScaleMode::Characters);
        c.Circle(1000.0 / 120, 1000.0 / 240, 600.0 / 120, PaletteColor(0));
    });
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{160, 100}, {40, 100}, {100, 40}, {100, 160}}) {
        EXPECT_GT(InkedPixels(image, QRect(x - 1, y - 1, 3, 3)), 0) << x << ", " << y;
    }
    EXPECT_EQ(InkedPixels(image, QRect(62, 62, 77, 77)), 0);  // inside the ring
}

TEST(PainterCanvas, TextHangsBelowAndRightOfItsPosition)
{
    const QImage image = Render([](Canvas& c) {
        c.SetFontSize(12);
        c.SetCurrentX(1000);
        c.SetCurrentY(1000);
        c.WriteText("MgM", LineEnd::Keep);
    });
    // 12 pt at 144 dpi is a 24-pixel em; the line is about 27 pixels high.
    EXPECT_GT(InkedPixels(image, QRect(100, 100, 100, 28)), 50);
    EXPECT_EQ(InkedPixels(image, QRect(0, 0, 200, 100)), 0);
    EXPECT_EQ(InkedPixels(image, QRect(0, 0, 100, 200)), 0);
    EXPECT_EQ(InkedPixels(image, QRect(0, 128, 200, 72)), 0);
}

TEST(PainterCanvas, GreekLettersAreInkedInEveryFaceName)
{
    for (const char* name : {"Courier New", "Courier New CE", "Symbol"}) {
        const QImage image = Render([name](Canvas& c) {
            c.SetFontName(name);
            c.SetFontSize(16);
            c.WriteText("Δ", LineEnd::Keep);
            c.SetCurrentX(0);
            c.SetCurrentY(1000);
            c.WriteText("εμ", LineEnd::Keep);
        });
        EXPECT_GT(InkedPixels(image, QRect(0, 0, 200, 100)), 20) << name;
        EXPECT_GT(InkedPixels(image, QRect(0, 100, 200, 100)), 20) << name;
    }
}

TEST(PainterCanvas, CourierNamesResolveToLiberationMono)
{
    for (const char* name : {"Courier New", "Courier New CE", "Symbol", "monospace"}) {
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(name))).family(), QStringLiteral("Liberation Mono")) << name;
    }
}

struct MetricsCase {
    int dpi;
    double points;
};

// Courier New and its stand-in advance 0.6 em per character and take a line
// of about 1.13 em; hinting at coarse resolutions moves either a little.
TEST(PainterCanvas, TextMeasuresAsCourierNewOnEveryResolution)
{
    const std::vector<MetricsCase> cases{{96, 10}, {144, 10}, {600, 10}, {1200, 10}, {600, 9}, {1200, 16}};
    for (const MetricsCase& c : cases) {
        QImage image = WhiteImage(10, 10, c.dpi);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.SetScaleMode(ScaleMode::Millimetres);
        canvas.SetFontSize(c.points);
        const double em = c.points * 25.4 / 72;
        EXPECT_NEAR(canvas.TextWidth("0123456789"), 10 * 0.6 * em, 0.02 * 6 * em) << c.dpi << " dpi, " << c.points << " pt";
        EXPECT_NEAR(canvas.TextHeight("0"), 1.1328 * em, 0.04 * em) << c.dpi << " dpi, " << c.points << " pt";
        canvas.SetFontBold(true);
        EXPECT_NEAR(canvas.TextWidth("0123456789"), 10 * 0.6 * em, 0.02 * 6 * em) << c.dpi << " dpi, bold";
    }
}

TEST(PainterCanvas, ClearPaintsTheAreaWhite)
{
    QImage image = WhiteImage(50, 40);
    image.fill(Qt::red);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    canvas.Clear();
    painter.end();
    EXPECT_EQ(InkedPixels(image, image.rect()), 0);
}

TEST(PainterCanvas, ImageTakesNewPageWithoutFailing)
{
    QImage image = WhiteImage(50, 40);
    QPainter painter(&image);
    PainterCanvas canvas(painter);
    EXPECT_TRUE(canvas.NewPage());
    EXPECT_FALSE(canvas.Failed());
    EXPECT_TRUE(canvas.EndDocument());
    EXPECT_FALSE(canvas.Failed());
}

TEST(PainterCanvas, PdfAreaIsThePrintableArea)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QPdfWriter writer(folder.filePath(QStringLiteral("area.pdf")));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 15, 10, 15),
                                     QPageLayout::Millimeter));
    QPainter painter(&writer);
    PainterCanvas canvas(painter);
    canvas.SetScaleMode(ScaleMode::Millimetres);
    // Qt keeps page and margins in whole points: 0.35 mm at most on each side.
    EXPECT_NEAR(canvas.ScaleWidth(), 190, 0.71);
    EXPECT_NEAR(canvas.ScaleHeight(), 267, 0.71);
}

TEST(PainterCanvas, PdfGetsOnePagePerNewPage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("pages.pdf"));
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        PainterCanvas canvas(painter);
        canvas.SetScaleMode(ScaleMode::Characters);
        canvas.WriteText("Page 1", LineEnd::End);
        EXPECT_TRUE(canvas.NewPage());
        canvas.WriteText("Page 2", LineEnd::End);
        EXPECT_TRUE(canvas.EndDocument());
        EXPECT_FALSE(canvas.Failed());
    }
    EXPECT_GT(QFileInfo(path).size(), 0);

    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty()) {
        GTEST_SKIP() << "pdfinfo is not installed";
    }
    QProcess process;
    process.start(pdfinfo, {path});
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+2\\n")));
}

TEST(PainterCanvas, PrinterThatCouldNotStartHasFailed)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("missing/folder/report.pdf")));
    QPainter painter;
    ASSERT_FALSE(painter.begin(&printer));

    PainterCanvas canvas(painter);
    EXPECT_TRUE(canvas.Failed());
    canvas.Line(0, 0, 100, 100, PaletteColor(0));
    canvas.WriteText("lost", LineEnd::End);
    EXPECT_FALSE(canvas.NewPage());
    EXPECT_FALSE(canvas.EndDocument());
    EXPECT_TRUE(canvas.Failed());
}

TEST(PainterCanvas, InactivePainterHasFailed)
{
    QPainter painter;
    PainterCanvas canvas(painter);
    EXPECT_TRUE(canvas.Failed());
    EXPECT_FALSE(canvas.NewPage());
}

}  // namespace
}  // namespace vyra::gfx
