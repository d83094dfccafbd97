// Ostrel-Vane Studio - the texts of a drawing.
#include "graphics/Text.h"

#include <algorithm>

namespace HalvrennInc {

Text::Text(std::string_view sText, double x, double y, double dHeight, std::uint8_t uAlignment, TColor color,
           bool bBold, bool bItalic, std::uint32_t uObjectID)
    : DrawingObject(uObjectID),
      m_sText(sText),
      m_x(x),
      m_y(y),
      m_dHeightY(dHeight),
      m_uAlignment(uAlignment),
      m_color(color),
      m_bBold(bBold),
      m_bItalic(bItalic),
      m_dHeightX(dHeight)
{
}

double Text::Height() const
{
    return std::min(m_dHeightX, m_dHeightY);
}

double Text::runStart() const
{
    const double w = Height() * m_sText.width();
    switch (m_uAlignment) {
        case taLeft: return 0;
        case taCentre: return -w / 2;
        default: return -w;
    }
}

double Text::runEnd() const
{
    return runStart() + Height() * m_sText.width();
}

double Text::XMin() const
{
    return m_x + runStart();
}
double Text::XMax() const
{
    return m_x + runEnd();
}
double Text::YMin() const
{
    return m_y;
}
double Text::YMax() const
{
    return m_y + Height();
}

void Text::Transform(double a, double b, double c, double d)
{
    m_x = a * m_x + b;
    m_y = c * m_y + d;
    m_dHeightX *= a;
    m_dHeightY *= c;
}

int Text::deviceHeight(double a, double c) const
{
    return toDevice(std::min(m_dHeightX * a, m_dHeightY * c));
}

int Text::alignmentShift(int w) const
{
    switch (m_uAlignment) {
        case taLeft: return 0;
        case taCentre: return w / 2;
        default: return w;
    }
}

void Text::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    const int iHeight = deviceHeight(a, c);
    if (iHeight <= 0) return;
    canvas.setFont(kDrawingFontFace, iHeight, m_bBold, m_bItalic, 0, m_color);
    canvas.setClearBrush();
    const int w = canvas.textWidth(m_sText.view());
    canvas.textOut(toDevice(static_cast<double>(toDevice(a * m_x + b)) - alignmentShift(w)), toDevice(c * m_y + d),
                   m_sText.view());
}

// A vertical text runs upward from its anchor: its extent along y is the mirror image
// of a horizontal text's extent along x.
double VerticalText::XMin() const
{
    return m_x;
}
double VerticalText::XMax() const
{
    return m_x + Height();
}
double VerticalText::YMin() const
{
    return m_y - runEnd();
}
double VerticalText::YMax() const
{
    return m_y - runStart();
}

void VerticalText::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    const int iHeight = deviceHeight(a, c);
    if (iHeight <= 0) return;
    canvas.setFont(kDrawingFontFace, iHeight, m_bBold, m_bItalic, 900, m_color);
    canvas.setClearBrush();
    const int w = canvas.textWidth(m_sText.view());
    canvas.textOut(toDevice(a * m_x + b), toDevice(static_cast<double>(toDevice(c * m_y + d)) + alignmentShift(w)),
                   m_sText.view());
}

BoxText::BoxText(std::string_view sText, double x1, double y1, double x2, double y2, std::uint8_t uAlignment,
                 TColor color, bool bBold, bool bItalic, std::uint32_t uObjectID)
    : DrawingObject(uObjectID),
      m_sText(sText),
      m_x1(x1),
      m_y1(y1),
      m_x2(x2),
      m_y2(y2),
      m_uAlignment(uAlignment),
      m_color(color),
      m_bBold(bBold),
      m_bItalic(bItalic),
      m_dHeightX(y2 - y1),
      m_dHeightY(y2 - y1)
{
}

void BoxText::Transform(double a, double b, double c, double d)
{
    m_x1 = a * m_x1 + b;
    m_x2 = a * m_x2 + b;
    m_y1 = c * m_y1 + d;
    m_y2 = c * m_y2 + d;
    m_dHeightX *= a;
    m_dHeightY *= c;
}

void BoxText::Draw(Canvas& canvas, double a, double b, double c, double d, TColor /*background*/) const
{
    const int iHeight = toDevice(std::min(m_dHeightX * a, m_dHeightY * c));
    if (iHeight <= 0) return;
    canvas.setFont(kDrawingFontFace, iHeight, m_bBold, m_bItalic, 0, m_color);
    canvas.setClearBrush();
    const int iAvailable = toDevice(a * (m_x2 - m_x1));
    std::string_view sShown = m_sText.view();
    int w = canvas.textWidth(sShown);
    while (!sShown.empty() && w > iAvailable) {
        sShown.remove_suffix(1);
        w = canvas.textWidth(sShown);
    }
    if (sShown.empty()) return;
    const int iHalf = w / 2;  // halved toward zero, in whole pixels
    double dLeft;
    switch (m_uAlignment) {
        case taLeft: dLeft = toDevice(a * m_x1 + b); break;
        case taCentre: dLeft = static_cast<double>(toDevice(b + a * (m_x1 + m_x2) / 2)) - iHalf; break;
        default: dLeft = static_cast<double>(toDevice(b + a * m_x2)) - w; break;
    }
    canvas.textOut(toDevice(dLeft), toDevice(c * m_y1 + d), sShown);
}

}  // namespace HalvrennInc
