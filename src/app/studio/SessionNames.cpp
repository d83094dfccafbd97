// Ostrel-Vane Studio - the names around a session.
#include "app/studio/SessionNames.h"

namespace HalvrennInc {

std::string WithSessionExtension(std::string_view sChosen)
{
    std::string sName(sChosen);
    if (sName.ends_with('.')) return sName + std::string(kSessionExtension);
    // Only the file's own name counts: a dot in a folder name ("/data.d/run") is no
    // extension.
    std::string_view sBase = sChosen;
    if (const std::size_t uSlash = sBase.find_last_of('/'); uSlash != std::string_view::npos)
        sBase.remove_prefix(uSlash + 1);
    const std::string_view sTail = sBase.substr(sBase.size() > 4 ? sBase.size() - 4 : 0);
    if (sTail.find('.') == std::string_view::npos) sName += "." + std::string(kSessionExtension);
    return sName;
}

std::string MainWindowCaption(std::string_view sCurrentFile)
{
    return std::string(kApplicationTitle) + " - " + (sCurrentFile.empty() ? "[untitled]" : std::string(sCurrentFile));
}

}  // namespace HalvrennInc
