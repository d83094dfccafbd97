// The results window: its pages and views, the bottom panel, the chart options of the
// popup menus with their ticks, what they redraw and when they mark the session
// modified, and the changes that come back from the plot options dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTimer>

#include "ResultsWindowTestSupport.h"
#include "graphics/ui/TPlotOptionsDialogBox.h"
#include "platform/qt/ModalDialogs.h"
#include "results/ResultsCharts.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {
using E = ResultsEntry;

// Counts the paint events of a widget.
struct PaintCounter : QObject {
    int iPaints = 0;
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Paint) ++iPaints;
        return false;
    }
};
}  // namespace

TEST(ResultsWindow, SevenPagesShowTheResultsAboveTheButtonPanel)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    AnalysisResults& r = w.results();
    EXPECT_EQ(window.windowTitle(), "Analysis Results - Sales");
    EXPECT_EQ(window.DataSourceLabel()->text(), "Data: Sheet 1, Column B, Rows 2 - 61");

    const std::vector<QString> captions = {"Plot - &Values",    "&Table Changes - Values",    "C&USUM - Values",
                                           "P&lot - Variation", "Ta&ble Changes - Variation", "CU&SUM - Variation",
                                           "Assu&mptions"};
    ASSERT_EQ(window.PageControl()->count(), 7);
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(window.PageControl()->tabText(k), captions[static_cast<std::size_t>(k)]);
        TGraphicControl* pView = window.View(k);
        EXPECT_EQ(window.ScrollBox(k)->widget(), pView);
        EXPECT_EQ(pView->Margin(), 10.0);
        EXPECT_EQ(pView->Size(), SizeToFit);
        EXPECT_EQ(pView->Color(), 0xFFFFFFu);
        EXPECT_EQ(window.ScrollBox(k)->viewport()->palette().color(QPalette::Window), QColor(Qt::white));
    }
    EXPECT_EQ(window.PlotValuesPlotControl()->GetPlot(), r.ValuesPlot());
    EXPECT_EQ(window.CUSUMValuesPlotControl()->GetPlot(), r.ValuesCusumChart());
    EXPECT_EQ(window.PlotVariationPlotControl()->GetPlot(), r.VariationPlot());
    EXPECT_EQ(window.CUSUMVariationPlotControl()->GetPlot(), r.VariationCusumChart());
    EXPECT_EQ(window.TableChangesValuesDrawingControl()->GetDrawing(), &r.ValuesTable());
    EXPECT_EQ(window.TableChangesVariationDrawingControl()->GetDrawing(), &r.VariationTable());
    EXPECT_EQ(window.AssumptionsDrawingControl()->GetDrawing(), &r.AssumptionsReport());
    for (TPlotControl* pView : {window.PlotValuesPlotControl(), window.CUSUMVariationPlotControl()}) {
        EXPECT_EQ(pView->HelpContext(), 30);
        EXPECT_EQ(pView->Mouse(), maDouble);
    }
    EXPECT_EQ(window.PageControl()->tabPosition(), QTabWidget::South);
    window.SetTabsAtBottom(false);
    EXPECT_EQ(window.PageControl()->tabPosition(), QTabWidget::North);

    EXPECT_EQ(window.MenuButton()->text(), "Menu");
    EXPECT_EQ(window.MenuButton()->toolTip(), "Display menu associated with current tab.");
    EXPECT_EQ(window.PrintButton()->text(), "&Print");
    EXPECT_EQ(window.PrintButton()->toolTip(), "Print contents of current tab.");
    EXPECT_EQ(window.CopyButton()->text(), "&Copy");
    EXPECT_EQ(window.CopyButton()->toolTip(), "Copy contents of current tab to clipboard.");
    EXPECT_EQ(window.HelpButton()->toolTip(), "Display help on interpreting analysis results.");
    EXPECT_EQ(window.DataSourceLabel()->parentWidget()->height(), 41);
    QTest::mouseClick(window.HelpButton(), Qt::LeftButton);
    EXPECT_EQ(w.platform.help.calls(), std::vector<std::string>{"context 30"});

    // Turning the pages marks the session modified.
    window.SetActivePage(rpAssumptions);
    EXPECT_EQ(window.ActivePage(), 6);
    EXPECT_EQ(w.iModified, 1);
}

