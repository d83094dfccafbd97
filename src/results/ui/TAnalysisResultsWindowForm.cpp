// Ostrel-Vane Studio - the results window of one analysis.
#include "results/ui/TAnalysisResultsWindowForm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "graphics/Plot.h"
#include "graphics/ui/TDrawingControl.h"
#include "graphics/ui/TPlotControl.h"
#include "platform/DesktopServices.h"
#include "platform/WaitCursor.h"
#include "results/AnalysisResults.h"
#include "results/ResultsCharts.h"

namespace HalvrennInc {

namespace {

struct PageInfo {
    const char* psCaption;
    const char* psViewName;
    bool bPlot;
};
constexpr std::array<PageInfo, kResultsPageCount> kPages = {{
    {"Plot - &Values", "PlotValuesPlotControl", true},
    {"&Table Changes - Values", "TableChangesValuesDrawingControl", false},
    {"C&USUM - Values", "CUSUMValuesPlotControl", true},
    {"P&lot - Variation", "PlotVariationPlotControl", true},
    {"Ta&ble Changes - Variation", "TableChangesVariationDrawingControl", false},
    {"CU&SUM - Variation", "CUSUMVariationPlotControl", true},
    {"Assu&mptions", "AssumptionsDrawingControl", false},
}};

constexpr TColor kWhite = 0xFFFFFF;
constexpr int kPanelHeight = 41;
constexpr int kNewWindowWidth = 820;
constexpr int kNewWindowHeight = 560;
const QString kDefaultCaption = QStringLiteral("Analysis Results - ");

QString qtText(const String& sText)
{
    return QString::fromUtf8(sText.c_str(), static_cast<qsizetype>(sText.length()));
}

QPushButton* makeButton(QWidget* pParent, const char* psName, const QString& sCaption, const char* psHint)
{
    auto* pButton = new QPushButton(sCaption, pParent);
    pButton->setObjectName(QString::fromLatin1(psName));
    pButton->setToolTip(QString::fromLatin1(psHint));
    pButton->setStatusTip(QString::fromLatin1(psHint));
    pButton->setAutoDefault(false);
    return pButton;
}

//! Scope in which the window reports no modification.
class QuietScope {
public:
    explicit QuietScope(int& iQuiet) : m_iQuiet(iQuiet) { ++m_iQuiet; }
    ~QuietScope() { --m_iQuiet; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

private:
    int& m_iQuiet;
};

}  // namespace

TAnalysisResultsWindowForm::TAnalysisResultsWindowForm(PlatformServices& services,
                                                       std::shared_ptr<AnalysisResults> pResults, bool bTabsAtBottom,
                                                       QWidget* pParent)
    : QWidget(pParent),
      m_services(services),
      m_pResults(pResults ? std::move(pResults) : std::make_shared<AnalysisResults>(nullptr))
{
    const QuietScope quiet(m_iQuiet);
    setObjectName(QStringLiteral("AnalysisResultsWindowForm"));
    setWindowTitle(kDefaultCaption);
    buildPages();
    buildPanel();
    SetTabsAtBottom(bTabsAtBottom);
    showResults();
    fillWindow();
}

std::unique_ptr<TAnalysisResultsWindowForm> TAnalysisResultsWindowForm::FromRecord(PlatformServices& services,
                                                                                   const SessionWindow& record,
                                                                                   bool bTabsAtBottom, QWidget* pParent)
{
    if (record.type != SessionWindowType::ResultsWindow || record.uActivePage >= kResultsPageCount ||
        !record.pResults || !record.pResults->Built())
        return nullptr;
    for (const std::int32_t iMode : record.piSizeModes)
        if (!IsSizeMode(iMode)) return nullptr;

    auto pWindow = std::make_unique<TAnalysisResultsWindowForm>(services, record.pResults, bTabsAtBottom, pParent);
    const QuietScope quiet(pWindow->m_iQuiet);
    pWindow->SetActivePage(static_cast<int>(record.uActivePage));
    for (std::size_t k = 0; k < kResultsPageCount; ++k)
        pWindow->m_views[k]->vdSetSizeMode(static_cast<SizeMode>(record.piSizeModes[k]));
    pWindow->SetGeometry(record.geometry);
    return pWindow;
}

TAnalysisResultsWindowForm::~TAnalysisResultsWindowForm()
{
    ++m_iQuiet;
    if (m_pFrame) m_pFrame->removeEventFilter(this);
    // The views show the results' plots and drawings: they go first.
    disconnect(m_pPageControl, nullptr, this, nullptr);
    delete m_pPageControl;
    m_pPageControl = nullptr;
    m_views.fill(nullptr);
}

// ---------------------------------------------------------------------------------------
// Building

void TAnalysisResultsWindowForm::buildPages()
{
    m_pPageControl = new QTabWidget(this);
    m_pPageControl->setObjectName(QStringLiteral("PageControl"));
    m_pPageControl->setUsesScrollButtons(true);
    m_pPageControl->setElideMode(Qt::ElideNone);
    for (std::size_t k = 0; k < kResultsPageCount; ++k) {
        const PageInfo& page = kPages[k];
        auto* pScrollBox = new QScrollArea;
        pScrollBox->setObjectName(QStringLiteral("ScrollBox%1").arg(k + 1));
        pScrollBox->setFrameShape(QFrame::NoFrame);
        TGraphicControl* pView = nullptr;
        if (page.bPlot) {
            auto* pPlotView = new TPlotControl(m_services);
            pPlotView->SetHelpContext(kHelpContext);
            pView = pPlotView;
        } else {
            pView = new TDrawingControl(m_services);
        }
        pView->setObjectName(QString::fromLatin1(page.psViewName));
        pView->SetColor(kWhite);
        pView->vdSetMargin(kViewMargin);
        pScrollBox->setWidget(pView);
        m_scrollBoxes[k] = pScrollBox;
        m_views[k] = pView;
        m_pPageControl->addTab(pScrollBox, QString::fromLatin1(page.psCaption));
    }
    m_pPlotValues = static_cast<TPlotControl*>(m_views[rpPlotValues]);
    m_pTableValues = static_cast<TDrawingControl*>(m_views[rpTableChangesValues]);
    m_pCusumValues = static_cast<TPlotControl*>(m_views[rpCusumValues]);
    m_pPlotVariation = static_cast<TPlotControl*>(m_views[rpPlotVariation]);
    m_pTableVariation = static_cast<TDrawingControl*>(m_views[rpTableChangesVariation]);
    m_pCusumVariation = static_cast<TPlotControl*>(m_views[rpCusumVariation]);
    m_pAssumptions = static_cast<TDrawingControl*>(m_views[rpAssumptions]);

    connect(m_pPlotValues, &TGraphicControl::OnChange, this, &TAnalysisResultsWindowForm::PlotValuesPlotControlChange);
    connect(m_pPlotVariation, &TGraphicControl::OnChange, this,
            &TAnalysisResultsWindowForm::PlotVariationPlotControlChange);
    for (TGraphicControl* pView : {static_cast<TGraphicControl*>(m_pTableValues), m_views[rpCusumValues],
                                   static_cast<TGraphicControl*>(m_pTableVariation), m_views[rpCusumVariation],
                                   static_cast<TGraphicControl*>(m_pAssumptions)})
        connect(pView, &TGraphicControl::OnChange, this, &TAnalysisResultsWindowForm::ChangeOccurred);
    connect(m_pPageControl, &QTabWidget::currentChanged, this, &TAnalysisResultsWindowForm::ChangeOccurred);
}

void TAnalysisResultsWindowForm::buildPanel()
{
    auto* pPanel = new QWidget(this);
    pPanel->setObjectName(QStringLiteral("ButtonPanel"));
    pPanel->setFixedHeight(kPanelHeight);
    m_pDataSourceLabel = new QLabel(pPanel);
    m_pDataSourceLabel->setObjectName(QStringLiteral("DataSourceLabel"));
    // A long description is cut at the buttons rather than widening the window.
    m_pDataSourceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_pMenuButton =
        makeButton(pPanel, "MenuButton", QStringLiteral("Menu"), "Display menu associated with current tab.");
    m_pPrintButton = makeButton(pPanel, "PrintButton", QStringLiteral("&Print"), "Print contents of current tab.");
    m_pCopyButton =
        makeButton(pPanel, "CopyButton", QStringLiteral("&Copy"), "Copy contents of current tab to clipboard.");
    m_pSavePictureButton = makeButton(pPanel, "SavePictureButton", QStringLiteral("Sa&ve Picture..."),
                                      "Save contents of current tab as an SVG, PNG or PDF file.");
    m_pHelpButton =
        makeButton(pPanel, "HelpButton", QStringLiteral("&Help"), "Display help on interpreting analysis results.");
    connect(m_pMenuButton, &QPushButton::clicked, this, &TAnalysisResultsWindowForm::MenuButtonClick);
    connect(m_pPrintButton, &QPushButton::clicked, this, &TAnalysisResultsWindowForm::PrintButtonClick);
    connect(m_pCopyButton, &QPushButton::clicked, this, &TAnalysisResultsWindowForm::CopyButtonClick);
    connect(m_pSavePictureButton, &QPushButton::clicked, this, [this] { View(ActivePage())->vdSavePicture(); });
    connect(m_pHelpButton, &QPushButton::clicked, this, [this] { m_services.help.showContext(kHelpContext); });

    auto* pPanelLayout = new QHBoxLayout(pPanel);
    pPanelLayout->setContentsMargins(8, 4, 8, 4);
    pPanelLayout->addWidget(m_pDataSourceLabel, 1);
    for (QPushButton* pButton : {m_pMenuButton, m_pPrintButton, m_pCopyButton, m_pSavePictureButton, m_pHelpButton})
        pPanelLayout->addWidget(pButton);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pPageControl, 1);
    pLayout->addWidget(pPanel);
}

void TAnalysisResultsWindowForm::showResults()
{
    AnalysisResults& results = *m_pResults;
    if (Plot* pPlot = results.ValuesPlot()) m_pPlotValues->vdSetPlot(*pPlot);
    if (Plot* pPlot = results.ValuesCusumChart()) m_pCusumValues->vdSetPlot(*pPlot);
    if (Plot* pPlot = results.VariationPlot()) m_pPlotVariation->vdSetPlot(*pPlot);
    if (Plot* pPlot = results.VariationCusumChart()) m_pCusumVariation->vdSetPlot(*pPlot);
    m_pTableValues->vdSetDrawing(results.ValuesTable());
    m_pTableVariation->vdSetDrawing(results.VariationTable());
    m_pAssumptions->vdSetDrawing(results.AssumptionsReport());

    const ChangePointAnalysis& analysis = results.Analysis();
    m_pDataSourceLabel->setText(qtText(analysis.sDataSource));
    if (!analysis.sCaption.empty()) setWindowTitle(qtText(analysis.sCaption));
}

void TAnalysisResultsWindowForm::fillWindow()
{
    for (std::size_t k = 0; k < kResultsPageCount; ++k) {
        QScrollArea* pScrollBox = m_scrollBoxes[k];
        QPalette colors = pScrollBox->viewport()->palette();
        colors.setColor(QPalette::Window, Qt::white);
        pScrollBox->viewport()->setPalette(colors);
        pScrollBox->viewport()->setAutoFillBackground(true);
        // A right click anywhere on the page opens the view's menu.
        pScrollBox->viewport()->installEventFilter(this);

        TGraphicControl* pView = m_views[k];
        QObject::disconnect(pView->PrintAction(), &QAction::triggered, pView, nullptr);
        QObject::disconnect(pView->CopyAction(), &QAction::triggered, pView, nullptr);
        connect(pView->PrintAction(), &QAction::triggered, this, &TAnalysisResultsWindowForm::PrintButtonClick);
        connect(pView->CopyAction(), &QAction::triggered, this, &TAnalysisResultsWindowForm::CopyButtonClick);
    }
    insertEntries();
    tickEntries();
}

QAction* TAnalysisResultsWindowForm::addEntry(QMenu* pMenu, QAction* pBefore, ResultsEntry entry, const char* psCaption,
                                              bool bCheckable)
{
    auto* pAction = new QAction(QString::fromLatin1(psCaption), this);
    pAction->setCheckable(bCheckable);
    pMenu->insertAction(pBefore, pAction);
    connect(pAction, &QAction::triggered, this, [this, entry] { EntryClick(entry); });
    m_entries[static_cast<std::size_t>(entry)] = pAction;
    return pAction;
}

void TAnalysisResultsWindowForm::insertEntries()
{
    using E = ResultsEntry;
    {
        QMenu* pMenu = m_pPlotValues->PopupMenu();
        QAction* pTop = pMenu->actions().value(0);
        auto* pBackground = new QActionGroup(this);
        pBackground->addAction(addEntry(pMenu, pTop, E::ValuesAllChanges, "Display All Changes in &Background", true));
        pBackground->addAction(
            addEntry(pMenu, pTop, E::ValuesAverageChanges, "Display &Average Changes in Background", true));
        pBackground->addAction(
            addEntry(pMenu, pTop, E::ValuesVariationChanges, "Display &Variation Changes in Background", true));
        pBackground->addAction(
            addEntry(pMenu, pTop, E::ValuesNoChanges, "&Do Not Display Changes in Background", true));
        pMenu->insertSeparator(pTop);
        addEntry(pMenu, pTop, E::ValuesLimits, "Display Control &Limits", true);
        addEntry(pMenu, pTop, E::ValuesConnect, "Co&nnect Points", true);
        addEntry(pMenu, pTop, E::ValuesShowAll, "S&how All Points in Window", false);
        addEntry(pMenu, pTop, E::ValuesSpace, "Space Points so &Each Visible", false);
    }
    {
        QMenu* pMenu = m_pCusumValues->PopupMenu();
        addEntry(pMenu, pMenu->actions().value(0), E::ValuesCusumBackground, "&Display Changes in Background", true);
    }
    {
        QMenu* pMenu = m_pPlotVariation->PopupMenu();
        QAction* pTop = pMenu->actions().value(0);
        addEntry(pMenu, pTop, E::VariationBackground, "&Display Changes in Background", true);
        pMenu->insertSeparator(pTop);
        auto* pDeviation = new QActionGroup(this);
        pDeviation->addAction(addEntry(pMenu, pTop, E::VariationMedian, "Use &Median Standard Deviation", true));
        pDeviation->addAction(addEntry(pMenu, pTop, E::VariationAverage, "Use Average S&tandard Deviation", true));
        pMenu->insertSeparator(pTop);
        addEntry(pMenu, pTop, E::VariationLimits, "Display Control &Limits", true);
        addEntry(pMenu, pTop, E::VariationConnect, "Co&nnect Points", true);
        addEntry(pMenu, pTop, E::VariationShowAll, "S&how All Points in Window", false);
        addEntry(pMenu, pTop, E::VariationSpace, "Space Points so &Each Visible", false);
    }
    {
        QMenu* pMenu = m_pCusumVariation->PopupMenu();
        addEntry(pMenu, pMenu->actions().value(0), E::VariationCusumBackground, "&Display Changes in Background", true);
    }
}

void TAnalysisResultsWindowForm::tickEntries()
{
    using E = ResultsEntry;
    const DisplaySettings& display = m_pResults->Analysis().display;
    Entry(E::ValuesAllChanges)->setChecked(display.uValuesBackground == vbAllChanges);
    Entry(E::ValuesAverageChanges)->setChecked(display.uValuesBackground == vbLevelChanges);
    Entry(E::ValuesVariationChanges)->setChecked(display.uValuesBackground == vbVariationChanges);
    Entry(E::ValuesNoChanges)->setChecked(display.uValuesBackground == vbNone);
    Entry(E::ValuesLimits)->setChecked(display.bValuesLimits);
    Entry(E::ValuesConnect)->setChecked(display.bValuesConnect);
    Entry(E::ValuesCusumBackground)->setChecked(display.bValuesCusumBackground);
    Entry(E::VariationBackground)->setChecked(display.bVariationBackground);
    Entry(E::VariationMedian)->setChecked(!display.bUseAverage);
    Entry(E::VariationAverage)->setChecked(display.bUseAverage);
    Entry(E::VariationLimits)->setChecked(display.bVariationLimits);
    Entry(E::VariationConnect)->setChecked(display.bVariationConnect);
    Entry(E::VariationCusumBackground)->setChecked(display.bVariationCusumBackground);
}

// ---------------------------------------------------------------------------------------
// The chart options of the popup menus

void TAnalysisResultsWindowForm::EntryClick(ResultsEntry entry)
{
    using E = ResultsEntry;
    AnalysisResults& r = *m_pResults;
    const DisplaySettings& d = r.Analysis().display;
    // The three views whose lines or table follow the standard deviation in use.
    const std::initializer_list<TGraphicControl*> deviationViews = {m_pPlotValues, m_pPlotVariation, m_pTableVariation};
    switch (entry) {
        case E::ValuesAllChanges: finishCommand(r.SetValuesBackground(vbAllChanges), {m_pPlotValues}); break;
        case E::ValuesAverageChanges: finishCommand(r.SetValuesBackground(vbLevelChanges), {m_pPlotValues}); break;
        case E::ValuesVariationChanges:
            finishCommand(r.SetValuesBackground(vbVariationChanges), {m_pPlotValues});
            break;
        case E::ValuesNoChanges: finishCommand(r.SetValuesBackground(vbNone), {m_pPlotValues}); break;
        case E::ValuesLimits: finishCommand(r.ShowValuesControlLimits(!d.bValuesLimits), {m_pPlotValues}); break;
        case E::ValuesConnect: finishCommand(r.ConnectValuesPoints(!d.bValuesConnect), {m_pPlotValues}); break;
        case E::ValuesShowAll: {
            const bool bChanged = r.ShowAllValuesPoints();
            m_pPlotValues->vdSizeToFit();
            finishCommand(bChanged, {m_pPlotValues});
            break;
        }
        case E::ValuesSpace: {
            const bool bChanged = r.SpaceValuesPoints();
            m_pPlotValues->vdSize150();
            finishCommand(bChanged, {m_pPlotValues});
            break;
        }
        case E::ValuesCusumBackground:
            finishCommand(r.SetValuesCusumBackground(!d.bValuesCusumBackground), {m_pCusumValues});
            break;
        case E::VariationBackground:
            finishCommand(r.SetVariationBackground(!d.bVariationBackground), {m_pPlotVariation});
            break;
        case E::VariationMedian: finishCommand(r.SetUseAverage(false), deviationViews); break;
        case E::VariationAverage: finishCommand(r.SetUseAverage(true), deviationViews); break;
        case E::VariationLimits:
            finishCommand(r.ShowVariationControlLimits(!d.bVariationLimits), {m_pPlotVariation});
            break;
        case E::VariationConnect:
            finishCommand(r.ConnectVariationPoints(!d.bVariationConnect), {m_pPlotVariation});
            break;
        case E::VariationShowAll: {
            const bool bChanged = r.ShowAllVariationPoints();
            m_pPlotVariation->vdSizeToFit();
            finishCommand(bChanged, {m_pPlotVariation});
            break;
        }
        case E::VariationSpace: {
            const bool bChanged = r.SpaceVariationPoints();
            m_pPlotVariation->vdSize150();
            finishCommand(bChanged, {m_pPlotVariation});
            break;
        }
        case E::VariationCusumBackground:
            finishCommand(r.SetVariationCusumBackground(!d.bVariationCusumBackground), {m_pCusumVariation});
            break;
    }
}

void TAnalysisResultsWindowForm::finishCommand(bool bChanged, std::initializer_list<TGraphicControl*> views)
{
    // A radio entry chosen again, or an option that already had its value, changes
    // nothing: the ticks are put back as the settings are and nothing is redrawn.
    tickEntries();
    if (!bChanged) return;
    for (TGraphicControl* pView : views) Redraw(pView);
    ChangeOccurred();
}

void TAnalysisResultsWindowForm::Redraw(TGraphicControl* pView)
{
    if (auto* pPlotView = qobject_cast<TPlotControl*>(pView)) pPlotView->vdRedraw();
    if (auto* pDrawingView = qobject_cast<TDrawingControl*>(pView)) pDrawingView->vdRedraw();
}

// ---------------------------------------------------------------------------------------
// Changes made through the plot options dialog

void TAnalysisResultsWindowForm::PlotValuesPlotControlChange()
{
    FollowPlotOptions(m_pPlotValues, ResultsEntry::ValuesConnect, ResultsEntry::ValuesLimits, kValuesDataLine,
                      kValuesUclLine, kValuesLclLine);
}

void TAnalysisResultsWindowForm::PlotVariationPlotControlChange()
{
    FollowPlotOptions(m_pPlotVariation, ResultsEntry::VariationConnect, ResultsEntry::VariationLimits,
                      kVariationDataLine, kVariationUclLine, kVariationLclLine);
}

void TAnalysisResultsWindowForm::FollowPlotOptions(TPlotControl* pView, ResultsEntry connectEntry,
                                                   ResultsEntry limitsEntry, std::uint32_t uDataLine,
                                                   std::uint32_t uUclLine, std::uint32_t uLclLine)
{
    ChangeOccurred();
    const Plot* pPlot = pView->GetPlot();
    if (!pPlot) return;
    const bool bValues = pView == m_pPlotValues;
    AnalysisResults& r = *m_pResults;
    bool bChanged = false;

    // Connecting the points also sets their symbol: none on a joined line, circles else.
    const LineInfo* pData = pPlot->Line(uDataLine);
    if (pData && pData->ConnectPoints != Entry(connectEntry)->isChecked()) {
        const bool bConnect = pData->ConnectPoints;
        bChanged |= bValues ? r.ConnectValuesPoints(bConnect) : r.ConnectVariationPoints(bConnect);
    }
    // The limits count as shown while both limit lines are drawn.
    const LineInfo* pUcl = pPlot->Line(uUclLine);
    const LineInfo* pLcl = pPlot->Line(uLclLine);
    const bool bShown = pUcl && pLcl && pUcl->Style != 0 && pLcl->Style != 0;
    if (bShown != Entry(limitsEntry)->isChecked())
        bChanged |= bValues ? r.ShowValuesControlLimits(bShown) : r.ShowVariationControlLimits(bShown);

    tickEntries();
    if (bChanged) pView->vdRedraw();
}

void TAnalysisResultsWindowForm::ChangeOccurred()
{
    if (m_iQuiet == 0) emit sessionModified();
}

// ---------------------------------------------------------------------------------------
// Buttons

int TAnalysisResultsWindowForm::ActivePage() const
{
    return m_pPageControl->currentIndex();
}

void TAnalysisResultsWindowForm::SetActivePage(int iPage)
{
    if (iPage >= 0 && iPage < static_cast<int>(kResultsPageCount)) m_pPageControl->setCurrentIndex(iPage);
}

void TAnalysisResultsWindowForm::MenuButtonClick()
{
    // The centre of the pages, on the screen.
    const QPoint centre =
        m_pPageControl->mapToGlobal(QPoint(m_pPageControl->width() / 2, m_pPageControl->height() / 2));
    View(ActivePage())->PopupMenu()->popup(centre);
}

void TAnalysisResultsWindowForm::PrintButtonClick()
{
    if (!m_services.printer.showPrintDialog()) return;
    WaitCursorGuard wait;
    try {
        View(ActivePage())->vdPrint();
    } catch (const std::exception&) {
        // A printer that fails leaves the window as it was.
    }
}

void TAnalysisResultsWindowForm::CopyButtonClick()
{
    View(ActivePage())->vdClipboard();
}

QSize TAnalysisResultsWindowForm::sizeHint() const
{
    // Wide enough for all seven page tabs in one row, within the screen.
    const int iTabs =
        m_pPageControl->tabBar()->sizeHint().width() + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    int iWidth = std::max(kNewWindowWidth, iTabs);
    if (const QScreen* pScreen = screen()) iWidth = std::min(iWidth, pScreen->availableGeometry().width() * 9 / 10);
    return {iWidth, kNewWindowHeight};
}

void TAnalysisResultsWindowForm::SetTabsAtBottom(bool bBottom)
{
    m_pPageControl->setTabPosition(bBottom ? QTabWidget::South : QTabWidget::North);
}

// ---------------------------------------------------------------------------------------
// The session record and the place of the window

SessionWindow TAnalysisResultsWindowForm::Record() const
{
    SessionWindow record;
    record.type = SessionWindowType::ResultsWindow;
    record.geometry = Geometry();
    record.uActivePage = static_cast<std::uint32_t>(std::max(ActivePage(), 0));
    for (std::size_t k = 0; k < kResultsPageCount; ++k) record.piSizeModes[k] = m_views[k]->Size();
    record.pResults = m_pResults;
    return record;
}

WindowGeometry TAnalysisResultsWindowForm::Geometry() const
{
    auto* pFrame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!pFrame && m_pendingGeometry) return *m_pendingGeometry;
    const QWidget* pWindow = pFrame ? static_cast<const QWidget*>(pFrame) : this;
    WindowGeometry geometry;
    geometry.iState = pWindow->isMinimized() ? 1 : pWindow->isMaximized() ? 2 : 0;
    QRect rect = pWindow->geometry();
    if (geometry.iState != 0) {
        // A sub-window has no normal geometry of its own: the place it last had is kept.
        if (!pFrame)
            rect = pWindow->normalGeometry();
        else if (m_normalGeometry.isValid())
            rect = m_normalGeometry;
    }
    geometry.iTop = rect.top();
    geometry.iLeft = rect.left();
    geometry.iHeight = rect.height();
    geometry.iWidth = rect.width();
    return geometry;
}

