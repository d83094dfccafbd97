// Ostrel-Vane Studio - the settings kept by the desktop: organization "Halvrenn",
// application "Ostrel-Vane Studio", in the user's configuration folder on Linux.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "platform/Settings.h"

namespace HalvrennInc {

class QtSettings : public Settings {
public:
    //! The program's own settings.
    QtSettings();
    //! Settings in an INI file of the caller's choosing (tests, portable runs).
    explicit QtSettings(const QString& sIniFile);
    ~QtSettings() override;

    std::optional<std::string> readString(std::string_view sName) const override;
    bool writeString(std::string_view sName, std::string_view sValue) override;
    bool deleteValue(std::string_view sName) override;

    //! Where the values are stored (for diagnostics).
    QString fileName() const { return m_pSettings->fileName(); }

private:
    bool flush();

    std::unique_ptr<QSettings> m_pSettings;
};

}  // namespace HalvrennInc
