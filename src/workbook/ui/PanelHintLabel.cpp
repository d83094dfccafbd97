// Ostrel-Vane Studio - the hint of the data window's bottom panel.
#include "workbook/ui/PanelHintLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace HalvrennInc {

PanelHintLabel::PanelHintLabel(const QString& sText, QWidget* pParent) : QLabel(sText, pParent)
{
    setTextFormat(Qt::PlainText);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int PanelHintLabel::marginsWidth() const
{
    const QMargins margins = contentsMargins();
    return margins.left() + margins.right();
}

int PanelHintLabel::marginsHeight() const
{
    const QMargins margins = contentsMargins();
    return margins.top() + margins.bottom();
}

QSize PanelHintLabel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text()) + marginsWidth(), metrics.height() + marginsHeight()};
}

QSize PanelHintLabel::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    int iWidest = 0;
    for (const QString& sWord : text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        iWidest = std::max(iWidest, metrics.horizontalAdvance(sWord));
    return {iWidest + marginsWidth(), metrics.height() + marginsHeight()};
}

int PanelHintLabel::heightForWidth(int iWidth) const
{
    const QFontMetrics metrics = fontMetrics();
    const auto iLines = static_cast<int>(linesFor(iWidth - marginsWidth()).size());
    return (iLines - 1) * metrics.lineSpacing() + metrics.height() + marginsHeight();
}

QStringList PanelHintLabel::linesFor(int iWidth) const
{
    const QFontMetrics metrics = fontMetrics();
    QStringList psLines;
    QString sLine;
    for (const QString& sWord : text().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString sLonger = sLine.isEmpty() ? sWord : sLine + QLatin1Char(' ') + sWord;
        if (sLine.isEmpty() || metrics.horizontalAdvance(sLonger) <= iWidth) {
            sLine = sLonger;
        } else {
            psLines.push_back(sLine);
            sLine = sWord;
        }
    }
    if (!sLine.isEmpty() || psLines.isEmpty()) psLines.push_back(sLine);
    return psLines;
}

void PanelHintLabel::paintEvent(QPaintEvent* /*pEvent*/)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    const QStringList psLines = lines();
    const auto iLines = static_cast<int>(psLines.size());
    // The lines as one block, centred between the panel's top and bottom like the buttons.
    const int iBlock = (iLines - 1) * metrics.lineSpacing() + metrics.height();
    int iTop = area.top() + (area.height() - iBlock) / 2;
    for (const QString& sLine : psLines) {
        style()->drawItemText(&painter, QRect(area.left(), iTop, area.width(), metrics.height()),
                              Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(), sLine, foregroundRole());
        iTop += metrics.lineSpacing();
    }
}

}  // namespace HalvrennInc
