// Ostrel-Vane Studio - the random stream of the bootstrap and its jump.
#include "analysis/RandomStream.h"

#include <algorithm>
#include <array>
#include <ctime>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#elif defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace HalvrennInc {

namespace {

constexpr std::uint64_t kModulus = RandomStream::kModulus;
constexpr int kLag = 55;

//! A polynomial of degree below 55 over the integers mod 1e9, lowest power first.
using Polynomial = std::array<std::uint64_t, kLag>;

std::uint64_t AddMod(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t s = a + b;
    return s >= kModulus ? s - kModulus : s;
}

std::uint64_t SubtractMod(std::uint64_t a, std::uint64_t b)
{
    return a >= b ? a - b : a + kModulus - b;
}

//! A sum of up to 55 products below 1e18, in 128 bits, reduced mod 1e9 once at the end.
class Accumulator {
public:
    void add(std::uint64_t uProduct)
    {
        const std::uint64_t uLow = m_uLow + uProduct;
        m_uHigh += uLow < uProduct;  // the carry
        m_uLow = uLow;
    }
    std::uint64_t reduced() const
    {
        constexpr std::uint64_t kTwoTo64 = (~std::uint64_t{0} % kModulus + 1) % kModulus;  // 2^64 mod 1e9
        return (m_uHigh * kTwoTo64 + m_uLow % kModulus) % kModulus;
    }

private:
    std::uint64_t m_uLow = 0;
    std::uint64_t m_uHigh = 0;  //!< below 55: the high word times 2^64 mod 1e9 stays small
};

//! The product of a and b modulo x^55 + x^31 - 1, where x^55 = 1 - x^31.
Polynomial MultiplyMod(const Polynomial& a, const Polynomial& b)
{
    std::array<std::uint64_t, 2 * kLag - 1> product{};
    for (int k = 0; k < 2 * kLag - 1; ++k) {
        const int jFirst = k < kLag ? 0 : k - (kLag - 1);
        const int jLast = k < kLag ? k : kLag - 1;
        Accumulator sum;
        for (int j = jFirst; j <= jLast; ++j) sum.add(a[j] * b[k - j]);
        product[k] = sum.reduced();
    }
    // From the top down, so that a term folded onto a power of 55 or more is folded again.
    for (int k = 2 * kLag - 2; k >= kLag; --k) {
        product[k - kLag] = AddMod(product[k - kLag], product[k]);
        product[k - 24] = SubtractMod(product[k - 24], product[k]);
    }
    Polynomial result;
    for (int k = 0; k < kLag; ++k) result[k] = product[k];
    return result;
}

//! x^d modulo x^55 + x^31 - 1: the product of x^(2^k) over the bits k of d, the powers
//! worked out once (a jump per parallel call then costs a few products, not sixty).
Polynomial PowerOfX(std::uint64_t d)
{
    static const std::array<Polynomial, 64> powers = [] {
        std::array<Polynomial, 64> table{};
        table[0][1] = 1;  // x
        for (int k = 1; k < 64; ++k) table[k] = MultiplyMod(table[k - 1], table[k - 1]);
        return table;
    }();
    Polynomial result{};
    result[0] = 1;
    bool bOne = true;
    for (int k = 0; k < 64; ++k) {
        if (!((d >> k) & 1)) continue;
        result = bOne ? powers[k] : MultiplyMod(result, powers[k]);
        bOne = false;
    }
    return result;
}

//! Entry (1..55) of the table that holds the draw i places after the oldest one kept,
//! when entry uFirst (0 standing for 55) holds the latest.
unsigned Entry(unsigned uFirst, unsigned i)
{
    return (uFirst + i) % kLag + 1;
}

}  // namespace

void RandomStream::seed(std::uint64_t uSeed)
{
    auto iSeed = static_cast<std::int64_t>(uSeed % kModulus);
    m_table[55] = iSeed;
    std::int64_t mk = 1;
    for (int i = 1; i <= 54; ++i) {
        const int ii = (21 * i) % 55;
        m_table[ii] = mk;
        mk = iSeed - mk;
        if (mk < 0) mk += kModulus;
        iSeed = m_table[ii];
    }
    // Warm up: four rounds of the subtraction over the whole table.
    for (int k = 0; k < 4; ++k)
        for (int i = 1; i <= 55; ++i) {
            m_table[i] -= m_table[1 + (i + 30) % 55];
            if (m_table[i] < 0) m_table[i] += kModulus;
        }
    m_first = 0;
    m_second = 31;
    m_bSeeded = true;
}

void RandomStream::seedFromTime()
{
    seed(static_cast<std::uint64_t>(std::time(nullptr)));
}

RandomStream::Blocks::Blocks(RandomStream& stream) : m_stream(stream)
{
    if (!stream.m_bSeeded) stream.seedFromTime();
    unsigned uEntry = stream.m_first;
    for (int i = 0; i < kLag; ++i) {
        if (++uEntry == 56) uEntry = 1;
        m_y[i] = static_cast<std::int32_t>(stream.m_table[uEntry]);
    }
}

RandomStream::Blocks::~Blocks()
{
    // The 55 latest draws back into the table, the latest at the entry the stepping
    // generator would have reached.
    const std::int32_t* const pKept = m_y + m_uLast;
    const auto uFirst = static_cast<unsigned>((m_stream.m_first + m_uDrawn) % kLag);
    unsigned uEntry = uFirst;
    for (int i = 0; i < kLag; ++i) {
        if (++uEntry == 56) uEntry = 1;
        m_stream.m_table[uEntry] = pKept[i];
    }
    m_stream.m_first = uFirst;
    m_stream.m_second = uFirst + 31 > 55 ? uFirst + 31 - 55 : uFirst + 31;
}

