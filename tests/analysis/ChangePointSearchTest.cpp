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

const char* const kStageHeadings[] = {
    "Searching for Candidate Change-Points", "Adjusting Estimates of Change-Points", "Determining Confidence Levels",
    "Reducing Number of Change-Points",      "Constructing Confidence Intervals",
};

//! Small deterministic wobble in [-0.5, 0.5] so that no two neighbours are equal.
double Wobble(int i)
{
    return ((i * 37) % 11) / 10.0 - 0.5;
}

//! Levels that hold for the given lengths, with the wobble added.
std::vector<Real> Steps(std::initializer_list<std::pair<int, double>> runs)
{
    std::vector<Real> values;
    for (const auto& [length, level] : runs)
        for (int i = 0; i < length; ++i) values.emplace_back(level + Wobble(static_cast<int>(values.size())));
    return values;
}

std::vector<Real> Series(std::initializer_list<double> values)
{
    return {values.begin(), values.end()};
}

const ChangeStructure& At(const ListPointers& changes, std::uint32_t k)
{
    return *changes.itemAs<ChangeStructure>(k);
}

//! Runs the whole procedure over a series with 1000 trials, level 90, interval 95.
bool Analyze(const std::vector<Real>& values, ListPointers& changes, bool bWithReplacement = false,
             StatusRecorder* pRecorder = nullptr, const char* psName = nullptr)
{
    return AnalyzeChanges(0, static_cast<std::uint32_t>(values.size() - 1), values.data(), changes, 1000, 90.0, 95.0,
                          bWithReplacement, psName, pRecorder ? &StatusRecorder::Callback : nullptr, pRecorder);
}

struct ChangeList : ListPointers {
    ~ChangeList() override { ClearChanges(*this); }
};

}  // namespace

TEST(AnalyzeChanges, FindsOneClearShiftWithAnIntervalAroundIt)
{
    const auto values = Steps({{25, 10.0}, {25, 20.0}});
    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(11);
        ChangeList changes;
        ASSERT_TRUE(Analyze(values, changes, bWithReplacement));
        ASSERT_EQ(changes.count(), 1u);
        const ChangeStructure& change = At(changes, 1);
        EXPECT_EQ(change.uPosition, 24u);
        EXPECT_GE(change.rConfidence.value(), 99.0);
        EXPECT_EQ(change.uLevel, 1u);
        EXPECT_LE(change.uIntervalLower, 24u);
        EXPECT_GE(change.uIntervalUpper, 24u);
        EXPECT_GE(change.uIntervalLower, 20u);
        EXPECT_LE(change.uIntervalUpper, 28u);
    }
}

TEST(AnalyzeChanges, FindsNestedChangesInOrderOfPosition)
{
    // The largest shift is found first (level 1), the smaller one in its half (level 2).
    const auto values = Steps({{20, 0.0}, {20, 10.0}, {20, 40.0}});
    SeedUniformRandom(3);
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(values, changes, false, &recorder));
    ASSERT_EQ(changes.count(), 2u);
    EXPECT_EQ(At(changes, 1).uPosition, 19u);
    EXPECT_EQ(At(changes, 2).uPosition, 39u);
    EXPECT_EQ(At(changes, 1).uLevel, 2u);
    EXPECT_EQ(At(changes, 2).uLevel, 1u);
    for (std::uint32_t k = 1; k <= 2; ++k) {
        EXPECT_GE(At(changes, k).rConfidence.value(), 99.0);
        EXPECT_LE(At(changes, k).uIntervalLower, At(changes, k).uPosition);
        EXPECT_GE(At(changes, k).uIntervalUpper, At(changes, k).uPosition);
    }
    // The counters of the search: two changes found, and the segments left to search
    // end at 0.
    std::string sLastFound, sLastRemaining;
    for (const auto& call : recorder.stage(kStageHeadings[0])) {
        if (call.iCode == scFirstCounter) sLastFound = call.sText;
        if (call.iCode == scSecondCounter) sLastRemaining = call.sText;
    }
    EXPECT_EQ(sLastFound, "2");
    EXPECT_EQ(sLastRemaining, "0");
}

