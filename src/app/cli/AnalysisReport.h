// Ostrel-Vane Studio - an analysis as text for a terminal or as JSON for other programs:
// the data source, the two tables of significant changes and the assumptions verdict;
// and the contents of a session file in the same two forms.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace HalvrennInc {

class ChangePointAnalysis;
class SessionDocument;

//! The report as readable text: data-source line, the two tables laid out in columns with
//! the headings and number forms of the results window, and the assumptions verdict.
std::string ReportText(const ChangePointAnalysis& analysis);

//! The report as one JSON object. Numbers carry 17 significant digits; an invalid number
//! is written as its message in a string. uSeed is the seed of the run, if one was given.
std::string ReportJson(const ChangePointAnalysis& analysis, std::optional<std::uint64_t> uSeed);

//! A session as text: its sheets (name, used range, the active one), then for each
//! results window the caption and the report of its analysis.
std::string SessionReportText(const SessionDocument& document);

//! A session as one JSON object: the active sheet, the sheets with their used extents,
//! and the analyses as ReportJson writes them (without a seed).
std::string SessionReportJson(const SessionDocument& document);

//! A JSON string literal of a text: UTF-8 passes through; bytes that are not valid UTF-8
//! are taken as single-byte characters.
std::string JsonString(std::string_view sText);

}  // namespace HalvrennInc
