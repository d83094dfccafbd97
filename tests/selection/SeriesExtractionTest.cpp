// Reading a series from the cells: trimming to the numbers, blank and invalid periods and
// the question about them, subgroup means and standard deviations, grouping and thinning,
// the enough-data check, and the names and data-source line.
#include <gtest/gtest.h>

#include <cmath>

#include "SelectionTestSupport.h"
#include "platform/ScriptedUserMessages.h"
#include "selection/SeriesExtraction.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

SelectionFields ColumnFields(const char* sStart, const char* sNumberValues, const char* sFirst = "1",
                             const char* sLast = "10000")
{
    SelectionFields fields;
    fields.orientation = Orientation::Columns;
    fields.sValue = sStart;
    fields.sNumberValues = sNumberValues;
    fields.sStart = sFirst;
    fields.sEnd = sLast;
    return fields;
}

SelectionFields RowFields(const char* sStart, const char* sNumberValues, const char* sFirst = "A",
                          const char* sLast = "IV")
{
    SelectionFields fields = ColumnFields(sStart, sNumberValues, sFirst, sLast);
    fields.orientation = Orientation::Rows;
    return fields;
}

//! A series that a refusal must wipe out.
SelectedSeries PreviousSeries()
{
    SelectedSeries series;
    series.sName = "previous";
    series.uValuesPerPeriod = 2;
    series.uGroupSize = 3;
    series.prPointValues.assign(9, Real(1));
    series.prPeriodPositions.assign(9, Real(1));
    return series;
}

void ExpectEmpty(const SelectedSeries& series)
{
    EXPECT_EQ(series.sName, "");
    EXPECT_EQ(series.uValuesPerPeriod, 0u);
    EXPECT_EQ(series.uGroupSize, 0u);
    EXPECT_EQ(series.uNumberPoints(), 0u);
    EXPECT_EQ(series.uNumberVariation(), 0u);
    EXPECT_EQ(series.uNumberPeriods(), 0u);
    EXPECT_TRUE(series.psPeriodLabels.empty());
}

constexpr const char* kAtLeastFour = "At least four data points are required.  Correct and try again.";
constexpr const char* kNotEnough = "Not enough data to perform analysis.";

}  // namespace

TEST(SeriesExtraction, TooFewPeriodsOrPointsAreRefusedAndTheSeriesEmptied)
{
    struct Case {
        const char* sWhat;
        Orientation orientation;
        std::vector<std::uint32_t> puPeriodsWithNumbers;
        const char* sMessage;
    };
    const Case cases[] = {
        {"no numbers", Orientation::Columns, {}, kAtLeastFour},
        {"three rows", Orientation::Columns, {4, 5, 6}, kAtLeastFour},
        {"four rows", Orientation::Columns, {4, 5, 6, 7}, kNotEnough},
        {"three rows spread over eight", Orientation::Columns, {2, 5, 9}, kNotEnough},
        {"three columns", Orientation::Rows, {4, 5, 6}, kAtLeastFour},
        {"four columns", Orientation::Rows, {4, 5, 6, 7}, kNotEnough},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sWhat);
        Sheet sheet = EmptySheet();
        FillColumn(sheet, 1, 1, {"Title text"});
        for (const std::uint32_t uPeriod : c.puPeriodsWithNumbers) {
            if (c.orientation == Orientation::Columns)
                FillRow(sheet, uPeriod, 2, {"1.5"});
            else
                FillColumn(sheet, uPeriod, 2, {"1.5"});
        }
        const SelectionFields fields =
            c.orientation == Orientation::Columns ? ColumnFields("B", "1") : RowFields("2", "1");
        ScriptedUserMessages messages;
        SelectedSeries series = PreviousSeries();
        EXPECT_EQ(ExtractSelectedSeries(fields, sheet, messages, series), 1);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].sText, c.sMessage);
        EXPECT_EQ(messages.shown()[0].sCaption, "Error");
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
        ExpectEmpty(series);
    }
}

