// Keys and mouse on the data window's grid, without a desktop: which cell becomes
// current, how the selection grows, and how far the view scrolls.
#include <gtest/gtest.h>

#include "WorkbookTestSupport.h"
#include "workbook/GridAxis.h"
#include "workbook/GridNavigator.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
// Default sizes: columns of 67 pixels and rows of 19, each with its one-pixel line, so a
// cell area of 680 x 400 shows 10 whole columns and 20 whole rows.
constexpr std::int32_t kWidth = 680;
constexpr std::int32_t kHeight = 400;
const EditorCaret kEmpty = EditorCaret::Of(0, 0);

struct Grid {
    Workbook workbook;
    GridNavigator navigator{workbook};
    CountingObserver observer;
    Grid()
    {
        navigator.setCellArea(kWidth, kHeight);
        workbook.addObserver(&observer);
    }
    const Sheet& sheet() const { return workbook.activeSheet(); }
    std::pair<std::uint32_t, std::uint32_t> current() const { return {sheet().currentColumn(), sheet().currentRow()}; }
    KeyOutcome press(GridKey key, const EditorCaret& caret = kEmpty) { return navigator.PressKey(key, caret); }
};
using Cell = std::pair<std::uint32_t, std::uint32_t>;
}  // namespace

TEST(GridAxis, MeasuresCellsWithTheirLines)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    const GridAxis columns = GridAxis::Columns(sheet);
    EXPECT_EQ(columns.count(), 256u);
    EXPECT_EQ(columns.size(0), 50);
    EXPECT_EQ(columns.span(1), 68);
    EXPECT_EQ(FullyVisibleCount(columns, 1, 680), 10u);
    EXPECT_EQ(FullyVisibleCount(columns, 1, 679), 9u);
    EXPECT_EQ(FullyVisibleCount(columns, 1, 10), 1u) << "a view smaller than a cell still counts one";
    EXPECT_EQ(FullyVisibleCount(columns, 250, 10000), 7u) << "no cells past the last";

    EXPECT_EQ(FirstToShow(columns, 5, 680, 3), 3u) << "a cell before the view becomes the first";
    EXPECT_EQ(FirstToShow(columns, 5, 680, 14), 5u) << "a cell in view moves nothing";
    EXPECT_EQ(FirstToShow(columns, 5, 680, 15), 6u) << "one step right is enough";
    EXPECT_EQ(FirstToShow(columns, 1, 680, 256), 247u);

    EXPECT_EQ(PageBackFirst(columns, 21, 680), 11u);
    EXPECT_EQ(PageBackFirst(columns, 5, 680), 1u);
    EXPECT_EQ(PageBackFirst(columns, 1, 680), 1u);
    EXPECT_EQ(LastFirst(columns, 680), 247u);

    EXPECT_EQ(CellAtOffset(columns, 1, -1), 0u);
    EXPECT_EQ(CellAtOffset(columns, 1, 0), 1u);
    EXPECT_EQ(CellAtOffset(columns, 1, 67), 1u) << "the line belongs to the cell before it";
    EXPECT_EQ(CellAtOffset(columns, 1, 68), 2u);
    EXPECT_EQ(CellAtOffset(columns, 255, 2 * 68), 0u) << "beyond the last cell";

    // Resized cells count with their own sizes.
    sheet.setColumnWidth(3, 199);
    EXPECT_EQ(FullyVisibleCount(columns, 1, 680), 8u);
    EXPECT_EQ(FirstToShow(columns, 1, 680, 10), 3u);
}

TEST(GridNavigator, EnterAndArrowsStopAtTheEdgesOfTheGrid)
{
    Grid grid;
    grid.workbook.SetCurrentCell(4, 10000);
    grid.press(GridKey::Enter);
    EXPECT_EQ(grid.current(), (Cell{4, 10000})) << "Enter on row 10000 does nothing";
    grid.press(GridKey::Down);
    EXPECT_EQ(grid.current(), (Cell{4, 10000}));

    grid.workbook.SetCurrentCell(4, 1);
    const int iMovesBefore = grid.observer.iCurrentCell;
    EXPECT_TRUE(grid.press(GridKey::ShiftEnter).bHandled) << "a key that does nothing is swallowed";
    EXPECT_EQ(grid.current(), (Cell{4, 1})) << "Shift+Enter on row 1 does nothing";
    grid.press(GridKey::Up);
    EXPECT_EQ(grid.observer.iCurrentCell, iMovesBefore);

    grid.workbook.SetSelection({2, 1, 6, 3});
    grid.press(GridKey::Enter);
    EXPECT_EQ(grid.current(), (Cell{4, 2}));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{4, 2, 4, 2})) << "a move leaves the new cell alone selected";
    grid.press(GridKey::ShiftEnter);
    EXPECT_EQ(grid.current(), (Cell{4, 1}));

    grid.workbook.SetCurrentCell(256, 5);
    grid.press(GridKey::Tab);
    EXPECT_EQ(grid.current(), (Cell{256, 5}));
    grid.press(GridKey::ShiftTab);
    EXPECT_EQ(grid.current(), (Cell{255, 5}));
    grid.workbook.SetCurrentCell(1, 5);
    grid.press(GridKey::ShiftTab);
    EXPECT_EQ(grid.current(), (Cell{1, 5}));
}

