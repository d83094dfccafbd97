// Ostrel-Vane Studio - a drawing written to a picture file (SVG, PNG or PDF) as the copy
// to the clipboard makes it: 20 pixels per world unit, fitted on white.
#pragma once

#include <QRect>
#include <QSize>
#include <optional>
#include <string_view>

#include "foundation/String.h"

namespace HalvrennInc {

class Drawing;

enum class PictureFormat { Svg, Png, Pdf };

//! "svg", "png" or "pdf" in any case; nothing for any other name.
std::optional<PictureFormat> PictureFormatFromName(std::string_view sName);
//! The file extension of a format, without the dot: "svg", "png", "pdf".
std::string_view PictureExtension(PictureFormat format);

//! Pixels per world unit of a picture, and the most pixels its longer side may take.
inline constexpr double kPicturePixelsPerUnit = 20;
inline constexpr double kPictureLargestSide = 32000;

//! The size the drawing is fitted into: 20 pixels per unit of its extent, the longer
//! side held to 32000 pixels with the other scaled alike. Zero for an empty extent.
QSizeF PictureDrawingSize(const Drawing& drawing);
//! The picture in the device coordinates of the fitted drawing: the fitted size
//! truncated with one pixel more on each side (objects at the very edge of the extent
//! may paint one pixel outside it), widened to whatever the painting covers beyond that.
//! Texts go beyond when the font that stands in for a missing face is wider than the
//! width estimate of the layout. Empty for an empty extent. Needs the Qt application.
QRect PictureRect(const Drawing& drawing);

//! Writes the drawing to the file at sPath (UTF-8), replacing it only when the new
//! picture is complete. Returns the message of what went wrong, or nothing on success.
//! Needs the Qt application object (the offscreen platform serves without a display).
std::optional<String> WritePicture(const Drawing& drawing, std::string_view sPath, PictureFormat format);

}  // namespace HalvrennInc
