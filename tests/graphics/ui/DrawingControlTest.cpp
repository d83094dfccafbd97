// The drawing view: its sizes in a scroll area, its popup menu, clicks on the drawing and
// the cursor over clickable parts, painting, printing and copying, crossing out and
// deleting.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <string>
#include <vector>

#include "ViewTestSupport.h"
#include "graphics/ui/TDrawingControl.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtClipboard.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

struct Click {
    std::string sKind;
    std::uint32_t uID = 0;
    std::uint32_t uGraphicID = 0;
    double x = 0, y = 0;
};

// Records every click event of a view.
std::vector<Click>* listen(TDrawingControl& view)
{
    auto* pClicks = new std::vector<Click>;
    QObject::connect(&view, &QObject::destroyed, [pClicks] { delete pClicks; });
    QObject::connect(&view, &TDrawingControl::OnMouseClickObject,
                     [pClicks](TDrawingControl*, std::uint32_t u, std::uint32_t g) {
                         pClicks->push_back({"object", u, g});
                     });
    QObject::connect(&view, &TDrawingControl::OnMouseClickLocation,
                     [pClicks](TDrawingControl*, std::uint32_t g, double x, double y) {
                         pClicks->push_back({"location", 0, g, x, y});
                     });
    QObject::connect(&view, &TDrawingControl::OnMouseDoubleClickObject,
                     [pClicks](TDrawingControl*, std::uint32_t u, std::uint32_t g) {
                         pClicks->push_back({"double object", u, g});
                     });
    QObject::connect(&view, &TDrawingControl::OnMouseDoubleClickLocation,
                     [pClicks](TDrawingControl*, std::uint32_t g, double x, double y) {
                         pClicks->push_back({"double location", 0, g, x, y});
                     });
    return pClicks;
}

std::vector<std::string> captionsOf(const QMenu& menu)
{
    std::vector<std::string> captions;
    for (const QAction* pAction : menu.actions())
        captions.push_back(pAction->isSeparator() ? "-" : pAction->text().toStdString());
    return captions;
}

void moveMouse(QWidget& view, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, view.mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&view, &move);
}

}  // namespace

TEST(DrawingControl, FixedSizesFollowTheZoomTheUnitAndTheMargin)
{
    ScriptedServices s;
    QScrollArea area;
    area.resize(300, 200);
    QFont font = area.font();
    font.setPixelSize(11);  // the desktop's default font of height -11
    area.setFont(font);
    area.viewport()->setFont(font);
    auto* pView = new TDrawingControl(s.services, area.viewport());
    EXPECT_DOUBLE_EQ(pView->Unit(), 13.2);
    area.setWidget(pView);
    area.show();
    EXPECT_TRUE(area.widgetResizable());  // fitted at first
    int iChanges = 0;
    QObject::connect(pView, &TGraphicControl::OnChange, [&iChanges](TGraphicControl*) { ++iChanges; });

    pView->vdSetDrawing(tableDrawing());
    pView->vdSetMargin(10);
    EXPECT_EQ(iChanges, 0);
    pView->vdSetSizeMode(Size150);
    EXPECT_EQ(iChanges, 1);
    EXPECT_FALSE(area.widgetResizable());
    EXPECT_EQ(pView->size(), QSize(812, 416));
    EXPECT_EQ(pView->pos(), QPoint(0, 0));
    EXPECT_EQ(area.horizontalScrollBar()->maximum(), 812 - area.viewport()->width());

    // The same mode again changes nothing; a margin changes the size but is no change.
    pView->vdSetSizeMode(Size150);
    EXPECT_EQ(iChanges, 1);
    pView->vdSetMargin(20);
    EXPECT_EQ(pView->size(), QSize(832, 436));
    EXPECT_EQ(iChanges, 1);

    // Fitted again: the view fills the scroll area and nothing scrolls.
    pView->vdSizeToFit();
    EXPECT_EQ(iChanges, 2);
    EXPECT_TRUE(area.widgetResizable());
    QApplication::processEvents();
    EXPECT_EQ(pView->size(), area.viewport()->size());

    // Every fixed mode by the menu; an empty view is 10 x 10.
    pView->SizeAction(FixedSizeNormal)->trigger();
    EXPECT_EQ(pView->Size(), FixedSizeNormal);
    EXPECT_EQ(pView->size(), QSize(static_cast<int>(40 * 1.0 * 13.2 + 40), static_cast<int>(20 * 1.0 * 13.2 + 40)));
    pView->SizeAction(Size50)->trigger();
    EXPECT_EQ(pView->size(), QSize(304, 172));
    EXPECT_EQ(iChanges, 4);
    pView->vdDeleteGraphic();
    pView->vdRedraw();
    pView->vdSetMargin(0);
    EXPECT_EQ(pView->size(), QSize(10, 10));
}

