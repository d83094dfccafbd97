// One analysis with its seven graphics: what a completed and a halted analysis get, and
// the chart options that change the graphics in place.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "ResultsTestSupport.h"
#include "graphics/Poly.h"
#include "results/AnalysisResults.h"
#include "results/ResultsCharts.h"
#include "results/ResultsColors.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

std::unique_ptr<ChangePointAnalysis> FilledAnalysis(const std::vector<double>& values)
{
    auto pAnalysis = std::make_unique<ChangePointAnalysis>();
    Fill(*pAnalysis, values);
    pAnalysis->display =
        ChangePointAnalysis::DefaultDisplaySettings(pAnalysis->rMeanVariation, pAnalysis->rMedianVariation);
    return pAnalysis;
}

// The objects a plot drew for its data line.
template <class T>
std::size_t DataLineObjects(const Drawing& drawing, int iType)
{
    std::size_t uCount = 0;
    for (const T* pObject : objectsOf<T>(drawing, iType))
        if (pObject->ObjectID() == poLineBase + kValuesDataLine) ++uCount;
    return uCount;
}

bool Finite(const Drawing& drawing)
{
    return std::isfinite(drawing.XMin()) && std::isfinite(drawing.XMax()) && std::isfinite(drawing.YMin()) &&
           std::isfinite(drawing.YMax());
}

bool HaltAtOnce(void*, int, const char*, double)
{
    return false;
}

}  // namespace

TEST(AnalysisResults, ACompletedRunGetsItsTablesChartsAndReport)
{
    SeedUniformRandom(11);
    auto pAnalysis =
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), nullptr, nullptr);
    ASSERT_FALSE(pAnalysis->Halted());
    AnalysisResults results(std::move(pAnalysis));
    const ChangePointAnalysis& analysis = results.Analysis();
    ASSERT_TRUE(results.Built());
    EXPECT_GE(analysis.valuesChanges.count(), 2u);  // the two shifts are plain

    EXPECT_EQ(contentAt(results.ValuesTable(), 20, -2), "Table of Significant Changes for Sales");
    EXPECT_NE(contentAt(results.VariationTable(), 20, -2), "<none>");
    EXPECT_NE(contentAt(results.AssumptionsReport(), 20, -2), "<none>");
    for (Plot* pPlot :
         {results.ValuesPlot(), results.ValuesCusumChart(), results.VariationPlot(), results.VariationCusumChart()}) {
        ASSERT_NE(pPlot, nullptr);
        const auto pDrawing = pPlot->BuildDrawing();
        EXPECT_GT(pDrawing->Count(), 10u);
        EXPECT_TRUE(Finite(*pDrawing));
    }
    // The limits and bounds the values plot shows were computed for every period and point.
    EXPECT_EQ(analysis.prValuesUCL.size(), 60u);
    for (std::size_t i = 0; i < 60; ++i) {
        EXPECT_TRUE(analysis.prValuesUpper[i].isValid());
        EXPECT_LT(analysis.prValuesLower[i].value(), analysis.prValuesUpper[i].value());
    }
    // Mode 3 by default: yellow plus one cyan band per run of equal bounds.
    EXPECT_EQ(analysis.display.uValuesBackground, vbAllChanges);
    EXPECT_GE(results.ValuesPlot()->NumberOfShadedRegions(), 1u + analysis.valuesChanges.count() + 1u);
}

TEST(AnalysisResults, AHaltedAnalysisGetsNoTablesOrCharts)
{
    SeedUniformRandom(11);
    AnalysisResults results(
        std::make_unique<ChangePointAnalysis>(SeriesOf(ShiftedValues()), AnalysisOptions(), HaltAtOnce, nullptr));
    ASSERT_TRUE(results.Analysis().Halted());
    EXPECT_FALSE(results.Built());
    EXPECT_EQ(results.ValuesTable().Count(), 0u);
    EXPECT_EQ(results.VariationTable().Count(), 0u);
    EXPECT_EQ(results.AssumptionsReport().Count(), 0u);
    EXPECT_EQ(results.ValuesPlot(), nullptr);
    EXPECT_EQ(results.VariationCusumChart(), nullptr);
    // The options only store their settings.
    EXPECT_TRUE(results.ConnectValuesPoints(false));
    EXPECT_TRUE(results.SetUseAverage(!results.Analysis().display.bUseAverage));
    EXPECT_FALSE(results.SpaceValuesPoints());
    EXPECT_EQ(results.ValuesTable().Count(), 0u);
}

