// Undo and redo in the data window: one step per action, named in the commands, with the
// standard keys; typing is one step per cell visited; Delete and Backspace on a range
// clear it; Escape puts back the text the cell was entered with.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QUndoStack>

#include "DataWindowTestSupport.h"
#include "platform/qt/ModalDialogs.h"
#include "workbook/DelimitedText.h"
#include "workbook/ui/TSheetNameDialogBoxForm.h"
#include "workbook/ui/WorkbookHistory.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
std::string Text(QAction* pAction)
{
    return pAction->text().toStdString();
}

std::vector<std::string> SheetNames(Workbook& workbook)
{
    std::vector<std::string> psNames;
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) psNames.push_back(workbook.sheet(u).name().str());
    return psNames;
}

struct HistoryWindow : DataWindow {
    WorkbookHistory& history() { return window.history(); }
    QAction* undo() { return history().undoAction(); }
    QAction* redo() { return history().redoAction(); }
    //! The keys, as the user presses them in the cell editor.
    void pressUndo() { key(Qt::Key_Z, Qt::ControlModifier); }
    void pressRedo(bool bY)
    {
        bY ? key(Qt::Key_Y, Qt::ControlModifier) : key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
};
}  // namespace

TEST(DataWindowHistory, TypingIsOneStepPerCellVisitedAndTheKeysTakeItBackAndRedoIt)
{
    HistoryWindow w;
    EXPECT_FALSE(w.undo()->isEnabled());
    EXPECT_FALSE(w.redo()->isEnabled());
    EXPECT_EQ(Text(w.undo()), "&Undo");
    w.type(QStringLiteral("49.7"));
    w.key(Qt::Key_Down);
    w.type(QStringLiteral("50"));
    w.key(Qt::Key_Backspace);
    w.type(QStringLiteral("1"));
    EXPECT_EQ(w.history().stack().count(), 2) << "one step for each cell, not for each key";
    EXPECT_EQ(Text(w.undo()), "&Undo Typing");

    w.pressUndo();
    EXPECT_EQ(w.sheet().cellText(1, 2), "");
    EXPECT_EQ(w.editor()->text(), "") << "the editor shows the cell put back";
    EXPECT_EQ(w.current(), Cell(1, 2));
    EXPECT_EQ(w.sheet().lastUsedRow(), 1u);
    w.pressUndo();
    EXPECT_EQ(w.sheet().cellText(1, 1), "");
    EXPECT_EQ(w.sheet().lastUsedColumn(), 0u);
    EXPECT_FALSE(w.undo()->isEnabled());
    EXPECT_EQ(Text(w.redo()), "R&edo Typing");
    w.pressRedo(false);
    EXPECT_EQ(w.sheet().cellText(1, 1), "49.7");
    w.pressRedo(true);
    EXPECT_EQ(w.sheet().cellText(1, 2), "51");
    EXPECT_EQ(w.current(), Cell(1, 2));
    EXPECT_FALSE(w.redo()->isEnabled());

    // Typing after an undo drops what could have been redone.
    w.pressUndo();
    w.type(QStringLiteral("7"));
    EXPECT_FALSE(w.redo()->isEnabled());
    EXPECT_EQ(w.history().stack().count(), 2);
}

TEST(DataWindowHistory, EachCommandIsOneNamedStep)
{
    HistoryWindow w;
    w.platform.messages.setDefaultAnswer(MessageAnswer::Ok);
    auto check = [&](const char* psStep, const std::function<void()>& command) {
        const std::size_t uSteps = static_cast<std::size_t>(w.history().stack().count());
        const std::vector<std::string> psBefore = SheetNames(w.workbook());
        const std::string sBefore = RangeText(w.sheet(), {1, 1, 6, 6}).str();
        command();
        EXPECT_EQ(static_cast<std::size_t>(w.history().stack().count()), uSteps + 1) << psStep;
        EXPECT_EQ(Text(w.undo()), std::string("&Undo ") + psStep);
        const std::vector<std::string> psAfter = SheetNames(w.workbook());
        const std::string sAfter = RangeText(w.sheet(), {1, 1, 6, 6}).str();
        w.undo()->trigger();
        EXPECT_EQ(SheetNames(w.workbook()), psBefore) << psStep;
        EXPECT_EQ(RangeText(w.sheet(), {1, 1, 6, 6}).str(), sBefore) << psStep;
        EXPECT_EQ(Text(w.redo()), std::string("R&edo ") + psStep);
        w.redo()->trigger();
        EXPECT_EQ(SheetNames(w.workbook()), psAfter) << psStep;
        EXPECT_EQ(RangeText(w.sheet(), {1, 1, 6, 6}).str(), sAfter) << psStep;
    };
    w.platform.clipboard.setText("1\t2\n3\t4");
    check("Paste", [&] {
        w.window.SetCurrentCell(2, 2);
        w.window.Paste();
    });
    check("Cut", [&] {
        w.workbook().SetSelection({2, 2, 2, 3});
        w.window.Cut();
    });
    check("Clear Cells", [&] {
        w.workbook().SetSelection({3, 2, 3, 3});
        w.window.ClearCells();
    });
    check("Add Sheet", [&] { w.window.AddSheet(); });
    w.workbook().SetCellText(1, 1, "used");
    check("Import", [&] {
        w.platform.fileDialogs.queueAnswer(std::string(OVS_TEST_DATA_DIR) + "/workbook/crlf.txt");
        w.window.ImportSheet();
    });
    check("Rename Sheet", [&] {
        AnswerNextModal<TSheetNameDialogBoxForm>([](TSheetNameDialogBoxForm& dialog) {
            dialog.SheetNameEdit()->setText(QStringLiteral("Weights"));
            dialog.accept();
        });
        w.window.RenameSheet();
    });
    check("Delete Sheet", [&] { w.window.DeleteSheet(); });

    // A command that changes nothing leaves no step.
    const int iSteps = w.history().stack().count();
    w.workbook().SetSelection({200, 9000, 200, 9000});
    w.window.ClearCells();
    w.window.Cut();
    w.platform.clipboard.setText("");
    w.window.Paste();
    EXPECT_EQ(w.history().stack().count(), iSteps);
}

