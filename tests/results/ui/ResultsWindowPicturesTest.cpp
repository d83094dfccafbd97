// What a person sees of a results window: every page painted with its picture, and
// every page printed to a PDF file. With OVS_PICTURES_DIR set, the screenshots and the
// PDF files are left there to be looked at.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QScrollArea>
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
