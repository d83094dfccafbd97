// Column letters and row numbers: the table, the parsers, and large values that must
// stay large instead of wrapping around to a small valid column or row.
#include <gtest/gtest.h>

#include <limits>

#include "workbook/CellRange.h"
#include "workbook/Designators.h"

using namespace HalvrennInc;

TEST(Designators, ColumnLettersAreBijectiveBaseTwentySixAndParseBack)
{
    EXPECT_EQ(ColumnDesignator(1), "A");
    EXPECT_EQ(ColumnDesignator(26), "Z");
    EXPECT_EQ(ColumnDesignator(27), "AA");
    EXPECT_EQ(ColumnDesignator(52), "AZ");
    EXPECT_EQ(ColumnDesignator(53), "BA");
    EXPECT_EQ(ColumnDesignator(256), "IV");
    EXPECT_EQ(ColumnDesignator(0), "");
    EXPECT_EQ(ColumnDesignator(257), "");
    for (std::uint32_t u = 1; u <= kSheetColumns; ++u) EXPECT_EQ(ParseColumnDesignator(ColumnDesignator(u)), u);

    EXPECT_EQ(RowDesignator(1), "1");
    EXPECT_EQ(RowDesignator(300), "300");
    EXPECT_EQ(RowDesignator(10000), "10000");
}

TEST(Designators, ColumnParserRefusesAnythingButCapitalsAndNeverWraps)
{
    for (const char* sBad : {"", "a", "iv", "A1", " A", "A ", "1", "-"})
        EXPECT_EQ(ParseColumnDesignator(sBad), 0u) << sBad;
    EXPECT_EQ(ParseColumnDesignator("IW"), 257u);
    // 2^32 + 2: a 32-bit parser would call this column B.
    EXPECT_EQ(ParseColumnDesignator("MWLQKWX"), 4294967298u);
    EXPECT_EQ(ParseColumnDesignator(std::string(40, 'Z')), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(ParseColumnDesignator(std::string(40, 'Z') + "a"), 0u);
}

TEST(Designators, RowParserTakesWholeNumbersOnlyAndKeepsHugeOnesHuge)
{
    EXPECT_EQ(ParseRowNumber("12"), 12u);
    EXPECT_EQ(ParseRowNumber("12.0"), 12u);
    EXPECT_EQ(ParseRowNumber("1.2e1"), 12u);
    for (const char* sBad : {"12.5", "0", "-3", "", "abc", "0.5", "1e300"}) EXPECT_EQ(ParseRowNumber(sBad), 0u) << sBad;
    // 2^32 + 1 would be row 1 after a 32-bit truncation.
    EXPECT_EQ(ParseRowNumber("4294967297"), 4294967297u);
    EXPECT_EQ(ParseRowNumber("1e30"), std::numeric_limits<std::uint64_t>::max());
}

TEST(Designators, CellRangesNameCellsOfTheSheet)
{
    const auto single = ParseCellRange("B1");
    ASSERT_TRUE(single);
    EXPECT_EQ(*single, (CellRange{2, 1, 2, 1}));
    EXPECT_EQ(ParseCellRange("B2:B61"), (CellRange{2, 2, 2, 61}));
    EXPECT_EQ(ParseCellRange("d40:b1"), (CellRange{2, 1, 4, 40}));  // corners in either order, any case
    EXPECT_EQ(ParseCellRange("A3:M3"), (CellRange{1, 3, 13, 3}));
    EXPECT_EQ(ParseCellRange("IV10000"), (CellRange{256, 10000, 256, 10000}));
    for (const char* bad : {"", "B", "12", "B0", "IW1", "A10001", "B1:", ":B1", "B1:C", "B1.5", "B-1", "B 1", "1B",
                            "MWLQKWX1", "A99999999999999999999999"})
        EXPECT_FALSE(ParseCellRange(bad)) << bad;
}
