// Ostrel-Vane Studio - the "Analysis Status" dialog: it runs one analysis on a worker
// thread and shows what the procedure is doing (titles, two counters, the progress of the
// bootstrap trials) and its assumption warnings, with a Halt button. At the end it hands
// the results to its owner, or discards them after a Halt.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/SelectedSeries.h"
#include "analysis/ui/ChangePointThread.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace HalvrennInc {

class AnalysisResults;
struct PlatformServices;

class TAnalysisStatusDialogBoxForm : public QDialog, private AnalysisStatusReceiver {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 60;
    //! Opens the results of a completed analysis (the main window makes a results window).
    using ResultsHandler = std::function<void(std::shared_ptr<AnalysisResults>)>;

    explicit TAnalysisStatusDialogBoxForm(PlatformServices& services, QWidget* pParent = nullptr);
    //! Destroyed during a run, it halts the analysis and waits for the worker to end.
    ~TAnalysisStatusDialogBoxForm() override;

    //! Runs the analysis of the series with the current analysis options while the dialog
    //! shows modally. Returns true when the results were handed to 'openResults', false
    //! after a Halt (or a run that could not complete).
    bool Execute(SelectedSeries series, ResultsHandler openResults);

    //! Whether a worker is running.
    bool Running() const { return m_pThread != nullptr; }
    bool Halted() const { return m_bHalted; }

    QLabel* TitleOneText() const { return m_pTitleOneText; }
    QLabel* TitleTwoText() const { return m_pTitleTwoText; }
    QLabel* LabelOneText() const { return m_pLabelOneText; }
    QLabel* LabelTwoText() const { return m_pLabelTwoText; }
    QLabel* ValueOneText() const { return m_pValueOneText; }
    QLabel* ValueTwoText() const { return m_pValueTwoText; }
    QProgressBar* TrialsProgressBar() const { return m_pTrialsProgressBar; }
    QPushButton* HaltButton() const { return m_pHaltButton; }

    //! Shows one status report: codes 0 to 5 set the texts, 6 the progress, 7 and 8 show
    //! the assumption warnings (the worker waits while they are open). The dialog is
    //! repainted at once.
    void StatusUpdate(int iCode, const char* psText, double dNumber) override;

public slots:
    //! The procedure stops at its next report; the dialog stays until the worker ends.
    void HaltButtonClick();
    //! Esc presses Halt: the dialog is never closed another way.
    void reject() override;

signals:
    //! A status report was shown (after the repaint and after a warning box closed).
    void StatusShown(int iCode);

protected:
    void showEvent(QShowEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    //! The dialog opens: texts reset, and the worker starts on the pending series.
    void FormShow();
    void Finish(std::unique_ptr<AnalysisResults> pResults) override;
    //! The worker has returned: it is collected and the dialog closes.
    void ThreadFinished();

    PlatformServices& m_services;
    QLabel* m_pTitleOneText = nullptr;
    QLabel* m_pTitleTwoText = nullptr;
    QLabel* m_pLabelOneText = nullptr;
    QLabel* m_pLabelTwoText = nullptr;
    QLabel* m_pValueOneText = nullptr;
    QLabel* m_pValueTwoText = nullptr;
    QLabel* m_pLabel6 = nullptr;
    QProgressBar* m_pTrialsProgressBar = nullptr;
    QPushButton* m_pHaltButton = nullptr;

    bool m_bHalted = false;
    bool m_bResultsOpened = false;
    std::optional<SelectedSeries> m_pendingSeries;  //!< the series of the next run
    ResultsHandler m_openResults;
    ChangePointThread* m_pThread = nullptr;  //!< the running worker (owned)
};

}  // namespace HalvrennInc
