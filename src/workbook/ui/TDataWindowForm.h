// Ostrel-Vane Studio - the data window: the sheets of the workbook as the pages of a tab
// control, each a grid with the yellow cell editor floating over its current cell, and a
// bottom panel with the analysis, print and help buttons. The rules of keys and mouse
// live in GridNavigator; this window turns Qt's events into its calls and shows the
// result. The main window forwards its Edit and sheet commands to the public slots.
#pragma once

#include <QFont>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "workbook/GridNavigator.h"
#include "workbook/Workbook.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace HalvrennInc {

struct PlatformServices;
class SheetGridView;
class SheetTableModel;
class TSheetMoveDialogBoxForm;
class TSheetNameDialogBoxForm;
class WorkbookHistory;

class TDataWindowForm : public QWidget, public WorkbookObserver {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 20;
    //! Two presses on the tabs this close together (0.00001 day) open the rename dialog.
    static constexpr qint64 kTabDoubleClickMs = 864;
    //! Period of the auto-scroll of a drag held beyond the cells in view.
    static constexpr int kAutoScrollMs = 100;

    explicit TDataWindowForm(PlatformServices& services, QWidget* pParent = nullptr);
    ~TDataWindowForm() override;

    Workbook& workbook() { return m_workbook; }
    //! The undo history of the workbook, with the Undo and Redo commands.
    WorkbookHistory& history() { return *m_pHistory; }
    //! Runs an import into the workbook (of any file format) as one undo step; returns
    //! what the import returned.
    bool RecordImport(const std::function<bool()>& import);
    GridNavigator& navigator() { return m_navigator; }

    //! The cell font: the window's font 1.25 times as large, in whole points.
    const QFont& cellFont() const { return m_cellFont; }
    //! Its height on the screen in pixels (what the sheet's default sizes derive from).
    int cellFontPixelHeight() const;

    // The active sheet's page.
    SheetGridView* grid() const;
    QLineEdit* cellEditor() const;
    QTabWidget* tabs() const { return m_pTabs; }

    QLabel* panelLabel() const { return m_pPanelLabel; }
    QPushButton* FastAnalysisButton() const { return m_pFastButton; }
    QPushButton* CustomAnalysisButton() const { return m_pCustomButton; }
    QPushButton* PrintButton() const { return m_pPrintButton; }
    QPushButton* HelpButton() const { return m_pHelpButton; }
    TSheetNameDialogBoxForm* SheetNameDialog() const { return m_pNameDialog; }
    TSheetMoveDialogBoxForm* SheetMoveDialog() const { return m_pMoveDialog; }

    //! Set while a modal dialog started from this window or the main window runs; Tab
    //! then belongs to the dialog.
    bool dialogOpen() const { return m_bDialogOpen; }
    void setDialogOpen(bool bOpen) { m_bDialogOpen = bOpen; }

    //! The clock of the tab double click, in milliseconds (tests set their own).
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    //! Puts the cell editor on a cell of the active sheet: stores the current cell, loads
    //! its text, scrolls it into view, shows and focuses the editor, and puts the caret at
    //! the end of the text or before the first character.
    void SetCurrentCell(std::uint32_t uColumn, std::uint32_t uRow, bool bCaretAtEnd = false);
    //! Imports a data file of any kind the program reads (ImportDataFile): the import
    //! command, files dropped on the main window and files named on the command line.
    bool ImportFile(const std::string& sFileName);

public slots:
    void SelectAll();
    void Cut();
    void Copy();
    void Paste();
    //! Clears the selected cells after asking.
    void ClearCells();
    void AddSheet();
    void DeleteSheet();
    void RenameSheet();
    void MoveSheets();
    void ImportSheet();
    void ExportSheet();
    //! Prints the active sheet (the "&Print" button and File > Print).
    void Print();
    //! The tab position of the main window's "Display Tabs at Bottom".
    void setTabsAtBottom(bool bBottom);

signals:
    //! The workbook changed: the main window sets the session's modified flag (for a
    //! change the history keeps, while history().Busy(), through the history instead).
    void sessionModified();
    //! The first showing of the window set it up: the session is not modified.
    void firstShown();
    //! The analysis buttons, with the selection of the active sheet in the workbook.
    void fastAnalysisRequested();
    void customAnalysisRequested();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    //! Refused inside an MDI area: the data window is never closed.
    void closeEvent(QCloseEvent* pEvent) override;

