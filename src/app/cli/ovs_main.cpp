// Ostrel-Vane Studio - the command-line tool. Argument parsing and wiring only.
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/cli/AnalysisReport.h"
#include "app/cli/BatchAnalysis.h"
#include "app/cli/EachAnalysis.h"
#include "platform/ConsoleUserMessages.h"
#include "platform/StopRequest.h"
#include "results/AnalysisResults.h"
#include "workbook/SessionFile.h"
#include "workbook/SpreadsheetFile.h"
#include "workbook/Workbook.h"

#ifdef OVS_WITH_PICTURES
#include <QGuiApplication>
#include <cstdlib>

#include "app/cli/BatchPictures.h"
#endif

using namespace HalvrennInc;

namespace {

const char* const kUsage =
    "Ostrel-Vane Studio - change-point analysis from the command line\n"
    "\n"
    "Usage:\n"
    "  ovs analyze FILE [options]   analyse a series of a tab-delimited (.txt) or CSV (.csv) file,\n"
    "                               of a sheet of a spreadsheet file (.xlsx, .ods, .xls), or of\n"
    "                               a sheet of a session file (.ovs)\n"
    "  ovs session FILE [--format text|json]\n"
    "                               show the sheets and the analyses of a session file\n"
    "  ovs --help                   show this help\n"
    "  ovs --version                show the program's version\n"
    "\n"
    "Selection (as in the grid of the desktop program):\n"
    "  --select RANGE        cells such as B1, B2:B61, B1:D40 or A3:M3 (default A1, or the\n"
    "                        sheet's stored selection in a session file); with no field\n"
    "                        below this is the fast analysis of that selection\n"
    "  --sheet NAME|N        the sheet of a spreadsheet or session file, by name or number\n"
    "                        (default: the first sheet holding data, or the session's\n"
    "                        active sheet)\n"
    "Fields of the custom analysis (each overrides what the selection proposes):\n"
    "  --columns | --rows    the data is in columns (periods in rows) or in rows\n"
    "  --start X             start column (or start row) of the data\n"
    "  --values N            number of values per period\n"
    "  --first X, --last X   first and last period (rows, or columns)\n"
    "  --labels X            column (or row) holding the period labels\n"
    "  --name TEXT           series name\n"
    "  --label-name TEXT     name of the labels (x-axis title)\n"
    "  --ranks               analyse the ranks of the values\n"
    "  --group N             average groups of N periods\n"
    "  --every N             analyse every N-th period\n"
    "Options:\n"
    "  --trials N            bootstrap trials (default 1000)\n"
    "  --level P             confidence level for a change, percent (default 90)\n"
    "  --interval P          confidence for the change interval, percent (default 95)\n"
    "  --with-replacement    bootstrap with replacement (default: without)\n"
    "  --seed S              seed of the random generator: the same seed gives the same result\n"
    "  --threads N           threads for the bootstrap trials (default: the environment\n"
    "                        variable OVS_THREADS, else every hardware thread); any count\n"
    "                        gives the same result, 1 runs the trials serially\n"
    "  --skip-invalid        leave out periods with invalid data instead of stopping\n"
    "Many series:\n"
    "  --each                analyse each column of the selection as its own series (each row\n"
    "                        with --rows), with the same fields, options and seed as alone;\n"
    "                        --threads N runs N series at a time\n"
    "Output:\n"
    "  --format text|json    the report on standard output (default text); with --each also\n"
    "                        csv: one row per change\n"
    "  --pictures DIR        also write the seven results as pictures into DIR: values-plot,\n"
    "                        values-table, values-cusum, variation-plot, variation-table,\n"
    "                        variation-cusum and assumptions (with --each: DIR/<series>/)\n"
    "  --picture-format F    svg (default), png or pdf\n"
    "  --save-session FILE   also save a session (.ovs) with the analysed sheet and the\n"
    "                        results, for the desktop program\n"
    "\n"
    "Exit status: 0 success, 1 data or a field refused, 2 usage error, 130 interrupted (Ctrl+C),\n"
    "143 terminated (SIGTERM).\n";

std::atomic<bool> g_halt{false};

extern "C" void OnInterrupt(int iSignal)
{
    g_halt.store(true);
    RequestStop(iSignal);
}

// The status of a run stopped by SIGINT (130) or SIGTERM (143).
int StoppedStatus()
{
    return StopSignal() != 0 ? 128 + StopSignal() : bsHalted;
}

// The report on standard output; a failed write (a full disk, a closed pipe) is said.
bool WriteReport(const std::string& sReport)
{
    const bool bWritten = std::fwrite(sReport.data(), 1, sReport.size(), stdout) == sReport.size();
    if (std::fflush(stdout) == 0 && bWritten) return true;
    std::cerr << "ovs: the report could not be written to standard output: " << std::strerror(errno) << '\n';
    return false;
}

int UsageError(const std::string& sText)
{
    std::cerr << "ovs: " << sText << "\n\nRun 'ovs --help' for the usage.\n";
    return bsUsage;
}

struct Arguments {
    BatchRequest request;
    bool bJson = false;
    bool bCsv = false;
    bool bEach = false;     //!< one analysis per column (or row) of the selection
    std::string sPictures;  //!< folder for the pictures; empty: none
    std::string sPictureFormat = "svg";
    std::string sSaveSession;  //!< session file to write; empty: none
};

// "--format text|json"; returns an error text, or empty on success.
std::string ParseFormat(const std::string& sValue, bool& bJson)
{
    if (sValue != "text" && sValue != "json") return "the format must be text or json: '" + sValue + "'";
    bJson = sValue == "json";
    return {};
}

std::string ThreadCountError(const char* psWhat, const std::string& sValue)
{
    return std::string(psWhat) + " must be a whole number from 1 to " + std::to_string(kMaxThreads) + ": '" + sValue +
           "'";
}

// Parses the arguments after "analyze"; returns an error text, or empty on success.
std::string ParseAnalyzeArguments(const std::vector<std::string>& args, Arguments& parsed)
{
    BatchRequest& r = parsed.request;
    using Setter = std::function<void(const std::string&)>;
    const std::map<std::string, Setter> withValue = {
        {"--select", [&](const std::string& v) { r.sSelect = v; }},
        {"--start", [&](const std::string& v) { r.sStart = v; }},
        {"--values", [&](const std::string& v) { r.sValues = v; }},
        {"--first", [&](const std::string& v) { r.sFirst = v; }},
        {"--last", [&](const std::string& v) { r.sLast = v; }},
        {"--labels", [&](const std::string& v) { r.sLabels = v; }},
        {"--name", [&](const std::string& v) { r.sName = v; }},
        {"--label-name", [&](const std::string& v) { r.sLabelName = v; }},
        {"--group", [&](const std::string& v) { r.sGroup = v; }},
        {"--every", [&](const std::string& v) { r.sEvery = v; }},
        {"--trials", [&](const std::string& v) { r.sTrials = v; }},
        {"--level", [&](const std::string& v) { r.sLevel = v; }},
        {"--interval", [&](const std::string& v) { r.sInterval = v; }},
        {"--pictures", [&](const std::string& v) { parsed.sPictures = v; }},
        {"--picture-format", [&](const std::string& v) { parsed.sPictureFormat = v; }},
        {"--sheet", [&](const std::string& v) { r.sSheet = v; }},
        {"--save-session", [&](const std::string& v) { parsed.sSaveSession = v; }},
    };
    const std::map<std::string, std::function<void()>> flags = {
        {"--columns", [&] { r.orientation = Orientation::Columns; }},
        {"--rows", [&] { r.orientation = Orientation::Rows; }},
        {"--ranks", [&] { r.bRanks = true; }},
        {"--with-replacement", [&] { r.bWithReplacement = true; }},
        {"--skip-invalid", [&] { r.bSkipInvalid = true; }},
        {"--each", [&] { parsed.bEach = true; }},
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string sArg = args[i];
        std::string sValue;
        bool bInlineValue = false;
        if (sArg.rfind("--", 0) == 0) {
            const std::size_t uEquals = sArg.find('=');
            if (uEquals != std::string::npos) {
                sValue = sArg.substr(uEquals + 1);
                sArg = sArg.substr(0, uEquals);
                bInlineValue = true;
            }
        } else {
            if (sArg.size() > 1 && sArg[0] == '-') return "unknown option '" + sArg + "'";
            if (!r.sFile.empty()) return "more than one file given: '" + sArg + "'";
            r.sFile = sArg;
            continue;
        }
        auto takeValue = [&]() -> bool {
            if (bInlineValue) return true;
            if (i + 1 >= args.size()) return false;
            sValue = args[++i];
            return true;
        };
        if (const auto flag = flags.find(sArg); flag != flags.end()) {
            if (bInlineValue) return "option " + sArg + " takes no value";
            flag->second();
        } else if (const auto setter = withValue.find(sArg); setter != withValue.end()) {
            if (!takeValue()) return "option " + sArg + " needs a value";
            if (sValue.empty() && (sArg == "--pictures" || sArg == "--save-session"))
                return "option " + sArg + " needs a name";
            setter->second(sValue);
        } else if (sArg == "--seed") {
            if (!takeValue()) return "option --seed needs a value";
            if (sValue.empty() || sValue.find_first_not_of("0123456789") != std::string::npos || sValue.size() > 19)
                return "the seed must be a whole number from 0 to 10^19: '" + sValue + "'";
            r.uSeed = std::stoull(sValue);
        } else if (sArg == "--threads") {
            if (!takeValue()) return "option --threads needs a value";
            r.uThreads = ParseThreadCount(sValue.c_str());
            if (!r.uThreads) return ThreadCountError("the thread count", sValue);
        } else if (sArg == "--format") {
            if (!takeValue()) return "option --format needs a value";
            parsed.bCsv = sValue == "csv";
            if (parsed.bCsv) continue;
            if (std::string sError = ParseFormat(sValue, parsed.bJson); !sError.empty()) return sError;
        } else {
            return "unknown option '" + sArg + "'";
        }
    }
    if (r.sFile.empty()) return "no file given";
    if (parsed.bCsv && !parsed.bEach) return "--format csv applies to --each only";
    if (parsed.bEach && !parsed.sSaveSession.empty()) return "--save-session applies to one analysis, not to --each";
    if (const char* psThreads = std::getenv("OVS_THREADS"); psThreads && !ParseThreadCount(psThreads))
        return ThreadCountError("OVS_THREADS", psThreads);
    if (r.sGroup && r.sEvery) return "--group and --every exclude each other";
    if (r.sSheet && !IsSessionFileName(r.sFile) && !IsSpreadsheetFileName(r.sFile))
        return "--sheet applies to spreadsheet files (.xlsx, .ods, .xls) and session files (.ovs) only";
    if (parsed.sPictureFormat != "svg" && parsed.sPictureFormat != "png" && parsed.sPictureFormat != "pdf")
        return "the picture format must be svg, png or pdf: '" + parsed.sPictureFormat + "'";
#ifndef OVS_WITH_PICTURES
    if (!parsed.sPictures.empty()) return "this build of ovs cannot write pictures";
#endif
    return {};
}

// Writes the pictures of each analysis into its folder.
int WritePictures(const std::vector<std::pair<AnalysisResults*, std::string>>& folders, const Arguments& parsed)
{
#ifdef OVS_WITH_PICTURES
    // Pictures are painted without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "ovs";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    for (const auto& [pResults, sFolder] : folders) {
        if (StopRequested()) return StoppedStatus();
        if (const auto sMessage =
                WriteAnalysisPictures(*pResults, sFolder, *PictureFormatFromName(parsed.sPictureFormat))) {
            std::cerr << sMessage->view() << '\n';
            return bsRefused;
        }
    }
    return bsSuccess;
#else
    (void)folders;
    (void)parsed;
    return bsUsage;
#endif
}

