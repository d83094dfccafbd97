// The four charts: their lines and settings, the control limits and bounds, and the
// coloured backgrounds of every mode.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ResultsTestSupport.h"
#include "analysis/ControlChartFunctions.h"
#include "graphics/Plot.h"
#include "results/ResultsCharts.h"
#include "results/ResultsColors.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// Levels 10, 20 and 14 for ten points each, alternating about the level: the pairs of
// points differ by 1 up to point 15 and by 2 from point 16 on.
std::vector<double> Levels()
{
    std::vector<double> values;
    for (int i = 0; i < 30; ++i) {
        const double dHalfSpread = i < 16 ? 0.5 : 1.0;
        values.push_back((i < 10 ? 10 : i < 20 ? 20 : 14) + (i % 2 ? dHalfSpread : -dHalfSpread));
    }
    return values;
}

// A region as numbers, NaN standing for an open side (the edge).
struct Band {
    double x1, x2, y1, y2;
    TColor color;
};

std::vector<Band> BandsOf(const Plot& plot)
{
    auto number = [](const Real& r) { return r.isValid() ? r.value() : NAN; };
    std::vector<Band> bands;
    for (std::uint32_t k = 1; k <= plot.NumberOfShadedRegions(); ++k) {
        const ShadedRegion* p = plot.ShadedRegionAt(k);
        bands.push_back({number(p->x1), number(p->x2), number(p->y1), number(p->y2), p->Color});
    }
    return bands;
}

void ExpectBound(double dActual, double dExpected)
{
    if (std::isnan(dExpected))
        EXPECT_TRUE(std::isnan(dActual)) << "expected the edge, got " << dActual;
    else
        EXPECT_DOUBLE_EQ(dActual, dExpected);
}

// Full-height bands cut at the given x values, alternating from yellow.
void ExpectBands(const Plot& plot, const std::vector<double>& cuts)
{
    const std::vector<Band> bands = BandsOf(plot);
    ASSERT_EQ(bands.size(), cuts.size() + 1);
    for (std::size_t k = 0; k < bands.size(); ++k) {
        ExpectBound(bands[k].x1, k == 0 ? NAN : cuts[k - 1]);
        ExpectBound(bands[k].x2, k == cuts.size() ? NAN : cuts[k]);
        EXPECT_TRUE(std::isnan(bands[k].y1) && std::isnan(bands[k].y2));
        EXPECT_EQ(bands[k].color, k % 2 ? kResultsCyan : kResultsYellow) << "band " << k;
    }
}

}  // namespace

TEST(ResultsCharts, LevelChangesCutBandsHalfwayBetweenPeriods)
{
    EXPECT_FALSE(RegionEdge().isValid());  // 1e300 through the guarded store
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    analysis.display.uValuesBackground = vbLevelChanges;
    ExpectBands(*BuildValuesPlot(analysis), {});  // no changes: one yellow region

    AddChange(analysis.valuesChanges, 9, 99, 1, 9, 9);
    AddChange(analysis.valuesChanges, 19, 99, 2, 19, 19);
    auto pPlot = BuildValuesPlot(analysis);
    ExpectBands(*pPlot, {9.5, 19.5});
    ExpectBands(*BuildValuesCusumChart(analysis), {9.5, 19.5});
    analysis.display.bValuesCusumBackground = false;
    ExpectBands(*BuildValuesCusumChart(analysis), {});

    analysis.prPointPeriods[10] = 13.0;  // halfway between the periods, not the indexes
    ShadeValuesPlot(analysis, *pPlot);
    ExpectBands(*pPlot, {11, 19.5});
    analysis.display.uValuesBackground = vbNone;
    ShadeValuesPlot(analysis, *pPlot);
    ExpectBands(*pPlot, {});
}

TEST(ResultsCharts, VariationChangesMapToTheirDataPoints)
{
    // Individual values: variation point 4 is the pair of points 8 and 9, so a change
    // after it falls between data points 9 and 10.
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    AddChange(analysis.variationChanges, 4, 95, 1, 4, 4);
    analysis.display.uValuesBackground = vbVariationChanges;
    ExpectBands(*BuildValuesPlot(analysis), {9.5});
    ExpectBands(*BuildVariationPlot(analysis), {9.5});
    ExpectBands(*BuildVariationCusumChart(analysis), {9.5});
    analysis.display.bVariationBackground = false;
    ExpectBands(*BuildVariationPlot(analysis), {});

    // Subgroups: variation point j belongs to data point j.
    ChangePointAnalysis subgroups;
    Fill(subgroups, Levels(), 5);
    subgroups.prVariationPeriods = subgroups.prPointPeriods;
    subgroups.prVariationValues.assign(30, Real(1.0));
    AddChange(subgroups.variationChanges, 4, 95, 1, 4, 4);
    subgroups.display.uValuesBackground = vbVariationChanges;
    ExpectBands(*BuildValuesPlot(subgroups), {4.5});
}

