// The tables of significant changes and the assumptions report: texts, number forms,
// rules and bars where the layout puts them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ResultsTestSupport.h"
#include "analysis/ControlChartFunctions.h"
#include "results/ResultsColors.h"
#include "results/ResultsTables.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// Levels 10.1, 20.2 and 15.3 for ten points each, alternating half a unit about them.
std::vector<double> Steps()
{
    std::vector<double> values;
    for (int i = 0; i < 30; ++i) values.push_back((i < 10 ? 10.1 : i < 20 ? 20.2 : 15.3) + (i % 2 ? 0.5 : -0.5));
    return values;
}

std::vector<double> BarLengths(const Drawing& drawing)
{
    std::vector<double> lengths;
    for (const Rect* pBar : objectsOf<Rect>(drawing, dtRect)) {
        EXPECT_TRUE(pBar->Filled() && pBar->FillColor() == kResultsRed && pBar->XMin() == 35.0);
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
    EXPECT_EQ(contentAt(drawing, 20, 0),
              "Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000, Sampling Without Replacement");
    EXPECT_EQ(textAt(drawing, 20, 0)->Height(), 0.8);
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Average = 15.2");

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
    EXPECT_EQ(contentAt(drawing, 2.5, 2.5), "Month");  // the label name heads the first column
    EXPECT_EQ(contentAt(drawing, 17.5, 2.5), "Conf. Level");
    EXPECT_EQ(textAt(drawing, 35, 2.5)->Color(), kResultsBlue);
    // The label of the first point after the change, the interval as labels, the
    // confidence to 2 digits, the segment levels to 5 digits, the importance.
    EXPECT_EQ(contentAt(drawing, 2.5, 4.5), "P11");
    EXPECT_EQ(contentAt(drawing, 10, 4.5), "(P10, P13)");
    EXPECT_EQ(contentAt(drawing, 17.5, 4.5), "100%");  // 99.73 to two digits
    EXPECT_EQ(contentAt(drawing, 22.5, 4.5), "10.1");
    EXPECT_EQ(contentAt(drawing, 27.5, 4.5), "17.75");
    EXPECT_EQ(contentAt(drawing, 32.5, 4.5), "1");
    EXPECT_EQ(textAt(drawing, 2.5, 4.5)->Color(), kResultsBlack);

    std::vector<double> rows, columns;
    for (const Line* pRule : objectsOf<Line>(drawing, dtLine)) {
        EXPECT_TRUE(pRule->Color() == kResultsBlack && pRule->Style() == 1 && pRule->ThicknessX() == 0.1);
        if (pRule->Y1() == pRule->Y2()) {
            rows.push_back(pRule->Y1());
            EXPECT_TRUE(pRule->XMin() == 0 && pRule->XMax() == 40);
        } else {
            columns.push_back(pRule->X1());
            EXPECT_TRUE(pRule->YMin() == 2 && pRule->YMax() == 6);
        }
    }
    EXPECT_EQ(rows, (std::vector<double>{2, 4, 6}));
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
    EXPECT_EQ(contentAt(drawing, 27.5, 4.5), contentAt(drawing, 22.5, 6.5));
    EXPECT_EQ(contentAt(drawing, 27.5, 8.5), "15.3");
    EXPECT_EQ(objectsOf<Line>(drawing, dtLine).back()->Y1(), 10.0);  // 2c + 4

    // A damaged record's level 0, or one beyond the deepest level, keeps its bar in its column.
    analysis.valuesChanges.itemAs<ChangeStructure>(1)->uLevel = 0;
    analysis.valuesChanges.itemAs<ChangeStructure>(2)->uLevel = 7;
    BuildValuesTable(analysis, drawing);
    for (const double dBar : BarLengths(drawing)) EXPECT_TRUE(dBar > 0 && dBar <= 4.5);
}

TEST(ResultsTables, VariationTableUsesTheSigmaConstantAndPairsForIndividualValues)
{
    ChangePointAnalysis analysis;
    Fill(analysis, Steps());
    Drawing drawing;
    BuildVariationTable(analysis, drawing);
    EXPECT_EQ(contentAt(drawing, 20, -2), "No Significant Changes for Sales Variation");
    const Real rMedianSigma = analysis.rMedianVariation / Real(MedianSigmaConstant(1));
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Standard Deviation = " + rMedianSigma.toText(8, true).str());
    analysis.display.bUseAverage = true;
    BuildVariationTable(analysis, drawing);
    const Real rAverageSigma = analysis.rMeanVariation / Real(ControlChartC4(1));
    EXPECT_EQ(contentAt(drawing, 20, 2), "Estimated Standard Deviation = " + rAverageSigma.toText(8, true).str());

    // m = 1: a change at variation position 4 is labelled with data point 10; its
    // interval ends with data points 2 (lower + 1) and 2 (upper + 1).
    AddChange(analysis.variationChanges, 4, 96.0, 1, 3, 6);
    BuildVariationTable(analysis, drawing);
    EXPECT_EQ(contentAt(drawing, 20, -2), "Table of Significant Changes for Sales Variation");
    EXPECT_EQ(contentAt(drawing, 2.5, 4.5), "P11");
    EXPECT_EQ(contentAt(drawing, 10, 4.5), "(P9, P15)");
    EXPECT_EQ(contentAt(drawing, 17.5, 4.5), "96%");
}

TEST(ResultsTables, AssumptionsReportFollowsTheTestResults)
{
    ChangePointAnalysis analysis;
    Drawing drawing;
    auto heading = [&](double dCorrelation, bool bOutliers) {
        analysis.dSerialCorrelation = dCorrelation;
        analysis.bOutliers = bOutliers;
        BuildAssumptionsReport(analysis, drawing);
        for (const Text* pText : objectsOf<Text>(drawing, dtText))
            EXPECT_TRUE(pText->X() == 20 && pText->Alignment() == taCentre &&
                        pText->Height() == (pText->Y() == -2 ? 1.5 : 1.0));
        return contentAt(drawing, 20, -2);
    };
    auto colorAt = [&](double y) { return textAt(drawing, 20, y)->Color(); };

    EXPECT_EQ(heading(-1, true), "Assumptions Not Tested");  // whatever the outliers flag says
    EXPECT_EQ(heading(std::nan(""), false), "Assumptions Not Tested");
    EXPECT_EQ(colorAt(-2), kResultsBlue);
    EXPECT_EQ(drawing.Count(), 2u);
    EXPECT_EQ(heading(50, false), "Assumptions Verified");
    EXPECT_EQ(contentAt(drawing, 20, 0), "No departure from any of the assumptions was found.");
    EXPECT_EQ(heading(2.6, false), "Assumptions Verified");
    EXPECT_EQ(heading(97.4, false), "Assumptions Verified");
    EXPECT_EQ(heading(50, true), "Outliers Detected");
    EXPECT_EQ(colorAt(-2), kResultsRed);
    EXPECT_EQ(drawing.Count(), 5u);  // the outlier block at 0 to 3

    // Exactly 2.5: positive correlation; line 2 empty, the warning at 6 in red, line 9
    // beginning with a space.
    EXPECT_EQ(heading(2.5, false), "Dependent Error Structure Detected");
    EXPECT_EQ(drawing.Count(), 11u);
    EXPECT_EQ(textAt(drawing, 20, 2), nullptr);
    EXPECT_EQ(contentAt(drawing, 20, 6), "The reported changes, confidence levels and intervals should not be used.");
    EXPECT_EQ(colorAt(6), kResultsRed);
    EXPECT_EQ(colorAt(5), kResultsBlack);
    EXPECT_EQ(contentAt(drawing, 20, 9), " the options provided on the Custom Analysis dialog box.");
    EXPECT_EQ(heading(0, false), "Dependent Error Structure Detected");

    // Exactly 97.5 with outliers: negative wording (line 8 ending with a space), then the
    // outlier block at 12 to 15.
    EXPECT_EQ(heading(97.5, true), "Dependent Error Structure and Outliers Detected");
    EXPECT_EQ(drawing.Count(), 15u);
    EXPECT_EQ(contentAt(drawing, 20, 3),
              "The errors are negatively correlated meaning the values tend to alternate up and down.");
    EXPECT_EQ(colorAt(6), kResultsBlack);
    EXPECT_EQ(contentAt(drawing, 20, 8),
              "the analysis from detecting.  You may be able to eliminate the correlation by ");
    EXPECT_EQ(contentAt(drawing, 20, 12),
              "The data appears to contain one or more outliers.  While a change-point analysis is robust");
    EXPECT_EQ(contentAt(drawing, 20, 15),
              "on the ranks of the values.  (Click Custom Analysis button and check Ranks check box)");
}
