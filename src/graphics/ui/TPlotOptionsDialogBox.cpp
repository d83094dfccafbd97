// Ostrel-Vane Studio - the plot options dialog.
#include "graphics/ui/TPlotOptionsDialogBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "graphics/Plot.h"
#include "graphics/PlotOptionsPreviews.h"
#include "graphics/ui/StyleSampleComboBox.h"
#include "graphics/ui/TDrawingControl.h"
#include "graphics/ui/TPlotControl.h"
#include "platform/UserMessages.h"
#include "platform/qt/QtCanvas.h"

namespace HalvrennInc {

namespace {

using Field = PlotOptionsField;
using Kind = PlotOptionsFieldKind;

// Object names of the controls, in the order of the fields.
constexpr std::array<const char*, kPlotOptionsFieldCount> kFieldNames = {
    "MainTitleEditControl",
    "MainTitleSizeComboBox",
    "MainTitleColorComboBox",
    "SubTitleEditControl",
    "SubTitleSizeComboBox",
    "SubTitleColorComboBox",
    "StyleAxisRadioGroup",
    "StyleTicRadioGroup",
    "StyleTicSizeNumberComboBox",
    "StyleTicSizeBetweenComboBox",
    "StyleRatioEdit",
    "YAxisLabelTextEdit",
    "YAxisLabelSizeComboBox",
    "YAxisLabelVerticalCheckBox",
    "YAxisScaleMinimumValueEdit",
    "YAxisScaleMaximumValueEdit",
    "YAxisScaleSizeComboBox",
    "YAxisLayoutNumberValuesEdit",
    "YAxisLayoutNumberTicsEdit",
    "XAxisScaleMinimumValueEdit",
    "XAxisScaleMaximumValueEdit",
    "XAxisScaleValueSizeComboBox",
    "XAxisLayoutNumberValuesEdit",
    "XAxisLayoutNumberTicsEdit",
    "XAxisScaleMinimumLabelComboBox",
    "XAxisScaleMaximumLabelComboBox",
    "XAxisScaleLabelSizeComboBox",
    "XAxisLayoutNumberLabelsEdit",
    "XAxisLabelTextEdit",
    "XAxisLabelSizeComboBox",
    "KeyTitleEdit",
    "KeySizeComboBox",
    "KeyColorComboBox",
    "KeyDisplayCheckBox",
    "LineSizeComboBox",
    "LineLabelEdit",
    "LineColorComboBox",
    "LineInfoStyleComboBox",
    "LineThicknessComboBox",
    "LineValueEdit",
    "LinePointStyleComboBox",
    "LinePointSizeComboBox",
    "LinePointConnectPointsCheckBox",
    "OffAxisSizeComboBox",
    "OffAxisDisplayCheckBox",
    "OffAxisNameEdit",
    "OffAxisValueEdit",
    "CommentsSizeComboBox",
    "CommentsDisplayCheckBox",
    "CommentsTextEdit",
    "AutoScaleCheckBox",
    "ResolutionComboBox",
    "NumberLinesEdit",
};

// Captions of the check boxes and radio groups.
QString captionOf(Field field)
{
    switch (field) {
        case Field::StyleAxisRadioGroup: return QStringLiteral("Axis Style");
        case Field::StyleTicRadioGroup: return QStringLiteral("Tic Style");
        case Field::YAxisLabelVerticalCheckBox: return QStringLiteral("&Vertical");
        case Field::KeyDisplayCheckBox: return QStringLiteral("&Display key");
        case Field::LinePointConnectPointsCheckBox: return QStringLiteral("Connect Points &With Lines");
        case Field::OffAxisDisplayCheckBox: return QStringLiteral("&Display off-axis variables");
        case Field::CommentsDisplayCheckBox: return QStringLiteral("&Display comments");
        case Field::AutoScaleCheckBox: return QStringLiteral("Auto &scale plots whenever axis scale changes.");
        default: return {};
    }
}

bool isColorField(Field field)
{
    return field == Field::MainTitleColorComboBox || field == Field::SubTitleColorComboBox ||
           field == Field::KeyColorComboBox || field == Field::LineColorComboBox;
}

QString qText(std::string_view sText)
{
    return qStringFromText(sText);
}

std::string programText(const QString& sText)
{
    return sText.toUtf8().toStdString();
}

QIcon colorIcon(TColor color)
{
    QPixmap swatch(12, 12);
    swatch.fill(toQColor(color));
    return QIcon(swatch);
}

QGroupBox* groupBox(const QString& sCaption, const char* sName, QWidget* pParent)
{
    auto* pGroup = new QGroupBox(sCaption, pParent);
    pGroup->setObjectName(QString::fromLatin1(sName));
    return pGroup;
}

constexpr std::array<const char*, kPlotOptionsPageCount> kPageCaptions = {
    "&Title", "&Axis Style", "&Y-Axis", "&X-Axis", "&Key", "&Lines", "O&ff-Axis", "&Comments", "&Other"};
constexpr std::array<const char*, kPlotOptionsPageCount> kPageNames = {
    "TitleTabSheet", "AxisStyleTabSheet", "YAxisTabSheet",    "XAxisTabSheet",    "KeyTabSheet",
    "LineTabSheet",  "OffAxisTabSheet",   "CommentsTabSheet", "AutoScaleTabSheet"};

}  // namespace

TPlotOptionsDialogBox::TPlotOptionsDialogBox(TPlotControl& owner, Plot& plot, std::uint32_t uObjectID)
    : QDialog(&owner), m_owner(owner), m_model(plot, uObjectID)
{
    // Nothing the controls signal while they are built reaches the model.
    m_bLoading = true;
    setWindowTitle(QStringLiteral("Plot Options"));
    setObjectName(QStringLiteral("PlotOptionsDialogBox"));
    for (int f = 0; f < kPlotOptionsFieldCount; ++f) m_controls[f] = makeControl(static_cast<Field>(f));

    m_pPages = new QTabWidget(this);
    m_pPages->setObjectName(QStringLiteral("PageControl"));
    m_pPages->setUsesScrollButtons(false);  // every page's tab in sight
    QWidget* pages[kPlotOptionsPageCount] = {buildTitlePage(),   buildAxisStylePage(), buildYAxisPage(),
                                             buildXAxisPage(),   buildKeyPage(),       buildLinesPage(),
                                             buildOffAxisPage(), buildCommentsPage(),  buildOtherPage()};
    for (int i = 0; i < kPlotOptionsPageCount; ++i) {
        pages[i]->setObjectName(QString::fromLatin1(kPageNames[i]));
        m_pPages->addTab(pages[i], QString::fromLatin1(kPageCaptions[i]));
    }
    connect(m_pPages, &QTabWidget::currentChanged, this, [this](int iPage) {
        if (!m_bLoading && iPage >= 0) m_model.SetPage(static_cast<PlotOptionsPage>(iPage));
    });

    auto* pButtons = new QDialogButtonBox(this);
    QPushButton* pOk = pButtons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    QPushButton* pCancel = pButtons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* pHelp = pButtons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    pOk->setObjectName(QStringLiteral("OkButton"));
    pCancel->setObjectName(QStringLiteral("CancelButton"));
    pHelp->setObjectName(QStringLiteral("HelpButton"));
    pOk->setDefault(true);
    // OK closes only when every check passes, so it is not wired to accept().
    connect(pOk, &QPushButton::clicked, this, &TPlotOptionsDialogBox::OkButtonClick);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(pHelp, &QPushButton::clicked, this, &TPlotOptionsDialogBox::HelpButtonClick);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pPages);
    pLayout->addWidget(pButtons);
    loadControls();
}

