// Ostrel-Vane Studio - one sheet: sparse cells and the rules of its used extent.
#include "workbook/Sheet.h"

#include <algorithm>

namespace HalvrennInc {

namespace {
std::uint32_t clampTo(std::uint32_t uValue, std::uint32_t uLimit)
{
    return std::clamp<std::uint32_t>(uValue, 1, uLimit);
}
}  // namespace

GridGeometry GridGeometry::ForCellFontHeight(std::int32_t iFontHeightPixels)
{
    const std::int32_t iPixels = iFontHeightPixels < 0 ? -iFontHeightPixels : iFontHeightPixels;
    GridGeometry geometry;
    geometry.iRowHeight = iPixels * 3 / 2;
    geometry.iHeaderRowHeight = geometry.iRowHeight;
    geometry.iColumnWidth = geometry.iRowHeight * 64 / 18;
    geometry.iHeaderColumnWidth = geometry.iRowHeight * 48 / 18;
    return geometry;
}

std::int32_t PixelSizes::size(std::uint32_t uIndex) const
{
    const auto it = m_changed.find(uIndex);
    if (it != m_changed.end()) return it->second;
    return uIndex == 0 ? m_iHeaderSize : m_iDefaultSize;
}

bool PixelSizes::setSize(std::uint32_t uIndex, std::int32_t iPixels)
{
    if (iPixels < 0) iPixels = 0;
    if (size(uIndex) == iPixels) return false;
    if (iPixels == (uIndex == 0 ? m_iHeaderSize : m_iDefaultSize)) {
        m_changed.erase(uIndex);
    } else {
        m_changed[uIndex] = iPixels;
    }
    return true;
}

Sheet::Sheet(std::string_view sName, const GridGeometry& geometry)
    : m_sName(sName),
      m_columnWidths(geometry.iHeaderColumnWidth, geometry.iColumnWidth),
      m_rowHeights(geometry.iHeaderRowHeight, geometry.iRowHeight)
{
}

const String* Sheet::findCell(std::uint32_t uColumn, std::uint32_t uRow) const
{
    if (uRow < 1 || uRow > m_rows.size()) return nullptr;
    const std::vector<String>& cells = m_rows[uRow - 1];
    if (uColumn < 1 || uColumn > cells.size()) return nullptr;
    return &cells[uColumn - 1];
}

std::string_view Sheet::cellText(std::uint32_t uColumn, std::uint32_t uRow) const
{
    const String* pCell = findCell(uColumn, uRow);
    return pCell ? pCell->view() : std::string_view();
}

bool Sheet::isCellBlank(std::uint32_t uColumn, std::uint32_t uRow) const
{
    return isBlankText(cellText(uColumn, uRow));
}

void Sheet::setCellText(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    if (!IsInsideSheet(uColumn, uRow)) return;
    if (m_pWriteListener) m_pWriteListener->cellWillChange(*this, uColumn, uRow);
    if (sText.empty()) {
        // Emptied cells give their memory back, and so do rows left with nothing in them,
        // so that a cleared sheet costs what an empty one does.
        if (uRow > m_rows.size()) return;
        std::vector<String>& cells = m_rows[uRow - 1];
        if (uColumn > cells.size()) return;
        cells[uColumn - 1] = String();
        while (!cells.empty() && cells.back().empty()) cells.pop_back();
        if (cells.empty()) cells.shrink_to_fit();
        while (!m_rows.empty() && m_rows.back().empty()) m_rows.pop_back();
        if (m_rows.empty()) m_rows.shrink_to_fit();
        return;
    }
    if (uRow > m_rows.size()) m_rows.resize(uRow);
    std::vector<String>& cells = m_rows[uRow - 1];
    if (uColumn > cells.size()) cells.resize(uColumn);
    cells[uColumn - 1] = sText;
}

bool Sheet::isColumnBlank(std::uint32_t uColumn, std::uint32_t uLastRow) const
{
    const std::uint32_t uRows = std::min<std::uint32_t>(uLastRow, static_cast<std::uint32_t>(m_rows.size()));
    for (std::uint32_t uRow = 1; uRow <= uRows; ++uRow) {
        if (!isCellBlank(uColumn, uRow)) return false;
    }
    return true;
}

bool Sheet::isRowBlank(std::uint32_t uRow, std::uint32_t uLastColumn) const
{
    if (uRow > m_rows.size()) return true;
    const std::vector<String>& cells = m_rows[uRow - 1];
    const std::uint32_t uColumns = std::min<std::uint32_t>(uLastColumn, static_cast<std::uint32_t>(cells.size()));
    for (std::uint32_t uColumn = 1; uColumn <= uColumns; ++uColumn) {
        if (!isBlankText(cells[uColumn - 1].view())) return false;
    }
    return true;
}

void Sheet::shrinkLastColumn()
{
    while (m_uLastUsedColumn > 0 && isColumnBlank(m_uLastUsedColumn, m_uLastUsedRow)) --m_uLastUsedColumn;
}

void Sheet::shrinkLastRow()
{
    while (m_uLastUsedRow > 0 && isRowBlank(m_uLastUsedRow, m_uLastUsedColumn)) --m_uLastUsedRow;
}

bool Sheet::editCell(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    if (!IsInsideSheet(uColumn, uRow)) return false;
    const bool bChanged = cellText(uColumn, uRow) != sText;
    if (bChanged) setCellText(uColumn, uRow, sText);
    if (!isBlankText(sText)) {
        m_uLastUsedColumn = std::max(m_uLastUsedColumn, uColumn);
        m_uLastUsedRow = std::max(m_uLastUsedRow, uRow);
        return bChanged;
    }
    if (uColumn == m_uLastUsedColumn) shrinkLastColumn();
    if (uRow == m_uLastUsedRow) shrinkLastRow();
    return bChanged;
}

CellRange Sheet::clipToUsed(const CellRange& range) const
{
    CellRange clipped = range;
    clipped.uRight = std::min(range.uRight, m_uLastUsedColumn);
    clipped.uBottom = std::min(range.uBottom, m_uLastUsedRow);
    return clipped;
}

bool Sheet::clearRange(const CellRange& range)
{
    const CellRange clipped = clipToUsed(range);
    if (clipped.empty() || clipped.uLeft < 1 || clipped.uTop < 1) return false;
    for (std::uint32_t uRow = clipped.uTop; uRow <= clipped.uBottom; ++uRow) {
        for (std::uint32_t uColumn = clipped.uLeft; uColumn <= clipped.uRight; ++uColumn) {
            setCellText(uColumn, uRow, {});
        }
    }
    if (clipped.uRight == m_uLastUsedColumn) shrinkLastColumn();
    if (clipped.uBottom == m_uLastUsedRow) shrinkLastRow();
    return true;
}

bool Sheet::storeField(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    if (!IsInsideSheet(uColumn, uRow) || isBlankText(sText)) return false;
    setCellText(uColumn, uRow, sText);
    m_uLastUsedColumn = std::max(m_uLastUsedColumn, uColumn);
    m_uLastUsedRow = std::max(m_uLastUsedRow, uRow);
    return true;
}

void Sheet::setUsedExtent(std::uint32_t uLastUsedColumn, std::uint32_t uLastUsedRow)
{
    m_uLastUsedColumn = std::min(uLastUsedColumn, kSheetColumns);
    m_uLastUsedRow = std::min(uLastUsedRow, kSheetRows);
}

std::uint32_t Sheet::lastNonBlankColumn(std::uint32_t uRow) const
{
    for (std::uint32_t uColumn = m_uLastUsedColumn; uColumn >= 1; --uColumn) {
        if (!isCellBlank(uColumn, uRow)) return uColumn;
    }
    return 0;
}

void Sheet::setCurrentCell(std::uint32_t uColumn, std::uint32_t uRow)
{
    m_uCurrentColumn = clampTo(uColumn, kSheetColumns);
    m_uCurrentRow = clampTo(uRow, kSheetRows);
}

void Sheet::setTopRow(std::uint32_t uRow)
{
    m_uTopRow = clampTo(uRow, kSheetRows);
}

void Sheet::setLeftColumn(std::uint32_t uColumn)
{
    m_uLeftColumn = clampTo(uColumn, kSheetColumns);
}

void Sheet::setSelection(const CellRange& selection)
{
    const std::uint32_t uLeft = clampTo(selection.uLeft, kSheetColumns);
    const std::uint32_t uRight = clampTo(selection.uRight, kSheetColumns);
    const std::uint32_t uTop = clampTo(selection.uTop, kSheetRows);
    const std::uint32_t uBottom = clampTo(selection.uBottom, kSheetRows);
    m_selection = {std::min(uLeft, uRight), std::min(uTop, uBottom), std::max(uLeft, uRight), std::max(uTop, uBottom)};
}

bool Sheet::setColumnWidth(std::uint32_t uColumn, std::int32_t iPixels)
{
    if (uColumn > kSheetColumns) return false;
    return m_columnWidths.setSize(uColumn, iPixels);
}

bool Sheet::setRowHeight(std::uint32_t uRow, std::int32_t iPixels)
{
    if (uRow > kSheetRows) return false;
    return m_rowHeights.setSize(uRow, iPixels);
}

std::size_t Sheet::cellBytes() const
{
    std::size_t uBytes = m_rows.capacity() * sizeof(std::vector<String>);
    for (const std::vector<String>& cells : m_rows) {
        uBytes += cells.capacity() * sizeof(String);
        for (const String& cell : cells) uBytes += cell.capacity();
    }
    return uBytes;
}

}  // namespace HalvrennInc
