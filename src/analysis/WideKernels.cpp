// Ostrel-Vane Studio - the bootstrap's and the interval's trials in 256-bit registers.
//
// Only the functions marked OVS_WIDE use AVX2 and FMA, and they run only after the
// processor said it has both. Lanes never mix: each lane adds, multiplies and divides as
// the one-trial kernel does, in its order. One fused multiply-add decides each relative
// comparison of the number type ("fit > best" of the least-squares split, a new extreme
// of the CUSUM) without the division it is written with (see Beats).
#include "analysis/WideKernels.h"

#include <algorithm>
#include <atomic>
#include <type_traits>

#include "analysis/TrialKernels.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define OVS_HAVE_WIDE 1
#define OVS_WIDE __attribute__((target("avx2,fma")))
#else
#define OVS_HAVE_WIDE 0
#endif

namespace HalvrennInc::kernel::wide {

namespace {

bool ProcessorHasThem()
{
#if OVS_HAVE_WIDE
    static const bool bHas = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    }();
    return bHas;
#else
    return false;
#endif
}

std::atomic<bool> g_bSwitchedOff{false};

}  // namespace

bool Enabled()
{
    return ProcessorHasThem() && !g_bSwitchedOff.load(std::memory_order_relaxed);
}

void SetEnabled(bool bEnabled)
{
    g_bSwitchedOff.store(!bEnabled, std::memory_order_relaxed);
}

#if OVS_HAVE_WIDE

namespace {

using Number = ModerateReal;

//! The slots that one trial's resample of uCount values picks with the next uDraws
//! draws, as ResampleValues picks them, into piSlots[0..uDraws-1]: without replacement
//! slot i + floor(draw * (uCount - i)), with replacement floor(draw * uCount), either at
//! most uCount - 1, where the draw is its unit * 1e-9.
OVS_WIDE void PickSlots(RandomStream::Blocks& draws, std::int32_t* piSlots, std::uint32_t uDraws, std::uint32_t uCount,
                        bool bWithReplacement)
{
    const std::uint32_t uLast = uCount - 1;
    const __m256d scale = _mm256_set1_pd(1e-9);
    const __m128i last = _mm_set1_epi32(static_cast<std::int32_t>(uLast));
    const double dCount = uCount;
    const __m256d count = _mm256_set1_pd(dCount);
    const __m256d four = _mm256_set1_pd(4.0);
    const __m128i fourSlots = _mm_set1_epi32(4);
    for (std::uint32_t uDone = 0; uDone < uDraws;) {
        const std::uint32_t uBlock = std::min(RandomStream::Blocks::kBlock, uDraws - uDone);
        const std::int32_t* const piUnits = draws.next(uBlock);
        std::int32_t* const piOut = piSlots + uDone;
        std::uint32_t k = 0;
        if (bWithReplacement) {
            for (; k + 4 <= uBlock; k += 4) {
                const __m256d draw = _mm256_mul_pd(
                    _mm256_cvtepi32_pd(_mm_loadu_si128(reinterpret_cast<const __m128i*>(piUnits + k))), scale);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(piOut + k),
                                 _mm_min_epu32(_mm256_cvttpd_epi32(_mm256_mul_pd(draw, count)), last));
            }
            for (; k < uBlock; ++k)
                piOut[k] =
                    static_cast<std::int32_t>(PickedSlot(static_cast<double>(piUnits[k]) * 1e-9, dCount, 0, uLast));
        } else {
            // Draw i (from the trial's first) has uCount - i slots left, slot i included.
            const auto i = static_cast<std::int32_t>(uDone);
            const double dLeft = dCount - uDone;
            __m256d left = _mm256_set_pd(dLeft - 3.0, dLeft - 2.0, dLeft - 1.0, dLeft);
            __m128i first = _mm_set_epi32(i + 3, i + 2, i + 1, i);
            for (; k + 4 <= uBlock; k += 4) {
                const __m256d draw = _mm256_mul_pd(
                    _mm256_cvtepi32_pd(_mm_loadu_si128(reinterpret_cast<const __m128i*>(piUnits + k))), scale);
                const __m128i j = _mm_add_epi32(_mm256_cvttpd_epi32(_mm256_mul_pd(draw, left)), first);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(piOut + k), _mm_min_epu32(j, last));
                left = _mm256_sub_pd(left, four);
                first = _mm_add_epi32(first, fourSlots);
            }
            for (; k < uBlock; ++k) {
                const std::uint32_t uSlot = uDone + k;
                piOut[k] = static_cast<std::int32_t>(PickedSlot(static_cast<double>(piUnits[k]) * 1e-9,
                                                                static_cast<double>(uCount - uSlot), uSlot, uLast));
            }
        }
        uDone += uBlock;
    }
}

