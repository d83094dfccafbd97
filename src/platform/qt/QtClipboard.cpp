// Ostrel-Vane Studio - the clipboard of the desktop.
#include "platform/qt/QtClipboard.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

std::string QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text().toUtf8().toStdString();
}

void QtClipboard::setText(std::string_view sText)
{
    QGuiApplication::clipboard()->setText(QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size())));
}

QByteArray PaintSvg(int iWidth, int iHeight, const PaintFunction& paint)
{
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(iWidth, iHeight));
    generator.setViewBox(QRect(0, 0, iWidth, iHeight));
    generator.setResolution(96);
    {
        QPainter painter(&generator);
        painter.fillRect(QRect(0, 0, iWidth, iHeight), Qt::white);
        QtCanvas canvas(painter);
        paint(canvas, iWidth, iHeight);
    }
    return svg;
}

QImage PaintImage(int iWidth, int iHeight, const PaintFunction& paint)
{
    // A picture may be 32000 pixels long; as a raster image that would take gigabytes, so
    // the image is scaled down to a size a clipboard can carry (the SVG keeps every detail).
    const int iLongest = std::max(iWidth, iHeight);
    const double dScale = iLongest > kLargestClipboardImageSide ? double(kLargestClipboardImageSide) / iLongest : 1.0;
    QImage image(std::max(int(iWidth * dScale), 1), std::max(int(iHeight * dScale), 1), QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(dScale, dScale);
        QtCanvas canvas(painter);
        paint(canvas, iWidth, iHeight);
    }
    return image;
}

void QtClipboard::setPicture(int iWidth, int iHeight, const PaintFunction& paint)
{
    auto* pData = new QMimeData;
    pData->setData(QString::fromLatin1(kSvgMimeType), PaintSvg(iWidth, iHeight, paint));
    const QImage image = PaintImage(iWidth, iHeight, paint);
    if (!image.isNull()) pData->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(pData);  // the clipboard takes it
}

}  // namespace HalvrennInc