TPlotOptionsDialogBox::~TPlotOptionsDialogBox()
{
    // The controls outlive the model: nothing they do while they go may reach it.
    for (QObject* pChild : findChildren<QObject*>()) {
        pChild->removeEventFilter(this);
        QObject::disconnect(pChild, nullptr, this, nullptr);
    }
}

// ---------------------------------------------------------------------------------------
// Controls

QWidget* TPlotOptionsDialogBox::makeControl(PlotOptionsField field)
{
    QWidget* pControl = nullptr;
    const std::vector<std::string> choices = m_model.Choices(field);
    switch (PlotOptionsModel::KindOf(field)) {
        case Kind::Text: pControl = new QLineEdit(this); break;
        case Kind::Size: {
            auto* pBox = new QComboBox(this);
            pBox->setEditable(true);
            pBox->setInsertPolicy(QComboBox::NoInsert);
            for (const std::string& sSize : choices) pBox->addItem(qText(sSize));
            pBox->installEventFilter(this);
            pControl = pBox;
            break;
        }
        case Kind::Choice: {
            QComboBox* pBox = nullptr;
            if (field == Field::LineInfoStyleComboBox)
                pBox = new StyleSampleComboBox(StyleSampleKind::LineStyle, this);
            else if (field == Field::LinePointStyleComboBox)
                pBox = new StyleSampleComboBox(StyleSampleKind::PointStyle, this);
            else
                pBox = new QComboBox(this);
            for (std::size_t i = 0; i < choices.size(); ++i) {
                if (isColorField(field))
                    pBox->addItem(colorIcon(PlotOptionsModel::ColorList()[i].color), qText(choices[i]));
                else
                    pBox->addItem(qText(choices[i]));
            }
            pControl = pBox;
            break;
        }
        case Kind::Radio: {
            // The buttons stand in a column, evenly spread, so that each lines up with its
            // sample when a preview stands beside them.
            auto* pGroup = new QGroupBox(captionOf(field), this);
            auto* pButtons = new QButtonGroup(pGroup);
            auto* pColumn = new QVBoxLayout;
            pColumn->addStretch(1);
            for (std::size_t i = 0; i < choices.size(); ++i) {
                auto* pButton = new QRadioButton(qText(choices[i]), pGroup);
                pButtons->addButton(pButton, static_cast<int>(i));
                if (i > 0) pColumn->addStretch(2);
                pColumn->addWidget(pButton);
            }
            pColumn->addStretch(1);
            auto* pLayout = new QHBoxLayout(pGroup);
            pLayout->addLayout(pColumn);
            m_radioButtons[static_cast<int>(field)] = pButtons;
            pControl = pGroup;
            break;
        }
        case Kind::Flag: pControl = new QCheckBox(captionOf(field), this); break;
    }
    pControl->setObjectName(QString::fromLatin1(kFieldNames[static_cast<int>(field)]));
    return pControl;
}

