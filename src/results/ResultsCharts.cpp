// Ostrel-Vane Studio - the four charts of an analysis, their limits, bounds and
// backgrounds.
#include "results/ResultsCharts.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "analysis/ChangePointAnalysis.h"
#include "analysis/ControlChartFunctions.h"
#include "graphics/Plot.h"
#include "results/ChangeRows.h"
#include "results/ResultsColors.h"

namespace HalvrennInc {

namespace {

constexpr std::uint8_t kSolid = 1;
constexpr std::uint8_t kNotDisplayed = 0;
constexpr double kLineThickness = 0.25;
constexpr double kHairline = 0;

// The limit and bound arrays keep their storage when their size is right: the plots
// point into them.
void SizeArray(std::vector<Real>& prArray, std::size_t uSize)
{
    if (prArray.size() != uSize) prArray.assign(uSize, Real());
}

void Fill(std::vector<Real>& prArray, std::size_t uSize, const Real& value)
{
    SizeArray(prArray, uSize);
    std::fill(prArray.begin(), prArray.end(), value);
}

// A line over two of the analysis's arrays; a damaged record with arrays of different
// lengths plots only the points both have.
void AddSeries(Plot& plot, const std::vector<Real>& prX, const std::vector<Real>& prY, std::string_view sLabel,
               double dThickness, TColor color, std::uint8_t uStyle, bool bConnect, std::uint8_t uSymbol,
               double dSymbolSize)
{
    const auto uCount = static_cast<std::uint32_t>(std::min(prX.size(), prY.size()));
    plot.AddDataLine(uCount, prX.data(), prY.data(), sLabel, std::string_view(), dThickness, color, uStyle, bConnect,
                     uSymbol, dSymbolSize);
}

// The settings every chart shares, in the order the plot model expects them (the text
// labels set the x range, which the CUSUM charts then widen to their first point).
std::unique_ptr<Plot> NewChart(const ChangePointAnalysis& analysis, std::string_view sTitle,
                               std::string_view sYAxisLabel, const std::vector<Real>* prCusumX)
{
    auto pPlot = std::make_unique<Plot>(nullptr, 0);
    pPlot->SetMainTitle(sTitle);
    pPlot->SetXAxisLabel(analysis.sLabelName.view());
    pPlot->SetXAxisTextLabels(analysis.uNumberPeriods(), analysis.psPeriodLabels.data(),
                              analysis.prPeriodPositions.data());
    if (prCusumX && !prCusumX->empty()) pPlot->SetXMinimum(prCusumX->front());
    pPlot->SetXAxisNumberLabels(8);
    pPlot->SetRatio(2.5);
    pPlot->SetYAxisLabel(sYAxisLabel);
    pPlot->SetKeyDisplay(false);
    pPlot->SetYAutoScale(true);
    return pPlot;
}

void AddLimitLines(Plot& plot, const ChangePointAnalysis& analysis, const std::vector<Real>& prUCL,
                   const std::vector<Real>& prLCL, bool bShown)
{
    const std::uint8_t uStyle = LimitLineStyle(bShown);
    AddSeries(plot, analysis.prPeriodPositions, prUCL, "UCL", kLineThickness, kResultsRed, uStyle, true, symNone, 1.0);
    AddSeries(plot, analysis.prPeriodPositions, prLCL, "LCL", kLineThickness, kResultsRed, uStyle, true, symNone, 1.0);
}

void AddDataSeries(Plot& plot, const ChangePointAnalysis& analysis, const std::vector<Real>& prX,
                   const std::vector<Real>& prY, bool bConnect)
{
    AddSeries(plot, prX, prY, analysis.sName.view(), kLineThickness, kResultsBlack, kSolid, bConnect,
              DataPointSymbol(bConnect), 0.25);
}

void AddCusumSeries(Plot& plot, const std::vector<Real>& prX, const std::vector<Real>& prY, std::string_view sLabel)
{
    AddSeries(plot, prX, prY, sLabel, kLineThickness, kResultsBlack, kSolid, true, symNone, 1.0);
}

//! The series name as the CUSUM charts name what they plot.
String CusumName(const ChangePointAnalysis& analysis)
{
    return analysis.bRanks ? analysis.sName + " Ranks" : analysis.sName;
}

// ----- Backgrounds

void RemoveShadedRegions(Plot& plot)
{
    while (plot.NumberOfShadedRegions() > 0) plot.RemoveShadedRegion(plot.NumberOfShadedRegions());
}

// Halfway between the periods of data points uPoint - 1 and uPoint, where the background
// changes between them; the edge when either point does not exist.
Real BoundaryBefore(const ChangePointAnalysis& analysis, std::uint64_t uPoint)
{
    const auto& prPeriods = analysis.prPointPeriods;
    if (uPoint == 0 || uPoint >= prPeriods.size()) return RegionEdge();
    return (prPeriods[uPoint - 1] + prPeriods[uPoint]) / Real(2.0);
}

// Full-height bands cut at the given x values, yellow, cyan, yellow, ...
void ShadeBands(Plot& plot, const std::vector<Real>& prCuts)
{
    RemoveShadedRegions(plot);
    const Real rEdge = RegionEdge();
    Real rFrom = rEdge;
    bool bCyan = false;
    for (const Real& rCut : prCuts) {
        plot.AddShadedRegion(rFrom, rCut, rEdge, rEdge, bCyan ? kResultsCyan : kResultsYellow);
        rFrom = rCut;
        bCyan = !bCyan;
    }
    plot.AddShadedRegion(rFrom, rEdge, rEdge, rEdge, bCyan ? kResultsCyan : kResultsYellow);
}

std::vector<Real> LevelCuts(const ChangePointAnalysis& analysis)
{
    std::vector<Real> prCuts;
    for (const ChangeStructure* change : ChangeList(analysis.valuesChanges))
        prCuts.push_back(BoundaryBefore(analysis, std::uint64_t(change->uPosition) + 1));
    return prCuts;
}

std::vector<Real> VariationCuts(const ChangePointAnalysis& analysis)
{
    std::vector<Real> prCuts;
    for (const ChangeStructure* change : ChangeList(analysis.variationChanges)) {
        const std::uint64_t uFirstAfter =
            DataPointOfVariation(analysis.uValuesPerPeriod, std::uint64_t(change->uPosition) + 1);
        prCuts.push_back(BoundaryBefore(analysis, uFirstAfter));
    }
    return prCuts;
}

bool SameNumber(const Real& a, const Real& b)
{
    return a.isValid() == b.isValid() && a.value() == b.value();
}

// Yellow everywhere, and a cyan band between the bounds of each run of points whose
// bounds stay the same. A run without valid bounds gets no band: an open side would
// shade the full height as if the bounds were known.
void ShadeBounds(const ChangePointAnalysis& analysis, Plot& plot)
{
    RemoveShadedRegions(plot);
    const Real rEdge = RegionEdge();
    plot.AddShadedRegion(rEdge, rEdge, rEdge, rEdge, kResultsYellow);
    const auto& prUpper = analysis.prValuesUpper;
    const auto& prLower = analysis.prValuesLower;
    const std::size_t n = std::min({prUpper.size(), prLower.size(), analysis.prPointPeriods.size()});
    if (n == 0) return;
    auto addBand = [&](const Real& rFrom, const Real& rTo, std::size_t uRun) {
        if (prLower[uRun].isValid() && prUpper[uRun].isValid())
            plot.AddShadedRegion(rFrom, rTo, prLower[uRun], prUpper[uRun], kResultsCyan);
    };
    Real rFrom = rEdge;
    std::size_t uRun = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (SameNumber(prUpper[i], prUpper[uRun]) && SameNumber(prLower[i], prLower[uRun])) continue;
        const Real rCut = BoundaryBefore(analysis, i);
        addBand(rFrom, rCut, uRun);
        rFrom = rCut;
        uRun = i;
    }
    addBand(rFrom, rEdge, uRun);
}

}  // namespace

