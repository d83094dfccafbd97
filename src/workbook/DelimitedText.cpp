// Ostrel-Vane Studio - paste, copy, cut, clear, import and export of cells.
#include "workbook/DelimitedText.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "foundation/Real.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/TextDecoder.h"
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

bool ImportSheet(Workbook& workbook, const std::string& sFileName, UserMessages& messages, ImportNotes* pNotes)
{
    return ImportSheet(workbook, sFileName, DelimitedFormatForFile(sFileName), messages, pNotes);
}

namespace {

// A file whose start holds a carriage return but no line feed ends its lines in CR alone.
LineEnds LineEndsOf(std::string_view sStart)
{
    if (sStart.find('\n') != std::string_view::npos || sStart.find('\r') == std::string_view::npos)
        return LineEnds::LineFeed;
    return LineEnds::CarriageReturnToo;
}

// Semicolon-separated files from places that write decimal commas: when no number in the
// sheet is written with a point and some field reads as a number once its one comma is a
// point, every such field is changed so. Returns whether any was.
bool ReadDecimalCommas(Sheet& sheet)
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> commaCells;
    for (std::uint32_t uRow = 1; uRow <= sheet.lastUsedRow(); ++uRow) {
        for (std::uint32_t uColumn = 1; uColumn <= sheet.lastUsedColumn(); ++uColumn) {
            const std::string_view sText = sheet.cellText(uColumn, uRow);
            const std::size_t uComma = sText.find(',');
            if (uComma == std::string_view::npos) {
                if (sText.find('.') != std::string_view::npos && Real(sText).isValid()) return false;
                continue;
            }
            if (sText.find(',', uComma + 1) != std::string_view::npos || sText.find('.') != std::string_view::npos)
                continue;
            std::string sPoint(sText);
            sPoint[uComma] = '.';
            if (Real(sPoint).isValid()) commaCells.emplace_back(uColumn, uRow);
        }
    }
    for (const auto& [uColumn, uRow] : commaCells) {
        std::string sPoint(sheet.cellText(uColumn, uRow));
        sPoint[sPoint.find(',')] = '.';
        sheet.setCellText(uColumn, uRow, sPoint);
    }
    return !commaCells.empty();
}

// Reads the whole file into a sheet of its own, so that a file refused part way leaves
// the workbook as it was. Returns the message of a refusal, or nothing.
std::optional<std::string> ReadFile(std::ifstream& in, DelimitedFormat format, Sheet& sheet, ImportNotes& notes)
{
    TextDecoder decoder;
    std::optional<DelimitedTextReader> reader;
    const auto take = [&](std::string_view sText) {
        if (sText.empty()) return;
        if (!reader) reader.emplace(sheet, 1, 1, format, LineEndsOf(sText));
        reader->feed(sText);
    };
    std::vector<char> buffer(1 << 16);
    for (;;) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto uRead = static_cast<std::size_t>(in.gcount());
        if (uRead == 0) break;
        take(decoder.decode({buffer.data(), uRead}));
        // Binary data is known by its first zero byte: no need to read the rest.
        if (decoder.sawZero()) break;
    }
    take(decoder.finish());
    if (decoder.sawZero()) return std::string("The file is not text.");
    if (!reader) return std::string("The file is empty.");
    reader->finish();
    if (const std::uint64_t uLine = reader->unterminatedQuoteLine())
        return "Unterminated quote in line " + std::to_string(uLine) + ".";
    if (sheet.lastUsedColumn() == 0) return std::string("The file is empty.");
    notes.notRead = reader->cellsNotRead();
    if (format == DelimitedFormat::CommaSeparated && reader->separator() == ';')
        notes.bDecimalComma = ReadDecimalCommas(sheet);
    return std::nullopt;
}

}  // namespace

bool ImportSheet(Workbook& workbook, const std::string& sFileName, DelimitedFormat format, UserMessages& messages,
                 ImportNotes* pNotes)
{
    std::ifstream in(sFileName, std::ios::binary);
    // A folder opens like a file on some systems but has nothing to read.
    std::error_code error;
    if (!in.is_open() || std::filesystem::is_directory(sFileName, error)) {
        messages.show("Error", "Could not find file.", MessageIcon::Exclamation);
        return false;
    }
    WaitCursorGuard cursor;
    Sheet read("", workbook.gridGeometry());
    ImportNotes notes;
    if (const auto sRefusal = ReadFile(in, format, read, notes)) {
        cursor.release();
        messages.show("Error", *sRefusal, MessageIcon::Exclamation);
        return false;
    }

    if (workbook.activeSheet().lastUsedColumn() != 0) workbook.AddSheet();
    Sheet& sheet = workbook.activeSheet();
    sheet.setUsedExtent(0, 0);
    for (std::uint32_t uRow = 1; uRow <= read.lastUsedRow(); ++uRow) {
        for (std::uint32_t uColumn = 1; uColumn <= read.lastUsedColumn(); ++uColumn)
            sheet.storeField(uColumn, uRow, read.cellText(uColumn, uRow));
    }
    workbook.SetCurrentCell(1, 1);
    workbook.announceCells(sheet);
    cursor.release();
    if (notes.notRead.any()) messages.show("Warning", CellsNotReadMessage(notes.notRead), MessageIcon::Exclamation);
    if (pNotes) *pNotes = notes;
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
        const std::filesystem::path folder = std::filesystem::path(sFileName).parent_path();
        std::error_code error;
        const bool bNoFolder = !folder.empty() && !std::filesystem::is_directory(folder, error);
        messages.show("Error",
                      bNoFolder ? "File could not be opened for export.  The folder does not exist."
                                : "File could not be opened for export.  May be write protected.",
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
