// Ostrel-Vane Studio - rectangles and ellipses of a drawing.
#include "graphics/Rect.h"

namespace HalvrennInc {

Rect::Rect(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
           bool bFilled, TColor fillColor, std::uint32_t uObjectID)
    : DrawingObject(uObjectID),
      m_x1(x1),
      m_y1(y1),
      m_x2(x2),
      m_y2(y2),
      m_stroke(uStyle, color, dThickness),
      m_fill{bFilled, fillColor}
{
}

void Rect::Transform(double a, double b, double c, double d)
{
    m_x1 = a * m_x1 + b;
    m_x2 = a * m_x2 + b;
    m_y1 = c * m_y1 + d;
    m_y2 = c * m_y2 + d;
    m_stroke.Scale(a, c);
}

void Rect::prepare(Canvas& canvas, double a, double c) const
{
    m_stroke.Apply(canvas, a, c);
    m_fill.Apply(canvas);
}

void Rect::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    prepare(canvas, a, c);
    canvas.rectangle(toDevice(a * m_x1 + b), toDevice(c * m_y1 + d), toDevice(a * m_x2 + b), toDevice(c * m_y2 + d));
}

void Ellip::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    prepare(canvas, a, c);
    canvas.ellipse(toDevice(a * m_x1 + b), toDevice(c * m_y1 + d), toDevice(a * m_x2 + b), toDevice(c * m_y2 + d));
}

}  // namespace HalvrennInc
