// Printing a sheet: the split of the used range into pages, the order of the pages, the
// drawing of one page, and the job sent to the printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "WorkbookTestSupport.h"
#include "graphics/Drawing.h"
#include "graphics/Text.h"
#include "platform/ScriptedDesktopServices.h"
#include "workbook/GridAxis.h"
#include "workbook/SheetPrinting.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
constexpr int kScreenFont = 13;  // 10-point cells on a 96-dpi screen
// Letter paper at 600 dpi: 10 points are 83 pixels, so a screen pixel prints as 83/13.
const PrintPage kLetter{5100, 6600, 600, 600};

void Fill(Sheet& sheet, std::uint32_t uColumns, std::uint32_t uRows)
{
    for (std::uint32_t uRow = 1; uRow <= uRows; ++uRow)
        for (std::uint32_t uColumn = 1; uColumn <= uColumns; ++uColumn)
            sheet.storeField(uColumn, uRow, std::to_string(uColumn * 1000 + uRow));
}

const BoxText* FindText(const Drawing& drawing, std::string_view sText)
{
    for (std::uint32_t k = 1; k <= drawing.Count(); ++k) {
        const auto* pText = dynamic_cast<const BoxText*>(drawing.Object(k));
        if (pText && pText->Content() == sText) return pText;
    }
    return nullptr;
}
}  // namespace

TEST(SheetPrinting, PagesTakeWholeColumnsAndRowsWhileTheyFit)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    const GridAxis columns = GridAxis::Columns(sheet);
    // 52 for the header column and its lines, then 68 a column: three fit in 300.
    EXPECT_EQ(SplitIntoPages(columns, 7, 300), (std::vector<PageSpan>{{1, 3}, {4, 6}, {7, 7}}));
    EXPECT_EQ(SplitIntoPages(columns, 3, 256), (std::vector<PageSpan>{{1, 3}})) << "exactly full";
    EXPECT_EQ(SplitIntoPages(columns, 2, 100), (std::vector<PageSpan>{{1, 1}, {2, 2}})) << "one column at least";
    EXPECT_TRUE(SplitIntoPages(columns, 0, 300).empty());
    sheet.setColumnWidth(2, 200);
    EXPECT_EQ(SplitIntoPages(columns, 4, 300), (std::vector<PageSpan>{{1, 1}, {2, 2}, {3, 4}}));

    EXPECT_EQ(PrintFontHeight(600), 83);
    EXPECT_EQ(PrintFontHeight(96), 13);
    EXPECT_EQ(PrintFontHeight(1200), 167);
}

TEST(SheetPrinting, AWideSheetRunsDownFirstThenAcross)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    Fill(sheet, 20, 100);
    const SheetPrintLayout layout = LayoutSheetPrint(sheet, kLetter, kScreenFont);
    EXPECT_DOUBLE_EQ(layout.dScale, 83.0 / 13.0);
    EXPECT_EQ(layout.iMarginX, 300);
    EXPECT_EQ(layout.iMarginY, 300);
    EXPECT_NEAR(layout.dPrintableWidth, 4500 * 13.0 / 83.0, 1e-9);
    // 704.8 screen pixels: 52 + 9 x 68 = 664 columns; 939.8: 21 + 45 x 20 = 921 rows.
    EXPECT_EQ(layout.columns, (std::vector<PageSpan>{{1, 9}, {10, 18}, {19, 20}}));
    EXPECT_EQ(layout.rows, (std::vector<PageSpan>{{1, 45}, {46, 90}, {91, 100}}));
    ASSERT_EQ(layout.pageCount(), 9u);
    EXPECT_EQ(layout.pageColumns(1), (PageSpan{1, 9}));
    EXPECT_EQ(layout.pageRows(1), (PageSpan{46, 90}));
    EXPECT_EQ(layout.pageColumns(3), (PageSpan{10, 18}));
    EXPECT_EQ(layout.pageRows(3), (PageSpan{1, 45}));

    Workbook empty;
    EXPECT_EQ(LayoutSheetPrint(empty.activeSheet(), kLetter, kScreenFont).pageCount(), 0u);
}

