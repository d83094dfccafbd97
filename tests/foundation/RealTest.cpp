// Behaviour of the number type: range, messages, comparisons and text forms.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "foundation/Real.h"

using namespace HalvrennInc;

namespace {
std::string text(const Real& r, int digits = 0, bool tenPower = true)
{
    return r.toText(digits, tenPower).str();
}
}  // namespace

TEST(Real, GuardedStoreKeepsTheRangeAtItsBounds)
{
    EXPECT_TRUE(Real(1e154).isValid());
    EXPECT_TRUE(Real(-1e154).isValid());
    EXPECT_EQ(Real(1.0000001e154).message(), "Overflow");
    EXPECT_EQ(Real(-1.0000001e154).message(), "Overflow");
    EXPECT_EQ(Real(std::nan("")).message(), "Overflow");
    EXPECT_EQ(Real(INFINITY).message(), "Overflow");

    const Real tiny(1e-160);
    EXPECT_TRUE(tiny.isValid());
    EXPECT_EQ(tiny.value(), 0.0);
    EXPECT_EQ(Real(-2e-154).value(), -2e-154);
    EXPECT_EQ(Real(2e-154).value(), 2e-154);
    EXPECT_EQ(Real(1.9e-154).value(), 0.0);

    // An invalid value always holds 0; a store makes it valid again.
    Real r(1e200);
    EXPECT_EQ(r.value(), 0.0);
    r = 5.0;
    EXPECT_TRUE(r.isValid());
    EXPECT_EQ(r.value(), 5.0);
}

TEST(Real, ArithmeticCarriesTheRightMessage)
{
    EXPECT_EQ((Real(1) / Real(0)).message(), "Divide by zero");
    EXPECT_EQ((Real(100) / Real(1e-153)).message(), "Overflow");
    EXPECT_EQ((Real(1e100) * Real(1e100)).message(), "Overflow");
    EXPECT_EQ((Real(1e-100) * Real(1e-100)).value(), 0.0);

    Real bad;
    bad.setMessage("Missing");
    Real other;
    other.setMessage("Other");
    EXPECT_EQ((bad + Real(1)).message(), "Missing");
    EXPECT_EQ((Real(1) + bad).message(), "Missing");
    EXPECT_EQ((bad + other).message(), "Missing");
    EXPECT_EQ((other - bad).message(), "Other");
    EXPECT_EQ((Real(2) / bad).message(), "Missing");  // the invalid divisor wins over divide by zero
    EXPECT_EQ((bad / Real(0)).message(), "Missing");

    // Copies share the message object rather than copying the text.
    const Real copy = Real(1) * bad;
    EXPECT_EQ(copy.messageObject(), bad.messageObject());

    Real left(3);
    left -= Real(5);
    EXPECT_EQ(left.value(), -2.0);
    EXPECT_EQ((-Real(4)).value(), -4.0);
    EXPECT_EQ((-bad).message(), "Missing");
    EXPECT_EQ(abs(Real(-3)).value(), 3.0);
}

TEST(Real, SquareRootTenPowerMinimumAndMaximum)
{
    EXPECT_EQ(sqrt(Real(16)).value(), 4.0);
    EXPECT_EQ(sqrt(Real(-1)).message(), "Square root of negative number");

    Real p(3);
    p.tenToThePower();
    EXPECT_EQ(p.value(), 1000.0);
    Real big(174);
    big.tenToThePower();
    EXPECT_EQ(big.message(), "Overflow");
    Real small(-174);
    small.tenToThePower();
    EXPECT_TRUE(small.isValid());
    EXPECT_EQ(small.value(), 0.0);
    Real justOver(154.5);  // 10^154.5 is beyond the range: the guarded store refuses it
    justOver.tenToThePower();
    EXPECT_EQ(justOver.message(), "Overflow");

    EXPECT_EQ(min(Real(3), Real(2)).value(), 2.0);
    EXPECT_EQ(max(Real(3), Real(2)).value(), 3.0);
    Real bad;
    bad.setMessage("x");
    EXPECT_EQ(min(Real(3), bad).message(), "x");
    EXPECT_EQ(max(bad, Real(3)).message(), "x");
}

