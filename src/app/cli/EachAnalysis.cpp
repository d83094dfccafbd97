// Ostrel-Vane Studio - one analysis for each column (or row) of a selected block.
#include "app/cli/EachAnalysis.h"

#include <algorithm>
#include <charconv>
#include <mutex>
#include <ostream>
#include <set>
#include <utility>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include "analysis/SeriesAnalysis.h"
#include "app/cli/AnalysisReport.h"
#include "platform/UserMessages.h"
#include "results/ChangeRows.h"
#include "workbook/Designators.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

namespace {

std::string CellName(std::uint32_t uColumn, std::uint32_t uRow)
{
    return std::string(ColumnDesignator(uColumn)) + RowDesignator(uRow);
}

std::string RangeName(const CellRange& range)
{
    const std::string sFirst = CellName(range.uLeft, range.uTop);
    if (range.uLeft == range.uRight && range.uTop == range.uBottom) return sFirst;
    return sFirst + ":" + CellName(range.uRight, range.uBottom);
}

//! The messages of one series, kept for its report: questions get the answer of the
//! command line, and the text of a question answered No is what refused the series.
class SeriesMessages : public UserMessages {
public:
    explicit SeriesMessages(bool bSkipInvalid) : m_bSkipInvalid(bSkipInvalid) {}

    void show(std::string_view, std::string_view sText, MessageIcon) override { Add(sText); }
    MessageAnswer ask(std::string_view, std::string_view sText, MessageButtons buttons, MessageIcon) override
    {
        if (buttons == MessageButtons::YesNo && m_bSkipInvalid) return MessageAnswer::Yes;
        Add(std::string(sText) + " (answered No; --skip-invalid leaves these out)");
        return DismissAnswer(buttons);
    }
    const std::string& text() const { return m_sText; }

private:
    void Add(std::string_view sText)
    {
        if (!m_sText.empty()) m_sText += " ";
        m_sText += sText;
    }

    bool m_bSkipInvalid;
    std::string m_sText;
};

//! "Series 3 / 64" on one updating line.
class EachProgress {
public:
    EachProgress(std::ostream& out, bool bShowLine, std::size_t uTotal)
        : m_out(out), m_bShowLine(bShowLine), m_uTotal(uTotal)
    {
    }
    ~EachProgress() { Clear(); }

    void Done(std::size_t uDone)
    {
        if (!m_bShowLine) return;
        const std::string sLine = "Series " + std::to_string(uDone) + " / " + std::to_string(m_uTotal);
        m_out << '\r' << sLine << std::flush;
        m_uWidth = sLine.size();
    }
    //! A line of its own (a refusal) that the progress line must not overwrite.
    void Line(const std::string& sText)
    {
        Clear();
        m_out << sText << '\n' << std::flush;
    }
    void Clear()
    {
        if (m_uWidth == 0) return;
        m_out << '\r' << std::string(m_uWidth, ' ') << '\r' << std::flush;
        m_uWidth = 0;
    }

private:
    std::ostream& m_out;
    bool m_bShowLine;
    std::size_t m_uTotal;
    std::size_t m_uWidth = 0;
};

//! Warnings do not stop a series: they are part of its report. Only Ctrl+C halts.
bool HaltOnly(void* pContext, int, const char*, double)
{
    return !static_cast<std::atomic<bool>*>(pContext)->load();
}

std::string ShortNumber(const Real& r)
{
    if (!r.isValid()) return std::string(r.message());
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, r.value());
    return std::string(buffer, result.ptr);
}

std::string CsvField(const std::string& sText)
{
    if (sText.find_first_of(",\"\r\n") == std::string::npos) return sText;
    std::string sOut = "\"";
    for (const char c : sText) {
        if (c == '"') sOut += '"';
        sOut += c;
    }
    return sOut + "\"";
}

std::string CsvRow(const std::vector<std::string>& fields)
{
    std::string sOut;
    for (std::size_t i = 0; i < fields.size(); ++i) sOut += (i == 0 ? "" : ",") + CsvField(fields[i]);
    return sOut + "\n";
}

std::string SeriesName(const EachSeries& series)
{
    return series.pAnalysis ? series.pAnalysis->sName.str() : series.sSelect;
}

std::string ChangesSummary(const std::vector<ChangeRow>& rows)
{
    if (rows.empty()) return "none";
    std::string sOut;
    for (const ChangeRow& row : rows)
        sOut += (sOut.empty() ? "" : ", ") + row.sLabel.str() + " (" + ConfidenceText(row.rConfidence).str() + ")";
    return sOut;
}