TEST(ResultsWindow, ThePopupMenusBeginWithTheChartOptionsTickedAsTheAnalysisSays)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    EXPECT_EQ(
        Captions(*window.PlotValuesPlotControl()->PopupMenu(), 12),
        (std::vector<std::string>{"Display All Changes in &Background", "Display &Average Changes in Background",
                                  "Display &Variation Changes in Background", "&Do Not Display Changes in Background",
                                  "-", "Display Control &Limits", "Co&nnect Points", "S&how All Points in Window",
                                  "Space Points so &Each Visible", "Plot &Options...", "-", "&Size To Fit"}));
    EXPECT_EQ(Captions(*window.PlotVariationPlotControl()->PopupMenu(), 11),
              (std::vector<std::string>{"&Display Changes in Background", "-", "Use &Median Standard Deviation",
                                        "Use Average S&tandard Deviation", "-", "Display Control &Limits",
                                        "Co&nnect Points", "S&how All Points in Window",
                                        "Space Points so &Each Visible", "Plot &Options...", "-"}));
    for (TPlotControl* pView : {window.CUSUMValuesPlotControl(), window.CUSUMVariationPlotControl()})
        EXPECT_EQ(Captions(*pView->PopupMenu(), 2),
                  (std::vector<std::string>{"&Display Changes in Background", "Plot &Options..."}));
    for (TDrawingControl* pView : {window.TableChangesValuesDrawingControl(),
                                   window.TableChangesVariationDrawingControl(), window.AssumptionsDrawingControl()})
        EXPECT_EQ(Captions(*pView->PopupMenu(), 1), std::vector<std::string>{"&Size To Fit"});

    // A series with spread: all changes in the background, limits shown, points joined,
    // the median standard deviation.
    for (const E entry :
         {E::ValuesAllChanges, E::ValuesLimits, E::ValuesConnect, E::ValuesCusumBackground, E::VariationBackground,
          E::VariationMedian, E::VariationLimits, E::VariationConnect, E::VariationCusumBackground})
        EXPECT_TRUE(w.ticked(entry)) << static_cast<int>(entry);
    for (const E entry : {E::ValuesAverageChanges, E::ValuesVariationChanges, E::ValuesNoChanges, E::VariationAverage})
        EXPECT_FALSE(w.ticked(entry)) << static_cast<int>(entry);
    EXPECT_FALSE(window.Entry(E::ValuesShowAll)->isCheckable());
    EXPECT_FALSE(window.Entry(E::VariationSpace)->isCheckable());
}

TEST(ResultsWindow, ABackgroundEntryRedrawsTheValuesPlotOnlyWhenItChangesTheMode)
{
    ResultsWindow w;
    TPlotControl& view = *w.window().PlotValuesPlotControl();
    Mark(view);

    // Already ticked: nothing happens.
    w.click(E::ValuesAllChanges);
    EXPECT_EQ(w.display().uValuesBackground, vbAllChanges);
    EXPECT_TRUE(w.ticked(E::ValuesAllChanges));
    EXPECT_FALSE(Rebuilt(view));
    EXPECT_EQ(w.iModified, 0);

    const struct {
        E entry;
        std::uint8_t uMode;
    } steps[] = {{E::ValuesAverageChanges, vbLevelChanges},
                 {E::ValuesVariationChanges, vbVariationChanges},
                 {E::ValuesNoChanges, vbNone},
                 {E::ValuesAllChanges, vbAllChanges}};
    int iModified = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.uMode);
        Mark(view);
        w.click(step.entry);
        EXPECT_EQ(w.display().uValuesBackground, step.uMode);
        for (const E entry :
             {E::ValuesAllChanges, E::ValuesAverageChanges, E::ValuesVariationChanges, E::ValuesNoChanges})
            EXPECT_EQ(w.ticked(entry), entry == step.entry);
        EXPECT_TRUE(Rebuilt(view));
        EXPECT_EQ(w.iModified, ++iModified);
        // Chosen a second time it is already ticked.
        Mark(view);
        w.click(step.entry);
        EXPECT_TRUE(w.ticked(step.entry));
        EXPECT_FALSE(Rebuilt(view));
        EXPECT_EQ(w.iModified, iModified);
    }
}