TEST(SeriesExtraction, TheRangeIsTrimmedToThePeriodsWithNumbersAndBlankPeriodsAreLeftOut)
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 2, 1, {"Yield", "", "10", "11", "", "13", "14", "", "16", "17", "note"});
    ScriptedUserMessages messages;
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("B", "1"), sheet, messages, series), 0);
    EXPECT_TRUE(messages.shown().empty());  // blank cells leave their period out silently
    EXPECT_EQ(series.sFirstPeriod, "3");
    EXPECT_EQ(series.sLastPeriod, "10");
    EXPECT_EQ(Values(series.prPeriodPositions), (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Strings(series.psPeriodLabels), (Texts{"3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(Values(series.prPointPeriods), (std::vector<double>{0, 1, 3, 4, 6, 7}));
    EXPECT_EQ(Values(series.prPointValues), (std::vector<double>{10, 11, 13, 14, 16, 17}));
    EXPECT_EQ(series.uNumberVariation(), 0u);
    EXPECT_EQ(series.sName, "Column B");
    EXPECT_EQ(series.sDataSource, "Data: Sheet 1, Column B, Rows 3 - 10");

    // Seven values make seven points over seven periods, and no variation points.
    Sheet seven = EmptySheet();
    FillColumn(seven, 1, 1, Numbers(7));
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("A", "1", "1", "7"), seven, messages, series), 0);
    EXPECT_EQ(series.uNumberPoints(), 7u);
    EXPECT_EQ(series.uNumberPeriods(), 7u);
    EXPECT_EQ(series.uNumberVariation(), 0u);
    EXPECT_TRUE(series.prVariationValues.empty());
}

TEST(SeriesExtraction, InvalidPeriodsAreListedOnceAndLeftOutOnlyWhenTheUserAgrees)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 10; ++uRow) FillRow(sheet, uRow, 2, {std::to_string(uRow), "5"});
    sheet.editCell(2, 3, "abc");  // text before a number
    sheet.editCell(3, 7, "");     // one blank and one number
    sheet.editCell(2, 8, "a");    // two texts: still listed once
    sheet.editCell(3, 8, "b");
    sheet.editCell(3, 9, "\"Overflow\"");  // a stored error is no number

    const SelectionFields fields = ColumnFields("B", "2");
    const char* const kQuestion =
        "Invalid data in rows: 3, 7, 8, 9.  Do you want to perform analysis without these rows?";

    ScriptedUserMessages messages;
    messages.queueAnswer(MessageAnswer::Yes);
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(fields, sheet, messages, series), 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    const ShownMessage& question = messages.shown()[0];
    EXPECT_EQ(question.sText, kQuestion);
    EXPECT_EQ(question.sCaption, "Error");
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.icon, MessageIcon::None);
    EXPECT_TRUE(question.bQuestion);
    EXPECT_EQ(Values(series.prPointPeriods), (std::vector<double>{0, 1, 3, 4, 5, 9}));
    EXPECT_EQ(Values(series.prVariationPeriods), Values(series.prPointPeriods));
    EXPECT_EQ(series.uNumberPeriods(), 10u);  // invalid periods keep their place and label
    EXPECT_EQ(series.psPeriodLabels[6], "7");

    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        ScriptedUserMessages refusing;
        refusing.queueAnswer(answer);
        SelectedSeries refused = PreviousSeries();
        EXPECT_EQ(ExtractSelectedSeries(fields, sheet, refusing, refused), 1);
        EXPECT_EQ(refusing.texts(), (Texts{kQuestion}));
        ExpectEmpty(refused);
    }

    // One blank cell among two is the question's classic example.
    Sheet blank = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 9; ++uRow) FillRow(blank, uRow, 1, {"1", "2"});
    blank.editCell(2, 7, " ");
    ScriptedUserMessages asked;
    SelectedSeries ignored;
    EXPECT_EQ(ExtractSelectedSeries(ColumnFields("A", "2"), blank, asked, ignored), 1);
    EXPECT_EQ(asked.texts(), (Texts{"Invalid data in rows: 7.  Do you want to perform analysis without these rows?"}));
}

