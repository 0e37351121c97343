// "Select" on the real input screen, offscreen: from the click to both
// result screens filled, the first time (screens created) and again while
// they are open (refilled); and the tension helper opened over a user's
// material table of 1 MiB.
#include "FrmInput.h"
#include "Toolkit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPagedPaintDevice>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace vyra::ui {
namespace {

// Answers the unit screen with "[Kgf]" and closes any other modal screen;
// any message box means the case was refused and the figures would be
// meaningless.
class BenchToolkit : public CancellingToolkit {
public:
    void ShowMessage(QWidget*, const QString& title, const QString& text, BoxIcon) override
    {
        std::fprintf(stderr, "unexpected message: %s: %s\n", qPrintable(title), qPrintable(text));
        std::abort();
    }
    void ShowModal(QDialog& screen) override
    {
        screen.show();
        if (auto* kgf = screen.findChild<QAbstractButton*>(QStringLiteral("cmdSel1"))) {
            kgf->click();
        } else {
            screen.reject();
        }
    }
    QDate Today() const override { return {2026, 12, 6}; }
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override { return nullptr; }
    void EndProgram() override { }
};

QAbstractButton* Button(const QWidget& parent, const char* name)
{
    return parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

QWidget* ResultWindow(const char* title)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == QLatin1String(title)) {
            return widget;
        }
    }
    return nullptr;
}

struct Session {
    BenchToolkit toolkit;
    FrmInput input{toolkit};

    Session()
    {
        input.show();
        QApplication::processEvents();
        const char* texts[] = {"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
        for (int item = 0; item < 10; ++item) {
            const QString name = QStringLiteral("txtInput(%1)").arg(item);
            input.findChild<QLineEdit*>(name)->setText(QString::fromLatin1(texts[item]));
        }
    }

    void CloseResults()
    {
        if (QWidget* first = ResultWindow("Selection result 1")) {
            Button(*first, "cmdReturn")->click();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void BM_SelectOpeningResultScreens(benchmark::State& bench)
{
    Session session;
    QAbstractButton* select = Button(session.input, "cmdResult");
    for (auto _ : bench) {
        select->click();
        benchmark::DoNotOptimize(ResultWindow("Selection result 1"));
        bench.PauseTiming();
        session.CloseResults();
        bench.ResumeTiming();
    }
}
BENCHMARK(BM_SelectOpeningResultScreens)->Unit(benchmark::kMillisecond);

void BM_SelectRefillingOpenResultScreens(benchmark::State& bench)
{
    Session session;
    QAbstractButton* select = Button(session.input, "cmdResult");
    select->click();
    for (auto _ : bench) {
        select->click();
        benchmark::DoNotOptimize(ResultWindow("Selection result 1"));
    }
}
BENCHMARK(BM_SelectRefillingOpenResultScreens)->Unit(benchmark::kMillisecond);

// "Select" with the charts window open: the result screens and the charts
// refilled, and the charts window painted as the screen would show it.
void BM_SelectRefillingOpenChartsWindow(benchmark::State& bench)
{
    Session session;
    QAbstractButton* select = Button(session.input, "cmdResult");
    select->click();
    Button(*ResultWindow("Selection result 1"), "cmdCharts")->click();
    QWidget* charts = ResultWindow("Selection charts");
    for (auto _ : bench) {
        select->click();
        benchmark::DoNotOptimize(charts->grab());
    }
}
BENCHMARK(BM_SelectRefillingOpenChartsWindow)->Unit(benchmark::kMillisecond);

long ResidentKilobytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// "Tension from material" opened and closed over a user's table of 1 MiB
// (46,072 rows): the table is read at the first opening, before the
// timing; "grownKB" is the resident memory gained over the timed openings.
void BM_OpenTensionHelper1MiBTable(benchmark::State& bench)
{
    const std::string path = "/tmp/materials-bench-" + std::to_string(::getpid()) + ".csv";
    std::ofstream file(path);
    file << "name,basis,low,typical,high\n";
    for (int row = 0; row < 46072; ++row) {
        file << 'm' << row << ",thickness,1,2,3\n";
    }
    file.close();
    ::setenv("VYRA_MATERIALS_FILE", path.c_str(), 1);
    Session session;
    QAction* tension = session.input.findChild<QAction*>(QStringLiteral("mnuTension"));
    tension->trigger();
    const long before = ResidentKilobytes();
    for (auto _ : bench) {
        tension->trigger();
    }
    bench.counters["grownKB"] = static_cast<double>(ResidentKilobytes() - before);
    ::unsetenv("VYRA_MATERIALS_FILE");
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenTensionHelper1MiBTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vyra::ui

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
