// Ostrel-Vane Studio - the workbook of a session: the sheets in tab order, the active
// sheet, the geometry of the data window, and the notifications that tell the windows
// (and the session's modified flag) what changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "foundation/String.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

class UserMessages;

//! Position and size of the data window within the main window, as the session file
//! stores them.
struct WindowGeometry {
    std::int32_t iState = 0;  //!< 0 normal, 1 minimized, 2 maximized
    std::int32_t iTop = 10;
    std::int32_t iLeft = 10;
    std::int32_t iHeight = 454;
    std::int32_t iWidth = 703;
    friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

//! Told about changes; every function has an empty default.
class WorkbookObserver {
public:
    virtual ~WorkbookObserver() = default;
    //! Something the session file keeps has changed: the session is now modified.
    virtual void workbookModified() {}
    //! Sheets were added, deleted, renamed or reordered, or another sheet became active.
    virtual void sheetsChanged() {}
    //! Texts or the used extent of a sheet changed.
    virtual void cellsChanged(const Sheet& /*sheet*/) {}
    //! The current cell of the active sheet was set: the cell editor goes there.
    virtual void currentCellChanged(const Sheet& /*sheet*/) {}
};

//! Follows every change of a workbook while it is set (the undo history): told of each cell
//! write, and handed the sheets that leave the workbook.
class WorkbookRecorder : public CellWriteListener {
public:
    //! A sheet deleted or cleared away; without a recorder it is destroyed.
    virtual void sheetRemoved(std::unique_ptr<Sheet> pSheet) = 0;
};

class Workbook {
public:
    //! One sheet named "Sheet 1"; new sheets take the given default sizes.
    explicit Workbook(const GridGeometry& geometry = GridGeometry());
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Sheets, counted from 1 in tab order.
    std::uint32_t sheetCount() const { return static_cast<std::uint32_t>(m_sheets.size()); }
    const Sheet& sheet(std::uint32_t uPosition) const { return *m_sheets.at(uPosition - 1); }
    //! Direct access for the readers of this library (session file, import); changes made
    //! through it are announced by the caller (announceCells, markModified).
    Sheet& sheet(std::uint32_t uPosition) { return *m_sheets.at(uPosition - 1); }
    std::uint32_t activeSheetNumber() const { return m_uActive + 1; }
    //! Positions outside 1..count are ignored.
    void setActiveSheet(std::uint32_t uPosition);
    const Sheet& activeSheet() const { return *m_sheets[m_uActive]; }
    Sheet& activeSheet() { return *m_sheets[m_uActive]; }

    //! "Sheet N" with the smallest N that no sheet bears exactly (case-sensitive).
    String NewSheetName() const;
    //! Appends a new, empty sheet, makes it active with the cell editor on A1.
    void AddSheet();
    //! Deletes the active sheet: refused with an error when it is the only one, asked
    //! for confirmation otherwise. Returns whether the sheet was deleted. The sheet that
    //! took its place (or the new last one) becomes active.
    bool DeleteSheet(UserMessages& messages);
    //! Gives the active sheet the name exactly as entered. A blank name is refused with an
    //! error and false (the rename dialog stays open); the same name changes nothing.
    bool RenameSheet(std::string_view sName, UserMessages& messages);
    //! Reorders the tabs to the order of the names (the move dialog's list). Each entry
    //! places the first sheet of that name not yet placed, so the tabs always end in the
    //! order of the list, and sheets of one name keep their order among themselves.
    void MoveSheets(const std::vector<String>& psNames);
    //! Back to one new sheet "Sheet 1" and the data window's default position and size.
    void ClearWorkbook();

    // Cells of the active sheet.
    std::string_view CellText(std::uint32_t uColumn, std::uint32_t uRow) const;
    //! An edit through the cell editor: stores the text and keeps the used extent.
    void SetCellText(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);
    //! Records the current cell of the active sheet and moves the cell editor there.
    void SetCurrentCell(std::uint32_t uColumn, std::uint32_t uRow);
    const CellRange& Selection() const { return activeSheet().selection(); }
    void SetSelection(const CellRange& selection);
    std::uint32_t LastUsedColumn() const { return activeSheet().lastUsedColumn(); }
    std::uint32_t LastUsedRow() const { return activeSheet().lastUsedRow(); }

    //! Sizes of the active sheet's columns and rows, changed by dragging in the grid.
    void SetColumnWidth(std::uint32_t uColumn, std::int32_t iPixels);
    void SetRowHeight(std::uint32_t uRow, std::int32_t iPixels);

    const GridGeometry& gridGeometry() const { return m_geometry; }
    const WindowGeometry& dataWindowGeometry() const { return m_window; }
    //! A move or resize of the data window; a change marks the session modified.
    void setDataWindowGeometry(const WindowGeometry& geometry);
    //! The position and size that ClearWorkbook restores (the data window computes the
    //! width from its layout when it is first shown).
    void setDefaultDataWindowGeometry(const WindowGeometry& geometry) { m_defaultWindow = geometry; }
    const WindowGeometry& defaultDataWindowGeometry() const { return m_defaultWindow; }

    //! The recorder told of every change from now on (none: nullptr); not owned.
    void setRecorder(WorkbookRecorder* pRecorder);
    WorkbookRecorder* recorder() const { return m_pRecorder; }
    //! Puts the sheets of 'order' in that tab order, the one at uActive (from 1) active.
    //! The workbook's present sheets that are not in the order go into 'spare', and the
    //! sheets of the order that it does not hold come out of it (undo and redo of sheet
    //! operations). An order naming no sheet of either is ignored.
    void arrangeSheets(const std::vector<Sheet*>& order, std::uint32_t uActive,
                       std::vector<std::unique_ptr<Sheet>>& spare);

    //! Observers are not owned and must be removed before they are destroyed.
    void addObserver(WorkbookObserver* pObserver);
    void removeObserver(WorkbookObserver* pObserver);
    //! Tells the observers that the session is modified.
    void markModified();
    //! Tells the observers that a sheet's cells changed, and marks the session modified.
    void announceCells(const Sheet& sheet);
    //! Tells the observers that the active sheet's cell editor moved.
    void announceCurrentCell();

private:
    std::unique_ptr<Sheet> newSheet(std::string_view sName) const;
    void announceSheets();
    //! A sheet that has left the workbook goes to the recorder, or is destroyed.
    void retire(std::unique_ptr<Sheet> pSheet);
    void notify(const std::function<void(WorkbookObserver&)>& call);

    std::vector<std::unique_ptr<Sheet>> m_sheets;  //!< tab order; never empty
    std::uint32_t m_uActive = 0;                   //!< index into m_sheets
    GridGeometry m_geometry;
    WindowGeometry m_window;
    WindowGeometry m_defaultWindow;
    std::vector<WorkbookObserver*> m_observers;
    WorkbookRecorder* m_pRecorder = nullptr;
};

}  // namespace HalvrennInc
