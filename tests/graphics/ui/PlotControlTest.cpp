// The plot view: its drawing rebuilt only when the plot changed, the 32000-pixel limit,
// its menu, and the plot options dialog opened on the part clicked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "ViewTestSupport.h"
#include "graphics/Plot.h"
#include "graphics/ui/TPlotControl.h"
#include "graphics/ui/TPlotOptionsDialogBox.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

// A plot of three lines over five points.
struct Lines {
    Lines()
    {
        for (int k = 0; k < 5; ++k) {
            x.emplace_back(static_cast<double>(k));
            y.emplace_back(static_cast<double>(k % 3));
        }
    }
    std::unique_ptr<Plot> plot() const
    {
        auto pPlot = std::make_unique<Plot>();
        pPlot->SetXMaximum(Real(4.0));
        pPlot->SetYMaximum(Real(2.0));
        for (const char* sLabel : {"First", "Second", "Third"})
            pPlot->AddDataLine(5, x.data(), y.data(), sLabel, "", 0.1, 0, 1, true, 0, 0.5);
        return pPlot;
    }
    std::vector<Real> x, y;
};

// What the dialog showed when it opened; it is then closed with Cancel, or by 'answer'.
struct Opened {
    int iPage = -1;
    int iLineTab = -1;
};

// Watches for the plot options dialog while 'action' runs.
std::vector<Opened> whileWatchingForTheDialog(const std::function<void()>& action,
                                              const std::function<void(TPlotOptionsDialogBox&)>& answer = {})
{
    std::vector<Opened> opened;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* pDialog = qobject_cast<TPlotOptionsDialogBox*>(QApplication::activeModalWidget());
        if (!pDialog) return;
        opened.push_back(
            {pDialog->PageControl()->currentIndex(), pDialog->TabControl(PlotOptionsStrip::Lines)->currentIndex()});
        if (answer)
            answer(*pDialog);
        else
            pDialog->reject();
    });
    watch.start();
    action();
    return opened;
}

void moveMouse(QWidget& view, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, view.mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
}

}  // namespace

TEST(PlotControl, TheDrawingIsRebuiltOnlyWhenThePlotChanged)
{
    ScriptedServices s;
    Lines lines;
    TPlotControl view(s.services);
    view.vdRedraw();  // nothing shown: nothing to do
    view.vdSetPlot(lines.plot());
    ASSERT_NE(view.GetDrawing(), nullptr);
    EXPECT_FALSE(view.GetPlot()->Changed());
    const std::uint32_t uObjects = view.GetDrawing()->Count();

    // The cross-out lines live in the drawing until it is rebuilt.
    view.vdCrossOutPlot();
    EXPECT_EQ(view.GetDrawing()->Count(), uObjects + 2);
    view.vdRedraw();
    EXPECT_EQ(view.GetDrawing()->Count(), uObjects + 2);  // unchanged: not rebuilt
    view.GetPlot()->SetMainTitle("Now with a title");
    view.vdRedraw();
    EXPECT_EQ(view.GetDrawing()->Count(), uObjects + 1);
    EXPECT_FALSE(view.GetPlot()->Changed());

    // A fixed view follows the new size of its plot.
    view.vdFixedSizeNormal();
    const QSize before = view.size();
    view.GetPlot()->SetRatio(2);
    view.vdRedraw();
    EXPECT_GT(view.width(), before.width());

    view.vdDeletePlot();
    EXPECT_EQ(view.GetPlot(), nullptr);
    EXPECT_EQ(view.GetDrawing(), nullptr);
    view.vdSetPlot(std::unique_ptr<Plot>());  // null is ignored
    EXPECT_EQ(view.GetPlot(), nullptr);
}

TEST(PlotControl, ABorrowedPlotOutlivesTheView)
{
    ScriptedServices s;
    Lines lines;
    const auto pPlot = lines.plot();
    {
        TPlotControl view(s.services);
        view.vdSetPlot(*pPlot);
        EXPECT_EQ(view.GetPlot(), pPlot.get());
        pPlot->SetSubTitle("Changed by its owner");
        view.vdRedraw();
        EXPECT_FALSE(pPlot->Changed());
        view.vdDeletePlot();
        view.vdSetPlot(*pPlot);
    }
    EXPECT_EQ(pPlot->SubTitle(), "Changed by its owner");
    EXPECT_EQ(pPlot->NumberOfLines(), 3u);
}

TEST(PlotControl, TheLongerSideIsHeldTo32000Pixels)
{
    ScriptedServices s;
    Lines lines;
    auto pPlot = lines.plot();
    pPlot->SetRatio(300);  // an area 3000 units wide and 10 high
    TPlotControl view(s.services);
    view.vdSetPlot(std::move(pPlot));
    view.vdSetMargin(5);
    view.vdSize400();
    const Drawing& drawing = *view.GetDrawing();
    const double w = (drawing.XMax() - drawing.XMin()) * 4.0 * view.Unit();
    const double h = (drawing.YMax() - drawing.YMin()) * 4.0 * view.Unit();
    ASSERT_GT(w, 32000);
    EXPECT_EQ(view.width(), 32000 + 10);
    EXPECT_EQ(view.height(), static_cast<int>(h * 32000 / w + 10));

    // The copy is held alike, and the plot is drawn into the whole picture.
    view.vdClipboard();
    ASSERT_TRUE(s.clipboard.hasPicture());
    EXPECT_EQ(s.clipboard.pictureWidth(), 32000);
    const double hCopy = (drawing.YMax() - drawing.YMin()) * 20;
    const double wCopy = (drawing.XMax() - drawing.XMin()) * 20;
    EXPECT_EQ(s.clipboard.pictureHeight(), static_cast<int>(hCopy * 32000 / wCopy));
    int iRightmost = 0;
    for (const CanvasCall& call : s.clipboard.picture()->calls())
        for (const CanvasPoint& point : call.points) iRightmost = std::max(iRightmost, point.x);
    EXPECT_LE(iRightmost, 32000);
    EXPECT_GT(iRightmost, 31000);
}

