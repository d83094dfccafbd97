// Ostrel-Vane Studio - the view of a plot: shows the drawing the plot builds of itself,
// rebuilds it only when the plot reports a change, and opens the plot options dialog on
// the part of the plot that was clicked.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/ui/TGraphicControl.h"

namespace HalvrennInc {

class Plot;

class TPlotControl : public TGraphicControl {
    Q_OBJECT
public:
    explicit TPlotControl(PlatformServices& services, QWidget* pParent = nullptr);
    ~TPlotControl() override;

    //! The plot shown, or null.
    Plot* GetPlot() const { return m_pPlot; }
    //! The plot's drawing as last built, or null.
    const Drawing* GetDrawing() const { return m_pDrawing.get(); }

    //! The base of the plot options dialog's help topics; 0 for none.
    int HelpContext() const { return m_iHelpContext; }
    void SetHelpContext(int iHelpContext) { m_iHelpContext = iHelpContext; }
    //! Which click opens the plot options dialog; maNone leaves clicks and the cursor alone.
    MouseAction Mouse() const { return m_mouse; }
    void SetMouse(MouseAction mouse) { m_mouse = mouse; }
    //! The "Plot &Options..." entry at the top of the popup menu.
    QAction* OptionsAction() const { return m_pOptionsAction; }

    //! Shows a plot the view owns from now on; null is ignored.
    void vdSetPlot(std::unique_ptr<Plot> pPlot);
    //! Shows a plot that stays its owner's: it must outlive the view or be replaced (or
    //! deleted from the view) first. The owner may change it and call vdRedraw.
    void vdSetPlot(Plot& plot);
    //! Rebuilds the drawing when the plot says it changed (and only then repaints).
    void vdRedraw();
    //! The plot options dialog on the whole plot; OnChange fires when it changed the plot.
    void vdOptionsDialogBox() { vdMouseAction(0); }
    //! The plot options dialog opened on the part with the given object ID.
    void vdMouseAction(std::uint32_t uObjectID);

    //! The click handlers, run on the last left-button press.
    void PlotMouseClick();
    void PlotMouseDoubleClick();

public slots:
    //! Crosses the current drawing out; the lines go when the drawing is rebuilt.
    void vdCrossOutPlot();
    //! Empties the view (an owned plot is deleted).
    void vdDeletePlot();

protected:
    const Drawing* Picture() const override { return m_pDrawing.get(); }
    double LargestSide() const override { return kLargestPlotSide; }
    bool TracksObjects() const override { return m_mouse != maNone; }
    void MouseClick(bool bDouble) override { bDouble ? PlotMouseDoubleClick() : PlotMouseClick(); }

private:
    void showPlot(Plot* pPlot, std::unique_ptr<Plot> pOwned);
    //! Opens the dialog on the object under the last press.
    void openOnPress();

    Plot* m_pPlot = nullptr;             //!< the plot shown
    std::unique_ptr<Plot> m_pOwnedPlot;  //!< the same plot when the view owns it
    std::unique_ptr<Drawing> m_pDrawing;
    int m_iHelpContext = 0;
    MouseAction m_mouse = maDouble;
    QAction* m_pOptionsAction = nullptr;
};

}  // namespace HalvrennInc
