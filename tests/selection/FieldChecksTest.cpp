// The twelve field checks of each orientation: their order, messages and codes, and sizes
// so large that an unsigned sum would wrap around to a small, valid-looking one.
#include <gtest/gtest.h>

#include <functional>

#include "SelectionTestSupport.h"
#include "platform/ScriptedUserMessages.h"
#include "selection/SeriesExtraction.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

struct CheckCase {
    const char* sWhat;
    std::function<void(SelectionFields&)> change;
    int iCode;
    const char* sMessage;  //!< null: the fields pass
};

//! Runs each case on fields that pass every check, and expects its one message and code;
//! a refused field leaves the previous series alone.
void ExpectChecks(const Sheet& sheet, const SelectionFields& valid, const std::vector<CheckCase>& cases)
{
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.sWhat);
        SelectionFields fields = valid;
        c.change(fields);
        ScriptedUserMessages messages;
        SelectedSeries series;
        series.sName = "previous";
        const int iCode = ExtractSelectedSeries(fields, sheet, messages, series);
        EXPECT_EQ(iCode, c.iCode);
        if (!c.sMessage) {
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_GT(series.uNumberPoints(), 0u);
            continue;
        }
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].sCaption, "Error");
        EXPECT_EQ(messages.shown()[0].sText, c.sMessage);
        EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Exclamation);
        EXPECT_FALSE(messages.shown()[0].bQuestion);
        EXPECT_EQ(series.sName, "previous");
    }
}

template <class Member>
std::function<void(SelectionFields&)> Set(Member member, const char* sText)
{
    return [member, sText](SelectionFields& fields) { fields.*member = sText; };
}

std::function<void(SelectionFields&)> Grouping(GroupingMode mode, const char* sGroupSize)
{
    return [mode, sGroupSize](SelectionFields& fields) {
        fields.mode = mode;
        fields.sGroupSize = sGroupSize;
    };
}

std::function<void(SelectionFields&)> Both(std::function<void(SelectionFields&)> a,
                                           std::function<void(SelectionFields&)> b)
{
    return [a, b](SelectionFields& fields) {
        a(fields);
        b(fields);
    };
}

using F = SelectionFields;

}  // namespace

TEST(FieldChecks, ColumnsOrientationChecksEveryFieldInOrder)
{
    Sheet sheet = EmptySheet();
    for (const std::uint32_t uColumn : {2u, 3u, 4u, 255u, 256u}) FillColumn(sheet, uColumn, 1, Numbers(20));
    SelectionFields valid;
    valid.orientation = Orientation::Columns;
    valid.sValue = "B";
    valid.sNumberValues = "1";
    valid.sStart = "1";
    valid.sEnd = "100";

    const char* const kLabelNotValid = "Label column not a valid designator.  Correct and try again.";
    const char* const kTooManyValues = "Number of values per row exceeds size of spreadsheet.  Correct and try again.";
    ExpectChecks(
        sheet, valid,
        {
            {"valid", [](F&) {}, 0, nullptr},
            {"lower-case start", Set(&F::sValue, "b"), 1,
             "Starting data column not a valid designator.  Correct and try again."},
            {"empty start", Set(&F::sValue, ""), 1,
             "Starting data column not a valid designator.  Correct and try again."},
            {"start past IV", Set(&F::sValue, "IW"), 1,
             "Starting data column exceeds size of spreadsheet.  Correct and try again."},
            {"start of 2^32 + 2", Set(&F::sValue, "MWLQKWX"), 1,
             "Starting data column exceeds size of spreadsheet.  Correct and try again."},
            {"fractional count", Set(&F::sNumberValues, "1.5"), 2,
             "Number of values per row is not a valid integer of at least one.  Correct and try again."},
            {"zero count", Set(&F::sNumberValues, "0"), 2,
             "Number of values per row is not a valid integer of at least one.  Correct and try again."},
            {"IV with two values", Both(Set(&F::sValue, "IV"), Set(&F::sNumberValues, "2")), 2, kTooManyValues},
            {"largest 64-bit count", Set(&F::sNumberValues, "18446744073709551615"), 2, kTooManyValues},
            {"count of 2^32", Set(&F::sNumberValues, "4294967296"), 2, kTooManyValues},
            {"count of 1e30", Set(&F::sNumberValues, "1e30"), 2, kTooManyValues},
            {"IU with two values", Both(Set(&F::sValue, "IU"), Set(&F::sNumberValues, "2")), 0, nullptr},
            {"first row 0", Set(&F::sStart, "0"), 3, "First row is not a valid integer.  Correct and try again."},
            {"first row 12.0", Set(&F::sStart, "12.0"), 0, nullptr},
            {"last row text", Set(&F::sEnd, "x"), 4, "Last row is not a valid integer.  Correct and try again."},
            {"last before first", Both(Set(&F::sStart, "50"), Set(&F::sEnd, "10")), 4,
             "Last row is less than first row.  Correct and try again."},
            {"last row 10001", Set(&F::sEnd, "10001"), 4,
             "Last row exceeds size of spreadsheet.  Correct and try again."},
            {"last row 2^32 + 1", Set(&F::sEnd, "4294967297"), 4,
             "Last row exceeds size of spreadsheet.  Correct and try again."},
            {"lower-case labels", Set(&F::sLabels, "a"), 5, kLabelNotValid},
            {"labels past IV", Set(&F::sLabels, "IW"), 5, kLabelNotValid},
            {"labels far past IV", Set(&F::sLabels, "ZZZZZZZZZZZZZZZZZZZZ"), 5, kLabelNotValid},
            {"labels in the data", Set(&F::sLabels, "B"), 5,
             "Label column is same as one of data columns.  Correct and try again."},
            {"labels inside three columns", Both(Set(&F::sNumberValues, "3"), Set(&F::sLabels, "D")), 5,
             "Label column is same as one of data columns.  Correct and try again."},
            {"labels right of three columns", Both(Set(&F::sNumberValues, "3"), Set(&F::sLabels, "E")), 0, nullptr},
            {"blank labels", Set(&F::sLabels, "  "), 0, nullptr},
            {"group of 1", Grouping(GroupingMode::Group, "1"), 6,
             "Number of rows to group together is not a valid integer of at least 2.  Correct and try again."},
            {"group of nothing", Grouping(GroupingMode::Group, ""), 6,
             "Number of rows to group together is not a valid integer of at least 2.  Correct and try again."},
            {"every 1.5th", Grouping(GroupingMode::EveryNth, "1.5"), 6,
             "Number of rows between rows to analyze is not a valid integer of at least 2.  Correct and try "
             "again."},
            {"individual periods ignore n", Grouping(GroupingMode::Individual, "garbage"), 0, nullptr},
        });
}

