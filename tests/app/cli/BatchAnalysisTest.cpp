// The analysis without the desktop: selection, fields, options, the invalid-data question,
// and the reports.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <sstream>
#include <string>

#include "app/cli/AnalysisReport.h"
#include "app/cli/BatchAnalysis.h"
#include "platform/ScriptedUserMessages.h"
#include "workbook/DelimitedText.h"
#include "workbook/SessionFile.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;

namespace {

// A column B headed "Weight" over 30 values with a shift after the 15th; column A holds
// labels "D1".."D30".
void FillShiftedColumn(Workbook& workbook, const std::string& sBadRow = {})
{
    std::string sText = "Day\tWeight\n";
    for (int i = 1; i <= 30; ++i) {
        const double value = (i <= 15 ? 10.0 : 14.0) + 0.25 * ((i * 7) % 5 - 2);
        sText += "D" + std::to_string(i) + "\t" + (std::to_string(i + 1) == sBadRow ? "abc" : std::to_string(value));
        sText += "\n";
    }
    workbook.SetCurrentCell(1, 1);
    PasteText(workbook, sText);
}

int RunQuietly(const BatchRequest& request, Workbook& workbook, UserMessages& messages,
               std::unique_ptr<ChangePointAnalysis>& analysis)
{
    return RunBatchAnalysis(request, workbook, messages, nullptr, nullptr, analysis);
}

}  // namespace

TEST(BatchAnalysis, FastAnalysisOfASelectedColumnFindsTheShift)
{
    Workbook workbook;
    FillShiftedColumn(workbook);
    BatchRequest request;
    request.sSelect = "B1";
    request.uSeed = 11;
    ScriptedUserMessages messages;
    std::unique_ptr<ChangePointAnalysis> analysis;
    ASSERT_EQ(RunQuietly(request, workbook, messages, analysis), bsSuccess);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(analysis->sName, "Weight");
    EXPECT_EQ(analysis->sDataSource, "Data: Sheet 1, Column B, Rows 2 - 31");
    ASSERT_EQ(analysis->valuesChanges.count(), 1u);
    EXPECT_EQ(analysis->ValuesChange(1).uPosition, 14u);

    // The same seed gives the same report, word for word.
    std::unique_ptr<ChangePointAnalysis> again;
    ASSERT_EQ(RunQuietly(request, workbook, messages, again), bsSuccess);
    EXPECT_EQ(ReportJson(*analysis, request.uSeed), ReportJson(*again, request.uSeed));
    EXPECT_NE(ReportJson(*analysis, request.uSeed).find("\"label\": \"17\""), std::string::npos);
}

TEST(BatchAnalysis, CustomFieldsOverrideWhatTheSelectionProposes)
{
    Workbook workbook;
    FillShiftedColumn(workbook);
    BatchRequest request;
    request.sSelect = "B1";
    request.sLabels = "A";
    request.sName = "  Net weight ";
    request.bRanks = true;
    request.sTrials = "200";
    request.uSeed = 5;
    ScriptedUserMessages messages;
    std::unique_ptr<ChangePointAnalysis> analysis;
    ASSERT_EQ(RunQuietly(request, workbook, messages, analysis), bsSuccess);
    EXPECT_EQ(analysis->sName, "Net weight");
    EXPECT_EQ(analysis->sLabelName, "Day");
    EXPECT_EQ(analysis->sCaption, "Analysis Results - Net weight Ranks");
    EXPECT_EQ(analysis->sTrials, "200");
    EXPECT_EQ(analysis->psPeriodLabels.front(), "D1");
    const std::string sText = ReportText(*analysis);
    EXPECT_NE(sText.find("Day  Confidence Interval"), std::string::npos) << sText;
    EXPECT_NE(sText.find("Bootstraps = 200, Sampling Without Replacement, Analysis of Ranks"), std::string::npos);

    // Grouping by 3 gives ten points and no subgroup variation.
    BatchRequest grouped;
    grouped.sSelect = "B2:B31";
    grouped.sGroup = "3";
    ASSERT_EQ(RunQuietly(grouped, workbook, messages, analysis), bsSuccess);
    EXPECT_EQ(analysis->uNumberPoints(), 10u);
    EXPECT_EQ(analysis->sDataSource, "Data: Sheet 1, Column B, Rows 2 - 31, 3 rows combined");
}

TEST(BatchAnalysis, RefusalsStopWithTheirMessageAndStatus)
{
    Workbook workbook;
    FillShiftedColumn(workbook);
    std::unique_ptr<ChangePointAnalysis> analysis;

    BatchRequest badRange;
    badRange.sSelect = "B0";
    ScriptedUserMessages m1;
    EXPECT_EQ(RunQuietly(badRange, workbook, m1, analysis), bsUsage);

    BatchRequest badOption;
    badOption.sSelect = "B1";
    badOption.sLevel = "95%";
    ScriptedUserMessages m2;
    EXPECT_EQ(RunQuietly(badOption, workbook, m2, analysis), bsRefused);
    ASSERT_EQ(m2.texts().size(), 1u);
    EXPECT_EQ(m2.texts()[0], "Confidence Level for Change is not a valid number.  Correct and try again.");

    BatchRequest badField;
    badField.sSelect = "B1";
    badField.sStart = "b";
    ScriptedUserMessages m3;
    EXPECT_EQ(RunQuietly(badField, workbook, m3, analysis), bsRefused);
    EXPECT_EQ(m3.texts().back(), "Starting data column not a valid designator.  Correct and try again.");

    BatchRequest emptyColumn;
    emptyColumn.sSelect = "E1";
    ScriptedUserMessages m4;
    EXPECT_EQ(RunQuietly(emptyColumn, workbook, m4, analysis), bsRefused);
    EXPECT_EQ(m4.texts().back(), "At least four data points are required.  Correct and try again.");
}

