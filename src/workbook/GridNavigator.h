// Ostrel-Vane Studio - how the keys and the mouse of the data window move the current
// cell, the selection and the view of the active sheet. The window turns its events into
// these calls and shows the result; every rule lives here, where tests reach it without
// a desktop. Positions are pixels of the cell area (the grid less its header row and
// column), counted from its top-left corner.
#pragma once

#include <cstdint>

#include "workbook/CellRange.h"

namespace HalvrennInc {

class Sheet;
class Workbook;

//! The keys the cell editor passes on; the Shift forms are the keys with Shift held.
enum class GridKey {
    Down,
    Up,
    Enter,
    ShiftEnter,
    Tab,
    ShiftTab,
    Left,
    Right,
    Home,
    End,
    PageDown,
    PageUp,
    ShiftDown,
    ShiftUp,
    ShiftLeft,
    ShiftRight,
};

//! Where the cell editor's caret and text selection stand.
struct EditorCaret {
    bool bAtStart = true;              //!< the caret is before the first character
    bool bAtEnd = true;                //!< the caret is after the last character
    bool bSelectionReachesEnd = true;  //!< the caret or the selected text reaches the end
    //! The caret of a text of iLength characters at iPosition, with the selected text (if
    //! any) from iSelectionStart for iSelectionLength characters.
    static EditorCaret Of(int iLength, int iPosition, int iSelectionStart = -1, int iSelectionLength = 0);
};

struct KeyOutcome {
    bool bHandled = true;      //!< false: the key belongs to the editor (caret and text)
    bool bCaretAtEnd = false;  //!< the caret goes after the text of the new current cell
};

//! What a mouse drag is doing.
enum class MouseMode { None = 0, ColumnHeaders = 1, RowHeaders = 2, Cells = 3 };

//! The current cell, selection and view of the workbook's active sheet. The view's top
//! row and left column are the sheet's own, so they travel with the sheet and into the
//! session file.
class GridNavigator {
public:
    explicit GridNavigator(Workbook& workbook) : m_workbook(workbook) {}

    //! The size of the cell area in pixels.
    void setCellArea(std::int32_t iWidth, std::int32_t iHeight);
    std::int32_t cellAreaWidth() const { return m_iWidth; }
    std::int32_t cellAreaHeight() const { return m_iHeight; }

    // The view.
    std::uint32_t visibleColumns() const;
    std::uint32_t visibleRows() const;
    //! Whether the cell is wholly inside the view.
    bool isCellVisible(std::uint32_t uColumn, std::uint32_t uRow) const;
    //! Moves the left column and top row only as far as needed to show the cell whole.
    void ScrollIntoView(std::uint32_t uColumn, std::uint32_t uRow);
    //! Sets the view's first column and row (the scroll bars), held to where the view can
    //! start.
    void ScrollTo(std::uint32_t uLeftColumn, std::uint32_t uTopRow);
    std::uint32_t maxLeftColumn() const;
    std::uint32_t maxTopRow() const;

    //! Makes the cell current, alone in the selection, and shows it.
    void MoveTo(std::uint32_t uColumn, std::uint32_t uRow);
    //! A key in the cell editor.
    KeyOutcome PressKey(GridKey key, const EditorCaret& caret);
    //! Selects every cell (unless all are selected) and makes the top-left cell in view
    //! current (unless it already is).
    void SelectAll();

    // The mouse.
    void PressCorner();
    void PressColumnHeader(std::uint32_t uColumn);
    void PressRowHeader(std::uint32_t uRow);
    //! A press on the cell area; a press below or right of the last cell changes nothing.
    void PressCell(std::int32_t x, std::int32_t y);
    //! A press on the cell editor: a drag from there selects cells.
    void PressEditor() { m_mode = MouseMode::Cells; }
    //! A mouse move while a button is down. Returns true when the view scrolled because
    //! the mouse is beyond the cells in view: the window repeats the move every 100 ms.
    bool Drag(std::int32_t x, std::int32_t y);
    void Release() { m_mode = MouseMode::None; }
    MouseMode mouseMode() const { return m_mode; }

private:
    Sheet& sheet() const;
    void select(const CellRange& range);
    //! Shows the cell and makes it current (the selection stays).
    void setCurrent(std::uint32_t uColumn, std::uint32_t uRow);
    void pageTo(std::uint32_t uTopRow);
    void extendVertically(bool bDown);
    void extendHorizontally(bool bRight);
    //! The column (or row) a drag points at along one direction, scrolling one cell when
    //! it lies beyond the view; bScrolled tells whether it did.
    std::uint32_t dragColumn(std::int32_t x, bool& bScrolled);
    std::uint32_t dragRow(std::int32_t y, bool& bScrolled);

    Workbook& m_workbook;
    std::int32_t m_iWidth = 0;   //!< cell area, pixels
    std::int32_t m_iHeight = 0;  //!< cell area, pixels
    MouseMode m_mode = MouseMode::None;
};

//! The selection of whole columns uFrom..uTo (either order), rows 1..10000.
CellRange WholeColumns(std::uint32_t uFrom, std::uint32_t uTo);
//! The selection of whole rows uFrom..uTo, columns 1..256.
CellRange WholeRows(std::uint32_t uFrom, std::uint32_t uTo);

}  // namespace HalvrennInc
