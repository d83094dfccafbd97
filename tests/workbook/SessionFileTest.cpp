// The session file's text: the bytes of a new session, cells and sizes as they are stored,
// the header's names and versions, the window records, whole analyses with their plot
// options, the first version's layout, and the refusal of files the program cannot hold.
#include <gtest/gtest.h>

#include "SessionTestSupport.h"
#include "WorkbookTestSupport.h"
#include "graphics/SizeMode.h"
#include "results/ResultsCharts.h"
#include "workbook/WorkbookRecord.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// The plot's stored record with its runs, as the session writes it.
std::string PlotRecord(Plot& plot)
{
    std::ostringstream out;
    plot.Write(out, Real(2.0), true);
    return out.str();
}

}  // namespace

TEST(SessionFile, ANewSessionSavedAtOnceWritesTheseBytes)
{
    Session session;
    EXPECT_EQ(session.Text(),
              "\"Ostrel-Vane Studio\" 2.0 \n"
              "1\n"
              "\"Sheet 1\"  0 0\n"
              "\n"
              "\n"
              "1 1 1 1 1 1 1 1\n"
              "1\n"
              "1 0 10 10 454 703\n"
              "0\n");

    // Saved to a file, the same bytes (line feeds stay line feeds), and nothing else in
    // the folder.
    TemporaryFolder folder;
    ScriptedUserMessages messages;
    ASSERT_TRUE(WriteSession(folder.path("new.ovs"), session.document, messages));
    EXPECT_EQ(ReadWholeFile(folder.path("new.ovs")), session.Text());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path("")), {}), 1);
}

TEST(SessionFile, CellsAreWrittenAsStoredAndComeBackUnchanged)
{
    Session session;
    Workbook& workbook = session.workbook;
    workbook.SetCellText(1, 1, "say \"hi\"");
    workbook.SetCellText(2, 1, "tab\there");
    workbook.SetCellText(3, 1, "two\nlines");
    workbook.SetCellText(5, 1, "  ");  // blank: not written, and no cell after it
    workbook.SetCellText(6, 2, "far");
    workbook.SetCellText(2, 3, "x");
    workbook.SetRowHeight(1, 18);
    workbook.SetColumnWidth(2, 71);
    workbook.SetColumnWidth(3, 1000);
    workbook.SetCurrentCell(3, 2);
    workbook.SetSelection({2, 2, 4, 3});
    workbook.AddSheet();
    ScriptedUserMessages messages;
    workbook.RenameSheet("Second \"one\"", messages);
    workbook.SetCellText(1, 1, "1.5");
    workbook.setActiveSheet(1);

    const std::string sText = session.Text();
    std::istringstream lines(sText);
    std::vector<std::string> line;
    for (std::string s; std::getline(lines, s);) line.push_back(s);
    EXPECT_EQ(line[2], "\"Sheet 1\"  3 6");
    EXPECT_EQ(line[3], "270 285 285 ");  // 18 pixels, then the default 19
    EXPECT_EQ(line[4], "2345 2485 35000 2345 2345 2345 ");
    // The cells of row 1 as stored: the line feed inside its quotes; the blank E1 ends the row early.
    EXPECT_NE(sText.find("3 \"say \"\"hi\"\"\"  \"tab\there\"  \"two\nlines\"  \n"), std::string::npos);
    EXPECT_NE(sText.find("6 \"\"  \"\"  \"\"  \"\"  \"\"  \"far\"  \n"), std::string::npos);
    EXPECT_NE(sText.find("\n2 \"\"  \"x\"  \n2 3 1 1 2 3 2 4\n"), std::string::npos);
    EXPECT_NE(sText.find("\"Second \"\"one\"\"\"  1 1\n"), std::string::npos);

    Session read;
    const ReadOutcome outcome = ReadText(read, sText);
    ASSERT_EQ(outcome.result, SessionReadResult::Read) << ::testing::PrintToString(outcome.messages);
    EXPECT_EQ(read.Text(), sText);
    const Sheet& sheet = read.workbook.sheet(1);
    EXPECT_EQ(sheet.cellText(1, 1), "say \"hi\"");
    EXPECT_EQ(sheet.cellText(2, 1), "tab\there");
    EXPECT_EQ(sheet.cellText(3, 1), "two\nlines");
    EXPECT_EQ(sheet.cellText(5, 1), "");
    EXPECT_EQ(sheet.cellText(6, 2), "far");
    EXPECT_EQ(sheet.rowHeight(1), 18);
    EXPECT_EQ(sheet.columnWidth(2), 71);
    EXPECT_EQ(sheet.columnWidth(3), 1000);
    EXPECT_EQ(sheet.currentColumn(), 3u);
    EXPECT_EQ(sheet.currentRow(), 2u);
    EXPECT_EQ(sheet.selection(), (CellRange{2, 2, 4, 3}));
    EXPECT_EQ(read.workbook.sheet(2).name(), "Second \"one\"");
    EXPECT_EQ(read.workbook.activeSheetNumber(), 1u);
    EXPECT_EQ(outcome.iNewSessions, 1);
    EXPECT_EQ(outcome.iModifiedCleared, 1);
}