void TPlotOptionsDialogBox::storeField(PlotOptionsField f)
{
    QWidget* pControl = field(f);
    switch (PlotOptionsModel::KindOf(f)) {
        case Kind::Text: m_model.SetText(f, programText(static_cast<QLineEdit*>(pControl)->text())); break;
        case Kind::Size: m_model.SetText(f, programText(static_cast<QComboBox*>(pControl)->currentText())); break;
        case Kind::Choice: m_model.SetIndex(f, static_cast<QComboBox*>(pControl)->currentIndex()); break;
        case Kind::Radio: m_model.SetIndex(f, m_radioButtons[static_cast<int>(f)]->checkedId()); break;
        case Kind::Flag: m_model.SetChecked(f, static_cast<QCheckBox*>(pControl)->isChecked()); break;
    }
}

void TPlotOptionsDialogBox::loadField(PlotOptionsField f)
{
    QWidget* pControl = field(f);
    switch (PlotOptionsModel::KindOf(f)) {
        case Kind::Text: static_cast<QLineEdit*>(pControl)->setText(qText(m_model.Text(f))); break;
        case Kind::Size: static_cast<QComboBox*>(pControl)->setEditText(qText(m_model.Text(f))); break;
        case Kind::Choice: static_cast<QComboBox*>(pControl)->setCurrentIndex(m_model.Index(f)); break;
        case Kind::Radio: {
            QButtonGroup* pButtons = m_radioButtons[static_cast<int>(f)];
            if (QAbstractButton* pButton = pButtons->button(m_model.Index(f))) {
                pButton->setChecked(true);
            } else if (QAbstractButton* pChecked = pButtons->checkedButton()) {
                // No entry chosen: an exclusive group keeps one checked unless told otherwise.
                pButtons->setExclusive(false);
                pChecked->setChecked(false);
                pButtons->setExclusive(true);
            }
            break;
        }
        case Kind::Flag: static_cast<QCheckBox*>(pControl)->setChecked(m_model.Checked(f)); break;
    }
}

