// Ostrel-Vane Studio - settings held in memory.
#include "platform/MemorySettings.h"

namespace HalvrennInc {

std::optional<std::string> MemorySettings::readString(std::string_view sName) const
{
    const auto it = m_values.find(sName);
    if (it == m_values.end()) return std::nullopt;
    return it->second;
}

bool MemorySettings::writeString(std::string_view sName, std::string_view sValue)
{
    if (m_bReadOnly) return false;
    m_values.insert_or_assign(std::string(sName), std::string(sValue));
    return true;
}

bool MemorySettings::deleteValue(std::string_view sName)
{
    if (m_bReadOnly) return false;
    const auto it = m_values.find(sName);
    if (it != m_values.end()) m_values.erase(it);
    return true;
}

}  // namespace HalvrennInc
