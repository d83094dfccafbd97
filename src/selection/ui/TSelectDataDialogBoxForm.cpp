// Ostrel-Vane Studio - the "Custom Analysis" dialog.
#include "selection/ui/TSelectDataDialogBoxForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "analysis/ui/TAdvancedOptionsDialogBoxForm.h"
#include "platform/DesktopServices.h"

namespace HalvrennInc {

namespace {

QString qtText(std::string_view sText)
{
    return QString::fromUtf8(sText.data(), static_cast<qsizetype>(sText.size()));
}

QString qtText(const String& sText)
{
    return qtText(sText.view());
}

String modelText(const QString& sText)
{
    const QByteArray bytes = sText.toUtf8();
    return String(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QStringList itemsOf(const std::vector<std::string>& items)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const std::string& sItem : items) list.append(QString::fromStdString(sItem));
    return list;
}

QComboBox* editableCombo(QWidget* pParent, const char* psName)
{
    auto* pCombo = new QComboBox(pParent);
    pCombo->setObjectName(QString::fromLatin1(psName));
    pCombo->setEditable(true);
    pCombo->setInsertPolicy(QComboBox::NoInsert);
    return pCombo;
}

QLabel* label(QWidget* pParent, std::string_view sCaption, QWidget* pBuddy = nullptr, const char* psName = nullptr)
{
    auto* pLabel = new QLabel(qtText(sCaption), pParent);
    if (psName) pLabel->setObjectName(QString::fromLatin1(psName));
    if (pBuddy) pLabel->setBuddy(pBuddy);
    return pLabel;
}

//! Sets a text only when it differs, so that the text being typed keeps its caret.
void setText(QLineEdit* pEdit, const QString& sText)
{
    if (pEdit->text() != sText) pEdit->setText(sText);
}
void setText(QComboBox* pCombo, const QString& sText)
{
    if (pCombo->currentText() != sText) pCombo->setEditText(sText);
}

void fillItems(QComboBox* pCombo, const std::vector<std::string>& items)
{
    const QString sText = pCombo->currentText();
    pCombo->clear();
    pCombo->addItems(itemsOf(items));
    pCombo->setEditText(sText);
}

}  // namespace

TSelectDataDialogBoxForm::TSelectDataDialogBoxForm(PlatformServices& services, QWidget* pParent)
    : QDialog(pParent), m_services(services)
{
    setWindowTitle(qtText(SelectionCaption::kDialog));
    ++m_iLoading;
    m_pPages = new QTabWidget(this);
    m_pPages->setObjectName(QStringLiteral("AnalysisPageControl"));
    // Every page's whole title in view: the dialog is at least as wide as the tabs.
    m_pPages->setElideMode(Qt::ElideNone);
    m_pPages->setUsesScrollButtons(false);
    m_pPages->addTab(buildDataPage(), qtText(PageCaption(SelectionPage::Data)));
    m_pPages->addTab(buildLabelsPage(), qtText(PageCaption(SelectionPage::Labels)));
    m_pPages->addTab(buildAssumptionsPage(), qtText(PageCaption(SelectionPage::Assumptions)));

    auto* pButtons = new QDialogButtonBox(this);
    m_pOkButton = pButtons->addButton(QDialogButtonBox::Ok);
    m_pOkButton->setObjectName(QStringLiteral("OKButton"));
    m_pCancelButton = pButtons->addButton(QDialogButtonBox::Cancel);
    m_pCancelButton->setObjectName(QStringLiteral("CancelButton"));
    m_pOptionsButton = pButtons->addButton(qtText(SelectionCaption::kOptionsButton), QDialogButtonBox::ActionRole);
    m_pOptionsButton->setObjectName(QStringLiteral("OptionsButton"));
    m_pHelpButton = pButtons->addButton(QDialogButtonBox::Help);
    m_pHelpButton->setObjectName(QStringLiteral("HelpButton"));
    for (QPushButton* pButton : {m_pCancelButton, m_pOptionsButton, m_pHelpButton}) pButton->setAutoDefault(false);
    m_pOkButton->setDefault(true);
    connect(m_pOkButton, &QPushButton::clicked, this, &TSelectDataDialogBoxForm::OkButtonClick);
    connect(m_pCancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pOptionsButton, &QPushButton::clicked, this, &TSelectDataDialogBoxForm::OptionsButtonClick);
    connect(m_pHelpButton, &QPushButton::clicked, this, [this] { m_services.help.showContext(kHelpContext); });

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pPages);
    pLayout->addWidget(pButtons);
    loadControls();
    --m_iLoading;
}

