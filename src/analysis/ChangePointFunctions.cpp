// Ostrel-Vane Studio - the change-point statistics: random generator, sorting, ranks,
// resampling, segment statistics and the bootstrap confidence.
#include "analysis/ChangePointFunctions.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "analysis/ChangePointKernels.h"
#include "analysis/ParallelTrials.h"
#include "analysis/TrialKernels.h"

namespace HalvrennInc {

using kernel::DirectPositions;
using kernel::IndexedPositions;

// ---------------------------------------------------------------------------------------
// Random numbers

double UniformRandom()
{
    return SharedRandomStream().next();
}

void SeedUniformRandom(std::uint64_t uSeed)
{
    SharedRandomStream().seed(uSeed);
}

// ---------------------------------------------------------------------------------------
// Sorting and ranks

namespace {

//! Index heap sort: puIndexes := 0..uNumber-1 ordered by bLess(index, index). Builds the
//! heap from the middle down, then moves the top to the end. Any comparison is safe,
//! including the non-transitive "nearly equal" ties of Real.
template <class Less>
void HeapSortIndexes(std::uint32_t uNumber, std::uint32_t* puIndexes, Less bLess)
{
    for (std::uint32_t j = 0; j < uNumber; ++j) puIndexes[j] = j;
    if (uNumber < 2) return;
    auto slot = [puIndexes](std::uint32_t k) -> std::uint32_t& { return puIndexes[k - 1]; };  // 1-based heap
    std::uint32_t l = uNumber / 2 + 1;
    std::uint32_t ir = uNumber;
    for (;;) {
        std::uint32_t uMoving;
        if (l > 1) {
            uMoving = slot(--l);
        } else {
            uMoving = slot(ir);
            slot(ir) = slot(1);
            if (--ir == 1) {
                slot(1) = uMoving;
                return;
            }
        }
        std::uint32_t i = l;
        std::uint32_t j = l + l;
        while (j <= ir) {
            if (j < ir && bLess(slot(j), slot(j + 1))) ++j;
            if (!bLess(uMoving, slot(j))) break;
            slot(i) = slot(j);
            i = j;
            j += j;
        }
        slot(i) = uMoving;
    }
}

}  // namespace

void SortIndexes(std::uint32_t uNumber, std::uint32_t* puIndexes, const Real* prValues)
{
    CPF_REQUIRE(uNumber > 0);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    // An invalid value counts as larger than every valid one.
    HeapSortIndexes(uNumber, puIndexes, [prValues](std::uint32_t a, std::uint32_t b) {
        const Real& x = prValues[a];
        const Real& y = prValues[b];
        return x.isValid() && (!y.isValid() || x < y);
    });
}

void SortIndexesUnsigned(std::uint32_t uNumber, std::uint32_t* puIndexes, const std::uint32_t* puValues)
{
    CPF_REQUIRE(uNumber > 0);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(puValues);
    HeapSortIndexes(uNumber, puIndexes,
                    [puValues](std::uint32_t a, std::uint32_t b) { return puValues[a] < puValues[b]; });
}

void ComputeRanks(std::uint32_t uNumber, const Real* prValues, Real* prRanks)
{
    CPF_REQUIRE(uNumber > 0);
    CPF_REQUIRE(prValues);
    CPF_REQUIRE(prRanks);
    const auto puOrder = std::make_unique<std::uint32_t[]>(uNumber);
    SortIndexes(uNumber, puOrder.get(), prValues);
    // A run of ties extends while the next value is nearly equal to the run's first one.
    std::uint32_t i = 0;
    while (i < uNumber) {
        std::uint32_t j = i;
        while (j + 1 < uNumber && prValues[puOrder[j + 1]] == prValues[puOrder[i]]) ++j;
        const Real rRank(static_cast<double>(i + j) / 2.0 + 1.0);
        for (std::uint32_t k = i; k <= j; ++k) prRanks[puOrder[k]] = rRank;
        i = j + 1;
    }
}

// ---------------------------------------------------------------------------------------
// Resampling

void SampleWithReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes)
{
    SampleWithReplacement(uStart, uEnd, puIndexes, SharedRandomStream());
}

void SampleWithReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, RandomStream& stream)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    const std::uint32_t uCount = uEnd - uStart + 1;
    const double dCount = uCount;
    RandomStream::Run draws(stream);
    for (std::uint32_t i = 0; i < uCount; ++i) {
        std::uint32_t j = uStart + static_cast<std::uint32_t>(draws.next() * dCount);
        if (j > uEnd) j = uEnd;
        puIndexes[i] = j;
    }
}

void SampleWithoutReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes)
{
    SampleWithoutReplacement(uStart, uEnd, puIndexes, SharedRandomStream());
}

void SampleWithoutReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, RandomStream& stream)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    const std::uint32_t uCount = uEnd - uStart + 1;
    for (std::uint32_t i = 0; i < uCount; ++i) puIndexes[i] = uStart + i;
    double dLeft = uCount;  // slots not yet fixed, i included
    RandomStream::Run draws(stream);
    for (std::uint32_t i = 0; i + 1 < uCount; ++i, dLeft -= 1.0) {
        std::uint32_t j = i + static_cast<std::uint32_t>(draws.next() * dLeft);
        if (j > uCount - 1) j = uCount - 1;
        std::swap(puIndexes[i], puIndexes[j]);
    }
}

