// Ostrel-Vane Studio - the data window.
#include "workbook/ui/TDataWindowForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>
#include <optional>

#include "platform/DesktopServices.h"
#include "platform/WaitCursor.h"
#include "workbook/DelimitedText.h"
#include "workbook/SheetPrinting.h"
#include "workbook/SpreadsheetImport.h"
#include "workbook/ui/PanelHintLabel.h"
#include "workbook/ui/SheetGridView.h"
#include "workbook/ui/SheetTableModel.h"
#include "workbook/ui/TSheetMoveDialogBoxForm.h"
#include "workbook/ui/TSheetNameDialogBoxForm.h"
#include "workbook/ui/WorkbookHistory.h"

namespace HalvrennInc {

namespace {
//! The window's font 1.25 times as large, truncated to whole points.
QFont CellFontOf(const QFont& windowFont)
{
    QFont font(windowFont);
    if (windowFont.pointSizeF() > 0) {
        font.setPointSize(static_cast<int>(windowFont.pointSizeF() * 1.25));
    } else {
        font.setPixelSize(windowFont.pixelSize() * 5 / 4);
    }
    return font;
}

QString qtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

const QColor kEditorColor(Qt::yellow);
// The file dialogs of import and export.
constexpr std::string_view kImportFilter =
    "Tab delimited text files (*.txt)|*.txt|Comma separated values (*.csv)|*.csv|"
    "Spreadsheet files (*.xlsx;*.ods;*.xls)|*.xlsx;*.ods;*.xls|"
    "All data files (*.txt;*.csv;*.xlsx;*.ods;*.xls)|*.txt;*.csv;*.xlsx;*.ods;*.xls";
constexpr std::string_view kExportFilter = "Tab delimited text file (*.txt)|*.txt";
}  // namespace

struct TDataWindowForm::SheetPage {
    Sheet* pSheet = nullptr;
    QWidget* pPage = nullptr;  //!< the tab's page; owns the rest
    SheetGridView* pGrid = nullptr;
    SheetTableModel* pModel = nullptr;
    QLineEdit* pEditor = nullptr;
};

TDataWindowForm::TDataWindowForm(PlatformServices& services, QWidget* pParent)
    : QWidget(pParent),
      m_services(services),
      m_cellFont(CellFontOf(font())),
      m_workbook(GridGeometry::ForCellFontHeight(QFontInfo(m_cellFont).pixelSize())),
      m_navigator(m_workbook),
      m_pHistory(std::make_unique<WorkbookHistory>(m_workbook, this)),
      m_clock([]() { return QDateTime::currentMSecsSinceEpoch(); })
{
    setWindowTitle(QStringLiteral("Data"));
    m_pTabs = new QTabWidget(this);
    m_pTabs->setTabPosition(QTabWidget::South);
    m_pTabs->setFocusPolicy(Qt::NoFocus);
    m_pTabs->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_pTabs->tabBar()->installEventFilter(this);
    m_pTabs->installEventFilter(this);
    connect(m_pTabs, &QTabWidget::currentChanged, this, [this](int iIndex) {
        if (m_iSyncing > 0 || iIndex < 0) return;
        // The press that switches tabs never counts as the first of a double click.
        m_iLastTabPress = -1;
        m_workbook.setActiveSheet(static_cast<std::uint32_t>(iIndex) + 1);
    });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pTabs, 1);
    buildPanel();

    m_pNameDialog = new TSheetNameDialogBoxForm(m_workbook, services.messages, services.help, this);
    m_pMoveDialog = new TSheetMoveDialogBoxForm(m_workbook, services.help, this);

    m_autoScroll.setInterval(kAutoScrollMs);
    connect(&m_autoScroll, &QTimer::timeout, this, [this]() { drag(m_lastDrag); });

    // The shortcuts of Undo and Redo work wherever the window is, alone or in the main window.
    addAction(m_pHistory->undoAction());
    addAction(m_pHistory->redoAction());

    m_workbook.addObserver(this);
    syncPages();
    SetCurrentCell(1, 1);
}

