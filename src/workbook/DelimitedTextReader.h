// Ostrel-Vane Studio - the reader of delimited text into a sheet, shared by paste and
// import: tab-delimited text, and comma-separated text with quoted fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/CellsNotRead.h"

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

//! How records end: at a line feed with every carriage return dropped (LF and CR LF read
//! alike), or also at a lone carriage return (text from systems that end lines with CR).
enum class LineEnds { LineFeed, CarriageReturnToo };

//! Reads text that arrives in pieces into a sheet from a start cell. A non-blank field
//! inside the grid is stored untrimmed and the used extent grows to include it; blank
//! fields leave their cell as it was; fields beyond column 256 or row 10000 are dropped
//! and counted.
class DelimitedTextReader {
public:
    DelimitedTextReader(Sheet& sheet, std::uint32_t uStartColumn, std::uint32_t uStartRow, DelimitedFormat format,
                        LineEnds lineEnds = LineEnds::LineFeed);

    //! Takes the next piece. Returns false once the reader has passed the last row of the
    //! grid: nothing that follows can be stored (the rest is only counted).
    bool feed(std::string_view sPiece);
    //! The end of the text: stores the last field.
    void finish();

    //! Fields stored so far.
    std::uint64_t storedFields() const { return m_uStored; }
    //! The rows past row 10000 and the columns past column 256 that held a non-blank field.
    CellsNotRead cellsNotRead() const;
    //! After finish: the line (from 1) of a quote still open at the end of the text, else 0.
    std::uint64_t unterminatedQuoteLine() const { return m_uOpenQuoteLine; }
    //! The separator of the fields (tab, comma or semicolon), known once the first record is.
    char separator() const { return m_cSeparator; }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    void scan(std::string_view sText);
    void holdFirstRecord(std::string_view sPiece);
    void endField();
    void endRecord();
    void append(char c);

    Sheet& m_sheet;
    DelimitedFormat m_format;
    LineEnds m_lineEnds;
    std::uint32_t m_uStartColumn;
    std::uint64_t m_uColumn;  //!< counts on past the grid, where fields are only looked at
    std::uint64_t m_uRow;
    State m_state = State::FieldStart;
    char m_cSeparator;
    std::string m_sField;                 //!< the field being collected
    bool m_bFieldHasText = false;         //!< the field holds a character above space
    bool m_bRecordHasText = false;        //!< the record holds a non-blank field
    bool m_bAfterCarriageReturn = false;  //!< a line feed now belongs to the line end just read
    bool m_bSeparatorKnown;               //!< the comma-separated format decides on its first record
    std::string m_sFirstRecord;           //!< text held back until the separator is known
    bool m_bFirstRecordQuoted = false;    //!< inside quotes while looking through the first record
    std::uint64_t m_uLine = 1;            //!< the line being read, counting line ends inside quotes
    std::uint64_t m_uQuoteLine = 0;       //!< the line where the open quote started
    std::uint64_t m_uOpenQuoteLine = 0;
    std::uint64_t m_uStored = 0;
    std::uint64_t m_uRowsNotRead = 0;
    std::uint64_t m_uWidest = 0;  //!< the rightmost non-blank column of a row inside the grid
};

}  // namespace HalvrennInc
