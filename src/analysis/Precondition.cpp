// Ostrel-Vane Studio - precondition checks of the statistics functions.
#include "analysis/Precondition.h"

#include <cstdio>
#include <cstdlib>

namespace HalvrennInc {

void FailPrecondition(const char* psCondition, const char* psUnit)
{
    std::fprintf(stderr, "Assertion failed: %s (%s)\n", psCondition, psUnit);
    std::fflush(stderr);
    std::abort();
}

}  // namespace HalvrennInc