TEST(GridNavigator, LeftRightHomeAndEndLeaveTheCellOnlyAtTheEndsOfItsText)
{
    Grid grid;
    grid.workbook.SetCurrentCell(2, 3);
    // "12" with the caret after the 2, then between the digits.
    EXPECT_TRUE(grid.press(GridKey::Right, EditorCaret::Of(2, 2)).bHandled);
    EXPECT_EQ(grid.current(), (Cell{3, 3}));
    EXPECT_FALSE(grid.press(GridKey::Right, EditorCaret::Of(2, 1)).bHandled) << "the caret moves inside the text";
    EXPECT_EQ(grid.current(), (Cell{3, 3}));

    EXPECT_FALSE(grid.press(GridKey::Left, EditorCaret::Of(2, 1)).bHandled);
    const KeyOutcome left = grid.press(GridKey::Left, EditorCaret::Of(2, 0));
    EXPECT_TRUE(left.bHandled);
    EXPECT_TRUE(left.bCaretAtEnd) << "Left puts the caret after the text of the new cell";
    EXPECT_EQ(grid.current(), (Cell{2, 3}));
    EXPECT_FALSE(grid.press(GridKey::Tab).bCaretAtEnd);
    grid.press(GridKey::ShiftTab);
    grid.press(GridKey::ShiftTab);
    EXPECT_EQ(grid.current(), (Cell{1, 3}));
    EXPECT_TRUE(grid.press(GridKey::Left, EditorCaret::Of(2, 0)).bHandled) << "column 1 swallows Left";
    EXPECT_EQ(grid.current(), (Cell{1, 3}));

    grid.workbook.SetCurrentCell(5, 3);
    EXPECT_FALSE(grid.press(GridKey::Home, EditorCaret::Of(3, 1)).bHandled);
    grid.press(GridKey::Home, EditorCaret::Of(3, 0));
    EXPECT_EQ(grid.current(), (Cell{1, 3}));

    // End: the last non-blank cell of the row within the used columns, column 1 when the
    // row is blank there.
    grid.workbook.SetCellText(4, 3, "7");
    grid.workbook.SetCellText(6, 9, "x");
    grid.workbook.SetCellText(5, 3, "   ");
    EXPECT_FALSE(grid.press(GridKey::End, EditorCaret::Of(1, 0)).bHandled);
    grid.press(GridKey::End, EditorCaret::Of(0, 0));
    EXPECT_EQ(grid.current(), (Cell{4, 3}));
    grid.workbook.SetCurrentCell(9, 5);
    grid.press(GridKey::End);
    EXPECT_EQ(grid.current(), (Cell{1, 5})) << "End on a blank row goes to column 1";
}

TEST(GridNavigator, MovingScrollsOnlyAsFarAsNeeded)
{
    Grid grid;
    for (int i = 0; i < 9; ++i) grid.press(GridKey::Tab);
    EXPECT_EQ(grid.sheet().leftColumn(), 1u) << "J is the tenth column and still in view";
    grid.press(GridKey::Tab);
    EXPECT_EQ(grid.current(), (Cell{11, 1}));
    EXPECT_EQ(grid.sheet().leftColumn(), 2u);
    grid.navigator.MoveTo(1, 1);
    EXPECT_EQ(grid.sheet().leftColumn(), 1u);
    grid.navigator.MoveTo(3, 45);
    EXPECT_EQ(grid.sheet().topRow(), 26u);
    EXPECT_TRUE(grid.navigator.isCellVisible(3, 45));
    EXPECT_FALSE(grid.navigator.isCellVisible(3, 46));
    grid.navigator.MoveTo(256, 10000);
    EXPECT_EQ(grid.sheet().leftColumn(), grid.navigator.maxLeftColumn());
    EXPECT_EQ(grid.sheet().topRow(), 9981u);
    grid.navigator.ScrollTo(256, 10000);
    EXPECT_EQ(grid.sheet().topRow(), 9981u) << "the view cannot start past the last full page";
}