TEST(DrawingControl, AViewHandedToAScrollAreaTakesItsPlaceThere)
{
    ScriptedServices s;
    auto* pView = new TDrawingControl(s.services);
    pView->vdSetDrawing(tableDrawing());
    pView->vdSize200();
    const QSize fixed = pView->size();
    EXPECT_EQ(fixed, pView->sizeHint());
    QScrollArea area;
    area.setWidgetResizable(true);
    area.setWidget(pView);
    EXPECT_FALSE(area.widgetResizable());
    EXPECT_EQ(pView->size(), fixed);

    auto* pFitted = new TDrawingControl(s.services);
    QScrollArea other;
    other.resize(250, 150);
    other.setWidget(pFitted);
    EXPECT_TRUE(other.widgetResizable());

    // A parent without a layout or scroll area is filled while the view is fitted.
    QWidget parent;
    parent.resize(300, 200);
    TDrawingControl inside(s.services, &parent);
    EXPECT_EQ(inside.geometry(), parent.rect());
    parent.show();
    parent.resize(320, 240);
    EXPECT_EQ(inside.size(), QSize(320, 240));
    inside.vdSetDrawing(tableDrawing());
    inside.vdSize50();
    parent.resize(500, 500);
    EXPECT_EQ(inside.size(), inside.sizeHint());
}

TEST(DrawingControl, ThePopupMenuHasTheSizesPrintAndCopy)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    EXPECT_EQ(captionsOf(*view.PopupMenu()),
              (std::vector<std::string>{"&Size To Fit", "&Fixed Size - Normal", "Fi&xed Size - Custom", "-", "&Print",
                                        "&Copy to Clipboard", "Save Picture &As..."}));
    EXPECT_EQ(view.PopupMenu()->actions()[4], view.PrintAction());
    EXPECT_EQ(view.PopupMenu()->actions()[5], view.CopyAction());
    QMenu* pCustom = view.CustomSizeAction()->menu();
    ASSERT_NE(pCustom, nullptr);
    EXPECT_EQ(captionsOf(*pCustom),
              (std::vector<std::string>{"50%", "75%", "100%", "125%", "150%", "175%", "200%", "250%", "300%", "400%"}));
    EXPECT_EQ(pCustom->defaultAction(), view.SizeAction(Size100));
    EXPECT_TRUE(view.SizeAction(SizeToFit)->isChecked());
    EXPECT_TRUE(view.SizeAction(Size100)->isChecked());

    view.vdSetSizeMode(Size250);
    EXPECT_TRUE(view.CustomSizeAction()->isChecked());
    EXPECT_TRUE(view.SizeAction(Size250)->isChecked());
    EXPECT_FALSE(view.SizeAction(SizeToFit)->isChecked());
    EXPECT_FALSE(view.SizeAction(Size100)->isChecked());
    view.vdFixedSizeNormal();
    EXPECT_TRUE(view.SizeAction(FixedSizeNormal)->isChecked());
    EXPECT_FALSE(view.CustomSizeAction()->isChecked());
    EXPECT_TRUE(view.SizeAction(Size250)->isChecked());  // the last percentage stays ticked in its list

    // An owner re-points Print and inserts an entry of its own at the top.
    int iOwnPrints = 0;
    QObject::disconnect(view.PrintAction(), &QAction::triggered, &view, nullptr);
    QObject::connect(view.PrintAction(), &QAction::triggered, [&iOwnPrints] { ++iOwnPrints; });
    view.vdSetDrawing(tableDrawing());
    view.PrintAction()->trigger();
    EXPECT_EQ(iOwnPrints, 1);
    EXPECT_EQ(s.printer.jobCount(), 0);
    auto* pOwn = new QAction(QStringLiteral("&Background"), &view);
    view.PopupMenu()->insertAction(view.PopupMenu()->actions().value(0), pOwn);
    EXPECT_EQ(view.PopupMenu()->actions()[0], pOwn);
}

