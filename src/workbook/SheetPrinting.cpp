// Ostrel-Vane Studio - pages of a printed sheet.
#include "workbook/SheetPrinting.h"

#include <cmath>
#include <string>

#include "graphics/Drawing.h"
#include "platform/DesktopServices.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/Designators.h"
#include "workbook/GridAxis.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

namespace {
constexpr TColor kSilver = 0xC0C0C0;
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;

//! Where each cell of a page starts along one direction: the header at 1 (after the
//! outer line), then every cell one line after the end of the one before. The line after
//! a cell lies one pixel before the next start; the last entry is the start a further
//! cell would have.
std::vector<double> cellStarts(const GridAxis& axis, const PageSpan& span)
{
    std::vector<double> starts;
    double dPosition = 1;
    starts.push_back(dPosition);
    dPosition += axis.span(0);
    for (std::uint32_t u = span.uFirst; u <= span.uLast; ++u) {
        starts.push_back(dPosition);
        dPosition += axis.span(u);
    }
    starts.push_back(dPosition);
    return starts;
}
}  // namespace

int PrintFontHeight(int iDpiY)
{
    return static_cast<int>(std::lround(kPrintFontPoints * static_cast<double>(iDpiY) / 72.0));
}

std::vector<PageSpan> SplitIntoPages(const GridAxis& axis, std::uint32_t uUsed, double dAvailable)
{
    std::vector<PageSpan> spans;
    std::uint32_t uNext = 1;
    while (uNext <= uUsed) {
        PageSpan span{uNext, uNext};
        double dTotal = axis.size(0) + 2 + axis.span(uNext);
        while (span.uLast < uUsed && dTotal + axis.span(span.uLast + 1) <= dAvailable) {
            ++span.uLast;
            dTotal += axis.span(span.uLast);
        }
        spans.push_back(span);
        uNext = span.uLast + 1;
    }
    return spans;
}

SheetPrintLayout LayoutSheetPrint(const Sheet& sheet, const PrintPage& page, int iScreenFontHeight)
{
    SheetPrintLayout layout;
    const int iScreen = std::abs(iScreenFontHeight);
    layout.dScale = iScreen > 0 ? std::abs(static_cast<double>(PrintFontHeight(page.iDpiY)) / iScreen) : 1;
    if (layout.dScale <= 0) layout.dScale = 1;
    // Half an inch on each side.
    layout.iMarginX = page.iDpiX / 2;
    layout.iMarginY = page.iDpiY / 2;
    layout.dPrintableWidth = (page.iWidth - page.iDpiX) / layout.dScale;
    layout.dPrintableHeight = (page.iHeight - page.iDpiY) / layout.dScale;
    if (sheet.lastUsedColumn() == 0 || sheet.lastUsedRow() == 0) return layout;
    layout.columns = SplitIntoPages(GridAxis::Columns(sheet), sheet.lastUsedColumn(), layout.dPrintableWidth);
    layout.rows = SplitIntoPages(GridAxis::Rows(sheet), sheet.lastUsedRow(), layout.dPrintableHeight);
    return layout;
}

std::unique_ptr<Drawing> BuildSheetPage(const Sheet& sheet, const PageSpan& columns, const PageSpan& rows,
                                        int iScreenFontHeight)
{
    auto pPage = std::make_unique<Drawing>();
    const GridAxis columnAxis = GridAxis::Columns(sheet);
    const GridAxis rowAxis = GridAxis::Rows(sheet);
    const std::vector<double> xs = cellStarts(columnAxis, columns);
    const std::vector<double> ys = cellStarts(rowAxis, rows);
    const double dRight = xs.back() - 1;
    const double dBottom = ys.back() - 1;

    // The lines: the outer ones at 0 and one after every cell.
    pPage->AddLine(0, 0, dRight, 0, psSolid, kSilver, 0, 0, 0);
    pPage->AddLine(0, 0, 0, dBottom, psSolid, kSilver, 0, 0, 0);
    for (std::size_t i = 1; i < xs.size(); ++i)
        pPage->AddLine(xs[i] - 1, 0, xs[i] - 1, dBottom, psSolid, kSilver, 0, 0, 0);
    for (std::size_t i = 1; i < ys.size(); ++i)
        pPage->AddLine(0, ys[i] - 1, dRight, ys[i] - 1, psSolid, kSilver, 0, 0, 0);

    const double dTextHeight = 1.25 * std::abs(iScreenFontHeight);
    // Cell k of a page direction: 0 is the header, then the span's cells in order.
    auto addText = [&](std::string_view sText, std::size_t iColumn, std::size_t iRow, std::uint8_t uAlignment) {
        if (sText.empty()) return;
        const double dLeft = xs[iColumn] + 2;
        const double dRightEdge = xs[iColumn + 1] - 1 - 2;
        const double dBoxBottom = ys[iRow + 1] - 1 - 1;
        if (dRightEdge <= dLeft) return;
        pPage->AddBoxText(sText, dLeft, dBoxBottom - dTextHeight, dRightEdge, dBoxBottom, uAlignment, kBlack, false,
                          false, 0);
    };
    for (std::uint32_t uColumn = columns.uFirst; uColumn <= columns.uLast; ++uColumn)
        addText(ColumnDesignator(uColumn), uColumn - columns.uFirst + 1, 0, taCentre);
    for (std::uint32_t uRow = rows.uFirst; uRow <= rows.uLast; ++uRow) {
        const std::size_t iRow = uRow - rows.uFirst + 1;
        addText(RowDesignator(uRow), 0, iRow, taCentre);
        for (std::uint32_t uColumn = columns.uFirst; uColumn <= columns.uLast; ++uColumn)
            addText(sheet.cellText(uColumn, uRow), uColumn - columns.uFirst + 1, iRow, taLeft);
    }
    return pPage;
}

bool PrintSheet(const Sheet& sheet, Printer& printer, int iScreenFontHeight, UserMessages& messages)
{
    if (!printer.showPrintDialog()) return false;
    WaitCursorGuard hourglass;
    const PrintPage page{printer.pageWidth(), printer.pageHeight(), printer.pixelsPerInchX(), printer.pixelsPerInchY()};
    const SheetPrintLayout layout = LayoutSheetPrint(sheet, page, iScreenFontHeight);
    const bool bPrinted = printer.print(
        sheet.name().view(), static_cast<int>(layout.pageCount()),
        [&](Canvas& canvas, int iPage, int /*iWidth*/, int /*iHeight*/) {
            const auto uPage = static_cast<std::uint32_t>(iPage);
            const std::unique_ptr<Drawing> pDrawing =
                BuildSheetPage(sheet, layout.pageColumns(uPage), layout.pageRows(uPage), iScreenFontHeight);
            pDrawing->Draw(canvas, layout.dScale, layout.iMarginX, layout.dScale, layout.iMarginY, kWhite);
        });
    hourglass.release();
    if (!bPrinted) messages.show("Error", "The sheet could not be printed.", MessageIcon::Exclamation);
    return bPrinted;
}

}  // namespace HalvrennInc
