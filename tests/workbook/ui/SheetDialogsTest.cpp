// The sheet tabs and the two sheet dialogs: a double click on a tab opens "Rename Sheet",
// a blank name is refused, and "Move Sheets" reorders by buttons and by drag and drop.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "DataWindowTestSupport.h"
#include "platform/qt/ModalDialogs.h"
#include "workbook/ui/TSheetMoveDialogBoxForm.h"
#include "workbook/ui/TSheetNameDialogBoxForm.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
std::vector<std::string> TabNames(const TDataWindowForm& window)
{
    std::vector<std::string> names;
    for (int i = 0; i < window.tabs()->count(); ++i) names.push_back(window.tabs()->tabText(i).toStdString());
    return names;
}
using Names = std::vector<std::string>;

// Drops the list's selected name on the item at iTarget, as a drag inside the list does.
void DropSelectedOn(SheetOrderList& list, int iTarget)
{
    std::unique_ptr<QMimeData> pData(list.model()->mimeData(list.selectionModel()->selectedIndexes()));
    const QPointF at = list.visualItemRect(list.item(iTarget)).center();
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &move);
    EXPECT_TRUE(move.isAccepted()) << "dropping on an item is accepted";
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &drop);
}
}  // namespace

TEST(SheetTabs, TwoPressesWithinTheDoubleClickTimeOpenRenameAndSlowerOnesDoNot)
{
    DataWindow w;
    qint64 iNow = 100000;
    w.window.setClock([&iNow]() { return iNow; });
    QTabBar* pTabs = w.window.tabs()->tabBar();
    const QPoint tab1 = pTabs->tabRect(0).center();
    int iOpened = 0;
    auto pressAt = [&](qint64 iTime, QPoint where) {
        iNow = iTime;
        QTest::mouseClick(pTabs, Qt::LeftButton, Qt::NoModifier, where);
    };

    // 2 s apart: nothing.
    pressAt(100000, tab1);
    pressAt(102000, tab1);
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // Within 0.864 s: the rename dialog, preset with the sheet's name.
    AnswerNextModal<TSheetNameDialogBoxForm>([&](TSheetNameDialogBoxForm& dialog) {
        ++iOpened;
        EXPECT_EQ(dialog.windowTitle(), "Rename Sheet");
        EXPECT_EQ(dialog.SheetNameEdit()->text(), "Sheet 1");
        EXPECT_TRUE(w.window.dialogOpen());
        dialog.reject();
    });
    pressAt(102800, tab1);
    ASSERT_TRUE(WaitUntil([&]() { return iOpened == 1; }));
    EXPECT_FALSE(w.window.dialogOpen());
    pressAt(103700, tab1);
    pressAt(104600, tab1);  // 0.9 s: past the double-click time
    QTest::qWait(50);
    EXPECT_EQ(iOpened, 1);

    // The press that switches tabs does not count as the first of a double click.
    w.window.AddSheet();
    w.window.tabs()->setCurrentIndex(0);
    const QPoint tab2 = pTabs->tabRect(1).center();
    pressAt(200000, tab2);
    EXPECT_EQ(w.workbook().activeSheetNumber(), 2u);
    pressAt(200300, tab2);
    QTest::qWait(50);
    EXPECT_EQ(iOpened, 1);
    AnswerNextModal<TSheetNameDialogBoxForm>([&](TSheetNameDialogBoxForm& dialog) {
        ++iOpened;
        EXPECT_EQ(dialog.SheetNameEdit()->text(), "Sheet 2");
        dialog.reject();
    });
    pressAt(200600, tab2);
    EXPECT_TRUE(WaitUntil([&]() { return iOpened == 2; }));

    // At the desktop's double-click speed the second press arrives as a double-click event.
    AnswerNextModal<TSheetNameDialogBoxForm>([&](TSheetNameDialogBoxForm& dialog) {
        ++iOpened;
        dialog.reject();
    });
    pressAt(300000, tab2);
    iNow = 300200;
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(tab2), pTabs->mapToGlobal(QPointF(tab2)), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pTabs, &second);
    EXPECT_TRUE(WaitUntil([&]() { return iOpened == 3; }));
}