TEST(SheetPrinting, APageRepeatsTheHeadersAndBoxesEachTextInItsCell)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    Fill(sheet, 12, 3);
    sheet.storeField(11, 2, "a long text that does not fit");
    const std::unique_ptr<Drawing> pPage = BuildSheetPage(sheet, {10, 12}, {2, 3}, kScreenFont);
    // Header column 50 wide after the outer line, then 67-pixel columns with their lines.
    EXPECT_DOUBLE_EQ(pPage->XMin(), 0);
    EXPECT_DOUBLE_EQ(pPage->YMin(), 0);
    EXPECT_DOUBLE_EQ(pPage->XMax(), 52 + 3 * 68 - 1);
    EXPECT_DOUBLE_EQ(pPage->YMax(), 21 + 2 * 20 - 1);

    ASSERT_NE(FindText(*pPage, "J"), nullptr) << "the letters of the page's own columns";
    EXPECT_EQ(FindText(*pPage, "A"), nullptr);
    ASSERT_NE(FindText(*pPage, "2"), nullptr) << "the numbers of the page's own rows";
    EXPECT_EQ(FindText(*pPage, "1"), nullptr);

    // K2: the column starts at 1 + 51 + 68 = 120 and row 2 (the first on the page) at
    // 1 + 20 = 21; its text box runs from 2 inside the cell's sides and ends one pixel
    // above its bottom, 1.25 font heights high.
    const BoxText* pK2 = FindText(*pPage, "a long text that does not fit");
    ASSERT_NE(pK2, nullptr);
    EXPECT_DOUBLE_EQ(pK2->XMin(), 122);
    EXPECT_DOUBLE_EQ(pK2->XMax(), 120 + 67 - 2);
    EXPECT_DOUBLE_EQ(pK2->YMax(), 21 + 19 - 1);
    EXPECT_DOUBLE_EQ(pK2->YMax() - pK2->YMin(), 1.25 * kScreenFont);
    ASSERT_NE(FindText(*pPage, "12003"), nullptr);

    int iSilverLines = 0;
    for (std::uint32_t k = 1; k <= pPage->Count(); ++k)
        if (pPage->Object(k)->Type() == dtLine) ++iSilverLines;
    EXPECT_EQ(iSilverLines, 2 + 4 + 3) << "two outer lines, one after each column and row with the headers";
}

TEST(SheetPrinting, TheJobFollowsTheDialogAndSizesFontsInPagePixels)
{
    Workbook workbook;
    Sheet& sheet = workbook.activeSheet();
    ScriptedPrinter printer;
    ScriptedUserMessages messages;
    CountingWaitCursor hourglass;

    printer.setAcceptDialog(false);
    Fill(sheet, 20, 10);
    EXPECT_FALSE(PrintSheet(sheet, printer, kScreenFont, messages));
    EXPECT_EQ(printer.jobCount(), 0) << "a cancelled dialog prints nothing";
    EXPECT_EQ(hourglass.iUses, 0);

    printer.setAcceptDialog(true);
    EXPECT_TRUE(PrintSheet(sheet, printer, kScreenFont, messages));
    EXPECT_EQ(printer.jobCount(), 1);
    EXPECT_EQ(printer.lastJobTitle(), "Sheet 1");
    ASSERT_EQ(printer.pages().size(), 3u) << "20 columns across three pages";
    EXPECT_EQ(hourglass.iUses, 1);
    EXPECT_EQ(hourglass.iDepth, 0);

    // The third page holds S and T, each page its own header column.
    const auto texts = printer.pages()[2]->callsOf(CanvasCallKind::Text);
    auto has = [&](std::string_view s) {
        return std::any_of(texts.begin(), texts.end(), [&](const CanvasCall& c) { return c.sText == s; });
    };
    EXPECT_TRUE(has("S"));
    EXPECT_TRUE(has("T"));
    EXPECT_FALSE(has("R"));
    EXPECT_TRUE(has("10"));
    EXPECT_TRUE(has("19010"));
    for (const CanvasCall& call : texts) {
        // 1.25 x 13 screen pixels x 83/13: about 103 printer pixels, not a point size.
        EXPECT_EQ(call.state.iFontHeight, 103) << call.sText;
        EXPECT_GE(call.points[0].x, 300) << "inside the half-inch margin";
        EXPECT_GE(call.points[0].y, 300);
        EXPECT_LT(call.points[0].x, 5100 - 300);
    }
    const auto lines = printer.pages()[0]->callsOf(CanvasCallKind::Line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].state.penColor, 0xC0C0C0u);
    EXPECT_EQ(lines[0].points[0], (CanvasPoint{300, 300}));

    // A sheet without used cells sends an empty job.
    Workbook empty;
    EXPECT_TRUE(PrintSheet(empty.activeSheet(), printer, kScreenFont, messages));
    EXPECT_EQ(printer.jobCount(), 2);
    EXPECT_TRUE(printer.pages().empty());
    EXPECT_TRUE(messages.shown().empty());
}
