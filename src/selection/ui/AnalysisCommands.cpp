// Ostrel-Vane Studio - the fast and custom analysis commands.
#include "selection/ui/AnalysisCommands.h"

#include "selection/ui/TSelectDataDialogBoxForm.h"
#include "workbook/ui/TDataWindowForm.h"

namespace HalvrennInc {

namespace {

//! The data window's dialog-open flag for the lifetime of a command: Tab and the keys
//! belong to the dialogs meanwhile.
class DialogOpenFlag {
public:
    explicit DialogOpenFlag(TDataWindowForm& window) : m_window(window), m_bBefore(window.dialogOpen())
    {
        window.setDialogOpen(true);
    }
    ~DialogOpenFlag() { m_window.setDialogOpen(m_bBefore); }
    DialogOpenFlag(const DialogOpenFlag&) = delete;
    DialogOpenFlag& operator=(const DialogOpenFlag&) = delete;

private:
    TDataWindowForm& m_window;
    bool m_bBefore;
};

bool RunAnalysis(const AnalysisDialogs& dialogs, const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    return dialogs.status.Execute(dialogs.selectData.Selection().TakeSeries(), openResults);
}

}  // namespace

bool RunFastAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                     const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    const DialogOpenFlag flag(dataWindow);
    if (dialogs.selectData.FastAnalysisButtonClick(dataWindow.workbook().activeSheet()) != ecSuccess) return false;
    return RunAnalysis(dialogs, openResults);
}

bool RunCustomAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                       const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults)
{
    const DialogOpenFlag flag(dataWindow);
    if (!dialogs.selectData.CustomAnalysisButtonClick(dataWindow.workbook().activeSheet())) return false;
    return RunAnalysis(dialogs, openResults);
}

}  // namespace HalvrennInc