TEST(DrawingControl, ClicksReportTheWorldPointAndTheObjectUnderThePress)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    auto pDrawing = tableDrawing();
    pDrawing->SetObjectID(42);
    view.vdSetDrawing(std::move(pDrawing));
    view.resize(400, 200);  // 10 pixels per unit
    view.show();
    std::vector<Click>& clicks = *listen(view);

    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(150, 100));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].sKind, "location");
    EXPECT_EQ(clicks[0].uGraphicID, 42u);
    EXPECT_NEAR(clicks[0].x, 15, 1e-9);
    EXPECT_NEAR(clicks[0].y, 10, 1e-9);
    EXPECT_EQ(clicks[1].sKind, "object");
    EXPECT_EQ(clicks[1].uID, kCellID);
    EXPECT_EQ(clicks[1].uGraphicID, 42u);

    // Over the frame, whose ID is 0: the location only.
    clicks.clear();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(50, 30));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].sKind, "location");

    // The right button opens the menu and clicks nothing.
    clicks.clear();
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(150, 100));
    EXPECT_TRUE(clicks.empty());
    view.PopupMenu()->hide();

    // A double click: one click, then the double-click events, and no click for its release.
    clicks.clear();
    doubleClick(view, QPoint(150, 100));
    std::vector<std::string> kinds;
    for (const Click& click : clicks) kinds.push_back(click.sKind);
    EXPECT_EQ(kinds, (std::vector<std::string>{"location", "object", "double location", "double object"}));

    // The margin moves and shrinks the picture: 300 x 100 pixels are left, and the picture
    // takes 200 x 100 of them from x = 100 at 5 pixels per unit.
    view.vdSetMargin(50);
    clicks.clear();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(125, 100));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_NEAR(clicks[0].x, 5, 1e-9);
    EXPECT_NEAR(clicks[0].y, 10, 1e-9);
    // A margin that leaves nothing of the view maps nothing.
    view.vdSetMargin(250);
    clicks.clear();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(150, 100));
    EXPECT_TRUE(clicks.empty());
}

TEST(DrawingControl, TheCursorIsAHandOverClickableObjects)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    view.setCursor(Qt::CrossCursor);  // a cursor of its own before it shows anything
    view.resize(400, 200);
    view.show();
    moveMouse(view, QPoint(150, 100));
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);  // nothing shown yet
    view.vdSetDrawing(tableDrawing());
    moveMouse(view, QPoint(150, 100));
    EXPECT_EQ(view.cursor().shape(), Qt::PointingHandCursor);
    moveMouse(view, QPoint(50, 30));
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);  // the cursor the view was made with
}

TEST(DrawingControl, ThePictureIsPaintedFittedInsideTheMargin)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    view.SetColor(0x00FF00);
    view.resize(400, 400);
    view.vdSetDrawing(tableDrawing());
    view.vdSetMargin(20);
    const QImage image = view.grab().toImage();
    // 360 wide for 40 units: 9 pixels per unit, centred vertically at 200 - 90.
    EXPECT_EQ(image.pixelColor(20 + 15 * 9, 110 + 10 * 9), toQColor(kRed));
    EXPECT_EQ(image.pixelColor(20 + 30 * 9, 110 + 10 * 9), toQColor(0x00FF00));  // inside the frame
    EXPECT_EQ(image.pixelColor(10, 200), toQColor(0x00FF00));                    // in the margin
    EXPECT_EQ(image.pixelColor(200, 60), toQColor(0x00FF00));                    // above the picture
    EXPECT_NE(image.pixelColor(20, 200), toQColor(0x00FF00));                    // the frame's left edge
}

TEST(DrawingControl, PrintingFitsThePictureOnThePageOnWhite)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    view.vdPrint();
    EXPECT_EQ(s.printer.jobCount(), 0);  // nothing to print

    auto pDrawing = tableDrawing();
    pDrawing->AddLine(0, 20, 40, 20, 2, 0, 0, 0, 0);  // a dashed line shows the background
    view.vdSetDrawing(std::move(pDrawing));
    view.SetColor(0x00FF00);
    view.vdSetMargin(10);
    view.vdPrint();
    ASSERT_EQ(s.printer.jobCount(), 1);
    ASSERT_EQ(s.printer.pages().size(), 1u);
    const RecordingCanvas& page = *s.printer.pages()[0];
    // 5100 x 6600 at 600 dpi less 10 on each side: 127 pixels per unit, centred vertically.
    const auto rectangles = page.callsOf(CanvasCallKind::Rectangle);
    ASSERT_EQ(rectangles.size(), 2u);
    EXPECT_EQ(rectangles[0].points, (std::vector<CanvasPoint>{{10, 2030}, {5090, 4570}}));
    const auto lines = page.callsOf(CanvasCallKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].state.brushColor, 0xFFFFFFu);
}

