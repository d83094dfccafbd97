// Ostrel-Vane Studio - the names of columns ("A" to "IV") and rows ("1" to "10000") and
// their parsers, shared by the grid headers, the data selection and its messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/CellRange.h"

namespace HalvrennInc {

//! The letters of a column in bijective base 26 (1 "A", 26 "Z", 27 "AA", 256 "IV"); empty
//! outside 1..256.
std::string_view ColumnDesignator(std::uint32_t uColumn);
//! The decimal text of a row number (any size).
std::string RowDesignator(std::uint64_t uRow);

//! The column that upper-case letters designate; 0 when the text is empty or holds any
//! other character (no trimming). Too many letters give a number above 256 that never
//! wraps around: it saturates at the largest value of the type.
std::uint64_t ParseColumnDesignator(std::string_view sText);
//! The whole number (at least 1) that a text holds as read by Real's text form, so "12"
//! and "12.0" give 12; anything else (12.5, 0, -3, "", "abc") gives 0. Numbers beyond
//! the type saturate at its largest value, so a huge row stays huge.
std::uint64_t ParseRowNumber(std::string_view sText);

//! A cell ("B2") or a rectangle of cells ("B2:D40", corners in either order) written with
//! the designators; letters may be in either case. Nothing when the text names no cell of
//! the sheet.
std::optional<CellRange> ParseCellRange(std::string_view sText);

}  // namespace HalvrennInc
