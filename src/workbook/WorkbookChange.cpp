// Ostrel-Vane Studio - a recorded change of the workbook, undone and redone.
#include "workbook/WorkbookChange.h"

#include <algorithm>

namespace HalvrennInc {

namespace {
bool RowOrder(std::uint32_t uRowA, std::uint32_t uColumnA, std::uint32_t uRowB, std::uint32_t uColumnB)
{
    return uRowA != uRowB ? uRowA < uRowB : uColumnA < uColumnB;
}
}  // namespace

WorkbookChange::WorkbookChange(Workbook& workbook) : m_workbook(workbook)
{
    m_before = arrangement();
    for (const Sheet* pSheet : m_before.order)
        m_extentsBefore.push_back({pSheet->lastUsedColumn(), pSheet->lastUsedRow()});
    m_workbook.setRecorder(this);
}

WorkbookChange::~WorkbookChange()
{
    if (m_bRecording) m_workbook.setRecorder(nullptr);
}

WorkbookChange::Arrangement WorkbookChange::arrangement() const
{
    Arrangement state;
    for (std::uint32_t u = 1; u <= m_workbook.sheetCount(); ++u) {
        // The change keeps the sheets' addresses to find them again, whichever of its
        // states holds them.
        Sheet& sheet = m_workbook.sheet(u);
        state.order.push_back(&sheet);
        state.names.push_back(sheet.name());
    }
    const Sheet& active = m_workbook.activeSheet();
    state.uActive = m_workbook.activeSheetNumber();
    state.uCurrentColumn = active.currentColumn();
    state.uCurrentRow = active.currentRow();
    state.selection = active.selection();
    return state;
}

WorkbookChange::Extent WorkbookChange::extentBefore(const Sheet& sheet) const
{
    for (std::size_t u = 0; u < m_before.order.size(); ++u)
        if (m_before.order[u] == &sheet) return m_extentsBefore[u];
    // A sheet that the operation added starts empty.
    return {};
}

WorkbookChange::SheetCells& WorkbookChange::cellsOf(const Sheet& sheet)
{
    for (SheetCells& cells : m_cells)
        if (cells.pSheet == &sheet) return cells;
    SheetCells cells;
    cells.pSheet = const_cast<Sheet*>(&sheet);
    cells.before = extentBefore(sheet);
    m_cells.push_back(std::move(cells));
    return m_cells.back();
}

void WorkbookChange::cellWillChange(const Sheet& sheet, std::uint32_t uColumn, std::uint32_t uRow)
{
    // A cell written twice is listed twice; Finish keeps the first, older text.
    SheetCells& cells = m_cells.empty() || m_cells.back().pSheet != &sheet ? cellsOf(sheet) : m_cells.back();
    cells.edits.push_back({uRow, uColumn, String(sheet.cellText(uColumn, uRow)), String()});
}

void WorkbookChange::sheetRemoved(std::unique_ptr<Sheet> pSheet)
{
    pSheet->setWriteListener(nullptr);
    m_spare.push_back(std::move(pSheet));
}

void WorkbookChange::dropUnchanged(SheetCells& cells)
{
    std::erase_if(cells.edits, [](const CellEdit& edit) { return edit.sBefore == edit.sAfter; });
    cells.edits.shrink_to_fit();
}

bool WorkbookChange::Finish()
{
    if (!m_bRecording) return !ChangesNothing();
    m_bRecording = false;
    m_workbook.setRecorder(nullptr);
    m_after = arrangement();
    // Sheets whose extent moved without a cell written (a blank typed at an edge).
    for (std::size_t u = 0; u < m_before.order.size(); ++u) {
        const Sheet& sheet = *m_before.order[u];
        if (Extent{sheet.lastUsedColumn(), sheet.lastUsedRow()} != m_extentsBefore[u]) cellsOf(sheet);
    }
    for (SheetCells& cells : m_cells) {
        std::stable_sort(cells.edits.begin(), cells.edits.end(), [](const CellEdit& a, const CellEdit& b) {
            return RowOrder(a.uRow, a.uColumn, b.uRow, b.uColumn);
        });
        cells.edits.erase(std::unique(cells.edits.begin(), cells.edits.end(),
                                      [](const CellEdit& a, const CellEdit& b) {
                                          return a.uRow == b.uRow && a.uColumn == b.uColumn;
                                      }),
                          cells.edits.end());
        for (CellEdit& edit : cells.edits) edit.sAfter = cells.pSheet->cellText(edit.uColumn, edit.uRow);
        cells.after = {cells.pSheet->lastUsedColumn(), cells.pSheet->lastUsedRow()};
        dropUnchanged(cells);
    }
    std::erase_if(m_cells, [](const SheetCells& cells) { return cells.edits.empty() && cells.before == cells.after; });
    m_extentsBefore.clear();
    m_extentsBefore.shrink_to_fit();
    return !ChangesNothing();
}

bool WorkbookChange::ChangesNothing() const
{
    return m_cells.empty() && m_before.sameSheets(m_after);
}

void WorkbookChange::writeCells(bool bAfter)
{
    for (const SheetCells& cells : m_cells) {
        Sheet& sheet = *cells.pSheet;
        for (const CellEdit& edit : cells.edits)
            sheet.setCellText(edit.uColumn, edit.uRow, (bAfter ? edit.sAfter : edit.sBefore).view());
        const Extent& extent = bAfter ? cells.after : cells.before;
        sheet.setUsedExtent(extent.uLastColumn, extent.uLastRow);
        m_workbook.announceCells(sheet);
    }
}

void WorkbookChange::arrange(const Arrangement& target)
{
    for (std::size_t u = 0; u < target.order.size(); ++u) target.order[u]->setName(target.names[u].view());
    if (arrangement().sameSheets(target)) {
        m_workbook.setActiveSheet(target.uActive);
    } else {
        m_workbook.arrangeSheets(target.order, target.uActive, m_spare);
    }
    m_workbook.SetSelection(target.selection);
    m_workbook.SetCurrentCell(target.uCurrentColumn, target.uCurrentRow);
}

void WorkbookChange::Revert()
{
    writeCells(false);
    arrange(m_before);
}

void WorkbookChange::Apply()
{
    arrange(m_after);
    writeCells(true);
}

bool WorkbookChange::Absorb(WorkbookChange& later)
{
    if (!m_before.sameSheets(m_after) || !later.m_before.sameSheets(later.m_after) ||
        !m_after.sameSheets(later.m_before))
        return false;
    for (SheetCells& laterCells : later.m_cells) {
        const auto itCells = std::find_if(m_cells.begin(), m_cells.end(),
                                          [&](const SheetCells& cells) { return cells.pSheet == laterCells.pSheet; });
        if (itCells == m_cells.end()) {
            m_cells.push_back(std::move(laterCells));
            continue;
        }
        SheetCells& cells = *itCells;
        for (CellEdit& edit : laterCells.edits) {
            const auto it = std::lower_bound(
                cells.edits.begin(), cells.edits.end(), edit,
                [](const CellEdit& a, const CellEdit& b) { return RowOrder(a.uRow, a.uColumn, b.uRow, b.uColumn); });
            if (it != cells.edits.end() && it->uRow == edit.uRow && it->uColumn == edit.uColumn) {
                it->sAfter = std::move(edit.sAfter);
            } else {
                cells.edits.insert(it, std::move(edit));
            }
        }
        cells.after = laterCells.after;
        dropUnchanged(cells);
    }
    std::erase_if(m_cells, [](const SheetCells& cells) { return cells.edits.empty() && cells.before == cells.after; });
    m_after = later.m_after;
    later.m_cells.clear();
    return true;
}

std::size_t WorkbookChange::Bytes() const
{
    std::size_t uBytes = sizeof(*this);
    for (const Arrangement* pState : {&m_before, &m_after}) {
        uBytes += pState->order.capacity() * sizeof(Sheet*) + pState->names.capacity() * sizeof(String);
        for (const String& sName : pState->names) uBytes += sName.capacity();
    }
    uBytes += m_cells.capacity() * sizeof(SheetCells);
    for (const SheetCells& cells : m_cells) {
        uBytes += cells.edits.capacity() * sizeof(CellEdit);
        for (const CellEdit& edit : cells.edits) uBytes += edit.sBefore.capacity() + edit.sAfter.capacity();
    }
    for (const auto& pSheet : m_spare) uBytes += sizeof(Sheet) + pSheet->cellBytes();
    return uBytes;
}

}  // namespace HalvrennInc
