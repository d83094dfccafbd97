// The data window driven by keys and the mouse: the cell editor follows the current
// cell, typing goes straight into the sheet, keys move as the grid's rules say, Tab stays
// in the grid, and header and cell drags select and auto-scroll.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>

#include "DataWindowTestSupport.h"
#include "workbook/ui/SheetTableModel.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(DataWindow, ShowsOneGridPerSheetWithTheYellowEditorOnItsCurrentCell)
{
    DataWindow w;
    EXPECT_EQ(w.window.windowTitle(), "Data");
    ASSERT_EQ(w.window.tabs()->count(), 1);
    EXPECT_EQ(w.window.tabs()->tabText(0), "Sheet 1");
    EXPECT_EQ(w.window.tabs()->tabPosition(), QTabWidget::South);
    EXPECT_EQ(w.window.panelLabel()->text(), "Enter data in column, click column heading and press -->");
    EXPECT_EQ(w.window.FastAnalysisButton()->text(), "Fast A&nalysis");
    EXPECT_EQ(w.window.FastAnalysisButton()->statusTip(),
              "Perform change-point analyis on selected data using all default options.");
    EXPECT_EQ(w.window.CustomAnalysisButton()->statusTip(),
              "Display Custom Analysis dialog box for specifying analysis options before performing change-point "
              "analyis.");
    EXPECT_EQ(w.window.PrintButton()->statusTip(), "Print data displayed in above spreadsheet");
    EXPECT_EQ(w.window.HelpButton()->statusTip(), "Display help on entering data into Data window");

    QAbstractItemModel* pModel = w.grid()->model();
    EXPECT_EQ(pModel->columnCount(), 256);
    EXPECT_EQ(pModel->rowCount(), 10000);
    EXPECT_EQ(pModel->headerData(0, Qt::Horizontal), "A");
    EXPECT_EQ(pModel->headerData(255, Qt::Horizontal), "IV");
    EXPECT_EQ(pModel->headerData(9999, Qt::Vertical), "10000");
    const GridGeometry& geometry = w.workbook().gridGeometry();
    EXPECT_EQ(geometry, GridGeometry::ForCellFontHeight(w.window.cellFontPixelHeight()));
    EXPECT_EQ(w.grid()->columnWidth(0), geometry.iColumnWidth + 1) << "each cell and its line";
    EXPECT_EQ(w.grid()->rowHeight(0), geometry.iRowHeight + 1);
    EXPECT_EQ(w.window.cellFont().pointSize(), static_cast<int>(w.window.font().pointSizeF() * 1.25));

    EXPECT_TRUE(w.editor()->hasFocus());
    EXPECT_EQ(w.editor()->palette().color(QPalette::Base), QColor(Qt::yellow));
    EXPECT_EQ(w.editor()->font(), w.window.cellFont());
    EXPECT_EQ(w.editor()->geometry(), w.grid()->visualRect(pModel->index(0, 0)).adjusted(-1, -1, 0, 0));
    EXPECT_FALSE(w.grid()->hasFocus());
    EXPECT_EQ(w.grid()->focusPolicy(), Qt::NoFocus);

    QTest::mouseClick(w.window.HelpButton(), Qt::LeftButton);
    EXPECT_EQ(w.platform.help.calls(), std::vector<std::string>{"context 20"});
    QSignalSpy fast(&w.window, &TDataWindowForm::fastAnalysisRequested);
    QSignalSpy custom(&w.window, &TDataWindowForm::customAnalysisRequested);
    QTest::mouseClick(w.window.FastAnalysisButton(), Qt::LeftButton);
    QTest::mouseClick(w.window.CustomAnalysisButton(), Qt::LeftButton);
    EXPECT_EQ(fast.count(), 1);
    EXPECT_EQ(custom.count(), 1);
}

TEST(DataWindow, TypingWritesTheCellAtOnceAndMarksTheSession)
{
    DataWindow w;
    QSignalSpy modified(&w.window, &TDataWindowForm::sessionModified);
    w.type("12");
    EXPECT_EQ(w.sheet().cellText(1, 1), "12");
    EXPECT_EQ(w.sheet().lastUsedColumn(), 1u);
    EXPECT_GE(modified.count(), 2);
    for (const QString& sCharacter : {QString::fromUtf8("µ"), QString::fromUtf8("€")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, sCharacter);
        QApplication::sendEvent(w.editor(), &press);
    }
    EXPECT_EQ(w.sheet().cellText(1, 1), "12\xC2\xB5\xE2\x82\xAC") << "UTF-8 in the sheet";
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    QTest::keyClick(w.editor(), Qt::Key_Backspace);
    EXPECT_EQ(w.sheet().lastUsedColumn(), 0u) << "erasing the only cell empties the extent";

    // Text set from outside reaches the editor.
    w.workbook().SetCellText(1, 1, "from the model");
    EXPECT_EQ(w.editor()->text(), "from the model");

    // A long cell is shown whole, so that a key typed into it keeps the rest.
    const std::string sLong(40000, '7');
    w.workbook().SetCellText(2, 1, sLong);
    w.window.SetCurrentCell(2, 1, true);
    EXPECT_EQ(w.editor()->text().size(), 40000);
    w.type("8");
    EXPECT_EQ(w.sheet().cellText(2, 1), sLong + "8");
    w.editor()->undo();
    EXPECT_EQ(w.sheet().cellText(2, 1), sLong) << "every change of the text reaches the cell";
}