TEST(GridNavigator, PageKeysScrollAPageAndCarryTheCurrentCellAlong)
{
    Grid grid;
    grid.workbook.SetCurrentCell(2, 5);
    grid.press(GridKey::PageDown);
    EXPECT_EQ(grid.sheet().topRow(), 21u);
    EXPECT_EQ(grid.current(), (Cell{2, 25})) << "the cell at the same place on the screen";
    grid.press(GridKey::PageUp);
    EXPECT_EQ(grid.sheet().topRow(), 1u);
    EXPECT_EQ(grid.current(), (Cell{2, 5}));
    grid.press(GridKey::PageUp);
    EXPECT_EQ(grid.current(), (Cell{2, 5})) << "nothing above row 1";

    // A current cell out of view stays where it is.
    grid.workbook.SetCurrentCell(2, 300);
    grid.press(GridKey::PageDown);
    EXPECT_EQ(grid.sheet().topRow(), 21u);
    EXPECT_EQ(grid.current(), (Cell{2, 300}));

    // Page Up fills the page above with the rows' own heights.
    Sheet& sheet = grid.workbook.activeSheet();
    for (std::uint32_t uRow = 11; uRow <= 20; ++uRow) sheet.setRowHeight(uRow, 39);
    grid.navigator.ScrollTo(1, 21);
    grid.workbook.SetCurrentCell(1, 22);
    grid.press(GridKey::PageUp);
    EXPECT_EQ(grid.sheet().topRow(), 11u) << "ten rows of 40 pixels fill 400";
    EXPECT_EQ(grid.current(), (Cell{1, 12}));

    // Near the end the view stops at the last full page.
    grid.navigator.ScrollTo(1, 9975);
    grid.workbook.SetCurrentCell(1, 9975);
    grid.press(GridKey::PageDown);
    EXPECT_EQ(grid.sheet().topRow(), 9981u);
    EXPECT_EQ(grid.current(), (Cell{1, 9981})) << "still the top row of the screen";
    grid.press(GridKey::PageDown);
    EXPECT_EQ(grid.sheet().topRow(), 9981u);
}

TEST(GridNavigator, ShiftKeysGrowAndShrinkTheSelectionAroundTheCurrentCell)
{
    Grid grid;
    grid.navigator.MoveTo(3, 5);
    grid.press(GridKey::ShiftDown);
    grid.press(GridKey::ShiftDown);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 3, 7}));
    grid.press(GridKey::ShiftUp);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 3, 6})) << "the far edge comes back";
    grid.press(GridKey::ShiftUp);
    grid.press(GridKey::ShiftUp);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 4, 3, 5}));
    EXPECT_EQ(grid.current(), (Cell{3, 5})) << "the current cell stays";

    // Shift+Left and Shift+Right need the caret at the matching end of a lone cell's text.
    grid.navigator.MoveTo(3, 5);
    EXPECT_FALSE(grid.press(GridKey::ShiftLeft, EditorCaret::Of(2, 1)).bHandled);
    EXPECT_FALSE(grid.press(GridKey::ShiftRight, EditorCaret::Of(2, 1)).bHandled);
    grid.press(GridKey::ShiftRight, EditorCaret::Of(2, 2));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 4, 5}));
    EXPECT_TRUE(grid.press(GridKey::ShiftRight, EditorCaret::Of(2, 1)).bHandled) << "several cells: always the grid's";
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 5, 5}));
    grid.press(GridKey::ShiftLeft, EditorCaret::Of(2, 1));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 4, 5}));
    grid.navigator.MoveTo(3, 5);
    grid.press(GridKey::ShiftRight, EditorCaret::Of(2, 0, 0, 2));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 5, 4, 5})) << "the whole text selected";
    grid.navigator.MoveTo(1, 5);
    grid.press(GridKey::ShiftLeft, EditorCaret::Of(0, 0));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{1, 5, 1, 5}));

    // Growing past the view scrolls that edge into view.
    grid.navigator.MoveTo(10, 20);
    grid.press(GridKey::ShiftRight);
    EXPECT_EQ(grid.sheet().leftColumn(), 2u);
    grid.press(GridKey::ShiftDown);
    EXPECT_EQ(grid.sheet().topRow(), 2u);

    // Whole columns do not grow down or up, whole rows not sideways.
    grid.navigator.PressColumnHeader(4);
    grid.navigator.Release();
    grid.press(GridKey::ShiftDown);
    grid.press(GridKey::ShiftUp);
    EXPECT_EQ(grid.sheet().selection(), WholeColumns(4, 4));
    grid.press(GridKey::ShiftRight);
    EXPECT_EQ(grid.sheet().selection(), WholeColumns(4, 5));
    grid.navigator.PressRowHeader(7);
    grid.navigator.Release();
    EXPECT_TRUE(grid.press(GridKey::ShiftRight).bHandled);
    grid.press(GridKey::ShiftLeft);
    EXPECT_EQ(grid.sheet().selection(), WholeRows(7, 7));
    grid.press(GridKey::ShiftDown);
    EXPECT_EQ(grid.sheet().selection(), WholeRows(7, 8));
}

