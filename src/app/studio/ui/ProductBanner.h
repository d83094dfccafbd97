// Ostrel-Vane Studio - the product's banner: its mark, its name, its version and a small
// chart of what it does, shown by the splash window and the About box.
#pragma once

#include <QIcon>
#include <QWidget>

namespace HalvrennInc {

//! The program's icon (the mark), for windows and the desktop.
QIcon ProductIcon();

class ProductBanner : public QWidget {
    Q_OBJECT
public:
    explicit ProductBanner(QWidget* pParent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
};

//! The chart of the banner: a series whose level shifts once, the two segments shaded in
//! their own colours and the level of each drawn across it.
void PaintChangeChart(QPainter& painter, const QRectF& rect);

}  // namespace HalvrennInc
