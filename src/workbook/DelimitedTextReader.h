// Ostrel-Vane Studio - the reader of delimited text into a sheet, shared by paste and
// import: tab-delimited text, and comma-separated text with quoted fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace HalvrennInc {

class Sheet;

enum class DelimitedFormat {
    //! Fields end at a tab, records at a line feed; nothing else is special.
    TabDelimited,
    //! Fields end at a comma (or a semicolon, when the first record holds semicolons and
    //! no commas), records at a line feed. A field that starts with a double quote runs
    //! to the matching quote and may hold separators and line breaks; a doubled quote
    //! inside stands for one quote.
    CommaSeparated,
};

//! Reads text that arrives in pieces into a sheet from a start cell. Every carriage
//! return is dropped, so LF and CR LF line ends read alike. A non-blank field inside the
//! grid is stored untrimmed and the used extent grows to include it; blank fields leave
//! their cell as it was; fields beyond column 256 or row 10000 are dropped.
class DelimitedTextReader {
public:
    DelimitedTextReader(Sheet& sheet, std::uint32_t uStartColumn, std::uint32_t uStartRow, DelimitedFormat format);

    //! Takes the next piece. Returns false once the reader has passed the last row of the
    //! grid: nothing that follows can be stored, so the caller may stop reading.
    bool feed(std::string_view sPiece);
    //! The end of the text: stores the last field.
    void finish();

    //! Fields stored so far.
    std::uint64_t storedFields() const { return m_uStored; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    void scan(std::string_view sText);
    void holdFirstRecord(std::string_view sPiece);
    void endField();
    void endRecord();
    void append(char c);

    Sheet& m_sheet;
    DelimitedFormat m_format;
    std::uint32_t m_uStartColumn;
    std::uint32_t m_uColumn;  //!< stops at 257: every field past the grid is dropped alike
    std::uint32_t m_uRow;
    State m_state = State::FieldStart;
    char m_cSeparator;
    std::string m_sField;               //!< the field being collected
    bool m_bSeparatorKnown;             //!< the comma-separated format decides on its first record
    std::string m_sFirstRecord;         //!< text held back until the separator is known
    bool m_bFirstRecordQuoted = false;  //!< inside quotes while looking through the first record
    bool m_bPastGrid = false;           //!< the row has gone beyond the grid
    std::uint64_t m_uStored = 0;
};

}  // namespace HalvrennInc
