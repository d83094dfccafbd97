// Ostrel-Vane Studio - the reader of Office Open XML workbooks (.xlsx): the package's
// relationships lead to the workbook part, which names the sheets and, through its own
// relationships, the parts of the sheets, the shared strings and the styles.
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "workbook/SpreadsheetReaders.h"

namespace HalvrennInc {

namespace {

bool IsTrue(const char* ps)
{
    return ps != nullptr && (std::string_view(ps) == "1" || std::string_view(ps) == "true");
}

std::optional<std::uint64_t> WholeNumber(const char* ps)
{
    if (ps == nullptr) return std::nullopt;
    std::uint64_t u = 0;
    const std::string_view s(ps);
    const auto result = std::from_chars(s.data(), s.data() + s.size(), u);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size()) return std::nullopt;
    return u;
}

// The folder of a part ("xl/" for "xl/workbook.xml").
std::string FolderOf(std::string_view sPart)
{
    const std::size_t uSlash = sPart.rfind('/');
    return uSlash == std::string_view::npos ? std::string() : std::string(sPart.substr(0, uSlash + 1));
}

// A relationship target as a part name: an absolute target starts at the package's root,
// a relative one at the folder of the part that holds the relationship; "." and ".." are
// resolved.
std::string ResolveTarget(std::string_view sSourceFolder, std::string_view sTarget)
{
    std::string sPath = !sTarget.empty() && sTarget.front() == '/' ? std::string(sTarget.substr(1))
                                                                   : std::string(sSourceFolder) + std::string(sTarget);
    std::vector<std::string> parts;
    std::size_t uStart = 0;
    while (uStart <= sPath.size()) {
        std::size_t uEnd = sPath.find('/', uStart);
        if (uEnd == std::string::npos) uEnd = sPath.size();
        const std::string sPart = sPath.substr(uStart, uEnd - uStart);
        if (sPart == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!sPart.empty() && sPart != ".") {
            parts.push_back(sPart);
        }
        uStart = uEnd + 1;
    }
    std::string sResult;
    for (const std::string& s : parts) sResult += (sResult.empty() ? "" : "/") + s;
    return sResult;
}

// The relationships part of a part: "xl/_rels/workbook.xml.rels" for "xl/workbook.xml".
std::string RelationshipsOf(std::string_view sPart)
{
    const std::string sFolder = FolderOf(sPart);
    return sFolder + "_rels/" + std::string(sPart.substr(sFolder.size())) + ".rels";
}

struct Relationship {
    std::string sType;  //!< the last segment of the type, e.g. "worksheet"
    std::string sTarget;
};

class RelationshipsHandler : public XmlHandler {
public:
    explicit RelationshipsHandler(std::string sFolder) : m_sFolder(std::move(sFolder)) {}
    std::map<std::string, Relationship> byId;

    void startElement(std::string_view sName, const char** ppsAttributes) override
    {
        if (sName != "Relationship") return;
        const char* psId = XmlAttribute(ppsAttributes, "Id");
        const char* psType = XmlAttribute(ppsAttributes, "Type");
        const char* psTarget = XmlAttribute(ppsAttributes, "Target");
        const char* psMode = XmlAttribute(ppsAttributes, "TargetMode");
        if (psId == nullptr || psType == nullptr || psTarget == nullptr) return;
        if (psMode != nullptr && std::string_view(psMode) == "External") return;
        std::string_view sType(psType);
        sType = sType.substr(sType.rfind('/') + 1);
        byId[psId] = Relationship{std::string(sType), ResolveTarget(m_sFolder, psTarget)};
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

private:
    std::string m_sFolder;
};

bool ReadRelationships(ZipArchive& archive, std::string_view sPart, RelationshipsHandler& handler, std::string& sError)
{
    const std::string sRels = RelationshipsOf(sPart);
    if (!archive.hasEntry(sRels)) return true;
    return archive.parseEntry(sRels, handler, sError);
}

struct SheetEntry {
    std::string sName;
    std::string sRelationship;
};

class WorkbookHandler : public XmlHandler {
public:
    std::vector<SheetEntry> sheets;
    bool b1904 = false;

