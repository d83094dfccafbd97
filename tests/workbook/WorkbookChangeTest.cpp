// Recorded changes of the workbook: whatever an operation wrote comes back exactly on
// undo and again on redo, sheets with their cells, names and order included, and a
// change holds memory for the cells it touched rather than for the sheet.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WorkbookTestSupport.h"
#include "workbook/DelimitedText.h"
#include "workbook/WorkbookChange.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
//! Everything of a workbook that undo must put back.
struct State {
    std::vector<std::string> psNames;
    std::uint32_t uActive = 0;
    std::vector<std::vector<std::string>> psCells;  //!< each sheet's used range, row by row
    std::vector<std::pair<std::uint32_t, std::uint32_t>> extents;
    friend bool operator==(const State&, const State&) = default;
};

State StateOf(const Workbook& workbook)
{
    State state;
    state.uActive = workbook.activeSheetNumber();
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) {
        const Sheet& sheet = workbook.sheet(u);
        state.psNames.push_back(sheet.name().str());
        state.extents.emplace_back(sheet.lastUsedColumn(), sheet.lastUsedRow());
        std::vector<std::string> psCells;
        for (std::uint32_t uRow = 1; uRow <= sheet.lastUsedRow(); ++uRow)
            for (std::uint32_t uColumn = 1; uColumn <= sheet.lastUsedColumn(); ++uColumn)
                psCells.emplace_back(sheet.cellText(uColumn, uRow));
        state.psCells.push_back(std::move(psCells));
    }
    return state;
}

//! Records an operation, then checks that undo and redo, twice over, give the states
//! before and after it.
template <typename Operation>
void ExpectUndoneAndRedone(Workbook& workbook, Operation operation, const char* psWhat)
{
    const State before = StateOf(workbook);
    WorkbookChange change(workbook);
    operation();
    ASSERT_TRUE(change.Finish()) << psWhat;
    const State after = StateOf(workbook);
    ASSERT_NE(before, after) << psWhat;
    for (int iRound = 0; iRound < 2; ++iRound) {
        change.Revert();
        EXPECT_EQ(StateOf(workbook), before) << psWhat;
        change.Apply();
        EXPECT_EQ(StateOf(workbook), after) << psWhat;
    }
}
}  // namespace

TEST(WorkbookChange, ALargePasteCostsMemoryForItsCellsAndComesBackExactly)
{
    Workbook workbook;
    workbook.SetCellText(2, 3, "kept");
    workbook.SetCellText(12, 1, "beside");
    std::string sText;
    for (int iRow = 1; iRow <= 10000; ++iRow) {
        for (int iColumn = 1; iColumn <= 10; ++iColumn) {
            if (iColumn > 1) sText += '\t';
            sText += std::to_string(iRow * 11 + iColumn);
        }
        sText += '\n';
    }
    const std::size_t uSheetBefore = workbook.activeSheet().cellBytes();
    workbook.SetCurrentCell(1, 1);
    auto pPaste = std::make_unique<WorkbookChange>(workbook);
    const State before = StateOf(workbook);
    PasteText(workbook, sText);
    ASSERT_TRUE(pPaste->Finish());
    const State after = StateOf(workbook);
    EXPECT_EQ(workbook.CellText(10, 10000), "110010");
    // 100 000 cells, each written once: the change holds each text twice and its place,
    // never more than the sheet holds for the same cells by half again.
    const std::size_t uPasted = workbook.activeSheet().cellBytes() - uSheetBefore;
    EXPECT_LT(pPaste->Bytes(), 100000u * 100u);
    EXPECT_LT(pPaste->Bytes(), uPasted * 3);
    for (int iRound = 0; iRound < 2; ++iRound) {
        pPaste->Revert();
        EXPECT_EQ(StateOf(workbook), before);
        pPaste->Apply();
        EXPECT_EQ(StateOf(workbook), after);
    }

    // One cell typed on the big sheet costs as much as one cell.
    WorkbookChange typed(workbook);
    workbook.SetCellText(5, 5000, "x");
    ASSERT_TRUE(typed.Finish());
    EXPECT_LT(typed.Bytes(), 1024u);
}

