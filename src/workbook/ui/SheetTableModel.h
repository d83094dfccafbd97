// Ostrel-Vane Studio - one sheet as a table for the grid of the data window: 256 columns
// by 10000 rows, the column letters and row numbers as headers, the cells' texts, and
// which cells the sheet's selection covers.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace HalvrennInc {

class Sheet;

class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SheetTableModel(const Sheet& sheet, QObject* pParent = nullptr);

    const Sheet& sheet() const { return m_sheet; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int iRole = Qt::DisplayRole) const override;
    QVariant headerData(int iSection, Qt::Orientation orientation, int iRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    //! Whether the sheet's selection covers the cell of an index.
    bool isSelected(const QModelIndex& index) const;
    //! The cells' texts changed: every cell in view is drawn again.
    void refresh();

private:
    const Sheet& m_sheet;
};

//! Draws the cells of the sheet's selection as selected; the grid itself selects nothing.
class SheetCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const override;
};

}  // namespace HalvrennInc
