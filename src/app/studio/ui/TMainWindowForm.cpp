// Ostrel-Vane Studio - the main window.
#include "app/studio/ui/TMainWindowForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <filesystem>

#include "analysis/AnalysisOptions.h"
#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "app/studio/CommandLine.h"
#include "app/studio/RecentFileList.h"
#include "app/studio/SessionNames.h"
#include "app/studio/ui/FileDrop.h"
#include "app/studio/ui/ProductBanner.h"
#include "app/studio/ui/RecentFilesMenu.h"
#include "app/studio/ui/ResultsWindowPlacement.h"
#include "app/studio/ui/ShellResources.h"
#include "app/studio/ui/TAboutDialogBoxForm.h"
#include "platform/DesktopServices.h"
#include "platform/Settings.h"
#include "platform/UserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/DelimitedText.h"
#include "workbook/ui/TDataWindowForm.h"
#include "workbook/ui/WorkbookHistory.h"

namespace HalvrennInc {

namespace {
const char* const kSaveQuestion = "Do you want to save current session first?";
constexpr std::string_view kOpenFilter = "Ostrel-Vane Studio files (*.ovs)|*.ovs";
constexpr std::string_view kSaveFilter = "Ostrel-Vane Studio (*.ovs)|*.ovs";

QString QtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

//! A theme's icon where the desktop has one, else the program's own.
QIcon ShellIcon(const char* psTheme, const char* psOwn)
{
    const QIcon own(QStringLiteral(":/shell/icons/") + QString::fromLatin1(psOwn) + QStringLiteral(".svg"));
    return psTheme ? QIcon::fromTheme(QString::fromLatin1(psTheme), own) : own;
}

//! Where a sub-window stands within the MDI area, as the session file stores it.
WindowGeometry GeometryOf(const QMdiSubWindow& frame)
{
    WindowGeometry geometry;
    geometry.iState = frame.isMinimized() ? 1 : frame.isMaximized() ? 2 : 0;
    const QRect rect = geometry.iState != 0 ? frame.normalGeometry() : frame.geometry();
    geometry.iTop = rect.top();
    geometry.iLeft = rect.left();
    geometry.iHeight = rect.height();
    geometry.iWidth = rect.width();
    return geometry;
}

void ApplyGeometry(QMdiSubWindow& frame, const WindowGeometry& geometry)
{
    frame.showNormal();
    frame.setGeometry(geometry.iLeft, geometry.iTop, geometry.iWidth, geometry.iHeight);
    if (geometry.iState == 1) frame.showMinimized();
    if (geometry.iState == 2) frame.showMaximized();
}

//! The binding of a results window, kept by its frame.
class ResultsWindowLink : public QObject {
public:
    ResultsWindowLink(ResultsWindowBinding binding, QMdiSubWindow* pFrame)
        : QObject(pFrame), m_binding(std::move(binding))
    {
    }
    const ResultsWindowBinding& binding() const { return m_binding; }

private:
    ResultsWindowBinding m_binding;
};

const ResultsWindowBinding* ResultsBindingOf(const QMdiSubWindow* pFrame)
{
    if (!pFrame) return nullptr;
    for (const QObject* pChild : pFrame->children())
        if (const auto* pLink = dynamic_cast<const ResultsWindowLink*>(pChild)) return &pLink->binding();
    return nullptr;
}

}  // namespace

TMainWindowForm::TMainWindowForm(PlatformServices& services, QWidget* pParent)
    : QMainWindow(pParent), m_services(services)
{
    LoadShellResources();
    setObjectName(QStringLiteral("MainWindowForm"));
    setWindowIcon(ProductIcon());

    m_pMdiArea = new QMdiArea(this);
    m_pMdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_pMdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pMdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_pMdiArea);

    // The data window, then the dialogs that live for the whole run.
    m_pDataWindow = new TDataWindowForm(m_services);
    m_pDataWindow->setObjectName(QStringLiteral("DataWindowForm"));
    // Never closed, so it offers no close button.
    m_pDataFrame = m_pMdiArea->addSubWindow(
        m_pDataWindow, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint);
    m_pDataFrame->setWindowIcon(windowIcon());
    m_pOptionsDialog = new TAdvancedOptionsDialogBoxForm(m_services, this);
    LoadAnalysisOptions(m_services.settings);
    m_pAboutDialog = new TAboutDialogBoxForm(m_services.help, this);

