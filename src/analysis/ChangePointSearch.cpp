// Ostrel-Vane Studio - the change-point procedure (candidate search, re-estimation,
// confidence levels, reduction, intervals) and the two assumption tests of an analysis.
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "analysis/ChangePointFunctions.h"
#include "analysis/ChangePointKernels.h"
#include "analysis/ParallelTrials.h"
#include "analysis/TrialKernels.h"

namespace HalvrennInc {

namespace {

// ---------------------------------------------------------------------------------------
// Progress

//! Sends one update; true (go on) when there is no callback.
bool Report(StatusCallback pCallback, void* pContext, int iCode, const char* psText, double dPercent = 0.0)
{
    return !pCallback || pCallback(pContext, iCode, psText, dPercent);
}

//! Sends a counter value as the text of a whole number.
bool ReportCount(StatusCallback pCallback, void* pContext, int iCode, std::uint32_t uCount)
{
    if (!pCallback) return true;
    const String sCount = Real(static_cast<double>(uCount)).toText(0, true);
    return pCallback(pContext, iCode, sCount.c_str(), 0.0);
}

//! Announces a stage: its heading and the label of its counter.
bool ReportStage(StatusCallback pCallback, void* pContext, const char* psHeading, const char* psCounterLabel)
{
    return Report(pCallback, pContext, scHeading, psHeading) &&
           Report(pCallback, pContext, scSecondLabel, psCounterLabel);
}

// ---------------------------------------------------------------------------------------
// The stages after the candidate search

//! What every stage of one run of the procedure works on.
struct Search {
    std::uint32_t uStart;
    std::uint32_t uEnd;
    const Real* prValues;
    ListPointers& changes;
    std::uint32_t* puIndexes;  //!< uEnd + 1 entries, shared by every bootstrap
    std::uint32_t uTrials;
    double dLevel;
    double dInterval;
    bool bWithReplacement;
    StatusCallback pCallback;
    void* pContext;
    const TrialSettings& settings;

    ChangeStructure& change(std::uint32_t k) const { return *changes.itemAs<ChangeStructure>(k); }

    //! The segment between the neighbours of change k (1-based), at their current
    //! positions: after the previous change up to and including the next one.
    void neighbourhood(std::uint32_t k, std::uint32_t& uLow, std::uint32_t& uHigh) const
    {
        uLow = k == 1 ? uStart : change(k - 1).uPosition + 1;
        uHigh = k == changes.count() ? uEnd : change(k + 1).uPosition;
    }

    //! Before the work on one of uCount changes (k from 1): the number still to do, and the
    //! progress bar back to 0. False when halted.
    bool reportRemaining(std::uint32_t k, std::uint32_t uCount) const
    {
        return ReportCount(pCallback, pContext, scSecondCounter, uCount - k + 1) &&
               Report(pCallback, pContext, scProgress, nullptr);
    }

