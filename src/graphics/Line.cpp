// Ostrel-Vane Studio - a straight line of a drawing.
#include "graphics/Line.h"

#include <algorithm>

namespace HalvrennInc {

Line::Line(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
           double dTolerance, std::uint32_t uObjectID)
    : DrawingObject(uObjectID),
      m_x1(x1),
      m_y1(y1),
      m_x2(x2),
      m_y2(y2),
      m_stroke(uStyle, color, dThickness),
      m_dTolerance(dTolerance)
{
}

double Line::XMin() const
{
    return std::min(m_x1, m_x2);
}
double Line::YMin() const
{
    return std::min(m_y1, m_y2);
}
double Line::XMax() const
{
    return std::max(m_x1, m_x2);
}
double Line::YMax() const
{
    return std::max(m_y1, m_y2);
}

void Line::Transform(double a, double b, double c, double d)
{
    m_x1 = a * m_x1 + b;
    m_x2 = a * m_x2 + b;
    m_y1 = c * m_y1 + d;
    m_y2 = c * m_y2 + d;
    m_stroke.Scale(a, c);
    m_dTolerance *= std::max(a, c);
}

void Line::Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const
{
    m_stroke.Apply(canvas, a, c);
    canvas.setBrush(background);  // the gaps of broken styles
    canvas.moveTo(toDevice(a * m_x1 + b), toDevice(c * m_y1 + d));
    canvas.lineTo(toDevice(a * m_x2 + b), toDevice(c * m_y2 + d));
}

const DrawingObject* Line::HitTest(double x, double y) const
{
    return segmentHit(m_x1, m_y1, m_x2, m_y2, m_dTolerance, x, y) ? this : nullptr;
}

}  // namespace HalvrennInc
