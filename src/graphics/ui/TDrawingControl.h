// Ostrel-Vane Studio - the view of a drawing: the results tables, the assumptions page
// and the samples of the plot options dialog. Clicks on the drawing are handed to the
// owner as the object clicked and as the world point clicked.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/ui/TGraphicControl.h"

namespace HalvrennInc {

class TDrawingControl : public TGraphicControl {
    Q_OBJECT
public:
    explicit TDrawingControl(PlatformServices& services, QWidget* pParent = nullptr);
    ~TDrawingControl() override;

    //! The drawing shown, or null.
    Drawing* GetDrawing() const { return m_pDrawing; }

    //! Shows a drawing the view owns from now on; null is ignored.
    void vdSetDrawing(std::unique_ptr<Drawing> pDrawing);
    //! Shows a drawing that stays its owner's: it must outlive the view or be replaced
    //! (or deleted from the view) first. The owner may change it and call vdRedraw.
    void vdSetDrawing(Drawing& drawing);
    //! After the drawing changed in place: a new size in a fixed mode, and a repaint.
    void vdRedraw();

    //! The click handlers, run on the last left-button press.
    void DrawingMouseClick() { click(false); }
    void DrawingMouseDoubleClick() { click(true); }

public slots:
    //! Crosses the drawing out with two red lines.
    void vdCrossOutGraphic();
    //! Empties the view (an owned drawing is deleted).
    void vdDeleteGraphic();

signals:
    //! An object with an ID other than 0 was clicked; uGraphicID is the drawing's own ID.
    void OnMouseClickObject(HalvrennInc::TDrawingControl* pSender, std::uint32_t uObjectID, std::uint32_t uGraphicID);
    //! The drawing was clicked at the world point (x, y).
    void OnMouseClickLocation(HalvrennInc::TDrawingControl* pSender, std::uint32_t uGraphicID, double x, double y);
    void OnMouseDoubleClickObject(HalvrennInc::TDrawingControl* pSender, std::uint32_t uObjectID,
                                  std::uint32_t uGraphicID);
    void OnMouseDoubleClickLocation(HalvrennInc::TDrawingControl* pSender, std::uint32_t uGraphicID, double x,
                                    double y);

protected:
    const Drawing* Picture() const override { return m_pDrawing; }
    void MouseClick(bool bDouble) override { click(bDouble); }

private:
    void click(bool bDouble);
    void showDrawing(Drawing* pDrawing, std::unique_ptr<Drawing> pOwned);

    Drawing* m_pDrawing = nullptr;             //!< the drawing shown
    std::unique_ptr<Drawing> m_pOwnedDrawing;  //!< the same drawing when the view owns it
};

//! Appends the two red lines that cross a picture out, corner to corner.
void CrossOut(Drawing& drawing);

}  // namespace HalvrennInc
