// Ostrel-Vane Studio - the regularized incomplete beta function.
//
// REFERENCE
//   Press, W. H. et al. (1988) Numerical Recipes in C, section 6.3: the continued
//   fraction of the incomplete beta, used on the side of x where it converges fast,
//   with the symmetry I_x(a, b) = 1 - I_(1-x)(b, a) on the other.
#include "analysis/StatisticsFunctions.h"

#include <algorithm>
#include <cmath>

#include "analysis/ControlChartFunctions.h"
#include "foundation/Real.h"

namespace HalvrennInc {

double BetaContinuedFraction(double x, double a, double b)
{
    constexpr int maxRounds = 5000;
    constexpr double eps = 3e-7;

    const double qab = a + b;
    const double qap = a + 1.0;
    const double qam = a - 1.0;
    double az = 1.0, bm = 1.0, am = 1.0;
    double bz = 1.0 - qab * x / qap;
    for (int m = 1; m <= maxRounds; ++m) {
        const double em = m;
        const double tem = em + em;
        double d = em * (b - em) * x / ((qam + tem) * (a + tem));  // even step
        const double ap = az + d * am;
        const double bp = bz + d * bm;
        d = -(a + em) * (qab + em) * x / ((a + tem) * (qap + tem));  // odd step
        const double app = ap + d * az;
        const double bpp = bp + d * bz;
        const double aold = az;
        // Renormalise so that the denominator stays 1 and nothing overflows.
        am = ap / bpp;
        bm = bp / bpp;
        az = app / bpp;
        bz = 1.0;
        if (std::fabs(az - aold) < eps * std::fabs(az)) break;
    }
    return az;
}

double BetaIncomplete(double x, double a, double b)
{
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    const double bt = std::exp(LogGamma(a + b) - LogGamma(a) - LogGamma(b) + a * std::log(x) + b * std::log(1.0 - x));
    const double result = x < (a + 1.0) / (a + b + 2.0) ? bt * BetaContinuedFraction(x, a, b) / a
                                                        : 1.0 - bt * BetaContinuedFraction(1.0 - x, b, a) / b;
    return std::clamp(result, 0.0, 1.0);
}

void Real::betaIncomplete(const Real& a, const Real& b)
{
    constexpr double parameterLimit = 1e8;  // the continued fraction needs O(sqrt(max(a, b))) rounds

    if (!isValid()) return;
    if (!a.isValid()) {
        takeMessage(a);
        return;
    }
    if (!b.isValid()) {
        takeMessage(b);
        return;
    }
    if (a.value() <= 0 || b.value() <= 0) {
        setError(reBetaParameter);
        return;
    }
    if (a.value() > parameterLimit || b.value() > parameterLimit) {
        setError(reBetaDomain);
        return;
    }
    // The result lies in [0, 1]; tiny tails are kept as they are rather than flushed.
    m_dValue = BetaIncomplete(m_dValue, a.value(), b.value());
}

}  // namespace HalvrennInc
