// Ostrel-Vane Studio - the sizes of the views in their fixed modes.
#include "graphics/SizeMode.h"

#include <algorithm>
#include <cmath>

namespace HalvrennInc {

namespace {
// A length that cannot be measured (negative, endless or not a number) counts as 0.
double measurable(double dLength)
{
    return std::isfinite(dLength) && dLength > 0 ? dLength : 0;
}

int truncatedSide(double dLength)
{
    return static_cast<int>(std::min(measurable(dLength), kLargestPixelSide));
}
}  // namespace

double UnitFromFontHeight(int iFontHeight)
{
    return iFontHeight < 0 ? 1.2 * -iFontHeight : iFontHeight;
}

ScaledSize ScaledPictureSize(double dWidth, double dHeight, double dFactor, double dUnit, double dLargestSide)
{
    double w = measurable(measurable(dWidth) * dFactor * dUnit);
    double h = measurable(measurable(dHeight) * dFactor * dUnit);
    if (dLargestSide > 0 && (w > dLargestSide || h > dLargestSide)) {
        // The longer side takes the limit and the other keeps the proportions.
        if (w >= h) {
            h = h * dLargestSide / w;
            w = dLargestSide;
        } else {
            w = w * dLargestSide / h;
            h = dLargestSide;
        }
    }
    return {w, h};
}

PixelSize FixedClientSize(double dWidth, double dHeight, double dFactor, double dUnit, double dMargin,
                          double dLargestSide)
{
    const ScaledSize size = ScaledPictureSize(dWidth, dHeight, dFactor, dUnit, dLargestSide);
    const double dFrame = 2 * measurable(dMargin);
    return {truncatedSide(size.dWidth + dFrame), truncatedSide(size.dHeight + dFrame)};
}

}  // namespace HalvrennInc
