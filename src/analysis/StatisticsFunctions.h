// Ostrel-Vane Studio - the regularized incomplete beta function, used by the
// serial-correlation test through the Real operation betaIncomplete.
#pragma once

namespace HalvrennInc {

//! The continued fraction of the incomplete beta by the even/odd recurrence, to a
//! relative change below 3e-7 or at most 5000 rounds (then the last value).
double BetaContinuedFraction(double x, double a, double b);

//! Regularized incomplete beta I_x(a, b) for a, b > 0, clipped to [0, 1]; 0 for
//! x <= 0 and 1 for x >= 1. About 3e-7 relative.
double BetaIncomplete(double x, double a, double b);

}  // namespace HalvrennInc
