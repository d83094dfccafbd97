// Ostrel-Vane Studio - the token kinds of the session file, shared by the records of the
// workbook, the windows and the analysis: integers, flags, numbers, plain numbers and
// texts, each separated from the next by white space.
//
// A session file is untrusted input. Every reader checks its token and, when it is not
// what the record holds at that place (end of input, an unquoted text, a number that
// does not parse, an integer beyond the range of its field), sets the process-wide
// read-failure flag and answers false, so a record reader can stop at once.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <limits>

#include "foundation/Real.h"
#include "foundation/String.h"

namespace HalvrennInc {

class SessionTokenReader {
public:
    explicit SessionTokenReader(std::istream& in) : m_in(in) {}

    std::istream& stream() { return m_in; }

    //! A number token; a quoted message gives an invalid value and is no failure.
    bool real(Real& value);
    //! A number token that holds a valid number.
    bool number(double& dValue);
    bool number(Real& value);
    //! A valid number truncated toward zero that lies in iLow..iHigh; a number beyond
    //! the field never wraps around into it.
    bool integer(std::int64_t& iValue, std::int64_t iLow, std::int64_t iHigh);
    template <class T>
    bool integer(T& value, std::int64_t iLow = std::numeric_limits<T>::min(),
                 std::int64_t iHigh = std::numeric_limits<T>::max())
    {
        std::int64_t iValue = 0;
        if (!integer(iValue, iLow, iHigh)) return false;
        value = static_cast<T>(iValue);
        return true;
    }
    //! A valid number; any value other than 0 is true.
    bool flag(bool& bValue);
    //! A quoted text.
    bool text(String& sText);
    //! A token of any kind that the record does not keep: a number token or a text.
    bool skipReal();
    bool skipText();

    //! Sets the read-failure flag and answers false.
    static bool fail();

private:
    std::istream& m_in;
};

// Writers of the tokens that Real and String do not write themselves (numbers are
// Real::writeToken, texts String::writeQuoted, each with its trailing space). None of
// them writes a separator, and all of them ignore the stream's locale and format.

//! Decimal digits with a leading "-" when negative.
void WriteInteger(std::ostream& out, std::int64_t iValue);
//! "1" or "0".
void WriteFlag(std::ostream& out, bool bValue);
//! At most six significant digits, as the C library's "%g" writes them.
void WritePlainNumber(std::ostream& out, double dValue);
//! Integers separated by single spaces, and a line feed.
void WriteIntegerLine(std::ostream& out, std::initializer_list<std::int64_t> values);

}  // namespace HalvrennInc