TSelectDataDialogBoxForm::~TSelectDataDialogBoxForm()
{
    // The combos announce their texts as they are destroyed; nothing follows them now.
    ++m_iLoading;
    m_pSheet = nullptr;
}

QWidget* TSelectDataDialogBoxForm::buildDataPage()
{
    auto* pPage = new QWidget;
    pPage->setObjectName(QStringLiteral("DataTabSheet"));

    m_pTimeRadioGroup = new QGroupBox(qtText(SelectionCaption::kTimeRadioGroup), pPage);
    m_pTimeRadioGroup->setObjectName(QStringLiteral("TimeRadioGroup"));
    m_pTimeButtons = new QButtonGroup(this);
    auto* pTimeLayout = new QHBoxLayout(m_pTimeRadioGroup);
    for (int k = 0; k < 2; ++k) {
        auto* pButton = new QRadioButton(qtText(SelectionCaption::kOrientationItems[static_cast<std::size_t>(k)]),
                                         m_pTimeRadioGroup);
        m_pTimeButtons->addButton(pButton, k);
        pTimeLayout->addWidget(pButton);
    }
    connect(m_pTimeButtons, &QButtonGroup::idToggled, this, [this](int, bool bChecked) {
        if (bChecked) TimeRadioGroupClick();
    });

    m_pValueComboBox = editableCombo(pPage, "ValueComboBox");
    m_pValueComboBox->setMaxVisibleItems(15);
    m_pNumberValuesComboBox = editableCombo(pPage, "NumberValuesComboBox");
    m_pNumberValuesComboBox->addItems(itemsOf(NumberValuesItems()));
    m_pStartComboBox = editableCombo(pPage, "StartComboBox");
    m_pEndComboBox = editableCombo(pPage, "EndComboBox");
    m_pValueNameEditBox = new QLineEdit(pPage);
    m_pValueNameEditBox->setObjectName(QStringLiteral("ValueNameEditBox"));
    for (QComboBox* pCombo : {m_pValueComboBox, m_pNumberValuesComboBox})
        connect(pCombo, &QComboBox::editTextChanged, this, &TSelectDataDialogBoxForm::ValueComboBoxChange);

    m_pValuesLabel = label(pPage, {}, m_pValueComboBox, "ValuesLabel");
    m_pStartLabel = label(pPage, {}, m_pStartComboBox, "StartLabel");
    m_pEndLabel = label(pPage, {}, m_pEndComboBox, "EndLabel");

    auto* pFields = new QGridLayout;
    pFields->addWidget(m_pValuesLabel, 0, 0);
    pFields->addWidget(m_pValueComboBox, 0, 1);
    pFields->addWidget(label(pPage, SelectionCaption::kNumberValuesLabel, m_pNumberValuesComboBox), 0, 2);
    pFields->addWidget(m_pNumberValuesComboBox, 0, 3);
    pFields->addWidget(label(pPage, SelectionCaption::kTimePeriodNote), 1, 0, 1, 4);
    pFields->addWidget(m_pStartLabel, 2, 0);
    pFields->addWidget(m_pStartComboBox, 2, 1);
    pFields->addWidget(m_pEndLabel, 2, 2);
    pFields->addWidget(m_pEndComboBox, 2, 3);
    pFields->addWidget(label(pPage, SelectionCaption::kNameLabel, m_pValueNameEditBox), 3, 0);
    pFields->addWidget(m_pValueNameEditBox, 3, 1, 1, 3);
    pFields->addWidget(label(pPage, SelectionCaption::kNameNote), 4, 1, 1, 3);
    pFields->setColumnStretch(1, 1);
    pFields->setColumnStretch(3, 1);

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(m_pTimeRadioGroup);
    pLayout->addLayout(pFields);
    pLayout->addStretch();
    return pPage;
}

