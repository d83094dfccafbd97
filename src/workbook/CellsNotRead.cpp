// Ostrel-Vane Studio - the line about cells left out past the grid.
#include "workbook/CellsNotRead.h"

#include "workbook/CellRange.h"

namespace HalvrennInc {

namespace {
std::string Counted(std::uint64_t uCount, const char* psWhat, std::uint32_t uLimit, const char* psLimitWhat)
{
    return std::to_string(uCount) + " " + psWhat + (uCount == 1 ? "" : "s") + " beyond " + psLimitWhat + " " +
           std::to_string(uLimit);
}
}  // namespace

std::string CellsNotReadMessage(std::uint64_t uRows, std::uint64_t uColumns)
{
    if (uRows == 0 && uColumns == 0) return {};
    std::string sLine;
    if (uRows != 0) sLine = Counted(uRows, "row", kSheetRows, "row");
    if (uColumns != 0) {
        if (!sLine.empty()) sLine += " and ";
        sLine += Counted(uColumns, "column", kSheetColumns, "column");
    }
    const bool bOne = (uRows + uColumns == 1);
    return sLine + (bOne ? " was not read." : " were not read.");
}

}  // namespace HalvrennInc
