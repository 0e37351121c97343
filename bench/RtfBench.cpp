#include "RtfReader.h"
#include "RtfTextDocument.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <variant>

namespace vyra::rtf {
namespace {

constexpr std::size_t kOneMegabyte = 1024u * 1024u;

// A document of about 1 MB in the shape of the explanation documents:
// headings, formatted body paragraphs with Western and Unicode characters,
// bulleted items and a table of five rows after every few sections.
std::string GenerateDocument(std::size_t size)
{
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                      "{\\f1\\fmodern\\fcharset0 Courier New;}}{\\colortbl;\\red0\\green0\\blue0;"
                      "\\red31\\green56\\blue100;}{\\info{\\title Generated}}\n";
    for (int section = 1; rtf.size() < size; ++section) {
        rtf += "\\pard\\plain\\keepn\\sb360\\sa120\\f0\\fs30\\b\\cf2 Section " + std::to_string(section) + "\\par\n";
        for (int paragraph = 0; paragraph < 4; ++paragraph) {
            rtf += "\\pard\\plain\\qj\\sa120\\f0\\fs22 The roller of {\\b 100 mm} diameter carries the web at "
                   "{\\i 10 kgf}; the caf\\'e9 costs 3 \\'80 and the stopper moves 0.12 mm \\u8211\\'96 "
                   "{\\f1 vyra-select --tension 10} prints the {\\ul same} figures as the screen.\\par\n";
        }
        rtf += "\\pard\\plain\\li567\\fi-200\\sa60\\f0\\fs22 \\u8226\\'95\\tab An item of a list\\line "
               "with a second line.\\par\n";
        if (section % 3 == 0) {
            for (int row = 0; row < 5; ++row) {
                rtf += "\\trowd\\trgaph108\\trleft-108\\cellx2000\\cellx4000\\cellx6000\\cellx8000\n";
                for (int cell = 0; cell < 4; ++cell) {
                    rtf += "\\pard\\plain\\intbl\\qr\\f0\\fs20 " + std::to_string(row * 10 + cell) + ".25\\cell";
                }
                rtf += "\\row\n";
            }
        }
    }
    rtf += "}";
    return rtf;
}

void ReadIntoTextDocument(benchmark::State& bench, const std::string& rtf)
{
    for (auto _ : bench) {
        const auto result = ReadRtf(rtf);
        QTextDocument document;
        FillTextDocument(*result, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * rtf.size()));
}

void BM_ReadOneMegabyteIntoTextDocument(benchmark::State& bench)
{
    static const std::string rtf = GenerateDocument(kOneMegabyte);
    ReadIntoTextDocument(bench, rtf);
}
BENCHMARK(BM_ReadOneMegabyteIntoTextDocument)->Unit(benchmark::kMillisecond);

// The reader alone, to tell its share from the text document's.
void BM_ReadOneMegabyte(benchmark::State& bench)
{
    static const std::string rtf = GenerateDocument(kOneMegabyte);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(ReadRtf(rtf));
    }
    bench.SetBytesProcessed(static_cast<std::int64_t>(bench.iterations() * rtf.size()));
}
BENCHMARK(BM_ReadOneMegabyte)->Unit(benchmark::kMillisecond);

// The explanation documents that exist in the source tree; missing ones are
// left out.
void RegisterExplanationDocuments()
{
    for (int number = 1; number <= 5; ++number) {
        const std::string name = "Explanation" + std::to_string(number) + ".rtf";
        std::ifstream file(std::filesystem::path(VYRA_DOCS_DIR) / name, std::ios::binary);
        if (!file) {
            continue;
        }
        std::string rtf((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!ReadRtf(rtf)) {
            continue;
        }
        benchmark::RegisterBenchmark(("BM_ReadExplanationIntoTextDocument/" + name).c_str(),
                                     [rtf](benchmark::State& bench) { ReadIntoTextDocument(bench, rtf); })
            ->Unit(benchmark::kMillisecond);
    }
}

}  // namespace
}  // namespace vyra::rtf

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    vyra::rtf::RegisterExplanationDocuments();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