void TAnalysisResultsWindowForm::SetGeometry(const WindowGeometry& geometry)
{
    m_pendingGeometry = geometry;
    if (isVisible()) applyGeometry();
}

void TAnalysisResultsWindowForm::applyGeometry()
{
    if (!m_pendingGeometry) return;
    const WindowGeometry geometry = *m_pendingGeometry;
    m_pendingGeometry.reset();
    const QuietScope quiet(m_iQuiet);
    auto* pFrame = qobject_cast<QMdiSubWindow*>(parentWidget());
    QWidget* pWindow = pFrame ? static_cast<QWidget*>(pFrame) : this;
    if (geometry.iState == 0) pWindow->showNormal();
    pWindow->setGeometry(geometry.iLeft, geometry.iTop, geometry.iWidth, geometry.iHeight);
    m_normalGeometry = pWindow->geometry();
    if (geometry.iState == 1) pWindow->showMinimized();
    if (geometry.iState == 2) pWindow->showMaximized();
}

// ---------------------------------------------------------------------------------------
// Events

void TAnalysisResultsWindowForm::showEvent(QShowEvent* pEvent)
{
    QWidget::showEvent(pEvent);
    auto* pFrame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (pFrame != m_pFrame) {
        if (m_pFrame) m_pFrame->removeEventFilter(this);
        m_pFrame = pFrame;
        if (m_pFrame) m_pFrame->installEventFilter(this);
        if (m_pFrame) keepNormalGeometry();
    }
    applyGeometry();
}

void TAnalysisResultsWindowForm::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    if (isVisible()) ChangeOccurred();
}

void TAnalysisResultsWindowForm::closeEvent(QCloseEvent* pEvent)
{
    ChangeOccurred();
    QWidget::closeEvent(pEvent);
}

bool TAnalysisResultsWindowForm::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::ContextMenu) {
        for (std::size_t k = 0; k < kResultsPageCount; ++k) {
            if (m_scrollBoxes[k] && pWatched == m_scrollBoxes[k]->viewport()) {
                m_views[k]->PopupMenu()->popup(static_cast<QContextMenuEvent*>(pEvent)->globalPos());
                return true;
            }
        }
    }
    if (pWatched == m_pFrame && (pEvent->type() == QEvent::Move || pEvent->type() == QEvent::Resize)) {
        keepNormalGeometry();
        if (pEvent->type() == QEvent::Move && m_pFrame->isVisible()) ChangeOccurred();
    }
    return QWidget::eventFilter(pWatched, pEvent);
}

void TAnalysisResultsWindowForm::keepNormalGeometry()
{
    if (m_pFrame && !m_pFrame->isMinimized() && !m_pFrame->isMaximized()) m_normalGeometry = m_pFrame->geometry();
}

}  // namespace HalvrennInc
