// Spreadsheet files into the workbook: one file per producer (openpyxl, a hand-written
// package in the other common style, odfpy, xlwt) and one per awkward case. The files and
// the script that wrote them are in tests/data/spreadsheets.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <random>

#include "WorkbookTestSupport.h"
#include "workbook/SpreadsheetFile.h"
#include "workbook/SpreadsheetImport.h"
#include "workbook/SpreadsheetReaders.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// The decoding library of .xls files reads past its own buffers as it opens a file, which
// the address sanitizer may stop (it depends on the layout of the stack); in the program
// that ends only the child process that runs it, and the import reports the file as
// damaged. Sanitizer builds do not run the library in the test's own process.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

std::string Fixture(std::string_view sName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/spreadsheets/" + std::string(sName);
}

std::string Cell(const Workbook& workbook, std::uint32_t uSheet, std::string_view sCell)
{
    std::uint64_t uColumn = 0, uRow = 0;
    EXPECT_TRUE(ParseCellReference(sCell, uColumn, uRow)) << sCell;
    return std::string(
        workbook.sheet(uSheet).cellText(static_cast<std::uint32_t>(uColumn), static_cast<std::uint32_t>(uRow)));
}

std::vector<std::string> SheetNames(const Workbook& workbook)
{
    std::vector<std::string> names;
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u) names.emplace_back(workbook.sheet(u).name().view());
    return names;
}

// A failed import shows one error and leaves the workbook as it was.
void ExpectRefused(const std::string& sFile, std::string_view sPartOfMessage)
{
    SCOPED_TRACE(sFile);
    ScriptedUserMessages messages;
    Workbook workbook;
    CountingObserver observer;
    workbook.addObserver(&observer);
    EXPECT_FALSE(ImportDataFile(workbook, sFile, messages));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].sCaption, "Error");
    EXPECT_NE(messages.shown()[0].sText.find(sPartOfMessage), std::string::npos) << messages.shown()[0].sText;
    EXPECT_EQ(workbook.sheetCount(), 1u);
    EXPECT_EQ(workbook.LastUsedColumn(), 0u);
    EXPECT_EQ(observer.iModified, 0);
    workbook.removeObserver(&observer);
}

}  // namespace

TEST(SpreadsheetValues, NumbersInShortestExactFormAndDatesInBothSystems)
{
    EXPECT_EQ(ShortestNumberText(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(ShortestNumberText(1.23), "1.23");
    EXPECT_EQ(ShortestNumberText(-0.0), "0");
    EXPECT_EQ(ShortestNumberText(42), "42");
    std::mt19937_64 random(16);
    for (int i = 0; i < 10000; ++i) {
        double d;
        const std::uint64_t uBits = random();
        std::memcpy(&d, &uBits, sizeof d);
        if (!std::isfinite(d)) continue;
        const std::string s = ShortestNumberText(d);
        double dBack = 1;
        std::from_chars(s.data(), s.data() + s.size(), dBack);
        ASSERT_EQ(dBack, d == 0 ? 0.0 : d) << s;
    }
    // The 1900 system counts a 29 February 1900 that never was; dates after it are one on.
    EXPECT_EQ(SerialDateText(1, DateKind::Date, false), "1900-01-01");
    EXPECT_EQ(SerialDateText(59, DateKind::Date, false), "1900-02-28");
    EXPECT_EQ(SerialDateText(60, DateKind::Date, false), "1900-02-29");
    EXPECT_EQ(SerialDateText(61, DateKind::Date, false), "1900-03-01");
    EXPECT_EQ(SerialDateText(45352, DateKind::Date, false), "2024-03-01");
    EXPECT_EQ(SerialDateText(45352 - 1462, DateKind::Date, true), "2024-03-01");
    EXPECT_EQ(SerialDateText(45352.521, DateKind::DateTime, false), "2024-03-01 12:30:14");
    EXPECT_EQ(SerialDateText(0.75, DateKind::Time, false), "18:00:00");
    EXPECT_EQ(SerialDateText(1.5, DateKind::Elapsed, false), "36:00:00");
    EXPECT_EQ(SerialDateText(-1, DateKind::Date, false), "");
    EXPECT_EQ(SerialDateText(1e300, DateKind::Date, false), "");
}

TEST(SpreadsheetImport, OpenpyxlWorkbookWithAbsoluteTargetsAndInlineStrings)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportDataFile(workbook, Fixture("openpyxl.xlsx"), messages));
    EXPECT_TRUE(messages.shown().empty());
    // The empty active sheet takes the first sheet; "Sheet 1" is free again after that.
    EXPECT_EQ(SheetNames(workbook), (std::vector<std::string>{"Data", "Empty", "Sheet 1"}));
    EXPECT_EQ(workbook.activeSheetNumber(), 1u);
    EXPECT_EQ(workbook.activeSheet().currentColumn(), 1u);
    EXPECT_EQ(workbook.activeSheet().currentRow(), 1u);
    EXPECT_EQ(workbook.sheet(1).lastUsedColumn(), 6u);
    EXPECT_EQ(workbook.sheet(1).lastUsedRow(), 4u);
    const std::vector<std::pair<const char*, const char*>> expected = {
        // openpyxl stores 0.1 + 0.2 with 15 digits, as "0.3"
        {"A1", "Batch"},    {"B2", "1.23"},       {"B3", "0.3"},
        {"B4", "-1e-07"},   {"C2", "2024-03-01"}, {"C3", "2024-03-01 12:30:05"},
        {"C4", "07:45:00"}, {"D2", "TRUE"},       {"D3", "FALSE"},
        {"E2", ""},         {"F2", "  padded  "}};
    for (const auto& [psCell, psText] : expected) EXPECT_EQ(Cell(workbook, 1, psCell), psText) << psCell;
    EXPECT_EQ(workbook.sheet(2).lastUsedColumn(), 0u);
    EXPECT_EQ(Cell(workbook, 3, "B2"), "12345678901234570");  // stored as 1.234567890123457e+16

    // Into a workbook that holds data: new sheets after the old ones, names made unique.
    ASSERT_TRUE(ImportDataFile(workbook, Fixture("openpyxl.xlsx"), messages));
    EXPECT_EQ(SheetNames(workbook),
              (std::vector<std::string>{"Data", "Empty", "Sheet 1", "Data 2", "Empty 2", "Sheet 1 2"}));
    EXPECT_EQ(workbook.activeSheetNumber(), 4u);
    EXPECT_EQ(Cell(workbook, 4, "B2"), "1.23");
}

