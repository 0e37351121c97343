// The file readers at their size limits: a case file of 1 MiB that is
// nothing but names, a batch row of twenty million fields under a header
// of one column, and a user's material table of 1 MiB. All must be refused
// or read in well under a second, with memory that does not grow with the
// input.
#include "BatchFile.h"
#include "CaseFile.h"
#include "MaterialTableFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <variant>

#include <unistd.h>

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

// Short rows of distinct names up to the 1 MiB limit, read from a file
// and laid over the shipped table as a run reads them.
void BM_LoadMaterialTable1MiB(benchmark::State& state)
{
    std::string text = "name,basis,low,typical,high\n";
    std::int64_t rows = 0;
    for (std::string row = "m0,thickness,1,2,3\n"; text.size() + row.size() <= vyra::kMaxMaterialFileBytes;
         row = std::string("m").append(std::to_string(++rows)).append(",thickness,1,2,3\n")) {
        text += row;
    }
    const std::string path = "/tmp/materials-bench-" + std::to_string(::getpid()) + ".csv";
    std::ofstream(path, std::ios::binary) << text;
    for (auto _ : state) {
        auto table = vyra::LoadMaterialTable({path});
        benchmark::DoNotOptimize(table);
    }
    std::remove(path.c_str());
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_LoadMaterialTable1MiB)->Unit(benchmark::kMillisecond);

}  // namespace
