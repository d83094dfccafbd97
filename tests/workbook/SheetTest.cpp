// One sheet: the used extent through edits, clearing and pasting; sparse cells; sizes.
#include <gtest/gtest.h>

#include "workbook/Sheet.h"

using namespace HalvrennInc;

namespace {
Sheet EmptySheet()
{
    return Sheet("Sheet 1", GridGeometry());
}
}  // namespace

TEST(Sheet, TypingAndBlankingMoveTheUsedExtent)
{
    Sheet sheet = EmptySheet();
    EXPECT_TRUE(sheet.editCell(3, 7, "5"));
    EXPECT_EQ(sheet.lastUsedColumn(), 3u);
    EXPECT_EQ(sheet.lastUsedRow(), 7u);
    EXPECT_FALSE(sheet.editCell(3, 7, "5"));  // the same text is no change
    EXPECT_TRUE(sheet.editCell(3, 7, ""));
    EXPECT_EQ(sheet.lastUsedColumn(), 0u);
    EXPECT_EQ(sheet.lastUsedRow(), 0u);

    // A1 and C3: blanking A1 leaves 3 x 3; blanking C3 then leaves what A1 holds.
    sheet.editCell(1, 1, "x");
    sheet.editCell(3, 3, "y");
    sheet.editCell(1, 1, "");
    EXPECT_EQ(sheet.lastUsedColumn(), 3u);
    EXPECT_EQ(sheet.lastUsedRow(), 3u);
    sheet.editCell(3, 3, "");
    EXPECT_EQ(sheet.lastUsedColumn(), 0u);
    EXPECT_EQ(sheet.lastUsedRow(), 0u);

    sheet.editCell(1, 1, "x");
    sheet.editCell(3, 3, "y");
    sheet.editCell(3, 3, "");
    EXPECT_EQ(sheet.lastUsedColumn(), 1u);
    EXPECT_EQ(sheet.lastUsedRow(), 1u);

    // Spaces (and other characters up to space) are blank: they shrink like erasing, but
    // the text is kept as typed.
    sheet.editCell(2, 4, "7");
    sheet.editCell(2, 4, "  \t ");
    EXPECT_EQ(sheet.cellText(2, 4), "  \t ");
    EXPECT_EQ(sheet.lastUsedColumn(), 1u);
    EXPECT_EQ(sheet.lastUsedRow(), 1u);

    // A blank edit inside the extent leaves it as an upper bound.
    sheet.editCell(4, 4, "z");
    sheet.editCell(2, 2, "w");
    sheet.editCell(2, 2, "");
    EXPECT_EQ(sheet.lastUsedColumn(), 4u);
    EXPECT_EQ(sheet.lastUsedRow(), 4u);

    // Each row's last non-blank column (what the session record stores and End goes to): a
    // row whose only cell is in column A ends there; a row of blanks has none.
    EXPECT_EQ(sheet.lastNonBlankColumn(1), 1u);
    EXPECT_EQ(sheet.lastNonBlankColumn(2), 0u);
    EXPECT_EQ(sheet.lastNonBlankColumn(4), 4u);
}

TEST(Sheet, ClearingARectangleClipsToTheExtentAndShrinksFromTheEdgesItTouches)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 1; uRow <= 4; ++uRow) {
        for (std::uint32_t uColumn = 1; uColumn <= 3; ++uColumn) sheet.editCell(uColumn, uRow, "v");
    }
    // Beyond the extent there is nothing to clear.
    EXPECT_FALSE(sheet.clearRange({4, 1, 10, 10}));
    EXPECT_FALSE(sheet.clearRange({1, 5, 3, 9}));
    EXPECT_TRUE(sheet.clipToUsed({4, 1, 10, 10}).empty());

    // The last used column goes: the extent loses a column.
    EXPECT_TRUE(sheet.clearRange({3, 1, 256, 10000}));
    EXPECT_EQ(sheet.lastUsedColumn(), 2u);
    EXPECT_EQ(sheet.lastUsedRow(), 4u);
    EXPECT_EQ(sheet.cellText(3, 2), "");

    // An inner rectangle leaves the extent alone.
    EXPECT_TRUE(sheet.clearRange({1, 2, 2, 3}));
    EXPECT_EQ(sheet.lastUsedColumn(), 2u);
    EXPECT_EQ(sheet.lastUsedRow(), 4u);

    // The bottom row goes: rows 4, 3 and 2 are blank now, row 1 is not.
    EXPECT_TRUE(sheet.clearRange({1, 4, 2, 4}));
    EXPECT_EQ(sheet.lastUsedRow(), 1u);
    EXPECT_EQ(sheet.lastUsedColumn(), 2u);
    EXPECT_EQ(sheet.cellText(1, 1), "v");
}

