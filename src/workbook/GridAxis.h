// Ostrel-Vane Studio - one direction of a sheet's grid (its columns or its rows) measured
// in screen pixels: which cells fit in a stretch of the window, where the view must start
// to show a cell, and where the page above begins. The data window and the printed pages
// share these measures.
#pragma once

#include <cstdint>

namespace HalvrennInc {

class Sheet;

//! Cells are numbered 1..count(); cell 0 is the fixed header. Every cell is followed by a
//! grid line of one pixel, so a cell takes its size + 1 pixels of the view.
class GridAxis {
public:
    static GridAxis Columns(const Sheet& sheet);
    static GridAxis Rows(const Sheet& sheet);

    std::uint32_t count() const { return m_uCount; }
    //! Pixels of the cell itself (0 is the header).
    std::int32_t size(std::uint32_t uCell) const;
    //! Pixels the cell takes in the view: its size and its line.
    std::int32_t span(std::uint32_t uCell) const { return size(uCell) + 1; }

private:
    GridAxis(const Sheet& sheet, bool bColumns, std::uint32_t uCount)
        : m_sheet(sheet), m_bColumns(bColumns), m_uCount(uCount)
    {
    }
    const Sheet& m_sheet;
    bool m_bColumns;
    std::uint32_t m_uCount;
};

//! How many cells from uFirst on fit whole into iSpace pixels; at least 1, so that a view
//! smaller than one cell still moves a page at a time.
std::uint32_t FullyVisibleCount(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace);

//! The first cell of a view of iSpace pixels that starts at uFirst and must show cell
//! uCell whole, moving as little as it can: uCell itself when it lies before the view,
//! uFirst when it is already shown, otherwise the smallest first cell from which uCell
//! still fits.
std::uint32_t FirstToShow(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace, std::uint32_t uCell);

//! The first cell of the page before a view starting at uFirst: the smallest cell from
//! which the cells up to uFirst - 1 fit into iSpace pixels (uFirst - 1 at least, 1 at the
//! start).
std::uint32_t PageBackFirst(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace);

//! The largest first cell a view of iSpace pixels can start at: the one from which the
//! cells up to the last fill the view.
std::uint32_t LastFirst(const GridAxis& axis, std::int32_t iSpace);

//! The cell at iOffset pixels from the start of a view starting at uFirst (the cell whose
//! span holds the offset); 0 when the offset lies before the view or beyond the last cell.
std::uint32_t CellAtOffset(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iOffset);

}  // namespace HalvrennInc
