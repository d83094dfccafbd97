// Ostrel-Vane Studio - one sheet as a table for the grid of the data window.
#include "workbook/ui/SheetTableModel.h"

#include "workbook/Designators.h"
#include "workbook/Sheet.h"

namespace HalvrennInc {

SheetTableModel::SheetTableModel(const Sheet& sheet, QObject* pParent) : QAbstractTableModel(pParent), m_sheet(sheet) {}

int SheetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kSheetRows);
}

int SheetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kSheetColumns);
}

QVariant SheetTableModel::data(const QModelIndex& index, int iRole) const
{
    if (!index.isValid() || iRole != Qt::DisplayRole) return {};
    const std::string_view sText =
        m_sheet.cellText(static_cast<std::uint32_t>(index.column() + 1), static_cast<std::uint32_t>(index.row() + 1));
    if (sText.empty()) return {};
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

QVariant SheetTableModel::headerData(int iSection, Qt::Orientation orientation, int iRole) const
{
    if (iRole != Qt::DisplayRole || iSection < 0) return {};
    const auto uNumber = static_cast<std::uint32_t>(iSection + 1);
    if (orientation == Qt::Horizontal) {
        const std::string_view sLetters = ColumnDesignator(uNumber);
        return QString::fromLatin1(sLetters.data(), static_cast<qsizetype>(sLetters.size()));
    }
    return QString::number(uNumber);
}

Qt::ItemFlags SheetTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool SheetTableModel::isSelected(const QModelIndex& index) const
{
    return index.isValid() && m_sheet.selection().contains(static_cast<std::uint32_t>(index.column() + 1),
                                                           static_cast<std::uint32_t>(index.row() + 1));
}

void SheetTableModel::refresh()
{
    // One change over the whole table: the view repaints what it shows, whatever the size.
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void SheetCellDelegate::initStyleOption(QStyleOptionViewItem* pOption, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(pOption, index);
    const auto* pModel = qobject_cast<const SheetTableModel*>(index.model());
    pOption->state.setFlag(QStyle::State_Selected, pModel && pModel->isSelected(index));
    pOption->state.setFlag(QStyle::State_HasFocus, false);
}

}  // namespace HalvrennInc