TEST(AnalysisResults, EmptyAndTinySeriesBuildWithoutFailing)
{
    AnalysisResults empty(nullptr);
    EXPECT_TRUE(empty.Built());
    EXPECT_EQ(contentAt(empty.ValuesTable(), 20, -2), "No Significant Changes for ");
    EXPECT_EQ(contentAt(empty.AssumptionsReport(), 20, -2), "Assumptions Not Tested");
    for (Plot* pPlot :
         {empty.ValuesPlot(), empty.ValuesCusumChart(), empty.VariationPlot(), empty.VariationCusumChart()})
        EXPECT_TRUE(Finite(*pPlot->BuildDrawing()));
    EXPECT_TRUE(empty.SetUseAverage(true));
    EXPECT_TRUE(empty.SetValuesBackground(vbAllChanges, true));

    AnalysisResults single(FilledAnalysis({4.0}));
    EXPECT_TRUE(Finite(*single.ValuesPlot()->BuildDrawing()));
    EXPECT_TRUE(single.SpaceValuesPoints());  // ratio 0: drawn at the smallest ratio
    EXPECT_TRUE(Finite(*single.ValuesPlot()->BuildDrawing()));
}

TEST(AnalysisResults, ConnectingPointsSwitchesBetweenALineAndMarkers)
{
    AnalysisResults results(FilledAnalysis(ShiftedValues()));
    Plot& plot = *results.ValuesPlot();
    EXPECT_FALSE(results.ConnectValuesPoints(true));  // already connected

    EXPECT_TRUE(results.ConnectValuesPoints(false));
    EXPECT_FALSE(results.Analysis().display.bValuesConnect);
    EXPECT_FALSE(plot.Line(kValuesDataLine)->ConnectPoints);
    EXPECT_EQ(plot.Line(kValuesDataLine)->PointStyle, 5);
    auto pDrawing = plot.BuildDrawing();
    EXPECT_EQ(DataLineObjects<PolyLine>(*pDrawing, dtPolyLine), 0u);
    EXPECT_EQ(DataLineObjects<Ellip>(*pDrawing, dtEllip), 60u);  // one solid circle per point

    EXPECT_TRUE(results.ConnectValuesPoints(true));
    EXPECT_EQ(plot.Line(kValuesDataLine)->PointStyle, 0);
    pDrawing = plot.BuildDrawing();
    EXPECT_GE(DataLineObjects<PolyLine>(*pDrawing, dtPolyLine), 1u);
    EXPECT_EQ(DataLineObjects<Ellip>(*pDrawing, dtEllip), 0u);

    Plot& variation = *results.VariationPlot();
    EXPECT_TRUE(results.ConnectVariationPoints(false));
    EXPECT_EQ(variation.Line(kVariationDataLine)->PointStyle, 5);
    EXPECT_FALSE(results.ConnectVariationPoints(false));

    // Control limits: styles of the UCL and LCL lines.
    EXPECT_FALSE(results.ShowValuesControlLimits(true));
    EXPECT_TRUE(results.ShowValuesControlLimits(false));
    EXPECT_EQ(plot.Line(kValuesUclLine)->Style, 0);
    EXPECT_EQ(plot.Line(kValuesLclLine)->Style, 0);
    EXPECT_EQ(plot.Line(kValuesDataLine)->Style, 1);
    EXPECT_TRUE(results.ShowVariationControlLimits(false));
    EXPECT_EQ(variation.Line(kVariationUclLine)->Style, 0);
    EXPECT_TRUE(results.ShowVariationControlLimits(true));
    EXPECT_EQ(variation.Line(kVariationLclLine)->Style, 1);
}

