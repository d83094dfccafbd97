// Ostrel-Vane Studio - measures of a grid's columns and rows.
#include "workbook/GridAxis.h"

#include "workbook/Sheet.h"

namespace HalvrennInc {

GridAxis GridAxis::Columns(const Sheet& sheet)
{
    return GridAxis(sheet, true, kSheetColumns);
}

GridAxis GridAxis::Rows(const Sheet& sheet)
{
    return GridAxis(sheet, false, kSheetRows);
}

std::int32_t GridAxis::size(std::uint32_t uCell) const
{
    return m_bColumns ? m_sheet.columnWidth(uCell) : m_sheet.rowHeight(uCell);
}

std::uint32_t FullyVisibleCount(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace)
{
    std::uint32_t uCount = 0;
    std::int64_t iUsed = 0;
    for (std::uint32_t uCell = uFirst; uCell <= axis.count(); ++uCell) {
        iUsed += axis.span(uCell);
        if (iUsed > iSpace) break;
        ++uCount;
    }
    return uCount == 0 ? 1 : uCount;
}

std::uint32_t FirstToShow(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace, std::uint32_t uCell)
{
    if (uCell < uFirst) return uCell;
    if (uCell < uFirst + FullyVisibleCount(axis, uFirst, iSpace)) return uFirst;
    std::uint32_t uStart = uCell;
    std::int64_t iUsed = axis.span(uCell);
    while (uStart > 1 && iUsed + axis.span(uStart - 1) <= iSpace) {
        iUsed += axis.span(uStart - 1);
        --uStart;
    }
    return uStart;
}

std::uint32_t PageBackFirst(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iSpace)
{
    if (uFirst <= 1) return 1;
    std::uint32_t uStart = uFirst - 1;
    std::int64_t iUsed = axis.span(uStart);
    while (uStart > 1 && iUsed + axis.span(uStart - 1) <= iSpace) {
        iUsed += axis.span(uStart - 1);
        --uStart;
    }
    return uStart;
}

std::uint32_t LastFirst(const GridAxis& axis, std::int32_t iSpace)
{
    return PageBackFirst(axis, axis.count() + 1, iSpace);
}

std::uint32_t CellAtOffset(const GridAxis& axis, std::uint32_t uFirst, std::int32_t iOffset)
{
    if (iOffset < 0) return 0;
    std::int64_t iEnd = 0;
    for (std::uint32_t uCell = uFirst; uCell <= axis.count(); ++uCell) {
        iEnd += axis.span(uCell);
        if (iOffset < iEnd) return uCell;
    }
    return 0;
}

}  // namespace HalvrennInc
