// The command-line tool as a user runs it: outputs, exit statuses, messages on standard
// error.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "OvsRun.h"

using namespace HalvrennInc;

namespace {

const std::string kExample = std::string(OVS_EXAMPLES_DIR) + "/thickness.txt";

}  // namespace

TEST(OvsCommand, VersionHelpAndUsageErrors)
{
    const OvsResult version = RunOvs("--version");
    EXPECT_EQ(version.iStatus, 0);
    EXPECT_EQ(version.sOut, "Ostrel-Vane Studio\nVersion 2.0\n");
    EXPECT_EQ(RunOvs("--help").iStatus, 0);
    EXPECT_EQ(RunOvs("").iStatus, 2);
    EXPECT_EQ(RunOvs("frobnicate").iStatus, 2);
    const OvsResult unknown = RunOvs("analyze " + kExample + " --bogus");
    EXPECT_EQ(unknown.iStatus, 2);
    EXPECT_NE(unknown.sErr.find("unknown option '--bogus'"), std::string::npos);
    EXPECT_EQ(RunOvs("analyze " + kExample + " --format xml").iStatus, 2);
    EXPECT_EQ(RunOvs("analyze " + kExample + " --seed -4").iStatus, 2);
    EXPECT_EQ(RunOvs("analyze --select B1").iStatus, 2);
}

TEST(OvsCommand, AnalyzeGivesTheSameJsonForTheSameSeed)
{
    const std::string sArguments = "analyze " + kExample + " --select B1 --seed 42 --format json";
    const OvsResult first = RunOvs(sArguments);
    const OvsResult second = RunOvs(sArguments);
    ASSERT_EQ(first.iStatus, 0) << first.sErr;
    EXPECT_EQ(first.sOut, second.sOut);
    EXPECT_EQ(first.sErr, "");
    EXPECT_NE(first.sOut.find("\"series_name\": \"Thickness\""), std::string::npos);
    EXPECT_NE(first.sOut.find("\"seed\": 42"), std::string::npos);

    const OvsResult text = RunOvs("analyze " + kExample + " --select=B1 --seed=42 --trials=500 --level 95");
    ASSERT_EQ(text.iStatus, 0) << text.sErr;
    EXPECT_EQ(text.sOut.rfind("Data: Sheet 1, Column B, Rows 2 - 101\n", 0), 0u);
    EXPECT_NE(text.sOut.find("Confidence Level = 95%, Confidence Interval = 95%, Bootstraps = 500"), std::string::npos);
}

TEST(OvsCommand, EveryThreadCountGivesTheSameReport)
{
    const std::string sArguments = "analyze " + kExample + " --select B1 --seed 9 --trials 5000 --format json";
    const OvsResult serial = RunOvs(sArguments + " --threads 1");
    ASSERT_EQ(serial.iStatus, 0) << serial.sErr;
    EXPECT_EQ(RunOvs(sArguments + " --threads=3").sOut, serial.sOut);
    EXPECT_EQ(RunOvs(sArguments).sOut, serial.sOut);
    EXPECT_EQ(RunOvs(sArguments, "OVS_THREADS=2 ").sOut, serial.sOut);
    for (const char* psBad : {"0", "x", "1025", ""}) {
        const OvsResult bad = RunOvs(sArguments + " --threads=" + psBad);
        EXPECT_EQ(bad.iStatus, 2) << psBad;
        EXPECT_NE(bad.sErr.find("the thread count must be a whole number from 1 to 1024"), std::string::npos);
    }
    const OvsResult badEnvironment = RunOvs("analyze " + kExample + " --seed 9", "OVS_THREADS=many ");
    EXPECT_EQ(badEnvironment.iStatus, 2);
    EXPECT_NE(badEnvironment.sErr.find("OVS_THREADS must be a whole number from 1 to 1024: 'many'"), std::string::npos);
}

