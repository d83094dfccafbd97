// Ostrel-Vane Studio - the number type of the program: a double that may instead be
// invalid and then carries the text of what went wrong. Invalidity travels through
// arithmetic; comparisons with an invalid value are false; equality is relative.
#pragma once

#include <cmath>
#include <iosfwd>
#include <string_view>

#include "ReferenceString.h"
#include "String.h"

namespace HalvrennInc {

//! Codes of the internal failures; only the text is kept in the value.
enum RealError : int {
    reIllegalString = 0,
    reOverflow = 1,
    reUnderflow = 2,  //!< no message: the value becomes a valid 0
    reDivideByZero = 3,
    reSquareRootNegative = 7,
    reBetaParameter = 13,
    reBetaDomain = 14,
};

class Real {
public:
    static constexpr double kLargest = 1e154;    //!< largest valid magnitude
    static constexpr double kSmallest = 2e-154;  //!< smallest non-zero valid magnitude
    static constexpr double kTenPowerLimit = 173.71779276130073;

    Real() noexcept = default;
    Real(double d) { store(d); }  // NOLINT: a double is a Real through the guarded store
    explicit Real(std::string_view sText) { fromText(sText); }
    Real(const Real& r) noexcept : m_pMessage(r.m_pMessage), m_dValue(r.m_dValue)
    {
        if (m_pMessage) m_pMessage->addReference();
    }
    Real(Real&& r) noexcept : m_pMessage(r.m_pMessage), m_dValue(r.m_dValue)
    {
        r.m_pMessage = nullptr;
        r.m_dValue = 0;
    }
    Real& operator=(const Real& r) noexcept
    {
        if (this != &r) {
            if (r.m_pMessage) r.m_pMessage->addReference();
            if (m_pMessage) m_pMessage->release();
            m_pMessage = r.m_pMessage;
            m_dValue = r.m_dValue;
        }
        return *this;
    }
    Real& operator=(Real&& r) noexcept
    {
        if (this != &r) {
            if (m_pMessage) m_pMessage->release();
            m_pMessage = r.m_pMessage;
            m_dValue = r.m_dValue;
            r.m_pMessage = nullptr;
            r.m_dValue = 0;
        }
        return *this;
    }
    Real& operator=(double d)
    {
        store(d);
        return *this;
    }
    ~Real()
    {
        if (m_pMessage) m_pMessage->release();
    }

    //! The guarded store: magnitudes above 1e154 (and NaN) become "Overflow", magnitudes
    //! below 2e-154 a valid 0.
    void store(double x)
    {
        if (!(x >= -kLargest && x <= kLargest)) {
            setError(reOverflow);
            return;
        }
        if (x > -kSmallest && x < kSmallest) x = 0;
        if (m_pMessage) releaseMessage();
        m_dValue = x;
    }
    void setError(int iCode);
    void setMessage(std::string_view sText);

    bool isValid() const { return m_pMessage == nullptr; }
    double value() const { return m_dValue; }
    std::string_view message() const { return m_pMessage ? m_pMessage->view() : std::string_view(); }
    //! The shared message object (for tests of sharing), or null.
    const ReferenceString* messageObject() const { return m_pMessage; }

    // Compound arithmetic: an invalid left operand keeps its own message, an invalid right
    // operand hands its message over.
    Real& operator+=(const Real& r)
    {
        if (m_pMessage) return *this;
        if (r.m_pMessage) return takeMessage(r);
        store(m_dValue + r.m_dValue);
        return *this;
    }
    Real& operator-=(const Real& r)
    {
        if (m_pMessage) return *this;
        if (r.m_pMessage) return takeMessage(r);
        store(m_dValue - r.m_dValue);
        return *this;
    }
    Real& operator*=(const Real& r)
    {
        if (m_pMessage) return *this;
        if (r.m_pMessage) return takeMessage(r);
        store(m_dValue * r.m_dValue);
        return *this;
    }
    Real& operator/=(const Real& r)
    {
        if (m_pMessage) return *this;
        if (r.m_pMessage) return takeMessage(r);
        if (r.m_dValue == 0) {
            setError(reDivideByZero);
            return *this;
        }
        store(m_dValue / r.m_dValue);
        return *this;
    }

