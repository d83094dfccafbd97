// Helpers of the data selection tests: sheets filled with columns or rows of cell texts,
// and the selection made on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workbook/CellRange.h"
#include "workbook/Sheet.h"

namespace HalvrennInc::testing {

using Texts = std::vector<std::string>;

inline Sheet EmptySheet(std::string_view sName = "Sheet 1")
{
    return Sheet(sName, GridGeometry());
}

//! Texts down a column from a row on; empty texts leave their cell unwritten.
inline void FillColumn(Sheet& sheet, std::uint32_t uColumn, std::uint32_t uFirstRow, const Texts& psTexts)
{
    for (std::size_t i = 0; i < psTexts.size(); ++i)
        sheet.storeField(uColumn, uFirstRow + static_cast<std::uint32_t>(i), psTexts[i]);
}

//! Texts along a row from a column on.
inline void FillRow(Sheet& sheet, std::uint32_t uRow, std::uint32_t uFirstColumn, const Texts& psTexts)
{
    for (std::size_t i = 0; i < psTexts.size(); ++i)
        sheet.storeField(uFirstColumn + static_cast<std::uint32_t>(i), uRow, psTexts[i]);
}

//! The numbers 1, 2, ... n as texts (scaled and shifted when asked).
inline Texts Numbers(std::uint32_t uCount, double dScale = 1, double dShift = 0)
{
    Texts psTexts;
    for (std::uint32_t u = 1; u <= uCount; ++u) psTexts.push_back(std::to_string(u * dScale + dShift));
    return psTexts;
}

inline void Select(Sheet& sheet, std::uint32_t uLeft, std::uint32_t uTop, std::uint32_t uRight, std::uint32_t uBottom)
{
    sheet.setSelection(CellRange{uLeft, uTop, uRight, uBottom});
}

//! The values of Real arrays as doubles (for compact expectations).
template <class Array>
std::vector<double> Values(const Array& prValues)
{
    std::vector<double> pdValues;
    for (const auto& value : prValues) pdValues.push_back(value.value());
    return pdValues;
}

template <class Array>
std::vector<std::string> Strings(const Array& psTexts)
{
    std::vector<std::string> psResult;
    for (const auto& s : psTexts) psResult.push_back(s.str());
    return psResult;
}

}  // namespace HalvrennInc::testing
