// The Qt canvas: pixels where GDI would put them, fonts that fall back cleanly, texts
// turned by their escapement, and picture files.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "platform/qt/QtCanvas.h"

using namespace HalvrennInc;

namespace {
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kBlack = 0;

QImage whiteImage(int iWidth, int iHeight)
{
    QImage image(iWidth, iHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool isColor(const QImage& image, int x, int y, TColor color)
{
    return image.pixelColor(x, y) == toQColor(color);
}

// The bounding box of the pixels that are not white, or an empty rectangle.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) box |= QRect(x, y, 1, 1);
    return box;
}
}  // namespace

TEST(QtCanvas, ShapesCoverTheirRectangleWithoutItsRightAndBottomEdge)
{
    QImage image = whiteImage(200, 100);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        EXPECT_EQ(canvas.pixelsPerInchX(), 96);
        EXPECT_EQ(canvas.pixelsPerInchY(), 96);
        canvas.setPen(kBlack, psInsideFrame, 0);
        canvas.setBrush(kRed);
        canvas.rectangle(10, 10, 50, 40);
        canvas.setPen(kBlue, psInsideFrame, 4);
        canvas.setClearBrush();
        canvas.rectangle(100, 80, 60, 50);  // corners in any order
        canvas.setPen(0, psClear, 0);
        canvas.setBrush(0x00FF00);
        canvas.ellipse(150, 10, 190, 50);
    }
    EXPECT_TRUE(isColor(image, 30, 25, kRed));
    EXPECT_TRUE(isColor(image, 10, 10, kBlack));
    EXPECT_TRUE(isColor(image, 49, 39, kBlack));
    EXPECT_TRUE(isColor(image, 11, 11, kRed));
    EXPECT_TRUE(isColor(image, 50, 25, 0xFFFFFF));
    EXPECT_TRUE(isColor(image, 30, 40, 0xFFFFFF));
    // A 4-pixel inside-frame outline: pixels 60..63 blue, 64 and beyond not filled.
    EXPECT_TRUE(isColor(image, 60, 65, kBlue));
    EXPECT_TRUE(isColor(image, 63, 65, kBlue));
    EXPECT_TRUE(isColor(image, 96, 65, kBlue));
    EXPECT_TRUE(isColor(image, 99, 65, kBlue));
    EXPECT_TRUE(isColor(image, 80, 65, 0xFFFFFF));
    EXPECT_TRUE(isColor(image, 100, 65, 0xFFFFFF));
    // The ellipse fills its middle and leaves the corners.
    EXPECT_TRUE(isColor(image, 170, 30, 0x00FF00));
    EXPECT_TRUE(isColor(image, 151, 11, 0xFFFFFF));
}

TEST(QtCanvas, LinesRunThroughPixelCentresAndBrokenStylesFillTheirGaps)
{
    QImage image = whiteImage(200, 60);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setPen(kBlue, psSolid, 0);
        canvas.moveTo(10, 10);
        canvas.lineTo(100, 10);
        canvas.setPen(kBlue, psDash, 0);
        canvas.setBrush(kYellow);
        const CanvasPoint dashed[] = {{10, 30}, {190, 30}};
        canvas.polyline(dashed, 2);
        canvas.setPen(kRed, psDot, 0);
        canvas.setClearBrush();
        canvas.line(10, 50, 190, 50);
    }
    EXPECT_TRUE(isColor(image, 50, 10, kBlue));
    EXPECT_TRUE(isColor(image, 50, 9, 0xFFFFFF));
    EXPECT_TRUE(isColor(image, 50, 11, 0xFFFFFF));
    int iBlue = 0, iYellow = 0, iWhite = 0;
    for (int x = 12; x < 188; ++x) {
        iBlue += isColor(image, x, 30, kBlue);
        iYellow += isColor(image, x, 30, kYellow);
        iWhite += isColor(image, x, 50, 0xFFFFFF);
    }
    EXPECT_GT(iBlue, 60);
    EXPECT_GT(iYellow, 20);  // the gaps take the brush colour
    EXPECT_GT(iWhite, 40);   // with a clear brush they stay transparent
}

