// Ostrel-Vane Studio - the base of every object of a drawing.
#include "graphics/DrawingObject.h"

#include <algorithm>
#include <cmath>

namespace HalvrennInc {

namespace {
// Far beyond any page or screen, and still far from the limits of int and of the
// coordinate types of the devices.
constexpr double kDeviceLimit = 1e9;
}  // namespace

const DrawingObject* DrawingObject::HitTest(double x, double y) const
{
    return (XMin() <= x && x <= XMax() && YMin() <= y && y <= YMax()) ? this : nullptr;
}

int toDevice(double dValue)
{
    if (std::isnan(dValue)) return 0;
    dValue = std::clamp(dValue, -kDeviceLimit, kDeviceLimit);
    return static_cast<int>(dValue);  // truncates toward zero
}

void Stroke::Apply(Canvas& canvas, double a, double c) const
{
    const int iDpiX = canvas.pixelsPerInchX();
    const int iDpiY = canvas.pixelsPerInchY();
    const double dRatio = (iDpiX > 0 && iDpiY > 0) ? static_cast<double>(iDpiX) / iDpiY : 1.0;
    const int iWidth = toDevice(std::min(dThicknessX * a, dThicknessY * c * dRatio));
    canvas.setPen(color, uStyle, iWidth > 0 ? iWidth : 0);
}

void FillStyle::Apply(Canvas& canvas) const
{
    if (bFilled) {
        canvas.setBrush(color);
    } else {
        canvas.setClearBrush();
    }
}

bool segmentHit(double x1, double y1, double x2, double y2, double t, double x, double y)
{
    const double dXMin = std::min(x1, x2);
    const double dXMax = std::max(x1, x2);
    const double dYMin = std::min(y1, y2);
    const double dYMax = std::max(y1, y2);
    if (x1 == x2) return dXMin - t <= x && x <= dXMax + t && dYMin <= y && y <= dYMax;
    if (y1 == y2) return dYMin - t <= y && y <= dYMax + t && dXMin <= x && x <= dXMax;
    const double s = (y1 - y2) / (x1 - x2);
    const double fx = (y - y2 + x / s + x2 * s) / (s + 1 / s);
    const double fy = y2 + s * (fx - x2);
    return dXMin <= fx && fx <= dXMax && (x - fx) * (x - fx) + (y - fy) * (y - fy) <= t * t;
}

}  // namespace HalvrennInc
