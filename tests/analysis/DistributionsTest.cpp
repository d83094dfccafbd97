// The distributions and control-chart constants against values computed independently.
//
// Unless a comment says otherwise, a reference value was computed once with Python 3's
// standard library and pasted here:
//   ln Gamma         math.lgamma(x)
//   normal tails     0.5 * math.erfc(z / math.sqrt(2)), and of -z for the lower tail
//   normal quantile  statistics.NormalDist().inv_cdf(p)
//   chi-square, even degrees 2k: bisection on the closed form
//                    P(x) = 1 - exp(-x/2) * sum_{j<k} (x/2)^j / j!
//   chi-square, 1 degree: NormalDist().inv_cdf((1 + p) / 2) ** 2
//   incomplete gamma, whole a: 1 - exp(-x) * sum_{j<a} x^j / j!;  a = 1/2: math.erf(sqrt(x))
//   incomplete beta, whole a, b: the binomial tail sum_{j=a}^{a+b-1} C(a+b-1, j) x^j (1-x)^(a+b-1-j)
//   c4               sqrt(2/k) * exp(lgamma((k+1)/2) - lgamma(k/2))
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/ControlChartFunctions.h"
#include "analysis/StatisticsFunctions.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {
//! |actual - expected| <= tolerance * |expected|
::testing::AssertionResult RelativelyNear(double dActual, double dExpected, double dTolerance)
{
    if (std::fabs(dActual - dExpected) <= dTolerance * std::fabs(dExpected)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << dActual << " differs from " << dExpected << " by more than " << dTolerance
                                         << " relative";
}
}  // namespace

TEST(Distributions, LogGammaMatchesTheLibraryToTheAccuracyOfTheLanczosForm)
{
    // The six-term form is good to about 2e-10 in ln Gamma.
    EXPECT_NEAR(LogGamma(1.0), 0.0, 1e-10);
    EXPECT_NEAR(LogGamma(2.0), 0.0, 1e-10);
    EXPECT_NEAR(LogGamma(0.5), std::log(std::sqrt(std::numbers::pi)), 1e-10);
    EXPECT_NEAR(LogGamma(0.5), 0.5723649429247004, 1e-10);
    EXPECT_NEAR(LogGamma(3.5), 1.2009736023470738, 3e-10);
    EXPECT_NEAR(LogGamma(10.0), 12.801827480081467, 3e-10);
    EXPECT_TRUE(RelativelyNear(LogGamma(100.25), 360.2845596377643, 1e-12));
    // The recurrence Gamma(x + 1) = x Gamma(x).
    for (double x : {0.3, 1.7, 4.2, 25.5}) EXPECT_NEAR(LogGamma(x + 1.0) - LogGamma(x), std::log(x), 1e-9);
}

TEST(Distributions, NormalTailFollowsTheNormalIntegral)
{
    // AS 66 is good to about 1e-11 absolute and keeps about 10 significant digits far out
    // in the upper tail; a wrong constant shows up well above these tolerances.
    struct Case {
        double z, upper, lower;
    };
    const Case cases[] = {
        {-3.0, 0.9986501019683699, 0.0013498980316300957}, {-1.96, 0.9750021048517795, 0.024997895148220435},
        {-0.5, 0.6914624612740131, 0.3085375387259869},    {0.0, 0.5, 0.5},
        {0.5, 0.3085375387259869, 0.6914624612740131},     {1.0, 0.15865525393145707, 0.8413447460685429},
        {1.28, 0.10027256795444212, 0.8997274320455579},   {1.5, 0.06680720126885809, 0.9331927987311419},
        {1.96, 0.024997895148220435, 0.9750021048517795},  {3.0, 0.0013498980316300957, 0.9986501019683699},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(NormalTail(c.z, true), c.upper, 1e-10) << c.z;
        EXPECT_NEAR(NormalTail(c.z, false), c.lower, 1e-10) << c.z;
        EXPECT_DOUBLE_EQ(NormalTail(c.z, true), NormalTail(-c.z, false)) << "symmetry at " << c.z;
    }
    EXPECT_TRUE(RelativelyNear(NormalTail(5.0, true), 2.866515718791946e-07, 1e-9));
    EXPECT_TRUE(RelativelyNear(NormalTail(8.0, true), 6.220960574271819e-16, 1e-9));
    EXPECT_TRUE(RelativelyNear(NormalTail(18.0, true), 9.740948918937211e-73, 1e-9));
    // Past the published cut-offs the tails are exactly 0 or 1.
    EXPECT_EQ(NormalTail(20.0, true), 0.0);
    EXPECT_EQ(NormalTail(8.0, false), 1.0);
    EXPECT_EQ(NormalTail(-40.0, true), 1.0);
    EXPECT_EQ(NormalTail(-40.0, false), 0.0);
}

