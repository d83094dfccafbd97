// Ostrel-Vane Studio - the kinds of data file the import reads, told apart by their
// content as well as their name, and the reading of a spreadsheet file of any kind.
#pragma once

#include <string>
#include <string_view>

#include "workbook/SpreadsheetContents.h"
#include "workbook/ZipXml.h"

namespace HalvrennInc {

enum class DataFileKind { TabDelimited, CommaSeparated, Xlsx, Ods, Xls };

//! The kind a file name promises: by its extension (any case); tab-delimited text for
//! any name not ending in .csv, .xlsx, .ods or .xls.
DataFileKind DataFileKindForName(std::string_view sFileName);
//! Whether a name ends in one of the extensions the import knows (.txt, .csv, .xlsx,
//! .ods, .xls, any case).
bool IsDataFileName(std::string_view sFileName);
//! Whether a name ends in .xlsx, .ods or .xls (any case).
bool IsSpreadsheetFileName(std::string_view sFileName);
//! The kind the first bytes of a file show: a zip archive holding a workbook part or an
//! OpenDocument spreadsheet, the compound file of a binary workbook, or text.
DataFileKind DataFileKindOfContent(std::string_view sBytes);
//! The name of a kind as a user knows it (".xlsx workbook", "text file", ...).
std::string DataFileKindName(DataFileKind kind);

//! Reads a spreadsheet file of a kind already known. False with the message to show
//! ("The file could not be read: ...") when it cannot be read.
bool ReadSpreadsheet(const std::string& sFileName, DataFileKind kind, SpreadsheetContents& contents,
                     std::string& sMessage, const ZipLimits& limits = ZipLimits());
//! The same from bytes in memory (.xlsx and .ods only).
bool ReadSpreadsheetBytes(std::string sBytes, DataFileKind kind, SpreadsheetContents& contents, std::string& sMessage,
                          const ZipLimits& limits = ZipLimits());

}  // namespace HalvrennInc