// ---------------------------------------------------------------------------------------
// Segment statistics

void SegmentMean(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rMean)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(prValues);
    rMean = kernel::segmentMean<Real>(uStart, uEnd, DirectPositions{}, prValues);
}

void SegmentMeanIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                        Real& rMean)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    rMean = kernel::segmentMean<Real>(uStart, uEnd, IndexedPositions{puIndexes}, prValues);
}

void SegmentMedian(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rMedian)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(prValues);
    const std::uint32_t uCount = uEnd - uStart + 1;
    const Real* prSegment = prValues + uStart;
    const auto puOrder = std::make_unique<std::uint32_t[]>(uCount);
    SortIndexes(uCount, puOrder.get(), prSegment);
    // Invalid values sort last, so the last one tells whether there is any.
    const Real& rLast = prSegment[puOrder[uCount - 1]];
    if (!rLast.isValid())
        rMedian = rLast;
    else if (uCount % 2 == 0)
        rMedian = (prSegment[puOrder[uCount / 2 - 1]] + prSegment[puOrder[uCount / 2]]) / Real(2.0);
    else
        rMedian = prSegment[puOrder[(uCount - 1) / 2]];
}

void CusumRange(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rRange, std::uint32_t& uPosition)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(prValues);
    rRange = kernel::cusumRange<Real>(uStart, uEnd, DirectPositions{}, prValues, uPosition);
}

void CusumRangeIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                       Real& rRange, std::uint32_t& uPosition)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    rRange = kernel::cusumRange<Real>(uStart, uEnd, IndexedPositions{puIndexes}, prValues, uPosition);
}

void MseSplit(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, std::uint32_t& uPosition)
{
    CPF_REQUIRE(uStart < uEnd);
    CPF_REQUIRE(prValues);
    uPosition = kernel::mseSplit<Real>(uStart, uEnd, DirectPositions{}, prValues);
}

void MseSplitIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                     std::uint32_t& uPosition)
{
    CPF_REQUIRE(uStart < uEnd);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    uPosition = kernel::mseSplit<Real>(uStart, uEnd, IndexedPositions{puIndexes}, prValues);
}

namespace {

//! The bootstrap's trials on the values themselves, on the threads of the settings.
template <class Number>
bool BootstrapOnValues(Number range, std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues,
                       std::uint32_t uTrials, bool bWithReplacement, StatusCallback pCallback, void* pContext,
                       const TrialSettings& settings, std::uint32_t& uBelow)
{
    const std::uint32_t uCount = uEnd - uStart + 1;
    std::vector<double> values(uCount);
    for (std::uint32_t i = 0; i < uCount; ++i) values[i] = prValues[uStart + i].value();
    const trials::TrialPlan plan{uTrials, kernel::ResampleDraws(uCount, bWithReplacement),
                                 trials::ProgressForm::Bootstrap};
    const unsigned uWorkers = trials::WorkerCount(plan, settings.threads());
    auto run = [&](auto&& work) {
        if (!trials::RunTrials(plan, work, settings.stream(), uWorkers, pCallback, pContext)) return false;
        uBelow = work.below();
        return true;
    };
    if (bWithReplacement) return run(kernel::BootstrapTrials<Number, true>(values.data(), uCount, range, uWorkers));
    return run(kernel::BootstrapTrials<Number, false>(values.data(), uCount, range, uWorkers));
}

}  // namespace

bool BootstrapConfidence(const Real& rRange, std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes,
                         const Real* prValues, Real& rConfidence, std::uint32_t uTrials, bool bWithReplacement,
                         StatusCallback pCallback, void* pContext, const TrialSettings& settings)
{
    CPF_REQUIRE(uStart <= uEnd);
    CPF_REQUIRE(puIndexes);
    CPF_REQUIRE(prValues);
    CPF_REQUIRE(uTrials > 0);
    // Resamples only draw from the segment, so one look at it decides for every trial.
    std::uint32_t uBelow = 0;
    const bool bFinished = kernel::WithNumberType(uStart, uEnd, prValues, [&](auto number) {
        using Number = decltype(number);
        if constexpr (!std::is_same_v<Number, Real>) {
            if (!settings.bReference)
                return BootstrapOnValues<Number>(kernel::numberOf<Number>(rRange), uStart, uEnd, prValues, uTrials,
                                                 bWithReplacement, pCallback, pContext, settings, uBelow);
        }
        return kernel::bootstrapCount<Number>(rRange, uStart, uEnd, puIndexes, prValues, uTrials, bWithReplacement,
                                              pCallback, pContext, settings.stream(), uBelow);
    });
    if (!bFinished) return false;
    rConfidence = static_cast<double>(uBelow) * 100.0 / static_cast<double>(uTrials);
    return true;
}

void ClearChanges(ListPointers& changes)
{
    while (changes.count() > 0) delete static_cast<ChangeStructure*>(changes.remove(changes.count()));
}

}  // namespace HalvrennInc