TDataWindowForm::~TDataWindowForm()
{
    m_workbook.removeObserver(this);
    m_autoScroll.stop();
    if (m_pFrame) m_pFrame->removeEventFilter(this);
    // The grids' models look at the sheets: they go before the workbook does.
    m_pages.clear();
    // Widgets send events while they are destroyed; the filter ignores them from here on.
    QTabWidget* pTabs = m_pTabs;
    m_pTabs = nullptr;
    delete pTabs;
}

void TDataWindowForm::buildPanel()
{
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QStringLiteral("BottomPanel"));
    auto* pLayout = new QHBoxLayout(pPanel);
    const int iMargin = fontMetrics().height() / 2;
    pLayout->setContentsMargins(iMargin, iMargin / 2, iMargin, iMargin / 2);
    m_pPanelLabel =
        new PanelHintLabel(QStringLiteral("Enter data in column, click column heading and press -->"), pPanel);
    pLayout->addWidget(m_pPanelLabel);
    auto addButton = [&](const char* psCaption, const char* psName, const char* psHint) {
        auto* pButton = new QPushButton(QString::fromLatin1(psCaption), pPanel);
        pButton->setObjectName(QString::fromLatin1(psName));
        pButton->setStatusTip(QString::fromLatin1(psHint));
        pButton->setToolTip(QString::fromLatin1(psHint));
        pButton->setFocusPolicy(Qt::TabFocus);
        pLayout->addWidget(pButton);
        return pButton;
    };
    m_pFastButton = addButton("Fast A&nalysis", "FastAnalysisButton",
                              "Perform change-point analyis on selected data using all default options.");
    m_pCustomButton = addButton(
        "&Custom Analysis", "CustomAnalysisButton",
        "Display Custom Analysis dialog box for specifying analysis options before performing change-point analyis.");
    m_pPrintButton = addButton("&Print", "PrintButton", "Print data displayed in above spreadsheet");
    m_pHelpButton = addButton("&Help", "HelpButton", "Display help on entering data into Data window");
    pLayout->addStretch(1);
    // 41 pixels on a 96-dpi screen, and never less than the buttons need; higher only
    // while the window is too narrow for the hint on one line (its layout then gives the
    // panel the height of the wrapped hint).
    pPanel->setMinimumHeight(std::max(41, m_pHelpButton->sizeHint().height() + iMargin));
    pPanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    static_cast<QVBoxLayout*>(layout())->addWidget(pPanel);

    connect(m_pFastButton, &QPushButton::clicked, this, &TDataWindowForm::fastAnalysisRequested);
    connect(m_pCustomButton, &QPushButton::clicked, this, &TDataWindowForm::customAnalysisRequested);
    connect(m_pPrintButton, &QPushButton::clicked, this, &TDataWindowForm::Print);
    connect(m_pHelpButton, &QPushButton::clicked, this, [this]() { m_services.help.showContext(kHelpContext); });
}

int TDataWindowForm::cellFontPixelHeight() const
{
    return QFontInfo(m_cellFont).pixelSize();
}

TDataWindowForm::SheetPage* TDataWindowForm::activePage() const
{
    return pageOf(m_workbook.activeSheet());
}

TDataWindowForm::SheetPage* TDataWindowForm::pageOf(const Sheet& sheet) const
{
    for (const auto& pPage : m_pages)
        if (pPage->pSheet == &sheet) return pPage.get();
    return nullptr;
}

SheetGridView* TDataWindowForm::grid() const
{
    const SheetPage* pPage = activePage();
    return pPage ? pPage->pGrid : nullptr;
}

QLineEdit* TDataWindowForm::cellEditor() const
{
    const SheetPage* pPage = activePage();
    return pPage ? pPage->pEditor : nullptr;
}

