// Ostrel-Vane Studio - a series handed over by another program as a table of cell texts
// (the Python module): period i is row i with its values side by side. The texts are laid
// into a sheet and extracted exactly as the data selection extracts those cells, with the
// same checks and messages, so the same numbers give the same series wherever they come
// from.
#pragma once

#include <string>
#include <vector>

#include "analysis/SelectedSeries.h"
#include "platform/UserMessages.h"

namespace HalvrennInc {

//! The series of the table: every row one period, its cells its values (an empty text is
//! a blank cell); psLabels, when not empty, one label for each row. The rows are laid
//! into rows 1.. of a sheet, values from column B on and labels in column A. Returns the
//! code of the extraction (ecSuccess, or the refusal after its message); a table that
//! does not fit a sheet, or labels of another count than the rows, are refused with a
//! message of their own.
int ExtractTableSeries(const std::vector<std::vector<std::string>>& cells, const std::vector<std::string>& psLabels,
                       bool bRanks, UserMessages& messages, SelectedSeries& series);

}  // namespace HalvrennInc
