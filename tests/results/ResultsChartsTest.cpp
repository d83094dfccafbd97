// The four charts: their settings and lines, the control limits and bounds, and the
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

// Level 10 for points 0..9, 20 for 10..19, 14 for 20..29, alternating about the level:
// the pairs of points differ by 1 up to point 15 and by 2 from point 16 on.
std::vector<double> Levels()
{
    std::vector<double> values;
    for (int i = 0; i < 30; ++i) {
        const double dLevel = i < 10 ? 10 : i < 20 ? 20 : 14;
        const double dHalfSpread = i < 16 ? 0.5 : 1.0;
        values.push_back(dLevel + (i % 2 ? dHalfSpread : -dHalfSpread));
    }
    return values;
}

struct Band {
    double x1, x2;  // NaN: the edge
    double y1, y2;
    TColor color;
};

double OrEdge(const Real& r)
{
    return r.isValid() ? r.value() : NAN;
}

std::vector<Band> BandsOf(const Plot& plot)
{
    std::vector<Band> bands;
    for (std::uint32_t k = 1; k <= plot.NumberOfShadedRegions(); ++k) {
        const ShadedRegion* p = plot.ShadedRegionAt(k);
        bands.push_back({OrEdge(p->x1), OrEdge(p->x2), OrEdge(p->y1), OrEdge(p->y2), p->Color});
    }
    return bands;
}

// An x bound: a number, or NaN for the edge.
void ExpectBound(double dActual, double dExpected)
{
    if (std::isnan(dExpected))
        EXPECT_TRUE(std::isnan(dActual)) << "expected the edge, got " << dActual;
    else
        EXPECT_DOUBLE_EQ(dActual, dExpected);
}

// Full-height bands with the given cuts, alternating from yellow.
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

TEST(ResultsCharts, TheRegionEdgeIsAnInvalidReal)
{
    EXPECT_FALSE(RegionEdge().isValid());
}

TEST(ResultsCharts, LevelChangesCutBandsHalfwayBetweenPeriods)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    analysis.display.uValuesBackground = vbLevelChanges;
    {
        auto pPlot = BuildValuesPlot(analysis);
        ExpectBands(*pPlot, {});  // no changes: one yellow region over everything
    }
    AddChange(analysis.valuesChanges, 9, 99, 1, 9, 9);
    AddChange(analysis.valuesChanges, 19, 99, 2, 19, 19);
    auto pPlot = BuildValuesPlot(analysis);
    ExpectBands(*pPlot, {9.5, 19.5});
    auto pCusum = BuildValuesCusumChart(analysis);
    ExpectBands(*pCusum, {9.5, 19.5});
    analysis.display.bValuesCusumBackground = false;
    ExpectBands(*BuildValuesCusumChart(analysis), {});

    // The halfway point is between the period indexes, not the point indexes.
    analysis.prPointPeriods[10] = 13.0;
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
    analysis.display.bVariationCusumBackground = false;
    ExpectBands(*BuildVariationPlot(analysis), {});
    ExpectBands(*BuildVariationCusumChart(analysis), {});

    // Subgroups: variation point j belongs to data point j.
    ChangePointAnalysis subgroups;
    Fill(subgroups, Levels(), 5);
    for (std::size_t i = 0; i < 30; ++i) {
        subgroups.prVariationPeriods.emplace_back(double(i));
        subgroups.prVariationValues.emplace_back(1.0);
    }
    AddChange(subgroups.variationChanges, 4, 95, 1, 4, 4);
    subgroups.display.uValuesBackground = vbVariationChanges;
    ExpectBands(*BuildValuesPlot(subgroups), {4.5});
}

