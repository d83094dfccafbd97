// Helpers of the workbook tests: files in a private temporary folder, an observer that
// counts notifications, and message boxes that note whether the hourglass was showing.
#pragma once

#include <unistd.h>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/ScriptedUserMessages.h"
#include "platform/WaitCursor.h"
#include "workbook/Workbook.h"

namespace HalvrennInc::testing {

//! A folder of its own for one test, removed with everything in it at the end.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        static std::atomic<int> s_iCount{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("ovs-workbook-" + std::to_string(::getpid()) + "-" + std::to_string(s_iCount++));
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::string path(std::string_view sName) const { return (m_path / sName).string(); }
    std::string write(std::string_view sName, std::string_view sContents) const
    {
        const std::string sPath = path(sName);
        std::ofstream out(sPath, std::ios::binary);
        out.write(sContents.data(), static_cast<std::streamsize>(sContents.size()));
        return sPath;
    }

private:
    std::filesystem::path m_path;
};

inline std::string ReadWholeFile(const std::string& sPath)
{
    std::ifstream in(sPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string CorpusFile(std::string_view sName)
{
    return std::string(OVS_TEST_DATA_DIR) + "/workbook/" + std::string(sName);
}

class CountingObserver : public WorkbookObserver {
public:
    void workbookModified() override { ++iModified; }
    void sheetsChanged() override { ++iSheets; }
    void cellsChanged(const Sheet&) override { ++iCells; }
    void currentCellChanged(const Sheet& sheet) override
    {
        ++iCurrentCell;
        uEditorColumn = sheet.currentColumn();
        uEditorRow = sheet.currentRow();
    }
    int iModified = 0;
    int iSheets = 0;
    int iCells = 0;
    int iCurrentCell = 0;
    std::uint32_t uEditorColumn = 0;
    std::uint32_t uEditorRow = 0;
};

//! The hourglass as a depth count, installed for the lifetime of the object.
class CountingWaitCursor : public WaitCursor {
public:
    CountingWaitCursor() { InstallWaitCursor(this); }
    ~CountingWaitCursor() override { InstallWaitCursor(nullptr); }
    void begin() override { ++iDepth, ++iUses; }
    void end() override { --iDepth; }
    int iDepth = 0;
    int iUses = 0;
};

//! Scripted boxes that also note whether any box came up under the hourglass.
class CursorCheckingMessages : public ScriptedUserMessages {
public:
    explicit CursorCheckingMessages(const CountingWaitCursor& cursor) : m_cursor(cursor) {}
    void show(std::string_view sCaption, std::string_view sText, MessageIcon icon) override
    {
        if (m_cursor.iDepth != 0) bShownUnderHourglass = true;
        ScriptedUserMessages::show(sCaption, sText, icon);
    }
    MessageAnswer ask(std::string_view sCaption, std::string_view sText, MessageButtons buttons,
                      MessageIcon icon) override
    {
        if (m_cursor.iDepth != 0) bShownUnderHourglass = true;
        return ScriptedUserMessages::ask(sCaption, sText, buttons, icon);
    }
    bool bShownUnderHourglass = false;

private:
    const CountingWaitCursor& m_cursor;
};

}  // namespace HalvrennInc::testing
