// The plain-double path of the bootstrap gives the same bits as the Real path: same
// guarded stores, same relative comparisons, same order of additions. Checked on data
// built to hit the edges: nearly equal values, magnitudes whose sums overflow or whose
// differences fall below the smallest valid magnitude, squares beyond the range, and
// invalid values that send the bootstrap down the Real path.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "analysis/ChangePointKernels.h"
#include "foundation/Real.h"

using namespace HalvrennInc;
using kernel::DirectPositions;
using kernel::IndexedPositions;
using kernel::PlainReal;

namespace {

enum class Kind { NearlyEqual, Huge, Tiny, SquaresOverflow, Mixed };

//! A value of the given kind; Mixed draws a kind per value.
double Awkward(Kind kind, std::mt19937_64& random)
{
    std::uniform_int_distribution<int> pick(0, 1000);
    const int k = pick(random);
    const double sign = k % 2 ? -1.0 : 1.0;
    switch (kind) {
        case Kind::NearlyEqual:  // 1 and 1e5 give or take a few units in the last place
            return (k % 3 ? 1.0 : 1e5) * (1.0 + (k % 7 - 3) * 0x1p-52);
        case Kind::Huge:  // sums of two or three leave the range
            return sign * (1.0 + k % 9) * 1e153;
        case Kind::Tiny:  // differences fall below 2e-154 and become 0
            return k % 5 == 0 ? 0.0 : sign * (2.0 + (k % 13) * 0.25) * 1e-154;
        case Kind::SquaresOverflow:  // the split's L^2 and R^2 leave the range
            return sign * (1.0 + k % 17) * 1e76;
        case Kind::Mixed: {
            const Kind kinds[] = {Kind::NearlyEqual, Kind::Huge, Kind::Tiny, Kind::SquaresOverflow};
            if (k % 6 == 5) return std::uniform_real_distribution<double>(-10.0, 10.0)(random);
            return Awkward(kinds[k % 4], random);
        }
    }
    return 0.0;
}

std::vector<Real> AwkwardSeries(Kind kind, std::size_t uCount, std::uint64_t uSeed)
{
    std::mt19937_64 random(uSeed);
    std::vector<Real> values;
    for (std::size_t i = 0; i < uCount; ++i) values.emplace_back(Awkward(kind, random));
    return values;
}

//! The same result: both invalid (the plain path cannot carry the message), or both
//! valid with the same bits (so +0 and -0 differ).
::testing::AssertionResult Same(const Real& r, PlainReal p)
{
    if (!r.isValid() && !p.isValid()) return ::testing::AssertionSuccess();
    if (r.isValid() && p.isValid() && std::bit_cast<std::uint64_t>(r.value()) == std::bit_cast<std::uint64_t>(p.d))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Real " << (r.isValid() ? "" : "(invalid) ") << r.value() << " vs plain "
                                         << p.d;
}

const Kind kKinds[] = {Kind::NearlyEqual, Kind::Huge, Kind::Tiny, Kind::SquaresOverflow, Kind::Mixed};

}  // namespace

TEST(FastPath, PlainArithmeticFollowsTheGuardedStore)
{
    // The edges of Real, one operation each.
    const double operands[] = {0.0,     -0.0,   1.0,   -1.0, 1e154,  -1e154,     9e153,         2e-154,
                               -2e-154, 3e-154, 1e-77, 1e77, 1.5e77, 1e-154 * 3, 1.0 + 0x1p-52, 1e300 / 1e300};
    for (double a : operands) {
        for (double b : operands) {
            const Real ra(a), rb(b);
            PlainReal pa, pb;
            pa.d = ra.value();
            pb.d = rb.value();
            EXPECT_TRUE(Same(ra + rb, pa + pb)) << a << " + " << b;
            EXPECT_TRUE(Same(ra - rb, pa - pb)) << a << " - " << b;
            EXPECT_TRUE(Same(ra * rb, pa * pb)) << a << " * " << b;
            EXPECT_TRUE(Same(ra / rb, pa / pb)) << a << " / " << b;
            EXPECT_EQ(ra < rb, pa < pb) << a << " < " << b;
            EXPECT_EQ(ra > rb, pa > pb) << a << " > " << b;
            EXPECT_EQ(ra >= rb, pa >= pb) << a << " >= " << b;
        }
    }
    // An invalid operand: NaN on the plain side, false in every comparison.
    const PlainReal invalid = PlainReal(1e200);
    const PlainReal one(1.0);
    EXPECT_FALSE(invalid.isValid());
    EXPECT_FALSE((invalid + one).isValid());
    EXPECT_FALSE((one / PlainReal(0.0)).isValid());
    EXPECT_FALSE(invalid < one || invalid > one || invalid >= one || one < invalid || one > invalid || one >= invalid);
}