TEST(ResultsWindow, SwitchingTheStandardDeviationRedrawsThreeViews)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    window.SetActivePage(rpPlotVariation);
    QTest::qWait(20);
    w.iModified = 0;
    PaintCounter paints;
    window.PlotVariationPlotControl()->installEventFilter(&paints);
    const Real rUclBefore = w.results().Analysis().prVariationUCL.at(0);

    Mark(*window.PlotValuesPlotControl());
    Mark(*window.PlotVariationPlotControl());
    Mark(*window.TableChangesVariationDrawingControl());
    Mark(*window.CUSUMVariationPlotControl());
    Mark(*window.TableChangesValuesDrawingControl());

    w.click(E::VariationAverage);
    EXPECT_TRUE(w.display().bUseAverage);
    EXPECT_TRUE(w.ticked(E::VariationAverage));
    EXPECT_FALSE(w.ticked(E::VariationMedian));
    EXPECT_FALSE(w.results().Analysis().prVariationUCL.at(0) == rUclBefore) << "the limits moved";
    EXPECT_TRUE(Rebuilt(*window.PlotValuesPlotControl()));
    EXPECT_TRUE(Rebuilt(*window.PlotVariationPlotControl()));
    EXPECT_TRUE(Rebuilt(*window.TableChangesVariationDrawingControl()));
    EXPECT_FALSE(Rebuilt(*window.CUSUMVariationPlotControl()));
    EXPECT_FALSE(Rebuilt(*window.TableChangesValuesDrawingControl()));
    EXPECT_EQ(w.iModified, 1);
    QTest::qWait(20);
    EXPECT_GT(paints.iPaints, 0) << "the view showing is repainted";

    // The average again changes nothing; the median goes back.
    Mark(*window.PlotVariationPlotControl());
    w.click(E::VariationAverage);
    EXPECT_FALSE(Rebuilt(*window.PlotVariationPlotControl()));
    EXPECT_EQ(w.iModified, 1);
    w.click(E::VariationMedian);
    EXPECT_FALSE(w.display().bUseAverage);
    EXPECT_TRUE(Rebuilt(*window.PlotVariationPlotControl()));
    EXPECT_TRUE(w.results().Analysis().prVariationUCL.at(0) == rUclBefore);
    EXPECT_EQ(w.iModified, 2);
}

