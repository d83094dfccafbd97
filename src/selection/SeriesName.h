// Ostrel-Vane Studio - the series name that a sheet proposes for a block of data columns
// or rows: a text header above (or left of) the data names the series.
#pragma once

#include <cstdint>

#include "foundation/String.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

//! Columns uColumn .. uColumn + uNumber - 1, read row by row from the top and left to
//! right within a row: the first non-blank cell names the series when it is not a
//! number (its text as stored, untrimmed). Otherwise, and when every cell is blank, the
//! name is "Column B" for one column or "Columns B-D" for several. Columns beyond the
//! sheet are never read.
String SeriesNameForColumns(const Sheet& sheet, std::uint32_t uColumn, std::uint32_t uNumber);

//! The same for rows uRow .. uRow + uNumber - 1, read column by column from the left and
//! top to bottom within a column; "Row 7" or "Rows 7-9" otherwise.
String SeriesNameForRows(const Sheet& sheet, std::uint32_t uRow, std::uint32_t uNumber);

}  // namespace HalvrennInc
