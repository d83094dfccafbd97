// Ostrel-Vane Studio - the trials of the bootstrap and of the interval estimate on bare
// doubles, for segments without invalid values. A trial resamples the values themselves
// into a contiguous buffer (the sequence of values the index form gathers) and adds them
// up as they fall into place; two trials then walk their buffers side by side, so that
// the sums of one hide the latency of the other. Every sum keeps the order and operations
// of the kernels in ChangePointKernels.h, so each trial gives the same bits. Where the
// processor has AVX2 and FMA, segments of moderate values go to the wide kernels
// (WideKernels.h) four or two trials at a time, and these loops take only the rest of a
// run. Internal to the analysis library.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "analysis/ChangePointKernels.h"
#include "analysis/ParallelTrials.h"
#include "analysis/RandomStream.h"
#include "analysis/WideKernels.h"

namespace HalvrennInc::kernel {

//! A double as the number type, unchecked (the segment is known to be valid).
template <class Number>
Number Plain(double x)
{
    Number p;
    p.d = x;
    return p;
}

//! The slot a draw picks among dSlots slots from uFirst on (at most uLast): with
//! replacement uFirst = 0 and dSlots the count, without replacement uFirst = i and dSlots
//! the slots not yet fixed, i included.
inline std::uint32_t PickedSlot(double dDraw, double dSlots, std::uint32_t uFirst, std::uint32_t uLast)
{
    const std::uint32_t j = uFirst + static_cast<std::uint32_t>(dDraw * dSlots);
    return j > uLast ? uLast : j;
}

//! Resamples pValues[0..uCount-1] into pOut[0..uCount-1] with the draws of
//! SampleWithReplacement or SampleWithoutReplacement, and returns sum plus the values in
//! their new order, added one by one. pDraws holds uCount doubles for the draws.
template <class Number, bool bWithReplacement>
Number ResampleValues(const double* pValues, std::uint32_t uCount, double* pOut, RandomStream& stream, double* pDraws,
                      Number sum)
{
    const std::uint32_t uLast = uCount - 1;
    if constexpr (bWithReplacement) {
        stream.fill(pDraws, uCount);
        const double dCount = uCount;
        for (std::uint32_t i = 0; i < uCount; ++i) {
            const std::uint32_t j = PickedSlot(pDraws[i], dCount, 0, uLast);
            const double x = pValues[j];
            pOut[i] = x;
            sum += Plain<Number>(x);
        }
    } else {
        stream.fill(pDraws, uLast);
        std::copy(pValues, pValues + uCount, pOut);
        double dLeft = uCount;  // slots not yet fixed, i included
        for (std::uint32_t i = 0; i < uLast; ++i, dLeft -= 1.0) {
            const std::uint32_t j = PickedSlot(pDraws[i], dLeft, i, uLast);
            const double x = pOut[j];  // slot i is final once it holds this one
            pOut[j] = pOut[i];
            pOut[i] = x;
            sum += Plain<Number>(x);
        }
        sum += Plain<Number>(pOut[uLast]);
    }
    return sum;
}

//! Two trials' resamples at once: trial A takes the first draws, B the ones after them, as
//! two calls of ResampleValues would; each one's sum is added up in its own order, so
//! the two chains of additions overlap. pDraws holds 2 * uCount doubles.
template <class Number, bool bWithReplacement>
void ResampleTwo(const double* pValues, std::uint32_t uCount, double* pA, double* pB, RandomStream& stream,
                 double* pDraws, Number& sumA, Number& sumB)
{
    const std::uint32_t uLast = uCount - 1;
    Number a(0.0), b(0.0);
    if constexpr (bWithReplacement) {
        stream.fill(pDraws, 2 * uCount);
        const double* const pDrawsB = pDraws + uCount;
        const double dCount = uCount;
        for (std::uint32_t i = 0; i < uCount; ++i) {
            const std::uint32_t jA = PickedSlot(pDraws[i], dCount, 0, uLast);
            const std::uint32_t jB = PickedSlot(pDrawsB[i], dCount, 0, uLast);
            const double xA = pValues[jA];
            const double xB = pValues[jB];
            pA[i] = xA;
            pB[i] = xB;
            a += Plain<Number>(xA);
            b += Plain<Number>(xB);
        }
    } else {
        stream.fill(pDraws, 2 * uLast);
        const double* const pDrawsB = pDraws + uLast;
        std::copy(pValues, pValues + uCount, pA);
        std::copy(pValues, pValues + uCount, pB);
        double dLeft = uCount;
        for (std::uint32_t i = 0; i < uLast; ++i, dLeft -= 1.0) {
            const std::uint32_t jA = PickedSlot(pDraws[i], dLeft, i, uLast);
            const std::uint32_t jB = PickedSlot(pDrawsB[i], dLeft, i, uLast);
            const double xA = pA[jA];
            pA[jA] = pA[i];
            pA[i] = xA;
            const double xB = pB[jB];
            pB[jB] = pB[i];
            pB[i] = xB;
            a += Plain<Number>(xA);
            b += Plain<Number>(xB);
        }
        a += Plain<Number>(pA[uLast]);
        b += Plain<Number>(pB[uLast]);
    }
    sumA = a;
    sumB = b;
}

//! Number of draws ResampleValues takes for uCount values.
inline std::uint64_t ResampleDraws(std::uint32_t uCount, bool bWithReplacement)
{
    return bWithReplacement ? uCount : uCount - 1;
}

//! One step of the CUSUM's extremes: "if (sum > max) max = sum; else if (sum < min) min =
//! sum;" with the cheap test first. As max >= 0 >= min, a sum nearly equal to max (or
//! NaN) changes neither; the comparisons of the number type decide only when the plain
//! ones say it could.
template <class Number>
inline void NoteExtreme(Number sum, Number& max, Number& min)
{
    if (sum.d > max.d) [[unlikely]] {
        if (sum > max) max = sum;
    } else if (sum.d < min.d) [[unlikely]] {
        if (sum < min) min = sum;
    }
}

//! The CUSUM range of p[0..uCount-1] about its mean (cusumRange without the position).
template <class Number>
Number CusumRangeOf(const double* p, std::uint32_t uCount, Number mean)
{
    if (!mean.isValid()) return mean;
    Number sum(0.0), max(0.0), min(0.0);
    for (std::uint32_t i = 0; i < uCount; ++i) {
        sum += Plain<Number>(p[i]) - mean;
        NoteExtreme(sum, max, min);
    }
    return max - min;
}

//! Two CUSUM ranges in one walk: each one's sums in their own order.
template <class Number>
void CusumRangesOfTwo(const double* pA, const double* pB, std::uint32_t uCount, Number meanA, Number meanB,
                      Number& rangeA, Number& rangeB)
{
    if (!meanA.isValid() || !meanB.isValid()) {
        rangeA = CusumRangeOf(pA, uCount, meanA);
        rangeB = CusumRangeOf(pB, uCount, meanB);
        return;
    }
    Number sumA(0.0), maxA(0.0), minA(0.0), sumB(0.0), maxB(0.0), minB(0.0);
    for (std::uint32_t i = 0; i < uCount; ++i) {
        sumA += Plain<Number>(pA[i]) - meanA;
        sumB += Plain<Number>(pB[i]) - meanB;
        NoteExtreme(sumA, maxA, minA);
        NoteExtreme(sumB, maxB, minB);
    }
    rangeA = maxA - minA;
    rangeB = maxB - minB;
}

//! The least-squares split of p[0..uCount-1] (uCount >= 2) whose values add up to sum, as
//! an offset from its start (mseSplit).
template <class Number>
std::uint32_t MseSplitOf(const double* p, std::uint32_t uCount, Number sum)
{
    const Number mean = sum / Number(static_cast<double>(uCount));
    if (!mean.isValid()) return uCount - 1;
    Number left(0.0);
    Number right = mean * Number(static_cast<double>(uCount));
    Number best(0.0);
    std::uint32_t uPosition = 0;
#if defined(__SSE2__)
    if constexpr (std::is_same_v<Number, ModerateReal>) {
        // Right and left side by side: one division instruction for both (each lane
        // rounds as the scalar division does; right - x is right + (-x) exactly).
        __m128d sides = _mm_set_pd(left.d, right.d);
        __m128d counts = _mm_set_pd(1.0, static_cast<double>(uCount - 1));
        const __m128d step = _mm_set_pd(1.0, -1.0);
        for (std::uint32_t i = 0; i + 1 < uCount; ++i) {
            const double x = p[i];
            sides = _mm_add_pd(sides, _mm_set_pd(x, -x));
            const __m128d parts = _mm_div_pd(_mm_mul_pd(sides, sides), counts);
            counts = _mm_add_pd(counts, step);
            const Number fit = Plain<Number>(_mm_cvtsd_f64(parts) + _mm_cvtsd_f64(_mm_unpackhi_pd(parts, parts)));
            if (fit > best) {
                best = fit;
                uPosition = i;
            }
        }
        return uPosition;
    }
#endif
    for (std::uint32_t i = 0; i + 1 < uCount; ++i) {
        const Number x = Plain<Number>(p[i]);
        left += x;
        right -= x;
        const Number fit = right * right / Number(static_cast<double>(uCount - i - 1)) +
                           left * left / Number(static_cast<double>(i + 1));
        if (fit > best) {
            best = fit;
            uPosition = i;
        }
    }
    return uPosition;
}

//! One buffer of doubles per worker, made by the worker itself on its first run.
class WorkerBuffers {
public:
    WorkerBuffers(unsigned uWorkers, std::size_t uSize) : m_buffers(uWorkers), m_uSize(uSize) {}
    double* of(unsigned uWorker)
    {
        std::vector<double>& buffer = m_buffers[uWorker];
        if (buffer.empty()) buffer.resize(m_uSize);
        return buffer.data();
    }

private:
    std::vector<std::vector<double>> m_buffers;
    std::size_t m_uSize;
};

//! The bootstrap's trials: how many resamples of the values have a CUSUM range below
//! the segment's own.
template <class Number, bool bWithReplacement>
class BootstrapTrials final : public trials::TrialWork {
public:
    BootstrapTrials(const double* pValues, std::uint32_t uCount, Number range, unsigned uWorkers)
        : m_pValues(pValues),
          m_uCount(uCount),
          m_range(range),
          m_bWide(std::is_same_v<Number, ModerateReal> && uCount >= wide::kMinimumCount && wide::Enabled()),
          m_buffers(uWorkers, m_bWide ? wide::BootstrapSpace(uCount) : 4 * std::size_t{uCount}),
          m_counts(uWorkers)
    {
    }

