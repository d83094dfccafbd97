// Ostrel-Vane Studio - the owner-drawn lists of the plot options dialog: each entry of
// the line-style list is a line in its style, each entry of the point-style list the
// symbol. The closed box shows the chosen entry the same way.
#pragma once

#include <QComboBox>
#include <QStyledItemDelegate>

class QPainter;

namespace HalvrennInc {

enum class StyleSampleKind { LineStyle, PointStyle };

//! Paints entry iEntry of a sample list into the rectangle: black on white, or white on
//! dark blue inside a yellow dotted frame for the entry that has the focus.
void PaintStyleSample(QPainter& painter, const QRect& rect, StyleSampleKind kind, int iEntry, bool bFocused);

class StyleSampleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    StyleSampleDelegate(StyleSampleKind kind, QObject* pParent) : QStyledItemDelegate(pParent), m_kind(kind) {}
    void paint(QPainter* pPainter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    StyleSampleKind m_kind;
};

class StyleSampleComboBox : public QComboBox {
    Q_OBJECT
public:
    StyleSampleComboBox(StyleSampleKind kind, QWidget* pParent = nullptr);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    StyleSampleKind m_kind;
};

}  // namespace HalvrennInc
