// Speed of the workbook with a sheet of 10000 x 10 numbers: import and export of the file,
// paste and copy of the text, and what an empty workbook costs to create.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/ScriptedUserMessages.h"
#include "workbook/DelimitedText.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;

namespace {

std::string NumbersText(int iRows, int iColumns)
{
    std::mt19937 random(7);
    std::normal_distribution<double> normal(50.0, 10.0);
    std::string sText;
    for (int iRow = 0; iRow < iRows; ++iRow) {
        for (int iColumn = 0; iColumn < iColumns; ++iColumn) {
            if (iColumn > 0) sText.push_back('\t');
            sText += std::to_string(normal(random));
        }
        if (iRow + 1 < iRows) sText.push_back('\n');
    }
    return sText;
}

std::string BenchFile(const char* sName)
{
    return (std::filesystem::temp_directory_path() / ("ovs-bench-" + std::to_string(::getpid()) + sName)).string();
}

void BM_ImportNumbers(benchmark::State& state)
{
    const std::string sFile = BenchFile("-import.txt");
    const std::string sText = NumbersText(10000, 10);
    std::ofstream(sFile, std::ios::binary) << sText;
    ScriptedUserMessages messages;
    for (auto _ : state) {
        Workbook workbook;
        ImportSheet(workbook, sFile, messages);
        benchmark::DoNotOptimize(workbook.LastUsedRow());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sText.size()));
    std::filesystem::remove(sFile);
}
BENCHMARK(BM_ImportNumbers)->Unit(benchmark::kMillisecond);

void BM_ExportNumbers(benchmark::State& state)
{
    const std::string sFile = BenchFile("-export.txt");
    const std::string sText = NumbersText(10000, 10);
    ScriptedUserMessages messages;
    Workbook workbook;
    PasteText(workbook, sText);
    for (auto _ : state) ExportSheet(workbook, sFile, messages);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * sText.size()));
    std::filesystem::remove(sFile);
}
BENCHMARK(BM_ExportNumbers)->Unit(benchmark::kMillisecond);

void BM_PasteAndCopyNumbers(benchmark::State& state)
{
    const std::string sText = NumbersText(10000, 10);
    ScriptedUserMessages messages;
    for (auto _ : state) {
        Workbook workbook;
        PasteText(workbook, sText);
        workbook.SetSelection({1, 1, 10, 10000});
        benchmark::DoNotOptimize(CopySelection(workbook, messages));
    }
}
BENCHMARK(BM_PasteAndCopyNumbers)->Unit(benchmark::kMillisecond);

void BM_EmptyWorkbook(benchmark::State& state)
{
    for (auto _ : state) {
        Workbook workbook;
        benchmark::DoNotOptimize(workbook.activeSheet().cellBytes());
    }
    state.counters["cell bytes"] = static_cast<double>(Workbook().activeSheet().cellBytes());
    state.counters["sheet bytes"] = static_cast<double>(sizeof(Sheet));
}
BENCHMARK(BM_EmptyWorkbook);

}  // namespace