TEST(DataWindow, EnterAndArrowKeysMoveTheEditorAndStopAtTheEdges)
{
    DataWindow w;
    w.window.SetCurrentCell(2, 10000);
    EXPECT_EQ(w.sheet().topRow(), w.window.navigator().maxTopRow()) << "the last row scrolled into view";
    EXPECT_TRUE(w.grid()->viewport()->rect().intersects(w.editor()->geometry()));
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.current(), (Cell{2, 10000})) << "Enter on row 10000 does nothing";
    EXPECT_EQ(w.editor()->text(), "") << "and no character reaches the cell";
    w.window.SetCurrentCell(2, 1);
    w.key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w.current(), (Cell{2, 1})) << "Shift+Enter on row 1 does nothing";
    w.key(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.current(), (Cell{2, 2}));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Up);
    EXPECT_EQ(w.current(), (Cell{2, 2}));
    EXPECT_EQ(w.sheet().selection(), (CellRange{2, 2, 2, 2}));

    // Right after typing 1 and 2 moves on; with the caret between them it moves the caret.
    w.type("12");
    w.key(Qt::Key_Right);
    EXPECT_EQ(w.current(), (Cell{3, 2}));
    w.key(Qt::Key_Left);
    EXPECT_EQ(w.current(), (Cell{2, 2}));
    EXPECT_EQ(w.editor()->text(), "12");
    EXPECT_EQ(w.editor()->cursorPosition(), 2) << "Left puts the caret after the text";
    w.key(Qt::Key_Left);
    EXPECT_EQ(w.editor()->cursorPosition(), 1);
    w.key(Qt::Key_Right);
    EXPECT_EQ(w.current(), (Cell{2, 2})) << "the caret moved inside the text";
    EXPECT_EQ(w.editor()->cursorPosition(), 2);
    w.key(Qt::Key_Right);
    EXPECT_EQ(w.current(), (Cell{3, 2}));
    EXPECT_EQ(w.editor()->cursorPosition(), 0) << "a new cell starts with the caret before its text";

    // End on a row that is blank within the used columns goes to column 1.
    w.window.SetCurrentCell(5, 7);
    w.key(Qt::Key_End);
    EXPECT_EQ(w.current(), (Cell{1, 7}));
    w.window.SetCurrentCell(5, 2);
    w.key(Qt::Key_End);
    EXPECT_EQ(w.current(), (Cell{2, 2}));
    w.key(Qt::Key_End);
    EXPECT_EQ(w.current(), (Cell{2, 2})) << "the caret was before the text: End is the editor's";
    EXPECT_EQ(w.editor()->cursorPosition(), 2);
    w.key(Qt::Key_Home);
    EXPECT_EQ(w.current(), (Cell{2, 2}));
    EXPECT_EQ(w.editor()->cursorPosition(), 0);
    w.key(Qt::Key_Home);
    EXPECT_EQ(w.current(), (Cell{1, 2}));
}

TEST(DataWindow, TabStaysInTheGridAndCtrlTabIsIgnored)
{
    DataWindow w;
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.current(), (Cell{2, 1}));
    EXPECT_TRUE(w.editor()->hasFocus()) << "the focus never leaves the grid";
    w.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.current(), (Cell{1, 1}));
    w.key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(w.current(), (Cell{1, 1}));
    EXPECT_TRUE(w.editor()->hasFocus()) << "even at the left edge";
    w.key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.current(), (Cell{1, 1})) << "Ctrl+Tab does not move the cell";
    w.window.setDialogOpen(true);
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.current(), (Cell{1, 1})) << "while a dialog runs, Tab is not the grid's";
    w.window.setDialogOpen(false);
}

TEST(DataWindow, PageKeysAndShiftKeysScrollAndSelect)
{
    DataWindow w;
    const std::uint32_t uVisible = w.window.navigator().visibleRows();
    ASSERT_GT(uVisible, 5u);
    w.window.SetCurrentCell(1, 3);
    w.key(Qt::Key_PageDown);
    EXPECT_EQ(w.sheet().topRow(), 1 + uVisible);
    EXPECT_EQ(w.current(), (Cell{1, 3 + uVisible}));
    EXPECT_EQ(w.grid()->verticalScrollBar()->value(), static_cast<int>(uVisible)) << "the grid shows the sheet's view";
    w.key(Qt::Key_PageUp);
    EXPECT_EQ(w.sheet().topRow(), 1u);
    EXPECT_EQ(w.current(), (Cell{1, 3}));

    w.key(Qt::Key_Down, Qt::ShiftModifier);
    w.key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(w.sheet().selection(), (CellRange{1, 3, 2, 4}));
    auto* pModel = static_cast<SheetTableModel*>(w.grid()->model());
    EXPECT_TRUE(pModel->isSelected(pModel->index(3, 1)));
    EXPECT_FALSE(pModel->isSelected(pModel->index(4, 1)));

    // Scrolling with the scroll bar moves the sheet's view and parks the editor.
    w.grid()->verticalScrollBar()->setValue(500);
    EXPECT_EQ(w.sheet().topRow(), 501u);
    EXPECT_EQ(w.editor()->geometry(), QRect(-10, -10, 5, 5));
    w.type("x");
    EXPECT_EQ(w.sheet().cellText(1, 3), "x") << "typing still goes to the current cell";
}

