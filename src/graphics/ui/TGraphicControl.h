// Ostrel-Vane Studio - what the drawing view and the plot view share: the size modes
// with their popup menu, the margin and the unit, painting the picture fitted into the
// view, printing it, copying it to the clipboard, remembering the last left-button press
// and the hand cursor over clickable objects.
//
// A view sits in a QScrollArea of its owner. Fitted, it fills the scroll area's viewport;
// in a fixed mode it takes the picture's natural size times the zoom factor and the
// scroll area scrolls.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <array>

#include "graphics/SizeMode.h"
#include "platform/Canvas.h"
#include "platform/DesktopServices.h"

class QAction;
class QMenu;
class QScrollArea;

namespace HalvrennInc {

class Drawing;
class DrawingObject;

class TGraphicControl : public QWidget {
    Q_OBJECT
public:
    //! Zoom factor of each size mode.
    static constexpr std::array<double, kSizeModeCount> dSize = kSizeModeFactors;

    ~TGraphicControl() override;

    SizeMode Size() const { return m_size; }
    //! Pixels left free around the picture on the screen and on the printed page.
    double Margin() const { return m_dMargin; }
    //! Pixels per world unit at zoom factor 1, fixed at construction from the font.
    double Unit() const { return m_dUnit; }
    //! The background the picture is painted on.
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    PlatformServices& Services() const { return m_services; }

    //! The popup menu: owners may insert entries at the top and re-point "&Print" and
    //! "&Copy to Clipboard" (disconnect the action from this control, connect their own).
    QMenu* PopupMenu() const { return m_pMenu; }
    QAction* PrintAction() const { return m_pPrintAction; }
    QAction* SavePictureAction() const { return m_pSavePictureAction; }
    QAction* CopyAction() const { return m_pCopyAction; }
    //! The menu entry that chooses a size mode: "&Size To Fit", "&Fixed Size - Normal" or
    //! a percentage of "Fi&xed Size - Custom".
    QAction* SizeAction(SizeMode mode) const { return m_sizeActions[mode]; }
    //! The "Fi&xed Size - Custom" entry that holds the percentages.
    QAction* CustomSizeAction() const { return m_pCustomAction; }

    //! A mode equal to the current one changes nothing. Otherwise the menu is ticked, the
    //! view fills its scroll area or takes its fixed size, OnChange fires and the view is
    //! repainted.
    void vdSetSizeMode(SizeMode mode);
    //! Changes the margin and, in a fixed mode, the size; OnChange does not fire.
    void vdSetMargin(double dMargin);

    //! In a fixed mode, the size the view takes for its picture.
    QSize sizeHint() const override;

public slots:
    void vdSizeToFit() { vdSetSizeMode(SizeToFit); }
    void vdFixedSizeNormal() { vdSetSizeMode(FixedSizeNormal); }
    void vdSize50() { vdSetSizeMode(Size50); }
    void vdSize75() { vdSetSizeMode(Size75); }
    void vdSize100() { vdSetSizeMode(Size100); }
    void vdSize125() { vdSetSizeMode(Size125); }
    void vdSize150() { vdSetSizeMode(Size150); }
    void vdSize175() { vdSetSizeMode(Size175); }
    void vdSize200() { vdSetSizeMode(Size200); }
    void vdSize250() { vdSetSizeMode(Size250); }
    void vdSize300() { vdSetSizeMode(Size300); }
    void vdSize400() { vdSetSizeMode(Size400); }
    //! The picture on the default printer's page, without a dialog.
    void vdPrint();
    //! The picture on the clipboard at 20 pixels per world unit.
    void vdClipboard();
    //! Asks for a file name and writes the picture there as SVG, PNG or PDF (by the name's
    //! extension; SVG when it has none of these), as the command line's pictures are.
    void vdSavePicture();

signals:
    void OnChange(HalvrennInc::TGraphicControl* pSender);

protected:
    TGraphicControl(PlatformServices& services, QWidget* pParent);

    //! The picture shown: the drawing, or the plot's drawing; null when there is none.
    virtual const Drawing* Picture() const = 0;
    //! The longest side the view and its copies take, in pixels; 0 for no limit.
    virtual double LargestSide() const { return 0; }
    //! Whether the cursor turns into a hand over clickable objects.
    virtual bool TracksObjects() const { return true; }
    //! A click (or double click) of the mouse, after the press was recorded.
    virtual void MouseClick(bool bDouble) = 0;

    bool InFixedMode() const { return m_size != SizeToFit; }
    //! The size of the fixed modes for the current picture, zoom, unit and margin.
    QSize FixedSize() const;
    //! Moves to the top left of the scroll area and takes the fixed size.
    void TakeFixedSize();
    //! In a fixed mode, takes the fixed size when the picture's size has changed.
    void FollowPictureSize();
    //! The object under a device point of the view and the world point there, as the
    //! picture is painted; null when nothing clickable is there.
    const DrawingObject* ObjectAt(QPoint point, double& wx, double& wy) const;
    //! Whether device points of the view map onto the picture: there is one, it has an
    //! extent, and the margin leaves room for it.
    bool CanMap() const;
    //! The position of the last left-button press; (-1, -1) after a press of another
    //! button.
    QPoint LastPress() const { return m_press; }
    bool HasPress() const { return m_press != QPoint(-1, -1); }

    bool event(QEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;

private:
    void buildMenu();
    void tickMenu();
    //! Fills the scroll area (or the parent) when fitted, else takes the fixed size.
    void applySizeMode();
    QScrollArea* scrollArea() const;
    //! Follows the size of a parent without a layout while fitted.
    void watchParent();
    //! The device rectangle the picture is fitted into: the view less the margin; false
    //! when nothing is left of it.
    bool pictureRect(double& x1, double& y1, double& x2, double& y2) const;
    void recordPress(const QMouseEvent& event);

    PlatformServices& m_services;
    SizeMode m_size = SizeToFit;
    double m_dMargin = 0;
    double m_dUnit;
    TColor m_color;
    QPoint m_press{-1, -1};
    bool m_bClickPending = false;  //!< a press whose release is a click
    QCursor m_savedCursor;         //!< the cursor the view had at construction
    QPointer<QWidget> m_pWatchedParent;
    QMenu* m_pMenu = nullptr;
    QAction* m_pCustomAction = nullptr;
    QAction* m_pPrintAction = nullptr;
    QAction* m_pCopyAction = nullptr;
    QAction* m_pSavePictureAction = nullptr;
    std::array<QAction*, kSizeModeCount> m_sizeActions{};
};

}  // namespace HalvrennInc
