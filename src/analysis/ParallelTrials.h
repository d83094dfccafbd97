// Ostrel-Vane Studio - the trials of a bootstrap spread over worker threads. Trial t of a
// call (from 0) takes the uDrawsPerTrial draws that start t * uDrawsPerTrial draws after
// the stream's place at the call, as in the serial loop; a worker jumps its copy of the
// stream straight to the first trial of its run. Internal to the analysis library.
#pragma once

#include <cstdint>

#include "analysis/ChangePointFunctions.h"
#include "analysis/RandomStream.h"

namespace HalvrennInc::trials {

//! The trials of one call. Runs on several threads at once, each with its own worker
//! number (0 for the calling thread); a worker number is never on two threads at a time.
class TrialWork {
public:
    virtual ~TrialWork() = default;
    //! Trials uFirst..uEnd-1, drawing from 'stream', which stands at the start of trial uFirst.
    virtual void run(unsigned uWorker, RandomStream& stream, std::uint32_t uFirst, std::uint32_t uEnd) = 0;
};

//! Where the progress bar stands before trial t (from 0) when t + 1 is a multiple of 100:
//! the bootstrap shows (t + 1) * 100 / N, the interval t * 100 / N.
enum class ProgressForm { Bootstrap, Interval };

struct TrialPlan {
    std::uint32_t uTrials;
    std::uint64_t uDrawsPerTrial;
    ProgressForm progress;
};

//! Runs the trials of the plan on up to uThreads threads, the calling thread included;
//! a plan too small to gain runs on the calling thread alone. Only the calling thread
//! calls the callback: progress (code 6) as each hundred trials are done, in the serial
//! loop's order and values. Returns false when the callback halts, after every worker
//! stopped. Either way the stream ends where the serial loop leaves it.
bool RunTrials(const TrialPlan& plan, TrialWork& work, RandomStream& stream, unsigned uThreads,
               StatusCallback pCallback, void* pContext);

//! The number of workers RunTrials uses for the plan (1: the calling thread alone).
unsigned WorkerCount(const TrialPlan& plan, unsigned uThreads);

}  // namespace HalvrennInc::trials
