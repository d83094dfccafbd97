// The data selection's handlers: what the grid selection proposes, how the dependent
// fields follow an edit, and what the fast analysis and the dialog's OK do.
#include <gtest/gtest.h>

#include "SelectionTestSupport.h"
#include "platform/ScriptedUserMessages.h"
#include "selection/DataSelection.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

//! A header in B1 above sixty numbers in B2..B61.
Sheet HeightSheet(std::string_view sHeader = "Height")
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 2, 1, {std::string(sHeader)});
    FillColumn(sheet, 2, 2, Numbers(60, 0.5, 100));
    return sheet;
}

struct Proposal {
    Orientation orientation;
    std::string sValue, sNumberValues, sStart, sEnd, sName, sLabels, sLabelName;
};

void ExpectProposal(const DataSelection& selection, const Proposal& expected)
{
    const SelectionFields& fields = selection.fields();
    EXPECT_EQ(fields.orientation, expected.orientation);
    EXPECT_EQ(fields.sValue, expected.sValue);
    EXPECT_EQ(fields.sNumberValues, expected.sNumberValues);
    EXPECT_EQ(fields.sStart, expected.sStart);
    EXPECT_EQ(fields.sEnd, expected.sEnd);
    EXPECT_EQ(fields.sName, expected.sName);
    EXPECT_EQ(fields.sLabels, expected.sLabels);
    EXPECT_EQ(fields.sLabelName, expected.sLabelName);
}

}  // namespace

TEST(DataSelection, FastAnalysisOfOneCellTakesTheWholeColumnTrimmedToItsNumbers)
{
    Sheet sheet = HeightSheet();
    Select(sheet, 2, 5, 2, 5);
    DataSelection selection;
    ScriptedUserMessages messages;
    ASSERT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    EXPECT_TRUE(messages.shown().empty());
    ExpectProposal(selection, {Orientation::Columns, "B", "1", "1", "10000", "Height", "", "Row"});

    const SelectedSeries& series = selection.series();
    EXPECT_EQ(series.sName, "Height");
    EXPECT_EQ(series.sLabelName, "Row");
    EXPECT_EQ(series.sDataSource, "Data: Sheet 1, Column B, Rows 2 - 61");
    EXPECT_EQ(series.sFirstPeriod, "2");
    EXPECT_EQ(series.sLastPeriod, "61");
    EXPECT_EQ(series.uNumberPeriods(), 60u);
    EXPECT_EQ(series.uNumberPoints(), 60u);
    EXPECT_EQ(series.uNumberVariation(), 0u);
    EXPECT_EQ(series.uValuesPerPeriod, 1u);
    EXPECT_EQ(series.psPeriodLabels.front(), "2");  // the row numbers label the periods
    EXPECT_EQ(series.psPeriodLabels.back(), "61");
    EXPECT_DOUBLE_EQ(series.prPointValues.front().value(), 100.5);
    EXPECT_DOUBLE_EQ(series.prPointValues.back().value(), 130);

    // A number on top of the column gives the column's description instead.
    Sheet numbers = HeightSheet("99");
    Select(numbers, 2, 5, 2, 5);
    ASSERT_EQ(selection.FastAnalysisButtonClick(numbers, messages), 0);
    EXPECT_EQ(selection.fields().sName, "Column B");
    EXPECT_EQ(selection.series().sName, "Column B");
    EXPECT_EQ(selection.series().sFirstPeriod, "1");
}

