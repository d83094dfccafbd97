// Ostrel-Vane Studio - the cells of a spreadsheet file as its readers collect them.
#include "workbook/SpreadsheetContents.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "workbook/CellRange.h"

namespace HalvrennInc {

ReadSheet& SpreadsheetContents::addSheet(std::string_view sName)
{
    sheets.push_back(ReadSheet{std::string(sName), {}, 0, 0});
    return sheets.back();
}

void SpreadsheetContents::addCell(std::uint64_t uColumn, std::uint64_t uRow, std::string_view sText)
{
    addCells(uColumn, uRow, 1, 1, sText);
}

void SpreadsheetContents::addCells(std::uint64_t uColumn, std::uint64_t uRow, std::uint64_t uColumns,
                                   std::uint64_t uRows, std::string_view sText)
{
    if (sText.empty() || uColumns == 0 || uRows == 0 || sheets.empty() || uColumn == 0 || uRow == 0) return;
    ReadSheet& sheet = sheets.back();
    sheet.uLastRow = std::max(sheet.uLastRow, uRow + uRows - 1);
    sheet.uLastColumn = std::max(sheet.uLastColumn, uColumn + uColumns - 1);
    const std::uint64_t uLastColumn = std::min<std::uint64_t>(uColumn + uColumns - 1, kSheetColumns);
    const std::uint64_t uLastRow = std::min<std::uint64_t>(uRow + uRows - 1, kSheetRows);
    for (std::uint64_t r = uRow; r <= uLastRow; ++r)
        for (std::uint64_t c = uColumn; c <= uLastColumn; ++c)
            storeCell(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(r), sText);
}

void SpreadsheetContents::storeCell(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    if (sheets.empty() || m_bTooMuchText) return;
    m_uTextBytes += sText.size() + sizeof(ReadCell);
    if (m_uTextBytes > kTextBytes) {
        m_bTooMuchText = true;
        return;
    }
    sheets.back().cells.push_back(ReadCell{uColumn, uRow, std::string(sText)});
}

CellsNotRead SpreadsheetContents::notRead() const
{
    CellsNotRead total;
    for (const ReadSheet& sheet : sheets) {
        if (sheet.uLastRow > kSheetRows) total.uRows += sheet.uLastRow - kSheetRows;
        if (sheet.uLastColumn > kSheetColumns) total.uColumns += sheet.uLastColumn - kSheetColumns;
    }
    return total;
}

std::string ShortestNumberText(double d)
{
    if (d == 0) return "0";  // no "-0"
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, d);
    return std::string(buffer, result.ptr);
}

namespace {

// Days from 1970-01-01 to a civil date and back (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t iDays, std::int64_t& iYear, unsigned& uMonth, unsigned& uDay)
{
    iDays += 719468;
    const std::int64_t iEra = (iDays >= 0 ? iDays : iDays - 146096) / 146097;
    const auto uDayOfEra = static_cast<unsigned>(iDays - iEra * 146097);
    const unsigned uYearOfEra = (uDayOfEra - uDayOfEra / 1460 + uDayOfEra / 36524 - uDayOfEra / 146096) / 365;
    const unsigned uDayOfYear = uDayOfEra - (365 * uYearOfEra + uYearOfEra / 4 - uYearOfEra / 100);
    const unsigned uMonthIndex = (5 * uDayOfYear + 2) / 153;
    uDay = uDayOfYear - (153 * uMonthIndex + 2) / 5 + 1;
    uMonth = uMonthIndex < 10 ? uMonthIndex + 3 : uMonthIndex - 9;
    iYear = static_cast<std::int64_t>(uYearOfEra) + iEra * 400 + (uMonth <= 2 ? 1 : 0);
}

}  // namespace

std::string SerialDateText(double dSerial, DateKind kind, bool b1904)
{
    // Beyond the year 9999 (and before the start of the system) a date has no ISO text.
    if (!std::isfinite(dSerial) || dSerial < 0 || dSerial > 2958466) return {};
    // Seconds rounded to the nearest whole second, as the stored fraction of a day rarely
    // is exact.
    const auto iSeconds = static_cast<std::int64_t>(std::llround(dSerial * 86400.0));
    std::int64_t iDay = iSeconds / 86400;
    const std::int64_t iSecondOfDay = iSeconds % 86400;
    std::int64_t iDaysFrom1970;
    if (b1904) {
        iDaysFrom1970 = iDay - 24107;  // 1904-01-01 is serial 0
    } else {
        // Serial 1 is 1900-01-01; serial 60 stands for a 29 February 1900 that never was.
        if (iDay == 60 && (kind == DateKind::Date || kind == DateKind::DateTime))
            return kind == DateKind::Date ? "1900-02-29" : "1900-02-29 00:00:00";
        if (iDay > 60) --iDay;
        iDaysFrom1970 = iDay - 25568;
    }
    char buffer[64];
    if (kind == DateKind::Elapsed) {
        std::snprintf(buffer, sizeof buffer, "%02lld:%02d:%02d", static_cast<long long>(iSeconds / 3600),
                      static_cast<int>(iSeconds / 60 % 60), static_cast<int>(iSeconds % 60));
        return buffer;
    }
    std::string sDate, sTime;
    if (kind != DateKind::Time) {
        std::int64_t iYear;
        unsigned uMonth, uDay;
        CivilFromDays(iDaysFrom1970, iYear, uMonth, uDay);
        std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u", static_cast<long long>(iYear), uMonth, uDay);
        sDate = buffer;
    }
    if (kind != DateKind::Date) {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(iSecondOfDay / 3600),
                      static_cast<int>(iSecondOfDay / 60 % 60), static_cast<int>(iSecondOfDay % 60));
        sTime = buffer;
    }
    if (kind == DateKind::Date) return sDate;
    if (kind == DateKind::Time) return sTime;
    return sDate + " " + sTime;
}

}  // namespace HalvrennInc
