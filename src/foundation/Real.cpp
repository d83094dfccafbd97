// Ostrel-Vane Studio - the number type: error states, text forms and session tokens.
#include "Real.h"

#include <locale.h>
#include <array>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <mutex>
#include <ostream>
#include <string>

#include "FixedSizeMemoryManager.h"

namespace HalvrennInc {

// ---------------------------------------------------------------------------------------
// ReferenceString pool

namespace {
FixedSizeMemoryManager& referenceStringPool()
{
    // Created at the first allocation and never destroyed: messages may be released
    // during static destruction.
    static auto* pPool = new FixedSizeMemoryManager(static_cast<std::int32_t>(sizeof(ReferenceString)), 100);
    return *pPool;
}

// Analyses run side by side on several threads (a batch of series, calls from Python),
// and the last copy of a value's message may be let go on any of them.
std::mutex& referenceStringPoolMutex()
{
    static auto* pMutex = new std::mutex;
    return *pMutex;
}
}  // namespace

void* ReferenceString::operator new(std::size_t uSize)
{
    if (uSize != sizeof(ReferenceString)) return ::operator new(uSize);
    void* p = nullptr;
    {
        const std::lock_guard<std::mutex> lock(referenceStringPoolMutex());
        p = referenceStringPool().allocate();
    }
    if (!p) throw std::bad_alloc();
    return p;
}

void ReferenceString::operator delete(void* pObject)
{
    const std::lock_guard<std::mutex> lock(referenceStringPoolMutex());
    referenceStringPool().free(pObject);
}

// ---------------------------------------------------------------------------------------
// Error states

std::string_view realErrorText(int iCode)
{
    switch (iCode) {
        case reIllegalString: return "Illegal string";
        case reOverflow: return "Overflow";
        case reUnderflow: return {};
        case reDivideByZero: return "Divide by zero";
        case reSquareRootNegative: return "Square root of negative number";
        case reBetaParameter: return "Beta of zero or negative parameter";
        case reBetaDomain: return "Beta parameters limited to domain <= 10^8";
        default: return "Numeric error";
    }
}

namespace {
// One shared message object per error code: the texts never change, so every value
// that fails the same way shares one reference-counted text.
ReferenceString* sharedErrorMessage(int iCode)
{
    static ReferenceString* const table[] = {
        new ReferenceString(realErrorText(reIllegalString)),
        new ReferenceString(realErrorText(reOverflow)),
        new ReferenceString(realErrorText(reDivideByZero)),
        new ReferenceString(realErrorText(reSquareRootNegative)),
        new ReferenceString(realErrorText(reBetaParameter)),
        new ReferenceString(realErrorText(reBetaDomain)),
        new ReferenceString(realErrorText(-1)),
    };
    switch (iCode) {
        case reIllegalString: return table[0];
        case reOverflow: return table[1];
        case reDivideByZero: return table[2];
        case reSquareRootNegative: return table[3];
        case reBetaParameter: return table[4];
        case reBetaDomain: return table[5];
        default: return table[6];
    }
}
}  // namespace

void Real::setError(int iCode)
{
    m_dValue = 0;
    if (m_pMessage) releaseMessage();
    if (iCode == reUnderflow) return;
    m_pMessage = sharedErrorMessage(iCode);
    m_pMessage->addReference();
}

void Real::setMessage(std::string_view sText)
{
    m_dValue = 0;
    auto* pNew = new ReferenceString(sText);
    if (m_pMessage) m_pMessage->release();
    m_pMessage = pNew;
}

// ---------------------------------------------------------------------------------------
// Other operations

void Real::squareRoot()
{
    if (m_pMessage) return;
    if (m_dValue < 0) {
        setError(reSquareRootNegative);
        return;
    }
    m_dValue = std::sqrt(m_dValue);
}

void Real::tenToThePower()
{
    if (m_pMessage) return;
    if (m_dValue > kTenPowerLimit) {
        setError(reOverflow);
        return;
    }
    if (m_dValue < -kTenPowerLimit) {
        setError(reUnderflow);
        return;
    }
    store(std::pow(10.0, m_dValue));
}

void Real::keepMinimum(const Real& b)
{
    if (m_pMessage) return;
    if (b.m_pMessage) {
        takeMessage(b);
        return;
    }
    if (b.m_dValue < m_dValue) m_dValue = b.m_dValue;
}

void Real::keepMaximum(const Real& b)
{
    if (m_pMessage) return;
    if (b.m_pMessage) {
        takeMessage(b);
        return;
    }
    if (b.m_dValue > m_dValue) m_dValue = b.m_dValue;
}

Real abs(const Real& r)
{
    Real a(r);
    a.absolute();
    return a;
}

Real sqrt(const Real& r)
{
    Real a(r);
    a.squareRoot();
    return a;
}

Real min(const Real& a, const Real& b)
{
    Real r(a);
    r.keepMinimum(b);
    return r;
}

Real max(const Real& a, const Real& b)
{
    Real r(a);
    r.keepMaximum(b);
    return r;
}

// ---------------------------------------------------------------------------------------
// Reading text

namespace {

bool isWhite(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t skipWhite(std::string_view s, std::size_t i)
{
    while (i < s.size() && isWhite(s[i])) ++i;
    return i;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The decimal number syntax: optional sign, digits with an optional point (at least one
// digit), optional exponent. Returns the length of the number starting at 'i' (0 when
// there is none) and whether an exponent was part of it.
std::size_t scanNumber(std::string_view s, std::size_t i, bool& bExponent)
{
    const std::size_t uStart = i;
    bExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t uDigits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++uDigits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) ++i, ++uDigits;
    }
    if (uDigits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j])) ++j;
            i = j;
            bExponent = true;
        }
    }
    return i - uStart;
}

