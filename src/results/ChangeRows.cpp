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

Real EstimatedStandardDeviation(const ChangePointAnalysis& analysis)
{
    const bool bAverage = analysis.display.bUseAverage;
    return (bAverage ? analysis.rMeanVariation : analysis.rMedianVariation) /
           Real(SigmaConstant(analysis.uValuesPerPeriod, bAverage));
}

}  // namespace HalvrennInc
