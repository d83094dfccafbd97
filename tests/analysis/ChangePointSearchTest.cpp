// The change-point procedure: candidate search, re-estimation, confidence levels,
// reduction, intervals, halting; and the two assumption tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "StatusRecorder.h"
#include "analysis/ChangePointFunctions.h"
#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {

const char* const kStages[] = {
    "Searching for Candidate Change-Points", "Adjusting Estimates of Change-Points", "Determining Confidence Levels",
    "Reducing Number of Change-Points",      "Constructing Confidence Intervals",
};

//! Runs of constant level plus a small fixed wobble, so that no two neighbours are equal.
std::vector<Real> Steps(std::initializer_list<std::pair<int, double>> runs)
{
    std::vector<Real> values;
    for (const auto& [length, level] : runs)
        for (int i = 0; i < length; ++i) values.emplace_back(level + (values.size() * 37 % 11) / 10.0 - 0.5);
    return values;
}

struct ChangeList : ListPointers {
    ~ChangeList() override { ClearChanges(*this); }
    const ChangeStructure& operator[](std::uint32_t k) const { return *itemAs<ChangeStructure>(k); }
};

//! The whole procedure with 1000 trials, level 90, interval 95.
bool Analyze(const std::vector<Real>& values, ChangeList& changes, StatusRecorder* pRecorder = nullptr,
             bool bWithReplacement = false, const char* psName = nullptr)
{
    return AnalyzeChanges(0, static_cast<std::uint32_t>(values.size() - 1), values.data(), changes, 1000, 90.0, 95.0,
                          bWithReplacement, psName, pRecorder ? &StatusRecorder::Callback : nullptr, pRecorder);
}

}  // namespace

TEST(AnalyzeChanges, FindsOneClearShiftWithAnIntervalAroundIt)
{
    const auto values = Steps({{25, 10.0}, {25, 20.0}});
    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(11);
        ChangeList changes;
        ASSERT_TRUE(Analyze(values, changes, nullptr, bWithReplacement));
        ASSERT_EQ(changes.count(), 1u);
        EXPECT_EQ(changes[1].uPosition, 24u);
        EXPECT_GE(changes[1].rConfidence.value(), 99.0);
        EXPECT_EQ(changes[1].uLevel, 1u);
        EXPECT_TRUE(changes[1].uIntervalLower <= 24 && changes[1].uIntervalLower >= 20);
        EXPECT_TRUE(changes[1].uIntervalUpper >= 24 && changes[1].uIntervalUpper <= 28);
    }
}

TEST(AnalyzeChanges, FindsNestedChangesInOrderOfPosition)
{
    // The larger shift is split first (level 1), the smaller one inside its half (level 2).
    SeedUniformRandom(3);
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(Steps({{20, 0.0}, {20, 10.0}, {20, 40.0}}), changes, &recorder));
    ASSERT_EQ(changes.count(), 2u);
    EXPECT_EQ(changes[1].uPosition, 19u);
    EXPECT_EQ(changes[1].uLevel, 2u);
    EXPECT_EQ(changes[2].uPosition, 39u);
    EXPECT_EQ(changes[2].uLevel, 1u);
    // The search's last counters: two changes found, no segment left.
    std::string sFound, sRemaining;
    for (const auto& call : recorder.stage(kStages[0])) {
        if (call.iCode == scFirstCounter) sFound = call.sText;
        if (call.iCode == scSecondCounter) sRemaining = call.sText;
    }
    EXPECT_EQ(sFound, "2");
    EXPECT_EQ(sRemaining, "0");
}

