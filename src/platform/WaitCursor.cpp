// Ostrel-Vane Studio - the hourglass hook and its guard.
#include "platform/WaitCursor.h"

namespace HalvrennInc {

namespace {
class NoWaitCursor : public WaitCursor {
public:
    void begin() override {}
    void end() override {}
};

NoWaitCursor s_noWaitCursor;
WaitCursor* s_pWaitCursor = &s_noWaitCursor;  // used from the user-interface thread only
}  // namespace

void InstallWaitCursor(WaitCursor* pService)
{
    s_pWaitCursor = pService ? pService : &s_noWaitCursor;
}

WaitCursor& CurrentWaitCursor()
{
    return *s_pWaitCursor;
}

// The guard ends on the service it began with, so installing another service while an
// operation runs cannot unbalance either of them.
WaitCursorGuard::WaitCursorGuard() : m_pService(s_pWaitCursor)
{
    m_pService->begin();
}

void WaitCursorGuard::release()
{
    if (!m_pService) return;
    m_pService->end();
    m_pService = nullptr;
}

}  // namespace HalvrennInc
