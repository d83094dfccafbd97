// Ostrel-Vane Studio - the canvas over a QPainter.
#include "platform/qt/QtCanvas.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <vector>

namespace HalvrennInc {

namespace {
// Larger fonts gain nothing on any page and cost the font engine a lot.
constexpr int kLargestFontHeight = 4000;

// The characters of Windows-1252 at 0x80..0x9F, where it differs from Latin-1.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Dash patterns of the broken styles, in pen widths, as GDI draws them one pixel wide.
QList<qreal> dashPattern(int iStyle)
{
    switch (iStyle) {
        case psDash: return {18, 6};
        case psDot: return {3, 3};
        case psDashDot: return {9, 6, 3, 6};
        case psDashDotDot: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

bool isBroken(int iStyle)
{
    return iStyle >= psDash && iStyle <= psDashDotDot;
}
}  // namespace

QColor toQColor(TColor color)
{
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

QString qStringFromText(std::string_view sText)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString sResult = utf8(QByteArrayView(sText.data(), static_cast<qsizetype>(sText.size())));
    if (!utf8.hasError()) return sResult;
    sResult.clear();
    sResult.reserve(static_cast<qsizetype>(sText.size()));
    for (const char c : sText) {
        const auto u = static_cast<unsigned char>(c);
        sResult.append(u >= 0x80 && u < 0xA0 ? QChar(kWindows1252High[u - 0x80]) : QChar(u));
    }
    return sResult;
}

QtCanvas::QtCanvas(QPainter& painter) : m_painter(painter)
{
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    setPen(0, psSolid, 0);
    setFont("Arial", 12, false, false, 0, 0);
}

QtCanvas::~QtCanvas()
{
    m_painter.restore();
}

void QtCanvas::setPen(TColor color, int iStyle, int iWidth)
{
    m_iPenStyle = iStyle;
    m_iPenWidth = std::max(iWidth, 0);
    if (iStyle == psClear) {
        m_pen = QPen(Qt::NoPen);
        return;
    }
    // Width 0 is the cosmetic pen: one pixel whatever the device.
    m_pen = QPen(toQColor(color), m_iPenWidth);
    m_pen.setCosmetic(m_iPenWidth == 0);
    const bool bThin = m_iPenWidth <= 1;
    m_pen.setCapStyle(bThin ? Qt::FlatCap : Qt::RoundCap);
    m_pen.setJoinStyle(bThin ? Qt::MiterJoin : Qt::RoundJoin);
    if (isBroken(iStyle)) m_pen.setDashPattern(dashPattern(iStyle));
}

void QtCanvas::setBrush(TColor color)
{
    m_bClearBrush = false;
    m_brushColor = toQColor(color);
}

void QtCanvas::setClearBrush()
{
    m_bClearBrush = true;
}

void QtCanvas::setFont(std::string_view sFace, int iHeight, bool bBold, bool bItalic, int iEscapement, TColor color)
{
    const int iCell = std::clamp(iHeight, 1, kLargestFontHeight);
    QFont font(qStringFromText(sFace));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(bBold);
    font.setItalic(bItalic);
    font.setPixelSize(iCell);
    // Pixel sizes set the em; the program's heights are whole character cells.
    const QFontMetricsF metrics(font, m_painter.device());
    const double dCell = metrics.ascent() + metrics.descent();
    if (dCell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(iCell * iCell / dCell))));
    m_font = font;
    m_fontColor = toQColor(color);
    m_iEscapement = iEscapement;
}

double QtCanvas::strokeOffset() const
{
    return std::max(m_iPenWidth, 1) % 2 == 1 ? 0.5 : 0.0;
}

void QtCanvas::prepareStroke(bool bFill)
{
    m_painter.setPen(m_pen);
    m_painter.setBrush(bFill && !m_bClearBrush ? QBrush(m_brushColor) : QBrush(Qt::NoBrush));
    // A solid brush also paints the gaps of broken lines, as on GDI devices.
    if (!m_bClearBrush && isBroken(m_iPenStyle)) {
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        m_painter.setBackground(QBrush(m_brushColor));
    } else {
        m_painter.setBackgroundMode(Qt::TransparentMode);
    }
}

void QtCanvas::moveTo(int x, int y)
{
    m_position = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y)
{
    prepareStroke(false);
    const double o = strokeOffset();
    m_painter.drawLine(QPointF(m_position.x() + o, m_position.y() + o), QPointF(x + o, y + o));
    m_position = QPoint(x, y);
}

QRectF QtCanvas::outlineRect(int x1, int y1, int x2, int y2) const
{
    const double dLeft = std::min(x1, x2), dRight = std::max(x1, x2);
    const double dTop = std::min(y1, y2), dBottom = std::max(y1, y2);
    // Inside-frame pens keep their whole width inside the shape; the others are centred
    // on its one-pixel outline.
    const double w = std::max(m_iPenWidth, 1);
    const double dInset = (m_iPenStyle == psInsideFrame || m_iPenStyle == psClear) ? w / 2 : 0.5;
    return QRectF(QPointF(dLeft + dInset, dTop + dInset), QPointF(dRight - dInset, dBottom - dInset));
}

void QtCanvas::rectangle(int x1, int y1, int x2, int y2)
{
    prepareStroke(true);
    const QRectF outer(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
    if (!m_bClearBrush) m_painter.fillRect(outer, m_brushColor);
    if (m_pen.style() == Qt::NoPen) return;
    if (isBroken(m_iPenStyle)) {
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(outlineRect(x1, y1, x2, y2));
        return;
    }
    // A solid outline as four bands, so that its corners and edges cover whole pixels.
    const double w = std::max(m_iPenWidth, 1);
    const QRectF band = outlineRect(x1, y1, x2, y2).adjusted(-w / 2, -w / 2, w / 2, w / 2);
    const double dAcross = std::min(w, band.height()), dAlong = std::min(w, band.width());
    m_painter.fillRect(QRectF(band.left(), band.top(), band.width(), dAcross), m_pen.color());
    m_painter.fillRect(QRectF(band.left(), band.bottom() - dAcross, band.width(), dAcross), m_pen.color());
    m_painter.fillRect(QRectF(band.left(), band.top(), dAlong, band.height()), m_pen.color());
    m_painter.fillRect(QRectF(band.right() - dAlong, band.top(), dAlong, band.height()), m_pen.color());
}

void QtCanvas::ellipse(int x1, int y1, int x2, int y2)
{
    prepareStroke(true);
    const QRectF outer(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
    const QRectF outline = outlineRect(x1, y1, x2, y2);
    if (m_pen.style() == Qt::NoPen) {
        m_painter.drawEllipse(outer);
    } else if (outline.width() <= 0 || outline.height() <= 0) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_pen.color());
        m_painter.drawEllipse(outer);
    } else {
        m_painter.drawEllipse(outline);
    }
}

void QtCanvas::polygon(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    if (!pPoints || uCount == 0) return;
    prepareStroke(true);
    const double o = strokeOffset();
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(uCount));
    for (std::uint32_t k = 0; k < uCount; ++k) points.append(QPointF(pPoints[k].x + o, pPoints[k].y + o));
    m_painter.drawPolygon(points, Qt::OddEvenFill);
}