TEST(AnalyzeChanges, FindsNothingWithoutAShiftOrWithAnInvalidValue)
{
    const std::vector<Real> constant(12, Real(5.0));
    ChangeList changes;
    changes.append(new ChangeStructure);  // the list is emptied first
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(constant, changes, &recorder));
    EXPECT_EQ(changes.count(), 0u);
    // The later stages announce themselves and have nothing to do.
    for (int i = 2; i < 5; ++i) EXPECT_EQ(recorder.stage(kStages[i]).size(), 1u) << kStages[i];

    auto withBad = Steps({{25, 10.0}, {25, 20.0}});
    withBad[30].setMessage("Missing");
    ASSERT_TRUE(Analyze(withBad, changes));
    EXPECT_EQ(changes.count(), 0u);
}

TEST(AnalyzeChanges, ReportsItsStagesInOrder)
{
    const auto values = Steps({{25, 10.0}, {25, 20.0}});
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(values, changes, &recorder, false, "Variation"));
    const std::pair<int, std::string> opening[] = {
        {scTitle, "Please Wait - Analyzing Variation"},
        {scHeading, kStages[0]},
        {scFirstLabel, "Changes Found:"},
        {scSecondLabel, "Segments Remaining:"},
        {scFirstCounter, "0"},
        {scSecondCounter, "1"},
        {scProgress, ""},
    };
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(recorder.calls[i].iCode, opening[i].first) << i;
        EXPECT_EQ(recorder.calls[i].sText, opening[i].second) << i;
    }
    std::vector<std::string> headings;
    for (const auto& call : recorder.calls)
        if (call.iCode == scHeading) headings.push_back(call.sText);
    EXPECT_EQ(headings, std::vector<std::string>(std::begin(kStages), std::end(kStages)));
    EXPECT_EQ(recorder.stage(kStages[1]).front().sText, "Estimates Remaining:");
    EXPECT_EQ(recorder.stage(kStages[2]).front().sText, "Confidence Levels Remaining:");
    EXPECT_EQ(recorder.stage(kStages[3]).front().sText, "Change-points Remaining:");
    // The intervals: label, count, reset, then the trials' progress at i + 1 = 100, 200,
    // ... as i * 100 / N.
    const auto intervals = recorder.stage(kStages[4]);
    ASSERT_EQ(intervals.size(), 13u);
    EXPECT_EQ(intervals[0].sText, "Intervals Remaining:");
    EXPECT_EQ(intervals[1].sText, "1");
    EXPECT_EQ(intervals[3].dPercent, 9.9);
    EXPECT_EQ(intervals[12].dPercent, 99.9);

    StatusRecorder unnamed;
    ASSERT_TRUE(Analyze(values, changes, &unnamed));
    EXPECT_EQ(unnamed.calls.front().sText, "Please Wait - Analyzing Values");
}

TEST(AnalyzeChanges, HaltingInAnyStageLeavesNoChanges)
{
    const auto values = Steps({{20, 0.0}, {20, 10.0}, {20, 40.0}});
    for (const char* psStage : kStages) {
        for (std::size_t uDelay : {0u, 2u, 4u}) {  // at the heading, and a few calls into the stage
            StatusRecorder recorder;
            std::size_t uHaltCall = 0;
            recorder.halt = [&](const StatusRecorder& r) {
                if (uHaltCall == 0 && r.calls.back().iCode == scHeading && r.calls.back().sText == psStage)
                    uHaltCall = r.calls.size() + uDelay;
                return uHaltCall != 0 && r.calls.size() >= uHaltCall;
            };
            ChangeList changes;
            EXPECT_FALSE(Analyze(values, changes, &recorder)) << psStage << " +" << uDelay;
            EXPECT_EQ(changes.count(), 0u) << psStage << " +" << uDelay;
            for (std::size_t i = uHaltCall; i < recorder.calls.size(); ++i)  // no later stage starts
                EXPECT_NE(recorder.calls[i].iCode, scHeading) << psStage << " +" << uDelay;
        }
    }
    StatusRecorder first;
    first.haltAtCall(1);
    ChangeList changes;
    EXPECT_FALSE(Analyze(values, changes, &first));
    EXPECT_EQ(first.calls.size(), 1u);
}