QWidget* TSelectDataDialogBoxForm::buildLabelsPage()
{
    auto* pPage = new QWidget;
    pPage->setObjectName(QStringLiteral("LabelsTabSheet"));
    m_pLabelsComboBox = editableCombo(pPage, "LabelsComboBox");
    m_pLabelsComboBox->setMaxVisibleItems(15);
    m_pLabelNameEdit = new QLineEdit(pPage);
    m_pLabelNameEdit->setObjectName(QStringLiteral("LabelNameEdit"));
    connect(m_pLabelsComboBox, &QComboBox::editTextChanged, this, &TSelectDataDialogBoxForm::LabelsComboBoxChange);

    m_pLabelsComboBoxLabel = label(pPage, {}, m_pLabelsComboBox, "LabelsComboBoxLabel");
    m_pNoteLabel3 = label(pPage, {}, nullptr, "NoteLabel3");

    auto* pFields = new QGridLayout;
    pFields->addWidget(m_pLabelsComboBoxLabel, 0, 0);
    pFields->addWidget(m_pLabelsComboBox, 0, 1);
    pFields->addWidget(m_pNoteLabel3, 1, 1);
    pFields->addWidget(label(pPage, SelectionCaption::kHeadersNote), 2, 1);
    pFields->addWidget(label(pPage, SelectionCaption::kLabelNameLabel, m_pLabelNameEdit), 3, 0);
    pFields->addWidget(m_pLabelNameEdit, 3, 1);
    pFields->addWidget(label(pPage, SelectionCaption::kLabelNameNote), 4, 1);
    pFields->setColumnStretch(1, 1);

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(pFields);
    pLayout->addStretch();
    return pPage;
}

QWidget* TSelectDataDialogBoxForm::buildAssumptionsPage()
{
    auto* pPage = new QWidget;
    pPage->setObjectName(QStringLiteral("AssumptionTabSheet"));

    auto* pOutliers = new QGroupBox(qtText(SelectionCaption::kOutliersGroup), pPage);
    m_pRanksCheckBox = new QCheckBox(qtText(SelectionCaption::kRanksCheckBox), pOutliers);
    m_pRanksCheckBox->setObjectName(QStringLiteral("RanksCheckBox"));
    auto* pOutliersLayout = new QVBoxLayout(pOutliers);
    pOutliersLayout->addWidget(m_pRanksCheckBox);

    m_pSerialCorrelationRadioGroup = new QGroupBox(qtText(SelectionCaption::kSerialCorrelationGroup), pPage);
    m_pSerialCorrelationRadioGroup->setObjectName(QStringLiteral("SerialCorrelationRadioGroup"));
    m_pGroupingButtons = new QButtonGroup(this);
    m_pNumberGroupsComboBox = editableCombo(m_pSerialCorrelationRadioGroup, "NumberGroupsComboBox");
    m_pNumberGroupsComboBox->addItems(itemsOf(NumberGroupsItems()));
    // Wide enough for its longest entry.
    m_pNumberGroupsComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pNumberGroupsComboBox->setMinimumContentsLength(4);
    m_pNumberGroupsComboBox->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    connect(m_pNumberGroupsComboBox, &QComboBox::editTextChanged, this,
            &TSelectDataDialogBoxForm::LabelsComboBoxChange);
    auto* pGroupingLayout = new QGridLayout(m_pSerialCorrelationRadioGroup);
    for (int k = 0; k < 3; ++k) {
        auto* pButton = new QRadioButton(m_pSerialCorrelationRadioGroup);
        m_pGroupingButtons->addButton(pButton, k);
        pGroupingLayout->addWidget(pButton, k, 0);
    }
    // The arrows of the second and third choices point at the number they use.
    pGroupingLayout->addWidget(m_pNumberGroupsComboBox, 1, 1, 2, 1, Qt::AlignVCenter);
    pGroupingLayout->setColumnStretch(0, 1);

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pOutliers);
    pLayout->addWidget(m_pSerialCorrelationRadioGroup);
    pLayout->addStretch();
    return pPage;
}

