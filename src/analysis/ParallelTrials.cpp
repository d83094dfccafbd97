// Ostrel-Vane Studio - the trials of a bootstrap spread over worker threads, each trial
// drawing exactly the numbers the serial loop would give it.
#include "analysis/ParallelTrials.h"

#include <tbb/task_arena.h>
#include <tbb/task_group.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "analysis/ChangePointFunctions.h"

namespace HalvrennInc {

unsigned ParseThreadCount(const char* psText)
{
    if (!psText || !*psText) return 0;
    unsigned uCount = 0;
    for (const char* p = psText; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        uCount = uCount * 10 + static_cast<unsigned>(*p - '0');
        if (uCount > kMaxThreads) return 0;
    }
    return uCount;
}

unsigned DefaultThreadCount()
{
    static const unsigned uDefault = [] {
        if (const unsigned uCount = ParseThreadCount(std::getenv("OVS_THREADS"))) return uCount;
        const unsigned uHardware = std::thread::hardware_concurrency();
        return uHardware ? uHardware : 1u;
    }();
    return uDefault;
}

}  // namespace HalvrennInc

namespace HalvrennInc::trials {

namespace {

//! Draws of one run of trials: a jump costs some thousand draws, so a run is far longer;
//! beyond the least, a call gives each thread about eight runs, so that they end together.
constexpr std::uint64_t kLeastChunkDraws = 1u << 15;
constexpr std::uint64_t kMostChunkDraws = 1u << 18;
constexpr std::uint64_t kChunksPerThread = 8;
//! Calls with fewer draws than this run on the calling thread alone.
constexpr std::uint64_t kParallelDraws = 1u << 17;
//! At most this many runs, so that their start states stay few.
constexpr std::uint32_t kMaxChunks = 4096;
//! Runs hold whole groups of this many trials, as the widest kernels take them.
constexpr std::uint32_t kTrialGroup = 4;

//! Trials per run.
std::uint32_t ChunkTrials(const TrialPlan& plan, unsigned uThreads)
{
    const std::uint64_t uDraws = plan.uDrawsPerTrial ? plan.uDrawsPerTrial : 1;
    const std::uint64_t uChunkDraws = std::clamp<std::uint64_t>(
        plan.uTrials * uDraws / (std::uint64_t{uThreads} * kChunksPerThread), kLeastChunkDraws, kMostChunkDraws);
    std::uint64_t uTrials = (uChunkDraws + uDraws - 1) / uDraws;
    uTrials = (uTrials + kTrialGroup - 1) / kTrialGroup * kTrialGroup;
    if ((plan.uTrials + uTrials - 1) / uTrials > kMaxChunks) uTrials = (plan.uTrials + kMaxChunks - 1) / kMaxChunks;
    return static_cast<std::uint32_t>(uTrials);
}

//! The progress points of the serial loop: before trial t when t + 1 is a multiple of 100.
class Progress {
public:
    Progress(const TrialPlan& plan, StatusCallback pCallback, void* pContext)
        : m_plan(plan), m_pCallback(pCallback), m_pContext(pContext)
    {
    }

    //! The trial before which the next point stands (uTrials when none is left).
    std::uint32_t nextPoint() const { return m_uNext; }