Real RegionEdge()
{
    return Real(1e300);
}

// ----- Limits and bounds

void ComputeValuesControlLimits(ChangePointAnalysis& analysis)
{
    const std::uint32_t m = analysis.uValuesPerPeriod;
    const double dSigmaDivisor = SubgroupRoot(m) * SigmaConstant(m, analysis.display.bUseAverage);
    const Real rWidth = Real(3.0) * OverallSpread(analysis) / Real(dSigmaDivisor);
    const std::size_t p = analysis.uNumberPeriods();
    Fill(analysis.prValuesUCL, p, analysis.rMeanValues + rWidth);
    Fill(analysis.prValuesLCL, p, analysis.rMeanValues - rWidth);
}

void ComputeVariationControlLimits(ChangePointAnalysis& analysis)
{
    const int k = SigmaDegrees(analysis.uValuesPerPeriod);
    const double c = ControlChartC4(k);
    Real rCentre, rWidth;
    if (analysis.display.bUseAverage) {
        const Real& rAverage = analysis.rMeanVariation;
        rCentre = rAverage;
        rWidth = Real(3.0) * rAverage * Real(std::sqrt(1 / (c * c) - 1));
    } else {
        const Real& rMedian = analysis.rMedianVariation;
        const double b = MedianSigmaConstant(k);
        rCentre = rMedian * Real(c / b);
        rWidth = Real(3.0) * rMedian * Real(std::sqrt(1 - c * c) / b);
    }
    const std::size_t p = analysis.uNumberPeriods();
    Fill(analysis.prVariationUCL, p, rCentre + rWidth);
    Fill(analysis.prVariationLCL, p, rCentre - rWidth);
}