TEST(AnalyzeChanges, SeriesWithoutShiftGivesNoChanges)
{
    const auto constant = Series({5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(constant, changes, false, &recorder));
    EXPECT_EQ(changes.count(), 0u);
    // The later stages announce themselves and have nothing to do.
    EXPECT_EQ(recorder.stage(kStageHeadings[1]).size(), 2u);
    EXPECT_EQ(recorder.stage(kStageHeadings[2]).size(), 1u);
    EXPECT_EQ(recorder.stage(kStageHeadings[3]).size(), 1u);
    EXPECT_EQ(recorder.stage(kStageHeadings[4]).size(), 1u);

    // An invalid value makes every range it touches invalid, so nothing is found.
    auto withBad = Steps({{25, 10.0}, {25, 20.0}});
    withBad[30].setMessage("Missing");
    ASSERT_TRUE(Analyze(withBad, changes));
    EXPECT_EQ(changes.count(), 0u);

    // The list is emptied first.
    auto* pOld = new ChangeStructure;
    changes.append(pOld);
    ASSERT_TRUE(Analyze(constant, changes));
    EXPECT_EQ(changes.count(), 0u);
}

TEST(AnalyzeChanges, ReportsItsStagesInOrder)
{
    const auto values = Steps({{25, 10.0}, {25, 20.0}});
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(values, changes, false, &recorder, "Variation"));
    ASSERT_GE(recorder.calls.size(), 7u);
    const std::pair<int, std::string> opening[] = {
        {scTitle, "Please Wait - Analyzing Variation"},
        {scHeading, "Searching for Candidate Change-Points"},
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
    EXPECT_EQ(recorder.calls[6].dPercent, 0.0);

    std::vector<std::string> headings;
    for (const auto& call : recorder.calls)
        if (call.iCode == scHeading) headings.push_back(call.sText);
    EXPECT_EQ(headings, std::vector<std::string>(std::begin(kStageHeadings), std::end(kStageHeadings)));

    EXPECT_EQ(recorder.stage(kStageHeadings[1]).front().sText, "Estimates Remaining:");
    EXPECT_EQ(recorder.stage(kStageHeadings[2]).front().sText, "Confidence Levels Remaining:");
    EXPECT_EQ(recorder.stage(kStageHeadings[3]).front().sText, "Change-points Remaining:");
    EXPECT_EQ(recorder.stage(kStageHeadings[4]).front().sText, "Intervals Remaining:");
    // The intervals stage: label, then per change its count and a reset of the bar, then
    // the trials' progress (at i + 1 = 100, 200, ... with i * 100 / N).
    const auto intervals = recorder.stage(kStageHeadings[4]);
    ASSERT_EQ(intervals.size(), 13u);
    EXPECT_EQ(intervals[1].iCode, scSecondCounter);
    EXPECT_EQ(intervals[1].sText, "1");
    EXPECT_EQ(intervals[3].dPercent, 9.9);
    EXPECT_EQ(intervals[12].dPercent, 99.9);

    // Without a name the title says "Values"; without a callback nothing is reported.
    StatusRecorder unnamed;
    ASSERT_TRUE(Analyze(values, changes, false, &unnamed));
    EXPECT_EQ(unnamed.calls.front().sText, "Please Wait - Analyzing Values");
    ASSERT_TRUE(Analyze(values, changes));
    EXPECT_EQ(changes.count(), 1u);
}

TEST(AnalyzeChanges, HaltingInAnyStageLeavesNoChanges)
{
    const auto values = Steps({{20, 0.0}, {20, 10.0}, {20, 40.0}});
    for (const char* psHeading : kStageHeadings) {
        // Halt at the heading itself, and a few calls into the stage.
        for (std::size_t uDelay : {0u, 2u, 4u}) {
            StatusRecorder recorder;
            std::size_t uHaltCall = 0;
            recorder.halt = [&](const StatusRecorder& r) {
                if (uHaltCall == 0 && r.calls.back().iCode == scHeading && r.calls.back().sText == psHeading)
                    uHaltCall = r.calls.size() + uDelay;
                return uHaltCall != 0 && r.calls.size() >= uHaltCall;
            };
            ChangeList changes;
            EXPECT_FALSE(Analyze(values, changes, false, &recorder)) << psHeading << " +" << uDelay;
            EXPECT_EQ(changes.count(), 0u) << psHeading << " +" << uDelay;
            // No stage starts after the halt.
            ASSERT_GE(recorder.calls.size(), uHaltCall);
            for (std::size_t i = uHaltCall; i < recorder.calls.size(); ++i)
                EXPECT_NE(recorder.calls[i].iCode, scHeading) << psHeading << " +" << uDelay;
        }
    }
    // Halting at the very first call.
    StatusRecorder first;
    first.haltAtCall(1);
    ChangeList changes;
    EXPECT_FALSE(Analyze(values, changes, false, &first));
    EXPECT_EQ(first.calls.size(), 1u);
    EXPECT_EQ(changes.count(), 0u);
}

TEST(AnalyzeChanges, ReductionRemovesTheWeakerCandidateAndRecomputesTheOther)
{
    // A shift after position 19 in uniform noise. With this seed the search also accepts
    // a spurious split at 8 (confidence 90.5); over its neighbourhood it falls below 90.
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
    EXPECT_EQ(At(candidates, 1).uPosition, 8u);
    EXPECT_EQ(At(candidates, 1).uLevel, 2u);
    EXPECT_EQ(At(candidates, 2).uPosition, 19u);
    EXPECT_EQ(At(candidates, 2).uLevel, 1u);

    SeedUniformRandom(5);
    ChangeList changes;
    StatusRecorder recorder;
    ASSERT_TRUE(Analyze(values, changes, false, &recorder));
    ASSERT_EQ(changes.count(), 1u);
    EXPECT_EQ(At(changes, 1).uPosition, 19u);
    EXPECT_EQ(At(changes, 1).uLevel, 1u);
    EXPECT_EQ(At(changes, 1).rConfidence.value(), 100.0);

    // One removal: the count left (1) and the number below the level (1), then the
    // remaining change's confidence over the whole series: 1000 trials, ten updates.
    const auto reduction = recorder.stage(kStageHeadings[3]);
    ASSERT_EQ(reduction.size(), 14u);
    EXPECT_EQ(reduction[1].iCode, scFirstCounter);
    EXPECT_EQ(reduction[1].sText, "1");
    EXPECT_EQ(reduction[2].iCode, scSecondCounter);
    EXPECT_EQ(reduction[2].sText, "1");
    EXPECT_EQ(reduction[3].iCode, scProgress);
    EXPECT_EQ(reduction[3].dPercent, 0.0);
    for (std::size_t i = 4; i < 14; ++i) EXPECT_EQ(reduction[i].dPercent, 10.0 * (i - 3));
}

TEST(AnalyzeChanges, IdenticalSeedsGiveIdenticalChanges)
{
    std::vector<Real> values;
    SeedUniformRandom(77);
    for (int i = 0; i < 300; ++i) {
        const double dLevel = i < 60 ? 0.0 : i < 140 ? 1.5 : i < 200 ? -0.5 : i < 250 ? 2.0 : 0.7;
        values.emplace_back(dLevel + UniformRandom() * 2.0);
    }
    for (bool bWithReplacement : {false, true}) {
        ChangeList first, second;
        SeedUniformRandom(123456789);
        ASSERT_TRUE(Analyze(values, first, bWithReplacement));
        SeedUniformRandom(123456789);
        ASSERT_TRUE(Analyze(values, second, bWithReplacement));
        ASSERT_GE(first.count(), 3u);
        ASSERT_EQ(first.count(), second.count());
        for (std::uint32_t k = 1; k <= first.count(); ++k) {
            EXPECT_EQ(At(first, k).uPosition, At(second, k).uPosition);
            EXPECT_EQ(At(first, k).rConfidence.value(), At(second, k).rConfidence.value());
            EXPECT_EQ(At(first, k).uLevel, At(second, k).uLevel);
            EXPECT_EQ(At(first, k).uIntervalLower, At(second, k).uIntervalLower);
            EXPECT_EQ(At(first, k).uIntervalUpper, At(second, k).uIntervalUpper);
            if (k > 1) {
                EXPECT_LT(At(first, k - 1).uPosition, At(first, k).uPosition);
            }
            EXPECT_GE(At(first, k).rConfidence.value(), 90.0);
        }
    }
}

TEST(ConfidenceInterval, BoundsAreSortedPlacesOfTheReestimatedSplits)
{
    std::vector<Real> values;
    SeedUniformRandom(8);
    for (int i = 0; i < 30; ++i) values.emplace_back((i < 14 ? 0.0 : 0.6) + UniformRandom());
    std::vector<std::uint32_t> indexes(30);

    for (bool bWithReplacement : {false, true}) {
        SeedUniformRandom(41);
        std::uint32_t uLower = 0, uUpper = 0;
        ASSERT_TRUE(ConfidenceInterval(0, 13, 29, indexes.data(), values.data(), uLower, uUpper, 1000, 95.0,
                                       bWithReplacement, nullptr, nullptr));

        // The same trials by hand: each side resampled on its own, the split found again.
        SeedUniformRandom(41);
        std::vector<std::uint32_t> estimates;
        for (int i = 0; i < 1000; ++i) {
            if (bWithReplacement) {
                SampleWithReplacement(0, 13, indexes.data());
                SampleWithReplacement(14, 29, indexes.data() + 14);
            } else {
                SampleWithoutReplacement(0, 13, indexes.data());
                SampleWithoutReplacement(14, 29, indexes.data() + 14);
            }
            std::uint32_t uEstimate = 0;
            MseSplitIndexed(0, 29, indexes.data(), values.data(), uEstimate);
            estimates.push_back(uEstimate);
        }
        std::sort(estimates.begin(), estimates.end());
        EXPECT_EQ(uLower, estimates[24]);
        EXPECT_EQ(uUpper, estimates[974]);
        EXPECT_LE(uLower, 13u);
        EXPECT_GE(uUpper, 13u);
        EXPECT_LT(uLower, uUpper);
    }

    // A halt leaves the bounds unwritten.
    StatusRecorder recorder;
    recorder.haltAtCall(2);
    std::uint32_t uLower = 77, uUpper = 88;
    EXPECT_FALSE(ConfidenceInterval(0, 13, 29, indexes.data(), values.data(), uLower, uUpper, 1000, 95.0, false,
                                    &StatusRecorder::Callback, &recorder));
    EXPECT_EQ(uLower, 77u);
    EXPECT_EQ(uUpper, 88u);
}

TEST(TestOutliers, FindsAValueThatJumpsAwayAndBack)
{
    std::vector<Real> calm;
    for (int i = 0; i < 30; ++i) calm.emplace_back(Wobble(i));
    EXPECT_FALSE(TestOutliers(30, calm.data()));

    auto spike = calm;
    spike[12] = Real(40.0);
    EXPECT_TRUE(TestOutliers(30, spike.data()));
    auto dip = calm;
    dip[20] = Real(-40.0);
    EXPECT_TRUE(TestOutliers(30, dip.data()));
    EXPECT_FALSE(TestOutliers(9, spike.data() + 5));  // fewer than 10 values are not tested

    // A shift jumps away but does not come back.
    auto step = calm;
    for (int i = 15; i < 30; ++i) step[i] += Real(40.0);
    EXPECT_FALSE(TestOutliers(30, step.data()));

    // Equal differences: the 10% and 90% points coincide and there is no scale.
    std::vector<Real> ramp;
    for (int i = 0; i < 20; ++i) ramp.emplace_back(3.0 * i);
    ramp[10] = Real(500.0);
    EXPECT_FALSE(TestOutliers(20, ramp.data()));

    // An invalid value is neither far out nor near.
    auto withBad = spike;
    withBad[12].setMessage("Missing");
    EXPECT_FALSE(TestOutliers(30, withBad.data()));
}

TEST(TestSerialCorrelation, MatchesAnIndependentEvaluation)
{
    // Expected results: the test written out independently in Python from its
    // description, with the incomplete beta by Simpson's rule on the beta density
    // (200000 panels; it agrees with the binomial closed form to 1e-14).
    struct Case {
        const char* psName;
        std::vector<double> values;
        double dExpected;
    };
    std::vector<Case> cases = {
        {"mixed", {3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7, 9, 3, 2, 3, 8, 4, 6, 2, 6, 4, 3}, 53.002521819986114},
        {"streaky", {1, 2, 3, 4, 5, 4, 3, 2, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 4, 5, 6}, 1.9301520997705278e-05},
        {"ties",
         {2, 2, 0, 3, 1, 0, 1, 0, 2, 3, 1, 3, 0, 1, 0, 1, 3, 2, 1, 3, 1, 0, 1, 3, 1, 1, 0, 0, 1, 1},
         47.75070255729086},
        {"more ties",
         {1, 1, 2, 2, 1, 1, 1, 1, 3, 2, 0, 2, 3, 1, 1, 2, 0, 2, 2, 0, 2, 0, 2, 2, 2, 3, 2, 1, 3, 3},
         61.3237804395064},
        {"two values", {0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1, 0}, 66.11693722241895},
        {"rising", {}, 0.0},
        {"alternating", {}, 99.9679184730985},
    };
    for (int i = 0; i < 20; ++i) {
        cases[5].values.push_back(i);
        cases[6].values.push_back((i % 2) * 5.0 + i * 0.01);
    }
    for (const Case& c : cases) {
        const std::vector<Real> values(c.values.begin(), c.values.end());
        double dResult = -5;
        TestSerialCorrelation(static_cast<std::uint32_t>(values.size()), values.data(), dResult);
        EXPECT_NEAR(dResult, c.dExpected, 1e-4) << c.psName;
    }
}

TEST(TestSerialCorrelation, DoesNotTestWhatCannotVary)
{
    double dResult = 0;
    const auto nine = Series({1, 5, 2, 8, 3, 9, 4, 7, 6});
    TestSerialCorrelation(9, nine.data(), dResult);
    EXPECT_EQ(dResult, -1.0);

    // Equal values give every triple the same score: no variance, nothing to report
    // (not "negatively correlated with 100% confidence").
    const std::vector<Real> constant(40, Real(2.5));
    TestSerialCorrelation(40, constant.data(), dResult);
    EXPECT_EQ(dResult, -1.0);
    std::vector<Real> nearlyConstant;
    for (int i = 0; i < 40; ++i) nearlyConstant.emplace_back(i % 2 ? 1.0 : 1.0000000000000002);
    TestSerialCorrelation(40, nearlyConstant.data(), dResult);
    EXPECT_EQ(dResult, -1.0);

    // Ten values is enough for a result.
    const auto ten = Series({1, 5, 2, 8, 3, 9, 4, 7, 6, 10});
    TestSerialCorrelation(10, ten.data(), dResult);
    EXPECT_GE(dResult, 0.0);
    EXPECT_LE(dResult, 100.0);
}

TEST(TestSerialCorrelation, FlagsAboutFivePercentOfIndependentSeries)
{
    // Under independence a result <= 2.5 or >= 97.5 should be rare: about 5%.
    SeedUniformRandom(2718);
    int iFlagged = 0;
    const int iSeries = 400;
    for (int s = 0; s < iSeries; ++s) {
        std::vector<Real> values;
        for (int i = 0; i < 60; ++i) values.emplace_back(UniformRandom());
        double dResult = 0;
        TestSerialCorrelation(60, values.data(), dResult);
        ASSERT_GE(dResult, 0.0);
        ASSERT_LE(dResult, 100.0);
        if (dResult <= 2.5 || dResult >= 97.5) ++iFlagged;
    }
    EXPECT_GE(iFlagged, iSeries / 100);
    EXPECT_LE(iFlagged, iSeries * 12 / 100);
}
