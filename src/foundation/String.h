// Ostrel-Vane Studio - the 8-bit text type of the program, its quoted token form for
// session files, and its printed-width estimate for the drawing layer.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace HalvrennInc {

class String {
public:
    String() noexcept;
    explicit String(const char* psText, std::uint32_t uMinimumCapacity = 0);
    String(std::string_view sText);  // implicit: texts are passed around as views
    String(const String& sOther);
    String(String&& sOther) noexcept;
    String& operator=(const String& sOther);
    String& operator=(String&& sOther) noexcept;
    String& operator=(std::string_view sText);
    virtual ~String();

    //! Makes room for n characters plus the terminator; never shrinks. Leaves the
    //! string as it was when memory runs out.
    void reserve(std::uint32_t n);
    void assign(std::string_view sText);
    void append(std::string_view sText);
    void appendChar(char c);
    //! Removes leading and trailing blanks (space, tab, line feed, carriage return).
    void trim();
    void removeLast();
    void shrinkToFit();
    //! Forces a terminator into the last byte of the buffer and measures the text again.
    void recount();
    //! Address of character k, counting from 1.
    char* charAt(std::uint32_t k) { return m_text + (k - 1); }
    const char* charAt(std::uint32_t k) const { return m_text + (k - 1); }

    //! Printed width of the text in multiples of the font height.
    double width() const;

    //! Writes the quoted token: the text in double quotes, inner quotes doubled,
    //! followed by one space.
    void writeQuoted(std::ostream& out) const;
    //! Reads a quoted token; on failure the string is left empty and the read-failure
    //! flag is set.
    void readQuoted(std::istream& in);
    void writeRaw(std::ostream& out) const;

    std::uint32_t length() const { return m_length; }
    std::uint32_t capacity() const { return m_capacity; }
    bool empty() const { return m_length == 0; }
    const char* c_str() const { return m_text; }
    std::string_view view() const { return {m_text, m_length}; }
    std::string str() const { return {m_text, m_length}; }
    char operator[](std::uint32_t i) const { return m_text[i]; }

    friend bool operator==(const String& a, const String& b) { return a.view() == b.view(); }
    friend bool operator==(const String& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const String& a, const char* b) { return a.view() == std::string_view(b); }

private:
    void release() noexcept;

    std::uint32_t m_length = 0;    //!< characters before the terminator
    std::uint32_t m_capacity = 0;  //!< bytes owned, terminator included; 0: the shared empty text
    char* m_text;                  //!< always terminated
};

String operator+(const String& a, std::string_view b);

//! A blank character for trimming: space, tab, line feed or carriage return.
inline bool isBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

//! The text with leading and trailing characters with codes up to space removed: the
//! test the workbook and the data selection use to decide that a cell is blank.
std::string_view trimControl(std::string_view sText);
inline bool isBlankText(std::string_view sText)
{
    return trimControl(sText).empty();
}

//! The text with leading and trailing blanks (space, tab, line feed, carriage return) removed.
std::string_view trimBlanks(std::string_view sText);

//! Printed width of a text in multiples of the font height (the character width table).
double textWidth(std::string_view sText);

// The process-wide read-failure flag of the session-file token readers.
void clearReadFailure();
void setReadFailure();
bool readFailed();

}  // namespace HalvrennInc
