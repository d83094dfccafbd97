// Paste, copy, cut, clear, import and export of tab-delimited text, with their messages,
// the used extent they leave, and the hourglass put away before every message.
#include <gtest/gtest.h>

#include <filesystem>

#include "WorkbookTestSupport.h"
#include "workbook/DelimitedText.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

TEST(PasteText, FieldsLandFromTheCurrentCellAndBlankFieldsKeepWhatIsThere)
{
    Workbook workbook;
    CountingObserver observer;
    workbook.addObserver(&observer);
    workbook.SetCellText(3, 2, "old");
    workbook.SetCurrentCell(2, 2);
    workbook.SetSelection({7, 7, 7, 7});
    PasteText(workbook, "a\t\tb");
    EXPECT_EQ(workbook.CellText(2, 2), "a");
    EXPECT_EQ(workbook.CellText(3, 2), "old");
    EXPECT_EQ(workbook.CellText(4, 2), "b");
    EXPECT_EQ(workbook.LastUsedColumn(), 4u);
    EXPECT_EQ(observer.uEditorColumn, 2u);  // the editor goes back to the start cell
    EXPECT_EQ(observer.uEditorRow, 2u);
    EXPECT_EQ(workbook.Selection(), (CellRange{7, 7, 7, 7}));  // neither changed nor a limit
    EXPECT_GE(observer.iModified, 2);

    // Three lines at C5 with a trailing line feed; spaces do not overwrite; " 7 " is kept.
    workbook.SetCellText(4, 6, "under");
    workbook.SetCurrentCell(3, 5);
    PasteText(workbook, "1\t2\n   \t   \n 7 \n");
    EXPECT_EQ(workbook.CellText(3, 5), "1");
    EXPECT_EQ(workbook.CellText(4, 5), "2");
    EXPECT_EQ(workbook.CellText(4, 6), "under");
    EXPECT_EQ(workbook.CellText(3, 7), " 7 ");
    EXPECT_EQ(workbook.LastUsedRow(), 7u);  // the trailing line feed adds no row

    // CR LF reads exactly like LF; a carriage return anywhere is dropped.
    Workbook lf;
    Workbook crlf;
    PasteText(lf, "x\ty\nz\tw");
    PasteText(crlf, "x\r\ty\r\nz\tw\r\n");
    for (std::uint32_t uRow = 1; uRow <= 2; ++uRow) {
        for (std::uint32_t uColumn = 1; uColumn <= 2; ++uColumn) {
            EXPECT_EQ(lf.CellText(uColumn, uRow), crlf.CellText(uColumn, uRow));
        }
    }
    EXPECT_EQ(crlf.LastUsedColumn(), 2u);
    EXPECT_EQ(crlf.LastUsedRow(), 2u);
    workbook.removeObserver(&observer);
}

TEST(PasteText, FieldsBeyondColumnIVAndRow10000AreDroppedSilently)
{
    Workbook workbook;
    workbook.SetCurrentCell(255, 9999);
    PasteText(workbook, "a\tb\tc\nd\te\tf\ng\th\ti");
    EXPECT_EQ(workbook.CellText(255, 9999), "a");
    EXPECT_EQ(workbook.CellText(256, 10000), "e");
    EXPECT_EQ(workbook.LastUsedColumn(), 256u);
    EXPECT_EQ(workbook.LastUsedRow(), 10000u);
    EXPECT_EQ(workbook.activeSheet().currentColumn(), 255u);
}

TEST(CopySelection, TheClippedSelectionBecomesTextOrAWarning)
{
    Workbook workbook;
    ScriptedUserMessages messages;
    PasteText(workbook, "a\t\tc\n\tb");
    workbook.SetSelection({1, 1, 256, 10000});
    const auto sText = CopySelection(workbook, messages);
    ASSERT_TRUE(sText.has_value());
    EXPECT_EQ(*sText, "a\t\tc\n\tb\t");  // no line feed after the last row
    EXPECT_TRUE(messages.shown().empty());

    workbook.SetSelection({2, 2, 2, 2});
    EXPECT_EQ(CopySelection(workbook, messages), String("b"));

    workbook.SetSelection({4, 1, 9, 9});
    EXPECT_FALSE(CopySelection(workbook, messages).has_value());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Warning");
    EXPECT_EQ(messages.shown()[0].sText, "No data in selected region to copy.");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
}

