// Behaviour of the text type: growth, trimming, width and the quoted token form.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "foundation/ReferenceString.h"
#include "foundation/String.h"

using namespace HalvrennInc;

namespace {
std::string quoted(std::string_view text)
{
    std::ostringstream out;
    String(text).writeQuoted(out);
    return out.str();
}
}  // namespace

TEST(String, EmptyStringsShareNoBufferUntilTextArrives)
{
    String s;
    EXPECT_EQ(s.capacity(), 0u);
    EXPECT_STREQ(s.c_str(), "");
    String fromNull(nullptr);
    EXPECT_EQ(fromNull.capacity(), 0u);
    String reserved(nullptr, 10);
    EXPECT_EQ(reserved.capacity(), 11u);
    EXPECT_EQ(reserved.length(), 0u);

    s.append("abc");
    s.append(s.view());  // appending itself survives the move of its buffer
    EXPECT_EQ(s, "abcabc");
    s.removeLast();
    EXPECT_EQ(s, "abcab");
    s.assign("");
    EXPECT_EQ(s.length(), 0u);
    s.shrinkToFit();
    EXPECT_EQ(s.capacity(), 0u);
    String empty;
    empty.removeLast();
    EXPECT_EQ(empty.length(), 0u);
}

TEST(String, AppendCharGrowsGeometricallyAndShrinksToFit)
{
    String s;
    unsigned reallocations = 0;
    std::uint32_t lastCapacity = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        s.appendChar(static_cast<char>('a' + i % 26));
        if (s.capacity() != lastCapacity) {
            ++reallocations;
            lastCapacity = s.capacity();
        }
    }
    EXPECT_EQ(s.length(), 1'000'000u);
    EXPECT_LT(reallocations, 40u);  // twenty characters at a time would take 50000
    EXPECT_EQ(s[999'999], static_cast<char>('a' + 999'999 % 26));
    s.shrinkToFit();
    EXPECT_EQ(s.capacity(), 1'000'001u);
}

TEST(String, TrimRecountAndCharAt)
{
    String s(" \t a b \r\n");
    s.trim();
    EXPECT_EQ(s, "a b");
    String blanks("   ");
    blanks.trim();
    EXPECT_EQ(blanks.length(), 0u);

    String r("hello");
    *r.charAt(3) = 0;
    r.recount();
    EXPECT_EQ(r, "he");
    EXPECT_EQ(*String("xyz").charAt(1), 'x');

    EXPECT_EQ(trimControl(std::string("\x01 7 \x1f")), "7");
    EXPECT_TRUE(isBlankText(" \t\x0b "));
    EXPECT_FALSE(isBlankText(" \xa0 "));
    EXPECT_EQ(trimBlanks(" \x01x\x01 "), "\x01x\x01");
}

TEST(String, WidthComesFromTheCharacterTable)
{
    EXPECT_DOUBLE_EQ(String("ab").width(), 0.98);
    EXPECT_EQ(String().width(), 0.0);
    EXPECT_DOUBLE_EQ(String(" ").width(), 0.25);
    EXPECT_DOUBLE_EQ(String("W").width(), 0.89);
    EXPECT_DOUBLE_EQ(String("m").width(), 0.74);
    EXPECT_DOUBLE_EQ(String("\xff").width(), 0.45);
    EXPECT_DOUBLE_EQ(textWidth("0123456789"), 4.9);
}

TEST(String, QuotedTokensDoubleInnerQuotesOnly)
{
    EXPECT_EQ(quoted(""), "\"\" ");
    EXPECT_EQ(quoted("\""), "\"\"\"\" ");
    EXPECT_EQ(quoted("a\"b"), "\"a\"\"b\" ");
    EXPECT_EQ(quoted("tab\tline\ncr\r"), "\"tab\tline\ncr\r\" ");
    std::ostringstream raw;
    String("a\"b").writeRaw(raw);
    EXPECT_EQ(raw.str(), "a\"b");
}

TEST(String, ReadQuotedHandlesEveryByteAndReportsFailures)
{
    // Every byte value 1..255 reads back as written.
    std::string all;
    for (int c = 1; c < 256; ++c) all.push_back(static_cast<char>(c));
    std::stringstream io;
    String(all).writeQuoted(io);
    String(all).writeQuoted(io);
    clearReadFailure();
    String back, second;
    back.readQuoted(io);
    second.readQuoted(io);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(back.str(), all);
    EXPECT_EQ(second.str(), all);
    EXPECT_EQ(back.capacity(), back.length() + 1);  // shrunk to fit

    String s;
    std::istringstream empty("\"\" ");
    s.readQuoted(empty);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(s.length(), 0u);

    std::istringstream quote("\"\"\"\" ");
    s.readQuoted(quote);
    EXPECT_EQ(s, "\"");

    // Not a quote: the character is consumed, the flag set, the text empty.
    std::istringstream notQuoted("  abc");
    s.readQuoted(notQuoted);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(s.length(), 0u);
    EXPECT_EQ(notQuoted.get(), 'b');

    clearReadFailure();
    std::istringstream unterminated("\"abc");
    s.readQuoted(unterminated);
    EXPECT_TRUE(readFailed());
    EXPECT_EQ(s.length(), 0u);

    clearReadFailure();
    std::istringstream closesEarly("\"x\"y");
    s.readQuoted(closesEarly);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(s, "x");
    EXPECT_EQ(closesEarly.get(), 'y');

    clearReadFailure();
    std::istringstream nothing("");
    s.readQuoted(nothing);
    EXPECT_TRUE(readFailed());
    clearReadFailure();
}

TEST(String, ReadQuotedOfAMegabyteIsLinear)
{
    std::string big(1 << 20, 'x');
    std::stringstream io;
    String(big).writeQuoted(io);
    clearReadFailure();
    String s;
    s.readQuoted(io);
    EXPECT_FALSE(readFailed());
    EXPECT_EQ(s.length(), big.size());
}

TEST(ReferenceString, TheLastReleaseDestroysItOnce)
{
    auto* p = new ReferenceString("shared");
    p->addReference();
    EXPECT_EQ(p->referenceCount(), 2);
    p->release();
    EXPECT_EQ(p->referenceCount(), 1);
    EXPECT_EQ(*p, "shared");
    p->release();  // destroyed here; the sanitizer build catches a double free or a leak
}
