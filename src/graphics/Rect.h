// Ostrel-Vane Studio - rectangles and the ellipses inscribed in them, outlined and
// optionally filled.
#pragma once

#include "graphics/DrawingObject.h"
#include "graphics/ObjectPool.h"

namespace HalvrennInc {

//! The corners are kept as given: (x1, y1) reports as the minimum and (x2, y2) as the
//! maximum even when they are the other way round.
class Rect : public DrawingObject {
public:
    Rect(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness, bool bFilled,
         TColor fillColor, std::uint32_t uObjectID);
    OVS_POOLED_CLASS(Rect)

    int Type() const override { return dtRect; }
    double XMin() const override { return m_x1; }
    double YMin() const override { return m_y1; }
    double XMax() const override { return m_x2; }
    double YMax() const override { return m_y2; }
    void Transform(double a, double b, double c, double d) override;
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;

    std::uint8_t Style() const { return m_stroke.uStyle; }
    TColor Color() const { return m_stroke.color; }
    bool Filled() const { return m_fill.bFilled; }
    TColor FillColor() const { return m_fill.color; }

protected:
    //! Pen and brush of the outline and the fill.
    void prepare(Canvas& canvas, double a, double c) const;

    double m_x1, m_y1, m_x2, m_y2;

private:
    Stroke m_stroke;
    FillStyle m_fill;
};

class Ellip : public Rect {
public:
    using Rect::Rect;
    OVS_POOLED_CLASS(Ellip)

    int Type() const override { return dtEllip; }
    void Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const override;
};

}  // namespace HalvrennInc