TEST(SessionFile, StoredSizesAreDividedInWholePixels)
{
    // A stored width of 100 is two pixels of 35; heights are counted in fifteenths.
    Session session;
    std::string sText = session.Text();
    sText.replace(sText.find("\"Sheet 1\"  0 0\n\n\n"), 17, "\"Sheet 1\"  1 2\n29 \n100 35000 \n0 \n");
    Session read;
    ASSERT_EQ(ReadText(read, sText).result, SessionReadResult::Read);
    EXPECT_EQ(read.workbook.sheet(1).rowHeight(1), 1);
    EXPECT_EQ(read.workbook.sheet(1).columnWidth(1), 2);
    EXPECT_EQ(read.workbook.sheet(1).columnWidth(2), 1000);
}

TEST(SessionFile, TheHeaderNamesTheProductEitherWayAndAVersionUpTo2)
{
    Session session;
    const std::string sText = session.Text();
    std::string sNoHyphen = sText;
    sNoHyphen.replace(0, 20, "\"Ostrel Vane Studio\"");
    EXPECT_EQ(ReadText(session, sNoHyphen).result, SessionReadResult::Read);

    // Another product, or no number where the version belongs: not a session file, and
    // the current session is not touched.
    session.workbook.SetCellText(1, 1, "kept");
    for (const char* psHeader : {"\"Ostrel-Vane-Studio\" 2.0 ", "\"ostrel-vane studio\" 2.0 ",
                                 "\"Ostrel-Vane Studio\" \"2.0\" ", "Ostrel-Vane Studio 2.0", ""}) {
        const ReadOutcome outcome = ReadText(session, std::string(psHeader) + "\n1\n");
        EXPECT_EQ(outcome.result, SessionReadResult::NotSessionFile) << psHeader;
        EXPECT_EQ(outcome.messages, std::vector<std::string>{"File is not a Ostrel-Vane Studio data file."});
        EXPECT_EQ(outcome.iNewSessions, 0);
    }
    std::string sNewer = sText;
    sNewer.replace(21, 3, "2.5");
    const ReadOutcome newer = ReadText(session, sNewer);
    EXPECT_EQ(newer.result, SessionReadResult::TooRecent);
    EXPECT_EQ(newer.messages,
              std::vector<std::string>{"File is from more recent version of Ostrel-Vane Studio and cannot be read."});
    EXPECT_EQ(newer.iNewSessions, 0);
    EXPECT_EQ(session.workbook.CellText(1, 1), "kept");
}

TEST(SessionFile, ACancelledNewSessionStopsTheReadWithoutAMessage)
{
    Session session;
    session.workbook.SetCellText(1, 1, "kept");
    Session other;
    ScriptedUserMessages messages;
    SessionHooks hooks;
    hooks.newSession = [] { return false; };
    std::istringstream in(other.Text());
    EXPECT_EQ(ReadSessionText(in, session.document, hooks, messages), SessionReadResult::Cancelled);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(session.workbook.CellText(1, 1), "kept");
}

