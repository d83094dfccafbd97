// Speed of the bootstrap, the cost of the whole analysis. Each BootstrapConfidence case
// runs the engine on one thread and also a reference loop on plain double arrays that
// does the same resampling and CUSUM range with no Real, no checks and no callback. The
// two alternate within every iteration (the reference with the framework's timing
// paused), so that a busy machine slows both alike, and the case reports the median over
// its iterations of engine time / reference time, in thread CPU time, as its counter
// "engine/reference"; a summary line per case follows the table.
//
// The thread cases time BootstrapConfidence at n = 10000 on 1, 2 and all hardware threads
// (wall time), and the whole analysis (values, then their variation) of 10000 points with
// five shifts runs the serial reference loops, the engine on one thread and on all
// threads, and on one thread with the wide kernels switched off, in turn within each
// iteration; the summary gives the speed-ups.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "analysis/WideKernels.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {

constexpr std::uint32_t kTrials = 1000;

//! Uniform noise with a small shift in the middle (for n = 1000 the trials fall on both
//! sides of the series' own range).
std::vector<double> Series(std::uint32_t uCount)
{
    SeedUniformRandom(17);
    std::vector<double> values(uCount);
    for (std::uint32_t i = 0; i < uCount; ++i) values[i] = UniformRandom() + (i >= uCount / 2 ? 0.05 : 0.0);
    return values;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t uMiddle = values.size() / 2;
    return values.size() % 2 ? values[uMiddle] : (values[uMiddle - 1] + values[uMiddle]) / 2.0;
}

//! The same subtractive generator, written plainly.
class PlainGenerator {
public:
    explicit PlainGenerator(std::int64_t iSeed)
    {
        iSeed %= kModulus;
        m_table[55] = iSeed;
        std::int64_t mk = 1;
        for (int i = 1; i <= 54; ++i) {
            const int ii = (21 * i) % 55;
            m_table[ii] = mk;
            mk = iSeed - mk;
            if (mk < 0) mk += kModulus;
            iSeed = m_table[ii];
        }
        for (int k = 0; k < 4; ++k)
            for (int i = 1; i <= 55; ++i) {
                m_table[i] -= m_table[1 + (i + 30) % 55];
                if (m_table[i] < 0) m_table[i] += kModulus;
            }
    }
    double next()
    {
        if (++m_first == 56) m_first = 1;
        if (++m_second == 56) m_second = 1;
        std::int64_t v = m_table[m_first] - m_table[m_second];
        if (v < 0) v += kModulus;
        m_table[m_first] = v;
        return static_cast<double>(v) * 1e-9;
    }

private:
    static constexpr std::int64_t kModulus = 1000000000;
    std::int64_t m_table[56] = {};
    std::size_t m_first = 0;
    std::size_t m_second = 31;
};

//! CUSUM range of pValues[puIndexes[0..n-1]] on doubles.
double PlainCusumRange(const double* pValues, const std::uint32_t* puIndexes, std::uint32_t n)
{
    double sum = 0;
    for (std::uint32_t i = 0; i < n; ++i) sum += pValues[puIndexes[i]];
    const double mean = sum / static_cast<double>(n);
    double s = 0, max = 0, min = 0;
    for (std::uint32_t i = 0; i < n; ++i) {
        s += pValues[puIndexes[i]] - mean;
        if (s > max)
            max = s;
        else if (s < min)
            min = s;
    }
    return max - min;
}

//! CPU time of this thread, in seconds.
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

//! The reference: kTrials resamples of a plain array, counting ranges below the series'
//! own.
class ReferenceBootstrap {
public:
    ReferenceBootstrap(std::vector<double> values, bool bWithReplacement)
        : m_values(std::move(values)), m_indexes(m_values.size()), m_bWithReplacement(bWithReplacement)
    {
        for (std::uint32_t i = 0; i < m_indexes.size(); ++i) m_indexes[i] = i;
        m_range = PlainCusumRange(m_values.data(), m_indexes.data(), static_cast<std::uint32_t>(m_values.size()));
    }

