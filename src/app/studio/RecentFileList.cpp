// Ostrel-Vane Studio - the recent-file list.
#include "app/studio/RecentFileList.h"

#include <algorithm>

#include "platform/Settings.h"

namespace HalvrennInc {

namespace {
char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool SameFileNameIgnoringCase(std::string_view sA, std::string_view sB)
{
    return std::equal(sA.begin(), sA.end(), sB.begin(), sB.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

RecentFileList::RecentFileList(std::uint32_t uMaximum, Settings& settings) : m_uMaximum(uMaximum), m_settings(settings)
{
    for (std::uint32_t u = 1; u <= m_uMaximum; ++u) {
        std::optional<std::string> sName = m_settings.readString(std::to_string(u));
        if (!sName || sName->empty()) break;
        m_psEntries.push_back(std::move(*sName));
    }
}

RecentFileList::~RecentFileList()
{
    m_changed = nullptr;  // the menu may be gone already
    SetCurrentFile("");
}

void RecentFileList::SetCurrentFile(std::string_view sName)
{
    if (!m_sCurrentFile.empty()) m_psEntries.insert(m_psEntries.begin(), m_sCurrentFile);
    if (!sName.empty())
        std::erase_if(m_psEntries,
                      [sName](const std::string& sEntry) { return SameFileNameIgnoringCase(sEntry, sName); });
    m_sCurrentFile = sName;
    changed();
}

void RecentFileList::RemoveFile(std::string_view sName)
{
    const auto it = std::find(m_psEntries.begin(), m_psEntries.end(), sName);
    if (it == m_psEntries.end()) return;
    m_psEntries.erase(it);
    changed();
}

void RecentFileList::changed()
{
    if (m_psEntries.size() > m_uMaximum) m_psEntries.resize(m_uMaximum);
    Write();
    if (m_changed) m_changed();
}

bool RecentFileList::Write() const
{
    std::vector<std::string_view> psStored;
    if (!m_sCurrentFile.empty()) psStored.push_back(m_sCurrentFile);
    for (const std::string& sEntry : m_psEntries) {
        if (psStored.size() >= m_uMaximum) break;
        psStored.push_back(sEntry);
    }
    bool bWritten = true;
    std::uint32_t uNumber = 1;
    for (std::string_view sName : psStored)
        bWritten = m_settings.writeString(std::to_string(uNumber++), sName) && bWritten;
    for (; uNumber <= m_uMaximum; ++uNumber) bWritten = m_settings.deleteValue(std::to_string(uNumber)) && bWritten;
    return bWritten;
}

std::string RecentFileList::MenuCaption(std::uint32_t uNumber, std::string_view sName)
{
    return "&" + std::to_string(uNumber) + " " + std::string(sName);
}

}  // namespace HalvrennInc