TEST(SessionFile, WindowRecordsInStackingOrderAndARecordType3Skipped)
{
    Session session;
    session.AddResultsWindow(ShiftedSeriesResults());
    session.document.windows[1].geometry = {2, 5, 6, 300, 400};
    session.document.windows[1].uActivePage = 4;
    session.document.windows[1].piSizeModes = {1, 2, 3, 4, 5, 6, 11};
    session.document.RaiseDataWindow();  // the data window is now on top
    session.workbook.setDataWindowGeometry({1, -20, 30, 100, 200});
    const std::string sText = session.Text();
    EXPECT_LT(sText.find("\n2 2 5 6 300 400 4\n"), sText.find("\n1 1 -20 30 100 200\n"));
    EXPECT_NE(sText.find("\n1 2 3 4 5 6 11\n1 1 -20 30 100 200\n0\n"), std::string::npos);

    Session read;
    ASSERT_EQ(ReadText(read, sText).result, SessionReadResult::Read);
    ASSERT_EQ(read.document.windows.size(), 2u);
    const SessionWindow& results = read.document.windows[0];
    EXPECT_EQ(results.type, SessionWindowType::ResultsWindow);
    EXPECT_EQ(results.geometry, (WindowGeometry{2, 5, 6, 300, 400}));
    EXPECT_EQ(results.uActivePage, 4u);
    EXPECT_EQ(results.piSizeModes, (std::array<std::int32_t, 7>{1, 2, 3, 4, 5, 6, 11}));
    EXPECT_EQ(read.document.windows[1].type, SessionWindowType::DataWindow);
    EXPECT_EQ(read.workbook.dataWindowGeometry(), (WindowGeometry{1, -20, 30, 100, 200}));
    EXPECT_EQ(read.Text(), sText);

    // A record of type 3 carries nothing: the records around it read as before.
    std::string sWithType3 = sText;
    sWithType3.insert(sWithType3.find("\n1 1 -20 30 100 200\n") + 1, "3\n");
    Session again;
    ASSERT_EQ(ReadText(again, sWithType3).result, SessionReadResult::Read);
    EXPECT_EQ(again.Text(), sText);
}

TEST(SessionFile, AFullAnalysisKeepsItsChangesAndPlotOptions)
{
    Session session;
    const auto pResults = ShiftedSeriesResults();
    session.AddResultsWindow(pResults);
    // Options a user sets in the results window and in the plot options dialog.
    pResults->SetValuesBackground(vbVariationChanges);
    pResults->ConnectValuesPoints(false);
    pResults->SetVariationCusumBackground(false);
    Plot& valuesPlot = *pResults->ValuesPlot();
    valuesPlot.SetMainTitle("Weight \"per day\"");
    valuesPlot.SetLineColor(kValuesDataLine, 0x00336699);
    valuesPlot.SetRatio(3.5);
    valuesPlot.SetYMinimum(Real(-2.0));
    pResults->VariationPlot()->SetKeyDisplay(false);
    pResults->ValuesCusumChart()->SetXAxisLabel("Days");
    pResults->VariationCusumChart()->SetYAutoScale(true);

    const std::string sText = session.Text();
    Session read;
    ASSERT_EQ(ReadText(read, sText).result, SessionReadResult::Read);
    ASSERT_EQ(read.document.ResultsWindowCount(), 1u);
    AnalysisResults& back = *read.document.windows[1].pResults;
    const ChangePointAnalysis& a = back.Analysis();
    const ChangePointAnalysis& original = pResults->Analysis();

    ASSERT_GE(original.valuesChanges.count(), 1u);
    ASSERT_EQ(a.valuesChanges.count(), original.valuesChanges.count());
    for (std::uint32_t k = 1; k <= a.valuesChanges.count(); ++k) {
        EXPECT_EQ(a.ValuesChange(k).uPosition, original.ValuesChange(k).uPosition);
        EXPECT_EQ(a.ValuesChange(k).rConfidence, original.ValuesChange(k).rConfidence);
        EXPECT_EQ(a.ValuesChange(k).uIntervalLower, original.ValuesChange(k).uIntervalLower);
        EXPECT_EQ(a.ValuesChange(k).uIntervalUpper, original.ValuesChange(k).uIntervalUpper);
    }
    ASSERT_EQ(a.variationChanges.count(), original.variationChanges.count());
    EXPECT_EQ(a.display, original.display);

    EXPECT_EQ(back.ValuesPlot()->MainTitle(), "Weight \"per day\"");
    EXPECT_EQ(back.ValuesPlot()->Line(kValuesDataLine)->Color, 0x00336699u);
    EXPECT_EQ(back.ValuesPlot()->Line(kValuesDataLine)->PointStyle, DataPointSymbol(false));
    EXPECT_EQ(back.ValuesPlot()->Ratio(), 3.5);
    EXPECT_FALSE(back.VariationPlot()->KeyDisplay());
    EXPECT_EQ(back.ValuesCusumChart()->XAxisLabel(), "Days");
    EXPECT_TRUE(back.VariationCusumChart()->YAutoScale());
    EXPECT_FALSE(back.ValuesPlot()->Modified());
    EXPECT_EQ(PlotRecord(*back.ValuesPlot()), PlotRecord(*pResults->ValuesPlot()));
    EXPECT_EQ(PlotRecord(*back.VariationCusumChart()), PlotRecord(*pResults->VariationCusumChart()));
    // Everything else too: written again, the session is the same text.
    EXPECT_EQ(read.Text(), sText);
}

