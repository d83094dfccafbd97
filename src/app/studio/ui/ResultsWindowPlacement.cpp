// Ostrel-Vane Studio - the place and the caption of a new results window.
#include "app/studio/ui/ResultsWindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>

#include "app/studio/WindowPlacement.h"

namespace HalvrennInc {

namespace {
PlacementRect RectOf(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}
}  // namespace

void PlaceResultsWindow(QMdiArea& area, const QMdiSubWindow& dataFrame, const QPushButton& dataButton,
                        QMdiSubWindow& frame)
{
    ResultsPlacementInput input;
    input.area = RectOf(area.viewport()->rect());
    if (dataFrame.isVisible() && !dataFrame.isMinimized() && !dataFrame.isMaximized()) {
        input.dataWindow = RectOf(dataFrame.geometry());
        const int iButtonsTop = dataButton.mapTo(&dataFrame, QPoint(0, 0)).y();
        input.iDataButtonsHeight = dataFrame.height() - iButtonsTop + dataButton.height() / 2;
    }
    for (QMdiSubWindow* pOther : area.subWindowList()) {
        if (pOther == &frame || pOther == &dataFrame || !pOther->isVisible() || pOther->isMinimized() ||
            pOther->isMaximized())
            continue;
        input.others.push_back(RectOf(pOther->geometry()));
    }
    // The frame adds its title bar and borders to the size the window asks for.
    QSize wanted = frame.widget() ? frame.widget()->sizeHint() : QSize();
    if (!wanted.isValid() || wanted.isEmpty()) wanted = frame.size();
    const int iTitleBar = frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
    const int iBorder = frame.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &frame);
    input.iPreferredWidth = wanted.width() + 2 * iBorder;
    input.iPreferredHeight = wanted.height() + iTitleBar + iBorder;
    input.iStep = iTitleBar + iBorder;
    const PlacementRect placed = HalvrennInc::PlaceResultsWindow(input);
    frame.setGeometry(placed.iLeft, placed.iTop, placed.iWidth, placed.iHeight);
}

void GiveDistinctCaption(QMdiArea& area, QMdiSubWindow& frame)
{
    QWidget* pWindow = frame.widget();
    if (!pWindow) return;
    std::vector<std::string> psShown;
    for (const QMdiSubWindow* pOther : area.subWindowList())
        if (pOther != &frame) psShown.push_back(pOther->windowTitle().toStdString());
    const std::string sCaption = DistinctCaption(pWindow->windowTitle().toStdString(), psShown);
    pWindow->setWindowTitle(QString::fromStdString(sCaption));
}

}  // namespace HalvrennInc
