// Ostrel-Vane Studio - printing a sheet: its used range split into pages that fit the
// printable area (down first, then across), each page a drawing in screen pixels with
// the header row and column repeated, drawn scaled onto the printer's page.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace HalvrennInc {

class Drawing;
class GridAxis;
class Printer;
class Sheet;
class UserMessages;

//! Cells uFirst..uLast of one direction that go on the same pages.
struct PageSpan {
    std::uint32_t uFirst = 1;
    std::uint32_t uLast = 0;
    friend bool operator==(const PageSpan&, const PageSpan&) = default;
};

//! The page a printer offers: the whole sheet of paper in device pixels, and its resolution.
struct PrintPage {
    int iWidth = 0;
    int iHeight = 0;
    int iDpiX = 0;
    int iDpiY = 0;
};

//! Points of the printed cell font.
inline constexpr int kPrintFontPoints = 10;

//! How a sheet goes onto pages.
struct SheetPrintLayout {
    double dScale = 1;  //!< printer pixels per screen pixel
    int iMarginX = 0;   //!< printer pixels from the paper's edge to the printed area
    int iMarginY = 0;
    double dPrintableWidth = 0;  //!< the page less an inch each way, in screen pixels
    double dPrintableHeight = 0;
    std::vector<PageSpan> columns;  //!< page columns, left to right
    std::vector<PageSpan> rows;     //!< page rows, top to bottom

    std::uint32_t pageCount() const { return static_cast<std::uint32_t>(columns.size() * rows.size()); }
    //! The columns and rows of page uPage (from 0): pages run down a page column first.
    PageSpan pageColumns(std::uint32_t uPage) const { return columns[uPage / rows.size()]; }
    PageSpan pageRows(std::uint32_t uPage) const { return rows[uPage % rows.size()]; }
};

//! The printer's cell font height in device pixels: 10 points at the page's resolution.
int PrintFontHeight(int iDpiY);

//! Splits cells 1..uUsed into spans: a span starts with the header's size + 2 (its two
//! lines) and takes cells, each adding its size + 1, while the total stays within
//! dAvailable; every span takes at least one cell. No spans when uUsed is 0.
std::vector<PageSpan> SplitIntoPages(const GridAxis& axis, std::uint32_t uUsed, double dAvailable);

//! The layout of the sheet's used range on the page; iScreenFontHeight is the cell font's
//! height on the screen in pixels, which sets the scale. No pages for an empty sheet.
SheetPrintLayout LayoutSheetPrint(const Sheet& sheet, const PrintPage& page, int iScreenFontHeight);

//! One page in screen pixels: silver grid lines, the header row with the column letters,
//! the header column with the row numbers and the cells' texts, each text in a box from
//! 2 pixels inside the cell's sides and 1.25 font heights above its bottom - 1 down to
//! its bottom - 1. The top-left corner of the header cell is at (0, 0).
std::unique_ptr<Drawing> BuildSheetPage(const Sheet& sheet, const PageSpan& columns, const PageSpan& rows,
                                        int iScreenFontHeight);

//! Prints the sheet's used range after the print dialog; nothing when the dialog is
//! cancelled, an empty job for a sheet without used cells. The hourglass shows while the
//! job is built. A job that fails is reported. Returns whether a job was printed.
bool PrintSheet(const Sheet& sheet, Printer& printer, int iScreenFontHeight, UserMessages& messages);

}  // namespace HalvrennInc
