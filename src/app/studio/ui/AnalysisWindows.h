// Ostrel-Vane Studio - the analyses of the desktop program: the "Custom Analysis" and
// "Analysis Status" dialogs, which live as long as the main window; the fast and custom
// analysis commands of the main window, run on them; and the results windows that an
// analysis opens or a session file brings back, joined to the main window's area.
#pragma once

#include <QObject>
#include <memory>

#include "app/studio/ui/ResultsWindowBinding.h"

namespace HalvrennInc {

class AnalysisResults;
class TAnalysisResultsWindowForm;
class TAnalysisStatusDialogBoxForm;
class TMainWindowForm;
class TSelectDataDialogBoxForm;
struct PlatformServices;

class AnalysisWindows : public QObject {
    Q_OBJECT
public:
    //! Makes the two dialogs (children of the main window) and connects the main window's
    //! analysis requests and its reading of results records.
    AnalysisWindows(TMainWindowForm& mainWindow, PlatformServices& services);
    ~AnalysisWindows() override;

    TSelectDataDialogBoxForm& SelectDataDialogBoxForm() const { return *m_pSelectData; }
    TAnalysisStatusDialogBoxForm& AnalysisStatusDialogBoxForm() const { return *m_pStatus; }

    //! A results window as the main window takes it: the widget and what the main window
    //! asks of it (its session record, printing, the tab position).
    static ResultsWindow Bind(TAnalysisResultsWindowForm* pWindow);

public slots:
    //! The fast analysis of the data window's selection; true when a results window opened.
    bool FastAnalysis();
    //! The custom analysis: the dialog, then the analysis; true when a results window opened.
    bool CustomAnalysis();

private:
    //! A completed analysis: its window joins the main window's area and the session is
    //! modified.
    void OpenResults(std::shared_ptr<AnalysisResults> pResults);

    TMainWindowForm& m_mainWindow;
    PlatformServices& m_services;
    TSelectDataDialogBoxForm* m_pSelectData;
    TAnalysisStatusDialogBoxForm* m_pStatus;
};

}  // namespace HalvrennInc
