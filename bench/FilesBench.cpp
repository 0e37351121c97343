// The file readers at their size limits: a case file of 1 MiB that is
// nothing but names, and a batch row of twenty million fields under a
// header of one column. Both must be refused or read in well under a
// second, with memory that does not grow with the input.
#include "BatchFile.h"
#include "CaseFile.h"

#include <benchmark/benchmark.h>

#include <string>
#include <variant>

namespace {

std::string KeyFlood()
{
    std::string text = R"({"format":"vyra-case","version":1,"tension":"10")";
    for (int i = 0; text.size() < vyra::kMaxCaseFileBytes - 32; ++i) {
        text += ",\"k" + std::to_string(i) + "\":0";
    }
    return text + "}";
}

void BM_ParseCaseFileKeyFlood(benchmark::State& state)
{
    const std::string text = KeyFlood();
    for (auto _ : state) {
        auto read = vyra::ParseCaseFile(text);
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseCaseFileKeyFlood)->Unit(benchmark::kMillisecond);

void BM_RefuseBatchWideRow(benchmark::State& state)
{
    const std::string text = "id\n" + std::string(20u << 20, ',') + "\n";
    for (auto _ : state) {
        vyra::TextSource source(text);
        vyra::BatchReader reader(source, vyra::Case{});
        auto fault = reader.Next();
        benchmark::DoNotOptimize(fault);
    }
}
BENCHMARK(BM_RefuseBatchWideRow)->Unit(benchmark::kMicrosecond);

}  // namespace