TEST(ResultsCharts, AllChangesShadeTheBandBetweenTheBounds)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    analysis.display.uValuesBackground = vbAllChanges;
    analysis.display.bUseAverage = false;

    // Constant bounds: yellow, and one cyan band from edge to edge.
    auto pPlot = BuildValuesPlot(analysis);
    std::vector<Band> bands = BandsOf(*pPlot);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].color, kResultsYellow);
    EXPECT_TRUE(std::isnan(bands[0].x1) && std::isnan(bands[0].x2) && std::isnan(bands[0].y1));
    EXPECT_EQ(bands[1].color, kResultsCyan);
    EXPECT_TRUE(std::isnan(bands[1].x1) && std::isnan(bands[1].x2));
    EXPECT_DOUBLE_EQ(bands[1].y1, analysis.prValuesLower[0].value());
    EXPECT_DOUBLE_EQ(bands[1].y2, analysis.prValuesUpper[0].value());
    EXPECT_LT(bands[1].y1, bands[1].y2);

    // A level change at 9 and a variation change after variation point 7 (data points
    // 14 and 15): the bounds change at data points 10 and 16.
    AddChange(analysis.valuesChanges, 9, 99, 1, 9, 9);
    AddChange(analysis.variationChanges, 7, 99, 1, 7, 7);
    pPlot = BuildValuesPlot(analysis);
    bands = BandsOf(*pPlot);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].color, kResultsYellow);
    const std::vector<std::pair<double, double>> spans = {{NAN, 9.5}, {9.5, 15.5}, {15.5, NAN}};
    const std::vector<std::size_t> firstPoints = {0, 10, 16};
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const Band& band = bands[k + 1];
        EXPECT_EQ(band.color, kResultsCyan);
        ExpectBound(band.x1, spans[k].first);
        ExpectBound(band.x2, spans[k].second);
        EXPECT_EQ(band.y1, analysis.prValuesLower[firstPoints[k]].value());
        EXPECT_EQ(band.y2, analysis.prValuesUpper[firstPoints[k]].value());
    }
    // The widths follow the spread of each variation segment around each level.
    const double dPerSpread = 3.0 / MedianSigmaConstant(1);
    const double dNarrow = dPerSpread * 1.0 / kSquareRootTwo, dWide = dPerSpread * 2.0 / kSquareRootTwo;
    EXPECT_NEAR(analysis.prValuesUpper[0].value(), 10 + dNarrow, 1e-12);
    EXPECT_NEAR(analysis.prValuesUpper[15].value(), 17 + dNarrow, 1e-12);  // mean of points 10..29
    EXPECT_NEAR(analysis.prValuesLower[16].value(), 17 - dWide, 1e-12);
}

TEST(ResultsCharts, ControlLimitsFollowTheSigmaEstimate)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    analysis.display.bUseAverage = false;
    auto pValues = BuildValuesPlot(analysis);
    auto pVariation = BuildVariationPlot(analysis);
    ASSERT_EQ(analysis.prValuesUCL.size(), 30u);

    const double M = analysis.rMedianVariation.value(), A = analysis.rMeanVariation.value();
    const double c = ControlChartC4(1), b = MedianSigmaConstant(1);
    EXPECT_NEAR(analysis.prValuesUCL[0].value(), analysis.rMeanValues.value() + 3 * M / b, 1e-12);
    EXPECT_NEAR(analysis.prValuesLCL[29].value(), analysis.rMeanValues.value() - 3 * M / b, 1e-12);
    EXPECT_NEAR(analysis.prVariationUCL[0].value(), M * c / b + 3 * M * std::sqrt(1 - c * c) / b, 1e-12);
    EXPECT_NEAR(analysis.prVariationLCL[7].value(), M * c / b - 3 * M * std::sqrt(1 - c * c) / b, 1e-12);

    analysis.display.bUseAverage = true;
    ComputeValuesControlLimits(analysis);
    ComputeVariationControlLimits(analysis);
    EXPECT_NEAR(analysis.prValuesUCL[0].value(), analysis.rMeanValues.value() + 3 * A / c, 1e-12);
    EXPECT_NEAR(analysis.prVariationUCL[0].value(), A + 3 * A * std::sqrt(1 / (c * c) - 1), 1e-12);
    // A LCL below 0 is kept as it comes out.
    EXPECT_LT(analysis.prVariationLCL[0].value(), 0.0);

    // Subgroups of 4: a period's mean varies sqrt(4) times less, and k = 3.
    ChangePointAnalysis subgroups;
    Fill(subgroups, Levels(), 4);
    subgroups.prVariationPeriods = subgroups.prPointPeriods;
    subgroups.prVariationValues.assign(30, Real(2.0));
    subgroups.rMeanVariation = subgroups.rMedianVariation = 2.0;
    subgroups.display.bUseAverage = true;
    ComputeValuesControlLimits(subgroups);
    EXPECT_NEAR(subgroups.prValuesUCL[0].value(), subgroups.rMeanValues.value() + 3 * 2.0 / (2 * ControlChartC4(3)),
                1e-12);
    ComputeValuesBounds(subgroups);
    EXPECT_NEAR(subgroups.prValuesUpper[3].value(), subgroups.rMeanValues.value() + 3 * 2.0 / (2 * ControlChartC4(3)),
                1e-12);
}

