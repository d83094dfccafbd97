// The plain-double paths of the bootstrap give the same bits as the Real path, on data
// built to hit the edges: nearly equal values, sums that overflow, differences below the
// smallest valid magnitude, squares beyond the range, the largest and smallest moderate
// magnitudes side by side; and invalid values send the bootstrap down the Real path.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <type_traits>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "analysis/ChangePointKernels.h"
#include "analysis/TrialKernels.h"
#include "analysis/WideKernels.h"
#include "foundation/Real.h"

using namespace HalvrennInc;
using kernel::DirectPositions;
using kernel::IndexedPositions;
using kernel::ModerateReal;
using kernel::PlainReal;

namespace {

constexpr int kKinds = 6;

//! Series of one kind of awkward value each; kind 4 mixes every kind with ordinary values.
std::vector<Real> AwkwardSeries(int iKind, std::uint64_t uSeed)
{
    std::mt19937_64 random(uSeed);
    std::vector<Real> values;
    while (values.size() < 64) {
        const int k = static_cast<int>(random() % 1000);
        const double sign = k % 2 ? -1.0 : 1.0;
        switch (iKind == 4 ? k % 6 : iKind) {
            case 0: values.emplace_back((k % 3 ? 1.0 : 1e5) * (1.0 + (k % 7 - 3) * 0x1p-52)); break;  // nearly equal
            case 1: values.emplace_back(sign * (1.0 + k % 9) * 1e153); break;  // sums leave the range
            case 2: values.emplace_back(k % 5 ? sign * (2.0 + (k % 13) * 0.25) * 1e-154 : 0.0); break;  // flush to 0
            case 3: values.emplace_back(sign * (1.0 + k % 17) * 1e76); break;  // squares leave the range
            case 5:  // the largest and smallest moderate magnitudes, give or take a few units
                values.emplace_back(k % 4 == 0 ? 0.0
                                    : k % 3    ? sign * 1e30 * (1.0 - (k % 5) * 0x1p-52)
                                               : sign * 1e-30 * (1.0 + (k % 5) * 0x1p-52));
                break;
            default: values.emplace_back(std::uniform_real_distribution<double>(-10.0, 10.0)(random));
        }
    }
    return values;
}

//! Whether the bootstrap takes the unguarded path on prValues[uStart..uEnd].
bool Moderate(std::uint32_t uStart, std::uint32_t uEnd, const std::vector<Real>& values)
{
    return kernel::WithNumberType(uStart, uEnd, values.data(),
                                  [](auto number) { return std::is_same_v<decltype(number), ModerateReal>; });
}

//! Both invalid (the plain path has no message), or both valid with the same bits.
template <class Plain>
::testing::AssertionResult Same(const Real& r, Plain p)
{
    if (!r.isValid() && !p.isValid()) return ::testing::AssertionSuccess();
    if (r.isValid() && std::bit_cast<std::uint64_t>(r.value()) == std::bit_cast<std::uint64_t>(p.d))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Real " << r.value() << (r.isValid() ? "" : " (invalid)") << ", plain "
                                         << p.d;
}

}  // namespace

TEST(FastPath, PlainArithmeticFollowsTheGuardedStore)
{
    const double operands[] = {0.0,    -0.0,  1.0,  1e154,  -1e154, 9e153, 2e-154,       -2e-154,
                               3e-154, 1e-77, 1e77, 1.5e77, 1e-100, 3.5,   1.0 + 0x1p-52};
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
    const PlainReal invalid(1e200), one(1.0);  // NaN: propagates, and every comparison is false
    EXPECT_FALSE((invalid + one).isValid());
    EXPECT_FALSE(invalid < one || invalid > one || invalid >= one || one < invalid || one >= invalid);
}

TEST(FastPath, SegmentKernelsGiveTheSameBits)
{
    std::mt19937_64 random(31);
    int iInvalidMeans = 0, iModerate = 0;
    // The kernels of one number type against those of Real over a segment.
    auto compare = [](auto number, std::uint32_t uStart, std::uint32_t uEnd, const std::vector<std::uint32_t>& indexes,
                      const std::vector<Real>& values) {
        using Number = decltype(number);
        const IndexedPositions at{indexes.data()};
        ASSERT_TRUE(Same(kernel::segmentMean<Real>(uStart, uEnd, at, values.data()),
                         kernel::segmentMean<Number>(uStart, uEnd, at, values.data())));
        std::uint32_t uReal = 1111, uPlain = 1111;
        ASSERT_TRUE(Same(kernel::cusumRange<Real>(uStart, uEnd, at, values.data(), uReal),
                         kernel::cusumRange<Number>(uStart, uEnd, at, values.data(), uPlain)));
        ASSERT_EQ(uReal, uPlain);
        ASSERT_TRUE(Same(kernel::cusumRange<Real>(uStart, uEnd, DirectPositions{}, values.data(), uReal),
                         kernel::cusumRange<Number>(uStart, uEnd, DirectPositions{}, values.data(), uPlain)));
        ASSERT_EQ(uReal, uPlain);
        ASSERT_EQ(kernel::mseSplit<Real>(uStart, uEnd, at, values.data()),
                  kernel::mseSplit<Number>(uStart, uEnd, at, values.data()));
    };
    for (int iKind = 0; iKind < kKinds; ++iKind) {
        const auto values = AwkwardSeries(iKind, 1 + iKind);
        std::vector<std::uint32_t> indexes(64);
        for (int trial = 0; trial < 400; ++trial) {
            const auto uStart = static_cast<std::uint32_t>(random() % 60);
            const auto uEnd = uStart + 1 + static_cast<std::uint32_t>(random() % (63 - uStart));
            for (std::uint32_t i = uStart; i <= uEnd; ++i)
                indexes[i] = uStart + static_cast<std::uint32_t>(random() % (uEnd - uStart + 1));
            compare(PlainReal(), uStart, uEnd, indexes, values);
            if (Moderate(uStart, uEnd, values)) {
                compare(ModerateReal(), uStart, uEnd, indexes, values);
                ++iModerate;
            }
            iInvalidMeans += !kernel::segmentMean<Real>(uStart, uEnd, DirectPositions{}, values.data()).isValid();
        }
    }
    EXPECT_GT(iInvalidMeans, 50);  // the data reach beyond the range as well
    EXPECT_GT(iModerate, 800);
}

