// Ostrel-Vane Studio - the undo history of the workbook: a QUndoStack of recorded changes
// (WorkbookChange), one step per user action, with the Undo and Redo commands that show
// the name of the step they take back or do again. Typing is one step per visit of a
// cell: every key from entering the cell to leaving it.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "workbook/Workbook.h"

class QAction;

namespace HalvrennInc {

class WorkbookHistory : public QObject, public WorkbookObserver {
    Q_OBJECT
public:
    //! The name of the typing step ("Undo Typing").
    static constexpr const char* kTypingStep = "Typing";

    explicit WorkbookHistory(Workbook& workbook, QObject* pParent = nullptr);
    ~WorkbookHistory() override;

    QUndoStack& stack() { return m_stack; }
    //! Edit > Undo and Edit > Redo: their text names the step, greyed when there is none.
    QAction* undoAction() const { return m_pUndo; }
    QAction* redoAction() const { return m_pRedo; }

    //! Runs an operation on the workbook and keeps what it changed as one step; an
    //! operation that changed nothing leaves no step. Inside another recorded operation it
    //! is part of that one. Returns what the operation returned.
    bool Record(const QString& sStep, const std::function<bool()>& operation);
    //! The cell editor's text written to its cell: the keys of one visit make one step.
    void Type(std::uint32_t uColumn, std::uint32_t uRow, std::string_view sText);
    //! Escape: the current cell gets back the text it had when it was entered, and the
    //! visit's typing leaves no step. False when the cell holds that text already.
    bool RevertVisit();

    //! True while a recorded operation, an undo or a redo changes the workbook: its
    //! notifications belong to the history, not to the modified flag.
    bool Busy() const { return m_iBusy > 0; }
    //! New, Open and reading a session: no step is kept.
    void Clear();
    //! Bytes the steps hold for undo and redo.
    std::size_t Bytes() const;

    // WorkbookObserver: a new visit starts whenever the cell editor moves.
    void sheetsChanged() override { startVisit(); }
    void currentCellChanged(const Sheet& sheet) override;

private:
    class Step;
    friend class Step;
    void startVisit();

    Workbook& m_workbook;
    QUndoStack m_stack;
    QAction* m_pUndo = nullptr;
    QAction* m_pRedo = nullptr;
    int m_iBusy = 0;
    bool m_bRecording = false;
    std::uint64_t m_uVisit = 0;  //!< counts the cell editor's moves
    std::string m_sEntryText;    //!< the current cell's text when it was entered
};

}  // namespace HalvrennInc