    //! Reports every point up to uDone trials done; false when the callback halts (the
    //! point it halted at is then nextPoint()).
    bool reportUpTo(std::uint32_t uDone)
    {
        while (m_uNext <= uDone && m_uNext < m_plan.uTrials) {
            if (m_pCallback) {
                const std::uint32_t uShown = m_plan.progress == ProgressForm::Bootstrap ? m_uNext + 1 : m_uNext;
                const double dPercent = static_cast<double>(uShown) * 100.0 / static_cast<double>(m_plan.uTrials);
                if (!m_pCallback(m_pContext, scProgress, nullptr, dPercent)) return false;
            }
            m_uNext += 100;
        }
        return true;
    }

private:
    const TrialPlan& m_plan;
    StatusCallback m_pCallback;
    void* m_pContext;
    std::uint32_t m_uNext = 99;
};

bool RunSerial(const TrialPlan& plan, TrialWork& work, RandomStream& stream, Progress& progress)
{
    std::uint32_t t = 0;
    while (t < plan.uTrials) {
        if (!progress.reportUpTo(t)) return false;
        const std::uint32_t uEnd = std::min(plan.uTrials, progress.nextPoint());
        work.run(0, stream, t, uEnd);
        t = uEnd;
    }
    return true;
}

}  // namespace

unsigned WorkerCount(const TrialPlan& plan, unsigned uThreads)
{
    if (uThreads <= 1 || plan.uTrials * plan.uDrawsPerTrial < kParallelDraws) return 1;
    const std::uint32_t uChunk = ChunkTrials(plan, uThreads);
    const std::uint32_t uChunks = (plan.uTrials + uChunk - 1) / uChunk;
    return std::min<unsigned>(uThreads, uChunks);
}

bool RunTrials(const TrialPlan& plan, TrialWork& work, RandomStream& stream, unsigned uThreads,
               StatusCallback pCallback, void* pContext)
{
    Progress progress(plan, pCallback, pContext);
    const unsigned uWorkers = WorkerCount(plan, uThreads);
    if (uWorkers <= 1) return RunSerial(plan, work, stream, progress);

    const std::uint32_t uChunk = ChunkTrials(plan, uThreads);
    const std::uint32_t uChunks = (plan.uTrials + uChunk - 1) / uChunk;
    std::vector<RandomStream> starts(uChunks);
    RandomStream end;
    std::atomic<std::uint32_t> uReady{0}, uNextChunk{0}, uDone{0};
    std::atomic<bool> bStop{false};

    // Takes runs until none is left or a halt; the last run leaves the stream's end.
    auto takeRuns = [&](unsigned uWorker, bool bCaller) {
        for (;;) {
            if (bCaller && !progress.reportUpTo(uDone.load(std::memory_order_acquire)))
                bStop.store(true, std::memory_order_relaxed);
            if (bStop.load(std::memory_order_relaxed)) return;
            const std::uint32_t k = uNextChunk.fetch_add(1, std::memory_order_relaxed);
            if (k >= uChunks) return;
            while (uReady.load(std::memory_order_acquire) <= k) std::this_thread::yield();  // microseconds
            RandomStream draws = starts[k];
            const std::uint32_t uFirst = k * uChunk;
            const std::uint32_t uEnd = std::min(plan.uTrials, uFirst + uChunk);
            work.run(uWorker, draws, uFirst, uEnd);
            if (k + 1 == uChunks) end = draws;
            uDone.fetch_add(uEnd - uFirst, std::memory_order_acq_rel);
        }
    };

    bool bHalted = false;
    tbb::this_task_arena::isolate([&] {
        tbb::task_group workers;
        for (unsigned w = 1; w < uWorkers; ++w) workers.run([&takeRuns, w] { takeRuns(w, false); });
        // The start of every run, published one by one while the workers begin.
        starts[0] = stream;
        uReady.store(1, std::memory_order_release);
        const RandomStream::Jump step(static_cast<std::uint64_t>(uChunk) * plan.uDrawsPerTrial);
        for (std::uint32_t k = 1; k < uChunks; ++k) {
            starts[k] = starts[k - 1];
            starts[k].jump(step);
            uReady.store(k + 1, std::memory_order_release);
        }
        takeRuns(0, true);
        workers.wait();
        bHalted = bStop.load() || !progress.reportUpTo(plan.uTrials);
    });
    if (bHalted) {
        // Where the serial loop stops: before the trial of the point that halted.
        stream.jump(static_cast<std::uint64_t>(progress.nextPoint()) * plan.uDrawsPerTrial);
        return false;
    }
    stream = end;
    return true;
}

}  // namespace HalvrennInc::trials