std::unique_ptr<TDataWindowForm::SheetPage> TDataWindowForm::makePage(Sheet& sheet)
{
    auto pPage = std::make_unique<SheetPage>();
    SheetPage* p = pPage.get();
    p->pSheet = &sheet;
    p->pPage = new QWidget;
    auto* pLayout = new QVBoxLayout(p->pPage);
    pLayout->setContentsMargins(0, 0, 0, 0);
    p->pGrid = new SheetGridView(p->pPage);
    p->pGrid->setFont(m_cellFont);
    pLayout->addWidget(p->pGrid);
    p->pModel = new SheetTableModel(sheet, p->pGrid);
    p->pGrid->setModel(p->pModel);
    p->pGrid->setItemDelegate(new SheetCellDelegate(p->pGrid));
    for (QHeaderView* pHeader :
         {static_cast<QHeaderView*>(p->pGrid->columnHeader()), static_cast<QHeaderView*>(p->pGrid->rowHeader())})
        pHeader->setMinimumSectionSize(1);
    p->pGrid->columnHeader()->setDefaultSectionSize(m_workbook.gridGeometry().iColumnWidth + 1);
    p->pGrid->rowHeader()->setDefaultSectionSize(m_workbook.gridGeometry().iRowHeight + 1);
    applySizes(*p);

    p->pEditor = new QLineEdit(p->pGrid->viewport());
    p->pEditor->setObjectName(QStringLiteral("CellEditor"));
    p->pEditor->setFont(m_cellFont);
    p->pEditor->setFrame(false);
    p->pEditor->setTextMargins(1, 0, 1, 0);
    // A cell holds any length of text; the editor's default limit would cut a long cell
    // and write the cut text back with the next key.
    p->pEditor->setMaxLength(std::numeric_limits<int>::max());
    QPalette palette = p->pEditor->palette();
    palette.setColor(QPalette::Base, kEditorColor);
    palette.setColor(QPalette::Text, Qt::black);
    p->pEditor->setPalette(palette);
    p->pEditor->setAutoFillBackground(true);
    p->pEditor->installEventFilter(this);
    // Every change of the text is the user's: the window loads cells with signals blocked.
    connect(p->pEditor, &QLineEdit::textChanged, this, &TDataWindowForm::editorTextEdited);
    p->pGrid->viewport()->installEventFilter(this);

    connect(p->pGrid, &SheetGridView::cornerClicked, this, &TDataWindowForm::SelectAll);
    connect(p->pGrid, &SheetGridView::cellPressed, this, [this](QPoint pos) {
        m_navigator.PressCell(pos.x(), pos.y());
        showView();
        if (QLineEdit* pEditor = cellEditor()) pEditor->setFocus();
    });
    connect(p->pGrid, &SheetGridView::cellDragged, this, [this](QPoint pos) { drag(pos); });
    connect(p->pGrid, &SheetGridView::cellReleased, this, &TDataWindowForm::endDrag);
    connect(p->pGrid->columnHeader(), &SheetHeaderView::sectionPressedAt, this, [this](int iSection) {
        m_navigator.PressColumnHeader(static_cast<std::uint32_t>(iSection + 1));
        showView();
    });
    connect(p->pGrid->columnHeader(), &SheetHeaderView::dragged, this,
            [this](QPoint pos) { drag(QPoint(pos.x(), 0)); });
    connect(p->pGrid->columnHeader(), &SheetHeaderView::released, this, &TDataWindowForm::endDrag);
    connect(p->pGrid->rowHeader(), &SheetHeaderView::sectionPressedAt, this, [this](int iSection) {
        m_navigator.PressRowHeader(static_cast<std::uint32_t>(iSection + 1));
        showView();
    });
    connect(p->pGrid->rowHeader(), &SheetHeaderView::dragged, this, [this](QPoint pos) { drag(QPoint(0, pos.y())); });
    connect(p->pGrid->rowHeader(), &SheetHeaderView::released, this, &TDataWindowForm::endDrag);

    // Sizes dragged by the user go back to the sheet.
    connect(p->pGrid->columnHeader(), &QHeaderView::sectionResized, this, [this, p](int iSection, int, int iSize) {
        if (m_iSyncing > 0) return;
        if (p->pSheet->setColumnWidth(static_cast<std::uint32_t>(iSection + 1), iSize - 1)) m_workbook.markModified();
        if (p == activePage()) showView();
    });
    connect(p->pGrid->rowHeader(), &QHeaderView::sectionResized, this, [this, p](int iSection, int, int iSize) {
        if (m_iSyncing > 0) return;
        if (p->pSheet->setRowHeight(static_cast<std::uint32_t>(iSection + 1), iSize - 1)) m_workbook.markModified();
        if (p == activePage()) showView();
    });
    // The scroll bars move the sheet's view.
    connect(p->pGrid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this, p](int iValue) {
        if (m_iSyncing > 0) return;
        p->pSheet->setLeftColumn(static_cast<std::uint32_t>(iValue + 1));
        placeEditor(*p);
    });
    connect(p->pGrid->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, p](int iValue) {
        if (m_iSyncing > 0) return;
        p->pSheet->setTopRow(static_cast<std::uint32_t>(iValue + 1));
        placeEditor(*p);
    });
    return pPage;
}