TEST(Sheet, FieldsGrowTheExtentOnlyWithinTheGridAndBlankFieldsChangeNothing)
{
    Sheet sheet = EmptySheet();
    sheet.editCell(2, 2, "keep");
    EXPECT_FALSE(sheet.storeField(2, 2, "   "));
    EXPECT_EQ(sheet.cellText(2, 2), "keep");
    EXPECT_TRUE(sheet.storeField(5, 3, " 7 "));
    EXPECT_EQ(sheet.cellText(5, 3), " 7 ");
    EXPECT_FALSE(sheet.storeField(257, 1, "x"));
    EXPECT_FALSE(sheet.storeField(1, 10001, "x"));
    EXPECT_FALSE(sheet.storeField(0, 1, "x"));
    EXPECT_TRUE(sheet.storeField(256, 10000, "corner"));
    EXPECT_EQ(sheet.lastUsedColumn(), 256u);
    EXPECT_EQ(sheet.lastUsedRow(), 10000u);

    // Reads and writes outside the grid are harmless.
    EXPECT_EQ(sheet.cellText(0, 0), "");
    EXPECT_EQ(sheet.cellText(257, 10001), "");
    sheet.setCellText(257, 1, "x");
    EXPECT_FALSE(sheet.editCell(1, 10001, "x"));
    EXPECT_EQ(sheet.lastNonBlankColumn(3), 5u);
    EXPECT_EQ(sheet.lastNonBlankColumn(4), 0u);
}

TEST(Sheet, CellsAreHeldSparselyAndClearedCellsGiveTheirMemoryBack)
{
    Sheet sheet = EmptySheet();
    EXPECT_EQ(sheet.cellBytes(), 0u);
    sheet.editCell(256, 10000, "far corner");
    // One row of 256 cells and the row table: far below a full grid of 2.56 million cells.
    EXPECT_LT(sheet.cellBytes(), 300'000u);
    EXPECT_TRUE(sheet.clearRange({1, 1, 256, 10000}));
    EXPECT_EQ(sheet.cellBytes(), 0u);
    EXPECT_EQ(sheet.lastUsedColumn(), 0u);
    EXPECT_EQ(sheet.lastUsedRow(), 0u);
}

TEST(Sheet, ViewStateIsClampedToTheGridAndSizesDefaultFromTheFont)
{
    Sheet sheet = EmptySheet();
    EXPECT_EQ(sheet.currentColumn(), 1u);
    EXPECT_EQ(sheet.currentRow(), 1u);
    EXPECT_EQ(sheet.selection(), (CellRange{1, 1, 1, 1}));
    sheet.setCurrentCell(300, 0);
    EXPECT_EQ(sheet.currentColumn(), 256u);
    EXPECT_EQ(sheet.currentRow(), 1u);
    sheet.setSelection({5, 9, 2, 20000});
    EXPECT_EQ(sheet.selection(), (CellRange{2, 9, 5, 10000}));
    sheet.setTopRow(0);
    sheet.setLeftColumn(999);
    EXPECT_EQ(sheet.topRow(), 1u);
    EXPECT_EQ(sheet.leftColumn(), 256u);

    const GridGeometry standard = GridGeometry::ForCellFontHeight(13);
    EXPECT_EQ(standard, GridGeometry());
    EXPECT_EQ(GridGeometry::ForCellFontHeight(-13), standard);  // font heights may come negative
    const GridGeometry large = GridGeometry::ForCellFontHeight(16);
    EXPECT_EQ(large.iRowHeight, 24);
    EXPECT_EQ(large.iColumnWidth, 85);
    EXPECT_EQ(large.iHeaderColumnWidth, 64);

    EXPECT_EQ(sheet.columnWidth(0), 50);
    EXPECT_EQ(sheet.columnWidth(1), 67);
    EXPECT_EQ(sheet.rowHeight(0), 19);
    EXPECT_EQ(sheet.rowHeight(10000), 19);
    EXPECT_TRUE(sheet.setColumnWidth(3, 71));
    EXPECT_FALSE(sheet.setColumnWidth(3, 71));
    EXPECT_TRUE(sheet.setRowHeight(2, -5));
    EXPECT_EQ(sheet.rowHeight(2), 0);
    EXPECT_FALSE(sheet.setColumnWidth(257, 10));
    EXPECT_EQ(sheet.columnWidth(3), 71);
    EXPECT_EQ(sheet.columnWidth(4), 67);
    EXPECT_TRUE(sheet.setColumnWidth(3, 67));  // back to the default
    EXPECT_EQ(sheet.columnWidth(3), 67);
}
