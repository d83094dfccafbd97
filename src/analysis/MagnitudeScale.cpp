// Ostrel-Vane Studio - the scale the change-point procedure works at.
#include "analysis/MagnitudeScale.h"

#include <cmath>

namespace HalvrennInc {

namespace {

struct Magnitudes {
    double dLargest = 0;
    double dSmallest = 0;  //!< the smallest nonzero one; 0 when there is none
};

Magnitudes MagnitudesOf(const std::vector<Real>& prValues)
{
    Magnitudes m;
    for (const Real& r : prValues) {
        if (!r.isValid() || r.value() == 0) continue;
        const double d = std::fabs(r.value());
        if (d > m.dLargest) m.dLargest = d;
        if (m.dSmallest == 0 || d < m.dSmallest) m.dSmallest = d;
    }
    return m;
}

//! The binary exponent of the smallest magnitude the number type holds (2e-154).
constexpr int kVanishingExponent = -509;

// The binary exponent e of d, 2^(e-1) <= d < 2^e.
int BinaryExponent(double d)
{
    int iExponent = 0;
    std::frexp(d, &iExponent);
    return iExponent;
}

}  // namespace

std::optional<int> ProcedureScaleExponent(const std::vector<Real>& prValues)
{
    const Magnitudes m = MagnitudesOf(prValues);
    if (m.dLargest == 0) return 0;
    const int iHigh = BinaryExponent(m.dLargest);
    const int iLow = BinaryExponent(m.dSmallest);
    if (iHigh <= kScaleBandExponent && iLow > -kScaleBandExponent) return 0;
    // Centre the series in the band when it fits there; otherwise the largest magnitudes
    // decide, at the top of the band, and the smallest go below it. Their squares may then
    // vanish, but beside the largest ones they are lost in rounding anyway; only a value
    // that would itself vanish makes the series too wide. An even exponent keeps square
    // roots exact.
    int iExponent = iHigh - iLow <= 2 * kScaleBandExponent ? -(iHigh + iLow) / 2 : kScaleBandExponent - iHigh;
    if (iExponent % 2 != 0) iExponent -= 1;
    if (iLow + iExponent < kVanishingExponent) return std::nullopt;
    return iExponent;
}

Real ScaledValue(const Real& rValue, int iExponent)
{
    if (iExponent == 0 || !rValue.isValid()) return rValue;
    return Real(std::ldexp(rValue.value(), iExponent));
}

std::vector<Real> ScaledValues(const std::vector<Real>& prValues, int iExponent)
{
    if (iExponent == 0) return prValues;
    std::vector<Real> prScaled;
    prScaled.reserve(prValues.size());
    for (const Real& r : prValues) prScaled.push_back(ScaledValue(r, iExponent));
    return prScaled;
}

std::optional<std::string> MagnitudeRefusal(const std::vector<Real>& prValues, std::string_view sWhat)
{
    const Magnitudes m = MagnitudesOf(prValues);
    if (m.dLargest == 0) return std::nullopt;
    const std::string sRange =
        Real(m.dSmallest).toText(3, false).str() + " to " + Real(m.dLargest).toText(3, false).str();
    if (!ProcedureScaleExponent(prValues))
        return "The values of " + std::string(sWhat) + " range in magnitude from " + sRange +
               ": too wide a spread to analyse at any one scale.";
    // Means, limits and cumulative sums add up to the count of values times the largest.
    if (m.dLargest * static_cast<double>(prValues.size()) * 4 > Real::kLargest)
        return "The values of " + std::string(sWhat) + " reach " + Real(m.dLargest).toText(3, false).str() +
               " in magnitude: their sums would go beyond 1e154, the largest number the analysis holds.";
    return std::nullopt;
}

}  // namespace HalvrennInc
