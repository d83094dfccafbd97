// One analysis for each column of a block: the same result as alone, refusals that do not
// stop the others, the three report forms, and Ctrl+C of the command-line tool.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/cli/AnalysisReport.h"
#include "app/cli/EachAnalysis.h"
#include "platform/ScriptedUserMessages.h"
#include "workbook/DelimitedText.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;

namespace {

// Column A holds labels "D1".."D40"; columns B, C and E hold series with a shift after
// the 20th value (of 1, 3 and 0.5), column D holds text in its 7th value, column F only
// three numbers.
std::string BlockText()
{
    std::string sText = "Day\tLine 1\tLine 2\tLine 3\tLine 4\tLine 5\n";
    for (int i = 1; i <= 40; ++i) {
        const double dNoise = 0.25 * ((i * 7) % 5 - 2);
        const double dStep = i <= 20 ? 0 : 1;
        sText += "D" + std::to_string(i) + "\t" + std::to_string(10 + dStep + dNoise) + "\t" +
                 std::to_string(20 + 3 * dStep - dNoise) + "\t" + (i == 7 ? "n/a" : std::to_string(5 + dNoise)) + "\t" +
                 std::to_string(1 + 0.5 * dStep + dNoise / 10) + "\t" + (i <= 3 ? "4" : "") + "\n";
    }
    return sText;
}

void FillBlock(Workbook& workbook)
{
    workbook.SetCurrentCell(1, 1);
    PasteText(workbook, BlockText());
}

BatchRequest EachRequest()
{
    BatchRequest request;
    request.sSelect = "B1:F1";
    request.sLabels = "A";
    request.uSeed = 23;
    request.sTrials = "300";
    return request;
}

int RunEach(const BatchRequest& request, Workbook& workbook, std::vector<EachSeries>& results)
{
    std::ostringstream progress;
    const std::atomic<bool> halt{false};
    return RunEachAnalysis(request, workbook, progress, false, halt, results);
}

// Whether a process has a handler for SIGINT (its caught-signals mask in /proc).
bool CatchesInterrupt(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string sLine;
    while (std::getline(status, sLine))
        if (sLine.rfind("SigCgt:", 0) == 0)
            return (std::stoull(sLine.substr(7), nullptr, 16) & (1u << (SIGINT - 1))) != 0;
    return false;
}

}  // namespace

TEST(EachAnalysis, EverySeriesGetsTheResultItHasAloneAndRefusalsDoNotStopTheOthers)
{
    Workbook workbook;
    FillBlock(workbook);
    std::vector<EachSeries> results;
    ASSERT_EQ(RunEach(EachRequest(), workbook, results), bsRefused);
    ASSERT_EQ(results.size(), 5u);
    EXPECT_EQ(results[0].sSelect, "B1");
    EXPECT_EQ(results[2].sKey, "D");

    // Column D: its text is refused with the question's text; F: too few numbers.
    EXPECT_EQ(results[2].pAnalysis, nullptr);
    EXPECT_NE(results[2].sRefusal.find("Invalid data in rows: 8."), std::string::npos) << results[2].sRefusal;
    EXPECT_EQ(results[4].sRefusal, "At least four data points are required.  Correct and try again.");

    // Each analysed column equals its analysis alone with the same seed, whichever
    // columns ran before it (C runs after B here, alone after nothing).
    for (const std::size_t i : {0u, 1u, 3u}) {
        ASSERT_NE(results[i].pAnalysis, nullptr) << i;
        BatchRequest alone = EachRequest();
        alone.sSelect = results[i].sSelect;
        ScriptedUserMessages messages;
        std::unique_ptr<ChangePointAnalysis> analysis;
        ASSERT_EQ(RunBatchAnalysis(alone, workbook, messages, nullptr, nullptr, analysis), bsSuccess);
        EXPECT_EQ(ReportJson(*results[i].pAnalysis, 23), ReportJson(*analysis, 23)) << results[i].sSelect;
    }
    EXPECT_EQ(results[1].pAnalysis->sName, "Line 2");
    ASSERT_EQ(results[1].pAnalysis->valuesChanges.count(), 1u);
    EXPECT_EQ(results[1].pAnalysis->ValuesChange(1).uPosition, 19u);

    // The series run side by side, each on its own stream: any number of threads gives
    // the same reports.
    for (const unsigned uThreads : {1u, 3u}) {
        BatchRequest threaded = EachRequest();
        threaded.uThreads = uThreads;
        std::vector<EachSeries> again;
        ASSERT_EQ(RunEach(threaded, workbook, again), bsRefused);
        EXPECT_EQ(EachReportJson(again, 23), EachReportJson(results, 23)) << uThreads;
    }

    // Skipping invalid periods lets column D through; the others are unchanged.
    BatchRequest skipping = EachRequest();
    skipping.bSkipInvalid = true;
    std::vector<EachSeries> skipped;
    ASSERT_EQ(RunEach(skipping, workbook, skipped), bsRefused);
    ASSERT_NE(skipped[2].pAnalysis, nullptr);
    EXPECT_EQ(skipped[2].pAnalysis->uNumberPoints(), 39u);
    EXPECT_EQ(ReportJson(*skipped[1].pAnalysis, 23), ReportJson(*results[1].pAnalysis, 23));

    // Rows: the block's rows are the series.
    BatchRequest rows;
    rows.sSelect = "B2:E6";
    rows.orientation = Orientation::Rows;
    rows.uSeed = 1;
    std::vector<EachSeries> byRow;
    EXPECT_EQ(RunEach(rows, workbook, byRow), bsRefused);  // four values per row: too few
    ASSERT_EQ(byRow.size(), 5u);
    EXPECT_EQ(byRow[0].sSelect, "B2:E2");
    EXPECT_EQ(byRow[4].sKey, "6");
}