TEST(DataWindow, HeaderClickAndDragSelectColumnsAndTheCornerSelectsAll)
{
    DataWindow w;
    w.window.navigator().ScrollTo(1, 5);
    w.window.SelectAll();
    EXPECT_EQ(w.sheet().selection(), (CellRange{1, 1, 256, 10000}));
    EXPECT_EQ(w.current(), (Cell{1, 5})) << "the top-left cell in view";

    QHeaderView* pColumns = w.grid()->horizontalHeader();
    const int yHeader = pColumns->height() / 2;
    auto columnCentre = [&](int iColumn) {
        return QPoint(pColumns->sectionViewportPosition(iColumn - 1) + pColumns->sectionSize(iColumn - 1) / 2, yHeader);
    };
    SendMouse(pColumns->viewport(), QEvent::MouseButtonPress, columnCentre(3));
    EXPECT_EQ(w.sheet().selection(), (CellRange{3, 1, 3, 10000}));
    EXPECT_EQ(w.current(), (Cell{3, 5})) << "column C in the top visible row";
    SendMouse(pColumns->viewport(), QEvent::MouseMove, columnCentre(5));
    EXPECT_EQ(w.sheet().selection(), (CellRange{3, 1, 5, 10000}));
    SendMouse(pColumns->viewport(), QEvent::MouseButtonRelease, columnCentre(5));
    EXPECT_EQ(w.window.navigator().mouseMode(), MouseMode::None);
    EXPECT_TRUE(w.editor()->hasFocus());

    // Rows likewise.
    QHeaderView* pRows = w.grid()->verticalHeader();
    const QPoint row7(pRows->width() / 2, pRows->sectionViewportPosition(6) + pRows->sectionSize(6) / 2);
    SendMouse(pRows->viewport(), QEvent::MouseButtonPress, row7);
    SendMouse(pRows->viewport(), QEvent::MouseButtonRelease, row7);
    EXPECT_EQ(w.sheet().selection(), (CellRange{1, 7, 256, 7}));
    EXPECT_EQ(w.current(), (Cell{1, 7}));

    // The corner button is Select All.
    for (QAbstractButton* pButton : w.grid()->findChildren<QAbstractButton*>()) {
        if (pButton->parent() == w.grid()) pButton->click();
    }
    EXPECT_EQ(w.sheet().selection(), (CellRange{1, 1, 256, 10000}));

    // A column dragged wider on its header edge is written back to the sheet.
    QSignalSpy modified(&w.window, &TDataWindowForm::sessionModified);
    pColumns->resizeSection(1, 150);
    EXPECT_EQ(w.sheet().columnWidth(2), 149);
    EXPECT_GE(modified.count(), 1);
}

TEST(DataWindow, ADragFromTheEditorPastTheBottomKeepsScrollingUntilReleased)
{
    DataWindow w;
    SendMouse(w.grid()->viewport(), QEvent::MouseButtonPress, w.cellCentre(2, 3));
    SendMouse(w.grid()->viewport(), QEvent::MouseButtonRelease, w.cellCentre(2, 3));
    EXPECT_EQ(w.current(), (Cell{2, 3}));
    EXPECT_TRUE(w.editor()->hasFocus());

    QLineEdit* pEditor = w.editor();
    SendMouse(pEditor, QEvent::MouseButtonPress, QPoint(5, 5));
    EXPECT_EQ(w.window.navigator().mouseMode(), MouseMode::Cells);
    const QPoint below =
        pEditor->mapFrom(w.grid()->viewport(), QPoint(w.cellCentre(3, 3).x(), w.grid()->viewport()->height() + 20));
    SendMouse(pEditor, QEvent::MouseMove, below);
    EXPECT_EQ(w.sheet().topRow(), 2u) << "one row at once";
    ASSERT_TRUE(WaitUntil([&]() { return w.sheet().topRow() >= 4; })) << "then one row every 100 ms";
    EXPECT_EQ(w.sheet().selection().uLeft, 2u);
    EXPECT_EQ(w.sheet().selection().uRight, 3u);
    EXPECT_EQ(w.sheet().selection().uBottom, w.sheet().topRow() + w.window.navigator().visibleRows() - 1);
    SendMouse(pEditor, QEvent::MouseButtonRelease, below);
    const std::uint32_t uTop = w.sheet().topRow();
    QTest::qWait(350);
    EXPECT_EQ(w.sheet().topRow(), uTop) << "released: the scrolling stops";
    EXPECT_EQ(w.window.navigator().mouseMode(), MouseMode::None);
}
