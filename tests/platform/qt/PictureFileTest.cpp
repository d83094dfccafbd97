// Picture files: the size rule (20 pixels per unit, longest side 32000, a pixel of edge
// on each side), the colours of a rendered PNG, the SVG and PDF forms, and the messages
// for pictures that cannot be written.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>

#include "FileSizeLimit.h"
#include "graphics/Drawing.h"
#include "platform/qt/PictureFile.h"
#include "platform/qt/QtPrinter.h"

using namespace HalvrennInc;

namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kBlack = 0;

// 10 x 5 units: a red block in the left half, a black frame line along the right edge
// and along the top edge, and a blue text in the right half.
void FillExample(Drawing& drawing)
{
    drawing.AddRect(0, 0, 5, 5, 1, kRed, 0, true, kRed, 0);
    drawing.AddLine(10, 0, 10, 5, 1, kBlack, 0, 0, 0);
    drawing.AddLine(0, 0, 10, 0, 1, kBlack, 0, 0, 0);
    drawing.AddText("Größe", 7.5, 1, 1, 1, kBlue, true, false, 0);
}

QByteArray ReadAll(const QString& sPath)
{
    QFile file(sPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Utf8(const QString& s)
{
    return s.toStdString();
}

}  // namespace

TEST(PictureFile, SizesAreTwentyPixelsPerUnitWithAnEdgeAndACap)
{
    Drawing drawing;
    FillExample(drawing);
    EXPECT_EQ(PictureDrawingSize(drawing), QSizeF(200, 100));
    EXPECT_EQ(PictureRect(drawing), QRect(-1, -1, 202, 102));

    Drawing wide;
    wide.AddLine(0, 0, 2000, 10, 1, kBlack, 0, 0, 0);
    EXPECT_EQ(PictureDrawingSize(wide), QSizeF(32000, 160));
    EXPECT_EQ(PictureRect(wide), QRect(-1, -1, 32002, 162));
    Drawing tall;
    tall.AddLine(0, 0, 4.5, 3200, 1, kBlack, 0, 0, 0);
    EXPECT_EQ(PictureRect(tall), QRect(-1, -1, 47, 32002));  // 90 x 32000 / 64000 = 45

    Drawing empty;
    EXPECT_TRUE(PictureRect(empty).isEmpty());
    Drawing flat;
    flat.AddLine(0, 1, 10, 1, 1, kBlack, 0, 0, 0);
    EXPECT_TRUE(PictureRect(flat).isEmpty());

    EXPECT_EQ(PictureFormatFromName("SVG"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatFromName("png"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatFromName("Pdf"), PictureFormat::Pdf);
    EXPECT_FALSE(PictureFormatFromName("jpg").has_value());
    EXPECT_FALSE(PictureFormatFromName("").has_value());
    EXPECT_EQ(PictureExtension(PictureFormat::Png), "png");
    EXPECT_EQ(PictureExtension(PictureFormat::Svg), "svg");
    EXPECT_EQ(PictureExtension(PictureFormat::Pdf), "pdf");
}

TEST(PictureFile, APngShowsTheDrawingOnWhiteWithItsEdgesInside)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Drawing drawing;
    FillExample(drawing);
    const std::string sPath = Utf8(dir.filePath("example.png"));
    ASSERT_EQ(WritePicture(drawing, sPath, PictureFormat::Png), std::nullopt);

    QImage image(QString::fromStdString(sPath));
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.size(), QSize(202, 102));
    // Device x = 20 x world x, one pixel in from the picture's edge.
    EXPECT_EQ(image.pixelColor(1 + 50, 1 + 50), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1 + 1, 1 + 98), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1 + 150, 1 + 90), QColor(Qt::white));
    // The frame lines at the very edge of the extent are kept, not cut.
    EXPECT_EQ(image.pixelColor(201, 50), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(150, 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(0, 50), QColor(Qt::white));
    // The blue text is somewhere in its box to the right of the red block.
    int iBlue = 0;
    for (int x = 101; x < 200; ++x)
        for (int y = 18; y < 45; ++y) {
            const QColor color = image.pixelColor(x, y);
            if (color.blue() > 200 && color.red() < 100 && color.green() < 100) ++iBlue;
        }
    EXPECT_GT(iBlue, 30);
}

