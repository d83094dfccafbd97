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

TEST(UniformRandom, SeededSequenceIsTheSubtractiveGeneratorOfKnuth)
{
    // Expected draws: the generator written out independently (in Python) from its
    // description, first five and thousandth value of each seed.
    struct Case {
        std::uint64_t uSeed;
        std::int64_t first[5];
        std::int64_t thousandth;
    };
    const Case cases[] = {
        {0, {613610054, 771029073, 127708320, 332307521, 293628346}, 22430551},
        {12345, {286927244, 168573148, 110750815, 501929436, 541651376}, 654086616},
        {999999999, {377913552, 163139438, 759625449, 747441614, 437553172}, 880378574},
    };
    for (const Case& c : cases) {
        SeedUniformRandom(c.uSeed);
        for (std::int64_t v : c.first) EXPECT_EQ(UniformRandom(), static_cast<double>(v) * 1e-9);
        for (int i = 6; i < 1000; ++i) UniformRandom();
        EXPECT_EQ(UniformRandom(), static_cast<double>(c.thousandth) * 1e-9);
    }
    // Seeds are taken mod 1e9.
    SeedUniformRandom(1000012345);
    EXPECT_EQ(UniformRandom(), 286927244 * 1e-9);

    SeedUniformRandom(7);
    for (int i = 0; i < 100000; ++i) {
        const double u = UniformRandom();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TEST(SortIndexes, OrdersByValueWithInvalidValuesLast)
{
    const std::vector<Real> values = {Real(3.0), Invalid("bad"), Real(-1.0), Real(2.0), Invalid("worse"), Real(0.0)};
    std::vector<std::uint32_t> order(values.size());
    SortIndexes(static_cast<std::uint32_t>(values.size()), order.data(), values.data());
    EXPECT_EQ(std::vector<std::uint32_t>(order.begin(), order.begin() + 4), (std::vector<std::uint32_t>{2, 5, 3, 0}));
    EXPECT_TRUE((order[4] == 1 && order[5] == 4) || (order[4] == 4 && order[5] == 1));

    std::uint32_t uOne = 99;
    SortIndexes(1, &uOne, values.data());
    EXPECT_EQ(uOne, 0u);

    // Every permutation of a small set comes out sorted, and each index appears once.
    std::vector<double> permutation = {5, 1, 4, 2, 3, 0, 6};
    do {
        std::vector<Real> series(permutation.begin(), permutation.end());
        std::vector<std::uint32_t> sorted(series.size());
        SortIndexes(7, sorted.data(), series.data());
        for (std::uint32_t i = 0; i < 7; ++i) ASSERT_EQ(series[sorted[i]].value(), i);
    } while (std::next_permutation(permutation.begin(), permutation.end()));

    const std::vector<std::uint32_t> unsignedValues = {40, 7, 7, 0, 12, 4000000000u};
    std::vector<std::uint32_t> unsignedOrder(unsignedValues.size());
    SortIndexesUnsigned(6, unsignedOrder.data(), unsignedValues.data());
    for (std::size_t i = 1; i < unsignedOrder.size(); ++i)
        EXPECT_LE(unsignedValues[unsignedOrder[i - 1]], unsignedValues[unsignedOrder[i]]);
}

TEST(ComputeRanks, GivesMidRanksToNearlyEqualValues)
{
    const auto values = Series({5, 3, 5, 1});
    std::vector<Real> ranks(4);
    ComputeRanks(4, values.data(), ranks.data());
    EXPECT_EQ(ranks[0].value(), 3.5);
    EXPECT_EQ(ranks[1].value(), 2.0);
    EXPECT_EQ(ranks[2].value(), 3.5);
    EXPECT_EQ(ranks[3].value(), 1.0);

    // Values within the relative tolerance are ties; three of them share rank 2.
    const auto near = Series({1.0, 2.0, 1.0000000000000002, 7.0, 0.9999999999999999});
    std::vector<Real> nearRanks(5);
    ComputeRanks(5, near.data(), nearRanks.data());
    EXPECT_EQ(nearRanks[0].value(), 2.0);
    EXPECT_EQ(nearRanks[2].value(), 2.0);
    EXPECT_EQ(nearRanks[4].value(), 2.0);
    EXPECT_EQ(nearRanks[1].value(), 4.0);
    EXPECT_EQ(nearRanks[3].value(), 5.0);

    // Invalid values are equal to nothing: each ranks alone, after the valid ones.
    const std::vector<Real> mixed = {Invalid("x"), Real(4.0), Invalid("y"), Real(4.0)};
    std::vector<Real> mixedRanks(4);
    ComputeRanks(4, mixed.data(), mixedRanks.data());
    EXPECT_EQ(mixedRanks[1].value(), 1.5);
    EXPECT_EQ(mixedRanks[3].value(), 1.5);
    EXPECT_EQ(mixedRanks[0].value() + mixedRanks[2].value(), 7.0);
    EXPECT_NE(mixedRanks[0].value(), mixedRanks[2].value());
}

TEST(SegmentStatistics, MeansAndMediansCarryInvalidValues)
{
    Real r;
    const auto values = Series({4, 1, 3, 2, 10});
    SegmentMedian(0, 3, values.data(), r);
    EXPECT_EQ(r.value(), 2.5);
    SegmentMedian(0, 4, values.data(), r);
    EXPECT_EQ(r.value(), 3.0);
    SegmentMedian(2, 2, values.data(), r);
    EXPECT_EQ(r.value(), 3.0);
    SegmentMean(1, 4, values.data(), r);
    EXPECT_EQ(r.value(), 4.0);
    const std::uint32_t indexes[] = {4, 4, 0, 1, 2};
    SegmentMeanIndexed(1, 3, indexes, values.data(), r);  // 10, 4, 1
    EXPECT_EQ(r.value(), 5.0);

    const std::vector<Real> withBad = {Real(1.0), Invalid("Missing"), Real(3.0), Real(2.0)};
    SegmentMedian(0, 3, withBad.data(), r);
    EXPECT_EQ(r.message(), "Missing");
    SegmentMedian(2, 3, withBad.data(), r);  // the bad value lies outside
    EXPECT_EQ(r.value(), 2.5);
    SegmentMean(0, 3, withBad.data(), r);
    EXPECT_EQ(r.message(), "Missing");

    // A sum beyond the range of Real overflows; the mean is then invalid.
    const auto huge = Series({9e153, 9e153, -9e153});
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

    // Through indexes: the reversed series changes at the same place.
    const std::uint32_t reversed[] = {7, 6, 5, 4, 3, 2, 1, 0};
    CusumRangeIndexed(0, 7, reversed, steps.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 20.0);
    EXPECT_EQ(uPosition, 3u);
    MseSplitIndexed(0, 7, reversed, steps.data(), uPosition);
    EXPECT_EQ(uPosition, 3u);

    // One value, and a constant segment, have range 0.
    CusumRange(5, 5, steps.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 0.0);
    EXPECT_EQ(uPosition, 5u);
    CusumRange(4, 7, steps.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 0.0);

    // Sums 1, 0, -1, 0: the maximum and minimum have equal size and the maximum wins.
    const auto updown = Series({1, -1, -1, 1});
    CusumRange(0, 3, updown.data(), rRange, uPosition);
    EXPECT_EQ(rRange.value(), 2.0);
    EXPECT_EQ(uPosition, 0u);

    // An invalid mean is the range; the position is not written.
    const std::vector<Real> withBad = {Real(1.0), Invalid("Missing"), Real(3.0)};
    uPosition = 77;
    CusumRange(0, 2, withBad.data(), rRange, uPosition);
    EXPECT_EQ(rRange.message(), "Missing");
    EXPECT_EQ(uPosition, 77u);
}

TEST(MseSplit, StaysInsideItsSegment)
{
    // No split beats 0 on an all-zero segment: the answer is the segment's first position.
    const auto zeros = Series({3, 1, 4, 1, 5, 0, 0, 0, 0, 0});
    std::uint32_t uPosition = 99;
    MseSplit(5, 9, zeros.data(), uPosition);
    EXPECT_EQ(uPosition, 5u);
    const std::uint32_t indexes[] = {0, 0, 0, 0, 0, 7, 5, 9, 6, 8};
    MseSplitIndexed(5, 9, indexes, zeros.data(), uPosition);
    EXPECT_EQ(uPosition, 5u);

    // Equal fits: the first one wins.
    const auto symmetric = Series({0, 1, 0});
    MseSplit(0, 2, symmetric.data(), uPosition);
    EXPECT_EQ(uPosition, 0u);

    // An invalid mean gives the segment's end.
    const std::vector<Real> withBad = {Real(1.0), Real(2.0), Invalid("Missing"), Real(3.0)};
    MseSplit(0, 3, withBad.data(), uPosition);
    EXPECT_EQ(uPosition, 3u);
}

TEST(Sampling, StaysInTheSegment)
{
    SeedUniformRandom(99);
    std::vector<std::uint32_t> slots(40, 12345);
    bool bRepeated = false;
    for (int trial = 0; trial < 200; ++trial) {
        SampleWithoutReplacement(10, 29, slots.data() + 10);
        std::vector<std::uint32_t> drawn(slots.begin() + 10, slots.begin() + 30);
        std::sort(drawn.begin(), drawn.end());
        for (std::uint32_t i = 0; i < 20; ++i) ASSERT_EQ(drawn[i], 10 + i);

        SampleWithReplacement(10, 29, slots.data() + 10);
        for (std::uint32_t i = 10; i < 30; ++i) ASSERT_TRUE(slots[i] >= 10 && slots[i] <= 29);
        std::vector<std::uint32_t> withReplacement(slots.begin() + 10, slots.begin() + 30);
        std::sort(withReplacement.begin(), withReplacement.end());
        bRepeated |= std::adjacent_find(withReplacement.begin(), withReplacement.end()) != withReplacement.end();
    }
    EXPECT_TRUE(bRepeated);
    // Slots outside the segment are never touched.
    EXPECT_EQ(slots[9], 12345u);
    EXPECT_EQ(slots[30], 12345u);

    // Every position of the segment turns up first in a shuffle now and then.
    std::vector<int> firstSeen(5, 0);
    for (int trial = 0; trial < 1000; ++trial) {
        SampleWithoutReplacement(0, 4, slots.data());
        ++firstSeen[slots[0]];
    }
    for (int count : firstSeen) EXPECT_GT(count, 120);

    SampleWithReplacement(3, 3, slots.data());
    EXPECT_EQ(slots[0], 3u);
}

TEST(BootstrapConfidence, CountsTrialsStrictlyBelowTheRange)
{
    std::vector<std::uint32_t> indexes(60);
    Real rConfidence(-1.0);

    // One value, and a constant segment: no trial can be strictly below 0.
    const auto constant = Series({2, 2, 2, 2, 2, 2});
    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(3, 3, constant.data(), rRange, uPosition);
    ASSERT_TRUE(
        BootstrapConfidence(rRange, 3, 3, indexes.data(), constant.data(), rConfidence, 1000, false, nullptr, nullptr));
    EXPECT_EQ(rConfidence.value(), 0.0);
    CusumRange(0, 5, constant.data(), rRange, uPosition);
    ASSERT_TRUE(
        BootstrapConfidence(rRange, 0, 5, indexes.data(), constant.data(), rConfidence, 1000, true, nullptr, nullptr));
    EXPECT_EQ(rConfidence.value(), 0.0);

    // An invalid value makes the range invalid, and nothing is below an invalid range.
    const std::vector<Real> withBad = {Real(1.0), Real(9.0), Invalid("Missing"), Real(1.0), Real(9.0)};
    CusumRange(0, 4, withBad.data(), rRange, uPosition);
    ASSERT_TRUE(
        BootstrapConfidence(rRange, 0, 4, indexes.data(), withBad.data(), rConfidence, 500, false, nullptr, nullptr));
    EXPECT_EQ(rConfidence.value(), 0.0);

    // The result divides in floating point: it is the count of the trials below the range,
    // drawn from the same generator in the same order, times 100 / N.
    std::vector<Real> noisy;
    for (int i = 0; i < 30; ++i) noisy.emplace_back((i % 7) * 0.5 + (i >= 15 ? 1.0 : 0.0));
    CusumRange(0, 29, noisy.data(), rRange, uPosition);
    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(2024);
        ASSERT_TRUE(BootstrapConfidence(rRange, 0, 29, indexes.data(), noisy.data(), rConfidence, 300, bWithReplacement,
                                        nullptr, nullptr));
        SeedUniformRandom(2024);
        std::uint32_t uBelow = 0;
        for (int t = 0; t < 300; ++t) {
            if (bWithReplacement)
                SampleWithReplacement(0, 29, indexes.data());
            else
                SampleWithoutReplacement(0, 29, indexes.data());
            Real rTrial;
            std::uint32_t uTrialPosition = 0;
            CusumRangeIndexed(0, 29, indexes.data(), noisy.data(), rTrial, uTrialPosition);
            if (rTrial < rRange) ++uBelow;
        }
        EXPECT_EQ(rConfidence.value(), uBelow * 100.0 / 300.0);
        EXPECT_GT(uBelow, 0u);
        EXPECT_LT(uBelow, 300u);
    }
}

TEST(BootstrapConfidence, ReportsProgressEveryHundredTrialsAndHalts)
{
    std::vector<Real> values;
    for (int i = 0; i < 20; ++i) values.emplace_back(i * 1.5);
    std::vector<std::uint32_t> indexes(20);
    Real rRange;
    std::uint32_t uPosition = 0;
    CusumRange(0, 19, values.data(), rRange, uPosition);

    StatusRecorder recorder;
    Real rConfidence;
    ASSERT_TRUE(BootstrapConfidence(rRange, 0, 19, indexes.data(), values.data(), rConfidence, 1000, false,
                                    &StatusRecorder::Callback, &recorder));
    ASSERT_EQ(recorder.calls.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(recorder.calls[i].iCode, scProgress);
        EXPECT_EQ(recorder.calls[i].sText, "");
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

TEST(ClearChanges, DeletesEveryRecord)
{
    ListPointers changes;
    for (std::uint32_t i = 0; i < 5; ++i) {
        auto* pChange = new ChangeStructure;
        pChange->uPosition = i;
        changes.append(pChange);
    }
    ClearChanges(changes);  // the sanitizer build reports a record left behind
    EXPECT_EQ(changes.count(), 0u);
    ClearChanges(changes);
    EXPECT_EQ(changes.count(), 0u);
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
    EXPECT_DEATH(SampleWithoutReplacement(3, 2, indexes),
                 "Assertion failed: uStart <= uEnd \\(ChangePointFunctions\\)");
}
