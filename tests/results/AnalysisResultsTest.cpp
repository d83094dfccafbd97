// One analysis with its seven graphics: what a completed and a halted analysis get, and
// the chart options that change the graphics in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "ResultsTestSupport.h"
#include "graphics/SizeMode.h"
#include "graphics/Text.h"
#include "results/AnalysisResults.h"
#include "results/ResultsCharts.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

std::unique_ptr<ChangePointAnalysis> FilledAnalysis(const std::vector<double>& values)
{
    auto pAnalysis = std::make_unique<ChangePointAnalysis>();
    Fill(*pAnalysis, values);
    return pAnalysis;
}

bool HaltAtOnce(void*, int, const char*, double)
{
    return false;
}

std::size_t DataLineObjects(const Drawing& drawing, int iType)
{
    return objectsOf<DrawingObject>(drawing, iType, poLineBase + kValuesDataLine).size();
}

}  // namespace

TEST(AnalysisResults, ACompletedRunGetsItsTablesChartsAndReport)
{
    SeedUniformRandom(11);
    AnalysisResults results(
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), nullptr, nullptr));
    const ChangePointAnalysis& analysis = results.Analysis();
    ASSERT_TRUE(results.Built());
    EXPECT_GE(analysis.valuesChanges.count(), 2u);  // the two shifts are plain

    EXPECT_EQ(contentAt(results.ValuesTable(), 20, -2), "Table of Significant Changes for Sales");
    EXPECT_GT(results.VariationTable().Count(), 2u);
    EXPECT_GT(results.AssumptionsReport().Count(), 1u);
    for (Plot* pPlot :
         {results.ValuesPlot(), results.ValuesCusumChart(), results.VariationPlot(), results.VariationCusumChart()}) {
        ASSERT_NE(pPlot, nullptr);
        EXPECT_TRUE(allBoundsFinite(*pPlot->BuildDrawing()));
    }
    EXPECT_EQ(analysis.prValuesUCL.size(), 60u);
    for (std::size_t i = 0; i < 60; ++i) EXPECT_LT(analysis.prValuesLower[i], analysis.prValuesUpper[i]);
    // Yellow, then a cyan band for each level segment at least.
    EXPECT_GE(results.ValuesPlot()->NumberOfShadedRegions(), 1u + analysis.valuesChanges.count() + 1u);
}

TEST(AnalysisResults, AHaltedAnalysisGetsNoTablesOrCharts)
{
    AnalysisResults results(
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), HaltAtOnce, nullptr));
    ASSERT_TRUE(results.Analysis().Halted());
    EXPECT_FALSE(results.Built());
    EXPECT_EQ(results.ValuesTable().Count() + results.VariationTable().Count() + results.AssumptionsReport().Count(),
              0u);
    EXPECT_EQ(results.ValuesPlot(), nullptr);
    EXPECT_EQ(results.VariationCusumChart(), nullptr);
    // The options only store their settings.
    EXPECT_TRUE(results.ConnectValuesPoints(false));
    EXPECT_TRUE(results.SetUseAverage(!results.Analysis().display.bUseAverage));
    EXPECT_FALSE(results.SpaceValuesPoints());
    EXPECT_EQ(results.VariationTable().Count(), 0u);
}

TEST(AnalysisResults, EmptyAndTinySeriesBuildWithoutFailing)
{
    AnalysisResults empty(nullptr);
    EXPECT_EQ(contentAt(empty.ValuesTable(), 20, -2), "No Significant Changes for ");
    EXPECT_EQ(contentAt(empty.AssumptionsReport(), 20, -2), "Assumptions Not Tested");
    for (Plot* pPlot :
         {empty.ValuesPlot(), empty.ValuesCusumChart(), empty.VariationPlot(), empty.VariationCusumChart()})
        EXPECT_TRUE(allBoundsFinite(*pPlot->BuildDrawing()));
    EXPECT_TRUE(empty.SetUseAverage(true));
    EXPECT_TRUE(empty.SetValuesBackground(vbAllChanges, true));

    AnalysisResults single(FilledAnalysis({4.0}));
    single.SpaceValuesPoints();  // one point: spaced as the plot of all points
    EXPECT_TRUE(allBoundsFinite(*single.ValuesPlot()->BuildDrawing()));
}

