// The change-point statistics: generator, sorting, ranks, medians, CUSUM, least-squares
// split, resampling, bootstrap confidence and the precondition checks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "StatusRecorder.h"
#include "analysis/ChangePointFunctions.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {
std::vector<Real> Series(std::initializer_list<double> values)
{
    return {values.begin(), values.end()};
}
Real Invalid(const char* psMessage)
{
    Real r;
    r.setMessage(psMessage);
    return r;
}
}  // namespace

TEST(UniformRandom, SeededSequenceIsKnuthsSubtractiveGenerator)
{
    // First draws and the thousandth of two seeds, from the generator written out
    // independently (in Python) from its description.
    SeedUniformRandom(12345);
    EXPECT_EQ(UniformRandom(), 286927244 * 1e-9);
    EXPECT_EQ(UniformRandom(), 168573148 * 1e-9);
    for (int i = 3; i < 1000; ++i) UniformRandom();
    EXPECT_EQ(UniformRandom(), 654086616 * 1e-9);
    SeedUniformRandom(999999999);
    EXPECT_EQ(UniformRandom(), 377913552 * 1e-9);
    SeedUniformRandom(1000012345);  // seeds are taken mod 1e9
    EXPECT_EQ(UniformRandom(), 286927244 * 1e-9);
    for (int i = 0; i < 100000; ++i) {
        const double u = UniformRandom();
        ASSERT_TRUE(u >= 0.0 && u < 1.0);
    }
}

TEST(SortIndexes, OrdersByValueWithInvalidValuesLast)
{
    const std::vector<Real> values = {Real(3.0), Invalid("bad"), Real(-1.0), Real(2.0), Invalid("worse"), Real(0.0)};
    std::vector<std::uint32_t> order(6);
    SortIndexes(6, order.data(), values.data());
    EXPECT_EQ(std::vector<std::uint32_t>(order.begin(), order.begin() + 4), (std::vector<std::uint32_t>{2, 5, 3, 0}));
    EXPECT_EQ(order[4] + order[5], 5u);  // the two invalid ones, in either order
    std::uint32_t uOne = 99;
    SortIndexes(1, &uOne, values.data());
    EXPECT_EQ(uOne, 0u);

    // Every order of seven values comes out sorted, for Reals and for unsigned values.
    std::vector<std::uint32_t> permutation = {5, 1, 4, 2, 3, 0, 6};
    do {
        const std::vector<Real> series(permutation.begin(), permutation.end());
        std::vector<std::uint32_t> sorted(7), sortedUnsigned(7);
        SortIndexes(7, sorted.data(), series.data());
        SortIndexesUnsigned(7, sortedUnsigned.data(), permutation.data());
        for (std::uint32_t i = 0; i < 7; ++i) {
            ASSERT_EQ(series[sorted[i]].value(), i);
            ASSERT_EQ(permutation[sortedUnsigned[i]], i);
        }
    } while (std::next_permutation(permutation.begin(), permutation.end()));
}

TEST(ComputeRanks, GivesMidRanksToNearlyEqualValues)
{
    const auto values = Series({5, 3, 5, 1});
    std::vector<Real> ranks(4);
    ComputeRanks(4, values.data(), ranks.data());
    EXPECT_EQ(ranks, Series({3.5, 2, 3.5, 1}));

    // Values within the relative tolerance tie: three share rank 2.
    const auto near = Series({1.0, 2.0, 1.0000000000000002, 7.0, 0.9999999999999999});
    ranks.resize(5);
    ComputeRanks(5, near.data(), ranks.data());
    EXPECT_EQ(ranks, Series({2, 4, 2, 5, 2}));
    // A run is measured from its first value: 1 + 4 ulp ties with 1, 1 + 8 ulp does not,
    // though it is near 1 + 4 ulp.
    const double dUlp = 0x1p-52;
    const auto chain = Series({1.0 + 8 * dUlp, 1.0, 1.0 + 4 * dUlp, 5.0});
    ranks.resize(4);
    ComputeRanks(4, chain.data(), ranks.data());
    EXPECT_EQ(ranks, Series({3, 1.5, 1.5, 4}));

    // Invalid values equal nothing: each ranks alone, after the valid ones.
    const std::vector<Real> mixed = {Invalid("x"), Real(4.0), Invalid("y"), Real(4.0)};
    ranks.resize(4);
    ComputeRanks(4, mixed.data(), ranks.data());
    EXPECT_EQ(ranks[1].value(), 1.5);
    EXPECT_EQ(ranks[3].value(), 1.5);
    EXPECT_EQ(std::min(ranks[0].value(), ranks[2].value()), 3.0);
    EXPECT_EQ(std::max(ranks[0].value(), ranks[2].value()), 4.0);
}

