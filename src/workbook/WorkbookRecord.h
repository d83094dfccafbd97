// Ostrel-Vane Studio - the workbook's record in a session file: every sheet in tab order
// with its name, used extent, row heights and column widths (stored as pixels times 15
// and times 35), its non-blank rows of cells and its view state, then the active sheet.
#pragma once

#include <cstdint>
#include <iosfwd>

#include "foundation/Real.h"

namespace HalvrennInc {

class Workbook;

//! Row heights and column widths are stored as pixels times these factors.
inline constexpr std::int64_t kRowHeightFactor = 15;
inline constexpr std::int64_t kColumnWidthFactor = 35;

//! Writes the record, every line ending in a line feed. A row ends at its last non-blank
//! cell; blank cells before it are written as empty texts.
void WriteWorkbookRecord(std::ostream& out, const Workbook& workbook);

//! Reads a record of the given file version into a workbook fresh from ClearWorkbook:
//! sheets are added as their records arrive. Returns false, with the read-failure flag
//! set, at the first token that cannot be read or the first value outside the grid (a
//! used extent beyond 10000 rows or 256 columns, a row of more than 256 cells, a cell
//! position or selection outside the sheet, an active sheet that does not exist, a size
//! that is negative or beyond a pixel count). A row with cells beyond the stored used
//! column widens the used extent to them, so that the extent still bounds every cell.
//! Each sheet is announced to the workbook's observers (announceCells) once it is read.
bool ReadWorkbookRecord(std::istream& in, const Real& version, Workbook& workbook);

}  // namespace HalvrennInc