TEST(DataSelection, TheShapeOfTheSelectionChoosesTheOrientationAndTheValuesPerPeriod)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 2; uRow <= 21; ++uRow) FillRow(sheet, uRow, 2, Numbers(20, 1, uRow));
    DataSelection selection;
    ScriptedUserMessages messages;

    Select(sheet, 2, 2, 4, 21);  // three wide, twenty tall: subgroups of three per row
    ASSERT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    ExpectProposal(selection, {Orientation::Columns, "B", "3", "2", "21", "Columns B-D", "", "Row"});
    EXPECT_EQ(selection.series().uNumberVariation(), 20u);
    EXPECT_EQ(selection.series().sDataSource, "Data: Sheet 1, Columns B-D, Rows 2 - 21");

    Select(sheet, 2, 2, 21, 4);  // twenty wide, three tall: subgroups of three per column
    ASSERT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    ExpectProposal(selection, {Orientation::Rows, "2", "3", "B", "U", "Rows 2-4", "", "Column"});
    EXPECT_EQ(selection.series().sDataSource, "Data: Sheet 1, Rows 2-4, Columns B - U");
    EXPECT_EQ(selection.series().psPeriodLabels.front(), "B");

    Select(sheet, 2, 2, 4, 4);  // square: columns
    EXPECT_EQ(OrientationForSelection(sheet.selection()), Orientation::Columns);
    selection.CustomAnalysisButtonClick(sheet);
    EXPECT_EQ(selection.fields().orientation, Orientation::Columns);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(DataSelection, SwitchingTheOrientationProposesEverythingAgainFromTheSelection)
{
    Sheet sheet = EmptySheet();
    FillRow(sheet, 2, 1, {"Weight", "1", "2", "3"});
    Select(sheet, 2, 2, 4, 21);
    DataSelection selection;
    selection.FormShow(sheet);
    EXPECT_EQ(selection.captions().sStartLabel, "&First Row:");
    EXPECT_EQ(selection.valueItems().back(), "IV");
    EXPECT_EQ(selection.periodItems().back(), "300");
    EXPECT_EQ(selection.labelItems().size(), 257u);

    selection.fields().sLabels = "C";
    selection.fields().sName = "edited";
    selection.fields().orientation = Orientation::Rows;
    selection.TimeRadioGroupClick(sheet);
    EXPECT_EQ(selection.captions().sStartLabel, "&First Column:");
    EXPECT_EQ(selection.captions().psGroupingItems[2], "&Skip Columns - Analyze Every n-th Column --->");
    EXPECT_EQ(selection.valueItems().back(), "300");
    EXPECT_EQ(selection.periodItems().back(), "IV");
    EXPECT_EQ(selection.labelItems().size(), 301u);
    // Row 2 lies inside the selection's rows, whose columns B..D become the periods; the
    // header "Weight" in A2 names the series.
    ExpectProposal(selection, {Orientation::Rows, "2", "20", "B", "D", "Weight", "", "Column"});
}

TEST(DataSelection, TheStartAndNumberOfValuesProposeTheRangeAndTheName)
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 3, 1, {"Pressure"});
    Select(sheet, 2, 5, 4, 9);
    DataSelection selection;
    SelectionFields& fields = selection.fields();
    selection.FormShow(sheet);
    EXPECT_EQ(fields.sStart, "5");
    EXPECT_EQ(fields.sEnd, "9");
    EXPECT_EQ(fields.sName, "Pressure");  // C1 is the first non-blank cell of B..D

    fields.sValue = "F";  // outside the selection: the whole sheet
    fields.sNumberValues = "1";
    selection.ValueComboBoxChange(sheet);
    EXPECT_EQ(fields.sStart, "1");
    EXPECT_EQ(fields.sEnd, "10000");
    EXPECT_EQ(fields.sName, "Column F");

    struct Case {
        const char* sValue;
        const char* sNumberValues;
        const char* sStart;
        const char* sName;
    };
    const Case cases[] = {
        {"C", "2.0", "5", "Pressure"},  // exactly whole
        {"C", "2.5", "5", ""},
        {"C", "0", "5", ""},
        {"C", "", "5", ""},
        {"IV", "2", "1", ""},  // would reach past IV
        {"IV", "1", "1", "Column IV"},
        {"B", "1e30", "5", ""},  // never wraps into a small count
        {"b", "1", "", ""},      // not a designator: the range and name are emptied
        {"IW", "1", "", ""},
        {"MWLQKWX", "1", "", ""},
    };
    for (const Case& c : cases) {
        fields.sValue = c.sValue;
        fields.sNumberValues = c.sNumberValues;
        fields.sName = "stale";
        selection.ValueComboBoxChange(sheet);
        EXPECT_EQ(fields.sStart, c.sStart) << c.sValue << " " << c.sNumberValues;
        EXPECT_EQ(fields.sName, c.sName) << c.sValue << " " << c.sNumberValues;
    }

    // Rows: one selected column proposes every column of the sheet.
    Select(sheet, 3, 2, 3, 4);
    fields.orientation = Orientation::Rows;
    selection.TimeRadioGroupClick(sheet);
    EXPECT_EQ(fields.sStart, "A");
    EXPECT_EQ(fields.sEnd, "IV");
    EXPECT_EQ(fields.sName, "Rows 2-4");
    fields.sValue = "10001";
    selection.ValueComboBoxChange(sheet);
    EXPECT_EQ(fields.sStart, "");
    EXPECT_EQ(fields.sName, "");
}

