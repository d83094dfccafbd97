// Ostrel-Vane Studio - the trials of the bootstrap and of the interval estimate in the
// 256-bit registers of processors with AVX2 and FMA, for segments whose values are all of
// moderate magnitude (ModerateReal). Four bootstrap trials, or two interval trials, walk
// their values side by side, one trial per lane; every lane adds, multiplies and divides
// in the order of the one-trial kernels and decides each comparison as they do, so each
// trial gives the same bits. Other processors keep the kernels of TrialKernels.h.
// Internal to the analysis library (and its tests).
#pragma once

#include <cstddef>
#include <cstdint>

#include "analysis/RandomStream.h"

namespace HalvrennInc::kernel::wide {

//! Whether the wide kernels run: the processor has them and they are not switched off.
bool Enabled();
//! Switches them off (false), or back on where the processor has them: the tests and the
//! benchmark compare both.
void SetEnabled(bool bEnabled);

//! Segments shorter than this keep the one-trial kernels.
constexpr std::uint32_t kMinimumCount = 8;

//! Doubles of work space for the kernels on uCount values.
inline std::size_t BootstrapSpace(std::uint32_t uCount)
{
    return 6 * std::size_t{uCount};
}
inline std::size_t IntervalSpace(std::uint32_t uCount)
{
    return 3 * std::size_t{uCount};
}

//! Four trials of the bootstrap on pValues[0..uCount-1], drawing as four calls of the
//! one-trial resample would: how many have a CUSUM range below dRange. Each call leaves
//! the space ready for the next one on the same values: bFilled says that a call did.
unsigned BootstrapFour(const double* pValues, std::uint32_t uCount, double dRange, bool bWithReplacement,
                       RandomStream& stream, double* pSpace, bool bFilled);

//! Two trials of the interval estimate: each side (uLeft values, then the rest) resampled
//! on its own, trial A's draws before trial B's; the least-squares splits, as offsets
//! from the segment's start, go to puSplits[0] and puSplits[1]. Like BootstrapFour, each
//! call leaves the space ready for the next one: bFilled says that a call did.
void IntervalTwo(const double* pValues, std::uint32_t uLeft, std::uint32_t uCount, bool bWithReplacement,
                 RandomStream& stream, double* pSpace, std::uint32_t* puSplits, bool bFilled);

//! The CUSUM ranges of four resamples about their means pMeans[0..3] (CusumRangeOf in
//! each lane), where value i of resample k is pLanes[4 * i + k].
void CusumRangesOfFour(const double* pLanes, std::uint32_t uCount, const double* pMeans, double* pRanges);

}  // namespace HalvrennInc::kernel::wide