TEST(FastPath, BootstrapAndIntervalTrialsGiveTheSameResults)
{
    auto trials = [](auto number, const std::vector<Real>& values, const Real& rRange, bool bWithReplacement) {
        using Number = decltype(number);
        std::vector<std::uint32_t> indexes(64), estimates(300);
        std::uint32_t uCount = 0;
        SeedUniformRandom(9);
        kernel::bootstrapCount<Number>(rRange, 7, 47, indexes.data(), values.data(), 300, bWithReplacement, nullptr,
                                       nullptr, SharedRandomStream(), uCount);
        kernel::intervalEstimates<Number>(7, 27, 47, indexes.data(), values.data(), 300, bWithReplacement, nullptr,
                                          nullptr, SharedRandomStream(), estimates.data());
        estimates.push_back(uCount);
        return estimates;
    };
    for (int iKind = 0; iKind < kKinds; ++iKind) {
        const auto values = AwkwardSeries(iKind, 100 + iKind);
        Real rRange;
        std::uint32_t uPosition = 0;
        CusumRange(7, 47, values.data(), rRange, uPosition);
        for (bool bWithReplacement : {false, true}) {
            const auto real = trials(Real(), values, rRange, bWithReplacement);
            EXPECT_EQ(real, trials(PlainReal(), values, rRange, bWithReplacement)) << iKind;
            if (Moderate(7, 47, values)) {
                EXPECT_EQ(real, trials(ModerateReal(), values, rRange, bWithReplacement)) << iKind;
            }
        }
    }
}

TEST(FastPath, TheUnguardedPathIsTakenOnlyForModerateMagnitudes)
{
    const double dFirst = 5.0;
    for (double x : {0.0, 1e-30, -1e30, 3.0}) {
        const std::vector<Real> values = {Real(dFirst), Real(x)};
        EXPECT_TRUE(Moderate(0, 1, values)) << x;
    }
    for (double x : {9.9e-31, -1.01e30, 1e100}) {
        const std::vector<Real> values = {Real(dFirst), Real(x)};
        EXPECT_FALSE(Moderate(0, 1, values)) << x;
    }
}

TEST(FastPath, InvalidValuesFallBackToTheRealPath)
{
    std::vector<Real> values;
    SeedUniformRandom(4);
    for (int i = 0; i < 40; ++i) values.emplace_back((i < 20 ? 0.0 : 0.4) + UniformRandom());
    std::vector<std::uint32_t> indexes(40);
    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(0, 39, values.data(), rRange, uPosition);
    // The public bootstrap's count, and the Real path's.
    auto counts = [&]() {
        Real rConfidence;
        std::uint32_t uCount = 0;
        SeedUniformRandom(5);
        EXPECT_TRUE(BootstrapConfidence(rRange, 0, 39, indexes.data(), values.data(), rConfidence, 500, true, nullptr,
                                        nullptr));
        SeedUniformRandom(5);
        kernel::bootstrapCount<Real>(rRange, 0, 39, indexes.data(), values.data(), 500, true, nullptr, nullptr,
                                     SharedRandomStream(), uCount);
        return std::make_pair(rConfidence.value(), uCount * 100.0 / 500.0);
    };
    const auto valid = counts();
    EXPECT_EQ(valid.first, valid.second);
    // Trials that draw the invalid value have an invalid range and never count; those
    // that miss it (with replacement) still can.
    values[33].setMessage("Missing");
    const auto fallback = counts();
    EXPECT_EQ(fallback.first, fallback.second);
    EXPECT_TRUE(fallback.first > 0.0 && fallback.first < valid.first);

    std::uint32_t uLower = 0, uUpper = 0;
    std::vector<std::uint32_t> estimates(200), order(200);
    SeedUniformRandom(6);
    ConfidenceInterval(0, 19, 39, indexes.data(), values.data(), uLower, uUpper, 200, 90.0, true, nullptr, nullptr);
    SeedUniformRandom(6);
    kernel::intervalEstimates<Real>(0, 19, 39, indexes.data(), values.data(), 200, true, nullptr, nullptr,
                                    SharedRandomStream(), estimates.data());
    SortIndexesUnsigned(200, order.data(), estimates.data());
    EXPECT_EQ(uLower, estimates[order[9]]);    // trunc(199 * 0.05)
    EXPECT_EQ(uUpper, estimates[order[189]]);  // trunc(199 * 0.95)
}