TEST(GridNavigator, SelectAllTakesEveryCellAndTheTopLeftCellInView)
{
    Grid grid;
    grid.navigator.ScrollTo(3, 40);
    grid.workbook.SetCurrentCell(5, 45);
    grid.navigator.SelectAll();
    EXPECT_EQ(grid.sheet().selection(), (CellRange{1, 1, 256, 10000}));
    EXPECT_EQ(grid.current(), (Cell{3, 40}));
    const int iMoves = grid.observer.iCurrentCell;
    grid.navigator.PressCorner();
    EXPECT_EQ(grid.observer.iCurrentCell, iMoves) << "already there: nothing moves";
}

TEST(GridNavigator, HeaderClickAndDragSelectWholeColumnsAndRows)
{
    Grid grid;
    grid.navigator.ScrollTo(1, 8);
    grid.navigator.PressColumnHeader(3);
    EXPECT_EQ(grid.navigator.mouseMode(), MouseMode::ColumnHeaders);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 1, 3, 10000}));
    EXPECT_EQ(grid.current(), (Cell{3, 8})) << "column C in the top visible row";
    EXPECT_FALSE(grid.navigator.Drag(4 * 68 + 10, -5)) << "over column E: no scrolling";
    EXPECT_EQ(grid.sheet().selection(), (CellRange{3, 1, 5, 10000}));
    EXPECT_FALSE(grid.navigator.Drag(10, 0));
    EXPECT_EQ(grid.sheet().selection(), (CellRange{1, 1, 3, 10000})) << "back past C to A";
    grid.navigator.Release();
    EXPECT_EQ(grid.navigator.mouseMode(), MouseMode::None);
    EXPECT_FALSE(grid.navigator.Drag(500, 0)) << "no button, no drag";

    grid.navigator.PressRowHeader(12);
    EXPECT_EQ(grid.current(), (Cell{1, 12}));
    grid.navigator.Drag(0, 2 * 20 + 3);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{1, 10, 256, 12}));
    // Above the cells in view: one row up per move, and the window repeats the move.
    EXPECT_TRUE(grid.navigator.Drag(0, -3));
    EXPECT_EQ(grid.sheet().topRow(), 7u);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{1, 7, 256, 12}));
    grid.navigator.Drag(0, -3);
    EXPECT_EQ(grid.sheet().topRow(), 6u);
    grid.navigator.Release();
}

TEST(GridNavigator, DraggingFromTheCellsPastTheBottomScrollsOneRowAtATime)
{
    Grid grid;
    grid.navigator.PressCell(68 + 5, 20 * 2 + 5);
    EXPECT_EQ(grid.current(), (Cell{2, 3}));
    EXPECT_EQ(grid.navigator.mouseMode(), MouseMode::Cells);
    grid.navigator.Drag(3 * 68 + 5, 5 * 20 + 5);
    EXPECT_EQ(grid.sheet().selection(), (CellRange{2, 3, 4, 6}));
    for (int iTick = 1; iTick <= 3; ++iTick) {
        EXPECT_TRUE(grid.navigator.Drag(3 * 68 + 5, kHeight + 30));
        EXPECT_EQ(grid.sheet().topRow(), 1u + iTick);
    }
    EXPECT_EQ(grid.sheet().selection(), (CellRange{2, 3, 4, 23}));
    EXPECT_FALSE(grid.navigator.Drag(3 * 68 + 5, 5)) << "back inside: the repetition stops";
    EXPECT_EQ(grid.sheet().selection(), (CellRange{2, 3, 4, 4}));
    grid.navigator.Release();

    grid.navigator.PressEditor();
    EXPECT_EQ(grid.navigator.mouseMode(), MouseMode::Cells);
    grid.navigator.Release();

    // A press beyond the last cell changes nothing.
    grid.navigator.setCellArea(kWidth + 20, kHeight);
    grid.navigator.ScrollTo(256, 10000);
    const CellRange before = grid.sheet().selection();
    grid.navigator.PressCell(kWidth + 10, 0);
    EXPECT_EQ(grid.navigator.mouseMode(), MouseMode::None);
    EXPECT_EQ(grid.sheet().selection(), before);
}
