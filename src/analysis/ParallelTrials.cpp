// Ostrel-Vane Studio - the trials of a bootstrap spread over worker threads, each trial
// drawing exactly the numbers the serial loop would give it.
#include <cstdlib>
#include <thread>

#include "analysis/ChangePointFunctions.h"

namespace HalvrennInc {

unsigned ParseThreadCount(const char* psText)
{
    if (!psText || !*psText) return 0;
    unsigned uCount = 0;
    for (const char* p = psText; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        uCount = uCount * 10 + static_cast<unsigned>(*p - '0');
        if (uCount > kMaxThreads) return 0;
    }
    return uCount;
}

unsigned DefaultThreadCount()
{
    static const unsigned uDefault = [] {
        if (const unsigned uCount = ParseThreadCount(std::getenv("OVS_THREADS"))) return uCount;
        const unsigned uHardware = std::thread::hardware_concurrency();
        return uHardware ? uHardware : 1u;
    }();
    return uDefault;
}

}  // namespace HalvrennInc