    void run(unsigned uWorker, RandomStream& stream, std::uint32_t uFirst, std::uint32_t uEnd) override
    {
        double* const pA = m_buffers.of(uWorker);
        double* const pB = pA + m_uCount;
        double* const pDraws = pB + m_uCount;
        const Number count(static_cast<double>(m_uCount));
        std::uint32_t uBelow = 0;
        std::uint32_t t = uFirst;
        if (m_bWide)
            for (; t + 4 <= uEnd; t += 4)
                uBelow +=
                    wide::BootstrapFour(m_pValues, m_uCount, m_range.d, bWithReplacement, stream, pA, t != uFirst);
        for (; t + 2 <= uEnd; t += 2) {
            Number sumA, sumB;
            ResampleTwo<Number, bWithReplacement>(m_pValues, m_uCount, pA, pB, stream, pDraws, sumA, sumB);
            const Number meanA = sumA / count, meanB = sumB / count;
            Number rangeA, rangeB;
            CusumRangesOfTwo(pA, pB, m_uCount, meanA, meanB, rangeA, rangeB);
            uBelow += (rangeA < m_range) + (rangeB < m_range);
        }
        if (t < uEnd) {
            const Number mean =
                ResampleValues<Number, bWithReplacement>(m_pValues, m_uCount, pA, stream, pDraws, Number(0.0)) / count;
            uBelow += CusumRangeOf(pA, m_uCount, mean) < m_range;
        }
        m_counts[uWorker].uBelow += uBelow;
    }

