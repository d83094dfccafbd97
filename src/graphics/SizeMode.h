// Ostrel-Vane Studio - how a view sizes its picture: fitted into the view, or at its
// natural size times a zoom factor with the view scrolling. The results windows store a
// view's mode with the session, so the modes and their sizes need no toolkit.
#pragma once

#include <array>
#include <cstdint>

namespace HalvrennInc {

//! The size modes of the drawing and plot views, in their stored order.
enum SizeMode : int {
    SizeToFit = 0,
    FixedSizeNormal = 1,
    Size50 = 2,
    Size75 = 3,
    Size100 = 4,
    Size125 = 5,
    Size150 = 6,
    Size175 = 7,
    Size200 = 8,
    Size250 = 9,
    Size300 = 10,
    Size400 = 11,
};

inline constexpr int kSizeModeCount = 12;

//! Zoom factor of each mode; size to fit has none.
inline constexpr std::array<double, kSizeModeCount> kSizeModeFactors = {0,   1.0,  0.5, 0.75, 1.0, 1.25,
                                                                        1.5, 1.75, 2.0, 2.5,  3.0, 4.0};

struct PixelSize {
    int iWidth = 0;
    int iHeight = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

//! The client size of a view that shows no picture in a fixed mode.
inline constexpr PixelSize kEmptyViewSize{10, 10};

//! Whether a stored number names a size mode.
constexpr bool IsSizeMode(long long lValue)
{
    return lValue >= SizeToFit && lValue <= Size400;
}

//! What a click on a plot view does: nothing, or open the plot options on the part
//! clicked after a single or a double click.
enum MouseAction : int { maNone = 0, maSingle = 1, maDouble = 2 };

//! The largest side a window or picture is given; larger sizes are held to it, so that a
//! huge zoom cannot overflow the integer geometry of the desktop.
inline constexpr double kLargestPixelSide = 16777215;

//! The plot view holds the longer side of its picture to this many pixels.
inline constexpr double kLargestPlotSide = 32000;

//! Pixels per world unit of the pictures copied to the clipboard.
inline constexpr double kClipboardPixelsPerUnit = 20;

//! Pixels per world unit at zoom factor 1 for a font of the given height in the desktop's
//! convention: a negative height is the character height in pixels, a positive one the
//! cell height. The default font of height -11 gives 13.2.
double UnitFromFontHeight(int iFontHeight);

//! The size of a picture of dWidth x dHeight world units shown at dFactor x dUnit pixels
//! per unit with a margin of dMargin pixels on every side: w = dWidth x dFactor x dUnit
//! (multiplied in this order), h alike, and the size trunc(w + 2M) x trunc(h + 2M). With
//! dLargestSide above 0 the longer of w and h is first held to dLargestSide and the other
//! scaled alike. Sides that cannot be measured count as 0.
PixelSize FixedClientSize(double dWidth, double dHeight, double dFactor, double dUnit, double dMargin,
                          double dLargestSide = 0);

//! The same w and h without margins and truncation: the device size a picture is drawn
//! into (the clipboard draws into this rectangle and truncates it for the picture size).
struct ScaledSize {
    double dWidth = 0;
    double dHeight = 0;
};
ScaledSize ScaledPictureSize(double dWidth, double dHeight, double dFactor, double dUnit, double dLargestSide = 0);

}  // namespace HalvrennInc
