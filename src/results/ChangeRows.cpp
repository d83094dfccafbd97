// Ostrel-Vane Studio - the rows of the tables of significant changes.
#include "results/ChangeRows.h"

#include <cmath>
#include <iterator>
#include <string_view>

#include "analysis/ChangePointAnalysis.h"
#include "analysis/ControlChartFunctions.h"

namespace HalvrennInc {

namespace {

// pLabelPoint maps an index of the listed series (a change position or an interval end)
// to the data point whose label names the first point after it.
template <class LabelPoint, class Level>
std::vector<ChangeRow> Rows(const ChangePointAnalysis& analysis, const ListPointers& list, std::uint32_t uCount,
                            LabelPoint labelPoint, Level level)
{
    const std::vector<const ChangeStructure*> changes = ChangeList(list);
    const std::vector<Segment> segments = ChangeSegments(list, uCount);
    auto label = [&](std::uint64_t uIndex) { return PointLabel(analysis, labelPoint(uIndex + 1)); };
    std::vector<ChangeRow> rows;
    rows.reserve(changes.size());
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const ChangeStructure& change = *changes[i];
        ChangeRow row;
        row.uPosition = change.uPosition;
        row.rConfidence = change.rConfidence;
        row.uLevel = change.uLevel;
        row.uIntervalLower = change.uIntervalLower;
        row.uIntervalUpper = change.uIntervalUpper;
        row.sLabel = label(change.uPosition);
        row.sIntervalFirst = label(change.uIntervalLower);
        row.sIntervalLast = label(change.uIntervalUpper);
        row.rFrom = level(segments[i]);
        row.rTo = level(segments[i + 1]);
        rows.push_back(std::move(row));
    }
    return rows;
}

bool ValidSegment(const Segment& segment, std::size_t uCount)
{
    return segment.uStart <= segment.uEnd && segment.uEnd < uCount;
}

// ----- Texts of the assumptions report

constexpr std::string_view kOutlierBlock[] = {
    "The data appears to contain one or more outliers.  While a change-point analysis is robust",
    "to outliers, the outliers create added variation in the data making it more difficult",
    "to detect the changes.  You may get better results by performing a custom analysis",
    "on the ranks of the values.  (Click Custom Analysis button and check Ranks check box)",
};

// Lines 3 to 10 of the dependence block, by the sign of the correlation.
constexpr std::string_view kPositiveDependence[] = {
    "The errors are positively correlated meaning that if one value is above average,",
    "the next several values will also tend to be above average.",
    "As a result, the analysis may incorrectly indicate a change has taken place.",
    "The reported changes, confidence levels and intervals should not be used.",
    "You may be able to eliminate the correlation by sampling less frequently",
    "or by averaging the values over more extended time periods using",
    " the options provided on the Custom Analysis dialog box.",
    "Otherwise, a time series analysis is required.",
};
constexpr std::string_view kNegativeDependence[] = {
    "The errors are negatively correlated meaning the values tend to alternate up and down.",
    "This generates extra noise in the data not properly accounted for in the analysis.",
    "As a result, the true confidence levels are greater than reported and the confidence",
    "intervals given are wider than necessary.  The reported changes can be trusted, but",
    "other changes may also have occurred that the negative serial correlation prevented",
    "the analysis from detecting.  You may be able to eliminate the correlation by ",
    "averaging consecutive values using the options provided on the Custom Analysis",
    "dialog box.  A time series analysis could also be performed.",
};
//! The positive wording's warning not to use the results (at y = 6).
constexpr std::size_t kPositiveWarningLine = 3;

void AddOutlierBlock(std::vector<ReportLine>& lines, double yTop)
{
    for (std::size_t k = 0; k < std::size(kOutlierBlock); ++k)
        lines.push_back({String(kOutlierBlock[k]), yTop + double(k), false, false});
}

}  // namespace

std::vector<Segment> ChangeSegments(const ListPointers& changes, std::uint32_t uCount)
{
    std::vector<Segment> segments;
    segments.reserve(changes.count() + 1);
    std::uint32_t uStart = 0;
    for (const ChangeStructure* change : ChangeList(changes)) {
        segments.push_back({uStart, change->uPosition});
        uStart = change->uPosition + 1;
    }
    segments.push_back({uStart, uCount == 0 ? 0 : uCount - 1});
    return segments;
}

int SigmaDegrees(std::uint32_t uValuesPerPeriod)
{
    return uValuesPerPeriod >= 2 ? int(uValuesPerPeriod) - 1 : 1;
}

double SigmaConstant(std::uint32_t uValuesPerPeriod, bool bUseAverage)
{
    const int k = SigmaDegrees(uValuesPerPeriod);
    return bUseAverage ? ControlChartC4(k) : MedianSigmaConstant(k);
}

double SubgroupRoot(std::uint32_t uValuesPerPeriod)
{
    return uValuesPerPeriod >= 2 ? std::sqrt(double(uValuesPerPeriod)) : 1.0;
}

std::uint64_t DataPointOfVariation(std::uint32_t uValuesPerPeriod, std::uint64_t uVariationPoint)
{
    return uValuesPerPeriod >= 2 ? uVariationPoint : 2 * uVariationPoint;
}