TEST(AnalyzeChanges, ReductionRemovesTheWeakerCandidateAndRecomputesTheOther)
{
    // A shift after position 19 in uniform noise. With these seeds the search also accepts
    // a spurious split at 8, which over its neighbourhood falls below the level.
    std::vector<Real> values;
    SeedUniformRandom(5 * 7919);
    for (int i = 0; i < 40; ++i) values.emplace_back((i < 20 ? 0.0 : 10.0) + (UniformRandom() - 0.5) * 2.0);
    std::vector<std::uint32_t> indexes(40);
    std::uint32_t uFound = 0, uRemaining = 1;
    ChangeList candidates;
    SeedUniformRandom(5);
    ASSERT_TRUE(FindCandidates(0, 39, indexes.data(), values.data(), candidates, 1000, 90.0, false, 0, uFound,
                               uRemaining, nullptr, nullptr));
    ASSERT_EQ(candidates.count(), 2u);
    EXPECT_EQ(candidates[1].uPosition, 8u);
    EXPECT_EQ(candidates[2].uPosition, 19u);

    SeedUniformRandom(5);
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(values, changes, &recorder));
    ASSERT_EQ(changes.count(), 1u);
    EXPECT_EQ(changes[1].uPosition, 19u);
    EXPECT_EQ(changes[1].rConfidence.value(), 100.0);
    // One removal (1 left, 1 below the level, bar reset), then the confidence of the
    // remaining change over the whole series: 1000 trials, ten updates.
    const auto reduction = recorder.stage(kStages[3]);
    ASSERT_EQ(reduction.size(), 14u);
    EXPECT_EQ(reduction[1].iCode, scFirstCounter);
    EXPECT_EQ(reduction[1].sText, "1");
    EXPECT_EQ(reduction[2].iCode, scSecondCounter);
    EXPECT_EQ(reduction[2].sText, "1");
    for (std::size_t i = 3; i < 14; ++i) EXPECT_EQ(reduction[i].dPercent, 10.0 * (i - 3));
}

TEST(AnalyzeChanges, IdenticalSeedsGiveIdenticalChanges)
{
    std::vector<Real> values;
    SeedUniformRandom(77);
    for (int i = 0; i < 300; ++i)
        values.emplace_back((i < 60    ? 0.0
                             : i < 140 ? 1.5
                             : i < 200 ? -0.5
                             : i < 250 ? 2.0
                                       : 0.7) +
                            UniformRandom() * 2);
    for (bool bWithReplacement : {false, true}) {
        ChangeList first, second;
        SeedUniformRandom(123456789);
        ASSERT_TRUE(Analyze(values, first, nullptr, bWithReplacement));
        SeedUniformRandom(123456789);
        ASSERT_TRUE(Analyze(values, second, nullptr, bWithReplacement));
        ASSERT_GE(first.count(), 3u);
        ASSERT_EQ(first.count(), second.count());
        for (std::uint32_t k = 1; k <= first.count(); ++k) {
            EXPECT_EQ(first[k].uPosition, second[k].uPosition);
            EXPECT_EQ(first[k].rConfidence.value(), second[k].rConfidence.value());
            EXPECT_EQ(first[k].uLevel, second[k].uLevel);
            EXPECT_EQ(first[k].uIntervalLower, second[k].uIntervalLower);
            EXPECT_EQ(first[k].uIntervalUpper, second[k].uIntervalUpper);
            EXPECT_GE(first[k].rConfidence.value(), 90.0);
            EXPECT_TRUE(k == 1 || first[k - 1].uPosition < first[k].uPosition);
        }
    }
}

