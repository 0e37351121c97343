#include "Commands.h"
#include "Headroom.h"
#include "LoadResolution.h"
#include "Ranges.h"
#include "Results1.h"
#include "Results2.h"

#include "RunState.h"
#include <benchmark/benchmark.h>

namespace vyra {
namespace {

// A roller case every check accepts: FS 10 kgf on a 100 mm roller of 10 kg,
// wrap angles 20 and 80, sensor mounted at 20 degrees.
EntryForm TypicalForm()
{
    EntryForm form;
    form.txtInput = {"10", "100", "10", "20", "80", "20", "20", "0", "1", "100"};
    return form;
}

// A state holding the typical case's inputs, read the way "Select" reads
// them so the figures cover the same record the command would produce.
bool PrepareTypicalState(RunState& state, benchmark::State& bench)
{
    if (const CheckResult failure = SelectCommand(state, TypicalForm())) {
        bench.SkipWithError(("typical case refused: " + failure->message).c_str());
        return false;
    }
    return true;
}

void BM_SelectionWithAssessments(benchmark::State& bench)
{
    RunState state;
    if (!PrepareTypicalState(state, bench)) {
        return;
    }
    for (auto _ : bench) {
        RunSelection(state);
        for (int i = 0; i < kModelCount; ++i) {
            Assessment1 first = AssessResults1(state, i);
            Assessment2 second = AssessResults2(state, i);
            benchmark::DoNotOptimize(first);
            benchmark::DoNotOptimize(second);
        }
        benchmark::DoNotOptimize(state.tables);
    }
}
BENCHMARK(BM_SelectionWithAssessments);

// The five steps of one model; the argument is the model index, so a model
// whose figures cost more than the others would stand out.
void BM_OneModelSteps(benchmark::State& bench)
{
    const auto model = static_cast<int>(bench.range(0));
    RunState state;
    if (!PrepareTypicalState(state, bench)) {
        return;
    }
    for (auto _ : bench) {
        ComputeTransmittedLoad(state, model);
        ComputeStopperDisplacement(state, model);
        ComputeSensorOutput(state, model);
        ComputeGain(state, model);
        ComputeFrequencies(state, model);
        benchmark::DoNotOptimize(state.tables);
    }
}
BENCHMARK(BM_OneModelSteps)->DenseRange(0, kModelCount - 1);

// "Select" from the entry texts: reading, all checks, the nine models.
void BM_SelectCommand(benchmark::State& bench)
{
    const EntryForm form = TypicalForm();
    RunState state;
    for (auto _ : bench) {
        CheckResult failure = SelectCommand(state, form);
        benchmark::DoNotOptimize(failure);
        benchmark::DoNotOptimize(state.tables);
    }
}
BENCHMARK(BM_SelectCommand);

// A refusal builds its message and marked items. The resultant-angle check
// comes after every field check, so this case still reads and checks all ten.
void BM_SelectCommandRefused(benchmark::State& bench)
{
    EntryForm form = TypicalForm();
    form.txtInput[kItemGamma] = "-60";
    RunState state;
    if (!SelectCommand(state, form)) {
        bench.SkipWithError("the refused case was accepted");
        return;
    }
    for (auto _ : bench) {
        CheckResult failure = SelectCommand(state, form);
        benchmark::DoNotOptimize(failure);
    }
}
BENCHMARK(BM_SelectCommandRefused);

// The mounting-angle scan: "Select" at every whole degree for nine models.
void BM_PassingGamma(benchmark::State& bench)
{
    const EntryForm form = TypicalForm();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(PassingGammas(form, kKgf));
    }
}
BENCHMARK(BM_PassingGamma)->Unit(benchmark::kMicrosecond);

// Ranges of gamma, height and speed together, 41 x 11 x 11 points, each
// selected for nine models; items per second are points per second.
void BM_RangeEvaluation(benchmark::State& bench)
{
    const EntryForm form = TypicalForm();
    const std::vector<InputRange> ranges{{kItemGamma, 0, 40}, {kItemH, -50, 50}, {kItemV, 50, 150}};
    if (!CheckRanges(form, kKgf, ranges)) {
        bench.SkipWithError("the ranges were refused");
        return;
    }
    for (auto _ : bench) {
        benchmark::DoNotOptimize(EvaluateRanges(form, kKgf, ranges));
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(RangePointCount(form, ranges)));
}
BENCHMARK(BM_RangeEvaluation)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vyra