    friend Real operator+(const Real& a, const Real& b)
    {
        Real r(a);
        r += b;
        return r;
    }
    friend Real operator-(const Real& a, const Real& b)
    {
        Real r(a);
        r -= b;
        return r;
    }
    friend Real operator*(const Real& a, const Real& b)
    {
        Real r(a);
        r *= b;
        return r;
    }
    friend Real operator/(const Real& a, const Real& b)
    {
        Real r(a);
        r /= b;
        return r;
    }
    Real operator-() const
    {
        Real r(*this);
        r.negate();
        return r;
    }

    //! value := -value; the message is untouched.
    void negate() { m_dValue = -m_dValue; }
    //! value := |value|.
    void absolute() { m_dValue = std::fabs(m_dValue); }
    //! Square root in place: negative values give "Square root of negative number".
    void squareRoot();
    //! Ten raised to the value, in place.
    void tenToThePower();
    //! a := min(a, b): an invalid b hands its message over.
    void keepMinimum(const Real& b);
    //! a := max(a, b).
    void keepMaximum(const Real& b);
    //! Regularized incomplete beta I_x(a, b) of this value, in place (the statistics
    //! library defines it).
    void betaIncomplete(const Real& a, const Real& b);

    //! Relative equality: both 0, or |a/b - 1| < 1e-15. Ignores validity.
    static bool approxEqual(double a, double b)
    {
        if (a == 0 && b == 0) return true;
        if (a == 0 || b == 0) return false;
        return std::fabs(a / b - 1.0) < 1e-15;
    }

    friend bool operator==(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && approxEqual(a.m_dValue, b.m_dValue);
    }
    friend bool operator!=(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && !approxEqual(a.m_dValue, b.m_dValue);
    }
    friend bool operator<(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && a.m_dValue < b.m_dValue && !approxEqual(a.m_dValue, b.m_dValue);
    }
    friend bool operator>(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && a.m_dValue > b.m_dValue && !approxEqual(a.m_dValue, b.m_dValue);
    }
    friend bool operator<=(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && (a.m_dValue < b.m_dValue || approxEqual(a.m_dValue, b.m_dValue));
    }
    friend bool operator>=(const Real& a, const Real& b)
    {
        return a.isValid() && b.isValid() && (a.m_dValue > b.m_dValue || approxEqual(a.m_dValue, b.m_dValue));
    }

    //! Reads a typed or stored number: decimal syntax, the "2.5 10^-3" form, or a
    //! message in double quotes. Anything else is "Illegal string".
    void fromText(std::string_view sText);
    //! The text form: up to 'iDigits' significant digits (15 when 0 or less), exponent
    //! written as " 10^n" with bTenPower, else as "en".
    String toText(int iDigits, bool bTenPower) const;

    //! Session-file token: 15 digits and a space, or the message quoted with inner
    //! quotes doubled and a space.
    void writeToken(std::ostream& out) const;
    //! Reads a session-file token; a token that is not a number sets the read-failure flag.
    void readToken(std::istream& in);

private:
    void releaseMessage()
    {
        m_pMessage->release();
        m_pMessage = nullptr;
    }
    Real& takeMessage(const Real& r)
    {
        r.m_pMessage->addReference();
        if (m_pMessage) m_pMessage->release();
        m_pMessage = r.m_pMessage;
        m_dValue = 0;
        return *this;
    }

    ReferenceString* m_pMessage = nullptr;  //!< absent while valid
    double m_dValue = 0;                    //!< 0 while invalid
};

Real abs(const Real& r);
Real sqrt(const Real& r);
Real min(const Real& a, const Real& b);
Real max(const Real& a, const Real& b);

//! The text of an error code (empty for code 2, which leaves no message).
std::string_view realErrorText(int iCode);

}  // namespace HalvrennInc
