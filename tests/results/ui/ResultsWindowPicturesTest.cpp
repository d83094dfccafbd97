// What a person sees of a results window: every page painted with its picture, and
// every page printed to a PDF file. With OVS_PICTURES_DIR set, the screenshots and the
// PDF files are left there to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "ResultsWindowTestSupport.h"
#include "platform/qt/QtPrinter.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

QString PicturesFolder(const QTemporaryDir& scratch)
{
    const QByteArray folder = qgetenv("OVS_PICTURES_DIR");
    if (folder.isEmpty()) return scratch.path();
    QDir().mkpath(QString::fromLocal8Bit(folder));
    return QString::fromLocal8Bit(folder);
}

// The share of pixels of an area that are neither white nor the window's grey.
double InkShare(const QImage& image, const QRect& area)
{
    int iInk = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != Qt::white) ++iInk;
    return double(iInk) / (area.width() * area.height());
}

}  // namespace

TEST(ResultsWindowPictures, EveryPageShowsItsPictureAndPrintsToAPage)
{
    QTemporaryDir scratch;
    const QString sFolder = PicturesFolder(scratch);
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    window.resize(900, 640);
    QtPrinter printer;
    PlatformServices services = w.platform.withPrinter(printer);
    auto pPrinting = std::make_unique<TAnalysisResultsWindowForm>(services, w.pResults, true);

    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        window.SetActivePage(k);
        QTest::qWait(30);
        const QImage shot = window.grab().toImage();
        shot.save(QStringLiteral("%1/page-%2.png").arg(sFolder).arg(k + 1));
        // The picture fills the page: white paper with ink on it, not an empty page.
        QScrollArea* pScrollBox = window.ScrollBox(k);
        const QRect page(pScrollBox->viewport()->mapTo(&window, QPoint(0, 0)), pScrollBox->viewport()->size());
        const double dInk = InkShare(shot, page);
        EXPECT_GT(dInk, 0.01);
        EXPECT_LT(dInk, 0.9);
        EXPECT_EQ(shot.pixelColor(page.topLeft() + QPoint(3, 3)), QColor(Qt::white)) << "the margin is white";

        const QString sPdf = QStringLiteral("%1/page-%2.pdf").arg(sFolder).arg(k + 1);
        printer.printToPdf(sPdf);
        pPrinting->SetActivePage(k);
        pPrinting->PrintButtonClick();
        EXPECT_GT(QFileInfo(sPdf).size(), 2000);
    }
}

TEST(ResultsWindowPictures, TheDefaultWindowShowsEveryTabAndEveryTextOfItsPages)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    window.resize(window.sizeHint());
    QTest::qWait(30);
    // All seven page tabs in one row, none scrolled out of view, as far as the screen allows.
    QTabBar* pTabs = window.PageControl()->tabBar();
    const int iScreen = window.screen()->availableGeometry().width();
    if (pTabs->sizeHint().width() + 8 <= iScreen * 9 / 10) {
        for (int k = 0; k < 7; ++k) EXPECT_TRUE(pTabs->rect().contains(pTabs->tabRect(k))) << k;
    } else {
        EXPECT_EQ(window.sizeHint().width(), iScreen * 9 / 10) << "as wide as the screen allows";
    }

    // The margin around every picture stays white: no title or label runs past it.
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        window.SetActivePage(k);
        QTest::qWait(30);
        const QImage shot = window.grab().toImage();
        QWidget* pView = window.View(k);
        const QRect view(pView->mapTo(&window, QPoint(0, 0)), pView->size());
        const QRect visible = view & QRect(window.ScrollBox(k)->viewport()->mapTo(&window, QPoint(0, 0)),
                                           window.ScrollBox(k)->viewport()->size());
        const int iEdge = 4;
        EXPECT_EQ(InkShare(shot, QRect(visible.left(), visible.top(), iEdge, visible.height())), 0) << "left";
        EXPECT_EQ(InkShare(shot, QRect(visible.right() - iEdge + 1, visible.top(), iEdge, visible.height())), 0)
            << "right";
        EXPECT_EQ(InkShare(shot, QRect(visible.left(), visible.top(), visible.width(), iEdge)), 0) << "top";
    }
}

TEST(ResultsWindowPictures, SavePictureAsWritesThePageAsTheCommandLineWritesPictures)
{
    QTemporaryDir folder;
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    const std::string sDir = folder.path().toStdString() + "/";
    w.platform.fileDialogs.queueAnswer(sDir + "plot.png");
    window.View(rpPlotValues)->SavePictureAction()->trigger();
    QImage png(QString::fromStdString(sDir + "plot.png"));
    EXPECT_FALSE(png.isNull());
    EXPECT_GT(png.width(), png.height());
    // Every page's menu offers it; a name without a picture extension is written as SVG.
    w.platform.fileDialogs.queueAnswer(sDir + "table");
    window.View(rpTableChangesValues)->PopupMenu()->actions().back()->trigger();
    EXPECT_TRUE(QFileInfo(QString::fromStdString(sDir + "table.svg")).size() > 0);
    w.platform.fileDialogs.queueAnswer(sDir + "report.pdf");
    window.SetActivePage(rpAssumptions);
    QTest::mouseClick(window.SavePictureButton(), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(QString::fromStdString(sDir + "report.pdf")).size() > 0);
    // A folder that cannot be written gets a message and nothing else.
    w.platform.fileDialogs.queueAnswer("/proc/no/plot.png");
    window.View(rpPlotValues)->SavePictureAction()->trigger();
    ASSERT_EQ(w.platform.messages.texts().size(), 1u);
    EXPECT_NE(w.platform.messages.texts()[0].find("/proc/no/plot.png"), std::string::npos);
}

TEST(ResultsWindowPictures, PrintingKeepsThePrintersMarginsAndTurnsAWidePlotAcross)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    // The printer prints 300 pixels in from each edge of a 5100 x 6600 page.
    w.platform.printer.setPrintableArea({300, 300, 4500, 6000});
    window.SetActivePage(rpPlotValues);
    window.PrintButtonClick();
    EXPECT_TRUE(w.platform.printer.landscapePreferred()) << "a plot is wider than high";
    ASSERT_EQ(w.platform.printer.pages().size(), 1u);
    const std::vector<CanvasCall>& calls = w.platform.printer.pages()[0]->calls();
    ASSERT_FALSE(calls.empty());
    for (const CanvasCall& call : calls)
        for (const CanvasPoint& point : call.points) {
            EXPECT_GE(point.x, 300 + 10);
            EXPECT_LE(point.x, 4800 - 10);
            EXPECT_GE(point.y, 300 + 10);
            EXPECT_LE(point.y, 6300 - 10);
        }

    // On a PDF file the plot comes out on a page turned across.
    QTemporaryDir folder;
    QtPrinter printer;
    PlatformServices services = w.platform.withPrinter(printer);
    TAnalysisResultsWindowForm printing(services, w.pResults, true);
    const QString sPdf = folder.filePath(QStringLiteral("plot.pdf"));
    printer.printToPdf(sPdf);
    printing.SetActivePage(rpPlotValues);
    printing.PrintButtonClick();
    QFile file(sPdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const QRegularExpressionMatch match = box.match(QString::fromLatin1(file.readAll()));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GT(match.captured(1).toDouble(), match.captured(2).toDouble());
}
