// The tables of significant changes and the assumptions report: every text, number form,
// rule and bar where the layout puts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ResultsTestSupport.h"
#include "analysis/ControlChartFunctions.h"
#include "graphics/Drawing.h"
#include "results/ResultsColors.h"
#include "results/ResultsTables.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

std::vector<double> Steps()
{
    // Three levels with a little noise, 30 points: means 10.1, 20.2 and 15.3 by design.
    std::vector<double> values;
    for (int i = 0; i < 30; ++i) values.push_back((i < 10 ? 10.1 : i < 20 ? 20.2 : 15.3) + (i % 2 ? 0.5 : -0.5));
    return values;
}

struct RuleSet {
    std::vector<const Line*> horizontal;
    std::vector<const Line*> vertical;
};

RuleSet RulesOf(const Drawing& drawing)
{
    RuleSet rules;
    for (const Line* pLine : objectsOf<Line>(drawing, dtLine)) {
        EXPECT_EQ(pLine->Color(), kResultsBlack);
        EXPECT_EQ(pLine->Style(), 1);
        EXPECT_DOUBLE_EQ(pLine->ThicknessX(), 0.1);
        (pLine->Y1() == pLine->Y2() ? rules.horizontal : rules.vertical).push_back(pLine);
    }
    return rules;
}

std::vector<double> BarLengths(const Drawing& drawing)
{
    std::vector<double> lengths;
    for (const Rect* pBar : objectsOf<Rect>(drawing, dtRect)) {
        EXPECT_EQ(pBar->Color(), kResultsRed);
        EXPECT_TRUE(pBar->Filled());
        EXPECT_EQ(pBar->FillColor(), kResultsRed);
        EXPECT_EQ(pBar->XMin(), 35.0);
        EXPECT_EQ(pBar->YMax() - pBar->YMin(), 1.0);
        lengths.push_back(pBar->XMax() - pBar->XMin());
    }
    return lengths;
}

}  // namespace

TEST(ResultsTables, WithoutChangesTheTableIsATitleAParameterLineAndTheAverage)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Steps());
    Drawing drawing;
    BuildValuesTable(analysis, drawing);

    ASSERT_EQ(drawing.Count(), 3u);  // three texts, no rules
    const Text* pTitle = textAt(drawing, 20, -2);
    ASSERT_NE(pTitle, nullptr);
    EXPECT_EQ(pTitle->Content(), "No Significant Changes for Sales");
    EXPECT_EQ(pTitle->Color(), kResultsBlue);
    EXPECT_EQ(pTitle->Height(), 1.5);
    EXPECT_EQ(pTitle->Alignment(), taCentre);
    EXPECT_FALSE(pTitle->Bold());
    EXPECT_EQ(contentAt(drawing, 20, 0),
              "Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000, Sampling Without Replacement");
    EXPECT_EQ(textAt(drawing, 20, 0)->Height(), 0.8);
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Average = " + analysis.rMeanValues.toText(8, true).str());
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Average = 15.2");

    // Sampling with replacement and ranks: the two endings follow each other.
    analysis.bWithReplacement = true;
    analysis.bRanks = true;
    BuildValuesTable(analysis, drawing);
    ASSERT_EQ(drawing.Count(), 3u);  // rebuilt, not added to
    EXPECT_EQ(contentAt(drawing, 20, 0),
              "Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000, "
              "Sampling With Replacement, Analysis of Ranks");
}