//! kLanes trials' resamples of pValues[0..uCount-1] into pLanes, where slot j of lane k
//! is pLanes[kLanes * j + k]; lane k takes the slots that piSlots[k] picked and adds its
//! values, in their new order, to pSums[k].
template <unsigned kLanes>
OVS_WIDE void ResampleLanes(const double* pValues, std::uint32_t uCount, double* pLanes,
                            const std::int32_t* const* piSlots, bool bWithReplacement, double* pSums,
                            bool bLanesHoldValues = false)
{
    static_assert(kLanes == 2 || kLanes == 4);
    double sums[kLanes];
    const std::int32_t* slots[kLanes];
#pragma GCC unroll 4
    for (unsigned k = 0; k < kLanes; ++k) {
        sums[k] = pSums[k];
        slots[k] = piSlots[k];
    }
    if (bWithReplacement) {
        for (std::uint32_t i = 0; i < uCount; ++i) {
#pragma GCC unroll 4
            for (unsigned k = 0; k < kLanes; ++k) {
                const double x = pValues[slots[k][i]];
                pLanes[kLanes * i + k] = x;
                sums[k] += x;
            }
        }
    } else {
        for (std::uint32_t j = 0; j < uCount && !bLanesHoldValues; ++j) {
            if constexpr (kLanes == 4)
                _mm256_storeu_pd(pLanes + 4 * j, _mm256_set1_pd(pValues[j]));
            else
                _mm_storeu_pd(pLanes + 2 * j, _mm_set1_pd(pValues[j]));
        }
        const std::uint32_t uLast = uCount - 1;
        for (std::uint32_t i = 0; i < uLast; ++i) {
            double* const pRow = pLanes + kLanes * i;
#pragma GCC unroll 4
            for (unsigned k = 0; k < kLanes; ++k) {
                double* const pSlot = pLanes + kLanes * static_cast<std::uint32_t>(slots[k][i]) + k;
                const double x = *pSlot;  // slot i is final once it holds this one
                *pSlot = pRow[k];
                pRow[k] = x;
                sums[k] += x;
            }
        }
#pragma GCC unroll 4
        for (unsigned k = 0; k < kLanes; ++k) sums[k] += pLanes[kLanes * uLast + k];
    }
#pragma GCC unroll 4
    for (unsigned k = 0; k < kLanes; ++k) pSums[k] = sums[k];
}

//! The lanes of 'fit' that beat 'best' as "fit > best" of the number type decides, with
//! fit, best >= 0: fit > best, and not approxEqual, which is |fit / best - 1| < 1e-15.
//! For best > 0 that quotient q rounds to 1 + m * 2^-52 with m < 4.5 exactly when
//! fit - best <= 9 * 2^-53 * best; fit - best is exact while fit <= 2 best, and larger
//! differences fail the test anyway. So fit beats best when 9 best - (fit - best) 2^53,
//! rounded once by the fused multiply-add (which keeps its sign), is negative; best = 0
//! gives -fit 2^53, negative as approxEqual(fit, 0) is false.
OVS_WIDE inline __m256d Beats(__m256d fit, __m256d best)
{
    const __m256d difference = _mm256_mul_pd(_mm256_sub_pd(fit, best), _mm256_set1_pd(-0x1p53));
    const __m256d margin = _mm256_fmadd_pd(_mm256_set1_pd(9.0), best, difference);
    return _mm256_and_pd(_mm256_cmp_pd(fit, best, _CMP_GT_OQ), _mm256_cmp_pd(margin, _mm256_setzero_pd(), _CMP_LT_OQ));
}

