// Ostrel-Vane Studio - polygons and polylines of a drawing.
#include "graphics/Poly.h"

#include <algorithm>

namespace HalvrennInc {

PointList::PointList(const WorldPoint* pPoints, std::uint32_t uCount)
    : m_pPoints(std::make_unique<WorldPoint[]>(pPoints ? uCount : 0)), m_uCount(pPoints ? uCount : 0)
{
    if (m_uCount == 0) return;
    std::copy(pPoints, pPoints + m_uCount, m_pPoints.get());
    m_xMin = m_xMax = pPoints[0].x;
    m_yMin = m_yMax = pPoints[0].y;
    for (std::uint32_t k = 1; k < m_uCount; ++k) {
        m_xMin = std::min(m_xMin, pPoints[k].x);
        m_xMax = std::max(m_xMax, pPoints[k].x);
        m_yMin = std::min(m_yMin, pPoints[k].y);
        m_yMax = std::max(m_yMax, pPoints[k].y);
    }
}

void PointList::Transform(double a, double b, double c, double d)
{
    for (std::uint32_t k = 0; k < m_uCount; ++k) {
        m_pPoints[k].x = a * m_pPoints[k].x + b;
        m_pPoints[k].y = c * m_pPoints[k].y + d;
    }
    m_xMin = a * m_xMin + b;
    m_xMax = a * m_xMax + b;
    m_yMin = c * m_yMin + d;
    m_yMax = c * m_yMax + d;
}

std::unique_ptr<CanvasPoint[]> PointList::toDevice(double a, double b, double c, double d) const
{
    auto pDevice = std::make_unique<CanvasPoint[]>(m_uCount);
    for (std::uint32_t k = 0; k < m_uCount; ++k)
        pDevice[k] = {HalvrennInc::toDevice(a * m_pPoints[k].x + b), HalvrennInc::toDevice(c * m_pPoints[k].y + d)};
    return pDevice;
}

Poly::Poly(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color, double dThickness,
           bool bFilled, TColor fillColor, std::uint32_t uObjectID)
    : DrawingObject(uObjectID),
      m_points(pPoints, uCount),
      m_stroke(uStyle, color, dThickness),
      m_fill{bFilled, fillColor}
{
}

void Poly::Transform(double a, double b, double c, double d)
{
    m_points.Transform(a, b, c, d);
    m_stroke.Scale(a, c);
}

void Poly::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    if (m_points.Count() == 0) return;
    m_stroke.Apply(canvas, a, c);
    m_fill.Apply(canvas);
    canvas.polygon(m_points.toDevice(a, b, c, d).get(), m_points.Count());
}

PolyLine::PolyLine(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color,
                   double dThickness, double dTolerance, std::uint32_t uObjectID)
    : DrawingObject(uObjectID), m_points(pPoints, uCount), m_stroke(uStyle, color, dThickness), m_dTolerance(dTolerance)
{
}

void PolyLine::Transform(double a, double b, double c, double d)
{
    m_points.Transform(a, b, c, d);
    m_stroke.Scale(a, c);
    m_dTolerance *= std::max(a, c);
}

void PolyLine::Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const
{
    const std::uint32_t uCount = m_points.Count();
    if (uCount == 0) return;
    m_stroke.Apply(canvas, a, c);
    canvas.setBrush(background);  // the gaps of broken styles
    const std::unique_ptr<CanvasPoint[]> pDevice = m_points.toDevice(a, b, c, d);
    // Each piece starts on the last point of the one before, so the pieces join.
    constexpr std::uint32_t uStep = kChunkPoints - 1;
    std::uint32_t uStart = 0;
    do {
        const std::uint32_t uEnd = std::min(uStart + uStep, uCount - 1);
        canvas.polyline(pDevice.get() + uStart, uEnd - uStart + 1);
        uStart += uStep;
    } while (uStart < uCount - 1);
}

const DrawingObject* PolyLine::HitTest(double x, double y) const
{
    const double t = m_dTolerance;
    if (x < m_points.XMin() - t || x > m_points.XMax() + t || y < m_points.YMin() - t || y > m_points.YMax() + t)
        return nullptr;
    for (std::uint32_t k = 1; k < m_points.Count(); ++k) {
        const WorldPoint& p = m_points.Point(k - 1);
        const WorldPoint& q = m_points.Point(k);
        if (segmentHit(p.x, p.y, q.x, q.y, t, x, y)) return this;
    }
    return nullptr;
}

}  // namespace HalvrennInc