TEST(ClearSelection, AsksFirstClearsWithinTheExtentAndShrinksIt)
{
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    Workbook workbook;
    PasteText(workbook, "1\t2\t3\n4\t5\t6");
    workbook.SetSelection({3, 1, 3, 2});

    messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(ClearSelection(workbook, true, messages));
    EXPECT_EQ(workbook.CellText(3, 1), "3");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sText, "Are you sure you want to clear selected cells?");
    EXPECT_EQ(messages.shown()[0].sCaption, "Warning");
    EXPECT_EQ(messages.shown()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::None);

    messages.queueAnswer(MessageAnswer::Ok);
    workbook.SetCurrentCell(1, 1);
    EXPECT_TRUE(ClearSelection(workbook, true, messages));
    EXPECT_EQ(workbook.CellText(3, 1), "");
    EXPECT_EQ(workbook.LastUsedColumn(), 2u);               // the last used column went
    EXPECT_EQ(workbook.activeSheet().currentColumn(), 3u);  // editor on the selection's top-left
    EXPECT_EQ(workbook.activeSheet().currentRow(), 1u);

    // A following export writes fewer columns.
    TemporaryFolder folder;
    ASSERT_TRUE(ExportSheet(workbook, folder.path("after-clear"), messages));
    EXPECT_EQ(ReadWholeFile(folder.path("after-clear.txt")), "1\t2\n4\t5");

    // Nothing left in the selection: the delete warning, after the question.
    messages.clear();
    messages.queueAnswer(MessageAnswer::Ok);
    EXPECT_FALSE(ClearSelection(workbook, true, messages));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"Are you sure you want to clear selected cells?",
                                                          "No data in selected region to delete."}));
    EXPECT_EQ(messages.shown()[1].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(messages.bShownUnderHourglass);
    EXPECT_EQ(cursor.iDepth, 0);
}

TEST(CutSelection, CopiesThenClearsWithoutAskingAndWarnsForEachStep)
{
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    Workbook workbook;
    PasteText(workbook, "1\t2\n3\t4");
    workbook.SetSelection({1, 2, 2, 2});
    EXPECT_EQ(CutSelection(workbook, messages), String("3\t4"));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(workbook.LastUsedRow(), 1u);

    workbook.SetSelection({5, 5, 6, 6});
    EXPECT_FALSE(CutSelection(workbook, messages).has_value());
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"No data in selected region to copy.",
                                                          "No data in selected region to delete."}));
    EXPECT_FALSE(messages.bShownUnderHourglass);
    EXPECT_EQ(cursor.iDepth, 0);
    EXPECT_GT(cursor.iUses, 0);
}

TEST(ImportSheet, FillsAnEmptySheetOrAddsANewOneAndLeavesTheOldAlone)
{
    TemporaryFolder folder;
    const std::string sFile = folder.write("data.txt", "1\t2\t3\n4\t\t6\n");
    Workbook workbook;
    ScriptedUserMessages messages;
    CountingObserver observer;
    workbook.addObserver(&observer);
    workbook.SetCurrentCell(5, 5);

    ASSERT_TRUE(ImportSheet(workbook, sFile, messages));
    EXPECT_EQ(workbook.sheetCount(), 1u);
    EXPECT_EQ(workbook.CellText(3, 2), "6");
    EXPECT_EQ(workbook.LastUsedColumn(), 3u);
    EXPECT_EQ(workbook.LastUsedRow(), 2u);
    EXPECT_EQ(observer.uEditorColumn, 1u);
    EXPECT_EQ(observer.uEditorRow, 1u);
    EXPECT_GT(observer.iModified, 0);

    ASSERT_TRUE(ImportSheet(workbook, CorpusFile("no_final_line_break.txt"), messages));
    EXPECT_EQ(workbook.sheetCount(), 2u);
    EXPECT_EQ(workbook.activeSheet().name(), "Sheet 2");
    EXPECT_EQ(workbook.activeSheetNumber(), 2u);
    EXPECT_EQ(workbook.CellText(2, 2), "4");  // the last record has no line end
    EXPECT_EQ(workbook.LastUsedRow(), 2u);
    EXPECT_EQ(workbook.sheet(1).cellText(1, 1), "1");
    EXPECT_EQ(workbook.sheet(1).lastUsedColumn(), 3u);
    EXPECT_TRUE(messages.shown().empty());
    workbook.removeObserver(&observer);
}

TEST(ImportSheet, TheCorpusOfAwkwardTabDelimitedFilesReadsAsWritten)
{
    ScriptedUserMessages messages;
    Workbook crlf;
    ASSERT_TRUE(ImportSheet(crlf, CorpusFile("crlf.txt"), messages));
    EXPECT_EQ(crlf.CellText(2, 1), "2");
    EXPECT_EQ(crlf.CellText(2, 2), "4");
    EXPECT_EQ(crlf.LastUsedColumn(), 2u);
    EXPECT_EQ(crlf.LastUsedRow(), 2u);

    Workbook blanks;
    ASSERT_TRUE(ImportSheet(blanks, CorpusFile("blank_fields.txt"), messages));
    EXPECT_EQ(blanks.CellText(1, 1), "a");
    EXPECT_EQ(blanks.CellText(2, 1), "");
    EXPECT_EQ(blanks.CellText(3, 1), "");
    EXPECT_EQ(blanks.CellText(4, 1), "b");
    EXPECT_EQ(blanks.CellText(2, 2), " 7 ");
    EXPECT_EQ(blanks.LastUsedColumn(), 4u);

    Workbook wide;
    ASSERT_TRUE(ImportSheet(wide, CorpusFile("wide_300_columns.txt"), messages));
    EXPECT_EQ(wide.LastUsedColumn(), 256u);
    EXPECT_EQ(wide.LastUsedRow(), 3u);
    EXPECT_EQ(wide.CellText(256, 3), "r3c256");
    EXPECT_EQ(wide.CellText(1, 2), "r2c1");  // a new record starts at column A again
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"44 columns beyond column 256 were not read."});
}

