// Comma-separated import: quotes, doubled quotes, separators and line breaks inside
// quotes, and the semicolon separator of files written with decimal commas.
#include <gtest/gtest.h>

#include "WorkbookTestSupport.h"
#include "workbook/DelimitedText.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
// Reads a text given in pieces of a fixed size, as the file import hands it over.
Sheet ReadInPieces(std::string_view sText, std::size_t uPiece, DelimitedFormat format)
{
    Sheet sheet("Sheet 1", GridGeometry());
    DelimitedTextReader reader(sheet, 1, 1, format);
    for (std::size_t u = 0; u < sText.size(); u += uPiece) reader.feed(sText.substr(u, uPiece));
    reader.finish();
    return sheet;
}
}  // namespace

TEST(CsvImport, TheFormatFollowsTheExtension)
{
    EXPECT_EQ(DelimitedFormatForFile("a.csv"), DelimitedFormat::CommaSeparated);
    EXPECT_EQ(DelimitedFormatForFile("/x/B.CSV"), DelimitedFormat::CommaSeparated);
    EXPECT_EQ(DelimitedFormatForFile("a.txt"), DelimitedFormat::TabDelimited);
    EXPECT_EQ(DelimitedFormatForFile("csv"), DelimitedFormat::TabDelimited);
    EXPECT_EQ(DelimitedFormatForFile("a.csv.txt"), DelimitedFormat::TabDelimited);
}

TEST(CsvImport, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportSheet(workbook, CorpusFile("quoted_separators.csv"), messages));
    EXPECT_EQ(workbook.CellText(1, 1), "Smith, John");
    EXPECT_EQ(workbook.CellText(2, 1), "12");
    EXPECT_EQ(workbook.CellText(1, 2), "say \"hi\"");
    EXPECT_EQ(workbook.CellText(1, 3), "line one\nline two");
    EXPECT_EQ(workbook.CellText(2, 3), "4");
    EXPECT_EQ(workbook.LastUsedColumn(), 2u);
    EXPECT_EQ(workbook.LastUsedRow(), 3u);

    Workbook loose;
    ASSERT_TRUE(ImportSheet(loose, CorpusFile("loose_quotes.csv"), messages));
    EXPECT_EQ(loose.CellText(1, 1), "x");
    EXPECT_EQ(loose.CellText(2, 1), "quotedtail");       // text after a closing quote is kept
    EXPECT_EQ(loose.CellText(3, 1), " \"late quote\"");  // a quote that does not open the field is text
    EXPECT_EQ(loose.CellText(4, 1), "mid\"dle");
    EXPECT_EQ(loose.LastUsedRow(), 1u);  // the row of empty fields adds nothing

    EXPECT_TRUE(messages.shown().empty());
}

TEST(CsvImport, SemicolonsSeparateWhenTheFirstRecordHasNoCommaOutsideQuotes)
{
    ScriptedUserMessages messages;
    Workbook workbook;
    ASSERT_TRUE(ImportSheet(workbook, CorpusFile("semicolons.csv"), messages));
    EXPECT_EQ(workbook.CellText(3, 1), "Note");
    EXPECT_EQ(workbook.CellText(2, 2), "1.5");  // decimal commas, and no number with a point
    EXPECT_EQ(workbook.CellText(3, 3), "has; semicolon");
    EXPECT_EQ(workbook.LastUsedColumn(), 3u);

    Workbook quoted;
    ASSERT_TRUE(ImportSheet(quoted, CorpusFile("semicolon_after_quoted_comma.csv"), messages));
    EXPECT_EQ(quoted.CellText(1, 1), "a,b");
    EXPECT_EQ(quoted.CellText(2, 1), "c");
    EXPECT_EQ(quoted.CellText(2, 2), "2");

    // A comma anywhere outside quotes in the first record keeps the comma.
    const Sheet mixed = ReadInPieces("a;b,c\n1;2,3", 64, DelimitedFormat::CommaSeparated);
    EXPECT_EQ(mixed.cellText(1, 1), "a;b");
    EXPECT_EQ(mixed.cellText(2, 2), "3");
}

TEST(CsvImport, TheResultDoesNotDependOnHowTheTextIsCutIntoPieces)
{
    const std::string sText =
        "\"h,1\";\"h\"\"2\"\r\n"
        "\"multi\r\nline\";x\n"
        "a;;b\n"
        "\"\";\"  \";\"last\"";
    const Sheet whole = ReadInPieces(sText, sText.size(), DelimitedFormat::CommaSeparated);
    EXPECT_EQ(whole.cellText(1, 1), "h,1");
    EXPECT_EQ(whole.cellText(2, 1), "h\"2");
    EXPECT_EQ(whole.cellText(1, 2), "multi\nline");  // carriage returns dropped, inside quotes too
    EXPECT_EQ(whole.cellText(3, 3), "b");
    EXPECT_EQ(whole.cellText(2, 4), "");  // quoted spaces are blank: nothing is stored
    EXPECT_EQ(whole.cellText(3, 4), "last");
    EXPECT_EQ(whole.lastUsedColumn(), 3u);
    EXPECT_EQ(whole.lastUsedRow(), 4u);
    for (const std::size_t uPiece : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}}) {
        const Sheet pieces = ReadInPieces(sText, uPiece, DelimitedFormat::CommaSeparated);
        for (std::uint32_t uRow = 1; uRow <= 4; ++uRow) {
            for (std::uint32_t uColumn = 1; uColumn <= 3; ++uColumn) {
                EXPECT_EQ(pieces.cellText(uColumn, uRow), whole.cellText(uColumn, uRow))
                    << "pieces of " << uPiece << " at " << uColumn << "," << uRow;
            }
        }
    }

    // In tab-delimited text a quote is an ordinary character.
    const Sheet tabs = ReadInPieces("\"a\tb\"\n", 2, DelimitedFormat::TabDelimited);
    EXPECT_EQ(tabs.cellText(1, 1), "\"a");
    EXPECT_EQ(tabs.cellText(2, 1), "b\"");
}
