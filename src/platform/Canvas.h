// Ostrel-Vane Studio - the surface the drawing model paints on: pens, brushes, fonts,
// the GDI-style primitives and the device resolution. Screens, printers, picture files
// and the recording canvas of the tests implement it.
#pragma once

#include <cstdint>
#include <string_view>

namespace HalvrennInc {

//! A colour as 0x00BBGGRR: 0x0000FF is red, 0xFF0000 blue.
using TColor = std::uint32_t;

constexpr std::uint8_t redOf(TColor color)
{
    return static_cast<std::uint8_t>(color & 0xFF);
}
constexpr std::uint8_t greenOf(TColor color)
{
    return static_cast<std::uint8_t>((color >> 8) & 0xFF);
}
constexpr std::uint8_t blueOf(TColor color)
{
    return static_cast<std::uint8_t>((color >> 16) & 0xFF);
}
constexpr TColor colorFromRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}

//! Stroke style codes, as the drawing model stores them.
enum PenStyle : int {
    psClear = 0,        //!< nothing is stroked
    psInsideFrame = 1,  //!< solid, kept inside the outline of closed shapes
    psDash = 2,
    psDot = 3,
    psDashDot = 4,
    psDashDotDot = 5,
    psSolid = 6,  //!< solid, centred on the outline
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

//! Device coordinates are integers; y grows downward. Closed shapes take two opposite
//! corners and cover the pixels from the smaller corner up to, not including, the larger
//! one, as GDI does.
class Canvas {
public:
    virtual ~Canvas() = default;

    //! Width 0 is the thinnest line the device has.
    virtual void setPen(TColor color, int iStyle, int iWidth) = 0;
    //! A solid brush: fills closed shapes and the gaps of broken pen styles.
    virtual void setBrush(TColor color) = 0;
    //! No fill, and transparent gaps and text backgrounds.
    virtual void setClearBrush() = 0;
    //! iHeight is the character cell height in device pixels; iEscapement is the angle of
    //! the text in tenths of a degree counter-clockwise (900 reads bottom to top).
    virtual void setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement,
                         TColor color) = 0;

    virtual void moveTo(int x, int y) = 0;
    //! Strokes from the current position to (x, y), which becomes the current position.
    virtual void lineTo(int x, int y) = 0;
    void line(int x1, int y1, int x2, int y2)
    {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
    virtual void rectangle(int x1, int y1, int x2, int y2) = 0;
    //! The ellipse inscribed in the rectangle.
    virtual void ellipse(int x1, int y1, int x2, int y2) = 0;
    //! A closed, filled polygon.
    virtual void polygon(const CanvasPoint* pPoints, std::uint32_t uCount) = 0;
    //! An open line through the points.
    virtual void polyline(const CanvasPoint* pPoints, std::uint32_t uCount) = 0;
    //! The text with the top-left corner of its first character cell at (x, y), turned
    //! about that point by the font's escapement.
    virtual void textOut(int x, int y, std::string_view sText) = 0;
    //! Advance width of the text in the current font, in device pixels.
    virtual int textWidth(std::string_view sText) = 0;

    virtual int pixelsPerInchX() const = 0;
    virtual int pixelsPerInchY() const = 0;
};

}  // namespace HalvrennInc