    void startElement(std::string_view sName, const char** ppsAttributes) override
    {
        if (sName == "workbookPr") {
            b1904 = IsTrue(XmlAttribute(ppsAttributes, "date1904"));
        } else if (sName == "sheet") {
            const char* psName = XmlAttribute(ppsAttributes, "name");
            const char* psId = XmlAttribute(ppsAttributes, "id");
            sheets.push_back(SheetEntry{psName ? psName : "", psId ? psId : ""});
        }
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}
};

// The text of each shared string: the text of its runs joined, without the phonetic
// reading that some producers add.
class SharedStringsHandler : public XmlHandler {
public:
    std::vector<std::string> strings;

    void startElement(std::string_view sName, const char**) override
    {
        if (sName == "si") {
            strings.emplace_back();
            m_bInItem = true;
        } else if (sName == "rPh") {
            ++m_iPhonetic;
        } else if (sName == "t") {
            m_bInText = true;
        }
    }
    void endElement(std::string_view sName) override
    {
        if (sName == "si")
            m_bInItem = false;
        else if (sName == "rPh")
            --m_iPhonetic;
        else if (sName == "t")
            m_bInText = false;
    }
    void characters(std::string_view sText) override
    {
        if (m_bInItem && m_bInText && m_iPhonetic == 0) strings.back() += sText;
    }

private:
    bool m_bInItem = false;
    bool m_bInText = false;
    int m_iPhonetic = 0;
};

// Which number formats show a date or a time: the built-in ones by number, the workbook's
// own by the letters of their code.
std::optional<DateKind> BuiltInDateFormat(std::uint64_t uId)
{
    if (uId >= 14 && uId <= 17) return DateKind::Date;
    if ((uId >= 18 && uId <= 21) || (uId >= 45 && uId <= 47)) return DateKind::Time;
    if (uId == 22) return DateKind::DateTime;
    return std::nullopt;
}

std::optional<DateKind> DateFormatOfCode(std::string_view sCode)
{
    bool bDate = false, bTime = false, bElapsed = false;
    char cLast = 0;  //!< 'd' after a year or day, 'h' after an hour or second
    for (std::size_t u = 0; u < sCode.size(); ++u) {
        const char c = sCode[u];
        if (c == '"') {
            const std::size_t uEnd = sCode.find('"', u + 1);
            if (uEnd == std::string_view::npos) break;
            u = uEnd;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++u;  // the next character is shown as it is (or is padding)
        } else if (c == '[') {
            const std::size_t uEnd = sCode.find(']', u + 1);
            if (uEnd == std::string_view::npos) break;
            const std::string_view sInside = sCode.substr(u + 1, uEnd - u - 1);
            // Elapsed hours, minutes or seconds; colours and locales say nothing.
            if (!sInside.empty() && sInside.find_first_not_of("hHmMsS") == std::string_view::npos) bElapsed = true;
            u = uEnd;
        } else if (c == ';') {
            break;  // the first section decides
        } else if (c == 'y' || c == 'Y' || c == 'd' || c == 'D') {
            bDate = true;
            cLast = 'd';
        } else if (c == 'h' || c == 'H' || c == 's' || c == 'S') {
            bTime = true;
            cLast = 'h';
        } else if (c == 'm' || c == 'M') {
            // Minutes after an hour or before seconds ("h:mm", "mm:ss"), months otherwise.
            const std::size_t uNext = sCode.find_first_of("ydhsYDHS;", u);
            const bool bBeforeSeconds = uNext != std::string_view::npos && (sCode[uNext] == 's' || sCode[uNext] == 'S');
            if (cLast == 'h' || bBeforeSeconds || bElapsed)
                bTime = true;
            else
                bDate = true;
        } else if ((c == 'G' || c == 'g') && sCode.substr(u, 7) == "General") {
            u += 6;
        }
    }
    if (bElapsed && !bDate) return DateKind::Elapsed;
    if (bDate && bTime) return DateKind::DateTime;
    if (bDate) return DateKind::Date;
    if (bTime) return DateKind::Time;
    return std::nullopt;
}

class StylesHandler : public XmlHandler {
public:
    std::vector<std::optional<DateKind>> styleDates;  //!< by cell style index