TEST(OvsCommand, RefusedDataPrintsTheMessageAndExitsWithOne)
{
    const OvsResult trials = RunOvs("analyze " + kExample + " --select B1 --trials 1000.5");
    EXPECT_EQ(trials.iStatus, 1);
    EXPECT_EQ(trials.sOut, "");
    EXPECT_EQ(trials.sErr, "Number of Bootstrap Trials is not a valid integer.  Correct and try again.\n");

    EXPECT_EQ(RunOvs("analyze /nonexistent/data.txt").sErr, "Could not find file.\n");

    // A column with text in row 4: the question, answered No unless --skip-invalid.
    const auto path = std::filesystem::temp_directory_path() / ("ovs-invalid-" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(path);
        out << "1\n2\n3\nx\n5\n6\n7\n8\n";
    }
    const OvsResult no = RunOvs("analyze " + path.string() + " --seed 1");
    EXPECT_EQ(no.iStatus, 1);
    EXPECT_EQ(no.sErr.rfind("Invalid data in rows: 4.  Do you want to perform analysis without these rows?\n", 0), 0u);
    const OvsResult yes = RunOvs("analyze " + path.string() + " --seed 1 --skip-invalid --format json");
    EXPECT_EQ(yes.iStatus, 0) << yes.sErr;
    EXPECT_NE(yes.sOut.find("\"point_count\": 7"), std::string::npos);
    std::filesystem::remove(path);
}

namespace {

// The lines of a report with their indentation removed and every number to twelve
// digits, for comparing an analysis in the report of 'ovs analyze' with the same analysis
// inside the report of a session (which stores numbers to fifteen digits).
std::vector<std::string> TrimmedLines(const std::string& sText)
{
    static const std::regex number(R"(-?[0-9]+\.[0-9]+(e-?[0-9]+)?)");
    std::vector<std::string> lines;
    std::istringstream in(sText);
    for (std::string sLine; std::getline(in, sLine);) {
        sLine = sLine.substr(sLine.find_first_not_of(' '));
        std::string sRounded;
        std::size_t uDone = 0;
        for (auto it = std::sregex_iterator(sLine.begin(), sLine.end(), number); it != std::sregex_iterator(); ++it) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.12g", std::stod(it->str()));
            sRounded += sLine.substr(uDone, static_cast<std::size_t>(it->position()) - uDone) + buffer;
            uDone = static_cast<std::size_t>(it->position() + it->length());
        }
        lines.push_back(sRounded + sLine.substr(uDone));
    }
    return lines;
}

struct SavedSession {
    SavedSession()
        : sPath((std::filesystem::temp_directory_path() / ("ovs-session-" + std::to_string(::getpid()) + ".ovs"))
                    .string())
    {
    }
    ~SavedSession() { std::filesystem::remove(sPath); }
    std::string sPath;
};

const std::string kSessionCorpus = std::string(OVS_TEST_DATA_DIR) + "/session/";

}  // namespace

