// Ostrel-Vane Studio - paste, copy, cut, clear, import and export of cells.
#include "workbook/DelimitedText.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

void PasteText(Workbook& workbook, std::string_view sText)
{
    WaitCursorGuard cursor;
    Sheet& sheet = workbook.activeSheet();
    const std::uint32_t uStartColumn = sheet.currentColumn();
    const std::uint32_t uStartRow = sheet.currentRow();
    DelimitedTextReader reader(sheet, uStartColumn, uStartRow, DelimitedFormat::TabDelimited);
    reader.feed(sText);
    reader.finish();
    workbook.SetCurrentCell(uStartColumn, uStartRow);
    workbook.announceCells(sheet);
}

String RangeText(const Sheet& sheet, const CellRange& range)
{
    std::string sText;
    for (std::uint32_t uRow = range.uTop; uRow <= range.uBottom; ++uRow) {
        if (uRow > range.uTop) sText.push_back('\n');
        for (std::uint32_t uColumn = range.uLeft; uColumn <= range.uRight; ++uColumn) {
            if (uColumn > range.uLeft) sText.push_back('\t');
            sText.append(sheet.cellText(uColumn, uRow));
        }
    }
    return String(sText);
}

std::optional<String> CopySelection(Workbook& workbook, UserMessages& messages)
{
    WaitCursorGuard cursor;
    const Sheet& sheet = workbook.activeSheet();
    const CellRange clipped = sheet.clipToUsed(sheet.selection());
    if (clipped.empty()) {
        cursor.release();
        messages.show("Warning", "No data in selected region to copy.", MessageIcon::Exclamation);
        return std::nullopt;
    }
    return RangeText(sheet, clipped);
}

bool ClearSelection(Workbook& workbook, bool bAskFirst, UserMessages& messages)
{
    if (bAskFirst && messages.ask("Warning", "Are you sure you want to clear selected cells?", MessageButtons::OkCancel,
                                  MessageIcon::None) != MessageAnswer::Ok) {
        return false;
    }
    WaitCursorGuard cursor;
    Sheet& sheet = workbook.activeSheet();
    const CellRange selection = sheet.selection();
    if (!sheet.clearRange(selection)) {
        cursor.release();
        messages.show("Warning", "No data in selected region to delete.", MessageIcon::Exclamation);
        return false;
    }
    workbook.SetCurrentCell(selection.uLeft, selection.uTop);
    workbook.announceCells(sheet);
    return true;
}

std::optional<String> CutSelection(Workbook& workbook, UserMessages& messages)
{
    std::optional<String> sText = CopySelection(workbook, messages);
    ClearSelection(workbook, false, messages);
    return sText;
}

DelimitedFormat DelimitedFormatForFile(std::string_view sFileName)
{
    if (sFileName.size() >= 4) {
        std::string sEnd(sFileName.substr(sFileName.size() - 4));
        for (char& c : sEnd) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        if (sEnd == ".csv") return DelimitedFormat::CommaSeparated;
    }
    return DelimitedFormat::TabDelimited;
}

bool ImportSheet(Workbook& workbook, const std::string& sFileName, UserMessages& messages)
{
    return ImportSheet(workbook, sFileName, DelimitedFormatForFile(sFileName), messages);
}

bool ImportSheet(Workbook& workbook, const std::string& sFileName, DelimitedFormat format, UserMessages& messages)
{
    std::ifstream in(sFileName, std::ios::binary);
    // A folder opens like a file on some systems but has nothing to read.
    std::error_code error;
    if (!in.is_open() || std::filesystem::is_directory(sFileName, error)) {
        messages.show("Error", "Could not find file.", MessageIcon::Exclamation);
        return false;
    }
    WaitCursorGuard cursor;
    if (workbook.activeSheet().lastUsedColumn() != 0) workbook.AddSheet();
    Sheet& sheet = workbook.activeSheet();
    sheet.setUsedExtent(0, 0);
    DelimitedTextReader reader(sheet, 1, 1, format);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto uRead = static_cast<std::size_t>(in.gcount());
        if (uRead == 0) break;
        // Past the last row nothing more can be stored: the rest of the file is not read.
        if (!reader.feed({buffer.data(), uRead})) break;
    }
    reader.finish();
    workbook.SetCurrentCell(1, 1);
    workbook.announceCells(sheet);
    return true;
}

std::string ExportFileName(std::string_view sChosenName)
{
    std::string sName(sChosenName);
    if (!sName.empty() && sName.back() == '.') return sName + "txt";
    const std::size_t uTail = sName.size() < 4 ? 0 : sName.size() - 4;
    if (sName.find('.', uTail) == std::string::npos) sName += ".txt";
    return sName;
}

bool ExportSheet(const Workbook& workbook, const std::string& sChosenName, UserMessages& messages)
{
    WaitCursorGuard cursor;
    const std::string sFileName = ExportFileName(sChosenName);
    std::ofstream out(sFileName, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) {
        cursor.release();
        messages.show("Error", "File could not be opened for export.  May be write protected.",
                      MessageIcon::Exclamation);
        return false;
    }
    const Sheet& sheet = workbook.activeSheet();
    const String sText = RangeText(sheet, {1, 1, sheet.lastUsedColumn(), sheet.lastUsedRow()});
    sText.writeRaw(out);
    out.flush();
    bool bWritten = out.good();
    out.close();
    bWritten = bWritten && !out.fail();
    cursor.release();
    if (!bWritten) {
        messages.show("Error", "File could not be written.  Disk may be full.", MessageIcon::Exclamation);
        return false;
    }
    return true;
}

}  // namespace HalvrennInc