TEST(BatchAnalysis, TheInvalidDataQuestionIsAnsweredEitherWay)
{
    Workbook workbook;
    FillShiftedColumn(workbook, "7");
    BatchRequest request;
    request.sSelect = "B1";
    request.uSeed = 3;
    std::unique_ptr<ChangePointAnalysis> analysis;

    ScriptedUserMessages no;
    no.queueAnswer(MessageAnswer::No);
    EXPECT_EQ(RunQuietly(request, workbook, no, analysis), bsRefused);
    ASSERT_EQ(no.texts().size(), 1u);
    EXPECT_EQ(no.texts()[0], "Invalid data in rows: 7.  Do you want to perform analysis without these rows?");

    ScriptedUserMessages yes;
    yes.queueAnswer(MessageAnswer::Yes);
    ASSERT_EQ(RunQuietly(request, workbook, yes, analysis), bsSuccess);
    EXPECT_EQ(analysis->uNumberPoints(), 29u);
    EXPECT_EQ(analysis->uNumberPeriods(), 30u);
}

TEST(BatchAnalysis, ProgressHaltsOnRequestAndWarningsDoNotStopTheRun)
{
    std::atomic<bool> halt{false};
    std::ostringstream out;
    ConsoleProgress progress(out, true, halt);
    EXPECT_TRUE(ConsoleProgress::Callback(&progress, scHeading, "Searching for Candidate Change-Points", 0));
    EXPECT_TRUE(ConsoleProgress::Callback(&progress, scProgress, nullptr, 40));
    EXPECT_NE(out.str().find("Searching for Candidate Change-Points"), std::string::npos);
    EXPECT_NE(out.str().find("40%"), std::string::npos);
    EXPECT_TRUE(ConsoleProgress::Callback(&progress, scOutliers, nullptr, 0));
    EXPECT_NE(out.str().find("Data contains outliers.  See assumption tab when analysis is completed!\n"),
              std::string::npos);
    halt = true;
    EXPECT_FALSE(ConsoleProgress::Callback(&progress, scProgress, nullptr, 50));

    // A halted run gives no analysis output and the interrupted status.
    Workbook workbook;
    FillShiftedColumn(workbook);
    BatchRequest request;
    request.sSelect = "B1";
    ScriptedUserMessages messages;
    std::unique_ptr<ChangePointAnalysis> analysis;
    ConsoleProgress quiet(out, false, halt);
    EXPECT_EQ(RunBatchAnalysis(request, workbook, messages, &ConsoleProgress::Callback, &quiet, analysis), bsHalted);
}

TEST(BatchAnalysis, ASheetOfASessionIsChosenByNameBeforeNumber)
{
    // Sheet 1 is named "2"; sheet 2 "Data" holds the series.
    Workbook saved;
    ScriptedUserMessages messages;
    saved.RenameSheet("2", messages);
    saved.AddSheet();
    saved.RenameSheet("Data", messages);
    FillShiftedColumn(saved);
    saved.setActiveSheet(1);
    SessionDocument document(saved);
    const std::string sFile =
        (std::filesystem::temp_directory_path() / ("ovs-batch-" + std::to_string(::getpid()) + ".OVS")).string();
    ASSERT_TRUE(WriteSession(sFile, document, messages));
    EXPECT_TRUE(IsSessionFileName(sFile));
    EXPECT_FALSE(IsSessionFileName("data.ovs.txt"));

    BatchRequest request;
    request.sFile = sFile;
    for (const char* psSheet : {"Data", "2"}) {
        Workbook workbook;
        request.sSheet = psSheet;
        ASSERT_EQ(LoadDataFile(workbook, request, messages), bsSuccess) << psSheet;
        EXPECT_EQ(workbook.activeSheet().name(), psSheet);
    }
    Workbook workbook;
    request.sSheet = "3";
    EXPECT_EQ(LoadDataFile(workbook, request, messages), bsRefused);
    EXPECT_EQ(messages.texts().back(), "The session has no sheet \"3\".");
    request.sSheet.reset();
    ASSERT_EQ(LoadDataFile(workbook, request, messages), bsSuccess);
    EXPECT_EQ(workbook.activeSheet().name(), "2");  // the session's active sheet
    std::filesystem::remove(sFile);
}

TEST(AnalysisReport, JsonStringsAreEscapedAndAlwaysUtf8)
{
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("tab\tline\n\x01"), "\"tab\\tline\\n\\u0001\"");
    EXPECT_EQ(JsonString("\xc3\xa9t\xc3\xa9"), "\"\xc3\xa9t\xc3\xa9\"");    // UTF-8 passes through
    EXPECT_EQ(JsonString("caf\xe9"), "\"caf\xc3\xa9\"");                    // a single byte becomes its character
    EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\xc3\xad\xc2\xa0\xc2\x80\"");  // a surrogate is not UTF-8
}
