// Ostrel-Vane Studio - registration of the desktop program's resources.
#include "app/studio/ui/ShellResources.h"

#include <QtGlobal>
#include <mutex>

// Q_INIT_RESOURCE names a function of the global namespace.
static void LoadResourceFiles()
{
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(help);
}

namespace HalvrennInc {

void LoadShellResources()
{
    static std::once_flag once;
    std::call_once(once, LoadResourceFiles);
}

}  // namespace HalvrennInc