// Decimal conversion independent of the process locale (a desktop program runs with the
// user's locale, whose decimal separator may be a comma).
double convertDecimal(std::string_view s)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::array<char, 64> small{};
    std::string large;
    const char* p;
    if (s.size() < small.size()) {
        std::memcpy(small.data(), s.data(), s.size());
        small[s.size()] = 0;
        p = small.data();
    } else {
        large.assign(s);
        p = large.c_str();
    }
    return strtod_l(p, nullptr, cLocale);
}

}  // namespace

void Real::fromText(std::string_view sText)
{
    std::size_t i = skipWhite(sText, 0);
    if (i < sText.size() && sText[i] == '"') {
        std::size_t uLast = sText.size();
        while (uLast > 0 && isWhite(sText[uLast - 1])) --uLast;
        // uLast - 1 is the last character that is not whitespace
        if (uLast - 1 > i && sText[uLast - 1] == '"') {
            setMessage(sText.substr(i + 1, uLast - 1 - (i + 1)));
            return;
        }
        setError(reIllegalString);
        return;
    }
    if (i >= sText.size()) {
        setError(reIllegalString);
        return;
    }

    bool bExponent = false;
    const std::size_t uLength = scanNumber(sText, i, bExponent);
    if (uLength == 0) {
        setError(reIllegalString);
        return;
    }
    store(convertDecimal(sText.substr(i, uLength)));
    if (bExponent && isValid() && approxEqual(m_dValue, 0)) setError(reUnderflow);
    i = skipWhite(sText, i + uLength);

    if (!bExponent && i < sText.size() && sText[i] == '1') {
        std::size_t j = skipWhite(sText, i + 1);
        if (j < sText.size() && sText[j] == '0') {
            j = skipWhite(sText, j + 1);
            if (j < sText.size() && sText[j] == '^') {
                std::size_t k = skipWhite(sText, j + 1);
                bool bPowerExponent = false;
                const std::size_t uPowerLength = scanNumber(sText, k, bPowerExponent);
                if (uPowerLength == 0) {
                    setError(reIllegalString);
                    return;
                }
                Real power(convertDecimal(sText.substr(k, uPowerLength)));
                if (bPowerExponent && power.isValid() && approxEqual(power.m_dValue, 0)) power.setError(reUnderflow);
                power.tenToThePower();
                *this *= power;
                i = skipWhite(sText, k + uPowerLength);
            }
        }
    }
    if (i != sText.size()) setError(reIllegalString);
}

// ---------------------------------------------------------------------------------------
// Writing text