//! The least-squares splits of two resamples side by side (MseSplitOf for each): lanes
//! hold right A, left A, right B, left B.
//! With pRefill, each row, once read, is filled again with pRefill[i] in both lanes (the
//! start of a resample without replacement).
OVS_WIDE void MseSplitsOfTwo(double* pLanes, std::uint32_t uCount, const double* pSums, std::uint32_t* puSplits,
                             const double* pRefill)
{
    const Number count(static_cast<double>(uCount));
    const Number rightA = Plain<Number>(pSums[0]) / count * count;
    const Number rightB = Plain<Number>(pSums[1]) / count * count;
    __m256d sides = _mm256_set_pd(0.0, rightB.d, 0.0, rightA.d);
    const double dRight = static_cast<double>(uCount - 1);
    __m256d counts = _mm256_set_pd(1.0, dRight, 1.0, dRight);
    const __m256d step = _mm256_set_pd(1.0, -1.0, 1.0, -1.0);
    const __m256d rightNegative = _mm256_set_pd(0.0, -0.0, 0.0, -0.0);
    const __m256d one = _mm256_set1_pd(1.0);
    __m256d best = _mm256_setzero_pd(), position = best, place = best;
    for (std::uint32_t i = 0; i + 1 < uCount; ++i) {
        const __m256d x =
            _mm256_permute4x64_pd(_mm256_castpd128_pd256(_mm_loadu_pd(pLanes + 2 * i)), _MM_SHUFFLE(1, 1, 0, 0));
        if (pRefill) _mm_storeu_pd(pLanes + 2 * i, _mm_set1_pd(pRefill[i]));
        sides = _mm256_add_pd(sides, _mm256_xor_pd(x, rightNegative));  // right - x is right + (-x)
        const __m256d parts = _mm256_div_pd(_mm256_mul_pd(sides, sides), counts);
        counts = _mm256_add_pd(counts, step);
        const __m256d fit = _mm256_hadd_pd(parts, parts);  // right part + left part, in each trial's lanes
        const __m256d better = Beats(fit, best);
        best = _mm256_blendv_pd(best, fit, better);
        position = _mm256_blendv_pd(position, place, better);
        place = _mm256_add_pd(place, one);
    }
    if (pRefill) _mm_storeu_pd(pLanes + 2 * (uCount - 1), _mm_set1_pd(pRefill[uCount - 1]));
    alignas(32) double positions[4];
    _mm256_store_pd(positions, position);
    puSplits[0] = static_cast<std::uint32_t>(positions[0]);
    puSplits[1] = static_cast<std::uint32_t>(positions[2]);
}

}  // namespace

namespace {

//! CusumRangesOfFour; with pRefill, each row of the lanes, once read, is filled again
//! with the value pRefill[i] in every lane (the start of a resample without replacement),
//! a store to a line the walk has just brought in.
template <bool bRefill>
OVS_WIDE void CusumWalk(std::conditional_t<bRefill, double*, const double*> pLanes, std::uint32_t uCount,
                        const double* pMeans, double* pRanges, const double* pRefill)
{
    const __m256d mean = _mm256_loadu_pd(pMeans);
    const __m256d negative = _mm256_set1_pd(-0.0);
    __m256d sum = _mm256_setzero_pd(), max = sum, min = sum;
    for (std::uint32_t i = 0; i < uCount; ++i) {
        sum = _mm256_add_pd(sum, _mm256_sub_pd(_mm256_loadu_pd(pLanes + 4 * i), mean));
        if constexpr (bRefill) _mm256_storeu_pd(pLanes + 4 * i, _mm256_set1_pd(pRefill[i]));
        const __m256d beyond = _mm256_or_pd(_mm256_cmp_pd(sum, max, _CMP_GT_OQ), _mm256_cmp_pd(sum, min, _CMP_LT_OQ));
        if (_mm256_movemask_pd(beyond)) [[unlikely]] {
            // A new extreme in some lane, as the plain comparisons see it: NoteExtreme's
            // relative comparisons decide, the minimum's on the magnitudes (as max >= 0 >=
            // min, no lane passes both).
            max = _mm256_blendv_pd(max, sum, Beats(sum, max));
            min = _mm256_blendv_pd(min, sum, Beats(_mm256_xor_pd(sum, negative), _mm256_xor_pd(min, negative)));
        }
    }
    _mm256_storeu_pd(pRanges, _mm256_sub_pd(max, min));
}

}  // namespace

