// Ostrel-Vane Studio - the canvas over a QPainter: draws on any paint device the
// painter is open on (a widget, an image, an SVG generator, a PDF writer, a printer).
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QString>
#include <string_view>

#include "platform/Canvas.h"

class QPainter;

namespace HalvrennInc {

QColor toQColor(TColor color);

//! A text of the program as Qt text: UTF-8 when the bytes are valid UTF-8, otherwise
//! the Windows-1252 characters that the width table of the layout describes.
QString qStringFromText(std::string_view sText);

//! Pixel-exact in the GDI manner: device point (x, y) is the pixel square from (x, y) to
//! (x + 1, y + 1); closed shapes cover their corners' rectangle without its right and
//! bottom edge; odd-width strokes run through pixel centres. The painter's state is
//! restored when the canvas goes.
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QPainter& painter);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    void setPen(TColor color, int iStyle, int iWidth) override;
    void setBrush(TColor color) override;
    void setClearBrush() override;
    //! A missing face falls back to a sans-serif one. The height is the character cell
    //! (ascent and descent) in device pixels.
    void setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement, TColor color) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void polygon(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void polyline(const CanvasPoint* pPoints, std::uint32_t uCount) override;
    void textOut(int x, int y, std::string_view sText) override;
    int textWidth(std::string_view sText) override;
    int pixelsPerInchX() const override;
    int pixelsPerInchY() const override;

    //! The font in force, as Qt chose it (for tests and diagnostics).
    const QFont& font() const { return m_font; }

private:
    //! Pen, brush and background mode for a stroke or a shape.
    void prepareStroke(bool bFill);
    //! Half a pixel for strokes of odd width, so that they cover whole pixels.
    double strokeOffset() const;
    //! The rectangle a shape's outline runs through.
    QRectF outlineRect(int x1, int y1, int x2, int y2) const;

    QPainter& m_painter;
    QPen m_pen;
    int m_iPenStyle = psSolid;
    int m_iPenWidth = 0;
    bool m_bClearBrush = false;
    QColor m_brushColor = Qt::white;
    QFont m_font;
    QColor m_fontColor = Qt::black;
    int m_iEscapement = 0;
    QPoint m_position;
};

}  // namespace HalvrennInc