namespace {

//! y[55 + k] = y[k] - y[k + 31] (mod 1e9) for k < uCount. The nearest term a draw needs
//! is 24 places back, so four or eight at a time cannot overlap.
void NextUnits(std::int32_t* y, std::uint32_t uCount)
{
    std::uint32_t k = 0;
#if defined(__SSE2__)
    const __m128i modulus = _mm_set1_epi32(static_cast<std::int32_t>(kModulus));
    for (; k + 4 <= uCount; k += 4) {
        const __m128i older = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + k));
        const __m128i newer = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y + k + 31));
        __m128i v = _mm_sub_epi32(older, newer);
        v = _mm_add_epi32(v, _mm_and_si128(_mm_srai_epi32(v, 31), modulus));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(y + kLag + k), v);
    }
#endif
    for (; k < uCount; ++k) {
        std::int32_t v = y[k] - y[k + 31];
        if (v < 0) v += static_cast<std::int32_t>(kModulus);
        y[kLag + k] = v;
    }
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx2"))) void NextUnitsWide(std::int32_t* y, std::uint32_t uCount)
{
    const __m256i modulus = _mm256_set1_epi32(static_cast<std::int32_t>(kModulus));
    std::uint32_t k = 0;
    for (; k + 8 <= uCount; k += 8) {
        const __m256i older = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + k));
        const __m256i newer = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(y + k + 31));
        __m256i v = _mm256_sub_epi32(older, newer);
        v = _mm256_add_epi32(v, _mm256_and_si256(_mm256_srai_epi32(v, 31), modulus));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(y + kLag + k), v);
    }
    NextUnits(y + k, uCount - k);
}

bool HasAvx2()
{
    static const bool bHas = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return bHas;
}
#endif

}  // namespace

const std::int32_t* RandomStream::Blocks::next(std::uint32_t uCount)
{
    // m_y[0..54] the draws kept, oldest first, then the block.
    std::int32_t* const y = m_y;
    if (m_uLast) std::copy(y + m_uLast, y + m_uLast + kLag, y);
#if defined(__x86_64__) || defined(__i386__)
    if (HasAvx2())
        NextUnitsWide(y, uCount);
    else
#endif
        NextUnits(y, uCount);
    m_uLast = uCount;
    m_uDrawn += uCount;
    return y + kLag;
}

void RandomStream::fill(double* pOut, std::uint32_t uCount)
{
    Blocks blocks(*this);
    for (std::uint32_t uDone = 0; uDone < uCount;) {
        const std::uint32_t uBlock = std::min(Blocks::kBlock, uCount - uDone);
        const std::int32_t* const piUnits = blocks.next(uBlock);
        double* const pBlock = pOut + uDone;
        std::uint32_t k = 0;
#if defined(__SSE2__)
        const __m128d scale = _mm_set1_pd(1e-9);
        for (; k + 2 <= uBlock; k += 2) {
            const __m128i v = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(piUnits + k));
            _mm_storeu_pd(pBlock + k, _mm_mul_pd(_mm_cvtepi32_pd(v), scale));
        }
#endif
        for (; k < uBlock; ++k) pBlock[k] = static_cast<double>(piUnits[k]) * 1e-9;
        uDone += uBlock;
    }
}

RandomStream::Jump::Jump(std::uint64_t uDraws) : m_uDraws(uDraws), m_coefficients(PowerOfX(uDraws)) {}

void RandomStream::jump(std::uint64_t uDraws)
{
    if (uDraws < 2 * kLag) {  // stepping is cheaper
        Run draws(*this);
        for (std::uint64_t i = 0; i < uDraws; ++i) draws.next();
        return;
    }
    jump(Jump(uDraws));
}

void RandomStream::jump(const Jump& jump)
{
    if (!m_bSeeded) seedFromTime();
    // The 55 draws kept, oldest first, and the 54 that follow them.
    std::array<std::uint64_t, 2 * kLag - 1> y;
    for (int i = 0; i < kLag; ++i) y[i] = static_cast<std::uint64_t>(m_table[Entry(m_first, i)]);
    for (int k = kLag; k < 2 * kLag - 1; ++k) y[k] = SubtractMod(y[k - kLag], y[k - 24]);
    // y(m + d) = sum of c_j y(m + j) for x^d = sum of c_j x^j.
    const Polynomial& c = jump.m_coefficients;
    const auto uFirst = static_cast<unsigned>((m_first + jump.m_uDraws) % kLag);
    for (int i = 0; i < kLag; ++i) {
        Accumulator sum;
        for (int j = 0; j < kLag; ++j) sum.add(c[j] * y[i + j]);
        m_table[Entry(uFirst, i)] = static_cast<std::int64_t>(sum.reduced());
    }
    m_first = uFirst;
    m_second = uFirst + 31 > 55 ? uFirst + 31 - 55 : uFirst + 31;
}

bool operator==(const RandomStream& a, const RandomStream& b)
{
    if (a.m_bSeeded != b.m_bSeeded) return false;
    for (unsigned i = 0; i < kLag; ++i)
        if (a.m_table[Entry(a.m_first, i)] != b.m_table[Entry(b.m_first, i)]) return false;
    return true;
}

RandomStream& SharedRandomStream()
{
    static RandomStream theStream;
    return theStream;
}

}  // namespace HalvrennInc