String Real::toText(int iDigits, bool bTenPower) const
{
    if (m_pMessage) {
        std::string_view sMessage = m_pMessage->view();
        if (sMessage.size() > 200) sMessage = sMessage.substr(0, 200);
        String s(nullptr, static_cast<std::uint32_t>(sMessage.size() + 2));
        s.appendChar('"');
        s.append(sMessage);
        s.appendChar('"');
        return s;
    }

    // The significand rounded to n digits, as 0.d1d2... times 10^p.
    const int n = iDigits > 0 ? (iDigits > 17 ? 17 : iDigits) : 15;
    char scientific[40];
    const auto result = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(m_dValue),
                                      std::chars_format::scientific, n - 1);
    *result.ptr = 0;
    char digits[16];
    int iCount = 0;
    const char* q = scientific;
    for (; *q && *q != 'e'; ++q)
        if (isDigit(*q) && iCount < 15) digits[iCount++] = *q;
    while (iCount < 15) digits[iCount++] = '0';
    digits[15] = 0;
    const int p = (*q == 'e') ? std::atoi(q + 1) + 1 : 1;

    char out[64];
    int k = 0;
    if (std::signbit(m_dValue) && m_dValue != 0) out[k++] = '-';
    bool bExponent = false;
    int iExponent = 0;
    if (p >= -6 && p <= 0) {
        out[k++] = '0';
        out[k++] = '.';
        for (int z = 0; z < -p; ++z) out[k++] = '0';
        for (int d = 0; d < 15; ++d) out[k++] = digits[d];
    } else if (p >= 1 && p <= 9) {
        for (int d = 0; d < p; ++d) out[k++] = digits[d];
        out[k++] = '.';
        for (int d = p; d < 15; ++d) out[k++] = digits[d];
    } else {
        out[k++] = digits[0];
        out[k++] = '.';
        for (int d = 1; d < 15; ++d) out[k++] = digits[d];
        bExponent = true;
        iExponent = p - 1;
    }
    while (k > 0 && out[k - 1] == '0') --k;
    if (k > 0 && out[k - 1] == '.') --k;
    if (bExponent && m_dValue != 0) {
        const char* psSeparator = bTenPower ? " 10^" : "e";
        for (const char* c = psSeparator; *c; ++c) out[k++] = *c;
        const auto r = std::to_chars(out + k, out + sizeof out, iExponent);
        k = static_cast<int>(r.ptr - out);
    }
    out[k] = 0;
    return String(std::string_view(out, static_cast<std::size_t>(k)));
}

// ---------------------------------------------------------------------------------------
// Session tokens

void Real::writeToken(std::ostream& out) const
{
    if (m_pMessage) {
        m_pMessage->writeQuoted(out);
        return;
    }
    const String s = toText(15, false);
    s.writeRaw(out);
    out.put(' ');
}

void Real::readToken(std::istream& in)
{
    using Traits = std::istream::traits_type;
    Traits::int_type ch = in.peek();
    while (ch != Traits::eof() && isWhite(Traits::to_char_type(ch))) {
        in.get();
        ch = in.peek();
    }
    if (ch == Traits::eof()) {
        setError(reIllegalString);
        setReadFailure();
        return;
    }
    if (Traits::to_char_type(ch) == '"') {
        const bool bFailedBefore = readFailed();
        clearReadFailure();
        String sText;
        sText.readQuoted(in);
        const bool bFailed = readFailed();
        if (bFailedBefore) setReadFailure();
        if (bFailed) {
            setError(reIllegalString);
        } else {
            setMessage(sText.view());
        }
        return;
    }
    char small[64];
    std::string large;
    std::size_t uLength = 0;
    bool bLarge = false;
    while (ch != Traits::eof() && !isWhite(Traits::to_char_type(ch))) {
        const char c = Traits::to_char_type(in.get());
        if (!bLarge && uLength < sizeof small) {
            small[uLength++] = c;
        } else {
            if (!bLarge) {
                large.assign(small, uLength);
                bLarge = true;
            }
            large.push_back(c);
        }
        ch = in.peek();
    }
    if (ch == Traits::eof()) in.clear(in.rdstate() & ~std::ios::eofbit);
    fromText(bLarge ? std::string_view(large) : std::string_view(small, uLength));
    if (!isValid()) setReadFailure();
}

}  // namespace HalvrennInc