TEST(AnalysisResults, SpacingFollowsTheNumberOfDataPoints)
{
    std::vector<double> values = ShiftedValues();
    values.resize(45);
    AnalysisResults results(FilledAnalysis(values));
    EXPECT_FALSE(results.ShowAllValuesPoints());  // as built
    EXPECT_TRUE(results.SpaceValuesPoints());
    EXPECT_EQ(results.ValuesPlot()->Ratio(), 2.0);
    EXPECT_EQ(results.ValuesPlot()->XAxisNumberLabels(), 4u);
    EXPECT_FALSE(results.SpaceValuesPoints());
    // The variation plot is spaced by the data points too, not its 22 variation points.
    EXPECT_TRUE(results.SpaceVariationPoints());
    EXPECT_EQ(results.VariationPlot()->Ratio(), 2.0);
    EXPECT_EQ(results.VariationPlot()->XAxisNumberLabels(), 4u);
    EXPECT_TRUE(results.ShowAllValuesPoints());
    EXPECT_EQ(results.ValuesPlot()->Ratio(), 2.5);
    EXPECT_EQ(results.ValuesPlot()->XAxisNumberLabels(), 8u);
    EXPECT_TRUE(results.ShowAllVariationPoints());
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
    EXPECT_EQ(results.Analysis().display.uValuesBackground, vbLevelChanges);
    EXPECT_EQ(plot.NumberOfShadedRegions(), 3u);
    EXPECT_DOUBLE_EQ(plot.ShadedRegionAt(2)->x1.value(), 19.5);
    EXPECT_TRUE(results.SetValuesBackground(vbVariationChanges));
    EXPECT_EQ(plot.NumberOfShadedRegions(), 2u);
    EXPECT_DOUBLE_EQ(plot.ShadedRegionAt(2)->x1.value(), 19.5);  // pair 9 is points 18 and 19
    EXPECT_TRUE(results.SetValuesBackground(vbNone));
    EXPECT_EQ(plot.NumberOfShadedRegions(), 1u);
    EXPECT_FALSE(results.SetValuesBackground(4));  // no such mode
    EXPECT_EQ(results.Analysis().display.uValuesBackground, vbNone);

    // Forcing rebuilds the regions of an unchanged setting.
    plot.BuildDrawing();
    EXPECT_FALSE(plot.Changed());
    EXPECT_TRUE(results.SetValuesBackground(vbNone, true));
    EXPECT_TRUE(plot.Changed());
    EXPECT_EQ(plot.NumberOfShadedRegions(), 1u);

    EXPECT_FALSE(results.SetValuesCusumBackground(true));
    EXPECT_TRUE(results.SetValuesCusumBackground(false));
    EXPECT_EQ(results.ValuesCusumChart()->NumberOfShadedRegions(), 1u);
    EXPECT_TRUE(results.SetValuesCusumBackground(false, true));
    EXPECT_TRUE(results.SetValuesCusumBackground(true));
    EXPECT_EQ(results.ValuesCusumChart()->NumberOfShadedRegions(), 3u);
    EXPECT_TRUE(results.SetVariationBackground(false));
    EXPECT_EQ(results.VariationPlot()->NumberOfShadedRegions(), 1u);
    EXPECT_TRUE(results.SetVariationCusumBackground(false));
    EXPECT_EQ(results.VariationCusumChart()->NumberOfShadedRegions(), 1u);
    EXPECT_TRUE(results.SetVariationCusumBackground(true));
    EXPECT_EQ(results.VariationCusumChart()->NumberOfShadedRegions(), 2u);
}

TEST(AnalysisResults, TheMedianAverageSwitchRecomputesInPlace)
{
    auto pAnalysis = FilledAnalysis(ShiftedValues());
    AddChange(pAnalysis->valuesChanges, 19, 99, 1, 18, 20);
    AnalysisResults results(std::move(pAnalysis));
    const ChangePointAnalysis& analysis = results.Analysis();
    ASSERT_FALSE(analysis.display.bUseAverage);
    ASSERT_EQ(analysis.display.uValuesBackground, vbAllChanges);
    Plot& values = *results.ValuesPlot();
    Plot& variation = *results.VariationPlot();
    values.BuildDrawing();
    variation.BuildDrawing();

    const Real* prUCL = analysis.prValuesUCL.data();
    const double dMedianUCL = analysis.prValuesUCL[0].value();
    const double dMedianUpper = analysis.prValuesUpper[0].value();
    const double dMedianVariationUCL = analysis.prVariationUCL[0].value();
    const double dMedianBand = values.ShadedRegionAt(2)->y2.value();
    const std::string sMedianSigma = contentAt(results.VariationTable(), 20, 2);
    EXPECT_FALSE(results.SetUseAverage(false));

    EXPECT_TRUE(results.SetUseAverage(true));
    EXPECT_EQ(analysis.prValuesUCL.data(), prUCL);  // the plots still point at the arrays
    EXPECT_NE(analysis.prValuesUCL[0].value(), dMedianUCL);
    EXPECT_NE(analysis.prValuesUpper[0].value(), dMedianUpper);
    EXPECT_NE(analysis.prVariationUCL[0].value(), dMedianVariationUCL);
    EXPECT_DOUBLE_EQ(values.ShadedRegionAt(2)->y2.value(), analysis.prValuesUpper[0].value());
    EXPECT_NE(values.ShadedRegionAt(2)->y2.value(), dMedianBand);
    EXPECT_NE(contentAt(results.VariationTable(), 20, 2), sMedianSigma);
    for (const Plot* pPlot : {&values, &variation}) {
        EXPECT_TRUE(pPlot->Changed());
        EXPECT_TRUE(pPlot->LinesDirty());
        EXPECT_TRUE(pPlot->AutoScalePending());
    }
    // Redrawn, the y range follows the new band.
    values.BuildDrawing();
    EXPECT_GE(values.YMaximum().value(), analysis.prValuesUpper[0].value());

    // Outside mode 3 the values background stays as it was.
    EXPECT_TRUE(results.SetValuesBackground(vbLevelChanges));
    const std::uint32_t uRegions = values.NumberOfShadedRegions();
    EXPECT_TRUE(results.SetUseAverage(false));
    EXPECT_EQ(values.NumberOfShadedRegions(), uRegions);
    EXPECT_FALSE(values.ShadedRegionAt(1)->y2.isValid());
    EXPECT_DOUBLE_EQ(analysis.prValuesUCL[0].value(), dMedianUCL);
    EXPECT_EQ(contentAt(results.VariationTable(), 20, 2), sMedianSigma);
}
