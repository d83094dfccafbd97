// The workbook: sheet naming, delete, rename, move, clear, and the notifications that
// keep the session's modified flag and the data window up to date.
#include <gtest/gtest.h>

#include "WorkbookTestSupport.h"
#include "workbook/Workbook.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
std::vector<std::string> SheetNames(const Workbook& workbook)
{
    std::vector<std::string> names;
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) names.push_back(workbook.sheet(u).name().str());
    return names;
}
using Names = std::vector<std::string>;
}  // namespace

TEST(Workbook, ANewWorkbookHasOneEmptySheetOneAndTheDefaultWindow)
{
    Workbook workbook;
    EXPECT_EQ(SheetNames(workbook), Names{"Sheet 1"});
    EXPECT_EQ(workbook.activeSheetNumber(), 1u);
    EXPECT_EQ(workbook.LastUsedColumn(), 0u);
    EXPECT_EQ(workbook.LastUsedRow(), 0u);
    EXPECT_EQ(workbook.activeSheet().currentColumn(), 1u);
    EXPECT_EQ(workbook.activeSheet().currentRow(), 1u);
    EXPECT_EQ(workbook.dataWindowGeometry(), (WindowGeometry{0, 10, 10, 454, 703}));
    EXPECT_EQ(workbook.activeSheet().cellBytes(), 0u);
}

TEST(Workbook, NewSheetsTakeTheFirstFreeNumberComparedCaseSensitively)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    workbook.AddSheet();
    workbook.AddSheet();
    EXPECT_EQ(SheetNames(workbook), (Names{"Sheet 1", "Sheet 2", "Sheet 3"}));
    EXPECT_EQ(workbook.activeSheetNumber(), 3u);

    workbook.setActiveSheet(2);
    messages.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(workbook.DeleteSheet(messages));
    workbook.AddSheet();
    EXPECT_EQ(SheetNames(workbook), (Names{"Sheet 1", "Sheet 3", "Sheet 2"}));  // appended as the last tab
    EXPECT_EQ(workbook.activeSheetNumber(), 3u);

    Workbook lower;
    lower.AddSheet();
    lower.RenameSheet("sheet 2", messages);
    lower.AddSheet();
    EXPECT_EQ(SheetNames(lower), (Names{"Sheet 1", "sheet 2", "Sheet 2"}));
}

TEST(Workbook, DeletingRefusesTheLastSheetAsksFirstAndKeepsTheOtherSheetsState)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    CountingObserver observer;
    workbook.addObserver(&observer);

    EXPECT_FALSE(workbook.DeleteSheet(messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Error");
    EXPECT_EQ(messages.shown()[0].sText, "You cannot delete the last sheet.  Add another sheet first or select new.");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(observer.iModified, 0);

    workbook.SetCellText(2, 3, "kept");
    workbook.SetCurrentCell(4, 5);
    workbook.AddSheet();
    workbook.SetCellText(1, 1, "doomed");
    messages.clear();
    observer.iModified = 0;

    messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(workbook.DeleteSheet(messages));
    EXPECT_EQ(workbook.sheetCount(), 2u);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Warning");
    EXPECT_EQ(messages.shown()[0].sText, "Are you sure you want to delete the current sheet?");
    EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::None);
    EXPECT_EQ(observer.iModified, 0);

    messages.queueAnswer(MessageAnswer::Ok);
    EXPECT_TRUE(workbook.DeleteSheet(messages));
    EXPECT_EQ(SheetNames(workbook), Names{"Sheet 1"});
    EXPECT_EQ(workbook.CellText(2, 3), "kept");
    EXPECT_EQ(workbook.LastUsedColumn(), 2u);
    EXPECT_EQ(workbook.LastUsedRow(), 3u);
    EXPECT_EQ(workbook.activeSheet().currentColumn(), 4u);
    EXPECT_EQ(workbook.activeSheet().currentRow(), 5u);
    EXPECT_GT(observer.iModified, 0);
    workbook.removeObserver(&observer);
}

