// Ostrel-Vane Studio - the trials of the bootstrap and of the interval estimate on bare
// doubles, for segments without invalid values. A trial resamples the values themselves
// into a contiguous buffer (the sequence of values the index form gathers) and adds them
// up as they fall into place; two trials then walk their buffers side by side, so that
// the sums of one hide the latency of the other. Every sum keeps the order and operations
// of the kernels in ChangePointKernels.h, so each trial gives the same bits. Internal to
// the analysis library.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "analysis/ChangePointKernels.h"
#include "analysis/ParallelTrials.h"
#include "analysis/RandomStream.h"

namespace HalvrennInc::kernel {

//! A double as the number type, unchecked (the segment is known to be valid).
template <class Number>
Number Plain(double x)
{
    Number p;
    p.d = x;
    return p;
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
            std::uint32_t j = static_cast<std::uint32_t>(pDraws[i] * dCount);
            if (j > uLast) j = uLast;
            const double x = pValues[j];
            pOut[i] = x;
            sum += Plain<Number>(x);
        }
    } else {
        stream.fill(pDraws, uLast);
        std::copy(pValues, pValues + uCount, pOut);
        double dLeft = uCount;  // slots not yet fixed, i included
        for (std::uint32_t i = 0; i < uLast; ++i, dLeft -= 1.0) {
            std::uint32_t j = i + static_cast<std::uint32_t>(pDraws[i] * dLeft);
            if (j > uLast) j = uLast;
            const double x = pOut[j];  // slot i is final once it holds this one
            pOut[j] = pOut[i];
            pOut[i] = x;
            sum += Plain<Number>(x);
        }
        sum += Plain<Number>(pOut[uLast]);
    }
    return sum;
}

//! Number of draws ResampleValues takes for uCount values.
inline std::uint64_t ResampleDraws(std::uint32_t uCount, bool bWithReplacement)
{
    return bWithReplacement ? uCount : uCount - 1;
}

//! The CUSUM range of p[0..uCount-1] about its mean (cusumRange without the position).
template <class Number>
Number CusumRangeOf(const double* p, std::uint32_t uCount, Number mean)
{
    if (!mean.isValid()) return mean;
    Number sum(0.0), max(0.0), min(0.0);
    for (std::uint32_t i = 0; i < uCount; ++i) {
        sum += Plain<Number>(p[i]) - mean;
        if (sum > max)
            max = sum;
        else if (sum < min)
            min = sum;
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
        if (sumA > maxA)
            maxA = sumA;
        else if (sumA < minA)
            minA = sumA;
        if (sumB > maxB)
            maxB = sumB;
        else if (sumB < minB)
            minB = sumB;
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
          m_buffers(uWorkers, 3 * std::size_t{uCount}),
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
        for (; t + 2 <= uEnd; t += 2) {
            const Number meanA =
                ResampleValues<Number, bWithReplacement>(m_pValues, m_uCount, pA, stream, pDraws, Number(0.0)) / count;
            const Number meanB =
                ResampleValues<Number, bWithReplacement>(m_pValues, m_uCount, pB, stream, pDraws, Number(0.0)) / count;
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
          m_buffers(uWorkers, 2 * std::size_t{uCount})
    {
    }

    void run(unsigned uWorker, RandomStream& stream, std::uint32_t uFirst, std::uint32_t uEnd) override
    {
        double* const p = m_buffers.of(uWorker);
        double* const pDraws = p + m_uCount;
        for (std::uint32_t t = uFirst; t < uEnd; ++t) {
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
    WorkerBuffers m_buffers;
};

}  // namespace HalvrennInc::kernel