    void startElement(std::string_view sName, const char** ppsAttributes) override
    {
        if (sName == "numFmt") {
            const auto uId = WholeNumber(XmlAttribute(ppsAttributes, "numFmtId"));
            const char* psCode = XmlAttribute(ppsAttributes, "formatCode");
            if (uId && psCode != nullptr) m_formats[*uId] = DateFormatOfCode(psCode);
        } else if (sName == "cellXfs") {
            m_bInCellFormats = true;
        } else if (sName == "xf" && m_bInCellFormats) {
            const auto uId = WholeNumber(XmlAttribute(ppsAttributes, "numFmtId")).value_or(0);
            const auto it = m_formats.find(uId);
            styleDates.push_back(it != m_formats.end() ? it->second : BuiltInDateFormat(uId));
        }
    }
    void endElement(std::string_view sName) override
    {
        if (sName == "cellXfs") m_bInCellFormats = false;
    }
    void characters(std::string_view) override {}

private:
    std::map<std::uint64_t, std::optional<DateKind>> m_formats;
    bool m_bInCellFormats = false;
};

class WorksheetHandler : public XmlHandler {
public:
    WorksheetHandler(SpreadsheetContents& contents, const std::vector<std::string>& strings,
                     const std::vector<std::optional<DateKind>>& styleDates, bool b1904)
        : m_contents(contents), m_strings(strings), m_styleDates(styleDates), m_b1904(b1904)
    {
    }

    void startElement(std::string_view sName, const char** ppsAttributes) override
    {
        if (sName == "row") {
            const auto uRow = WholeNumber(XmlAttribute(ppsAttributes, "r"));
            if (uRow && (*uRow == 0 || *uRow > 1048576)) {
                fail("the row number " + std::to_string(*uRow) + " is out of range");
                return;
            }
            m_uRow = uRow ? *uRow : m_uRow + 1;
            m_uColumn = 0;
        } else if (sName == "c") {
            const char* psReference = XmlAttribute(ppsAttributes, "r");
            if (psReference != nullptr) {
                std::uint64_t uColumn = 0, uRow = 0;
                if (!ParseCellReference(psReference, uColumn, uRow)) {
                    fail("the cell reference \"" + std::string(psReference).substr(0, 40) + "\" is out of range");
                    return;
                }
                m_uColumn = uColumn;
                m_uRow = uRow;
            } else {
                ++m_uColumn;
                if (m_uRow == 0) m_uRow = 1;
            }
            const char* psType = XmlAttribute(ppsAttributes, "t");
            m_sType = psType ? psType : "n";
            m_style = WholeNumber(XmlAttribute(ppsAttributes, "s"));
            m_sValue.clear();
            m_sInline.clear();
        } else if (sName == "v") {
            m_bInValue = true;
        } else if (sName == "is") {
            m_bInInline = true;
        } else if (sName == "rPh") {
            ++m_iPhonetic;
        } else if (sName == "t") {
            m_bInText = true;
        }
    }

    void endElement(std::string_view sName) override
    {
        if (sName == "v")
            m_bInValue = false;
        else if (sName == "is")
            m_bInInline = false;
        else if (sName == "rPh")
            --m_iPhonetic;
        else if (sName == "t")
            m_bInText = false;
        else if (sName == "c")
            endCell();
    }

    void characters(std::string_view sText) override
    {
        if (m_bInValue)
            m_sValue += sText;
        else if (m_bInInline && m_bInText && m_iPhonetic == 0)
            m_sInline += sText;
    }

private:
    void endCell()
    {
        std::string sText;
        if (m_sType == "inlineStr") {
            sText = m_sInline;
        } else if (m_sType == "s") {
            const auto uIndex = WholeNumber(m_sValue.c_str());
            if (!m_sValue.empty() && (!uIndex || *uIndex >= m_strings.size())) {
                fail("a cell refers to shared string " + m_sValue.substr(0, 20) + ", which does not exist");
                return;
            }
            if (uIndex) sText = m_strings[*uIndex];
        } else if (m_sType == "b") {
            if (!m_sValue.empty()) sText = m_sValue == "0" ? "FALSE" : "TRUE";
        } else if (m_sType == "n") {
            sText = numberText();
        } else {
            sText = m_sValue;  // "str" (a formula's text), "e" (an error) and "d" (ISO date)
        }
        m_contents.addCell(m_uColumn, m_uRow, sText);
    }