TEST(ResultsWindow, TheToggleEntriesFollowTheSettingsOfTheirCharts)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    const Plot& values = *w.results().ValuesPlot();
    const Plot& variation = *w.results().VariationPlot();

    w.click(E::ValuesLimits);
    EXPECT_FALSE(w.display().bValuesLimits);
    EXPECT_FALSE(w.ticked(E::ValuesLimits));
    EXPECT_EQ(values.Line(kValuesUclLine)->Style, 0);
    EXPECT_EQ(values.Line(kValuesLclLine)->Style, 0);
    w.click(E::ValuesConnect);
    EXPECT_FALSE(values.Line(kValuesDataLine)->ConnectPoints);
    EXPECT_EQ(values.Line(kValuesDataLine)->PointStyle, 5);
    EXPECT_FALSE(w.ticked(E::ValuesConnect));
    w.click(E::VariationLimits);
    w.click(E::VariationConnect);
    EXPECT_EQ(variation.Line(kVariationUclLine)->Style, 0);
    EXPECT_FALSE(variation.Line(kVariationDataLine)->ConnectPoints);
    for (const E entry : {E::ValuesCusumBackground, E::VariationBackground, E::VariationCusumBackground}) {
        w.click(entry);
        EXPECT_FALSE(w.ticked(entry));
    }
    EXPECT_FALSE(w.display().bValuesCusumBackground);
    EXPECT_FALSE(w.display().bVariationBackground);
    EXPECT_FALSE(w.display().bVariationCusumBackground);
    EXPECT_EQ(w.iModified, 7);
    w.click(E::ValuesLimits);
    EXPECT_TRUE(w.ticked(E::ValuesLimits));
    EXPECT_EQ(values.Line(kValuesUclLine)->Style, 1);

    // Spacing the points widens the plot and shows it at 150%; showing them all fits it.
    w.click(E::ValuesSpace);
    EXPECT_EQ(values.Ratio(), 3.0);  // 60 points div 20
    EXPECT_EQ(window.PlotValuesPlotControl()->Size(), Size150);
    EXPECT_EQ(window.PlotValuesPlotControl()->size(), window.PlotValuesPlotControl()->sizeHint());
    w.click(E::ValuesShowAll);
    EXPECT_EQ(values.Ratio(), 2.5);
    EXPECT_EQ(window.PlotValuesPlotControl()->Size(), SizeToFit);
    w.click(E::VariationSpace);
    EXPECT_EQ(window.PlotVariationPlotControl()->Size(), Size150);
}

TEST(ResultsWindow, AConnectSettingChangedInThePlotOptionsComesBackToTheMenu)
{
    ResultsWindow w;
    TPlotControl& view = *w.window().PlotValuesPlotControl();
    const Plot& plot = *view.GetPlot();

    auto setConnect = [&](bool bConnect) {
        AnswerNextModal<TPlotOptionsDialogBox>([bConnect](TPlotOptionsDialogBox& dialog) {
            auto* pConnect = qobject_cast<QCheckBox*>(dialog.Control(PlotOptionsField::LinePointConnectPointsCheckBox));
            ASSERT_NE(pConnect, nullptr);
            if (pConnect->isChecked() != bConnect) pConnect->click();
            dialog.OkButtonClick();
        });
        view.vdMouseAction(poLineBase + kValuesDataLine);
    };
    setConnect(false);
    EXPECT_FALSE(w.ticked(E::ValuesConnect));
    EXPECT_FALSE(w.display().bValuesConnect);
    EXPECT_FALSE(plot.Line(kValuesDataLine)->ConnectPoints);
    EXPECT_EQ(plot.Line(kValuesDataLine)->PointStyle, 5);
    EXPECT_FALSE(CrossedOut(view.GetDrawing()));
    EXPECT_FALSE(plot.Changed()) << "the view shows the point style the window set";
    EXPECT_GE(w.iModified, 1);

    setConnect(true);
    EXPECT_TRUE(w.ticked(E::ValuesConnect));
    EXPECT_EQ(plot.Line(kValuesDataLine)->PointStyle, 0);

    // Limit lines switched off in the dialog untick "Display Control Limits".
    AnswerNextModal<TPlotOptionsDialogBox>([](TPlotOptionsDialogBox& dialog) {
        auto* pStyle = qobject_cast<QComboBox*>(dialog.Control(PlotOptionsField::LineInfoStyleComboBox));
        ASSERT_NE(pStyle, nullptr);
        pStyle->setCurrentIndex(0);
        dialog.OkButtonClick();
    });
    view.vdMouseAction(poLineBase + kValuesUclLine);
    EXPECT_FALSE(w.ticked(E::ValuesLimits));
    EXPECT_FALSE(w.display().bValuesLimits);
    EXPECT_EQ(plot.Line(kValuesLclLine)->Style, 0) << "both limits go";
}