TEST(SpreadsheetImport, HandWrittenPackageWithSharedStringsStylesAndCellsPastTheGrid)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportDataFile(workbook, Fixture("handmade.xlsx"), messages));
    EXPECT_EQ(SheetNames(workbook), (std::vector<std::string>{"Measurements", "Wide"}));
    const std::vector<std::pair<const char*, const char*>> expected = {
        // shared strings: plain, rich text runs, a phonetic reading left out, entities
        {"A1", "plain"},
        {"B1", "bold and  plain"},
        {"C1", "kanji"},
        {"D1", "a & b <c>"},
        // styles in the 1904 system: a custom date, elapsed hours, a quoted "d" and
        // colours that are no dates, the built-in date and time
        {"A2", "1904-01-01"},
        {"B2", "36:00:00"},
        {"C2", "2.5"},
        {"D2", "2027-03-16 18:00:00"},
        {"E2", "7"},
        // formula results, an error value, a boolean
        {"A3", "xy"},
        {"B3", "#DIV/0!"},
        {"C3", "FALSE"},
        {"D3", "0.3333333333333333"},
        // a row and cells without references follow the ones before
        {"A4", "10"},
        {"B4", "20"},
        {"C4", "inline"}};
    for (const auto& [psCell, psText] : expected) EXPECT_EQ(Cell(workbook, 1, psCell), psText) << psCell;
    EXPECT_EQ(Cell(workbook, 2, "IV1"), "256");
    EXPECT_EQ(Cell(workbook, 2, "A10000"), "1");
    EXPECT_EQ(workbook.sheet(2).lastUsedRow(), 10000u);
    // XFD1048576 is a cell of the file, far past the grid: counted, not stored.
    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{"1038576 rows beyond row 10000 and 16128 columns beyond column 256 were not read."}));
    EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
}

TEST(SpreadsheetImport, OdfpySpreadsheetWithTypedCellsAndHugeRepeats)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportDataFile(workbook, Fixture("odfpy.ods"), messages));
    EXPECT_EQ(SheetNames(workbook), (std::vector<std::string>{"Process", "Repeated", "Empty"}));
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"A1", "Label"}, {"B1", "Value"},      {"A2", "two   spaces\nsecond line"}, {"B2", "0.30000000000000004"},
        {"C2", "0.25"},  {"D2", "2024-03-01"}, {"E2", "2024-03-01 12:30:05"},       {"F2", "07:45:00"},
        {"G2", "TRUE"}};
    for (const auto& [psCell, psText] : expected) EXPECT_EQ(Cell(workbook, 1, psCell), psText) << psCell;
    // A million empty columns and rows cost nothing; the repeated values after them lie
    // past the grid.
    EXPECT_EQ(workbook.sheet(1).lastUsedColumn(), 7u);
    EXPECT_EQ(workbook.sheet(1).lastUsedRow(), 2u);
    EXPECT_EQ(Cell(workbook, 2, "A10000"), "1.5");
    EXPECT_EQ(workbook.sheet(2).lastUsedColumn(), 1u);
    EXPECT_EQ(workbook.sheet(3).lastUsedColumn(), 0u);
    EXPECT_EQ(
        messages.texts(),
        (std::vector<std::string>{"1000004 rows beyond row 10000 and 45 columns beyond column 256 were not read."}));
}

