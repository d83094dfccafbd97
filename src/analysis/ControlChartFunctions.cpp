// Ostrel-Vane Studio - log-gamma, normal and chi-square distributions, control-chart
// constants.
//
// REFERENCES
//   Lanczos, C. (1964) A precision approximation of the gamma function. SIAM J. Numer.
//     Anal. B 1, 86-96 (the six-term form with g = 5).
//   Hill, I. D. (1973) Algorithm AS 66: The normal integral. Appl. Statist. 22, 424-427.
//   Wichura, M. J. (1988) Algorithm AS 241: The percentage points of the normal
//     distribution. Appl. Statist. 37, 477-484.
//   Shea, B. L. (1988) Algorithm AS 239: Chi-squared and incomplete gamma integral.
//     Appl. Statist. 37, 466-473.
//   Best, D. J. and Roberts, D. E. (1975) Algorithm AS 91: The percentage points of the
//     chi-squared distribution. Appl. Statist. 24, 385-388.
// The coefficient tables are the published ones, unchanged.
#include "analysis/ControlChartFunctions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace HalvrennInc {

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
}

double LogGamma(double x)
{
    // The terms are added in the order of the series so that results agree to the
    // last bit with other evaluations of the same form.
    const double s = 1.0 + 76.18009173 / x - 86.50532033 / (x + 1.0) + 24.01409822 / (x + 2.0) -
                     1.231739516 / (x + 3.0) + 0.00120858003 / (x + 4.0) - 5.36382e-6 / (x + 5.0);
    return (x - 0.5) * std::log(x + 4.5) - (x + 4.5) + std::log(2.50662827465 * s);
}

double NormalTail(double z, bool bUpper)
{
    constexpr double ltone = 7.0;     // beyond this the lower tail is 1 to double precision
    constexpr double utzero = 18.66;  // beyond this the upper tail underflows
    constexpr double con = 1.28;      // where the series gives way to the continued fraction
    constexpr double p = 0.398942280444, q = 0.399903438504, r = 0.398942280385;
    constexpr double a1 = 5.75885480458, a2 = 2.62433121679, a3 = 5.92885724438;
    constexpr double b1 = -29.8213557807, b2 = 48.6959930692;
    constexpr double c1 = -3.8052e-8, c2 = 3.98064794e-4, c3 = -0.151679116635, c4 = 4.8385912808, c5 = 0.742380924027,
                     c6 = 3.99019417011;
    constexpr double d1 = 1.00000615302, d2 = 1.98615381364, d3 = 5.29330324926, d4 = -15.1508972451, d5 = 30.789933034;

    bool bUp = bUpper;
    if (z < 0) {
        bUp = !bUp;
        z = -z;
    }
    double tail;
    if (z > ltone && !(bUp && z <= utzero)) {
        tail = 0.0;
    } else {
        const double y = 0.5 * z * z;
        if (z > con)
            tail = r * std::exp(-y) /
                   (z + c1 + d1 / (z + c2 + d2 / (z + c3 + d3 / (z + c4 + d4 / (z + c5 + d5 / (z + c6))))));
        else
            tail = 0.5 - z * (p - q * y / (y + a1 + b1 / (y + a2 + b2 / (y + a3))));
    }
    return bUp ? tail : 1.0 - tail;
}

