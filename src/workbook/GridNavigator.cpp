// Ostrel-Vane Studio - keys and mouse on the grid of the data window.
#include "workbook/GridNavigator.h"

#include <algorithm>

#include "workbook/GridAxis.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

EditorCaret EditorCaret::Of(int iLength, int iPosition, int iSelectionStart, int iSelectionLength)
{
    EditorCaret caret;
    caret.bAtStart = iPosition <= 0;
    caret.bAtEnd = iPosition >= iLength;
    caret.bSelectionReachesEnd =
        iSelectionStart >= 0 && iSelectionLength > 0 ? iSelectionStart + iSelectionLength >= iLength : caret.bAtEnd;
    return caret;
}

CellRange WholeColumns(std::uint32_t uFrom, std::uint32_t uTo)
{
    return {std::min(uFrom, uTo), 1, std::max(uFrom, uTo), kSheetRows};
}

CellRange WholeRows(std::uint32_t uFrom, std::uint32_t uTo)
{
    return {1, std::min(uFrom, uTo), kSheetColumns, std::max(uFrom, uTo)};
}

Sheet& GridNavigator::sheet() const
{
    return m_workbook.activeSheet();
}

void GridNavigator::setCellArea(std::int32_t iWidth, std::int32_t iHeight)
{
    m_iWidth = std::max(iWidth, 0);
    m_iHeight = std::max(iHeight, 0);
}

std::uint32_t GridNavigator::visibleColumns() const
{
    return FullyVisibleCount(GridAxis::Columns(sheet()), sheet().leftColumn(), m_iWidth);
}

std::uint32_t GridNavigator::visibleRows() const
{
    return FullyVisibleCount(GridAxis::Rows(sheet()), sheet().topRow(), m_iHeight);
}

std::uint32_t GridNavigator::maxLeftColumn() const
{
    return LastFirst(GridAxis::Columns(sheet()), m_iWidth);
}

std::uint32_t GridNavigator::maxTopRow() const
{
    return LastFirst(GridAxis::Rows(sheet()), m_iHeight);
}

bool GridNavigator::isCellVisible(std::uint32_t uColumn, std::uint32_t uRow) const
{
    const Sheet& s = sheet();
    return uColumn >= s.leftColumn() && uColumn < s.leftColumn() + visibleColumns() && uRow >= s.topRow() &&
           uRow < s.topRow() + visibleRows();
}

void GridNavigator::ScrollTo(std::uint32_t uLeftColumn, std::uint32_t uTopRow)
{
    sheet().setLeftColumn(std::min(uLeftColumn, maxLeftColumn()));
    sheet().setTopRow(std::min(uTopRow, maxTopRow()));
}

void GridNavigator::ScrollIntoView(std::uint32_t uColumn, std::uint32_t uRow)
{
    const Sheet& s = sheet();
    ScrollTo(FirstToShow(GridAxis::Columns(s), s.leftColumn(), m_iWidth, uColumn),
             FirstToShow(GridAxis::Rows(s), s.topRow(), m_iHeight, uRow));
}

void GridNavigator::select(const CellRange& range)
{
    m_workbook.SetSelection(range);
}

void GridNavigator::setCurrent(std::uint32_t uColumn, std::uint32_t uRow)
{
    ScrollIntoView(uColumn, uRow);
    m_workbook.SetCurrentCell(uColumn, uRow);
}

void GridNavigator::MoveTo(std::uint32_t uColumn, std::uint32_t uRow)
{
    select({uColumn, uRow, uColumn, uRow});
    setCurrent(uColumn, uRow);
}

// A page key scrolls; a current cell that was in view and has gone out of it is replaced
// by the cell now at its place on the screen, so the editor stays where the eye is.
void GridNavigator::pageTo(std::uint32_t uTopRow)
{
    const Sheet& s = sheet();
    const std::uint32_t uColumn = s.currentColumn();
    const std::uint32_t uRow = s.currentRow();
    const std::uint32_t uOldTop = s.topRow();
    const bool bWasVisible = isCellVisible(uColumn, uRow);
    ScrollTo(s.leftColumn(), uTopRow);
    if (bWasVisible && !isCellVisible(uColumn, uRow)) {
        const std::int64_t iRow = static_cast<std::int64_t>(s.topRow()) + uRow - uOldTop;
        MoveTo(uColumn, static_cast<std::uint32_t>(std::clamp<std::int64_t>(iRow, 1, kSheetRows)));
    }
}