    // WorkbookObserver
    void workbookModified() override;
    void sheetsChanged() override;
    void cellsChanged(const Sheet& sheet) override;
    void currentCellChanged(const Sheet& sheet) override;

private:
    struct SheetPage;

    void buildPanel();
    SheetPage* activePage() const;
    SheetPage* pageOf(const Sheet& sheet) const;
    std::unique_ptr<SheetPage> makePage(Sheet& sheet);
    //! Tabs, captions and pages follow the workbook's sheets in order.
    void syncPages();
    //! Row heights and column widths of a page's grid follow its sheet.
    void applySizes(SheetPage& page);
    //! The grid's scroll position follows the sheet's, the editor its current cell, and
    //! the selection is drawn again.
    void showView();
    void placeEditor(SheetPage& page);
    void loadEditor(SheetPage& page, bool bCaretAtEnd);
    void updateCellArea();

    bool editorKey(QKeyEvent* pEvent);
    //! Delete, Backspace and Escape; true when the key was used.
    bool editKey(QKeyEvent* pEvent);
    void editorTextEdited(const QString& sText);
    void tabPressed();
    //! A drag position in cell-area pixels; the timer repeats the last one.
    void drag(QPoint cellAreaPosition);
    void endDrag();
    void trackFrame();
    WindowGeometry mdiGeometry() const;
    void applyFrameGeometry();

    PlatformServices& m_services;
    QFont m_cellFont;
    Workbook m_workbook;
    GridNavigator m_navigator;
    //! A child of this window (its commands are found among the window's), destroyed
    //! before the workbook.
    std::unique_ptr<WorkbookHistory> m_pHistory;

    QTabWidget* m_pTabs = nullptr;
    std::vector<std::unique_ptr<SheetPage>> m_pages;  //!< in tab order
    QLabel* m_pPanelLabel = nullptr;
    QPushButton* m_pFastButton = nullptr;
    QPushButton* m_pCustomButton = nullptr;
    QPushButton* m_pPrintButton = nullptr;
    QPushButton* m_pHelpButton = nullptr;
    TSheetNameDialogBoxForm* m_pNameDialog = nullptr;
    TSheetMoveDialogBoxForm* m_pMoveDialog = nullptr;

    QTimer m_autoScroll;
    QPoint m_lastDrag;  //!< cell-area position of the last drag
    std::function<qint64()> m_clock;
    qint64 m_iLastTabPress = -1;  //!< -1: no press remembered
    bool m_bDialogOpen = false;
    bool m_bShownOnce = false;
    int m_iSyncing = 0;          //!< >0 while the widgets are set from the model
    QPointer<QWidget> m_pFrame;  //!< the sub-window that holds this window, if any
};

//! Sets the data window's dialog-open flag for the lifetime of a modal dialog started from
//! it or from the main window, and puts back what it was.
class DialogOpenScope {
public:
    explicit DialogOpenScope(TDataWindowForm& window) : m_window(window), m_bBefore(window.dialogOpen())
    {
        window.setDialogOpen(true);
    }
    ~DialogOpenScope() { m_window.setDialogOpen(m_bBefore); }
    DialogOpenScope(const DialogOpenScope&) = delete;
    DialogOpenScope& operator=(const DialogOpenScope&) = delete;

private:
    TDataWindowForm& m_window;
    bool m_bBefore;
};

}  // namespace HalvrennInc
