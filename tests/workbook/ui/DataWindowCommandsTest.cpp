// The commands the main window forwards to the data window (clipboard, clear, sheets,
// import, export, print), the window inside an MDI area, and a look at the whole window.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>

#include "DataWindowTestSupport.h"
#include "platform/qt/QtPrinter.h"
#include "workbook/Designators.h"
#include "workbook/SheetPrinting.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
void FillSheet(Workbook& workbook, std::uint32_t uColumns, std::uint32_t uRows)
{
    for (std::uint32_t uRow = 1; uRow <= uRows; ++uRow)
        for (std::uint32_t uColumn = 1; uColumn <= uColumns; ++uColumn)
            workbook.SetCellText(uColumn, uRow, std::to_string(uColumn * 100 + uRow));
}
}  // namespace

TEST(DataWindowCommands, ClipboardClearAndSheetCommandsWorkOnTheActiveSheet)
{
    DataWindow w;
    w.platform.clipboard.setText("1\t2\n3\t4");
    w.window.SetCurrentCell(2, 2);
    w.window.Paste();
    EXPECT_EQ(w.sheet().cellText(3, 3), "4");
    EXPECT_EQ(w.editor()->text(), "1") << "the editor back on the paste's first cell";

    w.workbook().SetSelection({2, 2, 3, 2});
    w.window.Copy();
    EXPECT_EQ(w.platform.clipboard.text(), "1\t2");
    w.window.Cut();
    EXPECT_EQ(w.platform.clipboard.text(), "1\t2");
    EXPECT_EQ(w.sheet().cellText(2, 2), "");
    EXPECT_EQ(w.editor()->text(), "") << "the editor shows the emptied cell";

    w.workbook().SetSelection({3, 3, 3, 3});
    w.platform.messages.queueAnswer(MessageAnswer::Cancel);
    w.window.ClearCells();
    EXPECT_EQ(w.sheet().cellText(3, 3), "4");
    w.platform.messages.queueAnswer(MessageAnswer::Ok);
    w.window.ClearCells();
    EXPECT_EQ(w.sheet().cellText(3, 3), "");
    EXPECT_EQ(w.platform.messages.texts(),
              (std::vector<std::string>{"Are you sure you want to clear selected cells?",
                                        "Are you sure you want to clear selected cells?"}));

    w.window.AddSheet();
    ASSERT_EQ(w.window.tabs()->count(), 2);
    EXPECT_EQ(w.window.tabs()->currentIndex(), 1);
    EXPECT_EQ(w.window.tabs()->tabText(1), "Sheet 2");
    EXPECT_TRUE(w.editor()->hasFocus()) << "the new sheet's editor, on A1";
    w.type("on two");
    EXPECT_EQ(w.workbook().sheet(2).cellText(1, 1), "on two");
    w.window.tabs()->setCurrentIndex(0);
    EXPECT_EQ(w.workbook().activeSheetNumber(), 1u);
    EXPECT_EQ(w.current(), (Cell{3, 3})) << "each sheet keeps its current cell";
    w.platform.messages.queueAnswer(MessageAnswer::Ok);
    w.window.DeleteSheet();
    ASSERT_EQ(w.window.tabs()->count(), 1);
    EXPECT_EQ(w.window.tabs()->tabText(0), "Sheet 2");
    EXPECT_EQ(w.editor()->text(), "on two");
    w.window.setTabsAtBottom(false);
    EXPECT_EQ(w.window.tabs()->tabPosition(), QTabWidget::North);
}