    std::uint32_t run()
    {
        const double* const pValues = m_values.data();
        std::uint32_t* const puIndexes = m_indexes.data();
        const auto n = static_cast<std::uint32_t>(m_values.size());
        const double dCount = n;
        // A local copy: nothing else can reach it, so its cursors stay in registers.
        PlainGenerator generator = m_generator;
        std::uint32_t uBelow = 0;
        for (std::uint32_t t = 0; t < kTrials; ++t) {
            if (m_bWithReplacement) {
                for (std::uint32_t i = 0; i < n; ++i)
                    puIndexes[i] = static_cast<std::uint32_t>(generator.next() * dCount);
            } else {
                for (std::uint32_t i = 0; i < n; ++i) puIndexes[i] = i;
                double dLeft = dCount;
                for (std::uint32_t i = 0; i + 1 < n; ++i, dLeft -= 1.0) {
                    const std::uint32_t j = i + static_cast<std::uint32_t>(generator.next() * dLeft);
                    const std::uint32_t uSwap = puIndexes[i];
                    puIndexes[i] = puIndexes[j];
                    puIndexes[j] = uSwap;
                }
            }
            if (PlainCusumRange(pValues, puIndexes, n) < m_range) ++uBelow;
        }
        m_generator = generator;
        return uBelow;
    }

private:
    std::vector<double> m_values;
    std::vector<std::uint32_t> m_indexes;
    bool m_bWithReplacement;
    double m_range = 0;
    PlainGenerator m_generator{1};
};

void Bootstrap(benchmark::State& state, std::uint32_t uCount, bool bWithReplacement)
{
    const std::vector<double> plain = Series(uCount);
    const std::vector<Real> values(plain.begin(), plain.end());
    std::vector<std::uint32_t> indexes(uCount);
    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(0, uCount - 1, values.data(), rRange, uPosition);
    ReferenceBootstrap reference(plain, bWithReplacement);
    SeedUniformRandom(1);

    Real rConfidence;
    std::uint32_t uReferenceBelow = 0;
    double dReferenceSeconds = 0;
    std::vector<double> ratios;
    bool bEngineFirst = true;
    for (auto _ : state) {
        // The order alternates so that neither side always runs on a warmer cache.
        double dEngine = 0, dReference = 0;
        for (int iPart = 0; iPart < 2; ++iPart) {
            if ((iPart == 0) == bEngineFirst) {
                const double dStart = CpuSeconds();
                BootstrapConfidence(rRange, 0, uCount - 1, indexes.data(), values.data(), rConfidence, kTrials,
                                    bWithReplacement, nullptr, nullptr, {nullptr, 1, false});
                dEngine = CpuSeconds() - dStart;
            } else {
                state.PauseTiming();
                const double dStart = CpuSeconds();
                uReferenceBelow = reference.run();
                benchmark::DoNotOptimize(uReferenceBelow);
                dReference = CpuSeconds() - dStart;
                state.ResumeTiming();
            }
        }
        bEngineFirst = !bEngineFirst;
        dReferenceSeconds += dReference;
        ratios.push_back(dEngine / dReference);
    }
    // The median of the iterations' ratios: a burst of load elsewhere spoils a few of
    // them, not the summary.
    const double dMedian = Median(ratios);
    state.counters["confidence"] = rConfidence.value();
    state.counters["reference confidence"] = uReferenceBelow * 100.0 / kTrials;
    state.counters["reference ms"] = dReferenceSeconds * 1e3 / static_cast<double>(state.iterations());
    state.counters["engine/reference"] = dMedian;
}