std::string AssumptionsSummary(const ChangePointAnalysis& analysis)
{
    std::string sOut;
    if (IndependenceViolated(analysis.dSerialCorrelation)) sOut = "serial correlation";
    if (analysis.bOutliers) sOut += sOut.empty() ? "outliers" : ", outliers";
    return sOut.empty() ? "ok" : sOut;
}

}  // namespace

std::vector<BatchRequest> EachRequests(const BatchRequest& request, const Workbook& workbook, std::string& sError)
{
    CellRange block = workbook.activeSheet().selection();
    if (request.sSelect) {
        const auto range = ParseCellRange(*request.sSelect);
        if (!range) {
            sError = "The selection \"" + *request.sSelect + "\" does not name cells of the sheet.";
            return {};
        }
        block = *range;
    }
    const bool bRows = request.orientation == Orientation::Rows;
    std::vector<BatchRequest> requests;
    const std::uint32_t uFirst = bRows ? block.uTop : block.uLeft;
    const std::uint32_t uLast = bRows ? block.uBottom : block.uRight;
    for (std::uint32_t u = uFirst; u <= uLast; ++u) {
        CellRange part = block;
        if (bRows) {
            part.uTop = part.uBottom = u;
        } else {
            part.uLeft = part.uRight = u;
        }
        requests.push_back(request);
        requests.back().sSelect = RangeName(part);
    }
    return requests;
}

int RunEachAnalysis(const BatchRequest& request, Workbook& workbook, std::ostream& progress, bool bShowProgress,
                    const std::atomic<bool>& halt, std::vector<EachSeries>& results)
{
    results.clear();
    std::string sError;
    const std::vector<BatchRequest> requests = EachRequests(request, workbook, sError);
    if (requests.empty()) {
        progress << sError << '\n';
        return bsUsage;
    }
    AnalysisOptions options;
    if (const auto sMessage = SetBatchOptions(request, options)) {
        progress << sMessage->view() << '\n';
        return bsRefused;
    }

    // The series are extracted one after the other (the selection works on the
    // workbook), then analysed side by side, each on a random stream of its own that
    // starts where it would start alone.
    const bool bRows = request.orientation == Orientation::Rows;
    EachProgress line(progress, bShowProgress, requests.size());
    std::vector<SelectedSeries> selected(requests.size());
    std::vector<std::uint64_t> seeds(requests.size());
    std::vector<std::size_t> analysed;
    results.resize(requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EachSeries& series = results[i];
        series.sSelect = *requests[i].sSelect;
        const CellRange part = *ParseCellRange(series.sSelect);
        series.sKey = bRows ? RowDesignator(part.uTop) : std::string(ColumnDesignator(part.uLeft));
        SeriesMessages messages(request.bSkipInvalid);
        AnalysisOptions seriesOptions;
        if (PrepareBatchSeries(requests[i], workbook, messages, selected[i], seriesOptions) != bsSuccess) {
            series.sRefusal = messages.text();
            line.Line(series.sSelect + ": " + series.sRefusal);
        } else {
            analysed.push_back(i);
            // Without a seed each series starts where the clock-seeded generator puts it.
            seeds[i] = request.uSeed ? *request.uSeed : static_cast<std::uint64_t>(SharedRandomStream().next() * 1e9);
        }
    }

    std::mutex progressMutex;
    std::size_t uDone = results.size() - analysed.size();
    line.Done(uDone);
    auto analyse = [&](std::size_t i) {
        if (halt.load()) return;
        RandomStream stream(seeds[i]);
        results[i].pAnalysis =
            AnalyzeSeries(std::move(selected[i]), options,
                          {std::nullopt, &HaltOnly, const_cast<std::atomic<bool>*>(&halt), 1, &stream});
        std::lock_guard<std::mutex> lock(progressMutex);
        line.Done(++uDone);
    };
    const unsigned uThreads = request.uThreads ? request.uThreads : DefaultThreadCount();
    if (uThreads <= 1) {
        for (const std::size_t i : analysed) analyse(i);
    } else {
        tbb::task_arena arena(static_cast<int>(uThreads));
        arena.execute([&] {
            tbb::parallel_for(tbb::blocked_range<std::size_t>(0, analysed.size(), 1),
                              [&](const tbb::blocked_range<std::size_t>& range) {
                                  for (std::size_t k = range.begin(); k != range.end(); ++k) analyse(analysed[k]);
                              });
        });
    }
    if (halt.load()) return bsHalted;
    for (const std::size_t i : analysed)
        if (!results[i].pAnalysis || results[i].pAnalysis->Halted()) return bsHalted;
    return analysed.size() < results.size() ? bsRefused : bsSuccess;
}

