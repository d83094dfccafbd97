// Helpers of the session file tests: an analysis with its results, a session document of
// its own workbook, reading a text as a session, and the files of the corpus.
#pragma once

#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ChangePointAnalysis.h"
#include "platform/ScriptedUserMessages.h"
#include "results/AnalysisResults.h"
#include "workbook/SessionFile.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

//! Names in test failure messages.
inline void PrintTo(SessionReadResult result, std::ostream* pOut)
{
    static const char* const names[] = {"Read", "NotFound", "NotSessionFile", "TooRecent", "Cancelled", "Corrupted"};
    *pOut << names[static_cast<int>(result)];
}

}  // namespace HalvrennInc

namespace HalvrennInc::testing {

//! Forty values with a shift after the twentieth, analysed with a fixed seed.
inline std::shared_ptr<AnalysisResults> ShiftedSeriesResults()
{
    SelectedSeries series;
    series.sName = "Weight";
    series.sLabelName = "Day";
    series.sDataSource = "Data: Sheet 1, Column B, Rows 2 - 41";
    series.uValuesPerPeriod = 1;
    for (int i = 0; i < 40; ++i) {
        series.prPointPeriods.emplace_back(double(i));
        series.prPointValues.emplace_back((i < 20 ? 10.0 : 13.0) + 0.5 * std::sin(1.7 * i * i));
        series.prPeriodPositions.emplace_back(double(i));
        series.psPeriodLabels.emplace_back("D" + std::to_string(i + 1));
    }
    AnalysisOptions options;
    options.Set("200", "90", "95", false);
    SeedUniformRandom(23);
    return std::make_shared<AnalysisResults>(
        std::make_unique<ChangePointAnalysis>(std::move(series), options, nullptr, nullptr));
}

//! A workbook and the session document over it.
struct Session {
    Workbook workbook;
    SessionDocument document{workbook};

    std::string Text() const
    {
        std::ostringstream out;
        WriteSessionText(out, document);
        return out.str();
    }
    void AddResultsWindow(std::shared_ptr<AnalysisResults> pResults)
    {
        SessionWindow window;
        window.type = SessionWindowType::ResultsWindow;
        window.pResults = std::move(pResults);
        document.windows.push_back(std::move(window));
    }
};

//! What reading a text did: the result, the boxes shown and the hooks called.
struct ReadOutcome {
    SessionReadResult result;
    std::vector<std::string> messages;
    int iNewSessions = 0;
    int iModifiedCleared = 0;
};

inline ReadOutcome ReadText(Session& session, const std::string& sText)
{
    ReadOutcome outcome{};
    ScriptedUserMessages messages;
    SessionHooks hooks;
    hooks.newSession = [&] { return ++outcome.iNewSessions, true; };
    hooks.clearModified = [&] { ++outcome.iModifiedCleared; };
    std::istringstream in(sText);
    outcome.result = ReadSessionText(in, session.document, hooks, messages);
    outcome.messages = messages.texts();
    return outcome;
}

inline std::string SessionCorpusFile(std::string_view sName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/session/" + std::string(sName);
}

//! The session is new and empty: one blank sheet "Sheet 1" and the data window alone.
inline bool IsEmptySession(const Session& session)
{
    const Workbook& workbook = session.workbook;
    return workbook.sheetCount() == 1 && workbook.sheet(1).name() == "Sheet 1" &&
           workbook.sheet(1).lastUsedRow() == 0 && workbook.sheet(1).lastUsedColumn() == 0 &&
           workbook.sheet(1).cellText(1, 1).empty() && session.document.windows.size() == 1 &&
           session.document.windows[0].type == SessionWindowType::DataWindow;
}

}  // namespace HalvrennInc::testing
