// The series name that the sheet proposes: the first non-blank cell of the block names
// the series when it is text; numbers and blanks give the description of the block.
#include <gtest/gtest.h>

#include "SelectionTestSupport.h"
#include "selection/SeriesName.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(SeriesName, ATextHeaderAboveTheColumnsNamesTheSeriesAsStored)
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 2, 1, {"  ", " Plant A ", "5"});
    EXPECT_EQ(SeriesNameForColumns(sheet, 2, 1), " Plant A ");  // blank cells skipped, text untrimmed

    // Row by row, left to right within a row: C2 comes before D3 and after a blank B2.
    Sheet wide = EmptySheet();
    FillColumn(wide, 4, 3, {"late"});
    FillColumn(wide, 3, 2, {"early"});
    EXPECT_EQ(SeriesNameForColumns(wide, 2, 3), "early");
    EXPECT_EQ(SeriesNameForColumns(wide, 4, 1), "late");
}

TEST(SeriesName, NumbersAndEmptyBlocksGiveTheDescription)
{
    Sheet sheet = EmptySheet();
    FillColumn(sheet, 2, 1, {"5", "Label below a number"});
    EXPECT_EQ(SeriesNameForColumns(sheet, 2, 1), "Column B");
    EXPECT_EQ(SeriesNameForColumns(sheet, 5, 3), "Columns E-G");  // nothing there at all
    EXPECT_EQ(SeriesNameForColumns(sheet, 254, 3), "Columns IT-IV");

    Sheet rows = EmptySheet();
    FillRow(rows, 7, 1, {"", "1e3", "text"});
    EXPECT_EQ(SeriesNameForRows(rows, 7, 1), "Row 7");
    EXPECT_EQ(SeriesNameForRows(rows, 7, 3), "Rows 7-9");
}

TEST(SeriesName, RowsAreReadColumnByColumnFromTheLeft)
{
    Sheet sheet = EmptySheet();
    FillRow(sheet, 4, 3, {"later"});
    FillRow(sheet, 5, 2, {"Weight"});
    EXPECT_EQ(SeriesNameForRows(sheet, 4, 2), "Weight");  // column B before column C
    EXPECT_EQ(SeriesNameForRows(sheet, 4, 1), "later");
    EXPECT_EQ(SeriesNameForRows(sheet, 9999, 2), "Rows 9999-10000");
}
