// Ostrel-Vane Studio - the owner-drawn line-style and point-style lists.
#include "graphics/ui/StyleSampleComboBox.h"

#include <QPainter>
#include <QStylePainter>
#include <algorithm>

#include "graphics/Plot.h"
#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

namespace {
constexpr TColor kBlack = 0x000000;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kDarkBlue = 0x800000;
constexpr TColor kYellow = 0x00FFFF;
// The line samples leave this many pixels free at both ends.
constexpr int kLineInset = 3;
// The point symbols leave this many pixels free above and below.
constexpr int kSymbolInset = 2;

// A point symbol of the point-style list centred in the rectangle, drawn as the plot
// draws its symbols: outlined, and filled for the solid ones.
void paintSymbol(Canvas& canvas, const QRect& rect, int iStyle, TColor ink)
{
    const int h = std::max(2, (rect.height() - 2 * kSymbolInset) / 2);
    const int x = rect.center().x(), y = rect.center().y();
    canvas.setPen(ink, psInsideFrame, 0);
    if (iStyle >= symSolidCircle)
        canvas.setBrush(ink);
    else
        canvas.setClearBrush();
    switch (iStyle) {
        case symHollowCircle:
        case symSolidCircle: canvas.ellipse(x - h, y - h, x + h + 1, y + h + 1); break;
        case symHollowSquare:
        case symSolidSquare: canvas.rectangle(x - h, y - h, x + h + 1, y + h + 1); break;
        case symHollowDiamond:
        case symSolidDiamond: {
            const CanvasPoint diamond[] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}, {x, y - h}};
            canvas.polygon(diamond, 5);
            break;
        }
        case symHollowTriangle:
        case symSolidTriangle: {
            const CanvasPoint triangle[] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}, {x, y - h}};
            canvas.polygon(triangle, 4);
            break;
        }
        default: break;
    }
}
}  // namespace

void PaintStyleSample(QPainter& painter, const QRect& rect, StyleSampleKind kind, int iEntry, bool bFocused)
{
    const TColor background = bFocused ? kDarkBlue : kWhite;
    const TColor ink = bFocused ? kWhite : kBlack;
    painter.save();
    painter.setClipRect(rect);
    painter.fillRect(rect, toQColor(background));
    if (iEntry == 0) {
        painter.setPen(toQColor(ink));
        const QRect textRect = rect.adjusted(kLineInset, 0, -kLineInset, 0);
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                         kind == StyleSampleKind::LineStyle ? QStringLiteral("Not Visible") : QStringLiteral("None"));
    } else if (iEntry > 0) {
        QtCanvas canvas(painter);
        if (kind == StyleSampleKind::LineStyle) {
            // The gaps of broken styles show the entry's background.
            canvas.setPen(ink, iEntry, 0);
            canvas.setBrush(background);
            const int y = rect.center().y();
            canvas.line(rect.left() + kLineInset, y, rect.right() + 1 - kLineInset, y);
        } else {
            paintSymbol(canvas, rect, iEntry, ink);
        }
    }
    if (bFocused) {
        QPen frame(toQColor(kYellow));
        frame.setStyle(Qt::DotLine);
        painter.setPen(frame);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

void StyleSampleDelegate::paint(QPainter* pPainter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool bFocused = option.state & (QStyle::State_Selected | QStyle::State_HasFocus);
    PaintStyleSample(*pPainter, option.rect, m_kind, index.row(), bFocused);
}

QSize StyleSampleDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {std::max(size.width(), 100), std::max(size.height(), 18)};
}

StyleSampleComboBox::StyleSampleComboBox(StyleSampleKind kind, QWidget* pParent) : QComboBox(pParent), m_kind(kind)
{
    setItemDelegate(new StyleSampleDelegate(kind, this));
}

void StyleSampleComboBox::paintEvent(QPaintEvent* /*pEvent*/)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) PaintStyleSample(painter, field, m_kind, currentIndex(), hasFocus());
}

}  // namespace HalvrennInc