void GridNavigator::extendVertically(bool bDown)
{
    CellRange range = sheet().selection();
    if (range.uTop == 1 && range.uBottom == kSheetRows) return;
    const std::uint32_t uRow = sheet().currentRow();
    std::uint32_t uEdge;
    if (bDown) {
        if (range.uTop == uRow) {
            range.uBottom = std::min(range.uBottom + 1, kSheetRows);
            uEdge = range.uBottom;
        } else {
            uEdge = ++range.uTop;
        }
    } else {
        if (range.uBottom == uRow) {
            range.uTop = std::max<std::uint32_t>(range.uTop - 1, 1);
            uEdge = range.uTop;
        } else {
            uEdge = --range.uBottom;
        }
    }
    select(range);
    ScrollTo(sheet().leftColumn(), FirstToShow(GridAxis::Rows(sheet()), sheet().topRow(), m_iHeight, uEdge));
}

void GridNavigator::extendHorizontally(bool bRight)
{
    CellRange range = sheet().selection();
    if (range.uLeft == 1 && range.uRight == kSheetColumns) return;
    const std::uint32_t uColumn = sheet().currentColumn();
    std::uint32_t uEdge;
    if (bRight) {
        if (range.uLeft == uColumn) {
            range.uRight = std::min(range.uRight + 1, kSheetColumns);
            uEdge = range.uRight;
        } else {
            uEdge = ++range.uLeft;
        }
    } else {
        if (range.uRight == uColumn) {
            range.uLeft = std::max<std::uint32_t>(range.uLeft - 1, 1);
            uEdge = range.uLeft;
        } else {
            uEdge = --range.uRight;
        }
    }
    select(range);
    ScrollTo(FirstToShow(GridAxis::Columns(sheet()), sheet().leftColumn(), m_iWidth, uEdge), sheet().topRow());
}

KeyOutcome GridNavigator::PressKey(GridKey key, const EditorCaret& caret)
{
    const Sheet& s = sheet();
    const std::uint32_t uColumn = s.currentColumn();
    const std::uint32_t uRow = s.currentRow();
    const CellRange& range = s.selection();
    const bool bSeveralCells = range.uLeft != range.uRight || range.uTop != range.uBottom;
    KeyOutcome outcome;
    switch (key) {
        case GridKey::Down:
        case GridKey::Enter:
            if (uRow < kSheetRows) MoveTo(uColumn, uRow + 1);
            break;
        case GridKey::Up:
        case GridKey::ShiftEnter:
            if (uRow > 1) MoveTo(uColumn, uRow - 1);
            break;
        case GridKey::Right:
            if (!caret.bAtEnd) return {false, false};
            [[fallthrough]];
        case GridKey::Tab:
            if (uColumn < kSheetColumns) MoveTo(uColumn + 1, uRow);
            break;
        case GridKey::Left:
            if (!caret.bAtStart) return {false, false};
            if (uColumn > 1) {
                MoveTo(uColumn - 1, uRow);
                outcome.bCaretAtEnd = true;
            }
            break;
        case GridKey::ShiftTab:
            if (uColumn > 1) MoveTo(uColumn - 1, uRow);
            break;
        case GridKey::Home:
            if (!caret.bAtStart) return {false, false};
            MoveTo(1, uRow);
            break;
        case GridKey::End: {
            if (!caret.bAtEnd) return {false, false};
            const std::uint32_t uLast = s.lastNonBlankColumn(uRow);
            MoveTo(uLast == 0 ? 1 : uLast, uRow);
            break;
        }
        case GridKey::PageDown:
            if (s.topRow() + visibleRows() <= kSheetRows) pageTo(s.topRow() + visibleRows());
            break;
        case GridKey::PageUp:
            if (s.topRow() > 1) pageTo(PageBackFirst(GridAxis::Rows(s), s.topRow(), m_iHeight));
            break;
        case GridKey::ShiftDown: extendVertically(true); break;
        case GridKey::ShiftUp: extendVertically(false); break;
        case GridKey::ShiftLeft:
            if (!bSeveralCells && !caret.bAtStart) return {false, false};
            extendHorizontally(false);
            break;
        case GridKey::ShiftRight:
            if (!bSeveralCells && !caret.bSelectionReachesEnd) return {false, false};
            extendHorizontally(true);
            break;
    }
    return outcome;
}