TEST(ResultsCharts, ChartsCarryTheirTitlesLinesAndSettings)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Levels());
    analysis.display = ChangePointAnalysis::DefaultDisplaySettings(analysis.rMeanVariation, analysis.rMedianVariation);

    auto pValues = BuildValuesPlot(analysis);
    EXPECT_EQ(pValues->MainTitle(), "Plot of Sales");
    EXPECT_EQ(pValues->YAxisLabel(), "Sales");
    EXPECT_EQ(pValues->XAxisLabel(), "Month");
    EXPECT_EQ(pValues->XAxisLabelCount(), 30u);
    EXPECT_EQ(pValues->XMinimum().value(), 0.0);
    EXPECT_EQ(pValues->XMaximum().value(), 29.0);
    EXPECT_EQ(pValues->XAxisNumberLabels(), 8u);
    EXPECT_EQ(pValues->Ratio(), 2.5);
    EXPECT_FALSE(pValues->KeyDisplay());
    EXPECT_TRUE(pValues->YAutoScale());
    ASSERT_EQ(pValues->NumberOfLines(), 5u);
    const char* labels[] = {"Upper Bound", "Lower Bound", "UCL", "LCL", "Sales"};
    const TColor colors[] = {kResultsCyan, kResultsCyan, kResultsRed, kResultsRed, kResultsBlack};
    const std::uint8_t styles[] = {0, 0, 1, 1, 1};
    const std::uint32_t counts[] = {30, 30, 30, 30, 30};
    for (std::uint32_t k = 1; k <= 5; ++k) {
        const LineInfo& line = *pValues->Line(k);
        EXPECT_EQ(line.Label, labels[k - 1]);
        EXPECT_EQ(line.Color, colors[k - 1]);
        EXPECT_EQ(line.Style, styles[k - 1]);
        EXPECT_EQ(line.uNumber, counts[k - 1]);
        EXPECT_EQ(line.PointStyle, 0);
        EXPECT_TRUE(line.ConnectPoints);
    }
    EXPECT_EQ(pValues->Line(1)->prY, analysis.prValuesUpper.data());  // the analysis's arrays, not copies
    EXPECT_EQ(pValues->Line(3)->prX, analysis.prPeriodPositions.data());
    EXPECT_EQ(pValues->Line(5)->PointSize, 0.25);
    EXPECT_EQ(pValues->Line(5)->Thickness, 0.25);
    EXPECT_EQ(pValues->Line(1)->Thickness, 0.0);
    // The invisible bounds widen the automatic y range to the shaded band.
    const auto pDrawing = pValues->BuildDrawing();
    EXPECT_LE(pValues->YMinimum().value(), analysis.prValuesLower[0].value());
    EXPECT_GE(pValues->YMaximum().value(), analysis.prValuesUpper[20].value());

    // Without a series name the y axis says "Value"; limits hidden and points as markers
    // when the settings say so.
    analysis.sName = "";
    analysis.display.bValuesLimits = false;
    analysis.display.bValuesConnect = false;
    pValues = BuildValuesPlot(analysis);
    EXPECT_EQ(pValues->YAxisLabel(), "Value");
    EXPECT_EQ(pValues->Line(3)->Style, 0);
    EXPECT_EQ(pValues->Line(4)->Style, 0);
    EXPECT_FALSE(pValues->Line(5)->ConnectPoints);
    EXPECT_EQ(pValues->Line(5)->PointStyle, 5);
    analysis.sName = "Sales";

    auto pCusum = BuildValuesCusumChart(analysis);
    EXPECT_EQ(pCusum->MainTitle(), "CUSUM Chart of Sales");
    EXPECT_EQ(pCusum->YAxisLabel(), "CUSUM");
    EXPECT_EQ(pCusum->XMinimum().value(), -1.0);  // one period before the first
    ASSERT_EQ(pCusum->NumberOfLines(), 1u);
    EXPECT_EQ(pCusum->Line(1)->uNumber, 31u);
    EXPECT_EQ(pCusum->Line(1)->Label, "Sales");
    EXPECT_EQ(pCusum->Line(1)->PointSize, 1.0);

    auto pVariation = BuildVariationPlot(analysis);
    EXPECT_EQ(pVariation->MainTitle(), "Plot of Sales Variation");
    EXPECT_EQ(pVariation->YAxisLabel(), "Standard Deviation");
    ASSERT_EQ(pVariation->NumberOfLines(), 3u);
    EXPECT_EQ(pVariation->Line(1)->Label, "UCL");
    EXPECT_EQ(pVariation->Line(2)->Label, "LCL");
    EXPECT_EQ(pVariation->Line(3)->Label, "Sales");
    EXPECT_EQ(pVariation->Line(3)->uNumber, 15u);
    EXPECT_EQ(pVariation->Line(1)->uNumber, 30u);

    analysis.bRanks = true;
    auto pVariationCusum = BuildVariationCusumChart(analysis);
    EXPECT_EQ(pVariationCusum->MainTitle(), "CUSUM Chart of Sales Ranks Variation");
    EXPECT_EQ(pVariationCusum->Line(1)->Label, "Sales Ranks Variation");
    EXPECT_EQ(pVariationCusum->Line(1)->uNumber, 16u);
    EXPECT_EQ(pVariationCusum->XMinimum().value(), -1.0);  // 2 x 1 - 3
    EXPECT_EQ(BuildValuesCusumChart(analysis)->MainTitle(), "CUSUM Chart of Sales Ranks");
}
