// Ostrel-Vane Studio - the 8-bit text type.
#include "String.h"

#include <atomic>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>

namespace HalvrennInc {

namespace {

// Every string without a buffer of its own points here; it is never written.
char s_emptyText[1] = {0};

std::atomic<bool> s_readFailure{false};

// Widths of the 256 byte values in hundredths of the font height (a proportional
// sans-serif face).
constexpr unsigned char kCharacterWidths[256] = {
    67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67,  //   0
    67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 67, 8,  67,  //  16
    25, 28, 32, 49, 49, 79, 59, 17, 30, 30, 35, 52, 25, 30, 25, 25,  //  32
    49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 25, 25, 52, 52, 52, 49,  //  48
    90, 59, 59, 64, 64, 59, 54, 69, 64, 25, 45, 59, 49, 73, 64, 69,  //  64
    59, 69, 64, 59, 54, 64, 59, 89, 60, 58, 54, 25, 25, 25, 41, 49,  //  80
    30, 49, 49, 45, 49, 49, 26, 49, 49, 20, 20, 45, 20, 74, 49, 49,  //  96
    49, 49, 30, 45, 25, 49, 45, 63, 45, 43, 43, 30, 23, 30, 52, 67,  // 112
    67, 67, 20, 49, 30, 89, 49, 49, 30, 90, 59, 30, 89, 67, 67, 67,  // 128
    67, 20, 20, 30, 30, 31, 49, 89, 28, 89, 45, 30, 84, 67, 67, 59,  // 144
    25, 28, 49, 49, 49, 49, 23, 49, 30, 66, 33, 49, 52, 30, 66, 49,  // 160
    36, 49, 30, 30, 30, 51, 48, 25, 30, 30, 33, 49, 74, 74, 74, 54,  // 176
    59, 59, 59, 59, 59, 59, 89, 64, 59, 59, 59, 59, 25, 25, 25, 25,  // 192
    64, 64, 69, 69, 69, 69, 69, 52, 69, 64, 64, 64, 64, 59, 59, 54,  // 208
    49, 49, 49, 49, 49, 49, 79, 45, 49, 49, 49, 49, 25, 25, 25, 25,  // 224
    49, 49, 49, 49, 49, 49, 49, 49, 54, 49, 49, 49, 49, 45, 49, 45,  // 240
};

}  // namespace

void clearReadFailure()
{
    s_readFailure.store(false, std::memory_order_relaxed);
}
void setReadFailure()
{
    s_readFailure.store(true, std::memory_order_relaxed);
}
bool readFailed()
{
    return s_readFailure.load(std::memory_order_relaxed);
}

String::String() noexcept : m_text(s_emptyText) {}

String::String(const char* psText, std::uint32_t uMinimumCapacity) : m_text(s_emptyText)
{
    const std::uint32_t uLength = psText ? static_cast<std::uint32_t>(std::strlen(psText)) : 0;
    if (uLength == 0 && uMinimumCapacity == 0) return;
    reserve(uLength > uMinimumCapacity ? uLength : uMinimumCapacity);
    if (uLength < m_capacity) {
        if (uLength > 0) std::memcpy(m_text, psText, uLength);
        m_text[uLength] = 0;
        m_length = uLength;
    }
}

String::String(std::string_view sText) : m_text(s_emptyText)
{
    assign(sText);
}

String::String(const String& sOther) : m_text(s_emptyText)
{
    assign(sOther.view());
}

String::String(String&& sOther) noexcept
    : m_length(sOther.m_length), m_capacity(sOther.m_capacity), m_text(sOther.m_text)
{
    sOther.m_length = 0;
    sOther.m_capacity = 0;
    sOther.m_text = s_emptyText;
}

String& String::operator=(const String& sOther)
{
    if (this != &sOther) assign(sOther.view());
    return *this;
}

String& String::operator=(String&& sOther) noexcept
{
    if (this != &sOther) {
        release();
        m_length = sOther.m_length;
        m_capacity = sOther.m_capacity;
        m_text = sOther.m_text;
        sOther.m_length = 0;
        sOther.m_capacity = 0;
        sOther.m_text = s_emptyText;
    }
    return *this;
}

String& String::operator=(std::string_view sText)
{
    assign(sText);
    return *this;
}

String::~String()
{
    release();
}

void String::release() noexcept
{
    if (m_capacity != 0) delete[] m_text;
    m_text = s_emptyText;
    m_capacity = 0;
    m_length = 0;
}

void String::reserve(std::uint32_t n)
{
    if (n == 0 || n < m_capacity) return;
    if (n == UINT32_MAX) return;  // no room for the terminator: behave as a failed allocation
    char* pNew = new (std::nothrow) char[static_cast<std::size_t>(n) + 1];
    if (!pNew) return;
    std::memcpy(pNew, m_text, static_cast<std::size_t>(m_length) + 1);
    if (m_capacity != 0) delete[] m_text;
    m_text = pNew;
    m_capacity = n + 1;
}

void String::assign(std::string_view sText)
{
    if (sText.size() >= UINT32_MAX) return;
    const auto uLength = static_cast<std::uint32_t>(sText.size());
    if (uLength == 0) {
        if (m_capacity != 0) {
            m_text[0] = 0;
        }
        m_length = 0;
        return;
    }
    // The text may live inside this string's own buffer; copy it out first when the
    // buffer is about to move.
    if (uLength >= m_capacity && sText.data() >= m_text && sText.data() < m_text + m_capacity) {
        const std::string copy(sText);
        assign(copy);
        return;
    }
    reserve(uLength);
    if (uLength < m_capacity) {
        std::memmove(m_text, sText.data(), uLength);
        m_text[uLength] = 0;
        m_length = uLength;
    }
}

void String::append(std::string_view sText)
{
    if (sText.empty()) return;
    if (sText.size() >= UINT32_MAX - m_length) return;
    const auto uAdded = static_cast<std::uint32_t>(sText.size());
    if (m_length + uAdded >= m_capacity && sText.data() >= m_text && sText.data() < m_text + m_capacity) {
        const std::string copy(sText);
        append(copy);
        return;
    }
    reserve(m_length + uAdded);
    if (m_length + uAdded < m_capacity) {
        std::memmove(m_text + m_length, sText.data(), uAdded);
        m_length += uAdded;
        m_text[m_length] = 0;
    }
}

void String::appendChar(char c)
{
    if (m_length + 1 >= m_capacity) {
        // Grow geometrically (at least twenty characters, at least half again), so that a
        // text built one character at a time costs linear time.
        std::uint32_t uGrow = m_capacity / 2;
        if (uGrow < 20) uGrow = 20;
        if (uGrow > UINT32_MAX - 2 - m_length) uGrow = UINT32_MAX - 2 - m_length;
        reserve(m_length + 1 + uGrow);
    }
    if (m_length + 1 < m_capacity) {
        m_text[m_length++] = c;
        m_text[m_length] = 0;
    }
}

void String::trim()
{
    if (m_capacity == 0) return;
    std::uint32_t uStart = 0;
    while (uStart < m_length && isBlankChar(m_text[uStart])) ++uStart;
    std::uint32_t uEnd = m_length;
    while (uEnd > uStart && isBlankChar(m_text[uEnd - 1])) --uEnd;
    if (uStart > 0) std::memmove(m_text, m_text + uStart, uEnd - uStart);
    m_text[uEnd - uStart] = 0;
    recount();
}

void String::removeLast()
{
    if (m_length == 0) return;
    m_text[--m_length] = 0;
}

void String::shrinkToFit()
{
    if (m_capacity == 0) return;
    if (m_length == 0) {
        release();
        return;
    }
    if (m_capacity == m_length + 1) return;
    char* pNew = new (std::nothrow) char[static_cast<std::size_t>(m_length) + 1];
    if (!pNew) return;
    std::memcpy(pNew, m_text, static_cast<std::size_t>(m_length) + 1);
    delete[] m_text;
    m_text = pNew;
    m_capacity = m_length + 1;
}

void String::recount()
{
    if (m_capacity != 0) m_text[m_capacity - 1] = 0;
    m_length = static_cast<std::uint32_t>(std::strlen(m_text));
}

double String::width() const
{
    return textWidth(view());
}

double textWidth(std::string_view sText)
{
    unsigned uSum = 0;
    for (const char c : sText) uSum += kCharacterWidths[static_cast<unsigned char>(c)];
    return uSum * 0.01;
}

void String::writeQuoted(std::ostream& out) const
{
    out.put('"');
    for (std::uint32_t i = 0; i < m_length; ++i) {
        if (m_text[i] == '"') out.put('"');
        out.put(m_text[i]);
    }
    out.put('"');
    out.put(' ');
}

void String::readQuoted(std::istream& in)
{
    reserve(100);
    if (m_capacity != 0) m_text[0] = 0;
    m_length = 0;

    using Traits = std::istream::traits_type;
    Traits::int_type ch = in.get();
    while (ch != Traits::eof() && isBlankChar(Traits::to_char_type(ch))) ch = in.get();
    if (ch == Traits::eof() || Traits::to_char_type(ch) != '"') {
        setReadFailure();
        shrinkToFit();
        return;
    }
    for (;;) {
        ch = in.get();
        if (ch == Traits::eof()) {
            m_length = 0;
            if (m_capacity != 0) m_text[0] = 0;
            setReadFailure();
            break;
        }
        const char c = Traits::to_char_type(ch);
        if (c == '"') {
            const Traits::int_type next = in.peek();
            if (next != Traits::eof() && Traits::to_char_type(next) == '"') {
                in.get();
                appendChar('"');
                continue;
            }
            // A peek at the end of input sets eofbit; the token itself is complete.
            if (next == Traits::eof()) in.clear(in.rdstate() & ~std::ios::eofbit);
            break;
        }
        appendChar(c);
    }
    shrinkToFit();
}

void String::writeRaw(std::ostream& out) const
{
    out.write(m_text, m_length);
}

String operator+(const String& a, std::string_view b)
{
    String s(a);
    s.append(b);
    return s;
}

std::string_view trimControl(std::string_view sText)
{
    std::size_t uStart = 0;
    while (uStart < sText.size() && static_cast<unsigned char>(sText[uStart]) <= ' ') ++uStart;
    std::size_t uEnd = sText.size();
    while (uEnd > uStart && static_cast<unsigned char>(sText[uEnd - 1]) <= ' ') --uEnd;
    return sText.substr(uStart, uEnd - uStart);
}

std::string_view trimBlanks(std::string_view sText)
{
    std::size_t uStart = 0;
    while (uStart < sText.size() && isBlankChar(sText[uStart])) ++uStart;
    std::size_t uEnd = sText.size();
    while (uEnd > uStart && isBlankChar(sText[uEnd - 1])) --uEnd;
    return sText.substr(uStart, uEnd - uStart);
}

}  // namespace HalvrennInc
