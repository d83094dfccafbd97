// Ostrel-Vane Studio - the resources of the desktop program (icons, help pages) live in a
// static library, so they are registered by hand before their first use.
#pragma once

namespace HalvrennInc {

//! Registers ":/shell/..." (icons) and ":/help/..." (help pages); later calls do nothing.
void LoadShellResources();

}  // namespace HalvrennInc