    new FileDropFilter(*this, m_services.messages);
    connect(m_pDataWindow, &TDataWindowForm::sessionModified, this, [this] {
        // A change the undo history keeps marks the session through the history's saved
        // step, so that undoing back to it leaves the session unmodified.
        if (!m_pDataWindow->history().Busy()) {
            MarkModified();
            return;
        }
        m_bEndWithoutAsking = false;
        emit sessionStateChanged();
    });
    // The data window's first showing sets it up; that is no change of the session.
    connect(m_pDataWindow, &TDataWindowForm::firstShown, this, [this] { setModified(false); });
    // Undoing back to the saved step makes the session unmodified again.
    connect(&m_pDataWindow->history().stack(), &QUndoStack::indexChanged, this, &TMainWindowForm::sessionStateChanged);
    // The title bar marks unsaved changes, undone ones included.
    connect(this, &TMainWindowForm::sessionStateChanged, this, [this] { setWindowModified(Modified()); });
    connect(m_pDataWindow, &TDataWindowForm::fastAnalysisRequested, this, &TMainWindowForm::fastAnalysisRequested);
    connect(m_pDataWindow, &TDataWindowForm::customAnalysisRequested, this, &TMainWindowForm::customAnalysisRequested);

    createMenus();
    createSpeedBar();
    statusBar();

    m_pRecentFiles = std::make_unique<RecentFileList>(RecentFileList::kMainWindowMaximum, m_services.settings);
    m_pRecentMenu = std::make_unique<RecentFilesMenu>(*m_pRecentFiles, *m_pFileMenu, *m_pRecentAnchor,
                                                      [this](const std::string& sFile) { OpenSession(sFile); });

    m_pTabsItem->setChecked(m_services.settings.readBoolean(kTabsValueName).value_or(true));
    applyTabsAtBottom(m_pTabsItem->isChecked());

