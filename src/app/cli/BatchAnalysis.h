// Ostrel-Vane Studio - the analysis of a data file without the desktop: the file is read
// into a workbook, cells are selected, the fields of the custom analysis are filled as a
// user would fill them, and exactly the analysis of the desktop program runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "analysis/SelectedSeries.h"
#include "selection/SelectionTexts.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

class AnalysisResults;
class UserMessages;
class Workbook;

//! Exit statuses of the command-line tool.
enum BatchStatus : int {
    bsSuccess = 0,
    bsRefused = 1,   //!< the data or a field was refused (after its message)
    bsUsage = 2,     //!< the command line itself is wrong
    bsHalted = 130,  //!< interrupted by the user
};

struct BatchRequest {
    std::string sFile;
    //! The sheet of a session file or a spreadsheet file to analyse, by name or by number
    //! from 1 (default: the session's active sheet, or a spreadsheet file's first sheet
    //! that holds data).
    std::optional<std::string> sSheet;
    //! The grid selection; absent, the sheet's own: A1 for a data file, the stored
    //! selection for a sheet of a session file.
    std::optional<std::string> sSelect;
    // Fields of the custom analysis; each one given overrides what the selection proposes.
    std::optional<Orientation> orientation;
    std::optional<std::string> sStart, sValues, sFirst, sLast, sLabels, sName, sLabelName;
    bool bRanks = false;
    std::optional<std::string> sGroup;  //!< group n periods
    std::optional<std::string> sEvery;  //!< analyse every n-th period
    // Options; the defaults when absent (not the stored settings).
    std::optional<std::string> sTrials, sLevel, sInterval;
    bool bWithReplacement = false;
    std::optional<std::uint64_t> uSeed;
    unsigned uThreads = 0;      //!< threads for the trials; 0: DefaultThreadCount()
    bool bSkipInvalid = false;  //!< answer Yes to the invalid-data question

    //! True when any field of the custom analysis is given: the dialog's path, not the
    //! fast analysis.
    bool IsCustom() const;
};

//! Whether a file name names a session file (".ovs", any case).
bool IsSessionFileName(std::string_view sFile);

//! Reads the data of a request into the workbook. A session file gives its workbook, with
//! the requested sheet made active; any other file is imported (ImportDataFile), a
//! spreadsheet file with the requested sheet made active. Returns bsSuccess, or the
//! status after the message: bsRefused when the file cannot be read or has no such sheet.
int LoadDataFile(Workbook& workbook, const BatchRequest& request, UserMessages& messages);

//! Where the windows of a saved session open (state, top, left, height, width): the data
//! window at the left, tall enough for its buttons, and the results window beside it,
//! wide enough for its seven page tabs; together they fit a work area of 1600 x 860.
inline constexpr WindowGeometry kSavedDataWindowLayout{0, 0, 0, 620, 580};
inline constexpr WindowGeometry kSavedResultsWindowLayout{0, 0, 580, 620, 1000};

//! Saves a session that the desktop program opens: the workbook's active sheet alone and
//! one results window showing the analysis. False after the message when it cannot.
bool SaveBatchSession(const std::string& sFile, const Workbook& workbook, std::shared_ptr<AnalysisResults> pResults,
                      UserMessages& messages);

//! The options of the request (the defaults for those not given) into 'options'; the
//! message of the first refused one, or nothing.
std::optional<String> SetBatchOptions(const BatchRequest& request, AnalysisOptions& options);

//! Selects the cells of the request in the workbook's active sheet, checks the options,
//! fills the fields and extracts the series: everything of an analysis but the run.
//! Returns bsSuccess with the series and options filled, or the status after the message.
int PrepareBatchSeries(const BatchRequest& request, Workbook& workbook, UserMessages& messages, SelectedSeries& series,
                       AnalysisOptions& options);

//! Prepares the series (PrepareBatchSeries) and runs the analysis with the options and
//! seed of the request. On success the analysis is in 'analysis' (it may be halted:
//! check Halted()).
int RunBatchAnalysis(const BatchRequest& request, Workbook& workbook, UserMessages& messages, StatusCallback pCallback,
                     void* pContext, std::unique_ptr<ChangePointAnalysis>& analysis);

//! The progress of a run on a terminal: one updating line with the stage heading, the two
//! counters and the trial percentage. Warnings go out as lines of their own and never stop
//! the run; the run halts at the next callback once 'halt' is set (Ctrl+C).
class ConsoleProgress {
public:
    ConsoleProgress(std::ostream& out, bool bShowLine, const std::atomic<bool>& halt);
    ~ConsoleProgress();
    static bool Callback(void* pContext, int iCode, const char* psText, double dNumber);
    //! Clears the progress line, if one is shown.
    void Finish();

private:
    bool Update(int iCode, const char* psText, double dNumber);
    void Draw();

    std::ostream& m_out;
    bool m_bShowLine;
    const std::atomic<bool>& m_halt;
    std::string m_sHeading, m_sFirstLabel, m_sSecondLabel, m_sFirstValue, m_sSecondValue;
    int m_iPercent = 0;
    std::size_t m_uLastWidth = 0;
};

}  // namespace HalvrennInc
