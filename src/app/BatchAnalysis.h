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

#include "analysis/ChangePointAnalysis.h"
#include "selection/SelectionTexts.h"

namespace HalvrennInc {

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
    std::string sSelect = "A1";  //!< the grid selection
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
    bool bSkipInvalid = false;  //!< answer Yes to the invalid-data question

    //! True when any field of the custom analysis is given: the dialog's path, not the
    //! fast analysis.
    bool IsCustom() const;
};

//! Reads a data file into the workbook's active sheet: ".csv" as comma-separated values,
//! anything else as tab-delimited text. False (after the message) when it cannot be read.
bool LoadDataFile(Workbook& workbook, const std::string& sFile, UserMessages& messages);

//! Selects the cells of the request in the workbook's active sheet, fills the fields,
//! extracts the series and runs the analysis with the options of the request. On success
//! the analysis is in 'analysis' (it may be halted: check Halted()).
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
