// Text files that once read wrongly while the import said nothing: a quote left open, a
// byte-order mark, UTF-16, decimal commas, CR line ends, no text at all, and more cells
// than the grid holds. Each is read right or refused with a message that names the fault,
// and a refused file leaves the workbook as it was.
#include <gtest/gtest.h>

#include "WorkbookTestSupport.h"
#include "workbook/DelimitedText.h"
#include "workbook/TextDecoder.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
// Imports into a workbook that already holds a sheet of data.
struct Import {
    explicit Import(const std::string& sFile)
    {
        workbook.activeSheet().storeField(1, 1, "kept");
        bRead = ImportSheet(workbook, sFile, messages, &notes);
    }
    Workbook workbook;
    ScriptedUserMessages messages;
    ImportNotes notes;
    bool bRead = false;
};

void ExpectRefused(const std::string& sFile, const std::string& sMessage)
{
    const Import import(sFile);
    EXPECT_FALSE(import.bRead) << sFile;
    EXPECT_EQ(import.messages.texts(), std::vector<std::string>{sMessage}) << sFile;
    EXPECT_EQ(import.workbook.sheetCount(), 1u) << sFile;
    EXPECT_EQ(import.workbook.CellText(1, 1), "kept");
    EXPECT_EQ(import.workbook.LastUsedRow(), 1u);
}
}  // namespace

TEST(DamagedTextFiles, AreReadRightOrRefusedWithTheirFault)
{
    ExpectRefused(CorpusFile("unclosed_quote_row_25.csv"), "Unterminated quote in line 26.");
    ExpectRefused(CorpusFile("unterminated_quote.csv"), "Unterminated quote in line 1.");
    ExpectRefused(CorpusFile("binary.txt"), "The file is not text.");
    ExpectRefused(CorpusFile("empty.txt"), "The file is empty.");
    ExpectRefused(CorpusFile("utf8_mark_only.csv"), "The file is empty.");

    // The mark is not part of the first number.
    const Import marked(CorpusFile("utf8_mark_headerless.txt"));
    ASSERT_TRUE(marked.bRead);
    EXPECT_EQ(marked.workbook.CellText(1, 1), "9.1");
    EXPECT_EQ(marked.workbook.LastUsedRow(), 8u);

    // UTF-16 either way round reads as the same UTF-8 text, pairs of surrogates included.
    for (const char* psName : {"utf16_little_endian.txt", "utf16_big_endian.txt"}) {
        const Import wide(CorpusFile(psName));
        ASSERT_TRUE(wide.bRead) << psName;
        EXPECT_EQ(wide.workbook.CellText(1, 1), "Label") << psName;
        EXPECT_EQ(wide.workbook.CellText(2, 9), "9.8") << psName;
        EXPECT_EQ(wide.workbook.CellText(1, 10), "\xC2\xB5") << psName;
        EXPECT_EQ(wide.workbook.CellText(2, 10), "\xF0\x9F\x98\x80") << psName;
        EXPECT_EQ(wide.workbook.LastUsedRow(), 10u) << psName;
        EXPECT_EQ(wide.workbook.LastUsedColumn(), 2u) << psName;
    }

    // Decimal commas in a semicolon file become points, texts stay as they are.
    const Import commas(CorpusFile("decimal_commas.csv"));
    ASSERT_TRUE(commas.bRead);
    EXPECT_TRUE(commas.notes.bDecimalComma);
    EXPECT_EQ(commas.workbook.CellText(2, 2), "9.1");
    EXPECT_EQ(commas.workbook.CellText(3, 2), "n1");
    EXPECT_TRUE(commas.messages.shown().empty());
    // One number written with a point says the commas are not decimal commas.
    TemporaryFolder folder;
    const Import mixed(folder.write("mixed.csv", "a;b\n1,5;2.5\n"));
    ASSERT_TRUE(mixed.bRead);
    EXPECT_FALSE(mixed.notes.bDecimalComma);
    EXPECT_EQ(mixed.workbook.CellText(1, 2), "1,5");

    // Lines ending in CR alone are lines; in a file of CR LF a lone CR is still dropped.
    const Import mac(CorpusFile("cr_line_ends.txt"));
    ASSERT_TRUE(mac.bRead);
    EXPECT_EQ(mac.workbook.LastUsedRow(), 9u);
    EXPECT_EQ(mac.workbook.CellText(2, 9), "9.8");
    const Import crlf(folder.write("crlf.txt", "x\r\ty\r\nz\tw\r\n"));
    EXPECT_EQ(crlf.workbook.CellText(2, 1), "y");
    EXPECT_EQ(crlf.workbook.LastUsedRow(), 2u);
}

TEST(DamagedTextFiles, CellsPastTheGridAreCountedAndNamedOnce)
{
    TemporaryFolder folder;
    std::string sText;
    for (int iRow = 1; iRow <= 20000; ++iRow) {
        sText += std::to_string(iRow);
        if (iRow == 5) sText += std::string(259, ',') + "x";  // column 260
        if (iRow == 12000) sText += std::string(300, ',') + "past";
        sText += "\n";
    }
    sText += "\n,,\n";  // blank records past the grid are nothing left out
    const Import import(folder.write("long.csv", sText));
    ASSERT_TRUE(import.bRead);
    EXPECT_EQ(import.notes.notRead.uRows, 10000u);
    EXPECT_EQ(import.notes.notRead.uColumns, 4u);
    EXPECT_EQ(import.messages.texts(),
              std::vector<std::string>{"10000 rows beyond row 10000 and 4 columns beyond column 256 were not read."});
    EXPECT_EQ(import.workbook.LastUsedRow(), 10000u);

    // A quote left open past the grid still refuses the file.
    const Import open(folder.write("open.csv", sText + "1,\"2\n"));
    EXPECT_FALSE(open.bRead);
    EXPECT_EQ(open.messages.texts(), std::vector<std::string>{"Unterminated quote in line 20003."});
}

TEST(DamagedTextFiles, TheDecoderGivesTheSameTextHoweverTheBytesArrive)
{
    const std::string sBytes = ReadWholeFile(CorpusFile("utf16_big_endian.txt")) + "\xD8";  // a cut last unit
    TextDecoder whole;
    std::string sWhole(whole.decode(sBytes));
    sWhole += whole.finish();
    EXPECT_EQ(whole.encoding(), TextEncoding::Utf16BigEndian);
    EXPECT_EQ(sWhole.substr(0, 13), "Label\tValue\r\n");
    EXPECT_EQ(sWhole.substr(sWhole.size() - 3), "\xEF\xBF\xBD");  // U+FFFD for the odd byte
    for (std::size_t uPiece = 1; uPiece <= 4; ++uPiece) {
        TextDecoder pieces;
        std::string sText;
        for (std::size_t u = 0; u < sBytes.size(); u += uPiece) sText += pieces.decode(sBytes.substr(u, uPiece));
        sText += pieces.finish();
        EXPECT_EQ(sText, sWhole) << "pieces of " << uPiece;
    }
    // Two bytes of a UTF-8 mark and no more are text of their own.
    TextDecoder cut;
    std::string sCut(cut.decode("\xEF\xBB"));
    sCut += cut.finish();
    EXPECT_EQ(sCut, "\xEF\xBB");
}