TEST(WorkbookChange, EveryOperationOnCellsAndSheetsIsUndoneAndRedone)
{
    TemporaryFolder folder;
    ScriptedUserMessages messages;
    messages.setDefaultAnswer(MessageAnswer::Ok);
    Workbook workbook;
    workbook.SetCellText(1, 1, "10");
    workbook.SetCellText(3, 4, "49.7");
    workbook.SetCellText(4, 4, "50.1");

    ExpectUndoneAndRedone(
        workbook, [&] { workbook.SetCellText(3, 4, "9.7"); }, "typing");
    ExpectUndoneAndRedone(
        workbook, [&] { workbook.SetCellText(4, 4, ""); }, "typing a blank at the edge");
    ExpectUndoneAndRedone(
        workbook,
        [&] {
            workbook.SetCurrentCell(4, 6);
            PasteText(workbook, "1\t2\n3\t4");
        },
        "paste past the extent");
    workbook.SetSelection({3, 2, 4, 4});
    ExpectUndoneAndRedone(
        workbook, [&] { ClearSelection(workbook, false, messages); }, "clear");
    workbook.SetSelection({1, 1, 5, 7});
    ExpectUndoneAndRedone(
        workbook, [&] { CutSelection(workbook, messages); }, "cut");
    ExpectUndoneAndRedone(
        workbook, [&] { ImportSheet(workbook, folder.write("in.txt", "a\tb\n1\t2\n"), messages); },
        "import into a new sheet");
    ExpectUndoneAndRedone(
        workbook, [&] { workbook.AddSheet(); }, "add");
    ExpectUndoneAndRedone(
        workbook, [&] { workbook.RenameSheet("Weights", messages); }, "rename");
    ExpectUndoneAndRedone(
        workbook,
        [&] {
            workbook.MoveSheets({String("Weights"), String("Sheet 1")});
        },
        "move");
    workbook.setActiveSheet(2);
    ExpectUndoneAndRedone(
        workbook, [&] { workbook.DeleteSheet(messages); }, "delete");
    ExpectUndoneAndRedone(
        workbook, [&] { workbook.ClearWorkbook(); }, "clearing the workbook");

    // An operation that changes nothing is no change.
    WorkbookChange nothing(workbook);
    workbook.RenameSheet(workbook.activeSheet().name().view(), messages);
    workbook.SetCurrentCell(7, 7);
    EXPECT_FALSE(nothing.Finish());
}

TEST(WorkbookChange, KeysTypedInOneCellBecomeOneChangeAndTypingBackToTheStartIsNone)
{
    Workbook workbook;
    workbook.SetCellText(2, 2, "49.7");
    const State before = StateOf(workbook);
    auto typeInto = [&](const char* psText) {
        auto pChange = std::make_unique<WorkbookChange>(workbook);
        workbook.SetCellText(2, 2, psText);
        pChange->Finish();
        return pChange;
    };
    auto pFirst = typeInto("9.7");
    auto pSecond = typeInto("19.7");
    ASSERT_TRUE(pFirst->Absorb(*pSecond));
    const State after = StateOf(workbook);
    pFirst->Revert();
    EXPECT_EQ(StateOf(workbook), before) << "back before the first key";
    pFirst->Apply();
    EXPECT_EQ(StateOf(workbook), after) << "on to the last key";
    auto pBack = typeInto("49.7");
    ASSERT_TRUE(pFirst->Absorb(*pBack));
    EXPECT_TRUE(pFirst->ChangesNothing());

    // A change of sheets is never absorbed.
    auto pAdd = std::make_unique<WorkbookChange>(workbook);
    workbook.AddSheet();
    pAdd->Finish();
    EXPECT_FALSE(pFirst->Absorb(*pAdd));
}
