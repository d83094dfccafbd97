// Ostrel-Vane Studio - one change of the workbook as the undo history keeps it: the cells
// it wrote with their texts before and after, the used extents of the sheets, the sheets
// in tab order with their names, and where the cell editor was. Recorded while any
// operation runs (typing, paste, clear, import, sheet commands), so that every way of
// changing cells is covered; it holds only the cells written, so its memory follows the
// size of the change and not of the sheet.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/String.h"
#include "workbook/CellRange.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

class WorkbookChange : public WorkbookRecorder {
public:
    //! Starts recording: the workbook tells this change of everything until Finish.
    explicit WorkbookChange(Workbook& workbook);
    ~WorkbookChange() override;
    WorkbookChange(const WorkbookChange&) = delete;
    WorkbookChange& operator=(const WorkbookChange&) = delete;

    //! Stops recording and takes the state after the operation. Returns whether the
    //! operation changed anything that undo would put back.
    bool Finish();
    //! Puts the workbook back as it was before the operation (the windows are told).
    void Revert();
    //! Does the operation again, from the state before it.
    void Apply();
    //! Makes this change run from its own start to the end of a later one that began where
    //! this one ended (typing in one cell, key by key). Returns false, changing nothing,
    //! when the later one changed sheets.
    bool Absorb(WorkbookChange& later);
    //! Whether Revert would change nothing (typing that came back to where it started).
    bool ChangesNothing() const;

    //! Bytes held for undo and redo, sheets kept for an undo of their deletion included.
    std::size_t Bytes() const;

    // WorkbookRecorder
    void cellWillChange(const Sheet& sheet, std::uint32_t uColumn, std::uint32_t uRow) override;
    void sheetRemoved(std::unique_ptr<Sheet> pSheet) override;

private:
    struct CellEdit {
        std::uint32_t uRow = 0;
        std::uint32_t uColumn = 0;
        String sBefore;
        String sAfter;
    };
    struct Extent {
        std::uint32_t uLastColumn = 0;
        std::uint32_t uLastRow = 0;
        friend bool operator==(const Extent&, const Extent&) = default;
    };
    //! The cells written in one sheet, in row order without repeats once finished.
    struct SheetCells {
        Sheet* pSheet = nullptr;
        std::vector<CellEdit> edits;
        Extent before;
        Extent after;
    };
    //! The sheets in tab order with their names, and the cell editor's place.
    struct Arrangement {
        std::vector<Sheet*> order;
        std::vector<String> names;
        std::uint32_t uActive = 1;
        std::uint32_t uCurrentColumn = 1;
        std::uint32_t uCurrentRow = 1;
        CellRange selection;
        bool sameSheets(const Arrangement& other) const { return order == other.order && names == other.names; }
    };

    Arrangement arrangement() const;
    SheetCells& cellsOf(const Sheet& sheet);
    Extent extentBefore(const Sheet& sheet) const;
    void writeCells(bool bAfter);
    void arrange(const Arrangement& target);
    static void dropUnchanged(SheetCells& cells);

    Workbook& m_workbook;
    bool m_bRecording = true;
    Arrangement m_before;
    Arrangement m_after;
    std::vector<Extent> m_extentsBefore;  //!< of m_before.order, taken when recording starts
    std::vector<SheetCells> m_cells;
    //! Sheets that are in only one of the two states and not in the workbook now.
    std::vector<std::unique_ptr<Sheet>> m_spare;
};

}  // namespace HalvrennInc
