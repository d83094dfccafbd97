// Ostrel-Vane Studio - the clipboard of the desktop: cells as plain text, pictures as SVG
// and PNG painted through the Qt canvas.
#pragma once

#include <QByteArray>
#include <QImage>

#include "platform/DesktopServices.h"

class QMimeData;

namespace HalvrennInc {

class QtClipboard : public Clipboard {
public:
    std::string text() const override;
    void setText(std::string_view sText) override;
    void setPicture(int iWidth, int iHeight, const PaintFunction& paint) override;
};

//! The MIME type of the SVG form of a picture.
inline constexpr const char* kSvgMimeType = "image/svg+xml";

//! The longest side of the raster image a picture is offered as; larger pictures are
//! scaled down to it (their SVG form keeps the full size).
inline constexpr int kLargestClipboardImageSide = 8192;

//! A picture of iWidth x iHeight pixels painted on white, as an SVG document and as an
//! image; the clipboard offers both.
QByteArray PaintSvg(int iWidth, int iHeight, const PaintFunction& paint);
QImage PaintImage(int iWidth, int iHeight, const PaintFunction& paint);

}  // namespace HalvrennInc