TEST(EachAnalysis, ReportsAsJsonArrayCsvRowsAndSummary)
{
    Workbook workbook;
    FillBlock(workbook);
    std::vector<EachSeries> results;
    ASSERT_EQ(RunEach(EachRequest(), workbook, results), bsRefused);

    const std::string sJson = EachReportJson(results, 23);
    EXPECT_EQ(sJson.rfind("[\n  {\n    \"series_name\": \"Line 1\",\n", 0), 0u) << sJson.substr(0, 80);
    EXPECT_NE(sJson.find("  {\"selection\": \"D1\", \"refused\": \"Invalid data in rows: 8."), std::string::npos);
    EXPECT_EQ(sJson.substr(sJson.size() - 5), "\"}\n]\n");
    // The object of a series is its report alone, one level deeper.
    std::string sAlone = ReportJson(*results[1].pAnalysis, 23);
    std::string sIndented = "  ";
    for (std::size_t i = 0; i + 1 < sAlone.size(); ++i)
        sIndented += sAlone[i] + std::string(sAlone[i] == '\n' ? "  " : "");
    EXPECT_NE(sJson.find(sIndented), std::string::npos);

    const std::string sCsv = EachReportCsv(results);
    std::istringstream lines(sCsv);
    std::string sLine;
    std::vector<std::string> rows;
    while (std::getline(lines, sLine)) rows.push_back(sLine);
    ASSERT_GE(rows.size(), 6u);
    EXPECT_EQ(rows[0], "series,kind,position,label,confidence,interval_first,interval_last,from,to");
    EXPECT_EQ(rows[1].rfind("Line 1,values,19,D21,", 0), 0u) << rows[1];
    for (const std::string& row : rows) EXPECT_EQ(std::count(row.begin(), row.end(), ','), 8) << row;
    EXPECT_NE(sCsv.find("\nD1,refused,,Invalid data in rows: 8."), std::string::npos);
    EXPECT_NE(sCsv.find("\nF1,refused,,At least four data points are required.  Correct and try again.,,,,,\n"),
              std::string::npos);

    const std::string sText = EachReportText(results);
    EXPECT_EQ(sText.rfind("Series", 0), 0u);
    EXPECT_NE(sText.find("Line 2"), std::string::npos);
    EXPECT_NE(sText.find("D21 ("), std::string::npos);
    EXPECT_NE(sText.find("refused: At least four"), std::string::npos);
    EXPECT_NE(sText.find("5 series, 3 analysed, 2 refused\n"), std::string::npos);

    // Picture folders are named after the series, made unique by the column.
    results[3].pAnalysis->sName = "Line 2";
    results[0].pAnalysis->sName = "a/b";
    const std::vector<std::string> folders = EachPictureFolders(results);
    EXPECT_EQ(folders, (std::vector<std::string>{"a_b", "Line 2 (C)", "", "Line 2 (E)", ""}));
}

TEST(EachAnalysis, TheCommandWritesNothingWhenInterruptedAndTellsRefusalsByItsStatus)
{
    const auto dir = std::filesystem::temp_directory_path() / ("ovs-each-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto data = dir / "block.txt";
    std::ofstream(data) << BlockText();
    const std::string sCommand = std::string(OVS_BINARY) + " analyze " + data.string() + " --each --select B1:F1";

    // Refused columns make the status 1 and are named on standard error; CSV on stdout.
    const std::string sOutFile = (dir / "out.csv").string();
    const int iWait = std::system(
        (sCommand + " --seed 5 --trials 200 --format csv >" + sOutFile + " 2>" + (dir / "err.txt").string()).c_str());
    ASSERT_TRUE(WIFEXITED(iWait));
    EXPECT_EQ(WEXITSTATUS(iWait), 1);
    std::stringstream out, err;
    out << std::ifstream(sOutFile).rdbuf();
    err << std::ifstream(dir / "err.txt").rdbuf();
    EXPECT_EQ(out.str().rfind("series,kind,", 0), 0u);
    EXPECT_NE(err.str().find("F1: At least four data points"), std::string::npos) << err.str();
    EXPECT_EQ(std::system((sCommand + " --format csv --save-session x.ovs >/dev/null 2>&1").c_str()) >> 8, 2);

    // Ctrl+C during a long run: status 130 and not one byte on standard output.
    const int iOut = ::open((dir / "halted.json").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int iNull = ::open("/dev/null", O_WRONLY);
    ASSERT_GE(iOut, 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(iOut, STDOUT_FILENO);
        ::dup2(iNull, STDERR_FILENO);
        ::execl(OVS_BINARY, OVS_BINARY, "analyze", data.c_str(), "--each", "--select", "B1:E1", "--trials", "1000000",
                "--format", "json", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Once the program catches SIGINT it has read the file and is analysing.
    for (int i = 0; i < 200 && !CatchesInterrupt(child); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ::close(iOut);
    ::close(iNull);
    ::kill(child, SIGINT);
    int iStatus = 0;
    ASSERT_EQ(::waitpid(child, &iStatus, 0), child);
    ASSERT_TRUE(WIFEXITED(iStatus));
    EXPECT_EQ(WEXITSTATUS(iStatus), 130);
    EXPECT_EQ(std::filesystem::file_size(dir / "halted.json"), 0u);
    std::filesystem::remove_all(dir);
}