    //! Bootstrap confidence of change k over its neighbourhood. False when halted.
    bool updateConfidence(std::uint32_t k) const
    {
        std::uint32_t uLow = 0, uHigh = 0;
        neighbourhood(k, uLow, uHigh);
        Real rRange;
        std::uint32_t uUnused = 0;
        CusumRange(uLow, uHigh, prValues, rRange, uUnused);
        return BootstrapConfidence(rRange, uLow, uHigh, puIndexes, prValues, change(k).rConfidence, uTrials,
                                   bWithReplacement, pCallback, pContext, settings);
    }
};

//! Each position once, from the first: the least-squares split of its neighbourhood,
//! whose lower end already uses the updated position of the previous change.
bool ReestimatePositions(const Search& search)
{
    if (!ReportStage(search.pCallback, search.pContext, "Adjusting Estimates of Change-Points",
                     "Estimates Remaining:") ||
        !Report(search.pCallback, search.pContext, scProgress, nullptr))
        return false;
    const std::uint32_t uCount = search.changes.count();
    for (std::uint32_t k = 1; k <= uCount; ++k) {
        if (!ReportCount(search.pCallback, search.pContext, scSecondCounter, uCount - k + 1)) return false;
        std::uint32_t uLow = 0, uHigh = 0;
        search.neighbourhood(k, uLow, uHigh);
        MseSplit(uLow, uHigh, search.prValues, search.change(k).uPosition);
    }
    return true;
}

bool DetermineConfidenceLevels(const Search& search)
{
    if (!ReportStage(search.pCallback, search.pContext, "Determining Confidence Levels",
                     "Confidence Levels Remaining:"))
        return false;
    const std::uint32_t uCount = search.changes.count();
    for (std::uint32_t k = 1; k <= uCount; ++k) {
        if (!search.reportRemaining(k, uCount)) return false;
        if (!search.updateConfidence(k)) return false;
    }
    return true;
}

//! Drops the weakest change until every one reaches the level; its neighbours get a new
//! confidence over their widened neighbourhoods. Positions stay.
bool ReduceChanges(const Search& search)
{
    if (!ReportStage(search.pCallback, search.pContext, "Reducing Number of Change-Points", "Change-points Remaining:"))
        return false;
    const Real rLevel(search.dLevel);
    for (;;) {
        const std::uint32_t uCount = search.changes.count();
        Real rWeakest(100.0);
        std::uint32_t uWeakest = 0;  // the first of equal minima
        std::uint32_t uBelowLevel = 0;
        for (std::uint32_t k = 1; k <= uCount; ++k) {
            const Real& rConfidence = search.change(k).rConfidence;
            if (rConfidence < rWeakest) {
                rWeakest = rConfidence;
                uWeakest = k;
            }
            if (rConfidence < rLevel) ++uBelowLevel;
        }
        if (uBelowLevel == 0 || uWeakest == 0) return true;
        if (search.pCallback) {
            const bool bGoOn = ReportCount(search.pCallback, search.pContext, scFirstCounter, uCount - 1) &&
                               ReportCount(search.pCallback, search.pContext, scSecondCounter, uBelowLevel) &&
                               Report(search.pCallback, search.pContext, scProgress, nullptr);
            if (!bGoOn) return false;
        }
        delete static_cast<ChangeStructure*>(search.changes.remove(uWeakest));
        if (uWeakest != 1 && !search.updateConfidence(uWeakest - 1)) return false;
        if (uWeakest != uCount && !search.updateConfidence(uWeakest)) return false;
    }
}

bool ConstructIntervals(const Search& search)
{
    if (!ReportStage(search.pCallback, search.pContext, "Constructing Confidence Intervals", "Intervals Remaining:"))
        return false;
    const std::uint32_t uCount = search.changes.count();
    for (std::uint32_t k = 1; k <= uCount; ++k) {
        if (!search.reportRemaining(k, uCount)) return false;
        std::uint32_t uLow = 0, uHigh = 0;
        search.neighbourhood(k, uLow, uHigh);
        ChangeStructure& change = search.change(k);
        if (!ConfidenceInterval(uLow, change.uPosition, uHigh, search.puIndexes, search.prValues, change.uIntervalLower,
                                change.uIntervalUpper, search.uTrials, search.dInterval, search.bWithReplacement,
                                search.pCallback, search.pContext, search.settings))
            return false;
    }
    return true;
}

//! The sorted place trunc((N - 1) * dFraction), kept inside the array.
std::uint32_t SortedPlace(std::uint32_t uTrials, double dFraction)
{
    const double dPlace = static_cast<double>(uTrials - 1) * dFraction;
    if (!(dPlace > 0.0)) return 0;
    return dPlace >= uTrials - 1 ? uTrials - 1 : static_cast<std::uint32_t>(dPlace);
}

//! The interval's trials on the values themselves, on the threads of the settings.
template <class Number>
bool IntervalOnValues(std::uint32_t uLow, std::uint32_t uPosition, std::uint32_t uHigh, const Real* prValues,
                      std::uint32_t uTrials, bool bWithReplacement, StatusCallback pCallback, void* pContext,
                      const TrialSettings& settings, std::uint32_t* puEstimates)
{
    const std::uint32_t uCount = uHigh - uLow + 1;
    const std::uint32_t uLeft = uPosition - uLow + 1;
    std::vector<double> values(uCount);
    for (std::uint32_t i = 0; i < uCount; ++i) values[i] = prValues[uLow + i].value();
    const trials::TrialPlan plan{
        uTrials,
        kernel::ResampleDraws(uLeft, bWithReplacement) + kernel::ResampleDraws(uCount - uLeft, bWithReplacement),
        trials::ProgressForm::Interval};
    const unsigned uWorkers = trials::WorkerCount(plan, settings.threads());
    auto run = [&](auto&& work) {
        return trials::RunTrials(plan, work, settings.stream(), uWorkers, pCallback, pContext);
    };
    if (bWithReplacement)
        return run(kernel::IntervalTrials<Number, true>(values.data(), uLow, uLeft, uCount, puEstimates, uWorkers));
    return run(kernel::IntervalTrials<Number, false>(values.data(), uLow, uLeft, uCount, puEstimates, uWorkers));
}

}  // namespace

// ---------------------------------------------------------------------------------------
// The procedure

bool AnalyzeChanges(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, ListPointers& changes,
                    std::uint32_t uTrials, double dLevel, double dInterval, bool bWithReplacement,
                    const char* psSeriesName, StatusCallback pCallback, void* pContext, const TrialSettings& settings)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(prValues);
    CPF_REQUIRE(uTrials > 0);
    ClearChanges(changes);
    std::uint32_t uChangesFound = 0;
    std::uint32_t uSegmentsRemaining = 1;