TEST(ResultsTables, OneChangeGivesOneRuledRowWithAFullBar)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Steps());
    AddChange(analysis.valuesChanges, 9, 99.73, 1, 8, 11);
    Drawing drawing;
    BuildValuesTable(analysis, drawing);

    EXPECT_EQ(contentAt(drawing, 20, -2), "Table of Significant Changes for Sales");
    // Headings, in blue, with the label name over the first column.
    const std::vector<std::pair<double, std::string>> headings = {{2.5, "Month"},        {10, "Confidence Interval"},
                                                                  {17.5, "Conf. Level"}, {22.5, "From"},
                                                                  {27.5, "To"},          {35, "Level"}};
    for (const auto& [x, sText] : headings) {
        EXPECT_EQ(contentAt(drawing, x, 2.5), sText);
        EXPECT_EQ(textAt(drawing, x, 2.5)->Color(), kResultsBlue);
    }
    // The row: label of the first point after the change, interval as labels, the
    // confidence to 2 digits, the segment levels to 5 digits, the importance.
    EXPECT_EQ(contentAt(drawing, 2.5, 4.5), "P11");
    EXPECT_EQ(contentAt(drawing, 10, 4.5), "(P10, P13)");
    EXPECT_EQ(contentAt(drawing, 17.5, 4.5), "100%");  // 99.73 to two digits
    EXPECT_EQ(contentAt(drawing, 22.5, 4.5), "10.1");
    EXPECT_EQ(contentAt(drawing, 27.5, 4.5), "17.75");
    EXPECT_EQ(contentAt(drawing, 32.5, 4.5), "1");
    EXPECT_EQ(textAt(drawing, 2.5, 4.5)->Color(), kResultsBlack);

    const RuleSet rules = RulesOf(drawing);
    ASSERT_EQ(rules.horizontal.size(), 3u);  // above and below the headings, below the row
    EXPECT_EQ(rules.horizontal[0]->Y1(), 2.0);
    EXPECT_EQ(rules.horizontal[1]->Y1(), 4.0);
    EXPECT_EQ(rules.horizontal[2]->Y1(), 6.0);
    for (const Line* pRule : rules.horizontal) {
        EXPECT_EQ(pRule->XMin(), 0.0);
        EXPECT_EQ(pRule->XMax(), 40.0);
    }
    std::vector<double> columns;
    for (const Line* pRule : rules.vertical) {
        columns.push_back(pRule->X1());
        EXPECT_EQ(pRule->YMin(), 2.0);
        EXPECT_EQ(pRule->YMax(), 6.0);
    }
    EXPECT_EQ(columns, (std::vector<double>{0, 5, 15, 20, 25, 30, 40}));
    EXPECT_EQ(BarLengths(drawing), std::vector<double>{4.5});
    EXPECT_EQ(objectsOf<Rect>(drawing, dtRect)[0]->YMin(), 4.5);
}

TEST(ResultsTables, BarsShrinkWithTheImportanceLevel)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Steps());
    AddChange(analysis.valuesChanges, 4, 92.0, 1, 3, 5);
    AddChange(analysis.valuesChanges, 9, 99.0, 3, 9, 9);
    AddChange(analysis.valuesChanges, 19, 95.0, 2, 18, 20);
    Drawing drawing;
    BuildValuesTable(analysis, drawing);

    const std::vector<double> bars = BarLengths(drawing);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_DOUBLE_EQ(bars[0], 4.5);
    EXPECT_DOUBLE_EQ(bars[1], 1.5);
    EXPECT_DOUBLE_EQ(bars[2], 3.0);
    // Rows at 4.5, 6.5 and 8.5; the segment levels chain from row to row.
    EXPECT_EQ(contentAt(drawing, 2.5, 8.5), "P21");
    EXPECT_EQ(contentAt(drawing, 10, 6.5), "(P11, P11)");
    EXPECT_EQ(contentAt(drawing, 27.5, 4.5), contentAt(drawing, 22.5, 6.5));
    EXPECT_EQ(contentAt(drawing, 27.5, 6.5), contentAt(drawing, 22.5, 8.5));
    EXPECT_EQ(contentAt(drawing, 27.5, 8.5), "15.3");
    EXPECT_EQ(RulesOf(drawing).vertical.front()->YMax(), 10.0);  // 2c + 4

    // A damaged record's level 0 or beyond the deepest level still keeps its bar in its
    // column.
    analysis.valuesChanges.itemAs<ChangeStructure>(1)->uLevel = 0;
    analysis.valuesChanges.itemAs<ChangeStructure>(2)->uLevel = 7;
    analysis.valuesChanges.itemAs<ChangeStructure>(3)->uLevel = 0;
    BuildValuesTable(analysis, drawing);
    for (const double dBar : BarLengths(drawing)) {
        EXPECT_GT(dBar, 0.0);
        EXPECT_LE(dBar, 4.5);
    }
    EXPECT_LE(drawing.XMax(), 40.0 + 1e-9);
}

TEST(ResultsTables, VariationTableUsesTheSigmaConstantAndPairsForIndividualValues)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Steps());
    Drawing drawing;
    analysis.display.bUseAverage = false;
    BuildVariationTable(analysis, drawing);
    EXPECT_EQ(contentAt(drawing, 20, -2), "No Significant Changes for Sales Variation");
    const Real rSigma = analysis.rMedianVariation / Real(MedianSigmaConstant(1));
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Standard Deviation = " + rSigma.toText(8, true).str());
    analysis.display.bUseAverage = true;
    BuildVariationTable(analysis, drawing);
    const Real rAverageSigma = analysis.rMeanVariation / Real(ControlChartC4(1));
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Standard Deviation = " + rAverageSigma.toText(8, true).str());

    // m = 1: variation point j stands for data points 2j and 2j + 1, so a change at
    // variation position 4 is labelled with data point 10 and its interval ends with
    // data points 2 (lower + 1) and 2 (upper + 1).
    AddChange(analysis.variationChanges, 4, 96.0, 1, 3, 6);
    BuildVariationTable(analysis, drawing);
    EXPECT_EQ(contentAt(drawing, 20, -2), "Table of Significant Changes for Sales Variation");
    EXPECT_EQ(contentAt(drawing, 2.5, 4.5), "P11");
    EXPECT_EQ(contentAt(drawing, 10, 4.5), "(P9, P15)");
    EXPECT_EQ(contentAt(drawing, 17.5, 4.5), "96%");
    EXPECT_EQ(BarLengths(drawing), std::vector<double>{4.5});
}

