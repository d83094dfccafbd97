// Ostrel-Vane Studio - the recent-file list: the session files opened or saved before the
// one open now, most recent first, kept in the settings as the values "1" to "9" and
// shown at the end of the File menu. The file open now is never in the list: it joins
// when another file (or an untitled session) takes its place, and at exit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace HalvrennInc {

class Settings;

class RecentFileList {
public:
    //! The most entries the main window keeps.
    static constexpr std::uint32_t kMainWindowMaximum = 9;

    //! Reads the values "1", "2", ... up to uMaximum, stopping at the first one that is
    //! missing or empty. The settings must outlive the list.
    RecentFileList(std::uint32_t uMaximum, Settings& settings);
    //! The file open now heads the list, which is written back.
    ~RecentFileList();
    RecentFileList(const RecentFileList&) = delete;
    RecentFileList& operator=(const RecentFileList&) = delete;

    const std::vector<std::string>& Entries() const { return m_psEntries; }
    const std::string& CurrentFile() const { return m_sCurrentFile; }
    std::uint32_t Maximum() const { return m_uMaximum; }

    //! The file now open (empty for an untitled session): the one open before goes to the
    //! top of the list, and the new one leaves it (names compared without regard to case).
    void SetCurrentFile(std::string_view sName);
    //! Drops a file that could not be read: the first entry exactly equal to the name.
    void RemoveFile(std::string_view sName);

    //! Called after every change of the entries (the menu is built again).
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

    //! Stores the list as it would stand at exit, the file open now first: values "1" to
    //! the count, and the values after it up to the maximum deleted. False when the store
    //! could not be written. Every change stores the list, so an ended session loses none.
    bool Write() const;

    //! The menu caption of entry n (counted from 1): "&n " and the file name.
    static std::string MenuCaption(std::uint32_t uNumber, std::string_view sName);

private:
    //! Entries beyond the maximum go; the list is stored and the menu told.
    void changed();

    std::uint32_t m_uMaximum;
    Settings& m_settings;
    std::vector<std::string> m_psEntries;  //!< full file names, most recent first
    std::string m_sCurrentFile;
    std::function<void()> m_changed;
};

//! File names as the list compares them: equal when they differ only in the case of
//! ASCII letters.
bool SameFileNameIgnoringCase(std::string_view sA, std::string_view sB);

}  // namespace HalvrennInc
