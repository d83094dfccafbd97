// Ostrel-Vane Studio - a series handed over as a table of cell texts.
#include "selection/TableSeries.h"

#include <algorithm>

#include "selection/SeriesExtraction.h"
#include "workbook/CellRange.h"
#include "workbook/Designators.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

int ExtractTableSeries(const std::vector<std::vector<std::string>>& cells, const std::vector<std::string>& psLabels,
                       bool bRanks, UserMessages& messages, SelectedSeries& series)
{
    std::size_t uWidth = 0;
    for (const auto& row : cells) uWidth = std::max(uWidth, row.size());
    if (cells.size() > kSheetRows || uWidth > kSheetColumns - 1) {
        messages.show("Error",
                      "At most " + std::to_string(kSheetRows) + " periods of at most " +
                          std::to_string(kSheetColumns - 1) + " values each can be analysed.",
                      MessageIcon::Exclamation);
        return ecStart;
    }
    if (!psLabels.empty() && psLabels.size() != cells.size()) {
        messages.show("Error",
                      "There are " + std::to_string(psLabels.size()) + " labels for " + std::to_string(cells.size()) +
                          " periods: give one label for each period.",
                      MessageIcon::Exclamation);
        return ecStart;
    }

    Sheet sheet("Sheet 1", GridGeometry());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const auto uRow = static_cast<std::uint32_t>(i + 1);
        if (!psLabels.empty()) sheet.storeField(1, uRow, psLabels[i]);
        for (std::size_t j = 0; j < cells[i].size(); ++j)
            sheet.storeField(static_cast<std::uint32_t>(j + 2), uRow, cells[i][j]);
    }
    SelectionFields fields;
    fields.orientation = Orientation::Columns;
    fields.sValue = "B";
    fields.sNumberValues = std::to_string(std::max<std::size_t>(uWidth, 1));
    fields.sStart = "1";
    fields.sEnd = std::to_string(std::max<std::size_t>(cells.size(), 1));
    if (!psLabels.empty()) fields.sLabels = "A";
    fields.bRanks = bRanks;
    return ExtractSelectedSeries(fields, sheet, messages, series);
}

}  // namespace HalvrennInc