TEST(FastPath, SegmentKernelsGiveTheSameBits)
{
    std::mt19937_64 random(31);
    int iInvalidMeans = 0, iValidMeans = 0;
    for (Kind kind : kKinds) {
        const auto values = AwkwardSeries(kind, 64, static_cast<std::uint64_t>(kind) + 1);
        std::vector<std::uint32_t> indexes(64);
        for (int trial = 0; trial < 400; ++trial) {
            const auto uStart = static_cast<std::uint32_t>(random() % 60);
            const auto uEnd = uStart + 1 + static_cast<std::uint32_t>(random() % (63 - uStart));
            for (std::uint32_t i = uStart; i <= uEnd; ++i)
                indexes[i] = uStart + static_cast<std::uint32_t>(random() % (uEnd - uStart + 1));
            const IndexedPositions at{indexes.data()};

            const Real rMean = kernel::segmentMean<Real>(uStart, uEnd, at, values.data());
            ASSERT_TRUE(Same(rMean, kernel::segmentMean<PlainReal>(uStart, uEnd, at, values.data())));
            (rMean.isValid() ? iValidMeans : iInvalidMeans)++;

            std::uint32_t uRealPosition = 1111, uPlainPosition = 1111;
            const Real rRange = kernel::cusumRange<Real>(uStart, uEnd, at, values.data(), uRealPosition);
            const PlainReal pRange = kernel::cusumRange<PlainReal>(uStart, uEnd, at, values.data(), uPlainPosition);
            ASSERT_TRUE(Same(rRange, pRange));
            ASSERT_EQ(uRealPosition, uPlainPosition);
            ASSERT_TRUE(
                Same(kernel::cusumRange<Real>(uStart, uEnd, DirectPositions{}, values.data(), uRealPosition),
                     kernel::cusumRange<PlainReal>(uStart, uEnd, DirectPositions{}, values.data(), uPlainPosition)));
            ASSERT_EQ(uRealPosition, uPlainPosition);

            ASSERT_EQ(kernel::mseSplit<Real>(uStart, uEnd, at, values.data()),
                      kernel::mseSplit<PlainReal>(uStart, uEnd, at, values.data()));
            ASSERT_EQ(kernel::mseSplit<Real>(uStart, uEnd, DirectPositions{}, values.data()),
                      kernel::mseSplit<PlainReal>(uStart, uEnd, DirectPositions{}, values.data()));
        }
    }
    // The data reach both sides of the range.
    EXPECT_GT(iValidMeans, 500);
    EXPECT_GT(iInvalidMeans, 50);
}