    const std::string sTitle = std::string("Please Wait - Analyzing ") + (psSeriesName ? psSeriesName : "Values");
    bool bGoOn = Report(pCallback, pContext, scTitle, sTitle.c_str()) &&
                 Report(pCallback, pContext, scHeading, "Searching for Candidate Change-Points") &&
                 Report(pCallback, pContext, scFirstLabel, "Changes Found:") &&
                 Report(pCallback, pContext, scSecondLabel, "Segments Remaining:") &&
                 Report(pCallback, pContext, scFirstCounter, "0") &&
                 Report(pCallback, pContext, scSecondCounter, "1") && Report(pCallback, pContext, scProgress, nullptr);

    const auto puIndexes = std::make_unique<std::uint32_t[]>(static_cast<std::size_t>(uEnd) + 1);
    const Search search{uStart, uEnd,      prValues,         changes,   puIndexes.get(), uTrials,
                        dLevel, dInterval, bWithReplacement, pCallback, pContext,        settings};
    bGoOn = bGoOn &&
            FindCandidates(uStart, uEnd, puIndexes.get(), prValues, changes, uTrials, dLevel, bWithReplacement, 0,
                           uChangesFound, uSegmentsRemaining, pCallback, pContext, settings) &&
            ReestimatePositions(search) && DetermineConfidenceLevels(search) && ReduceChanges(search) &&
            ConstructIntervals(search);
    if (!bGoOn) ClearChanges(changes);
    return bGoOn;
}

bool FindCandidates(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, const Real* prValues,
                    ListPointers& changes, std::uint32_t uTrials, double dLevel, bool bWithReplacement,
                    std::uint32_t uDepth, std::uint32_t& uChangesFound, std::uint32_t& uSegmentsRemaining,
                    StatusCallback pCallback, void* pContext, const TrialSettings& settings)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    ++uDepth;
    Real rRange;
    std::uint32_t uUnused = 0;
    CusumRange(uStart, uEnd, prValues, rRange, uUnused);
    Real rConfidence;
    if (!BootstrapConfidence(rRange, uStart, uEnd, puIndexes, prValues, rConfidence, uTrials, bWithReplacement,
                             pCallback, pContext, settings))
        return false;

    // A single value has confidence 0 and nothing to split; the test on the length only
    // matters for a level of 0.
    if (uStart < uEnd && rConfidence >= Real(dLevel)) {
        std::uint32_t uSplit = 0;
        MseSplit(uStart, uEnd, prValues, uSplit);
        if (pCallback) {
            ++uChangesFound;
            ++uSegmentsRemaining;
            const bool bFound = ReportCount(pCallback, pContext, scFirstCounter, uChangesFound);
            const bool bRemaining = ReportCount(pCallback, pContext, scSecondCounter, uSegmentsRemaining);
            const bool bProgress = Report(pCallback, pContext, scProgress, nullptr);
            if (!bFound || !bRemaining || !bProgress) return false;
        }
        if (!FindCandidates(uStart, uSplit, puIndexes, prValues, changes, uTrials, dLevel, bWithReplacement, uDepth,
                            uChangesFound, uSegmentsRemaining, pCallback, pContext, settings))
            return false;
        // Appended between the two halves, so the list stays in order of position.
        auto* pChange = new ChangeStructure;
        pChange->uPosition = uSplit;
        pChange->rConfidence = rConfidence;
        pChange->uLevel = uDepth;
        changes.append(pChange);
        return FindCandidates(uSplit + 1, uEnd, puIndexes, prValues, changes, uTrials, dLevel, bWithReplacement, uDepth,
                              uChangesFound, uSegmentsRemaining, pCallback, pContext, settings);
    }
    if (!pCallback) return true;
    --uSegmentsRemaining;
    const bool bRemaining = ReportCount(pCallback, pContext, scSecondCounter, uSegmentsRemaining);
    const bool bProgress = Report(pCallback, pContext, scProgress, nullptr);
    return bRemaining && bProgress;
}

