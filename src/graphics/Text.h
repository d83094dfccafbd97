// Ostrel-Vane Studio - the three kinds of text of a drawing: a text at a point, a text
// cut to fit a box, and a text that reads from bottom to top.
//
// Bounds come from the character width table, never from a device, so drawings can be
// laid out without one; a text whose height maps to less than one device pixel is not
// painted but still counts in the extent.
#pragma once

#include "foundation/String.h"
#include "graphics/DrawingObject.h"
#include "graphics/ObjectPool.h"

namespace HalvrennInc {

//! The face every text of a drawing is written in.
inline constexpr std::string_view kDrawingFontFace = "Arial";

//! A text whose top edge lies at y; alignment places x at its left end, its middle or
//! its right end.
class Text : public DrawingObject {
public:
    Text(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment, TColor color, bool bBold,
         bool bItalic, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(Text)

    int Type() const override { return dtText; }
    double XMin() const override;
    double YMin() const override;
    double XMax() const override;
    double YMax() const override;
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;

    const String& Content() const { return m_sText; }
    double X() const { return m_x; }
    double Y() const { return m_y; }
    //! The height the bounds use: the smaller of the two scaled heights.
    double Height() const;
    std::uint8_t Alignment() const { return m_uAlignment; }
    TColor Color() const { return m_color; }
    bool Bold() const { return m_bBold; }
    bool Italic() const { return m_bItalic; }

protected:
    //! The font height on the device; 0 or less: nothing to paint.
    int deviceHeight(double a, double c) const;
    //! How far the output point moves back from x for a text of device width w.
    int alignmentShift(int w) const;
    //! Extent of the text along its reading direction, from its anchor.
    double runStart() const;
    double runEnd() const;

    String m_sText;
    double m_x, m_y;
    double m_dHeightY;
    std::uint8_t m_uAlignment;
    TColor m_color;
    bool m_bBold;
    bool m_bItalic;
    double m_dHeightX;
};

//! A text that reads from bottom to top: x is its left edge, and alignment 0 starts it
//! at y, 1 centres it on y and 2 ends it at y.
class VerticalText : public Text {
public:
    using Text::Text;
    OVS_POOLED_CLASS(VerticalText)

    int Type() const override { return dtVerticalText; }
    double XMin() const override;
    double YMin() const override;
    double XMax() const override;
    double YMax() const override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;
};

//! A text in the box (x1, y1)-(x2, y2), as high as the box and shortened at its end
//! until it fits the box's width.
class BoxText : public DrawingObject {
public:
    BoxText(std::string_view sText, double x1, double y1, double x2, double y2, std::uint8_t uAlignment, TColor color,
            bool bBold, bool bItalic, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(BoxText)

    int Type() const override { return dtBoxText; }
    double XMin() const override { return m_x1; }
    double YMin() const override { return m_y1; }
    double XMax() const override { return m_x2; }
    double YMax() const override { return m_y2; }
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;

    const String& Content() const { return m_sText; }
    std::uint8_t Alignment() const { return m_uAlignment; }

private:
    String m_sText;
    double m_x1, m_y1, m_x2, m_y2;
    std::uint8_t m_uAlignment;
    TColor m_color;
    bool m_bBold;
    bool m_bItalic;
    double m_dHeightX;
    double m_dHeightY;
};

}  // namespace HalvrennInc
