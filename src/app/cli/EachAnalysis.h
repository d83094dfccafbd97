// Ostrel-Vane Studio - one analysis for each column (or row) of a selected block: every
// series is analysed exactly as it would be alone (same fields, options and seed), a
// refused series is reported with its message and the others go on, and the reports
// come out together as a JSON array, CSV rows of changes, or a summary table.
#pragma once

#include <atomic>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/BatchAnalysis.h"

namespace HalvrennInc {

//! One series of a run over many.
struct EachSeries {
    std::string sSelect;                             //!< its cells as --select names them ("C1:C61")
    std::string sKey;                                //!< its column ("C") or row ("3")
    std::unique_ptr<ChangePointAnalysis> pAnalysis;  //!< null when refused
    std::string sRefusal;                            //!< the message of a refused series
};

//! The requests of the series: the request with its selection narrowed to each column
//! of the block (to each row when the request says --rows). The block is the request's
//! selection, else the selection stored with the active sheet. Empty, after 'sError' is
//! set, when the selection names no cells.
std::vector<BatchRequest> EachRequests(const BatchRequest& request, const Workbook& workbook, std::string& sError);

//! Analyses every series of the block. Progress ("Series 3 / 64") goes to 'progress' on
//! one updating line when bShowProgress; a refused series is written there with its
//! message. Returns bsSuccess when every series was analysed, bsRefused when any was
//! refused (the others are analysed all the same), bsUsage for a selection that names
//! no cells or options that are refused, bsHalted when 'halt' was set (the results are
//! then incomplete and must not be written).
int RunEachAnalysis(const BatchRequest& request, Workbook& workbook, std::ostream& progress, bool bShowProgress,
                    const std::atomic<bool>& halt, std::vector<EachSeries>& results);

//! A JSON array: the report of each analysed series exactly as one analysis writes it,
//! and {"selection": ..., "refused": message} for a refused one.
std::string EachReportJson(const std::vector<EachSeries>& results, std::optional<std::uint64_t> uSeed);
//! CSV with a header: one row per change (series, kind "values" or "variation",
//! position, label, confidence, interval labels, from, to), one row with only the series
//! for a series without changes, and kind "refused" with the message as label for a
//! refused series.
std::string EachReportCsv(const std::vector<EachSeries>& results);
//! A summary table: each series with its points, its changes in level and in variation
//! (labels and confidence), and the assumptions or the refusal.
std::string EachReportText(const std::vector<EachSeries>& results);

//! The sub-folder of each analysed series for its pictures (empty for a refused one):
//! the series name with characters that cannot be in a file name replaced, made unique
//! with the column or row when names repeat.
std::vector<std::string> EachPictureFolders(const std::vector<EachSeries>& results);

}  // namespace HalvrennInc
