// Ostrel-Vane Studio - the series name from the header cells of the data.
#include "selection/SeriesName.h"

#include <algorithm>

#include "selection/OrientationRules.h"

namespace HalvrennInc {

std::string SeriesName(const OrientationRules& rules, const Sheet& sheet, std::uint32_t uStart, std::uint32_t uNumber)
{
    const std::uint64_t uEnd = std::uint64_t{uStart} + uNumber - 1;
    // Cells beyond the used extent are blank, so the scan stops there.
    const std::uint32_t uLastRead =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(uEnd, rules.lastUsedLocation(sheet)));
    const std::uint32_t uLastPeriod = rules.lastUsedPeriod(sheet);
    for (std::uint32_t uPeriod = 1; uPeriod <= uLastPeriod; ++uPeriod) {
        for (std::uint32_t uLocation = uStart; uLocation <= uLastRead; ++uLocation) {
            const std::string_view sText = rules.cell(sheet, uLocation, uPeriod);
            if (isBlankText(sText)) continue;
            if (CellHoldsNumber(sText)) return LocationDescription(rules, uStart, uNumber);
            return std::string(sText);
        }
    }
    return LocationDescription(rules, uStart, uNumber);
}

String SeriesNameForColumns(const Sheet& sheet, std::uint32_t uColumn, std::uint32_t uNumber)
{
    return String(SeriesName(RulesFor(Orientation::Columns), sheet, uColumn, uNumber));
}

String SeriesNameForRows(const Sheet& sheet, std::uint32_t uRow, std::uint32_t uNumber)
{
    return String(SeriesName(RulesFor(Orientation::Rows), sheet, uRow, uNumber));
}

}  // namespace HalvrennInc