TEST(AnalyzeChanges, LaterStagesWorkBetweenTheNeighboursOfEachChange)
{
    // Three moderate shifts in noise, where a neighbourhood one position off moves the
    // positions, confidences or intervals.
    std::vector<Real> values;
    SeedUniformRandom(4242);
    for (int i = 0; i < 90; ++i)
        values.emplace_back((i < 30 ? 0.0 : i < 50 ? 1.1 : i < 70 ? 0.2 : 1.0) + UniformRandom() * 1.6);
    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(606);
        ChangeList changes;
        ASSERT_TRUE(Analyze(values, changes, nullptr, bWithReplacement));

        // The same run by hand: the search, then each position split again between the
        // updated previous change (+1) and the next one, then range, confidence and
        // interval on the segments between the final neighbours.
        SeedUniformRandom(606);
        std::vector<std::uint32_t> indexes(90);
        ChangeList expected;
        std::uint32_t uFound = 0, uRemaining = 1;
        ASSERT_TRUE(FindCandidates(0, 89, indexes.data(), values.data(), expected, 1000, 90.0, bWithReplacement, 0,
                                   uFound, uRemaining, nullptr, nullptr));
        const std::uint32_t uCount = expected.count();
        ASSERT_GE(uCount, 2u);
        std::vector<std::uint32_t> positions(uCount + 2);
        positions[0] = static_cast<std::uint32_t>(-1);  // so that the first segment starts at 0
        for (std::uint32_t k = 1; k <= uCount; ++k) positions[k] = expected[k].uPosition;
        positions[uCount + 1] = 89;
        for (std::uint32_t k = 1; k <= uCount; ++k)
            MseSplit(positions[k - 1] + 1, positions[k + 1], values.data(), positions[k]);
        ASSERT_EQ(changes.count(), uCount) << "no change falls below the level here";
        for (std::uint32_t k = 1; k <= uCount; ++k) {
            Real rRange, rConfidence;
            std::uint32_t uUnused = 0;
            CusumRange(positions[k - 1] + 1, positions[k + 1], values.data(), rRange, uUnused);
            ASSERT_TRUE(BootstrapConfidence(rRange, positions[k - 1] + 1, positions[k + 1], indexes.data(),
                                            values.data(), rConfidence, 1000, bWithReplacement, nullptr, nullptr));
            ASSERT_GE(rConfidence.value(), 90.0);
            EXPECT_EQ(changes[k].uPosition, positions[k]) << k;
            EXPECT_EQ(changes[k].rConfidence.value(), rConfidence.value()) << k;
        }
        for (std::uint32_t k = 1; k <= uCount; ++k) {
            std::uint32_t uLower = 0, uUpper = 0;
            ASSERT_TRUE(ConfidenceInterval(positions[k - 1] + 1, positions[k], positions[k + 1], indexes.data(),
                                           values.data(), uLower, uUpper, 1000, 95.0, bWithReplacement, nullptr,
                                           nullptr));
            EXPECT_EQ(changes[k].uIntervalLower, uLower) << k;
            EXPECT_EQ(changes[k].uIntervalUpper, uUpper) << k;
        }
    }
}

TEST(AnalyzeChanges, AConfidenceExactlyAtTheLevelIsKept)
{
    // With these seeds the search and the confidence stage both give the one change 98.5%:
    // it reaches a level of 98.5 and is not below it; at 98.6 it is not found.
    std::vector<Real> values;
    SeedUniformRandom(23);
    for (int i = 0; i < 40; ++i) values.emplace_back((i < 20 ? 0.0 : 0.5) + UniformRandom());
    for (const double dLevel : {98.5, 98.6}) {
        SeedUniformRandom(37);
        ChangeList changes;
        ASSERT_TRUE(
            AnalyzeChanges(0, 39, values.data(), changes, 1000, dLevel, 95.0, false, nullptr, nullptr, nullptr));
        if (dLevel == 98.5) {
            ASSERT_EQ(changes.count(), 1u);
            EXPECT_EQ(changes[1].uPosition, 19u);
            EXPECT_EQ(changes[1].rConfidence.value(), 98.5);
        } else {
            EXPECT_EQ(changes.count(), 0u);
        }
    }
}

