// Ostrel-Vane Studio - the workbook: sheets, naming, reordering and notifications.
#include "workbook/Workbook.h"

#include <algorithm>
#include <string>

#include "platform/UserMessages.h"

namespace HalvrennInc {

Workbook::Workbook(const GridGeometry& geometry) : m_geometry(geometry)
{
    m_sheets.push_back(newSheet("Sheet 1"));
}

std::unique_ptr<Sheet> Workbook::newSheet(std::string_view sName) const
{
    auto pSheet = std::make_unique<Sheet>(sName, m_geometry);
    pSheet->setWriteListener(m_pRecorder);
    return pSheet;
}

void Workbook::setActiveSheet(std::uint32_t uPosition)
{
    if (uPosition < 1 || uPosition > sheetCount() || uPosition - 1 == m_uActive) return;
    m_uActive = uPosition - 1;
    announceSheets();
}

String Workbook::NewSheetName() const
{
    for (std::uint32_t uNumber = 1;; ++uNumber) {
        const std::string sCandidate = "Sheet " + std::to_string(uNumber);
        const bool bTaken = std::any_of(m_sheets.begin(), m_sheets.end(),
                                        [&](const auto& pSheet) { return pSheet->name() == sCandidate; });
        if (!bTaken) return String(sCandidate);
    }
}

void Workbook::AddSheet()
{
    m_sheets.push_back(newSheet(NewSheetName().view()));
    m_uActive = sheetCount() - 1;
    m_sheets.back()->setCurrentCell(1, 1);
    announceSheets();
    announceCurrentCell();
    markModified();
}

bool Workbook::DeleteSheet(UserMessages& messages)
{
    if (sheetCount() == 1) {
        messages.show("Error", "You cannot delete the last sheet.  Add another sheet first or select new.",
                      MessageIcon::Exclamation);
        return false;
    }
    if (messages.ask("Warning", "Are you sure you want to delete the current sheet?", MessageButtons::OkCancel,
                     MessageIcon::None) != MessageAnswer::Ok) {
        return false;
    }
    // The windows let go of the sheet while they are told; only then does it go.
    std::unique_ptr<Sheet> pGone = std::move(m_sheets[m_uActive]);
    m_sheets.erase(m_sheets.begin() + m_uActive);
    if (m_uActive >= sheetCount()) m_uActive = sheetCount() - 1;
    announceSheets();
    announceCurrentCell();
    markModified();
    retire(std::move(pGone));
    return true;
}

bool Workbook::RenameSheet(std::string_view sName, UserMessages& messages)
{
    if (isBlankText(sName)) {
        messages.show("Error", "Sheet name cannot be blank.  Correct and try again.", MessageIcon::Exclamation);
        return false;
    }
    if (activeSheet().name() == sName) return true;
    activeSheet().setName(sName);
    announceSheets();
    markModified();
    return true;
}

void Workbook::MoveSheets(const std::vector<String>& psNames)
{
    // Tabs before the target position are already placed; searching only the rest keeps
    // a second sheet of a repeated name from pulling the first one out of its place.
    const Sheet* pActive = &activeSheet();
    bool bMoved = false;
    const std::size_t uPlaces = std::min(psNames.size(), m_sheets.size());
    for (std::size_t uTarget = 0; uTarget < uPlaces; ++uTarget) {
        const auto itFound = std::find_if(m_sheets.begin() + static_cast<std::ptrdiff_t>(uTarget), m_sheets.end(),
                                          [&](const auto& pSheet) { return pSheet->name() == psNames[uTarget]; });
        if (itFound == m_sheets.end()) continue;
        const auto itTarget = m_sheets.begin() + static_cast<std::ptrdiff_t>(uTarget);
        if (itFound == itTarget) continue;
        std::rotate(itTarget, itFound, itFound + 1);
        bMoved = true;
    }
    if (!bMoved) return;
    // The active tab stays the same sheet at its new place.
    for (std::uint32_t u = 0; u < sheetCount(); ++u) {
        if (m_sheets[u].get() == pActive) m_uActive = u;
    }
    announceSheets();
    markModified();
}

void Workbook::ClearWorkbook()
{
    std::vector<std::unique_ptr<Sheet>> gone = std::move(m_sheets);
    m_sheets.clear();
    m_sheets.push_back(newSheet("Sheet 1"));
    m_uActive = 0;
    m_window = m_defaultWindow;
    announceSheets();
    announceCurrentCell();
    markModified();
    for (auto& pSheet : gone) retire(std::move(pSheet));
}

void Workbook::retire(std::unique_ptr<Sheet> pSheet)
{
    if (!m_pRecorder) return;
    m_pRecorder->sheetRemoved(std::move(pSheet));
}

void Workbook::setRecorder(WorkbookRecorder* pRecorder)
{
    m_pRecorder = pRecorder;
    for (auto& pSheet : m_sheets) pSheet->setWriteListener(pRecorder);
}

void Workbook::arrangeSheets(const std::vector<Sheet*>& order, std::uint32_t uActive,
                             std::vector<std::unique_ptr<Sheet>>& spare)
{
    // The workbook is never without a sheet: an order of sheets it cannot find is ignored.
    const auto held = [&](const Sheet* pWanted) {
        const auto isWanted = [&](const auto& p) { return p.get() == pWanted; };
        return std::any_of(m_sheets.begin(), m_sheets.end(), isWanted) ||
               std::any_of(spare.begin(), spare.end(), isWanted);
    };
    if (std::none_of(order.begin(), order.end(), held)) return;
    std::vector<std::unique_ptr<Sheet>> pool = std::move(m_sheets);
    m_sheets.clear();
    for (auto& pSheet : spare) pool.push_back(std::move(pSheet));
    spare.clear();
    for (Sheet* pWanted : order) {
        const auto it = std::find_if(pool.begin(), pool.end(), [&](const auto& p) { return p.get() == pWanted; });
        if (it != pool.end()) m_sheets.push_back(std::move(*it));
    }
    for (auto& pSheet : pool)
        if (pSheet) spare.push_back(std::move(pSheet));
    for (auto& pSheet : m_sheets) pSheet->setWriteListener(m_pRecorder);
    m_uActive = std::min(std::max<std::uint32_t>(uActive, 1), sheetCount()) - 1;
    announceSheets();
    announceCurrentCell();
    markModified();
}

std::string_view Workbook::CellText(std::uint32_t uColumn, std::uint32_t uRow) const
{
    return activeSheet().cellText(uColumn, uRow);
}

void Workbook::SetCellText(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText)
{
    Sheet& sheet = activeSheet();
    const std::uint32_t uColumnsBefore = sheet.lastUsedColumn();
    const std::uint32_t uRowsBefore = sheet.lastUsedRow();
    const bool bChanged = sheet.editCell(uColumn, uRow, sText);
    if (bChanged) {
        announceCells(sheet);
    } else if (sheet.lastUsedColumn() != uColumnsBefore || sheet.lastUsedRow() != uRowsBefore) {
        notify([&](WorkbookObserver& observer) { observer.cellsChanged(sheet); });
    }
}

void Workbook::SetCurrentCell(std::uint32_t uColumn, std::uint32_t uRow)
{
    activeSheet().setCurrentCell(uColumn, uRow);
    announceCurrentCell();
}

void Workbook::SetSelection(const CellRange& selection)
{
    activeSheet().setSelection(selection);
}

void Workbook::SetColumnWidth(std::uint32_t uColumn, std::int32_t iPixels)
{
    if (activeSheet().setColumnWidth(uColumn, iPixels)) markModified();
}

void Workbook::SetRowHeight(std::uint32_t uRow, std::int32_t iPixels)
{
    if (activeSheet().setRowHeight(uRow, iPixels)) markModified();
}

void Workbook::setDataWindowGeometry(const WindowGeometry& geometry)
{
    if (geometry == m_window) return;
    m_window = geometry;
    markModified();
}

void Workbook::addObserver(WorkbookObserver* pObserver)
{
    if (pObserver && std::find(m_observers.begin(), m_observers.end(), pObserver) == m_observers.end()) {
        m_observers.push_back(pObserver);
    }
}

void Workbook::removeObserver(WorkbookObserver* pObserver)
{
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), pObserver), m_observers.end());
}

void Workbook::notify(const std::function<void(WorkbookObserver&)>& call)
{
    // A copy, so that an observer may remove itself while it is told.
    const std::vector<WorkbookObserver*> observers = m_observers;
    for (WorkbookObserver* pObserver : observers) call(*pObserver);
}

void Workbook::markModified()
{
    notify([](WorkbookObserver& observer) { observer.workbookModified(); });
}

void Workbook::announceCells(const Sheet& sheet)
{
    notify([&](WorkbookObserver& observer) { observer.cellsChanged(sheet); });
    markModified();
}

void Workbook::announceCurrentCell()
{
    notify([this](WorkbookObserver& observer) { observer.currentCellChanged(activeSheet()); });
}

void Workbook::announceSheets()
{
    notify([](WorkbookObserver& observer) { observer.sheetsChanged(); });
}

}  // namespace HalvrennInc
