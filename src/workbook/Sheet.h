// Ostrel-Vane Studio - one sheet of the workbook: a sparse grid of text cells with its
// used extent, its view state (current cell, scroll position, selection) and the pixel
// sizes of its rows and columns.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

#include "foundation/String.h"
#include "workbook/CellRange.h"

namespace HalvrennInc {

//! Default pixel sizes of a new sheet, derived from the height of the cell font.
struct GridGeometry {
    std::int32_t iRowHeight = 19;          //!< default height of rows 1..10000
    std::int32_t iColumnWidth = 67;        //!< default width of columns 1..256
    std::int32_t iHeaderRowHeight = 19;    //!< row 0, the column letters
    std::int32_t iHeaderColumnWidth = 50;  //!< column 0, the row numbers

    //! Rows one and a half cell-font heights high; columns 64/18 and the header column
    //! 48/18 of a row height, all truncated. A 13-pixel font gives 19, 67 and 50.
    static GridGeometry ForCellFontHeight(std::int32_t iFontHeightPixels);
    friend bool operator==(const GridGeometry&, const GridGeometry&) = default;
};

//! Pixel sizes of rows or columns: index 0 is the fixed header, the others share one
//! default; only sizes that differ from it are held.
class PixelSizes {
public:
    PixelSizes(std::int32_t iHeaderSize, std::int32_t iDefaultSize)
        : m_iHeaderSize(iHeaderSize), m_iDefaultSize(iDefaultSize)
    {
    }
    std::int32_t size(std::uint32_t uIndex) const;
    //! Sizes below 0 are taken as 0. Returns whether the size changed.
    bool setSize(std::uint32_t uIndex, std::int32_t iPixels);
    std::int32_t defaultSize() const { return m_iDefaultSize; }

private:
    std::int32_t m_iHeaderSize;
    std::int32_t m_iDefaultSize;
    std::map<std::uint32_t, std::int32_t> m_changed;  //!< sizes set away from the default
};

class Sheet;

//! Told before a cell's text is written, whichever operation writes it (the undo history
//! keeps what the cell held).
class CellWriteListener {
public:
    virtual ~CellWriteListener() = default;
    virtual void cellWillChange(const Sheet& sheet, std::uint32_t uColumn, std::uint32_t uRow) = 0;
};

//! Cells are 1-based: columns 1..256, rows 1..10000. A cell never written reads as empty
//! text, and so does any position outside the grid; nothing can be stored outside it.
//! The used extent (last used column L and row R) bounds every non-blank cell; the three
//! ways of changing cells keep it as the workbook's rules say (see each function).
class Sheet {
public:
    Sheet(std::string_view sName, const GridGeometry& geometry);

    const String& name() const { return m_sName; }
    void setName(std::string_view sName) { m_sName = sName; }

    std::string_view cellText(std::uint32_t uColumn, std::uint32_t uRow) const;
    //! A cell is blank when nothing but characters up to space remain after trimming.
    bool isCellBlank(std::uint32_t uColumn, std::uint32_t uRow) const;

    //! Typing into a cell: stores the text when it differs (returns whether it did), then
    //! grows the extent for a non-blank text, or shrinks it from the edge that the cell
    //! lies on for a blank one. A blank edit inside the extent leaves it alone.
    bool editCell(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);
    //! Clearing a rectangle: clipped to the used extent, emptied, then the extent shrinks
    //! from the edges the clipped rectangle touches. Returns false, changing nothing, when
    //! the clipped rectangle holds no cell.
    bool clearRange(const CellRange& range);
    //! The clipped part of a rectangle that lies in the used extent (empty when none).
    CellRange clipToUsed(const CellRange& range) const;
    //! Paste and import: a non-blank field inside the grid is stored as it is and the
    //! extent grows to include it; anything else is dropped. Returns whether it stored.
    bool storeField(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);
    //! Stores a text with no change to the extent (the session reader restores both).
    //! Positions outside the grid are ignored.
    void setCellText(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);

    std::uint32_t lastUsedColumn() const { return m_uLastUsedColumn; }
    std::uint32_t lastUsedRow() const { return m_uLastUsedRow; }
    //! Sets the extent as stored in a session file (clamped to the grid).
    void setUsedExtent(std::uint32_t uLastUsedColumn, std::uint32_t uLastUsedRow);
    //! The column of the last non-blank cell of a row at or left of column L (0 if none).
    std::uint32_t lastNonBlankColumn(std::uint32_t uRow) const;

    std::uint32_t currentColumn() const { return m_uCurrentColumn; }
    std::uint32_t currentRow() const { return m_uCurrentRow; }
    //! Positions are clamped into the grid.
    void setCurrentCell(std::uint32_t uColumn, std::uint32_t uRow);
    std::uint32_t topRow() const { return m_uTopRow; }
    std::uint32_t leftColumn() const { return m_uLeftColumn; }
    void setTopRow(std::uint32_t uRow);
    void setLeftColumn(std::uint32_t uColumn);
    const CellRange& selection() const { return m_selection; }
    //! Edges are clamped into the grid and put in order.
    void setSelection(const CellRange& selection);

    //! Column 0 is the header column; rows likewise.
    std::int32_t columnWidth(std::uint32_t uColumn) const { return m_columnWidths.size(uColumn); }
    std::int32_t rowHeight(std::uint32_t uRow) const { return m_rowHeights.size(uRow); }
    bool setColumnWidth(std::uint32_t uColumn, std::int32_t iPixels);
    bool setRowHeight(std::uint32_t uRow, std::int32_t iPixels);

    //! Bytes held by the cells (for tests of the sparse storage).
    std::size_t cellBytes() const;

    //! The listener told of every cell write from now on (none: nullptr); not owned.
    void setWriteListener(CellWriteListener* pListener) { m_pWriteListener = pListener; }

private:
    const String* findCell(std::uint32_t uColumn, std::uint32_t uRow) const;
    void shrinkLastColumn();
    void shrinkLastRow();
    bool isColumnBlank(std::uint32_t uColumn, std::uint32_t uLastRow) const;
    bool isRowBlank(std::uint32_t uRow, std::uint32_t uLastColumn) const;

    String m_sName;
    //! Row r is m_rows[r - 1], as long as the highest column written in it; rows after
    //! the last one written are absent.
    std::vector<std::vector<String>> m_rows;
    std::uint32_t m_uLastUsedColumn = 0;  //!< L: 0 when the sheet has no used cell
    std::uint32_t m_uLastUsedRow = 0;     //!< R
    std::uint32_t m_uCurrentColumn = 1;   //!< the cell under the cell editor
    std::uint32_t m_uCurrentRow = 1;
    std::uint32_t m_uTopRow = 1;  //!< first scrollable row in view
    std::uint32_t m_uLeftColumn = 1;
    CellRange m_selection;
    PixelSizes m_columnWidths;
    PixelSizes m_rowHeights;
    CellWriteListener* m_pWriteListener = nullptr;
};

}  // namespace HalvrennInc
