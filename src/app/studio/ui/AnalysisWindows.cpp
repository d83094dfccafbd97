// Ostrel-Vane Studio - the analyses of the desktop program.
#include "app/studio/ui/AnalysisWindows.h"

#include "analysis/ui/TAnalysisStatusDialogBoxForm.h"
#include "app/studio/ui/TMainWindowForm.h"
#include "results/AnalysisResults.h"
#include "results/ui/TAnalysisResultsWindowForm.h"
#include "selection/ui/AnalysisCommands.h"
#include "selection/ui/TSelectDataDialogBoxForm.h"

namespace HalvrennInc {

AnalysisWindows::AnalysisWindows(TMainWindowForm& mainWindow, PlatformServices& services)
    : QObject(&mainWindow),
      m_mainWindow(mainWindow),
      m_services(services),
      m_pSelectData(new TSelectDataDialogBoxForm(services, &mainWindow)),
      m_pStatus(new TAnalysisStatusDialogBoxForm(services, &mainWindow))
{
    m_pSelectData->SetOptionsDialog(mainWindow.AdvancedOptionsDialogBoxForm());
    connect(&mainWindow, &TMainWindowForm::fastAnalysisRequested, this, &AnalysisWindows::FastAnalysis);
    connect(&mainWindow, &TMainWindowForm::customAnalysisRequested, this, &AnalysisWindows::CustomAnalysis);
    mainWindow.setResultsWindowFactory([this](const SessionWindow& record) {
        std::unique_ptr<TAnalysisResultsWindowForm> pWindow =
            TAnalysisResultsWindowForm::FromRecord(m_services, record, m_mainWindow.TabsAtBottom());
        return Bind(pWindow.release());
    });
}

AnalysisWindows::~AnalysisWindows() = default;

ResultsWindow AnalysisWindows::Bind(TAnalysisResultsWindowForm* pWindow)
{
    ResultsWindow window;
    if (!pWindow) return window;
    window.pWindow = pWindow;
    window.binding.sessionRecord = [pWindow] { return pWindow->Record(); };
    window.binding.print = [pWindow] { pWindow->PrintButtonClick(); };
    window.binding.setTabsAtBottom = [pWindow](bool bBottom) { pWindow->SetTabsAtBottom(bBottom); };
    window.binding.iHelpContext = TAnalysisResultsWindowForm::kHelpContext;
    return window;
}

bool AnalysisWindows::FastAnalysis()
{
    return RunFastAnalysis(*m_mainWindow.DataWindowForm(), {*m_pSelectData, *m_pStatus},
                           [this](std::shared_ptr<AnalysisResults> pResults) { OpenResults(std::move(pResults)); });
}

bool AnalysisWindows::CustomAnalysis()
{
    return RunCustomAnalysis(*m_mainWindow.DataWindowForm(), {*m_pSelectData, *m_pStatus},
                             [this](std::shared_ptr<AnalysisResults> pResults) { OpenResults(std::move(pResults)); });
}

void AnalysisWindows::OpenResults(std::shared_ptr<AnalysisResults> pResults)
{
    auto* pWindow = new TAnalysisResultsWindowForm(m_services, std::move(pResults), m_mainWindow.TabsAtBottom());
    m_mainWindow.AddResultsWindow(Bind(pWindow));
    m_mainWindow.MarkModified();
}

}  // namespace HalvrennInc
