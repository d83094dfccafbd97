// Ostrel-Vane Studio - the reader of OpenDocument spreadsheets (.ods): the tables of the
// content part. Repeated rows and cells stand for many at once; only the part inside the
// grid is stored, so a repeat of a million empty cells costs nothing.
#include <charconv>
#include <cstdio>
#include <vector>

#include "workbook/CellRange.h"
#include "workbook/SpreadsheetReaders.h"

namespace HalvrennInc {

namespace {

// A repeat count; anything unreadable counts once, and no repeat reaches past the largest
// sheet a producer writes.
std::uint64_t RepeatCount(const char* ps)
{
    if (ps == nullptr) return 1;
    std::uint64_t u = 0;
    const std::string_view s(ps);
    const auto result = std::from_chars(s.data(), s.data() + s.size(), u);
    if (result.ec != std::errc() || u == 0) return 1;
    return std::min<std::uint64_t>(u, std::uint64_t{1} << 24);
}

// "PT12H30M05S" (or with fractions of a second, or more than 24 hours) as "12:30:05".
std::string DurationText(std::string_view s)
{
    if (s.size() < 3 || s.substr(0, 2) != "PT") return std::string(s);
    double dHours = 0, dMinutes = 0, dSeconds = 0;
    std::size_t u = 2;
    while (u < s.size()) {
        double d = 0;
        const auto result = std::from_chars(s.data() + u, s.data() + s.size(), d);
        if (result.ec != std::errc() || result.ptr == s.data() + s.size()) return std::string(s);
        u = static_cast<std::size_t>(result.ptr - s.data());
        if (s[u] == 'H')
            dHours = d;
        else if (s[u] == 'M')
            dMinutes = d;
        else if (s[u] == 'S')
            dSeconds = d;
        else
            return std::string(s);
        ++u;
    }
    const auto iTotal = static_cast<long long>(dHours * 3600 + dMinutes * 60 + dSeconds + 0.5);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld", iTotal / 3600, iTotal / 60 % 60, iTotal % 60);
    return buffer;
}

// The text of one cell is cut here; no data value is longer.
constexpr std::size_t kLongestText = std::size_t{1} << 20;

class ContentHandler : public XmlHandler {
public:
    explicit ContentHandler(SpreadsheetContents& contents) : m_contents(contents) {}

    void startElement(std::string_view sName, const char** ppsAttributes) override
    {
        if (sName == "table") {
            // A table inside a cell (a sub-table) is no sheet of its own.
            if (m_iTableDepth++ == 0) {
                const char* psName = XmlAttribute(ppsAttributes, "name");
                m_contents.addSheet(psName ? psName : "");
                m_uRow = 0;
            }
            return;
        }
        if (m_iTableDepth != 1) return;
        if (sName == "table-row") {
            m_uRowRepeat = RepeatCount(XmlAttribute(ppsAttributes, "number-rows-repeated"));
            m_uColumn = 0;
            m_rowCells.clear();
            m_uRowLastColumn = 0;
        } else if (sName == "table-cell" || sName == "covered-table-cell") {
            m_uColumnRepeat = RepeatCount(XmlAttribute(ppsAttributes, "number-columns-repeated"));
            m_bInCell = true;
            m_sText.clear();
            m_iParagraphs = 0;
            m_sValue = cellValue(ppsAttributes);
            m_bValueFromAttribute = !m_sValue.empty();
        } else if (m_bInCell && !m_bValueFromAttribute && m_sText.size() < kLongestText) {
            if (sName == "p" || sName == "h") {
                if (m_iParagraphs++ > 0) m_sText += '\n';
                m_bInParagraph = true;
            } else if (sName == "s") {
                m_sText.append(std::min<std::uint64_t>(RepeatCount(XmlAttribute(ppsAttributes, "c")), 1000), ' ');
            } else if (sName == "tab") {
                m_sText += '\t';
            } else if (sName == "line-break") {
                m_sText += '\n';
            } else if (sName == "annotation") {
                ++m_iAnnotation;
            }
        }
    }

    void endElement(std::string_view sName) override
    {
        if (sName == "table") {
            --m_iTableDepth;
            return;
        }
        if (m_iTableDepth != 1) return;
        if (sName == "table-cell" || sName == "covered-table-cell") {
            endCell();
        } else if (sName == "table-row") {
            endRow();
        } else if (sName == "p" || sName == "h") {
            m_bInParagraph = false;
        } else if (sName == "annotation") {
            --m_iAnnotation;
        }
    }

