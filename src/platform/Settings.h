// Ostrel-Vane Studio - the program's stored settings: named values under the program's
// own key (the analysis options, the tab position, the recent files). A value may be
// missing, which callers tell apart from an empty text; bad values read as missing so
// that callers fall back to their defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace HalvrennInc {

//! Every value is kept as text; integers and booleans are read from and written as text,
//! so that a value written as one kind by an older run reads sensibly as another.
//! Value names are plain words ("Number Trials", "1"); they hold no path separators.
class Settings {
public:
    virtual ~Settings() = default;

    //! The stored text, or nothing when the value does not exist.
    virtual std::optional<std::string> readString(std::string_view sName) const = 0;
    //! Stores a text; returns false when the store could not be written.
    virtual bool writeString(std::string_view sName, std::string_view sValue) = 0;
    //! Removes a value; removing a missing value is not an error.
    virtual bool deleteValue(std::string_view sName) = 0;

    //! A whole decimal number (optional sign, surrounding blanks allowed), or nothing when
    //! the value is missing, not a number or beyond 64 bits.
    std::optional<std::int64_t> readInteger(std::string_view sName) const;
    bool writeInteger(std::string_view sName, std::int64_t iValue);
    //! "true" or "false" (any case), or an integer where any value but 0 is true.
    std::optional<bool> readBoolean(std::string_view sName) const;
    //! Writes "true" or "false".
    bool writeBoolean(std::string_view sName, bool bValue);
};

//! The integer a settings text holds, if it holds exactly one.
std::optional<std::int64_t> ParseSettingInteger(std::string_view sText);
//! The boolean a settings text holds, if any.
std::optional<bool> ParseSettingBoolean(std::string_view sText);

}  // namespace HalvrennInc
