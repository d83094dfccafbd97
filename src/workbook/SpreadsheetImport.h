// Ostrel-Vane Studio - the import of a data file of any kind the program reads: delimited
// text (.txt, .csv) into one sheet, a spreadsheet file (.xlsx, .ods, .xls) into one sheet
// of the workbook for each of its sheets. The desktop's import command, the files dropped
// on the main window or named on its command line, and the command-line tool all import
// through ImportDataFile.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/String.h"
#include "workbook/SpreadsheetContents.h"

namespace HalvrennInc {

struct ImportNotes;
class UserMessages;
class Workbook;

//! Reads a data file into the workbook. Delimited text goes the way of ImportSheet. A
//! spreadsheet file's first sheet fills the active sheet when that has no used column (a
//! new sheet is added otherwise), each further sheet a new one; every sheet keeps its name,
//! made unique (UniqueSheetName), with the cell editor on A1; the first of them that holds
//! cells (or the first) becomes the active sheet. Values that lay past the grid are reported with one line
//! (CellsNotReadMessage). A file that cannot be read — missing, damaged, hostile, or of
//! another kind than its name says — gives one error message and changes nothing. Returns
//! whether the file was read. pNotes, when given, receives what the delimited reader noted.
bool ImportDataFile(Workbook& workbook, const std::string& sFileName, UserMessages& messages,
                    ImportNotes* pNotes = nullptr);

//! Stores sheets read from a spreadsheet file as ImportDataFile does; returns what lay
//! past the grid, for the caller to report once the cursor is back.
CellsNotRead StoreSpreadsheet(Workbook& workbook, const SpreadsheetContents& contents, UserMessages& messages);

//! The name itself when no sheet (other than the one at uExcept, counted from 1; 0 for
//! none) bears it exactly; otherwise the name followed by " 2", " 3", ... whichever comes
//! first that no sheet bears. A blank name becomes a new sheet's name ("Sheet N").
String UniqueSheetName(const Workbook& workbook, std::string_view sName, std::uint32_t uExcept);

}  // namespace HalvrennInc
