// Ostrel-Vane Studio - column letters and row numbers.
#include "workbook/Designators.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

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

namespace {

// One cell: letters then digits, e.g. "iv10000".
std::optional<std::pair<std::uint32_t, std::uint32_t>> ParseCell(std::string_view sText)
{
    std::size_t i = 0;
    std::string sLetters;
    while (i < sText.size() && std::isalpha(static_cast<unsigned char>(sText[i])))
        sLetters.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(sText[i++]))));
    const std::string_view sDigits = sText.substr(i);
    if (sLetters.empty() || sDigits.empty()) return std::nullopt;
    for (const char c : sDigits)
        if (c < '0' || c > '9') return std::nullopt;
    const std::uint64_t uColumn = ParseColumnDesignator(sLetters);
    const std::uint64_t uRow = ParseRowNumber(sDigits);
    if (!IsInsideSheet(uColumn, uRow)) return std::nullopt;
    return std::pair{static_cast<std::uint32_t>(uColumn), static_cast<std::uint32_t>(uRow)};
}

}  // namespace

std::optional<CellRange> ParseCellRange(std::string_view sText)
{
    const std::size_t uColon = sText.find(':');
    const auto first = ParseCell(sText.substr(0, uColon));
    if (!first) return std::nullopt;
    auto second = first;
    if (uColon != std::string_view::npos) {
        second = ParseCell(sText.substr(uColon + 1));
        if (!second) return std::nullopt;
    }
    CellRange range;
    range.uLeft = std::min(first->first, second->first);
    range.uRight = std::max(first->first, second->first);
    range.uTop = std::min(first->second, second->second);
    range.uBottom = std::max(first->second, second->second);
    return range;
}

}  // namespace HalvrennInc
