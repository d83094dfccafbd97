// Ostrel-Vane Studio - settings over QSettings.
#include "platform/qt/QtSettings.h"

namespace HalvrennInc {

namespace {
// The program's 8-bit texts are taken as Latin-1, so every byte survives the trip.
QString toKey(std::string_view sName)
{
    return QString::fromLatin1(sName.data(), static_cast<qsizetype>(sName.size()));
}
}  // namespace

QtSettings::QtSettings()
    : m_pSettings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Halvrenn"),
                                              QStringLiteral("Ostrel-Vane Studio")))
{
}

QtSettings::QtSettings(const QString& sIniFile)
    : m_pSettings(std::make_unique<QSettings>(sIniFile, QSettings::IniFormat))
{
}

QtSettings::~QtSettings() = default;

std::optional<std::string> QtSettings::readString(std::string_view sName) const
{
    const QVariant value = m_pSettings->value(toKey(sName));
    if (!value.isValid()) return std::nullopt;
    // A value that is not a single text (a list written by another program) is bad,
    // and bad values read as missing.
    if (!value.canConvert<QString>()) return std::nullopt;
    return value.toString().toLatin1().toStdString();
}

bool QtSettings::writeString(std::string_view sName, std::string_view sValue)
{
    m_pSettings->setValue(toKey(sName), toKey(sValue));
    return flush();
}

bool QtSettings::deleteValue(std::string_view sName)
{
    m_pSettings->remove(toKey(sName));
    return flush();
}

// Written at once, so that a store that cannot be written is reported to the caller
// and a crash later in the run loses nothing.
bool QtSettings::flush()
{
    m_pSettings->sync();
    return m_pSettings->status() == QSettings::NoError;
}

}  // namespace HalvrennInc
