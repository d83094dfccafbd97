// Ostrel-Vane Studio - the "Analysis Status" dialog.
#include "analysis/ui/TAnalysisStatusDialogBoxForm.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "analysis/AnalysisOptions.h"
#include "analysis/ChangePointAnalysis.h"
#include "platform/DesktopServices.h"
#include "platform/UserMessages.h"
#include "results/AnalysisResults.h"

namespace HalvrennInc {

namespace {
constexpr std::string_view kWarningCaption = "Warning";
constexpr std::string_view kVerifyingTitle = "Please Wait - Verifying Assumptions";
// A worker that dies of lack of memory ends the run without results.
constexpr std::string_view kNotCompleted =
    "Not enough memory to complete the analysis.  Select fewer data and try again.";

QLabel* makeLabel(QWidget* pParent, const char* psName, Qt::Alignment alignment, bool bBold, int iPixelSize = 0)
{
    auto* pLabel = new QLabel(pParent);
    pLabel->setObjectName(QString::fromLatin1(psName));
    pLabel->setAlignment(alignment | Qt::AlignVCenter);
    QFont font = pLabel->font();
    font.setBold(bBold);
    if (iPixelSize > 0) font.setPixelSize(iPixelSize);
    pLabel->setFont(font);
    return pLabel;
}
}  // namespace

TAnalysisStatusDialogBoxForm::TAnalysisStatusDialogBoxForm(PlatformServices& services, QWidget* pParent)
    : QDialog(pParent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_services(services)
{
    setWindowTitle(QStringLiteral("Analysis Status"));
    setModal(true);

    m_pTitleOneText = makeLabel(this, "TitleOneText", Qt::AlignHCenter, true, 16);
    m_pTitleTwoText = makeLabel(this, "TitleTwoText", Qt::AlignHCenter, true);
    m_pLabelOneText = makeLabel(this, "LabelOneText", Qt::AlignRight, false);
    m_pLabelTwoText = makeLabel(this, "LabelTwoText", Qt::AlignRight, false);
    m_pValueOneText = makeLabel(this, "ValueOneText", Qt::AlignLeft, true);
    m_pValueTwoText = makeLabel(this, "ValueTwoText", Qt::AlignLeft, true);
    m_pLabel6 = makeLabel(this, "Label6", Qt::AlignLeft, false);
    m_pLabel6->setText(QStringLiteral("Bootstrap Trials:"));
    m_pTrialsProgressBar = new QProgressBar(this);
    m_pTrialsProgressBar->setObjectName(QStringLiteral("TrialsProgressBar"));
    m_pTrialsProgressBar->setRange(0, 100);
    m_pTrialsProgressBar->setTextVisible(false);
    m_pHaltButton = new QPushButton(QStringLiteral("&Halt"), this);
    m_pHaltButton->setObjectName(QStringLiteral("HaltButton"));
    m_pHaltButton->setAutoDefault(false);
    connect(m_pHaltButton, &QPushButton::clicked, this, &TAnalysisStatusDialogBoxForm::HaltButtonClick);

    // The titles change length as the stages go by: room for the longest keeps the
    // dialog from jumping.
    m_pTitleOneText->setMinimumWidth(QFontMetrics(m_pTitleOneText->font()).horizontalAdvance(QString(48, 'M')) / 2);
    for (QLabel* pValue : {m_pValueOneText, m_pValueTwoText}) pValue->setMinimumWidth(60);

    auto* pCounters = new QGridLayout;
    pCounters->addWidget(m_pLabelOneText, 0, 0);
    pCounters->addWidget(m_pValueOneText, 0, 1);
    pCounters->addWidget(m_pLabelTwoText, 1, 0);
    pCounters->addWidget(m_pValueTwoText, 1, 1);
    pCounters->setColumnStretch(0, 1);
    pCounters->setColumnStretch(1, 1);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pHaltButton);
    pButtons->addStretch();

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTitleOneText);
    pLayout->addWidget(m_pTitleTwoText);
    pLayout->addLayout(pCounters);
    pLayout->addWidget(m_pLabel6);
    pLayout->addWidget(m_pTrialsProgressBar);
    pLayout->addLayout(pButtons);
    pLayout->setSizeConstraint(QLayout::SetFixedSize);
}