TEST(Real, ComparisonsAreRelativeAndFalseForInvalidValues)
{
    const Real one(1), near(1.0000000000000004);
    EXPECT_TRUE(one == near);
    EXPECT_FALSE(one != near);
    EXPECT_FALSE(one < near);
    EXPECT_FALSE(near > one);
    EXPECT_TRUE(one <= near);
    EXPECT_TRUE(one >= near);
    EXPECT_TRUE(Real(0) == Real(1e-300));
    EXPECT_FALSE(Real(0) == Real(1e-100));
    EXPECT_TRUE(Real(1) < Real(1.000001));
    EXPECT_TRUE(Real(-1) < Real(0));

    Real bad;
    bad.setError(reOverflow);
    for (const Real& other : {Real(0), Real(1), bad}) {
        EXPECT_FALSE(bad == other);
        EXPECT_FALSE(bad != other);
        EXPECT_FALSE(bad < other);
        EXPECT_FALSE(bad > other);
        EXPECT_FALSE(bad <= other);
        EXPECT_FALSE(bad >= other);
        EXPECT_FALSE(other == bad);
        EXPECT_FALSE(other != bad);
        EXPECT_FALSE(other < bad);
        EXPECT_FALSE(other > bad);
        EXPECT_FALSE(other <= bad);
        EXPECT_FALSE(other >= bad);
    }
}

TEST(Real, FromTextReadsNumbersTenPowersAndQuotedMessages)
{
    EXPECT_EQ(Real("  12 ").value(), 12.0);
    EXPECT_EQ(Real("1e3").value(), 1000.0);
    EXPECT_EQ(Real("1.5 10^2").value(), 150.0);
    EXPECT_EQ(Real("-7 1 0 ^ 1").value(), -70.0);
    EXPECT_DOUBLE_EQ(Real("2.5 10^-3").value(), 0.0025);
    EXPECT_EQ(Real("+.5").value(), 0.5);
    EXPECT_EQ(Real("7.").value(), 7.0);
    EXPECT_EQ(Real("\t\r\n3\n").value(), 3.0);

    for (const char* bad : {"1e3 10^2", "12abc", "", "   ", "\"", "  \"  ", ".", "-", "e5", "1e", "inf", "nan", "0x10",
                            "1,5", "5 1", "5 10^", "5 10^x", "12 13"}) {
        const Real r(bad);
        EXPECT_EQ(r.message(), "Illegal string") << "text: [" << bad << "]";
    }

    const Real missing("\"Missing\"");
    EXPECT_FALSE(missing.isValid());
    EXPECT_EQ(missing.message(), "Missing");
    EXPECT_EQ(Real("  \" a  b \"  ").message(), " a  b ");
    EXPECT_EQ(Real("\"\"").message(), "");
    EXPECT_EQ(Real("\"say \"\"hi\"\"\"").message(), "say \"\"hi\"\"");  // no unescaping here

    const Real underflow("1e-400");
    EXPECT_TRUE(underflow.isValid());
    EXPECT_EQ(underflow.value(), 0.0);
    EXPECT_EQ(Real("1e400").message(), "Overflow");
    EXPECT_EQ(Real("1 10^400").message(), "Overflow");
    EXPECT_EQ(Real("1 10^-400").value(), 0.0);
    EXPECT_EQ(Real("1000000000000000000000000000000000000000000000000000000000000000000000000000000").value(), 1e78);
}

