// Ostrel-Vane Studio - the readers of spreadsheet files: Office Open XML workbooks (.xlsx),
// OpenDocument spreadsheets (.ods) and the older binary workbooks (.xls). Each reads every
// sheet, in order, into SpreadsheetContents; cell values become the text a user sees:
// numbers in their shortest exact form, dates and times as ISO text, booleans as TRUE or
// FALSE, formulas as their stored result.
#pragma once

#include <string>

#include "workbook/SpreadsheetContents.h"
#include "workbook/ZipXml.h"

namespace HalvrennInc {

//! Reads a workbook from an opened archive. False with the reason in sError (a phrase
//! that completes "The file could not be read: ...") when it is damaged.
bool ReadXlsx(ZipArchive& archive, SpreadsheetContents& contents, std::string& sError);
bool ReadOds(ZipArchive& archive, SpreadsheetContents& contents, std::string& sError);

//! Reads a binary workbook. The file is read in a separate process, so that a damaged
//! file that upsets the decoder costs only that process.
bool ReadXls(const std::string& sFileName, SpreadsheetContents& contents, std::string& sError);
//! The same in this process (used by that separate process and by the fuzzer).
bool ReadXlsHere(const std::string& sFileName, SpreadsheetContents& contents, std::string& sError);

//! What the reading process sends back: the sheets and cells read, or the reason it
//! could not read them; and the reading of that message, which trusts nothing in it.
std::string XlsChildMessage(const SpreadsheetContents& contents, bool bRead, const std::string& sError);
bool ReadXlsChildMessage(std::string_view sMessage, SpreadsheetContents& contents, std::string& sError);

//! One column letter group and row number ("B7", "XFD1048576") as column and row from 1.
//! False for anything else, or a column beyond XFD or a row beyond 1048576.
bool ParseCellReference(std::string_view sReference, std::uint64_t& uColumn, std::uint64_t& uRow);

}  // namespace HalvrennInc