    auto* pHelpKey = new QShortcut(QKeySequence::HelpContents, this);
    connect(pHelpKey, &QShortcut::activated, this, [this] { m_services.help.showContext(activeHelpContext()); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainWindowForm::commitData);

    setCurrentFile("");
    setModified(false);
    const int iLine = fontMetrics().height();
    resize(iLine * 64, iLine * 40);
}

TMainWindowForm::~TMainWindowForm()
{
    // The results windows and the data window go with the MDI area; the recent files
    // are written back by the list.
    disconnect(qApp, &QGuiApplication::commitDataRequest, this, &TMainWindowForm::commitData);
}

QAction* TMainWindowForm::addItem(QMenu* pMenu, const char* psName, const char* psCaption, const char* psHint)
{
    QAction* pItem = pMenu->addAction(QString::fromLatin1(psCaption));
    pItem->setObjectName(QString::fromLatin1(psName));
    if (psHint) pItem->setStatusTip(QString::fromLatin1(psHint));
    return pItem;
}

void TMainWindowForm::createMenus()
{
    QMenu* pFile = m_pFileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QMenu* pEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QMenu* pAnalysis = menuBar()->addMenu(QStringLiteral("&Analysis"));
    QMenu* pWindow = m_pWindowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    QMenu* pHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    const std::pair<QMenu*, int> kContexts[] = {{pFile, kFileMenuHelpContext},
                                                {pEdit, kEditMenuHelpContext},
                                                {pAnalysis, kAnalysisMenuHelpContext},
                                                {pWindow, kWindowMenuHelpContext},
                                                {pHelp, kHelpMenuHelpContext}};
    for (const auto& [pMenu, iContext] : kContexts) {
        pMenu->setProperty("helpContext", iContext);
        pMenu->installEventFilter(this);
    }
    pFile->setObjectName(QStringLiteral("FileMenu"));
    pEdit->setObjectName(QStringLiteral("EditMenu"));
    pAnalysis->setObjectName(QStringLiteral("AnalysisMenu"));
    pWindow->setObjectName(QStringLiteral("WindowMenu"));
    pHelp->setObjectName(QStringLiteral("HelpMenu"));
    TDataWindowForm* pData = m_pDataWindow;

    QAction* p = addItem(pFile, "FileNewItem", "&New", "Create a new file.");
    p->setShortcut(QKeySequence::New);
    p->setIcon(ShellIcon("document-new", "new"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::FileNewItemClick);
    p = addItem(pFile, "FileOpenItem", "&Open...", "Open an existing file.");
    p->setShortcut(QKeySequence::Open);
    p->setIcon(ShellIcon("document-open", "open"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::FileOpenItemClick);
    p = addItem(pFile, "FileImportSheetItem", "&Import Sheet...",
                "Read a tab-delimited or comma-separated text file into the current sheet.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::ImportSheet);
    p = addItem(pFile, "FileSaveItem", "&Save", "Save the current session.");
    p->setShortcut(QKeySequence::Save);
    p->setIcon(ShellIcon("document-save", "save"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::FileSaveItemClick);
    p = addItem(pFile, "FileSaveAsItem", "Save &As...", "Save the current session under a new file name.");
    p->setShortcut(QKeySequence::SaveAs);
    p->setIcon(ShellIcon("document-save-as", "saveas"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::FileSaveAsItemClick);
    p = addItem(pFile, "FileExportSheetItem", "&Export Sheet...",
                "Write the current sheet to a tab-delimited text file.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::ExportSheet);
    pFile->addSeparator();
    p = addItem(pFile, "FilePrintItem", "Print", "Print contents of top child window.");
    p->setShortcut(QKeySequence::Print);
    p->setIcon(ShellIcon("document-print", "print"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::FilePrintItemClick);
    p = addItem(pFile, "FilePrintSetupItem", "P&rint Setup...", "Choose the printer and the page.");
    connect(p, &QAction::triggered, this, &TMainWindowForm::FilePrintSetupItemClick);
    // The recent files are listed after this separator.
    m_pRecentAnchor = pFile->addSeparator();
    m_pRecentAnchor->setObjectName(QStringLiteral("RecentFilesAnchor"));
    p = addItem(pFile, "FileExitItem", "E&xit", "Close the program.");
    p->setShortcut(QKeySequence::Quit);
    p->setMenuRole(QAction::QuitRole);
    connect(p, &QAction::triggered, this, &QWidget::close);

    pEdit->addAction(m_pDataWindow->history().undoAction());
    pEdit->addAction(m_pDataWindow->history().redoAction());
    pEdit->addSeparator();
    p = addItem(pEdit, "EditCutItem", "Cu&t", "Move the selected cells to the clipboard.");
    p->setShortcut(QKeySequence::Cut);
    connect(p, &QAction::triggered, pData, &TDataWindowForm::Cut);
    p = addItem(pEdit, "EditCopyItem", "&Copy", "Copy the selected cells to the clipboard.");
    p->setShortcut(QKeySequence::Copy);
    connect(p, &QAction::triggered, pData, &TDataWindowForm::Copy);
    p = addItem(pEdit, "EditPasteItem", "&Paste", "Paste the clipboard at the current cell.");
    p->setShortcut(QKeySequence::Paste);
    connect(p, &QAction::triggered, pData, &TDataWindowForm::Paste);
    pEdit->addSeparator();
    p = addItem(pEdit, "EditSelectAllItem", "&Select All", "Select all cells of current sheet in data window.");
    p->setShortcut(QKeySequence::SelectAll);
    connect(p, &QAction::triggered, pData, &TDataWindowForm::SelectAll);
    p = addItem(pEdit, "EditClearCellsItem", "C&lear Cells", "Clear the selected cells.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::ClearCells);
    pEdit->addSeparator();
    p = addItem(pEdit, "EditAddSheetItem", "&Add Sheet", "Add a new sheet to the data window.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::AddSheet);
    p = addItem(pEdit, "EditDeleteSheetItem", "&Delete Sheet", "Delete the current sheet.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::DeleteSheet);
    p = addItem(pEdit, "EditRenameSheetItem", "&Rename Sheet...", "Rename the current sheet.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::RenameSheet);
    p = addItem(pEdit, "EditMoveSheetsItem", "&Move Sheets...", "Change the order of the sheets.");
    connect(p, &QAction::triggered, pData, &TDataWindowForm::MoveSheets);

    p = addItem(pAnalysis, "AnalysisFastItem", "Fast Change-Point &Analysis",
                "Perform change-point analysis on selected data using all default options.");
    p->setIcon(ShellIcon(nullptr, "fast-analysis"));
    p->setShortcut(QKeySequence(Qt::Key_F9));
    connect(p, &QAction::triggered, this, &TMainWindowForm::fastAnalysisRequested);
    p = addItem(pAnalysis, "AnalysisCustomItem", "&Custom Change-Point Analysis...",
                "Specify options before performing change-point analysis on selected data.");
    p->setIcon(ShellIcon(nullptr, "custom-analysis"));
    p->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F9));
    connect(p, &QAction::triggered, this, &TMainWindowForm::customAnalysisRequested);
    p = addItem(pAnalysis, "AnalysisAdvancedOptionsItem", "Advanced &Options...",
                "Change the bootstrap settings of all analyses.");
    p->setIcon(ShellIcon(nullptr, "options"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::AnalysisAdvancedOptionsItemClick);
    m_pTabsItem = addItem(pAnalysis, "AnalysisTabsAtBottomItem", "&Display Tabs at Bottom",
                          "When checked, tabs are at bottom of Data and Analysis Results windows.");
    m_pTabsItem->setCheckable(true);
    m_pTabsItem->setChecked(true);
    connect(m_pTabsItem, &QAction::triggered, this, &TMainWindowForm::AnalysisTabsAtBottomItemClick);

    p = addItem(pWindow, "WindowTileItem", "&Tile", "Arrange windows side by side.");
    connect(p, &QAction::triggered, m_pMdiArea, &QMdiArea::tileSubWindows);
    p = addItem(pWindow, "WindowCascadeItem", "&Cascade", "Arrange windows so that they overlap.");
    connect(p, &QAction::triggered, m_pMdiArea, &QMdiArea::cascadeSubWindows);
    p = addItem(pWindow, "WindowArrangeAllItem", "&Arrange All", "Arrange minimized windows");
    connect(p, &QAction::triggered, this, &TMainWindowForm::WindowArrangeAllItemClick);
    connect(pWindow, &QMenu::aboutToShow, this, &TMainWindowForm::fillWindowMenu);

    p = addItem(pHelp, "HelpContentsItem", "&Contents", "Show the contents of help.");
    p->setIcon(ShellIcon("help-contents", "help-contents"));
    connect(p, &QAction::triggered, this, [this] { m_services.help.showContents(); });
    p = addItem(pHelp, "HelpSearchItem", "&Search for Help On...", "Search help for a keyword.");
    p->setIcon(ShellIcon("system-search", "help-search"));
    connect(p, &QAction::triggered, this, [this] { m_services.help.showSearch(); });
    p = addItem(pHelp, "HelpHowToUseItem", "&How to Use Help", "Show how to use help.");
    connect(p, &QAction::triggered, this, [this] { m_services.help.showHowToUse(); });
    pHelp->addSeparator();
    p = addItem(pHelp, "HelpTechnicalSupportItem", "Technical Support", "Show how to get technical support.");
    connect(p, &QAction::triggered, this, [this] { m_services.help.showContext(kTechnicalSupportHelpContext); });
    pHelp->addSeparator();
    p = addItem(pHelp, "HelpHomePageItem", "Ostrel-Vane Studio Home Page", "Visit the Ostrel-Vane Studio home page.");
    p->setIcon(ShellIcon("internet-web-browser", "web"));
    connect(p, &QAction::triggered, this, &TMainWindowForm::HelpHomePageItemClick);
    pHelp->addSeparator();
    p = addItem(pHelp, "HelpAboutItem", "&About...", "Show the version of the program.");
    p->setMenuRole(QAction::AboutRole);
    connect(p, &QAction::triggered, this, &TMainWindowForm::HelpAboutItemClick);
}

void TMainWindowForm::createSpeedBar()
{
    m_pSpeedBar = addToolBar(QStringLiteral("Speed Bar"));
    m_pSpeedBar->setObjectName(QStringLiteral("SpeedBar"));
    m_pSpeedBar->setMovable(false);
    m_pSpeedBar->setFloatable(false);
    m_pSpeedBar->setIconSize(QSize(20, 20));
    m_pSpeedBar->toggleViewAction()->setEnabled(false);
    // Each button does what its menu item does; its hint is "short|long": the short part
    // is the tool tip and the long one goes to the status bar (the whole hint when it has
    // no bar).
    struct Button {
        const char* psName;
        const char* psItem;  //!< the menu item it stands for; null for a gap
        const char* psHint;
    };
    const Button kButtons[] = {
        {"NewSpeedButton", "FileNewItem", "New|"},
        {"OpenSpeedButton", "FileOpenItem", "Open|"},
        {"SaveSpeedButton", "FileSaveItem", "Save|"},
        {"SaveAsSpeedButton", "FileSaveAsItem", "Save As|"},
        {"PrintSpeedButton", "FilePrintItem", "Print"},
        {nullptr, nullptr, nullptr},
        {"FastAnalysisSpeedButton", "AnalysisFastItem", "Perform Fast Change-Point Analysis"},
        {"CustomAnalysisSpeedButton", "AnalysisCustomItem", "Perform Custom Change-Point Analysis"},
        {"AdvancedOptionsSpeedButton", "AnalysisAdvancedOptionsItem", "Advanced Options"},
        {nullptr, nullptr, nullptr},
        {"HelpContentsSpeedButton", "HelpContentsItem", "Help Contents|"},
        {"HelpSearchSpeedButton", "HelpSearchItem", "Help Search|"},
        {"HomePageSpeedButton", "HelpHomePageItem", "Visit Web Site"},
    };
    for (const Button& button : kButtons) {
        if (!button.psName) {
            m_pSpeedBar->addSeparator();
            continue;
        }
        QAction* pItem = findChild<QAction*>(QString::fromLatin1(button.psItem));
        auto* pButton = new QAction(pItem->icon(), pItem->text(), m_pSpeedBar);
        pButton->setObjectName(QString::fromLatin1(button.psName));
        const QString sHint = QString::fromLatin1(button.psHint);
        const qsizetype iBar = sHint.indexOf(u'|');
        pButton->setToolTip(iBar < 0 ? sHint : sHint.left(iBar));
        pButton->setStatusTip(iBar < 0 ? sHint : sHint.mid(iBar + 1));
        connect(pButton, &QAction::triggered, pItem, &QAction::trigger);
        m_pSpeedBar->addAction(pButton);
    }
}

void TMainWindowForm::fillWindowMenu()
{
    for (QAction* pItem : m_windowListItems) {
        m_pWindowMenu->removeAction(pItem);
        pItem->deleteLater();
    }
    m_windowListItems.clear();
    const QList<QMdiSubWindow*> frames = m_pMdiArea->subWindowList(QMdiArea::CreationOrder);
    if (frames.isEmpty()) return;
    m_windowListItems.push_back(m_pWindowMenu->addSeparator());
    int iNumber = 1;
    for (QMdiSubWindow* pFrame : frames) {
        QString sCaption = pFrame->windowTitle();
        sCaption.replace(QStringLiteral("&"), QStringLiteral("&&"));
        if (iNumber <= 9) sCaption = QStringLiteral("&%1 ").arg(iNumber) + sCaption;
        QAction* pItem = m_pWindowMenu->addAction(sCaption);
        pItem->setCheckable(true);
        pItem->setChecked(pFrame == m_pMdiArea->activeSubWindow());
        pItem->setStatusTip(QStringLiteral("Activate this window."));
        connect(pItem, &QAction::triggered, this, [this, frame = QPointer<QMdiSubWindow>(pFrame)] {
            if (frame) m_pMdiArea->setActiveSubWindow(frame);
        });
        m_windowListItems.push_back(pItem);
        ++iNumber;
    }
}

const std::string& TMainWindowForm::CurrentFile() const
{
    return m_pRecentFiles->CurrentFile();
}

bool TMainWindowForm::TabsAtBottom() const
{
    return m_pTabsItem->isChecked();
}

bool TMainWindowForm::Modified() const
{
    return m_bModified || !m_pDataWindow->history().stack().isClean();
}

void TMainWindowForm::MarkModified()
{
    m_bEndWithoutAsking = false;
    setModified(true);
}

void TMainWindowForm::setModified(bool bModified)
{
    m_bModified = bModified;
    emit sessionStateChanged();
}

void TMainWindowForm::setCurrentFile(const std::string& sFileName)
{
    m_pRecentFiles->SetCurrentFile(sFileName);
    // "[*]" is where the title bar marks unsaved changes; one in a file name is doubled.
    QString sCaption = QtText(MainWindowCaption(sFileName));
    sCaption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(sCaption + QStringLiteral("[*]"));
}

bool TMainWindowForm::SaveChangesFirst()
{
    if (!Modified()) return true;
    switch (m_services.messages.ask("Warning", kSaveQuestion, MessageButtons::YesNoCancel, MessageIcon::None)) {
        case MessageAnswer::Yes: return Save();
        case MessageAnswer::No: return true;
        default: return false;
    }
}

bool TMainWindowForm::NewSession()
{
    if (!SaveChangesFirst()) return false;
    WaitCursorGuard hourglass;
    setCurrentFile("");
    // The steps go before the sheets they name.
    m_pDataWindow->history().Clear();
    m_pDataWindow->workbook().ClearWorkbook();
    closeResultsWindows();
    setModified(false);
    return true;
}

void TMainWindowForm::closeResultsWindows()
{
    for (QMdiSubWindow* pFrame : ResultsWindows()) delete pFrame;
    m_unshownBelow.clear();
    m_unshownAbove.clear();
}

bool TMainWindowForm::writeSession(const std::string& sFileName)
{
    SessionDocument document(m_pDataWindow->workbook());
    document.windows = SessionRecords();
    if (!WriteSession(sFileName, document, m_services.messages)) return false;
    m_pDataWindow->history().stack().setClean();
    setModified(false);
    return true;
}

bool TMainWindowForm::Save()
{
    if (CurrentFile().empty()) return SaveAs();
    return writeSession(CurrentFile());
}

bool TMainWindowForm::SaveAs()
{
    const std::optional<std::string> sChosen =
        m_services.fileDialogs.saveFile("Save File", "*.ovs", kSaveFilter, kSessionExtension, true);
    if (!sChosen || sChosen->empty()) return false;
    const std::string sFileName = WithSessionExtension(*sChosen);
    // The dialog asked about the name it returned; a name the extension rule made is
    // asked about here, so that no file is replaced unasked.
    if (sFileName != *sChosen && std::filesystem::exists(std::filesystem::path(sFileName))) {
        const std::string sQuestion = sFileName + " already exists.  Do you want to replace it?";
        if (m_services.messages.ask("Warning", sQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) !=
            MessageAnswer::Yes)
            return false;
    }
    if (!writeSession(sFileName)) return false;
    setCurrentFile(sFileName);
    return true;
}

bool TMainWindowForm::OpenSession(const std::string& sFileName)
{
    // The full name goes into the caption and the recent files.
    const QString sGiven = QtText(sFileName);
    const std::string sFullName =
        sGiven.isEmpty() ? sFileName : QDir::cleanPath(QFileInfo(sGiven).absoluteFilePath()).toStdString();
    SessionDocument document(m_pDataWindow->workbook());
    SessionHooks hooks;
    hooks.newSession = [this] { return NewSession(); };
    hooks.clearModified = [this] {
        m_pDataWindow->history().Clear();
        setModified(false);
    };
    hooks.removeRecentFile = [this, sFileName](const std::string& sName) {
        m_pRecentFiles->RemoveFile(sName);
        // An entry chosen from the menu is removed under the name it was listed by.
        if (sName != sFileName) m_pRecentFiles->RemoveFile(sFileName);
    };
    if (ReadSession(sFullName, document, hooks, m_services.messages) != SessionReadResult::Read) return false;
    showSessionWindows(document.windows);
    setCurrentFile(sFullName);
    m_pDataWindow->history().Clear();
    setModified(false);
    return true;
}

bool TMainWindowForm::RestoreSession(const std::string& sFileName)
{
    SessionDocument document(m_pDataWindow->workbook());
    closeResultsWindows();
    m_pDataWindow->history().Clear();
    if (ReadSession(sFileName, document, SessionHooks(), m_services.messages) != SessionReadResult::Read) return false;
    showSessionWindows(document.windows);
    setCurrentFile("");
    m_pDataWindow->history().Clear();
    // Nothing of it is saved anywhere the user chose: Save asks for a name.
    MarkModified();
    return true;
}

void TMainWindowForm::showSessionWindows(const std::vector<SessionWindow>& records)
{
    bool bAboveData = false;
    for (const SessionWindow& record : records) {
        if (record.type == SessionWindowType::DataWindow) {
            m_pMdiArea->setActiveSubWindow(m_pDataFrame);
            bAboveData = true;
            continue;
        }
        const ResultsWindow window = m_resultsFactory ? m_resultsFactory(record) : ResultsWindow();
        if (!window.pWindow) {
            (bAboveData ? m_unshownAbove : m_unshownBelow).push_back(record);
            continue;
        }
        ApplyGeometry(*AddResultsWindow(window), record.geometry);
    }
}

QMdiSubWindow* TMainWindowForm::AddResultsWindow(const ResultsWindow& window)
{
    QMdiSubWindow* pFrame = m_pMdiArea->addSubWindow(window.pWindow);
    pFrame->setAttribute(Qt::WA_DeleteOnClose);
    new ResultsWindowLink(window.binding, pFrame);
    if (window.pWindow->metaObject()->indexOfSignal("sessionModified()") >= 0)
        connect(window.pWindow, SIGNAL(sessionModified()), this, SLOT(MarkModified()));
    if (window.binding.setTabsAtBottom) window.binding.setTabsAtBottom(TabsAtBottom());
    GiveDistinctCaption(*m_pMdiArea, *pFrame);
    PlaceResultsWindow(*m_pMdiArea, *m_pDataFrame, *m_pDataWindow->FastAnalysisButton(), *pFrame);
    pFrame->show();
    m_pMdiArea->setActiveSubWindow(pFrame);
    return pFrame;
}

std::vector<QMdiSubWindow*> TMainWindowForm::ResultsWindows() const
{
    std::vector<QMdiSubWindow*> frames;
    for (QMdiSubWindow* pFrame : m_pMdiArea->subWindowList(QMdiArea::CreationOrder))
        if (ResultsBindingOf(pFrame)) frames.push_back(pFrame);
    return frames;
}

std::vector<SessionWindow> TMainWindowForm::SessionRecords() const
{
    // Records no window shows keep their side of the data window.
    std::vector<SessionWindow> records = m_unshownBelow;
    for (QMdiSubWindow* pFrame : m_pMdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (pFrame == m_pDataFrame) {
            records.emplace_back();
        } else if (const ResultsWindowBinding* pBinding = ResultsBindingOf(pFrame);
                   pBinding && pBinding->sessionRecord) {
            SessionWindow record = pBinding->sessionRecord();
            record.type = SessionWindowType::ResultsWindow;
            record.geometry = GeometryOf(*pFrame);
            records.push_back(std::move(record));
        }
    }
    records.insert(records.end(), m_unshownAbove.begin(), m_unshownAbove.end());
    return records;
}

bool TMainWindowForm::AskToEndSession()
{
    if (m_bEndWithoutAsking || SaveChangesFirst()) {
        m_bEndWithoutAsking = true;
        return true;
    }
    return false;
}

void TMainWindowForm::commitData(QSessionManager& manager)
{
    if (!manager.allowsInteraction()) return;
    const bool bMayEnd = AskToEndSession();
    manager.release();
    if (!bMayEnd) manager.cancel();
}

void TMainWindowForm::closeEvent(QCloseEvent* pEvent)
{
    if (m_bEndWithoutAsking || SaveChangesFirst()) {
        pEvent->accept();
    } else {
        pEvent->ignore();
    }
}

void TMainWindowForm::HandleCommandLine(const StartupCommand& command)
{
    if (!command.psFiles.empty()) {
        OpenFilesInMainWindow(*this, command.psFiles, m_services.messages, true);
        return;
    }
    if (!command.bHandOver) return;
    m_pDataWindow->SetCurrentCell(command.uPasteColumn, command.uPasteRow);
    m_pDataWindow->Paste();
    if (!command.SelectionValid()) return;  // and any analysis request with it
    m_pDataWindow->workbook().SetSelection(command.Selection());
    m_pDataWindow->SetCurrentCell(command.uSelectionLeft, command.uSelectionTop);
    if (!command.bAnalyse) return;
    emit fastAnalysisRequested();
    const std::vector<QMdiSubWindow*> results = ResultsWindows();
    if (!results.empty()) results.front()->showMaximized();
}

void TMainWindowForm::FileNewItemClick()
{
    NewSession();
}

void TMainWindowForm::FileOpenItemClick()
{
    const std::optional<std::string> sFile = m_services.fileDialogs.openFile("Open File", "*.ovs", kOpenFilter);
    if (!sFile || sFile->empty()) return;
    OpenSession(*sFile);
}

void TMainWindowForm::FileSaveItemClick()
{
    Save();
}

void TMainWindowForm::FileSaveAsItemClick()
{
    SaveAs();
}

void TMainWindowForm::FilePrintItemClick()
{
    if (const ResultsWindowBinding* pBinding = ResultsBindingOf(m_pMdiArea->currentSubWindow())) {
        if (pBinding->print) pBinding->print();
    } else {
        m_pDataWindow->Print();
    }
}

void TMainWindowForm::FilePrintSetupItemClick()
{
    m_services.printer.showPageSetupDialog();
}

void TMainWindowForm::AnalysisAdvancedOptionsItemClick()
{
    DialogOpenScope flag(*m_pDataWindow);
    m_pOptionsDialog->exec();
}

void TMainWindowForm::AnalysisTabsAtBottomItemClick()
{
    // The item has checked itself already.
    m_services.settings.writeBoolean(kTabsValueName, m_pTabsItem->isChecked());
    applyTabsAtBottom(m_pTabsItem->isChecked());
}

void TMainWindowForm::applyTabsAtBottom(bool bBottom)
{
    m_pDataWindow->setTabsAtBottom(bBottom);
    for (QMdiSubWindow* pFrame : ResultsWindows())
        if (const ResultsWindowBinding* pBinding = ResultsBindingOf(pFrame); pBinding->setTabsAtBottom)
            pBinding->setTabsAtBottom(bBottom);
}

void TMainWindowForm::WindowArrangeAllItemClick()
{
    // Minimized windows in rows along the bottom of the area, left to right.
    const int iAreaWidth = m_pMdiArea->viewport()->width();
    int iX = 0;
    int iBottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* pFrame : m_pMdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!pFrame->isMinimized()) continue;
        const QSize size = pFrame->size();
        if (iX > 0 && iX + size.width() > iAreaWidth) {
            iX = 0;
            iBottom -= size.height();
        }
        pFrame->move(iX, iBottom - size.height());
        iX += size.width();
    }
}

void TMainWindowForm::HelpHomePageItemClick()
{
    if (m_services.help.openUrl(kHomePageUrl)) return;
    const std::string sText = "The home page could not be opened: no web browser took the address.\n\nIts address is " +
                              std::string(kHomePageUrl) + ".";
    m_services.messages.show(kApplicationTitle, sText, MessageIcon::Exclamation);
}

void TMainWindowForm::HelpAboutItemClick()
{
    DialogOpenScope flag(*m_pDataWindow);
    m_pAboutDialog->exec();
}

int TMainWindowForm::activeHelpContext() const
{
    if (const ResultsWindowBinding* pBinding = ResultsBindingOf(m_pMdiArea->currentSubWindow()))
        return pBinding->iHelpContext;
    return TDataWindowForm::kHelpContext;
}

bool TMainWindowForm::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // F1 on an open menu shows the menu's help.
    if (pEvent->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(pEvent)->key() == Qt::Key_F1) {
        if (auto* pMenu = qobject_cast<QMenu*>(pWatched); pMenu && pMenu->property("helpContext").isValid()) {
            pMenu->close();
            m_services.help.showContext(pMenu->property("helpContext").toInt());
            return true;
        }
    }
    return QMainWindow::eventFilter(pWatched, pEvent);
}

}  // namespace HalvrennInc