TEST(SpreadsheetImport, XlwtWorkbookReadInItsOwnProcessAsInThisOne)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    const bool bRead = ImportDataFile(workbook, Fixture("xlwt.xls"), messages);
    if (kAddressSanitizer && !bRead) {
        EXPECT_EQ(messages.texts(),
                  (std::vector<std::string>{
                      "The file could not be read: it is damaged (the decoder stopped before the end)."}));
        GTEST_SKIP() << "the decoding library was stopped by the address sanitizer";
    }
    ASSERT_TRUE(bRead);
    EXPECT_EQ(SheetNames(workbook), (std::vector<std::string>{"Readings", "Empty"}));
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"A1", "Batch"},    {"B2", "1.23"}, {"B3", "0.30000000000000004"}, {"B4", "42"},
        {"B5", "-2.5e-09"}, {"A5", "4"},    {"C2", "2024-03-01"}};
    for (const auto& [psCell, psText] : expected) EXPECT_EQ(Cell(workbook, 1, psCell), psText) << psCell;
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"2001 rows beyond row 10000 were not read."}));

    if (kAddressSanitizer) GTEST_SKIP() << "the decoding library may be stopped by the address sanitizer";
    SpreadsheetContents child, here;
    std::string sError;
    ASSERT_TRUE(ReadXls(Fixture("xlwt.xls"), child, sError));
    ASSERT_TRUE(ReadXlsHere(Fixture("xlwt.xls"), here, sError));
    ASSERT_EQ(child.sheets.size(), here.sheets.size());
    for (std::size_t u = 0; u < here.sheets.size(); ++u) {
        EXPECT_EQ(child.sheets[u].sName, here.sheets[u].sName);
        ASSERT_EQ(child.sheets[u].cells.size(), here.sheets[u].cells.size());
        for (std::size_t c = 0; c < here.sheets[u].cells.size(); ++c)
            EXPECT_EQ(child.sheets[u].cells[c].sText, here.sheets[u].cells[c].sText);
    }
}

TEST(SpreadsheetImport, DamagedHostileAndMisnamedFilesAreRefusedWithAMessage)
{
    TemporaryFolder folder;
    ExpectRefused(Fixture("entities.xlsx"), "declares XML entities");
    ExpectRefused(Fixture("bad-reference.xlsx"), "cell reference \"XFE1\" is out of range");
    ExpectRefused(Fixture("truncated.xlsx"), "not a complete zip archive");
    ExpectRefused(folder.path("missing.xlsx"), "Could not find file.");
    std::filesystem::create_directory(folder.path("folder.ods"));
    ExpectRefused(folder.path("folder.ods"), "Could not find file.");

    // The content decides what a file is; a name that promises another kind is refused.
    const std::string sWorkbook = ReadWholeFile(Fixture("openpyxl.xlsx"));
    ExpectRefused(folder.write("workbook.ods", sWorkbook), "it is an .xlsx workbook, not an .ods spreadsheet");
    ExpectRefused(folder.write("workbook.csv", sWorkbook), "not a text file (rename it to end in .xlsx)");
    ExpectRefused(folder.write("workbook.xls", sWorkbook), "it is not an .xls workbook but an .xlsx workbook");
    ExpectRefused(folder.write("text.xlsx", "1\t2\n3\t4\n"), "it is not an .xlsx workbook.");
    ExpectRefused(folder.write("spreadsheet.xlsx", ReadWholeFile(Fixture("odfpy.ods"))),
                  "it is an .ods spreadsheet, not an .xlsx workbook");
    // Under a name the import does not know, the content decides.
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportDataFile(workbook, folder.write("export.dat", sWorkbook), messages));
    EXPECT_EQ(Cell(workbook, 1, "B2"), "1.23");

    // A decompression bomb stops at the bound on the bytes decompressed.
    SpreadsheetContents contents;
    std::string sMessage;
    EXPECT_FALSE(ReadSpreadsheet(Fixture("bomb.xlsx"), DataFileKind::Xlsx, contents, sMessage,
                                 ZipLimits{std::uint64_t{4} << 20, std::uint64_t{64} << 20}));
    EXPECT_NE(sMessage.find("decompresses to more than 4 MB"), std::string::npos) << sMessage;
    contents = SpreadsheetContents();
    EXPECT_TRUE(ReadSpreadsheet(Fixture("bomb.xlsx"), DataFileKind::Xlsx, contents, sMessage));

    // A damaged binary workbook ends at most its reading process, with a message.
    ScriptedUserMessages damagedMessages;
    Workbook damaged;
    if (!ImportDataFile(damaged, Fixture("damaged.xls"), damagedMessages)) {
        ASSERT_EQ(damagedMessages.shown().size(), 1u);
        EXPECT_EQ(damagedMessages.shown()[0].sText.rfind("The file could not be read: ", 0), 0u);
    }
}