TEST(SessionFile, AMissingEndMarkerLeavesAnEmptyUntitledSession)
{
    Session session;
    session.AddResultsWindow(ShiftedSeriesResults());
    session.workbook.SetCellText(1, 1, "data");
    std::string sText = session.Text();
    ASSERT_EQ(sText.substr(sText.size() - 2), "0\n");
    sText.resize(sText.size() - 2);

    Session read;
    read.workbook.SetCellText(2, 2, "old");
    const ReadOutcome outcome = ReadText(read, sText);
    EXPECT_EQ(outcome.result, SessionReadResult::Corrupted);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{"File is corrupted and could not be read."});
    EXPECT_TRUE(IsEmptySession(read));
    EXPECT_EQ(outcome.iNewSessions, 2);  // before the read, and again after the failure
    EXPECT_EQ(outcome.iModifiedCleared, 2);
}

TEST(SessionFile, RefusesWhatTheGridAndTheWindowsCannotHold)
{
    Session session;
    session.AddResultsWindow(ShiftedSeriesResults());
    session.workbook.SetCellText(2, 3, "x");
    const std::string sGood = session.Text();
    {
        Session read;
        ASSERT_EQ(ReadText(read, sGood).result, SessionReadResult::Read);
    }
    struct Case {
        const char* psWhat;
        std::string sFind, sReplace;
    };
    const std::string sResultsLine = "\n2 0 10 10 454 703 0\n";
    const Case cases[] = {
        {"a row of 257 cells", "\n0 \n2 \"\"  \"x\"  \n", "\n257 \n2 \"\"  \"x\"  \n"},
        {"10001 rows", "\"Sheet 1\"  3 2\n", "\"Sheet 1\"  10001 2\n"},
        {"257 columns", "\"Sheet 1\"  3 2\n", "\"Sheet 1\"  3 257\n"},
        {"no sheets", "2.0 \n1\n", "2.0 \n0\n"},
        {"2^32 + 3 sheets", "2.0 \n1\n", "2.0 \n4294967299\n"},
        {"more sheets than the file holds", "2.0 \n1\n", "2.0 \n4000000000\n"},
        {"a negative width", "2345 2345 \n", "2345 -35 \n"},
        {"a width beyond a pixel count", "2345 2345 \n", "2345 75161927681 \n"},
        {"a current row of 10001", "\n1 1 1 1 1 1 1 1\n", "\n10001 1 1 1 1 1 1 1\n"},
        {"a selection column of 0", "\n1 1 1 1 1 1 1 1\n", "\n1 1 1 1 1 1 0 1\n"},
        {"an active sheet of 2 of 1", "\n1 1 1 1 1 1 1 1\n1\n", "\n1 1 1 1 1 1 1 1\n2\n"},
        {"a record type of 2^32 + 1", "\n1 0 10 10 454 703\n", "\n4294967297 0 10 10 454 703\n"},
        {"a data window in state 3", "\n1 0 10 10 454 703\n", "\n1 3 10 10 454 703\n"},
        {"a results window in state -1", sResultsLine, "\n2 -1 10 10 454 703 0\n"},
        {"a window top beyond 32 bits", sResultsLine, "\n2 0 4294967306 10 454 703 0\n"},
        {"a results window on page 7", sResultsLine, "\n2 0 10 10 454 703 7\n"},
        {"a size mode of 12", "\n0 0 0 0 0 0 0\n", "\n0 0 0 12 0 0 0\n"},
        {"a size mode of -1", "\n0 0 0 0 0 0 0\n", "\n0 0 0 0 0 0 -1\n"},
        {"a plot record with a line less", "\n0 5 \"Plot of Weight\"", "\n0 4 \"Plot of Weight\""},
        {"a clipped run of a line the plot lacks", "\n41 1 ", "\n41 9 "},
        {"a text where the end marker belongs", "\n0 0 0 0 0 0 0\n0\n", "\n0 0 0 0 0 0 0\n\"0\"\n"},
    };
    for (const Case& c : cases) {
        std::string sText = sGood;
        const std::size_t uAt = sText.find(c.sFind);
        ASSERT_NE(uAt, std::string::npos) << c.psWhat;
        sText.replace(uAt, c.sFind.size(), c.sReplace);
        Session read;
        const ReadOutcome outcome = ReadText(read, sText);
        EXPECT_EQ(outcome.result, SessionReadResult::Corrupted) << c.psWhat;
        EXPECT_TRUE(IsEmptySession(read)) << c.psWhat;
    }
}

