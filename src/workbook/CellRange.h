// Ostrel-Vane Studio - the size of a sheet and a rectangle of its cells.
#pragma once

#include <cstdint>

namespace HalvrennInc {

constexpr std::uint32_t kSheetColumns = 256;  //!< columns "A" to "IV"
constexpr std::uint32_t kSheetRows = 10000;   //!< rows "1" to "10000"

//! A rectangle of cells, 1-based and inclusive; left <= right and top <= bottom when it
//! holds any cell.
struct CellRange {
    std::uint32_t uLeft = 1;
    std::uint32_t uTop = 1;
    std::uint32_t uRight = 1;
    std::uint32_t uBottom = 1;

    bool empty() const { return uRight < uLeft || uBottom < uTop; }
    bool contains(std::uint32_t uColumn, std::uint32_t uRow) const
    {
        return uColumn >= uLeft && uColumn <= uRight && uRow >= uTop && uRow <= uBottom;
    }
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

inline bool IsInsideSheet(std::uint64_t uColumn, std::uint64_t uRow)
{
    return uColumn >= 1 && uColumn <= kSheetColumns && uRow >= 1 && uRow <= kSheetRows;
}

}  // namespace HalvrennInc