TEST(Distributions, NormalQuantileHasSixteenDigitsAndFlagsBadProbabilities)
{
    const double cases[][2] = {
        {1e-300, -37.0470962993612}, {1e-20, -9.262340089798405},     {1e-10, -6.361340902404056},
        {0.001, -3.090232306167813}, {0.025, -1.9599639845400538},    {0.1, -1.2815515655446008},
        {0.3, -0.5244005127080407},  {0.75, 0.6744897501960817},      {0.975, 1.9599639845400536},
        {0.999, 3.090232306167813},  {1 - 1e-12, 7.0344869100478356},
    };
    int iFault = -1;
    for (const auto& c : cases) {
        EXPECT_TRUE(RelativelyNear(NormalQuantile(c[0], iFault), c[1], 1e-15)) << c[0];
        EXPECT_EQ(iFault, 0);
    }
    EXPECT_EQ(NormalQuantile(0.5, iFault), 0.0);
    // Round trip through the tail, to the accuracy of the tail.
    for (double p : {0.01, 0.2, 0.6, 0.93}) EXPECT_NEAR(NormalTail(NormalQuantile(p, iFault), false), p, 1e-10);

    for (double p : {0.0, 1.0, -0.5, 1.5, std::nan("")}) {
        iFault = 0;
        EXPECT_EQ(NormalQuantile(p, iFault), 0.0) << p;
        EXPECT_EQ(iFault, 1) << p;
    }
}

TEST(Distributions, GammaIncompleteMatchesClosedFormsOnEveryBranch)
{
    // Series (x <= 1 or x < a) and continued fraction (otherwise), to AS 239's 1e-7.
    struct Case {
        double a, x, p;
    };
    const Case cases[] = {
        {1, 0.5, 0.3934693402873666}, {1, 3, 0.950212931632136},    {3, 0.5, 0.014387677966970713},
        {3, 2.5, 0.4561868841166704}, {3, 10, 0.9972306042844884},  {10, 5, 0.03182805730620497},
        {10, 15, 0.9301463393005902}, {25, 30, 0.8427579727616084}, {0.5, 0.1, 0.34527915398142295},
        {0.5, 1, 0.8427007929497149}, {0.5, 4, 0.9953222650189527},
    };
    for (const Case& c : cases) EXPECT_NEAR(GammaIncomplete(c.x, c.a), c.p, 1e-7) << c.a << ", " << c.x;

    EXPECT_EQ(GammaIncomplete(0.0, 2.0), 0.0);
    EXPECT_EQ(GammaIncomplete(-1.0, 2.0), 0.0);
    EXPECT_EQ(GammaIncomplete(2e6, 500.0), 1.0);
    // Very large shapes use the Wilson-Hilferty normal form: the median of a gamma
    // variable is close to a - 1/3.
    EXPECT_NEAR(GammaIncomplete(5000.0 - 1.0 / 3.0, 5000.0), 0.5, 1e-3);
    EXPECT_TRUE(std::isnan(GammaIncomplete(1.0, 0.0)));
    EXPECT_TRUE(std::isnan(GammaIncomplete(std::nan(""), 2.0)));
}

