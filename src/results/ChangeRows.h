// Ostrel-Vane Studio - the rows of the two tables of significant changes: the label of
// each change, its confidence interval as labels, its confidence, and the levels of the
// segments before and after it. The drawn tables and the command-line reports read the
// same rows, so both always agree.
#pragma once

#include <cstdint>
#include <vector>

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

//! k = m - 1 for subgroups of m >= 2 values, 1 for individual values (whose spread is
//! measured on pairs); the constant turns an average (c4) or a median of standard
//! deviations into an estimate of sigma.
int SigmaDegrees(std::uint32_t uValuesPerPeriod);
double SigmaConstant(std::uint32_t uValuesPerPeriod, bool bUseAverage);

//! The period label of a data point (empty when the point or its period does not exist).
String PointLabel(const ChangePointAnalysis& analysis, std::uint64_t uPoint);

//! Rows of the level changes: segment levels are means of the values.
std::vector<ChangeRow> ValuesChangeRows(const ChangePointAnalysis& analysis);
//! Rows of the variation changes: segment levels are estimated standard deviations
//! (mean or median of the segment's variation values over the constant). With
//! individual values a variation point j stands for data points 2j and 2j + 1.
std::vector<ChangeRow> VariationChangeRows(const ChangePointAnalysis& analysis);

//! Texts shared by the drawn tables and the reports.
//! "Table of Significant Changes for <name>" or "No Significant Changes for <name>",
//! with " Variation" after the name for the variation table.
String ChangeTableTitle(const ChangePointAnalysis& analysis, bool bVariation, bool bAnyChanges);
//! "Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000, Sampling ..."
String ParameterLine(const ChangePointAnalysis& analysis);
//! A change's confidence as the tables show it: two significant digits and "%".
String ConfidenceText(const Real& rConfidence);

//! One line of the assumptions report; y is its line number on the page (-2 for the
//! heading), bRed marks the lines shown in red.
struct ReportLine {
    double dY;
    String sText;
    bool bHeading;
    bool bRed;
};
//! The heading and body of the assumptions report for the analysis' test results.
std::vector<ReportLine> AssumptionsReportLines(double dSerialCorrelation, bool bOutliers);

//! The estimated standard deviation over all variation values (the variation table's
//! last line when there are no changes).
Real EstimatedStandardDeviation(const ChangePointAnalysis& analysis);

}  // namespace HalvrennInc