TEST(SegmentStatistics, MeansAndMediansCarryInvalidValues)
{
    Real r;
    const auto values = Series({4, 1, 3, 2, 10});
    SegmentMedian(0, 3, values.data(), r);
    EXPECT_EQ(r.value(), 2.5);
    SegmentMedian(0, 4, values.data(), r);
    EXPECT_EQ(r.value(), 3.0);
    const std::uint32_t indexes[] = {4, 4, 0, 1, 2};
    SegmentMeanIndexed(1, 3, indexes, values.data(), r);  // 10, 4, 1
    EXPECT_EQ(r.value(), 5.0);

    const std::vector<Real> withBad = {Real(1.0), Invalid("Missing"), Real(3.0), Real(2.0)};
    SegmentMedian(0, 3, withBad.data(), r);
    EXPECT_EQ(r.message(), "Missing");
    SegmentMedian(2, 3, withBad.data(), r);
    EXPECT_EQ(r.value(), 2.5);
    SegmentMean(0, 3, withBad.data(), r);
    EXPECT_EQ(r.message(), "Missing");
    const auto huge = Series({9e153, 9e153, -9e153});  // the running sum leaves the range
    SegmentMean(0, 2, huge.data(), r);
    EXPECT_EQ(r.message(), "Overflow");
}

TEST(CusumRange, FindsTheRangeAndPositionOfTheShift)
{
    const auto steps = Series({0, 0, 0, 0, 10, 10, 10, 10});  // sums -5 -10 -15 -20 -15 -10 -5 0
    Real rRange;
    std::uint32_t uPosition = 99;
    CusumRange(0, 7, steps.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 20.0);
    EXPECT_EQ(uPosition, 3u);
    MseSplit(0, 7, steps.data(), uPosition);
    EXPECT_EQ(uPosition, 3u);
    const std::uint32_t reversed[] = {7, 6, 5, 4, 3, 2, 1, 0};
    CusumRangeIndexed(0, 7, reversed, steps.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 20.0);
    EXPECT_EQ(uPosition, 3u);
    MseSplitIndexed(0, 7, reversed, steps.data(), uPosition);
    EXPECT_EQ(uPosition, 3u);

    CusumRange(5, 5, steps.data(), rRange, uPosition);  // one value
    EXPECT_EQ(rRange.value(), 0.0);
    CusumRange(4, 7, steps.data(), rRange, uPosition);  // constant
    EXPECT_EQ(rRange.value(), 0.0);
    const auto updown = Series({1, -1, -1, 1});  // sums 1 0 -1 0: equal sizes, the maximum wins
    CusumRange(0, 3, updown.data(), rRange, uPosition);
    EXPECT_EQ(uPosition, 0u);

    // An invalid mean is the range, and the position is not written.
    const std::vector<Real> withBad = {Real(1.0), Invalid("Missing"), Real(3.0)};
    uPosition = 77;
    CusumRange(0, 2, withBad.data(), rRange, uPosition);
    EXPECT_EQ(rRange.message(), "Missing");
    EXPECT_EQ(uPosition, 77u);
    MseSplit(0, 2, withBad.data(), uPosition);
    EXPECT_EQ(uPosition, 2u);
}

TEST(MseSplit, AnAllZeroSegmentSplitsAtItsOwnStart)
{
    // No split beats 0; the answer must still lie inside the segment.
    const auto zeros = Series({3, 1, 4, 1, 5, 0, 0, 0, 0, 0});
    std::uint32_t uPosition = 99;
    MseSplit(5, 9, zeros.data(), uPosition);
    EXPECT_EQ(uPosition, 5u);
    const std::uint32_t indexes[] = {0, 0, 0, 0, 0, 7, 5, 9, 6, 8};
    MseSplitIndexed(5, 9, indexes, zeros.data(), uPosition);
    EXPECT_EQ(uPosition, 5u);
}

TEST(Sampling, DrawsOnlyFromTheSegment)
{
    SeedUniformRandom(99);
    std::vector<std::uint32_t> slots(40, 12345);
    bool bRepeated = false;
    std::vector<int> firstSeen(20, 0);
    for (int trial = 0; trial < 400; ++trial) {
        SampleWithoutReplacement(10, 29, slots.data() + 10);
        ++firstSeen[slots[10] - 10];
        std::vector<std::uint32_t> drawn(slots.begin() + 10, slots.begin() + 30);
        std::sort(drawn.begin(), drawn.end());
        for (std::uint32_t i = 0; i < 20; ++i) ASSERT_EQ(drawn[i], 10 + i);

        SampleWithReplacement(10, 29, slots.data() + 10);
        drawn.assign(slots.begin() + 10, slots.begin() + 30);
        std::sort(drawn.begin(), drawn.end());
        ASSERT_TRUE(drawn.front() >= 10 && drawn.back() <= 29);
        bRepeated |= std::adjacent_find(drawn.begin(), drawn.end()) != drawn.end();
    }
    EXPECT_TRUE(bRepeated);
    EXPECT_EQ(slots[9], 12345u);  // nothing outside the segment is written
    EXPECT_EQ(slots[30], 12345u);
    for (int count : firstSeen) EXPECT_GT(count, 5);  // every value gets to the front
}

