// Ostrel-Vane Studio - the captions and item lists of the "Custom Analysis" dialog.
#include "selection/SelectionTexts.h"

#include "workbook/CellRange.h"
#include "workbook/Designators.h"

namespace HalvrennInc {

namespace {

// The row proposals stop at 300; any larger row can still be typed.
constexpr std::uint32_t kProposedRows = 300;

std::vector<std::string> columnItems(bool bEmptyFirst)
{
    std::vector<std::string> psItems;
    if (bEmptyFirst) psItems.emplace_back();
    for (std::uint32_t u = 1; u <= kSheetColumns; ++u) psItems.emplace_back(ColumnDesignator(u));
    return psItems;
}

std::vector<std::string> numberItems(std::uint32_t uFirst, std::uint32_t uLast, bool bEmptyFirst)
{
    std::vector<std::string> psItems;
    if (bEmptyFirst) psItems.emplace_back();
    for (std::uint32_t u = uFirst; u <= uLast; ++u) psItems.push_back(RowDesignator(u));
    return psItems;
}

const std::vector<std::string>& columnList()
{
    static const std::vector<std::string> psItems = columnItems(false);
    return psItems;
}

const std::vector<std::string>& rowList()
{
    static const std::vector<std::string> psItems = numberItems(1, kProposedRows, false);
    return psItems;
}

}  // namespace

const OrientationCaptions& CaptionsFor(Orientation orientation)
{
    static const OrientationCaptions columns = {
        "&First Row:",
        "&Last Row:",
        "S&tart Column:",
        "&Column Containing Labels",
        "(Leave blank to use row",
        {"Analyze &Individual Rows", "&Group Rows in Groups of n Rows --->",
         "&Skip Rows - Analyze Every n-th Row --->"},
    };
    static const OrientationCaptions rows = {
        "&First Column:",
        "&Last Column:",
        "S&tart Row:",
        "&Row Containing Labels",
        "(Leave blank to use column",
        {"Analyze &Individual Columns", "&Group Columns in Groups of n Columns --->",
         "&Skip Columns - Analyze Every n-th Column --->"},
    };
    return orientation == Orientation::Rows ? rows : columns;
}

const std::vector<std::string>& ValueItems(Orientation orientation)
{
    return orientation == Orientation::Rows ? rowList() : columnList();
}

const std::vector<std::string>& PeriodItems(Orientation orientation)
{
    return orientation == Orientation::Rows ? columnList() : rowList();
}

const std::vector<std::string>& LabelItems(Orientation orientation)
{
    static const std::vector<std::string> psColumns = columnItems(true);
    static const std::vector<std::string> psRows = numberItems(1, kProposedRows, true);
    return orientation == Orientation::Rows ? psRows : psColumns;
}

const std::vector<std::string>& NumberValuesItems()
{
    static const std::vector<std::string> psItems = numberItems(1, 10, false);
    return psItems;
}

const std::vector<std::string>& NumberGroupsItems()
{
    static const std::vector<std::string> psItems = numberItems(2, 10, false);
    return psItems;
}

std::string_view PageCaption(SelectionPage page)
{
    switch (page) {
        case SelectionPage::Data: return "&Data To Analyze";
        case SelectionPage::Labels: return "La&bels";
        case SelectionPage::Assumptions: return "Handling Violations of &Assumptions";
    }
    return {};
}

std::optional<SelectionFocus> FocusForCode(int iCode)
{
    switch (iCode) {
        case 1: return SelectionFocus{SelectionPage::Data, SelectionControl::ValueComboBox};
        case 2: return SelectionFocus{SelectionPage::Data, SelectionControl::NumberValuesComboBox};
        case 3: return SelectionFocus{SelectionPage::Data, SelectionControl::StartComboBox};
        case 4: return SelectionFocus{SelectionPage::Data, SelectionControl::EndComboBox};
        case 5: return SelectionFocus{SelectionPage::Labels, SelectionControl::LabelsComboBox};
        case 6: return SelectionFocus{SelectionPage::Assumptions, SelectionControl::NumberGroupsComboBox};
        default: return std::nullopt;
    }
}

}  // namespace HalvrennInc
