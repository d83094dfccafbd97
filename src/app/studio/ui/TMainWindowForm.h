// Ostrel-Vane Studio - the main window: an MDI frame that holds the one data window
// (never closed; New empties it) and the results windows of the analyses, with the menus
// and the speed bar, the session commands (New, Open, Save, Save As, the save question,
// the caption, the recent files), the tab position of every child window, help and the
// About box. Edit and analysis commands go to the data window whichever child is active.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/studio/ui/ResultsWindowBinding.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSessionManager;
class QToolBar;

namespace HalvrennInc {

struct PlatformServices;
struct StartupCommand;
class RecentFileList;
class RecentFilesMenu;
class TAboutDialogBoxForm;
class TAdvancedOptionsDialogBoxForm;
class TDataWindowForm;

class TMainWindowForm : public QMainWindow {
    Q_OBJECT
public:
    // Help contexts of the menus and of the technical support topic.
    static constexpr int kFileMenuHelpContext = 11;
    static constexpr int kEditMenuHelpContext = 12;
    static constexpr int kAnalysisMenuHelpContext = 13;
    static constexpr int kWindowMenuHelpContext = 14;
    static constexpr int kHelpMenuHelpContext = 15;
    static constexpr int kTechnicalSupportHelpContext = 202;
    //! The stored tab position (true: tabs at the bottom, also when missing or unreadable).
    static constexpr std::string_view kTabsValueName = "Display Tabs Bottom";
    static constexpr std::string_view kHomePageUrl = "https://www.halvrenn.example/ovs/index.html";

    //! Makes the data window and the dialogs that live as long as this window, reads the
    //! tab position and the recent files; the session is untitled and not modified.
    explicit TMainWindowForm(PlatformServices& services, QWidget* pParent = nullptr);
    ~TMainWindowForm() override;

    TDataWindowForm* DataWindowForm() const { return m_pDataWindow; }
    QMdiSubWindow* DataWindowFrame() const { return m_pDataFrame; }
    TAdvancedOptionsDialogBoxForm* AdvancedOptionsDialogBoxForm() const { return m_pOptionsDialog; }
    TAboutDialogBoxForm* AboutDialogBoxForm() const { return m_pAboutDialog; }
    QMdiArea* MdiArea() const { return m_pMdiArea; }
    QToolBar* SpeedBar() const { return m_pSpeedBar; }
    QMenu* FileMenu() const { return m_pFileMenu; }
    QMenu* WindowMenu() const { return m_pWindowMenu; }
    RecentFileList& RecentFiles() { return *m_pRecentFiles; }
    const std::string& CurrentFile() const;
    //! Changes since the session was new, read or saved: a step of the workbook's undo
    //! history away from the saved one, or a change the history does not keep (results
    //! windows, the data window's place, sizes of rows and columns).
    bool Modified() const;
    bool TabsAtBottom() const;

    // ----- Session commands
    //! Offers to save a modified session first (Yes, No, Cancel), then empties the data
    //! window, closes every results window and makes the session untitled. False when
    //! the user cancelled or the save failed: nothing was changed then.
    bool NewSession();
    //! Reads a session file in place of the session (which is offered for saving first).
    //! True when the file was read; its full name is then the current file.
    bool OpenSession(const std::string& sFileName);
    //! Writes the current file, or asks for a name when there is none. True when written.
    bool Save();
    //! Asks for a name (with the extension rule) and writes the session under it.
    bool SaveAs();
    //! The question of a desktop logout: true when the session may end (saved, or the
    //! user does not want it saved); the window then closes without asking again.
    bool AskToEndSession();
    //! Reads a session file that is not the user's (a recovery file) as an untitled,
    //! modified session, without the question of New. True when it was read.
    bool RestoreSession(const std::string& sFileName);

    //! The command line: files to open or import (a session file first, data files after
    //! it), or the hand-over (paste the clipboard, select, and request a fast analysis).
    void HandleCommandLine(const StartupCommand& command);

    // ----- Results windows
    //! How results records read from a session file become windows. Without a factory
    //! the records are kept unseen and written back with the session.
    void setResultsWindowFactory(ResultsWindowFactory factory) { m_resultsFactory = std::move(factory); }
    //! Puts a results window in the MDI area with the current tab position and activates
    //! it. A window with a signal sessionModified() marks the session modified through it.
    QMdiSubWindow* AddResultsWindow(const ResultsWindow& window);
    //! The results windows in the order they were made.
    std::vector<QMdiSubWindow*> ResultsWindows() const;
    //! The session as it would be written now: the records in stacking order.
    std::vector<SessionWindow> SessionRecords() const;

signals:
    //! The fast or custom analysis of the data window's selection (menu, speed bar, the
    //! data window's buttons, the command line's -a).
    void fastAnalysisRequested();
    void customAnalysisRequested();
    //! The session changed, was saved, or was replaced: Modified() may differ.
    void sessionStateChanged();

public slots:
    //! Something of the session changed (the workbook, a results window).
    void MarkModified();
    void FileNewItemClick();
    void FileOpenItemClick();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    //! Prints the active child window.
    void FilePrintItemClick();
    void FilePrintSetupItemClick();
    void AnalysisAdvancedOptionsItemClick();
    void AnalysisTabsAtBottomItemClick();
    void WindowArrangeAllItemClick();
    void HelpHomePageItemClick();
    void HelpAboutItemClick();

protected:
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QAction* addItem(QMenu* pMenu, const char* psName, const char* psCaption, const char* psHint);
    void createMenus();
    void createSpeedBar();
    void fillWindowMenu();
    //! The question of New, Open and closing: true when the session may go.
    bool SaveChangesFirst();
    bool writeSession(const std::string& sFileName);
    //! The modified flag, shown in the title bar.
    void setModified(bool bModified);
    //! The file now open (empty: untitled): the recent files and the caption follow.
    void setCurrentFile(const std::string& sFileName);
    void closeResultsWindows();
    //! The windows of a session just read, bottom-most first.
    void showSessionWindows(const std::vector<SessionWindow>& records);
    void applyTabsAtBottom(bool bBottom);
    void commitData(QSessionManager& manager);
    //! The help context of the active child window.
    int activeHelpContext() const;

    PlatformServices& m_services;
    QMdiArea* m_pMdiArea = nullptr;
    TDataWindowForm* m_pDataWindow = nullptr;
    QMdiSubWindow* m_pDataFrame = nullptr;
    TAdvancedOptionsDialogBoxForm* m_pOptionsDialog = nullptr;
    TAboutDialogBoxForm* m_pAboutDialog = nullptr;
    QToolBar* m_pSpeedBar = nullptr;
    QMenu* m_pFileMenu = nullptr;
    QMenu* m_pWindowMenu = nullptr;
    QAction* m_pRecentAnchor = nullptr;
    QAction* m_pTabsItem = nullptr;
    std::vector<QAction*> m_windowListItems;

    std::unique_ptr<RecentFileList> m_pRecentFiles;
    std::unique_ptr<RecentFilesMenu> m_pRecentMenu;  //!< goes before the list
    ResultsWindowFactory m_resultsFactory;
    // Results records no window shows, from below and from above the data window.
    std::vector<SessionWindow> m_unshownBelow;
    std::vector<SessionWindow> m_unshownAbove;
    bool m_bModified = false;          //!< changes that the undo history does not keep
    bool m_bEndWithoutAsking = false;  //!< a logout was agreed to; cleared by any change
};

}  // namespace HalvrennInc