TEST(OvsCommand, ASavedSessionHoldsTheSheetAndTheAnalysis)
{
    SavedSession saved;
    const std::string sOptions = " --seed 42 --trials 200 --format json";
    const OvsResult analysed =
        RunOvs("analyze " + kExample + " --select B1" + sOptions + " --save-session " + saved.sPath);
    ASSERT_EQ(analysed.iStatus, 0) << analysed.sErr;
    ASSERT_TRUE(std::filesystem::exists(saved.sPath));

    // Opened on the desktop, the results window stands beside the data window: nothing
    // hides the data or its buttons. Window records: type, state, top, left, height, width.
    {
        std::ifstream file(saved.sPath);
        const std::regex record(R"(^([12]) 0 (-?\d+) (-?\d+) (\d+) (\d+)( \d+)? *$)");
        std::vector<std::array<int, 5>> windows;
        for (std::string sLine; std::getline(file, sLine);) {
            std::smatch m;
            if (std::regex_match(sLine, m, record))
                windows.push_back(
                    {std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])});
        }
        ASSERT_EQ(windows.size(), 2u);
        const auto& data = windows[0];
        const auto& results = windows[1];
        EXPECT_EQ(data[0], 1);
        EXPECT_EQ(results[0], 2);
        EXPECT_GE(results[2], data[2] + data[4]) << "the results window starts right of the data window";
        EXPECT_GE(data[3], 400) << "the data window is tall enough to show data and buttons";
        EXPECT_LE(results[2] + results[4], 1600);
    }

    // The session shows the sheet and the analysis as 'ovs analyze' reported it.
    const OvsResult shown = RunOvs("session " + saved.sPath + " --format json");
    ASSERT_EQ(shown.iStatus, 0) << shown.sErr;
    EXPECT_NE(shown.sOut.find("{\"number\": 1, \"name\": \"Sheet 1\", \"last_used_row\": 101, \"last_used_column\": 2, "
                              "\"used_range\": \"A1:B101\"}"),
              std::string::npos)
        << shown.sOut;
    // The session keeps no seed, and the percentile of the serial-correlation test to six
    // digits.
    std::vector<std::string> expected = TrimmedLines(analysed.sOut);
    std::vector<std::string> lines = TrimmedLines(shown.sOut);
    for (std::string& sLine : expected)
        if (sLine.rfind("\"options\"", 0) == 0) sLine.replace(sLine.find("\"seed\": 42"), 10, "\"seed\": null");
    auto isPercentile = [](const std::string& sLine) { return sLine.rfind("\"serial_correlation\"", 0) == 0; };
    std::erase_if(expected, isPercentile);
    EXPECT_EQ(std::erase_if(lines, isPercentile), 1u);
    EXPECT_NE(std::search(lines.begin(), lines.end(), expected.begin() + 1, expected.end() - 1), lines.end())
        << shown.sOut;

    const OvsResult text = RunOvs("session " + saved.sPath);
    ASSERT_EQ(text.iStatus, 0) << text.sErr;
    EXPECT_EQ(text.sOut.rfind("Sheets: 1 (active: 1)\n  1  \"Sheet 1\"  A1:B101  (active)\nAnalyses: 1\n\n"
                              "Analysis Results - Thickness\nData: Sheet 1, Column B, Rows 2 - 101\n",
                              0),
              0u)
        << text.sOut;

    // Analysed again from the session (its active sheet and the selection stored with it),
    // the same seed gives the same report.
    const OvsResult again = RunOvs("analyze " + saved.sPath + sOptions);
    ASSERT_EQ(again.iStatus, 0) << again.sErr;
    EXPECT_EQ(again.sOut, analysed.sOut);
    EXPECT_EQ(RunOvs("analyze " + saved.sPath + " --sheet 1" + sOptions).sOut, analysed.sOut);
    EXPECT_EQ(RunOvs("analyze " + saved.sPath + " --sheet 'Sheet 1' --select B1" + sOptions).sOut, analysed.sOut);
}

TEST(OvsCommand, SessionFilesThatCannotBeReadOrWrittenExitWithOne)
{
    const OvsResult missing = RunOvs("session /nonexistent/work.ovs");
    EXPECT_EQ(missing.iStatus, 1);
    EXPECT_EQ(missing.sErr, "Could not find file.\n");
    const OvsResult cut = RunOvs("session " + kSessionCorpus + "missing-end-marker.ovs --format json");
    EXPECT_EQ(cut.iStatus, 1);
    EXPECT_EQ(cut.sErr, "File is corrupted and could not be read.\n");
    EXPECT_EQ(cut.sOut, "");
    EXPECT_EQ(RunOvs("session " + kSessionCorpus + "version-2.5.ovs").sErr,
              "File is from more recent version of Ostrel-Vane Studio and cannot be read.\n");
    EXPECT_EQ(RunOvs("analyze " + kSessionCorpus + "not-a-session.ovs").sErr,
              "File is not a Ostrel-Vane Studio data file.\n");

    // A sheet the session does not have.
    const OvsResult noSheet = RunOvs("analyze " + kSessionCorpus + "small.ovs --sheet Notes");
    EXPECT_EQ(noSheet.iStatus, 1);
    EXPECT_EQ(noSheet.sErr, "The session has no sheet \"Notes\".\n");
    EXPECT_EQ(RunOvs("analyze " + kSessionCorpus + "small.ovs --sheet 2").iStatus, 1);

    // A session that cannot be saved: the report is out, the message follows.
    const OvsResult unsaved = RunOvs("analyze " + kExample + " --select B1 --trials 200 --save-session /proc/ovs.ovs");
    EXPECT_EQ(unsaved.iStatus, 1);
    EXPECT_NE(unsaved.sOut.find("Table of Significant Changes"), std::string::npos);
    EXPECT_EQ(unsaved.sErr, "File could not be opened for output.  May be write protected.\n");

    // Usage errors.
    EXPECT_EQ(RunOvs("session").iStatus, 2);
    EXPECT_EQ(RunOvs("session " + kSessionCorpus + "small.ovs --format xml").iStatus, 2);
    EXPECT_EQ(RunOvs("session a.ovs b.ovs").iStatus, 2);
    const OvsResult sheetOfText = RunOvs("analyze " + kExample + " --sheet 1");
    EXPECT_EQ(sheetOfText.iStatus, 2);
    EXPECT_NE(sheetOfText.sErr.find("--sheet applies to spreadsheet files (.xlsx, .ods, .xls) and session files"),
              std::string::npos);
}

