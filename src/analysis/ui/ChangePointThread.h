// Ostrel-Vane Studio - the worker thread of one analysis. It builds the analysis of a
// series (and the tables and charts of its results) away from the user-interface thread;
// its only contact with that thread is a blocking call for every status report and one
// for the hand-over at the end, so at most one call is ever in flight and the data need
// no lock.
#pragma once

#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "analysis/AnalysisOptions.h"
#include "analysis/SelectedSeries.h"

namespace HalvrennInc {

class AnalysisResults;

//! Runs a function on the thread of 'context' and returns once it has run. Called on that
//! thread itself it runs the function directly: a blocking queued call would wait for an
//! event loop that is the caller's own and never come back.
void CallAndWait(QObject& context, const std::function<void()>& function);

//! What the worker reports to; every call arrives on the thread of the receiver's context
//! object while the worker waits.
class AnalysisStatusReceiver {
public:
    virtual ~AnalysisStatusReceiver() = default;
    //! A status report of the procedure (codes 0..8); the text may be null and lives
    //! until the call returns.
    virtual void StatusUpdate(int iCode, const char* psText, double dNumber) = 0;
    //! The end of the run: the results (null when the run failed) now belong to the
    //! receiver's thread.
    virtual void Finish(std::unique_ptr<AnalysisResults> pResults) = 0;
};

class ChangePointThread : public QThread {
    Q_OBJECT
public:
    //! The series and a copy of the options (taken on the user-interface thread, which
    //! alone may read the current options). 'context' gives the receiver's thread.
    ChangePointThread(SelectedSeries series, const AnalysisOptions& options, AnalysisStatusReceiver& receiver,
                      QObject& context, QObject* pParent = nullptr);
    ~ChangePointThread() override;

    //! Asks the procedure to stop; it does so at its next status report.
    void RequestHalt() { m_bHaltRequested.store(true); }
    bool HaltRequested() const { return m_bHaltRequested.load(); }

    //! The callback the analysis reports through (context = the thread): shows the report
    //! on the receiver's thread and answers whether to go on.
    static bool Callback(void* pContext, int iCode, const char* psText, double dNumber);

protected:
    void run() override;

private:
    SelectedSeries m_series;  //!< moved into the analysis when the run starts
    AnalysisOptions m_options;
    AnalysisStatusReceiver& m_receiver;
    QObject& m_context;
    std::atomic<bool> m_bHaltRequested{false};
};

}  // namespace HalvrennInc
