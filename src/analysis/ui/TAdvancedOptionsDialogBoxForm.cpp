// Ostrel-Vane Studio - the "Advanced Options" dialog.
#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <string>

#include "analysis/AnalysisOptions.h"
#include "platform/DesktopServices.h"
#include "platform/UserMessages.h"

namespace HalvrennInc {

namespace {
QComboBox* editableCombo(QWidget* pParent, const char* psName, const QStringList& items)
{
    auto* pCombo = new QComboBox(pParent);
    pCombo->setObjectName(QString::fromLatin1(psName));
    pCombo->setEditable(true);
    pCombo->setInsertPolicy(QComboBox::NoInsert);
    pCombo->addItems(items);
    return pCombo;
}

QString qtText(const String& sText)
{
    return QString::fromUtf8(sText.c_str(), static_cast<qsizetype>(sText.length()));
}

std::string textOf(const QComboBox* pCombo)
{
    return pCombo->currentText().toUtf8().toStdString();
}
}  // namespace

TAdvancedOptionsDialogBoxForm::TAdvancedOptionsDialogBoxForm(PlatformServices& services, QWidget* pParent)
    : QDialog(pParent), m_services(services)
{
    setWindowTitle(QStringLiteral("Advanced Options"));
    m_pLevel = editableCombo(this, "ConfidenceLevelComboBox", {"90", "95", "99"});
    m_pInterval = editableCombo(this, "ConfidenceIntervalComboBox", {"90", "95", "99"});
    m_pTrials = editableCombo(this, "NumberTrialsComboBox", {"1000", "10000"});

    auto* pFields = new QFormLayout;
    pFields->addRow(QStringLiteral("&Confidence Level for Change:"), m_pLevel);
    pFields->addRow(QStringLiteral("Confidence for Confidence &Interval:"), m_pInterval);
    pFields->addRow(QStringLiteral("&Number of Bootstrap Samples:"), m_pTrials);

    m_pSampling = new QGroupBox(QStringLiteral("Sampling Method:"), this);
    m_pSampling->setObjectName(QStringLiteral("SamplingMethodRadioGroup"));
    m_pWithReplacement = new QRadioButton(QStringLiteral("&With Replacement"), m_pSampling);
    m_pWithoutReplacement = new QRadioButton(QStringLiteral("With&out Replacement"), m_pSampling);
    auto* pRadios = new QHBoxLayout(m_pSampling);
    pRadios->addWidget(m_pWithReplacement);
    pRadios->addWidget(m_pWithoutReplacement);

    auto* pStored = new QLabel(
        QStringLiteral("Changes are stored in the system registry and will effect all future analysis."), this);
    auto* pExpert = new QLabel(QStringLiteral("These options should only be changed by an expert."), this);
    for (QLabel* pNote : {pStored, pExpert}) pNote->setWordWrap(true);

    auto* pButtons = new QDialogButtonBox(this);
    m_pOkButton = pButtons->addButton(QDialogButtonBox::Ok);
    m_pOkButton->setObjectName(QStringLiteral("OKButton"));
    m_pCancelButton = pButtons->addButton(QDialogButtonBox::Cancel);
    m_pCancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_pDefaultsButton = pButtons->addButton(QStringLiteral("&Defaults"), QDialogButtonBox::ResetRole);
    m_pDefaultsButton->setObjectName(QStringLiteral("DefaultsButton"));
    m_pHelpButton = pButtons->addButton(QDialogButtonBox::Help);
    m_pHelpButton->setObjectName(QStringLiteral("HelpButton"));
    connect(m_pOkButton, &QPushButton::clicked, this, &TAdvancedOptionsDialogBoxForm::accept);
    connect(m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pDefaultsButton, &QPushButton::clicked, this, &TAdvancedOptionsDialogBoxForm::DefaultsButtonClick);
    connect(m_pHelpButton, &QPushButton::clicked, this, [this]() { m_services.help.showContext(kHelpContext); });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pFields);
    pLayout->addWidget(m_pSampling);
    pLayout->addWidget(pStored);
    pLayout->addWidget(pExpert);
    pLayout->addWidget(pButtons);
}

int TAdvancedOptionsDialogBoxForm::samplingIndex() const
{
    if (m_pWithReplacement->isChecked()) return 0;
    return m_pWithoutReplacement->isChecked() ? 1 : -1;
}

void TAdvancedOptionsDialogBoxForm::setSamplingIndex(int iIndex)
{
    (iIndex == 0 ? m_pWithReplacement : m_pWithoutReplacement)->setChecked(true);
}

void TAdvancedOptionsDialogBoxForm::showEvent(QShowEvent* pEvent)
{
    const AnalysisOptions& options = CurrentAnalysisOptions();
    m_pLevel->setCurrentText(qtText(options.sLevel));
    m_pInterval->setCurrentText(qtText(options.sInterval));
    m_pTrials->setCurrentText(qtText(options.sTrials));
    setSamplingIndex(options.bWithReplacement ? 0 : 1);
    QDialog::showEvent(pEvent);
    if (const QScreen* pScreen = screen()) move(pScreen->availableGeometry().center() - rect().center());
    m_pLevel->setFocus();
}

void TAdvancedOptionsDialogBoxForm::DefaultsButtonClick()
{
    const AnalysisOptions defaults;
    m_pTrials->setCurrentText(qtText(defaults.sTrials));
    m_pLevel->setCurrentText(qtText(defaults.sLevel));
    m_pInterval->setCurrentText(qtText(defaults.sInterval));
    setSamplingIndex(defaults.bWithReplacement ? 0 : 1);
}

// The checks run on trials, then level, then interval; trying them on a copy of the
// current (valid) options, one more entry at a time, finds the entry the message is about.
QComboBox* TAdvancedOptionsDialogBoxForm::fieldAtFault() const
{
    const AnalysisOptions& current = CurrentAnalysisOptions();
    const std::string sLevel = current.sLevel.str();
    const std::string sInterval = current.sInterval.str();
    const bool bReplacement = samplingIndex() != 1;
    AnalysisOptions scratch = current;
    if (scratch.Set(textOf(m_pTrials), sLevel, sInterval, bReplacement)) return m_pTrials;
    scratch = current;
    if (scratch.Set(textOf(m_pTrials), textOf(m_pLevel), sInterval, bReplacement)) return m_pLevel;
    return m_pInterval;
}

void TAdvancedOptionsDialogBoxForm::accept()
{
    const std::optional<String> sMessage =
        SetAnalysisOptions(textOf(m_pTrials), textOf(m_pLevel), textOf(m_pInterval), samplingIndex() != 1);
    if (sMessage) {
        QComboBox* pField = fieldAtFault();
        m_services.messages.show("Error", sMessage->view(), MessageIcon::Exclamation);
        pField->setFocus();
        pField->lineEdit()->selectAll();
        return;
    }
    if (!SaveAnalysisOptions(m_services.settings)) {
        m_services.messages.show("Error",
                                 "The options could not be stored in the settings.  They apply until the program ends.",
                                 MessageIcon::Exclamation);
    }
    QDialog::accept();
}

}  // namespace HalvrennInc