void ComputeValuesBounds(ChangePointAnalysis& analysis)
{
    const std::uint32_t n = analysis.uNumberPoints();
    const std::uint32_t m = analysis.uValuesPerPeriod;
    SizeArray(analysis.prValuesUpper, n);
    SizeArray(analysis.prValuesLower, n);
    const Real rWidthPerSpread = Real(3.0) / Real(SubgroupRoot(m) * SigmaConstant(m, analysis.display.bUseAverage));
    const std::vector<Segment> levels = ChangeSegments(analysis.valuesChanges, n);
    const std::vector<Segment> spreads = ChangeSegments(analysis.variationChanges, analysis.uNumberVariation());

    // Both lists of segments are walked along the data points: a level segment is
    // entered at its first point, a variation segment at the first data point its first
    // variation point stands for.
    std::size_t uLevel = 0, uSpread = 0;
    Real rLevel = SegmentLevel(analysis, levels[0]);
    Real rWidth = SegmentSpread(analysis, spreads[0]) * rWidthPerSpread;
    for (std::uint32_t i = 0; i < n; ++i) {
        bool bEntered = false;
        while (uLevel + 1 < levels.size() && i >= levels[uLevel + 1].uStart) ++uLevel, bEntered = true;
        if (bEntered) rLevel = SegmentLevel(analysis, levels[uLevel]);
        bEntered = false;
        while (uSpread + 1 < spreads.size() && i >= DataPointOfVariation(m, spreads[uSpread + 1].uStart))
            ++uSpread, bEntered = true;
        if (bEntered) rWidth = SegmentSpread(analysis, spreads[uSpread]) * rWidthPerSpread;
        analysis.prValuesUpper[i] = rLevel + rWidth;
        analysis.prValuesLower[i] = rLevel - rWidth;
    }
}

// ----- Backgrounds