TEST(ResultsWindow, RightClicksOpenTheMenuOfThePageAndClickNothing)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    window.SetActivePage(rpTableChangesValues);
    TDrawingControl& table = *window.TableChangesValuesDrawingControl();
    QTest::qWait(20);
    int iClicks = 0;
    QObject::connect(&table, &TDrawingControl::OnMouseClickLocation, [&] { ++iClicks; });
    QObject::connect(&table, &TDrawingControl::OnMouseClickObject, [&] { ++iClicks; });

    const QPoint centre = table.rect().center();
    QTest::mouseClick(&table, Qt::RightButton, {}, centre);
    EXPECT_EQ(iClicks, 0);
    table.PopupMenu()->close();
    QTest::mouseClick(&table, Qt::LeftButton, {}, centre);
    EXPECT_EQ(iClicks, 1);

    // Around a view smaller than its page, the page opens the view's menu too.
    table.vdSize50();
    QWidget* pViewport = window.ScrollBox(rpTableChangesValues)->viewport();
    const QPoint outside(pViewport->width() - 5, pViewport->height() - 5);
    ASSERT_FALSE(table.geometry().contains(outside));
    QContextMenuEvent event(QContextMenuEvent::Mouse, outside, pViewport->mapToGlobal(outside));
    QApplication::sendEvent(pViewport, &event);
    EXPECT_TRUE(table.PopupMenu()->isVisible());
    table.PopupMenu()->close();

    // A right double click on a plot opens no plot options.
    window.SetActivePage(rpPlotValues);
    QTest::qWait(20);
    TPlotControl& plot = *window.PlotValuesPlotControl();
    bool bDialog = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* pModal = QApplication::activeModalWidget()) {
            bDialog = true;
            pModal->close();
        }
    });
    watch.start(1);
    QTest::mouseDClick(&plot, Qt::RightButton, {}, plot.rect().center());
    QTest::qWait(30);
    EXPECT_FALSE(bDialog);
    plot.PopupMenu()->close();
}

TEST(ResultsWindow, TheButtonsActOnThePageShowing)
{
    ResultsWindow w;
    TAnalysisResultsWindowForm& window = w.window();
    ScriptedPlatform& p = w.platform;

    // Menu: the menu of the view showing, at the centre of the pages.
    window.SetActivePage(rpCusumValues);
    QTest::mouseClick(window.MenuButton(), Qt::LeftButton);
    QMenu* pMenu = window.CUSUMValuesPlotControl()->PopupMenu();
    EXPECT_TRUE(pMenu->isVisible());
    const QPoint centre = window.PageControl()->mapToGlobal(window.PageControl()->rect().center());
    EXPECT_LE((pMenu->geometry().topLeft() - centre).manhattanLength(), 2);
    pMenu->close();

    // Print: the print dialog first; cancelled, nothing is printed.
    p.printer.setAcceptDialog(false);
    QTest::mouseClick(window.PrintButton(), Qt::LeftButton);
    EXPECT_EQ(p.printer.jobCount(), 0);
    p.printer.setAcceptDialog(true);
    QTest::mouseClick(window.PrintButton(), Qt::LeftButton);
    EXPECT_EQ(p.printer.jobCount(), 1);
    // The views' own "&Print" entries go the same way.
    p.printer.setAcceptDialog(false);
    window.CUSUMValuesPlotControl()->PrintAction()->trigger();
    EXPECT_EQ(p.printer.jobCount(), 1);

    // Copy: the picture of the page showing at 20 pixels per unit.
    window.SetActivePage(rpTableChangesVariation);
    QTest::mouseClick(window.CopyButton(), Qt::LeftButton);
    ASSERT_TRUE(p.clipboard.hasPicture());
    const Drawing& table = w.results().VariationTable();
    EXPECT_EQ(p.clipboard.pictureWidth(), static_cast<int>(20 * (table.XMax() - table.XMin())));
    EXPECT_EQ(p.clipboard.pictureHeight(), static_cast<int>(20 * (table.YMax() - table.YMin())));
}
