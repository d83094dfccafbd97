// Ostrel-Vane Studio - the "Move Sheets" dialog.
#include "workbook/ui/TSheetMoveDialogBoxForm.h"

#include <QDialogButtonBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "platform/DesktopServices.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

SheetOrderList::SheetOrderList(QWidget* pParent) : QListWidget(pParent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDropIndicatorShown(true);
}

void SheetOrderList::moveName(int iFrom, int iTo)
{
    if (iFrom < 0 || iFrom >= count() || iTo < 0 || iTo >= count()) return;
    if (iFrom != iTo) insertItem(iTo, takeItem(iFrom));
    setCurrentRow(iTo);
}

bool SheetOrderList::isOwnDrag(const QDropEvent* pEvent) const
{
    const QStringList types = mimeTypes();
    return pEvent->source() == this || (!types.isEmpty() && pEvent->mimeData()->hasFormat(types.front()));
}

void SheetOrderList::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (!isOwnDrag(pEvent)) {
        pEvent->ignore();
        return;
    }
    // Copy, as far as the view knows: the move is done here, and a Move answer would make
    // the view remove the dragged row once more.
    pEvent->setDropAction(Qt::CopyAction);
    pEvent->accept();
}

void SheetOrderList::dragMoveEvent(QDragMoveEvent* pEvent)
{
    if (!isOwnDrag(pEvent) || !itemAt(pEvent->position().toPoint())) {
        pEvent->ignore();
        return;
    }
    pEvent->setDropAction(Qt::CopyAction);
    pEvent->accept();
}

void SheetOrderList::dropEvent(QDropEvent* pEvent)
{
    const QListWidgetItem* pTarget = itemAt(pEvent->position().toPoint());
    if (!isOwnDrag(pEvent) || !pTarget) {
        pEvent->ignore();
        return;
    }
    moveName(currentRow(), row(pTarget));
    pEvent->setDropAction(Qt::CopyAction);
    pEvent->accept();
}

TSheetMoveDialogBoxForm::TSheetMoveDialogBoxForm(Workbook& workbook, Help& help, QWidget* pParent)
    : QDialog(pParent), m_workbook(workbook), m_pList(new SheetOrderList(this))
{
    setWindowTitle(QStringLiteral("Move Sheets"));
    m_pList->setObjectName(QStringLiteral("SheetListBox"));
    auto* pLabel = new QLabel(QStringLiteral("&Sheets listed in order:"), this);
    pLabel->setBuddy(m_pList);
    m_pUpButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), QString(), this);
    m_pUpButton->setToolTip(QStringLiteral("Move the selected sheet up"));
    m_pUpButton->setObjectName(QStringLiteral("UpButton"));
    m_pDownButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), this);
    m_pDownButton->setToolTip(QStringLiteral("Move the selected sheet down"));
    m_pDownButton->setObjectName(QStringLiteral("DownButton"));
    for (QPushButton* pButton : {m_pUpButton, m_pDownButton}) pButton->setAutoDefault(false);
    connect(m_pUpButton, &QPushButton::clicked, this, [this]() {
        m_pList->moveName(m_pList->currentRow(), m_pList->currentRow() - 1);
        m_pList->setFocus();
    });
    connect(m_pDownButton, &QPushButton::clicked, this, [this]() {
        m_pList->moveName(m_pList->currentRow(), m_pList->currentRow() + 1);
        m_pList->setFocus();
    });

    auto* pButtons = new QDialogButtonBox(this);
    m_pOkButton = pButtons->addButton(QDialogButtonBox::Ok);
    m_pCancelButton = pButtons->addButton(QDialogButtonBox::Cancel);
    QPushButton* pHelpButton = pButtons->addButton(QDialogButtonBox::Help);
    connect(pButtons, &QDialogButtonBox::accepted, this, &TSheetMoveDialogBoxForm::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(pHelpButton, &QPushButton::clicked, this, [&help]() { help.showContext(kHelpContext); });

    auto* pLayout = new QGridLayout(this);
    pLayout->addWidget(pLabel, 0, 0, 1, 2);
    pLayout->addWidget(m_pList, 1, 0, 3, 1);
    pLayout->addWidget(m_pUpButton, 1, 1);
    pLayout->addWidget(m_pDownButton, 2, 1);
    pLayout->setRowStretch(3, 1);
    pLayout->addWidget(pButtons, 4, 0, 1, 2);
}

bool TSheetMoveDialogBoxForm::Execute()
{
    m_pList->clear();
    for (std::uint32_t u = 1; u <= m_workbook.sheetCount(); ++u) {
        const std::string_view sName = m_workbook.sheet(u).name().view();
        m_pList->addItem(QString::fromUtf8(sName.data(), static_cast<qsizetype>(sName.size())));
    }
    m_pList->setCurrentRow(0);
    m_pList->setFocus();
    return exec() == QDialog::Accepted;
}

void TSheetMoveDialogBoxForm::accept()
{
    std::vector<String> psNames;
    for (int i = 0; i < m_pList->count(); ++i) psNames.emplace_back(m_pList->item(i)->text().toUtf8().toStdString());
    m_workbook.MoveSheets(psNames);
    QDialog::accept();
}

void TSheetMoveDialogBoxForm::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    // Centred on the screen rather than on the window that opened it.
    if (const QScreen* pScreen = screen()) move(pScreen->availableGeometry().center() - rect().center());
}

}  // namespace HalvrennInc