bool ConfidenceInterval(std::uint32_t uLow, std::uint32_t uPosition, std::uint32_t uHigh, std::uint32_t* puIndexes,
                        const Real* prValues, std::uint32_t& uLower, std::uint32_t& uUpper, std::uint32_t uTrials,
                        double dInterval, bool bWithReplacement, StatusCallback pCallback, void* pContext,
                        const TrialSettings& settings)
{
    CPF_REQUIRE(uLow <= uPosition);
    CPF_REQUIRE(uPosition < uHigh);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    CPF_REQUIRE(uTrials > 0);
    const auto puEstimates = std::make_unique<std::uint32_t[]>(uTrials);
    const bool bFinished = kernel::WithNumberType(uLow, uHigh, prValues, [&](auto number) {
        using Number = decltype(number);
        if constexpr (!std::is_same_v<Number, Real>) {
            if (!settings.bReference)
                return IntervalOnValues<Number>(uLow, uPosition, uHigh, prValues, uTrials, bWithReplacement, pCallback,
                                                pContext, settings, puEstimates.get());
        }
        return kernel::intervalEstimates<Number>(uLow, uPosition, uHigh, puIndexes, prValues, uTrials, bWithReplacement,
                                                 pCallback, pContext, settings.stream(), puEstimates.get());
    });
    if (!bFinished) return false;

    const auto puOrder = std::make_unique<std::uint32_t[]>(uTrials);
    SortIndexesUnsigned(uTrials, puOrder.get(), puEstimates.get());
    const double dTail = (100.0 - dInterval) * 0.005;  // each tail left out, as a fraction
    uLower = puEstimates[puOrder[SortedPlace(uTrials, dTail)]];
    uUpper = puEstimates[puOrder[SortedPlace(uTrials, 1.0 - dTail)]];
    return true;
}

// ---------------------------------------------------------------------------------------
// Assumption tests

bool TestOutliers(std::uint32_t uNumber, const Real* prValues)
{
    if (uNumber < 10) return false;  // not tested; the array is not read (it may be absent)
    CPF_REQUIRE(prValues);
    const std::uint32_t uDifferences = uNumber - 1;
    const auto prDifferences = std::make_unique<Real[]>(uDifferences);
    for (std::uint32_t i = 0; i < uDifferences; ++i) prDifferences[i] = prValues[i + 1] - prValues[i];
    const auto puOrder = std::make_unique<std::uint32_t[]>(uDifferences);
    SortIndexes(uDifferences, puOrder.get(), prDifferences.get());

    // A robust centre and scale from the 10% and 90% points of the differences.
    const auto uTenth = static_cast<std::uint32_t>(0.1 * uDifferences);
    const Real& rHigh = prDifferences[puOrder[uDifferences - 1 - uTenth]];
    const Real& rLow = prDifferences[puOrder[uTenth]];
    const Real rCentre = (rHigh + rLow) / Real(2.0);
    const Real rScale = (rHigh - rLow) / Real(2.58);
    if (rScale == Real(0.0)) return false;
    const Real rUpper = rCentre + Real(4.5) * rScale;
    const Real rLower = rCentre - Real(4.5) * rScale;

    // An outlier is a jump far out followed by a jump straight back.
    for (std::uint32_t i = 1; i < uDifferences; ++i) {
        const Real& rBefore = prDifferences[i - 1];
        const Real& rAfter = prDifferences[i];
        if ((rBefore < rLower && rAfter > rUpper) || (rBefore > rUpper && rAfter < rLower)) return true;
    }
    return false;
}

namespace {

//! The two tails of the count of non-turning triples, from its mean and variance by a
//! beta approximation; invalid when the beta has nothing to work on.
Real LowerTail(double dCount, double dMean, double dVariance)
{
    const double dProbability = 1.0 - dVariance / dMean;
    const double dSize = dMean / dProbability;
    if (dSize - dCount <= 0) return Real(1.0);
    Real rTail(dProbability);
    rTail.betaIncomplete(Real(dCount + 1.0), Real(dSize - dCount));
    return Real(1.0) - rTail;
}

Real UpperTail(double dCount, double dMean, double dVariance)
{
    const double dProbability = 1.0 - dVariance / dMean;
    const double dSize = dMean / dProbability;
    if (dCount <= 0) return Real(1.0);
    if (dSize - dCount + 1.0 <= 0) return Real(0.0);
    Real rTail(dProbability);
    rTail.betaIncomplete(Real(dCount), Real(dSize - dCount + 1.0));
    return rTail;
}

}  // namespace

