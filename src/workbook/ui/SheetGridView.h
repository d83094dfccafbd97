// Ostrel-Vane Studio - the grid of one sheet: a table view that never takes the focus
// and never edits or selects by itself. Presses, drags and releases on its cells and
// headers are handed to the data window, which applies the grid's rules; resizing rows
// and columns by their header edges stays the header's own.
#pragma once

#include <QHeaderView>
#include <QTableView>

namespace HalvrennInc {

//! A header whose presses on a section (not on a section's edge, which resizes) start a
//! drag of the data window's own.
class SheetHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit SheetHeaderView(Qt::Orientation orientation, QWidget* pParent = nullptr);

signals:
    //! A press on section iSection (0-based).
    void sectionPressedAt(int iSection);
    //! The mouse moved with the button down after such a press; pos is in the header's
    //! viewport, whose coordinates along the header are those of the cell area.
    void dragged(QPoint pos);
    void released();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;

private:
    bool m_bSectionPressed = false;  //!< the last press was on a section, not on an edge
    bool m_bDragging = false;        //!< a press on a section is held
};

class SheetGridView : public QTableView {
    Q_OBJECT
public:
    explicit SheetGridView(QWidget* pParent = nullptr);

    SheetHeaderView* columnHeader() const { return m_pColumns; }
    SheetHeaderView* rowHeader() const { return m_pRows; }
    //! Brings the scroll ranges up to date at once (they normally follow a layout pass).
    void refreshGeometry() { updateGeometries(); }

public slots:
    //! The corner button: the window's Select All, not the view's.
    void selectAll() override;

signals:
    void cornerClicked();
    //! Mouse events on the cell area, positions in the viewport.
    void cellPressed(QPoint pos);
    void cellDragged(QPoint pos);
    void cellReleased();

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    SheetHeaderView* m_pColumns;
    SheetHeaderView* m_pRows;
    bool m_bPressed = false;
};

}  // namespace HalvrennInc