TEST(DataWindowHistory, ALargePasteIsUndoneAndRedoneInMemoryBoundedByItsCells)
{
    HistoryWindow w;
    std::string sText;
    for (int iRow = 1; iRow <= 10000; ++iRow) {
        for (int iColumn = 1; iColumn <= 10; ++iColumn) sText += std::to_string(iRow) + (iColumn < 10 ? "\t" : "\n");
    }
    w.platform.clipboard.setText(sText);
    w.window.Paste();
    ASSERT_EQ(w.sheet().cellText(10, 10000), "10000");
    const std::size_t uSheetBytes = w.sheet().cellBytes();
    EXPECT_LT(w.history().Bytes(), 3 * uSheetBytes) << "the cells pasted, not copies of the sheet";
    w.undo()->trigger();
    EXPECT_EQ(w.sheet().lastUsedRow(), 0u);
    EXPECT_EQ(w.sheet().cellText(10, 10000), "");
    w.redo()->trigger();
    EXPECT_EQ(w.sheet().cellText(10, 10000), "10000");
    // A cell typed on top of it costs a cell.
    const std::size_t uBefore = w.history().Bytes();
    w.type(QStringLiteral("x"));
    EXPECT_LT(w.history().Bytes() - uBefore, 1024u);
}

TEST(DataWindowHistory, DeleteAndBackspaceClearARangeAndEditTheCellWhenOneIsSelected)
{
    HistoryWindow w;
    for (std::uint32_t uRow = 2; uRow <= 4; ++uRow) {
        w.workbook().SetCellText(3, uRow, "49.7");
        w.workbook().SetCellText(4, uRow, "50.2");
    }
    w.workbook().SetCellText(5, 2, "beside");
    w.window.SetCurrentCell(3, 2);
    w.workbook().SetSelection({3, 2, 3, 3});
    w.key(Qt::Key_Right, Qt::ShiftModifier);
    w.key(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_EQ(w.workbook().Selection(), (CellRange{3, 2, 4, 4}));
    w.key(Qt::Key_Delete);
    for (std::uint32_t uRow = 2; uRow <= 4; ++uRow) {
        EXPECT_EQ(w.sheet().cellText(3, uRow), "");
        EXPECT_EQ(w.sheet().cellText(4, uRow), "");
    }
    EXPECT_EQ(w.sheet().cellText(5, 2), "beside");
    EXPECT_TRUE(w.platform.messages.shown().empty()) << "no question: the step can be undone";
    EXPECT_EQ(Text(w.undo()), "&Undo Clear Cells");
    w.pressUndo();
    EXPECT_EQ(w.sheet().cellText(3, 2), "49.7");
    EXPECT_EQ(w.sheet().cellText(4, 4), "50.2");

    w.workbook().SetSelection({3, 2, 4, 4});
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.sheet().cellText(4, 3), "");
    w.pressUndo();

    // One cell selected: the keys edit its text as always (caret before the first character).
    w.workbook().SetSelection({3, 3, 3, 3});
    w.window.SetCurrentCell(3, 3);
    w.key(Qt::Key_Delete);
    EXPECT_EQ(w.sheet().cellText(3, 3), "9.7");
    w.key(Qt::Key_End);
    w.key(Qt::Key_Backspace);
    EXPECT_EQ(w.sheet().cellText(3, 3), "9.");
    EXPECT_EQ(w.sheet().cellText(4, 3), "50.2");
}

TEST(DataWindowHistory, EscapePutsBackTheTextTheCellWasEnteredWithAndLeavesNoStep)
{
    HistoryWindow w;
    w.workbook().SetCellText(1, 1, "49.7");
    w.window.SetCurrentCell(1, 1);
    w.type(QStringLiteral("1"));
    w.key(Qt::Key_Delete);
    ASSERT_EQ(w.sheet().cellText(1, 1), "19.7");
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.sheet().cellText(1, 1), "49.7");
    EXPECT_EQ(w.editor()->text(), "49.7");
    EXPECT_EQ(w.editor()->cursorPosition(), 0);
    EXPECT_EQ(w.history().stack().count(), 0) << "one step fewer, not one more";
    EXPECT_FALSE(w.undo()->isEnabled());

    // The entering text is the one of this visit, after earlier steps.
    w.type(QStringLiteral("2"));
    w.key(Qt::Key_Down);
    w.key(Qt::Key_Up);
    w.type(QStringLiteral("3"));
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.sheet().cellText(1, 1), "249.7");
    EXPECT_EQ(w.history().stack().count(), 1);
    // Escape with nothing typed changes nothing.
    w.key(Qt::Key_Escape);
    EXPECT_EQ(w.history().stack().count(), 1);
}