TEST(SeriesExtraction, RowsOrientationAsksAboutColumnsAndLabelsPeriodsByColumn)
{
    Sheet sheet("Plant A", GridGeometry());
    FillRow(sheet, 1, 2, {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul"});
    FillRow(sheet, 3, 1, {"Output", "1", "2", "x", "4", "", "6", "7"});
    FillRow(sheet, 4, 1, {"", "1", "2", "3", "4", "5", "6", "7"});
    SelectionFields fields = RowFields("3", "2");
    fields.sLabels = "1";
    fields.sLabelName = "  Month ";

    ScriptedUserMessages messages;
    messages.queueAnswer(MessageAnswer::Yes);
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(fields, sheet, messages, series), 0);
    EXPECT_EQ(messages.texts(),
              (Texts{"Invalid data in columns: D, F.  Do you want to perform analysis without these columns?"}));
    EXPECT_EQ(series.sFirstPeriod, "B");  // column A holds only a header
    EXPECT_EQ(series.sLastPeriod, "H");
    EXPECT_EQ(Strings(series.psPeriodLabels), (Texts{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul"}));
    EXPECT_EQ(Values(series.prPointPeriods), (std::vector<double>{0, 1, 3, 5, 6}));
    EXPECT_EQ(Values(series.prPointValues), (std::vector<double>{1, 2, 4, 6, 7}));
    EXPECT_EQ(series.sName, "Rows 3-4");
    EXPECT_EQ(series.sLabelName, "Month");
    EXPECT_EQ(series.sDataSource, "Data: Plant A Sheet, Rows 3-4, Columns B - H");
}

TEST(SeriesExtraction, SubgroupsGiveTheirMeanAndAStandardDeviationThatIsExactlyZeroForEqualValues)
{
    const std::vector<Texts> rows = {
        {"2.7", "2.7", "2.7"},
        {"0.1", "0.1", "0.1"},
        {"1e-5", "1e-5", "1e-5"},
        {"123456.789", "123456.789", "123456.789"},
        {"1", "2", "3"},
        {"-4", "0", "4"},
        {"1e150", "1e150", "1e150"},
    };
    Sheet sheet = EmptySheet();
    for (std::size_t i = 0; i < rows.size(); ++i) FillRow(sheet, static_cast<std::uint32_t>(i + 1), 1, rows[i]);
    ScriptedUserMessages messages;
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("A", "3"), sheet, messages, series), 0);
    ASSERT_EQ(series.uNumberVariation(), rows.size());
    EXPECT_EQ(series.uValuesPerPeriod, 3u);
    for (const std::size_t i : {0, 1, 2, 3, 6}) {
        EXPECT_TRUE(series.prVariationValues[i].isValid()) << i;
        EXPECT_EQ(series.prVariationValues[i].value(), 0.0) << rows[i][0];
    }
    EXPECT_DOUBLE_EQ(series.prVariationValues[4].value(), 1.0);
    EXPECT_DOUBLE_EQ(series.prVariationValues[5].value(), 4.0);
    EXPECT_DOUBLE_EQ(series.prPointValues[0].value(), 2.7);
    EXPECT_DOUBLE_EQ(series.prPointValues[4].value(), 2.0);
    EXPECT_EQ(series.prPointValues[5].value(), 0.0);

    // Four values: the sample form divides by m - 1.
    Sheet four = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 5; ++uRow) FillRow(four, uRow, 1, {"1", "2", "3", "4"});
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("A", "4"), four, messages, series), 0);
    EXPECT_NEAR(series.prVariationValues[0].value(), std::sqrt(5.0 / 3.0), 1e-15);
    EXPECT_DOUBLE_EQ(series.prPointValues[0].value(), 2.5);
}

TEST(SeriesExtraction, AnOverflowingSubgroupGivesAnInvalidNumberRatherThanAFailure)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 5; ++uRow) FillRow(sheet, uRow, 1, {"6e153", "6e153"});
    ScriptedUserMessages messages;
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("A", "2"), sheet, messages, series), 0);
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_EQ(series.uNumberPoints(), 5u);
    EXPECT_FALSE(series.prPointValues[0].isValid());  // the sum is beyond the valid range
    EXPECT_EQ(series.prPointValues[0].message(), "Overflow");
    // Equal values never square anything large: their deviation is exactly 0.
    EXPECT_TRUE(series.prVariationValues[0].isValid());
    EXPECT_EQ(series.prVariationValues[0].value(), 0.0);
}