TEST(ResultsCharts, AllChangesShadeTheBandBetweenTheBounds)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    ASSERT_EQ(analysis.display.uValuesBackground, vbAllChanges);
    ASSERT_FALSE(analysis.display.bUseAverage);

    // Constant bounds: yellow, and one cyan band from edge to edge.
    std::vector<Band> bands = BandsOf(*BuildValuesPlot(analysis));
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_TRUE(bands[0].color == kResultsYellow && std::isnan(bands[0].x1) && std::isnan(bands[0].y1));
    EXPECT_TRUE(bands[1].color == kResultsCyan && std::isnan(bands[1].x1) && std::isnan(bands[1].x2));
    EXPECT_EQ(bands[1].y1, analysis.prValuesLower[0].value());
    EXPECT_EQ(bands[1].y2, analysis.prValuesUpper[0].value());

    // A level change at 9 and a variation change after variation point 7 (data points
    // 14 and 15): the bounds change at data points 10 and 16.
    AddChange(analysis.valuesChanges, 9, 99, 1, 9, 9);
    AddChange(analysis.variationChanges, 7, 99, 1, 7, 7);
    bands = BandsOf(*BuildValuesPlot(analysis));
    ASSERT_EQ(bands.size(), 4u);
    const double cuts[] = {NAN, 9.5, 15.5, NAN};
    const std::size_t firstPoints[] = {0, 10, 16};
    for (std::size_t k = 0; k < 3; ++k) {
        const Band& band = bands[k + 1];
        EXPECT_EQ(band.color, kResultsCyan);
        ExpectBound(band.x1, cuts[k]);
        ExpectBound(band.x2, cuts[k + 1]);
        EXPECT_EQ(band.y1, analysis.prValuesLower[firstPoints[k]].value());
        EXPECT_EQ(band.y2, analysis.prValuesUpper[firstPoints[k]].value());
    }
    // Each band is its level segment's mean plus or minus three sigmas of its variation
    // segment (median over the median constant).
    const double dNarrow = 3.0 / MedianSigmaConstant(1) / kSquareRootTwo, dWide = 2 * dNarrow;
    EXPECT_NEAR(analysis.prValuesUpper[0].value(), 10 + dNarrow, 1e-12);
    EXPECT_NEAR(analysis.prValuesUpper[15].value(), 17 + dNarrow, 1e-12);
    EXPECT_NEAR(analysis.prValuesLower[16].value(), 17 - dWide, 1e-12);
}

TEST(ResultsCharts, ControlLimitsFollowTheSigmaEstimate)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    BuildValuesPlot(analysis);
    BuildVariationPlot(analysis);
    ASSERT_EQ(analysis.prValuesUCL.size(), 30u);
    const double dMean = analysis.rMeanValues.value();
    const double M = analysis.rMedianVariation.value(), A = analysis.rMeanVariation.value();
    const double c = ControlChartC4(1), b = MedianSigmaConstant(1);
    EXPECT_NEAR(analysis.prValuesUCL[0].value(), dMean + 3 * M / b, 1e-12);
    EXPECT_NEAR(analysis.prValuesLCL[29].value(), dMean - 3 * M / b, 1e-12);
    EXPECT_NEAR(analysis.prVariationUCL[0].value(), M * c / b + 3 * M * std::sqrt(1 - c * c) / b, 1e-12);
    EXPECT_NEAR(analysis.prVariationLCL[7].value(), M * c / b - 3 * M * std::sqrt(1 - c * c) / b, 1e-12);

    analysis.display.bUseAverage = true;
    ComputeValuesControlLimits(analysis);
    ComputeVariationControlLimits(analysis);
    EXPECT_NEAR(analysis.prValuesUCL[0].value(), dMean + 3 * A / c, 1e-12);
    EXPECT_NEAR(analysis.prVariationUCL[0].value(), A + 3 * A * std::sqrt(1 / (c * c) - 1), 1e-12);
    EXPECT_LT(analysis.prVariationLCL[0].value(), 0.0);  // kept as it comes out

    // Subgroups of 4: a period's mean varies sqrt(4) times less, and k = 3.
    ChangePointAnalysis subgroups;
    Fill(subgroups, Levels(), 4);
    subgroups.prVariationPeriods = subgroups.prPointPeriods;
    subgroups.prVariationValues.assign(30, Real(2.0));
    subgroups.rMeanVariation = 2.0;
    subgroups.display.bUseAverage = true;
    ComputeValuesControlLimits(subgroups);
    ComputeValuesBounds(subgroups);
    const double dExpected = subgroups.rMeanValues.value() + 3 * 2.0 / (2 * ControlChartC4(3));
    EXPECT_NEAR(subgroups.prValuesUCL[0].value(), dExpected, 1e-12);
    EXPECT_NEAR(subgroups.prValuesUpper[3].value(), dExpected, 1e-12);
}