TEST(FieldChecks, RowsOrientationChecksEveryFieldInOrder)
{
    Sheet sheet = EmptySheet();
    for (std::uint32_t uRow = 2; uRow <= 4; ++uRow) FillRow(sheet, uRow, 1, Numbers(20));
    SelectionFields valid;
    valid.orientation = Orientation::Rows;
    valid.sValue = "2";
    valid.sNumberValues = "1";
    valid.sStart = "A";
    valid.sEnd = "Z";

    const char* const kLabelNotValid = "Label row is not valid.  Correct and try again.";
    ExpectChecks(
        sheet, valid,
        {
            {"valid", [](F&) {}, 0, nullptr},
            {"start row 2.0", Set(&F::sValue, "2.0"), 0, nullptr},
            {"start row text", Set(&F::sValue, "B"), 1, "Starting data row is not valid.  Correct and try again."},
            {"start row 10001", Set(&F::sValue, "10001"), 1,
             "Starting data row exceeds size of spreadsheet.  Correct and try again."},
            {"start row 2^32 + 1", Set(&F::sValue, "4294967297"), 1,
             "Starting data row exceeds size of spreadsheet.  Correct and try again."},
            {"negative count", Set(&F::sNumberValues, "-3"), 2,
             "Number of values per column is not a valid integer of at least one.  Correct and try again."},
            {"9999 with three values", Both(Set(&F::sValue, "9999"), Set(&F::sNumberValues, "3")), 2,
             "Number of values per column exceeds size of spreadsheet.  Correct and try again."},
            {"largest 64-bit count", Set(&F::sNumberValues, "18446744073709551615"), 2,
             "Number of values per column exceeds size of spreadsheet.  Correct and try again."},
            {"first column lower-case", Set(&F::sStart, "a"), 3, "First column is not valid.  Correct and try again."},
            {"last column empty", Set(&F::sEnd, ""), 4, "Last column is not valid.  Correct and try again."},
            {"last before first", Both(Set(&F::sStart, "C"), Set(&F::sEnd, "B")), 4,
             "Last column is less than first column.  Correct and try again."},
            {"last column IW", Set(&F::sEnd, "IW"), 4,
             "Last column exceeds size of spreadsheet.  Correct and try again."},
            {"label row 0", Set(&F::sLabels, "0"), 5, kLabelNotValid},
            {"label row 10001", Set(&F::sLabels, "10001"), 5, kLabelNotValid},
            {"label row 1e30", Set(&F::sLabels, "1e30"), 5, kLabelNotValid},
            {"label row in the data", Set(&F::sLabels, "2"), 5,
             "Label row is same as one of data rows.  Correct and try again."},
            {"label row below the data", Set(&F::sLabels, "10000"), 0, nullptr},
            {"group of 0", Grouping(GroupingMode::Group, "0"), 6,
             "Number of columns to group together is not a valid integer of at least 2.  Correct and try "
             "again."},
            {"every 1st", Grouping(GroupingMode::EveryNth, "1"), 6,
             "Number of columns between rows to analyze is not a valid integer of at least 2.  Correct and "
             "try again."},
        });
}
