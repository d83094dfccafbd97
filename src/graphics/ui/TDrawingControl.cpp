// Ostrel-Vane Studio - the view of a drawing.
#include "graphics/ui/TDrawingControl.h"

#include <algorithm>

#include "graphics/Drawing.h"

namespace HalvrennInc {

namespace {
constexpr TColor kRed = 0x0000FF;
constexpr std::uint8_t kSolid = 1;
}  // namespace

void CrossOut(Drawing& drawing)
{
    const double x1 = drawing.XMin(), y1 = drawing.YMin(), x2 = drawing.XMax(), y2 = drawing.YMax();
    const double dThickness = 0.05 * std::min(x2 - x1, y2 - y1);
    drawing.AddLine(x1, y1, x2, y2, kSolid, kRed, dThickness, 0, 0);
    drawing.AddLine(x1, y2, x2, y1, kSolid, kRed, dThickness, 0, 0);
}

TDrawingControl::TDrawingControl(PlatformServices& services, QWidget* pParent) : TGraphicControl(services, pParent) {}

TDrawingControl::~TDrawingControl() = default;

void TDrawingControl::showDrawing(Drawing* pDrawing, std::unique_ptr<Drawing> pOwned)
{
    m_pDrawing = pDrawing;
    m_pOwnedDrawing = std::move(pOwned);  // the drawing owned so far goes
    if (InFixedMode()) TakeFixedSize();
    update();
}

void TDrawingControl::vdSetDrawing(std::unique_ptr<Drawing> pDrawing)
{
    if (!pDrawing) return;
    Drawing* pShown = pDrawing.get();
    showDrawing(pShown, std::move(pDrawing));
}

void TDrawingControl::vdSetDrawing(Drawing& drawing)
{
    if (&drawing == m_pOwnedDrawing.get()) return;  // already ours: keep it alive
    showDrawing(&drawing, nullptr);
}

void TDrawingControl::vdRedraw()
{
    if (!m_pDrawing) return;
    FollowPictureSize();
    update();
}

void TDrawingControl::vdCrossOutGraphic()
{
    if (!m_pDrawing) return;
    CrossOut(*m_pDrawing);
    update();
}

void TDrawingControl::vdDeleteGraphic()
{
    m_pDrawing = nullptr;
    m_pOwnedDrawing.reset();
    update();
}

void TDrawingControl::click(bool bDouble)
{
    // A drawing that cannot be fitted into the view has no world point to report.
    if (!m_pDrawing || !HasPress() || !CanMap()) return;
    double wx = 0, wy = 0;
    const DrawingObject* pHit = ObjectAt(LastPress(), wx, wy);
    const std::uint32_t uGraphicID = m_pDrawing->ObjectID();
    if (bDouble)
        emit OnMouseDoubleClickLocation(this, uGraphicID, wx, wy);
    else
        emit OnMouseClickLocation(this, uGraphicID, wx, wy);
    if (!pHit || pHit->ObjectID() == 0) return;
    if (bDouble)
        emit OnMouseDoubleClickObject(this, pHit->ObjectID(), uGraphicID);
    else
        emit OnMouseClickObject(this, pHit->ObjectID(), uGraphicID);
}

}  // namespace HalvrennInc
