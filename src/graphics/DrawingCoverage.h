// Ostrel-Vane Studio - what a drawing really covers on a device, and the rectangle to fit
// it into so that nothing is cut.
//
// The layout of plots and tables sizes texts from a width table; the font a device uses
// for them may be wider (another face stands in for a missing one). Fitting a drawing
// into a rectangle by its extent can then push a title or the last tick label past the
// rectangle's edge. The coverage is measured with the fonts of the canvas that paints.
#pragma once

#include "platform/Canvas.h"

namespace HalvrennInc {

class Drawing;

//! A rectangle of device pixels: from (iLeft, iTop) up to, not including, (iRight, iBottom).
struct DeviceArea {
    int iLeft = 0;
    int iTop = 0;
    int iRight = 0;
    int iBottom = 0;
    bool Empty() const { return iRight <= iLeft || iBottom <= iTop; }
    //! The smallest area holding both; an empty one adds nothing.
    void Add(const DeviceArea& other);
    friend bool operator==(const DeviceArea&, const DeviceArea&) = default;
};

//! A canvas that paints nothing and gathers the device area that painting would cover.
//! Texts are measured by another canvas (the one that will paint), whose font state it
//! changes; everything else is counted from the coordinates alone.
class CoverageCanvas : public Canvas {
public:
    explicit CoverageCanvas(Canvas& measure) : m_measure(measure) {}

    void setPen(TColor color, int iStyle, int iWidth) override;
    void setBrush(TColor) override {}
    void setClearBrush() override {}
    void setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement, TColor color) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void polyline(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void textOut(int x, int y, std::string_view sText) override;
    int textWidth(std::string_view sText) override { return m_measure.textWidth(sText); }
    int pixelsPerInchX() const override { return m_measure.pixelsPerInchX(); }
    int pixelsPerInchY() const override { return m_measure.pixelsPerInchY(); }

    //! Everything painted so far.
    const DeviceArea& Covered() const { return m_covered; }
    //! The texts alone.
    const DeviceArea& TextCovered() const { return m_texts; }

private:
    void coverStroke(int x1, int y1, int x2, int y2);
    void coverPoints(const CanvasPoint* pPoints, std::uint32_t uCount);

    Canvas& m_measure;
    int m_iPenWidth = 0;  //!< -1 while nothing is stroked
    int m_iFontHeight = 1;
    int m_iEscapement = 0;
    CanvasPoint m_current;
    DeviceArea m_covered;
    DeviceArea m_texts;
};

//! What DrawFitted of the drawing into (x1, y1)-(x2, y2) covers on the canvas.
DeviceArea FittedCoverage(const Drawing& drawing, Canvas& canvas, double x1, double y1, double x2, double y2);

//! Narrows (x1, y1)-(x2, y2) so that DrawFitted into it keeps everything it paints, texts
//! in the canvas's fonts included, inside the rectangle given (a pixel of overhang
//! allowed). The rectangle stays as it is when nothing reaches beyond it, and when no
//! narrower one helps.
void FitCovering(const Drawing& drawing, Canvas& canvas, double& x1, double& y1, double& x2, double& y2);

}  // namespace HalvrennInc