TEST(Real, ToTextFollowsTheDigitAndExponentRules)
{
    EXPECT_EQ(text(Real(1234.5)), "1234.5");
    EXPECT_EQ(text(Real(0.0000001)), "0.0000001");
    EXPECT_EQ(text(Real(0.00000001)), "1 10^-8");
    EXPECT_EQ(text(Real(0.00000001), 0, false), "1e-8");
    EXPECT_EQ(text(Real(123456789)), "123456789");
    EXPECT_EQ(text(Real(1e9)), "1 10^9");
    EXPECT_EQ(text(Real(12345678901.0)), "1.2345678901 10^10");
    EXPECT_EQ(text(Real(2.0 / 3.0)), "0.666666666666667");
    EXPECT_EQ(text(Real(0.0471), 2), "0.047");
    EXPECT_EQ(text(Real(100)), "100");
    EXPECT_EQ(text(Real(1e10)), "1 10^10");
    EXPECT_EQ(text(Real(1e10), 15, false), "1e10");
    EXPECT_EQ(text(Real(-0.5)), "-0.5");
    EXPECT_EQ(text(Real(0)), "0");
    EXPECT_EQ(text(Real(-0.0)), "0");
    EXPECT_EQ(text(Real(99.3), 2), "99");
    EXPECT_EQ(text(Real(99.96), 2), "100");
    EXPECT_EQ(text(Real(-1.5e-7)), "-0.00000015");
    EXPECT_EQ(text(Real(-1.5e-8)), "-1.5 10^-8");
    EXPECT_EQ(text(Real(1e154), 0, false), "1e154");
    EXPECT_EQ(text(Real(2e-154), 0, false), "2e-154");
    EXPECT_EQ(text(Real(0.1 + 0.2)), "0.3");  // 15 digits hide the binary rounding

    std::string longMessage(300, 'm');
    Real bad;
    bad.setMessage(longMessage);
    EXPECT_EQ(text(bad), "\"" + std::string(200, 'm') + "\"");
    Real quoted;
    quoted.setMessage("a\"b");
    EXPECT_EQ(text(quoted), "\"a\"b\"");
}

TEST(Real, TextRoundTripKeepsFifteenDigits)
{
    for (double d : {3.14159265358979, -2.5e-100, 1.0 / 3.0, 6.02214076e23, 123456.789, 9.99999999999999e153}) {
        const Real back(text(Real(d), 15, false));
        EXPECT_TRUE(back == Real(std::stod(text(Real(d), 15, false)))) << d;
        EXPECT_NEAR(back.value() / d, 1.0, 1e-14) << d;
    }
}

TEST(Real, SessionTokensRoundTripValuesAndMessages)
{
    Real quoted;
    quoted.setMessage("He said \"no\"\tthen\nleft");
    Real big(2e9);
    Real negative(-0.125);
    Real overflow(1e300);

    std::ostringstream out;
    big.writeToken(out);
    negative.writeToken(out);
    quoted.writeToken(out);
    overflow.writeToken(out);
    Real(2.0 / 3.0).writeToken(out);
    EXPECT_EQ(out.str(), "2e9 -0.125 \"He said \"\"no\"\"\tthen\nleft\" \"Overflow\" 0.666666666666667 ");

    std::string longMessage(300, 'q');
    Real longBad;
    longBad.setMessage(longMessage);
    std::ostringstream longOut;
    longBad.writeToken(longOut);
    EXPECT_EQ(longOut.str(), "\"" + longMessage + "\" ");  // written whole in the file

    clearReadFailure();
    std::istringstream in(out.str());
    Real a, b, c, d, e;
    a.readToken(in);
    b.readToken(in);
    c.readToken(in);
    d.readToken(in);
    e.readToken(in);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(a.value(), 2e9);
    EXPECT_EQ(b.value(), -0.125);
    EXPECT_EQ(c.message(), quoted.message());
    EXPECT_EQ(d.message(), "Overflow");
    EXPECT_TRUE(e == Real(2.0 / 3.0));

    // At the end of the input the token fails.
    Real end;
    end.readToken(in);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(end.message(), "Illegal string");
}

TEST(Real, SessionTokenFailuresSetTheFlag)
{
    clearReadFailure();
    std::istringstream words("abc");
    Real r;
    r.readToken(words);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(r.message(), "Illegal string");

    // An unterminated quoted token fails and keeps the flag set.
    clearReadFailure();
    std::istringstream open("  \"never closed");
    r.readToken(open);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(r.message(), "Illegal string");

    // A quoted message read successfully leaves an earlier failure in place ...
    setReadFailure();
    std::istringstream ok("\"fine\" ");
    r.readToken(ok);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(r.message(), "fine");
    // ... and does not raise one of its own.
    clearReadFailure();
    std::istringstream ok2("\"fine\"");
    r.readToken(ok2);
    EXPECT_FALSE(readFailed());

    // Numbers and tokens may be separated by any whitespace, carriage returns included.
    clearReadFailure();
    std::istringstream crlf("1\r\n2\t3");
    Real x, y, z;
    x.readToken(crlf);
    y.readToken(crlf);
    z.readToken(crlf);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(x.value() + y.value() + z.value(), 6.0);
}
