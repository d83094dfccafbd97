// Ostrel-Vane Studio - the request to stop.
#include "platform/StopRequest.h"

#include <atomic>
#include <csignal>

namespace HalvrennInc {

namespace {
std::atomic<int> g_iStopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

extern "C" void OnStopSignal(int iSignal)
{
    RequestStop(iSignal);
}
}  // namespace

void RequestStop(int iSignal)
{
    int iNone = 0;
    g_iStopSignal.compare_exchange_strong(iNone, iSignal);
}

int StopSignal()
{
    return g_iStopSignal.load();
}

void ClearStopRequest()
{
    g_iStopSignal.store(0);
}

void InstallStopHandlers()
{
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
}

}  // namespace HalvrennInc