TEST(BootstrapConfidence, CountsTrialsStrictlyBelowTheRange)
{
    std::vector<std::uint32_t> indexes(30);
    Real rRange, rConfidence(-1.0);
    std::uint32_t uPosition = 0;
    auto confidence = [&](const std::vector<Real>& values, std::uint32_t uStart, std::uint32_t uEnd,
                          bool bWithReplacement) {
        CusumRange(uStart, uEnd, values.data(), rRange, uPosition);
        EXPECT_TRUE(BootstrapConfidence(rRange, uStart, uEnd, indexes.data(), values.data(), rConfidence, 300,
                                        bWithReplacement, nullptr, nullptr));
        return rConfidence.value();
    };
    // One value, a constant segment, and an invalid range: no trial is strictly below.
    const auto constant = Series({2, 2, 2, 2, 2, 2});
    EXPECT_EQ(confidence(constant, 3, 3, false), 0.0);
    EXPECT_EQ(confidence(constant, 0, 5, true), 0.0);
    EXPECT_EQ(confidence({Real(1.0), Real(9.0), Invalid("Missing"), Real(1.0)}, 0, 3, false), 0.0);

    // The result is the count of the trials below the range, drawn in the same order,
    // times 100 / N in floating point (not rounded to a whole percent).
    std::vector<Real> noisy;
    for (int i = 0; i < 30; ++i) noisy.emplace_back((i % 7) * 0.5 + (i >= 15 ? 1.0 : 0.0));
    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(2031);
        const double dConfidence = confidence(noisy, 0, 29, bWithReplacement);
        SeedUniformRandom(2031);
        std::uint32_t uBelow = 0;
        for (int t = 0; t < 300; ++t) {
            if (bWithReplacement)
                SampleWithReplacement(0, 29, indexes.data());
            else
                SampleWithoutReplacement(0, 29, indexes.data());
            Real rTrial;
            CusumRangeIndexed(0, 29, indexes.data(), noisy.data(), rTrial, uPosition);
            if (rTrial < rRange) ++uBelow;
        }
        EXPECT_EQ(dConfidence, uBelow * 100.0 / 300.0);
        EXPECT_NE(uBelow % 3, 0u);  // so the percentage has a fraction
    }
}

TEST(BootstrapConfidence, ReportsProgressEveryHundredTrialsAndHalts)
{
    std::vector<Real> values;
    for (int i = 0; i < 20; ++i) values.emplace_back(i * 1.5);
    std::vector<std::uint32_t> indexes(20);
    Real rRange, rConfidence;
    std::uint32_t uPosition = 0;
    CusumRange(0, 19, values.data(), rRange, uPosition);
    StatusRecorder recorder;
    ASSERT_TRUE(BootstrapConfidence(rRange, 0, 19, indexes.data(), values.data(), rConfidence, 1000, false,
                                    &StatusRecorder::Callback, &recorder));
    ASSERT_EQ(recorder.calls.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(recorder.calls[i].iCode, scProgress);
        EXPECT_EQ(recorder.calls[i].dPercent, 10.0 * (i + 1));
    }
    // A halt stops the trials and leaves the result as it was.
    StatusRecorder halting;
    halting.haltAtCall(3);
    Real rUntouched(-5.0);
    EXPECT_FALSE(BootstrapConfidence(rRange, 0, 19, indexes.data(), values.data(), rUntouched, 1000, true,
                                     &StatusRecorder::Callback, &halting));
    EXPECT_EQ(halting.calls.size(), 3u);
    EXPECT_EQ(rUntouched.value(), -5.0);
}

TEST(PreconditionsDeathTest, NameTheConditionAndTheUnit)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto values = Series({1, 2, 3});
    std::uint32_t indexes[3] = {};
    std::uint32_t uPosition = 0;
    Real r;
    EXPECT_DEATH(SegmentMean(2, 1, values.data(), r), "Assertion failed: uStart <= uEnd \\(ChangePointFunctions\\)");
    EXPECT_DEATH(MseSplit(1, 1, values.data(), uPosition),
                 "Assertion failed: uStart < uEnd \\(ChangePointFunctions\\)");
    EXPECT_DEATH(SortIndexes(0, indexes, values.data()), "Assertion failed: uNumber > 0 \\(ChangePointFunctions\\)");
    EXPECT_DEATH(CusumRange(0, 2, nullptr, r, uPosition), "Assertion failed: prValues \\(ChangePointFunctions\\)");
    EXPECT_DEATH(SampleWithReplacement(0, 2, nullptr), "Assertion failed: puIndexes \\(ChangePointFunctions\\)");
    EXPECT_DEATH(ComputeRanks(3, values.data(), nullptr), "Assertion failed: prRanks \\(ChangePointFunctions\\)");
    EXPECT_DEATH(SortIndexesUnsigned(3, indexes, nullptr), "Assertion failed: puValues \\(ChangePointFunctions\\)");
}