TEST(ImportSheet, AFileThatCannotBeOpenedChangesNothing)
{
    TemporaryFolder folder;
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    Workbook workbook;
    workbook.SetCellText(1, 1, "keep");
    CountingObserver observer;
    workbook.addObserver(&observer);
    EXPECT_FALSE(ImportSheet(workbook, folder.path("missing.txt"), messages));
    EXPECT_FALSE(ImportSheet(workbook, folder.path(""), messages));  // a folder
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Error");
    EXPECT_EQ(messages.shown()[0].sText, "Could not find file.");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(workbook.sheetCount(), 1u);
    EXPECT_EQ(workbook.CellText(1, 1), "keep");
    EXPECT_EQ(observer.iModified, 0);
    EXPECT_FALSE(messages.bShownUnderHourglass);
    workbook.removeObserver(&observer);
}

TEST(ExportSheet, WritesTheUsedRangeWithEmptyFieldsAndNoFinalLineFeed)
{
    TemporaryFolder folder;
    ScriptedUserMessages messages;
    Workbook workbook;
    CountingObserver observer;
    workbook.SetCellText(1, 1, "a");
    workbook.SetCellText(3, 4, "c4");
    workbook.SetCellText(2, 2, " b ");
    workbook.addObserver(&observer);
    ASSERT_TRUE(ExportSheet(workbook, folder.path("data"), messages));
    EXPECT_EQ(ReadWholeFile(folder.path("data.txt")), "a\t\t\n\t b \t\n\t\t\n\t\tc4");
    EXPECT_EQ(observer.iModified, 0);  // export does not change the session
    EXPECT_TRUE(messages.shown().empty());

    ASSERT_TRUE(ExportSheet(workbook, folder.path("data.csv"), messages));
    EXPECT_TRUE(std::filesystem::exists(folder.path("data.csv")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("data.csv.txt")));

    // What export writes, import reads back cell for cell.
    Workbook copy;
    ASSERT_TRUE(ImportSheet(copy, folder.path("data.txt"), messages));
    EXPECT_EQ(copy.CellText(3, 4), "c4");
    EXPECT_EQ(copy.CellText(2, 2), " b ");
    EXPECT_EQ(copy.LastUsedColumn(), 3u);
    EXPECT_EQ(copy.LastUsedRow(), 4u);

    Workbook empty;
    ASSERT_TRUE(ExportSheet(empty, folder.path("empty.txt"), messages));
    EXPECT_TRUE(std::filesystem::exists(folder.path("empty.txt")));
    EXPECT_EQ(std::filesystem::file_size(folder.path("empty.txt")), 0u);
    workbook.removeObserver(&observer);
}

TEST(ExportSheet, TheExtensionRule)
{
    EXPECT_EQ(ExportFileName("data"), "data.txt");
    EXPECT_EQ(ExportFileName("data.csv"), "data.csv");
    EXPECT_EQ(ExportFileName("data."), "data.txt");
    EXPECT_EQ(ExportFileName("data.text"), "data.text.txt");  // no "." among the last four
    EXPECT_EQ(ExportFileName("a.b"), "a.b");
    EXPECT_EQ(ExportFileName("ab"), "ab.txt");
    EXPECT_EQ(ExportFileName(""), ".txt");
}

TEST(ExportSheet, FilesThatCannotBeCreatedOrWrittenAreReported)
{
    TemporaryFolder folder;
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    Workbook workbook;
    workbook.SetCellText(1, 1, "x");

    EXPECT_FALSE(ExportSheet(workbook, folder.path("no-such-folder/data.txt"), messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Error");
    EXPECT_EQ(messages.shown()[0].sText, "File could not be opened for export.  The folder does not exist.");
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);

    // A device that is always full: opening works, writing does not.
    std::error_code error;
    std::filesystem::create_symlink("/dev/full", folder.path("full.txt"), error);
    if (!error && std::filesystem::exists("/dev/full")) {
        messages.clear();
        EXPECT_FALSE(ExportSheet(workbook, folder.path("full.txt"), messages));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].sText, "File could not be written.  Disk may be full.");
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
    }
    EXPECT_FALSE(messages.bShownUnderHourglass);
    EXPECT_EQ(cursor.iDepth, 0);
}