TEST(SessionFile, ReadsAFirstVersionFile)
{
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    Session session;
    SessionHooks hooks;
    ASSERT_EQ(ReadSession(SessionCorpusFile("version-1.0.ovs"), session.document, hooks, messages),
              SessionReadResult::Read);
    EXPECT_EQ(cursor.iDepth, 0);
    // Both warnings of the tests run again, and none under the hourglass.
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_NE(messages.shown()[0].sText.find("% confidence data has positive correlation"), std::string::npos);
    EXPECT_EQ(messages.shown()[1].sText, "Data contains outliers.  See assumption tab when analysis is completed!");
    EXPECT_FALSE(messages.bShownUnderHourglass);

    // The workbook: the cursor and selection stored once, for the active sheet.
    const Workbook& workbook = session.workbook;
    ASSERT_EQ(workbook.sheetCount(), 2u);
    EXPECT_EQ(workbook.activeSheetNumber(), 1u);
    EXPECT_EQ(workbook.sheet(1).name(), "Data");
    EXPECT_EQ(workbook.sheet(1).currentRow(), 5u);
    EXPECT_EQ(workbook.sheet(1).currentColumn(), 2u);
    EXPECT_EQ(workbook.sheet(1).selection(), (CellRange{2, 2, 2, 21}));
    EXPECT_EQ(workbook.sheet(2).cellText(2, 1), "first version");
    EXPECT_EQ(workbook.sheet(2).rowHeight(1), 18);
    EXPECT_EQ(workbook.sheet(2).columnWidth(2), 100);
    EXPECT_EQ(workbook.dataWindowGeometry(), (WindowGeometry{2, 0, 0, 300, 500}));

    // The results window: indexes from 0, the variation divided by 1.414213562373, the
    // plots as the builders make them and every view fitted.
    ASSERT_EQ(session.document.windows.size(), 2u);
    const SessionWindow& window = session.document.windows[1];
    EXPECT_EQ(window.uActivePage, 3u);
    EXPECT_EQ(window.piSizeModes, (std::array<std::int32_t, 7>{}));
    const ChangePointAnalysis& a = window.pResults->Analysis();
    EXPECT_EQ(a.prPointPeriods.front().value(), 0);
    EXPECT_EQ(a.prPeriodPositions.back().value(), 19);
    EXPECT_EQ(a.psPeriodLabels.back(), "D20");
    EXPECT_EQ(a.prVariationPeriods.front().value(), 1);
    EXPECT_NEAR(a.prVariationValues.front().value(), 0.8 / 1.414213562373, 1e-12);
    EXPECT_NEAR(a.rMedianVariation.value(), 0.3358757210636322, 1e-12);
    EXPECT_EQ(a.prValuesCusumX.front().value(), -1);
    EXPECT_EQ(a.prValuesCusumY[1].value(), -5.749);
    EXPECT_NEAR(a.prVariationCusumY[1].value(), -1.588 / 1.414213562373, 1e-12);
    EXPECT_EQ(a.display.uValuesBackground, 2);
    EXPECT_TRUE(a.display.bUseAverage);
    EXPECT_FALSE(a.display.bValuesConnect);
    EXPECT_TRUE(a.display.bVariationLimits);
    EXPECT_EQ(window.pResults->ValuesPlot()->MainTitle(), "Plot of Weight");
}