std::string EachReportJson(const std::vector<EachSeries>& results, std::optional<std::uint64_t> uSeed)
{
    if (results.empty()) return "[]\n";
    std::string sOut = "[\n";
    for (std::size_t i = 0; i < results.size(); ++i) {
        const EachSeries& series = results[i];
        std::string sItem;
        if (series.pAnalysis) {
            // The report of one analysis, one level deeper.
            const std::string sReport = ReportJson(*series.pAnalysis, uSeed);
            for (std::size_t j = 0; j + 1 < sReport.size(); ++j) {
                sItem += sReport[j];
                if (sReport[j] == '\n') sItem += "  ";
            }
        } else {
            sItem =
                "{\"selection\": " + JsonString(series.sSelect) + ", \"refused\": " + JsonString(series.sRefusal) + "}";
        }
        sOut += "  " + sItem + (i + 1 < results.size() ? ",\n" : "\n");
    }
    return sOut + "]\n";
}

std::string EachReportCsv(const std::vector<EachSeries>& results)
{
    std::string sOut =
        CsvRow({"series", "kind", "position", "label", "confidence", "interval_first", "interval_last", "from", "to"});
    for (const EachSeries& series : results) {
        const std::string sName = SeriesName(series);
        if (!series.pAnalysis) {
            sOut += CsvRow({sName, "refused", "", series.sRefusal, "", "", "", "", ""});
            continue;
        }
        const std::vector<ChangeRow> values = ValuesChangeRows(*series.pAnalysis);
        const std::vector<ChangeRow> variation = VariationChangeRows(*series.pAnalysis);
        if (values.empty() && variation.empty()) {
            sOut += CsvRow({sName, "", "", "", "", "", "", "", ""});
            continue;
        }
        for (const auto& [psKind, rows] : {std::pair{"values", &values}, std::pair{"variation", &variation}})
            for (const ChangeRow& row : *rows)
                sOut += CsvRow({sName, psKind, std::to_string(row.uPosition), row.sLabel.str(),
                                ShortNumber(row.rConfidence), row.sIntervalFirst.str(), row.sIntervalLast.str(),
                                ShortNumber(row.rFrom), ShortNumber(row.rTo)});
    }
    return sOut;
}

std::string EachReportText(const std::vector<EachSeries>& results)
{
    std::vector<std::vector<std::string>> table = {
        {"Series", "Points", "Changes in Level", "Changes in Variation", "Assumptions"}};
    std::size_t uRefused = 0;
    for (const EachSeries& series : results) {
        if (!series.pAnalysis) {
            ++uRefused;
            table.push_back({series.sSelect, "-", "-", "-", "refused: " + series.sRefusal});
            continue;
        }
        const ChangePointAnalysis& analysis = *series.pAnalysis;
        table.push_back({analysis.sName.str(), std::to_string(analysis.uNumberPoints()),
                         ChangesSummary(ValuesChangeRows(analysis)), ChangesSummary(VariationChangeRows(analysis)),
                         AssumptionsSummary(analysis)});
    }
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto& row : table)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    std::string sOut;
    for (const auto& row : table) {
        std::string sLine;
        for (std::size_t c = 0; c < row.size(); ++c) {
            sLine += row[c];
            if (c + 1 < row.size()) sLine.append(widths[c] - row[c].size() + 2, ' ');
        }
        sOut += sLine + "\n";
    }
    sOut += "\n" + std::to_string(results.size()) + " series, " + std::to_string(results.size() - uRefused) +
            " analysed, " + std::to_string(uRefused) + " refused\n";
    return sOut;
}

std::vector<std::string> EachPictureFolders(const std::vector<EachSeries>& results)
{
    std::vector<std::string> folders(results.size());
    std::vector<std::string> names(results.size());
    std::multiset<std::string> used;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].pAnalysis) continue;
        std::string sName = results[i].pAnalysis->sName.str();
        for (char& c : sName)
            if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
        if (sName.find_first_not_of(" .") == std::string::npos) sName = results[i].sKey;
        names[i] = sName;
        used.insert(sName);
    }
    for (std::size_t i = 0; i < results.size(); ++i)
        if (results[i].pAnalysis)
            folders[i] = used.count(names[i]) > 1 ? names[i] + " (" + results[i].sKey + ")" : names[i];
    return folders;
}

}  // namespace HalvrennInc