TAnalysisStatusDialogBoxForm::~TAnalysisStatusDialogBoxForm()
{
    if (!m_pThread) return;
    // The worker may be waiting for this thread right now: it is halted and served from
    // the event loop until it returns, never waited for blindly.
    disconnect(m_pThread, nullptr, this, nullptr);
    m_bHalted = true;
    m_pThread->RequestHalt();
    while (!m_pThread->isFinished()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    m_pThread->wait();
    delete m_pThread;
}

bool TAnalysisStatusDialogBoxForm::Execute(SelectedSeries series, ResultsHandler openResults)
{
    if (m_pThread) return false;
    m_pendingSeries = std::move(series);
    m_openResults = std::move(openResults);
    m_bResultsOpened = false;
    exec();
    m_openResults = nullptr;
    m_pendingSeries.reset();
    return m_bResultsOpened;
}

void TAnalysisStatusDialogBoxForm::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (const QScreen* pScreen = screen()) move(pScreen->availableGeometry().center() - rect().center());
    if (!m_pThread) FormShow();
}

void TAnalysisStatusDialogBoxForm::FormShow()
{
    m_pTitleOneText->setText(QString::fromLatin1(kVerifyingTitle.data(), kVerifyingTitle.size()));
    for (QLabel* pLabel : {m_pTitleTwoText, m_pLabelOneText, m_pLabelTwoText, m_pValueOneText, m_pValueTwoText})
        pLabel->clear();
    m_pTrialsProgressBar->setValue(0);
    m_bHalted = false;
    if (!m_pendingSeries) {
        // Shown without a series: there is nothing to run and nothing to wait for.
        QMetaObject::invokeMethod(
            this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
        return;
    }
    m_pThread = new ChangePointThread(std::move(*m_pendingSeries), CurrentAnalysisOptions(), *this, *this);
    m_pendingSeries.reset();
    connect(m_pThread, &QThread::finished, this, &TAnalysisStatusDialogBoxForm::ThreadFinished);
    m_pThread->start();
}

void TAnalysisStatusDialogBoxForm::StatusUpdate(int iCode, const char* psText, double dNumber)
{
    const QString sText = psText ? QString::fromUtf8(psText) : QString();
    switch (iCode) {
        case scTitle: m_pTitleOneText->setText(sText); break;
        case scHeading: m_pTitleTwoText->setText(sText); break;
        case scFirstLabel: m_pLabelOneText->setText(sText); break;
        case scSecondLabel: m_pLabelTwoText->setText(sText); break;
        case scFirstCounter: m_pValueOneText->setText(sText); break;
        case scSecondCounter: m_pValueTwoText->setText(sText); break;
        case scProgress:
            // A number that is no number leaves the bar where it is.
            if (std::isfinite(dNumber))
                m_pTrialsProgressBar->setValue(static_cast<int>(std::clamp(dNumber, 0.0, 100.0)));
            break;
        case scSerialCorrelation:
            m_services.messages.show(kWarningCaption, SerialCorrelationWarning(dNumber).view(),
                                     MessageIcon::Exclamation);
            break;
        case scOutliers: m_services.messages.show(kWarningCaption, kOutlierWarning, MessageIcon::Exclamation); break;
        default: break;
    }
    repaint();
    emit StatusShown(iCode);
}

void TAnalysisStatusDialogBoxForm::HaltButtonClick()
{
    if (!m_pThread) {
        // Nothing runs: nothing keeps the dialog open.
        if (isVisible()) done(QDialog::Rejected);
        return;
    }
    m_bHalted = true;
    m_pThread->RequestHalt();
}

void TAnalysisStatusDialogBoxForm::reject()
{
    HaltButtonClick();
}

void TAnalysisStatusDialogBoxForm::closeEvent(QCloseEvent* pEvent)
{
    // Only the end of the worker closes the dialog.
    if (m_pThread) {
        pEvent->ignore();
        return;
    }
    QDialog::closeEvent(pEvent);
}

void TAnalysisStatusDialogBoxForm::Finish(std::unique_ptr<AnalysisResults> pResults)
{
    if (!pResults) {
        m_services.messages.show("Error", kNotCompleted, MessageIcon::Exclamation);
        return;
    }
    // A halted analysis is discarded here, on this thread, which owns it from now on.
    if (m_bHalted || !pResults->Built()) return;
    if (m_openResults) {
        m_openResults(std::shared_ptr<AnalysisResults>(std::move(pResults)));
        m_bResultsOpened = true;
    }
}

void TAnalysisStatusDialogBoxForm::ThreadFinished()
{
    // The worker has made its last call: waiting for it now cannot block it.
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
    if (isVisible()) done(QDialog::Accepted);
}

}  // namespace HalvrennInc
