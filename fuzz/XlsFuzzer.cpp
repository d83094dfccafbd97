// Fuzz target: the .xls reader's side that runs in the program. The decoding library runs
// in a child process (it reads past its own buffers on damaged files, and even at open
// under the address sanitizer), so what the program must survive is any message coming
// back through the pipe: the reader of that message trusts nothing in it. The seeds are
// the messages for tests/data/spreadsheets/xlwt.xls and thickness.xls (XlsChildMessage of
// ReadXlsHere) and for a file the child could not read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "workbook/CellRange.h"
#include "workbook/SpreadsheetReaders.h"

using namespace HalvrennInc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SpreadsheetContents contents;
    std::string sError;
    const std::string_view sMessage(reinterpret_cast<const char*>(data), size);
    if (!ReadXlsChildMessage(sMessage, contents, sError)) {
        if (sError.empty()) std::abort();
        return 0;
    }
    for (const ReadSheet& sheet : contents.sheets)
        for (const ReadCell& cell : sheet.cells)
            if (cell.uColumn < 1 || cell.uColumn > kSheetColumns || cell.uRow < 1 || cell.uRow > kSheetRows)
                std::abort();
    return 0;
}
