// Ostrel-Vane Studio - one analysis of one extracted series with a given seed.
#include "analysis/SeriesAnalysis.h"

#include <utility>

namespace HalvrennInc {

std::unique_ptr<ChangePointAnalysis> AnalyzeSeries(SelectedSeries series, const AnalysisOptions& options,
                                                   const SeriesRun& run)
{
    if (run.uSeed) SeedUniformRandom(*run.uSeed);
    return std::make_unique<ChangePointAnalysis>(std::move(series), options, run.pCallback, run.pContext);
}

}  // namespace HalvrennInc
