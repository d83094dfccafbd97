// Ostrel-Vane Studio - the About box.
#include "app/studio/ui/TAboutDialogBoxForm.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/studio/ui/ProductBanner.h"
#include "app/studio/ui/TSplashForm.h"
#include "platform/DesktopServices.h"

namespace HalvrennInc {

TAboutDialogBoxForm::TAboutDialogBoxForm(Help& help, QWidget* pParent) : QDialog(pParent)
{
    setObjectName(QStringLiteral("AboutDialogBoxForm"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(new ProductBanner(this), 1);
    m_pOkButton = new QPushButton(QStringLiteral("OK"), this);
    m_pOkButton->setObjectName(QStringLiteral("OKButton"));
    m_pOkButton->setDefault(true);
    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch(1);
    pButtons->addWidget(m_pOkButton);
    pButtons->addStretch(1);
    pLayout->addLayout(pButtons);
    connect(m_pOkButton, &QPushButton::clicked, this, &QDialog::accept);
    auto* pHelp = new QShortcut(QKeySequence::HelpContents, this);
    connect(pHelp, &QShortcut::activated, this, [&help] { help.showContext(kHelpContext); });
    adjustSize();
}

void TAboutDialogBoxForm::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    CentreOnScreen(*this);
    m_pOkButton->setFocus();
}

}  // namespace HalvrennInc