TEST(FastPath, WideKernelsGiveEachTrialTheBitsOfTheOneTrialKernels)
{
    if (!kernel::wide::Enabled()) GTEST_SKIP() << "the processor has no AVX2 and FMA";
    using Number = ModerateReal;
    // Moderate values only: the nearly equal kind (ties of the fits and of the CUSUM's
    // extremes), the moderate extremes with zeros, ordinary values, all equal, all zero.
    std::vector<std::vector<double>> shapes;
    for (int iKind : {0, 5, 6}) {
        std::vector<double> values;
        for (const Real& r : AwkwardSeries(iKind, 9)) values.push_back(r.value());
        shapes.push_back(values);
    }
    shapes.emplace_back(64, 0.1);
    shapes.emplace_back(64, 0.0);
    for (const std::vector<double>& shape : shapes) {
        for (std::uint32_t uCount : {8u, 9u, 13u, 64u}) {
            for (bool bWithReplacement : {false, true}) {
                const double* const pValues = shape.data();
                RandomStream portable(11), wide(11);
                std::vector<double> buffer(2 * uCount), space(kernel::wide::BootstrapSpace(uCount));
                for (int iGroup = 0; iGroup < 30; ++iGroup) {
                    // Four one-trial resamples and their ranges; the wide count at a
                    // threshold between them (and at one of them, a tie) must agree.
                    std::vector<Number> ranges;
                    std::vector<double> lanes(4 * std::size_t{uCount});
                    double means[4], wideRanges[4];
                    for (int k = 0; k < 4; ++k) {
                        const Number sum =
                            bWithReplacement
                                ? kernel::ResampleValues<Number, true>(pValues, uCount, buffer.data(), portable,
                                                                       buffer.data() + uCount, Number(0.0))
                                : kernel::ResampleValues<Number, false>(pValues, uCount, buffer.data(), portable,
                                                                        buffer.data() + uCount, Number(0.0));
                        ranges.push_back(kernel::CusumRangeOf(buffer.data(), uCount, sum / Number(uCount)));
                        means[k] = (sum / Number(uCount)).d;
                        for (std::uint32_t i = 0; i < uCount; ++i) lanes[4 * i + k] = buffer[i];
                    }
                    kernel::wide::CusumRangesOfFour(lanes.data(), uCount, means, wideRanges);
                    for (int k = 0; k < 4; ++k)
                        ASSERT_EQ(std::bit_cast<std::uint64_t>(wideRanges[k]),
                                  std::bit_cast<std::uint64_t>(ranges[k].d));
                    const Number threshold = ranges[iGroup % 4];
                    unsigned uBelow = 0;
                    for (const Number& range : ranges) uBelow += range < threshold;
                    EXPECT_EQ(kernel::wide::BootstrapFour(pValues, uCount, threshold.d, bWithReplacement, wide,
                                                          space.data(), iGroup > 0),
                              uBelow)
                        << uCount << " values, group " << iGroup;
                    ASSERT_TRUE(portable == wide);
                }
                for (std::uint32_t uLeft : {1u, uCount / 3, uCount - 1}) {
                    for (int iPair = 0; iPair < 30; ++iPair) {
                        std::uint32_t expected[2];
                        for (std::uint32_t& uSplit : expected) {
                            auto resample = [&](const double* p, std::uint32_t n, double* pOut, Number sum) {
                                return bWithReplacement ? kernel::ResampleValues<Number, true>(
                                                              p, n, pOut, portable, buffer.data() + uCount, sum)
                                                        : kernel::ResampleValues<Number, false>(
                                                              p, n, pOut, portable, buffer.data() + uCount, sum);
                            };
                            Number sum = resample(pValues, uLeft, buffer.data(), Number(0.0));
                            sum = resample(pValues + uLeft, uCount - uLeft, buffer.data() + uLeft, sum);
                            uSplit = kernel::MseSplitOf(buffer.data(), uCount, sum);
                        }
                        std::uint32_t splits[2];
                        kernel::wide::IntervalTwo(pValues, uLeft, uCount, bWithReplacement, wide, space.data(), splits,
                                                  iPair > 0);
                        EXPECT_EQ(splits[0], expected[0]) << uCount << " values, left " << uLeft << ", pair " << iPair;
                        EXPECT_EQ(splits[1], expected[1]) << uCount << " values, left " << uLeft << ", pair " << iPair;
                        ASSERT_TRUE(portable == wide);
                    }
                }
            }
        }
    }
}