TEST(DrawingControl, ATableOf40By20UnitsCopiesAs800By400Pixels)
{
    ScriptedServices s;
    TDrawingControl view(s.services);
    view.vdClipboard();
    EXPECT_FALSE(s.clipboard.hasPicture());
    view.vdSetDrawing(std::make_unique<Drawing>());  // no extent: nothing to copy
    view.vdClipboard();
    EXPECT_FALSE(s.clipboard.hasPicture());

    view.vdSetDrawing(tableDrawing());
    view.vdSetMargin(30);  // the margin is the screen's only
    view.CopyAction()->trigger();
    ASSERT_TRUE(s.clipboard.hasPicture());
    EXPECT_EQ(s.clipboard.pictureWidth(), 800);
    EXPECT_EQ(s.clipboard.pictureHeight(), 400);
    const auto rectangles = s.clipboard.picture()->callsOf(CanvasCallKind::Rectangle);
    ASSERT_EQ(rectangles.size(), 2u);
    EXPECT_EQ(rectangles[0].points, (std::vector<CanvasPoint>{{0, 0}, {800, 400}}));
    EXPECT_EQ(rectangles[1].points, (std::vector<CanvasPoint>{{200, 100}, {400, 300}}));
}

TEST(DrawingControl, TheDesktopClipboardGetsThePictureAsSvgAndPng)
{
    ScriptedServices s;
    QtClipboard desktop;
    PlatformServices services{s.messages, s.settings, s.fileDialogs, desktop, s.printer, s.help};
    TDrawingControl view(services);
    view.vdSetDrawing(tableDrawing());
    view.vdClipboard();
    const QMimeData* pData = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(pData, nullptr);
    EXPECT_TRUE(pData->hasFormat(QString::fromLatin1(kSvgMimeType)));
    const QImage image = qvariant_cast<QImage>(pData->imageData());
    ASSERT_EQ(image.size(), QSize(800, 400));
    EXPECT_EQ(image.pixelColor(300, 200), toQColor(kRed));
    EXPECT_EQ(image.pixelColor(600, 200), QColor(Qt::white));
}

TEST(DrawingControl, CrossingOutAndDeletingLeaveBorrowedDrawingsAlive)
{
    ScriptedServices s;
    Drawing borrowed;
    borrowed.AddRect(0, 0, 40, 20, 1, 0, 0, false, 0, 0);
    {
        TDrawingControl view(s.services);
        view.vdSetDrawing(borrowed);
        EXPECT_EQ(view.GetDrawing(), &borrowed);
        view.vdCrossOutGraphic();
        ASSERT_EQ(borrowed.Count(), 3u);
        const DrawingObject* pCross = borrowed.Object(2);
        EXPECT_EQ(pCross->Type(), dtLine);
        EXPECT_DOUBLE_EQ(pCross->XMin(), 0);
        EXPECT_DOUBLE_EQ(pCross->YMax(), 20);
        EXPECT_EQ(pCross->ObjectID(), 0u);

        // The owner changes its drawing in place; a fixed view follows on vdRedraw.
        view.vdFixedSizeNormal();
        const QSize before = view.size();
        borrowed.AddRect(0, 0, 80, 20, 0, 0, 0, false, 0, 0);
        view.vdRedraw();
        EXPECT_GT(view.width(), before.width());
        EXPECT_EQ(view.height(), before.height());

        view.vdDeleteGraphic();
        EXPECT_EQ(view.GetDrawing(), nullptr);
        view.vdCrossOutGraphic();  // an empty view does nothing
        view.vdClipboard();
        EXPECT_FALSE(s.clipboard.hasPicture());
        view.vdSetDrawing(std::unique_ptr<Drawing>());  // null is ignored
        EXPECT_EQ(view.GetDrawing(), nullptr);
        view.vdSetDrawing(borrowed);
    }
    EXPECT_EQ(borrowed.Count(), 4u);  // the view is gone, the drawing is not
}
