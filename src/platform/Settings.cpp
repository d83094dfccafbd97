// Ostrel-Vane Studio - typed reads and writes over the text values of the settings.
#include "platform/Settings.h"

#include <charconv>

#include "foundation/String.h"

namespace HalvrennInc {

std::optional<std::int64_t> ParseSettingInteger(std::string_view sText)
{
    std::string_view sDigits = trimBlanks(sText);
    // from_chars takes no plus sign; a stored "+5" is still a plain 5.
    if (!sDigits.empty() && sDigits.front() == '+') sDigits.remove_prefix(1);
    if (sDigits.empty()) return std::nullopt;
    std::int64_t iValue = 0;
    const auto [pEnd, error] = std::from_chars(sDigits.data(), sDigits.data() + sDigits.size(), iValue);
    if (error != std::errc() || pEnd != sDigits.data() + sDigits.size()) return std::nullopt;
    return iValue;
}

std::optional<bool> ParseSettingBoolean(std::string_view sText)
{
    const std::string_view sWord = trimBlanks(sText);
    auto equalsIgnoringCase = [sWord](std::string_view sExpected) {
        if (sWord.size() != sExpected.size()) return false;
        for (std::size_t i = 0; i < sWord.size(); ++i) {
            char c = sWord[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != sExpected[i]) return false;
        }
        return true;
    };
    if (equalsIgnoringCase("true")) return true;
    if (equalsIgnoringCase("false")) return false;
    if (const auto iValue = ParseSettingInteger(sWord)) return *iValue != 0;
    return std::nullopt;
}

std::optional<std::int64_t> Settings::readInteger(std::string_view sName) const
{
    const auto sText = readString(sName);
    if (!sText) return std::nullopt;
    return ParseSettingInteger(*sText);
}

bool Settings::writeInteger(std::string_view sName, std::int64_t iValue)
{
    return writeString(sName, std::to_string(iValue));
}

std::optional<bool> Settings::readBoolean(std::string_view sName) const
{
    const auto sText = readString(sName);
    if (!sText) return std::nullopt;
    return ParseSettingBoolean(*sText);
}

bool Settings::writeBoolean(std::string_view sName, bool bValue)
{
    return writeString(sName, bValue ? "true" : "false");
}

}  // namespace HalvrennInc
