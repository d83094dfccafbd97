// Ostrel-Vane Studio - what a reader of a spreadsheet file (.xlsx, .ods, .xls) found: its
// sheets in order, each with the texts of its cells inside the grid, and the rows and
// columns that lay beyond the grid. Shared by the three readers and the import.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/CellsNotRead.h"

namespace HalvrennInc {

struct ReadCell {
    std::uint32_t uColumn;  //!< 1..256
    std::uint32_t uRow;     //!< 1..10000
    std::string sText;      //!< never empty
};

struct ReadSheet {
    std::string sName;
    std::vector<ReadCell> cells;    //!< in the order read
    std::uint64_t uLastRow = 0;     //!< the last row holding a value, inside the grid or not
    std::uint64_t uLastColumn = 0;  //!< the last column holding a value
};

struct SpreadsheetContents {
    std::vector<ReadSheet> sheets;

    //! Starts the next sheet.
    ReadSheet& addSheet(std::string_view sName);
    //! A value of the current sheet at a column and row counted from 1 (any size): stored
    //! when it lies inside the grid and is not empty, counted otherwise.
    void addCell(std::uint64_t uColumn, std::uint64_t uRow, std::string_view sText);
    //! The same value in a block of cells, as one repeated cell of a spreadsheet stands
    //! for: only the part inside the grid costs anything.
    void addCells(std::uint64_t uColumn, std::uint64_t uRow, std::uint64_t uColumns, std::uint64_t uRows,
                  std::string_view sText);
    //! Stores one cell of the current sheet inside the grid, counting its text against the
    //! bound on all text read (cells repeated by a hostile file could fill any memory).
    void storeCell(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);
    //! Whether the cells held more text than the bound; the rest was not stored.
    bool tooMuchText() const { return m_bTooMuchText; }
    static constexpr std::uint64_t kTextBytes = std::uint64_t{256} << 20;

    //! The rows past row 10000 and the columns past column 256 that held values, summed
    //! over the sheets.
    CellsNotRead notRead() const;

private:
    std::uint64_t m_uTextBytes = 0;
    bool m_bTooMuchText = false;
};

//! The shortest decimal text that reads back to the same double ("0.1", not
//! "0.10000000000000001"); whole numbers without a decimal point.
std::string ShortestNumberText(double d);

//! A date serial number of a spreadsheet as ISO text: "YYYY-MM-DD" for a date,
//! "HH:MM:SS" for a time of day, "YYYY-MM-DD HH:MM:SS" for both, and hours past 24 for an
//! elapsed time ("36:00:00"). b1904 counts days from 1904-01-01
//! instead of the 1900 system (in which the day after 1900-02-28 is numbered 61, as in the
//! programs that made the system). Empty when the number is no date.
enum class DateKind { Date, Time, DateTime, Elapsed };
std::string SerialDateText(double dSerial, DateKind kind, bool b1904);

}  // namespace HalvrennInc
