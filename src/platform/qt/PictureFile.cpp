// Ostrel-Vane Studio - drawings written to SVG, PNG and PDF files.
#include "platform/qt/PictureFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "graphics/Drawing.h"
#include "graphics/DrawingCoverage.h"
#include "platform/StopRequest.h"
#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

namespace {

constexpr TColor kWhite = 0xFFFFFF;
//! The resolution every picture is drawn at, so that fitting keeps square pixels.
constexpr int kPictureDpi = 96;
//! The edge added on each side of the fitted size.
constexpr int kEdge = 1;

String Message(std::string_view sText, std::string_view sPath)
{
    String sMessage(sText);
    sMessage.append(" \"");
    sMessage.append(sPath);
    sMessage.append("\".");
    return sMessage;
}

// White behind everything, then the drawing fitted as the clipboard copy fits it, moved
// so that the picture's rectangle starts at the file's top-left corner.
void Paint(const Drawing& drawing, QPainter& painter, const QRect& picture)
{
    painter.fillRect(QRect(QPoint(0, 0), picture.size()), Qt::white);
    painter.translate(-picture.topLeft());
    const QSizeF fitted = PictureDrawingSize(drawing);
    QtCanvas canvas(painter);
    drawing.DrawFitted(canvas, 0, 0, fitted.width(), fitted.height(), kWhite);
}

QImage NewImage(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    const int iDotsPerMeter = static_cast<int>(std::lround(kPictureDpi / 0.0254));
    image.setDotsPerMeterX(iDotsPerMeter);
    image.setDotsPerMeterY(iDotsPerMeter);
    return image;
}

bool WritePng(const Drawing& drawing, const QRect& picture, QIODevice& file)
{
    QImage image = NewImage(picture.size());
    if (image.isNull()) return false;
    {
        QPainter painter(&image);
        Paint(drawing, painter, picture);
    }
    return image.save(&file, "PNG");
}

bool WriteSvg(const Drawing& drawing, const QRect& picture, QIODevice& file)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(picture.size());
    generator.setViewBox(QRect(QPoint(0, 0), picture.size()));
    generator.setResolution(kPictureDpi);
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    Paint(drawing, painter, picture);
    return painter.end();
}

bool WritePdf(const Drawing& drawing, const QRect& picture, QIODevice& file)
{
    QPdfWriter writer(&file);
    writer.setResolution(kPictureDpi);
    const QPageSize page(QSizeF(picture.size()) / kPictureDpi, QPageSize::Inch, QString(), QPageSize::ExactMatch);
    if (!writer.setPageSize(page)) return false;
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    Paint(drawing, painter, picture);
    return painter.end();
}

}  // namespace

std::optional<PictureFormat> PictureFormatFromName(std::string_view sName)
{
    const QString sLower = QString::fromUtf8(sName.data(), qsizetype(sName.size())).toLower();
    if (sLower == QLatin1String("svg")) return PictureFormat::Svg;
    if (sLower == QLatin1String("png")) return PictureFormat::Png;
    if (sLower == QLatin1String("pdf")) return PictureFormat::Pdf;
    return std::nullopt;
}

std::string_view PictureExtension(PictureFormat format)
{
    switch (format) {
        case PictureFormat::Png: return "png";
        case PictureFormat::Pdf: return "pdf";
        case PictureFormat::Svg: break;
    }
    return "svg";
}

QSizeF PictureDrawingSize(const Drawing& drawing)
{
    if (!drawing.HasExtent()) return QSizeF(0, 0);
    double w = kPicturePixelsPerUnit * (drawing.XMax() - drawing.XMin());
    double h = kPicturePixelsPerUnit * (drawing.YMax() - drawing.YMin());
    const double dLarger = std::max(w, h);
    if (dLarger > kPictureLargestSide) {
        w = w * kPictureLargestSide / dLarger;
        h = h * kPictureLargestSide / dLarger;
    }
    return QSizeF(w, h);
}

QRect PictureRect(const Drawing& drawing)
{
    const QSizeF fitted = PictureDrawingSize(drawing);
    if (fitted.isEmpty()) return QRect();
    const QSize frame(static_cast<int>(fitted.width()), static_cast<int>(fitted.height()));
    QRect picture = QRect(QPoint(0, 0), frame).adjusted(-kEdge, -kEdge, kEdge, kEdge);

    // Measure on an image of the resolution the picture is drawn at.
    QImage probe = NewImage(QSize(1, 1));
    QPainter painter(&probe);
    QtCanvas measure(painter);
    CoverageCanvas coverage(measure);
    drawing.DrawFitted(coverage, 0, 0, fitted.width(), fitted.height(), kWhite);
    const DeviceArea& area = coverage.Covered();
    const QRect covered =
        area.Empty() ? QRect() : QRect(QPoint(area.iLeft, area.iTop), QPoint(area.iRight - 1, area.iBottom - 1));
    // Whatever reaches beyond is kept, within reason: no more than half the fitted size
    // again on each side.
    const QRect limit = QRect(QPoint(0, 0), frame)
                            .adjusted(-frame.width() / 2, -frame.height() / 2, frame.width() / 2, frame.height() / 2);
    return picture | (covered & limit);
}

std::optional<String> WritePicture(const Drawing& drawing, std::string_view sPath, PictureFormat format)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Message("There is no application to draw the picture with for", sPath);
    const QRect picture = PictureRect(drawing);
    if (picture.isEmpty()) return Message("There is nothing to draw in the picture", sPath);

    // The picture is made in memory first: a writer that does not notice a failed write
    // (the PDF engine) cannot leave a short file, and nothing replaces the old file
    // unless every byte was written.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool bDrawn = false;
    switch (format) {
        case PictureFormat::Svg: bDrawn = WriteSvg(drawing, picture, buffer); break;
        case PictureFormat::Png: bDrawn = WritePng(drawing, picture, buffer); break;
        case PictureFormat::Pdf: bDrawn = WritePdf(drawing, picture, buffer); break;
    }
    if (!bDrawn || bytes.isEmpty()) return Message("Cannot draw the picture", sPath);

    QSaveFile file(QString::fromUtf8(sPath.data(), qsizetype(sPath.size())));
    if (!file.open(QIODevice::WriteOnly)) return Message("Cannot write the picture", sPath);
    // On failure the save file removes what it wrote when it goes out of scope.
    if (file.write(bytes) != bytes.size() || !file.flush()) return Message("Cannot write the picture", sPath);
    if (StopRequested()) return Message("Stopped before writing the picture", sPath);
    if (!file.commit()) return Message("Cannot write the picture", sPath);
    return std::nullopt;
}

}  // namespace HalvrennInc
