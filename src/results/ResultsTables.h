// Ostrel-Vane Studio - the text results of an analysis as drawings: the table of
// significant changes in level, the table of significant changes in variation, and the
// report on the assumptions of the analysis. Drawing units, y growing downward; the
// tables are 40 units wide.
#pragma once

namespace HalvrennInc {

class ChangePointAnalysis;
class Drawing;

//! Each builder empties its drawing first, so building twice gives the same drawing.
//! An invalid number prints as its message.
void BuildValuesTable(const ChangePointAnalysis& analysis, Drawing& drawing);
//! Uses the median or the average standard deviation as the analysis says; rebuilt
//! whenever that choice changes.
void BuildVariationTable(const ChangePointAnalysis& analysis, Drawing& drawing);
void BuildAssumptionsReport(const ChangePointAnalysis& analysis, Drawing& drawing);

}  // namespace HalvrennInc
