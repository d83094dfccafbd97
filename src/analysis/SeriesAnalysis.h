// Ostrel-Vane Studio - one analysis of one extracted series with a given seed: the single
// way every front end runs the engine (one analysis of the command-line tool, each
// series of a run over many, the Python module), so that the same series and seed give
// the same result wherever it is analysed.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "analysis/SelectedSeries.h"

namespace HalvrennInc {

//! How one series is run: the seed of its random stream (none: the stream goes on from
//! where it stands, seeded from the clock on first use), the status callback that
//! reports progress and can halt it, the threads of its trials (0: the default count),
//! and its random stream (null: the shared one). Analyses that run at the same time each
//! need a stream of their own.
struct SeriesRun {
    std::optional<std::uint64_t> uSeed;
    StatusCallback pCallback = nullptr;
    void* pContext = nullptr;
    unsigned uThreads = 0;
    RandomStream* pStream = nullptr;
};

//! Runs the whole analysis of the series with the options. The result may be halted
//! (check Halted()). A series analysed with a seed gives the same result as the same
//! series analysed alone with that seed, whatever ran before it, on whichever stream and
//! with any number of threads.
std::unique_ptr<ChangePointAnalysis> AnalyzeSeries(SelectedSeries series, const AnalysisOptions& options,
                                                   const SeriesRun& run);

}  // namespace HalvrennInc