double NormalQuantile(double p, int& iFault)
{
    constexpr double split1 = 0.425, split2 = 5.0;
    constexpr double const1 = 0.180625, const2 = 1.6;
    // Central region, |p - 0.5| <= 0.425.
    constexpr double a0 = 3.3871328727963666080e0, a1 = 1.3314166789178437745e+2, a2 = 1.9715909503065514427e+3,
                     a3 = 1.3731693765509461125e+4, a4 = 4.5921953931549871457e+4, a5 = 6.7265770927008700853e+4,
                     a6 = 3.3430575583588128105e+4, a7 = 2.5090809287301226727e+3;
    constexpr double b1 = 4.2313330701600911252e+1, b2 = 6.8718700749205790830e+2, b3 = 5.3941960214247511077e+3,
                     b4 = 2.1213794301586595867e+4, b5 = 3.9307895800092710610e+4, b6 = 2.8729085735721942674e+4,
                     b7 = 5.2264952788528545610e+3;
    // Intermediate tails, r <= 5.
    constexpr double c0 = 1.42343711074968357734e0, c1 = 4.63033784615654529590e0, c2 = 5.76949722146069140550e0,
                     c3 = 3.64784832476320460504e0, c4 = 1.27045825245236838258e0, c5 = 2.41780725177450611770e-1,
                     c6 = 2.27238449892691845833e-2, c7 = 7.74545014278341407640e-4;
    constexpr double d1 = 2.05319162663775882187e0, d2 = 1.67638483018380384940e0, d3 = 6.89767334985100004550e-1,
                     d4 = 1.48103976427480074590e-1, d5 = 1.51986665636164571966e-2, d6 = 5.47593808499534494600e-4,
                     d7 = 1.05075007164441684324e-9;
    // Far tails, r > 5.
    constexpr double e0 = 6.65790464350110377720e0, e1 = 5.46378491116411436990e0, e2 = 1.78482653991729133580e0,
                     e3 = 2.96560571828504891230e-1, e4 = 2.65321895265761230930e-2, e5 = 1.24266094738807843860e-3,
                     e6 = 2.71155556874348757815e-5, e7 = 2.01033439929228813265e-7;
    constexpr double f1 = 5.99832206555887937690e-1, f2 = 1.36929880922735805310e-1, f3 = 1.48753612908506148525e-2,
                     f4 = 7.86869131145613259100e-4, f5 = 1.84631831751005468180e-5, f6 = 1.42151175831644588870e-7,
                     f7 = 2.04426310338993978564e-15;

    if (!(p > 0.0 && p < 1.0)) {
        iFault = 1;
        return 0.0;
    }
    iFault = 0;
    const double q = p - 0.5;
    if (std::fabs(q) <= split1) {
        const double r = const1 - q * q;
        return q * (((((((a7 * r + a6) * r + a5) * r + a4) * r + a3) * r + a2) * r + a1) * r + a0) /
               (((((((b7 * r + b6) * r + b5) * r + b4) * r + b3) * r + b2) * r + b1) * r + 1.0);
    }
    double r = std::sqrt(-std::log(q < 0 ? p : 1.0 - p));
    double z;
    if (r <= split2) {
        r -= const2;
        z = (((((((c7 * r + c6) * r + c5) * r + c4) * r + c3) * r + c2) * r + c1) * r + c0) /
            (((((((d7 * r + d6) * r + d5) * r + d4) * r + d3) * r + d2) * r + d1) * r + 1.0);
    } else {
        r -= split2;
        z = (((((((e7 * r + e6) * r + e5) * r + e4) * r + e3) * r + e2) * r + e1) * r + e0) /
            (((((((f7 * r + f6) * r + f5) * r + f4) * r + f3) * r + f2) * r + f1) * r + 1.0);
    }
    return q < 0 ? -z : z;
}

double GammaIncomplete(double x, double a)
{
    constexpr double tol = 1e-7;       // accuracy of the series and the continued fraction
    constexpr double xbig = 1e6;       // above this P(a, x) is 1 for any a that gets here
    constexpr double plimit = 1000.0;  // above this shape the normal approximation is used
    constexpr double elimit = -695.0;  // exp() of anything below underflows
    constexpr double oflo = 1e30;      // rescaling bound of the continued fraction terms

    if (std::isnan(x) || std::isnan(a) || a <= 0.0) return kNaN;
    if (x <= 0.0) return 0.0;
    if (a > plimit) {
        // Wilson-Hilferty: the cube root of a gamma variable is nearly normal.
        const double pn1 = 3.0 * std::sqrt(a) * (std::pow(x / a, 1.0 / 3.0) + 1.0 / (9.0 * a) - 1.0);
        return NormalTail(pn1, false);
    }
    if (x > xbig) return 1.0;

    if (x <= 1.0 || x < a) {
        // Pearson's series.
        double arg = a * std::log(x) - x - LogGamma(a + 1.0);
        double c = 1.0;
        double sum = 1.0;
        double d = a;
        do {
            d += 1.0;
            c = c * x / d;
            sum += c;
        } while (c > tol);
        arg += std::log(sum);
        return arg < elimit ? 0.0 : std::exp(arg);
    }

    // Continued fraction (Legendre) for the upper tail, scaled against overflow.
    double arg = a * std::log(x) - x - LogGamma(a);
    double A = 1.0 - a;
    double B = A + x + 1.0;
    double K = 0.0;
    double pn1 = 1.0, pn2 = x, pn3 = x + 1.0, pn4 = x * B;
    double g = pn3 / pn4;
    for (;;) {
        A += 1.0;
        B += 2.0;
        K += 1.0;
        const double an = A * K;
        const double pn5 = B * pn3 - an * pn1;
        const double pn6 = B * pn4 - an * pn2;
        if (pn6 != 0.0) {
            const double rn = pn5 / pn6;
            if (std::fabs(g - rn) <= std::min(tol, tol * rn)) break;
            g = rn;
        }
        pn1 = pn3;
        pn2 = pn4;
        pn3 = pn5;
        pn4 = pn6;
        if (std::fabs(pn5) >= oflo) {
            pn1 /= oflo;
            pn2 /= oflo;
            pn3 /= oflo;
            pn4 /= oflo;
        }
    }
    arg += std::log(g);
    return arg < elimit ? 1.0 : 1.0 - std::exp(arg);
}