OVS_WIDE void CusumRangesOfFour(const double* pLanes, std::uint32_t uCount, const double* pMeans, double* pRanges)
{
    CusumWalk<false>(pLanes, uCount, pMeans, pRanges, nullptr);
}

OVS_WIDE unsigned BootstrapFour(const double* pValues, std::uint32_t uCount, double dRange, bool bWithReplacement,
                                RandomStream& stream, double* pSpace, bool bFilled)
{
    const auto uDraws = static_cast<std::uint32_t>(ResampleDraws(uCount, bWithReplacement));
    auto* const piSlots = reinterpret_cast<std::int32_t*>(pSpace + 4 * std::size_t{uCount});
    const std::int32_t* slots[4];
    {
        RandomStream::Blocks draws(stream);
        for (unsigned k = 0; k < 4; ++k) {
            slots[k] = piSlots + std::size_t{k} * uDraws;
            PickSlots(draws, piSlots + std::size_t{k} * uDraws, uDraws, uCount, bWithReplacement);
        }
    }
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    ResampleLanes<4>(pValues, uCount, pSpace, slots, bWithReplacement, sums, bFilled);
    const Number count(static_cast<double>(uCount));
    double means[4], ranges[4];
    for (int k = 0; k < 4; ++k) means[k] = (Plain<Number>(sums[k]) / count).d;
    if (bWithReplacement)
        CusumWalk<false>(pSpace, uCount, means, ranges, nullptr);
    else
        CusumWalk<true>(pSpace, uCount, means, ranges, pValues);
    const Number range = Plain<Number>(dRange);
    unsigned uBelow = 0;
    for (double dTrialRange : ranges) uBelow += Plain<Number>(dTrialRange) < range;
    return uBelow;
}

OVS_WIDE void IntervalTwo(const double* pValues, std::uint32_t uLeft, std::uint32_t uCount, bool bWithReplacement,
                          RandomStream& stream, double* pSpace, std::uint32_t* puSplits, bool bFilled)
{
    const std::uint32_t uRight = uCount - uLeft;
    const auto uLeftDraws = static_cast<std::uint32_t>(ResampleDraws(uLeft, bWithReplacement));
    const auto uDraws = uLeftDraws + static_cast<std::uint32_t>(ResampleDraws(uRight, bWithReplacement));
    auto* const piSlots = reinterpret_cast<std::int32_t*>(pSpace + 2 * std::size_t{uCount});
    const std::int32_t* leftSlots[2] = {piSlots, piSlots + uDraws};
    const std::int32_t* rightSlots[2] = {piSlots + uLeftDraws, piSlots + uDraws + uLeftDraws};
    {
        RandomStream::Blocks draws(stream);
        for (unsigned k = 0; k < 2; ++k) {
            PickSlots(draws, piSlots + std::size_t{k} * uDraws, uLeftDraws, uLeft, bWithReplacement);
            PickSlots(draws, piSlots + std::size_t{k} * uDraws + uLeftDraws, uDraws - uLeftDraws, uRight,
                      bWithReplacement);
        }
    }
    double sums[2] = {0.0, 0.0};
    ResampleLanes<2>(pValues, uLeft, pSpace, leftSlots, bWithReplacement, sums, bFilled);
    ResampleLanes<2>(pValues + uLeft, uRight, pSpace + 2 * std::size_t{uLeft}, rightSlots, bWithReplacement, sums,
                     bFilled);
    MseSplitsOfTwo(pSpace, uCount, sums, puSplits, bWithReplacement ? nullptr : pValues);
}

#else

unsigned BootstrapFour(const double*, std::uint32_t, double, bool, RandomStream&, double*, bool)
{
    return 0;
}

void IntervalTwo(const double*, std::uint32_t, std::uint32_t, bool, RandomStream&, double*, std::uint32_t*, bool) {}

void CusumRangesOfFour(const double*, std::uint32_t, const double*, double*) {}

#endif

}  // namespace HalvrennInc::kernel::wide