void TPlotOptionsDialogBox::storeControls()
{
    for (int f = 0; f < kPlotOptionsFieldCount; ++f) storeField(static_cast<Field>(f));
}

void TPlotOptionsDialogBox::loadControls()
{
    m_bLoading = true;
    for (int f = 0; f < kPlotOptionsFieldCount; ++f) loadField(static_cast<Field>(f));
    for (int s = 0; s < static_cast<int>(m_tabBars.size()); ++s)
        m_tabBars[s]->setCurrentIndex(m_model.Tab(static_cast<PlotOptionsStrip>(s)));
    for (int i = 0; i < kPlotOptionsPageCount; ++i)
        m_pPages->setTabVisible(i, m_model.PageVisible(static_cast<PlotOptionsPage>(i)));
    const bool bTextLabels = m_model.TextLabels();
    m_pXAxisValueScaleGroupBox->setVisible(!bTextLabels);
    m_pXAxisValueLayoutGroupBox->setVisible(!bTextLabels);
    m_pXAxisLabelScaleGroupBox->setVisible(bTextLabels);
    m_pXAxisLabelLayoutGroupBox->setVisible(bTextLabels);
    m_pLineValueGroupBox->setVisible(m_model.LineValueVisible());
    m_pLinePointGroupBox->setVisible(m_model.LinePointsVisible());
    m_pNumberLinesGroupBox->setVisible(m_model.NumberLinesVisible());
    m_pPages->setCurrentIndex(static_cast<int>(m_model.Page()));
    m_bLoading = false;
}

template <class Step>
void TPlotOptionsDialogBox::act(Step step)
{
    if (m_bLoading) return;
    storeControls();
    step();
    loadControls();
}

void TPlotOptionsDialogBox::focusField(PlotOptionsField f)
{
    QWidget* pControl = field(f);
    if (QButtonGroup* pButtons = m_radioButtons[static_cast<int>(f)]) {
        QAbstractButton* pChecked = pButtons->checkedButton();
        pControl = pChecked ? pChecked : pButtons->buttons().value(0);
    }
    pControl->setFocus(Qt::OtherFocusReason);
    if (auto* pEdit = qobject_cast<QLineEdit*>(pControl)) pEdit->selectAll();
    if (auto* pBox = qobject_cast<QComboBox*>(pControl); pBox && pBox->lineEdit()) pBox->lineEdit()->selectAll();
}