TEST(Workbook, RenamingKeepsTheNameAsTypedAndRefusesBlankNames)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    CountingObserver observer;
    workbook.addObserver(&observer);

    EXPECT_TRUE(workbook.RenameSheet(" Data ", messages));
    EXPECT_EQ(workbook.activeSheet().name(), " Data ");
    EXPECT_EQ(observer.iModified, 1);

    EXPECT_TRUE(workbook.RenameSheet(" Data ", messages));  // the same name: nothing happens
    EXPECT_EQ(observer.iModified, 1);

    for (const char* sBlank : {"   ", "", "\t"}) {
        EXPECT_FALSE(workbook.RenameSheet(sBlank, messages));
    }
    EXPECT_EQ(workbook.activeSheet().name(), " Data ");
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Error");
    EXPECT_EQ(messages.shown()[0].sText, "Sheet name cannot be blank.  Correct and try again.");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(observer.iModified, 1);
    workbook.removeObserver(&observer);
}

TEST(Workbook, MovingSheetsFollowsTheListAndEachSheetKeepsItsState)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    workbook.AddSheet();
    workbook.AddSheet();
    for (std::uint32_t u = 1; u <= 3; ++u) {
        workbook.setActiveSheet(u);
        workbook.SetCellText(u, u, "mark");
        workbook.SetCurrentCell(10 + u, 20 + u);
    }
    workbook.setActiveSheet(1);
    CountingObserver observer;
    workbook.addObserver(&observer);

    // The move dialog's result of dragging the third name onto the first.
    workbook.MoveSheets({String("Sheet 3"), String("Sheet 1"), String("Sheet 2")});
    EXPECT_EQ(SheetNames(workbook), (Names{"Sheet 3", "Sheet 1", "Sheet 2"}));
    EXPECT_EQ(workbook.activeSheetNumber(), 2u);  // still the sheet that was active
    EXPECT_EQ(workbook.activeSheet().name(), "Sheet 1");
    EXPECT_EQ(observer.iModified, 1);
    for (std::uint32_t u = 1; u <= 3; ++u) {
        const Sheet& sheet = workbook.sheet(u);
        const std::uint32_t uOriginal = sheet.name()[6] - '0';
        EXPECT_EQ(sheet.cellText(uOriginal, uOriginal), "mark");
        EXPECT_EQ(sheet.lastUsedColumn(), uOriginal);
        EXPECT_EQ(sheet.currentColumn(), 10 + uOriginal);
        EXPECT_EQ(sheet.currentRow(), 20 + uOriginal);
    }

    // The order already shown changes nothing.
    workbook.MoveSheets({String("Sheet 3"), String("Sheet 1"), String("Sheet 2")});
    EXPECT_EQ(observer.iModified, 1);
    workbook.removeObserver(&observer);
}

TEST(Workbook, MovingSheetsWithRepeatedNamesEndsInTheOrderOfTheList)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    workbook.AddSheet();
    workbook.AddSheet();
    workbook.setActiveSheet(1);
    workbook.RenameSheet("X", messages);
    workbook.SetCellText(1, 1, "first X");
    workbook.setActiveSheet(2);
    workbook.RenameSheet("B", messages);
    workbook.setActiveSheet(3);
    workbook.RenameSheet("X", messages);
    workbook.SetCellText(1, 1, "second X");
    // Tabs X, B, X; the user moves B to the front.
    workbook.MoveSheets({String("B"), String("X"), String("X")});
    EXPECT_EQ(SheetNames(workbook), (Names{"B", "X", "X"}));
    EXPECT_EQ(workbook.sheet(2).cellText(1, 1), "first X");
    EXPECT_EQ(workbook.sheet(3).cellText(1, 1), "second X");

    // X, B, X asked back: a search from the left would take the first X again and leave B, X, X.
    workbook.MoveSheets({String("X"), String("B"), String("X")});
    EXPECT_EQ(SheetNames(workbook), (Names{"X", "B", "X"}));
    EXPECT_EQ(workbook.sheet(1).cellText(1, 1), "first X");

    // Names that are not there are passed over.
    workbook.MoveSheets({String("nothing"), String("B")});
    EXPECT_EQ(SheetNames(workbook), (Names{"X", "B", "X"}));
}