TEST(SeriesExtraction, GroupingAveragesWholeGroupsAndThinningKeepsEveryNthPoint)
{
    const auto tenPoints = [] {
        SelectedSeries series;
        for (int i = 0; i < 10; ++i) {
            series.prPointPeriods.push_back(Real(i + 2.0));  // periods with gaps before them
            series.prPointValues.push_back(Real(10.0 * (i + 1)));
        }
        return series;
    };
    SelectedSeries grouped = tenPoints();
    GroupPoints(grouped, 3);
    EXPECT_EQ(Values(grouped.prPointPeriods), (std::vector<double>{2, 5, 8}));
    EXPECT_EQ(Values(grouped.prPointValues), (std::vector<double>{20, 50, 80}));  // the tenth is dropped

    SelectedSeries thinned = tenPoints();
    KeepEveryNthPoint(thinned, 2);
    EXPECT_EQ(Values(thinned.prPointPeriods), (std::vector<double>{2, 4, 6, 8, 10}));
    EXPECT_EQ(Values(thinned.prPointValues), (std::vector<double>{10, 30, 50, 70, 90}));

    SelectedSeries huge = tenPoints();
    KeepEveryNthPoint(huge, UINT64_MAX);  // keeps point 0 and never steps past the end
    EXPECT_EQ(Values(huge.prPointValues), (std::vector<double>{10}));
    SelectedSeries none = tenPoints();
    GroupPoints(none, UINT64_MAX);
    EXPECT_TRUE(none.prPointValues.empty());
}

TEST(SeriesExtraction, GroupedOrThinnedSeriesLoseTheirVariationAndSayHowInTheDataSource)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 16; ++uRow) FillRow(sheet, uRow, 2, {std::to_string(uRow), "0"});

    struct Case {
        GroupingMode mode;
        const char* sGroupSize;
        std::size_t uPoints;
        const char* sSuffix;
    };
    const Case cases[] = {
        {GroupingMode::Group, "2", 8, ", 2 rows combined"},    {GroupingMode::Group, "3", 5, ", 3 rows combined"},
        {GroupingMode::EveryNth, "2", 8, ", every 2nd row"},   {GroupingMode::EveryNth, "3", 6, ", every 3rd row"},
        {GroupingMode::EveryNth, "3.0", 6, ", every 3rd row"}, {GroupingMode::EveryNth, "2e0", 8, ", every 2nd row"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sGroupSize);
        SelectionFields fields = ColumnFields("B", "2");
        fields.mode = c.mode;
        fields.sGroupSize = c.sGroupSize;
        ScriptedUserMessages messages;
        SelectedSeries series;
        ASSERT_EQ(ExtractSelectedSeries(fields, sheet, messages, series), 0);
        EXPECT_EQ(series.uNumberPoints(), c.uPoints);
        EXPECT_EQ(series.uNumberVariation(), 0u);
        EXPECT_TRUE(series.prVariationPeriods.empty());
        EXPECT_EQ(series.uNumberPeriods(), 16u);
        EXPECT_EQ(series.sDataSource, "Data: Sheet 1, Columns B-C, Rows 1 - 16" + std::string(c.sSuffix));
    }

    // Along a row: every 4th and groups of 3 of seventeen columns.
    Sheet rows("Sheet 2", GridGeometry());
    FillRow(rows, 3, 2, Numbers(17));
    SelectionFields fields = RowFields("3", "1");
    fields.mode = GroupingMode::EveryNth;
    fields.sGroupSize = "4";
    ScriptedUserMessages messages;
    SelectedSeries series;
    ASSERT_EQ(ExtractSelectedSeries(fields, rows, messages, series), 0);
    EXPECT_EQ(series.uGroupSize, 4u);
    EXPECT_EQ(Values(series.prPointPeriods), (std::vector<double>{0, 4, 8, 12, 16}));
    EXPECT_EQ(series.sDataSource, "Data: Sheet 2, Row 3, Columns B - R, every 4th column");
    fields.mode = GroupingMode::Group;
    fields.sGroupSize = "3";
    ASSERT_EQ(ExtractSelectedSeries(fields, rows, messages, series), 0);
    EXPECT_EQ(series.sDataSource, "Data: Sheet 2, Row 3, Columns B - R, 3 columns combined");

    // Grouping that leaves fewer than five points is not enough.
    fields.sGroupSize = "4";
    EXPECT_EQ(ExtractSelectedSeries(fields, rows, messages, series), 1);
    EXPECT_EQ(messages.texts().back(), kNotEnough);
    ExpectEmpty(series);
}