String PointLabel(const ChangePointAnalysis& analysis, std::uint64_t uPoint)
{
    if (uPoint >= analysis.prPointPeriods.size()) return String();
    const Real& rPeriod = analysis.prPointPeriods[uPoint];
    const double dPeriod = std::trunc(rPeriod.value());
    if (!rPeriod.isValid() || dPeriod < 0 || dPeriod >= double(analysis.psPeriodLabels.size())) return String();
    return analysis.psPeriodLabels[static_cast<std::size_t>(dPeriod)];
}

Real SegmentLevel(const ChangePointAnalysis& analysis, const Segment& segment)
{
    Real rMean;
    if (ValidSegment(segment, analysis.prPointValues.size()))
        SegmentMean(segment.uStart, segment.uEnd, analysis.prPointValues.data(), rMean);
    return rMean;
}

Real SegmentSpread(const ChangePointAnalysis& analysis, const Segment& segment)
{
    Real rSpread;
    if (!ValidSegment(segment, analysis.prVariationValues.size())) return rSpread;
    if (analysis.display.bUseAverage)
        SegmentMean(segment.uStart, segment.uEnd, analysis.prVariationValues.data(), rSpread);
    else
        SegmentMedian(segment.uStart, segment.uEnd, analysis.prVariationValues.data(), rSpread);
    return rSpread;
}

Real OverallSpread(const ChangePointAnalysis& analysis)
{
    return analysis.display.bUseAverage ? analysis.rMeanVariation : analysis.rMedianVariation;
}

std::vector<ChangeRow> ValuesChangeRows(const ChangePointAnalysis& analysis)
{
    return Rows(
        analysis, analysis.valuesChanges, analysis.uNumberPoints(), [](std::uint64_t uPoint) { return uPoint; },
        [&](const Segment& segment) { return SegmentLevel(analysis, segment); });
}

std::vector<ChangeRow> VariationChangeRows(const ChangePointAnalysis& analysis)
{
    const Real rConstant(SigmaConstant(analysis.uValuesPerPeriod, analysis.display.bUseAverage));
    const std::uint32_t m = analysis.uValuesPerPeriod;
    return Rows(
        analysis, analysis.variationChanges, analysis.uNumberVariation(),
        [m](std::uint64_t uVariationPoint) { return DataPointOfVariation(m, uVariationPoint); },
        [&](const Segment& segment) { return SegmentSpread(analysis, segment) / rConstant; });
}

Real EstimatedStandardDeviation(const ChangePointAnalysis& analysis)
{
    return OverallSpread(analysis) / Real(SigmaConstant(analysis.uValuesPerPeriod, analysis.display.bUseAverage));
}

// ---------------------------------------------------------------------------------------
// Texts

String ChangeTableTitle(const ChangePointAnalysis& analysis, bool bVariation, bool bChanges)
{
    String sTitle(bChanges ? "Table of Significant Changes for " : "No Significant Changes for ");
    sTitle.append(analysis.sName.view());
    if (bVariation) sTitle.append(" Variation");
    return sTitle;
}

String ParameterLine(const ChangePointAnalysis& analysis)
{
    String sLine("Confidence Level = ");
    sLine.append(analysis.sLevel.view());
    sLine.append("%, Confidence Interval = ");
    sLine.append(analysis.sInterval.view());
    sLine.append("%, Bootstraps = ");
    sLine.append(analysis.sTrials.view());
    sLine.append(analysis.bWithReplacement ? ", Sampling With Replacement" : ", Sampling Without Replacement");
    if (analysis.bRanks) sLine.append(", Analysis of Ranks");
    return sLine;
}

String ConfidenceText(const Real& rConfidence)
{
    return rConfidence.toText(2, true) + "%";
}

String NoChangeSummary(const ChangePointAnalysis& analysis, bool bVariation)
{
    if (bVariation)
        return String("Estimated Standard Deviation = ") + EstimatedStandardDeviation(analysis).toText(8, true).view();
    return String("Estimated Average = ") + analysis.rMeanValues.toText(8, true).view();
}

std::vector<ReportLine> AssumptionsReportLines(double dSerialCorrelation, bool bOutliers)
{
    std::vector<ReportLine> lines;
    auto heading = [&](std::string_view sText, bool bRed) { lines.push_back({String(sText), -2, true, bRed}); };
    auto body = [&](std::string_view sText, double y, bool bRed = false) {
        lines.push_back({String(sText), y, false, bRed});
    };
    if (!(dSerialCorrelation >= 0)) {  // too few values to test (or no number at all)
        heading("Assumptions Not Tested", false);
        body("There is insufficient data to perform testing of assumptions.", 0);
        return lines;
    }
    if (!IndependenceViolated(dSerialCorrelation)) {
        if (bOutliers) {
            heading("Outliers Detected", true);
            AddOutlierBlock(lines, 0);
        } else {
            heading("Assumptions Verified", false);
            body("No departure from any of the assumptions was found.", 0);
        }
        return lines;
    }
    heading(bOutliers ? "Dependent Error Structure and Outliers Detected" : "Dependent Error Structure Detected", true);
    body("The data appears to violate the assumption of independent errors.", 0);
    body("The confidence levels and confidence intervals may be affected.", 1);
    const bool bPositive = dSerialCorrelation <= 2.5;
    const auto& wording = bPositive ? kPositiveDependence : kNegativeDependence;
    for (std::size_t k = 0; k < std::size(wording); ++k)
        body(wording[k], 3 + double(k), bPositive && k == kPositiveWarningLine);
    if (bOutliers) AddOutlierBlock(lines, 12);
    return lines;
}

}  // namespace HalvrennInc