TEST(PlotControl, TheMenuStartsWithThePlotOptions)
{
    ScriptedServices s;
    TPlotControl view(s.services);
    const QList<QAction*> actions = view.PopupMenu()->actions();
    ASSERT_EQ(actions.size(), 9);
    EXPECT_EQ(actions[0], view.OptionsAction());
    EXPECT_EQ(actions[0]->text(), "Plot &Options...");
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->text(), "&Size To Fit");
    EXPECT_EQ(actions[6], view.PrintAction());
    EXPECT_EQ(actions[6]->text(), "&Print");
    EXPECT_EQ(actions[7], view.CopyAction());
    EXPECT_EQ(actions[7]->text(), "&Copy to Clipboard");
    EXPECT_EQ(actions[8], view.SavePictureAction());
}

TEST(PlotControl, ClickingAPartOpensTheOptionsOnItsPage)
{
    ScriptedServices s;
    Lines lines;
    TPlotControl view(s.services);
    view.vdSetPlot(lines.plot());
    view.resize(360, 240);
    view.show();
    const std::optional<QPoint> keyRow = pointOf(*view.GetDrawing(), view, 0, poLineBase + 3);
    ASSERT_TRUE(keyRow);
    const std::optional<QPoint> yAxis = pointOf(*view.GetDrawing(), view, 0, poYAxis);
    ASSERT_TRUE(yAxis);

    // Double clicks by default: a single click opens nothing.
    EXPECT_EQ(view.Mouse(), maDouble);
    EXPECT_TRUE(whileWatchingForTheDialog([&] { QTest::mouseClick(&view, Qt::LeftButton, {}, *keyRow); }).empty());
    auto opened = whileWatchingForTheDialog([&] { doubleClick(view, *keyRow); });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].iPage, static_cast<int>(PlotOptionsPage::Lines));
    EXPECT_EQ(opened[0].iLineTab, 2);
    moveMouse(view, *keyRow);
    EXPECT_EQ(view.cursor().shape(), Qt::PointingHandCursor);

    view.SetMouse(maSingle);
    opened = whileWatchingForTheDialog([&] { QTest::mouseClick(&view, Qt::LeftButton, {}, *yAxis); });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].iPage, static_cast<int>(PlotOptionsPage::YAxis));
    // The right button opens the menu only.
    EXPECT_TRUE(whileWatchingForTheDialog([&] { QTest::mouseClick(&view, Qt::RightButton, {}, *yAxis); }).empty());
    view.PopupMenu()->hide();

    // maNone: no dialog on any click, and the cursor stays as it is.
    view.SetMouse(maNone);
    moveMouse(view, QPoint(0, 0));
    const Qt::CursorShape shape = view.cursor().shape();
    EXPECT_TRUE(whileWatchingForTheDialog([&] {
                    QTest::mouseClick(&view, Qt::LeftButton, {}, *keyRow);
                    doubleClick(view, *keyRow);
                }).empty());
    moveMouse(view, *keyRow);
    EXPECT_EQ(view.cursor().shape(), shape);
}

TEST(PlotControl, TheOptionsDialogReportsAChangeOnlyWhenItChangedThePlot)
{
    ScriptedServices s;
    Lines lines;
    TPlotControl view(s.services);
    view.vdOptionsDialogBox();  // no plot: no dialog
    view.vdSetPlot(lines.plot());
    view.GetPlot()->SetMainTitle("Before");  // modified since the last save
    view.vdRedraw();
    int iChanges = 0;
    QObject::connect(&view, &TGraphicControl::OnChange, [&iChanges](TGraphicControl*) { ++iChanges; });

    auto opened = whileWatchingForTheDialog([&] { view.OptionsAction()->trigger(); });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].iPage, static_cast<int>(PlotOptionsPage::Title));
    EXPECT_EQ(iChanges, 0);
    EXPECT_FALSE(view.GetPlot()->Modified());

    const std::uint32_t uObjects = view.GetDrawing()->Count();
    opened = whileWatchingForTheDialog([&] { view.vdOptionsDialogBox(); },
                                       [](TPlotOptionsDialogBox& dialog) {
                                           auto* pEdit = dialog.Control(PlotOptionsField::SubTitleEditControl);
                                           pEdit->setProperty("text", QStringLiteral("After"));
                                           dialog.OkButtonClick();
                                       });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(iChanges, 1);
    EXPECT_EQ(view.GetPlot()->SubTitle(), "After");
    EXPECT_TRUE(view.GetPlot()->Modified());
    EXPECT_EQ(view.GetDrawing()->Count(), uObjects + 1);  // redrawn with the sub title
}

TEST(PlotControl, HelpOnTheOptionsIsBasedOnTheViewsContext)
{
    ScriptedServices s;
    Lines lines;
    TPlotControl view(s.services);
    view.vdSetPlot(lines.plot());
    auto pressHelp = [](TPlotOptionsDialogBox& dialog) {
        dialog.HelpButtonClick();
        dialog.reject();
    };
    whileWatchingForTheDialog([&] { view.vdMouseAction(poKeyTitle); }, pressHelp);
    EXPECT_TRUE(s.help.calls().empty());  // no base, no help
    view.SetHelpContext(300);
    whileWatchingForTheDialog([&] { view.vdMouseAction(poKeyTitle); }, pressHelp);
    EXPECT_EQ(s.help.calls(), std::vector<std::string>{"context 305"});
}