    void characters(std::string_view sText) override
    {
        if (m_iTableDepth == 1 && m_bInCell && m_bInParagraph && m_iAnnotation == 0 && !m_bValueFromAttribute &&
            m_sText.size() < kLongestText)
            m_sText += sText;
    }

private:
    // The value of a typed cell from its attributes; empty for text cells, whose value is
    // their paragraphs.
    static std::string cellValue(const char** ppsAttributes)
    {
        const char* psType = XmlAttribute(ppsAttributes, "value-type");
        if (psType == nullptr) return {};
        const std::string_view sType(psType);
        if (sType == "float" || sType == "percentage" || sType == "currency") {
            const char* psValue = XmlAttribute(ppsAttributes, "value");
            if (psValue == nullptr) return {};
            double d = 0;
            const std::string_view s(psValue);
            const auto result = std::from_chars(s.data(), s.data() + s.size(), d);
            if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return std::string(s);
            return ShortestNumberText(d);
        }
        if (sType == "date") {
            const char* psValue = XmlAttribute(ppsAttributes, "date-value");
            if (psValue == nullptr) return {};
            std::string s(psValue);
            // "2024-03-01T00:00:00" is a date; a time of day other than midnight is kept.
            const std::size_t uT = s.find('T');
            if (uT != std::string::npos) {
                if (s.compare(uT, std::string::npos, "T00:00:00") == 0)
                    s.resize(uT);
                else
                    s[uT] = ' ';
            }
            const std::size_t uFraction = s.find('.', uT == std::string::npos ? s.size() : uT);
            if (uFraction != std::string::npos) s.resize(uFraction);
            return s;
        }
        if (sType == "time") {
            const char* psValue = XmlAttribute(ppsAttributes, "time-value");
            return psValue ? DurationText(psValue) : std::string();
        }
        if (sType == "boolean") {
            const char* psValue = XmlAttribute(ppsAttributes, "boolean-value");
            if (psValue == nullptr) return {};
            return std::string_view(psValue) == "true" ? "TRUE" : "FALSE";
        }
        return {};
    }

    void endCell()
    {
        m_bInCell = false;
        const std::string& sText = m_bValueFromAttribute ? m_sValue : m_sText;
        if (!sText.empty()) {
            m_uRowLastColumn = m_uColumn + m_uColumnRepeat;
            // Cells of the row are kept until the row's repeat is known at its end.
            for (std::uint64_t c = m_uColumn + 1; c <= m_uColumn + m_uColumnRepeat && c <= kSheetColumns; ++c)
                m_rowCells.push_back(ReadCell{static_cast<std::uint32_t>(c), 0, sText});
        }
        m_uColumn += m_uColumnRepeat;
    }

    void endRow()
    {
        if (!m_contents.sheets.empty() && m_uRowLastColumn != 0) {
            ReadSheet& sheet = m_contents.sheets.back();
            sheet.uLastRow = std::max(sheet.uLastRow, m_uRow + m_uRowRepeat);
            sheet.uLastColumn = std::max(sheet.uLastColumn, m_uRowLastColumn);
            for (std::uint64_t r = m_uRow + 1; r <= m_uRow + m_uRowRepeat && r <= kSheetRows; ++r)
                for (const ReadCell& cell : m_rowCells)
                    m_contents.storeCell(cell.uColumn, static_cast<std::uint32_t>(r), cell.sText);
        }
        m_uRow += m_uRowRepeat;
    }

    SpreadsheetContents& m_contents;
    int m_iTableDepth = 0;
    std::uint64_t m_uRow = 0;  //!< rows of the table before the current one
    std::uint64_t m_uRowRepeat = 1;
    std::uint64_t m_uColumn = 0;  //!< columns of the row before the current cell
    std::uint64_t m_uColumnRepeat = 1;
    std::uint64_t m_uRowLastColumn = 0;  //!< the last column of the row holding a value
    std::vector<ReadCell> m_rowCells;
    bool m_bInCell = false, m_bInParagraph = false, m_bValueFromAttribute = false;
    int m_iParagraphs = 0, m_iAnnotation = 0;
    std::string m_sText, m_sValue;
};

}  // namespace

bool ReadOds(ZipArchive& archive, SpreadsheetContents& contents, std::string& sError)
{
    if (!archive.hasEntry("content.xml")) {
        sError = "it holds no content part";
        return false;
    }
    ContentHandler handler(contents);
    if (!archive.parseEntry("content.xml", handler, sError)) return false;
    if (contents.sheets.empty()) {
        sError = "it holds no table";
        return false;
    }
    return true;
}

}  // namespace HalvrennInc
