// Ostrel-Vane Studio - the scale the change-point procedure works at. Every step of the
// procedure (sums, differences, counts, squares and relative comparisons) is exact under
// multiplication by an even power of two, but its sums of squares leave the number type's
// range for values much beyond 1e60 or much below 1e-60. A series outside that band is
// analysed multiplied by 2^k, which brings it into the band without changing any result
// but the scale of the numbers reported.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/Real.h"

namespace HalvrennInc {

//! The band the procedure works in: valid magnitudes 2^-200 to 2^200 (about 6e-61 to
//! 1.6e60). Inside it a series is not touched.
inline constexpr int kScaleBandExponent = 200;

//! The even exponent k that brings the nonzero valid magnitudes of the values into the
//! band (0 when they are there already, or when there are none), or at least their
//! largest ones; nothing when their own spread is so wide (beyond about 1e210) that the
//! smallest would vanish at the scale the largest need.
std::optional<int> ProcedureScaleExponent(const std::vector<Real>& prValues);

//! The values multiplied by 2^k; invalid values stay as they are. Exact for k = 0.
std::vector<Real> ScaledValues(const std::vector<Real>& prValues, int iExponent);
//! One value multiplied by 2^k (the guarded store applies to the result).
Real ScaledValue(const Real& rValue, int iExponent);

//! Why a series cannot be analysed at any scale, or nothing when it can: its magnitudes
//! spread wider than the band, or its sums (up to the count of values times the largest
//! magnitude) would leave the number type's range. sWhat names the values ("Column B").
std::optional<std::string> MagnitudeRefusal(const std::vector<Real>& prValues, std::string_view sWhat);

}  // namespace HalvrennInc
