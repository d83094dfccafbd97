// Helpers of the spreadsheet fuzz targets: an input that is a zip archive is read as it
// is; any other input becomes one part of a small, otherwise valid package, so that the
// XML readers see the mutated bytes directly instead of through a compressed stream.
#pragma once

#include <zip.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "workbook/CellRange.h"
#include "workbook/SpreadsheetFile.h"

namespace HalvrennInc::fuzzing {

inline std::string ZipOf(const std::vector<std::pair<std::string, std::string>>& parts)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* pBuffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(pBuffer);
    zip_t* pArchive = zip_open_from_source(pBuffer, ZIP_TRUNCATE, &error);
    for (const auto& [sName, sText] : parts) {
        zip_source_t* pPart = zip_source_buffer(pArchive, sText.data(), sText.size(), 0);
        zip_file_add(pArchive, sName.c_str(), pPart, ZIP_FL_OVERWRITE);
    }
    zip_close(pArchive);
    std::string sBytes;
    zip_source_open(pBuffer);
    char buffer[1 << 14];
    zip_int64_t iRead;
    while ((iRead = zip_source_read(pBuffer, buffer, sizeof buffer)) > 0)
        sBytes.append(buffer, static_cast<std::size_t>(iRead));
    zip_source_close(pBuffer);
    zip_source_free(pBuffer);
    zip_error_fini(&error);
    return sBytes;
}

//! Reads the archive and checks what every reader promises: cells inside the grid, no
//! empty text stored.
inline void ReadAndCheck(std::string sBytes, DataFileKind kind)
{
    SpreadsheetContents contents;
    std::string sMessage;
    // Small bounds keep each run short; the bound itself is what is checked.
    const ZipLimits limits{std::uint64_t{8} << 20, std::uint64_t{16} << 20};
    if (!ReadSpreadsheetBytes(std::move(sBytes), kind, contents, sMessage, limits)) {
        if (sMessage.empty()) std::abort();
        return;
    }
    for (const ReadSheet& sheet : contents.sheets)
        for (const ReadCell& cell : sheet.cells)
            if (cell.uColumn < 1 || cell.uColumn > kSheetColumns || cell.uRow < 1 || cell.uRow > kSheetRows ||
                cell.sText.empty())
                std::abort();
}

}  // namespace HalvrennInc::fuzzing
