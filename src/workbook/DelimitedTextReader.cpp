// Ostrel-Vane Studio - delimited text into a sheet.
#include "workbook/DelimitedTextReader.h"

#include <algorithm>

#include "workbook/Sheet.h"

namespace HalvrennInc {

DelimitedTextReader::DelimitedTextReader(Sheet& sheet, std::uint32_t uStartColumn, std::uint32_t uStartRow,
                                         DelimitedFormat format, LineEnds lineEnds)
    : m_sheet(sheet),
      m_format(format),
      m_lineEnds(lineEnds),
      m_uStartColumn(uStartColumn),
      m_uColumn(uStartColumn),
      m_uRow(uStartRow),
      m_cSeparator(format == DelimitedFormat::TabDelimited ? '\t' : ','),
      m_bSeparatorKnown(format == DelimitedFormat::TabDelimited)
{
}

bool DelimitedTextReader::feed(std::string_view sPiece)
{
    if (m_bSeparatorKnown) {
        scan(sPiece);
    } else {
        holdFirstRecord(sPiece);
    }
    return m_uRow <= kSheetRows;
}

void DelimitedTextReader::finish()
{
    if (!m_bSeparatorKnown) {
        // The whole text was one record without a line end.
        m_bSeparatorKnown = true;
        holdFirstRecord({});
    }
    if (m_state == State::Quoted) m_uOpenQuoteLine = m_uQuoteLine;
    endField();
    if (m_uRow > kSheetRows && m_bRecordHasText) ++m_uRowsNotRead;
    m_bRecordHasText = false;
    m_state = State::FieldStart;
}

CellsNotRead DelimitedTextReader::cellsNotRead() const
{
    CellsNotRead notRead;
    notRead.uRows = m_uRowsNotRead;
    notRead.uColumns = m_uWidest > kSheetColumns ? m_uWidest - kSheetColumns : 0;
    return notRead;
}

// Holds text back until the first record is complete (a line end outside quotes, or the
// end of the text), then decides on the separator and reads what was held back.
void DelimitedTextReader::holdFirstRecord(std::string_view sPiece)
{
    bool bComplete = m_bSeparatorKnown;
    std::size_t uUsed = 0;
    for (; uUsed < sPiece.size() && !bComplete; ++uUsed) {
        const char c = sPiece[uUsed];
        if (c == '"') m_bFirstRecordQuoted = !m_bFirstRecordQuoted;
        const bool bLineEnd = c == '\n' || (c == '\r' && m_lineEnds == LineEnds::CarriageReturnToo);
        if (bLineEnd && !m_bFirstRecordQuoted) bComplete = true;
    }
    m_sFirstRecord.append(sPiece.substr(0, uUsed));
    if (!bComplete) return;

    std::size_t uCommas = 0;
    std::size_t uSemicolons = 0;
    bool bQuoted = false;
    for (const char c : m_sFirstRecord) {
        if (c == '"') bQuoted = !bQuoted;
        if (bQuoted) continue;
        if (c == ',') ++uCommas;
        if (c == ';') ++uSemicolons;
    }
    m_cSeparator = (uSemicolons > 0 && uCommas == 0) ? ';' : ',';
    m_bSeparatorKnown = true;
    std::string sHeld;
    sHeld.swap(m_sFirstRecord);
    scan(sHeld);
    scan(sPiece.substr(uUsed));
}

void DelimitedTextReader::append(char c)
{
    if (static_cast<unsigned char>(c) > ' ') m_bFieldHasText = true;
    // Fields that cannot be stored are not collected, so a huge record beyond the last
    // column costs no memory.
    if (m_uColumn <= kSheetColumns && m_uRow <= kSheetRows) m_sField.push_back(c);
}

void DelimitedTextReader::scan(std::string_view sText)
{
    const bool bQuoting = m_format == DelimitedFormat::CommaSeparated;
    for (char c : sText) {
        if (c == '\r') {
            if (m_lineEnds == LineEnds::LineFeed) continue;
            c = '\n';
            m_bAfterCarriageReturn = true;
        } else if (c == '\n' && m_bAfterCarriageReturn) {
            m_bAfterCarriageReturn = false;  // the line feed of a CR LF pair
            continue;
        } else {
            m_bAfterCarriageReturn = false;
        }
        if (c == '\n') ++m_uLine;
        switch (m_state) {
            case State::FieldStart:
                if (bQuoting && c == '"') {
                    m_state = State::Quoted;
                    m_uQuoteLine = m_uLine;
                    continue;
                }
                m_state = State::Unquoted;
                [[fallthrough]];
            case State::Unquoted:
            case State::QuoteInQuoted:
                if (m_state == State::QuoteInQuoted && c == '"') {
                    append('"');  // a doubled quote inside a quoted field
                    m_state = State::Quoted;
                } else if (c == m_cSeparator) {
                    endField();
                } else if (c == '\n') {
                    endRecord();
                } else {
                    // Text after a closing quote is kept as it stands.
                    append(c);
                    m_state = State::Unquoted;
                }
                break;
            case State::Quoted:
                if (c == '"') {
                    m_state = State::QuoteInQuoted;
                } else {
                    append(c);
                }
                break;
        }
    }
}

void DelimitedTextReader::endField()
{
    if (m_bFieldHasText) {
        m_bRecordHasText = true;
        if (m_uRow <= kSheetRows) m_uWidest = std::max(m_uWidest, m_uColumn);
    }
    if (m_uColumn <= kSheetColumns && m_uRow <= kSheetRows &&
        m_sheet.storeField(static_cast<std::uint32_t>(m_uColumn), static_cast<std::uint32_t>(m_uRow), m_sField)) {
        ++m_uStored;
    }
    m_sField.clear();
    m_bFieldHasText = false;
    ++m_uColumn;
    m_state = State::FieldStart;
}

void DelimitedTextReader::endRecord()
{
    endField();
    if (m_uRow > kSheetRows && m_bRecordHasText) ++m_uRowsNotRead;
    m_bRecordHasText = false;
    m_uColumn = m_uStartColumn;
    ++m_uRow;
}

}  // namespace HalvrennInc