TEST(ResultsCharts, ChartsCarryTheirTitlesLinesAndSettings)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    auto pValues = BuildValuesPlot(analysis);
    EXPECT_EQ(pValues->MainTitle(), "Plot of Sales");
    EXPECT_EQ(pValues->YAxisLabel(), "Sales");
    EXPECT_EQ(pValues->XAxisLabel(), "Month");
    EXPECT_EQ(pValues->XMaximum().value(), 29.0);
    EXPECT_EQ(pValues->XAxisNumberLabels(), 8u);
    EXPECT_EQ(pValues->Ratio(), 2.5);
    EXPECT_FALSE(pValues->KeyDisplay());
    EXPECT_TRUE(pValues->YAutoScale());
    ASSERT_EQ(pValues->NumberOfLines(), 5u);
    const char* labels[] = {"Upper Bound", "Lower Bound", "UCL", "LCL", "Sales"};
    const TColor colors[] = {kResultsCyan, kResultsCyan, kResultsRed, kResultsRed, kResultsBlack};
    const std::uint8_t styles[] = {0, 0, 1, 1, 1};
    for (std::uint32_t k = 1; k <= 5; ++k) {
        const LineInfo& line = *pValues->Line(k);
        EXPECT_TRUE(line.Label == labels[k - 1] && line.Color == colors[k - 1] && line.Style == styles[k - 1] &&
                    line.uNumber == 30 && line.PointStyle == 0 && line.ConnectPoints)
            << "line " << k;
    }
    EXPECT_EQ(pValues->Line(1)->prY, analysis.prValuesUpper.data());  // the analysis's arrays, not copies
    // The invisible bounds widen the automatic y range to the shaded band.
    pValues->BuildDrawing();
    EXPECT_LE(pValues->YMinimum().value(), analysis.prValuesLower[0].value());
    EXPECT_GE(pValues->YMaximum().value(), analysis.prValuesUpper[20].value());

    // No series name: the y axis says "Value". Limits hidden and markers, as set.
    analysis.sName = "";
    analysis.display.bValuesLimits = false;
    analysis.display.bValuesConnect = false;
    pValues = BuildValuesPlot(analysis);
    EXPECT_EQ(pValues->YAxisLabel(), "Value");
    EXPECT_EQ(pValues->Line(3)->Style + pValues->Line(4)->Style, 0);
    EXPECT_FALSE(pValues->Line(5)->ConnectPoints);
    EXPECT_EQ(pValues->Line(5)->PointStyle, 5);
    analysis.sName = "Sales";

    auto pCusum = BuildValuesCusumChart(analysis);
    EXPECT_EQ(pCusum->MainTitle(), "CUSUM Chart of Sales");
    EXPECT_EQ(pCusum->YAxisLabel(), "CUSUM");
    EXPECT_EQ(pCusum->XMinimum().value(), -1.0);  // one period before the first
    EXPECT_EQ(pCusum->Line(1)->uNumber, 31u);
    auto pVariation = BuildVariationPlot(analysis);
    EXPECT_EQ(pVariation->MainTitle(), "Plot of Sales Variation");
    EXPECT_EQ(pVariation->YAxisLabel(), "Standard Deviation");
    ASSERT_EQ(pVariation->NumberOfLines(), 3u);
    EXPECT_EQ(pVariation->Line(1)->Label, "UCL");
    EXPECT_EQ(pVariation->Line(3)->uNumber, 15u);

    analysis.bRanks = true;
    auto pVariationCusum = BuildVariationCusumChart(analysis);
    EXPECT_EQ(pVariationCusum->MainTitle(), "CUSUM Chart of Sales Ranks Variation");
    EXPECT_EQ(pVariationCusum->Line(1)->Label, "Sales Ranks Variation");
    EXPECT_EQ(pVariationCusum->XMinimum().value(), -1.0);  // 2 x 1 - 3
    EXPECT_EQ(BuildValuesCusumChart(analysis)->MainTitle(), "CUSUM Chart of Sales Ranks");
}
