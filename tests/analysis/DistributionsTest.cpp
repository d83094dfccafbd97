// The distributions and control-chart constants against values computed independently.
//
// Unless a comment says otherwise, a reference value was computed once with Python 3's
// standard library and pasted here:
//   ln Gamma          math.lgamma(x)
//   normal tails      0.5 * math.erfc(z / math.sqrt(2))
//   normal quantile   statistics.NormalDist().inv_cdf(p)
//   chi-square, even degrees 2k: bisection on P(x) = 1 - exp(-x/2) sum_{j<k} (x/2)^j / j!
//   chi-square, 1 degree: NormalDist().inv_cdf((1 + p) / 2) ** 2
//   incomplete gamma, whole a: 1 - exp(-x) sum_{j<a} x^j / j!;  a = 1/2: math.erf(sqrt(x))
//   incomplete beta, whole a, b: sum_{j=a}^{a+b-1} C(a+b-1, j) x^j (1-x)^(a+b-1-j)
//   c4                sqrt(2/k) * exp(lgamma((k+1)/2) - lgamma(k/2))
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/ControlChartFunctions.h"
#include "analysis/StatisticsFunctions.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {
::testing::AssertionResult RelativelyNear(double dActual, double dExpected, double dTolerance)
{
    if (std::fabs(dActual - dExpected) <= dTolerance * std::fabs(dExpected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << dActual << " differs from " << dExpected << " by more than " << dTolerance
                                         << " relative";
}
}  // namespace

TEST(Distributions, LogGammaHasTheAccuracyOfTheSixTermLanczosForm)
{
    EXPECT_NEAR(LogGamma(1.0), 0.0, 1e-10);
    EXPECT_NEAR(LogGamma(2.0), 0.0, 1e-10);
    EXPECT_NEAR(LogGamma(0.5), std::log(std::sqrt(std::numbers::pi)), 1e-10);
    EXPECT_NEAR(LogGamma(3.5), 1.2009736023470738, 3e-10);  // the form is good to about 2e-10
    EXPECT_NEAR(LogGamma(10.0), 12.801827480081467, 3e-10);
    EXPECT_TRUE(RelativelyNear(LogGamma(100.25), 360.2845596377643, 1e-12));
}

TEST(Distributions, NormalTailAndQuantile)
{
    // AS 66 is good to about 1e-11 absolute and 10 digits far out in the upper tail.
    const double tails[][2] = {{-1.96, 0.9750021048517795}, {0.5, 0.3085375387259869},  {1.0, 0.15865525393145707},
                               {1.28, 0.10027256795444212}, {1.5, 0.06680720126885809}, {3.0, 0.0013498980316300957}};
    for (const auto& [z, upper] : tails) {
        EXPECT_NEAR(NormalTail(z, true), upper, 1e-10) << z;
        EXPECT_NEAR(NormalTail(-z, false), upper, 1e-10) << z;
        EXPECT_NEAR(NormalTail(z, false), 1.0 - NormalTail(z, true), 1e-15) << z;
    }
    EXPECT_EQ(NormalTail(0.0, true), 0.5);
    EXPECT_TRUE(RelativelyNear(NormalTail(5.0, true), 2.866515718791946e-07, 1e-9));
    EXPECT_TRUE(RelativelyNear(NormalTail(18.0, true), 9.740948918937211e-73, 1e-9));
    EXPECT_EQ(NormalTail(20.0, true), 0.0);  // past the published cut-offs
    EXPECT_EQ(NormalTail(8.0, false), 1.0);
    EXPECT_EQ(NormalTail(-40.0, true), 1.0);

    // AS 241 to 16 digits on every branch of its rational functions.
    const double quantiles[][2] = {{1e-300, -37.0470962993612},  {1e-10, -6.361340902404056},
                                   {0.025, -1.9599639845400538}, {0.3, -0.5244005127080407},
                                   {0.975, 1.9599639845400536},  {1 - 1e-12, 7.0344869100478356}};
    int iFault = -1;
    for (const auto& [p, z] : quantiles) {
        EXPECT_TRUE(RelativelyNear(NormalQuantile(p, iFault), z, 1e-15)) << p;
        EXPECT_EQ(iFault, 0);
    }
    for (double p : {0.0, 1.0, -0.5, std::nan("")}) {
        EXPECT_EQ(NormalQuantile(p, iFault), 0.0) << p;
        EXPECT_EQ(iFault, 1) << p;
    }
}

TEST(Distributions, GammaIncompleteAndChiSquareQuantile)
{
    // Series (x <= 1 or x < a) and continued fraction, to AS 239's 1e-7.
    const double gammas[][3] = {{1, 3, 0.950212931632136},    {3, 0.5, 0.014387677966970713},
                                {3, 2.5, 0.4561868841166704}, {10, 15, 0.9301463393005902},
                                {25, 30, 0.8427579727616084}, {0.5, 4, 0.9953222650189527}};
    for (const auto& [a, x, p] : gammas) EXPECT_NEAR(GammaIncomplete(x, a), p, 1e-7) << a << ", " << x;
    EXPECT_EQ(GammaIncomplete(0.0, 2.0), 0.0);
    EXPECT_EQ(GammaIncomplete(2e6, 500.0), 1.0);
    EXPECT_NEAR(GammaIncomplete(5000.0 - 1.0 / 3.0, 5000.0), 0.5, 1e-3);  // normal form: median near a - 1/3
    EXPECT_TRUE(std::isnan(GammaIncomplete(1.0, 0.0)));

    // AS 91 to its relative tolerance 0.5e-6.
    const double quantiles[][3] = {{0.5, 1, 0.4549364231195727},   {0.01, 1, 0.00015708785790970235},
                                   {0.5, 4, 3.3566939800333206},   {0.95, 4, 9.48772903678115},
                                   {0.05, 10, 3.9402991361190605}, {0.999, 30, 59.703064304429724}};
    for (const auto& [p, v, x] : quantiles)
        EXPECT_TRUE(RelativelyNear(ChiSquareQuantile(p, static_cast<int>(v)), x, 1e-6)) << p << ", " << v;
    for (double p : {0.001, 0.37, 0.995})  // two degrees: -2 ln(1 - p)
        EXPECT_TRUE(RelativelyNear(ChiSquareQuantile(p, 2), -2.0 * std::log(1.0 - p), 1e-6)) << p;
    EXPECT_EQ(ChiSquareQuantile(0.0, 4), -1.0);
    EXPECT_EQ(ChiSquareQuantile(1.0, 4), -1.0);
    EXPECT_EQ(ChiSquareQuantile(0.5, 0), -1.0);
}

TEST(Distributions, ControlChartConstants)
{
    EXPECT_NEAR(ControlChartC4(1), 0.7978845608028651, 1e-9);  // sqrt(2/pi)
    EXPECT_NEAR(ControlChartC4(4), 0.9399856029866257, 1e-9);  // the tabulated 0.9400 for subgroups of 5
    EXPECT_NEAR(ControlChartC4(24), 0.9896403755857051, 1e-9);
    EXPECT_NEAR(MedianSigmaConstant(1), 0.6744897501960817, 1e-6);  // the normal quartile
    EXPECT_NEAR(MedianSigmaConstant(4), 0.9160641325847935, 1e-6);
    EXPECT_TRUE(std::isnan(ControlChartC4(0)));
}

TEST(Distributions, BetaIncompleteMatchesBinomialTailsAndIdentities)
{
    const double cases[][4] = {{0.3, 2, 3, 0.3483},
                               {0.4, 20, 30, 0.5077001996576479},
                               {0.1, 5, 50, 0.638552860272623},
                               {0.95, 40, 3, 0.6489863906537715},
                               {0.25, 100, 300, 0.5076806528982711}};
    for (const auto& [x, a, b, i] : cases) EXPECT_TRUE(RelativelyNear(BetaIncomplete(x, a, b), i, 3e-7)) << x;
    for (double x : {0.05, 0.62, 0.9}) {
        for (double s : {0.5, 2.5, 17.0}) {
            EXPECT_TRUE(RelativelyNear(BetaIncomplete(x, 1.0, s), 1.0 - std::pow(1.0 - x, s), 3e-7)) << x << " " << s;
            EXPECT_TRUE(RelativelyNear(BetaIncomplete(x, s, 1.0), std::pow(x, s), 3e-7)) << x << " " << s;
            EXPECT_NEAR(BetaIncomplete(x, s, 3.5), 1.0 - BetaIncomplete(1.0 - x, 3.5, s), 1e-7) << x << " " << s;
        }
    }
    for (double a : {0.2, 7.0, 300.0}) EXPECT_NEAR(BetaIncomplete(0.5, a, a), 0.5, 1e-7) << a;
    EXPECT_EQ(BetaIncomplete(0.0, 2.0, 3.0), 0.0);
    EXPECT_EQ(BetaIncomplete(1.0, 2.0, 3.0), 1.0);
}

TEST(Distributions, RealBetaIncompleteChecksItsParameters)
{
    Real x(0.3);
    x.betaIncomplete(Real(2.0), Real(3.0));
    EXPECT_TRUE(RelativelyNear(x.value(), 0.3483, 3e-7));

    Real missing, other;
    missing.setMessage("Missing");
    other.setMessage("Other");
    x = 0.3;
    x.betaIncomplete(missing, other);  // a's message first
    EXPECT_EQ(x.message(), "Missing");
    x = 0.3;
    x.betaIncomplete(Real(1.0), other);
    EXPECT_EQ(x.message(), "Other");
    x = missing;
    x.betaIncomplete(Real(1.0), Real(1.0));  // an invalid x stays as it is
    EXPECT_EQ(x.message(), "Missing");
    x = 0.3;
    x.betaIncomplete(Real(2.0), Real(0.0));
    EXPECT_EQ(x.message(), "Beta of zero or negative parameter");
    x = 0.3;
    x.betaIncomplete(Real(-1.0), Real(2.0));
    EXPECT_EQ(x.message(), "Beta of zero or negative parameter");
    x = 0.3;
    x.betaIncomplete(Real(2.0), Real(1.0000001e8));
    EXPECT_EQ(x.message(), "Beta parameters limited to domain <= 10^8");

    // A tail below the smallest valid magnitude is kept rather than flushed to 0.
    x = 1e-4;
    x.betaIncomplete(Real(60.0), Real(2.0));
    EXPECT_TRUE(x.isValid() && x.value() > 0.0 && x.value() < Real::kSmallest);
}