    std::uint32_t below() const
    {
        std::uint32_t uBelow = 0;
        for (const Count& count : m_counts) uBelow += count.uBelow;
        return uBelow;
    }

private:
    struct alignas(64) Count {  //!< a cache line each: workers never write to the same one
        std::uint32_t uBelow = 0;
    };

    const double* m_pValues;
    std::uint32_t m_uCount;
    Number m_range;
    bool m_bWide;  //!< four trials at a time in the wide kernels
    WorkerBuffers m_buffers;
    std::vector<Count> m_counts;
};

//! The interval's trials: each side of the change resampled on its own, the split found
//! again; estimate t goes to puEstimates[t], as a position of the series.
template <class Number, bool bWithReplacement>
class IntervalTrials final : public trials::TrialWork {
public:
    IntervalTrials(const double* pValues, std::uint32_t uLow, std::uint32_t uLeft, std::uint32_t uCount,
                   std::uint32_t* puEstimates, unsigned uWorkers)
        : m_pValues(pValues),
          m_uLow(uLow),
          m_uLeft(uLeft),
          m_uCount(uCount),
          m_puEstimates(puEstimates),
          m_bWide(std::is_same_v<Number, ModerateReal> && uCount >= wide::kMinimumCount && wide::Enabled()),
          m_buffers(uWorkers, m_bWide ? wide::IntervalSpace(uCount) : 2 * std::size_t{uCount})
    {
    }

    void run(unsigned uWorker, RandomStream& stream, std::uint32_t uFirst, std::uint32_t uEnd) override
    {
        double* const p = m_buffers.of(uWorker);
        double* const pDraws = p + m_uCount;
        std::uint32_t t = uFirst;
        if (m_bWide)
            for (; t + 2 <= uEnd; t += 2) {
                std::uint32_t splits[2];
                wide::IntervalTwo(m_pValues, m_uLeft, m_uCount, bWithReplacement, stream, p, splits, t != uFirst);
                m_puEstimates[t] = m_uLow + splits[0];
                m_puEstimates[t + 1] = m_uLow + splits[1];
            }
        for (; t < uEnd; ++t) {
            Number sum = ResampleValues<Number, bWithReplacement>(m_pValues, m_uLeft, p, stream, pDraws, Number(0.0));
            sum = ResampleValues<Number, bWithReplacement>(m_pValues + m_uLeft, m_uCount - m_uLeft, p + m_uLeft, stream,
                                                           pDraws, sum);
            m_puEstimates[t] = m_uLow + MseSplitOf(p, m_uCount, sum);
        }
    }

private:
    const double* m_pValues;
    std::uint32_t m_uLow, m_uLeft, m_uCount;
    std::uint32_t* m_puEstimates;
    bool m_bWide;  //!< two trials at a time in the wide kernels
    WorkerBuffers m_buffers;
};

}  // namespace HalvrennInc::kernel