int AnalyzeEach(const Arguments& parsed, Workbook& workbook)
{
    std::vector<EachSeries> series;
    const int iStatus =
        RunEachAnalysis(parsed.request, workbook, std::cerr, isatty(STDERR_FILENO) != 0, g_halt, series);
    if (iStatus != bsSuccess && iStatus != bsRefused) return iStatus;
    if (series.empty()) return iStatus;  // the options were refused
    const std::string sReport = parsed.bCsv    ? EachReportCsv(series)
                                : parsed.bJson ? EachReportJson(series, parsed.request.uSeed)
                                               : EachReportText(series);
    std::fwrite(sReport.data(), 1, sReport.size(), stdout);
    if (std::fflush(stdout) != 0) return bsRefused;
    if (parsed.sPictures.empty()) return iStatus;

    std::vector<std::shared_ptr<AnalysisResults>> results;
    std::vector<std::pair<AnalysisResults*, std::string>> folders;
    const std::vector<std::string> names = EachPictureFolders(series);
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (!series[i].pAnalysis) continue;
        results.push_back(std::make_shared<AnalysisResults>(std::move(series[i].pAnalysis)));
        folders.emplace_back(results.back().get(), parsed.sPictures + "/" + names[i]);
    }
    const int iPictures = WritePictures(folders, parsed);
    return iPictures != bsSuccess ? iPictures : iStatus;
}

