// Ostrel-Vane Studio - what a reader of a file left out because it lay past the grid.
// Every reader (delimited text and the spreadsheet formats) counts the rows and columns
// it could not store and both programs report them with the same line.
#pragma once

#include <cstdint>
#include <string>

namespace HalvrennInc {

//! Rows and columns a reader could not store: uRows records (or sheet rows) past row
//! 10000 and uColumns columns past column 256 (the widest record decides).
struct CellsNotRead {
    std::uint64_t uRows = 0;
    std::uint64_t uColumns = 0;

    bool any() const { return uRows != 0 || uColumns != 0; }
};

//! The line that says what was left out, e.g. "20 rows beyond row 10000 and 3 columns
//! beyond column 256 were not read."; only the rows or only the columns when the other
//! count is 0, singular for one; empty when nothing was left out.
std::string CellsNotReadMessage(std::uint64_t uRows, std::uint64_t uColumns);
inline std::string CellsNotReadMessage(const CellsNotRead& notRead)
{
    return CellsNotReadMessage(notRead.uRows, notRead.uColumns);
}

}  // namespace HalvrennInc
