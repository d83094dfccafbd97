// Ostrel-Vane Studio - the rows of the two tables of significant changes: the label of
// each change, its confidence interval as labels, its confidence, and the levels of the
// segments before and after it; and the texts of the tables and of the assumptions
// report. The drawn tables, the charts' bounds and backgrounds and the command-line
// reports cut the series and word the results the same way, so they always agree.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/ListPointers.h"
#include "foundation/Real.h"
#include "foundation/String.h"

namespace HalvrennInc {

class ChangePointAnalysis;

struct ChangeRow {
    std::uint32_t uPosition = 0;       //!< index of the last point before the change
    Real rConfidence;                  //!< percent
    std::uint32_t uLevel = 0;          //!< importance: 1 for the change found first
    std::uint32_t uIntervalLower = 0;  //!< point indexes, same convention as the position
    std::uint32_t uIntervalUpper = 0;
    String sLabel;          //!< period label of the first point after the change
    String sIntervalFirst;  //!< period label opening the confidence interval
    String sIntervalLast;   //!< period label closing it
    Real rFrom;             //!< level of the segment before the change
    Real rTo;               //!< level of the segment after it
};

//! A run of points between two changes, both ends included.
struct Segment {
    std::uint32_t uStart;
    std::uint32_t uEnd;
};

//! The segments a change list cuts uCount points into: segment i runs from the point
//! after change i (or 0) to the position of change i + 1 (or the last point).
std::vector<Segment> ChangeSegments(const ListPointers& changes, std::uint32_t uCount);

//! k = m - 1 for subgroups of m >= 2 values, 1 for individual values (whose spread is
//! measured on pairs); the constant turns an average (c4) or a median of standard
//! deviations into an estimate of sigma.
int SigmaDegrees(std::uint32_t uValuesPerPeriod);
double SigmaConstant(std::uint32_t uValuesPerPeriod, bool bUseAverage);
//! sqrt(m) for subgroups, 1 for individual values: sigma of a subgroup mean is sigma / this.
double SubgroupRoot(std::uint32_t uValuesPerPeriod);

//! The first data point a variation point stands for: with subgroups the point of the
//! same index; with individual values variation point j is the pair of data points 2j
//! and 2j + 1.
std::uint64_t DataPointOfVariation(std::uint32_t uValuesPerPeriod, std::uint64_t uVariationPoint);

//! The period label of a data point (empty when the point or its period does not exist).
String PointLabel(const ChangePointAnalysis& analysis, std::uint64_t uPoint);

//! The mean of the data values over a segment (a valid 0 for a segment outside the series).
Real SegmentLevel(const ChangePointAnalysis& analysis, const Segment& segment);
//! The average or the median (as the use-average setting says) of the variation values
//! over a segment (a valid 0 for a segment outside the series).
Real SegmentSpread(const ChangePointAnalysis& analysis, const Segment& segment);
//! The same over all variation values.
Real OverallSpread(const ChangePointAnalysis& analysis);

//! Rows of the level changes: segment levels are means of the values.
std::vector<ChangeRow> ValuesChangeRows(const ChangePointAnalysis& analysis);
//! Rows of the variation changes: segment levels are estimated standard deviations
//! (mean or median of the segment's variation values over the constant). With
//! individual values a variation point j stands for data points 2j and 2j + 1.
std::vector<ChangeRow> VariationChangeRows(const ChangePointAnalysis& analysis);

//! The estimated standard deviation over all variation values (the variation table's
//! last line when there are no changes).
Real EstimatedStandardDeviation(const ChangePointAnalysis& analysis);

// ----- Texts of the tables

//! "Table of Significant Changes for " (or "No Significant Changes for ") and the series
//! name, followed by " Variation" for the variation table.
String ChangeTableTitle(const ChangePointAnalysis& analysis, bool bVariation, bool bChanges);
//! "Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000, Sampling
//! Without Replacement", with ", Analysis of Ranks" after it when ranks were analysed.
String ParameterLine(const ChangePointAnalysis& analysis);
//! The confidence of a change: two significant digits and "%".
String ConfidenceText(const Real& rConfidence);
//! The last line of a table without changes: the estimated average of the values, or the
//! estimated standard deviation of the variation.
String NoChangeSummary(const ChangePointAnalysis& analysis, bool bVariation);

// ----- The assumptions report

//! One line of the report: the heading at y = -2, body lines at their y (1 apart, gaps
//! left empty). bRed marks a heading that reports a violation and the body line that
//! warns not to use the results; other headings are blue and other lines black.
struct ReportLine {
    String sText;
    double dY = 0;
    bool bHeading = false;
    bool bRed = false;
};

//! The report for a serial-correlation percentile (-1: not tested) and the outliers flag.
std::vector<ReportLine> AssumptionsReportLines(double dSerialCorrelation, bool bOutliers);

}  // namespace HalvrennInc
