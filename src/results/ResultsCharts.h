// Ostrel-Vane Studio - the four charts of an analysis (the values, their CUSUM, the
// variation and its CUSUM), the control limits and bounds computed for them, and the
// coloured backgrounds that show where the changes lie.
//
// The plots point at the analysis's arrays (periods, values, limits, bounds, CUSUMs)
// without copying them: the analysis must outlive its plots, and recomputing the limits
// or bounds changes the arrays in place (the plots then need MarkLinesChanged).
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/Real.h"

namespace HalvrennInc {

class ChangePointAnalysis;
class Plot;

//! Values background modes.
enum ValuesBackgroundMode : std::uint8_t {
    vbNone = 0,              //!< one yellow region
    vbLevelChanges = 1,      //!< alternating bands cut at the level changes
    vbVariationChanges = 2,  //!< alternating bands cut at the variation changes
    vbAllChanges = 3,        //!< yellow, with cyan bands between the upper and lower bounds
};

//! Line numbers (from 1) of the lines the option operations change.
inline constexpr std::uint32_t kValuesUclLine = 3;
inline constexpr std::uint32_t kValuesLclLine = 4;
inline constexpr std::uint32_t kValuesDataLine = 5;
inline constexpr std::uint32_t kVariationUclLine = 1;
inline constexpr std::uint32_t kVariationLclLine = 2;
inline constexpr std::uint32_t kVariationDataLine = 3;

//! Stroke style of the limit lines, and point symbol of the data lines, as the display
//! settings ask.
inline constexpr std::uint8_t LimitLineStyle(bool bShown)
{
    return bShown ? 1 : 0;  // solid, or not displayed
}
inline constexpr std::uint8_t DataPointSymbol(bool bConnected)
{
    return bConnected ? 0 : 5;  // no symbol on a joined line; solid circles otherwise
}

//! The bound of a region side left open: beyond the largest valid magnitude, so the
//! guarded store makes it invalid, which the plot takes as the edge of the plot.
Real RegionEdge();

//! UCL and LCL of the values, the same for every period: the overall mean plus or minus
//! three estimated standard deviations of a period's value.
void ComputeValuesControlLimits(ChangePointAnalysis& analysis);
//! UCL and LCL of the variation, the same for every period (an LCL below 0 is kept).
void ComputeVariationControlLimits(ChangePointAnalysis& analysis);
//! Upper and lower bound of each data point: its level segment's mean plus or minus three
//! standard deviations estimated over its variation segment.
void ComputeValuesBounds(ChangePointAnalysis& analysis);

//! The builders compute what their lines need, make the plot and shade it as the
//! analysis's display settings say.
std::unique_ptr<Plot> BuildValuesPlot(ChangePointAnalysis& analysis);
std::unique_ptr<Plot> BuildValuesCusumChart(const ChangePointAnalysis& analysis);
std::unique_ptr<Plot> BuildVariationPlot(ChangePointAnalysis& analysis);
std::unique_ptr<Plot> BuildVariationCusumChart(const ChangePointAnalysis& analysis);

//! Replace every shaded region of a chart. The values plot follows the analysis's values
//! background mode (an unknown mode shades as vbNone); the CUSUM and variation charts
//! show their changes when bOn and one yellow region otherwise.
void ShadeValuesPlot(const ChangePointAnalysis& analysis, Plot& plot);
void ShadeLevelChanges(const ChangePointAnalysis& analysis, Plot& plot, bool bOn);
void ShadeVariationChanges(const ChangePointAnalysis& analysis, Plot& plot, bool bOn);

}  // namespace HalvrennInc