TEST(ConfidenceInterval, BoundsAreTheSortedPlacesOfTheReestimatedSplits)
{
    std::vector<Real> values;
    SeedUniformRandom(8);
    for (int i = 0; i < 30; ++i) values.emplace_back((i < 14 ? 0.0 : 0.5) + UniformRandom() * 2.0);
    std::vector<std::uint32_t> indexes(30);
    SeedUniformRandom(41);
    std::uint32_t uLower = 0, uUpper = 0;
    ASSERT_TRUE(ConfidenceInterval(0, 13, 29, indexes.data(), values.data(), uLower, uUpper, 1000, 95.0, true, nullptr,
                                   nullptr));
    // The same trials by hand: each side resampled on its own, the split found again;
    // with N = 1000 and 95% the bounds are the sorted places 24 and 974.
    SeedUniformRandom(41);
    std::vector<std::uint32_t> estimates(1000);
    for (std::uint32_t& uEstimate : estimates) {
        SampleWithReplacement(0, 13, indexes.data());
        SampleWithReplacement(14, 29, indexes.data() + 14);
        MseSplitIndexed(0, 29, indexes.data(), values.data(), uEstimate);
    }
    std::sort(estimates.begin(), estimates.end());
    // The estimates spread, so that tails of half or twice the width pick other values.
    EXPECT_TRUE(estimates[12] < estimates[24] && estimates[24] < estimates[49]);
    EXPECT_TRUE(estimates[949] < estimates[974] && estimates[974] < estimates[986]);
    EXPECT_EQ(uLower, estimates[24]);
    EXPECT_EQ(uUpper, estimates[974]);
    EXPECT_TRUE(uLower <= 13 && uUpper >= 13 && uLower < uUpper);

    StatusRecorder recorder;  // a halt leaves the bounds unwritten
    recorder.haltAtCall(2);
    EXPECT_FALSE(ConfidenceInterval(0, 13, 29, indexes.data(), values.data(), uLower, uUpper, 1000, 95.0, false,
                                    &StatusRecorder::Callback, &recorder));
    EXPECT_EQ(uLower, estimates[24]);
}

TEST(TestOutliers, FindsAValueThatJumpsAwayAndBack)
{
    const auto calm = Steps({{30, 0.0}});
    EXPECT_FALSE(TestOutliers(30, calm.data()));
    auto spike = calm;
    spike[12] = Real(40.0);
    EXPECT_TRUE(TestOutliers(30, spike.data()));
    EXPECT_FALSE(TestOutliers(9, spike.data() + 5));  // fewer than 10 values: not tested
    auto dip = calm;
    dip[20] = Real(-40.0);
    EXPECT_TRUE(TestOutliers(30, dip.data()));
    auto step = calm;  // jumps away and stays
    for (int i = 15; i < 30; ++i) step[i] += Real(40.0);
    EXPECT_FALSE(TestOutliers(30, step.data()));
    std::vector<Real> ramp;  // equal differences: the 10% and 90% points coincide
    for (int i = 0; i < 20; ++i) ramp.emplace_back(i == 10 ? 500.0 : 3.0 * i);
    EXPECT_FALSE(TestOutliers(20, ramp.data()));
    spike[12].setMessage("Missing");  // an invalid value is neither far nor near
    EXPECT_FALSE(TestOutliers(30, spike.data()));
}

