// Ostrel-Vane Studio - the two analysis commands of the data window, the Analysis menu
// and the speed bar: fast analysis (every setting from the grid selection) and custom
// analysis (the settings in the "Custom Analysis" dialog first). Both run the analysis
// in the status dialog, which hands completed results to the caller's window factory.
// The data window's dialog-open flag is set while either runs.
#pragma once

#include "analysis/ui/TAnalysisStatusDialogBoxForm.h"

namespace HalvrennInc {

class TDataWindowForm;
class TSelectDataDialogBoxForm;

//! The dialogs the commands use; they live as long as the program.
struct AnalysisDialogs {
    TSelectDataDialogBoxForm& selectData;
    TAnalysisStatusDialogBoxForm& status;
};

//! Fast analysis of the active sheet's selection. True when a results window was opened
//! (a refused selection has shown its message; a halted analysis opens none).
bool RunFastAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                     const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults);
//! Custom analysis: the dialog, and on OK the analysis. True when a results window was
//! opened.
bool RunCustomAnalysis(TDataWindowForm& dataWindow, const AnalysisDialogs& dialogs,
                       const TAnalysisStatusDialogBoxForm::ResultsHandler& openResults);

}  // namespace HalvrennInc