    std::string numberText() const
    {
        if (m_sValue.empty()) return {};
        double d = 0;
        const char* psEnd = m_sValue.data() + m_sValue.size();
        const auto result = std::from_chars(m_sValue.data(), psEnd, d);
        if (result.ec != std::errc() || result.ptr != psEnd) return m_sValue;
        if (m_style && *m_style < m_styleDates.size() && m_styleDates[*m_style]) {
            std::string sDate = SerialDateText(d, *m_styleDates[*m_style], m_b1904);
            if (!sDate.empty()) return sDate;
        }
        return ShortestNumberText(d);
    }

    SpreadsheetContents& m_contents;
    const std::vector<std::string>& m_strings;
    const std::vector<std::optional<DateKind>>& m_styleDates;
    bool m_b1904;
    std::uint64_t m_uRow = 0;
    std::uint64_t m_uColumn = 0;
    std::string m_sType;
    std::optional<std::uint64_t> m_style;
    std::string m_sValue, m_sInline;
    bool m_bInValue = false, m_bInInline = false, m_bInText = false;
    int m_iPhonetic = 0;
};

}  // namespace

bool ParseCellReference(std::string_view sReference, std::uint64_t& uColumn, std::uint64_t& uRow)
{
    std::size_t u = 0;
    uColumn = 0;
    while (u < sReference.size() && u < 4) {
        char c = sReference[u];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') break;
        uColumn = uColumn * 26 + static_cast<std::uint64_t>(c - 'A' + 1);
        ++u;
    }
    if (u == 0 || uColumn > 16384) return false;
    const std::string_view sRow = sReference.substr(u);
    if (sRow.empty() || sRow.size() > 7) return false;
    uRow = 0;
    for (const char c : sRow) {
        if (c < '0' || c > '9') return false;
        uRow = uRow * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return uRow >= 1 && uRow <= 1048576;
}

bool ReadXlsx(ZipArchive& archive, SpreadsheetContents& contents, std::string& sError)
{
    // The package's relationships name the workbook part; "xl/workbook.xml" is where
    // every producer puts it when they are missing.
    RelationshipsHandler package("");
    if (!ReadRelationships(archive, "", package, sError)) return false;
    std::string sWorkbookPart = "xl/workbook.xml";
    for (const auto& [sId, relationship] : package.byId)
        if (relationship.sType == "officeDocument") sWorkbookPart = relationship.sTarget;
    if (!archive.hasEntry(sWorkbookPart)) {
        sError = "it holds no workbook part";
        return false;
    }
    WorkbookHandler workbook;
    if (!archive.parseEntry(sWorkbookPart, workbook, sError)) return false;
    RelationshipsHandler parts(FolderOf(sWorkbookPart));
    if (!ReadRelationships(archive, sWorkbookPart, parts, sError)) return false;

    SharedStringsHandler strings;
    StylesHandler styles;
    for (const auto& [sId, relationship] : parts.byId) {
        if (relationship.sType == "sharedStrings" && archive.hasEntry(relationship.sTarget)) {
            if (!archive.parseEntry(relationship.sTarget, strings, sError)) return false;
        } else if (relationship.sType == "styles" && archive.hasEntry(relationship.sTarget)) {
            if (!archive.parseEntry(relationship.sTarget, styles, sError)) return false;
        }
    }
    std::set<std::string> read;
    for (const SheetEntry& entry : workbook.sheets) {
        const auto it = parts.byId.find(entry.sRelationship);
        // Chart sheets and dialog sheets hold no cells.
        if (it == parts.byId.end() || it->second.sType != "worksheet") continue;
        contents.addSheet(entry.sName);
        // A sheet that is named but has no part is an empty sheet.
        if (!archive.hasEntry(it->second.sTarget) || !read.insert(it->second.sTarget).second) continue;
        WorksheetHandler sheet(contents, strings.strings, styles.styleDates, workbook.b1904);
        if (!archive.parseEntry(it->second.sTarget, sheet, sError)) return false;
    }
    if (contents.sheets.empty()) {
        sError = "it holds no worksheet";
        return false;
    }
    return true;
}

}  // namespace HalvrennInc