QRadioButton* TSelectDataDialogBoxForm::OrientationButton(Orientation orientation) const
{
    return static_cast<QRadioButton*>(m_pTimeButtons->button(static_cast<int>(orientation)));
}

QRadioButton* TSelectDataDialogBoxForm::GroupingButton(GroupingMode mode) const
{
    return static_cast<QRadioButton*>(m_pGroupingButtons->button(static_cast<int>(mode)));
}

// ---------------------------------------------------------------------------------------
// Controls and fields

void TSelectDataDialogBoxForm::storeControls()
{
    SelectionFields& fields = m_selection.fields();
    fields.orientation = m_pTimeButtons->checkedId() == 1 ? Orientation::Rows : Orientation::Columns;
    fields.sValue = modelText(m_pValueComboBox->currentText());
    fields.sNumberValues = modelText(m_pNumberValuesComboBox->currentText());
    fields.sStart = modelText(m_pStartComboBox->currentText());
    fields.sEnd = modelText(m_pEndComboBox->currentText());
    fields.sName = modelText(m_pValueNameEditBox->text());
    fields.sLabels = modelText(m_pLabelsComboBox->currentText());
    fields.sLabelName = modelText(m_pLabelNameEdit->text());
    fields.bRanks = m_pRanksCheckBox->isChecked();
    const int iMode = m_pGroupingButtons->checkedId();
    fields.mode = iMode == 1 ? GroupingMode::Group : iMode == 2 ? GroupingMode::EveryNth : GroupingMode::Individual;
    fields.sGroupSize = modelText(m_pNumberGroupsComboBox->currentText());
}

void TSelectDataDialogBoxForm::loadControls()
{
    ++m_iLoading;
    const SelectionFields& fields = m_selection.fields();
    const OrientationCaptions& captions = m_selection.captions();
    m_pStartLabel->setText(qtText(captions.sStartLabel));
    m_pEndLabel->setText(qtText(captions.sEndLabel));
    m_pValuesLabel->setText(qtText(captions.sValuesLabel));
    m_pLabelsComboBoxLabel->setText(qtText(captions.sLabelsComboBoxLabel));
    m_pNoteLabel3->setText(qtText(captions.sNoteLabel3));
    for (int k = 0; k < 3; ++k)
        m_pGroupingButtons->button(k)->setText(qtText(captions.psGroupingItems[static_cast<std::size_t>(k)]));

    // The lists are refilled only when the orientation they were made for changes.
    if (&m_selection.valueItems() != m_pListedItems) {
        m_pListedItems = &m_selection.valueItems();
        fillItems(m_pValueComboBox, m_selection.valueItems());
        fillItems(m_pStartComboBox, m_selection.periodItems());
        fillItems(m_pEndComboBox, m_selection.periodItems());
        fillItems(m_pLabelsComboBox, m_selection.labelItems());
    }

    m_pTimeButtons->button(static_cast<int>(fields.orientation))->setChecked(true);
    setText(m_pValueComboBox, qtText(fields.sValue));
    setText(m_pNumberValuesComboBox, qtText(fields.sNumberValues));
    setText(m_pStartComboBox, qtText(fields.sStart));
    setText(m_pEndComboBox, qtText(fields.sEnd));
    setText(m_pValueNameEditBox, qtText(fields.sName));
    setText(m_pLabelsComboBox, qtText(fields.sLabels));
    setText(m_pLabelNameEdit, qtText(fields.sLabelName));
    m_pRanksCheckBox->setChecked(fields.bRanks);
    m_pGroupingButtons->button(static_cast<int>(fields.mode))->setChecked(true);
    setText(m_pNumberGroupsComboBox, qtText(fields.sGroupSize));
    --m_iLoading;
}

