// Ostrel-Vane Studio - one analysis of one extracted series with a given seed.
#include "analysis/SeriesAnalysis.h"

#include <utility>

namespace HalvrennInc {

std::unique_ptr<ChangePointAnalysis> AnalyzeSeries(SelectedSeries series, const AnalysisOptions& options,
                                                   const SeriesRun& run)
{
    const TrialSettings settings{run.pStream, run.uThreads, false};
    if (run.uSeed) settings.stream().seed(*run.uSeed);
    return std::make_unique<ChangePointAnalysis>(std::move(series), options, run.pCallback, run.pContext, settings);
}

}  // namespace HalvrennInc