int Analyze(const std::vector<std::string>& args)
{
    Arguments parsed;
    if (const std::string sError = ParseAnalyzeArguments(args, parsed); !sError.empty()) return UsageError(sError);
    const BatchRequest& request = parsed.request;

    ConsoleUserMessages messages(
        std::cerr, request.bSkipInvalid ? MessageAnswer::Yes : MessageAnswer::No,
        request.bSkipInvalid ? "(answered Yes: --skip-invalid)" : "(answered No; --skip-invalid leaves these out)");
    Workbook workbook;
    if (const int iLoaded = LoadDataFile(workbook, request, messages); iLoaded != bsSuccess) return iLoaded;

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    if (parsed.bEach) return AnalyzeEach(parsed, workbook);
    ConsoleProgress progress(std::cerr, isatty(STDERR_FILENO) != 0, g_halt);
    std::unique_ptr<ChangePointAnalysis> analysis;
    const int iStatus = RunBatchAnalysis(request, workbook, messages, &ConsoleProgress::Callback, &progress, analysis);
    progress.Finish();
    if (iStatus == bsHalted) return StoppedStatus();
    if (iStatus != bsSuccess) return iStatus;

    const std::string sReport = parsed.bJson ? ReportJson(*analysis, request.uSeed) : ReportText(*analysis);
    if (!WriteReport(sReport)) return bsRefused;
    if (parsed.sSaveSession.empty() && parsed.sPictures.empty()) return bsSuccess;

    auto results = std::make_shared<AnalysisResults>(std::move(analysis));
    if (!parsed.sSaveSession.empty() && !SaveBatchSession(parsed.sSaveSession, workbook, results, messages))
        return StopRequested() ? StoppedStatus() : bsRefused;
    if (StopRequested()) return StoppedStatus();
    const int iPictures =
        parsed.sPictures.empty() ? bsSuccess : WritePictures({{results.get(), parsed.sPictures}}, parsed);
    return StopRequested() ? StoppedStatus() : iPictures;
}