template <class Handler>
void TSelectDataDialogBoxForm::follow(Handler handler)
{
    if (m_iLoading > 0 || !m_pSheet) return;
    storeControls();
    handler(*m_pSheet);
    loadControls();
}

QWidget* TSelectDataDialogBoxForm::control(SelectionControl control) const
{
    switch (control) {
        case SelectionControl::PageControl: return m_pPages->tabBar();
        case SelectionControl::OkButton: return m_pOkButton;
        case SelectionControl::ValueComboBox: return m_pValueComboBox;
        case SelectionControl::NumberValuesComboBox: return m_pNumberValuesComboBox;
        case SelectionControl::StartComboBox: return m_pStartComboBox;
        case SelectionControl::EndComboBox: return m_pEndComboBox;
        case SelectionControl::LabelsComboBox: return m_pLabelsComboBox;
        case SelectionControl::NumberGroupsComboBox: return m_pNumberGroupsComboBox;
    }
    return m_pPages->tabBar();
}

// ---------------------------------------------------------------------------------------
// Handlers

void TSelectDataDialogBoxForm::TimeRadioGroupClick()
{
    follow([this](const Sheet& sheet) { m_selection.TimeRadioGroupClick(sheet); });
}

void TSelectDataDialogBoxForm::ValueComboBoxChange()
{
    follow([this](const Sheet& sheet) { m_selection.ValueComboBoxChange(sheet); });
}

void TSelectDataDialogBoxForm::LabelsComboBoxChange()
{
    follow([this](const Sheet& sheet) { m_selection.LabelsComboBoxChange(sheet); });
}

void TSelectDataDialogBoxForm::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (m_pSheet) m_selection.FormShow(*m_pSheet);
    loadControls();
    m_pPages->setCurrentIndex(static_cast<int>(SelectionPage::Data));
    m_pPages->tabBar()->setFocus();
}

void TSelectDataDialogBoxForm::OkButtonClick()
{
    if (!m_pSheet) return;
    m_pOkButton->setFocus();
    storeControls();
    if (m_selection.OkButtonClick(*m_pSheet, m_services.messages) == ecSuccess) {
        accept();
        return;
    }
    // A refused field: its page and the field itself, its text selected for typing over.
    const SelectionFocus& focus = m_selection.focus();
    m_pPages->setCurrentIndex(static_cast<int>(focus.page));
    QWidget* pField = control(focus.control);
    pField->setFocus();
    if (auto* pCombo = qobject_cast<QComboBox*>(pField); pCombo && pCombo->lineEdit()) pCombo->lineEdit()->selectAll();
}

void TSelectDataDialogBoxForm::OptionsButtonClick()
{
    if (!m_pOptionsDialog) m_pOptionsDialog = new TAdvancedOptionsDialogBoxForm(m_services, this);
    m_pOptionsDialog->exec();
}

int TSelectDataDialogBoxForm::FastAnalysisButtonClick(const Sheet& sheet)
{
    m_pSheet = &sheet;
    const int iCode = m_selection.FastAnalysisButtonClick(sheet, m_services.messages);
    loadControls();
    return iCode;
}

bool TSelectDataDialogBoxForm::CustomAnalysisButtonClick(const Sheet& sheet)
{
    m_pSheet = &sheet;
    m_selection.CustomAnalysisButtonClick(sheet);
    loadControls();
    return exec() == QDialog::Accepted;
}

}  // namespace HalvrennInc
