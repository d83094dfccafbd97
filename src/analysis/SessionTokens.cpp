// Ostrel-Vane Studio - the token kinds of the session file.
#include "analysis/SessionTokens.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <ostream>

namespace HalvrennInc {

bool SessionTokenReader::real(Real& value)
{
    value.readToken(m_in);
    return !readFailed();
}

bool SessionTokenReader::number(double& dValue)
{
    Real value;
    if (!real(value)) return false;
    if (!value.isValid()) return fail();
    dValue = value.value();
    return true;
}

bool SessionTokenReader::number(Real& value)
{
    if (!real(value)) return false;
    return value.isValid() || fail();
}

bool SessionTokenReader::integer(std::int64_t& iValue, std::int64_t iLow, std::int64_t iHigh)
{
    double dValue = 0;
    if (!number(dValue)) return false;
    // Compared as doubles before the conversion, which is only defined inside the range.
    const double dWhole = std::trunc(dValue);
    if (dWhole < static_cast<double>(iLow) || dWhole > static_cast<double>(iHigh)) return fail();
    iValue = static_cast<std::int64_t>(dWhole);
    // The bounds of a 64-bit field round to doubles beyond them; the converted value is
    // checked again.
    if (iValue < iLow || iValue > iHigh) return fail();
    return true;
}

bool SessionTokenReader::flag(bool& bValue)
{
    double dValue = 0;
    if (!number(dValue)) return false;
    bValue = dValue != 0;
    return true;
}

bool SessionTokenReader::text(String& sText)
{
    sText.readQuoted(m_in);
    return !readFailed();
}

bool SessionTokenReader::skipReal()
{
    Real ignored;
    return real(ignored);
}

bool SessionTokenReader::skipText()
{
    String ignored;
    return text(ignored);
}

bool SessionTokenReader::fail()
{
    setReadFailure();
    return false;
}

void WriteInteger(std::ostream& out, std::int64_t iValue)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, iValue);
    out.write(buffer, result.ptr - buffer);
}

void WriteFlag(std::ostream& out, bool bValue)
{
    out.put(bValue ? '1' : '0');
}

void WritePlainNumber(std::ostream& out, double dValue)
{
    // to_chars with a precision follows the rules of printf's %g, in the C locale.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, dValue, std::chars_format::general, 6);
    out.write(buffer, result.ptr - buffer);
}

void WriteIntegerLine(std::ostream& out, std::initializer_list<std::int64_t> values)
{
    bool bFirst = true;
    for (std::int64_t iValue : values) {
        if (!bFirst) out.put(' ');
        WriteInteger(out, iValue);
        bFirst = false;
    }
    out.put('\n');
}

}  // namespace HalvrennInc