TEST(SeriesExtraction, NamesComeFromTheFieldsOrTheDataAndTheTabCaptionNamesTheSheet)
{
    struct Case {
        const char* sTab;
        const char* sName;
        const char* sLabelName;
        const char* sExpectedName;
        const char* sExpectedLabelName;
        const char* sSource;
    };
    const Case cases[] = {
        {"Sheet 1", "  Growth \t", "", "Growth", "Row", "Data: Sheet 1, Columns C-D, Rows 2 - 9"},
        {"Sheet 1", " \t\r\n", " Week\n", "Columns C-D", "Week", "Data: Sheet 1, Columns C-D, Rows 2 - 9"},
        {"sheet1", "", "", "Columns C-D", "Row", "Data: sheet1 Sheet, Columns C-D, Rows 2 - 9"},
        {"  Plant A  ", "", "", "Columns C-D", "Row", "Data: Plant A Sheet, Columns C-D, Rows 2 - 9"},
        {"Sheets of May", "", "", "Columns C-D", "Row", "Data: Sheets of May, Columns C-D, Rows 2 - 9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sTab);
        Sheet sheet(c.sTab, GridGeometry());
        for (std::uint32_t uRow = 2; uRow <= 9; ++uRow) FillRow(sheet, uRow, 3, {"1", "2"});
        SelectionFields fields = ColumnFields("C", "2");
        fields.sName = c.sName;
        fields.sLabelName = c.sLabelName;
        ScriptedUserMessages messages;
        SelectedSeries series;
        ASSERT_EQ(ExtractSelectedSeries(fields, sheet, messages, series), 0);
        EXPECT_EQ(series.sName, c.sExpectedName);
        EXPECT_EQ(series.sLabelName, c.sExpectedLabelName);
        EXPECT_EQ(series.sDataSource, c.sSource);
    }
}

TEST(SeriesExtraction, MagnitudesTheAnalysisCannotHoldAreRefusedOrQuestioned)
{
    ScriptedUserMessages messages;
    SelectedSeries series;

    // Subgroups of 1e100: their standard deviations are taken at a scale where the
    // squares do not overflow.
    Sheet large = EmptySheet();
    FillColumn(large, 1, 1, Numbers(8, 1e100));
    FillColumn(large, 2, 1, Numbers(8, 1e100, 3e100));
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("A", "2"), large, messages, series), 0);
    ASSERT_EQ(series.prVariationValues.size(), 8u);
    EXPECT_NEAR(series.prVariationValues[0].value(), 3e100 / std::sqrt(2.0), 1e88);
    EXPECT_NEAR(series.prPointValues[0].value(), 2.5e100, 1e88);

    // 1e-120 beside 1e120: no scale holds both.
    Sheet wide = EmptySheet();
    FillColumn(wide, 2, 1, {"1e-120", "2", "3", "1e120", "5", "6"});
    EXPECT_EQ(ExtractSelectedSeries(ColumnFields("B", "1"), wide, messages, series), 1);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sText,
              "The values of Column B range in magnitude from 1e-120 to 1e120: too wide "
              "a spread to analyse at any one scale.");
    ExpectEmpty(series);

    // Sums of 1e153 would leave the number type.
    Sheet huge = EmptySheet();
    FillColumn(huge, 2, 1, Numbers(60, 1e153));
    EXPECT_EQ(ExtractSelectedSeries(ColumnFields("B", "1"), huge, messages, series), 1);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_NE(messages.shown()[1].sText.find("their sums would go beyond 1e154"), std::string::npos);

    // Nearer to 0 than the number type holds: invalid like an overflow, never a silent 0.
    Sheet tiny = EmptySheet();
    FillColumn(tiny, 2, 1, {"1", "2", "3e-200", "4", "5 10^-170", "6", "1e300", "0.0e-300", "9"});
    messages.queueAnswer(MessageAnswer::Yes);
    ASSERT_EQ(ExtractSelectedSeries(ColumnFields("B", "1"), tiny, messages, series), 0);
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[2].sText,
              "Invalid data in rows: 3, 5, 7.  Do you want to perform analysis without these rows?");
    EXPECT_EQ(Values(series.prPointValues), (std::vector<double>{1, 2, 4, 6, 0, 9}));
}
