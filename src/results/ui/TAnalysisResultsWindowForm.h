// Ostrel-Vane Studio - the results window of one analysis: seven pages (the plot, the
// table of changes and the CUSUM chart of the values, the same three of the variation,
// and the assumptions report), each a view in a white scroll box, and a bottom panel
// with the data-source line and the Menu, Print, Copy and Help buttons, which act on the
// page showing. The chart options are entries at the top of the views' popup menus; the
// window keeps their ticks in step with the analysis and with the plot options dialog.
//
// The window shares the results with the session document that saves them; the views
// show the results' plots and drawings without owning them.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>

#include "graphics/SizeMode.h"
#include "workbook/SessionFile.h"

class QAction;
class QLabel;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QScrollArea;
class QTabWidget;

namespace HalvrennInc {

class AnalysisResults;
class TDrawingControl;
class TGraphicControl;
class TPlotControl;
struct PlatformServices;

//! The pages in their order, which is also the order of the size modes in the session.
enum ResultsPage : int {
    rpPlotValues = 0,
    rpTableChangesValues = 1,
    rpCusumValues = 2,
    rpPlotVariation = 3,
    rpTableChangesVariation = 4,
    rpCusumVariation = 5,
    rpAssumptions = 6,
};

//! The chart options inserted into the views' popup menus.
enum class ResultsEntry : int {
    // values plot
    ValuesAllChanges,
    ValuesAverageChanges,
    ValuesVariationChanges,
    ValuesNoChanges,
    ValuesLimits,
    ValuesConnect,
    ValuesShowAll,
    ValuesSpace,
    // values CUSUM chart
    ValuesCusumBackground,
    // variation plot
    VariationBackground,
    VariationMedian,
    VariationAverage,
    VariationLimits,
    VariationConnect,
    VariationShowAll,
    VariationSpace,
    // variation CUSUM chart
    VariationCusumBackground,
};
inline constexpr int kResultsEntryCount = static_cast<int>(ResultsEntry::VariationCusumBackground) + 1;

class TAnalysisResultsWindowForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 30;
    //! The tag of a results window among the main window's children, and its record type.
    static constexpr int kTag = static_cast<int>(SessionWindowType::ResultsWindow);
    //! Pixels left around the picture of every view.
    static constexpr double kViewMargin = 10.0;

    //! Shows the results of a completed analysis: the four charts and three drawings go
    //! to their views, the data-source line and the caption are the analysis's. The tabs
    //! are at the bottom or the top as the main window's setting says. The owner marks
    //! the session modified once it has placed the window.
    TAnalysisResultsWindowForm(PlatformServices& services, std::shared_ptr<AnalysisResults> pResults,
                               bool bTabsAtBottom, QWidget* pParent = nullptr);
    //! The window of a stored window record: the results, then the active page, the size
    //! modes and (once it is placed in the main window's area) the geometry. Null when the
    //! record cannot be shown: a page outside 0..6, a size mode that is none, or results
    //! without charts.
    static std::unique_ptr<TAnalysisResultsWindowForm> FromRecord(PlatformServices& services,
                                                                  const SessionWindow& record, bool bTabsAtBottom,
                                                                  QWidget* pParent = nullptr);
    ~TAnalysisResultsWindowForm() override;

    //! The window record the session file writes: geometry, active page, the results
    //! (their plots with the user's options) and the size modes in page order.
    SessionWindow Record() const;

    AnalysisResults& Results() const { return *m_pResults; }
    const std::shared_ptr<AnalysisResults>& SharedResults() const { return m_pResults; }

    QTabWidget* PageControl() const { return m_pPageControl; }
    int ActivePage() const;
    void SetActivePage(int iPage);
    //! The view of a page, and the scroll box around it.
    TGraphicControl* View(int iPage) const { return m_views[static_cast<std::size_t>(iPage)]; }
    QScrollArea* ScrollBox(int iPage) const { return m_scrollBoxes[static_cast<std::size_t>(iPage)]; }
    TPlotControl* PlotValuesPlotControl() const { return m_pPlotValues; }
    TDrawingControl* TableChangesValuesDrawingControl() const { return m_pTableValues; }
    TPlotControl* CUSUMValuesPlotControl() const { return m_pCusumValues; }
    TPlotControl* PlotVariationPlotControl() const { return m_pPlotVariation; }
    TDrawingControl* TableChangesVariationDrawingControl() const { return m_pTableVariation; }
    TPlotControl* CUSUMVariationPlotControl() const { return m_pCusumVariation; }
    TDrawingControl* AssumptionsDrawingControl() const { return m_pAssumptions; }
    //! A chart option of the popup menus.
    QAction* Entry(ResultsEntry entry) const { return m_entries[static_cast<std::size_t>(entry)]; }

