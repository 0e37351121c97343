#include "PainterCanvas.h"
#include "Sketch.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace vyra::gfx {
namespace {

// The sketch area of the input screen at 96 dpi, drawn as after
// "Image chgange" for the arrangement the screen starts with.
void BM_SketchToImage(benchmark::State& bench)
{
    const int side = static_cast<int>(std::lround(kSketchAreaTwips * 96 / 1440.0));
    QImage image(side, side, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    SelectionInputs inputs;
    inputs.alpha = 20;
    inputs.beta = 80;
    inputs.gamma = 20;
    inputs.l = 20;
    for (auto _ : bench) {
        SketchElements elements;
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        PainterCanvas canvas(painter);
        DrawSketch(canvas, elements, ReadSketchCentre(elements), inputs, false);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SketchToImage);

}  // namespace
}  // namespace vyra::gfx

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
