// Saving a session never costs the user the file saved before: a folder that cannot be
// written, a disk that fills up part way and a device that takes nothing all leave the
// old file as it was, with the message of the failure; a save that succeeds replaces it
// whole, with its permissions, through a link, and leaves no temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "FileSizeLimit.h"
#include "SessionTestSupport.h"
#include "WorkbookTestSupport.h"
#include "platform/StopRequest.h"

using namespace HalvrennInc;
using namespace HalvrennInc::testing;

namespace {

constexpr const char* kCannotOpen = "File could not be opened for output.  May be write protected.";
constexpr const char* kCannotWrite = "File could not be written.  Disk may be full.";
constexpr const char* kNoFolder = "File could not be opened for output.  The folder does not exist.";

std::size_t FilesIn(const std::string& sFolder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(sFolder), std::filesystem::directory_iterator()));
}

// A session of several hundred kilobytes.
void FillLargeWorkbook(Workbook& workbook)
{
    for (std::uint32_t r = 1; r <= 4000; ++r)
        for (std::uint32_t c = 1; c <= 10; ++c) workbook.SetCellText(c, r, "value " + std::to_string(r * c));
}

}  // namespace

TEST(SessionSave, AFolderThatCannotBeWrittenKeepsItsFile)
{
    Session session;
    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    // The superuser writes into any folder of an ordinary file system; a pseudo file system
    // takes no new files from anyone.
    TemporaryFolder folder;
    std::string sFolder = folder.path("locked");
    std::filesystem::create_directory(sFolder);
    const std::string sOld = folder.write("locked/old.ovs", "the last good session");
    if (::geteuid() == 0) {
        sFolder = "/proc";
    } else {
        ::chmod(sFolder.c_str(), 0555);
    }
    EXPECT_FALSE(WriteSession(sFolder + "/new.ovs", session.document, messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kCannotOpen});
    EXPECT_FALSE(std::filesystem::exists(sFolder + "/new.ovs"));
    EXPECT_FALSE(messages.bShownUnderHourglass);
    EXPECT_EQ(cursor.iDepth, 0);

    if (::geteuid() != 0) {
        // Saving over a file in it: the file stays as it was.
        EXPECT_FALSE(WriteSession(sOld, session.document, messages));
        EXPECT_EQ(ReadWholeFile(sOld), "the last good session");
        ::chmod(sFolder.c_str(), 0755);
        // A write-protected file in a folder that can be written stays protected.
        ::chmod(sOld.c_str(), 0444);
        EXPECT_FALSE(WriteSession(sOld, session.document, messages));
        EXPECT_EQ(ReadWholeFile(sOld), "the last good session");
    }
    // A folder that does not exist, and a folder named as the file.
    messages.clear();
    EXPECT_FALSE(WriteSession(folder.path("missing/new.ovs"), session.document, messages));
    EXPECT_FALSE(WriteSession(folder.path("locked"), session.document, messages));
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{kNoFolder, kCannotOpen}));
}

TEST(SessionSave, ARequestToStopEndsTheSaveAndKeepsTheOldFile)
{
    TemporaryFolder folder;
    const std::string sFile = folder.write("work.ovs", "the last good session");
    Session session;
    FillLargeWorkbook(session.workbook);
    ScriptedUserMessages messages;
    RequestStop(SIGTERM);
    RequestStop(SIGINT);  // the first signal is the one kept
    EXPECT_EQ(StopSignal(), SIGTERM);
    EXPECT_FALSE(WriteSession(sFile, session.document, messages));
    ClearStopRequest();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(ReadWholeFile(sFile), "the last good session");
    EXPECT_EQ(FilesIn(folder.path("")), 1u);
    EXPECT_TRUE(WriteSession(sFile, session.document, messages));
}

TEST(SessionSave, ASaveThatFailsPartWayLeavesTheOldFileWhole)
{
    TemporaryFolder folder;
    const std::string sFile = folder.write("work.ovs", "the last good session");
    Session session;
    FillLargeWorkbook(session.workbook);
    ASSERT_GT(session.Text().size(), 200000u);

    CountingWaitCursor cursor;
    CursorCheckingMessages messages(cursor);
    {
        const FileSizeLimit limit(64 * 1024);  // the disk is full after 64 kilobytes
        EXPECT_FALSE(WriteSession(sFile, session.document, messages));
    }
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kCannotWrite});
    EXPECT_FALSE(messages.bShownUnderHourglass);
    EXPECT_EQ(ReadWholeFile(sFile), "the last good session");
    EXPECT_EQ(FilesIn(folder.path("")), 1u);  // the partial temporary file is gone

    // With room on the disk the same save replaces the file whole.
    messages.clear();
    ASSERT_TRUE(WriteSession(sFile, session.document, messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(ReadWholeFile(sFile), session.Text());
    EXPECT_EQ(FilesIn(folder.path("")), 1u);
}

TEST(SessionSave, ADeviceIsWrittenInPlaceAndAFullOneReported)
{
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    Session session;
    ScriptedUserMessages messages;
    EXPECT_FALSE(WriteSession("/dev/full", session.document, messages));
    EXPECT_EQ(messages.texts(), std::vector<std::string>{kCannotWrite});
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));  // never renamed over
    messages.clear();
    EXPECT_TRUE(WriteSession("/dev/null", session.document, messages));
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST(SessionSave, AReplacedFileKeepsItsPermissionsAndItsLinks)
{
    TemporaryFolder folder;
    const std::string sFile = folder.write("shared.ovs", "old");
    ::chmod(sFile.c_str(), 0640);
    std::filesystem::create_symlink(sFile, folder.path("link.ovs"));
    Session session;
    session.workbook.SetCellText(1, 1, "new");
    ScriptedUserMessages messages;
    ASSERT_TRUE(WriteSession(folder.path("link.ovs"), session.document, messages));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.ovs")));
    EXPECT_EQ(ReadWholeFile(sFile), session.Text());
    struct stat status {};
    ASSERT_EQ(::stat(sFile.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(FilesIn(folder.path("")), 2u);

    // The saved file reads back as the session saved.
    Session read;
    SessionHooks hooks;
    ASSERT_EQ(ReadSession(sFile, read.document, hooks, messages), SessionReadResult::Read);
    EXPECT_EQ(read.workbook.CellText(1, 1), "new");
}