TEST(Workbook, ClearingGoesBackToOneSheetAndTheDefaultWindow)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    workbook.AddSheet();
    workbook.AddSheet();
    workbook.RenameSheet("Data", messages);
    workbook.SetCellText(5, 5, "x");
    workbook.setDataWindowGeometry({2, 30, 40, 500, 800});
    workbook.setDefaultDataWindowGeometry({0, 10, 10, 454, 710});
    workbook.ClearWorkbook();
    EXPECT_EQ(SheetNames(workbook), Names{"Sheet 1"});
    EXPECT_EQ(workbook.LastUsedColumn(), 0u);
    EXPECT_EQ(workbook.CellText(5, 5), "");
    EXPECT_EQ(workbook.dataWindowGeometry(), (WindowGeometry{0, 10, 10, 454, 710}));
    workbook.AddSheet();
    EXPECT_EQ(workbook.activeSheet().name(), "Sheet 2");
}

TEST(Workbook, EveryChangeMarksTheSessionAndMovingTheEditorDoesNot)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    CountingObserver observer;
    workbook.addObserver(&observer);

    workbook.SetCellText(1, 1, "5");
    EXPECT_EQ(observer.iModified, 1);
    EXPECT_EQ(observer.iCells, 1);
    workbook.SetCellText(1, 1, "5");  // unchanged text
    EXPECT_EQ(observer.iModified, 1);
    workbook.SetCellText(300, 1, "5");  // outside the grid
    EXPECT_EQ(observer.iModified, 1);
    EXPECT_EQ(workbook.LastUsedColumn(), 1u);

    workbook.SetCurrentCell(3, 4);
    workbook.SetSelection({1, 1, 3, 4});
    workbook.setActiveSheet(1);
    EXPECT_EQ(observer.iModified, 1);
    EXPECT_EQ(observer.uEditorColumn, 3u);
    EXPECT_EQ(observer.uEditorRow, 4u);
    EXPECT_EQ(workbook.Selection(), (CellRange{1, 1, 3, 4}));

    workbook.SetColumnWidth(2, 90);
    EXPECT_EQ(observer.iModified, 2);
    workbook.SetColumnWidth(2, 90);
    workbook.SetRowHeight(0, 19);
    EXPECT_EQ(observer.iModified, 2);
    workbook.setDataWindowGeometry(workbook.dataWindowGeometry());
    EXPECT_EQ(observer.iModified, 2);
    workbook.setDataWindowGeometry({0, 10, 10, 300, 703});
    EXPECT_EQ(observer.iModified, 3);

    workbook.AddSheet();
    EXPECT_EQ(observer.iModified, 4);
    EXPECT_EQ(observer.uEditorColumn, 1u);  // the new sheet's editor is on A1
    EXPECT_EQ(observer.uEditorRow, 1u);
    workbook.ClearWorkbook();
    EXPECT_EQ(observer.iModified, 5);
    EXPECT_GE(observer.iSheets, 2);

    // An observer removed while it is told is not told again.
    class Leaving : public WorkbookObserver {
    public:
        explicit Leaving(Workbook& workbook) : m_workbook(workbook) {}
        void workbookModified() override
        {
            ++iCalls;
            m_workbook.removeObserver(this);
        }
        int iCalls = 0;

    private:
        Workbook& m_workbook;
    } leaving(workbook);
    workbook.addObserver(&leaving);
    workbook.markModified();
    workbook.markModified();
    EXPECT_EQ(leaving.iCalls, 1);
    EXPECT_EQ(observer.iModified, 7);
    workbook.removeObserver(&observer);
}
