// Ostrel-Vane Studio - the change-point engine as a Python extension (ostrelvane._engine).
// The series is extracted and analysed exactly as the command-line tool does it; the
// engine runs on a worker thread with the GIL released while the calling thread reports
// progress and watches for Ctrl+C.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "analysis/SeriesAnalysis.h"
#include "app/cli/AnalysisReport.h"
#include "platform/ScriptedUserMessages.h"
#include "results/ChangeRows.h"
#include "selection/TableSeries.h"

namespace py = pybind11;
using namespace HalvrennInc;

namespace {

//! What the worker shares with the calling thread.
struct EngineRun {
    std::atomic<bool> halt{false};
    std::atomic<int> percent{-1};
    std::mutex mutex;
    std::condition_variable finished;
    bool bDone = false;  //!< under 'mutex'
};

bool OnStatus(void* pContext, int iCode, const char*, double dNumber)
{
    auto* pRun = static_cast<EngineRun*>(pContext);
    if (iCode == scProgress) pRun->percent.store(static_cast<int>(dNumber));
    return !pRun->halt.load();
}

//! A seed for an analysis without one: the next draw of the clock-seeded shared stream,
//! so that analyses started in the same second still differ.
std::uint64_t FreshSeed()
{
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    return static_cast<std::uint64_t>(SharedRandomStream().next() * 1e9);
}

py::list RealList(const std::vector<Real>& prValues)
{
    py::list list;
    for (const Real& r : prValues) list.append(r.isValid() ? r.value() : std::numeric_limits<double>::quiet_NaN());
    return list;
}

py::dict Curve(const char* psX, const std::vector<Real>& prX, const char* psY, const std::vector<Real>& prY)
{
    py::dict curve;
    curve[psX] = RealList(prX);
    curve[psY] = RealList(prY);
    return curve;
}

//! The JSON report's fields, then the series and charts behind them.
py::dict ResultDict(const ChangePointAnalysis& analysis, std::optional<std::uint64_t> uSeed)
{
    py::dict result = py::module_::import("json").attr("loads")(ReportJson(analysis, uSeed));
    result["values"] = Curve("periods", analysis.prPointPeriods, "values", analysis.prPointValues);
    result["variation"] = Curve("periods", analysis.prVariationPeriods, "values", analysis.prVariationValues);
    result["values_cusum"] = Curve("x", analysis.prValuesCusumX, "y", analysis.prValuesCusumY);
    result["variation_cusum"] = Curve("x", analysis.prVariationCusumX, "y", analysis.prVariationCusumY);
    py::list period_labels;
    for (const String& s : analysis.psPeriodLabels) period_labels.append(s.str());
    result["period_labels"] = period_labels;
    py::dict assumptions;
    assumptions["serial_correlation"] = analysis.dSerialCorrelation;
    assumptions["independence_violated"] = IndependenceViolated(analysis.dSerialCorrelation);
    assumptions["outliers"] = analysis.bOutliers;
    py::list report;
    for (const ReportLine& line : AssumptionsReportLines(analysis.dSerialCorrelation, analysis.bOutliers))
        report.append(line.sText.str());
    assumptions["report"] = report;
    result["assumptions"] = assumptions;
    return result;
}

//! The message of a refusal: the last box, or the question whose No refused the series
//! (up to its question).
std::string RefusalText(const ScriptedUserMessages& messages)
{
    if (messages.shown().empty()) return "The series was refused.";
    const ShownMessage& last = messages.shown().back();
    if (!last.bQuestion) return last.sText;
    const std::size_t uQuestion = last.sText.find(".  Do you want");
    return uQuestion == std::string::npos ? last.sText : last.sText.substr(0, uQuestion + 1);
}

py::dict Analyze(const std::vector<std::vector<std::string>>& cells, const std::vector<std::string>& labels,
                 const std::string& sTrials, const std::string& sLevel, const std::string& sInterval,
                 bool bWithReplacement, bool bRanks, std::optional<std::uint64_t> uSeed, py::object progress)
{
    ScriptedUserMessages messages;
    messages.setDefaultAnswer(MessageAnswer::No);
    AnalysisOptions options;
    if (const auto sMessage = options.Set(sTrials, sLevel, sInterval, bWithReplacement))
        throw py::value_error(sMessage->str());
    SelectedSeries series;
    if (ExtractTableSeries(cells, labels, bRanks, messages, series) != 0) throw py::value_error(RefusalText(messages));

    // Each call has a stream of its own, so that calls from several Python threads never
    // share one.
    RandomStream stream(uSeed ? *uSeed : FreshSeed());
    EngineRun run;
    std::unique_ptr<ChangePointAnalysis> analysis;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            analysis = AnalyzeSeries(std::move(series), options, {std::nullopt, &OnStatus, &run, 0, &stream});
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(run.mutex);
        run.bDone = true;
        run.finished.notify_all();
    });
    // Halts and joins the worker on every way out, the GIL released meanwhile.
    struct Joiner {
        EngineRun& run;
        std::thread& worker;
        ~Joiner()
        {
            run.halt.store(true);
            py::gil_scoped_release release;
            worker.join();
        }
    } joiner{run, worker};

    int iShown = -1;
    for (;;) {
        bool bDone;
        {
            py::gil_scoped_release release;
            std::unique_lock<std::mutex> lock(run.mutex);
            bDone = run.finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return run.bDone; });
        }
        if (PyErr_CheckSignals() != 0) throw py::error_already_set();
        if (!progress.is_none() && run.percent.load() != iShown) {
            iShown = run.percent.load();
            progress(iShown);
        }
        if (bDone) break;
    }
    if (failure) std::rethrow_exception(failure);
    if (!progress.is_none() && iShown != 100) progress(100);
    return ResultDict(*analysis, uSeed);
}

}  // namespace

PYBIND11_MODULE(_engine, module)
{
    module.doc() = "The change-point engine of Ostrel-Vane Studio (use ostrelvane.analyze).";
    module.def("analyze", &Analyze, py::arg("cells"), py::arg("labels"), py::arg("trials"), py::arg("level"),
               py::arg("interval"), py::arg("with_replacement"), py::arg("ranks"), py::arg("seed"),
               py::arg("progress"));
}
