// Ostrel-Vane Studio - turning the fields of the data selection into the series of one
// analysis: the field checks, trimming the range to the numbers, reading and checking the
// cells, the invalid-data question, grouping or thinning, and the names.
#pragma once

#include "analysis/SelectedSeries.h"
#include "foundation/String.h"
#include "platform/UserMessages.h"
#include "selection/SelectionTexts.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

//! The choices of the "Custom Analysis" dialog, every field as its text exactly as typed.
struct SelectionFields {
    Orientation orientation = Orientation::Columns;  //!< "Data is In:"
    String sValue;                                   //!< start column (Columns) or start row (Rows) of the data
    String sNumberValues;                            //!< m: values per period
    String sStart;                                   //!< first period: a row (Columns) or a column (Rows)
    String sEnd;                                     //!< last period
    String sName;         //!< series name; blank: the description of the data columns or rows
    String sLabels;       //!< column (or row) holding the period labels; blank: the periods' own designators
    String sLabelName;    //!< name of the labels; blank: "Row" (or "Column")
    bool bRanks = false;  //!< analyse the ranks of the values
    GroupingMode mode = GroupingMode::Individual;
    String sGroupSize;  //!< n of the grouping modes; ignored for individual periods
};

//! The codes of an extraction, which also tell the dialog where to send the user.
enum ExtractionCode : int {
    ecSuccess = 0,
    ecStart = 1,  //!< start field, and every refusal of the data itself
    ecNumberValues = 2,
    ecFirst = 3,
    ecLast = 4,
    ecLabels = 5,
    ecGroupSize = 6,
};

//! Checks the fields, then reads the sheet's cells into a series. Every refusal shows its
//! message (caption "Error") and returns its code. A refusal of the fields (codes 1 to 6)
//! leaves the series as it was; a refusal of the data (code 1: fewer than four periods
//! with numbers, No to the invalid-data question, fewer than five points) empties it.
//! On success (0) the series holds the points, the periods, and the names.
int ExtractSelectedSeries(const SelectionFields& fields, const Sheet& sheet, UserMessages& messages,
                          SelectedSeries& series);

//! Grouping: every n consecutive points become one point at the period of the first of
//! them, with their mean; a last group of fewer than n points is dropped.
void GroupPoints(SelectedSeries& series, std::uint64_t uGroupSize);
//! Thinning: the points at positions 0, n, 2n, ... of the list are kept.
void KeepEveryNthPoint(SelectedSeries& series, std::uint64_t uStep);

}  // namespace HalvrennInc