void TestSerialCorrelation(std::uint32_t uNumber, const Real* prValues, double& dResult)
{
    dResult = -1.0;
    if (uNumber <= 9) return;  // not tested; the array is not read (it may be absent)
    CPF_REQUIRE(prValues);

    // Score each triple: 1 when monotone, 0 for a strict turn, 1/3 or 1/2 with ties.
    bool bTwoValued = true;
    std::uint32_t uTies = 0;
    double dSum = 0, dSumSquares = 0;
    double dLag1Products = 0, dLag1Current = 0, dLag1Previous = 0;
    double dLag2Products = 0, dLag2Current = 0, dLag2Previous = 0;
    double dScoreBefore = 0, dScoreBeforeThat = 0;
    for (std::uint32_t j = 2; j < uNumber; ++j) {
        const Real& a = prValues[j - 2];
        const Real& b = prValues[j - 1];
        const Real& c = prValues[j];
        double dScore;
        if ((a < b && b < c) || (a > b && b > c)) {
            dScore = 1.0;
            bTwoValued = false;
        } else if (a == b && b == c) {
            dScore = 1.0 / 3.0;
            ++uTies;
        } else if (c != b && b != a) {
            dScore = 0.0;
        } else {
            dScore = 0.5;
            ++uTies;
        }
        dSum += dScore;
        dSumSquares += dScore * dScore;
        if (j >= 3) {
            dLag1Products += dScore * dScoreBefore;
            dLag1Current += dScore;
            dLag1Previous += dScoreBefore;
        }
        if (j >= 4) {
            dLag2Products += dScore * dScoreBeforeThat;
            dLag2Current += dScore;
            dLag2Previous += dScoreBeforeThat;
        }
        dScoreBeforeThat = dScoreBefore;
        dScoreBefore = dScore;
    }

    if (bTwoValued) {
        // No monotone triple: check whether the series takes at most two values.
        const Real& rFirst = prValues[0];
        const Real* prSecond = nullptr;
        for (std::uint32_t i = 1; i < uNumber && bTwoValued; ++i) {
            if (!prSecond) {
                if (prValues[i] != rFirst) prSecond = &prValues[i];
            } else if (prValues[i] != rFirst && prValues[i] != *prSecond) {
                bTwoValued = false;
            }
        }
    }

    const double n = uNumber;
    double dVariance1, dVariance2;
    if (bTwoValued) {
        std::uint32_t uEqualToFirst = 1;
        for (std::uint32_t i = 1; i < uNumber; ++i)
            if (prValues[i] == prValues[0]) ++uEqualToFirst;
        const double p = uEqualToFirst / n;
        const double q = 1.0 - p;
        const double var = p * q / 6.0;
        const double cov1 = -p * q * (p * p - 3.0 * p * q + q * q) / 9.0;
        const double cov2 = p * q * (p * p * p - p * p * q - p * q * q + q * q * q) / 36.0;
        dVariance1 = dVariance2 = (n - 2.0) * var + 2.0 * (n - 3.0) * cov1 + 2.0 * (n - 4.0) * cov2;
    } else if (uTies > uNumber / 10) {
        const double var = (dSumSquares - dSum * dSum / (n - 2.0)) / (n - 3.0);
        const double cov1 = (dLag1Products - dLag1Current * dLag1Previous / (n - 3.0)) / (n - 3.0);
        const double cov2 = (dLag2Products - dLag2Current * dLag2Previous / (n - 4.0)) / (n - 4.0);
        dVariance1 = dVariance2 = (n - 2.0) * var + 2.0 * (n - 3.0) * cov1 + 2.0 * (n - 4.0) * cov2;
    } else {
        dVariance1 = (16.0 * n - 29.0) / 90.0;
        dVariance2 = (16.8 * n - 29.0) / 90.0;
    }
    // Scores that cannot vary (a constant series, for one) leave nothing to test.
    if (!(dVariance1 > 0.0 && dVariance2 > 0.0)) return;

    const Real rLower = LowerTail(dSum, (n - 2.0) / 3.0, dVariance1);
    const Real rUpper = UpperTail(dSum, (1.05 * n - 2.0) / 3.0, dVariance2);
    if (rLower < rUpper)
        dResult = 100.0 * (1.0 - rLower.value());
    else if (rUpper.isValid())  // a tail the beta could not give is no measurement
        dResult = 100.0 * rUpper.value();
}

}  // namespace HalvrennInc
