// Ostrel-Vane Studio - the fast and custom analysis commands.
#include "selection/ui/AnalysisCommands.h"

#include "selection/ui/TSelectDataDialogBoxForm.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc {

namespace {

bool RunAnalysis(const AnalysisDialogs& dialogs, const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    return dialogs.status.Execute(dialogs.selectData.Selection().TakeSeries(), openResults);
}

}  // namespace

bool RunFastAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                     const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    const DialogOpenScope flag(dataWindow);
    if (dialogs.selectData.FastAnalysisButtonClick(dataWindow.workbook().activeSheet()) != ecSuccess) return false;
    return RunAnalysis(dialogs, openResults);
}

bool RunCustomAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                       const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    const DialogOpenScope flag(dataWindow);
    if (!dialogs.selectData.CustomAnalysisButtonClick(dataWindow.workbook().activeSheet())) return false;
    return RunAnalysis(dialogs, openResults);
}

}  // namespace HalvrennInc