TEST(SheetDialogs, RenameRefusesABlankNameAndKeepsTheDialogOpen)
{
    DataWindow w;
    bool bAnswered = false;
    AnswerNextModal<TSheetNameDialogBoxForm>([&](TSheetNameDialogBoxForm& dialog) {
        dialog.SheetNameEdit()->setText("   ");
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "a blank name keeps the dialog open";
        EXPECT_EQ(w.platform.messages.texts(),
                  std::vector<std::string>{"Sheet name cannot be blank.  Correct and try again."});
        EXPECT_EQ(w.platform.messages.shown().front().sCaption, "Error");
        EXPECT_EQ(w.platform.messages.shown().front().icon, MessageIcon::Exclamation);
        EXPECT_TRUE(WaitUntil([&]() { return dialog.SheetNameEdit()->hasFocus(); }));
        QTest::mouseClick(dialog.HelpButton(), Qt::LeftButton);
        // Tab belongs to the dialog while it runs.
        dialog.SheetNameEdit()->setFocus();
        QTest::keyClick(dialog.SheetNameEdit(), Qt::Key_Tab);
        EXPECT_NE(dialog.focusWidget(), dialog.SheetNameEdit());
        EXPECT_EQ(w.current(), (Cell{1, 1}));
        dialog.SheetNameEdit()->setText(" Data ");
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        bAnswered = true;
    });
    w.window.RenameSheet();
    EXPECT_TRUE(bAnswered);
    EXPECT_EQ(w.sheet().name(), " Data ") << "stored exactly as entered";
    EXPECT_EQ(TabNames(w.window), Names{" Data "});
    EXPECT_EQ(w.platform.help.calls(), std::vector<std::string>{"context 21"});
    EXPECT_EQ(w.window.focusWidget(), w.editor()) << "back in the grid";
}

TEST(SheetDialogs, MoveByDraggingTheThirdNameOntoTheFirst)
{
    DataWindow w;
    w.window.AddSheet();
    w.window.AddSheet();
    w.workbook().SetCellText(1, 1, "third's");
    ASSERT_EQ(TabNames(w.window), (Names{"Sheet 1", "Sheet 2", "Sheet 3"}));

    AnswerNextModal<TSheetMoveDialogBoxForm>([&](TSheetMoveDialogBoxForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Move Sheets");
        SheetOrderList& list = *dialog.SheetListBox();
        EXPECT_EQ(list.currentRow(), 0) << "the first name is selected";
        EXPECT_TRUE(WaitUntil([&]() { return list.hasFocus() && list.visualItemRect(list.item(2)).isValid(); }));
        list.setCurrentRow(2);
        DropSelectedOn(list, 0);
        ASSERT_EQ(list.count(), 3);
        EXPECT_EQ(list.item(0)->text(), "Sheet 3");
        EXPECT_EQ(list.item(1)->text(), "Sheet 1");
        EXPECT_EQ(list.item(2)->text(), "Sheet 2");
        EXPECT_EQ(list.currentRow(), 0) << "the moved name stays selected";
        // Below the last item nothing is accepted.
        std::unique_ptr<QMimeData> pData(list.model()->mimeData(list.selectionModel()->selectedIndexes()));
        const QPoint below(5, list.viewport()->height() - 2);
        QDragEnterEvent enter(below, Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &enter);
        QDragMoveEvent move(below, Qt::CopyAction | Qt::MoveAction, pData.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
        EXPECT_FALSE(move.isAccepted());
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    w.window.MoveSheets();
    EXPECT_EQ(TabNames(w.window), (Names{"Sheet 3", "Sheet 1", "Sheet 2"}));
    EXPECT_EQ(w.workbook().sheet(1).cellText(1, 1), "third's") << "the sheet travels with its name";
    EXPECT_EQ(w.workbook().activeSheetNumber(), 1u);
    EXPECT_EQ(w.editor()->text(), "third's");
}

TEST(SheetDialogs, MoveButtonsStopAtTheEndsAndCancelDiscardsTheOrder)
{
    DataWindow w;
    w.window.AddSheet();
    w.window.AddSheet();
    AnswerNextModal<TSheetMoveDialogBoxForm>([&](TSheetMoveDialogBoxForm& dialog) {
        SheetOrderList& list = *dialog.SheetListBox();
        QTest::mouseClick(dialog.UpButton(), Qt::LeftButton);
        EXPECT_EQ(list.item(0)->text(), "Sheet 1") << "not above the first";
        QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
        EXPECT_EQ(list.item(2)->text(), "Sheet 1") << "not below the last";
        EXPECT_EQ(list.currentRow(), 2);
        QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    });
    w.window.MoveSheets();
    EXPECT_EQ(TabNames(w.window), (Names{"Sheet 1", "Sheet 2", "Sheet 3"}));

    AnswerNextModal<TSheetMoveDialogBoxForm>([&](TSheetMoveDialogBoxForm& dialog) {
        QTest::mouseClick(dialog.DownButton(), Qt::LeftButton);
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    });
    w.window.MoveSheets();
    EXPECT_EQ(TabNames(w.window), (Names{"Sheet 2", "Sheet 1", "Sheet 3"}));
}