TEST(DataSelection, TheLabelsFieldProposesTheLabelName)
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 1, 1, {"Date", "2024-01"});
    FillColumn(sheet, 3, 1, {"17"});
    FillRow(sheet, 12, 5, {"Month"});
    DataSelection selection;
    SelectionFields& fields = selection.fields();
    selection.FormShow(sheet);

    struct Case {
        Orientation orientation;
        const char* sLabels;
        const char* sLabelName;
    };
    const Case cases[] = {
        {Orientation::Columns, "", "Row"},   {Orientation::Columns, " \t", "Row"},
        {Orientation::Columns, "A", "Date"}, {Orientation::Columns, "C", "Column C"},
        {Orientation::Columns, "b", ""},     {Orientation::Columns, " A", ""},  // parsed as typed
        {Orientation::Columns, "IW", ""},  // beyond the sheet: names nothing, reads nothing
        {Orientation::Rows, "", "Column"},   {Orientation::Rows, "12.0", "Month"},
        {Orientation::Rows, "7", "Row 7"},   {Orientation::Rows, "0", ""},
        {Orientation::Rows, "10001", ""},
    };
    for (const Case& c : cases) {
        fields.orientation = c.orientation;
        fields.sLabels = c.sLabels;
        selection.LabelsComboBoxChange(sheet);
        EXPECT_EQ(fields.sLabelName, c.sLabelName) << c.sLabels;
    }
}

TEST(DataSelection, EveryUseStartsWithRanksOffIndividualPeriodsAndTheFirstPage)
{
    Sheet sheet = HeightSheet();
    Select(sheet, 2, 2, 2, 61);
    DataSelection selection;
    ScriptedUserMessages messages;
    SelectionFields& fields = selection.fields();

    const auto dirty = [&] {
        fields.bRanks = true;
        fields.mode = GroupingMode::EveryNth;
        fields.sGroupSize = "1";  // would be refused in mode 2
    };
    dirty();
    selection.FormShow(sheet);
    EXPECT_FALSE(fields.bRanks);
    EXPECT_EQ(fields.mode, GroupingMode::Individual);
    EXPECT_EQ(fields.sGroupSize, "");
    EXPECT_EQ(selection.focus(), (SelectionFocus{SelectionPage::Data, SelectionControl::PageControl}));

    dirty();
    EXPECT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    EXPECT_FALSE(selection.series().bRanks);
    EXPECT_EQ(selection.series().uGroupSize, 0u);

    // The ranks choice travels with the series.
    selection.FormShow(sheet);
    fields.bRanks = true;
    EXPECT_EQ(selection.OkButtonClick(sheet, messages), 0);
    EXPECT_TRUE(selection.series().bRanks);
    EXPECT_TRUE(messages.shown().empty());
}

TEST(DataSelection, ARefusedOkSendsTheFocusToTheFieldAtFault)
{
    Sheet sheet = HeightSheet();
    Select(sheet, 2, 2, 2, 61);
    DataSelection selection;
    ScriptedUserMessages messages;
    SelectionFields& fields = selection.fields();
    selection.FormShow(sheet);

    fields.sLabels = "B";
    EXPECT_EQ(selection.OkButtonClick(sheet, messages), 5);
    EXPECT_EQ(selection.focus(), (SelectionFocus{SelectionPage::Labels, SelectionControl::LabelsComboBox}));

    fields.sLabels = "";
    fields.mode = GroupingMode::Group;
    EXPECT_EQ(selection.OkButtonClick(sheet, messages), 6);
    EXPECT_EQ(selection.focus(), (SelectionFocus{SelectionPage::Assumptions, SelectionControl::NumberGroupsComboBox}));

    fields.sGroupSize = "2";
    EXPECT_EQ(selection.OkButtonClick(sheet, messages), 0);
    EXPECT_EQ(selection.focus().control, SelectionControl::OkButton);
    EXPECT_EQ(messages.texts().size(), 2u);
}

TEST(DataSelection, TheSeriesIsHandedOnAndTheNextExtractionStartsAfresh)
{
    Sheet sheet = HeightSheet();
    Select(sheet, 2, 2, 2, 61);
    DataSelection selection;
    ScriptedUserMessages messages;
    ASSERT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    const Real* pFirst = selection.series().prPointValues.data();

    SelectedSeries taken = selection.TakeSeries();
    EXPECT_EQ(taken.prPointValues.data(), pFirst);  // the arrays move, they are not copied
    EXPECT_EQ(taken.uNumberPoints(), 60u);
    EXPECT_EQ(selection.series().uNumberPoints(), 0u);
    EXPECT_EQ(selection.series().uNumberPeriods(), 0u);

    ASSERT_EQ(selection.FastAnalysisButtonClick(sheet, messages), 0);
    EXPECT_EQ(selection.series().uNumberPoints(), 60u);
    EXPECT_EQ(taken.uNumberPoints(), 60u);
}