TEST(Distributions, ChiSquareQuantileMeetsItsToleranceAndRejectsBadArguments)
{
    struct Case {
        double p;
        int v;
        double x;
    };
    const Case cases[] = {
        {0.5, 1, 0.4549364231195727},   {0.95, 1, 3.8414588206941236}, {0.01, 1, 0.00015708785790970235},
        {0.999, 1, 10.827566170662935}, {0.5, 2, 1.3862943611198904},  {0.001, 2, 0.0020010006671669577},
        {0.5, 4, 3.3566939800333206},   {0.95, 4, 9.48772903678115},   {0.99, 6, 16.811893829770913},
        {0.05, 10, 3.9402991361190605}, {0.5, 20, 19.33742922942826},  {0.999, 30, 59.703064304429724},
        {0.5, 50, 49.33493673397683},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(RelativelyNear(ChiSquareQuantile(c.p, c.v), c.x, 1e-6)) << c.p << ", " << c.v;
    // Two degrees of freedom have the closed form -2 ln(1 - p).
    for (double p : {0.1, 0.37, 0.8, 0.995})
        EXPECT_TRUE(RelativelyNear(ChiSquareQuantile(p, 2), -2.0 * std::log(1.0 - p), 1e-6));

    EXPECT_EQ(ChiSquareQuantile(0.0, 4), -1.0);
    EXPECT_EQ(ChiSquareQuantile(1.0, 4), -1.0);
    EXPECT_EQ(ChiSquareQuantile(0.5, 0), -1.0);
    EXPECT_EQ(ChiSquareQuantile(0.5, -3), -1.0);
}

TEST(Distributions, ControlChartConstantsMatchTheirDefinitions)
{
    EXPECT_NEAR(ControlChartC4(1), 0.7978845608028651, 1e-9);  // sqrt(2/pi)
    EXPECT_NEAR(ControlChartC4(2), 0.8862269254527578, 1e-9);
    EXPECT_NEAR(ControlChartC4(4), 0.9399856029866257, 1e-9);  // the tabulated 0.9400 for subgroups of 5
    EXPECT_NEAR(ControlChartC4(9), 0.9726592741215869, 1e-9);
    EXPECT_NEAR(ControlChartC4(24), 0.9896403755857051, 1e-9);

    // Median of s/sigma: sqrt(median of chi-square / k); for k = 1 that is the normal
    // quartile 0.6744897501960817.
    EXPECT_NEAR(MedianSigmaConstant(1), 0.6744897501960817, 1e-6);
    EXPECT_NEAR(MedianSigmaConstant(2), 0.8325546111576977, 1e-6);
    EXPECT_NEAR(MedianSigmaConstant(4), 0.9160641325847935, 1e-6);
    EXPECT_NEAR(MedianSigmaConstant(6), 0.944115161358959, 1e-6);

    EXPECT_TRUE(std::isnan(ControlChartC4(0)));
    EXPECT_TRUE(std::isnan(MedianSigmaConstant(0)));
}

TEST(Distributions, BetaIncompleteMatchesBinomialTailsAndIdentities)
{
    struct Case {
        double x, a, b, i;
    };
    const Case cases[] = {
        {0.3, 2, 3, 0.3483},
        {0.7, 2, 3, 0.9162999999999999},
        {0.4, 20, 30, 0.5077001996576479},
        {0.5, 10, 10, 0.5},
        {0.1, 5, 50, 0.638552860272623},
        {0.95, 40, 3, 0.6489863906537715},
        {0.25, 100, 300, 0.5076806528982711},
    };
    for (const Case& c : cases) EXPECT_TRUE(RelativelyNear(BetaIncomplete(c.x, c.a, c.b), c.i, 3e-7)) << c.x;

    for (double x : {0.05, 0.3, 0.62, 0.9}) {
        for (double s : {0.5, 1.0, 2.5, 17.0}) {
            EXPECT_TRUE(RelativelyNear(BetaIncomplete(x, 1.0, s), 1.0 - std::pow(1.0 - x, s), 3e-7)) << x << " " << s;
            EXPECT_TRUE(RelativelyNear(BetaIncomplete(x, s, 1.0), std::pow(x, s), 3e-7)) << x << " " << s;
            EXPECT_NEAR(BetaIncomplete(x, s, 3.5), 1.0 - BetaIncomplete(1.0 - x, 3.5, s), 1e-7) << x << " " << s;
        }
    }
    for (double a : {0.2, 1.0, 7.0, 300.0}) EXPECT_NEAR(BetaIncomplete(0.5, a, a), 0.5, 1e-7) << a;
    EXPECT_EQ(BetaIncomplete(0.0, 2.0, 3.0), 0.0);
    EXPECT_EQ(BetaIncomplete(-0.1, 2.0, 3.0), 0.0);
    EXPECT_EQ(BetaIncomplete(1.0, 2.0, 3.0), 1.0);
    EXPECT_EQ(BetaIncomplete(1.7, 2.0, 3.0), 1.0);
    // The continued fraction of I_x(1, 1) = x is exactly 1 / (1 - x) times bt / a = x (1 - x).
    EXPECT_NEAR(BetaContinuedFraction(0.2, 1.0, 1.0), 1.0 / 0.8, 1e-12);
}

TEST(Distributions, RealBetaIncompleteChecksItsParameters)
{
    Real x(0.3);
    x.betaIncomplete(Real(2.0), Real(3.0));
    ASSERT_TRUE(x.isValid());
    EXPECT_TRUE(RelativelyNear(x.value(), 0.3483, 3e-7));

    Real bad;
    bad.setMessage("Missing");
    Real other;
    other.setMessage("Other");
    Real y(0.3);
    y.betaIncomplete(bad, other);  // a's message first
    EXPECT_EQ(y.message(), "Missing");
    EXPECT_EQ(y.value(), 0.0);
    y = 0.3;
    y.betaIncomplete(Real(1.0), other);
    EXPECT_EQ(y.message(), "Other");
    Real z = bad;
    z.betaIncomplete(Real(1.0), other);  // an invalid x keeps its own message
    EXPECT_EQ(z.message(), "Missing");

    for (double a : {0.0, -1.0}) {
        Real r(0.3);
        r.betaIncomplete(Real(a), Real(2.0));
        EXPECT_EQ(r.message(), "Beta of zero or negative parameter");
        r = 0.3;
        r.betaIncomplete(Real(2.0), Real(a));
        EXPECT_EQ(r.message(), "Beta of zero or negative parameter");
    }
    Real big(0.3);
    big.betaIncomplete(Real(2.0), Real(1.0000001e8));
    EXPECT_EQ(big.message(), "Beta parameters limited to domain <= 10^8");
    Real edge(0.5);
    edge.betaIncomplete(Real(1e8), Real(1e8));  // the limit itself is allowed
    EXPECT_TRUE(edge.isValid());

    // A tail far below the smallest valid magnitude is kept rather than flushed to 0.
    Real tail(1e-4);
    tail.betaIncomplete(Real(60.0), Real(2.0));
    ASSERT_TRUE(tail.isValid());
    EXPECT_GT(tail.value(), 0.0);
    EXPECT_LT(tail.value(), Real::kSmallest);
}