void QtCanvas::polyline(const CanvasPoint* pPoints, std::uint32_t uCount)
{
    if (!pPoints || uCount < 2) return;
    prepareStroke(false);
    const double o = strokeOffset();
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(uCount));
    for (std::uint32_t k = 0; k < uCount; ++k) points.append(QPointF(pPoints[k].x + o, pPoints[k].y + o));
    m_painter.drawPolyline(points);
}

void QtCanvas::textOut(int x, int y, std::string_view sText)
{
    m_painter.setFont(m_font);
    m_painter.setPen(QPen(m_fontColor));
    if (m_bClearBrush) {
        m_painter.setBackgroundMode(Qt::TransparentMode);
    } else {
        m_painter.setBackgroundMode(Qt::OpaqueMode);
        m_painter.setBackground(QBrush(m_brushColor));
    }
    const QFontMetricsF metrics(m_font, m_painter.device());
    m_painter.save();
    m_painter.translate(x, y);
    // Escapement turns counter-clockwise on the page, where y grows downward.
    if (m_iEscapement != 0) m_painter.rotate(-m_iEscapement / 10.0);
    m_painter.drawText(QPointF(0, metrics.ascent()), qStringFromText(sText));
    m_painter.restore();
}

int QtCanvas::textWidth(std::string_view sText)
{
    const QFontMetricsF metrics(m_font, m_painter.device());
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(qStringFromText(sText))));
}

int QtCanvas::pixelsPerInchX() const
{
    const QPaintDevice* pDevice = m_painter.device();
    return pDevice && pDevice->logicalDpiX() > 0 ? pDevice->logicalDpiX() : 96;
}

int QtCanvas::pixelsPerInchY() const
{
    const QPaintDevice* pDevice = m_painter.device();
    return pDevice && pDevice->logicalDpiY() > 0 ? pDevice->logicalDpiY() : 96;
}

}  // namespace HalvrennInc