TEST(ResultsTables, AssumptionsReportFollowsTheTestResults)
{
    ChangePointAnalysis analysis;
    Drawing drawing;
    auto report = [&](double dCorrelation, bool bOutliers) {
        analysis.dSerialCorrelation = dCorrelation;
        analysis.bOutliers = bOutliers;
        BuildAssumptionsReport(analysis, drawing);
        for (const Text* pText : textsOf(drawing)) {
            EXPECT_EQ(pText->X(), 20.0);
            EXPECT_EQ(pText->Alignment(), taCentre);
            EXPECT_EQ(pText->Height(), pText->Y() == -2 ? 1.5 : 1.0);
        }
        return contentAt(drawing, 20, -2);
    };

    // Not tested, whatever the outliers flag says.
    EXPECT_EQ(report(-1, true), "Assumptions Not Tested");
    EXPECT_EQ(textAt(drawing, 20, -2)->Color(), kResultsBlue);
    EXPECT_EQ(drawing.Count(), 2u);
    EXPECT_EQ(contentAt(drawing, 20, 0), "There is insufficient data to perform testing of assumptions.");

    EXPECT_EQ(report(50, false), "Assumptions Verified");
    EXPECT_EQ(textAt(drawing, 20, -2)->Color(), kResultsBlue);
    EXPECT_EQ(contentAt(drawing, 20, 0), "No departure from any of the assumptions was found.");
    EXPECT_EQ(report(2.6, false), "Assumptions Verified");
    EXPECT_EQ(report(97.4, false), "Assumptions Verified");

    EXPECT_EQ(report(50, true), "Outliers Detected");
    EXPECT_EQ(textAt(drawing, 20, -2)->Color(), kResultsRed);
    EXPECT_EQ(drawing.Count(), 5u);
    EXPECT_EQ(contentAt(drawing, 20, 0),
              "The data appears to contain one or more outliers.  While a change-point analysis is robust");
    EXPECT_EQ(contentAt(drawing, 20, 3),
              "on the ranks of the values.  (Click Custom Analysis button and check Ranks check box)");

    // Exactly 2.5: positive correlation, with the warning line in red and line 2 empty.
    EXPECT_EQ(report(2.5, false), "Dependent Error Structure Detected");
    EXPECT_EQ(textAt(drawing, 20, -2)->Color(), kResultsRed);
    EXPECT_EQ(drawing.Count(), 11u);
    EXPECT_EQ(textAt(drawing, 20, 2), nullptr);
    EXPECT_EQ(contentAt(drawing, 20, 0), "The data appears to violate the assumption of independent errors.");
    EXPECT_EQ(contentAt(drawing, 20, 1), "The confidence levels and confidence intervals may be affected.");
    EXPECT_EQ(contentAt(drawing, 20, 3),
              "The errors are positively correlated meaning that if one value is above average,");
    EXPECT_EQ(contentAt(drawing, 20, 6), "The reported changes, confidence levels and intervals should not be used.");
    EXPECT_EQ(textAt(drawing, 20, 6)->Color(), kResultsRed);
    EXPECT_EQ(textAt(drawing, 20, 5)->Color(), kResultsBlack);
    EXPECT_EQ(contentAt(drawing, 20, 9), " the options provided on the Custom Analysis dialog box.");
    EXPECT_EQ(contentAt(drawing, 20, 10), "Otherwise, a time series analysis is required.");
    EXPECT_EQ(report(0, false), "Dependent Error Structure Detected");

    // Exactly 97.5 with outliers: negative wording, then the outlier block lower down.
    EXPECT_EQ(report(97.5, true), "Dependent Error Structure and Outliers Detected");
    EXPECT_EQ(drawing.Count(), 15u);
    EXPECT_EQ(contentAt(drawing, 20, 3),
              "The errors are negatively correlated meaning the values tend to alternate up and down.");
    EXPECT_EQ(textAt(drawing, 20, 6)->Color(), kResultsBlack);
    EXPECT_EQ(contentAt(drawing, 20, 8),
              "the analysis from detecting.  You may be able to eliminate the correlation by ");
    EXPECT_EQ(contentAt(drawing, 20, 10), "dialog box.  A time series analysis could also be performed.");
    EXPECT_EQ(contentAt(drawing, 20, 12),
              "The data appears to contain one or more outliers.  While a change-point analysis is robust");
    EXPECT_EQ(contentAt(drawing, 20, 15),
              "on the ranks of the values.  (Click Custom Analysis button and check Ranks check box)");
}
