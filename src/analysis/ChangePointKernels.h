// Ostrel-Vane Studio - the inner loops of the change-point statistics, written once as
// templates over the number type. Instantiated with Real they are the reference
// behaviour. Instantiated with the plain number types they run on bare doubles and give
// the same bits on the segments those types are chosen for; the bootstrap chooses once
// per call (WithNumberType). Internal to the analysis library (and its tests).
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "analysis/ChangePointFunctions.h"
#include "analysis/Precondition.h"
#include "foundation/Real.h"

#define CPF_REQUIRE(condition) OVS_REQUIRE(condition, "ChangePointFunctions")

namespace HalvrennInc::kernel {

//! A Real without the message, for segments without invalid values. With bGuarded every
//! operation ends with the guarded store of Real, and the comparisons are the same
//! relative ones. NaN stands for "invalid": it propagates through arithmetic as an
//! invalid Real does and makes every comparison false.
template <bool bGuarded>
struct PlainNumber {
    static constexpr std::uint64_t kSmallestBits = std::bit_cast<std::uint64_t>(Real::kSmallest) << 1;
    static constexpr std::uint64_t kLargestBits = std::bit_cast<std::uint64_t>(Real::kLargest) << 1;

    double d = 0;

    PlainNumber() = default;
    explicit PlainNumber(double x) : d(stored(x)) {}

    //! The guarded store of Real: out of range (or NaN) is invalid, magnitudes below the
    //! smallest valid one become 0 (and -0 becomes +0).
    static double stored(double x)
    {
        if constexpr (!bGuarded) return x;
        // The common case in one unsigned comparison: with the sign shifted out, the bit
        // patterns of magnitudes in [kSmallest, kLargest] form one interval.
        const std::uint64_t uMagnitude = std::bit_cast<std::uint64_t>(x) << 1;
        if (uMagnitude - kSmallestBits <= kLargestBits - kSmallestBits) [[likely]]
            return x;
        if (std::fabs(x) < Real::kSmallest) return 0.0;
        return std::numeric_limits<double>::quiet_NaN();  // beyond the range, or NaN already
    }

    bool isValid() const { return d == d; }

