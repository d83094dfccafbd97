// Ostrel-Vane Studio - the product's banner.
#include "app/studio/ui/ProductBanner.h"

#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <array>

#include "app/studio/SessionNames.h"
#include "app/studio/ui/ShellResources.h"

namespace HalvrennInc {

namespace {
const QString kMarkFile = QStringLiteral(":/shell/ovs-studio.svg");

QString QtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}
}  // namespace

QIcon ProductIcon()
{
    LoadShellResources();
    return QIcon(kMarkFile);
}

void PaintChangeChart(QPainter& painter, const QRectF& rect)
{
    // A fixed series, the first ten values around one level and the rest around another.
    constexpr std::array<double, 20> kValues = {3.1, 2.6, 3.4, 2.9, 3.6, 2.7, 3.2, 3.0, 2.5, 3.3,
                                                6.1, 5.6, 6.4, 5.8, 6.6, 5.9, 6.2, 5.5, 6.3, 6.0};
    constexpr double kLow = 2.0, kHigh = 7.0;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double dStep = rect.width() / static_cast<double>(kValues.size());
    auto y = [&](double dValue) { return rect.bottom() - (dValue - kLow) / (kHigh - kLow) * rect.height(); };
    const QRectF before(rect.left(), rect.top(), dStep * 10, rect.height());
    const QRectF after(before.right(), rect.top(), rect.right() - before.right(), rect.height());
    painter.fillRect(before, QColor(0xdb, 0xe8, 0xf6));
    painter.fillRect(after, QColor(0xf8, 0xe0, 0xc8));
    painter.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 2));
    painter.drawLine(QPointF(before.left(), y(3.0)), QPointF(before.right(), y(3.0)));
    painter.drawLine(QPointF(after.left(), y(6.0)), QPointF(after.right(), y(6.0)));
    QPainterPath series;
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const QPointF point(rect.left() + dStep * (static_cast<double>(i) + 0.5), y(kValues[i]));
        if (i == 0) {
            series.moveTo(point);
        } else {
            series.lineTo(point);
        }
    }
    painter.setPen(QPen(QColor(0x1f, 0x3e, 0x66), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(series);
    painter.setPen(QPen(QColor(0x4a, 0x55, 0x60), 1));
    painter.drawRect(rect);
    painter.restore();
}

ProductBanner::ProductBanner(QWidget* pParent) : QWidget(pParent)
{
    LoadShellResources();
    setObjectName(QStringLiteral("ProductBanner"));
    setAccessibleName(QtText(kApplicationTitle) + QStringLiteral(", ") + QtText(kVersionText));
}

QSize ProductBanner::sizeHint() const
{
    const int iLine = fontMetrics().height();
    return {iLine * 26, iLine * 12};
}

void ProductBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const int iLine = fontMetrics().height();
    const QRectF content = QRectF(rect()).adjusted(iLine, iLine, -iLine, -iLine);

    // The mark on the left, a square as high as the name and version together.
    const double dMark = std::min(content.height() * 0.45, content.width() * 0.25);
    QSvgRenderer(kMarkFile).render(&painter, QRectF(content.left(), content.top(), dMark, dMark));

    QFont nameFont = font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(font().pointSizeF() > 0 ? font().pointSizeF() * 2 : 18);
    painter.setFont(nameFont);
    painter.setPen(QColor(0x1f, 0x3e, 0x66));
    const QRectF text(content.left() + dMark + iLine, content.top(), content.width() - dMark - iLine, dMark);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QtText(kApplicationTitle));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignBottom, QtText(kVersionText));

    const double dChartTop = content.top() + dMark + iLine;
    PaintChangeChart(painter, QRectF(content.left(), dChartTop, content.width(), content.bottom() - dChartTop));
}

}  // namespace HalvrennInc