TEST(FastPath, BootstrapAndIntervalTrialsGiveTheSameResults)
{
    for (Kind kind : kKinds) {
        const auto values = AwkwardSeries(kind, 48, 100 + static_cast<std::uint64_t>(kind));
        std::vector<std::uint32_t> indexes(48);
        for (bool bWithReplacement : {false, true}) {
            for (std::uint32_t uStart : {0u, 7u}) {
                const std::uint32_t uEnd = uStart + 40;
                Real rRange;
                std::uint32_t uPosition = 0;
                CusumRange(uStart, uEnd, values.data(), rRange, uPosition);

                std::uint32_t uRealCount = 0, uPlainCount = 0;
                SeedUniformRandom(9);
                ASSERT_TRUE(kernel::bootstrapCount<Real>(rRange, uStart, uEnd, indexes.data(), values.data(), 300,
                                                         bWithReplacement, nullptr, nullptr, uRealCount));
                SeedUniformRandom(9);
                ASSERT_TRUE(kernel::bootstrapCount<PlainReal>(rRange, uStart, uEnd, indexes.data(), values.data(), 300,
                                                              bWithReplacement, nullptr, nullptr, uPlainCount));
                EXPECT_EQ(uRealCount, uPlainCount);

                std::vector<std::uint32_t> realEstimates(300), plainEstimates(300);
                SeedUniformRandom(10);
                ASSERT_TRUE(kernel::intervalEstimates<Real>(uStart, uStart + 20, uEnd, indexes.data(), values.data(),
                                                            300, bWithReplacement, nullptr, nullptr,
                                                            realEstimates.data()));
                SeedUniformRandom(10);
                ASSERT_TRUE(kernel::intervalEstimates<PlainReal>(uStart, uStart + 20, uEnd, indexes.data(),
                                                                 values.data(), 300, bWithReplacement, nullptr, nullptr,
                                                                 plainEstimates.data()));
                EXPECT_EQ(realEstimates, plainEstimates);
            }
        }
    }
}

TEST(FastPath, InvalidValuesFallBackToTheRealPath)
{
    // Ordinary data with a shift, so that the result is neither 0 nor 100; one invalid
    // value in the segment makes the bootstrap take the Real path, whose answer it gives.
    std::vector<Real> values;
    SeedUniformRandom(4);
    for (int i = 0; i < 40; ++i) values.emplace_back((i < 20 ? 0.0 : 0.4) + UniformRandom());
    std::vector<std::uint32_t> indexes(40);

    // The public bootstrap's count, checked against the Real path's.
    auto expectReal = [&](std::uint32_t uStart, std::uint32_t uEnd, const Real& rRange) -> std::uint32_t {
        Real rConfidence;
        SeedUniformRandom(5);
        EXPECT_TRUE(BootstrapConfidence(rRange, uStart, uEnd, indexes.data(), values.data(), rConfidence, 500, true,
                                        nullptr, nullptr));
        std::uint32_t uCount = 0;
        SeedUniformRandom(5);
        EXPECT_TRUE(kernel::bootstrapCount<Real>(rRange, uStart, uEnd, indexes.data(), values.data(), 500, true,
                                                 nullptr, nullptr, uCount));
        EXPECT_EQ(rConfidence.value(), uCount * 100.0 / 500.0);
        return uCount;
    };

    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(0, 39, values.data(), rRange, uPosition);
    const std::uint32_t uValidCount = expectReal(0, 39, rRange);
    EXPECT_GT(uValidCount, 0u);
    EXPECT_LT(uValidCount, 500u);

    // Against the same valid range, trials that draw the invalid value have an invalid
    // range and never count; those that miss it (with replacement) still can.
    values[33].setMessage("Missing");
    const std::uint32_t uFallbackCount = expectReal(0, 39, rRange);
    EXPECT_LT(uFallbackCount, uValidCount);
    EXPECT_GT(uFallbackCount, 0u);

    // The interval of a neighbourhood with an invalid value follows the Real path too.
    std::uint32_t uLower = 0, uUpper = 0, uRealLower = 0, uRealUpper = 0;
    SeedUniformRandom(6);
    ASSERT_TRUE(ConfidenceInterval(0, 19, 39, indexes.data(), values.data(), uLower, uUpper, 200, 90.0, true, nullptr,
                                   nullptr));
    std::vector<std::uint32_t> estimates(200), order(200);
    SeedUniformRandom(6);
    ASSERT_TRUE(kernel::intervalEstimates<Real>(0, 19, 39, indexes.data(), values.data(), 200, true, nullptr, nullptr,
                                                estimates.data()));
    SortIndexesUnsigned(200, order.data(), estimates.data());
    uRealLower = estimates[order[9]];    // trunc(199 * 0.05)
    uRealUpper = estimates[order[189]];  // trunc(199 * 0.95)
    EXPECT_EQ(uLower, uRealLower);
    EXPECT_EQ(uUpper, uRealUpper);
}