void TDataWindowForm::applySizes(SheetPage& page)
{
    ++m_iSyncing;
    const Sheet& sheet = *page.pSheet;
    QHeaderView* pColumns = page.pGrid->columnHeader();
    QHeaderView* pRows = page.pGrid->rowHeader();
    for (std::uint32_t uColumn = 1; uColumn <= kSheetColumns; ++uColumn) {
        const int iSize = sheet.columnWidth(uColumn) + 1;
        if (pColumns->sectionSize(static_cast<int>(uColumn - 1)) != iSize)
            pColumns->resizeSection(static_cast<int>(uColumn - 1), iSize);
    }
    for (std::uint32_t uRow = 1; uRow <= kSheetRows; ++uRow) {
        const int iSize = sheet.rowHeight(uRow) + 1;
        if (pRows->sectionSize(static_cast<int>(uRow - 1)) != iSize)
            pRows->resizeSection(static_cast<int>(uRow - 1), iSize);
    }
    pColumns->setFixedHeight(sheet.rowHeight(0) + 1);
    pRows->setFixedWidth(sheet.columnWidth(0) + 1);
    --m_iSyncing;
}

void TDataWindowForm::syncPages()
{
    ++m_iSyncing;
    std::vector<std::unique_ptr<SheetPage>> pages;
    for (std::uint32_t u = 1; u <= m_workbook.sheetCount(); ++u) {
        Sheet& sheet = m_workbook.sheet(u);
        auto itOld = std::find_if(m_pages.begin(), m_pages.end(),
                                  [&](const auto& pPage) { return pPage && pPage->pSheet == &sheet; });
        if (itOld != m_pages.end()) {
            pages.push_back(std::move(*itOld));
        } else {
            pages.push_back(makePage(sheet));
        }
    }
    // The pages of deleted sheets go only once the list is whole again: their widgets
    // send events while they are destroyed.
    std::vector<std::unique_ptr<SheetPage>> gone = std::move(m_pages);
    m_pages = std::move(pages);
    for (auto& pOld : gone)
        if (pOld) delete pOld->pPage;

    // Tabs in the workbook's order, each captioned with its sheet's name.
    for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
        SheetPage& page = *m_pages[static_cast<std::size_t>(i)];
        const int iAt = m_pTabs->indexOf(page.pPage);
        const QString sName = qtText(page.pSheet->name().view());
        if (iAt != i) {
            if (iAt >= 0) m_pTabs->removeTab(iAt);
            m_pTabs->insertTab(i, page.pPage, sName);
        } else if (m_pTabs->tabText(i) != sName) {
            m_pTabs->setTabText(i, sName);
        }
        applySizes(page);
    }
    m_pTabs->setCurrentIndex(static_cast<int>(m_workbook.activeSheetNumber()) - 1);
    --m_iSyncing;
    showView();
    if (SheetPage* pPage = activePage()) loadEditor(*pPage, false);
}

void TDataWindowForm::updateCellArea()
{
    if (const SheetPage* pPage = activePage())
        m_navigator.setCellArea(pPage->pGrid->viewport()->width(), pPage->pGrid->viewport()->height());
}

void TDataWindowForm::showView()
{
    SheetPage* pPage = activePage();
    if (!pPage) return;
    ++m_iSyncing;
    updateCellArea();
    pPage->pGrid->refreshGeometry();
    Sheet& sheet = *pPage->pSheet;
    m_navigator.ScrollTo(sheet.leftColumn(), sheet.topRow());
    QScrollBar* pHorizontal = pPage->pGrid->horizontalScrollBar();
    QScrollBar* pVertical = pPage->pGrid->verticalScrollBar();
    pHorizontal->setValue(static_cast<int>(sheet.leftColumn()) - 1);
    pVertical->setValue(static_cast<int>(sheet.topRow()) - 1);
    // Where the view could not go as far (its range is the grid's own), the sheet follows
    // it; a grid not shown yet has no range to follow.
    if (pPage->pGrid->isVisible()) {
        sheet.setLeftColumn(static_cast<std::uint32_t>(pHorizontal->value() + 1));
        sheet.setTopRow(static_cast<std::uint32_t>(pVertical->value() + 1));
    }
    --m_iSyncing;
    placeEditor(*pPage);
    pPage->pGrid->viewport()->update();
}

