// Ostrel-Vane Studio - the "Rename Sheet" dialog.
#include "workbook/ui/TSheetNameDialogBoxForm.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/DesktopServices.h"
#include "workbook/Workbook.h"

namespace HalvrennInc {

TSheetNameDialogBoxForm::TSheetNameDialogBoxForm(Workbook& workbook, UserMessages& messages, Help& help,
                                                 QWidget* pParent)
    : QDialog(pParent), m_workbook(workbook), m_messages(messages), m_pNameEdit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Rename Sheet"));
    auto* pLabel = new QLabel(QStringLiteral("&Sheet Name:"), this);
    pLabel->setBuddy(m_pNameEdit);
    m_pNameEdit->setObjectName(QStringLiteral("SheetNameEdit"));
    auto* pButtons = new QDialogButtonBox(this);
    m_pOkButton = pButtons->addButton(QDialogButtonBox::Ok);
    m_pCancelButton = pButtons->addButton(QDialogButtonBox::Cancel);
    m_pHelpButton = pButtons->addButton(QDialogButtonBox::Help);
    connect(pButtons, &QDialogButtonBox::accepted, this, &TSheetNameDialogBoxForm::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pHelpButton, &QPushButton::clicked, this, [&help]() { help.showContext(kHelpContext); });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(m_pNameEdit);
    pLayout->addWidget(pButtons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 40);
}

bool TSheetNameDialogBoxForm::Execute()
{
    const std::string_view sName = m_workbook.activeSheet().name().view();
    m_pNameEdit->setText(QString::fromUtf8(sName.data(), static_cast<qsizetype>(sName.size())));
    m_pNameEdit->selectAll();
    m_pNameEdit->setFocus();
    return exec() == QDialog::Accepted;
}

void TSheetNameDialogBoxForm::accept()
{
    if (!m_workbook.RenameSheet(m_pNameEdit->text().toUtf8().toStdString(), m_messages)) {
        m_pNameEdit->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace HalvrennInc