//! 10000 points with five shifts.
std::vector<Real> ShiftedSeries()
{
    const double levels[] = {0.0, 0.6, 0.1, 0.9, 0.3, -0.2};
    const std::uint32_t ends[] = {1500, 3200, 5000, 6400, 8300, 10000};
    SeedUniformRandom(23);
    std::vector<Real> values;
    for (int run = 0; run < 6; ++run)
        while (values.size() < ends[run]) values.emplace_back(levels[run] + UniformRandom());
    return values;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

unsigned HardwareThreads()
{
    const unsigned uThreads = std::thread::hardware_concurrency();
    return uThreads ? uThreads : 1;
}

//! BootstrapConfidence at n = 10000 on state.range(0) threads (0: all), wall time.
void BootstrapThreads(benchmark::State& state)
{
    const std::vector<double> plain = Series(10000);
    const std::vector<Real> values(plain.begin(), plain.end());
    std::vector<std::uint32_t> indexes(values.size());
    Real rRange, rConfidence;
    std::uint32_t uPosition = 0;
    CusumRange(0, 9999, values.data(), rRange, uPosition);
    const auto uThreads = static_cast<unsigned>(state.range(0) ? state.range(0) : HardwareThreads());
    RandomStream stream(1);
    for (auto _ : state)
        BootstrapConfidence(rRange, 0, 9999, indexes.data(), values.data(), rConfidence, kTrials, false, nullptr,
                            nullptr, {&stream, uThreads, false});
    state.counters["threads"] = uThreads;
}

//! The whole procedure on the values and on their variation: the changes as numbers
//! that differ when anything differs.
double AnalyseWhole(const std::vector<Real>& values, const std::vector<Real>& variation, std::uint32_t uTrials,
                    const TrialSettings& settings)
{
    double dSummary = 0;
    for (const std::vector<Real>* pSeries : {&values, &variation}) {
        ListPointers changes;
        AnalyzeChanges(0, static_cast<std::uint32_t>(pSeries->size() - 1), pSeries->data(), changes, uTrials, 90.0,
                       95.0, false, nullptr, nullptr, nullptr, settings);
        for (std::uint32_t k = 1; k <= changes.count(); ++k) {
            const auto* pChange = changes.itemAs<ChangeStructure>(k);
            dSummary = dSummary * 1.25 + pChange->uPosition + pChange->rConfidence.value() +
                       pChange->uIntervalLower * 1e-3 + pChange->uIntervalUpper * 1e-6 + pChange->uLevel;
        }
        dSummary += changes.count() * 1e6;
        ClearChanges(changes);
    }
    return dSummary;
}

//! The whole analysis with state.range(0) trials: the serial reference, the engine on one
//! thread and on all threads, in turn within each iteration (wall time).
void WholeAnalysis(benchmark::State& state)
{
    const auto uTrials = static_cast<std::uint32_t>(state.range(0));
    const std::vector<Real> values = ShiftedSeries();
    std::vector<Real> variation;
    for (std::size_t i = 0; i + 1 < values.size(); i += 2)
        variation.push_back(abs(values[i + 1] - values[i]) / Real(1.414213562373));
    // The fourth run: one thread with the wide kernels switched off.
    const TrialSettings runs[] = {
        {nullptr, 1, true}, {nullptr, 1, false}, {nullptr, HardwareThreads(), false}, {nullptr, 1, false}};
    constexpr int kRuns = 4;
    std::vector<double> seconds[kRuns], cpuSeconds[kRuns];
    double dSummary[kRuns] = {};
    int iFirst = 0;
    for (auto _ : state) {
        for (int i = 0; i < kRuns; ++i) {
            const int iRun = (iFirst + i) % kRuns;
            RandomStream stream(5);
            TrialSettings settings = runs[iRun];
            settings.pStream = &stream;
            kernel::wide::SetEnabled(iRun != 3);
            const double dStart = WallSeconds();
            const double dCpuStart = CpuSeconds();
            dSummary[iRun] = AnalyseWhole(values, variation, uTrials, settings);
            seconds[iRun].push_back(WallSeconds() - dStart);
            cpuSeconds[iRun].push_back(CpuSeconds() - dCpuStart);
            kernel::wide::SetEnabled(true);
        }
        iFirst = (iFirst + 1) % kRuns;
    }
    // Medians over the iterations: a moment of a busy machine does not move them.
    state.counters["reference s"] = Median(seconds[0]);
    state.counters["1 thread s"] = Median(seconds[1]);
    state.counters["all threads s"] = Median(seconds[2]);
    // The calling thread's CPU time: for the serial runs, their cost even on a busy machine.
    state.counters["reference cpu s"] = Median(cpuSeconds[0]);
    state.counters["1 thread cpu s"] = Median(cpuSeconds[1]);
    state.counters["one-trial kernels s"] = Median(seconds[3]);
    state.counters["identical"] =
        dSummary[0] == dSummary[1] && dSummary[0] == dSummary[2] && dSummary[0] == dSummary[3];
}

//! Prints the engine/reference ratio of every case after the table, then the speed-ups
//! of the thread cases.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const auto value = [&run](const char* psName) {
                const auto it = run.counters.find(psName);
                return it == run.counters.end() ? std::nan("") : it->second.value;
            };
            const std::string sName = run.benchmark_name();
            if (run.counters.count("engine/reference")) m_ratios.emplace_back(sName, value("engine/reference"));
            if (run.counters.count("threads"))
                m_bootstrapSeconds[static_cast<unsigned>(value("threads"))] = run.GetAdjustedRealTime();
            if (run.counters.count("identical")) {
                char line[800];
                std::snprintf(line, sizeof line,
                              "%s: reference %.3f s, 1 thread %.3f s, all threads %.3f s; reference/1 thread = %.2f, "
                              "reference/all threads = %.2f, 1 thread/all threads = %.2f; results %s; CPU time of "
                              "the serial runs: reference %.3f s, 1 thread %.3f s, ratio %.2f; 1 thread with the "
                              "one-trial kernels %.3f s (wide kernels %s)",
                              sName.c_str(), value("reference s"), value("1 thread s"), value("all threads s"),
                              value("reference s") / value("1 thread s"), value("reference s") / value("all threads s"),
                              value("1 thread s") / value("all threads s"),
                              value("identical") == 1 ? "identical" : "DIFFER", value("reference cpu s"),
                              value("1 thread cpu s"), value("reference cpu s") / value("1 thread cpu s"),
                              value("one-trial kernels s"), kernel::wide::Enabled() ? "on" : "not on this processor");
                m_wholeLines.emplace_back(line);
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios() const
    {
        for (const auto& [sName, dRatio] : m_ratios)
            std::printf("ratio %-48s engine/reference = %.2f\n", sName.c_str(), dRatio);
        const auto one = m_bootstrapSeconds.find(1);
        if (one != m_bootstrapSeconds.end())
            for (const auto& [uThreads, dSeconds] : m_bootstrapSeconds)
                std::printf("BootstrapConfidence n=10000, %u threads: speed-up over 1 thread = %.2f\n", uThreads,
                            one->second / dSeconds);
        for (const std::string& sLine : m_wholeLines) std::printf("%s\n", sLine.c_str());
    }

private:
    std::vector<std::pair<std::string, double>> m_ratios;
    std::map<unsigned, double> m_bootstrapSeconds;
    std::vector<std::string> m_wholeLines;
};

}  // namespace

int main(int argc, char** argv)
{
    for (std::uint32_t uCount : {1000u, 10000u})
        for (bool bWithReplacement : {false, true})
            benchmark::RegisterBenchmark(("BootstrapConfidence/n:" + std::to_string(uCount) +
                                          (bWithReplacement ? "/with_replacement" : "/without_replacement"))
                                             .c_str(),
                                         Bootstrap, uCount, bWithReplacement)
                ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BootstrapConfidence/n:10000/threads", BootstrapThreads)
        ->Arg(1)
        ->Arg(2)
        ->Arg(0)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WholeAnalysis/n:10000/shifts:5/trials:1000", WholeAnalysis)
        ->Arg(1000)
        ->Iterations(5)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WholeAnalysis/n:10000/shifts:5/trials:10000", WholeAnalysis)
        ->Arg(10000)
        ->Iterations(1)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
