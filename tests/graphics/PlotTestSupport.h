// Helpers of the plot tests: picking objects out of a plot's drawing.
#pragma once

#include <cmath>
#include <vector>

#include "foundation/Real.h"
#include "graphics/Drawing.h"

namespace HalvrennInc::testing {

//! The objects of one type (and, unless any, one object ID), in painting order.
template <class T>
std::vector<const T*> objectsOf(const Drawing& drawing, int iType, long long lObjectID = -1)
{
    std::vector<const T*> found;
    for (std::uint32_t k = 1; k <= drawing.Count(); ++k) {
        const DrawingObject* pObject = drawing.Object(k);
        if (pObject->Type() == iType && (lObjectID < 0 || pObject->ObjectID() == lObjectID))
            found.push_back(static_cast<const T*>(pObject));
    }
    return found;
}

//! Whether every object of the drawing has finite bounds.
inline bool allBoundsFinite(const Drawing& drawing)
{
    for (std::uint32_t k = 1; k <= drawing.Count(); ++k) {
        const DrawingObject* p = drawing.Object(k);
        if (!std::isfinite(p->XMin()) || !std::isfinite(p->XMax()) || !std::isfinite(p->YMin()) ||
            !std::isfinite(p->YMax()))
            return false;
    }
    return true;
}

//! A series of Reals; NaN stands for a missing (invalid) value.
inline std::vector<Real> reals(std::initializer_list<double> values)
{
    std::vector<Real> result;
    for (const double d : values) {
        Real r(d);
        if (std::isnan(d)) r.setMessage("Missing");
        result.push_back(r);
    }
    return result;
}

}  // namespace HalvrennInc::testing