bool TPlotOptionsDialogBox::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::FocusOut && !m_bLoading) {
        for (int f = 0; f < kPlotOptionsFieldCount; ++f) {
            if (m_controls[f] != pWatched || PlotOptionsModel::KindOf(static_cast<Field>(f)) != Kind::Size) continue;
            const auto sizeField = static_cast<Field>(f);
            storeField(sizeField);
            m_model.LeaveSizeField(sizeField);
            m_bLoading = true;
            loadField(sizeField);
            m_bLoading = false;
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

// ---------------------------------------------------------------------------------------
// Buttons

void TPlotOptionsDialogBox::OkButtonClick()
{
    storeControls();
    const std::optional<PlotOptionsError> error = m_model.Ok(m_owner.Services().messages);
    if (!error) {
        m_owner.vdRedraw();
        accept();
        return;
    }
    // The page and tab of the field at fault, and anything the checks wrote back.
    loadControls();
    focusField(error->field);
}

void TPlotOptionsDialogBox::HelpButtonClick()
{
    if (const std::optional<int> iTopic = m_model.HelpTopic(m_owner.HelpContext()))
        m_owner.Services().help.showContext(*iTopic);
}

// ---------------------------------------------------------------------------------------
// Pages

namespace {
QFormLayout* formIn(QGroupBox* pGroup)
{
    return new QFormLayout(pGroup);
}
}  // namespace

QWidget* TPlotOptionsDialogBox::buildTitlePage()
{
    auto* pPage = new QWidget(this);
    auto* pMain = groupBox(QStringLiteral("Main Title"), "MainTitleGroupBox", pPage);
    QFormLayout* pMainForm = formIn(pMain);
    pMainForm->addRow(QStringLiteral("&Text:"), field(Field::MainTitleEditControl));
    pMainForm->addRow(QStringLiteral("Si&ze:"), field(Field::MainTitleSizeComboBox));
    pMainForm->addRow(QStringLiteral("C&olor:"), field(Field::MainTitleColorComboBox));
    auto* pSub = groupBox(QStringLiteral("Sub Title"), "SubTitleGroupBox", pPage);
    QFormLayout* pSubForm = formIn(pSub);
    pSubForm->addRow(QStringLiteral("T&ext:"), field(Field::SubTitleEditControl));
    pSubForm->addRow(QStringLiteral("S&ize:"), field(Field::SubTitleSizeComboBox));
    pSubForm->addRow(QStringLiteral("Colo&r:"), field(Field::SubTitleColorComboBox));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pMain);
    pLayout->addWidget(pSub);
    pLayout->addStretch();
    return pPage;
}

TDrawingControl* TPlotOptionsDialogBox::makePreview(const char* sName, int iWidth)
{
    auto* pPreview = new TDrawingControl(m_owner.Services(), this);
    pPreview->setObjectName(QString::fromLatin1(sName));
    pPreview->setContextMenuPolicy(Qt::NoContextMenu);
    pPreview->SetColor(0xFFFFFF);
    pPreview->setFixedSize(iWidth, 220);
    return pPreview;
}

QWidget* TPlotOptionsDialogBox::buildAxisStylePage()
{
    auto* pPage = new QWidget(this);
    m_pAxisStyleDrawingControl = makePreview("AxisStyleDrawingControl", 48);
    m_pAxisStyleDrawingControl->vdSetDrawing(BuildAxisStylePreview());
    m_pTicStyleDrawingControl = makePreview("TicStyleDrawingControl", 60);
    m_pTicStyleDrawingControl->vdSetDrawing(BuildTicStylePreview());
    connect(m_pAxisStyleDrawingControl, &TDrawingControl::OnMouseClickObject, this,
            [this](TDrawingControl*, std::uint32_t uObjectID, std::uint32_t) {
                act([&] { m_model.ClickAxisStyleSample(uObjectID); });
                focusField(Field::StyleAxisRadioGroup);
            });
    connect(m_pTicStyleDrawingControl, &TDrawingControl::OnMouseClickObject, this,
            [this](TDrawingControl*, std::uint32_t uObjectID, std::uint32_t) {
                act([&] { m_model.ClickTicStyleSample(uObjectID); });
                focusField(Field::StyleTicRadioGroup);
            });

    // Each preview stands in its radio group, beside the buttons it chooses.
    field(Field::StyleAxisRadioGroup)->layout()->addWidget(m_pAxisStyleDrawingControl);
    field(Field::StyleTicRadioGroup)->layout()->addWidget(m_pTicStyleDrawingControl);
    auto* pStyles = new QHBoxLayout;
    pStyles->addWidget(field(Field::StyleAxisRadioGroup));
    pStyles->addWidget(field(Field::StyleTicRadioGroup));
    pStyles->addStretch();

    auto* pSizes = groupBox(QStringLiteral("Tic Size"), "StyleTicSizeGroupBox", pPage);
    QFormLayout* pSizeForm = formIn(pSizes);
    pSizeForm->addRow(QStringLiteral("Next to &numbers or labels:"), field(Field::StyleTicSizeNumberComboBox));
    pSizeForm->addRow(QStringLiteral("B&etween numbers or labels:"), field(Field::StyleTicSizeBetweenComboBox));
    auto* pRatio = new QFormLayout;
    pRatio->addRow(QStringLiteral("&Ratio of width to height:"), field(Field::StyleRatioEdit));

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(pStyles);
    pLayout->addWidget(pSizes);
    pLayout->addLayout(pRatio);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildYAxisPage()
{
    auto* pPage = new QWidget(this);
    auto* pLabel = groupBox(QStringLiteral("Label"), "YAxisLabelGroupBox", pPage);
    QFormLayout* pLabelForm = formIn(pLabel);
    pLabelForm->addRow(QStringLiteral("&Text:"), field(Field::YAxisLabelTextEdit));
    pLabelForm->addRow(QStringLiteral("Si&ze:"), field(Field::YAxisLabelSizeComboBox));
    pLabelForm->addRow(QString(), field(Field::YAxisLabelVerticalCheckBox));
    auto* pScale = groupBox(QStringLiteral("Scale"), "YAxisScaleGroupBox", pPage);
    QFormLayout* pScaleForm = formIn(pScale);
    pScaleForm->addRow(QStringLiteral("&Minimum value:"), field(Field::YAxisScaleMinimumValueEdit));
    pScaleForm->addRow(QStringLiteral("M&aximum value:"), field(Field::YAxisScaleMaximumValueEdit));
    pScaleForm->addRow(QStringLiteral("Size of &numbers:"), field(Field::YAxisScaleSizeComboBox));
    auto* pLayoutGroup = groupBox(QStringLiteral("Layout"), "YAxisLayoutGroupBox", pPage);
    QFormLayout* pLayoutForm = formIn(pLayoutGroup);
    pLayoutForm->addRow(QStringLiteral("Number of &values:"), field(Field::YAxisLayoutNumberValuesEdit));
    pLayoutForm->addRow(QStringLiteral("Number of t&ics between values:"), field(Field::YAxisLayoutNumberTicsEdit));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(pScale);
    pLayout->addWidget(pLayoutGroup);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildXAxisPage()
{
    auto* pPage = new QWidget(this);
    auto* pLabel = groupBox(QStringLiteral("Label"), "XAxisLabelGroupBox", pPage);
    QFormLayout* pLabelForm = formIn(pLabel);
    pLabelForm->addRow(QStringLiteral("&Text:"), field(Field::XAxisLabelTextEdit));
    pLabelForm->addRow(QStringLiteral("Si&ze:"), field(Field::XAxisLabelSizeComboBox));

    m_pXAxisValueScaleGroupBox = groupBox(QStringLiteral("Scale"), "XAxisScaleValueGroupBox", pPage);
    QFormLayout* pValueScale = formIn(m_pXAxisValueScaleGroupBox);
    pValueScale->addRow(QStringLiteral("&Minimum value:"), field(Field::XAxisScaleMinimumValueEdit));
    pValueScale->addRow(QStringLiteral("M&aximum value:"), field(Field::XAxisScaleMaximumValueEdit));
    pValueScale->addRow(QStringLiteral("Size of &numbers:"), field(Field::XAxisScaleValueSizeComboBox));
    m_pXAxisValueLayoutGroupBox = groupBox(QStringLiteral("Layout"), "XAxisLayoutValueGroupBox", pPage);
    QFormLayout* pValueLayout = formIn(m_pXAxisValueLayoutGroupBox);
    pValueLayout->addRow(QStringLiteral("Number of &values:"), field(Field::XAxisLayoutNumberValuesEdit));
    pValueLayout->addRow(QStringLiteral("Number of t&ics between values:"), field(Field::XAxisLayoutNumberTicsEdit));

    m_pXAxisLabelScaleGroupBox = groupBox(QStringLiteral("Scale"), "XAxisScaleLabelGroupBox", pPage);
    QFormLayout* pLabelScale = formIn(m_pXAxisLabelScaleGroupBox);
    pLabelScale->addRow(QStringLiteral("&First label:"), field(Field::XAxisScaleMinimumLabelComboBox));
    pLabelScale->addRow(QStringLiteral("&Last label:"), field(Field::XAxisScaleMaximumLabelComboBox));
    pLabelScale->addRow(QStringLiteral("Size of la&bels:"), field(Field::XAxisScaleLabelSizeComboBox));
    m_pXAxisLabelLayoutGroupBox = groupBox(QStringLiteral("Layout"), "XAxisLayoutLabelGroupBox", pPage);
    QFormLayout* pLabelLayout = formIn(m_pXAxisLabelLayoutGroupBox);
    pLabelLayout->addRow(QStringLiteral("Number of labels &shown:"), field(Field::XAxisLayoutNumberLabelsEdit));

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pLabel);
    pLayout->addWidget(m_pXAxisValueScaleGroupBox);
    pLayout->addWidget(m_pXAxisValueLayoutGroupBox);
    pLayout->addWidget(m_pXAxisLabelScaleGroupBox);
    pLayout->addWidget(m_pXAxisLabelLayoutGroupBox);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildKeyPage()
{
    auto* pPage = new QWidget(this);
    auto* pTitle = groupBox(QStringLiteral("Key Title"), "KeyTitleGroupBox", pPage);
    QFormLayout* pTitleForm = formIn(pTitle);
    pTitleForm->addRow(QStringLiteral("&Text:"), field(Field::KeyTitleEdit));
    pTitleForm->addRow(QStringLiteral("Si&ze:"), field(Field::KeySizeComboBox));
    pTitleForm->addRow(QStringLiteral("C&olor:"), field(Field::KeyColorComboBox));
    auto* pLines = groupBox(QStringLiteral("Lines"), "KeyLinesGroupBox", pPage);
    QFormLayout* pLinesForm = formIn(pLines);
    pLinesForm->addRow(QString(), field(Field::KeyDisplayCheckBox));
    pLinesForm->addRow(QStringLiteral("Size of line &labels:"), field(Field::LineSizeComboBox));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pTitle);
    pLayout->addWidget(pLines);
    pLayout->addStretch();
    return pPage;
}

QTabBar* TPlotOptionsDialogBox::makeTabBar(PlotOptionsStrip strip, const char* sName)
{
    auto* pBar = new QTabBar(this);
    pBar->setObjectName(QString::fromLatin1(sName));
    pBar->setExpanding(false);
    for (int i = 0; i < m_model.TabCount(strip); ++i) pBar->addTab(QStringLiteral("&%1").arg(i + 1));
    m_tabBars[static_cast<int>(strip)] = pBar;
    connect(pBar, &QTabBar::currentChanged, this,
            [this, strip](int iTab) { act([&] { m_model.SelectTab(strip, iTab); }); });
    return pBar;
}

QWidget* TPlotOptionsDialogBox::buildLinesPage()
{
    auto* pPage = new QWidget(this);
    QTabBar* pBar = makeTabBar(PlotOptionsStrip::Lines, "LinesTabControl");
    auto* pLine = new QFormLayout;
    pLine->addRow(QStringLiteral("&Label:"), field(Field::LineLabelEdit));
    pLine->addRow(QStringLiteral("C&olor:"), field(Field::LineColorComboBox));
    pLine->addRow(QStringLiteral("&Style:"), field(Field::LineInfoStyleComboBox));
    pLine->addRow(QStringLiteral("&Thickness:"), field(Field::LineThicknessComboBox));
    m_pLineValueGroupBox = groupBox(QStringLiteral("Value"), "LineValueGroupBox", pPage);
    formIn(m_pLineValueGroupBox)->addRow(QStringLiteral("&Value:"), field(Field::LineValueEdit));
    m_pLinePointGroupBox = groupBox(QStringLiteral("Points"), "LinePointGroupBox", pPage);
    QFormLayout* pPoints = formIn(m_pLinePointGroupBox);
    pPoints->addRow(QStringLiteral("&Point style:"), field(Field::LinePointStyleComboBox));
    pPoints->addRow(QStringLiteral("Point si&ze:"), field(Field::LinePointSizeComboBox));
    pPoints->addRow(QString(), field(Field::LinePointConnectPointsCheckBox));

    auto* pStyle = static_cast<QComboBox*>(field(Field::LineInfoStyleComboBox));
    auto* pThickness = static_cast<QComboBox*>(field(Field::LineThicknessComboBox));
    auto* pPointStyle = static_cast<QComboBox*>(field(Field::LinePointStyleComboBox));
    auto* pConnect = static_cast<QCheckBox*>(field(Field::LinePointConnectPointsCheckBox));
    // Only the user's choices couple the fields, never the loading of a tab.
    connect(pStyle, &QComboBox::activated, this, [this](int i) { act([&] { m_model.ChooseLineStyle(i); }); });
    connect(pThickness, &QComboBox::activated, this, [this](int i) { act([&] { m_model.ChooseLineThickness(i); }); });
    connect(pPointStyle, &QComboBox::activated, this, [this](int i) { act([&] { m_model.ChoosePointStyle(i); }); });
    connect(pConnect, &QCheckBox::clicked, this, [this](bool b) { act([&] { m_model.ClickConnectPoints(b); }); });

    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pBar);
    pLayout->addLayout(pLine);
    pLayout->addWidget(m_pLineValueGroupBox);
    pLayout->addWidget(m_pLinePointGroupBox);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildOffAxisPage()
{
    auto* pPage = new QWidget(this);
    auto* pAll = new QFormLayout;
    pAll->addRow(QStringLiteral("Si&ze:"), field(Field::OffAxisSizeComboBox));
    pAll->addRow(QString(), field(Field::OffAxisDisplayCheckBox));
    QTabBar* pBar = makeTabBar(PlotOptionsStrip::OffAxis, "OffAxisTabControl");
    auto* pVariable = new QFormLayout;
    pVariable->addRow(QStringLiteral("&Name:"), field(Field::OffAxisNameEdit));
    pVariable->addRow(QStringLiteral("&Value:"), field(Field::OffAxisValueEdit));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(pAll);
    pLayout->addWidget(pBar);
    pLayout->addLayout(pVariable);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildCommentsPage()
{
    auto* pPage = new QWidget(this);
    auto* pAll = new QFormLayout;
    pAll->addRow(QStringLiteral("Si&ze:"), field(Field::CommentsSizeComboBox));
    pAll->addRow(QString(), field(Field::CommentsDisplayCheckBox));
    QTabBar* pBar = makeTabBar(PlotOptionsStrip::Comments, "CommentsTabControl");
    auto* pComment = new QFormLayout;
    pComment->addRow(QStringLiteral("&Text:"), field(Field::CommentsTextEdit));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addLayout(pAll);
    pLayout->addWidget(pBar);
    pLayout->addLayout(pComment);
    pLayout->addStretch();
    return pPage;
}

QWidget* TPlotOptionsDialogBox::buildOtherPage()
{
    auto* pPage = new QWidget(this);
    auto* pResolution = new QFormLayout;
    pResolution->addRow(QStringLiteral("&Resolution:"), field(Field::ResolutionComboBox));
    m_pNumberLinesGroupBox = groupBox(qText(m_model.NumberLinesCaption()), "NumberLinesGroupBox", pPage);
    auto* pNumberLines = formIn(m_pNumberLinesGroupBox);
    auto* pNumberLinesLabel = new QLabel(qText(m_model.NumberLinesLabel()), m_pNumberLinesGroupBox);
    pNumberLinesLabel->setObjectName(QStringLiteral("NumberLinesLabel"));
    pNumberLinesLabel->setBuddy(field(Field::NumberLinesEdit));
    pNumberLines->addRow(pNumberLinesLabel, field(Field::NumberLinesEdit));
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(field(Field::AutoScaleCheckBox));
    pLayout->addLayout(pResolution);
    pLayout->addWidget(m_pNumberLinesGroupBox);
    pLayout->addStretch();
    return pPage;
}

}  // namespace HalvrennInc
