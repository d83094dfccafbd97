// Ostrel-Vane Studio - what a drawing covers on a device, and fitting it without cuts.
#include "graphics/DrawingCoverage.h"

#include <algorithm>
#include <cmath>

#include "graphics/Drawing.h"

namespace HalvrennInc {

void DeviceArea::Add(const DeviceArea& other)
{
    if (other.Empty()) return;
    if (Empty()) {
        *this = other;
        return;
    }
    iLeft = std::min(iLeft, other.iLeft);
    iTop = std::min(iTop, other.iTop);
    iRight = std::max(iRight, other.iRight);
    iBottom = std::max(iBottom, other.iBottom);
}

void CoverageCanvas::setPen(TColor, int iStyle, int iWidth)
{
    m_iPenWidth = iStyle == psClear ? -1 : iWidth;
}

void CoverageCanvas::setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement,
                             TColor color)
{
    m_measure.setFont(sFace, iHeight, bBold, bItalic, iEscapement, color);
    m_iFontHeight = std::max(iHeight, 1);
    m_iEscapement = iEscapement;
}

void CoverageCanvas::moveTo(int x, int y)
{
    m_current = {x, y};
}

void CoverageCanvas::lineTo(int x, int y)
{
    coverStroke(m_current.x, m_current.y, x, y);
    m_current = {x, y};
}

void CoverageCanvas::coverStroke(int x1, int y1, int x2, int y2)
{
    if (m_iPenWidth < 0) return;
    // A stroke of width w runs through the pixels of its path and w / 2 either side.
    const int iReach = std::max(m_iPenWidth, 1) / 2;
    m_covered.Add({std::min(x1, x2) - iReach, std::min(y1, y2) - iReach, std::max(x1, x2) + 1 + iReach,
                   std::max(y1, y2) + 1 + iReach});
}

void CoverageCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    // Closed shapes cover their corners' rectangle, and a fill needs no pen.
    m_covered.Add({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
    coverStroke(x1, y1, x2 - 1, y2 - 1);
}

void CoverageCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    rectangle(x1, y1, x2, y2);
}

void CoverageCanvas::coverPoints(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    if (uCount == 0) return;
    int xMin = pPoints[0].x, xMax = xMin, yMin = pPoints[0].y, yMax = yMin;
    for (std::uint32_t k = 1; k < uCount; ++k) {
        xMin = std::min(xMin, pPoints[k].x);
        xMax = std::max(xMax, pPoints[k].x);
        yMin = std::min(yMin, pPoints[k].y);
        yMax = std::max(yMax, pPoints[k].y);
    }
    m_covered.Add({xMin, yMin, xMax + 1, yMax + 1});
    coverStroke(xMin, yMin, xMax, yMax);
}

void CoverageCanvas::polygon(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    coverPoints(pPoints, uCount);
}

void CoverageCanvas::polyline(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    coverPoints(pPoints, uCount);
}

void CoverageCanvas::textOut(int x, int y, std::string_view sText)
{
    // The text's cell from its top-left corner, turned about that corner by the
    // escapement (counter-clockwise, y growing downward), and a pixel more around it for
    // glyphs that overhang their cell.
    const double w = m_measure.textWidth(sText);
    const double h = m_iFontHeight;
    const double dAngle = m_iEscapement / 10.0 * 3.14159265358979323846 / 180.0;
    const double dCos = std::cos(dAngle), dSin = std::sin(dAngle);
    double xMin = x, xMax = x, yMin = y, yMax = y;
    for (const auto& [u, v] : {std::pair{w, 0.0}, std::pair{0.0, h}, std::pair{w, h}}) {
        const double px = x + u * dCos + v * dSin;
        const double py = y - u * dSin + v * dCos;
        xMin = std::min(xMin, px);
        xMax = std::max(xMax, px);
        yMin = std::min(yMin, py);
        yMax = std::max(yMax, py);
    }
    const DeviceArea cell{static_cast<int>(std::floor(xMin)) - 1, static_cast<int>(std::floor(yMin)) - 1,
                          static_cast<int>(std::ceil(xMax)) + 1, static_cast<int>(std::ceil(yMax)) + 1};
    m_covered.Add(cell);
    m_texts.Add(cell);
}

DeviceArea FittedCoverage(const Drawing& drawing, Canvas& canvas, double x1, double y1, double x2, double y2)
{
    CoverageCanvas coverage(canvas);
    drawing.DrawFitted(coverage, x1, y1, x2, y2, 0xFFFFFF);
    return coverage.Covered();
}

void FitCovering(const Drawing& drawing, Canvas& canvas, double& x1, double& y1, double& x2, double& y2)
{
    // One pixel beyond the edge is what any object at the very edge of the extent paints.
    constexpr double kAllowed = 1;
    constexpr int kTries = 6;
    const double dLeft = x1, dTop = y1, dRight = x2, dBottom = y2;
    double r1 = x1, s1 = y1, r2 = x2, s2 = y2;
    for (int k = 0; k < kTries; ++k) {
        const DeviceArea covered = FittedCoverage(drawing, canvas, r1, s1, r2, s2);
        if (covered.Empty()) break;
        const double dOverLeft = dLeft - covered.iLeft - kAllowed;
        const double dOverTop = dTop - covered.iTop - kAllowed;
        const double dOverRight = covered.iRight - dRight - kAllowed;
        const double dOverBottom = covered.iBottom - dBottom - kAllowed;
        if (dOverLeft <= 0 && dOverTop <= 0 && dOverRight <= 0 && dOverBottom <= 0) break;
        r1 += std::max(dOverLeft, 0.0);
        s1 += std::max(dOverTop, 0.0);
        r2 -= std::max(dOverRight, 0.0);
        s2 -= std::max(dOverBottom, 0.0);
        if (r2 - r1 < 1 || s2 - s1 < 1) return;  // no narrower rectangle helps
    }
    x1 = r1;
    y1 = s1;
    x2 = r2;
    y2 = s2;
}

}  // namespace HalvrennInc
