// Ostrel-Vane Studio - cells in and out of the active sheet as delimited text: paste,
// copy, cut and clear of the selection, import of a file into a sheet and export of a
// sheet's used range. The clipboard and the file dialogs belong to the desktop; these
// operations take and give texts and file names. Each shows the hourglass while it runs
// and restores it before any message.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "foundation/String.h"
#include "workbook/CellRange.h"
#include "workbook/CellsNotRead.h"
#include "workbook/DelimitedTextReader.h"

namespace HalvrennInc {

class Sheet;
class UserMessages;
class Workbook;

//! Reads tab-delimited text into the active sheet from its current cell (paste, and the
//! hand-over from the command line); the cell editor returns to that cell and the
//! session is modified. The selection does not limit the paste.
void PasteText(Workbook& workbook, std::string_view sText);

//! The cells of a rectangle as tab-delimited text: cells joined by tabs, rows by line
//! feeds, no line feed after the last row.
String RangeText(const Sheet& sheet, const CellRange& range);

//! The text to put on the clipboard: the selection clipped to the used extent. When the
//! clipped selection holds no cell the copy warning is shown and nothing is returned.
std::optional<String> CopySelection(Workbook& workbook, UserMessages& messages);

//! Empties the selection's cells within the used extent and shrinks the extent. Asks
//! first when bAskFirst; warns when the clipped selection holds no cell. The cell editor
//! goes to the selection's top-left cell. Returns whether cells were cleared.
bool ClearSelection(Workbook& workbook, bool bAskFirst, UserMessages& messages);

//! Copy, then clear without asking; each step warns on its own when nothing is there.
std::optional<String> CutSelection(Workbook& workbook, UserMessages& messages);

//! Comma-separated for names ending in ".csv" (any case), tab-delimited otherwise.
DelimitedFormat DelimitedFormatForFile(std::string_view sFileName);

//! What an import has to tell besides its cells.
struct ImportNotes {
    CellsNotRead notRead;        //!< rows and columns past the grid (the import has warned of them)
    bool bDecimalComma = false;  //!< numbers written with decimal commas were read as numbers
};

//! The note for the status bar or standard error after decimal commas were read.
inline constexpr std::string_view kDecimalCommaNote = "Decimal commas were read as decimal points.";

//! Reads a file into the active sheet, or into a new sheet when the active one already
//! has a used column. The sheet's used extent becomes that of the cells stored, the cell
//! editor goes to A1. The bytes are text in UTF-8 (a byte-order mark is left out) or, with
//! its mark, UTF-16; lines end in LF, CR LF or CR alone. A semicolon-separated file whose
//! numbers are written with decimal commas, and none with a point, has its commas made
//! points. Rows and columns past the grid are dropped with one warning after the import.
//! Returns false after its message, importing nothing, when the file cannot be opened
//! ("Could not find file."), holds a zero byte ("The file is not text."), has no field
//! ("The file is empty.") or ends inside quotes ("Unterminated quote in line N.").
bool ImportSheet(Workbook& workbook, const std::string& sFileName, UserMessages& messages,
                 ImportNotes* pNotes = nullptr);
bool ImportSheet(Workbook& workbook, const std::string& sFileName, DelimitedFormat format, UserMessages& messages,
                 ImportNotes* pNotes = nullptr);

//! The name export writes to: "txt" appended to a name ending in ".", ".txt" appended
//! when none of the last four characters is ".".
std::string ExportFileName(std::string_view sChosenName);

//! Writes the active sheet's used range as tab-delimited text, lines ending in a line
//! feed, none after the last. Returns false, after its error message, when the file cannot
//! be created or written. The session is not changed.
bool ExportSheet(const Workbook& workbook, const std::string& sChosenName, UserMessages& messages);

}  // namespace HalvrennInc
