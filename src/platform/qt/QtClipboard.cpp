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
    QImage image(std::max(iWidth, 1), std::max(iHeight, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        paint(canvas, iWidth, iHeight);
    }
    return image;
}

void QtClipboard::setPicture(int iWidth, int iHeight, const PaintFunction& paint)
{
    auto* pData = new QMimeData;
    pData->setData(QString::fromLatin1(kSvgMimeType), PaintSvg(iWidth, iHeight, paint));
    pData->setImageData(PaintImage(iWidth, iHeight, paint));
    QGuiApplication::clipboard()->setMimeData(pData);  // the clipboard takes it
}

}  // namespace HalvrennInc
