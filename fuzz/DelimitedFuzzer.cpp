// Fuzz target: the delimited-text reader of import and paste on arbitrary bytes, through
// the decoder of byte-order marks and UTF-16, in both formats. The cells, the counts of
// what lay past the grid and an open quote must not depend on how the bytes are cut into
// pieces, and nothing may be stored outside the grid.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "workbook/DelimitedTextReader.h"
#include "workbook/Sheet.h"
#include "workbook/TextDecoder.h"

using namespace HalvrennInc;

namespace {

std::string Decoded(std::string_view sBytes, std::size_t uPiece)
{
    TextDecoder decoder;
    std::string sText;
    for (std::size_t u = 0; u < sBytes.size(); u += uPiece) sText += decoder.decode(sBytes.substr(u, uPiece));
    sText += decoder.finish();
    return sText;
}

struct Read {
    Read(std::string_view sText, std::size_t uPiece, DelimitedFormat format, LineEnds lineEnds)
        : sheet("Sheet 1", GridGeometry())
    {
        DelimitedTextReader reader(sheet, 1, 1, format, lineEnds);
        for (std::size_t u = 0; u < sText.size(); u += uPiece) reader.feed(sText.substr(u, uPiece));
        reader.finish();
        notRead = reader.cellsNotRead();
        uOpenQuote = reader.unterminatedQuoteLine();
    }
    Sheet sheet;
    CellsNotRead notRead;
    std::uint64_t uOpenQuote = 0;
};

void ExpectSame(const Read& a, const Read& b)
{
    if (a.sheet.lastUsedColumn() != b.sheet.lastUsedColumn() || a.sheet.lastUsedRow() != b.sheet.lastUsedRow() ||
        a.notRead.uRows != b.notRead.uRows || a.notRead.uColumns != b.notRead.uColumns || a.uOpenQuote != b.uOpenQuote)
        std::abort();
    if (a.sheet.lastUsedColumn() > kSheetColumns || a.sheet.lastUsedRow() > kSheetRows) std::abort();
    for (std::uint32_t uRow = 1; uRow <= a.sheet.lastUsedRow(); ++uRow) {
        for (std::uint32_t uColumn = 1; uColumn <= a.sheet.lastUsedColumn(); ++uColumn)
            if (a.sheet.cellText(uColumn, uRow) != b.sheet.cellText(uColumn, uRow)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view sBytes(reinterpret_cast<const char*>(data), size);
    const std::string sText = Decoded(sBytes, sBytes.size() + 1);
    if (Decoded(sBytes, 3) != sText) std::abort();

    const LineEnds lineEnds = size % 2 == 0 ? LineEnds::LineFeed : LineEnds::CarriageReturnToo;
    for (const DelimitedFormat format : {DelimitedFormat::TabDelimited, DelimitedFormat::CommaSeparated}) {
        const Read whole(sText, sText.size() + 1, format, lineEnds);
        ExpectSame(whole, Read(sText, 1 + size % 7, format, lineEnds));
        if (format == DelimitedFormat::TabDelimited && whole.uOpenQuote != 0) std::abort();
    }
    return 0;
}
