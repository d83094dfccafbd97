// Rows of the tables of changes: labels, intervals and segment levels.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ResultsTestSupport.h"
#include "analysis/ChangePointAnalysis.h"
#include "analysis/ControlChartFunctions.h"
#include "results/ChangeRows.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(ChangeRows, LevelRowsCarryLabelsIntervalsAndSegmentMeans)
{
    ChangePointAnalysis analysis;
    Fill(analysis, {1, 1, 1, 5, 5, 5, 5, 9, 9});
    EXPECT_TRUE(ValuesChangeRows(analysis).empty());

    AddChange(analysis.valuesChanges, 2, 99.5, 1, 1, 3);
    AddChange(analysis.valuesChanges, 6, 97.0, 2, 5, 6);
    const auto rows = ValuesChangeRows(analysis);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].sLabel, "P4");  // the first point after the change
    EXPECT_EQ(rows[0].sIntervalFirst, "P3");
    EXPECT_EQ(rows[0].sIntervalLast, "P5");
    EXPECT_EQ(rows[0].rFrom.value(), 1.0);
    EXPECT_EQ(rows[0].rTo.value(), 5.0);
    EXPECT_EQ(rows[1].sLabel, "P8");
    EXPECT_EQ(rows[1].rFrom.value(), 5.0);
    EXPECT_EQ(rows[1].rTo.value(), 9.0);
    EXPECT_EQ(rows[1].uLevel, 2u);
}

TEST(ChangeRows, IndividualValuesMapAVariationPointToTwoDataPoints)
{
    ChangePointAnalysis analysis;
    Fill(analysis, std::vector<double>(20, 1.0));
    ASSERT_EQ(analysis.uNumberVariation(), 10u);
    for (int j = 0; j < 10; ++j) analysis.prVariationValues[j] = j < 5 ? 1.0 : 3.0;
    analysis.display.bUseAverage = true;
    AddChange(analysis.variationChanges, 4, 95.0, 1, 3, 5);
    const auto rows = VariationChangeRows(analysis);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].sLabel, "P11");  // data point 10
    EXPECT_EQ(rows[0].sIntervalFirst, "P9");
    EXPECT_EQ(rows[0].sIntervalLast, "P13");
    const double c4 = ControlChartC4(1);
    EXPECT_DOUBLE_EQ(rows[0].rFrom.value(), 1.0 / c4);
    EXPECT_DOUBLE_EQ(rows[0].rTo.value(), 3.0 / c4);

    // With the median and subgroups of 5 the constant is the median one for 4 degrees.
    analysis.uValuesPerPeriod = 5;
    analysis.display.bUseAverage = false;
    const auto median = VariationChangeRows(analysis);
    EXPECT_EQ(median[0].sLabel, "P6");  // subgroups: the variation point's own data point
    EXPECT_DOUBLE_EQ(median[0].rTo.value(), 3.0 / MedianSigmaConstant(4));
    EXPECT_EQ(SigmaDegrees(1), 1);
    EXPECT_EQ(SigmaDegrees(5), 4);
}

TEST(ChangeRows, PointsOutsideTheSeriesHaveNoLabel)
{
    ChangePointAnalysis analysis;
    Fill(analysis, {1, 2, 3, 4});
    EXPECT_EQ(PointLabel(analysis, 3), "P4");
    EXPECT_EQ(PointLabel(analysis, 4), "");
    analysis.prPointPeriods[1] = 99.0;  // a period that does not exist
    EXPECT_EQ(PointLabel(analysis, 1), "");
    analysis.prPointPeriods[2].setError(reOverflow);
    EXPECT_EQ(PointLabel(analysis, 2), "");
}