void GridNavigator::SelectAll()
{
    const CellRange all{1, 1, kSheetColumns, kSheetRows};
    if (sheet().selection() != all) select(all);
    const Sheet& s = sheet();
    if (s.currentColumn() != s.leftColumn() || s.currentRow() != s.topRow()) setCurrent(s.leftColumn(), s.topRow());
}

void GridNavigator::PressCorner()
{
    SelectAll();
}

void GridNavigator::PressColumnHeader(std::uint32_t uColumn)
{
    if (uColumn < 1 || uColumn > kSheetColumns) return;
    m_mode = MouseMode::ColumnHeaders;
    if (sheet().selection() != WholeColumns(uColumn, uColumn)) select(WholeColumns(uColumn, uColumn));
    setCurrent(uColumn, sheet().topRow());
}

void GridNavigator::PressRowHeader(std::uint32_t uRow)
{
    if (uRow < 1 || uRow > kSheetRows) return;
    m_mode = MouseMode::RowHeaders;
    if (sheet().selection() != WholeRows(uRow, uRow)) select(WholeRows(uRow, uRow));
    setCurrent(sheet().leftColumn(), uRow);
}

void GridNavigator::PressCell(std::int32_t x, std::int32_t y)
{
    const Sheet& s = sheet();
    const std::uint32_t uColumn = CellAtOffset(GridAxis::Columns(s), s.leftColumn(), x);
    const std::uint32_t uRow = CellAtOffset(GridAxis::Rows(s), s.topRow(), y);
    if (uColumn == 0 || uRow == 0) return;
    m_mode = MouseMode::Cells;
    MoveTo(uColumn, uRow);
}

namespace {
//! Pixels from the start of the view to the end of its last whole cell.
std::int64_t wholeCellsExtent(const GridAxis& axis, std::uint32_t uFirst, std::uint32_t uCount)
{
    std::int64_t iExtent = 0;
    for (std::uint32_t u = uFirst; u < uFirst + uCount && u <= axis.count(); ++u) iExtent += axis.span(u);
    return iExtent;
}
}  // namespace

std::uint32_t GridNavigator::dragColumn(std::int32_t x, bool& bScrolled)
{
    const Sheet& s = sheet();
    const GridAxis columns = GridAxis::Columns(s);
    if (x < 0) {
        bScrolled = true;
        if (s.leftColumn() > 1) ScrollTo(s.leftColumn() - 1, s.topRow());
        return s.leftColumn();
    }
    if (x >= wholeCellsExtent(columns, s.leftColumn(), visibleColumns())) {
        bScrolled = true;
        if (s.leftColumn() + visibleColumns() - 1 < kSheetColumns) ScrollTo(s.leftColumn() + 1, s.topRow());
        return std::min(s.leftColumn() + visibleColumns() - 1, kSheetColumns);
    }
    return CellAtOffset(columns, s.leftColumn(), x);
}

std::uint32_t GridNavigator::dragRow(std::int32_t y, bool& bScrolled)
{
    const Sheet& s = sheet();
    const GridAxis rows = GridAxis::Rows(s);
    if (y < 0) {
        bScrolled = true;
        if (s.topRow() > 1) ScrollTo(s.leftColumn(), s.topRow() - 1);
        return s.topRow();
    }
    if (y >= wholeCellsExtent(rows, s.topRow(), visibleRows())) {
        bScrolled = true;
        if (s.topRow() + visibleRows() - 1 < kSheetRows) ScrollTo(s.leftColumn(), s.topRow() + 1);
        return std::min(s.topRow() + visibleRows() - 1, kSheetRows);
    }
    return CellAtOffset(rows, s.topRow(), y);
}

bool GridNavigator::Drag(std::int32_t x, std::int32_t y)
{
    const Sheet& s = sheet();
    bool bScrolled = false;
    switch (m_mode) {
        case MouseMode::None: return false;
        case MouseMode::ColumnHeaders: select(WholeColumns(s.currentColumn(), dragColumn(x, bScrolled))); break;
        case MouseMode::RowHeaders: select(WholeRows(s.currentRow(), dragRow(y, bScrolled))); break;
        case MouseMode::Cells: {
            const std::uint32_t uColumn = dragColumn(x, bScrolled);
            const std::uint32_t uRow = dragRow(y, bScrolled);
            select({std::min(uColumn, s.currentColumn()), std::min(uRow, s.currentRow()),
                    std::max(uColumn, s.currentColumn()), std::max(uRow, s.currentRow())});
            break;
        }
    }
    return bScrolled;
}

}  // namespace HalvrennInc
