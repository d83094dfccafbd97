// Ostrel-Vane Studio - the tables of significant changes and the assumptions report.
#include "results/ResultsTables.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ChangePointAnalysis.h"
#include "graphics/Drawing.h"
#include "results/ChangeRows.h"
#include "results/ResultsColors.h"

namespace HalvrennInc {

namespace {

// Every text is centred on its x with its top at y; every rule is a thin black line.
constexpr double kMiddle = 20;
constexpr double kTableWidth = 40;
constexpr double kTitleHeight = 1.5;
constexpr double kBodyHeight = 1;
constexpr double kParameterHeight = 0.8;
constexpr double kRuleThickness = 0.1;
//! The importance bar of the change found first; later levels get shorter bars.
constexpr double kLongestBar = 4.5;

void AddCentredText(Drawing& drawing, std::string_view sText, double x, double y, double dHeight, TColor color)
{
    drawing.AddText(sText, x, y, dHeight, taCentre, color, false, false, 0);
}

void AddRule(Drawing& drawing, double x1, double y1, double x2, double y2)
{
    drawing.AddLine(x1, y1, x2, y2, psInsideFrame, kResultsBlack, kRuleThickness, 0, 0);
}

// Both tables: a title and the parameter line; without changes one summary line, else
// a ruled table with one row per change.
void BuildChangeTable(Drawing& drawing, const ChangePointAnalysis& analysis, bool bVariation,
                      const std::vector<ChangeRow>& rows, std::uint32_t uMaxLevel)
{
    drawing.Clear();
    const bool bChanges = !rows.empty();
    AddCentredText(drawing, ChangeTableTitle(analysis, bVariation, bChanges).view(), kMiddle, -2, kTitleHeight,
                   kResultsBlue);
    AddCentredText(drawing, ParameterLine(analysis).view(), kMiddle, 0, kParameterHeight, kResultsBlack);
    if (!bChanges) {
        AddCentredText(drawing, NoChangeSummary(analysis, bVariation).view(), kMiddle, 2, kBodyHeight, kResultsBlack);
        return;
    }

    const double dBottom = 2.0 * double(rows.size()) + 4;
    AddRule(drawing, 0, 2, kTableWidth, 2);
    AddCentredText(drawing, analysis.sLabelName.view(), 2.5, 2.5, kBodyHeight, kResultsBlue);
    AddCentredText(drawing, "Confidence Interval", 10, 2.5, kBodyHeight, kResultsBlue);
    AddCentredText(drawing, "Conf. Level", 17.5, 2.5, kBodyHeight, kResultsBlue);
    AddCentredText(drawing, "From", 22.5, 2.5, kBodyHeight, kResultsBlue);
    AddCentredText(drawing, "To", 27.5, 2.5, kBodyHeight, kResultsBlue);
    AddCentredText(drawing, "Level", 35, 2.5, kBodyHeight, kResultsBlue);
    AddRule(drawing, 0, 4, kTableWidth, 4);
    for (const double x : {0.0, 5.0, 15.0, 20.0, 25.0, 30.0, kTableWidth}) AddRule(drawing, x, 2, x, dBottom);

    // The bar shrinks linearly from full length for level 1 to 1/L of it for the deepest
    // level L. Levels outside 1..L (a damaged session record) are held to that range so
    // that a bar never leaves its column.
    const double dLevels = std::max<std::uint32_t>(uMaxLevel, 1);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const ChangeRow& row = rows[k];
        const double y = 2.0 * double(k + 1) + 2.5;
        AddCentredText(drawing, row.sLabel.view(), 2.5, y, kBodyHeight, kResultsBlack);
        const String sInterval = String("(") + row.sIntervalFirst.view() + ", " + row.sIntervalLast.view() + ")";
        AddCentredText(drawing, sInterval.view(), 10, y, kBodyHeight, kResultsBlack);
        AddCentredText(drawing, ConfidenceText(row.rConfidence).view(), 17.5, y, kBodyHeight, kResultsBlack);
        AddCentredText(drawing, row.rFrom.toText(5, true).view(), 22.5, y, kBodyHeight, kResultsBlack);
        AddCentredText(drawing, row.rTo.toText(5, true).view(), 27.5, y, kBodyHeight, kResultsBlack);
        AddCentredText(drawing, std::to_string(row.uLevel), 32.5, y, kBodyHeight, kResultsBlack);
        const double dLevel = std::clamp(double(row.uLevel), 1.0, dLevels);
        const double dBar = kLongestBar * (1 - (dLevel - 1) / dLevels);
        drawing.AddRect(35, y, 35 + dBar, y + 1, psInsideFrame, kResultsRed, 0, true, kResultsRed, 0);
        AddRule(drawing, 0, y + 1.5, kTableWidth, y + 1.5);
    }
}

}  // namespace

void BuildValuesTable(const ChangePointAnalysis& analysis, Drawing& drawing)
{
    BuildChangeTable(drawing, analysis, false, ValuesChangeRows(analysis), analysis.MaxLevelValues());
}

void BuildVariationTable(const ChangePointAnalysis& analysis, Drawing& drawing)
{
    BuildChangeTable(drawing, analysis, true, VariationChangeRows(analysis), analysis.MaxLevelVariation());
}

void BuildAssumptionsReport(const ChangePointAnalysis& analysis, Drawing& drawing)
{
    drawing.Clear();
    for (const ReportLine& line : AssumptionsReportLines(analysis.dSerialCorrelation, analysis.bOutliers)) {
        const TColor color = line.bRed ? kResultsRed : line.bHeading ? kResultsBlue : kResultsBlack;
        AddCentredText(drawing, line.sText.view(), kMiddle, line.dY, line.bHeading ? kTitleHeight : kBodyHeight, color);
    }
}

}  // namespace HalvrennInc
