// Ostrel-Vane Studio - the stored form of one analysis in a session file: its texts and
// options, the series, both change lists, the test results, the summaries, the
// variation points, both CUSUM series and the display settings. The four plots follow
// the record in the file; they belong to the results and are written and read there.
//
// Files of the first version (1.0) are read too: they keep fewer fields, count the data
// points from their own first index and store the variation scaled by the square root
// of 2; the reader converts them to the present form.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "foundation/Real.h"

namespace HalvrennInc {

class ChangePointAnalysis;
class UserMessages;

//! The most values per period a selection can give: one period's values lie in at most
//! the 10000 rows of a sheet.
inline constexpr std::uint32_t kMostValuesPerPeriod = 10000;

//! Whether a file version has the first version's layout.
bool IsFirstFileVersion(const Real& version);

//! Writes the record as the present version (2.0) lays it out, every line ending in a
//! line feed.
void WriteAnalysisRecord(std::ostream& out, const ChangePointAnalysis& analysis);

//! Reads a record of the given file version into an analysis made by the default
//! constructor. A record of the first version has no test results: the two assumption
//! tests run again and their warnings, worded for stored data, go to 'messages'.
//!
//! Returns false, with the read-failure flag set, at the first token that cannot be read
//! or the first value the analysis cannot hold: options the advanced options would
//! refuse, counts below their minimum, values that are no numbers, a percentile outside
//! -1 or 0..100, a negative spread, a point period that names no period, a change list
//! out of order or with positions or interval ends outside its series. The analysis is
//! then incomplete and must not be shown.
bool ReadAnalysisRecord(std::istream& in, const Real& version, ChangePointAnalysis& analysis, UserMessages& messages);

}  // namespace HalvrennInc
