// Ostrel-Vane Studio - the workbook's record in a session file.
#include "workbook/WorkbookRecord.h"

#include <istream>
#include <limits>
#include <ostream>

#include "analysis/SessionTokens.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

namespace {

constexpr std::int64_t kMostPixels = std::numeric_limits<std::int32_t>::max();

void WriteSheet(std::ostream& out, const Sheet& sheet)
{
    const std::uint32_t R = sheet.lastUsedRow();
    const std::uint32_t L = sheet.lastUsedColumn();
    sheet.name().writeQuoted(out);
    out.put(' ');
    WriteIntegerLine(out, {R, L});

    for (std::uint32_t r = 1; r <= R; ++r) {
        WriteInteger(out, std::int64_t{sheet.rowHeight(r)} * kRowHeightFactor);
        out.put(' ');
    }
    out.put('\n');
    for (std::uint32_t c = 1; c <= L; ++c) {
        WriteInteger(out, std::int64_t{sheet.columnWidth(c)} * kColumnWidthFactor);
        out.put(' ');
    }
    out.put('\n');

    for (std::uint32_t r = 1; r <= R; ++r) {
        const std::uint32_t k = sheet.lastNonBlankColumn(r);
        WriteInteger(out, k);
        out.put(' ');
        for (std::uint32_t c = 1; c <= k; ++c) {
            String(sheet.cellText(c, r)).writeQuoted(out);
            out.put(' ');
        }
        out.put('\n');
    }

    const CellRange& selection = sheet.selection();
    WriteIntegerLine(out, {sheet.currentRow(), sheet.currentColumn(), sheet.topRow(), sheet.leftColumn(),
                           selection.uTop, selection.uBottom, selection.uLeft, selection.uRight});
}

class RecordReader {
public:
    RecordReader(std::istream& in, const Real& version, Workbook& workbook)
        : m_r(in), m_version(version), m_workbook(workbook)
    {
    }

    bool Read()
    {
        std::uint32_t uSheets = 0;
        if (!m_r.integer(uSheets, 1, std::numeric_limits<std::uint32_t>::max())) return false;
        // Sheets are added as their records arrive, never from the count alone.
        for (std::uint32_t i = 1; i <= uSheets; ++i) {
            if (i > 1) m_workbook.AddSheet();
            if (!ReadSheet(i)) return false;
            // The sheet was filled directly: the windows are told now, so that its grid
            // shows the stored row heights and column widths at once, not at the first edit.
            m_workbook.announceCells(m_workbook.sheet(i));
        }
        std::uint32_t uActive = 0;
        if (!m_r.integer(uActive, 1, uSheets)) return false;
        m_workbook.setActiveSheet(uActive);
        if (m_version == Real(1.0) && !ReadFirstVersionCursor()) return false;
        return true;
    }

private:
    bool ReadSheet(std::uint32_t uSheet)
    {
        Sheet& sheet = m_workbook.sheet(uSheet);
        String sName;
        std::uint32_t R = 0, L = 0;
        if (!m_r.text(sName) || !m_r.integer(R, 0, kSheetRows) || !m_r.integer(L, 0, kSheetColumns)) return false;
        sheet.setName(sName.view());
        sheet.setUsedExtent(L, R);

        for (std::uint32_t r = 1; r <= R; ++r) {
            std::int64_t iStored = 0;
            if (!m_r.integer(iStored, 0, kMostPixels * kRowHeightFactor)) return false;
            sheet.setRowHeight(r, static_cast<std::int32_t>(iStored / kRowHeightFactor));
        }
        for (std::uint32_t c = 1; c <= L; ++c) {
            std::int64_t iStored = 0;
            if (!m_r.integer(iStored, 0, kMostPixels * kColumnWidthFactor)) return false;
            sheet.setColumnWidth(c, static_cast<std::int32_t>(iStored / kColumnWidthFactor));
        }

        for (std::uint32_t r = 1; r <= R; ++r) {
            std::uint32_t k = 0;
            if (!m_r.integer(k, 0, kSheetColumns)) return false;
            for (std::uint32_t c = 1; c <= k; ++c) {
                String sText;
                if (!m_r.text(sText)) return false;
                sheet.setCellText(c, r, sText.view());
            }
            if (k > sheet.lastUsedColumn()) sheet.setUsedExtent(k, R);
        }

        if (!(m_version >= Real(2.0))) return true;
        std::uint32_t uRow = 0, uColumn = 0;
        if (!ReadRow(uRow) || !ReadColumn(uColumn)) return false;
        m_workbook.setActiveSheet(uSheet);
        m_workbook.SetCurrentCell(uColumn, uRow);
        std::uint32_t uTop = 0, uLeft = 0;
        if (!ReadRow(uTop) || !ReadColumn(uLeft)) return false;
        sheet.setTopRow(uTop);
        sheet.setLeftColumn(uLeft);
        return ReadSelection(sheet);
    }

    // The first version keeps one cursor and selection, of the active sheet, after the
    // sheets.
    bool ReadFirstVersionCursor()
    {
        std::uint32_t uRow = 0, uColumn = 0;
        if (!ReadRow(uRow) || !ReadColumn(uColumn)) return false;
        m_workbook.SetCurrentCell(uColumn, uRow);
        return ReadSelection(m_workbook.activeSheet());
    }

    bool ReadSelection(Sheet& sheet)
    {
        CellRange selection;
        if (!ReadRow(selection.uTop) || !ReadRow(selection.uBottom) || !ReadColumn(selection.uLeft) ||
            !ReadColumn(selection.uRight))
            return false;
        sheet.setSelection(selection);
        return true;
    }

    bool ReadRow(std::uint32_t& uRow) { return m_r.integer(uRow, 1, kSheetRows); }
    bool ReadColumn(std::uint32_t& uColumn) { return m_r.integer(uColumn, 1, kSheetColumns); }

    SessionTokenReader m_r;
    const Real& m_version;
    Workbook& m_workbook;
};

}  // namespace

void WriteWorkbookRecord(std::ostream& out, const Workbook& workbook)
{
    WriteIntegerLine(out, {workbook.sheetCount()});
    for (std::uint32_t i = 1; i <= workbook.sheetCount(); ++i) WriteSheet(out, workbook.sheet(i));
    WriteIntegerLine(out, {workbook.activeSheetNumber()});
}

bool ReadWorkbookRecord(std::istream& in, const Real& version, Workbook& workbook)
{
    return RecordReader(in, version, workbook).Read();
}

}  // namespace HalvrennInc