    QLabel* DataSourceLabel() const { return m_pDataSourceLabel; }
    QPushButton* MenuButton() const { return m_pMenuButton; }
    QPushButton* PrintButton() const { return m_pPrintButton; }
    QPushButton* CopyButton() const { return m_pCopyButton; }
    QPushButton* HelpButton() const { return m_pHelpButton; }
    //! Writes the page showing to a picture file (the views' "Save Picture As...").
    QPushButton* SavePictureButton() const { return m_pSavePictureButton; }

    //! The size a new window opens with: room for a chart and all the page tabs.
    QSize sizeHint() const override;

    //! The page tabs at the bottom or at the top.
    void SetTabsAtBottom(bool bBottom);

    //! The place of the window in the main window's area: its frame's position, size and
    //! state (the normal geometry when minimized or maximized), else its own.
    WindowGeometry Geometry() const;
    //! Places the window; in the main window's area this takes effect when it is shown.
    void SetGeometry(const WindowGeometry& geometry);

public slots:
    //! Pops up the menu of the view showing, at the centre of the pages.
    void MenuButtonClick();
    //! The print dialog; unless cancelled, the view showing goes to the printer.
    void PrintButtonClick();
    //! The picture of the view showing goes to the clipboard.
    void CopyButtonClick();

signals:
    //! Something the session file keeps has changed.
    void sessionModified();

protected:
    void showEvent(QShowEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void buildPages();
    void buildPanel();
    //! The views show the results: plots, drawings, the data-source line, the caption.
    void showResults();
    //! The scroll boxes white, the popup menus on the whole page with their entries.
    void fillWindow();
    void insertEntries();
    QAction* addEntry(QMenu* pMenu, QAction* pBefore, ResultsEntry entry, const char* psCaption, bool bCheckable);
    //! The ticks follow the analysis's display settings.
    void tickEntries();
    void EntryClick(ResultsEntry entry);
    //! The end of a command: ticks as the settings are, and when it changed anything, the
    //! views redrawn and the session modified.
    void finishCommand(bool bChanged, std::initializer_list<TGraphicControl*> views);
    static void Redraw(TGraphicControl* pView);

    void PlotValuesPlotControlChange();
    void PlotVariationPlotControlChange();
    //! The plot options dialog changed a plot: its connect tick and limits tick follow the
    //! lines, and the analysis settings with them.
    void FollowPlotOptions(TPlotControl* pView, ResultsEntry connectEntry, ResultsEntry limitsEntry,
                           std::uint32_t uDataLine, std::uint32_t uUclLine, std::uint32_t uLclLine);
    void ChangeOccurred();
    void applyGeometry();
    //! Remembers the frame's place while it is neither minimized nor maximized.
    void keepNormalGeometry();

    PlatformServices& m_services;
    std::shared_ptr<AnalysisResults> m_pResults;

    QTabWidget* m_pPageControl = nullptr;
    std::array<QScrollArea*, kResultsPageCount> m_scrollBoxes{};
    std::array<TGraphicControl*, kResultsPageCount> m_views{};
    TPlotControl* m_pPlotValues = nullptr;
    TDrawingControl* m_pTableValues = nullptr;
    TPlotControl* m_pCusumValues = nullptr;
    TPlotControl* m_pPlotVariation = nullptr;
    TDrawingControl* m_pTableVariation = nullptr;
    TPlotControl* m_pCusumVariation = nullptr;
    TDrawingControl* m_pAssumptions = nullptr;
    std::array<QAction*, kResultsEntryCount> m_entries{};

    QLabel* m_pDataSourceLabel = nullptr;
    QPushButton* m_pMenuButton = nullptr;
    QPushButton* m_pPrintButton = nullptr;
    QPushButton* m_pCopyButton = nullptr;
    QPushButton* m_pHelpButton = nullptr;
    QPushButton* m_pSavePictureButton = nullptr;

    QPointer<QMdiSubWindow> m_pFrame;  //!< the sub-window of the main window's area, once shown there
    std::optional<WindowGeometry> m_pendingGeometry;
    QRect m_normalGeometry;  //!< the frame's place when it was last shown normal
    int m_iQuiet = 0;        //!< >0 while the window sets itself up: no modification is reported
};

}  // namespace HalvrennInc
