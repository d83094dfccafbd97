// The name Save As writes and the main window's caption.
#include <gtest/gtest.h>

#include "app/studio/SessionNames.h"

using namespace HalvrennInc;

TEST(SessionNames, SaveAsKeepsAnExtensionOfOneToThreeCharactersAndAddsOvsOtherwise)
{
    EXPECT_EQ(WithSessionExtension("data"), "data.ovs");
    EXPECT_EQ(WithSessionExtension("data."), "data.ovs");
    EXPECT_EQ(WithSessionExtension("data.txt"), "data.txt");
    EXPECT_EQ(WithSessionExtension("a.b.long"), "a.b.long.ovs");
    EXPECT_EQ(WithSessionExtension("data.ovs"), "data.ovs");
    EXPECT_EQ(WithSessionExtension("d.x"), "d.x");
    EXPECT_EQ(WithSessionExtension(".ab"), ".ab");
    EXPECT_EQ(WithSessionExtension("x"), "x.ovs");
    EXPECT_EQ(WithSessionExtension("/home/u/data"), "/home/u/data.ovs");
    EXPECT_EQ(WithSessionExtension("/home/u.x/run"), "/home/u.x/run.ovs") << "a dot in a folder is no extension";
    EXPECT_EQ(WithSessionExtension("/home/u/run.v2"), "/home/u/run.v2");
}

TEST(SessionNames, CaptionShowsTheFileOrUntitled)
{
    EXPECT_EQ(MainWindowCaption(""), "Ostrel-Vane Studio - [untitled]");
    EXPECT_EQ(MainWindowCaption("/home/u/data.ovs"), "Ostrel-Vane Studio - /home/u/data.ovs");
}