TEST(SessionFile, TheCorpusOfAwkwardFiles)
{
    const std::pair<const char*, SessionReadResult> expected[] = {
        {"small.ovs", SessionReadResult::Read},
        {"crlf.ovs", SessionReadResult::Read},
        {"no-hyphen.ovs", SessionReadResult::Read},
        {"version-1.0.ovs", SessionReadResult::Read},
        {"version-2.5.ovs", SessionReadResult::TooRecent},
        {"record-type-3.ovs", SessionReadResult::Read},
        {"cells-beyond-used-column.ovs", SessionReadResult::Read},
        {"not-a-session.ovs", SessionReadResult::NotSessionFile},
        {"empty.ovs", SessionReadResult::NotSessionFile},
        {"missing-end-marker.ovs", SessionReadResult::Corrupted},
        {"row-of-257-cells.ovs", SessionReadResult::Corrupted},
        {"rows-beyond-10000.ovs", SessionReadResult::Corrupted},
        {"columns-beyond-256.ovs", SessionReadResult::Corrupted},
        {"sheet-count-wraps.ovs", SessionReadResult::Corrupted},
        {"sheet-count-beyond-the-file.ovs", SessionReadResult::Corrupted},
        {"window-state-3.ovs", SessionReadResult::Corrupted},
        {"active-page-7.ovs", SessionReadResult::Corrupted},
        {"size-mode-12.ovs", SessionReadResult::Corrupted},
        {"change-past-the-series.ovs", SessionReadResult::Corrupted},
        {"changes-out-of-order.ovs", SessionReadResult::Corrupted},
        {"point-period-past-the-periods.ovs", SessionReadResult::Corrupted},
        {"plot-with-a-line-less.ovs", SessionReadResult::Corrupted},
    };
    std::string sSmall;
    for (const auto& [psName, result] : expected) {
        Session session;
        ScriptedUserMessages messages;
        std::vector<std::string> removed;
        SessionHooks hooks;
        hooks.removeRecentFile = [&](const std::string& sFile) { removed.push_back(sFile); };
        const std::string sFile = SessionCorpusFile(psName);
        EXPECT_EQ(ReadSession(sFile, session.document, hooks, messages), result) << psName;
        const bool bDropped = result == SessionReadResult::NotSessionFile || result == SessionReadResult::Corrupted;
        EXPECT_EQ(removed, bDropped ? std::vector<std::string>{sFile} : std::vector<std::string>{}) << psName;
        if (result == SessionReadResult::Corrupted) {
            EXPECT_TRUE(IsEmptySession(session)) << psName;
        }
        if (std::string_view(psName) == "small.ovs") sSmall = session.Text();
        // Line ends and the spelling of the header do not change what is read.
        if (std::string_view(psName) == "crlf.ovs" || std::string_view(psName) == "no-hyphen.ovs") {
            EXPECT_EQ(session.Text(), sSmall) << psName;
        }
        if (std::string_view(psName) == "cells-beyond-used-column.ovs") {
            EXPECT_EQ(session.workbook.sheet(1).cellText(3, 2), "note");
            EXPECT_EQ(session.workbook.sheet(1).lastUsedColumn(), 3u);
        }
    }
    EXPECT_EQ(sSmall, ReadWholeFile(SessionCorpusFile("small.ovs")));

    // A file that is not there.
    Session session;
    ScriptedUserMessages messages;
    std::vector<std::string> removed;
    SessionHooks hooks;
    hooks.removeRecentFile = [&](const std::string& sFile) { removed.push_back(sFile); };
    for (const std::string& sMissing : {SessionCorpusFile("no-such-file.ovs"), SessionCorpusFile("")}) {
        EXPECT_EQ(ReadSession(sMissing, session.document, hooks, messages), SessionReadResult::NotFound);
        EXPECT_EQ(messages.texts().back(), "Could not find file.");
        EXPECT_EQ(removed.back(), sMissing);
    }
}
