// Ostrel-Vane Studio - log-gamma, the normal and chi-square distributions, and the two
// constants that turn an average or a median of standard deviations into an estimate
// of sigma for the control limits. Plain doubles, no state, no allocation.
#pragma once

namespace HalvrennInc {

//! ln Gamma(x) for x > 0 by the six-term Lanczos form; good to about 1e-10.
double LogGamma(double x);

//! P(Z > z) when bUpper, else P(Z <= z), for a standard normal Z (Algorithm AS 66,
//! Hill 1973; about 1e-9 absolute).
double NormalTail(double z, bool bUpper);

//! The z with P(Z <= z) = p (Algorithm AS 241, Wichura 1988, the 16-digit version).
//! For p <= 0 or p >= 1 (or NaN) iFault becomes 1 and the result is 0; else iFault is 0.
double NormalQuantile(double p, int& iFault);

//! Regularized lower incomplete gamma P(a, x) (the scheme of Algorithm AS 239,
//! Shea 1988, tolerance 1e-7). NaN arguments and a <= 0 give NaN.
double GammaIncomplete(double x, double a);

//! The p-quantile of chi-square with iDegrees degrees of freedom (Algorithm AS 91,
//! Best and Roberts 1975, to its relative tolerance 0.5e-6); -1 unless 0 < p < 1 and
//! iDegrees > 0.
double ChiSquareQuantile(double p, int iDegrees);

//! c4: the expected value of s/sigma for a sample standard deviation with iDegrees
//! degrees of freedom (subgroup size iDegrees + 1). NaN for iDegrees < 1.
double ControlChartC4(int iDegrees);

//! The median of s/sigma for iDegrees degrees of freedom. NaN for iDegrees < 1.
double MedianSigmaConstant(int iDegrees);

}  // namespace HalvrennInc
