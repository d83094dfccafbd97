// Ostrel-Vane Studio - the view of a plot.
#include "graphics/ui/TPlotControl.h"

#include <QAction>
#include <QMenu>

#include "graphics/Plot.h"
#include "graphics/ui/TDrawingControl.h"
#include "graphics/ui/TPlotOptionsDialogBox.h"
#include "platform/WaitCursor.h"

namespace HalvrennInc {

TPlotControl::TPlotControl(PlatformServices& services, QWidget* pParent) : TGraphicControl(services, pParent)
{
    QAction* pFirst = PopupMenu()->actions().value(0);
    m_pOptionsAction = new QAction(QStringLiteral("Plot &Options..."), this);
    PopupMenu()->insertAction(pFirst, m_pOptionsAction);
    PopupMenu()->insertSeparator(pFirst);
    connect(m_pOptionsAction, &QAction::triggered, this, &TPlotControl::vdOptionsDialogBox);
}

TPlotControl::~TPlotControl() = default;

void TPlotControl::showPlot(Plot* pPlot, std::unique_ptr<Plot> pOwned)
{
    m_pDrawing = pPlot->BuildDrawing();
    m_pPlot = pPlot;
    m_pOwnedPlot = std::move(pOwned);  // the plot owned so far goes
    if (InFixedMode()) TakeFixedSize();
    update();
}

void TPlotControl::vdSetPlot(std::unique_ptr<Plot> pPlot)
{
    if (!pPlot) return;
    Plot* pShown = pPlot.get();
    showPlot(pShown, std::move(pPlot));
}

void TPlotControl::vdSetPlot(Plot& plot)
{
    if (&plot == m_pOwnedPlot.get()) {
        // Already ours: keep it alive, just build it again.
        showPlot(&plot, std::move(m_pOwnedPlot));
        return;
    }
    showPlot(&plot, nullptr);
}

void TPlotControl::vdRedraw()
{
    if (!m_pPlot || !m_pPlot->Changed()) return;
    {
        WaitCursorGuard wait;
        m_pDrawing.reset();
        m_pDrawing = m_pPlot->BuildDrawing();
    }
    FollowPictureSize();
    update();
}

void TPlotControl::vdCrossOutPlot()
{
    if (!m_pDrawing) return;
    CrossOut(*m_pDrawing);
    update();
}

void TPlotControl::vdDeletePlot()
{
    m_pDrawing.reset();
    m_pPlot = nullptr;
    m_pOwnedPlot.reset();
    update();
}

void TPlotControl::vdMouseAction(std::uint32_t uObjectID)
{
    if (!m_pPlot) return;
    Plot& plot = *m_pPlot;
    plot.ClearModified();
    {
        TPlotOptionsDialogBox dialog(*this, plot, uObjectID);
        dialog.exec();
    }
    if (m_pPlot == &plot && plot.Modified()) emit OnChange(this);
}

void TPlotControl::openOnPress()
{
    if (!m_pPlot || !HasPress() || !CanMap()) return;
    double wx = 0, wy = 0;
    const DrawingObject* pHit = ObjectAt(LastPress(), wx, wy);
    if (pHit && pHit->ObjectID() != 0) vdMouseAction(pHit->ObjectID());
}

void TPlotControl::PlotMouseClick()
{
    if (m_mouse == maSingle) openOnPress();
}

void TPlotControl::PlotMouseDoubleClick()
{
    if (m_mouse == maDouble) openOnPress();
}

}  // namespace HalvrennInc