TEST(OvsCommand, AFirstVersionSessionWarnsAsItIsRead)
{
    const OvsResult shown = RunOvs("session " + kSessionCorpus + "version-1.0.ovs");
    ASSERT_EQ(shown.iStatus, 0) << shown.sErr;
    EXPECT_NE(shown.sErr.find("% confidence data has positive correlation"), std::string::npos) << shown.sErr;
    EXPECT_NE(shown.sErr.find("Data contains outliers."), std::string::npos);
    EXPECT_NE(shown.sOut.find("  1  \"Data\"  A1:B21  (active)\n  2  \"Notes\"  A1:B1\n"), std::string::npos)
        << shown.sOut;
}

// The example series as the second sheet of a workbook of each kind: the same report as
// from the text file, whose sheet has the same name.
TEST(OvsCommand, ASheetOfASpreadsheetFileAnalysesLikeTheTextFile)
{
    const std::string sOptions = " --select B1 --seed 7 --trials 200 --format json";
    const OvsResult fromText = RunOvs("analyze " + kExample + sOptions);
    ASSERT_EQ(fromText.iStatus, 0) << fromText.sErr;
    const std::string sFolder = std::string(OVS_TEST_DATA_DIR) + "/spreadsheets/";
    std::vector<const char*> psFiles = {"thickness.xlsx", "thickness.ods"};
    // The decoding library of .xls files reads past its own buffers as it opens a file,
    // which the address sanitizer stops (in the child process that runs it).
#if !defined(__SANITIZE_ADDRESS__)
    psFiles.push_back("thickness.xls");
#endif
    for (const char* psFile : psFiles) {
        const OvsResult byName = RunOvs("analyze " + sFolder + psFile + " --sheet 'Sheet 1'" + sOptions);
        EXPECT_EQ(byName.iStatus, 0) << psFile << byName.sErr;
        EXPECT_EQ(byName.sOut, fromText.sOut) << psFile;
        EXPECT_EQ(RunOvs("analyze " + sFolder + psFile + " --sheet 2" + sOptions).sOut, fromText.sOut) << psFile;
        // Without --sheet: the first sheet that holds data (the notes sheet is empty).
        EXPECT_EQ(RunOvs("analyze " + sFolder + psFile + sOptions).sOut, fromText.sOut) << psFile;
        const OvsResult noSheet = RunOvs("analyze " + sFolder + psFile + " --sheet Data" + sOptions);
        EXPECT_EQ(noSheet.iStatus, 1);
        EXPECT_EQ(noSheet.sErr, "The file has no sheet \"Data\".\n");
    }
    const OvsResult bomb = RunOvs("analyze " + sFolder + "entities.xlsx");
    EXPECT_EQ(bomb.iStatus, 1);
    EXPECT_NE(bomb.sErr.find("The file could not be read: "), std::string::npos) << bomb.sErr;
}
