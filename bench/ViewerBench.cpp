// Opening a document in the viewer, offscreen: reading, building the view and
// laying it out whole (what showing it waits for), for generated documents at
// and beyond the viewer's limits. Every document the viewer takes must open
// within 2 s; one beyond a limit must be refused at once.
#include "FrmExSub.h"
#include "Toolkit.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QPagedPaintDevice>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace vyra::ui {
namespace {

constexpr std::size_t kMegabyte = 1024u * 1024u;

// Counts the refusals instead of showing them.
class BenchToolkit : public CancellingToolkit {
public:
    int refusals = 0;

    void ShowMessage(QWidget*, const QString&, const QString&, BoxIcon) override { ++refusals; }
    void ShowModal(QDialog&) override { }
    QDate Today() const override { return {2026, 12, 6}; }
    std::unique_ptr<QPagedPaintDevice> DefaultPrinter() override { return nullptr; }
    void EndProgram() override { }
};

class GeneratedFile : public ExplanationFiles {
public:
    explicit GeneratedFile(std::string rtf) : m_rtf(std::move(rtf)) { }
    DocumentBytes ReadDocument(const QString&) const override { return m_rtf; }

private:
    std::string m_rtf;
};

std::string OneWord(std::size_t bytes) { return "{\\rtf1 " + std::string(bytes, 'x') + "}"; }

std::string Prose(std::size_t bytes)
{
    std::string rtf = "{\\rtf1 ";
    while (rtf.size() < bytes) {
        for (int word = 0; word < 200; ++word) {
            rtf += "word ";
        }
        rtf += "\\par\n";
    }
    return rtf + "}";
}

std::string ShortParagraphs(std::size_t count)
{
    std::string rtf = "{\\rtf1 ";
    for (std::size_t i = 0; i < count; ++i) {
        rtf += "Line\\par\n";
    }
    return rtf + "}";
}

std::string TableRows(std::size_t rows)
{
    std::string rtf = "{\\rtf1 ";
    for (std::size_t i = 0; i < rows; ++i) {
        rtf += "\\trowd\\cellx2000\\cellx4000\\intbl 12.5\\cell 0.7\\cell\\row\n";
    }
    return rtf + "}";
}

void Open(benchmark::State& state, const std::string& rtf, bool refused)
{
    for (auto _ : state) {
        BenchToolkit toolkit;
        const GeneratedFile file(rtf);
        FrmExSub viewer(toolkit, file, QStringLiteral("Generated.rtf"));
        QTextDocument& document = *viewer.RichTextBox1().document();
        document.setTextWidth(viewer.RichTextBox1().viewport()->width());
        benchmark::DoNotOptimize(document.documentLayout()->documentSize());
        if ((toolkit.refusals > 0) != refused) {
            state.SkipWithError(refused ? "the document was not refused" : "the document was refused");
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void BM_OneWordOfAMegabyte(benchmark::State& state) { Open(state, OneWord(kMegabyte - 16), false); }
BENCHMARK(BM_OneWordOfAMegabyte)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ProseOfAMegabyte(benchmark::State& state) { Open(state, Prose(kMegabyte), false); }
BENCHMARK(BM_ProseOfAMegabyte)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ShortParagraphsAtTheLimit(benchmark::State& state) { Open(state, ShortParagraphs(19000), false); }
BENCHMARK(BM_ShortParagraphsAtTheLimit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TableRowsAtTheLimit(benchmark::State& state) { Open(state, TableRows(2000), false); }
BENCHMARK(BM_TableRowsAtTheLimit)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FourMegabyteWordRefused(benchmark::State& state) { Open(state, OneWord(4 * kMegabyte), true); }
BENCHMARK(BM_FourMegabyteWordRefused)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_FiftyThousandRowsRefused(benchmark::State& state) { Open(state, TableRows(50000), true); }
BENCHMARK(BM_FiftyThousandRowsRefused)->Unit(benchmark::kMillisecond)->Iterations(3);

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
