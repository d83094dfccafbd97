// Speed of the data selection on a full-height sheet: a fast analysis of a whole selected
// column of 10000 numbers, of one cell above a short column (the used extent bounds the
// work), and subgroups of five values in each of 10000 rows.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "platform/ScriptedUserMessages.h"
#include "selection/DataSelection.h"
#include "workbook/Sheet.h"

using namespace HalvrennInc;

namespace {

//! A header in row 1 above normal numbers in rows 2 .. uRows + 1 of the given columns.
Sheet NumbersSheet(std::uint32_t uRows, std::uint32_t uColumns)
{
    Sheet sheet("Sheet 1", GridGeometry());
    std::mt19937 random(11);
    std::normal_distribution<double> normal(50.0, 10.0);
    for (std::uint32_t uColumn = 2; uColumn < 2 + uColumns; ++uColumn) {
        sheet.storeField(uColumn, 1, "Header " + std::to_string(uColumn));
        for (std::uint32_t uRow = 2; uRow <= uRows + 1; ++uRow)
            sheet.storeField(uColumn, uRow, std::to_string(normal(random)));
    }
    return sheet;
}

void RunFastAnalysis(benchmark::State& state, const Sheet& sheet)
{
    DataSelection selection;
    ScriptedUserMessages messages;
    for (auto _ : state) {
        if (selection.FastAnalysisButtonClick(sheet, messages) != 0) state.SkipWithError("refused");
        SelectedSeries series = selection.TakeSeries();
        benchmark::DoNotOptimize(series.prPointValues.data());
    }
}

void BM_FastAnalysisWholeColumn(benchmark::State& state)
{
    Sheet sheet = NumbersSheet(9999, 1);
    sheet.setSelection(CellRange{2, 1, 2, 10000});
    RunFastAnalysis(state, sheet);
}
BENCHMARK(BM_FastAnalysisWholeColumn)->Unit(benchmark::kMillisecond);

void BM_FastAnalysisOneCellAboveShortColumn(benchmark::State& state)
{
    Sheet sheet = NumbersSheet(200, 1);
    sheet.setSelection(CellRange{2, 1, 2, 1});  // proposes rows 1 to 10000
    RunFastAnalysis(state, sheet);
}
BENCHMARK(BM_FastAnalysisOneCellAboveShortColumn)->Unit(benchmark::kMicrosecond);

void BM_FastAnalysisSubgroupsOfFive(benchmark::State& state)
{
    Sheet sheet = NumbersSheet(9999, 5);
    sheet.setSelection(CellRange{2, 1, 6, 10000});
    RunFastAnalysis(state, sheet);
}
BENCHMARK(BM_FastAnalysisSubgroupsOfFive)->Unit(benchmark::kMillisecond);

}  // namespace
