// Ostrel-Vane Studio - the change-point statistics: index sorting, ranks, segment means
// and medians, the CUSUM range, the least-squares split, resampling, the bootstrap
// confidence of a change and the random generator behind it; then the search procedure
// built on them and the two assumption tests of an analysis. Every value is a Real, so
// an invalid datum is carried through rather than trapped.
//
// Series positions are 0-based; a segment is the inclusive range uStart..uEnd. The
// position of a change is the last position before it, so a segment [s, e] splits into
// [s, m] and [m + 1, e] with s <= m < e. Preconditions are checked in every build and
// stop the program with "Assertion failed: <condition> (ChangePointFunctions)".
#pragma once

#include <cstdint>

#include "analysis/RandomStream.h"
#include "foundation/ListPointers.h"
#include "foundation/Real.h"

namespace HalvrennInc {

// ---------------------------------------------------------------------------------------
// Progress and halting

//! Codes of the status callback.
enum StatusCode : int {
    scTitle = 0,              //!< text: window title
    scHeading = 1,            //!< text: heading of the current stage
    scFirstLabel = 2,         //!< text: label of the first counter
    scSecondLabel = 3,        //!< text: label of the second counter
    scFirstCounter = 4,       //!< text: value of the first counter
    scSecondCounter = 5,      //!< text: value of the second counter
    scProgress = 6,           //!< number: progress of the current step, 0..100; text null
    scSerialCorrelation = 7,  //!< number: the serial-correlation result that failed the test
    scOutliers = 8,           //!< the values contain outliers; the number is unused
};

//! Reports progress and asks whether to go on: true continues, false halts. The text
//! may be null. A null callback reports nothing and never halts.
using StatusCallback = bool (*)(void* pContext, int iCode, const char* psText, double dPercent);

// ---------------------------------------------------------------------------------------
// One detected change

//! Owned by a change list: a ListPointers of ChangeStructure in ascending order of
//! position (ClearChanges deletes them).
struct ChangeStructure {
    std::uint32_t uPosition = 0;       //!< index of the last value before the change
    Real rConfidence;                  //!< confidence level of the change, percent
    std::uint32_t uLevel = 0;          //!< depth of the split that found it: 1 for the whole series
    std::uint32_t uIntervalUpper = 0;  //!< upper end of the confidence interval of the position
    std::uint32_t uIntervalLower = 0;  //!< lower end of the confidence interval of the position
};

//! Removes the records from the end of the list and deletes each.
void ClearChanges(ListPointers& changes);

// ---------------------------------------------------------------------------------------
// Random numbers

//! Knuth's subtractive generator (55-entry table, modulus 1e9): v * 1e-9 in [0, 1), the
//! next draw of SharedRandomStream(). The first call seeds it from the calendar time
//! unless SeedUniformRandom came first.
double UniformRandom();

//! Restarts the generator exactly as its first call would, with uSeed mod 1e9 in place
//! of the time, so that a given seed gives the same analysis on every machine.
void SeedUniformRandom(std::uint64_t uSeed);

// ---------------------------------------------------------------------------------------
// How the trials of a bootstrap run

//! The number of worker threads when nothing else says: the environment variable
//! OVS_THREADS when it holds a valid count (see ParseThreadCount), else every hardware
//! thread.
unsigned DefaultThreadCount();
//! A thread count as typed: a whole number from 1 to kMaxThreads; 0 when it is not one.
unsigned ParseThreadCount(const char* psText);
inline constexpr unsigned kMaxThreads = 1024;

//! Where the trials draw from and how many threads share them. Every setting gives the
//! same results: trial t of a call always takes the same draws of the stream, and the
//! stream ends where the serial loop leaves it.
struct TrialSettings {
    RandomStream* pStream = nullptr;  //!< null: the shared generator (SharedRandomStream)
    unsigned uThreads = 0;            //!< 0: DefaultThreadCount(); 1: the calling thread alone
    bool bReference = false;          //!< the plain serial loops over index arrays, for comparison

    RandomStream& stream() const { return pStream ? *pStream : SharedRandomStream(); }
    unsigned threads() const { return uThreads ? uThreads : DefaultThreadCount(); }
};

// ---------------------------------------------------------------------------------------
// Sorting, ranks, sampling

//! puIndexes[0..uNumber-1] := 0..uNumber-1 ordered so that prValues ascend (heap sort,
//! Real "<", invalid values last; the order of ties is the heap sort's).
void SortIndexes(std::uint32_t uNumber, std::uint32_t* puIndexes, const Real* prValues);
//! The same heap sort for unsigned values.
void SortIndexesUnsigned(std::uint32_t uNumber, std::uint32_t* puIndexes, const std::uint32_t* puValues);
//! Mid-ranks from 1; nearly equal values tie; an invalid value ranks alone, after the rest.
void ComputeRanks(std::uint32_t uNumber, const Real* prValues, Real* prRanks);

//! Writes uEnd - uStart + 1 positions drawn from uStart..uEnd with replacement into
//! puIndexes[0..], which the caller points at the slot of uStart.
void SampleWithReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes);
void SampleWithReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, RandomStream& stream);
//! Writes a random permutation of uStart..uEnd into puIndexes[0..] (Fisher-Yates from
//! the front).
void SampleWithoutReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes);
void SampleWithoutReplacement(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, RandomStream& stream);