TEST(QtCanvas, FilledPolygonsAndTheirOutline)
{
    QImage image = whiteImage(100, 100);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setPen(kBlack, psInsideFrame, 0);
        canvas.setBrush(kYellow);
        const CanvasPoint triangle[] = {{50, 10}, {90, 90}, {10, 90}, {50, 10}};
        canvas.polygon(triangle, 4);
    }
    EXPECT_TRUE(isColor(image, 50, 60, kYellow));
    EXPECT_TRUE(isColor(image, 50, 90, kBlack));
    EXPECT_TRUE(isColor(image, 15, 20, 0xFFFFFF));
}

TEST(QtCanvas, TextsStandBelowAndRightOfTheirPointInAFallbackFace)
{
    QImage image = whiteImage(300, 200);
    int iWidth = 0;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setFont("Arial", 30, true, false, 0, kBlue);
        EXPECT_FALSE(QFontInfo(canvas.font()).family().isEmpty());
        iWidth = canvas.textWidth("Hg");
        EXPECT_GT(iWidth, 20);
        EXPECT_LT(iWidth, 60);
        EXPECT_GT(canvas.textWidth("Hg Hg"), 2 * iWidth);
        canvas.setClearBrush();
        canvas.textOut(20, 40, "Hg");
    }
    const QRect box = inkBox(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 20);
    EXPECT_LE(box.right(), 20 + iWidth);
    EXPECT_GE(box.top(), 40);
    EXPECT_LE(box.bottom(), 40 + 30);
    EXPECT_GT(box.height(), 15);  // the cell is 30 pixels: capitals and descenders fill most of it
    bool bBlueInk = false;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            bBlueInk = bBlueInk || image.pixelColor(x, y) == QColor(Qt::blue);
    EXPECT_TRUE(bBlueInk);
}

TEST(QtCanvas, EscapementTurnsTextToReadUpward)
{
    QImage image = whiteImage(100, 200);
    int iWidth = 0;
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        canvas.setFont("Arial", 20, false, false, 900, kBlack);
        iWidth = canvas.textWidth("Label");
        canvas.setClearBrush();
        canvas.textOut(40, 150, "Label");
    }
    const QRect box = inkBox(image);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left(), 40);
    EXPECT_LE(box.right(), 60);
    EXPECT_LE(box.bottom(), 150);
    EXPECT_GE(box.top(), 150 - iWidth - 1);
    EXPECT_GT(box.height(), box.width());
}

TEST(QtCanvas, DrawsIntoSvgAndPdfPictures)
{
    auto paint = [](QPaintDevice& device) {
        QPainter painter(&device);
        QtCanvas canvas(painter);
        canvas.setPen(kRed, psInsideFrame, 1);
        canvas.setBrush(kYellow);
        canvas.rectangle(10, 10, 200, 100);
        canvas.setFont("Arial", 16, false, false, 0, kBlack);
        canvas.setClearBrush();
        canvas.textOut(20, 20, "Picture");
        EXPECT_GT(canvas.pixelsPerInchX(), 0);
    };
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(220, 120));
    generator.setViewBox(QRect(0, 0, 220, 120));
    paint(generator);
    const QByteArray svgText = svg.data();
    EXPECT_TRUE(svgText.contains("<svg"));
    EXPECT_TRUE(svgText.contains("Picture"));
    EXPECT_TRUE(svgText.contains("#ffff00"));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        paint(writer);
    }
    EXPECT_TRUE(pdf.data().startsWith("%PDF"));
}

TEST(QtCanvas, TextBytesAreReadAsUtf8OrElseAsWindows1252)
{
    EXPECT_EQ(qStringFromText("Caf\xC3\xA9"), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(qStringFromText("Caf\xE9"), QString(QStringLiteral(u"Caf\u00E9")));
    EXPECT_EQ(qStringFromText("\x80 5"), QString(QStringLiteral(u"\u20AC 5")));
    EXPECT_EQ(qStringFromText(""), QString());
}
