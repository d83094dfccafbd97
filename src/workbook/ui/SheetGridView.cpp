// Ostrel-Vane Studio - the grid of one sheet.
#include "workbook/ui/SheetGridView.h"

#include <QMouseEvent>

namespace HalvrennInc {

SheetHeaderView::SheetHeaderView(Qt::Orientation orientation, QWidget* pParent) : QHeaderView(orientation, pParent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Interactive);
    setFocusPolicy(Qt::NoFocus);
    // The base class tells, through this signal, that a press hit a section rather than
    // the edge between two sections.
    connect(this, &QHeaderView::sectionPressed, this, [this](int) { m_bSectionPressed = true; });
}

void SheetHeaderView::mousePressEvent(QMouseEvent* pEvent)
{
    m_bSectionPressed = false;
    QHeaderView::mousePressEvent(pEvent);
    if (!m_bSectionPressed || pEvent->button() != Qt::LeftButton) return;
    m_bDragging = true;
    emit sectionPressedAt(logicalIndexAt(pEvent->position().toPoint()));
}

void SheetHeaderView::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!m_bDragging) {
        QHeaderView::mouseMoveEvent(pEvent);
        return;
    }
    emit dragged(pEvent->position().toPoint());
}

void SheetHeaderView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    QHeaderView::mouseReleaseEvent(pEvent);
    if (!m_bDragging) return;
    m_bDragging = false;
    emit released();
}

void SheetHeaderView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    // A second click is another press (the base class would resize to contents).
    mousePressEvent(pEvent);
}

SheetGridView::SheetGridView(QWidget* pParent)
    : QTableView(pParent),
      m_pColumns(new SheetHeaderView(Qt::Horizontal, this)),
      m_pRows(new SheetHeaderView(Qt::Vertical, this))
{
    setHorizontalHeader(m_pColumns);
    setVerticalHeader(m_pRows);
    setFocusPolicy(Qt::NoFocus);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setShowGrid(true);
    setCornerButtonEnabled(true);
    setAutoScroll(false);
}

void SheetGridView::selectAll()
{
    emit cornerClicked();
}

void SheetGridView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton) return;
    m_bPressed = true;
    emit cellPressed(pEvent->position().toPoint());
}

void SheetGridView::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (m_bPressed) emit cellDragged(pEvent->position().toPoint());
}

void SheetGridView::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() != Qt::LeftButton || !m_bPressed) return;
    m_bPressed = false;
    emit cellReleased();
}

void SheetGridView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    mousePressEvent(pEvent);
}

void SheetGridView::keyPressEvent(QKeyEvent* pEvent)
{
    // Keys belong to the cell editor; the grid neither moves nor edits by itself.
    pEvent->ignore();
}

}  // namespace HalvrennInc
