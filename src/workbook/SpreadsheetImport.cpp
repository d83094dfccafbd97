// Ostrel-Vane Studio - the import of data files into the workbook.
#include "workbook/SpreadsheetImport.h"

#include <filesystem>
#include <fstream>

#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/DelimitedText.h"
#include "workbook/SpreadsheetFile.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

namespace {

bool IsBlank(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

bool NameTaken(const Workbook& workbook, std::string_view sName, std::uint32_t uExcept)
{
    for (std::uint32_t u = 1; u <= workbook.sheetCount(); ++u)
        if (u != uExcept && workbook.sheet(u).name() == sName) return true;
    return false;
}

void ShowError(UserMessages& messages, const std::string& sText)
{
    messages.show("Error", sText, MessageIcon::Exclamation);
}

}  // namespace

String UniqueSheetName(const Workbook& workbook, std::string_view sName, std::uint32_t uExcept)
{
    if (IsBlank(sName)) return workbook.NewSheetName();
    if (!NameTaken(workbook, sName, uExcept)) return String(sName);
    for (std::uint32_t uNumber = 2;; ++uNumber) {
        const std::string sCandidate = std::string(sName) + " " + std::to_string(uNumber);
        if (!NameTaken(workbook, sCandidate, uExcept)) return String(sCandidate);
    }
}

CellsNotRead StoreSpreadsheet(Workbook& workbook, const SpreadsheetContents& contents, UserMessages& messages)
{
    std::uint32_t uFirst = 0;      // the first sheet stored
    std::uint32_t uFirstData = 0;  // the first that holds cells
    for (const ReadSheet& read : contents.sheets) {
        if (uFirst != 0 || workbook.activeSheet().lastUsedColumn() != 0) workbook.AddSheet();
        const std::uint32_t uPosition = workbook.activeSheetNumber();
        if (uFirst == 0) uFirst = uPosition;
        if (uFirstData == 0 && !read.cells.empty()) uFirstData = uPosition;
        workbook.RenameSheet(UniqueSheetName(workbook, read.sName, uPosition).view(), messages);
        Sheet& sheet = workbook.activeSheet();
        sheet.setUsedExtent(0, 0);
        for (const ReadCell& cell : read.cells) sheet.storeField(cell.uColumn, cell.uRow, cell.sText);
        workbook.SetCurrentCell(1, 1);
        workbook.announceCells(sheet);
    }
    // The data is what the user came for; an empty sheet in front (a title page, notes)
    // would also be filled by the next import.
    workbook.setActiveSheet(uFirstData != 0 ? uFirstData : uFirst);
    return contents.notRead();
}

bool ImportDataFile(Workbook& workbook, const std::string& sFileName, UserMessages& messages, ImportNotes* pNotes)
{
    std::error_code error;
    std::ifstream in(sFileName, std::ios::binary);
    if (!in.is_open() || std::filesystem::is_directory(sFileName, error)) {
        ShowError(messages, "Could not find file.");
        return false;
    }
    std::string sStart(8, '\0');
    in.read(sStart.data(), static_cast<std::streamsize>(sStart.size()));
    sStart.resize(static_cast<std::size_t>(in.gcount()));
    in.close();

    const DataFileKind named = DataFileKindForName(sFileName);
    const DataFileKind found = DataFileKindOfContent(sStart);
    const bool bNamedText = named == DataFileKind::TabDelimited || named == DataFileKind::CommaSeparated;
    const bool bFoundText = found == DataFileKind::TabDelimited;
    DataFileKind kind = named;
    if (bNamedText && !bFoundText) {
        // A workbook under a text file's name would fill the sheet with its bytes; under a
        // name the import does not know, its content decides.
        if (IsDataFileName(sFileName)) {
            ShowError(messages, "The file could not be read: it is an " + DataFileKindName(found) +
                                    ", not a text file (rename it to end in " +
                                    (found == DataFileKind::Xls   ? ".xls"
                                     : found == DataFileKind::Ods ? ".ods"
                                                                  : ".xlsx") +
                                    ").");
            return false;
        }
        kind = found;
    } else if (!bNamedText && (bFoundText || (found == DataFileKind::Xls) != (named == DataFileKind::Xls))) {
        ShowError(messages, "The file could not be read: it is not an " + DataFileKindName(named) +
                                (bFoundText ? "" : " but an " + DataFileKindName(found)) + ".");
        return false;
    }
    if (kind == DataFileKind::TabDelimited || kind == DataFileKind::CommaSeparated)
        return ImportSheet(
            workbook, sFileName,
            kind == DataFileKind::CommaSeparated ? DelimitedFormat::CommaSeparated : DelimitedFormat::TabDelimited,
            messages, pNotes);

    WaitCursorGuard cursor;
    SpreadsheetContents contents;
    std::string sMessage;
    if (!ReadSpreadsheet(sFileName, kind, contents, sMessage)) {
        cursor.release();
        ShowError(messages, sMessage);
        return false;
    }
    const CellsNotRead notRead = StoreSpreadsheet(workbook, contents, messages);
    cursor.release();
    if (notRead.any()) messages.show("Warning", CellsNotReadMessage(notRead), MessageIcon::Exclamation);
    return true;
}

}  // namespace HalvrennInc