void TDataWindowForm::placeEditor(SheetPage& page)
{
    const Sheet& sheet = *page.pSheet;
    const QModelIndex index =
        page.pModel->index(static_cast<int>(sheet.currentRow()) - 1, static_cast<int>(sheet.currentColumn()) - 1);
    const QRect cell = page.pGrid->visualRect(index);
    // Over the cell and the lines around it; parked out of sight when the cell is not in view.
    if (cell.isValid() && cell.intersects(page.pGrid->viewport()->rect())) {
        page.pEditor->setGeometry(cell.adjusted(-1, -1, 0, 0));
    } else {
        page.pEditor->setGeometry(-10, -10, 5, 5);
    }
    page.pEditor->show();
}

void TDataWindowForm::loadEditor(SheetPage& page, bool bCaretAtEnd)
{
    const Sheet& sheet = *page.pSheet;
    const QString sText = qtText(sheet.cellText(sheet.currentColumn(), sheet.currentRow()));
    if (page.pEditor->text() != sText) {
        const QSignalBlocker blocker(page.pEditor);
        page.pEditor->setText(sText);
    }
    page.pEditor->deselect();
    page.pEditor->setCursorPosition(bCaretAtEnd ? static_cast<int>(sText.size()) : 0);
    if (!page.pEditor->hasFocus() && page.pEditor->isEnabled()) page.pEditor->setFocus();
}

void TDataWindowForm::SetCurrentCell(std::uint32_t uColumn, std::uint32_t uRow, bool bCaretAtEnd)
{
    m_workbook.SetCurrentCell(uColumn, uRow);
    if (bCaretAtEnd)
        if (SheetPage* pPage = activePage()) loadEditor(*pPage, true);
}

void TDataWindowForm::workbookModified()
{
    if (m_pFrame && mdiGeometry() != m_workbook.dataWindowGeometry()) applyFrameGeometry();
    emit sessionModified();
}

void TDataWindowForm::sheetsChanged()
{
    syncPages();
}

void TDataWindowForm::cellsChanged(const Sheet& sheet)
{
    SheetPage* pPage = pageOf(sheet);
    if (!pPage) return;
    applySizes(*pPage);
    pPage->pModel->refresh();
    // Paste, clear and reading a session change cells under the editor too.
    const QString sText = qtText(sheet.cellText(sheet.currentColumn(), sheet.currentRow()));
    if (pPage->pEditor->text() != sText) {
        const QSignalBlocker blocker(pPage->pEditor);
        pPage->pEditor->setText(sText);
    }
}

void TDataWindowForm::currentCellChanged(const Sheet& sheet)
{
    SheetPage* pPage = pageOf(sheet);
    if (!pPage || pPage != activePage()) return;
    updateCellArea();
    m_navigator.ScrollIntoView(sheet.currentColumn(), sheet.currentRow());
    showView();
    loadEditor(*pPage, false);
}

void TDataWindowForm::editorTextEdited(const QString& sText)
{
    const Sheet& sheet = m_workbook.activeSheet();
    m_pHistory->Type(sheet.currentColumn(), sheet.currentRow(), sText.toUtf8().toStdString());
}

bool TDataWindowForm::editKey(QKeyEvent* pEvent)
{
    if ((pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) !=
        Qt::NoModifier)
        return false;
    switch (pEvent->key()) {
        case Qt::Key_Escape: {
            // The text the cell had when it was entered, caret before the first character.
            if (!m_pHistory->RevertVisit()) return false;
            if (SheetPage* pPage = activePage()) loadEditor(*pPage, false);
            return true;
        }
        case Qt::Key_Delete:
        case Qt::Key_Backspace: {
            // With more than one cell selected the keys clear them all: the current cell
            // alone is hidden among them.
            const CellRange& selection = m_workbook.Selection();
            if (selection.uLeft == selection.uRight && selection.uTop == selection.uBottom) return false;
            m_pHistory->Record(QStringLiteral("Clear Cells"),
                               [this] { return ClearSelection(m_workbook, false, m_services.messages); });
            showView();
            return true;
        }
        default: return false;
    }
}

