// Ostrel-Vane Studio - the rows of the tables of significant changes.
#include "results/ChangeRows.h"

#include <cmath>

#include "analysis/ChangePointAnalysis.h"
#include "analysis/ControlChartFunctions.h"

namespace HalvrennInc {

namespace {

// Segment i of a change list runs from the point after change i (or 0) to the position of
// change i + 1 (or the last point).
struct Segment {
    std::uint32_t uStart;
    std::uint32_t uEnd;
};

std::vector<Segment> Segments(const std::vector<const ChangeStructure*>& changes, std::uint32_t uCount)
{
    std::vector<Segment> segments;
    std::uint32_t uStart = 0;
    for (const ChangeStructure* change : changes) {
        segments.push_back({uStart, change->uPosition});
        uStart = change->uPosition + 1;
    }
    segments.push_back({uStart, uCount == 0 ? 0 : uCount - 1});
    return segments;
}

template <class Level>
std::vector<ChangeRow> Rows(const ChangePointAnalysis& analysis, const ListPointers& list, std::uint32_t uCount,
                            std::uint64_t uPointsPerIndex, Level level)
{
    const std::vector<const ChangeStructure*> changes = ChangeList(list);
    const std::vector<Segment> segments = Segments(changes, uCount);
    auto label = [&](std::uint64_t uIndex) { return PointLabel(analysis, uPointsPerIndex * (uIndex + 1)); };
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

}  // namespace

int SigmaDegrees(std::uint32_t uValuesPerPeriod)
{
    return uValuesPerPeriod >= 2 ? int(uValuesPerPeriod) - 1 : 1;
}

double SigmaConstant(std::uint32_t uValuesPerPeriod, bool bUseAverage)
{
    const int k = SigmaDegrees(uValuesPerPeriod);
    return bUseAverage ? ControlChartC4(k) : MedianSigmaConstant(k);
}

String PointLabel(const ChangePointAnalysis& analysis, std::uint64_t uPoint)
{
    if (uPoint >= analysis.prPointPeriods.size()) return String();
    const Real& rPeriod = analysis.prPointPeriods[uPoint];
    const double dPeriod = std::trunc(rPeriod.value());
    if (!rPeriod.isValid() || dPeriod < 0 || dPeriod >= double(analysis.psPeriodLabels.size())) return String();
    return analysis.psPeriodLabels[static_cast<std::size_t>(dPeriod)];
}

std::vector<ChangeRow> ValuesChangeRows(const ChangePointAnalysis& analysis)
{
    const auto& prValues = analysis.prPointValues;
    return Rows(analysis, analysis.valuesChanges, analysis.uNumberPoints(), 1, [&](const Segment& segment) {
        Real rMean;
        if (ValidSegment(segment, prValues.size())) SegmentMean(segment.uStart, segment.uEnd, prValues.data(), rMean);
        return rMean;
    });
}

std::vector<ChangeRow> VariationChangeRows(const ChangePointAnalysis& analysis)
{
    const auto& prVariation = analysis.prVariationValues;
    const bool bAverage = analysis.display.bUseAverage;
    const Real rConstant(SigmaConstant(analysis.uValuesPerPeriod, bAverage));
    const std::uint64_t uPointsPerIndex = analysis.uValuesPerPeriod >= 2 ? 1 : 2;
    return Rows(analysis, analysis.variationChanges, analysis.uNumberVariation(), uPointsPerIndex,
                [&](const Segment& segment) {
                    Real rSpread;
                    if (ValidSegment(segment, prVariation.size())) {
                        if (bAverage)
                            SegmentMean(segment.uStart, segment.uEnd, prVariation.data(), rSpread);
                        else
                            SegmentMedian(segment.uStart, segment.uEnd, prVariation.data(), rSpread);
                    }
                    return rSpread / rConstant;
                });
}

String ChangeTableTitle(const ChangePointAnalysis& analysis, bool bVariation, bool bAnyChanges)
{
    String sTitle(bAnyChanges ? "Table of Significant Changes for " : "No Significant Changes for ");
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
    String sText = rConfidence.toText(2, true);
    sText.append("%");
    return sText;
}

std::vector<ReportLine> AssumptionsReportLines(double dSerialCorrelation, bool bOutliers)
{
    std::vector<ReportLine> lines;
    auto heading = [&](const char* psText, bool bRed) { lines.push_back({-2, String(psText), true, bRed}); };
    auto line = [&](double dY, const char* psText, bool bRed = false) {
        lines.push_back({dY, String(psText), false, bRed});
    };
    auto outlierBlock = [&](double dTop) {
        line(dTop, "The data appears to contain one or more outliers.  While a change-point analysis is robust");
        line(dTop + 1, "to outliers, the outliers create added variation in the data making it more difficult");
        line(dTop + 2, "to detect the changes.  You may get better results by performing a custom analysis");
        line(dTop + 3, "on the ranks of the values.  (Click Custom Analysis button and check Ranks check box)");
    };

    if (dSerialCorrelation == -1) {
        heading("Assumptions Not Tested", false);
        line(0, "There is insufficient data to perform testing of assumptions.");
        return lines;
    }
    if (!IndependenceViolated(dSerialCorrelation)) {
        if (!bOutliers) {
            heading("Assumptions Verified", false);
            line(0, "No departure from any of the assumptions was found.");
        } else {
            heading("Outliers Detected", true);
            outlierBlock(0);
        }
        return lines;
    }

    heading(bOutliers ? "Dependent Error Structure and Outliers Detected" : "Dependent Error Structure Detected", true);
    line(0, "The data appears to violate the assumption of independent errors.");
    line(1, "The confidence levels and confidence intervals may be affected.");
    if (dSerialCorrelation <= 2.5) {
        line(3, "The errors are positively correlated meaning that if one value is above average,");
        line(4, "the next several values will also tend to be above average.");
        line(5, "As a result, the analysis may incorrectly indicate a change has taken place.");
        line(6, "The reported changes, confidence levels and intervals should not be used.", true);
        line(7, "You may be able to eliminate the correlation by sampling less frequently");
        line(8, "or by averaging the values over more extended time periods using");
        line(9, " the options provided on the Custom Analysis dialog box.");
        line(10, "Otherwise, a time series analysis is required.");
    } else {
        line(3, "The errors are negatively correlated meaning the values tend to alternate up and down.");
        line(4, "This generates extra noise in the data not properly accounted for in the analysis.");
        line(5, "As a result, the true confidence levels are greater than reported and the confidence");
        line(6, "intervals given are wider than necessary.  The reported changes can be trusted, but");
        line(7, "other changes may also have occurred that the negative serial correlation prevented");
        line(8, "the analysis from detecting.  You may be able to eliminate the correlation by ");
        line(9, "averaging consecutive values using the options provided on the Custom Analysis");
        line(10, "dialog box.  A time series analysis could also be performed.");
    }
    if (bOutliers) outlierBlock(12);
    return lines;
}

Real EstimatedStandardDeviation(const ChangePointAnalysis& analysis)
{
    const bool bAverage = analysis.display.bUseAverage;
    return (bAverage ? analysis.rMeanVariation : analysis.rMedianVariation) /
           Real(SigmaConstant(analysis.uValuesPerPeriod, bAverage));
}

}  // namespace HalvrennInc
