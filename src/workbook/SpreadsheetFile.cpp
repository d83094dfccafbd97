// Ostrel-Vane Studio - telling data files apart and reading spreadsheet files.
#include "workbook/SpreadsheetFile.h"

#include <cctype>

#include "workbook/SpreadsheetReaders.h"

namespace HalvrennInc {

namespace {

// More sheets than anyone keeps in one file; each becomes a sheet of the workbook.
constexpr std::size_t kMostSheets = 1000;

bool EndsWith(std::string_view sName, std::string_view sEnd)
{
    if (sName.size() < sEnd.size()) return false;
    const std::string_view sTail = sName.substr(sName.size() - sEnd.size());
    for (std::size_t u = 0; u < sEnd.size(); ++u)
        if (std::tolower(static_cast<unsigned char>(sTail[u])) != sEnd[u]) return false;
    return true;
}

bool ReadArchive(ZipArchive& archive, DataFileKind kind, SpreadsheetContents& contents, std::string& sError)
{
    // The archive's content says what it is; a name that promised another kind is wrong.
    const bool bOds = archive.hasEntry("content.xml") && !archive.hasEntry("[Content_Types].xml");
    const DataFileKind found = bOds ? DataFileKind::Ods : DataFileKind::Xlsx;
    if (found != kind) {
        sError = "it is an " + DataFileKindName(found) + ", not an " + DataFileKindName(kind) +
                 " (rename it to end in " + (bOds ? ".ods" : ".xlsx") + ")";
        return false;
    }
    return kind == DataFileKind::Ods ? ReadOds(archive, contents, sError) : ReadXlsx(archive, contents, sError);
}

// What no reader stops at by itself: the bounds on the whole of a file.
bool WithinBounds(const SpreadsheetContents& contents, std::string& sError)
{
    if (contents.tooMuchText()) {
        sError = "it holds more than " + std::to_string(SpreadsheetContents::kTextBytes >> 20) + " MB of cell text";
        return false;
    }
    if (contents.sheets.size() > kMostSheets) {
        sError = "it holds more than " + std::to_string(kMostSheets) + " sheets";
        return false;
    }
    return true;
}

std::string Message(const std::string& sError)
{
    return "The file could not be read: " + sError + ".";
}

}  // namespace

DataFileKind DataFileKindForName(std::string_view sFileName)
{
    if (EndsWith(sFileName, ".csv")) return DataFileKind::CommaSeparated;
    if (EndsWith(sFileName, ".xlsx")) return DataFileKind::Xlsx;
    if (EndsWith(sFileName, ".ods")) return DataFileKind::Ods;
    if (EndsWith(sFileName, ".xls")) return DataFileKind::Xls;
    return DataFileKind::TabDelimited;
}

bool IsDataFileName(std::string_view sFileName)
{
    for (const std::string_view sEnd : {".txt", ".csv", ".xlsx", ".ods", ".xls"})
        if (EndsWith(sFileName, sEnd)) return true;
    return false;
}

bool IsSpreadsheetFileName(std::string_view sFileName)
{
    const DataFileKind kind = DataFileKindForName(sFileName);
    return kind == DataFileKind::Xlsx || kind == DataFileKind::Ods || kind == DataFileKind::Xls;
}

DataFileKind DataFileKindOfContent(std::string_view sBytes)
{
    if (sBytes.substr(0, 4) == std::string_view("PK\x03\x04", 4)) {
        // An OpenDocument package starts with its uncompressed type marker.
        return sBytes.find("application/vnd.oasis.opendocument.spreadsheet") != std::string_view::npos
                   ? DataFileKind::Ods
                   : DataFileKind::Xlsx;
    }
    if (sBytes.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return DataFileKind::Xls;
    return DataFileKind::TabDelimited;
}

std::string DataFileKindName(DataFileKind kind)
{
    switch (kind) {
        case DataFileKind::Xlsx: return ".xlsx workbook";
        case DataFileKind::Ods: return ".ods spreadsheet";
        case DataFileKind::Xls: return ".xls workbook";
        case DataFileKind::CommaSeparated:
        case DataFileKind::TabDelimited: break;
    }
    return "text file";
}

bool ReadSpreadsheet(const std::string& sFileName, DataFileKind kind, SpreadsheetContents& contents,
                     std::string& sMessage, const ZipLimits& limits)
{
    std::string sError;
    bool bRead = false;
    if (kind == DataFileKind::Xls) {
        bRead = ReadXls(sFileName, contents, sError);
    } else {
        ZipArchive archive;
        archive.setLimits(limits);
        bRead = archive.openFile(sFileName, sError) && ReadArchive(archive, kind, contents, sError);
    }
    bRead = bRead && WithinBounds(contents, sError);
    if (!bRead) sMessage = Message(sError);
    return bRead;
}

bool ReadSpreadsheetBytes(std::string sBytes, DataFileKind kind, SpreadsheetContents& contents, std::string& sMessage,
                          const ZipLimits& limits)
{
    std::string sError;
    ZipArchive archive;
    archive.setLimits(limits);
    const bool bRead = archive.openBytes(std::move(sBytes), sError) && ReadArchive(archive, kind, contents, sError) &&
                       WithinBounds(contents, sError);
    if (!bRead) sMessage = Message(sError);
    return bRead;
}

}  // namespace HalvrennInc