TEST(TestSerialCorrelation, MatchesAnIndependentEvaluation)
{
    // Expected results: the test written out independently in Python from its description,
    // with the incomplete beta by Simpson's rule on the beta density (200000 panels; it
    // agrees with the binomial closed form to 1e-14).
    std::vector<double> rising, alternating;
    for (int i = 0; i < 20; ++i) {
        rising.push_back(i);
        alternating.push_back((i % 2) * 5.0 + i * 0.01);
    }
    const std::pair<std::vector<double>, double> cases[] = {
        {{3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3, 8, 4, 6, 2, 6, 4, 3}, 53.002521819986114},
        {{1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 4, 5, 6}, 1.9301520997705278e-05},
        {{2, 2, 0, 3, 1, 0, 1, 0, 2, 3, 1, 3, 0, 1, 0, 1, 3, 2, 1, 3, 1, 0, 1, 3, 1, 1, 0, 0, 1, 1}, 47.75070255729086},
        {{1, 1, 2, 2, 1, 1, 1, 1, 3, 2, 0, 2, 3, 1, 1, 2, 0, 2, 2, 0, 2, 0, 2, 2, 2, 3, 2, 1, 3, 3}, 61.3237804395064},
        {{0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0}, 66.11693722241895},  // two values
        {rising, 0.0},
        {alternating, 99.9679184730985},
        // Streaky series without ties: the upper tail, where the variance of the count
        // decides the result.
        {{4, 8, -2, 6, 10, 6, 12, 7, 1, 5, 4, -2, -4, -11, -1, 3, 1, 2, 5, 7, 5, 0, -1, -2}, 8.739754708318204},
        {{-8, -14, -10, -5, -8, -4, -1, 4, 12, 5, 2, -7, -11, -15, -4, -8, -7, -6, 2, 9, -1, 7, 0, -4},
         3.1837026475456573},
        {{-4, -2, -7, -10, -8, -11, -8, -2, 2, 0, -3, -6, -2, -8, -6,
          5,  10, -3, -2,  4,  7,   6,  11, 5, 6, 3,  6,  10, 7,  -3},
         38.43564977927075},
    };
    for (const auto& [numbers, dExpected] : cases) {
        const std::vector<Real> values(numbers.begin(), numbers.end());
        double dResult = -5;
        TestSerialCorrelation(static_cast<std::uint32_t>(values.size()), values.data(), dResult);
        // Relative: the results span 0 to 100 and some lie near 0.
        EXPECT_NEAR(dResult, dExpected, 1e-7 * dExpected) << numbers.size() << " values";
    }
}

TEST(TestSerialCorrelation, TestsOnlyWhatCanVaryAndRarelyFlagsIndependentValues)
{
    double dResult = 0;
    const auto nine = Steps({{9, 0.0}});
    TestSerialCorrelation(9, nine.data(), dResult);
    EXPECT_EQ(dResult, -1.0);
    dResult = 0;
    TestSerialCorrelation(0, nullptr, dResult);  // an empty series has no array to read
    EXPECT_EQ(dResult, -1.0);
    EXPECT_FALSE(TestOutliers(0, nullptr));
    // Equal values give every triple the same score: nothing to test (not "negatively
    // correlated with 100% confidence").
    const std::vector<Real> constant(40, Real(2.5));
    TestSerialCorrelation(40, constant.data(), dResult);
    EXPECT_EQ(dResult, -1.0);
    std::vector<Real> nearlyConstant;
    for (int i = 0; i < 40; ++i) nearlyConstant.emplace_back(i % 2 ? 1.0 : 1.0000000000000002);
    TestSerialCorrelation(40, nearlyConstant.data(), dResult);
    EXPECT_EQ(dResult, -1.0);

    // Under independence a result <= 2.5 or >= 97.5 should come up about 5% of the time.
    SeedUniformRandom(2718);
    int iFlagged = 0;
    for (int s = 0; s < 400; ++s) {
        std::vector<Real> values;
        for (int i = 0; i < 60; ++i) values.emplace_back(UniformRandom());
        TestSerialCorrelation(60, values.data(), dResult);
        ASSERT_TRUE(dResult >= 0.0 && dResult <= 100.0);
        if (dResult <= 2.5 || dResult >= 97.5) ++iFlagged;
    }
    EXPECT_GE(iFlagged, 4);
    EXPECT_LE(iFlagged, 48);
}