bool TDataWindowForm::editorKey(QKeyEvent* pEvent)
{
    const Qt::KeyboardModifiers modifiers =
        pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool bPlain = modifiers == Qt::NoModifier;
    const bool bShift = modifiers == Qt::ShiftModifier;
    std::optional<GridKey> key;
    switch (pEvent->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // Tab stays in the grid, unless Ctrl is held, a dialog runs or another window
            // is active.
            if ((pEvent->modifiers() & Qt::ControlModifier) || m_bDialogOpen || !isActiveWindow()) return false;
            key = (pEvent->key() == Qt::Key_Backtab || bShift) ? GridKey::ShiftTab : GridKey::Tab;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (bPlain) key = GridKey::Enter;
            if (bShift) key = GridKey::ShiftEnter;
            if (!key) return true;  // never a character of the cell
            break;
        case Qt::Key_Down: key = bPlain ? GridKey::Down : bShift ? GridKey::ShiftDown : key; break;
        case Qt::Key_Up: key = bPlain ? GridKey::Up : bShift ? GridKey::ShiftUp : key; break;
        case Qt::Key_Left: key = bPlain ? GridKey::Left : bShift ? GridKey::ShiftLeft : key; break;
        case Qt::Key_Right: key = bPlain ? GridKey::Right : bShift ? GridKey::ShiftRight : key; break;
        case Qt::Key_Home:
            if (bPlain) key = GridKey::Home;
            break;
        case Qt::Key_End:
            if (bPlain) key = GridKey::End;
            break;
        case Qt::Key_PageDown:
            if (bPlain) key = GridKey::PageDown;
            break;
        case Qt::Key_PageUp:
            if (bPlain) key = GridKey::PageUp;
            break;
        default: break;
    }
    if (!key) return false;
    QLineEdit* pEditor = cellEditor();
    const EditorCaret caret =
        EditorCaret::Of(static_cast<int>(pEditor->text().size()), pEditor->cursorPosition(), pEditor->selectionStart(),
                        static_cast<int>(pEditor->selectedText().size()));
    const KeyOutcome outcome = m_navigator.PressKey(*key, caret);
    if (!outcome.bHandled) return false;
    showView();
    if (outcome.bCaretAtEnd)
        if (QLineEdit* pNew = cellEditor()) pNew->end(false);
    return true;
}

void TDataWindowForm::tabPressed()
{
    const qint64 iNow = m_clock();
    if (m_iLastTabPress >= 0 && iNow - m_iLastTabPress < kTabDoubleClickMs) {
        m_iLastTabPress = -1;
        // After the press has reached the tabs, not from inside it.
        QTimer::singleShot(0, this, &TDataWindowForm::RenameSheet);
        return;
    }
    m_iLastTabPress = iNow;
}

void TDataWindowForm::drag(QPoint cellAreaPosition)
{
    // Every move stops the repetition; a move beyond the cells in view starts it again.
    m_autoScroll.stop();
    m_lastDrag = cellAreaPosition;
    if (m_navigator.Drag(cellAreaPosition.x(), cellAreaPosition.y())) m_autoScroll.start();
    showView();
}

void TDataWindowForm::endDrag()
{
    m_autoScroll.stop();
    m_navigator.Release();
    if (QLineEdit* pEditor = cellEditor()) pEditor->setFocus();
}

