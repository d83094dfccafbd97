// How the data window looks before the user touches it: a session's row heights and
// column widths show from the start and stay through the first click and edit.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <sstream>

#include "DataWindowTestSupport.h"
#include "workbook/SessionFile.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
//! What the grid shows of its sheet's sizes and font.
struct GridLook {
    std::vector<int> iRowSections;     //!< rows 1..5
    std::vector<int> iColumnSections;  //!< columns A..D
    int iFontPixels = 0;
    friend bool operator==(const GridLook&, const GridLook&) = default;
};

GridLook LookOf(DataWindow& w)
{
    GridLook look;
    for (int i = 0; i < 5; ++i) look.iRowSections.push_back(w.grid()->rowHeader()->sectionSize(i));
    for (int i = 0; i < 4; ++i) look.iColumnSections.push_back(w.grid()->columnHeader()->sectionSize(i));
    look.iFontPixels = QFontInfo(w.grid()->font()).pixelSize();
    return look;
}

void PrintTo(const GridLook& look, std::ostream* pOut)
{
    *pOut << "rows";
    for (int i : look.iRowSections) *pOut << ' ' << i;
    *pOut << ", columns";
    for (int i : look.iColumnSections) *pOut << ' ' << i;
    *pOut << ", font " << look.iFontPixels << " px";
}
}  // namespace

TEST(DataWindowLook, ASessionsSizesShowAtOnceAndStayThroughTheFirstClickAndEdit)
{
    // Sizes far from any default a desktop font gives: rows of 31 pixels (465 / 15), a
    // short row 3, a wide column A and a narrow column B (3500 / 35 and 1050 / 35).
    Workbook written;
    SessionDocument writtenDocument(written);
    Sheet& sheet = written.activeSheet();
    sheet.setCellText(1, 1, "Lot");
    sheet.setCellText(2, 1, "Thickness");
    sheet.setCellText(1, 4, "L003");
    sheet.setCellText(2, 4, "9.27");
    sheet.setUsedExtent(2, 4);
    for (std::uint32_t uRow = 1; uRow <= 4; ++uRow) sheet.setRowHeight(uRow, uRow == 3 ? 12 : 31);
    sheet.setColumnWidth(1, 100);
    sheet.setColumnWidth(2, 30);
    std::ostringstream out;
    WriteSessionText(out, writtenDocument);
    const std::string sText = out.str();
    ASSERT_NE(sText.find("465 465 180 465 \n3500 1050 \n"), std::string::npos) << sText;

    DataWindow w(QSize(580, 454));
    const GridLook empty = LookOf(w);
    std::istringstream in(sText);
    SessionDocument document(w.workbook());
    ASSERT_EQ(ReadSessionText(in, document, {}, w.platform.messages), SessionReadResult::Read);
    QTest::qWait(20);

    // One pixel more than the sheet's size: the grid line below or right of the cell.
    const GridLook read = LookOf(w);
    EXPECT_EQ(read.iRowSections, (std::vector<int>{32, 32, 13, 32, empty.iRowSections[4]}));
    EXPECT_EQ(read.iColumnSections, (std::vector<int>{101, 31, empty.iColumnSections[2], empty.iColumnSections[3]}));
    EXPECT_EQ(read.iFontPixels, empty.iFontPixels);
    EXPECT_EQ(w.sheet().cellText(2, 1), "Thickness");

    // A click on a cell and a typed value change nothing of it.
    QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, Qt::NoModifier, w.cellCentre(3, 2));
    ASSERT_EQ(w.current(), (Cell{3, 2}));
    EXPECT_EQ(LookOf(w), read);
    EXPECT_EQ(w.editor()->height(), 32) << "the editor covers its row and the lines around it";
    w.type(QStringLiteral("12.5"));
    w.key(Qt::Key_Return);
    QTest::qWait(20);
    ASSERT_EQ(w.sheet().cellText(3, 2), "12.5");
    EXPECT_EQ(LookOf(w), read);
    EXPECT_EQ(w.editor()->height(), 13) << "on the short row 3";
}