TEST(PictureFile, TextsWiderThanTheirEstimateAreNotCut)
{
    // A text alone makes the drawing's extent by the layout's estimate of its width; the
    // font that draws it may be wider. Whatever it paints lies inside the picture.
    Drawing drawing;
    drawing.AddText("Confidence Level = 90%, Confidence Interval = 95%, Bootstraps = 1000", 20, 0, 1, 1, kBlack, false,
                    false, 0);
    const QRect picture = PictureRect(drawing);
    const QSizeF fitted = PictureDrawingSize(drawing);
    EXPECT_DOUBLE_EQ(fitted.height(), 20.0);
    EXPECT_LE(picture.left(), -1);
    EXPECT_GE(picture.right(), static_cast<int>(fitted.width()));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string sPath = Utf8(dir.filePath("text.png"));
    ASSERT_EQ(WritePicture(drawing, sPath, PictureFormat::Png), std::nullopt);
    const QImage image(QString::fromStdString(sPath));
    ASSERT_EQ(image.size(), picture.size());
    // Ink inside, white all round.
    int iInk = 0;
    for (int y = 0; y < image.height(); ++y) {
        EXPECT_EQ(image.pixelColor(0, y), QColor(Qt::white)) << "row " << y;
        EXPECT_EQ(image.pixelColor(image.width() - 1, y), QColor(Qt::white)) << "row " << y;
        for (int x = 0; x < image.width(); ++x) iInk += image.pixelColor(x, y).lightness() < 128;
    }
    for (int x = 0; x < image.width(); ++x) {
        EXPECT_EQ(image.pixelColor(x, 0), QColor(Qt::white)) << "column " << x;
        EXPECT_EQ(image.pixelColor(x, image.height() - 1), QColor(Qt::white)) << "column " << x;
    }
    EXPECT_GT(iInk, 200);
}

TEST(PictureFile, SvgAndPdfFilesHoldTheirFormats)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Drawing drawing;
    FillExample(drawing);
    const QString sSvg = dir.filePath("example.svg");
    ASSERT_EQ(WritePicture(drawing, Utf8(sSvg), PictureFormat::Svg), std::nullopt);
    const QByteArray svg = ReadAll(sSvg);
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("width=\"") && svg.contains("202"));
    EXPECT_TRUE(svg.contains("Größe"));  // text is UTF-8

    const QString sPdf = dir.filePath("example.pdf");
    ASSERT_EQ(WritePicture(drawing, Utf8(sPdf), PictureFormat::Pdf), std::nullopt);
    const QByteArray pdf = ReadAll(sPdf);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 500);
}

TEST(PictureFile, PicturesThatCannotBeWrittenGetAMessageAndLeaveNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Drawing drawing;
    FillExample(drawing);
    const std::string sMissing = Utf8(dir.filePath("no such folder/example.png"));
    const auto message = WritePicture(drawing, sMissing, PictureFormat::Png);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->view().find("example.png"), std::string_view::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(sMissing)));

    // Nothing to draw: a message, and an existing file of that name stays as it was.
    const QString sKept = dir.filePath("kept.svg");
    {
        QFile file(sKept);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    Drawing empty;
    EXPECT_TRUE(WritePicture(empty, Utf8(sKept), PictureFormat::Svg).has_value());
    EXPECT_EQ(ReadAll(sKept), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST(PictureFile, OnAFullDiskPicturesAndPrintedPdfsKeepTheOldFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Drawing drawing;
    FillExample(drawing);
    for (const PictureFormat format : {PictureFormat::Pdf, PictureFormat::Svg, PictureFormat::Png}) {
        const QString sPath = dir.filePath(QStringLiteral("old.") + QString::fromLatin1(PictureExtension(format)));
        ASSERT_FALSE(WritePicture(drawing, Utf8(sPath), format).has_value());
        const QByteArray old = ReadAll(sPath);
        {
            const FileSizeLimit limit(100);
            const auto message = WritePicture(drawing, Utf8(sPath), format);
            ASSERT_TRUE(message.has_value()) << PictureExtension(format);
            EXPECT_EQ(message->view().rfind("Cannot write the picture", 0), 0u);
        }
        EXPECT_EQ(ReadAll(sPath), old) << PictureExtension(format);
    }

    // Print to a PDF file: the same.
    const QString sPdf = dir.filePath("printed.pdf");
    QtPrinter printer;
    printer.printToPdf(sPdf);
    const auto paint = [](Canvas& canvas, int, int, int) {
        canvas.setFont("Arial", 100, false, false, 0, 0);
        canvas.textOut(600, 600, "page");
    };
    ASSERT_TRUE(printer.print("Sheet 1", 2, paint));
    const QByteArray printed = ReadAll(sPdf);
    EXPECT_TRUE(printed.startsWith("%PDF"));
    {
        const FileSizeLimit limit(100);
        EXPECT_FALSE(printer.print("Sheet 1", 2, paint));
    }
    EXPECT_EQ(ReadAll(sPdf), printed);
    // Into a folder that cannot exist (a file stands where it would be).
    printer.printToPdf(dir.filePath("old.pdf/printed.pdf"));
    EXPECT_FALSE(printer.print("Sheet 1", 1, paint));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4) << "no temporary file is left";
}
