// Ostrel-Vane Studio - the worker thread of one analysis.
#include "analysis/ui/ChangePointThread.h"

#include <QMetaObject>
#include <new>
#include <utility>

#include "analysis/ChangePointAnalysis.h"
#include "results/AnalysisResults.h"

namespace HalvrennInc {

void CallAndWait(QObject& context, const std::function<void()>& function)
{
    if (QThread::currentThread() == context.thread()) {
        function();
        return;
    }
    QMetaObject::invokeMethod(&context, function, Qt::BlockingQueuedConnection);
}

ChangePointThread::ChangePointThread(SelectedSeries series, const AnalysisOptions& options,
                                     AnalysisStatusReceiver& receiver, QObject& context, QObject* pParent)
    : QThread(pParent), m_series(std::move(series)), m_options(options), m_receiver(receiver), m_context(context)
{
}

ChangePointThread::~ChangePointThread() = default;

bool ChangePointThread::Callback(void* pContext, int iCode, const char* psText, double dNumber)
{
    auto& thread = *static_cast<ChangePointThread*>(pContext);
    CallAndWait(thread.m_context, [&] { thread.m_receiver.StatusUpdate(iCode, psText, dNumber); });
    return !thread.HaltRequested();
}

void ChangePointThread::run()
{
    std::unique_ptr<AnalysisResults> pResults;
    try {
        auto pAnalysis = std::make_unique<ChangePointAnalysis>(std::move(m_series), m_options, &Callback, this);
        // The tables and charts are built here too, so that the window only shows them.
        pResults = std::make_unique<AnalysisResults>(std::move(pAnalysis));
    } catch (const std::bad_alloc&) {
        // A series too large for the memory left: the receiver is told with no results.
        pResults.reset();
    }
    CallAndWait(m_context, [&] { m_receiver.Finish(std::move(pResults)); });
}

}  // namespace HalvrennInc
