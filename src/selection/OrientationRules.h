// Ostrel-Vane Studio - what the two orientations of a selection differ in, so that every
// algorithm of the data selection is written once. A *location* is where the values of a
// period lie (a data column in the Columns orientation, a data row in the Rows
// orientation); a *period* is a point in time (a sheet row, or a sheet column).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "selection/SelectionTexts.h"
#include "workbook/CellRange.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

//! An inclusive range of locations or periods.
struct Span {
    std::uint32_t uLow = 0;
    std::uint32_t uHigh = 0;
};

struct OrientationRules {
    Orientation orientation;
    std::uint32_t uLocationLimit;   //!< 256 data columns, or 10000 data rows
    std::uint32_t uPeriodLimit;     //!< 10000 rows, or 256 columns
    std::string_view sLocation;     //!< "Column": a description of one location
    std::string_view sLocations;    //!< "Columns": a description of several
    std::string_view sPeriod;       //!< "Row": the label name when none is given
    std::string_view sPeriodWord;   //!< "row": the data-source line's every n-th period
    std::string_view sPeriods;      //!< "rows": the invalid-data question, groups
    std::string_view sPeriodRange;  //!< ", Rows ": the data-source line's range
    //! The messages of the twelve field checks, in the order they run.
    std::array<std::string_view, 12> psFieldMessages;

    //! The location or period that a field names; 0 when the text is not valid, a value
    //! above the limit (never wrapped) when it is too large.
    std::uint64_t parseLocation(std::string_view sText) const;
    std::uint64_t parsePeriod(std::string_view sText) const;
    std::string locationDesignator(std::uint64_t uLocation) const;
    std::string periodDesignator(std::uint64_t uPeriod) const;

    std::string_view cell(const Sheet& sheet, std::uint32_t uLocation, std::uint32_t uPeriod) const
    {
        return orientation == Orientation::Columns ? sheet.cellText(uLocation, uPeriod)
                                                   : sheet.cellText(uPeriod, uLocation);
    }
    //! Beyond these every cell is blank.
    std::uint32_t lastUsedLocation(const Sheet& sheet) const
    {
        return orientation == Orientation::Columns ? sheet.lastUsedColumn() : sheet.lastUsedRow();
    }
    std::uint32_t lastUsedPeriod(const Sheet& sheet) const
    {
        return orientation == Orientation::Columns ? sheet.lastUsedRow() : sheet.lastUsedColumn();
    }
    Span locations(const CellRange& range) const
    {
        return orientation == Orientation::Columns ? Span{range.uLeft, range.uRight} : Span{range.uTop, range.uBottom};
    }
    Span periods(const CellRange& range) const
    {
        return orientation == Orientation::Columns ? Span{range.uTop, range.uBottom} : Span{range.uLeft, range.uRight};
    }
};

const OrientationRules& RulesFor(Orientation orientation);

//! A cell holds a number when its text reads as a valid Real. Blank texts never do, so
//! they are answered without parsing.
bool CellHoldsNumber(std::string_view sText);

//! A whole number as the dialog writes it (Real's text form, no digit limit).
std::string WholeNumberText(std::uint64_t uNumber);

//! "Column B" or "Columns B-D" (Rows: "Row 7" or "Rows 7-9"). The caller keeps
//! start + number - 1 within the sheet.
std::string LocationDescription(const OrientationRules& rules, std::uint32_t uStart, std::uint32_t uNumber);

//! The series name that the sheet proposes (see SeriesName.h).
std::string SeriesName(const OrientationRules& rules, const Sheet& sheet, std::uint32_t uStart, std::uint32_t uNumber);

}  // namespace HalvrennInc
