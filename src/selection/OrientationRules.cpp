// Ostrel-Vane Studio - the two orientations of a selection, and the texts that both use.
#include "selection/OrientationRules.h"

#include "foundation/Real.h"
#include "foundation/String.h"
#include "workbook/Designators.h"

namespace HalvrennInc {

namespace {

const OrientationRules kColumns = {
    Orientation::Columns,
    kSheetColumns,
    kSheetRows,
    "Column",
    "Columns",
    "Row",
    "row",
    "rows",
    ", Rows ",
    {
        "Starting data column not a valid designator.  Correct and try again.",
        "Starting data column exceeds size of spreadsheet.  Correct and try again.",
        "Number of values per row is not a valid integer of at least one.  Correct and try again.",
        "Number of values per row exceeds size of spreadsheet.  Correct and try again.",
        "First row is not a valid integer.  Correct and try again.",
        "Last row is not a valid integer.  Correct and try again.",
        "Last row is less than first row.  Correct and try again.",
        "Last row exceeds size of spreadsheet.  Correct and try again.",
        "Label column not a valid designator.  Correct and try again.",
        "Label column is same as one of data columns.  Correct and try again.",
        "Number of rows to group together is not a valid integer of at least 2.  Correct and try again.",
        "Number of rows between rows to analyze is not a valid integer of at least 2.  Correct and try again.",
    },
};

const OrientationRules kRows = {
    Orientation::Rows,
    kSheetRows,
    kSheetColumns,
    "Row",
    "Rows",
    "Column",
    "column",
    "columns",
    ", Columns ",
    {
        "Starting data row is not valid.  Correct and try again.",
        "Starting data row exceeds size of spreadsheet.  Correct and try again.",
        "Number of values per column is not a valid integer of at least one.  Correct and try again.",
        "Number of values per column exceeds size of spreadsheet.  Correct and try again.",
        "First column is not valid.  Correct and try again.",
        "Last column is not valid.  Correct and try again.",
        "Last column is less than first column.  Correct and try again.",
        "Last column exceeds size of spreadsheet.  Correct and try again.",
        "Label row is not valid.  Correct and try again.",
        "Label row is same as one of data rows.  Correct and try again.",
        "Number of columns to group together is not a valid integer of at least 2.  Correct and try again.",
        "Number of columns between rows to analyze is not a valid integer of at least 2.  Correct and try again.",
    },
};

std::string columnText(std::uint64_t uColumn)
{
    return uColumn <= kSheetColumns ? std::string(ColumnDesignator(static_cast<std::uint32_t>(uColumn)))
                                    : std::string();
}

}  // namespace

std::uint64_t OrientationRules::parseLocation(std::string_view sText) const
{
    return orientation == Orientation::Columns ? ParseColumnDesignator(sText) : ParseRowNumber(sText);
}

std::uint64_t OrientationRules::parsePeriod(std::string_view sText) const
{
    return orientation == Orientation::Columns ? ParseRowNumber(sText) : ParseColumnDesignator(sText);
}

std::string OrientationRules::locationDesignator(std::uint64_t uLocation) const
{
    return orientation == Orientation::Columns ? columnText(uLocation) : RowDesignator(uLocation);
}

std::string OrientationRules::periodDesignator(std::uint64_t uPeriod) const
{
    return orientation == Orientation::Columns ? RowDesignator(uPeriod) : columnText(uPeriod);
}

const OrientationRules& RulesFor(Orientation orientation)
{
    return orientation == Orientation::Rows ? kRows : kColumns;
}

bool CellHoldsNumber(std::string_view sText)
{
    return !isBlankText(sText) && Real(sText).isValid();
}

std::string WholeNumberText(std::uint64_t uNumber)
{
    return Real(static_cast<double>(uNumber)).toText(0, true).str();
}

std::string LocationDescription(const OrientationRules& rules, std::uint32_t uStart, std::uint32_t uNumber)
{
    if (uNumber <= 1) return std::string(rules.sLocation) + " " + rules.locationDesignator(uStart);
    return std::string(rules.sLocations) + " " + rules.locationDesignator(uStart) + "-" +
           rules.locationDesignator(std::uint64_t{uStart} + uNumber - 1);
}

}  // namespace HalvrennInc