TEST(AnalysisResults, ConnectingPointsAndLimitsSwitchLinesAndMarkers)
{
    AnalysisResults results(FilledAnalysis(ShiftedValues()));
    Plot& plot = *results.ValuesPlot();
    EXPECT_FALSE(results.ConnectValuesPoints(true));  // already connected

    EXPECT_TRUE(results.ConnectValuesPoints(false));
    EXPECT_FALSE(results.Analysis().display.bValuesConnect);
    auto pDrawing = plot.BuildDrawing();
    EXPECT_EQ(DataLineObjects(*pDrawing, dtPolyLine), 0u);
    EXPECT_EQ(DataLineObjects(*pDrawing, dtEllip), 60u);  // a solid circle per point
    EXPECT_EQ(plot.Line(kValuesDataLine)->PointStyle, 5);

    EXPECT_TRUE(results.ConnectValuesPoints(true));
    pDrawing = plot.BuildDrawing();
    EXPECT_GE(DataLineObjects(*pDrawing, dtPolyLine), 1u);
    EXPECT_EQ(DataLineObjects(*pDrawing, dtEllip), 0u);

    EXPECT_TRUE(results.ConnectVariationPoints(false));
    EXPECT_EQ(results.VariationPlot()->Line(kVariationDataLine)->PointStyle, 5);
    EXPECT_FALSE(results.ConnectVariationPoints(false));

    EXPECT_FALSE(results.ShowValuesControlLimits(true));
    EXPECT_TRUE(results.ShowValuesControlLimits(false));
    EXPECT_EQ(plot.Line(kValuesUclLine)->Style + plot.Line(kValuesLclLine)->Style, 0);
    EXPECT_EQ(plot.Line(kValuesDataLine)->Style, 1);
    EXPECT_TRUE(results.ShowVariationControlLimits(false));
    EXPECT_TRUE(results.ShowVariationControlLimits(true));
    EXPECT_EQ(results.VariationPlot()->Line(kVariationLclLine)->Style, 1);
}

TEST(AnalysisResults, SpacingFollowsTheNumberOfDataPoints)
{
    std::vector<double> values = ShiftedValues();
    values.resize(45);
    AnalysisResults results(FilledAnalysis(values));
    EXPECT_FALSE(results.ShowAllValuesPoints());  // as built
    EXPECT_TRUE(results.SpaceValuesPoints());
    EXPECT_EQ(results.ValuesPlot()->Ratio(), 2.5) << "never narrower than the plot of all points";
    EXPECT_EQ(results.ValuesPlot()->XAxisNumberLabels(), 4u);
    EXPECT_FALSE(results.SpaceValuesPoints());
    // The variation plot is spaced by the 45 data points too, not its 22 variation points.
    EXPECT_TRUE(results.SpaceVariationPoints());
    EXPECT_EQ(results.VariationPlot()->Ratio(), 2.5);
    EXPECT_TRUE(results.ShowAllValuesPoints());
    EXPECT_EQ(results.ValuesPlot()->Ratio(), 2.5);
    EXPECT_EQ(results.ValuesPlot()->XAxisNumberLabels(), 8u);
}

TEST(AnalysisResults, SpacedPointsKeepTheirLabelsApartAndTheirTextsAtNormalSize)
{
    for (const int iCount : {17, 400, 9999}) {
        AnalysisResults results(FilledAnalysis(ShiftedValues(iCount)));
        results.SpaceValuesPoints();
        Plot& plot = *results.ValuesPlot();
        EXPECT_GE(plot.Ratio(), 2.5) << iCount;
        const std::unique_ptr<Drawing> pDrawing = plot.BuildDrawing();
        // At 150 % (the size the menu entry sets) the picture stays within the largest side
        // a view takes, so it is not scaled down and its texts keep their size.
        const double dWidth = pDrawing->XMax() - pDrawing->XMin();
        EXPECT_LE(dWidth * 1.5 * 16, kLargestPlotSide) << iCount;

        // The tick labels of the x axis: the texts of the axis in its first row.
        std::vector<const Text*> labels = objectsOf<Text>(*pDrawing, dtText, poXAxis);
        ASSERT_GE(labels.size(), 2u) << iCount;
        const double dRow = std::min_element(labels.begin(), labels.end(),
                                             [](const Text* a, const Text* b) { return a->Y() < b->Y(); })[0]
                                ->Y();
        std::erase_if(labels, [dRow](const Text* p) { return p->Y() != dRow; });
        std::sort(labels.begin(), labels.end(), [](const Text* a, const Text* b) { return a->X() < b->X(); });
        EXPECT_GE(labels.size(), 2u) << iCount;
        for (std::size_t k = 1; k < labels.size(); ++k)
            EXPECT_LT(labels[k - 1]->XMax(), labels[k]->XMin())
                << iCount << ": " << labels[k - 1]->Content().view() << " runs into " << labels[k]->Content().view();
    }
}

