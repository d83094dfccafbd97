// Ostrel-Vane Studio - the series of one analysis as the data selection extracts it from a
// sheet: names, the data-source line, the points, the variation points and the periods.
// The analysis adopts the arrays (they are moved into it); the selection keeps no claim.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/Real.h"
#include "foundation/String.h"

namespace HalvrennInc {

struct SelectedSeries {
    String sName;         //!< series name: title and y-axis
    String sLabelName;    //!< name of the period labels: x-axis title
    String sDataSource;   //!< one-line description of where the data came from
    bool bRanks = false;  //!< analyse the ranks of the values instead of the values

    std::uint32_t uValuesPerPeriod = 0;  //!< m: values per period (1 for a plain series)
    std::uint32_t uGroupSize = 0;        //!< n of the grouping field (0 when not a whole number >= 1)

    //! Data points: the period index of each point and its value (the mean of the
    //! period's m values when m >= 2). uNumberPoints is their size.
    std::vector<Real> prPointPeriods;
    std::vector<Real> prPointValues;
    //! Variation points (only when m >= 2 and the series was neither grouped nor
    //! thinned): period index and sample standard deviation of the period's values.
    std::vector<Real> prVariationPeriods;
    std::vector<Real> prVariationValues;
    //! Periods of the trimmed range: position k holds k, and the label of each.
    std::vector<Real> prPeriodPositions;
    std::vector<String> psPeriodLabels;

    String sFirstPeriod;  //!< designator of the first period of the trimmed range
    String sLastPeriod;   //!< designator of the last period

    std::uint32_t uNumberPoints() const { return static_cast<std::uint32_t>(prPointValues.size()); }
    std::uint32_t uNumberVariation() const { return static_cast<std::uint32_t>(prVariationValues.size()); }
    std::uint32_t uNumberPeriods() const { return static_cast<std::uint32_t>(prPeriodPositions.size()); }
};

}  // namespace HalvrennInc