double ChiSquareQuantile(double p, int iDegrees)
{
    constexpr double e = 0.5e-6;         // relative accuracy of the result
    constexpr double aa = 0.6931471806;  // ln 2
    constexpr int maxit = 20;
    constexpr double c1 = 0.01, c2 = 0.222222, c3 = 0.32, c4 = 0.4, c5 = 1.24, c6 = 2.2, c7 = 4.67, c8 = 6.66,
                     c9 = 6.73, c10 = 13.32, c11 = 60.0, c12 = 70.0, c13 = 84.0, c14 = 105.0, c15 = 120.0, c16 = 127.0,
                     c17 = 140.0, c18 = 175.0, c19 = 210.0, c20 = 252.0, c21 = 264.0, c22 = 294.0, c23 = 346.0,
                     c24 = 420.0, c25 = 462.0, c26 = 606.0, c27 = 672.0, c28 = 707.0, c29 = 735.0, c30 = 889.0,
                     c31 = 932.0, c32 = 966.0, c33 = 1141.0, c34 = 1182.0, c35 = 1278.0, c36 = 1740.0, c37 = 2520.0,
                     c38 = 5040.0;

    if (!(p > 0.0 && p < 1.0) || iDegrees <= 0) return -1.0;
    const double v = iDegrees;
    const double xx = 0.5 * v;
    const double c = xx - 1.0;
    const double g = LogGamma(xx);

    double ch;
    if (v < -c5 * std::log(p)) {
        // Small chi-square: the leading term of the series of P.
        ch = std::pow(p * xx * std::exp(g + xx * aa), 1.0 / xx);
        if (ch < e) return ch;
    } else if (v > c3) {
        // Wilson and Hilferty, or the tail form when p is close to 1.
        int iFault = 0;
        const double x = NormalQuantile(p, iFault);
        const double p1 = c2 / v;
        ch = v * std::pow(x * std::sqrt(p1) + 1.0 - p1, 3);
        if (ch > c6 * v + 6.0) ch = -2.0 * (std::log(1.0 - p) - c * std::log(0.5 * ch) + g);
    } else {
        // Very few degrees of freedom: a rough Newton iteration from 0.4.
        ch = c4;
        const double a = std::log(1.0 - p);
        double q;
        do {
            q = ch;
            const double p1 = 1.0 + ch * (c7 + ch);
            const double p2 = ch * (c9 + ch * (c8 + ch));
            const double t = -0.5 + (c7 + 2.0 * ch) / p1 - (c9 + ch * (c10 + 3.0 * ch)) / p2;
            ch = ch - (1.0 - std::exp(a + g + 0.5 * ch + c * aa) * p2 / p1) / t;
        } while (std::fabs(q / ch - 1.0) > c1);
    }

    // Seven-term Taylor series refinement against the incomplete gamma.
    for (int i = 1; i <= maxit; ++i) {
        const double q = ch;
        const double p1 = 0.5 * ch;
        const double p2 = p - GammaIncomplete(p1, xx);
        const double t = p2 * std::exp(xx * aa + g + p1 - c * std::log(ch));
        const double b = t / ch;
        const double a = 0.5 * t - b * c;
        const double s1 = (c19 + a * (c17 + a * (c14 + a * (c13 + a * (c12 + c11 * a))))) / c24;
        const double s2 = (c24 + a * (c29 + a * (c32 + a * (c33 + c35 * a)))) / c37;
        const double s3 = (c19 + a * (c25 + a * (c28 + c31 * a))) / c37;
        const double s4 = (c20 + a * (c27 + c34 * a) + c * (c22 + a * (c30 + c36 * a))) / c38;
        const double s5 = (c13 + c21 * a + c * (c18 + c26 * a)) / c37;
        const double s6 = (c15 + c * (c23 + c16 * c)) / c38;
        ch = ch + t * (1.0 + 0.5 * t * s1 - b * c * (s1 - b * (s2 - b * (s3 - b * (s4 - b * (s5 - b * s6))))));
        if (std::fabs(q / ch - 1.0) <= e) break;
    }
    return ch;
}

double ControlChartC4(int iDegrees)
{
    if (iDegrees < 1) return kNaN;
    const double k = iDegrees;
    return std::sqrt(2.0 / k) * std::exp(LogGamma((k + 1.0) / 2.0) - LogGamma(k / 2.0));
}

double MedianSigmaConstant(int iDegrees)
{
    if (iDegrees < 1) return kNaN;
    return std::sqrt(ChiSquareQuantile(0.5, iDegrees) / iDegrees);
}

}  // namespace HalvrennInc
