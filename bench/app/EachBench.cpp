// Speed of ovs analyze --each over 64 series of 500 values (half of them with a shift),
// 1000 trials: the series one after another on one thread, the same with the trials of
// each series spread over every thread, and the series side by side on every thread
// (what --each does). Each case reports series per second.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/EachAnalysis.h"
#include "platform/ScriptedUserMessages.h"
#include "workbook/DelimitedText.h"
#include "workbook/Designators.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;

namespace {

constexpr int kSeries = 64;
constexpr int kValues = 500;

void FillBlock(Workbook& workbook)
{
    std::string sText;
    for (int c = 0; c < kSeries; ++c) sText += (c ? "\tS" : "S") + std::to_string(c + 1);
    sText += "\n";
    std::uint64_t uState = 12345;
    for (int i = 0; i < kValues; ++i) {
        for (int c = 0; c < kSeries; ++c) {
            uState = uState * 6364136223846793005u + 1442695040888963407u;
            const double dNoise = static_cast<double>(uState >> 11) / 9007199254740992.0;
            const double dShift = (c % 2 == 0 && i >= kValues / 2) ? 0.4 : 0.0;
            sText += (c ? "\t" : "") + std::to_string(10 + dShift + dNoise);
        }
        sText += "\n";
    }
    workbook.SetCurrentCell(1, 1);
    PasteText(workbook, sText);
}

Workbook& Block()
{
    static std::unique_ptr<Workbook> workbook = [] {
        auto pWorkbook = std::make_unique<Workbook>();
        FillBlock(*pWorkbook);
        return pWorkbook;
    }();
    return *workbook;
}

BatchRequest Request(unsigned uThreads)
{
    BatchRequest request;
    request.sSelect = "A1:" + std::string(ColumnDesignator(kSeries)) + "1";
    request.uSeed = 5;
    request.uThreads = uThreads;
    return request;
}

void RunEach(benchmark::State& state, unsigned uThreads)
{
    const std::atomic<bool> halt{false};
    std::ostringstream progress;
    for (auto _ : state) {
        std::vector<EachSeries> results;
        RunEachAnalysis(Request(uThreads), Block(), progress, false, halt, results);
        benchmark::DoNotOptimize(results.data());
    }
    state.counters["series/s"] = benchmark::Counter(kSeries * state.iterations(), benchmark::Counter::kIsRate);
}

//! The series one after another on one thread.
void BM_EachSerial(benchmark::State& state)
{
    RunEach(state, 1);
}

//! The series one after another, the trials of each on every thread.
void BM_EachSeriesByParallelTrials(benchmark::State& state)
{
    const std::vector<BatchRequest> requests = [] {
        std::string sError;
        return EachRequests(Request(0), Block(), sError);
    }();
    for (auto _ : state) {
        for (const BatchRequest& request : requests) {
            ScriptedUserMessages messages;
            std::unique_ptr<ChangePointAnalysis> analysis;
            RunBatchAnalysis(request, Block(), messages, nullptr, nullptr, analysis);
            benchmark::DoNotOptimize(analysis.get());
        }
    }
    state.counters["series/s"] = benchmark::Counter(kSeries * state.iterations(), benchmark::Counter::kIsRate);
}

//! --each: the series side by side on every thread.
void BM_EachParallel(benchmark::State& state)
{
    RunEach(state, 0);
}

}  // namespace

BENCHMARK(BM_EachSerial)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EachSeriesByParallelTrials)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EachParallel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

BENCHMARK_MAIN();
