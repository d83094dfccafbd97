// Ostrel-Vane Studio - settings held in memory, for tests and for runs that must leave
// the user's stored settings alone.
#pragma once

#include <map>
#include <string>

#include "platform/Settings.h"

namespace HalvrennInc {

class MemorySettings : public Settings {
public:
    std::optional<std::string> readString(std::string_view sName) const override;
    bool writeString(std::string_view sName, std::string_view sValue) override;
    bool deleteValue(std::string_view sName) override;

    //! Makes every later write fail, as a store that cannot be written does.
    void setReadOnly(bool bReadOnly) { m_bReadOnly = bReadOnly; }
    std::size_t valueCount() const { return m_values.size(); }

private:
    std::map<std::string, std::string, std::less<>> m_values;
    bool m_bReadOnly = false;
};

}  // namespace HalvrennInc