int ShowSession(const std::vector<std::string>& args)
{
    std::string sFile;
    bool bJson = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string sArg = args[i];
        if (sArg == "--format" || sArg.rfind("--format=", 0) == 0) {
            std::string sValue;
            if (sArg != "--format") {
                sValue = sArg.substr(9);
            } else if (i + 1 < args.size()) {
                sValue = args[++i];
            } else {
                return UsageError("option --format needs a value");
            }
            if (std::string sError = ParseFormat(sValue, bJson); !sError.empty()) return UsageError(sError);
        } else if (sArg.rfind("--", 0) == 0) {
            return UsageError("unknown option '" + sArg + "'");
        } else if (!sFile.empty()) {
            return UsageError("more than one file given: '" + sArg + "'");
        } else {
            sFile = sArg;
        }
    }
    if (sFile.empty()) return UsageError("no file given");

    ConsoleUserMessages messages(std::cerr, MessageAnswer::No);
    Workbook workbook;
    SessionDocument document(workbook);
    if (ReadSession(sFile, document, SessionHooks(), messages) != SessionReadResult::Read) return bsRefused;
    const std::string sReport = bJson ? SessionReportJson(document) : SessionReportText(document);
    return WriteReport(sReport) ? bsSuccess : bsRefused;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return bsUsage;
    }
    if (args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, stdout);
        return bsSuccess;
    }
    if (args[0] == "--version") {
        std::puts("Ostrel-Vane Studio");
        std::puts("Version 2.0");
        return bsSuccess;
    }
    if (args[0] == "analyze") return Analyze({args.begin() + 1, args.end()});
    if (args[0] == "session") return ShowSession({args.begin() + 1, args.end()});
    return UsageError("unknown command '" + args[0] + "'");
}
