// No input can crash the import or make it write outside the grid: binary noise, far
// too many rows and columns, and very long lines, in both formats.
#include <gtest/gtest.h>

#include <random>

#include "WorkbookTestSupport.h"
#include "workbook/CellsNotRead.h"
#include "workbook/DelimitedText.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
void ExpectExtentInsideTheGrid(const Workbook& workbook)
{
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) {
        EXPECT_LE(workbook.sheet(u).lastUsedColumn(), kSheetColumns);
        EXPECT_LE(workbook.sheet(u).lastUsedRow(), kSheetRows);
    }
}
}  // namespace

TEST(ImportRobustness, BinaryNoiseIsRefusedInBothFormats)
{
    TemporaryFolder folder;
    std::mt19937 random(20240611);
    std::string sNoise(4 << 20, '\0');
    for (char& c : sNoise) c = static_cast<char>(random() & 0xff);
    const std::string sText = folder.write("noise.txt", sNoise);
    const std::string sCsv = folder.write("noise.csv", sNoise);

    ScriptedUserMessages messages;
    Workbook workbook;
    EXPECT_FALSE(ImportSheet(workbook, sText, messages));
    EXPECT_FALSE(ImportSheet(workbook, sCsv, messages));
    EXPECT_EQ(workbook.sheetCount(), 1u);
    EXPECT_EQ(workbook.LastUsedRow(), 0u);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"The file is not text.", "The file is not text."}));

    // Noise without zero bytes is text of a kind: it reads without harm.
    for (char& c : sNoise) c = c == '\0' ? 'z' : c;
    messages.clear();
    ASSERT_TRUE(ImportSheet(workbook, folder.write("noise2.txt", sNoise), messages));
    EXPECT_GT(workbook.sheet(1).lastUsedRow(), 1000u);  // about one line feed in 256 bytes
    ExpectExtentInsideTheGrid(workbook);
}

TEST(ImportRobustness, RowsAndColumnsBeyondTheGridAreDropped)
{
    TemporaryFolder folder;
    std::string sText;
    for (int iRow = 1; iRow <= 20000; ++iRow) {
        for (int iColumn = 1; iColumn <= 300; ++iColumn) {
            if (iColumn > 1) sText.push_back('\t');
            sText += std::to_string(iRow % 100 + iColumn);
        }
        sText.push_back('\n');
    }
    const std::string sFile = folder.write("huge.txt", sText);
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportSheet(workbook, sFile, messages));
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"10000 rows beyond row 10000 and 44 columns beyond column 256 were not read."});
    EXPECT_EQ(workbook.LastUsedColumn(), 256u);
    EXPECT_EQ(workbook.LastUsedRow(), 10000u);
    EXPECT_EQ(workbook.CellText(256, 10000), std::to_string(10000 % 100 + 256));
    EXPECT_EQ(workbook.CellText(257, 10000), "");
    EXPECT_EQ(workbook.CellText(1, 10001), "");
}

TEST(ImportRobustness, LinesOfAMegabyteAreStoredWholeOrDroppedBeyondTheGrid)
{
    TemporaryFolder folder;
    const std::string sLong(1 << 20, 'x');
    std::string sText = sLong + "\n";
    sText += std::string(300, '\t') + sLong + "\n";  // a megabyte field in column 301
    sText += "\"" + sLong + ",\"\"" + sLong;         // an open quote over two megabytes
    const std::string sTabs = folder.write("long.txt", sText);
    const std::string sCsv = folder.write("long.csv", sText);

    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportSheet(workbook, sTabs, messages));
    EXPECT_EQ(workbook.CellText(1, 1).size(), sLong.size());
    EXPECT_EQ(workbook.LastUsedColumn(), 1u);
    EXPECT_EQ(workbook.LastUsedRow(), 3u);

    EXPECT_EQ(messages.texts(), std::vector<std::string>{"45 columns beyond column 256 were not read."});

    // The quote opened in line 3 never closes: nothing of the file is imported.
    Workbook csv;
    messages.clear();
    EXPECT_FALSE(ImportSheet(csv, sCsv, messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unterminated quote in line 3."});
    EXPECT_EQ(csv.LastUsedRow(), 0u);
    ASSERT_TRUE(ImportSheet(csv, folder.write("closed.csv", sText + "\""), messages));
    EXPECT_EQ(csv.CellText(1, 1).size(), sLong.size());
    EXPECT_EQ(csv.CellText(1, 3).size(), 2 * sLong.size() + 2);
    ExpectExtentInsideTheGrid(csv);
}

TEST(ImportRobustness, TheLineAboutCellsNotReadNamesRowsAndColumns)
{
    EXPECT_EQ(CellsNotReadMessage(0, 0), "");
    EXPECT_EQ(CellsNotReadMessage(10000, 44),
              "10000 rows beyond row 10000 and 44 columns beyond column 256 were not read.");
    EXPECT_EQ(CellsNotReadMessage(2, 0), "2 rows beyond row 10000 were not read.");
    EXPECT_EQ(CellsNotReadMessage(0, 1), "1 column beyond column 256 was not read.");
    EXPECT_EQ(CellsNotReadMessage({1, 1}), "1 row beyond row 10000 and 1 column beyond column 256 were not read.");
}