TEST(DataWindowCommands, ImportAndExportGoThroughTheFileDialogs)
{
    DataWindow w;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string sIn = folder.filePath("in.txt").toStdString();
    std::ofstream(sIn, std::ios::binary) << "a\tb\n1\t2";

    w.window.ImportSheet();  // cancelled
    EXPECT_EQ(w.sheet().lastUsedColumn(), 0u);
    w.platform.fileDialogs.queueAnswer(sIn);
    w.window.ImportSheet();
    ASSERT_EQ(w.platform.fileDialogs.calls().size(), 2u);
    const ScriptedFileDialogs::Call& call = w.platform.fileDialogs.calls().back();
    EXPECT_EQ(call.sTitle, "Import File");
    EXPECT_EQ(call.sFileName, "*.txt");
    EXPECT_EQ(call.sFilter.rfind("Tab delimited text files (*.txt)|*.txt", 0), 0u) << "the first filter";
    EXPECT_EQ(w.sheet().cellText(2, 2), "2");
    EXPECT_EQ(w.editor()->text(), "a");

    const std::string sOut = folder.filePath("out").toStdString();
    w.platform.fileDialogs.queueAnswer(sOut);
    w.window.ExportSheet();
    EXPECT_EQ(w.platform.fileDialogs.calls().back().sTitle, "Export File");
    EXPECT_EQ(w.platform.fileDialogs.calls().back().sFilter, "Tab delimited text file (*.txt)|*.txt");
    QFile exported(QString::fromStdString(sOut + ".txt"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll().replace("\r\n", "\n"), "a\tb\n1\t2");
}

TEST(DataWindowCommands, AWideSheetPrintsAsSeveralPagesDownFirstThenAcross)
{
    DataWindow w;
    FillSheet(w.workbook(), 30, 60);

    // The scripted printer records the split.
    const PrintPage page{w.platform.printer.pageWidth(), w.platform.printer.pageHeight(),
                         w.platform.printer.pixelsPerInchX(), w.platform.printer.pixelsPerInchY()};
    const SheetPrintLayout layout = LayoutSheetPrint(w.sheet(), page, w.window.cellFontPixelHeight());
    ASSERT_GT(layout.columns.size(), 1u);
    ASSERT_GT(layout.rows.size(), 1u);
    QTest::mouseClick(w.window.PrintButton(), Qt::LeftButton);
    ASSERT_EQ(w.platform.printer.jobCount(), 1);
    ASSERT_EQ(w.platform.printer.pages().size(), layout.pageCount());
    const auto secondPage = w.platform.printer.pages()[1]->callsOf(CanvasCallKind::Text);
    auto has = [](const std::vector<CanvasCall>& calls, std::string_view s) {
        return std::any_of(calls.begin(), calls.end(), [&](const CanvasCall& c) { return c.sText == s; });
    };
    EXPECT_TRUE(has(secondPage, "A")) << "the second page is further down the same columns";
    EXPECT_TRUE(has(secondPage, std::to_string(layout.rows[1].uFirst)));
    const auto acrossPage = w.platform.printer.pages()[layout.rows.size()]->callsOf(CanvasCallKind::Text);
    EXPECT_FALSE(has(acrossPage, "A"));
    EXPECT_TRUE(has(acrossPage, std::string(ColumnDesignator(layout.columns[1].uFirst))));
    EXPECT_TRUE(has(acrossPage, "1")) << "the header column again";

    // And a real job on a PDF printer gives one PDF page per page of the layout.
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtPrinter pdf;
    pdf.printToPdf(folder.filePath("sheet.pdf"));
    PlatformServices services = w.platform.withPrinter(pdf);
    TDataWindowForm window(services);
    FillSheet(window.workbook(), 30, 20);
    window.Print();
    QFile file(folder.filePath("sheet.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString sPdf = QString::fromLatin1(file.readAll());
    const PrintPage pdfPage{pdf.pageWidth(), pdf.pageHeight(), pdf.pixelsPerInchX(), pdf.pixelsPerInchY()};
    const std::uint32_t uPages =
        LayoutSheetPrint(window.workbook().activeSheet(), pdfPage, window.cellFontPixelHeight()).pageCount();
    EXPECT_GE(uPages, 2u);
    EXPECT_EQ(sPdf.count(QRegularExpression("/Type\\s*/Page[^s]")), static_cast<int>(uPages));
}

TEST(DataWindowCommands, AViewSetBeforeTheWindowIsShownIsKept)
{
    ScriptedPlatform platform;
    TDataWindowForm window(platform.services);
    Sheet& sheet = window.workbook().activeSheet();
    sheet.setTopRow(300);
    sheet.setLeftColumn(4);
    window.workbook().SetCurrentCell(5, 310);
    window.resize(900, 560);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(sheet.topRow(), 300u);
    EXPECT_EQ(sheet.leftColumn(), 4u);
    EXPECT_EQ(window.grid()->verticalScrollBar()->value(), 299);
    EXPECT_TRUE(window.grid()->viewport()->rect().intersects(window.cellEditor()->geometry()));
}

TEST(DataWindowCommands, InAnMdiAreaTheWindowKeepsItsGeometryInTheWorkbook)
{
    ScriptedPlatform platform;
    QMdiArea area;
    area.resize(1200, 800);
    auto* pWindow = new TDataWindowForm(platform.services);
    QSignalSpy first(pWindow, &TDataWindowForm::firstShown);
    QSignalSpy modified(pWindow, &TDataWindowForm::sessionModified);
    QMdiSubWindow* pFrame = area.addSubWindow(pWindow);
    area.show();
    pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    EXPECT_EQ(first.count(), 1);
    const WindowGeometry& defaults = pWindow->workbook().defaultDataWindowGeometry();
    EXPECT_EQ(defaults.iTop, 10);
    EXPECT_EQ(defaults.iHeight, 454);
    EXPECT_EQ(defaults.iWidth,
              pWindow->HelpButton()->mapTo(pWindow, QPoint(pWindow->HelpButton()->width(), 0)).x() + 40);
    EXPECT_EQ(pFrame->geometry(), QRect(10, 10, defaults.iWidth, 454));
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry(), defaults);

    modified.clear();
    pFrame->resize(defaults.iWidth + 50, 400);
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry().iWidth, defaults.iWidth + 50);
    EXPECT_GE(modified.count(), 1) << "a resize marks the session";

    // Maximized, the window keeps its last normal place for the session file.
    pFrame->showMaximized();
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry().iState, 2);
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry().iWidth, defaults.iWidth + 50);
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry().iHeight, 400);
    pFrame->showNormal();
    EXPECT_EQ(pWindow->workbook().dataWindowGeometry().iState, 0);

    pWindow->workbook().ClearWorkbook();
    EXPECT_EQ(pFrame->geometry(), QRect(10, 10, defaults.iWidth, 454)) << "New restores the default place";

    EXPECT_FALSE(pFrame->close());
    EXPECT_TRUE(pWindow->isVisible()) << "the data window is never closed";
    EXPECT_EQ(area.subWindowList().size(), 1);
}

TEST(DataWindowCommands, AFilledSheetLooksRight)
{
    DataWindow w(QSize(760, 460));
    FillSheet(w.workbook(), 6, 14);
    w.window.SetCurrentCell(3, 4);
    w.workbook().SetSelection({2, 3, 4, 6});
    w.type("9");
    QTest::qWait(20);
    const QImage shot = w.window.grab().toImage();
    if (const char* psPath = std::getenv("OVS_SCREENSHOT")) shot.save(QString::fromLocal8Bit(psPath));
    const QRect editor(w.editor()->mapTo(&w.window, QPoint(0, 0)), w.editor()->size());
    const QPoint inside = editor.topLeft() + QPoint(editor.width() - 4, 4);
    EXPECT_EQ(shot.pixelColor(inside), QColor(Qt::yellow)) << "the editor is yellow over its cell";
    const QPoint cell = w.grid()->viewport()->mapTo(&w.window, w.cellCentre(5, 2));
    EXPECT_EQ(shot.pixelColor(cell.x(), cell.y() - 5), QColor(Qt::white)) << "cells outside the selection are white";
}