    PlainNumber& operator+=(PlainNumber r)
    {
        d = stored(d + r.d);
        return *this;
    }
    PlainNumber& operator-=(PlainNumber r)
    {
        d = stored(d - r.d);
        return *this;
    }
    friend PlainNumber operator+(PlainNumber a, PlainNumber b) { return a += b; }
    friend PlainNumber operator-(PlainNumber a, PlainNumber b) { return a -= b; }
    friend PlainNumber operator*(PlainNumber a, PlainNumber b)
    {
        a.d = stored(a.d * b.d);
        return a;
    }
    friend PlainNumber operator/(PlainNumber a, PlainNumber b)
    {
        a.d = b.d == 0 ? std::numeric_limits<double>::quiet_NaN() : stored(a.d / b.d);
        return a;
    }
    friend PlainNumber abs(PlainNumber a)
    {
        a.d = std::fabs(a.d);
        return a;
    }
    friend bool operator<(PlainNumber a, PlainNumber b) { return a.d < b.d && !Real::approxEqual(a.d, b.d); }
    friend bool operator>(PlainNumber a, PlainNumber b) { return a.d > b.d && !Real::approxEqual(a.d, b.d); }
    friend bool operator>=(PlainNumber a, PlainNumber b) { return a.d > b.d || Real::approxEqual(a.d, b.d); }
};

//! For any segment without invalid values.
using PlainReal = PlainNumber<true>;

//! For segments of at most kModerateCount values, each 0 or of a magnitude within
//! [kModerateSmallest, kModerateLargest]. There no value the kernels form can reach the
//! bounds of Real, so the guarded store would change nothing and is left out. Sums stay
//! below 2n * 1e30 and squares below 4n^2 * 1e60. Values and their sums are multiples of
//! ulp(1e-30) = 2^-152; a nonzero mean is at least 2^-152 / n > 2^-179; so every
//! difference the kernels form, a multiple of the smaller ulp of its operands, is 0 or at
//! least 2^-231, and no nonzero square, even divided by a count, comes near 2e-154.
using ModerateReal = PlainNumber<false>;
constexpr double kModerateSmallest = 1e-30;
constexpr double kModerateLargest = 1e30;
constexpr std::uint32_t kModerateCount = 100000000;

//! A series value as the number type. The plain forms read the double unchecked: only
//! segments known to be valid take them.
template <class Number>
Number valueAt(const Real& r)
{
    Number p;
    p.d = r.value();
    return p;
}
template <>
inline Real valueAt<Real>(const Real& r)
{
    return r;
}

//! Any Real (valid or not) as the number type.
template <class Number>
Number numberOf(const Real& r)
{
    Number p;
    p.d = r.isValid() ? r.value() : std::numeric_limits<double>::quiet_NaN();
    return p;
}
template <>
inline Real numberOf<Real>(const Real& r)
{
    return r;
}

//! Element i of a segment is at position i of the series ...
struct DirectPositions {
    std::uint32_t operator()(std::uint32_t i) const { return i; }
};
//! ... or at position puIndexes[i].
struct IndexedPositions {
    const std::uint32_t* puIndexes;
    std::uint32_t operator()(std::uint32_t i) const { return puIndexes[i]; }
};

//! Calls run(Number{}) with the cheapest number type that gives the results of Real on
//! prValues[uStart..uEnd]: ModerateReal, else PlainReal, else Real when a value is invalid.
template <class Run>
auto WithNumberType(std::uint32_t uStart, std::uint32_t uEnd, const Real* prValues, Run run)
{
    bool bModerate = uEnd - uStart < kModerateCount;
    for (std::uint32_t i = uStart; i <= uEnd; ++i) {
        if (!prValues[i].isValid()) return run(Real());
        const double magnitude = std::fabs(prValues[i].value());
        bModerate = bModerate && (magnitude == 0 || (magnitude >= kModerateSmallest && magnitude <= kModerateLargest));
    }
    return bModerate ? run(ModerateReal()) : run(PlainReal());
}

//! Sum with "+=" in segment order, then divide by the count.
template <class Number, class Positions>
Number segmentMean(std::uint32_t uStart, std::uint32_t uEnd, Positions at, const Real* prValues)
{
    Number sum(0.0);
    for (std::uint32_t i = uStart; i <= uEnd; ++i) sum += valueAt<Number>(prValues[at(i)]);
    return sum / Number(static_cast<double>(uEnd - uStart + 1));
}

//! The CUSUM range; uPosition is left alone when the mean is invalid (the range is then
//! that invalid mean).
template <class Number, class Positions>
Number cusumRange(std::uint32_t uStart, std::uint32_t uEnd, Positions at, const Real* prValues,
                  std::uint32_t& uPosition)
{
    Number mean = segmentMean<Number>(uStart, uEnd, at, prValues);  // not const: returned by move
    if (!mean.isValid()) return mean;
    Number sum(0.0), max(0.0), min(0.0);
    std::uint32_t uMaxPosition = uStart, uMinPosition = uStart;
    for (std::uint32_t i = uStart; i <= uEnd; ++i) {
        sum += valueAt<Number>(prValues[at(i)]) - mean;
        if (sum > max) {
            max = sum;
            uMaxPosition = i;
        } else if (sum < min) {
            min = sum;
            uMinPosition = i;
        }
    }
    // ">=": magnitudes that are nearly equal favour the maximum.
    uPosition = abs(max) >= abs(min) ? uMaxPosition : uMinPosition;
    return max - min;
}

//! The least-squares split: the first position that maximises L^2/nL + R^2/nR.
template <class Number, class Positions>
std::uint32_t mseSplit(std::uint32_t uStart, std::uint32_t uEnd, Positions at, const Real* prValues)
{
    const Number mean = segmentMean<Number>(uStart, uEnd, at, prValues);
    if (!mean.isValid()) return uEnd;
    const std::uint32_t uCount = uEnd - uStart + 1;
    std::uint32_t uLeftCount = 0, uRightCount = uCount;
    Number left(0.0);
    Number right = mean * Number(static_cast<double>(uCount));
    Number best(0.0);
    // A segment where no split beats 0 (all values 0) keeps its first position, so the
    // answer always lies inside the segment.
    std::uint32_t uPosition = uStart;
    for (std::uint32_t i = uStart; i < uEnd; ++i) {
        ++uLeftCount;
        --uRightCount;
        const Number x = valueAt<Number>(prValues[at(i)]);
        left += x;
        right -= x;
        const Number fit = right * right / Number(static_cast<double>(uRightCount)) +
                           left * left / Number(static_cast<double>(uLeftCount));
        if (fit > best) {
            best = fit;
            uPosition = i;
        }
    }
    return uPosition;
}

//! Fills puIndexes[uStart..uEnd] with a resample of that segment.
inline void Resample(std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes, bool bWithReplacement,
                     RandomStream& stream)
{
    if (bWithReplacement)
        SampleWithReplacement(uStart, uEnd, puIndexes + uStart, stream);
    else
        SampleWithoutReplacement(uStart, uEnd, puIndexes + uStart, stream);
}

//! Progress of a loop step as the percentage t * 100 / N.
inline double Percent(std::uint32_t uStep, std::uint32_t uTrials)
{
    return static_cast<double>(uStep) * 100.0 / static_cast<double>(uTrials);
}

//! The trials of the bootstrap confidence: how many resamples of [uStart, uEnd] have a
//! CUSUM range strictly below rRange. False when halted.
template <class Number>
bool bootstrapCount(const Real& rRange, std::uint32_t uStart, std::uint32_t uEnd, std::uint32_t* puIndexes,
                    const Real* prValues, std::uint32_t uTrials, bool bWithReplacement, StatusCallback pCallback,
                    void* pContext, RandomStream& stream, std::uint32_t& uCount)
{
    const Number range = numberOf<Number>(rRange);
    const IndexedPositions at{puIndexes};
    std::uint32_t uBelow = 0;
    for (std::uint32_t t = 1; t <= uTrials; ++t) {
        if (pCallback && t % 100 == 0 && !pCallback(pContext, scProgress, nullptr, Percent(t, uTrials))) return false;
        Resample(uStart, uEnd, puIndexes, bWithReplacement, stream);
        std::uint32_t uPosition = 0;
        if (cusumRange<Number>(uStart, uEnd, at, prValues, uPosition) < range) ++uBelow;
    }
    uCount = uBelow;
    return true;
}

//! The trials of the confidence interval: each side of the change at uPosition is
//! resampled on its own and the split of [uLow, uHigh] estimated again into
//! puEstimates[0..uTrials-1]. False when halted.
template <class Number>
bool intervalEstimates(std::uint32_t uLow, std::uint32_t uPosition, std::uint32_t uHigh, std::uint32_t* puIndexes,
                       const Real* prValues, std::uint32_t uTrials, bool bWithReplacement, StatusCallback pCallback,
                       void* pContext, RandomStream& stream, std::uint32_t* puEstimates)
{
    const IndexedPositions at{puIndexes};
    for (std::uint32_t i = 0; i < uTrials; ++i) {
        if (pCallback && (i + 1) % 100 == 0 && !pCallback(pContext, scProgress, nullptr, Percent(i, uTrials)))
            return false;
        Resample(uLow, uPosition, puIndexes, bWithReplacement, stream);
        Resample(uPosition + 1, uHigh, puIndexes, bWithReplacement, stream);
        puEstimates[i] = mseSplit<Number>(uLow, uHigh, at, prValues);
    }
    return true;
}

}  // namespace HalvrennInc::kernel
