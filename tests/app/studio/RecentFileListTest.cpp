// The recent-file list: reading, the current file, removal, the maximum and the values
// left in the settings at exit.
#include <gtest/gtest.h>

#include <memory>

#include "app/studio/RecentFileList.h"
#include "platform/MemorySettings.h"

using namespace HalvrennInc;

namespace {
using Names = std::vector<std::string>;

Names Stored(const MemorySettings& settings)
{
    Names psNames;
    for (int i = 1; i <= 9; ++i)
        if (auto sName = settings.readString(std::to_string(i))) psNames.push_back(*sName);
    return psNames;
}
}  // namespace

TEST(RecentFileList, ReadingStopsAtTheFirstMissingOrEmptyValue)
{
    MemorySettings settings;
    settings.writeString("1", "A");
    settings.writeString("2", "");
    settings.writeString("3", "C");
    RecentFileList list(9, settings);
    EXPECT_EQ(list.Entries(), Names{"A"});
    EXPECT_EQ(list.CurrentFile(), "");

    MemorySettings gap;
    gap.writeString("1", "A");
    gap.writeString("3", "C");
    EXPECT_EQ(RecentFileList(9, gap).Entries(), Names{"A"});
    EXPECT_TRUE(RecentFileList(9, *std::make_unique<MemorySettings>()).Entries().empty());
}

TEST(RecentFileList, TheFileOpenNowLeavesTheListAndTheOneBeforeHeadsIt)
{
    MemorySettings settings;
    settings.writeString("1", "/x/b.ovs");
    settings.writeString("2", "/x/c.ovs");
    RecentFileList list(9, settings);
    int iChanges = 0;
    list.setChangeHandler([&] { ++iChanges; });

    list.SetCurrentFile("/x/a.ovs");
    EXPECT_EQ(list.Entries(), (Names{"/x/b.ovs", "/x/c.ovs"}));
    // Opening B while A is current: A first, B gone (without regard to case).
    list.SetCurrentFile("/x/B.OVS");
    EXPECT_EQ(list.Entries(), (Names{"/x/a.ovs", "/x/c.ovs"}));
    EXPECT_EQ(list.CurrentFile(), "/x/B.OVS");
    // New: the current file moves to the top, nothing is current.
    list.SetCurrentFile("");
    EXPECT_EQ(list.Entries(), (Names{"/x/B.OVS", "/x/a.ovs", "/x/c.ovs"}));
    EXPECT_EQ(list.CurrentFile(), "");
    EXPECT_EQ(iChanges, 3);

    // A file that fails to open goes at once; removal compares exactly.
    list.RemoveFile("/x/A.ovs");
    EXPECT_EQ(list.Entries().size(), 3u);
    EXPECT_EQ(iChanges, 3) << "nothing removed, nothing changed";
    list.RemoveFile("/x/a.ovs");
    EXPECT_EQ(list.Entries(), (Names{"/x/B.OVS", "/x/c.ovs"}));
    EXPECT_EQ(iChanges, 4);
}

TEST(RecentFileList, NineEntriesAndACurrentFilePushTheOldestOut)
{
    MemorySettings settings;
    for (int i = 1; i <= 9; ++i) settings.writeString(std::to_string(i), "f" + std::to_string(i));
    {
        RecentFileList list(9, settings);
        list.SetCurrentFile("cur");
        list.SetCurrentFile("next");
        ASSERT_EQ(list.Entries().size(), 9u);
        EXPECT_EQ(list.Entries().front(), "cur");
        EXPECT_EQ(list.Entries().back(), "f8") << "f9 pushed out";
    }
    // At exit the open file heads the list.
    EXPECT_EQ(Stored(settings), (Names{"next", "cur", "f1", "f2", "f3", "f4", "f5", "f6", "f7"}));
}

TEST(RecentFileList, TheSettingsHoldTheListAsAtExitWithStaleValuesDeleted)
{
    MemorySettings settings;
    for (int i = 1; i <= 4; ++i) settings.writeString(std::to_string(i), "f" + std::to_string(i));
    {
        RecentFileList list(9, settings);
        list.SetCurrentFile("A");
        list.RemoveFile("f2");
        list.RemoveFile("f3");
        list.RemoveFile("f4");
        // Stored at each change, so a program that is killed loses nothing.
        EXPECT_EQ(Stored(settings), (Names{"A", "f1"}));
    }
    EXPECT_EQ(Stored(settings), (Names{"A", "f1"}));
    EXPECT_FALSE(settings.readString("3")) << "values past the count are deleted";

    // A store that cannot be written reads as before and says so.
    MemorySettings readOnly;
    readOnly.writeString("1", "A");
    readOnly.setReadOnly(true);
    RecentFileList list(9, readOnly);
    list.SetCurrentFile("B");
    EXPECT_FALSE(list.Write());
    EXPECT_EQ(list.Entries(), Names{"A"});
}

TEST(RecentFileList, MenuCaptionsCarryTheirNumberAsAccessKey)
{
    EXPECT_EQ(RecentFileList::MenuCaption(1, "/home/u/a.ovs"), "&1 /home/u/a.ovs");
    EXPECT_EQ(RecentFileList::MenuCaption(9, "b"), "&9 b");
    EXPECT_TRUE(SameFileNameIgnoringCase("/A/b.OVS", "/a/B.ovs"));
    EXPECT_FALSE(SameFileNameIgnoringCase("/a/b.ovs", "/a/b.ovs2"));
}