bool TDataWindowForm::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (!m_pTabs) return false;  // being destroyed
    if (SheetPage* pPage = activePage(); pPage && pWatched == pPage->pEditor) {
        switch (pEvent->type()) {
            case QEvent::KeyPress:
                if (editKey(static_cast<QKeyEvent*>(pEvent)) || editorKey(static_cast<QKeyEvent*>(pEvent))) return true;
                break;
            case QEvent::ShortcutOverride: {
                // The Edit commands of the main window work on cells, not on the editor's text.
                const auto* pKey = static_cast<QKeyEvent*>(pEvent);
                // Undo and Redo take back whole steps of the workbook, typing in this cell
                // included, rather than the editor's own keys.
                const QKeyCombination combination = pKey->keyCombination();
                const bool bHistoryKey = pKey->matches(QKeySequence::Undo) || pKey->matches(QKeySequence::Redo) ||
                                         combination == QKeyCombination(Qt::CTRL | Qt::Key_Y) ||
                                         combination == QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
                if (bHistoryKey || pKey->matches(QKeySequence::Cut) || pKey->matches(QKeySequence::Copy) ||
                    pKey->matches(QKeySequence::Paste) || pKey->matches(QKeySequence::SelectAll)) {
                    pEvent->ignore();
                    return true;
                }
                break;
            }
            case QEvent::MouseButtonPress:
                if (static_cast<QMouseEvent*>(pEvent)->button() == Qt::LeftButton) m_navigator.PressEditor();
                break;
            case QEvent::MouseMove: {
                const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
                if (m_navigator.mouseMode() == MouseMode::Cells && (pMouse->buttons() & Qt::LeftButton))
                    drag(pPage->pEditor->mapTo(pPage->pGrid->viewport(), pMouse->position().toPoint()));
                break;
            }
            case QEvent::MouseButtonRelease:
                if (m_navigator.mouseMode() != MouseMode::None) endDrag();
                break;
            default: break;
        }
        return false;
    }
    // Qt delivers the second press of a quick pair as a double click: it is a mouse-down too.
    if ((pWatched == m_pTabs->tabBar() || pWatched == m_pTabs) &&
        (pEvent->type() == QEvent::MouseButtonPress || pEvent->type() == QEvent::MouseButtonDblClick)) {
        tabPressed();
        return false;
    }
    if (pWatched == m_pFrame && (pEvent->type() == QEvent::Move || pEvent->type() == QEvent::Resize)) {
        trackFrame();
        return false;
    }
    if (pEvent->type() == QEvent::Resize) {
        if (SheetPage* pPage = activePage(); pPage && pWatched == pPage->pGrid->viewport()) showView();
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void TDataWindowForm::showEvent(QShowEvent* pEvent)
{
    QWidget::showEvent(pEvent);
    if (m_bShownOnce) return;
    m_bShownOnce = true;
    layout()->activate();
    // The default width reaches 40 pixels past the help button with the hint on one line,
    // however narrow the window first shows.
    const int iHintShortfall = std::max(0, m_pPanelLabel->sizeHint().width() - m_pPanelLabel->width());
    const int iWidth = m_pHelpButton->mapTo(this, QPoint(m_pHelpButton->width(), 0)).x() + iHintShortfall + 40;
    WindowGeometry geometry;
    geometry.iWidth = iWidth;
    m_workbook.setDefaultDataWindowGeometry(geometry);
    m_pFrame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (m_pFrame) {
        m_pFrame->installEventFilter(this);
        m_workbook.setDataWindowGeometry(geometry);
        applyFrameGeometry();
    }
    showView();
    if (SheetPage* pPage = activePage()) loadEditor(*pPage, false);
    emit firstShown();
}

void TDataWindowForm::closeEvent(QCloseEvent* pEvent)
{
    // The one data window of a session lives as long as the main window; New empties it.
    if (m_pFrame) {
        pEvent->ignore();
        return;
    }
    QWidget::closeEvent(pEvent);
}

void TDataWindowForm::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    showView();
}

WindowGeometry TDataWindowForm::mdiGeometry() const
{
    if (!m_pFrame) return m_workbook.dataWindowGeometry();
    // A sub-window has no normal geometry of its own (Qt gives an empty one while it is
    // minimized or maximized): the place it last had, kept in the workbook, stays.
    WindowGeometry geometry = m_workbook.dataWindowGeometry();
    geometry.iState = m_pFrame->isMinimized() ? 1 : m_pFrame->isMaximized() ? 2 : 0;
    if (geometry.iState != 0) return geometry;
    const QRect rect = m_pFrame->geometry();
    geometry.iTop = rect.top();
    geometry.iLeft = rect.left();
    geometry.iHeight = rect.height();
    geometry.iWidth = rect.width();
    return geometry;
}

void TDataWindowForm::trackFrame()
{
    if (m_iSyncing > 0 || !m_pFrame) return;
    m_workbook.setDataWindowGeometry(mdiGeometry());
}