// ---------------------------------------------------------------------------------------
// Segment statistics. The "Indexed" forms read element i of the segment (i in
// uStart..uEnd) as prValues[puIndexes[i]].

void SegmentMean(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rMean);
void SegmentMeanIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                        Real& rMean);
//! Invalid, with that value's message, when any value of the segment is invalid.
void SegmentMedian(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rMedian);

//! Range (max - min) of the cumulative sums of x - mean, and the position where the sum
//! strays furthest (the maximum wins near-equal magnitudes). An invalid mean makes the
//! range a copy of it and leaves uPosition unwritten.
void CusumRange(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Real& rRange, std::uint32_t& uPosition);
void CusumRangeIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                       Real& rRange, std::uint32_t& uPosition);

//! Least-squares position of a single change in [uStart, uEnd], uStart < uEnd: the first
//! maximum of L^2/nL + R^2/nR, uStart when no split beats 0, uEnd when the mean is invalid.
void MseSplit(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, std::uint32_t& uPosition);
void MseSplitIndexed(std::uint32_t uStart, std::uint32_t uEnd, const std::uint32_t* puIndexes, const Real* prValues,
                     std::uint32_t& uPosition);

//! Percent of uTrials resamples of [uStart, uEnd] whose CUSUM range is strictly below
//! rRange (the segment's own). Reports progress (code 6) every 100 trials, from the
//! calling thread only, whatever threads run the trials. Returns false, leaving
//! rConfidence unwritten, when the callback halts. puIndexes needs at least uEnd + 1
//! entries (the serial reference loops work in it).
bool BootstrapConfidence(const Real& rRange, std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes,
                         const Real* prValues, Real& rConfidence, std::uint32_t uTrials, bool bWithReplacement,
                         StatusCallback pCallback, void* pContext, const TrialSettings& settings = TrialSettings());

// ---------------------------------------------------------------------------------------
// The change-point procedure

//! Finds the changes of [uStart, uEnd] into the change list (emptied first): candidate
//! search by binary splitting, re-estimation of the positions, confidence levels,
//! reduction to the changes that reach dLevel, and a dInterval-percent interval around
//! each position. psSeriesName (null: "Values") goes into the title. Returns false when
//! halted through the callback; the list is then empty.
bool AnalyzeChanges(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, ListPointers& changes,
                    std::uint32_t uTrials, double dLevel, double dInterval, bool bWithReplacement,
                    const char* psSeriesName, StatusCallback pCallback, void* pContext,
                    const TrialSettings& settings = TrialSettings());

//! One step of the candidate search over [uStart, uEnd]: split where the least-squares
//! fit is best when the bootstrap confidence reaches dLevel, then search both parts.
//! Records are appended in ascending order of position; uDepth is that of the caller
//! (0 at the top). The counters feed the progress display. False when halted.
bool FindCandidates(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, const Real* prValues,
                    ListPointers& changes, std::uint32_t uTrials, double dLevel, bool bWithReplacement,
                    std::uint32_t uDepth, std::uint32_t& uChangesFound, std::uint32_t& uSegmentsRemaining,
                    StatusCallback pCallback, void* pContext, const TrialSettings& settings = TrialSettings());

//! Bootstrap interval of a change at uPosition in the neighbourhood [uLow, uHigh]: each
//! side is resampled on its own and the split re-estimated; the bounds are the
//! (100 - dInterval)/2 percent points of the estimates. The trials and their progress
//! as in BootstrapConfidence. False when halted (bounds unwritten).
bool ConfidenceInterval(std::uint32_t uLow, std::uint32_t uPosition, std::uint32_t uHigh, std::uint32_t* puIndexes,
                        const Real* prValues, std::uint32_t& uLower, std::uint32_t& uUpper, std::uint32_t uTrials,
                        double dInterval, bool bWithReplacement, StatusCallback pCallback, void* pContext,
                        const TrialSettings& settings = TrialSettings());

// ---------------------------------------------------------------------------------------
// Assumption tests

//! True when a single value jumps far away and straight back (judged on the successive
//! differences against their 10% and 90% points). False for fewer than 10 values.
bool TestOutliers(std::uint32_t uNumber, const Real* prValues);

//! Test of independence on the rises and falls of consecutive triples. dResult is -1
//! when not tested (fewer than 10 values, or nothing varies), else 0..100: near 100 the
//! values alternate more than chance allows, near 0 they run in streaks.
void TestSerialCorrelation(std::uint32_t uNumber, const Real* prValues, double& dResult);

}  // namespace HalvrennInc
