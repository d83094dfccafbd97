// A picture of the main window with a filled sheet, as a person sees it: menus, speed
// bar, the data window with its grid, the yellow editor on its cell, the sheet tabs and
// the bottom panel. Under a virtual X server (xvfb-run -a with QT_QPA_PLATFORM=xcb) the
// picture is the real one; OVS_SCREENSHOT names the PNG file to keep.
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <cstdlib>

#include "MainWindowTestSupport.h"
#include "app/studio/ui/TAboutDialogBoxForm.h"
#include "app/studio/ui/TSplashForm.h"
#include "workbook/DelimitedText.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
//! The share of a rectangle's pixels (in the widget's coordinates) that have the colour.
double ShareOf(const QImage& image, const QRect& widgetRect, QRgb colour)
{
    // On a screen of several device pixels per pixel the picture is larger.
    const double dScale = image.devicePixelRatio();
    const QRect rect(
        QPoint(static_cast<int>(widgetRect.left() * dScale), static_cast<int>(widgetRect.top() * dScale)),
        QPoint(static_cast<int>(widgetRect.right() * dScale), static_cast<int>(widgetRect.bottom() * dScale)));
    int iHits = 0, iAll = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x, ++iAll)
            if (image.pixel(x, y) == colour) ++iHits;
    return iAll ? static_cast<double>(iHits) / iAll : 0;
}
}  // namespace

TEST(MainWindowScreenshot, AFilledSheetInTheMainWindowLooksRight)
{
    MainWindow w;
    w.form().resize(1100, 720);
    w.workbook().AddSheet();
    w.workbook().setActiveSheet(1);
    w.data().SetCurrentCell(1, 1);
    PasteText(w.workbook(), ReadFile(std::string(OVS_EXAMPLES_DIR) + "/thickness.txt"));
    w.workbook().SetSelection({2, 4, 2, 4});
    w.data().SetCurrentCell(2, 4, true);
    QTest::qWait(50);

    const QImage image = w.form().grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const char* psFile = std::getenv("OVS_SCREENSHOT")) image.save(QString::fromLocal8Bit(psFile));

    // The editor: yellow over its cell, showing the cell's text.
    QLineEdit* pEditor = w.data().cellEditor();
    ASSERT_TRUE(pEditor->isVisible());
    EXPECT_EQ(pEditor->text().toStdString(), std::string(w.workbook().CellText(2, 4)));
    const QRect editor(pEditor->mapTo(&w.form(), QPoint(0, 0)), pEditor->size());
    EXPECT_GT(ShareOf(image, editor.adjusted(2, 2, -2, -2), qRgb(255, 255, 0)), 0.5);
    // Menus, speed bar and status bar stand where a person looks for them.
    EXPECT_LT(w.form().menuBar()->geometry().bottom(), w.form().SpeedBar()->geometry().top() + 1);
    EXPECT_LT(w.form().SpeedBar()->geometry().bottom(), w.form().MdiArea()->geometry().top() + 1);
    EXPECT_GT(w.form().statusBar()->geometry().top(), w.form().MdiArea()->geometry().bottom() - 1);
    EXPECT_GE(w.form().SpeedBar()->height(), 25);
    // The data window is whole inside the area: its panel is not cut off.
    const QRect frame = w.form().DataWindowFrame()->geometry();
    EXPECT_TRUE(w.form().MdiArea()->viewport()->rect().contains(frame)) << "the data window fits the area";
    EXPECT_TRUE(w.data().HelpButton()->isVisible());
    EXPECT_EQ(w.data().tabs()->count(), 2);
}

TEST(MainWindowScreenshot, TheAboutBoxAndTheSplashShowTheWholeBanner)
{
    MainWindow w;
    TAboutDialogBoxForm& about = *w.form().AboutDialogBoxForm();
    about.show();
    QTest::qWait(20);
    const QImage image = about.grab().toImage();
    if (const char* psFile = std::getenv("OVS_SCREENSHOT"))
        image.save(QString::fromLocal8Bit(psFile).replace(QStringLiteral(".png"), QStringLiteral("-about.png")));
    EXPECT_TRUE(about.rect().contains(about.OKButton()->geometry()));
    EXPECT_EQ(about.windowTitle(), "About");
    about.close();

    auto* pSplash = new TSplashForm(100000);
    const QImage splash = pSplash->grab().toImage();
    if (const char* psFile = std::getenv("OVS_SCREENSHOT"))
        splash.save(QString::fromLocal8Bit(psFile).replace(QStringLiteral(".png"), QStringLiteral("-splash.png")));
    EXPECT_GE(splash.width(), pSplash->sizeHint().width());
    EXPECT_EQ(splash.pixel(0, 0), qRgb(0x1f, 0x3e, 0x66)) << "framed in the mark's blue";
    pSplash->close();
}