void TDataWindowForm::applyFrameGeometry()
{
    if (!m_pFrame) return;
    ++m_iSyncing;
    const WindowGeometry& geometry = m_workbook.dataWindowGeometry();
    if (geometry.iState == 0) m_pFrame->showNormal();
    m_pFrame->setGeometry(geometry.iLeft, geometry.iTop, geometry.iWidth, geometry.iHeight);
    if (geometry.iState == 1) m_pFrame->showMinimized();
    if (geometry.iState == 2) m_pFrame->showMaximized();
    --m_iSyncing;
}

void TDataWindowForm::SelectAll()
{
    m_navigator.SelectAll();
    showView();
}

void TDataWindowForm::Cut()
{
    m_pHistory->Record(QStringLiteral("Cut"), [this] {
        const std::optional<String> sText = CutSelection(m_workbook, m_services.messages);
        if (sText) m_services.clipboard.setText(sText->view());
        return sText.has_value();
    });
    showView();
}

void TDataWindowForm::Copy()
{
    if (const std::optional<String> sText = CopySelection(m_workbook, m_services.messages)) {
        WaitCursorGuard hourglass;
        m_services.clipboard.setText(sText->view());
    }
}

void TDataWindowForm::Paste()
{
    std::string sText;
    {
        WaitCursorGuard hourglass;
        sText = m_services.clipboard.text();
    }
    m_pHistory->Record(QStringLiteral("Paste"), [&] {
        PasteText(m_workbook, sText);
        return true;
    });
    showView();
}

void TDataWindowForm::ClearCells()
{
    m_pHistory->Record(QStringLiteral("Clear Cells"),
                       [this] { return ClearSelection(m_workbook, true, m_services.messages); });
    showView();
}

void TDataWindowForm::AddSheet()
{
    m_pHistory->Record(QStringLiteral("Add Sheet"), [this] {
        m_workbook.AddSheet();
        return true;
    });
}

void TDataWindowForm::DeleteSheet()
{
    m_pHistory->Record(QStringLiteral("Delete Sheet"), [this] { return m_workbook.DeleteSheet(m_services.messages); });
}

void TDataWindowForm::RenameSheet()
{
    DialogOpenScope scope(*this);
    m_pHistory->Record(QStringLiteral("Rename Sheet"), [this] { return m_pNameDialog->Execute(); });
    if (QLineEdit* pEditor = cellEditor()) pEditor->setFocus();
}

void TDataWindowForm::MoveSheets()
{
    DialogOpenScope scope(*this);
    m_pHistory->Record(QStringLiteral("Move Sheets"), [this] { return m_pMoveDialog->Execute(); });
    if (QLineEdit* pEditor = cellEditor()) pEditor->setFocus();
}

void TDataWindowForm::ImportSheet()
{
    const std::optional<std::string> sFile = m_services.fileDialogs.openFile("Import File", "*.txt", kImportFilter);
    if (!sFile) return;
    ImportFile(*sFile);
}

bool TDataWindowForm::ImportFile(const std::string& sFileName)
{
    ImportNotes notes;
    const bool bImported =
        RecordImport([&] { return ImportDataFile(m_workbook, sFileName, m_services.messages, &notes); });
    if (auto* pMain = qobject_cast<QMainWindow*>(window()); pMain && notes.bDecimalComma)
        pMain->statusBar()->showMessage(QString::fromUtf8(kDecimalCommaNote.data(), kDecimalCommaNote.size()));
    return bImported;
}

bool TDataWindowForm::RecordImport(const std::function<bool()>& import)
{
    return m_pHistory->Record(QStringLiteral("Import"), import);
}

void TDataWindowForm::ExportSheet()
{
    const std::optional<std::string> sFile =
        m_services.fileDialogs.saveFile("Export File", "*.txt", kExportFilter, "", true);
    if (!sFile) return;
    HalvrennInc::ExportSheet(m_workbook, *sFile, m_services.messages);
}

void TDataWindowForm::Print()
{
    PrintSheet(m_workbook.activeSheet(), m_services.printer, cellFontPixelHeight(), m_services.messages);
}

void TDataWindowForm::setTabsAtBottom(bool bBottom)
{
    m_pTabs->setTabPosition(bBottom ? QTabWidget::South : QTabWidget::North);
}

}  // namespace HalvrennInc
