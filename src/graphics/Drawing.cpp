// Ostrel-Vane Studio - a retained picture of drawing objects.
#include "graphics/Drawing.h"

#include <algorithm>
#include <cmath>

#include "graphics/Line.h"
#include "graphics/Poly.h"
#include "graphics/Rect.h"
#include "graphics/Text.h"

namespace HalvrennInc {

namespace {
constexpr std::uint32_t kInitialRoom = 50;

struct Extent {
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

Extent extentOf(const ListPointers& objects)
{
    Extent e;
    for (std::uint32_t k = 1; k <= objects.count(); ++k) {
        const auto* pObject = objects.itemAs<DrawingObject>(k);
        if (k == 1) {
            e = {pObject->XMin(), pObject->YMin(), pObject->XMax(), pObject->YMax()};
            continue;
        }
        e.xMin = std::min(e.xMin, pObject->XMin());
        e.yMin = std::min(e.yMin, pObject->YMin());
        e.xMax = std::max(e.xMax, pObject->XMax());
        e.yMax = std::max(e.yMax, pObject->YMax());
    }
    return e;
}

// A device that reports no resolution is taken as a common screen.
double resolutionOf(int iPixelsPerInch)
{
    return iPixelsPerInch > 0 ? iPixelsPerInch : 96;
}
}  // namespace

Drawing::Drawing() : DrawingObject(0), m_objects(kInitialRoom) {}

Drawing::~Drawing()
{
    Clear();
}

double Drawing::XMin() const
{
    return extentOf(m_objects).xMin;
}
double Drawing::YMin() const
{
    return extentOf(m_objects).yMin;
}
double Drawing::XMax() const
{
    return extentOf(m_objects).xMax;
}
double Drawing::YMax() const
{
    return extentOf(m_objects).yMax;
}

void Drawing::Transform(double a, double b, double c, double d)
{
    for (std::uint32_t k = 1; k <= m_objects.count(); ++k) m_objects.itemAs<DrawingObject>(k)->Transform(a, b, c, d);
}

void Drawing::Draw(Canvas& canvas, double a, double b, double c, double d, TColor background) const
{
    for (std::uint32_t k = 1; k <= m_objects.count(); ++k)
        m_objects.itemAs<DrawingObject>(k)->Draw(canvas, a, b, c, d, background);
}

const DrawingObject* Drawing::HitTest(double x, double y) const
{
    for (std::uint32_t k = m_objects.count(); k >= 1; --k)
        if (const DrawingObject* pHit = m_objects.itemAs<DrawingObject>(k)->HitTest(x, y)) return pHit;
    return nullptr;
}

void Drawing::Clear()
{
    while (m_objects.count() > 0) delete static_cast<DrawingObject*>(m_objects.remove(m_objects.count()));
}

void Drawing::AddLine(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                      double dTolerance, std::uint32_t uObjectID)
{
    add(new Line(x1, y1, x2, y2, uStyle, color, dThickness, dTolerance, uObjectID));
}

void Drawing::AddRect(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                      bool bFilled, TColor fillColor, std::uint32_t uObjectID)
{
    add(new Rect(x1, y1, x2, y2, uStyle, color, dThickness, bFilled, fillColor, uObjectID));
}

void Drawing::AddEllip(double x1, double y1, double x2, double y2, std::uint8_t uStyle, TColor color, double dThickness,
                       bool bFilled, TColor fillColor, std::uint32_t uObjectID)
{
    add(new Ellip(x1, y1, x2, y2, uStyle, color, dThickness, bFilled, fillColor, uObjectID));
}

void Drawing::AddPoly(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color,
                      double dThickness, bool bFilled, TColor fillColor, std::uint32_t uObjectID)
{
    add(new Poly(pPoints, uCount, uStyle, color, dThickness, bFilled, fillColor, uObjectID));
}

void Drawing::AddPolyLine(const WorldPoint* pPoints, std::uint32_t uCount, std::uint8_t uStyle, TColor color,
                          double dThickness, double dTolerance, std::uint32_t uObjectID)
{
    add(new PolyLine(pPoints, uCount, uStyle, color, dThickness, dTolerance, uObjectID));
}

void Drawing::AddText(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment, TColor color,
                      bool bBold, bool bItalic, std::uint32_t uObjectID)
{
    add(new Text(sText, x, y, dHeight, uAlignment, color, bBold, bItalic, uObjectID));
}

void Drawing::AddBoxText(std::string_view sText, double x1, double y1, double x2, double y2, std::uint8_t uAlignment,
                         TColor color, bool bBold, bool bItalic, std::uint32_t uObjectID)
{
    add(new BoxText(sText, x1, y1, x2, y2, uAlignment, color, bBold, bItalic, uObjectID));
}

void Drawing::AddVerticalText(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment,
                              TColor color, bool bBold, bool bItalic, std::uint32_t uObjectID)
{
    add(new VerticalText(sText, x, y, dHeight, uAlignment, color, bBold, bItalic, uObjectID));
}

bool Drawing::HasExtent() const
{
    double a, b, c, d;
    return mapping(0, 0, 1, 1, a, b, c, d);
}

bool Drawing::mapping(double x1, double y1, double x2, double y2, double& a, double& b, double& c, double& d) const
{
    const Extent e = extentOf(m_objects);
    const double dWidth = e.xMax - e.xMin;
    const double dHeight = e.yMax - e.yMin;
    if (dWidth == 0 || dHeight == 0 || !std::isfinite(dWidth) || !std::isfinite(dHeight)) return false;
    a = (x2 - x1) / dWidth;
    b = x2 - e.xMax * a;
    c = (y2 - y1) / dHeight;
    d = y2 - e.yMax * c;
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

void Drawing::DrawStretched(Canvas& canvas, double x1, double y1, double x2, double y2, TColor background) const
{
    double a, b, c, d;
    if (mapping(x1, y1, x2, y2, a, b, c, d)) Draw(canvas, a, b, c, d, background);
}

bool Drawing::fit(const Canvas& canvas, double& x1, double& y1, double& x2, double& y2) const
{
    if (x1 == x2 || y1 == y2 || !HasExtent()) return false;
    const Extent e = extentOf(m_objects);
    const double dDpiX = resolutionOf(canvas.pixelsPerInchX());
    const double dDpiY = resolutionOf(canvas.pixelsPerInchY());
    const double r = (e.xMax - e.xMin) / (e.yMax - e.yMin);
    const double t = ((x2 - x1) / dDpiX) / ((y2 - y1) / dDpiY);
    if (t >= r) {
        const double m = ((x2 - x1) - dDpiX * r * (y2 - y1) / dDpiY) / 2;
        x1 += m;
        x2 -= m;
    } else {
        const double m = ((y2 - y1) - dDpiY * ((x2 - x1) / dDpiX) / r) / 2;
        y1 += m;
        y2 -= m;
    }
    return true;
}

void Drawing::DrawFitted(Canvas& canvas, double x1, double y1, double x2, double y2, TColor background) const
{
    if (fit(canvas, x1, y1, x2, y2)) DrawStretched(canvas, x1, y1, x2, y2, background);
}

const DrawingObject* Drawing::ObjectAtStretched(double x1, double y1, double x2, double y2, double px, double py,
                                                double& wx, double& wy) const
{
    double a, b, c, d;
    // A rectangle without width or height has no inverse mapping.
    if (!mapping(x1, y1, x2, y2, a, b, c, d) || a == 0 || c == 0) return nullptr;
    wx = (px - b) / a;
    wy = (py - d) / c;
    return HitTest(wx, wy);
}

const DrawingObject* Drawing::ObjectAtFitted(const Canvas& canvas, double x1, double y1, double x2, double y2,
                                             double px, double py, double& wx, double& wy) const
{
    if (!fit(canvas, x1, y1, x2, y2)) return nullptr;
    return ObjectAtStretched(x1, y1, x2, y2, px, py, wx, wy);
}

}  // namespace HalvrennInc
