// The dialog's item lists that follow the orientation, and where each code sends the user.
#include <gtest/gtest.h>

#include "selection/SelectionTexts.h"

using namespace HalvrennInc;

TEST(SelectionTexts, ItemListsOfferColumnsAndTheFirstThreeHundredRows)
{
    const std::vector<std::string>& columns = ValueItems(Orientation::Columns);
    ASSERT_EQ(columns.size(), 256u);
    EXPECT_EQ(columns.front(), "A");
    EXPECT_EQ(columns[26], "AA");
    EXPECT_EQ(columns.back(), "IV");
    const std::vector<std::string>& rows = ValueItems(Orientation::Rows);
    ASSERT_EQ(rows.size(), 300u);
    EXPECT_EQ(rows.front(), "1");
    EXPECT_EQ(rows.back(), "300");

    EXPECT_EQ(PeriodItems(Orientation::Columns), rows);
    EXPECT_EQ(PeriodItems(Orientation::Rows), columns);

    for (const Orientation orientation : {Orientation::Columns, Orientation::Rows}) {
        const std::vector<std::string>& labels = LabelItems(orientation);
        ASSERT_EQ(labels.size(), ValueItems(orientation).size() + 1);
        EXPECT_EQ(labels.front(), "");
        EXPECT_TRUE(std::equal(labels.begin() + 1, labels.end(), ValueItems(orientation).begin()));
    }

    EXPECT_EQ(NumberValuesItems(), (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(NumberGroupsItems(), (std::vector<std::string>{"2", "3", "4", "5", "6", "7", "8", "9", "10"}));
}

TEST(SelectionTexts, EachCodeSendsTheUserToItsPageAndField)
{
    struct Case {
        int iCode;
        SelectionPage page;
        SelectionControl control;
    };
    const Case cases[] = {
        {1, SelectionPage::Data, SelectionControl::ValueComboBox},
        {2, SelectionPage::Data, SelectionControl::NumberValuesComboBox},
        {3, SelectionPage::Data, SelectionControl::StartComboBox},
        {4, SelectionPage::Data, SelectionControl::EndComboBox},
        {5, SelectionPage::Labels, SelectionControl::LabelsComboBox},
        {6, SelectionPage::Assumptions, SelectionControl::NumberGroupsComboBox},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(FocusForCode(c.iCode).has_value()) << c.iCode;
        EXPECT_EQ(*FocusForCode(c.iCode), (SelectionFocus{c.page, c.control})) << c.iCode;
    }
    EXPECT_FALSE(FocusForCode(0).has_value());
    EXPECT_FALSE(FocusForCode(7).has_value());

    EXPECT_EQ(PageCaption(SelectionPage::Data), "&Data To Analyze");
    EXPECT_EQ(PageCaption(SelectionPage::Labels), "La&bels");
    EXPECT_EQ(PageCaption(SelectionPage::Assumptions), "Handling Violations of &Assumptions");
}