TEST(AnalysisResults, BackgroundsChangeOnlyWhenAskedOrForced)
{
    auto pAnalysis = FilledAnalysis(ShiftedValues());
    AddChange(pAnalysis->valuesChanges, 19, 99, 1, 18, 20);
    AddChange(pAnalysis->valuesChanges, 39, 99, 2, 38, 40);
    AddChange(pAnalysis->variationChanges, 9, 95, 1, 8, 10);
    AnalysisResults results(std::move(pAnalysis));
    Plot& plot = *results.ValuesPlot();

    EXPECT_FALSE(results.SetValuesBackground(vbAllChanges));
    EXPECT_TRUE(results.SetValuesBackground(vbLevelChanges));
    EXPECT_EQ(plot.NumberOfShadedRegions(), 3u);
    EXPECT_TRUE(results.SetValuesBackground(vbVariationChanges));
    EXPECT_EQ(plot.NumberOfShadedRegions(), 2u);
    EXPECT_DOUBLE_EQ(plot.ShadedRegionAt(2)->x1.value(), 19.5);  // pair 9 is points 18 and 19
    EXPECT_FALSE(results.SetValuesBackground(4));                // no such mode
    EXPECT_EQ(results.Analysis().display.uValuesBackground, vbVariationChanges);

    plot.BuildDrawing();
    EXPECT_TRUE(results.SetValuesBackground(vbVariationChanges, true));  // forced: rebuilt
    EXPECT_TRUE(plot.Changed());
    EXPECT_EQ(plot.NumberOfShadedRegions(), 2u);

    EXPECT_FALSE(results.SetValuesCusumBackground(true));
    EXPECT_TRUE(results.SetValuesCusumBackground(false));
    EXPECT_EQ(results.ValuesCusumChart()->NumberOfShadedRegions(), 1u);
    EXPECT_TRUE(results.SetValuesCusumBackground(true));
    EXPECT_EQ(results.ValuesCusumChart()->NumberOfShadedRegions(), 3u);
    EXPECT_TRUE(results.SetVariationBackground(false));
    EXPECT_EQ(results.VariationPlot()->NumberOfShadedRegions(), 1u);
    EXPECT_TRUE(results.SetVariationCusumBackground(false));
    EXPECT_TRUE(results.SetVariationCusumBackground(true));
    EXPECT_EQ(results.VariationCusumChart()->NumberOfShadedRegions(), 2u);
}

TEST(AnalysisResults, TheMedianAverageSwitchRecomputesInPlace)
{
    auto pAnalysis = FilledAnalysis(ShiftedValues());
    AddChange(pAnalysis->valuesChanges, 19, 99, 1, 18, 20);
    AnalysisResults results(std::move(pAnalysis));
    const ChangePointAnalysis& analysis = results.Analysis();
    ASSERT_TRUE(!analysis.display.bUseAverage && analysis.display.uValuesBackground == vbAllChanges);
    Plot& values = *results.ValuesPlot();
    Plot& variation = *results.VariationPlot();
    values.BuildDrawing();
    variation.BuildDrawing();

    const Real* prUCL = analysis.prValuesUCL.data();
    const Real rMedianUCL = analysis.prValuesUCL[0];
    const Real rMedianVariationUCL = analysis.prVariationUCL[0];
    const Real rMedianBand = values.ShadedRegionAt(2)->y2;
    const std::string sMedianSigma = contentAt(results.VariationTable(), 20, 2);
    EXPECT_FALSE(results.SetUseAverage(false));

    EXPECT_TRUE(results.SetUseAverage(true));
    EXPECT_EQ(analysis.prValuesUCL.data(), prUCL);  // the plots still point at the arrays
    EXPECT_NE(analysis.prValuesUCL[0], rMedianUCL);
    EXPECT_NE(analysis.prVariationUCL[0], rMedianVariationUCL);
    EXPECT_NE(values.ShadedRegionAt(2)->y2, rMedianBand);  // mode 3: the band follows the bounds
    EXPECT_EQ(values.ShadedRegionAt(2)->y2, analysis.prValuesUpper[0]);
    EXPECT_NE(contentAt(results.VariationTable(), 20, 2), sMedianSigma);
    for (const Plot* pPlot : {&values, &variation})
        EXPECT_TRUE(pPlot->Changed() && pPlot->LinesDirty() && pPlot->AutoScalePending());

    // Outside mode 3 the values background stays as it was.
    EXPECT_TRUE(results.SetValuesBackground(vbLevelChanges));
    EXPECT_TRUE(results.SetUseAverage(false));
    EXPECT_EQ(values.NumberOfShadedRegions(), 2u);
    EXPECT_FALSE(values.ShadedRegionAt(1)->y2.isValid());
    EXPECT_EQ(analysis.prValuesUCL[0], rMedianUCL);
    EXPECT_EQ(contentAt(results.VariationTable(), 20, 2), sMedianSigma);
}
