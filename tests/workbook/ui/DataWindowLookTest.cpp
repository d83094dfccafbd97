// How the data window looks: a session's row heights and column widths show from the
// start and stay through the first click and edit, and the hint of the bottom panel
// reads whole in a narrow window and on one line at the default width.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <sstream>

#include "DataWindowTestSupport.h"
#include "workbook/SessionFile.h"
#include "workbook/ui/PanelHintLabel.h"

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

//! The dark pixels of a picture: how many, and the rectangle around them.
struct Ink {
    int iPixels = 0;
    QRect box;
};

Ink InkOf(const QImage& image)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 128) {
                ++ink.iPixels;
                ink.box |= QRect(x, y, 1, 1);
            }
    return ink;
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

TEST(DataWindowLook, TheHintReadsWholeInANarrowWindowAndOnOneLineAtTheDefaultWidth)
{
    const QString sHint = QStringLiteral("Enter data in column, click column heading and press -->");
    // Every word of the hint drawn within the label: about as much ink as the hint drawn
    // on one line in the label's font and colours (a line cut off or left out is a tenth
    // or more of it), none at the label's left or right edge, and lines broken only
    // between words.
    const auto readable = [&](PanelHintLabel& hint) {
        const QImage shown = hint.grab().toImage();
        QImage whole(hint.sizeHint() + QSize(20, 20), QImage::Format_RGB32);
        whole.fill(hint.palette().color(hint.backgroundRole()));
        {
            QPainter painter(&whole);
            painter.setFont(hint.font());
            painter.setPen(hint.palette().color(hint.foregroundRole()));
            painter.drawText(QPoint(10, 10 + hint.fontMetrics().ascent()), sHint);
        }
        const Ink inkShown = InkOf(shown), inkWhole = InkOf(whole);
        const bool bEdges = inkShown.box.left() > 0 && inkShown.box.right() < shown.width() - 1;
        const bool bWords = hint.lines().join(QLatin1Char(' ')) == sHint && hint.lines().last().endsWith("-->");
        return std::abs(inkShown.iPixels - inkWhole.iPixels) <= inkWhole.iPixels / 12 && bEdges && bWords;
    };
    ScriptedPlatform platform;
    QMdiArea area;
    area.resize(1200, 800);
    auto* pWindow = new TDataWindowForm(platform.services);
    QMdiSubWindow* pFrame = area.addSubWindow(pWindow);
    area.show();
    pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    auto* pHint = qobject_cast<PanelHintLabel*>(pWindow->panelLabel());
    ASSERT_NE(pHint, nullptr);
    QWidget* pPanel = pHint->parentWidget();
    const int iPanelHeight =
        std::max(41, pWindow->HelpButton()->sizeHint().height() + pWindow->fontMetrics().height() / 2);

    // The default width holds the hint on one line, the panel at its usual height.
    const WindowGeometry defaults = pWindow->workbook().defaultDataWindowGeometry();
    EXPECT_EQ(pFrame->width(), defaults.iWidth);
    EXPECT_GE(pHint->contentsRect().width(), pHint->fontMetrics().horizontalAdvance(sHint));
    EXPECT_EQ(pHint->text(), sHint);
    EXPECT_EQ(pPanel->height(), iPanelHeight);

    // 580 pixels: the data window of a session saved by the command line; 480: narrower.
    for (const int iWidth : {580, 480}) {
        WindowGeometry narrow = defaults;
        narrow.iWidth = iWidth;
        pWindow->workbook().setDataWindowGeometry(narrow);
        QTest::qWait(20);
        ASSERT_EQ(pFrame->width(), iWidth);
        EXPECT_EQ(pHint->text(), sHint);
        EXPECT_TRUE(readable(*pHint)) << iWidth << " pixels wide: the hint has " << pHint->contentsRect().width()
                                      << " x " << pHint->contentsRect().height();
        EXPECT_GE(pPanel->height(), iPanelHeight);
        const QRect help = pWindow->HelpButton()->geometry();
        EXPECT_LE(help.right(), pPanel->width()) << "the buttons stay whole";
        EXPECT_GE(help.top(), 0);
        EXPECT_LE(help.bottom(), pPanel->height());
        EXPECT_GT(pWindow->grid()->viewport()->height(), 200) << "the grid keeps the rest of the window";
    }
    pWindow->workbook().setDataWindowGeometry(defaults);
    QTest::qWait(20);
    EXPECT_EQ(pPanel->height(), iPanelHeight) << "back to one line";
}