void ShadeValuesPlot(const ChangePointAnalysis& analysis, Plot& plot)
{
    switch (analysis.display.uValuesBackground) {
        case vbLevelChanges: ShadeBands(plot, LevelCuts(analysis)); break;
        case vbVariationChanges: ShadeBands(plot, VariationCuts(analysis)); break;
        case vbAllChanges: ShadeBounds(analysis, plot); break;
        default: ShadeBands(plot, {}); break;
    }
}

void ShadeLevelChanges(const ChangePointAnalysis& analysis, Plot& plot, bool bOn)
{
    ShadeBands(plot, bOn ? LevelCuts(analysis) : std::vector<Real>());
}

void ShadeVariationChanges(const ChangePointAnalysis& analysis, Plot& plot, bool bOn)
{
    ShadeBands(plot, bOn ? VariationCuts(analysis) : std::vector<Real>());
}

// ----- The charts

std::unique_ptr<Plot> BuildValuesPlot(ChangePointAnalysis& analysis)
{
    ComputeValuesBounds(analysis);
    ComputeValuesControlLimits(analysis);
    const DisplaySettings& display = analysis.display;
    auto pPlot = NewChart(analysis, (String("Plot of ") + analysis.sName.view()).view(),
                          analysis.sName.empty() ? std::string_view("Value") : analysis.sName.view(), nullptr);
    // The bounds are never drawn: they widen the automatic y range to the band that the
    // background of all changes shades.
    AddSeries(*pPlot, analysis.prPointPeriods, analysis.prValuesUpper, "Upper Bound", kHairline, kResultsCyan,
              kNotDisplayed, true, symNone, 0.2);
    AddSeries(*pPlot, analysis.prPointPeriods, analysis.prValuesLower, "Lower Bound", kHairline, kResultsCyan,
              kNotDisplayed, true, symNone, 0.2);
    AddLimitLines(*pPlot, analysis, analysis.prValuesUCL, analysis.prValuesLCL, display.bValuesLimits);
    AddDataSeries(*pPlot, analysis, analysis.prPointPeriods, analysis.prPointValues, display.bValuesConnect);
    ShadeValuesPlot(analysis, *pPlot);
    return pPlot;
}

std::unique_ptr<Plot> BuildValuesCusumChart(const ChangePointAnalysis& analysis)
{
    const String sName = CusumName(analysis);
    auto pPlot =
        NewChart(analysis, (String("CUSUM Chart of ") + sName.view()).view(), "CUSUM", &analysis.prValuesCusumX);
    AddCusumSeries(*pPlot, analysis.prValuesCusumX, analysis.prValuesCusumY, sName.view());
    ShadeLevelChanges(analysis, *pPlot, analysis.display.bValuesCusumBackground);
    return pPlot;
}

std::unique_ptr<Plot> BuildVariationPlot(ChangePointAnalysis& analysis)
{
    ComputeVariationControlLimits(analysis);
    const DisplaySettings& display = analysis.display;
    auto pPlot = NewChart(analysis, (String("Plot of ") + analysis.sName.view() + " Variation").view(),
                          "Standard Deviation", nullptr);
    AddLimitLines(*pPlot, analysis, analysis.prVariationUCL, analysis.prVariationLCL, display.bVariationLimits);
    AddDataSeries(*pPlot, analysis, analysis.prVariationPeriods, analysis.prVariationValues, display.bVariationConnect);
    ShadeVariationChanges(analysis, *pPlot, display.bVariationBackground);
    return pPlot;
}

std::unique_ptr<Plot> BuildVariationCusumChart(const ChangePointAnalysis& analysis)
{
    const String sName = CusumName(analysis) + " Variation";
    auto pPlot =
        NewChart(analysis, (String("CUSUM Chart of ") + sName.view()).view(), "CUSUM", &analysis.prVariationCusumX);
    AddCusumSeries(*pPlot, analysis.prVariationCusumX, analysis.prVariationCusumY, sName.view());
    ShadeVariationChanges(analysis, *pPlot, analysis.display.bVariationCusumBackground);
    return pPlot;
}

}  // namespace HalvrennInc
