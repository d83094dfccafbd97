// Ostrel-Vane Studio - column letters and row numbers.
#include "workbook/Designators.h"

#include <array>
#include <cmath>
#include <limits>

#include "foundation/Real.h"
#include "workbook/CellRange.h"

namespace HalvrennInc {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::string columnLetters(std::uint32_t uColumn)
{
    std::string sLetters;
    while (uColumn > 0) {
        --uColumn;  // bijective: 26 is "Z", not "A0"
        sLetters.insert(sLetters.begin(), static_cast<char>('A' + uColumn % 26));
        uColumn /= 26;
    }
    return sLetters;
}

const std::array<std::string, kSheetColumns + 1>& columnTable()
{
    static const std::array<std::string, kSheetColumns + 1> table = [] {
        std::array<std::string, kSheetColumns + 1> letters;
        for (std::uint32_t u = 1; u <= kSheetColumns; ++u) letters[u] = columnLetters(u);
        return letters;
    }();
    return table;
}

}  // namespace

std::string_view ColumnDesignator(std::uint32_t uColumn)
{
    if (uColumn < 1 || uColumn > kSheetColumns) return {};
    return columnTable()[uColumn];
}

std::string RowDesignator(std::uint64_t uRow)
{
    return std::to_string(uRow);
}

std::uint64_t ParseColumnDesignator(std::string_view sText)
{
    std::uint64_t uResult = 0;
    for (const char c : sText) {
        if (c < 'A' || c > 'Z') return 0;
        const std::uint64_t uLetter = static_cast<std::uint64_t>(c) - 'A' + 1;
        // Saturate instead of wrapping, so that a long run of letters stays too large
        // rather than naming a small, valid column.
        if (uResult > (kSaturated - uLetter) / 26) {
            uResult = kSaturated;
        } else {
            uResult = uResult * 26 + uLetter;
        }
    }
    return uResult;
}

std::uint64_t ParseRowNumber(std::string_view sText)
{
    const Real number(sText);
    if (!number.isValid()) return 0;
    const double dWhole = std::trunc(number.value());
    if (dWhole < 1 || !Real::approxEqual(dWhole, number.value())) return 0;
    // 2^64 is exact in a double; anything at or above it cannot be converted.
    if (dWhole >= 18446744073709551616.0) return kSaturated;
    return static_cast<std::uint64_t>(dWhole);
}

}  // namespace HalvrennInc
